// The eight predeclared procedures that stand as statements: INC, DEC, INCL, EXCL, COPY, NEW,
// HALT and ASSERT. NEW makes a zero-initialised object; an open array made by NEW keeps its
// lengths in front of its elements (VYK_NEW_OPEN), where VYK_LEN finds them through any
// pointer to it.
#include "code/StdProcs.h"

#include "front/Diagnostics.h"
#include "front/Lexer.h"
#include "emit/Output.h"
#include "code/Designator.h"
#include "code/ExprSet.h"
#include "CppIdent.h"
#include "decl/StructVars.h"
#include "decl/Types.h"
#include "decl/Vars.h"
#include "code/CommonTypeUses.h"
#include "code/Compat.h"

namespace {

// After an optional argument: no token, or a token below the symbols, is 30 before ")" is
// looked for. Returns the token read in `code`.
int NextAfterArgument(CLexBuf& lb, int& code)
{
    if (!lb.NextSymbol(code) || code < symPeriod) return errRparenMissing;
    return errOK;
}

// A variable operand that may be written: 77 for no variable, 78 for a read-only one.
int CheckWritable(CExpr& e)
{
    e.NoteChanged();
    CBaseName* decl = e.GetDesignatedVar();
    if (!decl || IsConstVar(decl)) return errNotAVariable;
    if (e.IsReadOnly()) return errReadOnlyOperand;
    return errOK;
}

// An integer constant argument (HALT and ASSERT codes): 82 for another kind.
int ReadIntConst(CLexBuf& lb, CBaseName* scope, long& value)
{
    std::unique_ptr<CBaseVar> c;
    if (int err = ReadConstExpr(lb, scope, c)) return err;
    if (!IsIntegerVarKind(c->kind)) return errParamNotIntConst;
    value = c->GetIntValue();
    return errOK;
}

// The code of HALT or ASSERT: a constant the program can end with (0..255).
static int ReadExitCode(CLexBuf& lb, CBaseName* scope, long& code)
{
    if (int err = ReadIntConst(lb, scope, code)) return err;
    return code < 0 || code > 255 ? errExitCodeRange : errOK;
}

// INC(v [, n]) and DEC(v [, n]).   C++: v += n   v -= 1
class CIncDec : public CSyntaxNode {
public:
    bool inc;
    std::unique_ptr<CExpr> var, amount;
    CIncDec(CBaseName* scope, bool inc) : CSyntaxNode(scope), inc(inc) {}

    int Init(CLexBuf& lb) override
    {
        if (int err = lb.Expect(symLparen, errLparenMissing)) return err;
        var = std::make_unique<CExpr>(scope, exprFull, false);
        if (int err = var->Init(lb)) return err;
        if (int err = CheckWritable(*var)) return err;
        if (!IsIntegerVarKind(var->resultKind)) return errInapplicableOperand;
        int code = 0;
        if (int err = NextAfterArgument(lb, code)) return err;
        if (code == symComma) {
            amount = std::make_unique<CExpr>(scope, exprFull, false);
            if (int err = amount->Init(lb)) return err;
            if (!IsIntegerVarKind(amount->resultKind))
                return inc ? errIncompatibleAssignment : errInapplicableOperand;
            // A constant amount beyond v's range could never be meant. A wider amount that is not
            // constant stays valid (INC(i, LEN(a)) with an INTEGER i): the sum wraps around in v's
            // type like every integer sum.
            std::unique_ptr<CBaseVar> constant;
            if (!IncludesKind(var->resultKind, amount->resultKind) && amount->EvalConst(constant) == errOK
                && !ConstantFits(*amount, var->resultKind))
                return errIncompatibleAssignment;
            if (int err = NextAfterArgument(lb, code)) return err;
        }
        return code == symRparen ? errOK : errRparenMissing;
    }
    void WriteCPP(CCppOutput& f) override
    {
        f.Indent();
        var->WriteCPP(f);
        f.Cpp(inc ? " += " : " -= ");
        if (amount)
            amount->WriteCPP(f);
        else
            f.Cpp("1");
    }
};

// INCL(s, x) and EXCL(s, x).   C++: s |= VYK_BIT(x)   s &= ~VYK_BIT(x)   (x checked under -c)
class CInclExcl : public CSyntaxNode {
public:
    bool incl;
    std::unique_ptr<CExpr> set, elem;
    SSourceAt elemAt;
    bool constElem = false;
    CInclExcl(CBaseName* scope, bool incl) : CSyntaxNode(scope), incl(incl) {}

