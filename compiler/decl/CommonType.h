// Common types: the dialect's open variant types. A CASE type names its specializations (tags
// with an optional type, or types themselves); modules may add specializations with "+=".
// The compiler writes no C++ struct for them: each common type and each addition becomes a Case
// element of the module's link description, and the linker generates the structs. Variables of
// a common type are bound to one specialization, whose id appears in every generated name.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "decl/Types.h"
#include "decl/Vars.h"

class CDeclSeq;
class CCommonType;

// One specialization. tag is "" in the type-tagged form; typeName is "" for NIL. The type
// module and name are looked up in `scope`, where the specialization was written.
struct SSpecialization {
    std::string tag;
    std::string typeModule;   // import alias as written, "" when unqualified
    std::string typeName;
    int added = 0;            // 1 when added with "+=" in this module
    CBaseName* scope = nullptr;

    // Own name of the module that declares the specialization type (the qualifier's module,
    // else the module the specialization was written in).
    std::string OwnModule() const;
    // The specialization type (synonyms resolved), or nullptr (NIL, or unknown).
    CBaseName* Type() const;
};

// CommonType = CASE [TYPE] [LOCAL] OF Spec {"|" Spec} [ELSE Default] END.
//   Spec     = tag {"," tag} ":" (qualident | NIL)  |  qualident        (type-tagged)
// C++: nothing; the link description gets
//   <Case Name="T" [TagType="type"] [Local="yes"]> <Spec [Def="yes"] [Tag=..] [Qual=..] [Name=..] /> </Case>
class CCommonType : public CBaseType {
public:
    static bool IsKind(int k) { return k == kindCommonType; }
    bool local = false;
    std::vector<SSpecialization> specs;
    int tagKind = 0;                          // 1: type-tagged
    std::unique_ptr<SSpecialization> def;     // the ELSE specialization
    std::vector<std::string> pendingTags;

    explicit CCommonType(CBaseName* parent) : CBaseType(kindCommonType, parent) {}
    EKind GetValueKind() const override { return kindCommonVar; }
    CBaseName* FindName(const std::string&) override { return nullptr; }
    int Init(CLexBuf& lb) override;           // after CASE
    void WriteDFN(CDfnOutput& f) override;
    std::unique_ptr<CBaseType> CloneType(CBaseName* newParent) const override;
    std::unique_ptr<CBaseVar> CreateVar(CBaseName* owner) const override;
    void WriteCPP(CCppOutput& f, bool toHeader) override;

    bool TypeTagged() const { return tagKind == 1; }
    // The specialization of a tag, or of a type given by (qualifier as written in `scope`,
    // name); the default is searched too. nullptr when absent.
    const SSpecialization* FindTag(const std::string& tag) const;
    // The specialization with this id (SpecId), or nullptr.
    const SSpecialization* FindById(const std::string& id) const;
    const SSpecialization* FindType(CBaseName* scope, const std::string& qualifier,
                                    const std::string& name) const;
    // Either of the two, by the tag kind.
    const SSpecialization* FindSpec(CBaseName* scope, const std::string& qualifier,
                                    const std::string& name) const;
    // The text that names a specialization in generated identifiers.
    std::string SpecId(const SSpecialization& s) const;
    // Reads specializations up to END or ";" (CASE body and additions). `addTo` receives
    // copies of added specializations (an extension of an imported type).
    int ReadSpecList(CLexBuf& lb, CBaseName* scope, bool extension, std::vector<SSpecialization>* addTo);

private:
    int ReadTypeSpec(CLexBuf& lb, CBaseName* scope, SSpecialization& s);
    int ReadTaggedSpecs(CLexBuf& lb, CBaseName* scope, int added, std::vector<SSpecialization>* addTo);
    int ReadDefault(CLexBuf& lb, CBaseName* scope);
    void WriteSpecDfn(CDfnOutput& f, const SSpecialization& s) const;
};

// SpecType = qualident "<" [tag | qualident] ">".   T<> is the default specialization.
// C++: typedef [<module>::]<common type> <name>;
class CSpecType : public CBaseType {
public:
    static bool IsKind(int k) { return k == kindSpecType; }
    CQualident common;        // the common type as written
    std::string specModule;   // qualifier of a type-tagged specialization, as written
    std::string specName;     // tag, or type name

    explicit CSpecType(CBaseName* parent) : CBaseType(kindSpecType, parent) {}
    EKind GetValueKind() const override { return kindCommonVar; }
    CBaseName* FindName(const std::string&) override { return nullptr; }
    int Init(CLexBuf& lb) override;           // at "<", after the reference
    void WriteDFN(CDfnOutput& f) override;
    std::unique_ptr<CBaseType> CloneType(CBaseName* newParent) const override;
    std::unique_ptr<CBaseVar> CreateVar(CBaseName* owner) const override;
    void WriteCPP(CCppOutput& f, bool toHeader) override;

