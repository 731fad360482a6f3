// Target 4: a GNU make makefile for Linux with one object per module under $(DIR_NAME)/obj,
// dependency files written by the compiler (-MMD -MP) so that a changed header recompiles
// exactly the objects whose sources include it, and one link step. The library modules that
// the toolchain's archive holds are linked from it instead of being compiled again.
//
// The build description's values have passed the checks of every target (ProjectValues.h) when
// they arrive here. File names also go into rule lines, where make reads blanks, '%', '*', ':',
// ';', '=' and more as syntax, so this target further asks of a folder and of the executable
// plain path characters, with a blank as the only one escaped there. In commands every file
// name is written in double quotes with the shared quoting for the shell.
#include "Makefiles.h"

#include "Messages.h"
#include "ProjectValues.h"

namespace {

bool IsWordChar(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// Letters of other alphabets (UTF-8 bytes) are plain too: folder names need not be English.
bool IsPathChar(unsigned char c)
{
    return IsWordChar(c) || c >= 0x80 || c == '.' || c == '/' || c == '+' || c == '-' || c == ',' || c == '@';
}

bool IsExecutableName(const std::string& name)
{
    if (name.empty() || name[0] == '-' || name[0] == '.') return false;
    for (unsigned char c : name)
        if (!IsWordChar(c) && c != '.' && c != '+' && c != '-') return false;
    return true;
}

bool IsFolder(const std::string& folder, bool blanks)
{
    for (unsigned char c : folder)
        if (!IsPathChar(c) && !(blanks && c == ' ')) return false;
    return true;
}

// A file name in a rule line.
std::string MakeEscaped(const std::string& path)
{
    std::string out;
    for (char c : path) {
        if (c == ' ') out += '\\';
        out += c;
    }
    return out;
}

// A file name in a command.
std::string RecipeWord(const std::string& path)
{
    return "\"" + QuoteForShellRecipe(path) + "\"";
}

// Compiler arguments are shell text by design; make must pass them on unchanged.
std::string MakeVariableValue(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '$') out += '$';
        else if (c == '#') out += '\\';
        out += c;
    }
    return out;
}

// The -cp value as the one word of VYK_CXX: quoted unless it is a plain path.
std::string CompilerCommand(const std::string& compiler)
{
    if (!compiler.empty() && IsFolder(compiler, false)) return compiler;
    std::string out;
    for (char c : RecipeWord(compiler)) {
        if (c == '#') out += '\\';
        out += c;
    }
    return out;
}

struct CObject {
    std::string name;     // the module, and so the object's base name
    std::string source;   // relative to the makefile's folder, or absolute
    bool generated;       // written by the compiler into the makefile's folder
};

std::vector<CObject> ObjectsToCompile(const CBuildDescription& description, const CLibraryArchive& library,
                                      const std::string& makefileFolder, bool& usesArchive)
{
    std::vector<CObject> objects{{"_VYK_main", "_VYK_main.cpp", true}, {"_VYK_sys", "_VYK_sys.cpp", true},
                                 {description.mainModule, description.mainModule + ".cpp", true}};
    usesArchive = false;
    for (const CModuleEntry& m : description.modules) {
        if (IsFolder(library.archive, true) && library.Holds(m, makefileFolder)) {
            usesArchive = true;
            continue;
        }
        objects.push_back({m.name, m.path + m.name + ".cpp", m.path.empty()});
    }
    return objects;
}

const char kSettings[] =
    "\n"
    "# One object per module under OBJ_DIR, each with the dependency file the compiler writes;\n"
    "# make -j compiles them in parallel. Settings (make's command line or the environment):\n"
    "#   VYK_CXX     the compiler command, for example \"distcc c++\" to spread the compiles\n"
    "#   VYK_CCACHE  ccache goes in front of the compiles where it is installed; \"no\" keeps it out\n"
    "#   VYK_FLAGS   the compiler arguments of every compile and of the link\n";

// The support header compiled once per program (under OBJ_DIR, from a copy there, so that the
// source folder stays clean) saves its reading in every file the compiler wrote; below this many
// such files compiling it costs more than it saves. Never through distcc: the other machines
// would need the compiled header, so distcc compiles read the header itself.
const size_t kPrecompileFrom = 10;
const char kPrecompiledSettings[] =
    "#   VYK_PCH     \"yes\" compiles the support header once for the program's own files;\n"
    "#               \"no\" keeps it out (distcc compiles never use it)\n";
const char kPrecompiledHeader[] =
    "ifeq ($(VYK_PCH)$(findstring distcc,$(VYK_CXX) $(CCACHE_PREFIX)),yes)\n"
    "VYK_PCH_HEADER = $(OBJ_DIR)/pch/_VYK_sys.h\n"
    "VYK_PCH_FILE = $(VYK_PCH_HEADER).gch\n"
    "VYK_PCH_USE = -iquote . -include $(VYK_PCH_HEADER) -fpch-preprocess\n"
    "ifneq ($(VYK_LAUNCHER),)\n"
    "# ccache caches compiles with a precompiled header only with this sloppiness.\n"
    "VYK_LAUNCHER := CCACHE_SLOPPINESS=$${CCACHE_SLOPPINESS:+$$CCACHE_SLOPPINESS,}pch_defines,time_macros \\\n"
    "\t$(VYK_LAUNCHER)\n"
    "endif\n"
    "endif\n";
