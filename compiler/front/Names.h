// Names and scopes: the root of every declaration object, the kind codes, and the lookup rules.
// Modules, procedures and records hold their declarations in ordered lists and answer FindName;
// the free functions below walk the parent chain (unqualified lookup, GetGlobalName) and answer
// the owning-module questions that the C++ writers ask.
#pragma once
#include <memory>
#include <string>

class CLexBuf;
class CCppOutput;
class CDfnOutput;

// What a declaration object is. The parser and the writers test kinds by value and by range,
// so the numbering is fixed.
enum EKind : int {
    kindNone = 0,
    kindModule = 1,          // the module being compiled (CModule)
    kindDfnModule = 2,       // a module read from its definition file (CDfnModule)
    kindSystemModule = 3,    // the module SYSTEM (a CDfnModule)
    kindImport = 4,          // one entry of an import list (CImportName)
    kindScopeNode = 5,       // scope node of a LOOP statement or a WITH branch (CScopeNode)
    kindProcedure = 6,       // ordinary or type-bound procedure
    kindHandlerProc = 7,
    kindCommonProc = 8,
    kindDfnProc = 9,
    kindDfnCommonProc = 10,
    kindForwardProc = 11,
    kindBareName = 12,       // identifier definition being parsed (CBareName)
    kindProcedureType = 13,
    kindSetType = 14,
    kindQualidentType = 15,
    kindSpecType = 16,
    kindArrayType = 17,
    kindRecordType = 18,
    kindCommonType = 19,
    kindCommonExtension = 20,
    kindPointerType = 21,
    kindLongrealType = 22,
    kindRealType = 23,
    kindLongintType = 24,
    kindIntegerType = 25,
    kindShortintType = 26,
    kindCharType = 27,
    kindBooleanType = 28,
    kindPtrType = 29,        // SYSTEM.PTR
    kindSetVar = 30,
    kindArrayVar = 31,
    kindRecordVar = 32,
    kindCommonVar = 33,
    kindPointerVar = 34,
    kindProcedureVar = 35,
    kindLongrealVar = 36,
    kindRealVar = 37,
    kindLongintVar = 38,
    kindIntegerVar = 39,
    kindShortintVar = 40,
    kindCharVar = 41,
    kindBoolVar = 42,
    kindPtrVar = 43,
};

// The kind's enumerator without "kind" ("ShortintVar"), for test output and traces; "?" for a
// number that is no kind.
const char* KindName(int k);

inline bool IsModuleKind(int k) { return k >= kindModule && k <= kindSystemModule; }
inline bool IsProcedureKind(int k) { return k >= kindProcedure && k <= kindForwardProc; }
inline bool IsTypeKind(int k) { return k >= kindProcedureType && k < kindSetVar; }
inline bool IsVarKind(int k) { return k >= kindSetVar && k <= kindPtrVar; }
inline bool IsNumericVarKind(int k) { return k >= kindLongrealVar && k <= kindShortintVar; }
inline bool IsIntegerVarKind(int k) { return k >= kindLongintVar && k <= kindShortintVar; }
inline bool IsRealVarKind(int k) { return k >= kindLongrealVar && k <= kindRealVar; }

// The root of every declaration. Virtual operations, in slot order: destructor, AddName,
// FindName, GetValueKind, Init, WriteCPP, WriteDFN. Containers override AddName and FindName;
// the base versions throw error_Internal.
class CBaseName {
public:
    bool exported = false;
    std::string name;            // as written, case-sensitive
    EKind kind = kindNone;
    CBaseName* parent = nullptr; // enclosing declaration; none for a module

    CBaseName(EKind kind, CBaseName* parent) : kind(kind), parent(parent) {}
    CBaseName(const CBaseName&) = delete;
    CBaseName& operator=(const CBaseName&) = delete;
    virtual ~CBaseName();

    virtual void AddName(std::unique_ptr<CBaseName> decl);
    virtual CBaseName* FindName(const std::string& id);
    virtual EKind GetValueKind() const { return kindNone; }
    virtual int Init(CLexBuf& lb);
    virtual void WriteCPP(CCppOutput& f);
    virtual void WriteDFN(CDfnOutput& f);

    // The receiver's type name of a type-bound procedure, or nullptr (every other declaration).
    // GetGlobalName uses it to resolve Type.Procedure inside the procedure's own body.
    virtual const std::string* ReceiverTypeName() const { return nullptr; }

    void SetName(const std::string& text) { name = text; }
};

