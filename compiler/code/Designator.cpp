// Designators: lookup of the qualified name, the selector loop (fields, indices, dereference),
// the kind and flags of what is designated, and the C++ text. Arrays reached through a
// pointer keep their lengths in front of their elements (VYK_LEN), so a pointer carries them
// wherever it goes; open arrays and arrays behind pointers are indexed flattened.
#include "code/Designator.h"

#include "front/Diagnostics.h"
#include "front/Lexer.h"
#include "emit/Output.h"
#include "code/Call.h"
#include "CppIdent.h"
#include "decl/FormalPars.h"
#include "decl/Procedures.h"
#include "decl/RecordType.h"
#include "decl/StructVars.h"
#include "decl/Types.h"
#include "decl/Vars.h"
#include "code/CommonTypeUses.h"

SSelector::SSelector() = default;
SSelector::SSelector(SSelector&&) noexcept = default;
SSelector::~SSelector() = default;

CDesignator::~CDesignator() = default;

const CArrayType* ArrayOf(CBaseName* decl)
{
    if (!decl) return nullptr;
    if (auto* arrayVar = As<CArrayVar>(decl)) return arrayVar->type.get();
    if (auto* pointerVar = As<CPointerVar>(decl)) return As<CArrayType>(pointerVar->Base());
    if (auto* pointerType = As<CPointerType>(decl)) return As<CArrayType>(pointerType->Base());
    CBaseName* type = ResolveType(decl);
    return As<CArrayType>(type);
}

CBaseName* PointerBase(CBaseName* decl)
{
    if (auto* pointerVar = As<CPointerVar>(decl)) return pointerVar->Base();
    CBaseName* type = IsTypeKind(decl->kind) ? ResolveType(decl) : nullptr;
    if (auto* pointerType = As<CPointerType>(type)) return pointerType->Base();
    return nullptr;
}

std::string ElementCppName(const CBaseName* type, bool inHeader)
{
    if (!type) return "void";
    EKind vk = type->GetValueKind();
    if (auto* q = As<CQualidentType>(type)) {
        if (q->ref.name.empty() || IsBasicValueKind(q->ref.valueKind)) return BasicCppName(vk);
        return q->ref.CppText(const_cast<CBaseName*>(type), inHeader);
    }
    if (IsBasicValueKind(vk) || vk == kindPtrVar) return BasicCppName(vk);
    std::string alias = inHeader ? GetModuleName(const_cast<CBaseName*>(type))
                                 : GetModuleAlias(const_cast<CBaseName*>(type));
    std::string text = alias.empty() ? std::string() : CppId(alias) + "::";
    text += CppId(type->name);
    if (vk == kindPointerVar) text += "*";
    return text;
}

std::string ArrayElementCppName(const CArrayType* array, bool inHeader)
{
    const CBaseType* inner = array->Innermost();
    if (!array->InnermostNamedByElement()) return ElementCppName(inner, inHeader);
    return array->NamedElementCpp(inHeader) + (inner->GetValueKind() == kindPointerVar ? "*" : "");
}

static bool IsIndexKind(int kind)
{
    return kind == selIndex || kind == selOpenIndex;
}

static bool IsPointerType(CBaseName* decl)
{
    CBaseName* type = IsTypeKind(decl->kind) ? ResolveType(decl) : nullptr;
    return type && type->kind == kindPointerType;
}

// ---- Parsing ----

// The place of the token read last.
static SSourceAt CurrentAt(const CLexBuf& lb)
{
    return SSourceAt{lb.Line(), lb.Column()};
}

// The place of the next token, which stays unread.
static SSourceAt NextAt(CLexBuf& lb)
{
    SLexPos pos = lb.SavePos();
    int code = 0;
    lb.NextSymbol(code);
    SSourceAt at = CurrentAt(lb);
    lb.RestorePos(pos);
    return at;
}

static bool IsVarParamRecord(CBaseName* decl)
{
    auto* record = As<CRecordVar>(decl);
    return record && record->isVar;
}

