// Designators: a possibly qualified name followed by selectors (record field, array index,
// pointer dereference). The designator finds what it names, its value kind and whether it is
// a call, read-only or dereferenced, and writes itself as C++: fields through "." or "->",
// indices of open arrays flattened over their length variables, "*(p)" for a dereference.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "emit/Output.h"
#include "code/Expr.h"

class CExprList;
class CArrayType;

// Selector kinds.
enum ESelectorKind : int {
    selArrow = 0,       // field through "->"
    selDot = 1,         // field through "."
    selCommon = 2,      // field of a common-type variable
    selIndex = 3,       // indices of an array with a fixed first length
    selOpenIndex = 4,   // indices of an open array (or of an array reached through a pointer)
    selGuard = 5,       // type guard p(T): field holds the C++ name of T
};

class CRecordType;

struct SSelector {
    int kind = selDot;
    std::unique_ptr<CExprList> indices;   // selIndex and selOpenIndex
    std::string field;                    // field selectors
    std::string specId;                   // selCommon
    std::string superType;                // p.M^: the base type whose M is called
    CRecordType* fieldRecord = nullptr;   // field selectors: the record the field was looked up in
    bool guardOnRecord = false;           // selGuard of a record (not of a pointer): .VYK_SPEC_<id> or ->VYK_SPEC_<id>
    // Index selectors: the array indexed, the name its lengths are kept under and, for an
    // array reached through a pointer, the pointer's text.
    const CArrayType* array = nullptr;
    std::string arrayName;
    bool throughPointer = false;
    // Places for the run-time checks: the selector's token (the field name, the "[" of an
    // array behind a pointer, or a guard's type name) and the first token of each index.
    SSourceAt at;
    std::vector<SSourceAt> indexAt;

    SSelector();
    SSelector(SSelector&&) noexcept;
    ~SSelector();
};

// Designator = Qualident {"." ident | "[" ExprList "]" | "^"}.
// C++: M::v   r.f   r->f   p->f   *(p)   a[i][j]   a[(i)*VYK_ARR_1_a+(j)]
class CDesignator : public CSyntaxNode {
public:
    std::string qualifier;        // import alias, "" when none
    std::string ident;
    bool designatorOnly = false;  // parse mode 1: names a procedure or procedure variable
    std::vector<SSelector> selectors;
    bool castAllowed = true;
    bool actualPar = false;
    bool isCall = false;
    bool readOnly = false;
    bool dereferenced = false;
    EKind valueKind = kindNone;
    bool addressMode = false;     // passed to a VAR record formal: a VAR record stays a pointer
    bool inStatement = false;     // begins a statement: a procedure variable alone is called
    bool procVarCall = false;     // a call through a procedure variable
    SSourceAt at;                 // the first token, and the last "^", for the run-time checks
    SSourceAt derefAt;

    CDesignator(CBaseName* scope, bool actualPar) : CSyntaxNode(scope), actualPar(actualPar) {}
    ~CDesignator() override;
    int Init(CLexBuf& lb) override;
    void WriteCPP(CCppOutput& f) override;

    // The declaration named by the qualified name.
    CBaseName* GetBase() const { return base; }
    // The declaration reached through all selectors (a type when an index or a field of a
    // type was last), or nullptr.
    CBaseName* GetTarget() const { return target; }
    // ", <length>" for each dimension of the array the designator stands for (an array
    // variable, a row of an array, or the array a pointer points to); false when it designates
    // no array.
    bool WriteLengths(CCppOutput& f) const;
    // The same lengths as C++ texts, from the outermost dimension left; empty for no array.
    // With `checked` under checks, a NIL pointer in front of the array traps at its place.
    std::vector<std::string> LengthTexts(const CCppOutput* checked = nullptr) const;
    // The C++ type name of the innermost element of that array, or "" for no array; for an
    // element type declared in place, an expression of that type (for sizeof).
    std::string ElementCppName() const;
    // True when the designator reaches what it stands for through a pointer, a VAR record or a
    // common type's specialization: it then need not lie inside its base.
    bool Indirect() const;
    // Records that a statement changes what the designator stands for (NoteChange).
    void NoteChanged() const;

private:
    CBaseName* base = nullptr;
    CBaseName* target = nullptr;
    int SplitField(CLexBuf& lb);
    int ReadSelectors(CLexBuf& lb);
    int SelectField(CLexBuf& lb, CBaseName*& cur);
    int SelectIndex(CLexBuf& lb, CBaseName*& cur);
    int SelectArrayIndex(CLexBuf& lb, CBaseName*& cur, bool& more);
    int SelectSuper(CBaseName*& cur);
    int SelectGuard(CLexBuf& lb, CBaseName*& cur);
    void WriteGuardOpenings(CCppOutput& f, size_t count) const;
    int Finish(CLexBuf& lb, CBaseName* cur);
    void WriteBase(CCppOutput& f) const;
    void WriteSelector(CCppOutput& f, size_t index) const;
    void WriteIndex(CCppOutput& f, size_t index) const;
    bool NilChecked(const CCppOutput& f, size_t index) const;
    bool IsRow() const;

public:
    // The text of the base and the first `count` selectors (what a pointer behind an index
    // selector is called in the C++ text).
    std::string PrefixText(size_t count) const;
};

// The designator of an expression that is a single designator factor without call, or nullptr.
CDesignator* SingleDesignator(CExpr& expr);

// ---- what the expression parser asks of a designator factor ----
// Reads the designator of a factor (token at the identifier) and, when it names a procedure or
// a call through a procedure variable, the call around it; sets factor.designator,
// factor.call and factor.resultKind.
int ReadDesignatorFactor(CLexBuf& lb, CFactor& factor);
// The declaration a designator reaches through all its selectors, or nullptr.
CBaseName* DesignatorTarget(const CSyntaxNode& designator);
// The declaration its qualified name alone names (selectors ignored), or nullptr.
CBaseName* DesignatorNamed(const CSyntaxNode& designator);
bool DesignatorReadOnly(const CSyntaxNode& designator);
// A statement changes what the designator stands for (NoteChange, decl/Vars.h).
void DesignatorChanged(const CSyntaxNode& designator);

// The array type a declaration stands for: an array variable's type, an array type, or the
// array a pointer variable points to; nullptr otherwise.
const CArrayType* ArrayOf(CBaseName* decl);
// What a pointer variable, or a pointer type reached by an index or a field, points to;
// nullptr otherwise.
CBaseName* PointerBase(CBaseName* decl);
// The C++ name of a type used as an array element: the basic C++ name or [<q>::]<name>.
std::string ElementCppName(const CBaseName* type, bool inHeader);
// The C++ type of an array's elements after all its dimensions. An anonymous innermost type that
// came with the name of an array type is written by that name (the name stands for it in C++).
std::string ArrayElementCppName(const CArrayType* array, bool inHeader);
// Writes the size of the array `decl` designates for COPY: "%i" for a fixed first length,
// else VYK_ARR_0_<name> (or the stored length of an array reached through a pointer).
void WriteArraySize(CCppOutput& f, CBaseName* decl, const CDesignator& designator);
void WriteArraySize(CCppOutput& f, CBaseName* decl, CExpr* expr);