// Kind-checked casts from a declaration to the class its kind stands for; T says which kinds
// that is (static bool IsKind(int)). Use them instead of a static_cast after a kind test:
//   As<T>(decl)  the declaration as T, or nullptr for another kind or no declaration;
//   Is<T>(decl)  whether As<T> would give the declaration;
//   To<T>(decl)  the declaration as T where the caller already knows its kind; another kind
//                (or none) is an internal error, never an unchecked object;
//   To<T>(*decl) the same for a reference;
//   To<T>(std::move(owned))  the same for an owning pointer (a clone), passing ownership on.
template <class T>
T* As(CBaseName* decl)
{
    return decl && T::IsKind(decl->kind) ? static_cast<T*>(decl) : nullptr;
}
template <class T>
const T* As(const CBaseName* decl)
{
    return decl && T::IsKind(decl->kind) ? static_cast<const T*>(decl) : nullptr;
}
template <class T>
bool Is(const CBaseName* decl)
{
    return decl && T::IsKind(decl->kind);
}

// Throws error_Internal naming the kind that To<T> did not expect.
[[noreturn]] void KindMismatch(const CBaseName* decl);

template <class T>
T* To(CBaseName* decl)
{
    if (!Is<T>(decl)) KindMismatch(decl);
    return static_cast<T*>(decl);
}
template <class T>
const T* To(const CBaseName* decl)
{
    if (!Is<T>(decl)) KindMismatch(decl);
    return static_cast<const T*>(decl);
}
template <class T>
T& To(CBaseName& decl)
{
    return *To<T>(&decl);
}
template <class T>
const T& To(const CBaseName& decl)
{
    return *To<T>(&decl);
}
template <class T, class B>
std::unique_ptr<T> To(std::unique_ptr<B> owned)
{
    T* checked = To<T>(owned.get());
    owned.release();
    return std::unique_ptr<T>(checked);
}

// Identifier definition: ident ["*" | "-"] ["<" [qualident] ">"].
// "-" is accepted only where the caller allows read-only export, else 18 at the "-".
// The specialization part (after "<") belongs to the common-type extension; it is kept as text.
class CBareName : public CBaseName {
public:
    bool readOnly = false;       // exported with "-"
    bool allowReadOnly = false;  // set by the caller before Init
    bool hasSpec = false;        // "<" ... ">" was given
    std::string specQualifier;   // module qualifier inside "<...>", empty when none
    std::string specName;        // tag or type name inside "<...>", empty for "<>"

    explicit CBareName(CBaseName* parent, bool allowReadOnly = false)
        : CBaseName(kindBareName, parent), allowReadOnly(allowReadOnly) {}
    int Init(CLexBuf& lb) override;

private:
    int ReadSpecialization(CLexBuf& lb);
};

// One entry of an import list: the alias (its name) and the module it stands for.
//   IMPORT Alias := Module, Other;
class CImportName : public CBaseName {
public:
    static bool IsKind(int k) { return k == kindImport; }
    std::string moduleName;      // after ":=", or the alias itself
    CImportName(CBaseName* parent, const std::string& alias, const std::string& module)
        : CBaseName(kindImport, parent), moduleName(module) { name = alias; }
};

// Scope node of a LOOP statement or of a WITH branch, created by the statements.
// A LOOP node carries the loop mark and its label number (EXIT finds it); a WITH node binds
// the guarded variable's name (with or without module qualifier) to an alias variable.
class CScopeNode : public CBaseName {
public:
    static bool IsKind(int k) { return k == kindScopeNode; }
    bool loopMark = false;
    int label = 0;
    std::string qualifier;              // qualifier of the guarded variable, empty when none
    std::unique_ptr<CBaseName> bound;   // the alias variable of a WITH branch

    explicit CScopeNode(CBaseName* parent) : CBaseName(kindScopeNode, parent) {}
    // The bound declaration when it has no qualifier and the names match, else the enclosing
    // scope's answer.
    CBaseName* FindName(const std::string& id) override;
};

// Unqualified lookup: the scope's FindName, then each parent's, up the chain. None for "".
CBaseName* FindUnqualified(CBaseName* scope, const std::string& id);
// Lookup of a possibly qualified name (an empty qualifier means none). With a qualifier the
// first module, qualified scope node or type-bound procedure up the chain decides; throws
// error_Internal("::GetGlobalName") when the chain holds none.
CBaseName* GetGlobalName(CBaseName* scope, const std::string& qualifier, const std::string& id);
// The first module (kinds 1 to 3) up the parent chain, or the declaration itself when none.
CBaseName* GetOwningModule(CBaseName* decl);
// Alias and module name of the owning module; both empty unless that is an imported definition
// module (kind 2). The header qualifies with the module name, the source with the alias.
std::string GetModuleAlias(CBaseName* decl);
std::string GetModuleName(CBaseName* decl);
// True for a declaration of the compiled module's own scope that is named like the module: the
// source file says "using namespace M", so there M alone is ambiguous with the namespace and
// the declaration is written ::M::M (and a hidden one lives in namespace M, not in an
// unnamed namespace, so that ::M::M finds it).
bool IsNamedLikeItsModule(const CBaseName* decl);
// True when decl is named id and the alias of its owning module equals qualifier ("" = none).
bool NameMatches(CBaseName* decl, const std::string& qualifier, const std::string& id);
