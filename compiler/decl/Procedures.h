// Procedure declarations: formal parameters, ordinary and exported procedures, forward
// declarations, type-bound procedures (a receiver makes the procedure a member function of the
// receiver's record), procedures read back from definition files, and procedure-local
// procedures, which are written as lambdas at the start of the enclosing body so that they can
// reach the enclosing parameters and variables.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "Lexer.h"
#include "Names.h"

class CBaseVar;
class CQualident;
class CDeclSeq;
class CStatementSeq;
class CCppOutput;
class CDfnOutput;

// FormalParameters = ["(" [FPSection {";" FPSection}] ")" [":" Qualident]].
// FPSection        = [VAR] ident {"," ident} ":" Type.
// C++: "<result> " before the name, "<par>, <par>" between the parentheses.
class CFormalPars {
public:
    std::unique_ptr<CQualident> resultType;        // none for a proper procedure
    bool hasValueArray = false;                    // some parameter is an array passed by value
    std::vector<std::unique_ptr<CBaseVar>> params; // in declaration order

    CFormalPars();
    CFormalPars(const CFormalPars&) = delete;
    CFormalPars& operator=(const CFormalPars&) = delete;
    ~CFormalPars();

    // Reads the parameters of a procedure (or PROCEDURE type) owned by `scope`; a parameter
    // named like `receiverName` is a duplicate. Without "(" there are no parameters.
    int Init(CLexBuf& lb, CBaseName* scope, const std::string& receiverName = std::string());
    // A copy with cloned parameter variables owned by `scope` (procedure variables and types).
    std::unique_ptr<CFormalPars> Clone(CBaseName* scope) const;

    int GetValueKind() const;                      // value kind of the result, 0 for none
    CBaseVar* FindParam(const std::string& id) const;

    // "<C++ result type> " or "void ", to the header or the source.
    void WriteResultType(CCppOutput& f, bool toHeader) const;
    // The result type alone, without the trailing blank ("void" for none).
    std::string ResultTypeText(bool toHeader) const;
    // The parameters in their parameter form separated by ", ".
    void WriteParams(CCppOutput& f, bool toHeader) const;
    // The parameter list of a definition file: "(\n" <lines> "\n)" [" : " result].
    void WriteDFN(CDfnOutput& f) const;
};

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
    std::unique_ptr<SReceiver> receiver;
    std::unique_ptr<CFormalPars> formals;
    std::unique_ptr<CDeclSeq> locals;
    std::unique_ptr<CStatementSeq> body;
    int returnReach = 0;   // 0 no RETURN, 1 on some paths, 2 on all paths

    CProcedureBase(int kind, CBaseName* parent);
    ~CProcedureBase() override;

    void AddName(std::unique_ptr<CBaseName> decl) override;
    CBaseName* FindName(const std::string& id) override;
    int GetValueKind() const override;
    const std::string* ReceiverTypeName() const override;
    // Number of common parameters: 0 here, counted by common and handler procedures.
    virtual int CommonParamCount() const { return 0; }

    bool IsLocal() const;   // declared inside another procedure
    // Both C++ files: "virtual <result> Name(<params>)" inside the receiver's struct.
    void WriteMemberDecl(CCppOutput& f, bool toHeader) const;

protected:
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
    explicit CProcedure(CBaseName* parent) : CProcedureBase(kindProcedure, parent) {}
    int Init(CLexBuf& lb) override;          // after PROCEDURE
    void WriteCPP(CCppOutput& f) override;   // module-level procedure
    void WriteDFN(CDfnOutput& f) override;
    // A procedure-local procedure: "std::function<...> Name;" then "Name = [&](...) {...};".
    void WriteLocalDecl(CCppOutput& f);
    void WriteLocalDef(CCppOutput& f);

private:
    void WriteBodyText(CCppOutput& f);
    void WriteValueArrayCopies(CCppOutput& f);
    void WriteEpilogue(CCppOutput& f);
};

// ForwardDeclaration = PROCEDURE "^" [Receiver] IdentDef [FormalParameters].
class CForwardProc : public CProcedureBase {
public:
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