int CDesignator::Init(CLexBuf& lb)
{
    CNestingGuard guard;   // a[a[a[...]]] and f(f(f(...))) nest through designators
    if (guard.TooDeep()) return errFactorStart;
    at = NextAt(lb);
    if (int err = ReadQualifiedName(lb, scope, qualifier, ident)) return err;
    base = qualifier.empty() ? FindUnqualified(scope, ident) : GetGlobalName(scope, qualifier, ident);
    if (!base && !qualifier.empty()) {
        if (int err = SplitField(lb)) return err;
    }
    if (!base) return errUndeclaredIdent;
    if (int err = ReadSelectors(lb)) return err;
    // A type-bound procedure called on an element may change it through a VAR receiver.
    if (isCall && !selectors.empty()) NoteChanged();
    return errOK;
}

void CDesignator::NoteChanged() const
{
    NoteChange(scope, base, Indirect());
}

bool CDesignator::Indirect() const
{
    if (dereferenced) return true;
    for (const SSelector& sel : selectors)
        if (sel.kind == selArrow || sel.kind == selCommon || sel.kind == selGuard || sel.throughPointer) return true;
    return false;
}

static CRecordType* StaticRecord(CBaseName* cur, CBaseName* scope);

// "r.f" read as a qualified name whose first part is a variable: the field becomes the first
// selector and the variable the base.
int CDesignator::SplitField(CLexBuf& lb)
{
    CBaseName* var = FindUnqualified(scope, qualifier);
    if (!var) return errUndeclaredIdent;
    if (var->kind != kindRecordVar && var->kind != kindPointerVar && var->kind != kindCommonVar)
        return errNotARecordType;
    if (auto* pointerVar = As<CPointerVar>(var); pointerVar && !pointerVar->BaseIsRecord())
        return errNotARecordType;
    if (!var->FindName(ident)) return errUndefinedField;
    SSelector sel;
    sel.kind = var->kind == kindRecordVar && !IsVarParamRecord(var) ? selDot : selArrow;
    sel.specId = CommonFieldPrefix(var);
    if (!sel.specId.empty()) sel.kind = selCommon;
    sel.field = ident;
    sel.at = CurrentAt(lb);
    if (var->kind != kindCommonVar) sel.fieldRecord = StaticRecord(var, scope);
    selectors.push_back(std::move(sel));
    ident = qualifier;
    qualifier.clear();
    base = var;
    return errOK;
}

// What a type guard applies to: a pointer to a record, or a VAR record parameter.
static bool IsGuardable(CBaseName* cur)
{
    if (auto* pointerVar = As<CPointerVar>(cur)) return pointerVar->BaseIsRecord();
    if (cur->kind == kindRecordVar) return IsVarParamRecord(cur);
    CBaseName* type = IsTypeKind(cur->kind) ? ResolveType(cur) : nullptr;
    auto* pointerType = As<CPointerType>(type);
    return pointerType && pointerType->BaseRecord();
}

// The record a guarded declaration statically is.
static CRecordType* StaticRecord(CBaseName* cur, CBaseName* scope)
{
    if (auto* pointerVar = As<CPointerVar>(cur)) return As<CRecordType>(pointerVar->Base());
    if (auto* var = As<CRecordVar>(cur)) {
        CBaseName* type = var->typeName.empty() ? nullptr : ResolveReference(scope, var->typeModule, var->typeName);
        return As<CRecordType>(type);
    }
    return To<CPointerType>(ResolveType(cur))->BaseRecord();
}

int CDesignator::ReadSelectors(CLexBuf& lb)
{
    CBaseName* cur = base;
    if (!selectors.empty()) cur = base->FindName(selectors.back().field);
    // A variable exported read-only makes the designator read-only, up to a pointer that it
    // passes: what the pointer points to is not that variable (M.p.f := x, M.p^ := r).
    const CBaseName* seen = nullptr;
    for (;;) {
        if (auto* var = As<CBaseVar>(cur); var && var != seen && !qualifier.empty() && var->readOnly) readOnly = true;
        seen = cur;
        SLexPos pos = lb.SavePos();
        int code = 0;
        if (!lb.NextSymbol(code)) {
            lb.RestorePos(pos);
            return Finish(lb, cur);
        }
        size_t before = selectors.size();
        if (code == symPeriod) {
            dereferenced = false;
            if (int err = SelectField(lb, cur)) return err;
            if (selectors.back().kind == selArrow) readOnly = false;
        } else if (code == symLbrak) {
            dereferenced = false;
            if (int err = SelectIndex(lb, cur)) return err;
            for (size_t i = before; i < selectors.size(); ++i)
                if (selectors[i].throughPointer) readOnly = false;
        } else if (code == symArrow && IsProcedureKind(cur->kind) && !selectors.empty() &&
                   selectors.back().kind <= selCommon) {
            if (int err = SelectSuper(cur)) return err;
        } else if (code == symArrow) {
            if (cur->kind != kindPointerVar && ResolveType(cur) == nullptr) return errNotAPointer;
            if (cur->kind != kindPointerVar && ResolveType(cur)->kind != kindPointerType)
                return errNotAPointer;
            dereferenced = true;
            readOnly = false;
            derefAt = CurrentAt(lb);
        } else if (code == symLparen && IsGuardable(cur)) {
            dereferenced = false;
            if (int err = SelectGuard(lb, cur)) return err;
        } else if (code == symLparen && (cur->kind == kindRecordVar ||
                                         (Is<CPointerVar>(cur) && !To<CPointerVar>(cur)->BaseIsRecord()))) {
            return errGuardedVarKind;
        } else {
            lb.RestorePos(pos);
            return Finish(lb, cur);
        }
    }
}

