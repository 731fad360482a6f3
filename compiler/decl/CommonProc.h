// Common procedures and their handlers: the dialect's run-time dispatch. A common procedure is
// an ordinary C++ function that asks the linker-generated VYK_COMMON_<module>_<name> for the
// handler fitting the specializations of its common arguments; handlers (in any module) are
// functions VYK_HANDLER_<name>_<uid> taking the formal parameters and then the special ones.
// Both are described in the link description (CProc/CPar and HProc/SPar elements).
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "decl/Procedures.h"
#include "lib/SYSTEM.h"


// Exit code of a program whose common procedure found no handler and has no default handler.
constexpr int kExitNoHandler = SYSTEM::VYK_TRAP_NO_HANDLER;

// Common or special parameter sections between "{" and "}", with the result type that may
// follow "}" (moved into the formal parameters after reading).
struct SCommonPars {
    std::unique_ptr<CQualident> result;
    std::vector<std::unique_ptr<CBaseVar>> params;
    const CBaseVar* Find(const std::string& id) const;
};

// CommonProcedure = PROCEDURE IdentDef "{" CommonSection {";" CommonSection} "}"
//                   [":" type] [FormalParameters] (";" Block ident | ":=" "0").
//   CommonSection = [VAR] ident {"," ident} ":" type.
// C++:
//   //COMMON PROCEDURE P
//   int M::P(int x, Shape* s) {
//   	//handler selection
//   	typedef int (*VYK_TYPE) (int x, Shape* s);
//   	VYK_TYPE VYK_PROC;
//   	VYK_PROC = (VYK_TYPE)VYK_COMMON_M_P(s);
//   	if (VYK_PROC) return VYK_PROC(x, s);
//   	<default handler body>  |  //default handler absent ... exit(253);
//   }
//   //END P;
class CCommonProc : public CProcedure {
public:
    static bool IsKind(int k) { return k == kindCommonProc; }
    SCommonPars common;
    bool hasDefaultHandler = true;

    explicit CCommonProc(CBaseName* parent);
    CBaseName* FindName(const std::string& id) override;
    int CommonParamCount() const override { return int(common.params.size()); }
    int Init(CLexBuf& lb) override;   // at the name; the whole declaration
    void WriteCPP(CCppOutput& f) override;
    void WriteDFN(CDfnOutput& f) override;

private:
    int ReadSection(CLexBuf& lb);
    void WriteSelection(CCppOutput& f);
    void WriteLink(CCppOutput& f);
};

// A common procedure heading read back from a definition file (kind 10).
class CDfnCommonProc : public CProcedureBase {
public:
    static bool IsKind(int k) { return k == kindDfnCommonProc; }
    SCommonPars common;

    explicit CDfnCommonProc(CBaseName* parent) : CProcedureBase(kindDfnCommonProc, parent) {}
    CBaseName* FindName(const std::string& id) override;
    int CommonParamCount() const override { return int(common.params.size()); }
    int Init(CLexBuf& lb) override;   // at the name
    void WriteCPP(CCppOutput&) override {}
};

// HandlerProcedure = PROCEDURE [ident "."] ident "{" SpecialSection {";" SpecialSection} "}"
//                    [":" type] [FormalParameters] ";" Block ident.
//   SpecialSection = [VAR] ident ["<" [qualident] ">"] {"," ident ["<" ...">"]} ":" type.
// C++ (declared in the header too):
//   //HANDLER PROCEDURE P
//   int H::VYK_HANDLER_P_0(int x, Shape* s) { ... }
//   //END P;
class CHandlerProc : public CProcedure {
public:
    static bool IsKind(int k) { return k == kindHandlerProc; }
    SCommonPars special;
    std::string qualifier;          // import alias of the common procedure, "" for this module
    int uid = 0;
    CBaseName* served = nullptr;    // the common procedure (kind 8 or 10)
    std::string servedName;         // the name, once the declaration is read (name is then "")

    explicit CHandlerProc(CBaseName* parent);
    // Its own name denotes the common procedure it serves, so a handler can call it again.
    CBaseName* FindName(const std::string& id) override;
    int CommonParamCount() const override { return int(special.params.size()); }
    int Init(CLexBuf& lb) override;   // at the name; the whole declaration
    void WriteCPP(CCppOutput& f) override;
    void WriteDFN(CDfnOutput& f) override;

private:
    int ReadSection(CLexBuf& lb);
    void WriteLink(CCppOutput& f);
};

// Readers of common and handler procedures, which the procedure reader hands the declaration
// to when the name is followed by "{" or ".".
bool IsCommonProcedureAhead(CLexBuf& lb);
int ReadCommonProcedure(CLexBuf& lb, CDeclSeq& seq);
int ReadCommonProcedureHeading(CLexBuf& lb, CDeclSeq& seq);
// The common parameters of a procedure of kind 8 or 10, or nullptr.
const std::vector<std::unique_ptr<CBaseVar>>* CommonParamList(CBaseName* proc);
