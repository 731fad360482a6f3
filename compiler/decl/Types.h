// The type half of the declaration family: the abstract CBaseType, the basic types, type
// references (CQualident), synonyms, arrays, pointers and procedure types, and the type parser
// that picks the class from the first token. Records live in RecordType.h.
// Each type writes its C++ declaration (typedef or struct, into the header or the source) and its
// definition-file text, and makes the variables of its kind (CreateVar).
#pragma once
#include <memory>
#include <string>

#include "front/Lexer.h"
#include "front/Names.h"

class CBaseVar;
class CCppOutput;
class CDfnOutput;
class CFormalPars;
class CRecordType;

// The late checks run after a declaration sequence was read, while reading stands after it. An
// error that belongs to a place saved earlier (a pointer's base name) carries that place: the
// position in the source of `module`, which only the reader of that module's source can show.
struct SLatePos {
    const CBaseName* module = nullptr;   // none: the diagnostic stays where reading stands
    SLexPos pos;
};
// Returns `err`. When it is an error whose place lies in the source that `lb` reads (the one of
// the module of `scope`), moves `lb` there first, so the diagnostic points at it.
int PlaceLateError(CLexBuf& lb, CBaseName* scope, const SLatePos& at, int err);

// Guards the recursion of the type and expression parsers: every nested type, parenthesis,
// set constructor or negated factor holds one level. Deeper input is refused with the error
// of the construct that would open the next level, at its position.
constexpr int kMaxNesting = 200;
class CNestingGuard {
public:
    CNestingGuard() { ++depth; }
    ~CNestingGuard() { --depth; }
    CNestingGuard(const CNestingGuard&) = delete;
    CNestingGuard& operator=(const CNestingGuard&) = delete;
    bool TooDeep() const { return depth > kMaxNesting; }
    static int Depth() { return depth; }

private:
    static int depth;
};

// C++ name and definition-file word of a basic value kind (30, 36 to 43); "" for other kinds.
const char* BasicCppName(EKind valueKind);
const char* BasicDfnWord(EKind valueKind);
// True for the value kinds that a reference writes as a basic word (30, 36 to 42).
bool IsBasicValueKind(EKind valueKind);

// Lends a name to an anonymous type for one write and takes it back, also on an exception.
class CNameLoan {
public:
    CNameLoan(CBaseName& t, const std::string& name) : t(t), saved(t.name) { t.name = name; }
    ~CNameLoan() { t.name = saved; }
    CNameLoan(const CNameLoan&) = delete;
    CNameLoan& operator=(const CNameLoan&) = delete;

private:
    CBaseName& t;
    std::string saved;
};

// "<module>::" for a name of an imported module, "" without qualifier. The header names the
// module itself, the source its import alias (the source declares the alias as a namespace).
std::string CppQualifier(CBaseName* scope, const std::string& alias, bool inHeader);
// The qualifier under which the compiled module's files name a reference read in `scope`: the
// alias itself in the module's own scopes; in an imported module's definition the real name of
// the module the reference leads to (that module's own name when unqualified).
std::string WrittenModule(CBaseName* scope, const std::string& alias);
// The line that opens the namespace of an unexported module-level procedure or variable:
// "namespace {\n", or "namespace M {\n" for one named like its module M.
std::string HiddenNamespaceCpp(const CBaseName* decl);

// A type reference: [qualifier "."] name, or a basic type word (then name is empty).
//   Qualident = [ident "."] ident | SET | CHAR | REAL | BOOLEAN | INTEGER | LONGINT | ...
class CQualident {
public:
    std::string qualifier;   // import alias, "" when unqualified
    std::string name;        // "" for a basic type word
    EKind valueKind = kindNone;   // value kind of the referenced type

    // The basic word for the basic value kinds, else [qualifier "."] name.
    std::string DfnText() const;
    // The basic C++ name for the basic value kinds, else [qualifier "::"] name ["*" for a pointer].
    std::string CppText(CBaseName* scope, bool inHeader) const;
};

