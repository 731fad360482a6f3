// The outermost structure of a compilation unit: the compiled module, the modules read from
// definition files (SYSTEM among them), the import list and the loading of imported modules.
//   Module     = MODULE ident ";" [ImportList] DeclarationSequence [BEGIN StatementSequence]
//                END ident ".".
//   Definition = DEFINITION ident ";" [ImportList] DeclarationSequence END ident ".".
//   ImportList = IMPORT [ident ":="] ident {"," [ident ":="] ident} ";".
#pragma once
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "decl/DeclSeq.h"
#include "front/Names.h"

class CProject;
class CDfnModule;

// The statement sequence of a module body, written into the initialisation function.
class CStatementBody {
public:
    virtual ~CStatementBody();
    virtual void WriteCPP(CCppOutput& f) = 0;
    // 0 without RETURN, 1 when some paths return, other values when all paths do.
    virtual int GetReturnState() const = 0;
};

// What a module and a definition module share: the declaration sequence (which also holds the
// imported modules) and the body. AddName and FindName delegate to the declaration sequence.
class CModuleBase : public CBaseName {
public:
    static bool IsKind(int k) { return IsModuleKind(k); }
    std::unique_ptr<CDeclSeq> decls;
    std::unique_ptr<CStatementBody> body;
    // Of the outermost module only: every module read from a definition file in this
    // compilation, by the name it was imported by, so each file is read once.
    std::unordered_map<std::string, CDfnModule*> loadedModules;

    CModuleBase(EKind kind, CBaseName* parent) : CBaseName(kind, parent) {}
    ~CModuleBase() override;
    void AddName(std::unique_ptr<CBaseName> decl) override;
    CBaseName* FindName(const std::string& id) override;

    // The import list in steps, so that imported definition files can be read one inside the
    // other without recursion:
    //   ImportList = IMPORT ImportEntry {"," ImportEntry} ";".   ImportEntry = ident [":=" ident].
    // Reads IMPORT if it comes; `present` tells whether it did.
    int ReadImportStart(CLexBuf& lb, bool& present);
    // Reads one entry and declares its alias (15 for a repeated alias, 35 for an import of this
    // module itself); `module` is the module to load.
    int ReadImportEntry(CLexBuf& lb, std::string& module, std::string& alias);
    // After an entry: "," (more entries) or ";" (the end), else 25.
    int ReadImportSeparator(CLexBuf& lb, bool& more);
    // The whole list, loading each imported module in turn.
    int ReadImportList(CProject& project, CLexBuf& lb);
};

// MODULE name; ... END name.  (kind 1)
// C++: CPP/<m>.h, CPP/<m>.cpp and CPP/<m>.vyl; definition file DFN/<m>.dfn.
class CModule : public CModuleBase {
public:
    CModule() : CModuleBase(kindModule, nullptr) {}
    int Init(CProject& project, CLexBuf& lb);
    int Init(CLexBuf& lb) override;   // modules need the project: internal error
    void WriteCPP(CCppOutput& f) override;
    void WriteDFN(CDfnOutput& f) override;

private:
    int ReadEnd(CLexBuf& lb);
    // Sections of the generated files, in the order they appear.
    void WriteSourceHead(CCppOutput& f);
    void WriteHeaderIncludes(CCppOutput& f);
    void WriteImportSection(CCppOutput& f);
    void WriteInitHead(CCppOutput& f);
    void WriteInitPrologue(CCppOutput& f);
    void WriteBody(CCppOutput& f);
    void WriteImportDFN(CDfnOutput& f);
};

// DEFINITION name; ... END name.  (kind 2, or 3 for SYSTEM)
class CDfnModule : public CModuleBase {
public:
    static bool IsKind(int k) { return k == kindDfnModule || k == kindSystemModule; }
    std::string alias;        // the name under which the importing module imported it
    std::string pathPrefix;   // search folder of its definition file; empty for "DFN/"
    // Types marked "-": named by its other declarations, never by an importer.
    std::unordered_set<std::string> hiddenTypes;

    CDfnModule(EKind kind, CBaseName* parent) : CModuleBase(kind, parent) {}
    int Init(CProject& project, CLexBuf& lb);
    // The parts of Init around the import list: DEFINITION ident ";" and, after the list,
    // DeclarationSequence END ident ".".
    int ReadHeader(CLexBuf& lb);
    int ReadRest(CLexBuf& lb);
    int Init(CLexBuf& lb) override;   // internal error
};

// Finds DFN/<module>.dfn or <folder><module>.dfn in the project's search folders, reads and
// parses it and appends the module to importer's list of imported modules. 0, 33, 34 or 35 (a
// module already being read on this chain); the failing definition file's own diagnostics are
// written here. The definition files that it imports in turn are read in a loop with a stack of
// their own, so chains of any depth cost no call stack. A module already read in this
// compilation is not read again: the importer refers to the same module.
int LoadImportedModule(CProject& project, CModuleBase& importer, const std::string& module,
                       const std::string& alias);

