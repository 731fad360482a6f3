// Starting a console tool the way the project manager needs it: from one command line split
// by the Windows rules (double quotes group, backslashes before a quote escape it), in the
// current folder, with standard input empty and standard output and error in the log file.
// The tool's end is polled without an event loop, so timer ticks can be stepped in tests.
#pragma once
#include <QString>
#include <QStringList>
#include <sys/types.h>

// Splits a command line into the program and its arguments.
QStringList SplitCommandLine(const QString& commandLine);

class CToolProcess {
public:
    CToolProcess() = default;
    ~CToolProcess();
    CToolProcess(const CToolProcess&) = delete;
    CToolProcess& operator=(const CToolProcess&) = delete;

    // Starts the command with its output going to logFd; false when it could not be started.
    bool Start(const QString& commandLine, int logFd);
    bool IsRunning() const { return pid > 0 && !ended; }
    // Polls once; true when the tool has ended (its output is then complete in the log file).
    bool HasEnded();
    // The exit code; false when the tool did not end normally.
    bool ExitCode(int& code) const;
    // Leaves a running tool to itself (the window closes).
    void Detach() { pid = -1; }

private:
    pid_t pid = -1;
    bool ended = false;
    int status = 0;
};
