// The simplest answers to the seams of the expression parser (see Expr.h): a designator that is
// a plain or qualified name, and no calls, predeclared functions or common types. They are weak
// definitions: the designators, calls, predeclared functions and common types define the same
// functions and replace them at link time.
#include "front/Diagnostics.h"
#include "front/Lexer.h"
#include "emit/Output.h"
#include "code/Expr.h"
#include "CppIdent.h"
#include "decl/Types.h"
#include "decl/Vars.h"

#define VYK_WEAK __attribute__((weak))

namespace {
// Qualident, written as [<alias>::]<name>; a NIL constant is written as its value.
class CNameDesignator : public CSyntaxNode {
public:
    std::string qualifier, ident;
    CBaseName* target = nullptr;
    bool designatorOnly = false;
    int valueKind = 0;

    using CSyntaxNode::CSyntaxNode;
    int Init(CLexBuf& lb) override
    {
        if (int err = ReadQualifiedName(lb, scope, qualifier, ident)) return err;
        target = GetGlobalName(scope, qualifier, ident);
        if (!target) return errUndeclaredIdent;
        if (IsProcedureKind(target->kind)) valueKind = designatorOnly ? kindProcedure : 0;
        else valueKind = target->GetValueKind();
        return errOK;
    }
    void WriteCPP(CCppOutput& f) override
    {
        if (target && target->kind == kindPointerVar && static_cast<CBaseVar*>(target)->isConst) {
            f.Cpp("0");
            return;
        }
        f.Cpp("%s%s", CppQualifier(scope, qualifier, false).c_str(), CppId(ident).c_str());
    }
};
}  // namespace

VYK_WEAK int ReadDesignatorFactor(CLexBuf& lb, CFactor& factor)
{
    auto d = std::make_unique<CNameDesignator>(factor.scope);
    d->designatorOnly = factor.mode == exprDesignatorOnly;
    if (int err = d->Init(lb)) return err;
    factor.resultKind = d->valueKind;
    factor.designator = std::move(d);
    return errOK;
}

VYK_WEAK CBaseName* DesignatorTarget(const CSyntaxNode& designator)
{
    return static_cast<const CNameDesignator&>(designator).target;
}

VYK_WEAK CBaseName* DesignatorNamed(const CSyntaxNode& designator)
{
    return static_cast<const CNameDesignator&>(designator).target;
}

VYK_WEAK bool DesignatorReadOnly(const CSyntaxNode& designator)
{
    const auto& d = static_cast<const CNameDesignator&>(designator);
    return !d.qualifier.empty() && d.target && IsVarKind(d.target->kind) &&
           static_cast<CBaseVar*>(d.target)->readOnly;
}

VYK_WEAK void DesignatorChanged(const CSyntaxNode& designator)
{
    const auto& d = static_cast<const CNameDesignator&>(designator);
    NoteChange(d.scope, d.target, false);
}

VYK_WEAK int ReadStdFunctionFactor(CLexBuf&, CFactor&, int) { return errFactorStart; }

VYK_WEAK int EvalStdFunction(const CSyntaxNode&, std::unique_ptr<CBaseVar>&) { return errConstExpected; }

VYK_WEAK int ReadCommonCallFactor(CLexBuf&, CFactor&) { return errFactorStart; }

VYK_WEAK int ReadCommonTypeTest(CLexBuf&, CExpr&, CBaseName&) { return errGuardedVarKind; }