const char kPrecompiledRules[] =
    "ifneq ($(VYK_PCH_FILE),)\n"
    "$(VYK_PCH_HEADER): _VYK_sys.h | $(OBJ_DIR)\n"
    "\tmkdir -p $(OBJ_DIR)/pch && cp _VYK_sys.h $@\n\n"
    "$(VYK_PCH_FILE): $(VYK_PCH_HEADER)\n"
    "\t$(VYK_LAUNCHER) $(VYK_CXX) $(VYK_FLAGS) -iquote . -MMD -MP -x c++-header $(VYK_PCH_HEADER) -o $@\n\n"
    "-include $(VYK_PCH_FILE:.gch=.d)\n"
    "endif\n\n";

}  // namespace

bool CheckGnuMakeValues(const CVygenOptions& options, const CBuildDescription& description,
                        const std::string& descriptionPath, CMessageStream& messages)
{
    auto refuse = [&](const std::string& value) {
        messages.Printf(genmsg::kUnsafeValue, ShownValue(value).c_str(), descriptionPath.c_str());
        return false;
    };
    if (!IsExecutableName(description.executable)) return refuse(description.executable);
    for (const CModuleEntry& m : description.modules)
        if (!IsFolder(m.path, true)) return refuse(m.path);
    if (options.outputDir.empty() || !IsFolder(options.outputDir, false)) {
        messages.Printf(genmsg::kUnsafeOutputDir, options.outputDir.c_str());
        return false;
    }
    for (char c : options.compiler + options.compilerArgs)
        if (c == '\n' || c == '\r') {
            messages.Printf(genmsg::kUnsafeCompilerText);
            return false;
        }
    return true;
}

void WriteGnuMakefile(CTextFile& f, const CVygenOptions& options, const CBuildDescription& description,
                      const CLibraryArchive& library, const std::string& makefileFolder)
{
    bool usesArchive = false;
    std::vector<CObject> objects = ObjectsToCompile(description, library, makefileFolder, usesArchive);
    const std::string flags = options.compilerArgsGiven ? options.compilerArgs : kGnuMakeDefaultArgs;

    size_t generated = 0;
    for (const CObject& o : objects) generated += o.generated ? 1 : 0;
    const bool precompile = generated >= kPrecompileFrom;

    f.Printf("%s", kSettings);
    if (precompile) f.Printf("%s", kPrecompiledSettings);
    f.Printf("VYK_CXX ?= %s\n", CompilerCommand(options.compiler).c_str());
    f.Printf("VYK_CCACHE ?= yes\n");
    f.Printf("VYK_FLAGS ?= %s\n", MakeVariableValue(flags).c_str());
    if (precompile) f.Printf("VYK_PCH ?= yes\n");
    f.Printf("OBJ_DIR = $(DIR_NAME)/obj\n");
    if (usesArchive) {
        f.Printf("# The standard library, compiled once with the toolchain.\n");
        f.Printf("VYK_LIBRARY = %s\n", MakeEscaped(library.archive).c_str());
    }
    f.Printf("\nifeq ($(VYK_CCACHE),yes)\nVYK_LAUNCHER := $(shell command -v ccache 2>/dev/null)\nendif\n");
    if (precompile) f.Printf("%s", kPrecompiledHeader);
    f.Printf("VYK_COMPILE = $(VYK_LAUNCHER) $(VYK_CXX) $(VYK_FLAGS) -MMD -MP -c\n\n");

    f.Printf("VYK_OBJECTS =");
    for (const CObject& o : objects) f.Printf(" \\\n\t$(OBJ_DIR)/%s.o", o.name.c_str());
    f.Printf("\n\n.PHONY: all clean\n\nall: $(DIR_NAME)/$(EXE_NAME)\n\n");

    const char* archive = usesArchive ? " $(VYK_LIBRARY)" : "";
    f.Printf("$(DIR_NAME)/$(EXE_NAME): $(VYK_OBJECTS)%s\n", archive);
    f.Printf("\t$(VYK_CXX) $(VYK_FLAGS) -o $(DIR_NAME)/$(EXE_NAME) $(VYK_OBJECTS)%s\n\n",
             usesArchive ? (" " + RecipeWord(library.archive)).c_str() : "");

    if (precompile) f.Printf("%s", kPrecompiledRules);
    for (const CObject& o : objects) {
        const bool pch = precompile && o.generated;
        f.Printf("$(OBJ_DIR)/%s.o: %s%s | $(OBJ_DIR)\n", o.name.c_str(), MakeEscaped(o.source).c_str(),
                 pch ? " $(VYK_PCH_FILE)" : "");
        f.Printf("\t$(VYK_COMPILE)%s %s -o $@\n\n", pch ? " $(VYK_PCH_USE)" : "", RecipeWord(o.source).c_str());
    }

    f.Printf("$(OBJ_DIR):\n\tmkdir -p $(OBJ_DIR)\n\n");
    f.Printf("clean:\n\trm -f $(DIR_NAME)/$(EXE_NAME) $(VYK_OBJECTS) $(VYK_OBJECTS:.o=.d)%s\n\n",
             precompile ? " $(OBJ_DIR)/pch/_VYK_sys.h*" : "");
    f.Printf("-include $(VYK_OBJECTS:.o=.d)\n");
}