// Type reference reader: basic words allowed; the name must denote a type (14, 17, 19, 95).
int ReadTypeReference(CLexBuf& lb, CBaseName* scope, CQualident& ref);
// Qualified-name reader: ident ["." ident], the dot form only after a declared first identifier.
// Nothing is resolved; 14 or 17 on malformed input.
int ReadQualifiedName(CLexBuf& lb, CBaseName* scope, std::string& qualifier, std::string& name);

// Follows synonyms from `decl` (a type reference target) to the type they finally name.
// 14 when a name is missing, 19 when it is not a type, 96 with `exportCheck` when a name on the
// chain is neither exported nor imported. On success `result` is the final type.
int ResolveSynonyms(CBaseName* decl, bool exportCheck, CBaseName*& result);
// The type that a reference finally names, or nullptr.
CBaseName* ResolveReference(CBaseName* scope, const std::string& qualifier, const std::string& name);
// `decl` with synonyms resolved, or nullptr when the chain breaks.
CBaseName* ResolveType(CBaseName* decl);

// Base of every type. Slots after those of CBaseName: CloneType, CreateVar and the type
// declaration WriteCPP(f, toHeader). The one-argument WriteCPP writes nothing for a type.
class CBaseType : public CBaseName {
public:
    static bool IsKind(int k) { return IsTypeKind(k); }
    using CBaseName::CBaseName;
    using CBaseName::WriteCPP;
    void WriteCPP(CCppOutput&) override {}

    virtual std::unique_ptr<CBaseType> CloneType(CBaseName* newParent) const = 0;
    // A new variable of this type, owned by `owner` (its parent).
    virtual std::unique_ptr<CBaseVar> CreateVar(CBaseName* owner) const = 0;
    // The type declaration: into the header when `toHeader`, else into the source.
    virtual void WriteCPP(CCppOutput& f, bool toHeader) = 0;
    // Late check after the declaration sequence (arrays, records, pointers). An error that
    // belongs to a place saved while reading leaves that place in `at`.
    virtual int CheckLate(SLatePos&) { return 0; }
    // Types that end in a struct (records, and anonymous records lent another name) are written
    // in two steps: WriteForward with the typedefs, WriteStructBody after all of them.
    virtual bool HasStructBody() const { return false; }
    virtual void WriteForward(CCppOutput& f, bool toHeader) { WriteCPP(f, toHeader); }
    virtual void WriteStructBody(CCppOutput&, bool) {}
};

// BOOLEAN, CHAR, SHORTINT, INTEGER, LONGINT, REAL, LONGREAL and SET.
// C++: typedef <C++ type> <name>;
class CBasicType : public CBaseType {
public:
    CBasicType(EKind kind, CBaseName* parent) : CBaseType(kind, parent) {}
    EKind GetValueKind() const override;
    int Init(CLexBuf&) override { return 0; }
    void WriteDFN(CDfnOutput& f) override;
    std::unique_ptr<CBaseType> CloneType(CBaseName* newParent) const override;
    std::unique_ptr<CBaseVar> CreateVar(CBaseName* owner) const override;
    void WriteCPP(CCppOutput& f, bool toHeader) override;
};
class CBooleanType : public CBasicType { public: explicit CBooleanType(CBaseName* p) : CBasicType(kindBooleanType, p) {} };
class CCharType : public CBasicType { public: explicit CCharType(CBaseName* p) : CBasicType(kindCharType, p) {} };
class CShortintType : public CBasicType { public: explicit CShortintType(CBaseName* p) : CBasicType(kindShortintType, p) {} };
class CIntegerType : public CBasicType { public: explicit CIntegerType(CBaseName* p) : CBasicType(kindIntegerType, p) {} };
class CLongintType : public CBasicType { public: explicit CLongintType(CBaseName* p) : CBasicType(kindLongintType, p) {} };
class CRealType : public CBasicType { public: explicit CRealType(CBaseName* p) : CBasicType(kindRealType, p) {} };
class CLongrealType : public CBasicType { public: explicit CLongrealType(CBaseName* p) : CBasicType(kindLongrealType, p) {} };
class CSetType : public CBasicType { public: explicit CSetType(CBaseName* p) : CBasicType(kindSetType, p) {} };

