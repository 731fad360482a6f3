// Declaration sequences: the ordered, owning list of a module's, definition module's or
// procedure's declarations, the list of imported modules, and the driver that reads
//   DeclarationSequence = {CONST {ConstDecl ";"} | TYPE {TypeDecl ";"} | VAR {VarDecl ";"}}
//                         {ProcedureDeclaration ";"}.
// The section readers and writers live with the declaration classes (see the hooks below).
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

    int RunLateChecks();
};

// Definition-file variant: procedure headings only; "^" gives 94 and handlers 122.
class CDfnDeclSeq : public CDeclSeq {
public:
    using CDeclSeq::CDeclSeq;
    int ReadProcedure(CLexBuf& lb) override;
};

// ---- Hooks filled in by the declaration classes (compiler/decl/) ----
// A section reader reads one declaration of its section and adds it to `seq`. It returns 0 on
// success, 1 when no further declaration of the section follows (the driver then restores the
// position it saved before the attempt), or an error code.
int ReadConstDeclaration(CLexBuf& lb, CDeclSeq& seq);
int ReadTypeDeclaration(CLexBuf& lb, CDeclSeq& seq);
int ReadVarDeclaration(CLexBuf& lb, CDeclSeq& seq);
// The check after the CONST/TYPE/VAR sections, run for array, record and pointer types and
// for constants and variables, in declaration order. 0 or an error code.
int CheckDeclarationLate(CBaseName& decl);
// After PROCEDURE: a full declaration (module and procedure scopes) or a heading (definition
// files). 0 or an error code; the declaration is added to `seq`.
int ReadProcedureDeclaration(CLexBuf& lb, CDeclSeq& seq);
int ReadProcedureHeading(CLexBuf& lb, CDeclSeq& seq);
// After the whole sequence: every forward procedure that no full declaration satisfied gives
// 93 at its own position (the hook reports the position through the token buffer).
int CheckForwardProcedures(CLexBuf& lb, CDeclSeq& seq);

// The predeclared type SYSTEM.PTR (kind 29), added to SYSTEM after its definition file is read.
std::unique_ptr<CBaseName> CreateSystemPtrType(CBaseName* system, const std::string& name);

// Section writers of a declaration sequence, called by the module writer in file order.
// `moduleLevel` is false for procedure-local declarations.
void WriteTypeSection(CCppOutput& f, CDeclSeq& seq, bool moduleLevel);
void WriteVarSection(CCppOutput& f, CDeclSeq& seq, bool moduleLevel);
void WriteProcedureSection(CCppOutput& f, CDeclSeq& seq);
// Definition text of the CONST, TYPE and VAR sections and of the procedure headings.
void WriteConstTypeVarDFN(CDfnOutput& f, CDeclSeq& seq);
void WriteProcedureDFN(CDfnOutput& f, CDeclSeq& seq);
