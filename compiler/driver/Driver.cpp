// The compiler's run from the command line to the outcome line. The switch scan writes its
// own messages; then version, banner and usage; then the project file, the token list of the
// source and the module itself. Every path returns the exit code; the -f file is closed last.
#include "driver/Driver.h"

#include <cctype>
#include <climits>
#include <cstdio>
#include <memory>
#include <exception>
#include <new>

#include "driver/Compile.h"
#include "front/Diagnostics.h"
#include "front/Lexer.h"
#include "front/Messages.h"
#include "driver/Project.h"
#include "Switches.h"

namespace {

constexpr int kExitOK = 0;
constexpr int kExitFailed = 1;
constexpr size_t kSwitchLength = 2;   // "-x": a switch is exactly its sign and one letter

bool IsSwitch(const std::string& arg)
{
    return IsSwitchArgument(arg, {"m", "d", "c", "a", "v", "h", "?", "t", "f"});
}

enum class EScanStep { next, stop };

// Handles the switch at args[i]; `i` moves past a consumed value.
EScanStep ScanSwitch(const std::vector<std::string>& args, size_t& i, SCommandLine& cl)
{
    const std::string& arg = args[i];
    char letter = arg.size() == kSwitchLength ? char(std::tolower((unsigned char)arg[1])) : '\0';
    switch (letter) {
    case 'm': cl.mainModule = true; return EScanStep::next;
    case 'd': cl.drop = true; return EScanStep::next;
    case 'c': cl.checks = true; return EScanStep::next;
    case 'a': cl.about = false; return EScanStep::next;
    case 'v': cl.version = true; return EScanStep::next;
    case 'h':
    case '?': cl.help = true; return EScanStep::next;
    case 't': {
        if (i + 1 >= args.size()) {
            Msg(msg::kNoTabSize);
            cl.error = true;
            return EScanStep::stop;
        }
        int size = ParseTabSize(args[++i]);
        if (size < 0) {
            Msg(msg::kBadTabSize);
            cl.error = true;
            return EScanStep::stop;
        }
        cl.tabSize = size;
        return EScanStep::next;
    }
    case 'f': {
        if (i + 1 >= args.size()) {
            Msg(msg::kNoMessageFile);
            cl.error = true;
            return EScanStep::stop;
        }
        const std::string& path = args[++i];
        bool closedOk = true;
        if (!SetMessageFile(path, closedOk)) {
            Msg(msg::kCannotOpenForWriting, path.c_str());
            cl.fatal = true;
            return EScanStep::stop;
        }
        if (!closedOk) {
            // The earlier -f file lost its messages: say so and fail the run.
            Msg(msg::kCannotCloseMessageFile);
            cl.error = true;
            return EScanStep::stop;
        }
        return EScanStep::next;
    }
    default:
        Msg(msg::kUnknownOption, arg.c_str());
        cl.error = true;
        return EScanStep::stop;
    }
}

void WriteBanner()
{
    Msg(msg::kBannerTitle, msg::kVersion);
    Msg("%s", msg::kBannerNotice);
    Msg("%s", msg::kBannerEnd);
}

void WriteUsage()
{
    for (const char* text : msg::kUsage) Msg("%s", text);
}

int Run(const std::vector<std::string>& args)
{
    SCommandLine cl = ScanCommandLine(args);
    if (cl.fatal) return kExitFailed;
    if (cl.version) {
        Msg(msg::kVersionLine, msg::kVersion);
        return kExitOK;
    }
    if (cl.about) WriteBanner();
    if (cl.help || cl.error) {
        WriteUsage();
        return cl.error ? kExitFailed : kExitOK;
    }
    CProject project;
    bool mainFlag = false;
    int tabSize = PrepareProject(cl, project, mainFlag);
    std::unique_ptr<CLexBuf> lb = CLexBuf::Tokenize(cl.source, tabSize);
    if (!lb) return kExitFailed;
    return CompileModule(cl, project, mainFlag, lb);
}

} // namespace

int ParseTabSize(const std::string& text)
{
    size_t i = 0;
    while (i < text.size() && std::isspace((unsigned char)text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && std::isdigit((unsigned char)text[i]); ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > INT_MAX) return -1;
    }
    if (negative && value > 0) return -1;
    if (value == 0 && text != "0") return -1;
    return int(value);
}

SCommandLine ScanCommandLine(const std::vector<std::string>& args)
{
    SCommandLine cl;
    if (args.empty()) {
        cl.help = true;
        return cl;
    }
    cl.source = args[0];
    if (args.size() >= 2 && !IsSwitch(args[1])) {
        cl.project = args[1];
        cl.hasProject = true;
    }
    for (size_t i = 0; i < args.size(); ++i) {
        if (!IsSwitch(args[i])) continue;
        if (ScanSwitch(args, i, cl) == EScanStep::stop) break;
    }
    return cl;
}

int RunCompiler(const std::vector<std::string>& args)
{
    int code;
    try {
        code = Run(args);
    } catch (const std::bad_alloc&) {
        Msg(msg::kOutOfMemory, args.empty() ? "" : args[0].c_str());
        code = kExitFailed;
    } catch (const error_Internal& e) {
        // Parsing and writing catch their own; this is the last line of defence.
        Msg(msg::kInternalError, e.what());
        code = kExitFailed;
    } catch (const std::exception& e) {
        Msg(msg::kInternalError, e.what());
        code = kExitFailed;
    }
    if (!CloseMessageFile()) {
        Msg(msg::kCannotCloseMessageFile);
        code = kExitFailed;
    }
    std::fflush(stdout);
    return code;
}
