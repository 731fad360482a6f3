// The Linux side of the project manager. The settings file, the default tool paths and the
// terminal that runs a built program are looked up here, so the rest of the core reads like
// the Windows program it replaces.
#include "Platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include "KeyValueFile.h"
#include "TextFile.h"
#include "Texts.h"

namespace {

QString& SettingsOverride()
{
    static QString path;
    return path;
}

QStringList& TerminalOverride()
{
    static QStringList command;
    return command;
}

bool& TerminalsHidden()
{
    static bool hidden = false;
    return hidden;
}

// A file every library folder holds.
constexpr const char* LibraryMarker = "SYSTEM.dfn";

constexpr const char* SettingsName = "Vydesk.ini";
constexpr const char* ExeSuffix = ".exe";
constexpr const char* ExeNameKey = "EXE_NAME";
// One object per module, built with GNU make.
constexpr int TargetGppModules = 4;

// Terminal emulators tried in order, each with the switch that runs a command.
const char* const Terminals[][2] = {
    {"x-terminal-emulator", "-e"}, {"gnome-terminal", "--"}, {"konsole", "-e"},
    {"xfce4-terminal", "-x"},      {"mate-terminal", "-x"}, {"lxterminal", "-e"},
    {"xterm", "-e"},
};

// xterm draws with its core X font unless told otherwise, and that font has no Cyrillic
// letters: it gets a scalable monospace font and UTF-8, whatever name it was found under.
constexpr const char* XtermNames[] = {"xterm", "uxterm", "lxterm"};
constexpr const char* XtermFont = "Monospace";
constexpr const char* XtermFontSize = "11";

QStringList TerminalArguments(const QString& program, const char* runSwitch, const QString& scriptPath)
{
    QStringList args;
    const QString real = QFileInfo(QFileInfo(program).canonicalFilePath()).fileName();
    for (const char* name : XtermNames)
        if (real == QLatin1String(name) || QFileInfo(program).fileName() == QLatin1String(name))
            args << QStringLiteral("-fa") << QLatin1String(XtermFont) << QStringLiteral("-fs")
                 << QLatin1String(XtermFontSize) << QStringLiteral("-u8");
    args << QLatin1String(runSwitch) << QStringLiteral("sh") << scriptPath;
    return args;
}

QString ShellQuote(const QString& s)
{
    QString q = s;
    q.replace(QLatin1Char('\''), QLatin1String("'\\''"));
    return QLatin1Char('\'') + q + QLatin1Char('\'');
}

}  // namespace

namespace DeskPlatform {

QString SettingsFilePath()
{
    if (!SettingsOverride().isEmpty()) return SettingsOverride();
    const QString dir = QCoreApplication::applicationDirPath();
    if (QFileInfo(dir).isWritable()) return dir + QLatin1Char('/') + QLatin1String(SettingsName);
    const QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QDir().mkpath(config);
    return config + QLatin1Char('/') + QLatin1String(SettingsName);
}

void SetSettingsFilePath(const QString& path)
{
    SettingsOverride() = path;
}

QString DefaultToolPath(const QString& name)
{
    if (QCoreApplication::instance()) {
        const QString beside = QCoreApplication::applicationDirPath() + QLatin1Char('/') + name;
        if (QFileInfo(beside).isExecutable()) return beside;
    }
    return name;
}

QString DefaultMakeCommand()
{
    return QStringLiteral("make -f Makefile.mak");
}

int DefaultTarget()
{
    return TargetGppModules;
}

QString ExecutableSuffix()
{
#ifdef Q_OS_WIN
    return QLatin1String(ExeSuffix);
#else
    return QString();
#endif
}

QString BuiltExecutableName(const QString& makefilePath, const QString& executableName)
{
    QFile f(makefilePath);
    if (f.open(QIODevice::ReadOnly)) {
        // The name is in the makefile's head, a few lines from the top.
        constexpr int HeadLines = 16;
        constexpr qint64 MaxLine = 4096;
        for (int i = 0; i < HeadLines && !f.atEnd(); ++i) {
            const QString line = QString::fromUtf8(f.readLine(MaxLine)).trimmed();
            SKeyValue kv;
            if (ParseKeyValueLine(line, kv) && kv.key == QLatin1String(ExeNameKey) && !kv.value.isEmpty())
                return kv.value;
        }
    }
    QString name = executableName;
    if (name.endsWith(QLatin1String(ExeSuffix), Qt::CaseInsensitive)) name.chop(int(qstrlen(ExeSuffix)));
    return name;
}

bool WriteRunScript(const QString& scriptPath, const QString& executable, const QStringList& arguments, bool pause)
{
    QString line = QStringLiteral("./") + ShellQuote(executable);
    for (const QString& a : arguments) line += QLatin1Char(' ') + ShellQuote(a);
    CTextFile f;
    if (!f.Open(QFile::encodeName(scriptPath).toStdString(), "wb")) return false;
    f.Printf("#!/bin/sh\n");
    f.Printf("cd \"$(dirname \"$0\")\"\n");
    f.Printf("%s\n", line.toUtf8().constData());
    f.Printf("echo\n");
    if (pause) f.Printf("printf '%%s' '%s'; read dummy\n", DeskText::PressEnter);
    const bool ok = !std::ferror(f.Handle());
    if (!f.Close() || !ok) return false;
    QFile::setPermissions(scriptPath, QFile::permissions(scriptPath) | QFile::ExeOwner | QFile::ExeUser);
    return true;
}

bool HasTerminal()
{
    if (!TerminalOverride().isEmpty()) return true;
    if (TerminalsHidden()) return false;
    for (const auto& t : Terminals)
        if (!QStandardPaths::findExecutable(QLatin1String(t[0])).isEmpty()) return true;
    return false;
}

void SetTerminalsHidden(bool hidden)
{
    TerminalsHidden() = hidden;
}

QString DefaultLibraryFolder()
{
    if (!QCoreApplication::instance()) return QString();
    const QDir bin(QCoreApplication::applicationDirPath());
    for (const char* relative : {"lib", "../lib"}) {
        const QString folder = bin.absoluteFilePath(QLatin1String(relative));
        if (QFileInfo(folder + QLatin1Char('/') + QLatin1String(LibraryMarker)).isFile())
            return QFileInfo(folder).canonicalFilePath() + QLatin1Char('/');
    }
    return QString();
}

bool OpenInTerminal(const QString& scriptPath)
{
    if (!TerminalOverride().isEmpty()) {
        QStringList args = TerminalOverride().mid(1);
        args << scriptPath;
        return QProcess::startDetached(TerminalOverride().front(), args);
    }
    for (const auto& t : Terminals) {
        const QString program = QStandardPaths::findExecutable(QLatin1String(t[0]));
        if (program.isEmpty()) continue;
        if (QProcess::startDetached(program, TerminalArguments(program, t[1], scriptPath)))
            return true;
    }
    return false;
}

void SetTerminalCommand(const QStringList& command)
{
    TerminalOverride() = command;
}

QString RunScriptExtension()
{
    return QStringLiteral(".sh");
}

}  // namespace DeskPlatform