    CCommonType* Common() const;
    const SSpecialization* Spec() const;
    std::string SpecId() const;
};

// Specializations that this module adds to an imported common type: M.T += ...;
// C++: nothing; the link description gets <Case Qual="M" Name="T"> <Spec .../> </Case>.
class CCommonExtension : public CBaseType {
public:
    static bool IsKind(int k) { return k == kindCommonExtension; }
    std::string alias;        // the import alias it was written with
    std::string moduleName;   // own name of the module declaring the common type
    std::string typeName;
    std::vector<SSpecialization> added;

    explicit CCommonExtension(CBaseName* parent) : CBaseType(kindCommonExtension, parent) {}
    // The extension as a line of the definition file's TYPE section (after `lead`), so that
    // importers know the specializations too; false, with nothing written, when it adds none.
    bool WriteExtensionDfn(CDfnOutput& f, const char* lead) const;
    std::unique_ptr<CBaseType> CloneType(CBaseName*) const override;
    std::unique_ptr<CBaseVar> CreateVar(CBaseName*) const override;
    void WriteDFN(CDfnOutput&) override {}
    void WriteCPP(CCppOutput& f, bool toHeader) override;
};

// A variable of a common type, bound to one specialization.
//   module level:  [<q>::]T [<module>::]v([<q>::]T::VYK_INIT_<id>)
//   parameter:     [<q>::]T* v        (VAR or not; the object is passed by its address)
class CCommonVar : public CBaseVar {
public:
    static bool IsKind(int k) { return k == kindCommonVar; }
    std::string specId;
    std::string specModule;   // type-tagged: the specialization type's qualifier as recorded
    std::string specTypeName;
    std::string specTag;
    bool bound = false;
    std::unique_ptr<CCommonType> anonType;   // a common type written in place

    explicit CCommonVar(CBaseName* parent) : CBaseVar(kindCommonVar, parent) {}
    ~CCommonVar() override;
    CBaseName* FindName(const std::string& id) override;
    void WriteCPP(CCppOutput& f) override;
    void WriteDFN(CDfnOutput& f) override;
    void WriteCPP_par(CCppOutput& f, bool toHeader) override;
    std::unique_ptr<CBaseVar> CloneVar(CBaseName* owner) const override;

    // The common type of the variable, or nullptr.
    CCommonType* Common() const;
    // Binds to the specialization (qualifier, tag or type name); "" and "" for the default.
    int SetSpecialization(const std::string& qualifier, const std::string& name, bool isDefault = false);
    void Bind(const CCommonType& common, const SSpecialization& s);

private:
    // The type's name in the definition file; `hidden` when it stands for a specialized type
    // the module does not export.
    std::string TypeTextDfn(bool& hidden) const;
};

// The common type that a type declaration finally stands for (a CASE, a T<...>, or a synonym
// of either), or nullptr.
CCommonType* CommonTypeOf(CBaseName* type);
// Reads an extension after the name: "+=" Spec {"|" Spec}, or "." name "+=" ...; the ";" is
// left unread. `afterName` is the symbol that followed the name (already read).
int ReadCommonExtension(CLexBuf& lb, CDeclSeq& seq, const CBareName& ident, int afterName);
// The variables of a VAR section or a field list after CreateVar: binds a written
// specialization, gives an unbound common variable its default, and refuses common types where
// the generated C++ cannot hold them (record fields and array elements, 118).
int FinishDeclaredVar(CBaseVar& v, CBaseType& type, const CBareName& ident, bool field);
// After a type reference: "<" makes `type` (a CQualidentType) a specialized type.
int ReadSpecializedType(CLexBuf& lb, CBaseName* scope, std::unique_ptr<CBaseType>& type);
// The specialization id of `decl` when it is a pointer variable to a specialized common type
// (for p^.f through VYK_SPEC_<id>), else "".
std::string PointerSpecId(CBaseName* decl);
// The common type a pointer variable points to, or nullptr.
CCommonType* PointedCommonType(CBaseName* decl);
// Pointer bases: RECORD CASE ... END or CASE ... END read from `pos` (the token after TO);
// 1 (sigNoMoreDecl) with the position restored when the base is no common type.
int ReadPointerCommonBase(CLexBuf& lb, const SLexPos& pos, CBaseName* scope, std::unique_ptr<CBaseType>& base);
// After a named base: "<" makes the base the specialized type ref<...>; 1 when no "<" follows.
int ReadPointerSpecBase(CLexBuf& lb, CBaseName* scope, const CQualident& ref, std::unique_ptr<CBaseType>& base);
// A field of the record a pointer to a specialized type points to, or nullptr.
CBaseName* FindSpecializedField(CBaseName* pointerVar, const std::string& id);
