// A new user's first hour with the real console programs, driven through the window the way
// a user would: no settings file, a new project, the three modules of examples/modules added
// in the wrong order in one dialog, F7, F8 and F5 on a machine without a terminal, and the
// program's output with exit code 0 in the output pane. The test lies beside the programs
// (build/bin), so it finds them and the library the way Vydesk does. Screenshots of the main
// steps, the settings dialog and the About box go to the build folder.
#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTest>

#include "About.h"
#include "ConfTools.h"
#include "DeskWindowSupport.h"
#include "Platform.h"

class FirstHourTest : public QObject, CDeskWindowFixture {
    Q_OBJECT
    const QString root = QStringLiteral(VYK_SOURCE_DIR);

    static void Shot(QWidget* w, const char* name)
    {
        QVERIFY(w->grab().save(QStringLiteral(SCREENSHOT_DIR "/") + QLatin1String(name) + QStringLiteral(".png")));
    }

private slots:
    void initTestCase()
    {
        DeskDialogs::EnableSeam(true);
        DeskPlatform::SetTerminalsHidden(true);  // a desktop without a terminal emulator
    }

    void cleanup() { CloseWindow(); }

    void newUserBuildsAndRunsAnExample()
    {
        OpenWindow();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        QVERIFY(!w->project.settings.importFolders.isEmpty());  // the library, with no dialog
        Shot(w.get(), "first-start");

        // Add files without a project: the first file makes the project, Calc (the main
        // module) comes first, the order the modules need is the other way round.
        AddExampleModules();

        Key(Qt::Key_F7);
        QVERIFY(!Act("miOpenPro")->isEnabled());
        QVERIFY(WaitIdle(240000));
        const QString compiled = Log().join(QLatin1Char('\n'));
        QVERIFY2(compiled.endsWith(QString::fromUtf8("Компиляция проекта завершена, ошибок: 0")), qPrintable(compiled));
        QVERIFY(compiled.indexOf(QStringLiteral("\"Rationals.vyk\"")) < compiled.indexOf(QStringLiteral("\"Stacks.vyk\"")));
        QVERIFY(compiled.indexOf(QStringLiteral("\"Stacks.vyk\"")) < compiled.indexOf(QStringLiteral("\"Calc.vyk\"")));

        Key(Qt::Key_F8);
        QVERIFY(WaitIdle(240000));
        QVERIFY2(Log().last() == QString::fromUtf8("Сборка завершена, ошибок нет"), qPrintable(Log().join('\n')));
        // A new project builds one object per module, and the log counts them.
        QCOMPARE(w->project.target, 4);
        const QString built = Log().join(QLatin1Char('\n'));
        const QRegularExpression total(QString::fromUtf8("Объектов к компиляции: (\\d+)"));
        const QRegularExpressionMatch planned = total.match(built);
        QVERIFY2(planned.hasMatch(), qPrintable(built));
        const QString n = planned.captured(1);
        QVERIFY2(built.contains(QString::fromUtf8("Готово %1 из %1: ").arg(n)), qPrintable(built));
        Shot(w.get(), "log-after-build");

        Key(Qt::Key_F5);
        QVERIFY(WaitIdle(60000));
        auto* output = w->findChild<QPlainTextEdit*>(QStringLiteral("memOutput"));
        const QString expected = QString::fromUtf8(ReadText(root + QStringLiteral("/examples/modules/expected")));
        QVERIFY2(output->toPlainText().startsWith(expected), qPrintable(output->toPlainText()));
        QVERIFY(output->toPlainText().contains(QString::fromUtf8("код завершения 0")));
        QCOMPARE(w->findChild<QTabWidget*>(QStringLiteral("pgcOutput"))->currentWidget()->objectName(), QStringLiteral("tshRun"));
        Shot(w.get(), "output-after-run");
    }

    // The settings dialog and the About box at the normal font and at one and a half times it.
    void dialogsAtTwoFontSizes()
    {
        const QFont normal = QApplication::font();
        for (const auto& [scale, suffix] : {std::pair{1.0, "1x"}, {1.5, "1.5x"}}) {
            QFont f = normal;
            f.setPointSizeF(normal.pointSizeF() * scale);
            QApplication::setFont(f);
            OpenWindow();
            QVERIFY(QTest::qWaitForWindowExposed(w.get()));
            Shot(w.get(), (QByteArray("main-window-") + suffix).constData());
            w->ConfTools()->show();
            w->ConfTools()->adjustSize();
            Shot(w->ConfTools(), (QByteArray("settings-") + suffix).constData());
            w->ConfTools()->hide();
            w->About()->show();
            for (int i = 0; i < 120; ++i) w->About()->tmTimerTimer();  // credits on their way up
            Shot(w->About(), (QByteArray("about-") + suffix).constData());
            w->About()->hide();
            CloseWindow();
        }
        QApplication::setFont(normal);
    }
};

QTEST_MAIN(FirstHourTest)
#include "FirstHourTest.moc"