// "." ident
int CDesignator::SelectField(CLexBuf& lb, CBaseName*& cur)
{
    SSelector sel;
    CBaseName* record = nullptr;   // what the member is looked up in
    CBaseName* type = IsTypeKind(cur->kind) ? ResolveType(cur) : nullptr;
    if (type && type->kind == kindRecordType) {
        sel.kind = selDot;
        record = type;
    } else if (auto* pointerType = As<CPointerType>(type)) {
        record = pointerType->BaseRecord();
        if (!record) return errNotARecordType;
        sel.kind = selArrow;
    } else if (!CommonFieldPrefix(cur).empty()) {
        sel.kind = selCommon;
        sel.specId = CommonFieldPrefix(cur);
        record = cur;
    } else if (cur->kind == kindRecordVar) {
        sel.kind = IsVarParamRecord(cur) ? selArrow : selDot;
        record = cur;
    } else if (Is<CPointerVar>(cur) && To<CPointerVar>(cur)->BaseIsRecord()) {
        sel.kind = selArrow;
        record = cur;
    } else {
        return errNotARecordType;
    }
    if (int err = lb.ExpectIdent(sel.field, errIdentExpected)) return err;
    sel.at = CurrentAt(lb);
    CBaseName* member = record->FindName(sel.field);
    if (!member) return errUndefinedField;
    if (auto* recordType = As<CRecordType>(record)) sel.fieldRecord = recordType;
    else if (record->kind == kindRecordVar || record->kind == kindPointerVar)
        sel.fieldRecord = StaticRecord(record, scope);
    selectors.push_back(std::move(sel));
    cur = member;
    return errOK;
}

// "(" Qualident ")": the type guard p(T) or r(T); the object must be of T or an extension.
int CDesignator::SelectGuard(CLexBuf& lb, CBaseName*& cur)
{
    SSelector sel;
    sel.kind = selGuard;
    sel.guardOnRecord = cur->kind == kindRecordVar;
    sel.at = NextAt(lb);
    std::string q, n;
    if (int err = ReadQualifiedName(lb, scope, q, n)) return err;
    CBaseName* type = GetGlobalName(scope, q, n);
    if (!type) return errUndeclaredIdent;
    if (!IsTypeKind(type->kind)) return errNotAType;
    CBaseName* resolved = ResolveType(type);
    CBaseName* record = resolved;
    if (!sel.guardOnRecord) {
        auto* pointerType = As<CPointerType>(resolved);
        if (!pointerType) return errGuardNotPointer;
        record = pointerType->BaseRecord();
    } else if (!resolved || resolved->kind != kindRecordType) {
        return errGuardNotRecord;
    }
    CRecordType* staticRecord = StaticRecord(cur, scope);
    if (!record || !staticRecord || staticRecord->name.empty() ||
        !IsExtensionOf(record, GetModuleAlias(staticRecord), staticRecord->name))
        return errGuardNotExtension;
    if (int err = lb.Expect(symRparen, errRparenMissing)) return err;
    sel.field = (q.empty() ? std::string() : CppId(q) + "::") + CppId(n);
    selectors.push_back(std::move(sel));
    cur = type;
    return errOK;
}

