// What went wrong for a new user on a Linux desktop, one window test each, on the offscreen
// platform with the real console programs and library beside the test (build/bin), the way
// Vydesk finds them: the library as an import folder, IMPORT lines of a project file, the
// compile order, running without a terminal and in xterm, building before a run and the exit
// code's meaning, progress and Stop, commands while a tool runs, the nmake targets on Linux,
// the error count, and the keyboard, the log and the sizes of the controls.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QThread>
#include <algorithm>
#include <csignal>

#include "About.h"
#include "ConfTools.h"
#include "DeskWindowSupport.h"
#include "Platform.h"
#include "Texts.h"

using A = IDeskPrompts::EAnswer;
using DeskDialogs::EKind;

class NewUserTest : public QObject, CDeskWindowFixture {
    Q_OBJECT

    void Open(const QString& pro)
    {
        DeskDialogs::SetNextFileNames({pro});
        Trigger("miOpenPro");
        QCOMPARE(w->project.projectFile, pro);
    }
    static void Age(const QString& path)
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.setFileTime(QDateTime::currentDateTime().addSecs(-60), QFileDevice::FileModificationTime));
    }
    // A project whose program is already built: a shell script standing in for it in Make/,
    // named by the makefile, and a source older than it.
    void BuiltProject(const QByteArray& program)
    {
        WriteText(Path("run/run.pro"), "MAIN=hello.vyk\r\nTARGET=4\r\nFILE=hello.vyk\r\n");
        WriteText(Path("run/hello.vyk"), "MODULE hello; END hello.");
        Age(Path("run/hello.vyk"));
        WriteText(Path("run/CPP/Makefile.mak"), "DIR_NAME = ../Make\nEXE_NAME = hello\n");
        WriteText(Path("run/Make/hello"), "#!/bin/sh\n" + program);
        QFile::setPermissions(Path("run/Make/hello"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        Open(Path("run/run.pro"));
    }

private slots:
    void initTestCase()
    {
        DeskDialogs::EnableSeam(true);
        DeskPlatform::SetTerminalsHidden(true);
    }

    void init() { OpenWindow(); }
    void cleanup() { CloseWindow(); }

    // 1. The library is an import folder from the first start, and folders are chosen as folders.
    void libraryIsAnImportFolderFromTheStart()
    {
        const QString library = QFileInfo(QStringLiteral(VYK_SOURCE_DIR "/lib")).canonicalFilePath() + QLatin1Char('/');
        QCOMPARE(w->project.settings.importFolders, QStringList({library}));
        QCOMPARE(Ctl<QListWidget>("lbxPaths")->item(0)->text(), library);
        QDir().mkpath(Path("mylib"));
        DeskDialogs::SetNextFileNames({Path("mylib")});
        Trigger("miAddPath");
        QCOMPARE(w->project.settings.importFolders, QStringList({library, Path("mylib/")}));
    }

    // 2. A project's own IMPORT lines survive an edit and Ctrl+S.
    void projectImportLinesSurviveASave()
    {
        WriteText(Path("imp/imp.pro"), "IMPORT=/opt/vyk/extra/\r\nTARGET=2\r\nFILE=a.vyk\r\nFILE=b.vyk\r\n");
        Open(Path("imp/imp.pro"));
        Ctl<QListWidget>("lbxFiles")->setCurrentRow(1);
        Trigger("miFileUp");
        Key(Qt::Key_S, Qt::ControlModifier);
        QVERIFY(!w->project.modified);
        QVERIFY(ReadText(Path("imp/imp.pro")).startsWith("IMPORT=/opt/vyk/extra/\r\n"));
        QVERIFY(ReadText(Path("imp/imp.pro")).endsWith("FILE=b.vyk\r\nFILE=a.vyk\r\n"));
    }

    // 3. Modules added at once in the wrong order compile in the order of their imports, the
    // first time, with no definition file left from an earlier run; a cycle is named.
    void compileOrderFollowsImports()
    {
        AddExampleModules();
        Key(Qt::Key_F7);
        QVERIFY(WaitIdle());
        const QString log = Log().join(QLatin1Char('\n'));
        QVERIFY2(log.endsWith(U("Компиляция проекта завершена, ошибок: 0")), qPrintable(log));
        QVERIFY(log.indexOf(QStringLiteral("\"Rationals.vyk\"")) < log.indexOf(QStringLiteral("\"Stacks.vyk\"")));
        QVERIFY(log.indexOf(QStringLiteral("\"Stacks.vyk\"")) < log.indexOf(QStringLiteral("\"Calc.vyk\"")));
        QCOMPARE(w->project.files, QStringList({"Calc.vyk", "Rationals.vyk", "Stacks.vyk"}));  // as the user has them

        WriteText(Path("calc/Rationals.vyk"), "MODULE Rationals; IMPORT Calc; END Rationals.");
        DeskDialogs::ClearShown();
        Key(Qt::Key_F7);
        QVERIFY(WaitIdle());
        const QString cycle = LastShown(EKind::Error);
        QVERIFY2(cycle.startsWith(U("Циклический импорт модулей")), qPrintable(cycle));
        for (const char* m : {"Calc", "Rationals", "Stacks"}) QVERIFY2(cycle.contains(QLatin1String(m)), m);
        QVERIFY(!Log().join(QLatin1Char('\n')).contains(U("Компиляция \"")));
    }

    // 4. Without a terminal the program runs in the output pane, reading the input line; with
    // xterm, xterm gets a font that has Cyrillic letters and UTF-8.
    void runsInThePaneOrInXterm()
    {
        BuiltProject("echo 'Привет!'\nread name\necho \"Здравствуй, $name\"\n");
        Key(Qt::Key_F5);
        QCOMPARE(Ctl<QTabWidget>("pgcOutput")->currentWidget()->objectName(), QStringLiteral("tshRun"));
        auto* output = Ctl<QPlainTextEdit>("memOutput");
        QTRY_VERIFY(output->toPlainText().contains(U("Привет!")));
        QVERIFY(DeskDialogs::Shown().empty());
        Ctl<QLineEdit>("edInput")->setText(U("Вася"));
        QTest::keyClick(Ctl<QLineEdit>("edInput"), Qt::Key_Return);
        QVERIFY(WaitIdle(10000));
        QVERIFY2(output->toPlainText().contains(U("Здравствуй, Вася")), qPrintable(output->toPlainText()));
        QVERIFY(output->toPlainText().contains(U("код завершения 0")));

        // A machine with xterm only.
        const QByteArray path = qgetenv("PATH");
        WriteText(Path("xbin/xterm"), "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"" + Path("xterm-args").toUtf8() + "\"\n");
        QFile::setPermissions(Path("xbin/xterm"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("PATH", QFile::encodeName(Path("xbin")));
        DeskPlatform::SetTerminalsHidden(false);
        Key(Qt::Key_F5);
        qputenv("PATH", path);
        DeskPlatform::SetTerminalsHidden(true);
        QTRY_VERIFY(QFileInfo(Path("xterm-args")).size() > 0);
        const QStringList args = QString::fromUtf8(ReadText(Path("xterm-args"))).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(args.mid(0, 5), QStringList({"-fa", "Monospace", "-fs", "11", "-u8"}));
        QCOMPARE(args.mid(5), QStringList({"-e", "sh", Path("run/Make/hello.sh")}));
    }

    // 5. The arguments field reaches the program, a trap's exit code is explained, and a source
    // newer than the program makes Run build first.
    void runPassesArgumentsTellsTrapsAndBuildsFirst()
    {
        BuiltProject("echo \"[$1] [$2]\"\nexit 253\n");
        Ctl<QLineEdit>("edArgs")->setText(QStringLiteral("one \"two words\""));
        Key(Qt::Key_F5);
        QVERIFY(WaitIdle(10000));
        const QString out = Ctl<QPlainTextEdit>("memOutput")->toPlainText();
        QVERIFY2(out.contains(QStringLiteral("[one] [two words]")), qPrintable(out));
        QVERIFY2(out.contains(QStringLiteral("253")) && out.contains(U("ASSERT без кода: условие ложно")), qPrintable(out));

        WriteText(Path("run/hello.vyk"), "MODULE hello; BEGIN undefined := 1 END hello.");
        Key(Qt::Key_F5);
        QVERIFY(WaitIdle());
        const QStringList log = Log();
        QCOMPARE(log.first(), U("Исходные тексты новее программы: сначала компиляция и сборка"));
        QVERIFY(log.contains(U("Компиляция \"hello.vyk\"...")));
        QCOMPARE(log.last(), U("Программа не запущена: есть ошибки"));
    }

    // 6. A build with one object per module runs make with -j and counts the objects as they
    // are written; Stop (Esc) ends make and its children and leaves no temporary file; closing
    // the window while make runs asks first.
    void buildShowsProgressAndStops()
    {
        BuiltProject("exit 0\n");
        QCOMPARE(w->project.target, 4);
        WriteText(Path("run/CPP/fakemake.sh"),
                  "case \" $* \" in *' -n '*)\n"
                  "  for m in A B C; do echo \"c++ -O2 -MMD -MP -c \\\"$m.cpp\\\" -o ../Make/obj/$m.o\"; done\n"
                  "  echo 'c++ -O2 -o ../Make/hello ../Make/obj/A.o ../Make/obj/B.o ../Make/obj/C.o'; exit 0;;\n"
                  "esac\n"
                  "echo \"make $*\"\nmkdir -p ../Make/obj\n"
                  "for m in A B C; do sleep 0.3; echo x > ../Make/obj/$m.o; done\n"
                  "echo x > ../Make/hello\n");
        WriteText(Path("run/Make/obj/B.o"), "old");  // an object from an earlier build counts when written anew
        Age(Path("run/Make/obj/B.o"));
        w->project.settings.make = QStringLiteral("sh fakemake.sh -f Makefile.mak");
        Key(Qt::Key_F8);
        QVERIFY(WaitIdle(20000));
        QStringList log = Log();
        const QString jobs = QStringLiteral("-j%1").arg(QThread::idealThreadCount());
        QVERIFY2(log.contains(QStringLiteral("make -f Makefile.mak ") + jobs), qPrintable(log.join('\n')));
        QVERIFY(log.contains(U("Объектов к компиляции: 3")));
        const int first = int(log.indexOf(U("Готово 1 из 3: A.o")));
        QVERIFY2(first > 0, qPrintable(log.join('\n')));
        QCOMPARE(log.mid(first, 3), QStringList({U("Готово 1 из 3: A.o"), U("Готово 2 из 3: B.o"), U("Готово 3 из 3: C.o")}));
        QCOMPARE(log.last(), U("Сборка завершена, ошибок нет"));

        WriteText(Path("run/CPP/fakemake.sh"), "case \" $* \" in *' -n '*) exit 0;; esac\nsleep 30 &\necho $! > child.pid\nwait\n");
        Key(Qt::Key_F8);
        QTRY_VERIFY(QFileInfo(Path("run/CPP/child.pid")).size() > 0);
        const pid_t child = ReadText(Path("run/CPP/child.pid")).trimmed().toInt();
        QVERIFY(Act("miStop")->isEnabled());
        QTest::keyClick(Ctl<QListWidget>("lbxLog"), Qt::Key_Escape);
        QVERIFY(!w->pipeline->IsBusy());
        QCOMPARE(Log().last(), U("Остановлено пользователем"));
        QTRY_VERIFY(::kill(child, 0) != 0);
        QVERIFY(!QFile::exists(Path("run/CPP/vydesklog.tmp")));

        QFile::remove(Path("run/CPP/child.pid"));
        Key(Qt::Key_F8);
        QTRY_VERIFY(QFileInfo(Path("run/CPP/child.pid")).size() > 0);
        const pid_t second = ReadText(Path("run/CPP/child.pid")).trimmed().toInt();
        DeskDialogs::SetNextAnswer(A::Cancel);
        QVERIFY(!w->close());
        QVERIFY(w->pipeline->IsBusy());
        QCOMPARE(LastShown(EKind::Question), U("Запущенный процесс будет остановлен. Выйти из Vydesk ?"));
        DeskDialogs::SetNextAnswer(A::Yes);
        QVERIFY(w->close());
        QTRY_VERIFY(::kill(second, 0) != 0);
        QVERIFY(!QFile::exists(Path("run/CPP/vydesklog.tmp")));
        QVERIFY(!QFile::exists(Path("run/vydeskpro.tmp")));
    }

    // 7. While a tool runs nothing starts another one, changes the project or opens another.
    void commandsRestWhileAToolRuns()
    {
        BuiltProject("exit 0\n");
        WriteText(Path("run/CPP/fakemake.sh"), "case \" $* \" in *' -n '*) exit 0;; esac\nsleep 1\n");
        w->project.settings.make = QStringLiteral("sh fakemake.sh");
        WriteText(Path("other.pro"), "FILE=x.vyk\r\n");
        Key(Qt::Key_F8);
        QVERIFY(w->pipeline->IsBusy());
        QVERIFY(!w->findChild<QMenu*>(QStringLiteral("miReopen"))->isEnabled());
        for (const char* name : {"miOpenPro", "miCreatePro", "miCompileAll", "miCompile", "miMake",
                                 "miRunExec", "miAddFile", "miRemoveFile", "miClear", "miConfTools", "tbOpenPro", "tbRunExec"})
            QVERIFY2(!Act(name)->isEnabled(), name);
        QVERIFY(!Ctl<QComboBox>("cbxTarget")->isEnabled());
        DeskDialogs::SetNextFileNames({Path("other.pro")});
        Key(Qt::Key_O, Qt::ControlModifier);
        Key(Qt::Key_F5);
        QCOMPARE(w->project.projectFile, Path("run/run.pro"));
        QCOMPARE(DeskDialogs::OpenFile(w.get(), DeskText::FilterOpenPro), Path("other.pro"));  // still queued
        QVERIFY(WaitIdle(10000));
        QVERIFY(Act("miOpenPro")->isEnabled());
        QVERIFY(!Act("miStop")->isEnabled());
        QVERIFY(!QFile::exists(Path("run/CPP/vydesklog.tmp")));
    }

    // 8. On Linux the nmake targets say they build on Windows only and delete nothing; texts and
    // filters speak of Linux folders and files.
    void nmakeTargetsAndWindowsTextsOnLinux()
    {
        BuiltProject("exit 0\n");
        Ctl<QComboBox>("cbxTarget")->activated(0);
        Key(Qt::Key_F8);
        QVERIFY(QFile::exists(Path("run/Make/hello")));
        QVERIFY(LastShown(EKind::Warning).contains(U("только в Windows")));
        QVERIFY(!Log().join(QLatin1Char('\n')).contains(QStringLiteral("VCVARS32")));
        QVERIFY(Ctl<QComboBox>("cbxTarget")->itemText(0).contains(U("только Windows")));
        QVERIFY(!QString::fromUtf8(DeskText::ClearQuestion).contains(QLatin1Char('\\')));
        const QString filters = DeskDialogs::QtFilter(DeskText::FilterFiles) + DeskDialogs::QtFilter(DeskText::FilterOpenPro);
        QVERIFY(!filters.contains(QStringLiteral("*.o ")) && !filters.contains(QStringLiteral("*.o)")));
        QVERIFY(!filters.contains(QStringLiteral("*.exe")));
        for (QLabel* l : w->ConfTools()->findChildren<QLabel*>()) QVERIFY2(!l->text().contains(QStringLiteral("MinGW")), qPrintable(l->text()));
    }

    // 9. The summary counts error lines, and after a failed compile the linker and the makefile
    // creator are skipped with one line saying why.
    void summaryCountsErrors()
    {
        WriteText(Path("err/err.pro"), "MAIN=Bad.vyk\r\nTARGET=4\r\nFILE=Bad.vyk\r\n");
        // A missing import gives two error lines in one run of the compiler.
        WriteText(Path("err/Bad.vyk"), "MODULE Bad;\nIMPORT Missing;\nEND Bad.\n");
        Open(Path("err/err.pro"));
        Key(Qt::Key_F7);
        QVERIFY(WaitIdle());
        const QStringList log = Log();
        const int errors = int(std::count_if(log.begin(), log.end(), [](const QString& l) { return l.contains(QStringLiteral("ERROR")); }));
        QVERIFY2(errors >= 2, qPrintable(log.join('\n')));
        QCOMPARE(log.last(), U("Компиляция проекта завершена, ошибок: ") + QString::number(errors));
        QVERIFY(log.contains(U("Vybind и Vygen не запускались: есть ошибки компиляции")));
        QVERIFY(!log.contains(U("Запуск Vybind...")));
    }

    // 10. Keys under a Latin layout, shortcuts in the menus, Qt's dialogs in Russian, the log
    // (monospace, scrolled sideways, several lines copied), no clipped caption at 1x and 1.5x,
    // and a window that opens large enough and keeps its place and size.
    void keyboardLogAndSizes()
    {
        QTest::keyClick(Ctl<QListWidget>("lbxFiles"), Qt::Key_A, Qt::AltModifier);
        QCOMPARE(w->menuBar()->activeAction(), w->findChild<QMenu*>(QStringLiteral("miFile"))->menuAction());
        w->menuBar()->setActiveAction(nullptr);
        QTest::keyClick(Ctl<QListWidget>("lbxFiles"), Qt::Key_F10);
        QCOMPARE(w->menuBar()->activeAction(), w->findChild<QMenu*>(QStringLiteral("miFile"))->menuAction());
        w->menuBar()->setActiveAction(nullptr);
        for (const char* name : {"miCreatePro", "miOpenPro", "miCompileAll", "miMake", "miRunExec", "miStop", "miAddPath", "miConfTools"})
            QVERIFY2(!Act(name)->shortcut().isEmpty(), name);
        QVERIFY(DeskDialogs::InstallQtTranslations());
        QCOMPARE(QCoreApplication::translate("QFileDialog", "&Open"), U("&Открыть"));

        auto* log = Ctl<QListWidget>("lbxLog");
        QCOMPARE(log->fontMetrics().horizontalAdvance(QStringLiteral("iiii")), log->fontMetrics().horizontalAdvance(QStringLiteral("WWWW")));
        w->AddLog(QString(400, QLatin1Char('x')));
        w->AddLog(QStringLiteral("second"));
        w->AddLog(QStringLiteral("third"));
        QApplication::processEvents();
        QVERIFY(log->horizontalScrollBar()->maximum() > 0);
        log->clearSelection();
        log->item(0)->setSelected(true);
        log->item(2)->setSelected(true);
        log->setFocus();
        QTest::keyClick(log, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text().mid(396), QStringLiteral("xxxx\nthird"));

        const QRect avail = w->screen()->availableGeometry();
        QVERIFY(w->width() >= qMin(900, int(avail.width() * 0.85)) && w->height() >= qMin(600, int(avail.height() * 0.85)));
        QVERIFY(log->height() > 5 * log->fontMetrics().height());
        const QFont normal = QApplication::font();
        for (double scale : {1.0, 1.5}) {
            QFont f = normal;
            f.setPointSizeF(normal.pointSizeF() * scale);
            QApplication::setFont(f);
            TfrVydesk big;
            big.Start(Path("big.ini"), {});
            big.show();
            QVERIFY(QTest::qWaitForWindowExposed(&big));
            const QList<QWidget*> shown = {&big, big.ConfTools()};
            big.ConfTools()->show();
            for (QWidget* top : shown)
                for (QAbstractButton* b : top->findChildren<QAbstractButton*>()) {
                    if (!b->isVisible()) continue;
                    const QString what = QStringLiteral("%1 at %2").arg(b->text()).arg(scale);
                    if (qobject_cast<QCheckBox*>(b)) QVERIFY2(b->width() >= b->sizeHint().width(), qPrintable(what));
                    if (qobject_cast<QPushButton*>(b))
                        QVERIFY2(b->width() >= b->fontMetrics().horizontalAdvance(b->text()) + 4, qPrintable(what));
                }
            auto* target = big.findChild<QComboBox*>(QStringLiteral("cbxTarget"));
            QVERIFY(target->width() > target->fontMetrics().horizontalAdvance(target->currentText()) + 16);
            for (QLineEdit* e : big.ConfTools()->findChildren<QLineEdit*>())
                QVERIFY2(e->height() >= e->sizeHint().height(), qPrintable(e->objectName()));
            big.ConfTools()->hide();
            TfrAbout* about = big.About();
            about->show();
            const QRect version(about->findChild<QLabel*>(QStringLiteral("lbVersion"))->mapTo(about, QPoint()),
                                about->findChild<QLabel*>(QStringLiteral("lbVersion"))->size());
            const QRect credits(about->pbText->mapTo(about, QPoint()), about->pbText->size());
            QVERIFY2(!version.intersects(credits), qPrintable(QStringLiteral("at %1").arg(scale)));
            QVERIFY(about->rect().contains(version));
            QVERIFY(about->findChild<QLabel*>(QStringLiteral("lbVersion"))->width() >=
                    about->findChild<QLabel*>(QStringLiteral("lbVersion"))->sizeHint().width());
            about->hide();
            big.project.modified = false;
        }
        QApplication::setFont(normal);

        w->setGeometry(QRect(40, 50, 700, 500));
        QVERIFY(w->close());
        TfrVydesk again;
        again.Start(Path("Vydesk.ini"), {});
        QCOMPARE(again.size(), QSize(700, 500));
    }
};

QTEST_MAIN(NewUserTest)
#include "NewUserTest.moc"
