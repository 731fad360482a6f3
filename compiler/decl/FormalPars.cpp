// Formal parameter lists: reading the sections and the result type, and writing the parameters
// in their C++ parameter form and as definition text.
#include "FormalPars.h"

#include <unordered_set>

#include "front/Diagnostics.h"
#include "front/Names.h"
#include "emit/Output.h"

// ["(" [FPSection {";" FPSection}] ")" [":" qualident]]
int CFormalPars::Init(CLexBuf& lb, const std::string& receiverName)
{
    if (!lb.Accept(symLparen)) return errOK;
    hasList = true;
    int code = 0;
    SLexPos pos = lb.SavePos();
    if (!lb.NextSymbol(code)) return errRparenMissing;
    if (code != symRparen) {
        lb.RestorePos(pos);
        for (;;) {
            if (int err = ReadSection(lb, receiverName)) return err;
            if (!lb.NextSymbol(code)) return errRparenMissing;
            if (code == symRparen) break;
            if (code != symSemicolon) return errRparenMissing;
        }
    }
    if (!lateTypeCheck) {
        SLatePos at;
        if (int err = CheckParamTypes(at)) return PlaceLateError(lb, scope, at, err);
    }
    for (auto& p : params)
        if (p->kind == kindArrayVar && !p->isVar) valueArray = true;
    if (!lb.Accept(symColon)) return errOK;
    result = std::make_unique<CQualident>();
    return ReadTypeReference(lb, scope, *result);
}

// [VAR] ident {"," ident} ":" type
// A parameter's record is named by a type name: declared in place, no argument could be of its
// type, and C++ declares no struct in a parameter list. Such a RECORD (after any ARRAY ... OF,
// or as what a POINTER TO points to, with the ARRAY a pointer points to) is refused where a type
// name must stand; POINTER TO <name> stays.
static int RefuseStructInPlace(CLexBuf& lb)
{
    SLexPos start = lb.SavePos();
    int code = 0;
    while (lb.NextSymbol(code) && code == symARRAY) {
        while (lb.NextSymbol(code) && code != symOF && code != symRECORD && code != symPOINTER) {}
        if (code != symOF) break;
    }
    if (code == symPOINTER && lb.NextSymbol(code) && code == symTO && lb.NextSymbol(code) && code == symARRAY)
        return errIdentExpected;
    if (code == symRECORD) return errIdentExpected;
    lb.RestorePos(start);
    return errOK;
}

int CFormalPars::ReadSection(CLexBuf& lb, const std::string& receiverName)
{
    bool byRef = lb.Accept(symVAR);
    int code = 0;
    std::vector<std::string> names;
    std::unordered_set<std::string> listed;
    for (;;) {
        std::string text;
        if (int err = lb.ExpectIdent(text, errIdentExpected)) return err;
        if (text == receiverName || FindParam(text)) return errMultiplyDefinedIdent;
        if (!listed.insert(text).second) return errMultiplyDefinedIdent;
        names.push_back(text);
        if (!lb.NextSymbol(code)) return errColonMissing;
        if (code == symColon) break;
        if (code != symComma) return errColonMissing;
    }
    // (A definition file writes hidden types in place; their module's C++ names them.)
    CBaseName* module = GetOwningModule(scope);
    if (!(module && module->kind == kindDfnModule))
        if (int err = RefuseStructInPlace(lb)) return err;
    std::unique_ptr<CBaseType> type;
    if (int err = ParseType(lb, scope, type)) return err;
    for (auto& n : names) {
        std::unique_ptr<CBaseVar> v = type->CreateVar(scope);
        v->name = n;
        v->isVar = byRef;
        params.push_back(std::move(v));
    }
    return errOK;
}

int CFormalPars::CheckParamTypes(SLatePos& at) const
{
    for (auto& p : params)
        if (int err = p->CheckType(at)) return err;
    return errOK;
}

CBaseVar* CFormalPars::FindParam(const std::string& id) const
{
    return paramIndex.Find(params, id);
}

std::unique_ptr<CFormalPars> CFormalPars::Clone(CBaseName* newScope) const
{
    auto c = std::make_unique<CFormalPars>(newScope);
    if (result) c->result = std::make_unique<CQualident>(*result);
    c->valueArray = valueArray;
    c->hasList = hasList;
    c->lateTypeCheck = lateTypeCheck;
    for (auto& p : params) c->params.push_back(p->CloneVar(p->parent));
    return c;
}

std::string CFormalPars::ResultCpp(bool inHeader) const
{
    return result ? result->CppText(scope, inHeader) : std::string("void");
}

void CFormalPars::WriteParams(CCppOutput& f, bool toHeader)
{
    const char* sep = "";
    for (auto& p : params) {
        f.To(toHeader, "%s", sep);
        p->WriteCPP_par(f, toHeader);
        sep = ", ";
    }
}

void CFormalPars::WriteParamsDFN(CDfnOutput& f, const char* separator)
{
    const char* sep = "";
    for (auto& p : params) {
        f.Dfn("%s%s", sep, p->isVar ? "VAR " : "");
        p->WriteDFN(f);
        sep = separator;
    }
}
