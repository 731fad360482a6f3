// Compatibility of values with targets and actual parameters with formal ones.
#include "code/Compat.h"

#include <cstdint>
#include <memory>

#include "front/Diagnostics.h"
#include "code/Designator.h"
#include "code/Expr.h"
#include "decl/FormalPars.h"
#include "decl/Procedures.h"
#include "decl/RecordType.h"
#include "decl/StructVars.h"
#include "decl/Types.h"
#include "decl/Vars.h"

const CRecordType* OperandRecord(CBaseName* decl)
{
    if (!decl) return nullptr;
    if (const auto* record = As<CRecordType>(decl)) return record;
    if (auto* recordVar = As<CRecordVar>(decl)) return recordVar->type.get();
    return nullptr;
}

const CRecordType* PointedRecord(CBaseName* decl)
{
    if (!decl) return nullptr;
    if (auto* pointerType = As<CPointerType>(decl)) return pointerType->BaseRecord();
    if (const auto* v = As<CPointerVar>(decl)) {
        return v->type ? v->type->BaseRecord() : nullptr;
    }
    return nullptr;
}

// A variable's record type is its own copy of the declaration, so records are the same when they
// are the same object or copies of one named declaration of one scope.
// A record declared in place is the same as the copies of its one declaration only: the C++
// struct of another such declaration is another type. (A definition file names the hidden types
// that hold records, so that a record declared in place there is one in its module too.)
static bool SameRecord(const CRecordType* a, const CRecordType* b)
{
    return a == b || a->origin == b->origin ||
           (!a->name.empty() && a->name == b->name && a->parent == b->parent);
}

bool RecordExtends(const CRecordType* ext, const CRecordType* base)
{
    if (!ext || !base) return true;
    int depth = 0;
    for (const CRecordType* r = ext; r && depth < 10000; r = r->BaseRecord(), ++depth)
        if (SameRecord(r, base)) return true;
    return false;
}

// The innermost element kind and the number of dimensions of an array declaration, or false.
static bool ArrayShape(CBaseName* decl, int& elemKind, int& dims)
{
    const CArrayType* array = nullptr;
    if (auto* arrayVar = As<CArrayVar>(decl)) array = arrayVar->type.get();
    else array = As<CArrayType>(decl);
    if (!array || !array->Innermost()) return false;
    elemKind = array->Innermost()->GetValueKind();
    dims = array->Dimensions();
    return elemKind != 0;
}

// False when two arrays of the same shape differ where both are known: a length that both fix
// (a one-dimensional CHAR array takes a string of another length), or the records of their
// elements, or the records their pointer elements point to.
static bool SameArrayElements(CBaseName* a, CBaseName* b)
{
    const CArrayType* x = As<CArrayType>(a);
    const CArrayType* y = As<CArrayType>(b);
    if (auto* v = As<CArrayVar>(a)) x = v->type.get();
    if (auto* v = As<CArrayVar>(b)) y = v->type.get();
    if (!x || !y) return true;
    CBaseName* ex = ResolveType(x->Innermost());
    CBaseName* ey = ResolveType(y->Innermost());
    bool text = x->Dimensions() == 1 && ex && ex->GetValueKind() == kindCharVar;
    for (const CArrayType *dx = x, *dy = y; dx && dy && !text;
         dx = As<CArrayType>(dx->elem.get()), dy = As<CArrayType>(dy->elem.get()))
        if (dx->length != 0 && dy->length != 0 && dx->length != dy->length) return false;
    if (!ex || !ey) return true;
    const CRecordType* rx = As<CRecordType>(ex);
    const CRecordType* ry = As<CRecordType>(ey);
    if (!rx && !ry) {
        rx = PointedRecord(ex);
        ry = PointedRecord(ey);
    }
    return RecordExtends(rx, ry) && RecordExtends(ry, rx);
}

bool PointersDiffer(CBaseName* a, CBaseName* b)
{
    CBaseName* x = a ? PointerBase(a) : nullptr;
    CBaseName* y = b ? PointerBase(b) : nullptr;
    x = x ? ResolveType(x) : nullptr;
    y = y ? ResolveType(y) : nullptr;
    if (!x || !y) return false;
    if ((x->kind == kindArrayType) != (y->kind == kindArrayType)) return true;
    int ex = 0, dx = 0, ey = 0, dy = 0;
    if (x->kind != kindArrayType || !ArrayShape(x, ex, dx) || !ArrayShape(y, ey, dy)) return false;
    return ex != ey || dx != dy || !SameArrayElements(x, y);
}

