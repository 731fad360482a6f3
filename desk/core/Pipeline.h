// The tool pipeline: one console tool at a time, its output captured in vydesklog.tmp and
// shown line by line, and the stages of compile project, compile file, build and version
// information. Two timers drive it; their handlers are plain methods, so tests step them.
//
// Stage   what runs or comes next                  who acts when the tool ends
//  0      compiler, once per file of the step list  logger counts errors, scheduler goes on
//  1      nothing yet; the linker is next           scheduler
//  2      linker                                    logger counts errors, scheduler goes on
//  3      makefile creator                          logger counts errors, scheduler sums up
//  4      compiler on the selected file             logger
//  5      make tool                                 logger
//  6-8    compiler, linker, makefile creator -v     logger starts the next
// 10      make's dry run before a target 4 build    scheduler counts the objects, starts make
#pragma once
#include <QElapsedTimer>
#include <QObject>
#include <QStringList>
#include <memory>

#include "BuildProgress.h"
#include "LogLocations.h"
#include "ProgramRun.h"
#include "ToolProcess.h"

class CDeskProject;
class IDeskPrompts;
class QTemporaryFile;
class QTimer;

class CToolPipeline : public QObject {
    Q_OBJECT
public:
    enum EStage {
        stCompileFiles = 0, stLinkNext = 1, stLinking = 2, stMakegen = 3, stCompileOne = 4,
        stBuild = 5, stVersionVyk = 6, stVersionVybind = 7, stVersionVygen = 8, stIdle = 9, stPlanBuild = 10
    };
    static constexpr int LoggerInterval = 100;   // ms
    static constexpr int ShedullerInterval = 10;  // ms
    static constexpr int LogChunk = 10000;        // bytes per read
    static constexpr int MaxChunksPerTick = 100;  // keeps the window responsive to a flood

    CToolPipeline(CDeskProject& project, IDeskPrompts& prompts, QObject* parent = nullptr);
    ~CToolPipeline() override;

    // Commands of the Run and ? menus.
    void CompileProject();
    void CompileFile(int selected);
    // keepLog: the build follows compile project in one command, whose log stays.
    void BuildExecutable(bool keepLog = false);
    // The arguments are the user's text, split as a command line.
    void RunExecutable(const QString& arguments = QString());
    void ProgramInput(const QString& line);
    void VersionInfo();

    // Starts one tool: the program and its arguments, each passed as it is.
    bool RunTool(const QStringList& command);
    void LoggerTick();
    void ShedullerTick();
    // True while a tool runs or the next one of a command is due.
    bool IsBusy() const;
    // The Stop command: ends the running tool and its children and says so in the log.
    void Stop();
    // The window closes: the same without a word.
    void Shutdown();

    QTimer* tmLogger;
    QTimer* tmSheduller;
    int stage = stIdle;
    int errorCount = 0;
    int stepIndex = 0;
    QStringList steps;
    CLogLocations locations;  // the places that the lines of the last run point to

    QStringList CompilerCommand(const QString& file) const;
    QStringList LinkerCommand() const;
    QStringList MakegenCommand() const;
    QStringList TargetSwitch() const;
    QStringList MakeCommand() const;
    // The objects of a target 4 build: planned from make's dry run, counted as they finish.
    CBuildProgress progress;

signals:
    void CommandsEnabled(bool enabled);
    // The program runs inside the window: its pane is cleared, then fed, then told the end.
    void ProgramStarting();
    void ProgramOutput(const QString& text);
    void ProgramEnded(const QString& text);
    // The log line just added points to the place locations.At(index).
    void LineLocated(int index);

private:
    bool ReadLog();
    void EmitLine(const QByteArray& bytes);
    void CloseLog();
    void ToolEnded();
    void CompileNextFile();
    void NextVersion(int nextStage);
    bool EnterFolder(const QString& folder, bool reportFailure);
    bool PrepareCompilation();
    void Cancel(const QString& dialog);
    QString ProgramName(const QString& makefile);
    bool IsGppTarget() const;
    bool StartDryRun();
    void PlanProgress();
    void StartMake();
    void ReportProgress();
    bool SkipRest(const char* why);
    bool NeedsBuild(const QString& program) const;
    void StartProgram();
    void Summary();

    CDeskProject& p;
    IDeskPrompts& ui;
    CToolProcess process;
    CProgramRun program;
    CToolProcess dryRun;  // make -n, whose output names the objects of the build
    std::unique_ptr<QTemporaryFile> dryOutput;
    QElapsedTimer dryClock;
    QString buildFolder;  // make's folder
    bool runAfter = false;      // Run waits for compile project and build
    QStringList runArguments;
    int logFd = -1;
    QString logPath;
    bool skipLineFeed = false;
    int toolErrorLines = 0;  // ERROR lines of the running tool
    int failedTools = 0;     // tools of compile project that failed or did not start
};
