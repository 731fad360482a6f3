// Variables, record fields, formal parameters and named constants: the CBaseVar family, one
// class per value kind (30 to 43). A type's CreateVar makes them; a constant is a variable whose
// constant flag is set and whose value the expression evaluator filled in.
// Every class writes three C++ forms (module level, parameter or field, literal value) and its
// definition-file line. Records, pointers and procedure variables are in StructVars.h.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "front/Names.h"

class CCppOutput;
class CDfnOutput;
class CLexBuf;
struct SLatePos;
class CArrayType;
class CSetElem;

// Slots after those of CBaseName: CheckType, CreateConst, GetIntValue, WriteCPP_par, CloneVar,
// WriteCPP_ConstValue.
class CBaseVar : public CBaseName {
public:
    static bool IsKind(int k) { return IsVarKind(k); }
    bool isConst = false;     // a named constant or a folded value
    bool castMark = false;    // alias variable of a WITH branch
    bool readOnly = false;    // exported with "-"
    bool isVar = false;       // VAR parameter
    std::string typeModule;   // import alias of the named type, "" when none
    std::string typeName;     // the named type the variable was declared with, "" when none
    std::string listFirst;    // the first name of the identifier list whose type, declared in
                              // place, this variable shares: declared as that one's type in C++

    CBaseVar(EKind kind, CBaseName* parent) : CBaseName(kind, parent) {}
    EKind GetValueKind() const override { return kind; }
    int Init(CLexBuf& lb) override;
    // Module-level form: the declaration (with its value for a constant) without ";".
    void WriteCPP(CCppOutput& f) override = 0;

    // The late check of the variable's type (see CBaseType::CheckLate).
    virtual int CheckType(SLatePos&) { return 0; }
    virtual std::unique_ptr<CBaseVar> CreateConst(CBaseName* owner) const;
    virtual int64_t GetIntValue() const;
    // Parameter-or-field form, into the header when `toHeader`, else the source.
    virtual void WriteCPP_par(CCppOutput& f, bool toHeader) = 0;
    virtual std::unique_ptr<CBaseVar> CloneVar(CBaseName* owner) const = 0;
    virtual void WriteCPP_ConstValue(CCppOutput& f);

    // The literal of a constant as C++ text (what WriteCPP_ConstValue writes).
    virtual std::string ConstCppText() const;
    // Copies the flags and the type name onto `to` (not the value).
    void CopyVarFields(CBaseVar& to) const;
    // "[<module>::]" of the recorded type name: module name in the header, alias in the source.
    std::string TypeQualifierCpp(bool inHeader) const;
    // "[<alias>.]<type name>" for the definition file.
    std::string TypeNameDfn() const;
    // True when the definition file can name the variable's type: it has a type name that is
    // imported or exported. A hidden type is written out in full instead.
    bool DfnNamesType() const;
    // The name of the owning module as the C++ text writes it.
    std::string OwnerModuleCpp() const;
    // The name without the dimensions that an array lends its element variable ("a" of "a[3][4]"),
    // for the invented names built around it.
    std::string PlainName() const { return name.substr(0, name.find('[')); }
};

// True for a variable object that is a constant (a named constant or a folded value).
inline bool IsConstVar(const CBaseName* decl)
{
    const auto* var = As<CBaseVar>(decl);
    return var && var->isConst;
}

// BOOLEAN, CHAR, SHORTINT, INTEGER, LONGINT, REAL, LONGREAL, SET and SYSTEM.PTR variables.
//   module level, exported:  header  extern <C++ type> <name>
//                            source  <C++ type> <module>::[&]<name>[ = <value>]
//   module level, hidden:    source  <C++ type> [&]<name>[ = <value>]
//   parameter or field:      [<module>::]<type name or C++ type> [&]<name>
// Values: SHORTINT 16-bit, INTEGER and LONGINT 32-bit, CHAR a signed byte, SET a 32-bit mask,
// REAL and LONGREAL a double.
class CScalarVar : public CBaseVar {
public:
    static bool IsKind(int k) { return k == kindSetVar || (k >= kindLongrealVar && k <= kindPtrVar); }
    int64_t intValue = 0;     // integers, CHAR, BOOLEAN, SET
    double realValue = 0.0;   // REAL, LONGREAL

    CScalarVar(EKind kind, CBaseName* parent) : CBaseVar(kind, parent) {}
    void WriteCPP(CCppOutput& f) override;
    void WriteDFN(CDfnOutput& f) override;
    std::unique_ptr<CBaseVar> CreateConst(CBaseName* owner) const override;
    int64_t GetIntValue() const override;
    void WriteCPP_par(CCppOutput& f, bool toHeader) override;
    std::unique_ptr<CBaseVar> CloneVar(CBaseName* owner) const override;
    std::string ConstCppText() const override;

    // Stores an integer, wrapped to the width of the kind.
    void SetIntValue(int64_t v);
    // The literal that the definition file holds, read back as the same value and kind.
    virtual std::string ConstDfnText() const;
    const char* CppTypeName() const;
};

// The value of a folded scalar constant as an integer, or as a real number (an integer widened).
inline int64_t IntOf(const CBaseVar& c) { return To<CScalarVar>(c).intValue; }
inline double RealOf(const CBaseVar& c)
{
    const auto& s = To<CScalarVar>(c);
    return IsRealVarKind(c.kind) ? s.realValue : static_cast<double>(s.intValue);
}