// SYSTEM.PTR. C++: /* PTR TYPE <name> */typedef bool <name>;  Never in a definition text.
class CPtrType : public CBasicType {
public:
    explicit CPtrType(CBaseName* p) : CBasicType(kindPtrType, p) {}
    void WriteDFN(CDfnOutput& f) override;
    void WriteCPP(CCppOutput& f, bool toHeader) override;
};

// A type given by a type name (a synonym).
// C++: typedef [<module>::]<referenced> <name>;
class CQualidentType : public CBaseType {
public:
    static bool IsKind(int k) { return k == kindQualidentType; }
    CQualident ref;
    bool hasRef = true;

    explicit CQualidentType(CBaseName* parent) : CBaseType(kindQualidentType, parent) {}
    EKind GetValueKind() const override;
    int Init(CLexBuf& lb) override;
    void WriteDFN(CDfnOutput& f) override;
    std::unique_ptr<CBaseType> CloneType(CBaseName* newParent) const override;
    std::unique_ptr<CBaseVar> CreateVar(CBaseName* owner) const override;
    void WriteCPP(CCppOutput& f, bool toHeader) override;
    int CheckLate(SLatePos& at) override;
    // The type the reference finally names, or nullptr.
    CBaseName* Target() const;
};

// ArrayType = ARRAY [length {"," length}] OF type.  One object per dimension; length 0 is open.
// An element type that names an array type adds that type's dimensions to the chain (ARRAY 2
// OF A3 with A3 = ARRAY 3 OF INTEGER is ARRAY 2, 3 OF INTEGER), so indexing and LEN see them.
// C++: the element's declaration under the array's name; variables write the dimensions.
class CArrayType : public CBaseType {
public:
    static bool IsKind(int k) { return k == kindArrayType; }
    int length = 0;
    std::unique_ptr<CBaseType> elem;
    std::unique_ptr<CQualident> elemRef;   // the element type's name when it names an array

    explicit CArrayType(CBaseName* parent) : CBaseType(kindArrayType, parent) {}
    EKind GetValueKind() const override { return kindArrayVar; }
    CBaseName* FindName(const std::string&) override { return nullptr; }
    int Init(CLexBuf& lb) override;
    void WriteDFN(CDfnOutput& f) override;
    std::unique_ptr<CBaseType> CloneType(CBaseName* newParent) const override;
    std::unique_ptr<CBaseVar> CreateVar(CBaseName* owner) const override;
    void WriteCPP(CCppOutput& f, bool toHeader) override;
    int CheckLate(SLatePos& at) override;
    bool HasStructBody() const override;
    void WriteForward(CCppOutput& f, bool toHeader) override;
    void WriteStructBody(CCppOutput& f, bool toHeader) override;

    // The element type after all dimensions of the chain, and the number of dimensions.
    CBaseType* Innermost() const;
    int Dimensions() const;
    // The element type after `n` dimensions (n >= 1), or nullptr when the chain is shorter.
    CBaseType* ElementAfter(int n) const;
    // The first dimension of the chain whose element type was given by the name of an array
    // type (elemRef set), or nullptr. Its C++ name stands for the innermost element type.
    const CArrayType* NamedElementDimension() const;
    // The C++ name of that element type: [module "::"] name, read in that dimension's scope.
    std::string NamedElementCpp(bool inHeader) const;
    // True when the innermost element type has no name of its own to be written by (an anonymous
    // record or pointer) while a named array type brought it: the C++ then uses that name.
    bool InnermostNamedByElement() const;

private:
    std::unique_ptr<CQualident> ExpandNamedArray(std::unique_ptr<CBaseType>& element);
    CArrayType* LastDimension(size_t n);
};

