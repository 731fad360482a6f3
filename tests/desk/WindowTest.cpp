// Window tests of the project manager on the offscreen platform: commands driven through the
// object names of actions and controls, dialogs answered through the seam, and the project
// state, title and enabled states checked after each step. Also the settings dialog's checks,
// the About box's keys, and screenshots of the three windows.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include "About.h"
#include "ConfTools.h"
#include "DeskWindowSupport.h"
#include "SingleInstance.h"
#include "Texts.h"

using A = IDeskPrompts::EAnswer;
using DeskDialogs::EKind;

class WindowTest : public QObject, CDeskWindowFixture {
    Q_OBJECT

    void Select(const char* list, int row)
    {
        auto* l = Ctl<QListWidget>(list);
        l->setCurrentRow(row);
        if (row >= 0) l->item(row)->setSelected(true);
    }
    // A project with two source files in the scratch folder, opened through the Open command.
    void OpenSmallProject()
    {
        WriteText(Path("small/small.pro"), "MAIN=hello.vyk\r\nEXEC=hello.exe\r\nTARGET=2\r\nFILE=util.vyk\r\nFILE=hello.vyk\r\n");
        DeskDialogs::SetNextFileNames({Path("small/small.pro")});
        Trigger("miOpenPro");
        QCOMPARE(w->project.projectFile, Path("small/small.pro"));
    }

private slots:
    void initTestCase() { DeskDialogs::EnableSeam(true); }

    void init() { OpenWindow(); }
    void cleanup() { CloseWindow(); }

    void startsWithoutProject()
    {
        for (const char* name : {"tbCreatePro", "tbOpenPro", "tbSavePro", "tbAddFile", "tbRemoveFile", "tbFileUp",
                                 "tbFileDown", "tbSetMain", "tbClear", "tbCompile", "tbCompileAll", "tbMake", "tbRunExec",
                                 "tbExit", "tbAddPath", "tbRemovePath", "tbPathUp", "tbPathDown", "miCreatePro",
                                 "miOpenPro", "miReopenSub1", "miReopenSub4", "miSavePro", "miSaveProAs", "miClosePro",
                                 "miExit", "miAddFile", "miRemoveFile", "miFileUp", "miFileDown", "miSetMain", "miClear",
                                 "miAddPath", "miRemovePath", "miPathUp", "miPathDown", "miConfTools", "miCompile",
                                 "miCompileAll", "miMake", "miRunExec", "miStop", "tbStop", "miVersionInfo", "miAbout"})
            QVERIFY2(Act(name), name);
        for (const char* name : {"tbToolBar", "pnAll", "splMain", "splProject", "pnFiles", "lbFiles", "lbxFiles",
                                 "pgcSettings", "tshSettings", "lbExecFile", "edExecFile", "lbTarget", "cbxTarget",
                                 "cbConfirmClear", "cbUsePause", "tshDfn", "tbImport", "lbxPaths", "splWork", "pgcOutput",
                                 "pnLog", "lbxLog", "tshRun", "memOutput", "edInput", "edArgs", "mmMenu", "miReopen"})
            QVERIFY2(w->findChild<QObject*>(QLatin1String(name)), name);
        QVERIFY(!w->findChild<QTimer*>(QStringLiteral("tmLogger"))->isActive());
        QCOMPARE(w->findChild<QTimer*>(QStringLiteral("tmSheduller"))->interval(), 10);
        QCOMPARE(w->windowTitle(), QStringLiteral("Vydesk"));
        QVERIFY(!Act("miSavePro")->isEnabled());
        QVERIFY(!Act("tbSavePro")->isEnabled());
        QCOMPARE(Act("miReopenSub1")->text(), QString::fromUtf8("Нет проектов"));
        QVERIFY(!Act("miReopenSub1")->isEnabled());
        QVERIFY(!Act("miReopenSub2")->isVisible());
        QVERIFY(Ctl<QCheckBox>("cbConfirmClear")->isChecked());
        QCOMPARE(Ctl<QToolButton>("tbCompileAll")->toolTip(), QString::fromUtf8("Компиляция проекта (F7)"));
    }

