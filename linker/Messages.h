// Every text the linker writes to its message stream: banner, usage, version line,
// command-line and file errors, the messages of reading and checking, and the outcome lines.
// All of them are printf formats; the arguments are listed in the comment after each.
#pragma once

namespace linkmsg {

// Program identity.
inline constexpr char kVersion[] = "1.8.12";
inline constexpr char kTitle[] = "Vybind (VYK linker)";
inline constexpr char kNotice[] = "Joins the common types and common procedures of a VYK program";
inline constexpr char kVersionAnswer[] = "Vybind version %s\n";                            // version

// The head of the usage text, written piece by piece in this order (the rest: Console.h).
inline constexpr const char* kUsage[] = {
    "Usage:      Vybind <VYK_makefile> [-<switch>...]\n\n<Examples>\n  Vybind _VYK_make.vym\n"
    "  Vybind \"_VYK_make.vym\" -f \"log.txt\" -a\n\n<Switches>\n",
    "  i <path>  Set path for input files (equal to VYK makefile path by default)\n",
    "  o <path>  Set path for output files (equal to VYK makefile path by default)\n",
    "  d         Do not treat as error insufficiency of handlers for common\n"
    "             procedure without default handler\n",
};

// Command line.
inline constexpr char kNoPathAfterO[] = "ERROR: Not found path after -o in command line\n";
inline constexpr char kNoPathAfterI[] = "ERROR: Not found path after -i in command line\n";
inline constexpr char kNoMakefile[] = "ERROR: Not specified VYK makefile\n";
inline constexpr char kCannotOpenMessageFile[] = "FILE I/O: Cannot open file %s for writing\n";  // path
inline constexpr char kCannotCloseMessageFile[] = "FILE I/O: Cannot close file, specified by switch -f\n";

// Build description.
inline constexpr char kCannotOpenForReading[] = "ERROR: Cannot open file \"%s\" for reading\n";  // path
inline constexpr char kCannotClose[] = "ERROR: Cannot close file \"%s\"\n";                      // path
inline constexpr char kMakefileFormat[] = "ERROR: Incorrect VYK makefile (\"%s\") format\n";      // path
inline constexpr char kMakefileContent[] = "ERROR: Incorrect VYK makefile (\"%s\") content\n";    // path
inline constexpr char kUnknownInternal[] = "ERROR: UNKNOWN INTERNAL ERROR\n";
inline constexpr char kBadModuleName[] = "ERROR: Incorrect module name \"%s\" in VYK makefile (\"%s\")\n";  // name, path
inline constexpr char kBadFolder[] = "ERROR: Incorrect folder \"%s\" in VYK makefile (\"%s\")\n";       // folder, path

// Link descriptions.
inline constexpr char kOutputPathTooLong[] = "ERROR: Path to output files too long\n";
inline constexpr char kFileNameTooLong[] = "WARNING: File name too long: \"%s\"\n";              // name
inline constexpr char kNoMainFile[] = "WARNING: Not specified main file in project\n";
inline constexpr char kMainNotFound[] = "WARNING: Not found file \"%s\"\n";                     // path
// A link description that exists but cannot be used fails the link (a missing one does not).
inline constexpr char kNoModuleDescription[] = "ERROR: Not found module description in file \"%s\"\n";
inline constexpr char kLinkFormat[] = "ERROR: Incorrect format of link description \"%s\"\n";  // path
inline constexpr char kLinkUnreadable[] = "ERROR: Cannot read link description \"%s\"\n";       // path
inline constexpr char kBadLinkName[] = "ERROR: Incorrect name \"%s\" in link description \"%s\"\n";  // value, path
inline constexpr char kFileFailed[] = "ERROR: File \"%s\" - FAILED\n";                          // path

// Common types.
inline constexpr char kNoCaseModule[] = "ERROR: Not found module name of CASE %s\n";  // "declaration"/"extension"
inline constexpr char kCaseDeclaration[] = "declaration";
inline constexpr char kCaseExtension[] = "extension";
inline constexpr char kNoCaseName[] = "ERROR: Not found name of CASE\n";
inline constexpr char kCaseRedeclared[] = "ERROR: CASE \"%s\" in \"%s\" redeclared\n";  // name, module
inline constexpr char kNoSpecName[] = "ERROR: Not found name in specialization in CASE \"%s\"\n";  // CASE
inline constexpr char kWrongSpecTag[] = "ERROR: Wrong type of tag in CASE \"%s\" specialization \"%s\"";
inline constexpr char kWrongSpecTagWith[] = " with tag \"%s\"";                             // tag
inline constexpr char kLineEnd[] = "\n";
inline constexpr char kDefaultRedefined[] = "ERROR: Default specialization redefined in CASE \"%s\"\n";
inline constexpr char kIncompatibleSpecs[] =
    "ERROR: Incompatible specializations with tag \"%s\" in CASE \"%s\" declared in \"%s\"\n";  // tag, CASE, module
inline constexpr char kCaseNotDeclared[] = "ERROR: Not found declaration of CASE \"%s\" in \"%s\"\n";  // name, module

// Common procedures.
inline constexpr char kNoProcModule[] = "ERROR: Not found module name of common procedure\n";
inline constexpr char kNoProcName[] = "ERROR: Not found name of common procedure\n";
inline constexpr char kProcRedeclared[] = "ERROR: Common procedure \"%s\" in \"%s\" redeclared\n";  // name, module
inline constexpr char kNoCommonPars[] =
    "ERROR: Absent common parameters in common procedure \"%s\" in \"%s\"\n";  // name, module
inline constexpr char kNoCParName[] =
    "ERROR: Not found type name of common parameter N%i in common procedure \"%s\" in \"%s\"\n";  // i, name, module

// Handler procedures.
inline constexpr char kNoHandlerModule[] = "ERROR: Not found module name of handler procedure\n";
inline constexpr char kNoHandlerName[] = "ERROR: Not found name of handler procedure\n";
inline constexpr char kNoHandlerUid[] = "ERROR: Not found UID of handler procedure\n";
inline constexpr char kNoSpecialPars[] =
    "ERROR: Absent common parameters in handler procedure \"%s\" in \"%s\"\n";  // name, qual
inline constexpr char kNoSParName[] =
    "ERROR: Not found tag or type name in parameter N%i of handler procedure \"%s.%s\"[%s] in \"%s\"\n";
    // i, qual, name, uid, module
inline constexpr char kHandlersIncompatible[] =
    "ERROR: Handler procedure \"%s.%s\"[%s] in \"%s\" and \"%s.%s\"[%s] in \"%s\" incompatible\n";
inline constexpr char kHandlerOverload[] =
    "ERROR: Handler procedure \"%s.%s\"[%s] in \"%s\" overload \"%s.%s\"[%s] in \"%s\"\n";
    // both: new qual, name, uid, module; older qual, name, uid, module

// Handler checks.
inline constexpr char kParameterCounts[] =
    "ERROR: Different counts of parameters in common procedure \"%s.%s\" and handler procedure \"%s\"[%s] "
    "in module \"%s\"\n";  // module, name, handler name, uid, handler module
inline constexpr char kUnknownParType[] =
    "ERROR: Unknown type of parameter N%i in common procedure \"%s.%s\"\n";  // i, module, name
inline constexpr char kWrongParTag[] =
    "ERROR: Wrong tag type in parameter N%i of handler procedure \"%s\"[%s] in module \"%s\"\n";
inline constexpr char kUnknownSpec[] =
    "ERROR: Unknown specialization in parameter N%i of handler procedure \"%s\"[%s] in module \"%s\"\n";
    // both: i, handler name, uid, handler module
inline constexpr char kInsufficient[] =
    "%s: Insufficiency of handler procedures for common procedure \"%s.%s\"%s\n";
    // severity, module, name, ending
inline constexpr char kSeverityWarning[] = "WARNING";
inline constexpr char kSeverityError[] = "ERROR";
inline constexpr char kWithoutDefault[] = " without default handler";

// Output files.
inline constexpr char kCannotOpenForWriting[] = "ERROR: Cannot open file \"%s\" for writing\n";  // path
inline constexpr char kCannotWrite[] = "ERROR: Cannot write file \"%s\"\n";                     // path

// Outcome.
inline constexpr char kOk[] = "Vybind - OK\n";
inline constexpr char kFailed[] = "Vybind - FAILED\n";

}  // namespace linkmsg
