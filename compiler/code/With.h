// The WITH statement (regional type guard): each branch tests the dynamic type of a pointer or
// VAR record parameter against a guard type and its extensions, and inside the branch the
// variable's name stands for an alias of the guard type. No match and no ELSE ends the program
// with kExitWithNoMatch.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "emit/Output.h"
#include "code/Statements.h"
#include "code/CommonTypeUses.h"
#include "lib/SYSTEM.h"

class CScopeNode;

// Exit code of a WITH whose variable matches no branch and that has no ELSE.
constexpr int kExitWithNoMatch = SYSTEM::VYK_TRAP_WITH;

// Guard kinds: what the guarded variable is.
enum EGuardKind : int {
    guardRecord = kindRecordType,     // VAR record parameter
    guardCommon = kindCommonType,     // common type (tag guard)
    guardPointer = kindPointerType,   // pointer to a record
};

// Guard = Qualident ":" Qualident.
// C++: if (VYK_IS<T>(v)) {   (false for NIL)
class CGuard : public CSyntaxNode {
public:
    std::string varQualifier, varName;      // the guarded variable
    std::string typeQualifier, typeName;    // the guard type
    int guardKind = 0;
    CBaseName* guardType = nullptr;         // the declaration of the guard type
    CBaseName* variable = nullptr;
    SCommonGuard common;                    // guardCommon: the specialization tested

    explicit CGuard(CBaseName* scope) : CSyntaxNode(scope) {}
    int Init(CLexBuf& lb) override;
    void WriteCPP(CCppOutput& f) override;

private:
    int ReadVariable(CLexBuf& lb, std::string& staticModule, std::string& staticName);
    int ReadGuardType(CLexBuf& lb, const std::string& staticModule, const std::string& staticName);
};

// Branch = Guard DO StatementSequence.   C++: <guard> <statements> }
class CWithBranch : public CSyntaxNode {
public:
    std::unique_ptr<CGuard> guard;
    std::unique_ptr<CStatementSeq> body;
    std::unique_ptr<CScopeNode> node;   // binds the variable's name to the alias

    explicit CWithBranch(CBaseName* scope);
    ~CWithBranch() override;
    int Init(CLexBuf& lb) override;
    void WriteCPP(CCppOutput& f) override;
    int GetReturnState() const override { return body->GetReturnState(); }

private:
    void MakeAlias();
};

// WithStatement = WITH Branch {"|" Branch} [ELSE StatementSequence] END.
// C++: <branch> else
//      <branch> else
//      	exit(252)        (or { <else statements> })
class CWithStatement : public CSyntaxNode {
public:
    std::vector<std::unique_ptr<CWithBranch>> branches;
    std::unique_ptr<CStatementSeq> elseSeq;

    explicit CWithStatement(CBaseName* scope) : CSyntaxNode(scope) {}
    int Init(CLexBuf& lb) override;
    void WriteCPP(CCppOutput& f) override;
    int GetReturnState() const override;

private:
    SSourceAt at;   // the word WITH, where a variable without a matching guard traps
};
