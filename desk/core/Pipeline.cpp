// The stage machine of the tool runs and the five commands that start it. Tool output is read
// from the log file in chunks and split into log lines; a tool is judged by its exit code only.
#include "Pipeline.h"

#include <fcntl.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <QThread>
#include <QTimer>

#include "ModuleOrder.h"
#include "Platform.h"
#include "Project.h"
#include "Prompts.h"
#include "Texts.h"

using namespace DeskText;

namespace {

constexpr const char* BuildDescription = "CPP/_VYK_make.vym";
// The start of every error line of the compiler, the linker and the makefile creator.
constexpr const char* ErrorPrefix = "ERROR";
constexpr int TargetVcWindowed = 1;
constexpr int TargetGppConsole = 2;
constexpr int TargetGppWindowed = 3;
constexpr int DryRunLimit = 10000;  // ms for make's dry run before a build

QString Quote(const QString& s)
{
    return QLatin1Char('"') + s + QLatin1Char('"');
}

// Shows the busy cursor for the length of a command.
class CBusy {
public:
    explicit CBusy(IDeskPrompts& prompts) : ui(prompts) { ui.SetBusy(true); }
    ~CBusy() { ui.SetBusy(false); }

private:
    IDeskPrompts& ui;
};

}  // namespace

CToolPipeline::CToolPipeline(CDeskProject& project, IDeskPrompts& prompts, QObject* parent)
    : QObject(parent), tmLogger(new QTimer(this)), tmSheduller(new QTimer(this)), p(project), ui(prompts)
{
    tmLogger->setObjectName(QStringLiteral("tmLogger"));
    tmLogger->setInterval(LoggerInterval);
    tmSheduller->setObjectName(QStringLiteral("tmSheduller"));
    tmSheduller->setInterval(ShedullerInterval);
    connect(tmLogger, &QTimer::timeout, this, &CToolPipeline::LoggerTick);
    connect(tmSheduller, &QTimer::timeout, this, &CToolPipeline::ShedullerTick);
    connect(&program, &CProgramRun::Output, this, &CToolPipeline::ProgramOutput);
    connect(&program, &CProgramRun::Ended, this, [this](bool normal, int code) {
        const QString text = CProgramRun::EndText(normal, code);
        emit ProgramEnded(text);
        p.AddLog(text);
        emit CommandsEnabled(true);
    });
    connect(&p, &CDeskProject::LogCleared, this, [this] { locations.Clear(); });
}

// The project may be gone already (the window owns both), so only the tool and the log are
// let go here; the window calls Shutdown while its project still exists.
CToolPipeline::~CToolPipeline()
{
    process.Stop();
    dryRun.Stop();
    CloseLog();
}

QStringList CToolPipeline::CompilerCommand(const QString& file) const
{
    QStringList command = {p.settings.vyk, file, QLatin1String(TempProjectName), QStringLiteral("-a")};
    if (p.checks) command << QStringLiteral("-c");
    return command;
}

QStringList CToolPipeline::LinkerCommand() const
{
    return {p.settings.vybind, QLatin1String(BuildDescription), QStringLiteral("-a")};
}

QStringList CToolPipeline::TargetSwitch() const
{
    const int t = p.target >= TargetVcWindowed && p.target <= TargetGppModules ? p.target : 0;
    QStringList s = {QStringLiteral("-p"), QString::number(t)};
    if (p.settings.winToOem && (p.target == TargetGppConsole || p.target == TargetGppWindowed)) s << QStringLiteral("-c");
    return s;
}

QStringList CToolPipeline::MakegenCommand() const
{
    return QStringList{p.settings.vygen, QLatin1String(BuildDescription), QStringLiteral("CPP/") + p.settings.makefile,
                       QStringLiteral("-a")} +
           TargetSwitch() + QStringList{QStringLiteral("-cp"), p.settings.cpp};
}

