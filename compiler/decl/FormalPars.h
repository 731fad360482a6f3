// Formal parameters of procedure types (and of procedures):
//   FormalParameters = "(" [FPSection {";" FPSection}] ")" [":" qualident].
//   FPSection        = [VAR] ident {"," ident} ":" type.
// C++: the parameters in their parameter form, separated by ", "; the result as its C++ name.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "front/NameIndex.h"
#include "Types.h"
#include "Vars.h"

class CFormalPars {
public:
    CBaseName* scope;                               // where type names are looked up
    std::unique_ptr<CQualident> result;             // none for a proper procedure
    bool valueArray = false;                        // some array is passed by value
    bool hasList = false;                           // "(" ... ")" was written
    std::vector<std::unique_ptr<CBaseVar>> params; // in declaration order
    // Procedure types check their parameters' types with the other late checks, after the
    // declarations: a pointer parameter's base may be declared after the procedure type
    // (TYPE Obj = POINTER TO ObjDesc; Handler = PROCEDURE (o: Obj); ObjDesc = RECORD ... END).
    bool lateTypeCheck = false;

    explicit CFormalPars(CBaseName* scope) : scope(scope) {}
    // Reads the optional parameter list; `receiverName` is a name the parameters may not take.
    int Init(CLexBuf& lb, const std::string& receiverName = std::string());
    std::unique_ptr<CFormalPars> Clone(CBaseName* newScope) const;
    CBaseVar* FindParam(const std::string& id) const;
    // The parameters' own type checks; 0 or an error code.
    int CheckParamTypes(SLatePos& at) const;

    EKind ResultKind() const { return result ? result->valueKind : kindNone; }
    // The result type as C++ text without trailing blank: "void", "int", "[<q>::]T[*]".
    std::string ResultCpp(bool inHeader) const;
    // The parameters in parameter form, separated by ", ".
    void WriteParams(CCppOutput& f, bool toHeader);
    // Definition text: each parameter as "[VAR ]<name> : <type>", separated by `separator`.
    void WriteParamsDFN(CDfnOutput& f, const char* separator);

private:
    CNameIndex<CBaseVar> paramIndex;
    int ReadSection(CLexBuf& lb, const std::string& receiverName);
};
