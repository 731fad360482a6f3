// The project of one compiler run: the values read from the project file (definition-file
// search folders, main file, executable name, tab size) and the build description
// CPP/_VYK_make.vym, which every run loads (or starts anew), extends and writes back.
#pragma once
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "OutputFiles.h"
#include "Xml.h"

class CModuleBase;

extern const char* const kBuildDescriptionPath;   // "CPP/_VYK_make.vym"

class CProject {
public:
    std::vector<std::string> searchFolders{"DFN/"};   // prefixes joined directly with a name
    int longestFolder = 4;
    int tabSize = 1;
    std::optional<std::string> execName;   // EXEC, without a final ".exe"
    std::optional<std::string> mainFile;   // MAIN, in capital letters
    std::unique_ptr<CXmlElement> build;    // the Project element, or none
    // Limits of import loading: definition files nested deeper than maxImportDepth are refused,
    // and a run reads at most maxDfnLoads of them. No real program comes near either.
    int maxImportDepth = 20000;
    int maxDfnLoads = 20000;
    int dfnLoads = 0;                      // definition files read in this run

    // Reads the project file: 0, or 1 when it cannot be opened.
    int ReadProjectFile(const std::string& path);
    // Applies one line of a project file (the reading rules of the project manager's format).
    void ReadProjectLine(const std::string& line);
    // True when the project names a main file equal to `sourcePath` in capital letters.
    bool IsMainFile(const std::string& sourcePath) const;

    // Starts a new, empty build description.
    void DropBuildDescription();
    // Reads CPP/_VYK_make.vym (a missing file starts a new one); false after an error message.
    bool LoadBuildDescription();
    // Adds a File entry unless one with this name and folder exists ("" folder = none).
    void AddModuleEntry(const std::string& folder, const std::string& module);
    // The compiled module's own entry. Its generated files always live in this project's CPP
    // and DFN folders, so the folder is empty whatever folder the source is in.
    void AddCompiledModule(const std::string& sourcePath, const std::string& module);
    // Entries of every imported module, recursively through the imports of the imports.
    void AddImportedModules(const CModuleBase& module);
    // The main module's run: an entry of SYSTEM (the program's entry point and traps) when no
    // module of the program brought one in and a search folder holds SYSTEM.dfn.
    void AddRunTimeModule();
    // Writes CPP/_VYK_make.vym (with `outputs`, as a file that the run's commit moves into
    // place); false after an error message.
    bool WriteBuildDescription(bool mainFlag, const std::string& moduleName, COutputFiles* outputs = nullptr);
    // False, after its message, when the main module would record an executable name that is
    // not a plain file name (see ProjectValues.h).
    bool CheckExecutableName() const;
};

// Upper-cases the letters a to z only.
std::string ToCapitals(const std::string& text);
