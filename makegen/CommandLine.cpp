// The switch scan of Vygen. Switch letters are compared without regard to case, a switch is
// exactly as long as its name, and a switch's value is the next argument whatever it looks like.
// A missing value or an unknown switch ends the scan; an unknown platform digit does not.
#include "CommandLine.h"
#include "Messages.h"
#include "Switches.h"

namespace {

enum ESwitch { swPlatform, swConvert, swCompiler, swCompilerArg, swOutputDir, swNoAbout, swMessageFile, swVersion,
               swHelp };

const CSwitchTable kSwitches = {
    {"p", swPlatform, genmsg::kNoPlatform}, {"c", swConvert}, {"cp", swCompiler, genmsg::kNoCompiler},
    {"ca", swCompilerArg, genmsg::kNoCompilerArg}, {"o", swOutputDir, genmsg::kNoOutputDir}, {"a", swNoAbout},
    {"f", swMessageFile, console::kNoMessageFile}, {"v", swVersion}, {"h", swHelp}, {"?", swHelp},
};

void SetPlatform(const std::string& value, CVygenOptions& options, CMessageStream& messages)
{
    char digit = value.empty() ? '\0' : value[0];
    if (digit >= '0' && digit <= '4') {
        options.platform = static_cast<EPlatform>(digit - '0');
    } else {
        messages.Printf(genmsg::kUnknownPlatform);
        options.error = true;
    }
}

EScanStep TakeSwitch(int id, const std::string& value, CVygenOptions& options, CMessageStream& messages)
{
    switch (id) {
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
        if (messages.OpenFile(value)) break;
        messages.Printf(genmsg::kCannotOpenMessageFile, value.c_str());
        return EScanStep::fatal;
    }
    return EScanStep::next;
}

}  // namespace

bool IsSwitch(const std::string& arg) { return kSwitches.IsSwitch(arg); }

bool ScanCommandLine(const std::vector<std::string>& args, CVygenOptions& options, CMessageStream& messages)
{
    EScanStep step = ScanSwitches(args, kSwitches, messages, [&](int id, const std::string& value) {
        return TakeSwitch(id, value, options, messages);
    });
    if (step == EScanStep::error) options.error = true;
    return step != EScanStep::fatal;
}