static bool IsOpenArrayVar(const CBaseVar& v)
{
    const auto* array = As<CArrayVar>(&v);
    return array && array->Length() == 0;
}

bool SameSignature(const CFormalPars& a, const CFormalPars& b)
{
    if (a.params.size() != b.params.size() || a.ResultKind() != b.ResultKind()) return false;
    for (size_t i = 0; i < a.params.size(); ++i) {
        const CBaseVar& x = *a.params[i];
        const CBaseVar& y = *b.params[i];
        if (x.kind != y.kind || x.isVar != y.isVar || IsOpenArrayVar(x) != IsOpenArrayVar(y)) return false;
        if (x.kind == kindRecordVar || x.kind == kindPointerVar) {
            const CRecordType* rx = x.kind == kindRecordVar ? OperandRecord(const_cast<CBaseVar*>(&x))
                                                           : PointedRecord(const_cast<CBaseVar*>(&x));
            const CRecordType* ry = y.kind == kindRecordVar ? OperandRecord(const_cast<CBaseVar*>(&y))
                                                           : PointedRecord(const_cast<CBaseVar*>(&y));
            if (rx && ry && !(RecordExtends(rx, ry) && RecordExtends(ry, rx))) return false;
        }
    }
    return true;
}

// What a single designator or literal of `expr` stands for, procedures included.
static CBaseName* DesignatedDecl(const CExpr& expr)
{
    return FactorValueDecl(expr.SingleFactor());
}

// The parameters of a procedure or procedure variable named by `decl`; `bound` is set for a
// type-bound procedure, which no procedure variable can hold.
static const CFormalPars* ProcedurePars(CBaseName* decl, bool& bound)
{
    bound = false;
    if (!decl) return nullptr;
    if (auto* p = As<CProcedureBase>(decl)) {
        bound = p->receiver != nullptr;
        return p->formals.get();
    }
    if (auto* procVar = As<CProcedureVar>(decl)) return procVar->Pars();
    return nullptr;
}

bool SameProcedureType(CBaseName* a, CBaseName* b)
{
    bool boundA = false, boundB = false;
    const CFormalPars* x = ProcedurePars(a, boundA);
    const CFormalPars* y = ProcedurePars(b, boundB);
    if (boundA || boundB) return false;
    return !x || !y || SameSignature(*x, *y);
}

void IntegerRange(int kind, int64_t& low, int64_t& high)
{
    low = INT64_MIN;
    high = INT64_MAX;
    if (kind == kindShortintVar) {
        low = INT16_MIN;
        high = INT16_MAX;
    } else if (kind == kindIntegerVar) {
        low = INT32_MIN;
        high = INT32_MAX;
    }
}

bool ConstantFits(const CExpr& value, int kind)
{
    if (!IsIntegerVarKind(value.resultKind) || !IsIntegerVarKind(kind)) return false;
    std::unique_ptr<CBaseVar> c;
    if (value.EvalConst(c) || !c || !IsIntegerVarKind(c->kind)) return false;
    int64_t v = To<CScalarVar>(*c).intValue, low = 0, high = 0;
    IntegerRange(kind, low, high);
    return v >= low && v <= high;
}

// A string constant for a character array of fixed length needs its characters and the 0X.
static int CheckStringFitsArray(const CArrayVar& target, const CExpr& value)
{
    int length = target.Length();
    std::unique_ptr<CBaseVar> c;
    if (length <= 0 || value.EvalConst(c) != errOK || !c || c->kind != kindArrayVar) return errOK;
    const auto& s = To<CArrayVar>(*c);
    return s.hasText && s.text.size() >= static_cast<size_t>(length) ? errStringTooLong : errOK;
}

