// Starting a console tool the way the project manager needs it: a program and its argument
// list, handed to the tool as they are (a file name with blanks or quotes stays one argument),
// in the current folder, with standard input empty and standard output and error in the log
// file. The tool leads a process group of its own, so Stop ends it with its children (make
// and the compilers it starts). The end is polled without an event loop, so timer ticks can
// be stepped in tests.
#pragma once
#include <QString>
#include <QStringList>
#include <sys/types.h>

// Splits a command line the user typed (the make command of the settings) into the program
// and its arguments by the Windows rules: double quotes group, backslashes before a quote
// escape it.
QStringList SplitCommandLine(const QString& commandLine);

class CToolProcess {
public:
    CToolProcess() = default;
    ~CToolProcess();
    CToolProcess(const CToolProcess&) = delete;
    CToolProcess& operator=(const CToolProcess&) = delete;

    // Starts argv[0] with the arguments argv[1...] and its output going to logFd; false when
    // it could not be started.
    bool Start(const QStringList& argv, int logFd);
    bool IsRunning() const { return pid > 0 && !ended; }
    // Polls once; true when the tool has ended (its output is then complete in the log file).
    bool HasEnded();
    // The exit code; false when the tool did not end normally.
    bool ExitCode(int& code) const;
    // Ends a running tool and every process it started, and waits for it.
    void Stop();

private:
    pid_t pid = -1;
    bool ended = false;
    int status = 0;
};
