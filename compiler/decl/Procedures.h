// Procedure declarations: formal parameters, ordinary and exported procedures, forward
// declarations, type-bound procedures (a receiver makes the procedure a member function of the
// receiver's record), procedures read back from definition files, and procedure-local
// procedures, which are written as lambdas at the start of the enclosing body so that they can
// reach the enclosing parameters and variables.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "front/Lexer.h"
#include "front/Names.h"
#include "decl/FormalPars.h"

class CDeclSeq;
class CRecordType;
class CStatementSeq;
class CCppOutput;
class CDfnOutput;

// The receiver of a type-bound procedure: "(" [VAR] name ":" TypeName ")".
struct SReceiver {
    bool isVar = false;
    std::string name;
    std::string typeName;
    std::unique_ptr<CBaseVar> var;  // the receiver parameter variable
    SReceiver();
    ~SReceiver();
};

// What every procedure kind shares (6 to 11): receiver, parameters, local declarations and body.
// FindName looks at the procedure's own name, the local declarations, the parameters and the
// receiver, in this order.
class CProcedureBase : public CBaseName {
public:
    static bool IsKind(int k) { return IsProcedureKind(k); }
    std::unique_ptr<SReceiver> receiver;
    std::unique_ptr<CFormalPars> formals;
    std::unique_ptr<CDeclSeq> locals;
    std::unique_ptr<CStatementSeq> body;
    int returnReach = 0;   // 0 no RETURN, 1 on some paths, 2 on all paths
    // The body changes something other than its own locals, or calls what may do so (see
    // NoteChange): value array parameters then get copies. The procedures of the module that it
    // calls are asked when the procedure is written, once all of them are read.
    bool reachesOut = false;
    // The VAR parameters (arrays and basic types) that the body changes, not counted in
    // reachesOut: a caller sees those changes at its own actuals, and the procedure copies a
    // value array only when it lies where one of these parameters does (VYK_OVERLAP).
    std::vector<const CBaseVar*> changedVarParams;
    std::vector<const CProcedureBase*> callees;

    CProcedureBase(EKind kind, CBaseName* parent);
    ~CProcedureBase() override;

    void AddName(std::unique_ptr<CBaseName> decl) override;
    CBaseName* FindName(const std::string& id) override;
    EKind GetValueKind() const override;
    const std::string* ReceiverTypeName() const override;
    // Number of common parameters: 0 here, counted by common and handler procedures.
    virtual int CommonParamCount() const { return 0; }

    bool IsLocal() const;   // declared inside another procedure
    // reachesOut of this procedure, of any procedure declared inside it or of any it calls (a
    // procedure that calls itself, directly or not, counts as reaching out).
    bool ReachesOut() const;
    // The record a type-bound procedure is bound to, or nullptr.
    CRecordType* BoundRecord() const;
    // Both C++ files: "virtual <result> Name(<params>)" inside the receiver's struct.
    void WriteMemberDecl(CCppOutput& f, bool toHeader) const;

protected:
    mutable bool asked = false;   // ReachesOut is on the way through this procedure
    int ReadReceiver(CLexBuf& lb);
    int ReadNameAndParams(CLexBuf& lb);
    int BindToReceiver();
};

// ProcedureDeclaration = PROCEDURE [Receiver] IdentDef [FormalParameters] ";"
//                        DeclarationSequence [BEGIN StatementSequence] END ident.
// C++ (an unmarked procedure without receiver inside "namespace {" ... "}"):
//   //PROCEDURE Name
//   int M::Name(int a) {
//   	int VYK_RESULT;
//   //BEGIN
//   	...
//   	VYK_RETURN:;
//   	return VYK_RESULT;
//   }
//   //END Name;
class CProcedure : public CProcedureBase {
public:
    static bool IsKind(int k) { return k == kindProcedure || k == kindHandlerProc || k == kindCommonProc; }
    explicit CProcedure(CBaseName* parent) : CProcedureBase(kindProcedure, parent) {}
    int Init(CLexBuf& lb) override;          // after PROCEDURE: the heading up to ";"
    int ReadBlock(CLexBuf& lb);              // declarations, body, END name
    void WriteCPP(CCppOutput& f) override;   // module-level procedure
    void WriteDFN(CDfnOutput& f) override;
    // A procedure-local procedure: "std::function<...> Name;" then "Name = [&](...) {...};".
    void WriteLocalDecl(CCppOutput& f);
    void WriteLocalDef(CCppOutput& f);

protected:
    // Common and handler procedures write the same body after their own heading.
    void WriteBodyText(CCppOutput& f);
    void WriteValueArrayCopies(CCppOutput& f);
    void WriteEpilogue(CCppOutput& f);
};

// ForwardDeclaration = PROCEDURE "^" [Receiver] IdentDef [FormalParameters].
class CForwardProc : public CProcedureBase {
public:
    static bool IsKind(int k) { return k == kindForwardProc; }
    SLexPos pos;            // position of the name, for 93
    bool satisfied = false;
    explicit CForwardProc(CBaseName* parent) : CProcedureBase(kindForwardProc, parent) {}
    int Init(CLexBuf& lb) override;          // after "^"
    void WriteCPP(CCppOutput& f) override;
};

// A procedure heading read from a definition file: PROCEDURE [Receiver] ident FormalParameters.
class CDfnProc : public CProcedureBase {
public:
    explicit CDfnProc(CBaseName* parent) : CProcedureBase(kindDfnProc, parent) {}
    int Init(CLexBuf& lb) override;
};

// ---- the procedures of a declaration sequence ----
// After PROCEDURE: a full declaration (module and procedure scopes) or a heading (definition
// files). 0 or an error code; the declaration is added to `seq`.
int ReadProcedureDeclaration(CLexBuf& lb, CDeclSeq& seq);
int ReadProcedureHeading(CLexBuf& lb, CDeclSeq& seq);
// After the whole sequence: every forward procedure that no full declaration satisfied gives
// 93 at its own position, where it leaves the token buffer.
int CheckForwardProcedures(CLexBuf& lb, CDeclSeq& seq);
// The procedure section of the C++ source, and the procedure headings of the definition file.
void WriteProcedureSection(CCppOutput& f, CDeclSeq& seq);
void WriteProcedureDFN(CDfnOutput& f, CDeclSeq& seq);
// Writes a type-bound procedure inside the struct of its record: "virtual <result><name>(<pars>)".
void WriteBoundProcedureMember(CCppOutput& f, CBaseName& proc, bool toHeader);
