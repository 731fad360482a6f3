// Common types where statements and expressions meet them: how a common-type variable is
// held in C++ (the object, or a pointer for parameters and WITH aliases), common actual
// parameters, IS and WITH on common types (the exact specialization is tested), NEW on
// pointers to common types, and field lookup through a pointer to a specialized type.
#include "code/CommonTypeUses.h"

#include "front/Diagnostics.h"
#include "front/Lexer.h"
#include "emit/Output.h"
#include "code/Call.h"
#include "code/Designator.h"
#include "code/Expr.h"
#include "decl/CommonProc.h"
#include "decl/CommonType.h"
#include "CppIdent.h"
#include "GeneratedNames.h"
#include "decl/StructVars.h"

namespace {
// "<" [qualident] ">" naming a specialization of `common`; "<>" the default when allowed.
int ReadTag(CLexBuf& lb, CBaseName* scope, const CCommonType& common, bool allowDefault,
            const SSpecialization*& spec)
{
    if (int err = lb.Expect(symLss, errLssMissing)) return err;
    if (allowDefault && lb.Accept(symGtr)) {
        spec = common.def.get();
        return spec ? errOK : errNoDefaultSpecialization;
    }
    std::string qualifier, name;
    if (int err = ReadQualifiedName(lb, scope, qualifier, name)) return err;
    spec = common.FindSpec(scope, qualifier, name);
    if (!spec && common.def && !common.TypeTagged() && qualifier.empty() && common.def->tag == name)
        spec = common.def.get();
    if (!spec) return errSpecializationTag;
    return lb.Expect(symGtr, errGtrMissing);
}

// The common type a guarded or tested variable stands for: its own type, or the one that a
// pointer points to.
CCommonType* GuardedCommonType(CBaseName* variable)
{
    if (auto* commonVar = As<CCommonVar>(variable)) return commonVar->Common();
    return PointedCommonType(variable);
}

// A common-type variable can be tested when C++ holds it as a pointer and it is not bound to
// one specialization; a pointer to a common type always can.
bool Testable(CBaseName* variable)
{
    if (auto* v = As<CCommonVar>(variable)) {
        return IsCommonPointer(v) && !v->bound;
    }
    return PointedCommonType(variable) != nullptr;
}

// p IS T<x>:  (p && p->VYK_SID == p->VYK_SID_x); a NIL pointer is no specialization.
class CCommonTest : public CSyntaxNode {
public:
    CExpr* expr;
    bool pointer;
    std::string specId;

    CCommonTest(CBaseName* scope, CExpr* expr, bool pointer, std::string specId)
        : CSyntaxNode(scope), expr(expr), pointer(pointer), specId(std::move(specId)) {}
    int Init(CLexBuf&) override { return errOK; }
    void WriteCPP(CCppOutput& f) override
    {
        f.Cpp("(");
        if (pointer) {
            expr->left->WriteCPP(f);
            f.Cpp(" && ");
        }
        expr->left->WriteCPP(f);
        f.Cpp("->VYK_SID == ");
        expr->left->WriteCPP(f);
        f.Cpp("->%s)", vykname::SpecIdConst(specId).c_str());
    }
};
}  // namespace

// ---- how C++ holds a common-type variable ----

const char* CommonAccess(const CBaseName* var) { return IsCommonPointer(var) ? "->" : "."; }

std::string CommonFieldPrefix(CBaseName* cur)
{
    if (auto* common = As<CCommonVar>(cur)) return CommonAccess(cur) + vykname::SpecPointer(common->specId);
    std::string id = PointerSpecId(cur);
    return id.empty() ? std::string() : "->" + vykname::SpecPointer(id);
}

// ---- actual parameters ----

// The address of a common object, the pointer itself otherwise: &v, &M::v, &*(p), &*(a[i]),
// p, s.
static void WriteCommonPointerActual(CCppOutput& f, CExpr& actual)
{
    CBaseName* v = actual.GetDesignatedVar();
    CDesignator* d = SingleDesignator(actual);
    bool object = d && ((v && v->kind == kindCommonVar && !IsCommonPointer(v) && d->selectors.empty()) ||
                        d->dereferenced);
    if (object) f.Cpp("&");
    actual.WriteCPP(f);
}

void WriteCommonActuals(CCppOutput& f, CExprList& actuals, bool afterActuals)
{
    if (afterActuals) f.Cpp(",");
    for (size_t i = 0; i < actuals.exprs.size(); ++i) {
        f.Cpp("%s", i ? ", " : "");
        WriteCommonPointerActual(f, *actuals.exprs[i]);
    }
}