// PointerType = POINTER TO (qualident | ArrayType | RecordType).
// C++: [struct <base>;]  typedef [<module>::]<base> <name>;   (variables add the "*")
// A pointer type, like a pointer variable, is written as <name>* with <name> standing for what
// it points to; for an array that is the element type. When the elements are pointers
// themselves, the array is declared under PointeeArrayName(name) and <name> is a pointer to that
// (an array's name stands for its element's pointee, to which its users add the "*").
bool ElementsArePointers(CBaseName* base);
std::string PointeeArrayName(const std::string& name);
enum class EBaseStep { whole, forward, body };
// Writes the declaration of the pointer base `base` under `name`, whole or in the two steps of a
// TYPE section (typedefs and forward declarations, then struct bodies).
// `alias` adds "typedef <name> <name>;" after a base whose elements are no pointers.
void WritePointerBase(CBaseType& base, const std::string& name, CCppOutput& f, bool toHeader, EBaseStep step,
                      bool alias = true);

class CPointerType : public CBaseType {
public:
    static bool IsKind(int k) { return k == kindPointerType; }
    bool unresolved = false;             // the base name was not declared yet when parsed
    std::unique_ptr<CQualident> baseRef; // named base
    std::unique_ptr<CBaseType> anonBase; // ARRAY or RECORD written in place
    SLexPos basePos;                     // position of the base name, for the late error
    const CBaseName* baseModule = nullptr; // the module whose source holds basePos
    // While its base is read, a declared pointer type can already be named by that base's fields
    // (Node = POINTER TO RECORD next: Node END). A copy made then cannot copy the base yet and
    // stands for the declared type instead: `declared` points to it (owned by its scope).
    // Such a type cannot be written in place in a definition file: `namedInBase` makes its users
    // write its name there.
    bool reading = false;
    const CPointerType* declared = nullptr;
    mutable bool namedInBase = false;

    explicit CPointerType(CBaseName* parent) : CBaseType(kindPointerType, parent) {}
    EKind GetValueKind() const override { return kindPointerVar; }
    int Init(CLexBuf& lb) override;
    void WriteDFN(CDfnOutput& f) override;
    std::unique_ptr<CBaseType> CloneType(CBaseName* newParent) const override;
    std::unique_ptr<CBaseVar> CreateVar(CBaseName* owner) const override;
    void WriteCPP(CCppOutput& f, bool toHeader) override;
    int CheckLate(SLatePos& at) override;
    bool HasStructBody() const override;
    void WriteForward(CCppOutput& f, bool toHeader) override;
    void WriteStructBody(CCppOutput& f, bool toHeader) override;

    // The type pointed to (synonyms resolved), or nullptr while it cannot be found.
    CBaseName* Base() const;
    CRecordType* BaseRecord() const;

private:
    int CheckBase(CBaseName* base, SLatePos& at);
};

// ProcedureType = PROCEDURE [FormalParameters].
// C++: typedef <result> (*<name>) (<parameters>);
class CProcedureType : public CBaseType {
public:
    static bool IsKind(int k) { return k == kindProcedureType; }
    std::unique_ptr<CFormalPars> pars;

    explicit CProcedureType(CBaseName* parent);
    ~CProcedureType() override;
    EKind GetValueKind() const override;
    int Init(CLexBuf& lb) override;
    void WriteDFN(CDfnOutput& f) override;
    std::unique_ptr<CBaseType> CloneType(CBaseName* newParent) const override;
    std::unique_ptr<CBaseVar> CreateVar(CBaseName* owner) const override;
    void WriteCPP(CCppOutput& f, bool toHeader) override;
    int CheckLate(SLatePos& at) override;
};

// Reads one type; the first token picks the class (95 for any other token).
int ParseType(CLexBuf& lb, CBaseName* scope, std::unique_ptr<CBaseType>& type);
// A new basic type object for a basic type word symbol, or nullptr.
std::unique_ptr<CBaseType> MakeBasicType(int symbol, CBaseName* parent);

// Record extension test: `record` (synonyms resolved) is the record named (alias, name) or
// extends it. `alias` is the import alias of its module, "" for this module.
bool IsExtensionOf(CBaseName* record, const std::string& alias, const std::string& name);
// True when a declaration's owner chain (records skipped) reaches no module: inside a procedure.
bool IsLocalScope(CBaseName* owner);
