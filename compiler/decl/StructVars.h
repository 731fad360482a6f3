// Variables of the structured kinds: records, pointers and procedure variables. Each keeps its
// own copy of the type it was made from, so lookups of fields and bases never depend on the
// lifetime of a type written in place (VAR r: RECORD ... END).
#pragma once
#include <memory>
#include <string>

#include "Vars.h"

class CBaseType;
class CFormalPars;
class CPointerType;
class CProcedureType;
class CRecordType;

// RECORD variables.
//   named, exported:  header  extern [<module>::]<T> <name>      source  [<alias>::]<T> <module>::<name>
//   named, hidden:    source  [<alias>::]<T> <name>
//   anonymous:        struct VYK_UNNM_<name> {...}; extern VYK_UNNM_<name> <name>  |  struct {...} <name>
//   parameter:        [<q>::]<T> <name>  |  VAR: [<q>::]<T>* <name>  |  struct {...} <name>
class CRecordVar : public CBaseVar {
public:
    static bool IsKind(int k) { return k == kindRecordVar; }
    std::unique_ptr<CRecordType> type;   // own copy of the record type

    explicit CRecordVar(CBaseName* parent);
    ~CRecordVar() override;
    CBaseName* FindName(const std::string& id) override;
    void AddName(std::unique_ptr<CBaseName> decl) override;
    void WriteCPP(CCppOutput& f) override;
    void WriteDFN(CDfnOutput& f) override;
    int CheckType(SLatePos& at) override;
    void WriteCPP_par(CCppOutput& f, bool toHeader) override;
    std::unique_ptr<CBaseVar> CloneVar(CBaseName* owner) const override;

private:
    void WriteMembers(CCppOutput& f, bool toHeader, const char* separator);
};

// POINTER variables and NIL.
//   named:      header extern [<module>::]<T>* <name>; source [<alias>::]<T>* [<module>::]<name>
//   anonymous:  the base declared as VYK_UNNM_<name>, then VYK_UNNM_<name>* <name>
//   NIL:        void* <name> = 0;  literal 0
//   pointers to open arrays add one length variable per open dimension: int VYK_ARR_<i>_<name>
class CPointerVar : public CBaseVar {
public:
    static bool IsKind(int k) { return k == kindPointerVar; }
    std::unique_ptr<CPointerType> type;  // own copy of the pointer type (none for NIL)
    bool typeIsPointer = true;           // the type name denotes the pointer type itself

    explicit CPointerVar(CBaseName* parent);
    ~CPointerVar() override;
    CBaseName* FindName(const std::string& id) override;
    void WriteCPP(CCppOutput& f) override;
    void WriteDFN(CDfnOutput& f) override;
    int CheckType(SLatePos& at) override;
    std::unique_ptr<CBaseVar> CreateConst(CBaseName* owner) const override;
    void WriteCPP_par(CCppOutput& f, bool toHeader) override;
    std::unique_ptr<CBaseVar> CloneVar(CBaseName* owner) const override;
    std::string ConstCppText() const override;

    // The type pointed to (synonyms resolved), or nullptr (NIL, or not resolvable).
    CBaseName* Base() const;
    bool BaseIsArray() const;
    bool BaseIsRecord() const;

private:
    void WriteOpenLengths(CCppOutput& f);
    // [<module>::]<type> of a named pointer type or of a named base written in place.
    std::string PointedCpp(bool inHeader) const;
};

// PROCEDURE variables.
//   named:      as a record variable of a named type
//   anonymous:  <result> (*<name>) (<parameters>)
class CProcedureVar : public CBaseVar {
public:
    static bool IsKind(int k) { return k == kindProcedureVar; }
    std::unique_ptr<CProcedureType> type;

    explicit CProcedureVar(CBaseName* parent);
    ~CProcedureVar() override;
    void WriteCPP(CCppOutput& f) override;
    void WriteDFN(CDfnOutput& f) override;
    void WriteCPP_par(CCppOutput& f, bool toHeader) override;
    std::unique_ptr<CBaseVar> CloneVar(CBaseName* owner) const override;
    int CheckType(SLatePos& at) override;
    CFormalPars* Pars() const;

private:
    void WriteAnonymous(CCppOutput& f, bool toHeader, const std::string& declName);
};
