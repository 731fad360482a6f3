// The procedures of the module SYSTEM: the functions ADR, BIT, LSH, ROT, VAL and SIZE, which
// stand as factors, and the procedures GET, PUT, MOVE and NEW, which stand as statements. They
// are recognised by the name after an import of SYSTEM (under any alias), before the
// designator that would look the name up. Their C++ is a call of the inline helpers in the
// library's SYSTEM.h (namespace SYSTEM), which a module that imports SYSTEM includes; each
// argument of a basic type is first converted to its own C++ type, so the helpers work on the
// declared size. CC, GETREG and PUTREG are refused: the generated C++ has no access to the
// processor's registers or condition codes.
#include <cstring>

#include "front/Diagnostics.h"
#include "front/Lexer.h"
#include "emit/Output.h"
#include "code/Designator.h"
#include "code/StdProcs.h"
#include "decl/StructVars.h"
#include "decl/Types.h"
#include "decl/Vars.h"

namespace {

const char* const kSystemModule = "SYSTEM";

enum ESystemProc {
    sysNone, sysADR, sysBIT, sysCC, sysLSH, sysROT, sysSIZE, sysVAL,   // functions
    sysGET, sysPUT, sysMOVE, sysNEW, sysGETREG, sysPUTREG,            // procedures
};

ESystemProc SystemProcNamed(const std::string& name)
{
    static const struct {
        const char* name;
        ESystemProc proc;
    } kProcs[] = {{"ADR", sysADR}, {"BIT", sysBIT}, {"CC", sysCC}, {"LSH", sysLSH}, {"ROT", sysROT},
                  {"SIZE", sysSIZE}, {"VAL", sysVAL}, {"GET", sysGET}, {"PUT", sysPUT}, {"MOVE", sysMOVE},
                  {"NEW", sysNEW}, {"GETREG", sysGETREG}, {"PUTREG", sysPUTREG}};
    for (const auto& p : kProcs)
        if (name == p.name) return p.proc;
    return sysNone;
}

bool IsFunction(ESystemProc proc) { return proc >= sysADR && proc <= sysVAL; }

// When the next tokens are <alias> "." <name>, the alias an import of SYSTEM and the name one
// of its procedures (NEW and SIZE are words of the language), reads them and returns the procedure; otherwise reads nothing.
ESystemProc ReadSystemProcName(CLexBuf& lb, CBaseName* scope)
{
    SLexPos pos = lb.SavePos();
    int code = 0;
    std::string alias, name;
    ESystemProc proc = sysNone;
    if (lb.NextSymbol(code, alias) && code == symIdent) {
        auto* import = As<CImportName>(FindUnqualified(scope, alias));
        if (import && import->moduleName == kSystemModule &&
            lb.NextSymbol(code) && code == symPeriod && lb.NextSymbol(code, name))
            proc = code == symIdent ? SystemProcNamed(name) : code == symNEW ? sysNEW : code == symSIZE ? sysSIZE : sysNone;
    }
    if (proc == sysNone) lb.RestorePos(pos);
    return proc;
}

// An integer argument: 16 for another kind.
int ReadInteger(CLexBuf& lb, CBaseName* scope, std::unique_ptr<CExpr>& e)
{
    e = std::make_unique<CExpr>(scope, exprFull, false);
    if (int err = e->Init(lb)) return err;
    return IsIntegerVarKind(e->resultKind) ? errOK : errIncompatibleAssignment;
}

// The kinds whose values the helpers copy byte for byte: the basic types, SET, pointers and
// SYSTEM.PTR.
bool IsScalarKind(int kind)
{
    return kind == kindSetVar || kind == kindPointerVar || (kind >= kindLongrealVar && kind <= kindPtrVar);
}

// An argument as the C++ value of its own type: "(short)(x)"; a pointer as it is.
void WriteTyped(CCppOutput& f, CExpr& e)
{
    if (e.resultKind == kindPointerVar || e.resultKind == kindPtrVar) {
        e.WriteCPP(f);
        return;
    }
    f.Cpp("(%s)(", BasicCppName(e.resultKind));
    e.WriteCPP(f);
    f.Cpp(")");
}

void WriteLong(CCppOutput& f, CExpr& e)
{
    f.Cpp("(long)(");
    e.WriteCPP(f);
    f.Cpp(")");
}

// A designator of a variable: a declared variable, or an element, field or dereferenced
// object reached through selectors (whose target is then its type), not a constant, a type
// name, a procedure or a call.
static bool IsVariable(const CDesignator* designator, CBaseName* decl)
{
    if (!designator || !decl || IsConstVar(decl)) return false;
    return Is<CBaseVar>(decl) || !designator->selectors.empty();
}

// The variable argument of ADR and GET: a designator of a variable (read-only ones too),
// not a constant, a procedure or a call.
int ReadVariable(CLexBuf& lb, CBaseName* scope, std::unique_ptr<CExpr>& e, CDesignator*& designator)
{
    e = std::make_unique<CExpr>(scope, exprFull, false);
    if (int err = e->Init(lb)) return err;
    designator = SingleDesignator(*e);
    // Its address may be written through: value array parameters take it as a change.
    e->NoteChanged();
    CBaseName* decl = e->GetDesignatedVar();
    if (!IsVariable(designator, decl)) return errNotAVariable;
    return errOK;
}

// ADR(v): the address of v as a LONGINT. An array stands for its first element, so an open
// array parameter (a C++ pointer) gives the address it holds.
class CAdrFunction : public CStdFunction {
public:
    std::unique_ptr<CExpr> var;
    bool arrayValue = false;
    using CStdFunction::CStdFunction;

