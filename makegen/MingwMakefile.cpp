// Targets 2 and 3: one rule named after the executable that compiles and links the support
// files, the main module and every other module with one g++ call. Folder names are converted
// to OEM Cyrillic on request, since the MinGW tools take them in the console's code page, and
// quoted for make and the shell.
#include "Makefiles.h"
#include "ProjectValues.h"

void WriteMingwMakefile(CTextFile& f, const CVygenOptions& options, const CBuildDescription& description)
{
    f.Printf("\n%s:\n\t\"%s\" \"_VYK_main.cpp\" \"_VYK_sys.cpp\" \\\n\t\t\"%s.cpp\" \\\n",
             description.executable.c_str(), options.compiler.c_str(), description.mainModule.c_str());
    for (const CModuleEntry& m : description.modules) {
        std::string path = options.convertPaths ? Win1251ToOem866(m.path) : m.path;
        f.Printf("\t\t\"%s%s.cpp\" \\\n", QuoteForShellRecipe(path, m.name[0]).c_str(), m.name.c_str());
    }
    if (options.platform == platMingwWindows) f.Printf("\t\t-mwindows \\\n");
    f.Printf("\t\t-o \"$(DIR_NAME)/$(EXE_NAME)\" %s\n", options.compilerArgs.c_str());
}
