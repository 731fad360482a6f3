// Statement sequences and the simple statements: assignment, IF, RETURN, and the statement
// factory that picks the statement class from the first token. Loops, CASE and WITH have
// their own files. Every statement writes its own indentation; the sequence adds ";\n".
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "code/Expr.h"

class CDesignator;
class CStatementBody;

// Return state of a statement: how far RETURN reaches.
enum EReturnState : int {
    retNone = 0,   // no path returns
    retSome = 1,   // some paths return
    retAll = 2,    // all paths return
};

// Combines the states of the branches of IF, CASE and WITH (a missing ELSE adds no branch).
int CombineReturnStates(const std::vector<int>& states);

// StatementSequence = Statement {";" Statement}.
// C++: each statement on its own lines one level deeper, each followed by ";\n".
class CStatementSeq : public CSyntaxNode {
public:
    std::vector<std::unique_ptr<CSyntaxNode>> statements;

    explicit CStatementSeq(CBaseName* scope) : CSyntaxNode(scope) {}
    int Init(CLexBuf& lb) override;
    void WriteCPP(CCppOutput& f) override;
    int GetReturnState() const override;

private:
    int ReadStatement(CLexBuf& lb);
};

// Assignment = Designator ":=" Expression.
// C++: x = y + 1            (copy mode for character arrays:  COPY(t, 4, s, 10))
class CAssignment : public CSyntaxNode {
public:
    std::string specId;                        // common-type target: its specialization id
    std::unique_ptr<CDesignator> target;
    std::unique_ptr<CExpr> value;
    bool copyMode = false;                     // character arrays: COPY of the run-time support
    bool arrayCopy = false;                    // other whole arrays: element copy

    CAssignment(CBaseName* scope, std::unique_ptr<CDesignator> target);
    ~CAssignment() override;
    int Init(CLexBuf& lb) override;            // after the target: ":=" Expression
    void WriteCPP(CCppOutput& f) override;

private:
    int CheckStringFits() const;
    int CheckKinds(CBaseName* targetDecl);
    void WriteCopy(CCppOutput& f);
    void CheckSameLengths(CCppOutput& f, std::vector<std::string>& lengths) const;
    size_t ConstantTextSize() const;
};

// IfStatement = IF Expression THEN StatementSequence {ELSIF Expression THEN StatementSequence}
//               [ELSE StatementSequence] END.
// C++: if(<c>) {        } else
//      	...          if(<c2>) {
//      }                } else {
class CIfStatement : public CSyntaxNode {
public:
    std::unique_ptr<CStatementSeq> elseSeq;
    std::vector<std::pair<std::unique_ptr<CExpr>, std::unique_ptr<CStatementSeq>>> branches;

    explicit CIfStatement(CBaseName* scope) : CSyntaxNode(scope) {}
    int Init(CLexBuf& lb) override;            // after IF
    void WriteCPP(CCppOutput& f) override;
    int GetReturnState() const override;
};

// ReturnStatement = RETURN [Expression].
// C++: VYK_RESULT = <e>;\n  goto VYK_RETURN
class CReturnStatement : public CSyntaxNode {
public:
    std::unique_ptr<CExpr> value;

    explicit CReturnStatement(CBaseName* scope) : CSyntaxNode(scope) {}
    int Init(CLexBuf& lb) override;            // after RETURN
    void WriteCPP(CCppOutput& f) override;
    int GetReturnState() const override { return retAll; }

private:
    int CheckResult(CBaseName* proc, EKind resultKind) const;
};

// Reads "END" (66 when absent or not a word).
int ReadEnd(CLexBuf& lb);
// Reads a statement sequence with `scope` into `seq`.
int ReadStatementSeq(CLexBuf& lb, CBaseName* scope, std::unique_ptr<CStatementSeq>& seq);
// The enclosing procedure (kinds 6 to 11) of a scope, or nullptr in the module body.
CBaseName* EnclosingProcedure(CBaseName* scope);
// Reads the statement sequence of a module body after BEGIN with `scope` as its scope into
// `body`; 0 or an error code.
int ReadStatementBody(CLexBuf& lb, CBaseName* scope, std::unique_ptr<CStatementBody>& body);