    int Init(CLexBuf& lb) override
    {
        resultKind = kindLongintVar;
        if (int err = lb.Expect(symLparen, errLparenMissing)) return err;
        CDesignator* designator = nullptr;
        if (int err = ReadVariable(lb, scope, var, designator)) return err;
        if (var->resultKind == kindArrayVar) {
            std::vector<std::string> lengths = designator->LengthTexts();
            arrayValue = designator->selectors.empty() && !lengths.empty() &&
                         lengths.front().find_first_not_of("0123456789") != std::string::npos;
        }
        return lb.Expect(symRparen, errRparenMissing);
    }
    int EvalConst(std::unique_ptr<CBaseVar>&) override { return errConstExpected; }
    void WriteCPP(CCppOutput& f) override
    {
        f.Cpp(arrayValue ? "(long)(void*)(" : "(long)(void*)&(");
        var->WriteCPP(f);
        f.Cpp(")");
    }
};

// BIT(a, n): bit n of the memory at address a (bit 0 the lowest of the byte at a).
class CBitFunction : public CStdFunction {
public:
    std::unique_ptr<CExpr> address, bit;
    using CStdFunction::CStdFunction;

    int Init(CLexBuf& lb) override
    {
        resultKind = kindBoolVar;
        if (int err = lb.Expect(symLparen, errLparenMissing)) return err;
        if (int err = ReadInteger(lb, scope, address)) return err;
        if (int err = lb.Expect(symComma, errCommaMissing)) return err;
        if (int err = ReadInteger(lb, scope, bit)) return err;
        return lb.Expect(symRparen, errRparenMissing);
    }
    int EvalConst(std::unique_ptr<CBaseVar>&) override { return errConstExpected; }
    void WriteCPP(CCppOutput& f) override
    {
        f.Cpp("::SYSTEM::VYK_BIT(");
        WriteLong(f, *address);
        f.Cpp(", ");
        WriteLong(f, *bit);
        f.Cpp(")");
    }
};

// The width in bits of the values of `kind` that LSH and ROT work on.
int ShiftWidth(int kind)
{
    switch (kind) {
    case kindShortintVar: return 16;
    case kindLongintVar: return 64;
    case kindCharVar: return 8;
    default: return 32;   // INTEGER, SET
    }
}

// LSH(x, n) and ROT(x, n): x shifted (zeros come in) or rotated by n bits, left for a positive
// n; x is an integer, a CHAR or a SET, and the result has its type. A one-character string
// stands for its character. With constant arguments the result is a constant.
class CShiftFunction : public CStdFunction {
public:
    bool rotate;
    std::unique_ptr<CExpr> x, n;
    CShiftFunction(CBaseName* scope, bool rotate) : CStdFunction(scope), rotate(rotate) {}

