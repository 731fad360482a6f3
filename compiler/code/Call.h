// Procedure calls and expression lists: the call node with its actual parameters (and the
// common actual parameters of the language extension), the list node used for actual
// parameters and index lists, and the C++ text of one actual parameter: "&" for VAR records,
// a pointer cast and the lengths for open arrays.
#pragma once
#include <memory>
#include <vector>

#include "code/Expr.h"

class CBaseVar;
class CDesignator;

// ExprList = Expression {"," Expression}.
// C++: <e>, <e>, ...
class CExprList : public CSyntaxNode {
public:
    std::vector<std::unique_ptr<CExpr>> exprs;
    const std::vector<std::unique_ptr<CBaseVar>>* formals;   // none for index lists

    CExprList(CBaseName* scope, const std::vector<std::unique_ptr<CBaseVar>>* formals)
        : CSyntaxNode(scope), formals(formals) {}
    int Init(CLexBuf& lb) override;
    void WriteCPP(CCppOutput& f) override;
    size_t Count() const { return exprs.size(); }
};

// ProcedureCall = [CommonActuals "."] Designator [CommonActuals] [ActualParameters].
// C++: [indentation] <designator>(<actual>, <actual>)
class CCall : public CSyntaxNode {
public:
    std::unique_ptr<CExprList> commonActuals;
    CDesignator* designator = nullptr;
    std::unique_ptr<CExprList> actuals;
    bool statement = false;

    // A call owns its designator when it made it or a call statement handed it over.
    CCall(CBaseName* scope, std::unique_ptr<CDesignator> designator, bool statement);
    // A call inside an expression around the factor's designator, which the factor keeps.
    CCall(CBaseName* scope, CDesignator* designator);
    ~CCall() override;
    int Init(CLexBuf& lb) override;
    void WriteCPP(CCppOutput& f) override;
    EKind ResultKind() const;

private:
    std::unique_ptr<CDesignator> ownDesignator;
    const std::vector<std::unique_ptr<CBaseVar>>* formals = nullptr;
    int ReadCommonActuals(CLexBuf& lb);
    int ReadActuals(CLexBuf& lb);
    int CheckCounts() const;
};

// The text of one actual parameter for its formal parameter.
void WriteActualPar(CCppOutput& f, CExpr& actual, CBaseVar* formal);

// "{" actuals "}" "." designator ...: a call with common actual parameters (token at "{"), as a
// factor of an expression.
int ReadCommonCallFactor(CLexBuf& lb, CFactor& factor);
