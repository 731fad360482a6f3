// The loop statements: WHILE, REPEAT, FOR, LOOP and EXIT. A LOOP gets a number from the
// run's loop counter; its label VYK_EXIT_<n> follows the loop, and EXIT jumps there.
#pragma once
#include <memory>
#include <string>

#include "code/Statements.h"
#include "emit/Output.h"

class CScopeNode;

// WhileStatement = WHILE Expression DO StatementSequence END.
// C++: while(<condition>) {
//          <statements>
//      }
class CWhileStatement : public CSyntaxNode {
public:
    std::unique_ptr<CExpr> condition;
    std::unique_ptr<CStatementSeq> body;

    explicit CWhileStatement(CBaseName* scope) : CSyntaxNode(scope) {}
    int Init(CLexBuf& lb) override;
    void WriteCPP(CCppOutput& f) override;
    int GetReturnState() const override { return body->GetReturnState(); }
};

// RepeatStatement = REPEAT StatementSequence UNTIL Expression.
// C++: do {
//          <statements>
//      } while(!(<condition>))
class CRepeatStatement : public CSyntaxNode {
public:
    std::unique_ptr<CExpr> condition;
    std::unique_ptr<CStatementSeq> body;

    explicit CRepeatStatement(CBaseName* scope) : CSyntaxNode(scope) {}
    int Init(CLexBuf& lb) override;
    void WriteCPP(CCppOutput& f) override;
    int GetReturnState() const override { return body->GetReturnState(); }
};

// ForStatement = FOR ident ":=" Expression TO Expression [BY ConstExpression] DO
//                StatementSequence END.
// C++: {long VYK_FOR=<end>;
//      for(i=<start>; i<=VYK_FOR; i+=<step>) {
//          <statements>
//      }}
// An end of a wider type than the control variable's (an INTEGER i up to LEN(a) - 1, a LONGINT)
// is taken only as far as the control variable's type reaches:
//      if (VYK_FOR > 2147483647L) VYK_FOR = 2147483647L;   (the lowest value for a negative step)
// and under -c such an end or beginning must be a value of that type: VYK_SHORT_INT(<end>, <at>).
class CForStatement : public CSyntaxNode {
public:
    std::string control;
    std::unique_ptr<CStatementSeq> body;
    std::unique_ptr<CExpr> start, end;
    long step = 1;

    explicit CForStatement(CBaseName* scope) : CSyntaxNode(scope) {}
    int Init(CLexBuf& lb) override;
    void WriteCPP(CCppOutput& f) override;
    int GetReturnState() const override { return body->GetReturnState(); }

private:
    CBaseName* controlDecl = nullptr;
    SSourceAt startAt, endAt;   // the bounds' first tokens, for the checks under -c
    int ReadStep(CLexBuf& lb, int& code);
    int CheckBound(const CExpr& bound) const;
    bool Wider(const CExpr& bound) const;
    void WriteCheckedBound(CCppOutput& f, CExpr& bound, const SSourceAt& at) const;
    bool MayPassLimit() const;
};

// LoopStatement = LOOP StatementSequence END.
// C++: while(true) {
//          <statements>
//      } VYK_EXIT_<n>:
class CLoopStatement : public CSyntaxNode {
public:
    std::unique_ptr<CStatementSeq> body;
    std::unique_ptr<CScopeNode> node;   // loop mark and label number; scope of the body

    explicit CLoopStatement(CBaseName* scope);
    ~CLoopStatement() override;
    int Init(CLexBuf& lb) override;
    void WriteCPP(CCppOutput& f) override;
    int GetReturnState() const override { return body->GetReturnState(); }
};

// EXIT.  C++: goto VYK_EXIT_<n>
class CExitStatement : public CSyntaxNode {
public:
    int label = 0;

    explicit CExitStatement(CBaseName* scope) : CSyntaxNode(scope) {}
    int Init(CLexBuf& lb) override;
    void WriteCPP(CCppOutput& f) override;
};

// The loop counter of the run: LOOP statements are numbered in parsing order from 0.
int NextLoopNumber();
void ResetLoopCounter();