    int Init(CLexBuf& lb) override
    {
        if (int err = lb.Expect(symLparen, errLparenMissing)) return err;
        set = std::make_unique<CExpr>(scope, exprFull, false);
        if (int err = set->Init(lb)) return err;
        if (int err = CheckWritable(*set)) return err;
        if (set->resultKind != kindSetVar) return errInapplicableOperand;
        if (int err = lb.Expect(symComma, errCommaMissing)) return err;
        elemAt = NextTokenAt(lb);
        elem = std::make_unique<CExpr>(scope, exprFull, false);
        if (int err = elem->Init(lb)) return err;
        if (!IsIntegerVarKind(elem->resultKind)) return errIncompatibleAssignment;
        std::unique_ptr<CBaseVar> constant;
        if (elem->EvalConst(constant) == errOK) {
            int64_t e = To<CScalarVar>(*constant).intValue;
            if (e < 0 || e > kMaxSetElement) return errSetElementRange;
            constElem = true;
        }
        return lb.Expect(symRparen, errRparenMissing);
    }
    void WriteCPP(CCppOutput& f) override
    {
        f.Indent();
        set->WriteCPP(f);
        f.Cpp(incl ? " |= VYK_BIT(" : " &= ~VYK_BIT(");
        if (constElem) elem->WriteCPP(f);
        else WriteSetElement(f, *elem, elemAt);
        f.Cpp(")");
    }
};

// True unless `decl` is known to be an array of something else than characters, or of more
// than one dimension.
static bool CharacterArray(CBaseName* decl)
{
    const CArrayType* array = ArrayOf(decl);
    if (!array || !array->Innermost()) return true;
    return array->Dimensions() == 1 && array->Innermost()->GetValueKind() == kindCharVar;
}

// COPY(x, v).   C++: COPY(x, <size of x>, v, <size of v>)
class CCopyProc : public CSyntaxNode {
public:
    std::unique_ptr<CExpr> source, dest;
    using CSyntaxNode::CSyntaxNode;

    int Init(CLexBuf& lb) override
    {
        if (int err = lb.Expect(symLparen, errLparenMissing)) return err;
        source = std::make_unique<CExpr>(scope, exprFull, false);
        if (int err = source->Init(lb)) return err;
        if (source->resultKind != kindArrayVar || !source->GetDesignatedVar()) return errExprCompatibility;
        if (!CharacterArray(source->GetDesignatedVar())) return errExprCompatibility;
        if (int err = lb.Expect(symComma, errCommaMissing)) return err;
        dest = std::make_unique<CExpr>(scope, exprFull, false);
        if (int err = dest->Init(lb)) return err;
        if (int err = CheckWritable(*dest)) return err;
        int kind = dest->resultKind;
        if (kind != kindArrayVar && kind != kindPointerVar) return errInapplicableOperand;
        if (!ArrayOf(dest->GetDesignatedVar()) || !CharacterArray(dest->GetDesignatedVar())) return errInapplicableOperand;
        return lb.Expect(symRparen, errRparenMissing);
    }
    void WriteCPP(CCppOutput& f) override
    {
        f.Indent();
        f.Cpp("COPY(");
        source->WriteCPP(f);
        f.Cpp(", ");
        WriteArraySize(f, source->GetDesignatedVar(), source.get());
        f.Cpp(", ");
        dest->WriteCPP(f);
        f.Cpp(", ");
        WriteArraySize(f, dest->GetDesignatedVar(), dest.get());
        f.Cpp(")");
    }
};

// HALT(n).   C++: exit(n)
class CHaltProc : public CSyntaxNode {
public:
    long code = 0;
    using CSyntaxNode::CSyntaxNode;

