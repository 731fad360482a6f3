// Running the built program with its output in the window: QProcess with merged channels, a
// UTF-8 decoder that keeps a character split between two reads whole, and the exit texts.
#include "ProgramRun.h"

#include <signal.h>
#include <unistd.h>

#include "Texts.h"

using namespace DeskText;

namespace {
constexpr int StopGraceMs = 1000;
}  // namespace

CProgramRun::CProgramRun(QObject* parent) : QObject(parent)
{
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setChildProcessModifier([] { ::setpgid(0, 0); });
    connect(&process, &QProcess::readyReadStandardOutput, this, &CProgramRun::ReadOutput);
    connect(&process, &QProcess::finished, this, [this](int code, QProcess::ExitStatus status) {
        ReadOutput();
        emit Ended(status == QProcess::NormalExit && !stopping, code);
    });
}

CProgramRun::~CProgramRun()
{
    disconnect(&process, nullptr, this, nullptr);
    Stop();
}

bool CProgramRun::Start(const QString& program, const QStringList& arguments, const QString& folder)
{
    if (IsRunning()) return false;
    stopping = false;
    decoder.resetState();
    process.setWorkingDirectory(folder);
    process.start(program, arguments);
    return process.waitForStarted();
}

void CProgramRun::Input(const QString& line)
{
    if (IsRunning()) process.write((line + QLatin1Char('\n')).toUtf8());
}

void CProgramRun::Stop()
{
    if (!IsRunning()) return;
    stopping = true;
    const qint64 group = process.processId();
    if (group > 0) ::kill(-pid_t(group), SIGTERM);
    if (!process.waitForFinished(StopGraceMs) && group > 0) {
        ::kill(-pid_t(group), SIGKILL);
        process.waitForFinished(StopGraceMs);
    }
    if (group > 0) ::kill(-pid_t(group), SIGKILL);
}

void CProgramRun::ReadOutput()
{
    const QByteArray bytes = process.readAllStandardOutput();
    if (!bytes.isEmpty()) emit Output(decoder.decode(bytes));
}

QString CProgramRun::EndText(bool normal, int code)
{
    if (!normal) return Q(ProgramKilled);
    QString text = Q(ProgramEnded) + QString::number(code);
    if (code == 0) return text;
    const char* meaning = HaltMeaning;
    for (const STrapText& t : TrapTexts)
        if (t.code == code) meaning = t.meaning;
    return text + QStringLiteral(" (") + Q(meaning) + QLatin1Char(')');
}
