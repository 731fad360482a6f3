// Core tests of the tool pipeline with fake tools: the order of log lines, the error count of
// compile project, tools that do not start or end without an exit code, long output read in
// chunks, the build and run commands, and the version chain. The timers are stepped by hand.
#include <QSignalSpy>
#include <signal.h>
#include <QTest>
#include <QThread>

#include "DeskTestSupport.h"
#include "Platform.h"
#include "Project.h"
#include "Texts.h"

class PipelineTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    std::unique_ptr<CDeskProject> p;
    std::unique_ptr<CFakePrompts> ui;
    std::unique_ptr<CToolPipeline> pipe;
    QStringList log;
    QList<bool> enabled;

    QString Path(const QString& name) { return dir.filePath(name); }
    static QString U(const char* s) { return QString::fromUtf8(s); }
    // A fake tool under the given name; it runs "<name>.txt" from the current folder unless
    // its first argument is a script.
    QString Tool(const char* name)
    {
        const QString link = Path(QStringLiteral("bin/") + QLatin1String(name));
        QDir().mkpath(Path("bin"));
        QFile::link(QStringLiteral(FAKETOOL), link);
        return link;
    }
    void Run()
    {
        QVERIFY(RunUntilIdle(*pipe));
    }

private slots:
    void init()
    {
        p = std::make_unique<CDeskProject>();
        ui = std::make_unique<CFakePrompts>();
        pipe = std::make_unique<CToolPipeline>(*p, *ui);
        log.clear();
        enabled.clear();
        connect(p.get(), &CDeskProject::Log, this, [this](const QString& line) { log << line; });
        connect(p.get(), &CDeskProject::LogCleared, this, [this] { log.clear(); });
        connect(pipe.get(), &CToolPipeline::CommandsEnabled, this, [this](bool on) { enabled << on; });
        p->settings.vyk = Tool("fakevyk");
        p->settings.vybind = Tool("fakevybind");
        p->settings.vygen = Tool("fakevygen");
        QDir().mkpath(Path("proj"));
        WriteText(Path("proj/p.pro"), "MAIN=c.vyk\r\nTARGET=2\r\nFILE=a.vyk\r\nFILE=b.vyk\r\nFILE=c.vyk\r\n");
        QVERIFY(p->LoadProject(Path("proj/p.pro")));
        WriteText(Path("proj/a.vyk"), "args\n");
        WriteText(Path("proj/b.vyk"), "out ERROR (st 1, pos 1): broken\nexit 1\n");
        WriteText(Path("proj/c.vyk"), "err c on stderr\n");
        WriteText(Path("proj/fakevybind.txt"), "out Vybind - OK\n");
        WriteText(Path("proj/fakevygen.txt"), "args\nout Vygen - OK\n");
    }

    void cleanup()
    {
        pipe.reset();
        ui.reset();
        p.reset();
    }

    void compileProjectRunsEveryStepAndCountsErrors()
    {
        WriteText(Path("proj/CPP/_VYK_make.vym"), "old");
        WriteText(Path("proj/b.vyk"), "out WARNING (st 1, pos 1): unused\n");
        pipe->CompileProject();
        QVERIFY(pipe->tmSheduller->isActive());
        QVERIFY(QFile::exists(Path("proj/vydeskpro.tmp")));
        QVERIFY(!QFile::exists(Path("proj/CPP/_VYK_make.vym")));
        Run();
        const QStringList expected = {
            U("Компиляция проекта..."), "", U("Компиляция \"a.vyk\"..."), "<a.vyk><vydeskpro.tmp><-a>",
            "", U("Компиляция \"b.vyk\"..."), "WARNING (st 1, pos 1): unused",
            "", U("Компиляция \"c.vyk\"..."), "c on stderr",
            "", U("Запуск Vybind..."), "Vybind - OK",
            "", U("Запуск Vygen..."), "<CPP/_VYK_make.vym><CPP/Makefile.mak><-a><-p><2><-cp><c++>", "Vygen - OK",
            "", U("Компиляция проекта завершена, ошибок: 0")};
        QCOMPARE(log, expected);
        QVERIFY(!QFile::exists(Path("proj/vydeskpro.tmp")));
        QVERIFY(!QFile::exists(Path("proj/vydesklog.tmp")));
        QCOMPARE(enabled.last(), true);
        QVERIFY(ui->shown.isEmpty());

        // Two errors in one module and one in another: three errors, and neither the linker
        // nor the makefile creator adds errors of its own.
        WriteText(Path("proj/b.vyk"), "out ERROR (st 1, pos 1): broken\nout ERROR (st 2, pos 1): broken\nexit 1\n");
        WriteText(Path("proj/c.vyk"), "out ERROR (st 1, pos 1): broken\nexit 1\n");
        pipe->CompileProject();
        Run();
        QVERIFY(!log.contains(U("Запуск Vybind...")));
        QCOMPARE(log.mid(log.size() - 4), QStringList({"", U("Vybind и Vygen не запускались: есть ошибки компиляции"), "",
                                                       U("Компиляция проекта завершена, ошибок: 3")}));
        QVERIFY(!QFile::exists(Path("proj/vydeskpro.tmp")));
        QCOMPARE(enabled.last(), true);
    }

    void commandLines()
    {
        p->settings.vygen = QStringLiteral("Vygen");
        p->settings.vyk = QStringLiteral("Vyk");
        p->settings.winToOem = true;
        QCOMPARE(pipe->MakegenCommand(), QStringList({"Vygen", "CPP/_VYK_make.vym", "CPP/Makefile.mak", "-a", "-p", "2", "-c",
                                                      "-cp", "c++"}));
        p->target = 1;
        QCOMPARE(pipe->TargetSwitch(), QStringList({"-p", "1"}));
        p->target = 7;
        QCOMPARE(pipe->TargetSwitch(), QStringList({"-p", "0"}));
        p->settings.vybind = QStringLiteral("/my tools/Vybind");
        QCOMPARE(pipe->LinkerCommand(), QStringList({"/my tools/Vybind", "CPP/_VYK_make.vym", "-a"}));
        p->target = 2;
        p->settings.make = QStringLiteral("\"/my tools/make\" -f Makefile.mak");
        QCOMPARE(pipe->MakeCommand(), QStringList({"/my tools/make", "-f", "Makefile.mak"}));
        // Target 4 runs make with a job per core unless the command sets the jobs itself, and
        // run-time checks add the compiler's -c.
        p->target = 4;
        QCOMPARE(pipe->TargetSwitch(), QStringList({"-p", "4"}));
        QCOMPARE(pipe->MakeCommand().last(), QStringLiteral("-j%1").arg(QThread::idealThreadCount()));
        p->settings.make = QStringLiteral("make -j1 -f Makefile.mak");
        QCOMPARE(pipe->MakeCommand(), QStringList({"make", "-j1", "-f", "Makefile.mak"}));
        QCOMPARE(pipe->CompilerCommand(QStringLiteral("a.vyk")), QStringList({"Vyk", "a.vyk", "vydeskpro.tmp", "-a"}));
        p->checks = true;
        QCOMPARE(pipe->CompilerCommand(QStringLiteral("a.vyk")), QStringList({"Vyk", "a.vyk", "vydeskpro.tmp", "-a", "-c"}));
    }

    // A file name with quotes and blanks reaches the compiler as one argument, so it cannot
    // smuggle in switches of its own (-f would truncate a file of the attacker's choice).
    void fileNameWithQuotesStaysOneArgument()
    {
        const QString crafted = QStringLiteral("a.vyk\" -f victim \"x y.vyk");
        WriteText(Path("proj/p.pro"), "MAIN=a.vyk\r\nTARGET=2\r\nFILE=" + crafted.toUtf8() + "\r\n");
        QVERIFY(p->LoadProject(Path("proj/p.pro")));
        WriteText(Path("proj/fakevyk.txt"), "args\n");
        pipe->CompileFile(0);
        Run();
        QCOMPARE(log.at(1), QLatin1Char('<') + crafted + QStringLiteral("><vydeskpro.tmp><-a>"));
    }

    // A refusal by any tool (a crafted value, a missing program, a crash) ends in an error
    // count above zero, never in success.
    void failedToolsAreCountedAndStopTheChain()
    {
        p->settings.vyk = Path("bin/none");
        pipe->CompileProject();
        Run();
        QVERIFY(log.contains(U("Ошибка запуска компилятора для \"a.vyk\"")));
        QVERIFY(log.contains(U("Ошибка запуска компилятора для \"c.vyk\"")));
        QCOMPARE(log.last(), U("Компиляция проекта завершена, ошибок: 3"));

        p->settings.vyk = Tool("fakevyk");
        WriteText(Path("proj/b.vyk"), "\n");
        WriteText(Path("proj/fakevybind.txt"), "out dying\nkill\n");
        pipe->CompileProject();
        Run();
        const int dying = log.indexOf(QStringLiteral("dying"));
        QVERIFY(dying > 0);
        QCOMPARE(log.at(dying + 1), U("Некорректное завершение запущенного процесса"));
        QVERIFY(log.contains(U("Vygen не запускался: есть ошибки компоновки")));
        QCOMPARE(log.last(), U("Компиляция проекта завершена, ошибок: 1"));

        WriteText(Path("proj/fakevybind.txt"), "out Vybind - OK\n");
        WriteText(Path("proj/fakevygen.txt"), "out ERROR: Incorrect value\nexit 1\n");
        pipe->CompileProject();
        Run();
        QCOMPARE(log.last(), U("Компиляция проекта завершена, ошибок: 1"));
        p->settings.vygen = Path("bin/none");
        pipe->CompileProject();
        Run();
        QVERIFY(log.contains(U("Ошибка запуска Vygen")));
        QCOMPARE(log.last(), U("Компиляция проекта завершена, ошибок: 1"));
    }

    void refusalsBeforeCompiling()
    {
        p->settings.importFolders = {QString(MaxTempProjectValue + 1, QLatin1Char('d'))};
        pipe->CompileProject();
        QCOMPARE(ui->shown, QStringList({U("E:Ошибка при создании промежуточного файла для запуска компилятора")}));
        QCOMPARE(log, QStringList({U("Операция отменена: внутренняя ошибка")}));
        QVERIFY(!pipe->tmSheduller->isActive());
        ui->shown.clear();
        pipe->CompileFile(-1);
        QCOMPARE(ui->shown, QStringList({U("W:Нет выделенного файла")}));
        p->CloseProject();
        ui->shown.clear();
        pipe->CompileProject();
        pipe->BuildExecutable();
        pipe->RunExecutable();
        QCOMPARE(ui->shown, QStringList(3, U("W:Необходимо предварительно создать или открыть проект")));
    }

    void longOutputIsReadInChunksWithoutLoss()
    {
        constexpr int FillBytes = 30000, LineWidth = 100;
        WriteText(Path("proj/a.vyk"), "raw a\\r\\nb\\n\\nc\\td\\re\nfill 30000\n");
        pipe->CompileFile(0);
        QCOMPARE(pipe->stage, int(CToolPipeline::stCompileOne));
        Run();
        QCOMPARE(log.mid(0, 5), QStringList({U("Компиляция \"a.vyk\"..."), "a", "b", "", "c d"}));
        int xs = 0;
        for (const QString& line : log.mid(5)) {
            QVERIFY(line.size() <= LineWidth);
            xs += line.count(QLatin1Char('x'));
        }
        QCOMPARE(xs, FillBytes - FillBytes / LineWidth);
        QVERIFY(log.mid(5).join(QString()).startsWith(QStringLiteral("ex")));
        QVERIFY(!QFile::exists(Path("proj/vydeskpro.tmp")));
        QCOMPARE(enabled, QList<bool>({false, true}));
    }

    void floodIsReadOverSeveralTicks()
    {
        constexpr int FillBytes = 3000000, LineWidth = 100;
        WriteText(Path("proj/a.vyk"), "fill 3000000\n");
        pipe->CompileFile(0);
        // Waits without the event loop: a wait that ran it (QTRY_*) would let the pipeline's own
        // logger timer read the log before the test steps it.
        QVERIFY(WaitWithoutEvents([&] { return QFileInfo(Path("proj/vydesklog.tmp")).size() == FillBytes; }, 30000));
        QTest::qSleep(200);  // the tool has ended, its output is not read yet
        QVERIFY(!log.join(QString()).contains(QLatin1Char('x')));
        pipe->LoggerTick();
        QVERIFY(pipe->tmLogger->isActive());  // more than one tick's worth
        Run();
        int xs = 0;
        for (const QString& line : log) xs += line.count(QLatin1Char('x'));
        QCOMPARE(xs, FillBytes - FillBytes / LineWidth);
        QCOMPARE(enabled.last(), true);
    }

    void secondToolIsRefusedWhileOneRuns()
    {
        WriteText(Path("proj/a.vyk"), "out started\nsleep 1000\nout done\n");
        pipe->CompileFile(0);
        QVERIFY(pipe->tmLogger->isActive());
        QVERIFY(!pipe->RunTool({QStringLiteral("true")}));
        QCOMPARE(ui->shown, QStringList({U("E:Внутренняя ошибка: не завершен предыдущий процесс")}));
        pipe->LoggerTick();
        QVERIFY(pipe->tmLogger->isActive());  // still writing
        Run();
        QCOMPARE(log.last(), QStringLiteral("done"));
    }

    void buildRunsMakeInCppAndJudgesByExitCode()
    {
        pipe->BuildExecutable();
        QCOMPARE(ui->shown, QStringList({U("W:Необходимо предварительно откомпилировать проект")}));
        QCOMPARE(log, QStringList({U("Операция отменена: проект не откомпилирован")}));
        QCOMPARE(QDir::currentPath(), QDir(Path("proj")).absolutePath());

        WriteText(Path("proj/CPP/Makefile.mak"), "DIR_NAME=../Make\nEXE_NAME=a\n");
        WriteText(Path("proj/Make/a"), "old program");
        WriteText(Path("proj/CPP/make.txt"), "args\nerr compiling\nexit 0\n");
        p->settings.make = QStringLiteral(FAKETOOL) + QStringLiteral(" make.txt -f Makefile.mak");
        pipe->BuildExecutable();
        QVERIFY(!QFile::exists(Path("proj/Make/a")));
        Run();
        QCOMPARE(log, QStringList({U("Сборка исполняемого файла..."), "", "<make.txt><-f><Makefile.mak>", "compiling", "",
                                   U("Сборка завершена, ошибок нет")}));
        QCOMPARE(QDir::currentPath(), QDir(Path("proj")).absolutePath());

        WriteText(Path("proj/CPP/make.txt"), "exit 2\n");
        pipe->BuildExecutable();
        Run();
        QCOMPARE(log.last(), U("Обнаружены ошибки при сборке исполняемого файла"));
        p->settings.make = Path("bin/none");
        pipe->BuildExecutable();
        QCOMPARE(log.last(), U("Ошибка при запуске make"));
        QCOMPARE(QDir::currentPath(), QDir(Path("proj")).absolutePath());
    }

    // A project file or a makefile that names the program "../../x" gets neither that file
    // deleted nor make started; the user is told why.
    void buildDeletesOnlyTheProgramInsideMake()
    {
        WriteText(Path("outside"), "precious");
        WriteText(Path("proj/Make/inner"), "keep");
        WriteText(Path("proj/CPP/make.txt"), "out make ran\n");
        p->settings.make = QStringLiteral(FAKETOOL) + QStringLiteral(" make.txt");
        const QByteArray crafted[] = {"EXE_NAME=../../outside\n", "EXE_NAME=..\n", "NAME=x\n"};
        p->execName = QStringLiteral("../../outside");
        for (const QByteArray& makefile : crafted) {
            WriteText(Path("proj/CPP/Makefile.mak"), makefile);
            ui->shown.clear();
            pipe->BuildExecutable();
            QVERIFY(!pipe->IsBusy());
            QCOMPARE(ui->shown.size(), 1);
            QVERIFY(ui->shown.front().startsWith(U("E:Недопустимое имя исполняемого файла")));
            QVERIFY(!log.contains(QStringLiteral("make ran")));
        }
        QCOMPARE(ReadText(Path("outside")), QByteArray("precious"));
        QCOMPARE(ReadText(Path("proj/Make/inner")), QByteArray("keep"));

        ui->shown.clear();
        QDir().mkpath(Path("proj/Make/sub"));
        WriteText(Path("proj/CPP/Makefile.mak"), "EXE_NAME=sub\n");
        pipe->BuildExecutable();
        QVERIFY(QFileInfo(Path("proj/Make/sub")).isDir());
        QVERIFY(!pipe->IsBusy());
        p->target = 0;
        pipe->BuildExecutable();
        QCOMPARE(ui->shown.last().left(2), QStringLiteral("W:"));
        QVERIFY(!pipe->IsBusy());
    }

    // Stop ends the tool with the processes it started, removes the temporary files and gives
    // the commands back.
    void stopEndsTheToolAndItsChildren()
    {
        WriteText(Path("proj/CPP/Makefile.mak"), "EXE_NAME=a\n");
        WriteText(Path("proj/CPP/child.sh"), "sleep 30 &\necho $! > child.pid\nwait\n");
        p->settings.make = QStringLiteral("sh child.sh");
        pipe->BuildExecutable();
        QVERIFY(pipe->IsBusy());
        QTRY_VERIFY(QFileInfo(Path("proj/CPP/child.pid")).size() > 0);
        const pid_t child = ReadText(Path("proj/CPP/child.pid")).trimmed().toInt();
        pipe->Stop();
        QVERIFY(!pipe->IsBusy());
        QCOMPARE(log.last(), U("Остановлено пользователем"));
        QCOMPARE(enabled.last(), true);
        QVERIFY(!QFile::exists(Path("proj/CPP/vydesklog.tmp")));
        QTRY_VERIFY(::kill(child, 0) != 0);
    }

    // make's dry run before a build with one object per module runs in the background: the
    // command returns while it runs, Stop ends it, and the count comes when it has ended.
    void dryRunDoesNotHoldTheWindow()
    {
        p->target = 4;
        WriteText(Path("proj/CPP/Makefile.mak"), "EXE_NAME=a\n");
        WriteText(Path("proj/CPP/make.sh"), "case \" $* \" in *' -n '*)\n"
                                            "  echo $$ > dry.pid\n"
                                            "  while [ ! -f go ]; do sleep 0.02; done\n"
                                            "  echo 'c++ -c A.cpp -o ../Make/obj/A.o'; echo 'c++ -c B.cpp -o ../Make/obj/B.o';;\n"
                                            "*) echo made;;\n"
                                            "esac\n");
        p->settings.make = QStringLiteral("sh make.sh");
        pipe->BuildExecutable();
        QVERIFY(pipe->IsBusy());
        QCOMPARE(enabled.last(), false);
        QTRY_VERIFY(QFileInfo(Path("proj/CPP/dry.pid")).size() > 0);
        const pid_t dry = ReadText(Path("proj/CPP/dry.pid")).trimmed().toInt();
        QCOMPARE(::kill(dry, 0), 0);  // still waiting for its gate
        QCOMPARE(pipe->stage, int(CToolPipeline::stPlanBuild));
        pipe->Stop();
        QVERIFY(!pipe->IsBusy());
        QCOMPARE(log, QStringList({U("Сборка исполняемого файла..."), "", "", U("Остановлено пользователем")}));
        QCOMPARE(enabled.last(), true);
        QTRY_VERIFY(::kill(dry, 0) != 0);

        WriteText(Path("proj/CPP/go"), "");
        pipe->BuildExecutable();
        Run();
        QCOMPARE(log, QStringList({U("Сборка исполняемого файла..."), "", U("Объектов к компиляции: 2"), "made", "",
                                   U("Сборка завершена, ошибок нет")}));
        QCOMPARE(QDir::currentPath(), QDir(Path("proj")).absolutePath());
        QCOMPARE(enabled.last(), true);
    }

    void runWritesScriptAndOpensTerminal()
    {
        p->target = 0;
        ui->shown.clear();
        pipe->RunExecutable();
        QCOMPARE(ui->shown.size(), 1);
        QVERIFY(ui->shown.front().startsWith(U("W:Необходимо предварительно откомпилировать проект")));
        p->target = 2;
        WriteText(Path("proj/CPP/Makefile.mak"), "EXE_NAME=prog\n");
        WriteText(Path("proj/Make/prog"), "");
        DeskPlatform::SetTerminalCommand({QStringLiteral("true")});
        p->settings.usePause = false;
        ui->shown.clear();
        pipe->RunExecutable(QStringLiteral("one \"two words\" it's"));
        QVERIFY(ui->shown.isEmpty());
        const QByteArray script = ReadText(Path("proj/Make/prog.sh"));
        QVERIFY(script.contains("./'prog' 'one' 'two words' 'it'\\''s'\necho\n"));
        QVERIFY(!script.contains("read"));
        p->settings.usePause = true;
        pipe->RunExecutable();
        QVERIFY(ReadText(Path("proj/Make/prog.sh")).contains("./'prog'\necho\n"));
        QVERIFY(ReadText(Path("proj/Make/prog.sh")).contains("read dummy"));
        DeskPlatform::SetTerminalCommand({Path("bin/none")});
        pipe->RunExecutable();
        QCOMPARE(ui->shown, QStringList({U("E:Ошибка при запуске исполняемого файла")}));
        QCOMPARE(QDir::currentPath(), QDir(Path("proj")).absolutePath());
        DeskPlatform::SetTerminalCommand({});
    }

    // Without a terminal the program runs in the window: its output and exit code (with the
    // trap's meaning) reach the output pane, its input comes from the window, its arguments
    // stay whole, and a source newer than the program is compiled and built first.
    void runInsideTheWindow()
    {
        DeskPlatform::SetTerminalsHidden(true);
        QString output, ended;
        connect(pipe.get(), &CToolPipeline::ProgramOutput, this, [&](const QString& t) { output += t; });
        connect(pipe.get(), &CToolPipeline::ProgramEnded, this, [&](const QString& t) { ended = t; });
        WriteText(Path("proj/CPP/Makefile.mak"), "EXE_NAME=prog\n");
        WriteText(Path("proj/CPP/build.sh"), "printf '#!/bin/sh\\nfor a; do echo \"<$a>\"; done\\n"
                                             "read line; echo \"got $line\"; exit 253\\n' > ../Make/prog\n"
                                             "chmod +x ../Make/prog\n");
        p->settings.make = QStringLiteral("sh build.sh");
        WriteText(Path("proj/b.vyk"), "\n");
        pipe->RunExecutable(QStringLiteral("\"a b\" c"));
        QVERIFY(log.contains(U("Исходные тексты новее программы: сначала компиляция и сборка")));
        Run();
        QVERIFY(log.contains(U("Сборка завершена, ошибок нет")));
        QTRY_VERIFY(pipe->IsBusy());
        QTRY_COMPARE(output, QStringLiteral("<a b>\n<c>\n"));
        QCOMPARE(enabled.last(), false);
        pipe->ProgramInput(U("строка"));
        QTRY_VERIFY(!pipe->IsBusy());
        QCOMPARE(output, QStringLiteral("<a b>\n<c>\n") + U("got строка\n"));
        QCOMPARE(ended, U("Программа завершена, код завершения 253 (ASSERT без кода: условие ложно)"));
        QCOMPARE(log.last(), ended);
        QCOMPARE(enabled.last(), true);

        // Up to date now: no build, and Stop ends a program that waits for input.
        log.clear();
        pipe->RunExecutable();
        QVERIFY(!log.contains(U("Сборка исполняемого файла...")));
        QVERIFY(pipe->IsBusy());
        pipe->Stop();
        QTRY_VERIFY(!pipe->IsBusy());
        QCOMPARE(ended, U("Программа остановлена или завершена сигналом"));

        // A failed compile runs nothing.
        {
            QFile prog(Path("proj/Make/prog"));
            QVERIFY(prog.open(QIODevice::ReadWrite));
            QVERIFY(prog.setFileTime(QDateTime::currentDateTime().addSecs(-100), QFileDevice::FileModificationTime));
        }
        WriteText(Path("proj/b.vyk"), "out ERROR (st 1, pos 1): broken\nexit 1\n");
        pipe->RunExecutable();
        Run();
        QCOMPARE(log.last(), U("Программа не запущена: есть ошибки"));
        QVERIFY(!pipe->IsBusy());
        DeskPlatform::SetTerminalsHidden(false);
    }

    void versionChainGoesOnPastMissingTools()
    {
        WriteText(Path("proj/fakevybind.txt"), "out Vybind version 1.0\n");
        p->settings.vyk = Path("bin/none");
        p->settings.vygen = Path("bin/none");
        pipe->VersionInfo();
        Run();
        QCOMPARE(log, QStringList({"Vydesk v1.8.35", "", U("Получение информации о версиях инструментальных средств..."), "",
                                   U("Ошибка получения информации о версии VYK"), "Vybind version 1.0",
                                   U("Ошибка получения информации о версии Vygen"), "",
                                   U("Информация о версиях получена")}));
        p->settings.vybind = Path("bin/none");
        pipe->VersionInfo();
        QVERIFY(!pipe->tmLogger->isActive());  // everything happened at once
        QCOMPARE(log.mid(4), QStringList({U("Ошибка получения информации о версии VYK"),
                                          U("Ошибка получения информации о версии Vybind"),
                                          U("Ошибка получения информации о версии Vygen"), "",
                                          U("Информация о версиях получена")}));
    }
};

QTEST_GUILESS_MAIN(PipelineTest)
#include "PipelineTest.moc"