// Under checks a field or an element reached through a pointer has the pointer checked for NIL
// first; a VAR record parameter, also written with "->", is never NIL.
bool CDesignator::NilChecked(const CCppOutput& f, size_t index) const
{
    const SSelector& sel = selectors[index];
    if (!f.checks) return false;
    if (sel.kind == selArrow) return index > 0 || !IsVarParamRecord(base);
    return IsIndexKind(sel.kind) && sel.throughPointer;
}

// Each guard among the first `count` selectors wraps all that stands before it, and so does
// each NIL check.
void CDesignator::WriteGuardOpenings(CCppOutput& f, size_t count) const
{
    for (size_t i = count; i-- > 0;) {
        const SSelector& sel = selectors[i];
        if (NilChecked(f, i)) f.Cpp("VYK_NN(");
        if (sel.kind != selGuard) continue;
        bool varParam = i == 0 && IsVarParamRecord(base);
        if (sel.guardOnRecord)
            f.Cpp("(*VYK_GUARD<%s>(%s", sel.field.c_str(), varParam ? "" : "&");
        else
            f.Cpp("VYK_GUARD<%s>(", sel.field.c_str());
    }
}

// p.M^: the procedure M that the base type of p's record has (a super call). That is p's
// record, not M's: M may be bound to p's own record only further down the text.
int CDesignator::SelectSuper(CBaseName*& cur)
{
    auto* proc = To<CProcedureBase>(cur);
    CRecordType* record = selectors.back().fieldRecord;
    if (!record) record = proc->BoundRecord();
    CRecordType* baseRecord = record ? record->BaseRecord() : nullptr;
    CBaseName* super = baseRecord ? baseRecord->FindName(proc->name) : nullptr;
    auto* superProc = As<CProcedureBase>(super);
    if (!superProc || !superProc->receiver) return errNotAPointer;
    std::string alias = GetModuleAlias(superProc);
    selectors.back().superType = (alias.empty() ? std::string() : CppId(alias) + "::") +
                                 CppId(superProc->receiver->typeName);
    cur = super;
    return errOK;
}

// "[" ExprList "]" {"[" ExprList "]"}: one selector for all indices.
// A constant index of a dimension with a fixed length must lie inside it.
static int CheckConstantIndices(const CArrayType* array, const CExprList& indices)
{
    const CArrayType* dim = array;
    for (size_t k = 0; k < indices.exprs.size() && dim; ++k) {
        std::unique_ptr<CBaseVar> value;
        if (dim->length > 0 && indices.exprs[k]->EvalConst(value) == errOK && IsIntegerVarKind(value->kind)) {
            int64_t i = To<CScalarVar>(*value).intValue;
            if (i < 0 || i >= dim->length) return errIndexOutOfRange;
        }
        const CBaseType* next = dim->elem.get();
        dim = As<CArrayType>(next);
    }
    return errOK;
}

// An array's selector takes as many indices as it has dimensions; indices beyond them go on into
// the array its element points to (a[i][j] and a[i, j] stand for a[i]^[j] there), read here
// for "," and by the caller for "[".
int CDesignator::SelectIndex(CLexBuf& lb, CBaseName*& cur)
{
    bool more = true;
    while (more)
        if (int err = SelectArrayIndex(lb, cur, more)) return err;
    return errOK;
}

