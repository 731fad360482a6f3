// A stand-in for the console tools in the project manager's tests. It runs a small script:
// from its first argument when that names a readable file, else from "<program name>.txt" in
// the current folder. Script lines:
//   out <text>    print the text and a line end       err <text>  the same on standard error
//   raw <text>    print the text with \r \n \t \\ decoded, without a line end
//   fill <n>      print n bytes as lines of 99 'x' and a line end
//   args          print the arguments, each between < and >, and a line end
//   sleep <ms>    wait                                 exit <n>    end with that code
//   kill          end by a signal, so there is no exit code
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>

namespace {

constexpr int LineWidth = 100;

std::string Decode(const std::string& s)
{
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\\' || i + 1 == s.size()) {
            out += s[i];
            continue;
        }
        const char c = s[++i];
        out += c == 'r' ? '\r' : c == 'n' ? '\n' : c == 't' ? '\t' : c;
    }
    return out;
}

void Fill(long n)
{
    for (long i = 0; i < n; ++i) std::putchar(i % LineWidth == LineWidth - 1 ? '\n' : 'x');
}

std::string BaseName(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

int main(int argc, char* argv[])
{
    std::ifstream script;
    if (argc > 1) script.open(argv[1]);
    if (!script.is_open()) script.open(BaseName(argv[0]) + ".txt");
    if (!script.is_open()) {
        std::printf("faketool: no script\n");
        return 2;
    }
    std::string line;
    while (std::getline(script, line)) {
        const size_t blank = line.find(' ');
        const std::string cmd = line.substr(0, blank);
        const std::string arg = blank == std::string::npos ? std::string() : line.substr(blank + 1);
        if (cmd == "out") std::printf("%s\n", arg.c_str());
        else if (cmd == "err") std::fprintf(stderr, "%s\n", arg.c_str());
        else if (cmd == "raw") std::fputs(Decode(arg).c_str(), stdout);
        else if (cmd == "fill") Fill(std::atol(arg.c_str()));
        else if (cmd == "args") {
            std::string all;
            for (int i = 1; i < argc; ++i) all += std::string("<") + argv[i] + ">";
            std::printf("%s\n", all.c_str());
        }
        else if (cmd == "sleep") {
            std::fflush(stdout);
            std::this_thread::sleep_for(std::chrono::milliseconds(std::atol(arg.c_str())));
        } else if (cmd == "exit") {
            std::fflush(stdout);
            return std::atoi(arg.c_str());
        } else if (cmd == "kill") {
            std::fflush(stdout);
            std::raise(SIGKILL);
        }
        std::fflush(stdout);
        std::fflush(stderr);
    }
    return 0;
}
