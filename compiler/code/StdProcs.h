// The predeclared functions (ABS, ASH, CAP, CHR, ENTIER, LEN, LONG, MAX, MIN, ODD, ORD, SHORT,
// SIZE), which stand as factors of expressions and fold to constants, and the predeclared
// procedures (INC, DEC, INCL, EXCL, COPY, NEW, HALT, ASSERT), which stand as statements.
// Each parses its argument list from "(" to ")", checks the argument kinds and writes a fixed
// C++ text.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "code/Expr.h"
#include "lib/SYSTEM.h"

class CBaseVar;

// Exit code of a failed ASSERT written without its own code.
constexpr int kExitAssertFailed = SYSTEM::VYK_TRAP_ASSERT;

// A predeclared function. The factor that read its word creates it, runs Init and takes
// resultKind; WriteCPP writes the text in place; EvalConst folds it (42 when not constant).
class CStdFunction : public CSyntaxNode {
public:
    EKind resultKind = kindNone;

    explicit CStdFunction(CBaseName* scope) : CSyntaxNode(scope) {}
    virtual int EvalConst(std::unique_ptr<CBaseVar>& result) = 0;
    // The declared type of a pointer result (SYSTEM.VAL(P, x)), for the checks that compare
    // records; nullptr when the result is not of a declared pointer type.
    virtual CBaseName* ValueType() const { return nullptr; }
};

// The function object for a function word (symABS ... symSIZE), or nullptr for other symbols.
std::unique_ptr<CStdFunction> CreateStdFunction(int symbol, CBaseName* scope);
// The procedure statement for a procedure word (symINC ... symASSERT), or nullptr.
std::unique_ptr<CSyntaxNode> CreateStdProcedure(int symbol, CBaseName* scope);

// A statement that is a SYSTEM procedure call: `node` is set and still to be initialised;
// otherwise nothing is read and `node` stays empty.
int ReadSystemStatement(CLexBuf& lb, CBaseName* scope, std::unique_ptr<CSyntaxNode>& node);

// ---- what the expression parser asks of the predeclared functions ----
// Reads a predeclared function call (the token after the function word); sets
// factor.stdFunction and factor.resultKind.
int ReadStdFunctionFactor(CLexBuf& lb, CFactor& factor, int symbol);
// A call of a function of SYSTEM (SystemProcs.cpp) when the factor is one, with `read` set;
// otherwise nothing is read.
int ReadSystemFactor(CLexBuf& lb, CFactor& factor, bool& read);
int EvalStdFunction(const CSyntaxNode& function, std::unique_ptr<CBaseVar>& result);
