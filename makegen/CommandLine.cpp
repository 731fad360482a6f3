// The switch scan of Vygen. Switch letters are compared without regard to case, a switch is
// exactly as long as its name, and a switch's value is the next argument whatever it looks like.
// A missing value or an unknown switch ends the scan; an unknown platform digit does not.
#include "CommandLine.h"
#include "Messages.h"

#include <cctype>

namespace {

enum ESwitch { swUnknown, swPlatform, swConvert, swCompiler, swCompilerArg, swOutputDir,
               swNoAbout, swMessageFile, swVersion, swHelp };

struct CSwitchName {
    const char* name;
    ESwitch kind;
};

const CSwitchName kSwitches[] = {
    {"p", swPlatform}, {"c", swConvert}, {"cp", swCompiler}, {"ca", swCompilerArg},
    {"o", swOutputDir}, {"a", swNoAbout}, {"f", swMessageFile}, {"v", swVersion},
    {"h", swHelp}, {"?", swHelp},
};

ESwitch Classify(const std::string& arg)
{
    std::string name;
    for (std::size_t i = 1; i < arg.size(); ++i)
        name += static_cast<char>(std::tolower(static_cast<unsigned char>(arg[i])));
    for (const CSwitchName& s : kSwitches)
        if (name == s.name) return s.kind;
    return swUnknown;
}

// The message for a switch whose value is missing.
const char* MissingValueMessage(ESwitch kind)
{
    switch (kind) {
    case swPlatform: return genmsg::kNoPlatform;
    case swCompiler: return genmsg::kNoCompiler;
    case swCompilerArg: return genmsg::kNoCompilerArg;
    case swOutputDir: return genmsg::kNoOutputDir;
    default: return genmsg::kNoMessageFile;
    }
}

bool TakesValue(ESwitch kind)
{
    return kind == swPlatform || kind == swCompiler || kind == swCompilerArg || kind == swOutputDir ||
           kind == swMessageFile;
}

void SetPlatform(const std::string& value, CVygenOptions& options, CVygenMessages& messages)
{
    char digit = value.empty() ? '\0' : value[0];
    if (digit >= '0' && digit <= '4') {
        options.platform = static_cast<EPlatform>(digit - '0');
    } else {
        messages.Printf(genmsg::kUnknownPlatform);
        options.error = true;
    }
}

}  // namespace

bool IsSwitch(const std::string& arg)
{
    if (arg.empty() || (arg[0] != '-' && arg[0] != '/')) return false;
    return arg[0] == '-' || Classify(arg) != swUnknown;
}

bool ScanCommandLine(const std::vector<std::string>& args, CVygenOptions& options, CVygenMessages& messages)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!IsSwitch(arg)) continue;
        ESwitch kind = Classify(arg);
        if (kind == swUnknown) {
            messages.Printf(genmsg::kUnknownOption, arg.c_str());
            options.error = true;
            return true;
        }
        if (TakesValue(kind) && i + 1 == args.size()) {
            messages.Printf("%s", MissingValueMessage(kind));
            options.error = true;
            return true;
        }
        const std::string value = TakesValue(kind) ? args[++i] : std::string();
        switch (kind) {
        case swPlatform: SetPlatform(value, options, messages); break;
        case swConvert: options.convertPaths = true; break;
        case swCompiler: options.compiler = value; break;
        case swCompilerArg:
            options.compilerArgs = value;
            options.compilerArgsGiven = true;
            break;
        case swOutputDir: options.outputDir = value; break;
        case swNoAbout: options.about = false; break;
        case swVersion: options.version = true; break;
        case swHelp: options.help = true; break;
        case swMessageFile:
            if (!messages.OpenFile(value)) {
                messages.Printf(genmsg::kCannotOpenMessageFile, value.c_str());
                return false;
            }
            break;
        case swUnknown: break;
        }
    }
    return true;
}
