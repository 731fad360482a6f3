// What the project manager needs from the operating system beyond Qt Core: where the
// settings live, which tools this machine has, the name under which the makefile leaves the
// program, and the terminal in which the program runs.
#pragma once
#include <QString>
#include <QStringList>

namespace DeskPlatform {

// Vydesk.ini in the program's folder, or in the user's configuration folder when the
// program's folder is not writable (an installed program). Tests can point it elsewhere.
QString SettingsFilePath();
void SetSettingsFilePath(const QString& path);

// A console program of the toolchain: its full path when it lies next to Vydesk, else its name.
QString DefaultToolPath(const QString& name);
// The make command of the g++ targets; GNU make on this platform.
QString DefaultMakeCommand();
// The target of a new project: the first one whose makefile builds on this platform.
int DefaultTarget();

// The extension of the programs built here, given to a new project's executable name: none
// on Linux, ".exe" on Windows.
QString ExecutableSuffix();
// The file name the makefile in cppFolder gives the program (its EXE_NAME), or, when that
// cannot be read, the executable name without a final ".exe".
QString BuiltExecutableName(const QString& makefilePath, const QString& executableName);

// Writes the script that runs the program the way the batch file does: the program, an
// empty line, and a wait for a key when asked to. Returns false when it cannot be written.
bool WriteRunScript(const QString& scriptPath, const QString& executable, const QStringList& arguments, bool pause);
// Opens the script in a terminal window; false when no terminal could be started.
bool OpenInTerminal(const QString& scriptPath);
// Tests replace the terminal by a program of their own that receives the script's path.
void SetTerminalCommand(const QStringList& command);
// Whether a terminal would be found; tests can make the machine look as if it had none.
bool HasTerminal();
void SetTerminalsHidden(bool hidden);
// The standard library's folder beside the console programs (lib/ beside the programs or
// beside their bin/ folder), with a final "/"; empty when there is none.
QString DefaultLibraryFolder();
// The extension of the script that runs a program.
QString RunScriptExtension();

}  // namespace DeskPlatform
