// The fixture of the window tests: a scratch folder, a main window started on a settings file
// of its own there, actions, controls and list lines found by object name, the last dialog of
// a kind, and waiting until no tool runs.
#pragma once
#include <QAction>
#include <QElapsedTimer>
#include <QListWidget>
#include <QTest>
#include <memory>

#include "DeskTestSupport.h"
#include "Dialogs.h"
#include "MainWindow.h"

class CDeskWindowFixture {
protected:
    QTemporaryDir dir;
    std::unique_ptr<TfrVydesk> w;

    QString Path(const QString& name) const { return dir.filePath(name); }
    static QString U(const char* s) { return QString::fromUtf8(s); }
    QAction* Act(const char* name) const { return w->findChild<QAction*>(QLatin1String(name)); }
    void Trigger(const char* name) const { Act(name)->trigger(); }
    template <class T> T* Ctl(const char* name) const { return w->findChild<T*>(QLatin1String(name)); }
    // A key pressed in the file list, as a user at the window would.
    void Key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) const
    {
        QTest::keyClick(Ctl<QListWidget>("lbxFiles"), key, mods);
    }
    static QStringList Lines(const QListWidget* list)
    {
        QStringList out;
        for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
        return out;
    }
    QStringList Items(const char* list) const { return Lines(Ctl<QListWidget>(list)); }
    QStringList Log() const { return Items("lbxLog"); }
    static QString LastShown(DeskDialogs::EKind kind)
    {
        const auto& shown = DeskDialogs::Shown();
        for (auto it = shown.rbegin(); it != shown.rend(); ++it)
            if (it->kind == kind) return it->text;
        return QString();
    }
    // Runs the event loop until the window's tools and program have ended; false when they
    // still run after ms.
    static bool WaitIdle(const TfrVydesk& window, int ms = 120000)
    {
        QElapsedTimer clock;
        clock.start();
        while (window.pipeline->IsBusy() && clock.elapsed() < ms) QTest::qWait(20);
        return !window.pipeline->IsBusy();
    }
    bool WaitIdle(int ms = 120000) const { return WaitIdle(*w, ms); }

    // The modules of examples/modules, copied into the folder calc, added as a new user would:
    // in one dialog without a project, Calc (the main module) first although it imports the
    // other two, which makes the project calc/calc.pro.
    void AddExampleModules()
    {
        const QString example = QStringLiteral(VYK_SOURCE_DIR "/examples/modules/");
        QStringList chosen;
        QDir().mkpath(Path("calc"));
        for (const char* m : {"Calc.vyk", "Rationals.vyk", "Stacks.vyk"}) {
            chosen << Path(QStringLiteral("calc/") + QLatin1String(m));
            QVERIFY(QFile::copy(example + QLatin1String(m), chosen.last()));
        }
        DeskDialogs::SetNextFileNames(chosen);
        DeskDialogs::SetNextAnswer(IDeskPrompts::EAnswer::Yes);  // a new project for Calc.vyk
        DeskDialogs::SetNextFileNames({Path("calc/calc.pro")});
        DeskDialogs::SetNextAnswer(IDeskPrompts::EAnswer::Yes);  // Calc.vyk is the main file
        Trigger("miAddFile");
        QCOMPARE(w->project.files, QStringList({"Calc.vyk", "Rationals.vyk", "Stacks.vyk"}));
        QCOMPARE(w->project.mainFile, QStringLiteral("Calc.vyk"));
    }

    // A new window on Vydesk.ini of the scratch folder, which starts from the defaults.
    void OpenWindow(const QStringList& arguments = {})
    {
        DeskDialogs::ClearShown();
        QFile::remove(Path("Vydesk.ini"));
        w = std::make_unique<TfrVydesk>();
        w->Start(Path("Vydesk.ini"), arguments);
        w->show();
    }
    // Closes the window without a question: its tools are stopped and the project counts as saved.
    void CloseWindow()
    {
        if (!w) return;
        w->pipeline->Shutdown();
        w->project.modified = false;
        w.reset();
    }
};