    int Init(CLexBuf& lb) override
    {
        if (int err = lb.Expect(symLparen, errLparenMissing)) return err;
        if (int err = ReadExitCode(lb, scope, code)) return err;
        return lb.Expect(symRparen, errRparenMissing);
    }
    void WriteCPP(CCppOutput& f) override
    {
        f.Indent();
        f.Cpp("exit(%li)", code);
    }
};

// ASSERT(b [, n]).   C++: if (!(b)) exit(n)
class CAssertProc : public CSyntaxNode {
public:
    std::unique_ptr<CExpr> cond;
    long code = kExitAssertFailed;
    SSourceAt at;   // the word ASSERT, the place of the trap under checks
    using CSyntaxNode::CSyntaxNode;

    int Init(CLexBuf& lb) override
    {
        at = SSourceAt{lb.Line(), lb.Column()};
        if (int err = lb.Expect(symLparen, errLparenMissing)) return err;
        cond = std::make_unique<CExpr>(scope, exprFull, false);
        if (int err = cond->Init(lb)) return err;
        if (cond->resultKind != kindBoolVar) return errAssertNotBoolean;
        int next = 0;
        if (int err = NextAfterArgument(lb, next)) return err;
        if (next == symComma) {
            if (int err = ReadExitCode(lb, scope, code)) return err;
            if (int err = NextAfterArgument(lb, next)) return err;
        }
        return next == symRparen ? errOK : errRparenMissing;
    }
    void WriteCPP(CCppOutput& f) override
    {
        f.Indent();
        f.Cpp("if (!(");
        cond->WriteCPP(f);
        f.Cpp(")) VYK_ASSERT_TRAP(%li, %s)", code, f.TrapAt(at).c_str());
    }
};

// NEW(p [, n {, n}]).
// C++: p = new(VYK_HEAP) (T)()      a zero-initialised record or fixed array on NEW's heap
//      p = VYK_NEW_OPEN<T>({n, m})   an open array that keeps its lengths
class CNewProc : public CSyntaxNode {
public:
    std::unique_ptr<CDesignator> pointer;
    std::vector<std::unique_ptr<CExpr>> lengths;
    SNewCommon common;   // NEW(p<x>) on a pointer to a common type
    int fixedAdded = 0;  // fixed dimensions after the given open ones, whose lengths are added
    using CSyntaxNode::CSyntaxNode;