int CheckAssignable(const CBaseVar& target, const CExpr& value, int mismatch)
{
    int right = value.resultKind;
    // common types have checks of their own
    if (right == kindCommonVar || target.kind == kindCommonVar) return errOK;
    CBaseName* decl = DesignatedDecl(value);
    switch (target.kind) {
    case kindCharVar:
    case kindBoolVar:
    case kindSetVar:
        return right == target.kind ? errOK : mismatch;
    case kindShortintVar:
    case kindIntegerVar:
    case kindLongintVar:
    case kindRealVar:
    case kindLongrealVar:
        return IncludesKind(target.kind, right) || ConstantFits(value, target.kind) ? errOK : mismatch;
    case kindRecordVar:
        if (right != kindRecordVar) return mismatch;
        return RecordExtends(OperandRecord(decl), OperandRecord(const_cast<CBaseVar*>(&target))) ? errOK : mismatch;
    case kindPointerVar: {
        const CRecordType* to = PointedRecord(const_cast<CBaseVar*>(&target));
        if (right == kindArrayVar && !to) return errOK;
        if (right != kindPointerVar || PointersDiffer(decl, const_cast<CBaseVar*>(&target))) return mismatch;
        return RecordExtends(PointedRecord(decl), to) ? errOK : mismatch;
    }
    case kindPtrVar:   // any pointer, NIL too
        return right == kindPtrVar || right == kindPointerVar ? errOK : mismatch;
    case kindProcedureVar: {
        if (right == kindPointerVar) {   // only NIL
            auto* nil = As<CPointerVar>(decl);
            return nil && !nil->type ? errOK : mismatch;
        }
        if (right != kindProcedure && right != kindProcedureVar) return mismatch;
        bool bound = false;
        const CFormalPars* mine = To<CProcedureVar>(target).Pars();
        const CFormalPars* theirs = ProcedurePars(decl, bound);
        if (bound) return mismatch;
        if (mine && theirs && !SameSignature(*mine, *theirs)) return mismatch;
        return errOK;
    }
    case kindArrayVar: {
        int elem = 0, dims = 0, relem = 0, rdims = 0;
        if (!ArrayShape(const_cast<CBaseVar*>(&target), elem, dims)) return errOK;
        if (right == kindCharVar) return elem == kindCharVar && dims == 1 ? errOK : mismatch;   // one character
        if (right != kindArrayVar) return mismatch;
        if (int err = CheckStringFitsArray(To<CArrayVar>(target), value)) return err;
        if (!ArrayShape(decl, relem, rdims)) return errOK;
        if (relem != elem || rdims != dims) return mismatch;
        return SameArrayElements(const_cast<CBaseVar*>(&target), decl) ? errOK : mismatch;
    }
    default:
        return errOK;
    }
}

int CheckVarActual(const CBaseVar& formal, const CExpr& actual)
{
    CBaseName* decl = actual.GetDesignatedVar();
    if (!decl || IsConstVar(decl)) return errNotAVariable;
    if (actual.IsReadOnly()) return errReadOnlyOperand;
    int right = actual.resultKind;
    if (right == kindCommonVar || formal.kind == kindCommonVar) return errOK;   // checked as common parameters
    if (auto* pointer = As<CPointerVar>(&formal); pointer && !pointer->type) return errOK;
    switch (formal.kind) {
    case kindRecordVar:
        if (right != kindRecordVar) return errParamMismatch;
        return RecordExtends(OperandRecord(decl), OperandRecord(const_cast<CBaseVar*>(&formal))) ? errOK : errParamMismatch;
    case kindPointerVar: {
        if (right != kindPointerVar || PointersDiffer(decl, const_cast<CBaseVar*>(&formal))) return errParamMismatch;
        const CRecordType* a = PointedRecord(decl);
        const CRecordType* b = PointedRecord(const_cast<CBaseVar*>(&formal));
        return RecordExtends(a, b) && RecordExtends(b, a) ? errOK : errParamMismatch;
    }
    case kindArrayVar: {
        if (right != kindArrayVar) return errParamMismatch;
        int elem = 0, dims = 0, relem = 0, rdims = 0;
        if (!ArrayShape(const_cast<CBaseVar*>(&formal), elem, dims) || !ArrayShape(decl, relem, rdims)) return errOK;
        if (relem != elem || rdims != dims) return errParamMismatch;
        return SameArrayElements(const_cast<CBaseVar*>(&formal), decl) ? errOK : errParamMismatch;
    }
    case kindProcedureVar:
        return right == kindProcedureVar ? errOK : errParamMismatch;
    case kindPtrVar:
    case kindCharVar:
    case kindBoolVar:
    case kindSetVar:
    case kindShortintVar:
    case kindIntegerVar:
    case kindLongintVar:
    case kindRealVar:
    case kindLongrealVar:
        return right == formal.kind ? errOK : errParamMismatch;
    default:
        return errOK;
    }
}
