// RECORD types: fields and type-bound procedures in declaration order, an optional base record,
// and the SYS_ID text that names the record at run time.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "front/NameIndex.h"
#include "Types.h"

// RecordType = RECORD ["(" qualident ")"] FieldList {";" FieldList} END.
// C++: struct <name> [: [<module>::]<base>] {
//          [virtual ]const char* VYK_SYS_ID() {return "<sys id>";};
//          [typedef [<module>::]<base> VYK_BASE;]
//          enum {VYK_LEVEL = 0 | VYK_BASE::VYK_LEVEL + 1};
//          [virtual ]const VYK_TYPEDESC* VYK_DESC() const {return &VYK_TD<name>::d;};
//          <name>() = default; <name>(const <name>&) = default; <name>& operator=(const <name>&) = default;
//          <field>;  ...
//      };
class CRecordType : public CBaseType {
public:
    static bool IsKind(int k) { return k == kindRecordType; }
    std::unique_ptr<CQualident> base;               // base record, none for a root record
    std::vector<std::unique_ptr<CBaseName>> members; // fields and type-bound procedures
    bool done = false;                              // late check ran
    std::string sysId;                              // made on first use
    uint64_t origin;                                // the declaration: its copies keep its number

    explicit CRecordType(CBaseName* parent);
    EKind GetValueKind() const override { return kindRecordVar; }
    void AddName(std::unique_ptr<CBaseName> decl) override;
    CBaseName* FindName(const std::string& id) override;
    int Init(CLexBuf& lb) override;
    void WriteDFN(CDfnOutput& f) override;
    std::unique_ptr<CBaseType> CloneType(CBaseName* newParent) const override;
    std::unique_ptr<CBaseVar> CreateVar(CBaseName* owner) const override;
    void WriteCPP(CCppOutput& f, bool toHeader) override;
    int CheckLate(SLatePos& at) override;
    bool HasStructBody() const override { return true; }
    void WriteForward(CCppOutput& f, bool toHeader) override;
    void WriteStructBody(CCppOutput& f, bool toHeader) override;

    // The base record (synonyms resolved), or nullptr for a root record.
    CRecordType* BaseRecord() const;
    // name@module for a named record, VYK_SYS_UNNAMED for an anonymous one.
    const std::string& SysId();
    // The member lines of the struct body and of an anonymous struct: "\t<field>;\n" each.
    void WriteMemberFields(CCppOutput& f, bool toHeader, const char* lead, const char* end);
    // The definition text between RECORD and END (base, exported fields).
    void WriteDfnBody(CDfnOutput& f);

private:
    CNameIndex<CBaseName> memberIndex;
    void WriteDescriptorMembers(CCppOutput& f, bool toHeader);
    void WriteSpecialMembers(CCppOutput& f, bool toHeader);
    int ReadBase(CLexBuf& lb);
    int ReadFields(CLexBuf& lb);
};