int CDesignator::SelectArrayIndex(CLexBuf& lb, CBaseName*& cur, bool& more)
{
    more = false;
    SSelector sel;
    const CArrayType* array = nullptr;
    if (cur->kind == kindArrayVar) {
        array = ArrayOf(cur);
    } else if (cur->kind == kindPointerVar || (IsTypeKind(cur->kind) && ResolveType(cur) &&
                                               ResolveType(cur)->kind == kindPointerType)) {
        array = ArrayOf(cur->kind == kindPointerVar ? cur : ResolveType(cur));
        sel.throughPointer = true;
    } else if (IsTypeKind(cur->kind)) {
        array = ArrayOf(cur);
    }
    if (!array) return errNotAnArray;
    sel.at = CurrentAt(lb);
    sel.indices = std::make_unique<CExprList>(scope, nullptr);
    const int dims = array->Dimensions();
    for (;;) {
        for (;;) {   // ExprList, each index with its place
            sel.indexAt.push_back(NextAt(lb));
            auto expr = std::make_unique<CExpr>(scope, exprFull, false);
            if (int err = expr->Init(lb)) return err;
            if (!IsIntegerVarKind(expr->resultKind)) return errExprCompatibility;
            sel.indices->exprs.push_back(std::move(expr));
            if (!lb.Accept(symComma)) break;
            if (int(sel.indices->Count()) == dims) {
                more = true;
                break;
            }
        }
        if (more) break;
        if (int err = lb.Expect(symRbrak, errRbrakMissing)) return err;
        if (int(sel.indices->Count()) == dims || !lb.Accept(symLbrak)) break;
    }
    int n = int(sel.indices->Count());
    if (int err = CheckConstantIndices(array, *sel.indices)) return err;
    sel.kind = array->length == 0 || sel.throughPointer ? selOpenIndex : selIndex;
    sel.array = array;
    sel.arrayName = selectors.empty() ? ident : selectors.back().field;
    if (!selectors.empty() && IsIndexKind(selectors.back().kind)) sel.arrayName.clear();
    if (sel.throughPointer && cur->kind != kindPointerVar) sel.arrayName.clear();
    selectors.push_back(std::move(sel));
    CBaseName* elem = array->ElementAfter(n);
    CBaseName* resolved = ResolveType(elem);
    cur = resolved ? resolved : elem;
    return errOK;
}

// Where a procedure is named (mode 1), a call of a function whose result is a procedure is
// still a call: v := MakeVisitor().
static bool CallsForProcedure(CLexBuf& lb, CBaseName* cur, CBaseName* type)
{
    SLexPos pos = lb.SavePos();
    int code = 0;
    bool paren = lb.NextSymbol(code) && code == symLparen;
    lb.RestorePos(pos);
    if (!paren) return false;
    if (IsProcedureKind(cur->kind)) return cur->GetValueKind() == kindProcedureVar;
    auto* procVar = As<CProcedureVar>(cur);
    CFormalPars* pars = procVar ? procVar->Pars() : To<CProcedureType>(type)->pars.get();
    return pars && pars->ResultKind() == kindProcedureVar;
}

// After the selectors: calls, procedure values and the value kind.
int CDesignator::Finish(CLexBuf& lb, CBaseName* cur)
{
    target = cur;
    if (IsProcedureKind(cur->kind)) {
        if (designatorOnly && !CallsForProcedure(lb, cur, nullptr)) {
            valueKind = kindProcedure;
        } else {
            isCall = true;
            valueKind = cur->GetValueKind();
        }
        return errOK;
    }
    CBaseName* type = IsTypeKind(cur->kind) ? ResolveType(cur) : nullptr;
    if (cur->kind == kindProcedureVar || (type && type->kind == kindProcedureType)) {
        if (designatorOnly && !CallsForProcedure(lb, cur, type)) {
            valueKind = kindProcedureVar;
            return errOK;
        }
        SLexPos pos = lb.SavePos();
        int code = 0;
        if (!lb.NextSymbol(code)) return errBecomesMissing;
        lb.RestorePos(pos);
        // Without "(" a procedure variable inside an expression is its value (p = NIL);
        // standing as a statement it is called.
        if (code == symBecomes || (code != symLparen && !inStatement)) {
            valueKind = kindProcedureVar;
        } else {
            isCall = true;
            procVarCall = true;
            auto* procVar = As<CProcedureVar>(cur);
            CFormalPars* pars = procVar ? procVar->Pars() : To<CProcedureType>(type)->pars.get();
            valueKind = pars ? pars->ResultKind() : kindNone;
        }
        return errOK;
    }
    if (dereferenced) {
        if (auto* pointerVar = As<CPointerVar>(cur)) {
            CBaseName* pointed = pointerVar->Base();
            valueKind = pointed ? pointed->GetValueKind() : kindNone;
            return errOK;
        }
        if (auto* pointerType = As<CPointerType>(type)) {
            CBaseName* pointed = pointerType->Base();
            valueKind = pointed ? pointed->GetValueKind() : kindNone;
            return errOK;
        }
    }
    valueKind = type ? type->GetValueKind() : cur->GetValueKind();
    return errOK;
}

// ---- C++ text ----