    int Init(CLexBuf& lb) override
    {
        if (int err = lb.Expect(symLparen, errLparenMissing)) return err;
        x = std::make_unique<CExpr>(scope, exprFull, false);
        if (int err = x->Init(lb)) return err;
        x->MakeCharOfString();
        resultKind = x->resultKind;
        if (!IsIntegerVarKind(resultKind) && resultKind != kindCharVar && resultKind != kindSetVar)
            return errIncompatibleAssignment;
        if (int err = lb.Expect(symComma, errCommaMissing)) return err;
        if (int err = ReadInteger(lb, scope, n)) return err;
        return lb.Expect(symRparen, errRparenMissing);
    }
    int EvalConst(std::unique_ptr<CBaseVar>& result) override
    {
        std::unique_ptr<CBaseVar> value, count;
        if (int err = x->EvalConst(value)) return err;
        if (int err = n->EvalConst(count)) return err;
        const int bits = ShiftWidth(resultKind);
        const uint64_t mask = bits == 64 ? ~uint64_t(0) : (uint64_t(1) << bits) - 1;
        const uint64_t u = uint64_t(To<CScalarVar>(*value).intValue) & mask;
        const int64_t k = To<CScalarVar>(*count).intValue;
        uint64_t r = 0;
        if (rotate) {
            const int64_t left = (k % bits + bits) % bits;
            r = left == 0 ? u : ((u << left) | (u >> (bits - left))) & mask;
        } else if (k < bits && k > -bits) {
            r = k >= 0 ? (u << k) & mask : u >> -k;
        }
        std::unique_ptr<CScalarVar> c = MakeScalarVar(EKind(resultKind), scope);
        c->isConst = true;
        c->SetIntValue(int64_t(r));
        result = std::move(c);
        return errOK;
    }
    void WriteCPP(CCppOutput& f) override
    {
        f.Cpp(rotate ? "::SYSTEM::VYK_ROT(" : "::SYSTEM::VYK_LSH(");
        WriteTyped(f, *x);
        f.Cpp(", ");
        WriteLong(f, *n);
        f.Cpp(")");
    }
};

// VAL(T, x): the bytes of x as a value of T, a basic type, SET, SYSTEM.PTR or a pointer type;
// cut to T's size or filled with zeros. x is a value of a basic type, a SET or a pointer.
class CValFunction : public CStdFunction {
public:
    CQualident type;
    std::unique_ptr<CExpr> x;
    using CStdFunction::CStdFunction;

    int Init(CLexBuf& lb) override
    {
        if (int err = lb.Expect(symLparen, errLparenMissing)) return err;
        if (int err = ReadTypeReference(lb, scope, type)) return err;
        resultKind = type.valueKind;
        if (!IsScalarKind(resultKind)) return errInapplicableOperand;
        if (int err = lb.Expect(symComma, errCommaMissing)) return err;
        x = std::make_unique<CExpr>(scope, exprFull, false);
        if (int err = x->Init(lb)) return err;
        x->MakeCharOfString();
        if (!IsScalarKind(x->resultKind)) return errIncompatibleAssignment;
        return lb.Expect(symRparen, errRparenMissing);
    }
    int EvalConst(std::unique_ptr<CBaseVar>&) override { return errConstExpected; }
    CBaseName* ValueType() const override
    {
        return resultKind == kindPointerVar ? ResolveReference(scope, type.qualifier, type.name) : nullptr;
    }
    void WriteCPP(CCppOutput& f) override
    {
        f.Cpp("::SYSTEM::VYK_VAL<%s>(", type.CppText(scope, false).c_str());
        WriteTyped(f, *x);
        f.Cpp(")");
    }
};

// GET(a, v), PUT(a, x), MOVE(a0, a1, n) and NEW(p, n).
class CSystemProcedure : public CSyntaxNode {
public:
    ESystemProc proc;
    std::unique_ptr<CExpr> first, second, third;
    CSystemProcedure(CBaseName* scope, ESystemProc proc) : CSyntaxNode(scope), proc(proc) {}