class CBoolVar : public CScalarVar { public: explicit CBoolVar(CBaseName* p) : CScalarVar(kindBoolVar, p) {} };
class CCharVar : public CScalarVar { public: explicit CCharVar(CBaseName* p) : CScalarVar(kindCharVar, p) {} };
class CShortintVar : public CScalarVar { public: explicit CShortintVar(CBaseName* p) : CScalarVar(kindShortintVar, p) {} };
class CIntegerVar : public CScalarVar { public: explicit CIntegerVar(CBaseName* p) : CScalarVar(kindIntegerVar, p) {} };
class CLongintVar : public CScalarVar { public: explicit CLongintVar(CBaseName* p) : CScalarVar(kindLongintVar, p) {} };
class CRealVar : public CScalarVar { public: explicit CRealVar(CBaseName* p) : CScalarVar(kindRealVar, p) {} };
class CLongrealVar : public CScalarVar { public: explicit CLongrealVar(CBaseName* p) : CScalarVar(kindLongrealVar, p) {} };
class CPtrVar : public CScalarVar { public: explicit CPtrVar(CBaseName* p) : CScalarVar(kindPtrVar, p) {} };

// SET: a constant mask, or a set expression built from a constructor with variable elements.
//   literal: <mask>  |  (<elem> | <elem> ...)  |  0
class CSetVar : public CScalarVar {
public:
    static bool IsKind(int k) { return k == kindSetVar; }
    std::vector<std::unique_ptr<CSetElem>> elems;   // only for a set expression

    explicit CSetVar(CBaseName* p);
    ~CSetVar() override;
    std::unique_ptr<CBaseVar> CreateConst(CBaseName* owner) const override;
    std::string ConstDfnText() const override;
    void WriteCPP_ConstValue(CCppOutput& f) override;
};

// A new scalar variable of a value kind (30, 36 to 43), or nullptr for other kinds.
std::unique_ptr<CScalarVar> MakeScalarVar(int valueKind, CBaseName* parent);

// ARRAY variables and string constants.
//   module level:  the element's module-level form under the array's name, then [n] per dimension
//   parameter:     fixed: element form [n]...;  open: <elem> *<name>, const int VYK_ARR_<i>_<name>...
//   string:        "text" (or 'c' for a one-character string used as CHAR)
class CArrayVar : public CBaseVar {
public:
    static bool IsKind(int k) { return k == kindArrayVar; }
    std::unique_ptr<CArrayType> type;   // own copy of the dimension chain
    std::string text;                   // string constant
    bool hasText = false;
    bool maybeChar = false;             // a one-character string written as a character
    // A value parameter that its procedure (or a local procedure) changes: assigned, passed on
    // as VAR, an element changed, a type-bound procedure called on an element.
    bool changed = false;

    explicit CArrayVar(CBaseName* parent);
    ~CArrayVar() override;
    void WriteCPP(CCppOutput& f) override;
    void WriteDFN(CDfnOutput& f) override;
    int CheckType(SLatePos& at) override;
    std::unique_ptr<CBaseVar> CreateConst(CBaseName* owner) const override;
    void WriteCPP_par(CCppOutput& f, bool toHeader) override;
    std::unique_ptr<CBaseVar> CloneVar(CBaseName* owner) const override;
    std::string ConstCppText() const override;
    // Record-field form: the element's field form under the name and [n] per dimension.
    void WriteCPP_rec(CCppOutput& f, bool toHeader);

    // Makes this a string constant of `s` (an ARRAY len(s)+1 OF CHAR).
    void SetString(const std::string& s);
    int Length() const;   // outer length, 0 for an open array

private:
    std::unique_ptr<CBaseVar> ElementVar(const std::string& declName) const;
    std::string DimsText() const;
};

// What the statements of a procedure change, for its value array parameters: such a parameter
// is copied when the procedure changes it, or changes anything other than its own local
// variables and value parameters, or calls anything but its own local procedures (either may
// reach the caller's array, which the parameter would otherwise share). `scope` is where the
// statement stands; a change of the module body's statements records nothing.
// A designator based on `base` is changed, through a pointer or VAR record when `indirect`:
void NoteChange(CBaseName* scope, CBaseName* base, bool indirect);
// `callee` (a procedure, or a variable or type-bound procedure called) is called:
void NoteCall(CBaseName* scope, CBaseName* callee);

// The string as a C++ literal body (backslash and double quote escaped).
std::string EscapeCppString(const std::string& s);
// The string as a literal of the definition file: "text", or 'text' when it holds a double quote.
std::string DfnStringLiteral(const std::string& s);

// The declaration of a variable that shares the type, declared in place, of the first name of
// its identifier list: "decltype(<first>) <name>" (with `init` when not exported).
void WriteListShared(const CBaseVar& v, CCppOutput& f, const char* init = "");
// The definition-file line of `v` with the exported names of its list that share its type
// ("a, b- : RECORD ... END"); ListedWithOther: such a name itself, which that line holds.
template <class TDecls> bool ListedWithOther(const CBaseVar& v, const TDecls& decls);
template <class TDecls> void WriteListDFN(CDfnOutput& f, CBaseVar& v, const TDecls& decls);