// The qualified name, with the cast of a WITH alias.
void CDesignator::WriteBase(CCppOutput& f) const
{
    auto* var = castAllowed ? As<CBaseVar>(base) : nullptr;
    bool cast = var && var->castMark;
    if (cast) {
        f.Cpp("static_cast<");
        if (!var->typeModule.empty()) f.Cpp("%s::", CppId(var->typeModule).c_str());
        f.Cpp("%s*>(", CppId(var->typeName).c_str());
    }
    if (!qualifier.empty()) f.Cpp("%s::", CppId(qualifier).c_str());
    else if (IsNamedLikeItsModule(base)) f.Cpp("::%s::", CppId(ident).c_str());
    f.Cpp("%s", CppId(ident).c_str());
    if (cast) f.Cpp(")");
}

// The length of dimension `dim` of the array a selector indexes, as C++ text; an array behind
// a pointer keeps its lengths with its elements, read through the pointer's text.
static std::string LengthText(const SSelector& sel, const std::string& pointerText, int dim)
{
    const CArrayType* d = sel.array;
    for (int k = 0; k < dim && d; ++k) d = As<CArrayType>(d->elem.get());
    if (d && d->length != 0) return std::to_string(d->length);
    if (sel.throughPointer) return "VYK_LEN(" + pointerText + ", " + std::to_string(dim) + ")";
    return "VYK_ARR_" + std::to_string(dim) + "_" + sel.arrayName;
}

// The text of the base and the first `count` selectors.
std::string CDesignator::PrefixText(size_t count) const
{
    CCppOutput out;
    out.OpenInMemory(std::string());
    size_t start = out.SourceText().size();
    WriteGuardOpenings(out, count);
    WriteBase(out);
    for (size_t i = 0; i < count && i < selectors.size(); ++i) WriteSelector(out, i);
    return out.SourceText().substr(start);
}

// True when `expr` is a constant inside 0..length-1 (length 0: an open length, never).
static bool ConstantIndexInside(CExpr& expr, int length)
{
    std::unique_ptr<CBaseVar> value;
    if (length <= 0 || expr.EvalConst(value) != errOK || !value || !IsIntegerVarKind(value->kind))
        return false;
    int64_t i = To<CScalarVar>(*value).intValue;
    return i >= 0 && i < length;
}

// Index k of an index selector; under checks VYK_IX(<index>, <length>, <place>). The lengths
// read the unchecked prefix: C++ evaluates the array before its index, so the checked prefix
// has passed by then.
static void WriteIndexExpr(CCppOutput& f, const SSelector& sel, int k, const std::string& pointerText)
{
    CExpr& expr = *sel.indices->exprs[size_t(k)];
    std::string length = f.checks ? LengthText(sel, pointerText, k) : std::string();
    const CArrayType* d = sel.array;
    for (int i = 0; i < k && d; ++i) d = As<CArrayType>(d->elem.get());
    if (!f.checks || (d && ConstantIndexInside(expr, d->length))) {
        expr.WriteCPP(f);
        return;
    }
    f.Cpp("VYK_IX(");
    expr.WriteCPP(f);
    f.Cpp(", %s, %s)", length.c_str(), f.At(sel.indexAt[size_t(k)]).c_str());
}

// Open arrays and arrays behind pointers are flat: [(i)*L1*L2+(j)*L2+(k)].
void CDesignator::WriteIndex(CCppOutput& f, size_t index) const
{
    const SSelector& sel = selectors[index];
    if (NilChecked(f, index)) f.Cpp(", %s)", f.At(sel.at).c_str());
    if (sel.kind == selIndex) {
        f.Cpp("[");
        for (size_t i = 0; i < sel.indices->exprs.size(); ++i) {
            if (i) f.Cpp("][");
            WriteIndexExpr(f, sel, int(i), std::string());
        }
        f.Cpp("]");
        return;
    }
    std::string pointerText = sel.throughPointer ? PrefixText(index) : std::string();
    int n = int(sel.indices->exprs.size());
    int dims = sel.array->Dimensions();
    f.Cpp("[");
    for (int k = 0; k < n; ++k) {
        f.Cpp(k ? "+(" : "(");
        WriteIndexExpr(f, sel, k, pointerText);
        f.Cpp(")");
        for (int i = k + 1; i < dims; ++i) f.Cpp("*%s", LengthText(sel, pointerText, i).c_str());
    }
    f.Cpp("]");
}