    int Init(CLexBuf& lb) override
    {
        if (int err = lb.Expect(symLparen, errLparenMissing)) return err;
        pointer = std::make_unique<CDesignator>(scope, false);
        if (int err = pointer->Init(lb)) return err;
        if (pointer->readOnly) return errReadOnlyOperand;
        pointer->NoteChanged();
        CBaseName* target = pointer->GetTarget();
        if (!target) return errUndeclaredIdent;
        if (!PointerBase(target) || pointer->dereferenced || pointer->isCall) return errInapplicableOperand;
        if (int err = ReadNewSpecialization(lb, scope, target, PointerBase(target), common)) return err;
        const CArrayType* array = ArrayOf(target);
        int code = 0;
        if (!lb.NextSymbol(code)) return errRparenMissing;
        const CArrayType* dim = array;
        while (code == symComma) {
            auto length = std::make_unique<CExpr>(scope, exprFull, false);
            if (int err = length->Init(lb)) return err;
            // A dimension of fixed length (ARRAY OF A3) takes that length only: any other would
            // make the rows of the object differ from the rows its type promises.
            if (dim && dim->length != 0 && !IsLength(*length, dim->length)) return errParamMismatch;
            dim = dim ? NextDimension(dim) : nullptr;
            lengths.push_back(std::move(length));
            if (!lb.NextSymbol(code)) return errRparenMissing;
        }
        if (code != symRparen) return errRparenMissing;
        if (lengths.empty()) return array && HasOpenDimension(array) ? errTooFewParams : errOK;
        if (!array) return errInapplicableOperand;
        // The lengths of the open dimensions, or of every dimension (the fixed ones as declared).
        int dims = array->Dimensions(), given = int(lengths.size());
        if (given == OpenDimensions(array)) fixedAdded = dims - given;
        else if (given < dims) return errTooFewParams;
        else if (given > dims) return errTooManyParams;
        return errOK;
    }
    void WriteCPP(CCppOutput& f) override
    {
        CBaseName* target = pointer->GetTarget();
        f.Indent();
        const CArrayType* array = ArrayOf(target);
        if (!common.common && UnnamedPointee(target)) {
            // The object's type is the pointer's own: VYK_NEW_AS(p [, count]), VYK_NEW_OPEN_AS(p, {n})
            f.Cpp(lengths.empty() ? "VYK_NEW_AS(" : "VYK_NEW_OPEN_AS(");
            pointer->WriteCPP(f);
            if (lengths.empty()) {
                if (array) f.Cpp(", %li", FixedCount(array));
                f.Cpp(")");
            } else {
                f.Cpp(", ");
                WriteLengthList(f);
                f.Cpp(")");
            }
            return;
        }
        std::string type = ObjectTypeName(target);
        pointer->WriteCPP(f);
        if (common.common) return WriteNewCommon(f, common);
        if (lengths.empty()) {
            f.Cpp(" = new(VYK_HEAP) (%s", type.c_str());
            if (array) f.Cpp("[%li]", FixedCount(array));
            f.Cpp(")()");
            return;
        }
        f.Cpp(" = VYK_NEW_OPEN<%s>(", type.c_str());
        WriteLengthList(f);
        f.Cpp(")");
    }

private:
    // {(long)(n), (long)(m)}: the lengths of NEW(p, n, m), then those of the fixed dimensions
    // that were not given.
    void WriteLengthList(CCppOutput& f) const
    {
        f.Cpp("{");
        for (size_t i = 0; i < lengths.size(); ++i) {
            f.Cpp("%s(long)(", i ? ", " : "");
            lengths[i]->WriteCPP(f);
            f.Cpp(")");
        }
        const CArrayType* d = ArrayOf(pointer->GetTarget());
        for (size_t i = 0; d && i < lengths.size(); ++i) d = NextDimension(d);
        for (int i = 0; d && i < fixedAdded; ++i, d = NextDimension(d)) f.Cpp(", (long)(%i)", d->length);
        f.Cpp("}");
    }
    // The number of elements of an array whose lengths are all fixed.
    static long FixedCount(const CArrayType* array)
    {
        long count = 1;
        for (const CArrayType* d = array; d; d = NextDimension(d)) count *= d->length;
        return count;
    }
    static bool IsLength(const CExpr& length, int expected)
    {
        std::unique_ptr<CBaseVar> c;
        if (length.EvalConst(c) != errOK || !c || !IsIntegerVarKind(c->kind)) return false;
        return static_cast<CScalarVar&>(*c).intValue == expected;
    }
    static const CArrayType* NextDimension(const CArrayType* d)
    {
        return As<CArrayType>(d->elem.get());
    }
    static bool HasOpenDimension(const CArrayType* array) { return OpenDimensions(array) > 0; }
    static int OpenDimensions(const CArrayType* array)
    {
        int open = 0;
        for (const CArrayType* d = array; d; d = NextDimension(d))
            if (d->length == 0) ++open;
        return open;
    }
    // A record or array declared in place that C++ cannot name here: the struct or element type
    // of a pointer field (nested in its record's struct), or of an element of an array of such
    // pointers.
    bool UnnamedPointee(CBaseName* target) const
    {
        if (auto* var = As<CPointerVar>(target)) {
            bool inPlace = var->typeName.empty() && !(var->type && var->type->baseRef);
            int last = pointer->selectors.empty() ? -1 : pointer->selectors.back().kind;
            return inPlace && (last == selDot || last == selArrow);
        }
        auto* pointerType = As<CPointerType>(target);
        if (!pointerType || !target->name.empty() || pointerType->baseRef) return false;
        const SSelector* last = pointer->selectors.empty() ? nullptr : &pointer->selectors.back();
        return !(last && last->array && last->array->NamedElementDimension());
    }
    // The module of a type that `var` names with `qualifier`: the variable's module when there is
    // none; in an imported module's declaration the module that its alias stands for there
    // (IMPORT X := A gives A), which this module's C++ knows through that module's header.
    static std::string TypeModule(CBaseName* var, const std::string& qualifier)
    {
        if (qualifier.empty()) return GetModuleAlias(var);
        if (GetOwningModule(var)->kind != kindDfnModule) return qualifier;
        auto* entry = As<CImportName>(FindUnqualified(var->parent, qualifier));
        return entry ? entry->moduleName : qualifier;
    }
    // The name under which the pointer's declaration knows the object (a pointer type is a
    // synonym of what it points to), qualified when imported.
    std::string ObjectTypeName(CBaseName* target) const
    {
        if (auto* var = As<CPointerVar>(target)) {
            if (var->typeName.empty() && var->type && var->type->baseRef) {
                // An unqualified base of an imported variable is a type of that variable's module.
                const CQualident& ref = *var->type->baseRef;
                std::string module = TypeModule(var, ref.qualifier);
                return (module.empty() ? std::string() : CppId(module) + "::") + CppId(ref.name);
            }
            if (var->typeName.empty()) {
                // Declared beside the variable, in its module's namespace when imported.
                std::string alias = GetModuleAlias(var);
                return (alias.empty() ? std::string() : CppId(alias) + "::") + "VYK_UNNM_" + var->name;
            }
            // A field of an imported record names its type as its own module does.
            std::string module = TypeModule(var, var->typeModule);
            std::string q = module.empty() ? std::string() : CppId(module) + "::";
            return q + CppId(var->typeName);
        }
        auto* pointerType = As<CPointerType>(target);
        if (pointerType && target->name.empty()) {
            // An anonymous pointer type reached by an index: its named base, or the name of the
            // array type that declared it (which its struct took).
            if (pointerType->baseRef)
                return CppQualifier(pointerType->parent, pointerType->baseRef->qualifier, false) +
                       CppId(pointerType->baseRef->name);
            const SSelector* last = pointer->selectors.empty() ? nullptr : &pointer->selectors.back();
            if (last && last->array && last->array->NamedElementDimension())
                return last->array->NamedElementCpp(false);
        }
        std::string alias = GetModuleAlias(target);
        // A module that another one imported under this alias (an element type of its array),
        // not this one: its own name.
        CBaseName* home = GetOwningModule(target);
        auto* entry = alias.empty() ? nullptr : As<CImportName>(FindUnqualified(scope, alias));
        if (!alias.empty() && (!entry || entry->moduleName != home->name)) alias = home->name;
        return (alias.empty() ? std::string() : CppId(alias) + "::") + CppId(target->name);
    }
};

}  // namespace