    int Init(CLexBuf& lb) override
    {
        if (int err = lb.Expect(symLparen, errLparenMissing)) return err;
        int err = errOK;
        switch (proc) {
        case sysGET: err = ReadGet(lb); break;
        case sysPUT: err = ReadPut(lb); break;
        case sysMOVE: err = ReadMove(lb); break;
        default: err = ReadNew(lb); break;
        }
        if (err) return err;
        // PUT and MOVE may change anything at all (for value array parameters).
        if (proc == sysPUT || proc == sysMOVE) NoteChange(scope, nullptr, true);
        return lb.Expect(symRparen, errRparenMissing);
    }
    void WriteCPP(CCppOutput& f) override
    {
        f.Indent();
        switch (proc) {
        case sysGET:
            f.Cpp("::SYSTEM::VYK_GET(");
            WriteLong(f, *first);
            f.Cpp(", ");
            second->WriteCPP(f);
            break;
        case sysPUT:
            f.Cpp("::SYSTEM::VYK_PUT(");
            WriteLong(f, *first);
            f.Cpp(", ");
            WriteTyped(f, *second);
            break;
        case sysMOVE:
            f.Cpp("::SYSTEM::VYK_MOVE(");
            WriteLong(f, *first);
            f.Cpp(", ");
            WriteLong(f, *second);
            f.Cpp(", ");
            WriteLong(f, *third);
            break;
        default:
            f.Cpp("::SYSTEM::VYK_NEW(");
            first->WriteCPP(f);
            f.Cpp(", ");
            WriteLong(f, *second);
            break;
        }
        f.Cpp(")");
    }

private:
    // A variable that may be written: 77 for no variable, 78 for a read-only one.
    static int CheckWritable(CExpr& e)
    {
        CBaseName* decl = e.GetDesignatedVar();
        if (!IsVariable(SingleDesignator(e), decl)) return errNotAVariable;
        e.NoteChanged();
        return e.IsReadOnly() ? errReadOnlyOperand : errOK;
    }
    int ReadGet(CLexBuf& lb)
    {
        if (int err = ReadInteger(lb, scope, first)) return err;
        if (int err = lb.Expect(symComma, errCommaMissing)) return err;
        second = std::make_unique<CExpr>(scope, exprFull, false);
        if (int err = second->Init(lb)) return err;
        if (int err = CheckWritable(*second)) return err;
        return IsScalarKind(second->resultKind) ? errOK : errInapplicableOperand;
    }
    int ReadPut(CLexBuf& lb)
    {
        if (int err = ReadInteger(lb, scope, first)) return err;
        if (int err = lb.Expect(symComma, errCommaMissing)) return err;
        second = std::make_unique<CExpr>(scope, exprFull, false);
        if (int err = second->Init(lb)) return err;
        second->MakeCharOfString();
        return IsScalarKind(second->resultKind) ? errOK : errIncompatibleAssignment;
    }
    int ReadMove(CLexBuf& lb)
    {
        if (int err = ReadInteger(lb, scope, first)) return err;
        if (int err = lb.Expect(symComma, errCommaMissing)) return err;
        if (int err = ReadInteger(lb, scope, second)) return err;
        if (int err = lb.Expect(symComma, errCommaMissing)) return err;
        return ReadInteger(lb, scope, third);
    }
    // NEW(p, n): p a pointer variable to a record or to an array of fixed lengths (an open
    // array keeps lengths that n bytes would not hold).
    int ReadNew(CLexBuf& lb)
    {
        first = std::make_unique<CExpr>(scope, exprFull, false);
        if (int err = first->Init(lb)) return err;
        if (int err = CheckWritable(*first)) return err;
        CBaseName* decl = first->GetDesignatedVar();
        // A pointer variable, or an element or field of a pointer type.
        CBaseName* base = PointerBase(decl);
        if (!base || (base->kind != kindRecordType && base->kind != kindArrayType)) return errInapplicableOperand;
        for (const CArrayType* a = ArrayOf(decl); a;) {
            if (a->length == 0) return errInapplicableOperand;
            a = As<CArrayType>(a->elem.get());
        }
        if (int err = lb.Expect(symComma, errCommaMissing)) return err;
        return ReadInteger(lb, scope, second);
    }
};

}  // namespace

int ReadSystemFactor(CLexBuf& lb, CFactor& factor, bool& read)
{
    read = false;
    ESystemProc proc = ReadSystemProcName(lb, factor.scope);
    if (proc == sysNone) return errOK;
    read = true;
    std::unique_ptr<CStdFunction> function;
    switch (proc) {
    case sysADR: function = std::make_unique<CAdrFunction>(factor.scope); break;
    case sysBIT: function = std::make_unique<CBitFunction>(factor.scope); break;
    case sysLSH: function = std::make_unique<CShiftFunction>(factor.scope, false); break;
    case sysROT: function = std::make_unique<CShiftFunction>(factor.scope, true); break;
    case sysVAL: function = std::make_unique<CValFunction>(factor.scope); break;
    case sysSIZE: function = CreateStdFunction(symSIZE, factor.scope); break;
    case sysCC: case sysGETREG: case sysPUTREG: return errSystemProcUnsupported;
    default: return errExprCompatibility;   // a procedure where a value is wanted
    }
    if (int err = function->Init(lb)) return err;
    factor.form = formStdFunction;
    factor.resultKind = function->resultKind;
    factor.stdFunction = std::move(function);
    return errOK;
}

int ReadSystemStatement(CLexBuf& lb, CBaseName* scope, std::unique_ptr<CSyntaxNode>& node)
{
    ESystemProc proc = ReadSystemProcName(lb, scope);
    if (proc == sysNone) return errOK;
    if (proc == sysCC || proc == sysGETREG || proc == sysPUTREG) return errSystemProcUnsupported;
    if (IsFunction(proc)) return errFunctionCalledAsProc;
    node = std::make_unique<CSystemProcedure>(scope, proc);
    return errOK;
}
