// The declaration-sequence driver shared by modules, definition modules and procedures: it
// reads the CONST, TYPE and VAR sections in any order, runs the late checks, reads the
// procedure declarations and checks the forward ones. The readers of single declarations live
// with the sections (Sections.h) and the procedures (Procedures.h).
#include "decl/DeclSeq.h"

#include "front/Diagnostics.h"
#include "front/Lexer.h"
#include "decl/Module.h"
#include "decl/Procedures.h"
#include "decl/Sections.h"

CDeclSeq::CDeclSeq(CBaseName* owner) : owner(owner) {}

// Imported modules can nest thousands deep: they are taken apart one after the other rather
// than by destructors calling destructors.
CDeclSeq::~CDeclSeq()
{
    std::vector<std::unique_ptr<CDfnModule>> pending = std::move(owned);
    while (!pending.empty()) {
        std::unique_ptr<CDfnModule> module = std::move(pending.back());
        pending.pop_back();
        if (!module || !module->decls) continue;
        for (auto& child : module->decls->owned) pending.push_back(std::move(child));
        module->decls->owned.clear();
    }
}

void CDeclSeq::AddName(std::unique_ptr<CBaseName> decl)
{
    if (!decl->parent) decl->parent = owner;
    decls.push_back(std::move(decl));
}

// Declarations appended directly to `decls` are indexed on the next search; a list that
// shrank is indexed anew.
void CDeclSeq::IndexNewDeclarations() const
{
    if (indexed > decls.size()) {
        firstByName.clear();
        indexed = 0;
    }
    for (; indexed < decls.size(); ++indexed) firstByName.emplace(decls[indexed]->name, indexed);
}

CBaseName* CDeclSeq::FindName(const std::string& id) const
{
    IndexNewDeclarations();
    auto it = firstByName.find(id);
    if (it == firstByName.end()) return nullptr;
    if (it->second < decls.size() && decls[it->second]->name == id) return decls[it->second].get();
    for (const auto& other : decls)   // renamed after it was added: search them all
        if (other->name == id) return other.get();
    return nullptr;
}

CDfnModule* CDeclSeq::FindImported(const std::string& module) const
{
    for (const auto& imported : this->imported)
        if (imported->name == module) return imported;
    return nullptr;
}

void CDeclSeq::AddImported(std::unique_ptr<CDfnModule> module)
{
    imported.push_back(module.get());
    owned.push_back(std::move(module));
}

int CDeclSeq::ReadProcedure(CLexBuf& lb)
{
    return ReadProcedureDeclaration(lb, *this);
}

// A definition file holds procedure headings only; "PROCEDURE ^" is a forward declaration.
int CDfnDeclSeq::ReadProcedure(CLexBuf& lb)
{
    if (lb.Accept(symArrow)) return errForwardInDfn;
    return ReadProcedureHeading(lb, *this);
}

static bool IsSectionWord(int code)
{
    return code == symCONST || code == symTYPE || code == symVAR;
}

// Token that may continue a sequence: present, and a symbol or reserved word.
static bool NextWord(CLexBuf& lb, int& code)
{
    return lb.NextSymbol(code) && code >= symPeriod;
}

// DeclarationSequence = {CONST {ConstDecl ";"} | TYPE {TypeDecl ";"} | VAR {VarDecl ";"}}
//                       {PROCEDURE ProcedureDeclaration ";"}.
int CDeclSeq::Init(CLexBuf& lb)
{
    SLexPos pos = lb.SavePos();
    int code = 0;
    if (!NextWord(lb, code)) return errEndMissing;
    while (IsSectionWord(code)) {
        if (int err = ReadSection(lb, code)) return err;
        pos = lb.SavePos();
        if (!NextWord(lb, code)) return errBeginMissing;
    }
    if (int err = RunLateChecks(lb)) return err;
    while (code == symPROCEDURE) {
        if (int err = ReadProcedure(lb)) return err;
        if (int err = lb.Expect(symSemicolon, errSemicolonMissing)) return err;
        pos = lb.SavePos();
        if (!NextWord(lb, code)) return errBeginMissing;
    }
    if (IsSectionWord(code)) return errDeclAfterProcedures;
    if (int err = CheckForwardProcedures(lb, *this)) return err;
    lb.RestorePos(pos);
    return errOK;
}

// The declarations of one section, each followed by ";". Leaves the position before the
// token that did not start a declaration.
int CDeclSeq::ReadSection(CLexBuf& lb, int section)
{
    for (;;) {
        SLexPos pos = lb.SavePos();
        int err = section == symCONST ? ReadConstDeclaration(lb, *this)
                : section == symTYPE  ? ReadTypeDeclaration(lb, *this)
                                      : ReadVarDeclaration(lb, *this);
        if (err == sigNoMoreDecl) {
            lb.RestorePos(pos);
            return errOK;
        }
        if (err) return err;
        if (int err = lb.Expect(symSemicolon, errSemicolonMissing)) return err;
    }
}

int CDeclSeq::RunLateChecks(CLexBuf& lb)
{
    for (const auto& decl : decls) {
        int k = decl->kind;
        SLatePos at;
        if (k == kindArrayType || k == kindRecordType || k == kindPointerType || IsVarKind(k))
            if (int err = CheckDeclarationLate(*decl, at)) return PlaceLateError(lb, owner, at, err);
    }
    return errOK;
}