std::unique_ptr<CSyntaxNode> CreateStdProcedure(int symbol, CBaseName* scope)
{
    switch (symbol) {
    case symINC: return std::make_unique<CIncDec>(scope, true);
    case symDEC: return std::make_unique<CIncDec>(scope, false);
    case symINCL: return std::make_unique<CInclExcl>(scope, true);
    case symEXCL: return std::make_unique<CInclExcl>(scope, false);
    case symCOPY: return std::make_unique<CCopyProc>(scope);
    case symNEW: return std::make_unique<CNewProc>(scope);
    case symHALT: return std::make_unique<CHaltProc>(scope);
    case symASSERT: return std::make_unique<CAssertProc>(scope);
    default: return nullptr;
    }
}

// ---- Seams of the expression parser (here, where call statements pull them in) ----

int ReadStdFunctionFactor(CLexBuf& lb, CFactor& factor, int symbol)
{
    std::unique_ptr<CStdFunction> function = CreateStdFunction(symbol, factor.scope);
    if (!function) return errFactorStart;
    if (int err = function->Init(lb)) return err;
    factor.resultKind = function->resultKind;
    factor.stdFunction = std::move(function);
    return errOK;
}

int EvalStdFunction(const CSyntaxNode& function, std::unique_ptr<CBaseVar>& result)
{
    return const_cast<CStdFunction&>(static_cast<const CStdFunction&>(function)).EvalConst(result);
}
