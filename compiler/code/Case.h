// The CASE statement: label sequences with single values and ranges, checked against each other
// for overlaps. The case expression is evaluated once into a block-local variable; a value that
// matches no label and has no ELSE ends the program with kExitCaseNoMatch.
#pragma once
#include <map>
#include <memory>
#include <vector>

#include "emit/Output.h"
#include "code/Statements.h"
#include "lib/SYSTEM.h"

// Exit code of a CASE whose value matches no label and that has no ELSE.
constexpr int kExitCaseNoMatch = SYSTEM::VYK_TRAP_CASE;

// CaseLabel = ConstExpression [".." ConstExpression].
class CCaseLabel {
public:
    long low = 0;
    bool range = false;
    long high = 0;
    // A character range from below 80X to 80X or above: low..7FX here, and 80X (-128) up to
    // `wrapHigh` in a second label, since characters are held as signed 8-bit numbers.
    bool wraps = false;
    long wrapHigh = 0;

    // `caseKind` is the kind of the case expression; `earlier` the labels read before.
    int Init(CLexBuf& lb, CBaseName* scope, int caseKind);
    bool Overlaps(const CCaseLabel& other) const;
    void WriteCPP(CCppOutput& f, const char* value) const;

private:
    static int ReadValue(CLexBuf& lb, CBaseName* scope, int caseKind, long& value);
};

// The labels of one CASE statement read so far, as disjoint ranges low -> high: a new label is
// checked against them in logarithmic time.
class CCaseLabelSet {
public:
    bool Overlaps(const CCaseLabel& label) const;
    void Add(const CCaseLabel& label) { ranges.emplace(label.low, label.high); }

private:
    std::map<long, long> ranges;
};

// Case = [CaseLabel {"," CaseLabel} ":" StatementSequence].
// C++: if ((VYK_CASE == 1)||(VYK_CASE >= 2 && VYK_CASE <= 4)) {
//          <statements>
//      } else
class CCaseLabelsSeq : public CSyntaxNode {
public:
    std::unique_ptr<CStatementSeq> seq;
    std::vector<CCaseLabel> labels;

    // `seen` holds the labels of the statement read before; this sequence adds its own.
    CCaseLabelsSeq(CBaseName* scope, int caseKind, CCaseLabelSet& seen)
        : CSyntaxNode(scope), caseKind(caseKind), seen(seen) {}
    int Init(CLexBuf& lb) override;
    void WriteCPP(CCppOutput& f) override;
    int GetReturnState() const override { return seq->GetReturnState(); }

private:
    int caseKind;
    CCaseLabelSet& seen;
};

// CaseStatement = CASE Expression OF Case {"|" Case} [ELSE StatementSequence] END.
// C++: {long VYK_CASE = <expression>;
//      if ((VYK_CASE == 1)) {
//          ...
//      } else
//          exit(251);}
class CCaseStatement : public CSyntaxNode {
public:
    std::unique_ptr<CExpr> expr;
    std::unique_ptr<CStatementSeq> elseSeq;
    std::vector<std::unique_ptr<CCaseLabelsSeq>> cases;

    explicit CCaseStatement(CBaseName* scope) : CSyntaxNode(scope) {}
    int Init(CLexBuf& lb) override;
    void WriteCPP(CCppOutput& f) override;
    int GetReturnState() const override;

private:
    CCaseLabelSet seen;
    SSourceAt at;   // the word CASE, where a value without a label traps
    int ReadCases(CLexBuf& lb);
};
