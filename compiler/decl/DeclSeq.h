// Declaration sequences: the ordered, owning list of a module's, definition module's or
// procedure's declarations, the list of imported modules, and the driver that reads
//   DeclarationSequence = {CONST {ConstDecl ";"} | TYPE {TypeDecl ";"} | VAR {VarDecl ";"}}
//                         {ProcedureDeclaration ";"}.
// The section readers and writers live with the declarations (Sections.h, Procedures.h).
#pragma once
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "front/Names.h"

class CDfnModule;

class CDeclSeq {
public:
    CBaseName* owner;                                   // module, definition module or procedure
    std::vector<std::unique_ptr<CBaseName>> decls;      // in reading order (imports first)
    std::vector<CDfnModule*> imported;                  // imported modules, in import order
    // The imported modules that this sequence's owner read first. A module reached by several
    // paths of the import graph is read once and belongs to the first importer; the others
    // refer to it.
    std::vector<std::unique_ptr<CDfnModule>> owned;

    explicit CDeclSeq(CBaseName* owner);
    CDeclSeq(const CDeclSeq&) = delete;
    CDeclSeq& operator=(const CDeclSeq&) = delete;
    virtual ~CDeclSeq();

    // Appends a declaration; its parent becomes the owner when it has none yet. A declaration
    // keeps the name it had when it was added.
    void AddName(std::unique_ptr<CBaseName> decl);
    // Case-sensitive search; the first match wins. nullptr when absent. Hashed, so modules with
    // hundreds of thousands of declarations are read in linear time.
    CBaseName* FindName(const std::string& id) const;
    // The imported module whose DEFINITION header names `module`, or nullptr.
    CDfnModule* FindImported(const std::string& module) const;
    // Appends a module read for this owner, which then owns it.
    void AddImported(std::unique_ptr<CDfnModule> module);

    // Reads one procedure declaration after PROCEDURE. Modules and procedures read full
    // declarations; the definition-module variant reads headings only.
    virtual int ReadProcedure(CLexBuf& lb);

    // Reads the whole sequence (grammar above); leaves the token that ended it unread.
    int Init(CLexBuf& lb);

private:
    int ReadSection(CLexBuf& lb, int section);
    void IndexNewDeclarations() const;

    // First position of each name among decls[0 .. indexed).
    mutable std::unordered_map<std::string, size_t> firstByName;
    mutable size_t indexed = 0;

    int RunLateChecks(CLexBuf& lb);
};

// Definition-file variant: procedure headings only; "^" gives 94 and handlers 122.
class CDfnDeclSeq : public CDeclSeq {
public:
    using CDeclSeq::CDeclSeq;
    int ReadProcedure(CLexBuf& lb) override;
};