bool WriteCommonActualPar(CCppOutput& f, CExpr& actual, CBaseVar* formal)
{
    if (formal->kind == kindCommonVar || PointedCommonType(formal)) {
        if (formal->kind == kindCommonVar) WriteCommonPointerActual(f, actual);
        else actual.WriteCPP(f);
        return true;
    }
    CBaseName* v = actual.GetDesignatedVar();
    CDesignator* d = SingleDesignator(actual);
    if (formal->kind != kindRecordVar || !v || v->kind != kindCommonVar || !d || !d->selectors.empty())
        return false;
    // The record behind the common variable: a pointer for VAR, the record itself by value.
    if (!formal->isVar) f.Cpp("*");
    actual.WriteCPP(f);
    f.Cpp("%s%s", CommonAccess(v), vykname::SpecPointer(To<CCommonVar>(v)->specId).c_str());
    return true;
}

// ---- IS ----

int ReadCommonTypeTest(CLexBuf& lb, CExpr& expr, CBaseName& variable)
{
    if (!Testable(&variable)) return errGuardedVarKind;
    CCommonType* common = GuardedCommonType(&variable);
    if (!common) return errGuardedVarKind;
    const SSpecialization* spec = nullptr;
    if (int err = ReadTag(lb, expr.scope, *common, false, spec)) return err;
    expr.resultKind = kindBoolVar;
    expr.commonTest = std::make_unique<CCommonTest>(expr.scope, &expr, variable.kind == kindPointerVar,
                                                    common->SpecId(*spec));
    return errOK;
}

// ---- WITH ----

bool IsCommonGuardVariable(CBaseName* variable)
{
    return variable && (variable->kind == kindCommonVar || PointedCommonType(variable));
}

int ReadCommonGuard(CLexBuf& lb, CBaseName* scope, CBaseName* variable, SCommonGuard& guard)
{
    if (!Testable(variable)) return errGuardedVarKind;
    CCommonType* common = GuardedCommonType(variable);
    if (!common) return errGuardedVarKind;
    const SSpecialization* spec = nullptr;
    if (int err = ReadTag(lb, scope, *common, false, spec)) return err;
    guard.specId = common->SpecId(*spec);
    guard.common = common;
    guard.spec = spec;
    return errOK;
}

std::unique_ptr<CBaseVar> MakeCommonAlias(CBaseName* variable, const SCommonGuard& guard, CBaseName* owner)
{
    auto alias = std::make_unique<CCommonVar>(owner);
    alias->name = variable->name;
    if (auto* v = As<CCommonVar>(variable)) {
        alias->typeName = v->typeName;
        alias->typeModule = v->typeModule;
        if (v->anonType) alias->anonType = To<CCommonType>(v->anonType->CloneType(v->anonType->parent));
    } else {
        alias->typeName = guard.common->name;
        alias->typeModule = GetModuleAlias(guard.common);
        if (guard.common->name.empty()) alias->anonType = To<CCommonType>(guard.common->CloneType(guard.common->parent));
    }
    alias->isVar = true;
    alias->Bind(*guard.common, *guard.spec);
    return alias;
}

// if (v && (v->VYK_SID == v->VYK_SID_x)) {
void WriteCommonGuard(CCppOutput& f, const std::string& varText, const SCommonGuard& guard)
{
    f.Indent();
    f.Cpp("if (%s && (%s->VYK_SID == %s->%s)) {\n", varText.c_str(), varText.c_str(), varText.c_str(),
          vykname::SpecIdConst(guard.specId).c_str());
}

// ---- NEW ----

int ReadNewSpecialization(CLexBuf& lb, CBaseName* scope, CBaseName* pointer, CBaseName* base, SNewCommon& made)
{
    if (!Is<CSpecType>(base) && !Is<CCommonType>(base)) return errOK;
    if (auto* specType = As<CSpecType>(base)) {
        made.common = specType->Common();
        made.specId = specType->SpecId();
        if (!made.common) return errCommonTypeExpected;
    } else {
        made.common = To<CCommonType>(base);
        const SSpecialization* spec = nullptr;
        if (int err = ReadTag(lb, scope, *made.common, true, spec)) return err;
        made.specId = made.common->SpecId(*spec);
    }
    if (!made.common->name.empty()) {
        made.typeText = CppQualifier(scope, GetModuleAlias(made.common), false) + CppId(made.common->name);
    } else if (auto* var = As<CBaseVar>(pointer)) {
        // An anonymous common type has the name of the pointer type declared with it.
        made.typeText = var->TypeQualifierCpp(false) + CppId(var->typeName);
    } else {
        made.typeText = CppQualifier(scope, GetModuleAlias(pointer), false) + CppId(pointer->name);
    }
    return errOK;
}

// p = new(VYK_HEAP) [M::]T([M::]T::VYK_INIT_x)
void WriteNewCommon(CCppOutput& f, const SNewCommon& made)
{
    f.Cpp(" = new(VYK_HEAP) %s(%s::%s)", made.typeText.c_str(), made.typeText.c_str(),
          vykname::SpecInit(made.specId).c_str());
}
