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
#include "Console.h"
#include "Switches.h"

namespace {

enum ESwitch { swMain, swDrop, swChecks, swNoAbout, swVersion, swHelp, swTabSize, swMessageFile };

const CSwitchTable kSwitches = {
    {"m", swMain}, {"d", swDrop}, {"c", swChecks}, {"a", swNoAbout}, {"v", swVersion}, {"h", swHelp},
    {"?", swHelp}, {"t", swTabSize, msg::kNoTabSize}, {"f", swMessageFile, console::kNoMessageFile},
};

const SConsoleProgram kCompiler(msg::kTitle, msg::kVersion, msg::kBannerNotice, msg::kVersionLine, msg::kUsage);

// Opens the -f file as the message stream.
EScanStep TakeMessageFile(const std::string& path)
{
    if (!MsgStream().OpenFile(path)) {
        Msg(msg::kCannotOpenForWriting, path.c_str());
        return EScanStep::fatal;
    }
    if (MsgStream().TakeCloseFailure()) {
        // The earlier -f file lost its messages: say so and fail the run.
        Msg(msg::kCannotCloseMessageFile);
        return EScanStep::error;
    }
    return EScanStep::next;
}

// Takes one switch and its value into `cl`.
EScanStep TakeSwitch(int id, const std::string& value, SCommandLine& cl)
{
    switch (id) {
    case swMain: cl.mainModule = true; break;
    case swDrop: cl.drop = true; break;
    case swChecks: cl.checks = true; break;
    case swNoAbout: cl.about = false; break;
    case swVersion: cl.version = true; break;
    case swHelp: cl.help = true; break;
    case swTabSize: {
        const int size = ParseTabSize(value);
        if (size < 0) {
            Msg(msg::kBadTabSize);
            return EScanStep::error;
        }
        cl.tabSize = size;
        break;
    }
    case swMessageFile: return TakeMessageFile(value);
    }
    return EScanStep::next;
}

int Run(const std::vector<std::string>& args)
{
    SCommandLine cl = ScanCommandLine(args);
    if (cl.fatal) return kExitFailure;
    EConsoleStep step = AnswerCommandLine(MsgStream(), kCompiler, cl);
    if (step != EConsoleStep::run) return ExitCode(step);
    CProject project;
    bool mainFlag = false;
    int tabSize = PrepareProject(cl, project, mainFlag);
    std::unique_ptr<CLexBuf> lb = CLexBuf::Tokenize(cl.source, tabSize);
    if (!lb) return kExitFailure;
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
    if (args.size() >= 2 && !kSwitches.IsSwitch(args[1])) {
        cl.project = args[1];
        cl.hasProject = true;
    }
    EScanStep step = ScanSwitches(args, kSwitches, MsgStream(),
                                  [&cl](int id, const std::string& value) { return TakeSwitch(id, value, cl); });
    cl.error = step == EScanStep::error;
    cl.fatal = step == EScanStep::fatal;
    return cl;
}

int RunCompiler(const std::vector<std::string>& args)
{
    int code;
    try {
        code = Run(args);
    } catch (const std::bad_alloc&) {
        Msg(msg::kOutOfMemory, args.empty() ? "" : args[0].c_str());
        code = kExitFailure;
    } catch (const error_Internal& e) {
        // Parsing and writing catch their own; this is the last line of defence.
        Msg(msg::kInternalError, e.what());
        code = kExitFailure;
    } catch (const std::exception& e) {
        Msg(msg::kInternalError, e.what());
        code = kExitFailure;
    }
    if (!MsgStream().CloseFile()) {
        MsgStream().ConsolePrintf("%s", msg::kCannotCloseMessageFile);
        code = kExitFailure;
    }
    return code;
}
