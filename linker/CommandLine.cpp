// Parsing the linker's command line. A switch error ends the walk and is followed by the banner
// and the usage text; -v answers with the version line whatever else was found, except a -f
// file that cannot be opened, which ends the program at once.
#include "CommandLine.h"
#include "Messages.h"
#include "Switches.h"

using namespace linkmsg;

namespace {
enum ESwitch { swHelp, swVersion, swNoAbout, swWarnInsufficiency, swMessageFile, swOutput, swInput };

const CSwitchTable kSwitches = {
    {"h", swHelp}, {"?", swHelp}, {"v", swVersion}, {"a", swNoAbout}, {"d", swWarnInsufficiency},
    {"f", swMessageFile, console::kNoMessageFile}, {"o", swOutput, kNoPathAfterO}, {"i", swInput, kNoPathAfterI},
};

const SConsoleProgram kLinker(kTitle, kVersion, kNotice, kVersionAnswer, kUsage);

bool EndsWithSeparator(const std::string& folder)
{
    return !folder.empty() && (folder.back() == '/' || folder.back() == '\\');
}

EScanStep TakeSwitch(int id, const std::string& value, CMessageStream& out, CLinkOptions& o)
{
    switch (id) {
    case swHelp: o.help = true; break;
    case swVersion: o.version = true; break;
    case swNoAbout: o.about = false; break;
    case swWarnInsufficiency: o.insufficiencyIsWarning = true; break;
    case swMessageFile:
        if (out.OpenFile(value)) break;
        out.Printf(kCannotOpenMessageFile, value.c_str());
        return EScanStep::fatal;
    case swOutput: o.outputFolder = value; break;
    case swInput: o.inputFolder = value.empty() || EndsWithSeparator(value) ? value : value + "/"; break;
    }
    return EScanStep::next;
}
}  // namespace

EConsoleStep ParseCommandLine(const std::vector<std::string>& args, CMessageStream& out, CLinkOptions& options)
{
    if (args.empty()) {
        options.help = true;
        return AnswerCommandLine(out, kLinker, options);
    }
    options.makefile = args[0];
    EScanStep step = ScanSwitches(args, kSwitches, out, [&](int id, const std::string& value) {
        return TakeSwitch(id, value, out, options);
    });
    if (step == EScanStep::fatal) return EConsoleStep::exitFailure;
    options.error = step == EScanStep::error;
    return AnswerCommandLine(out, kLinker, options, kSwitches.IsSwitch(args[0]) ? kNoMakefile : nullptr);
}
