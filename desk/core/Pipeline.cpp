// The stage machine of the tool runs and the five commands that start it. Tool output is read
// from the log file in chunks and split into log lines; a tool is judged by its exit code only.
#include "Pipeline.h"

#include <fcntl.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

#include "Platform.h"
#include "Project.h"
#include "Prompts.h"
#include "Texts.h"

using namespace DeskText;

namespace {

constexpr const char* BuildDescription = "CPP/_VYK_make.vym";
constexpr int TargetVcWindowed = 1;
constexpr int TargetGppConsole = 2;
constexpr int TargetGppWindowed = 3;

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
    connect(&p, &CDeskProject::LogCleared, this, [this] { locations.Clear(); });
}

CToolPipeline::~CToolPipeline()
{
    Shutdown();
}

QString CToolPipeline::CompilerCommand(const QString& file) const
{
    return Quote(p.settings.vyk) + QLatin1Char(' ') + Quote(file) + QLatin1Char(' ') +
           QLatin1String(TempProjectName) + QStringLiteral(" -a");
}

QString CToolPipeline::LinkerCommand() const
{
    return Quote(p.settings.vybind) + QStringLiteral(" CPP/_VYK_make.vym -a");
}

QString CToolPipeline::TargetSwitch() const
{
    QString s = QStringLiteral("p ") + QString::number(p.target >= TargetVcWindowed && p.target <= TargetGppWindowed ? p.target : 0);
    if (p.settings.winToOem && (p.target == TargetGppConsole || p.target == TargetGppWindowed)) s += QStringLiteral(" -c");
    return s;
}

QString CToolPipeline::MakegenCommand() const
{
    return Quote(p.settings.vygen) + QStringLiteral(" CPP/_VYK_make.vym \"CPP/") + p.settings.makefile +
           QStringLiteral("\" -a -") + TargetSwitch() + QStringLiteral(" -cp ") + Quote(p.settings.cpp);
}

bool CToolPipeline::RunTool(const QString& commandLine)
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
    const bool started = process.Start(commandLine, writeFd);
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
    emit CommandsEnabled(false);
    tmLogger->start();
    return true;
}

void CToolPipeline::EmitLine(const QByteArray& bytes)
{
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
        if (!haveCode) {
            ++errorCount;
            p.AddLog(Q(BadTermination));
        } else if (code != 0) {
            ++errorCount;
        }
        break;
    case stCompileOne:
        QFile::remove(QDir(p.projectFolder).filePath(QLatin1String(TempProjectName)));
        emit CommandsEnabled(true);
        break;
    case stBuild:
        emit CommandsEnabled(true);
        p.AddLog(QString());
        p.AddLog(Q(haveCode && code == 0 ? BuildOk : BuildFailed));
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
        if (RunTool(Quote(tool) + QStringLiteral(" -v"))) return;
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
        }
        tmSheduller->start();
        break;
    case stLinking:
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
        p.AddLog(QString());
        p.AddLog(Q(ProjectCompiled) + QString::number(errorCount));
        emit CommandsEnabled(true);
        break;
    default:
        break;
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
    p.ClearLog();
    if (!EnterFolder(p.projectFolder, true)) return;
    if (QFile::exists(QLatin1String(BuildDescription)) && !QFile::remove(QLatin1String(BuildDescription))) {
        Cancel(Q(DeleteVymError));
        return;
    }
    if (!p.WriteTempProject()) {
        Cancel(Q(TempProjectError));
        return;
    }
    steps = p.files;
    p.AddLog(Q(CompilingProject));
    errorCount = 0;
    stepIndex = 0;
    stage = stCompileFiles;
    tmSheduller->start();
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

void CToolPipeline::BuildExecutable()
{
    CBusy busy(ui);
    if (!p.HasProject()) {
        ui.Warning(Q(CreateOrOpenFirst));
        return;
    }
    p.ClearLog();
    const QString cppFolder = p.projectFolder + QLatin1String(CppFolder);
    EnterFolder(cppFolder, false);
    const QString makefile = cppFolder + QLatin1Char('/') + p.settings.makefile;
    if (p.settings.makefile.isEmpty() || !QFileInfo(makefile).isFile()) {
        ui.Warning(Q(CompileFirst));
        p.AddLog(Q(NotCompiled));
        EnterFolder(p.projectFolder, false);
        return;
    }
    const QString exe = p.projectFolder + QLatin1String(MakeFolder) + QLatin1Char('/') +
                        DeskPlatform::BuiltExecutableName(makefile, p.ExecutableName());
    if (QFileInfo::exists(exe) && !QFile::remove(exe)) p.AddLog(Q(DeleteError) + exe + QLatin1Char('"'));
    if (QFileInfo::exists(exe)) {
        p.AddLog(Q(OldExecutable));
        EnterFolder(p.projectFolder, false);
        return;
    }
    p.AddLog(Q(Building));
    locations.SetToolFolder(cppFolder);
    p.AddLog(QString());
    stage = stBuild;
    errorCount = 0;
    if (p.target == TargetGppConsole || p.target == TargetGppWindowed) {
        if (!RunTool(p.settings.make)) {
            p.AddLog(Q(MakeStartError));
            EnterFolder(p.projectFolder, false);
        }
    } else if (!RunTool(p.settings.nmake)) {
        ui.Error(Q(NMakeStartDialog));
        p.AddLog(Q(NMakeStartError));
        EnterFolder(p.projectFolder, false);
    }
}

void CToolPipeline::RunExecutable()
{
    if (!p.HasProject()) {
        ui.Warning(Q(CreateOrOpenFirst));
        return;
    }
    const QString makeFolder = p.projectFolder + QLatin1String(MakeFolder) + QLatin1Char('/');
    EnterFolder(makeFolder, false);
    const QString makefile = p.projectFolder + QLatin1String(CppFolder) + QLatin1Char('/') + p.settings.makefile;
    const QString exe = DeskPlatform::BuiltExecutableName(makefile, p.ExecutableName());
    const QString script = exe + DeskPlatform::RunScriptExtension();
    if (exe.isEmpty() || !QFileInfo(makeFolder + exe).isFile()) {
        ui.Warning(Q(BuildFirst));
        EnterFolder(p.projectFolder, false);
        return;
    }
    if (!DeskPlatform::WriteRunScript(makeFolder + script, exe, p.settings.usePause)) {
        ui.Error(Q(ScriptError) + script + QLatin1Char('"'));
        EnterFolder(p.projectFolder, false);
        return;
    }
    if (!DeskPlatform::OpenInTerminal(makeFolder + script)) ui.Error(Q(RunError));
    EnterFolder(p.projectFolder, false);
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

void CToolPipeline::Shutdown()
{
    tmLogger->stop();
    tmSheduller->stop();
    if (logFd >= 0) ::close(logFd);
    logFd = -1;
    process.Detach();
}
