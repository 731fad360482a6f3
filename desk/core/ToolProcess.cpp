// Process start and end for the tool pipeline: posix_spawnp with the log file as standard
// output and error in a new process group, a non-blocking wait that tells when the tool has
// ended, and a stop that ends the whole group.
#include "ToolProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QFile>
#include <string>
#include <vector>

extern char** environ;

QStringList SplitCommandLine(const QString& line)
{
    QStringList args;
    const int n = line.size();
    int i = 0;
    auto isBlank = [&](int k) { return line.at(k) == QLatin1Char(' ') || line.at(k) == QLatin1Char('\t'); };
    while (i < n) {
        while (i < n && isBlank(i)) ++i;
        if (i >= n) break;
        QString arg;
        bool quoted = false;
        while (i < n && (quoted || !isBlank(i))) {
            const QChar c = line.at(i);
            if (c == QLatin1Char('\\')) {
                int slashes = 0;
                while (i < n && line.at(i) == QLatin1Char('\\')) ++slashes, ++i;
                if (i < n && line.at(i) == QLatin1Char('"')) {
                    arg += QString(slashes / 2, QLatin1Char('\\'));
                    if (slashes % 2) arg += QLatin1Char('"'), ++i;
                } else {
                    arg += QString(slashes, QLatin1Char('\\'));
                }
            } else if (c == QLatin1Char('"')) {
                if (quoted && i + 1 < n && line.at(i + 1) == QLatin1Char('"')) {
                    arg += QLatin1Char('"');
                    i += 2;
                } else {
                    quoted = !quoted;
                    ++i;
                }
            } else {
                arg += c;
                ++i;
            }
        }
        args.append(arg);
    }
    return args;
}

namespace {
// How long a stopped tool has to end after SIGTERM before it gets SIGKILL.
constexpr int StopGraceMs = 1000;
constexpr int StopPollMs = 10;
}  // namespace

CToolProcess::~CToolProcess()
{
    Stop();
}

bool CToolProcess::Start(const QStringList& parts, int logFd)
{
    pid = -1;
    ended = false;
    status = 0;
    if (parts.isEmpty() || parts.front().isEmpty()) return false;
    std::vector<std::string> storage;
    for (const QString& p : parts) storage.push_back(QFile::encodeName(p).toStdString());
    std::vector<char*> argv;
    for (std::string& s : storage) argv.push_back(s.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, logFd, STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, logFd, STDERR_FILENO);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);
    pid_t child = -1;
    const int rc = posix_spawnp(&child, argv[0], &actions, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) return false;
    pid = child;
    return true;
}

bool CToolProcess::HasEnded()
{
    if (pid <= 0) return true;
    if (ended) return true;
    int st = 0;
    const pid_t r = waitpid(pid, &st, WNOHANG);
    if (r == pid) {
        ended = true;
        status = st;
    } else if (r < 0) {
        ended = true;  // lost track of the child: its exit code is unavailable
        status = -1;
    }
    return ended;
}

bool CToolProcess::ExitCode(int& code) const
{
    if (!ended || status == -1 || !WIFEXITED(status)) return false;
    code = WEXITSTATUS(status);
    return true;
}

void CToolProcess::Stop()
{
    if (pid <= 0) return;
    if (!ended) {
        ::kill(-pid, SIGTERM);
        for (int waited = 0; waited < StopGraceMs && !HasEnded(); waited += StopPollMs) ::usleep(StopPollMs * 1000);
        if (!HasEnded()) {
            ::kill(-pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
            ended = true;
            status = -1;
        }
    }
    // Children that outlived the group leader (a compiler under make) are ended too.
    ::kill(-pid, SIGKILL);
    pid = -1;
}