void CDesignator::WriteSelector(CCppOutput& f, size_t index) const
{
    const SSelector& sel = selectors[index];
    switch (sel.kind) {
    case selArrow:
    case selDot:
        if (NilChecked(f, index)) f.Cpp(", %s)", f.At(sel.at).c_str());
        f.Cpp("%s%s%s%s", sel.kind == selArrow ? "->" : ".", sel.superType.c_str(),
              sel.superType.empty() ? "" : "::", CppId(sel.field).c_str());
        break;
    case selCommon: f.Cpp("%s->%s", sel.specId.c_str(), CppId(sel.field).c_str()); break;
    case selGuard:
        if (f.checks) f.Cpp(", %s", f.At(sel.at).c_str());
        f.Cpp("%s", sel.guardOnRecord ? "))" : ")");
        break;
    default: WriteIndex(f, index); break;
    }
}

// True when the last selector leaves a row of a flat array: fewer indices than dimensions.
bool CDesignator::IsRow() const
{
    if (selectors.empty()) return false;
    const SSelector& last = selectors.back();
    return last.kind == selOpenIndex && int(last.indices->exprs.size()) < last.array->Dimensions();
}

// "*(p)" for a dereference (an array behind a pointer is used through the pointer itself),
// "*(r)" for a whole VAR record parameter, "(&a[<row offset>])" for a row of a flat array.
void CDesignator::WriteCPP(CCppOutput& f)
{
    bool row = IsRow();
    bool deref = dereferenced && !ArrayOf(target);
    bool wholeVarRecord = selectors.empty() && !dereferenced && !addressMode && IsVarParamRecord(base);
    bool nilCheck = f.checks && dereferenced;   // p^, of a record or of a whole array
    if (deref || wholeVarRecord) f.Cpp("*(");
    if (row) f.Cpp("(&");
    if (nilCheck) f.Cpp("VYK_NN(");
    WriteGuardOpenings(f, selectors.size());
    WriteBase(f);
    for (size_t i = 0; i < selectors.size(); ++i) WriteSelector(f, i);
    if (nilCheck) f.Cpp(", %s)", f.At(derefAt).c_str());
    if (row) f.Cpp(")");
    if (deref || wholeVarRecord) f.Cpp(")");
}

// ---- Lengths for open-array parameters ----

// Under checks the lengths of an array behind a pointer read through VYK_NN: whether C++
// evaluates them before or after the array itself, a NIL pointer traps with its place.
std::vector<std::string> CDesignator::LengthTexts(const CCppOutput* checked) const
{
    std::vector<std::string> texts;
    SSelector whole;   // the designated array, described like an index selector
    int first = 0;     // the first dimension left
    std::string pointerText;
    SSourceAt pointerAt = dereferenced ? derefAt : selectors.empty() ? at : selectors.back().at;
    if (!selectors.empty() && IsIndexKind(selectors.back().kind) && !dereferenced) {
        const SSelector& last = selectors.back();
        first = int(last.indices->exprs.size());
        if (first >= last.array->Dimensions()) return texts;
        whole.array = last.array;
        whole.arrayName = last.arrayName;
        whole.throughPointer = last.throughPointer;
        if (whole.throughPointer) pointerText = PrefixText(selectors.size() - 1);
        pointerAt = last.at;
    } else {
        bool pointer = target && (target->kind == kindPointerVar || IsPointerType(target));
        const CArrayType* array = target && (IsVarKind(target->kind) || pointer) ? ArrayOf(target) : nullptr;
        if (!array) return texts;
        whole.array = array;
        whole.arrayName = target->name;
        whole.throughPointer = pointer;
        if (whole.throughPointer) pointerText = PrefixText(selectors.size());
    }
    if (whole.throughPointer && checked && checked->checks)
        pointerText = "VYK_NN(" + pointerText + ", " + checked->At(pointerAt) + ")";
    int dims = whole.array->Dimensions();
    for (int i = first; i < dims; ++i) texts.push_back(LengthText(whole, pointerText, i));
    return texts;
}

bool CDesignator::WriteLengths(CCppOutput& f) const
{
    std::vector<std::string> texts = LengthTexts(&f);
    for (const std::string& text : texts) f.Cpp(", %s", text.c_str());
    return !texts.empty();
}

