// Parsing the linker's command line. A switch error ends the walk and is followed by the banner
// and the usage text; -v answers with the version line whatever else was found, except a -f
// file that cannot be opened, which ends the program at once.
#include "CommandLine.h"
#include <cctype>
#include "Messages.h"
#include "Switches.h"

using namespace linkmsg;

static bool IsSwitch(const std::string& arg)
{
    return IsSwitchArgument(arg, {"h", "?", "v", "a", "d", "f", "o", "i"});
}

static bool EndsWithSeparator(const std::string& folder)
{
    return !folder.empty() && (folder.back() == '/' || folder.back() == '\\');
}

void WriteBanner(CMessageStream& out) { out.Printf(kBanner, kVersion, kNotice); }

void WriteUsage(CMessageStream& out)
{
    for (const char* piece : kUsage) out.Printf("%s", piece);
}

namespace {
enum class SwitchResult { ok, error, fatal };

// Handles the switch at args[i]; a switch with a value moves i onto it.
SwitchResult TakeSwitch(const std::vector<std::string>& args, size_t& i, CMessageStream& out, CLinkOptions& o)
{
    const std::string& arg = args[i];
    const size_t kSwitchLength = 2;
    const char letter = arg.size() == kSwitchLength ? char(std::tolower((unsigned char)arg[1])) : '\0';
    const char* missingValue = nullptr;
    switch (letter) {
    case 'h': case '?': o.showHelp = true; return SwitchResult::ok;
    case 'v': o.showVersion = true; return SwitchResult::ok;
    case 'a': o.showBanner = false; return SwitchResult::ok;
    case 'd': o.insufficiencyIsWarning = true; return SwitchResult::ok;
    case 'f': missingValue = kNoFileAfterF; break;
    case 'o': missingValue = kNoPathAfterO; break;
    case 'i': missingValue = kNoPathAfterI; break;
    default:
        out.Printf(kUnknownOption, arg.c_str());
        return SwitchResult::error;
    }
    if (i + 1 >= args.size()) {
        out.Printf("%s", missingValue);
        return SwitchResult::error;
    }
    const std::string& value = args[++i];
    if (letter == 'f') {
        if (out.OpenFile(value)) return SwitchResult::ok;
        out.Printf(kCannotOpenMessageFile, value.c_str());
        return SwitchResult::fatal;
    }
    if (letter == 'o') o.outputFolder = value;
    else o.inputFolder = value.empty() || EndsWithSeparator(value) ? value : value + "/";
    return SwitchResult::ok;
}
}  // namespace

CommandLineOutcome ParseCommandLine(const std::vector<std::string>& args, CMessageStream& out,
                                    CLinkOptions& options)
{
    if (args.empty()) {
        WriteBanner(out);
        WriteUsage(out);
        return CommandLineOutcome::exitSuccess;
    }
    options.makefile = args[0];
    bool error = false;
    for (size_t i = 0; i < args.size() && !error; ++i) {
        if (!IsSwitch(args[i])) continue;
        SwitchResult r = TakeSwitch(args, i, out, options);
        if (r == SwitchResult::fatal) return CommandLineOutcome::exitFailure;
        error = r == SwitchResult::error;
    }
    if (options.showVersion) {
        out.Printf(kVersionAnswer, kVersion);
        return CommandLineOutcome::exitSuccess;
    }
    if (!options.showHelp && !error && IsSwitch(args[0])) {
        out.Printf(kNoMakefile);
        error = true;
    }
    if (options.showBanner) WriteBanner(out);
    if (options.showHelp || error) {
        WriteUsage(out);
        return error ? CommandLineOutcome::exitFailure : CommandLineOutcome::exitSuccess;
    }
    return CommandLineOutcome::run;
}