    void newProjectAndItsFiles()
    {
        DeskDialogs::SetNextFileNames({Path("new/new.pro")});
        QDir().mkpath(Path("new"));
        Trigger("tbCreatePro");
        QCOMPARE(w->project.projectFile, Path("new/new.pro"));
        QCOMPARE(w->windowTitle(), QLatin1Char('[') + Path("new/new.pro") + QStringLiteral("] - Vydesk"));
        QVERIFY(QDir(Path("new/CPP")).exists());
        QCOMPARE(Act("miReopenSub1")->text(), Path("new/new.pro"));

        DeskDialogs::SetNextFileNames({Path("new/a.vyk"), Path("new/src/b.vyk")});
        Trigger("miAddFile");
        DeskDialogs::SetNextFileNames({Path("new/a.vyk")});
        Trigger("tbAddFile");
        QCOMPARE(LastShown(EKind::Information), QString::fromUtf8("Файл \"a.vyk\" уже имеется в списке"));
        QCOMPARE(Items("lbxFiles"), QStringList({"a.vyk", "src/b.vyk"}));
        QCOMPARE(w->windowTitle(), QLatin1Char('[') + Path("new/new.pro") + QStringLiteral(" *] - Vydesk"));
        QVERIFY(Act("tbSavePro")->isEnabled());

        Trigger("miFileUp");
        QCOMPARE(LastShown(EKind::Warning), QString::fromUtf8("Нет выделенного файла"));
        Select("lbxFiles", 1);
        Trigger("tbFileUp");
        QCOMPARE(w->project.files, QStringList({"src/b.vyk", "a.vyk"}));
        Trigger("tbFileUp");  // already first
        QCOMPARE(w->project.files, QStringList({"src/b.vyk", "a.vyk"}));
        DeskDialogs::SetNextAnswer(A::Yes);
        Trigger("tbSetMain");
        QCOMPARE(w->project.mainFile, QStringLiteral("src/b.vyk"));
        Trigger("miSavePro");
        QVERIFY(!w->project.modified);
        QVERIFY(!Act("miSavePro")->isEnabled());
        QVERIFY(ReadText(Path("new/new.pro")).contains("MAIN=src/b.vyk\r\n"));

        Ctl<QLineEdit>("edExecFile")->setFocus();
        QTest::keyClicks(Ctl<QLineEdit>("edExecFile"), "p");
        QCOMPARE(w->project.execName, QStringLiteral("p"));
        QVERIFY(w->project.modified);
        Ctl<QComboBox>("cbxTarget")->activated(3);
        QCOMPARE(w->project.target, 3);
        QCOMPARE(Ctl<QComboBox>("cbxTarget")->toolTip(), QStringLiteral("Win32 Application (g++, GNU make)"));

        Select("lbxFiles", 0);
        DeskDialogs::SetNextAnswer(A::Cancel);
        Trigger("miRemoveFile");
        QCOMPARE(w->project.files.size(), 2);
        DeskDialogs::SetNextAnswer(A::Yes);
        Trigger("miRemoveFile");
        QCOMPARE(w->project.files, QStringList({"a.vyk"}));
        QVERIFY(w->project.mainFile.isEmpty());

        // Closing asks to save the modified project; Cancel keeps it, No drops the changes.
        DeskDialogs::SetNextAnswer(A::Cancel);
        Trigger("miClosePro");
        QVERIFY(w->project.HasProject());
        QCOMPARE(LastShown(EKind::Question), QString::fromUtf8("Сохранить текущий проект ?"));
        DeskDialogs::SetNextAnswer(A::No);
        Trigger("miClosePro");
        QVERIFY(!w->project.HasProject());
        QCOMPARE(w->windowTitle(), QStringLiteral("Vydesk"));
        QCOMPARE(Items("lbxFiles"), QStringList());
    }