std::string CDesignator::ElementCppName() const
{
    const CArrayType* array = nullptr;
    bool rows = false;   // a row of the array the last index selector indexes
    if (!selectors.empty() && IsIndexKind(selectors.back().kind) && !dereferenced) {
        array = selectors.back().array;
        rows = true;
    } else if (target && (IsVarKind(target->kind) || IsPointerType(target))) {
        array = ArrayOf(target);
    }
    if (!array) return std::string();
    const CBaseType* inner = array->Innermost();
    EKind vk = inner->GetValueKind();
    if (array->InnermostNamedByElement() || !inner->name.empty() || Is<CQualidentType>(inner) ||
        IsBasicValueKind(vk) || vk == kindPtrVar)
        return ArrayElementCppName(array, false);
    // An element declared in place has no C++ name: it is named by the array's first element,
    // reached through as many dimensions as the C++ text of the designator has (one for the
    // elements behind a pointer or of an open array, which lie in a row).
    int derefs = 0;
    bool flat = dereferenced || (!rows && target->kind == kindPointerVar);
    for (const CArrayType* d = array; d; d = As<CArrayType>(d->elem.get())) {
        ++derefs;
        if (d->length == 0) flat = true;
    }
    if (rows) {
        const SSelector& last = selectors.back();
        flat = flat || last.throughPointer;
        derefs -= int(last.indices->exprs.size());
    }
    if (flat) derefs = 1;
    return std::string(size_t(derefs), '*') + "(" + PrefixText(selectors.size()) + ")";
}

// ---- Sizes for COPY ----

static void WriteSizeOf(CCppOutput& f, CBaseName* decl, const CDesignator* designator)
{
    const CArrayType* array = ArrayOf(decl);
    if (!array) throw error_Internal("CAssignment::WriteCPP");
    if (array->length != 0) {
        f.Cpp("%i", array->length);
    } else if (decl->kind == kindPointerVar || IsPointerType(decl)) {   // a[i]^ with a an array of pointers
        std::string pointerText = designator ? designator->PrefixText(designator->selectors.size()) : std::string();
        f.Cpp("VYK_LEN(%s, 0)", pointerText.c_str());
    } else if (designator && !designator->selectors.empty() && !designator->LengthTexts().empty()) {
        // a row of an open array of arrays: w[j] with w: ARRAY OF ARRAY OF CHAR
        f.Cpp("%s", designator->LengthTexts().front().c_str());
    } else {
        f.Cpp("VYK_ARR_0_%s", decl->name.c_str());
    }
}

void WriteArraySize(CCppOutput& f, CBaseName* decl, const CDesignator& designator)
{
    WriteSizeOf(f, decl, &designator);
}

void WriteArraySize(CCppOutput& f, CBaseName* decl, CExpr* expr)
{
    WriteSizeOf(f, decl, SingleDesignator(*expr));
}

// ---- Seams of the expression parser ----

CDesignator* SingleDesignator(CExpr& expr)
{
    CFactor* factor = expr.SingleFactor();
    if (!factor || factor->form != formDesignator || factor->call || !factor->designator) return nullptr;
    return static_cast<CDesignator*>(factor->designator.get());
}

int ReadDesignatorFactor(CLexBuf& lb, CFactor& factor)
{
    auto designator = std::make_unique<CDesignator>(factor.scope, factor.actualPar);
    designator->designatorOnly = factor.mode == exprDesignatorOnly;
    if (int err = designator->Init(lb)) return err;
    CDesignator* raw = designator.get();
    factor.designator = std::move(designator);
    factor.resultKind = raw->valueKind;
    if (!raw->isCall) return errOK;
    auto call = std::make_unique<CCall>(factor.scope, raw);
    if (int err = call->Init(lb)) return err;
    factor.resultKind = call->ResultKind();
    factor.call = std::move(call);
    return errOK;
}

CBaseName* DesignatorTarget(const CSyntaxNode& designator)
{
    return static_cast<const CDesignator&>(designator).GetTarget();
}

CBaseName* DesignatorNamed(const CSyntaxNode& designator)
{
    return static_cast<const CDesignator&>(designator).GetBase();
}

bool DesignatorReadOnly(const CSyntaxNode& designator)
{
    return static_cast<const CDesignator&>(designator).readOnly;
}

void DesignatorChanged(const CSyntaxNode& designator)
{
    static_cast<const CDesignator&>(designator).NoteChanged();
}