// The make command is the user's own text, split as typed. Target 4 compiles one object per
// module, so make runs as many compiles as there are cores unless the text sets -j itself.
QStringList CToolPipeline::MakeCommand() const
{
    QStringList command = SplitCommandLine(IsGppTarget() ? p.settings.make : p.settings.nmake);
    if (p.target != TargetGppModules || command.isEmpty()) return command;
    for (const QString& word : command.mid(1))
        if (word.startsWith(QLatin1String("-j")) || word.startsWith(QLatin1String("--jobs"))) return command;
    command << QStringLiteral("-j%1").arg(qMax(1, QThread::idealThreadCount()));
    return command;
}

bool CToolPipeline::RunTool(const QStringList& command)
{
    if (tmLogger->isActive()) {
        ui.Error(Q(PreviousRunning));
        return false;
    }
    const QString path = QDir::current().absoluteFilePath(QLatin1String(LogFileName));
    const QByteArray native = QFile::encodeName(path);
    const int writeFd = ::open(native.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (writeFd < 0) {
        p.AddLog(Q(LogCreateError));
        return false;
    }
    const bool started = process.Start(command, writeFd);
    if (::close(writeFd) != 0) {
        p.AddLog(Q(LogCloseError));
        return false;
    }
    if (!started) {
        ::unlink(native.constData());
        return false;
    }
    logFd = ::open(native.constData(), O_RDONLY | O_CLOEXEC);
    if (logFd < 0) {
        p.AddLog(Q(LogReadError));
        return false;
    }
    logPath = path;
    skipLineFeed = false;
    toolErrorLines = 0;
    emit CommandsEnabled(false);
    tmLogger->start();
    return true;
}

void CToolPipeline::EmitLine(const QByteArray& bytes)
{
    // A compile line comes before its object is counted; any other line of make (the link
    // line above all) comes after the objects written so far.
    if (stage == stBuild && progress.Total() > 0 && !bytes.contains(" -c ")) ReportProgress();
    if (bytes.startsWith(ErrorPrefix)) ++toolErrorLines;
    const QString text = QString::fromUtf8(bytes);
    const int place = locations.Add(text);
    p.AddLog(text);
    if (place >= 0) emit LineLocated(place);
}

// Each chunk is split at line ends (CR, LF or CR LF); tabs become blanks and the text after
// the last line end of a chunk becomes a line of its own. Returns true once everything the
// tool has written so far is read; a tool that writes without pause is read on in later ticks.
bool CToolPipeline::ReadLog()
{
    if (logFd < 0) return true;
    QByteArray buffer(LogChunk, Qt::Uninitialized);
    for (int chunk = 0; chunk < MaxChunksPerTick; ++chunk) {
        const ssize_t n = ::read(logFd, buffer.data(), LogChunk);
        if (n <= 0) return true;
        QByteArray line;
        for (ssize_t i = 0; i < n; ++i) {
            const char c = buffer.at(i);
            if (c == '\n' && skipLineFeed) {
                skipLineFeed = false;
                continue;
            }
            skipLineFeed = c == '\r';
            if (c == '\r' || c == '\n') {
                EmitLine(line);
                line.clear();
            } else {
                line += c == '\t' ? ' ' : c;
            }
        }
        if (!line.isEmpty()) EmitLine(line);
        if (n < LogChunk) return true;
    }
    return false;
}

void CToolPipeline::CloseLog()
{
    if (logFd >= 0) ::close(logFd);
    logFd = -1;
    if (!logPath.isEmpty()) QFile::remove(logPath);
    logPath.clear();
}

// The end is checked before the last read, so that whatever the tool wrote before it ended
// is shown.
void CToolPipeline::LoggerTick()
{
    tmLogger->stop();
    const bool ended = process.HasEnded();
    const bool drained = ReadLog();
    if (stage == stBuild && progress.Total() > 0) ReportProgress();
    if (!ended || !drained) {
        tmLogger->start();
        return;
    }
    CloseLog();
    ToolEnded();
}

void CToolPipeline::ToolEnded()
{
    int code = 0;
    const bool haveCode = process.ExitCode(code);
    switch (stage) {
    case stCompileFiles:
    case stLinking:
    case stMakegen:
        if (!haveCode) p.AddLog(Q(BadTermination));
        if (!haveCode || code != 0) {
            // A failed tool counts its ERROR lines, and at least one error.
            errorCount += qMax(1, toolErrorLines);
            ++failedTools;
        } else {
            errorCount += toolErrorLines;
        }
        break;
    case stCompileOne:
        QFile::remove(QDir(p.projectFolder).filePath(QLatin1String(TempProjectName)));
        emit CommandsEnabled(true);
        break;
    case stBuild:
        stage = stIdle;
        emit CommandsEnabled(true);
        p.AddLog(QString());
        p.AddLog(Q(haveCode && code == 0 ? BuildOk : BuildFailed));
        EnterFolder(p.projectFolder, false);
        if (runAfter) {
            runAfter = false;
            if (haveCode && code == 0) StartProgram();
            else p.AddLog(Q(NoRunAfterErrors));
        }
        break;
    case stVersionVyk:
    case stVersionVybind:
        emit CommandsEnabled(true);
        NextVersion(stage + 1);
        break;
    case stVersionVygen:
        emit CommandsEnabled(true);
        p.AddLog(QString());
        p.AddLog(Q(VersionsDone));
        break;
    default:
        break;
    }
}

// Runs the version command of the stage's tool; a tool that does not start is logged and the
// chain goes on with the next one at once.
void CToolPipeline::NextVersion(int nextStage)
{
    static const char* const errors[] = {VersionVykError, VersionVybindError, VersionVygenError};
    for (stage = nextStage; stage <= stVersionVygen; ++stage) {
        const QString& tool = stage == stVersionVyk      ? p.settings.vyk
                              : stage == stVersionVybind ? p.settings.vybind
                                                         : p.settings.vygen;
        if (RunTool({tool, QStringLiteral("-v")})) return;
        p.AddLog(Q(errors[stage - stVersionVyk]));
    }
    stage = stVersionVygen;
    p.AddLog(QString());
    p.AddLog(Q(VersionsDone));
}

void CToolPipeline::CompileNextFile()
{
    const QString file = steps.at(stepIndex++);
    p.AddLog(QString());
    p.AddLog(Q(Compiling) + Quote(file) + Q(CompilingEnd));
    locations.SetSource(QDir(p.projectFolder).absoluteFilePath(file), file);
    if (!RunTool(CompilerCommand(file))) {
        p.AddLog(Q(CompilerStartError) + Quote(file));
        ++errorCount;
        ++failedTools;
    }
}

void CToolPipeline::ShedullerTick()
{
    if (tmLogger->isActive()) return;
    tmSheduller->stop();
    switch (stage) {
    case stCompileFiles:
        if (stepIndex < steps.size()) {
            CompileNextFile();
            tmSheduller->start();
            return;
        }
        QFile::remove(QLatin1String(TempProjectName));
        if (SkipRest(SkipLinker)) return;
        stage = stLinkNext;
        [[fallthrough]];
    case stLinkNext:
        stage = stLinking;
        p.AddLog(QString());
        p.AddLog(Q(RunningVybind));
        locations.SetSource(QString(), QString());
        if (!RunTool(LinkerCommand())) {
            p.AddLog(Q(VybindStartError));
            ++errorCount;
            ++failedTools;
        }
        tmSheduller->start();
        break;
    case stLinking:
        if (SkipRest(SkipMakegen)) return;
        stage = stMakegen;
        p.AddLog(QString());
        p.AddLog(Q(RunningVygen));
        if (!RunTool(MakegenCommand())) {
            p.AddLog(Q(VygenStartError));
            ++errorCount;
        }
        tmSheduller->start();
        break;
    case stMakegen:
        Summary();
        break;
    case stPlanBuild:
        if (!dryRun.HasEnded() && dryClock.elapsed() < DryRunLimit) {
            tmSheduller->start();
            return;
        }
        PlanProgress();
        StartMake();
        break;
    default:
        break;
    }
}

// After a failed step the later ones would only add errors of their own: they are skipped
// with one line saying why.
bool CToolPipeline::SkipRest(const char* why)
{
    if (failedTools == 0) return false;
    p.AddLog(QString());
    p.AddLog(Q(why));
    Summary();
    return true;
}

void CToolPipeline::Summary()
{
    stage = stIdle;
    p.AddLog(QString());
    p.AddLog(Q(ProjectCompiled) + QString::number(errorCount));
    emit CommandsEnabled(true);
    if (!runAfter) return;
    if (errorCount == 0) {
        BuildExecutable(true);
    } else {
        runAfter = false;
        p.AddLog(Q(NoRunAfterErrors));
    }
}

void CToolPipeline::Cancel(const QString& dialog)
{
    ui.Error(dialog);
    p.AddLog(Q(Cancelled));
}

bool CToolPipeline::EnterFolder(const QString& folder, bool reportFailure)
{
    if (QDir::setCurrent(folder)) return true;
    if (reportFailure) Cancel(Q(ChdirError) + folder + Q(ChdirErrorEnd));
    return false;
}

// Clears the log, makes the project folder current and writes the temporary project file.
bool CToolPipeline::PrepareCompilation()
{
    p.ClearLog();
    if (!EnterFolder(p.projectFolder, true)) return false;
    if (!p.WriteTempProject()) {
        Cancel(Q(TempProjectError));
        return false;
    }
    return true;
}

void CToolPipeline::CompileProject()
{
    CBusy busy(ui);
    if (!p.HasProject()) {
        ui.Warning(Q(CreateOrOpenFirst));
        return;
    }
    if (p.files.isEmpty()) {
        ui.Warning(Q(NoFilesToCompile));
        return;
    }
    const bool chained = runAfter;
    runAfter = false;
    p.ClearLog();
    if (chained) p.AddLog(Q(BuildingBeforeRun));
    if (!EnterFolder(p.projectFolder, true)) return;
    const SCompileOrder order = OrderByImports(p.files, p.mainFile, p.projectFolder);
    if (order.files.isEmpty()) {
        ui.Error(Q(ImportCycle) + order.cycle.join(QStringLiteral(" -> ")));
        p.AddLog(Q(ImportCycle) + order.cycle.join(QStringLiteral(" -> ")));
        return;
    }
    if (QFile::exists(QLatin1String(BuildDescription)) && !QFile::remove(QLatin1String(BuildDescription))) {
        Cancel(Q(DeleteVymError));
        return;
    }
    if (!p.WriteTempProject()) {
        Cancel(Q(TempProjectError));
        return;
    }
    steps = order.files;
    runAfter = chained;
    p.AddLog(Q(CompilingProject));
    errorCount = 0;
    failedTools = 0;
    stepIndex = 0;
    stage = stCompileFiles;
    tmSheduller->start();
    emit CommandsEnabled(false);
}

void CToolPipeline::CompileFile(int selected)
{
    CBusy busy(ui);
    if (!p.HasProject()) {
        ui.Warning(Q(CreateOrOpenFirst));
        return;
    }
    if (selected < 0 || selected >= p.files.size()) {
        ui.Warning(Q(NoSelectedFile));
        return;
    }
    if (!PrepareCompilation()) return;
    const QString file = p.files.at(selected);
    p.AddLog(Q(Compiling) + Quote(file) + Q(CompilingEnd));
    locations.SetSource(QDir(p.projectFolder).absoluteFilePath(file), file);
    stage = stCompileOne;
    if (!RunTool(CompilerCommand(file))) {
        p.AddLog(Q(CompilerStartError) + Quote(file));
        QFile::remove(QLatin1String(TempProjectName));
    }
}

// The name under which the makefile leaves the program in Make/, or an empty text after
// telling the user why a crafted name is refused.
QString CToolPipeline::ProgramName(const QString& makefile)
{
    const QString name = DeskPlatform::BuiltExecutableName(makefile, p.ExecutableName());
    if (IsPlainFileName(name)) return name;
    ui.Error(Q(BadProgramName) + name + Q(BadProgramNameEnd));
    p.AddLog(Q(BadProgramName) + name + Q(BadProgramNameEnd));
    return QString();
}

bool CToolPipeline::IsGppTarget() const
{
    return p.target == TargetGppConsole || p.target == TargetGppWindowed || p.target == TargetGppModules;
}

// make -n in the makefile's folder (the current one) names the compiles the build will run.
// It runs in the background like any tool, its output going to a temporary file, so that on a
// large project the window stays responsive and Stop ends it. False when there is no dry run
// to wait for: another target, or make -n could not be started.
bool CToolPipeline::StartDryRun()
{
    const QStringList command = MakeCommand();
    if (p.target != TargetGppModules || command.isEmpty()) return false;
    auto output = std::make_unique<QTemporaryFile>();
    if (!output->open() || !dryRun.Start(command + QStringList{QStringLiteral("-n")}, output->handle())) return false;
    dryOutput = std::move(output);
    dryClock.start();
    stage = stPlanBuild;
    emit CommandsEnabled(false);
    tmSheduller->start();
    return true;
}

// The dry run has ended or run out of time. One that failed or took too long leaves the build
// without a count.
void CToolPipeline::PlanProgress()
{
    int code = -1;
    const bool succeeded = dryRun.HasEnded() && dryRun.ExitCode(code) && code == 0;
    dryRun.Stop();  // after a time-out; it also ends what the dry run left behind
    QByteArray output;
    if (succeeded && dryOutput) {
        QFile written(dryOutput->fileName());
        if (written.open(QIODevice::ReadOnly)) output = written.readAll();
    }
    dryOutput.reset();
    if (!succeeded) return;
    progress.Plan(CBuildProgress::ObjectsOfDryRun(output, buildFolder));
    if (progress.Total() > 0) p.AddLog(Q(ObjectsToCompile) + QString::number(progress.Total()));
}

void CToolPipeline::StartMake()
{
    stage = stBuild;
    EnterFolder(buildFolder, false);
    if (!RunTool(MakeCommand())) {
        stage = stIdle;
        runAfter = false;
        p.AddLog(Q(MakeStartError));
        EnterFolder(p.projectFolder, false);
        emit CommandsEnabled(true);
    }
}

void CToolPipeline::ReportProgress()
{
    int done = progress.Done();
    for (const QString& object : progress.Finished())
        p.AddLog(Q(ObjectDone).arg(++done).arg(progress.Total()).arg(object));
}

// Only the program about to be rebuilt is deleted, and only inside Make/: its name is a plain
// file name, so neither a project file nor a makefile can point the deletion elsewhere.
void CToolPipeline::BuildExecutable(bool keepLog)
{
    CBusy busy(ui);
    const bool chained = runAfter;
    runAfter = false;
    if (!p.HasProject()) {
        ui.Warning(Q(CreateOrOpenFirst));
        return;
    }
    if (!keepLog) p.ClearLog();
    if (!IsGppTarget()) {
        ui.Warning(Q(NMakeWindowsOnly));
        p.AddLog(Q(NMakeWindowsOnly));
        return;
    }
    const QString cppFolder = p.projectFolder + QLatin1String(CppFolder);
    const QString makefile = cppFolder + QLatin1Char('/') + p.settings.makefile;
    if (p.settings.makefile.isEmpty() || !QFileInfo(makefile).isFile()) {
        ui.Warning(Q(CompileFirst));
        p.AddLog(Q(NotCompiled));
        return;
    }
    const QString name = ProgramName(makefile);
    if (name.isEmpty()) return;
    const QString exe = p.projectFolder + QLatin1String(MakeFolder) + QLatin1Char('/') + name;
    const QFileInfo old(exe);
    if ((old.isFile() || old.isSymLink()) && !QFile::remove(exe)) p.AddLog(Q(DeleteError) + exe + QLatin1Char('"'));
    if (QFileInfo(exe).exists() || QFileInfo(exe).isSymLink()) {
        p.AddLog(Q(OldExecutable));
        return;
    }
    buildFolder = cppFolder;
    EnterFolder(cppFolder, false);
    if (keepLog) p.AddLog(QString());
    p.AddLog(Q(Building));
    p.AddLog(QString());
    progress.Clear();
    errorCount = 0;
    runAfter = chained;
    if (!StartDryRun()) StartMake();
}

// True when the program is missing or older than a source of the project.
bool CToolPipeline::NeedsBuild(const QString& program) const
{
    const QFileInfo built(program);
    if (!built.isFile()) return true;
    for (const QString& file : p.files) {
        const QFileInfo source(QDir(p.projectFolder).filePath(file));
        if (source.exists() && source.lastModified() > built.lastModified()) return true;
    }
    return false;
}

// Run: the program is brought up to date first (compile project and build) when a source is
// newer than it, then runs in a terminal or, without one or when the settings say so, inside
// the window with its output in the output pane.
void CToolPipeline::RunExecutable(const QString& arguments)
{
    if (!p.HasProject()) {
        ui.Warning(Q(CreateOrOpenFirst));
        return;
    }
    if (IsBusy()) return;
    runArguments = SplitCommandLine(arguments);
    const QString makefile = p.projectFolder + QLatin1String(CppFolder) + QLatin1Char('/') + p.settings.makefile;
    const QString exe = DeskPlatform::BuiltExecutableName(makefile, p.ExecutableName());
    if (IsGppTarget() && !p.files.isEmpty() && IsPlainFileName(exe) &&
        NeedsBuild(p.projectFolder + QLatin1String(MakeFolder) + QLatin1Char('/') + exe)) {
        runAfter = true;
        CompileProject();
        return;
    }
    StartProgram();
}

void CToolPipeline::StartProgram()
{
    const QString makeFolder = p.projectFolder + QLatin1String(MakeFolder) + QLatin1Char('/');
    const QString makefile = p.projectFolder + QLatin1String(CppFolder) + QLatin1Char('/') + p.settings.makefile;
    const QString exe = DeskPlatform::BuiltExecutableName(makefile, p.ExecutableName());
    if (exe.isEmpty() || !QFileInfo(makeFolder + exe).isFile()) {
        ui.Warning(Q(BuildFirst));
        return;
    }
    if (ProgramName(makefile).isEmpty()) return;
    if (p.settings.runInside || !DeskPlatform::HasTerminal()) {
        emit ProgramStarting();
        p.AddLog(QString());
        p.AddLog(Q(ProgramStarted) + Quote(exe));
        if (!program.Start(makeFolder + exe, runArguments, makeFolder)) {
            p.AddLog(Q(ProgramNotStarted) + Quote(exe));
            ui.Error(Q(ProgramNotStarted) + Quote(exe));
            return;
        }
        emit CommandsEnabled(false);
        return;
    }
    const QString script = exe + DeskPlatform::RunScriptExtension();
    if (!DeskPlatform::WriteRunScript(makeFolder + script, exe, runArguments, p.settings.usePause)) {
        ui.Error(Q(ScriptError) + script + QLatin1Char('"'));
        return;
    }
    if (!DeskPlatform::OpenInTerminal(makeFolder + script)) ui.Error(Q(RunError));
}

void CToolPipeline::ProgramInput(const QString& line)
{
    program.Input(line);
}

void CToolPipeline::VersionInfo()
{
    p.ClearLog();
    p.AddLog(QStringLiteral("Vydesk ") + QLatin1String(Version));
    p.AddLog(QString());
    p.AddLog(Q(VersionsStart));
    p.AddLog(QString());
    NextVersion(stVersionVyk);
}

bool CToolPipeline::IsBusy() const
{
    return tmLogger->isActive() || tmSheduller->isActive() || program.IsRunning();
}

// The tool and everything it started end; what it wrote so far is shown, and the log file and
// the temporary project file are removed.
void CToolPipeline::Stop()
{
    runAfter = false;
    if (program.IsRunning()) {
        program.Stop();  // its end is told through Ended
        return;
    }
    if (!IsBusy()) return;
    process.Stop();
    ReadLog();
    Shutdown();
    p.AddLog(QString());
    p.AddLog(Q(Stopped));
    emit CommandsEnabled(true);
}

void CToolPipeline::Shutdown()
{
    runAfter = false;
    program.Stop();
    tmLogger->stop();
    tmSheduller->stop();
    process.Stop();
    dryRun.Stop();
    dryOutput.reset();
    CloseLog();
    if (!p.projectFolder.isEmpty()) QFile::remove(p.projectFolder + QLatin1String(TempProjectName));
    stage = stIdle;
}