    void keysFollowTheWindow()
    {
        // Ctrl+S without a project asks for a file name, and the file becomes the project.
        DeskDialogs::SetNextFileNames({Path("keys.pro")});
        QTest::keyClick(Ctl<QListWidget>("lbxFiles"), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(w->project.projectFile, Path("keys.pro"));
        QVERIFY(QFile::exists(Path("keys.pro")));

        w->SetCommandsEnabled(false);
        QVERIFY(!Act("miCompile")->isEnabled());
        DeskDialogs::ClearShown();
        QTest::keyClick(Ctl<QListWidget>("lbxFiles"), Qt::Key_F7, Qt::ControlModifier);
        QTest::keyClick(Ctl<QListWidget>("lbxFiles"), Qt::Key_F7);
        QVERIFY(DeskDialogs::Shown().empty());  // both compile commands are off
        w->SetCommandsEnabled(true);
        QTest::keyClick(Ctl<QListWidget>("lbxFiles"), Qt::Key_F7, Qt::ControlModifier);
        QCOMPARE(LastShown(EKind::Warning), QString::fromUtf8("Нет выделенного файла"));
        QTest::keyClick(Ctl<QListWidget>("lbxFiles"), Qt::Key_F7);
        QCOMPARE(LastShown(EKind::Warning), QString::fromUtf8("Нет файлов для компиляции"));
        QTest::keyClick(Ctl<QListWidget>("lbxFiles"), Qt::Key_Minus, Qt::ControlModifier);
        QCOMPARE(LastShown(EKind::Warning), QString::fromUtf8("Нет выделенного файла"));
        QTest::keyClick(w.get(), Qt::Key_X, Qt::AltModifier);
        QVERIFY(!w->isVisible());
        QVERIFY(QFile::exists(Path("Vydesk.ini")));  // written as the window closed
    }

    void closingAsksToSaveAndWritesSettings()
    {
        OpenSmallProject();
        WriteText(Path("lib3/A.dfn"), "");
        DeskDialogs::SetNextFileNames({Path("lib3/A.dfn")});
        Trigger("miAddPath");
        Select("lbxFiles", 0);
        Trigger("tbFileDown");
        QVERIFY(w->project.modified);
        DeskDialogs::SetNextAnswer(A::Cancel);
        QVERIFY(!w->close());
        QVERIFY(w->isVisible());
        QVERIFY(!QFile::exists(Path("Vydesk.ini")));
        DeskDialogs::SetNextAnswer(A::Yes);
        QVERIFY(w->close());
        QVERIFY(ReadText(Path("small/small.pro")).endsWith("FILE=hello.vyk\r\nFILE=util.vyk\r\n"));
        const QByteArray ini = ReadText(Path("Vydesk.ini"));
        QVERIFY(ini.startsWith("[Vydesk]\r\nIMPORT=" + Path("lib3/").toUtf8() + "\r\nREOPEN=" + Path("small/small.pro").toUtf8()));
    }

    void timersDriveACompilation()
    {
        OpenSmallProject();
        WriteText(Path("small/util.vyk"), "out util - OK\n");
        WriteText(Path("small/hello.vyk"), "out hello\tfailed\nexit 1\n");
        const QString fake = QStringLiteral(FAKETOOL);
        w->project.settings.vyk = fake;
        w->project.settings.vybind = fake;
        w->project.settings.vygen = fake;
        WriteText(Path("small/faketool.txt"), "out tool - OK\n");
        QTest::keyClick(Ctl<QListWidget>("lbxFiles"), Qt::Key_F7);
        QTRY_VERIFY_WITH_TIMEOUT(!Act("tbMake")->isEnabled(), 5000);
        QTRY_COMPARE_WITH_TIMEOUT(Items("lbxLog").last(), QString::fromUtf8("Компиляция проекта завершена, ошибок: 1"), 30000);
        QVERIFY(Items("lbxLog").contains(QStringLiteral("hello failed")));
        QVERIFY(Items("lbxLog").contains(QString::fromUtf8("Vybind и Vygen не запускались: есть ошибки компиляции")));
        QVERIFY(Act("tbMake")->isEnabled());
        QVERIFY(!w->pipeline->tmLogger->isActive());
        QVERIFY(!w->pipeline->tmSheduller->isActive());
    }

    void logKeepsThousandLines()
    {
        for (int i = 0; i <= TfrVydesk::MaxLogLines; ++i) w->AddLog(QString::number(i));
        auto* log = Ctl<QListWidget>("lbxLog");
        QCOMPARE(log->count(), TfrVydesk::MaxLogLines);
        QCOMPARE(log->item(0)->text(), QStringLiteral("1"));
        QCOMPARE(log->currentRow(), TfrVydesk::MaxLogLines - 1);
        w->AddLog(QString());
        QCOMPARE(log->item(log->count() - 1)->text(), QString());
    }

    void recentProjects()
    {
        for (const char* n : {"p1", "p2", "p3", "p4", "p5"}) {
            const QString pro = Path(QLatin1String(n) + QStringLiteral(".pro"));
            WriteText(pro, "FILE=a.vyk\r\n");
            DeskDialogs::SetNextFileNames({pro});
            Trigger("miOpenPro");
        }
        QCOMPARE(Act("miReopenSub1")->text(), Path("p5.pro"));
        QCOMPARE(Act("miReopenSub4")->text(), Path("p2.pro"));
        Trigger("miReopenSub3");  // p3 moves to the top
        QCOMPARE(w->project.projectFile, Path("p3.pro"));
        QCOMPARE(Act("miReopenSub1")->text(), Path("p3.pro"));
        QFile::remove(Path("p4.pro"));
        Trigger("miReopenSub3");  // p4 is gone: an error, and it leaves the list
        QCOMPARE(LastShown(EKind::Error), QString::fromUtf8("Ошибка чтения файла \"") + Path("p4.pro") + QLatin1Char('"'));
        QVERIFY(!w->project.HasProject());
        QCOMPARE(w->project.settings.recent, QStringList({Path("p3.pro"), Path("p5.pro"), Path("p2.pro")}));
        QVERIFY(!Act("miReopenSub4")->isVisible());
    }

    void clearProjectDeletesWorkFiles()
    {
        Trigger("miClear");
        QCOMPARE(LastShown(EKind::Warning), QString::fromUtf8("Необходимо предварительно открыть проект"));
        OpenSmallProject();
        const char* doomed[] = {"CPP/m.cpp", "CPP/m.h", "CPP/m.vyl", "CPP/_VYK_make.vym", "CPP/Makefile.mak",
                                "DFN/m.dfn", "Make/hello.exe", "Make/m.obj", "Make/hello", "Make/hello.sh",
                                "vydeskpro.tmp", "vydesklog.tmp"};
        for (const char* f : doomed) WriteText(Path(QStringLiteral("small/") + QLatin1String(f)), "x");
        WriteText(Path("small/CPP/keep.txt"), "x");
        DeskDialogs::SetNextAnswer(A::Cancel);
        Trigger("tbClear");
        QVERIFY(QFile::exists(Path("small/CPP/m.cpp")));
        DeskDialogs::SetNextAnswer(A::Yes);
        Trigger("tbClear");
        for (const char* f : doomed) QVERIFY2(!QFile::exists(Path(QStringLiteral("small/") + QLatin1String(f))), f);
        QVERIFY(QFile::exists(Path("small/CPP/keep.txt")));
        QCOMPARE(Items("lbxLog"), QStringList({QString::fromUtf8("Уничтожение временных файлов проекта завершено")}));
        // Without the confirmation tick no question is asked.
        Ctl<QCheckBox>("cbConfirmClear")->setChecked(false);
        DeskDialogs::ClearShown();
        Trigger("miClear");
        QVERIFY(LastShown(EKind::Question).isEmpty());
    }

    void importFolders()
    {
        WriteText(Path("lib1/A.dfn"), "");
        WriteText(Path("lib2/B.dfn"), "");
        DeskDialogs::SetNextFileNames({Path("lib1/A.dfn")});
        Trigger("tbAddPath");
        DeskDialogs::SetNextFileNames({Path("lib2/B.dfn")});
        Trigger("miAddPath");
        DeskDialogs::SetNextFileNames({Path("lib1/X.dfn")});
        Trigger("miAddPath");
        QCOMPARE(LastShown(EKind::Information),
                 QString::fromUtf8("Каталог \"") + Path("lib1/") + QString::fromUtf8("\" уже имеется в списке"));
        QCOMPARE(Items("lbxPaths"), QStringList({Path("lib1/"), Path("lib2/")}));
        QCOMPARE(Ctl<QTabWidget>("pgcSettings")->currentWidget()->objectName(), QStringLiteral("tshDfn"));
        QVERIFY(!w->project.modified);
        Select("lbxPaths", 1);
        Trigger("tbPathUp");
        QCOMPARE(w->project.settings.importFolders, QStringList({Path("lib2/"), Path("lib1/")}));
        Ctl<QTabWidget>("pgcSettings")->setCurrentIndex(0);
        Trigger("miRemovePath");  // the page is not shown
        QCOMPARE(LastShown(EKind::Warning), QString::fromUtf8("Нет выделенного каталога"));
        Ctl<QTabWidget>("pgcSettings")->setCurrentIndex(1);
        Select("lbxPaths", 1);
        DeskDialogs::SetNextAnswer(A::Yes);
        Trigger("tbRemovePath");
        QCOMPARE(Items("lbxPaths"), QStringList({Path("lib2/")}));
        QCOMPARE(Ctl<QListWidget>("lbxPaths")->currentRow(), 0);
        QVERIFY(!w->project.modified);
    }

    void sourceOnCommandLineCreatesProject()
    {
        WriteText(Path("solo/prog.vyk"), "MODULE prog; END prog.");
        TfrVydesk other;
        DeskDialogs::SetNextAnswer(A::Yes);
        DeskDialogs::SetNextFileNames({Path("solo/prog.pro")});
        DeskDialogs::SetNextAnswer(A::Yes);
        other.Start(Path("other.ini"), {Path("solo/prog.vyk")});
        QCOMPARE(other.project.projectFile, Path("solo/prog.pro"));
        QCOMPARE(other.project.files, QStringList({"prog.vyk"}));
        QCOMPARE(other.project.mainFile, QStringLiteral("prog.vyk"));
        QCOMPARE(other.project.execName, QStringLiteral("prog"));  // a Linux program has no extension
        QVERIFY(ReadText(Path("solo/prog.pro")).contains("\r\nEXEC=prog\r\n"));
        QVERIFY(ReadText(Path("solo/prog.pro")).endsWith("FILE=prog.vyk\r\n"));
        QCOMPARE(other.project.settings.recent, QStringList({Path("solo/prog.pro")}));
    }

    void settingsDialogChecks()
    {
        TfrConfTools* d = w->ConfTools();
        d->show();
        auto ed = [d](const char* name) { return d->findChild<QLineEdit*>(QLatin1String(name)); };
        const struct {
            const char* field;
            const char* value;
            const char* message;
        } checks[] = {
            {"edVYKPath", "", "Не указан компилятор VYK"},
            {"edVybindPath", "", "Не указан компоновщик Vybind"},
            {"edVygenPath", "", "Не указана утилита Vygen"},
            {"edCppPath", "", "Не указан компилятор c++"},
            {"edMakefile", "", "Не указан файл скрипта для запуска компилятора C++"},
            {"edTabSize", "", "Не указан размер табуляции в исходных файлах"},
            {"edTabSize", "abc", "Недопустимое значение размера табуляции в исходных файлах, укажите целое неотрицательное числовое значение"},
            {"edTabSize", "-1", "Недопустимое значение размера табуляции в исходных файлах, укажите целое неотрицательное числовое значение"},
            {"edNMake", "", "Не указана строка для запуска NMake"},
            {"edMake", "", "Не указана строка для запуска Make"},
        };
        for (const auto& c : checks) {
            d->LoadFields();
            const QString before = ed(c.field)->text();
            // An earlier field in error wins, so only this one is spoiled.
            ed(c.field)->setText(QLatin1String(c.value));
            d->bOKClick();
            QCOMPARE(LastShown(EKind::Warning), QString::fromUtf8(c.message));
            QCOMPARE(d->focusWidget(), static_cast<QWidget*>(ed(c.field)));
            QVERIFY(d->isVisible());
            ed(c.field)->setText(before);
        }
        d->LoadFields();
        ed("edTabSize")->setText(QStringLiteral("0"));
        ed("edVYKPath")->setText(QStringLiteral("/opt/vyk"));
        d->findChild<QPushButton*>(QStringLiteral("bMakefileDefault"))->click();
        QCOMPARE(ed("edTabSize")->text(), QStringLiteral("1"));
        ed("edTabSize")->setText(QStringLiteral("0"));
        ed("edMakefile")->setText(QStringLiteral("M.mak"));
        DeskDialogs::SetNextFileNames({QStringLiteral("/usr/bin/gmake")});
        d->findChild<QPushButton*>(QStringLiteral("bMakeBrowse"))->click();
        QCOMPARE(ed("edMake")->text(), QStringLiteral("/usr/bin/gmake"));
        d->findChild<QPushButton*>(QStringLiteral("bOK"))->click();
        QVERIFY(!d->isVisible());
        QCOMPARE(w->project.settings.vyk, QStringLiteral("/opt/vyk"));
        QCOMPARE(w->project.settings.tabSize, QStringLiteral("0"));
        QCOMPARE(w->project.settings.makefile, QStringLiteral("M.mak"));
        QCOMPARE(w->project.settings.make, QStringLiteral("/usr/bin/gmake"));
        // Cancel keeps the settings as they were.
        d->show();
        ed("edVYKPath")->setText(QStringLiteral("changed"));
        d->findChild<QPushButton*>(QStringLiteral("bCancel"))->click();
        QCOMPARE(w->project.settings.vyk, QStringLiteral("/opt/vyk"));
        d->show();
        QCOMPARE(ed("edVYKPath")->text(), QStringLiteral("/opt/vyk"));
        d->findChild<QPushButton*>(QStringLiteral("bVYKPathDefault"))->click();
        QCOMPARE(ed("edVYKPath")->text(), CToolSettings().vyk);
        QVERIFY(d->grab().save(QStringLiteral(SCREENSHOT_DIR "/settings-dialog.png")));
        d->reject();
    }

    void aboutBoxScrollsAndCloses()
    {
        TfrAbout* a = w->About();
        a->show();
        QVERIFY(a->tmTimer->isActive());
        QCOMPARE(a->tmTimer->interval(), 50);
        QCOMPARE(a->findChild<QLabel*>(QStringLiteral("lbVersion"))->text(), QStringLiteral("v1.8.35"));
        const int start = a->y0;
        QCOMPARE(start, a->pbText->height());
        a->tmTimerTimer();
        QCOMPARE(a->y0, start - 1);
        while (a->y0 != start) a->tmTimerTimer();  // leaves the top, comes back from below
        QCOMPARE(a->y0, start);
        for (int i = 0; i < 90; ++i) a->tmTimerTimer();
        QVERIFY(a->grab().save(QStringLiteral(SCREENSHOT_DIR "/about-box.png")));
        QTest::keyClick(a, Qt::Key_Escape);
        QVERIFY(!a->isVisible());
        QVERIFY(!a->tmTimer->isActive());
        a->show();
        QTest::keyClick(a, Qt::Key_Return);
        QVERIFY(!a->isVisible());
        a->show();
        a->findChild<QToolButton*>(QStringLiteral("sbOK"))->click();
        QVERIFY(!a->isVisible());
    }

    void secondCopyRestoresTheFirst()
    {
        const QString name = QStringLiteral("vydesk-test-%1").arg(QCoreApplication::applicationPid());
        CSingleInstance first(name), second(name);
        QVERIFY(!second.OtherIsRunning());
        QVERIFY(first.Listen());
        connect(&first, &CSingleInstance::RestoreRequested, w.get(), &TfrVydesk::RestoreFromMinimized);
        QSignalSpy restored(&first, &CSingleInstance::RestoreRequested);
        w->showMinimized();
        QVERIFY(second.OtherIsRunning());
        QVERIFY(!second.Listen());  // the name stays with the first copy
        QVERIFY(second.SendRestore());
        QVERIFY(restored.wait(5000));
        QVERIFY(!(w->windowState() & Qt::WindowMinimized));
    }

    void screenshotWithSmallProject()
    {
        OpenSmallProject();
        WriteText(Path("lib/SYSTEM.dfn"), "");
        DeskDialogs::SetNextFileNames({Path("lib/SYSTEM.dfn")});
        Trigger("miAddPath");
        w->AddLog(QStringLiteral("Module \"hello\" from \"hello.vyk\" - OK"));
        QVERIFY(w->grab().save(QStringLiteral(SCREENSHOT_DIR "/main-window.png")));
    }
};

QTEST_MAIN(WindowTest)
#include "WindowTest.moc"
