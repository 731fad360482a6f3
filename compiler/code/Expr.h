// Expressions: the four levels of the grammar with their operator nodes, the kind rules of the
// operators, constant folding and the C++ text of every operator.
//   Expression = SimpleExpression [Relation SimpleExpression | IS qualident].
//   SimpleExpression = ["+" | "-"] Term {AddOperator Term}.
//   Term = Factor {MulOperator Factor}.
//   Factor = number | character | string | NIL | TRUE | FALSE | set | "(" Expression ")" | "~" Factor
//          | designator [ActualParameters] | predeclared function call.
// Every expression node records the value kind of its result (the variable kinds 30 to 43).
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "front/Names.h"

class CLexBuf;
class CCppOutput;
class CBaseVar;

// Base of every expression and statement node.
class CSyntaxNode {
public:
    CBaseName* scope;   // where names are looked up (module, procedure, WITH scope)

    explicit CSyntaxNode(CBaseName* scope) : scope(scope) {}
    CSyntaxNode(const CSyntaxNode&) = delete;
    CSyntaxNode& operator=(const CSyntaxNode&) = delete;
    virtual ~CSyntaxNode();
    // How far RETURN reaches (statements); expressions answer 0.
    virtual int GetReturnState() const { return 0; }
    virtual int Init(CLexBuf& lb) = 0;
    // The node's C++ text into the source, without indentation or line end.
    virtual void WriteCPP(CCppOutput& f) = 0;
};

// A SET holds the elements 0..kMaxSetElement.
constexpr int kMaxSetElement = 31;

// Parse modes, passed to the first operand of each level.
enum EParseMode : int {
    exprFull = 0,            // everything
    exprDesignatorOnly = 1,  // a designator naming a procedure or procedure variable
    exprCharContext = 2,     // a one-character string is a CHAR constant
};

enum ERelation : int {
    relNone = 0, relEql = 1, relNeq = 2, relLss = 3, relLeq = 4, relGtr = 5, relGeq = 6,
    relIn = 7, relIs = 8,
};
enum EAddOperator : int { addPlus = 1, addMinus = 2, addOr = 3 };
enum EMulOperator : int { mulTimes = 1, mulSlash = 2, mulDiv = 3, mulMod = 4, mulAnd = 5 };
enum EFactorForm : int {
    formNot = 0,          // "~" factor
    formParen = 1,        // "(" expression ")"
    formLiteral = 2,      // number, character, string, NIL, TRUE, FALSE, set
    formStdFunction = 3,  // predeclared function
    formDesignator = 4,   // designator or procedure call
};

// a includes b: equal kinds, or both numeric with a not narrower than b.
bool IncludesKind(int a, int b);
// The wider of two kinds, kindNone when neither includes the other.
EKind WiderKind(EKind a, EKind b);

class CExpr;

// C++: ~<factor> as !<factor>; (<expression>); literal; function; designator or call.
class CFactor : public CSyntaxNode {
public:
    int mode;
    bool actualPar;
    EKind resultKind = kindNone;
    int form = formLiteral;
    std::unique_ptr<CSyntaxNode> call;         // CCall around the designator
    std::unique_ptr<CSyntaxNode> designator;   // CDesignator
    std::unique_ptr<CExpr> expr;               // formParen
    std::unique_ptr<CFactor> negated;          // formNot
    std::unique_ptr<CSyntaxNode> stdFunction;  // formStdFunction
    std::unique_ptr<CBaseVar> literal;         // formLiteral

    CFactor(CBaseName* scope, int mode, bool actualPar);
    ~CFactor() override;
    int Init(CLexBuf& lb) override;
    void WriteCPP(CCppOutput& f) override;
    int EvalConst(std::unique_ptr<CBaseVar>& result) const;
    // The factor itself, or the single factor inside its parentheses.
    const CFactor* Innermost() const;

    // Makes this factor a CHAR literal (a one-character string used as a character).
    void MakeCharLiteral(char c);

private:
    int ReadLiteral(int code, const std::string& text);
    int ReadNumber(int code, const std::string& text);
    int ReadString(const std::string& text);
    int ReadParenthesized(CLexBuf& lb);
    int ReadNegation(CLexBuf& lb);
    int ReadBrace(CLexBuf& lb);
    int ReadDesignator(CLexBuf& lb);
};

// C++: " * " factor, " / double(" factor ")", ") / " factor, " , " factor, " && " factor.
class CMulOperation : public CSyntaxNode {
public:
    int op;
    std::unique_ptr<CFactor> factor;
    EKind resultKind = kindNone;

    CMulOperation(CBaseName* scope, int op) : CSyntaxNode(scope), op(op) {}
    int Init(CLexBuf& lb) override;
    void WriteCPP(CCppOutput& f) override;
    bool setOperands = false;   // written as bit operations
};

// C++ of a * b DIV c: VYK_DIV((a * b) , c); a MOD b: MOD(a , b); sets fully bracketed.
class CTerm : public CSyntaxNode {
public:
    int mode;
    bool actualPar;
    EKind resultKind = kindNone;
    std::unique_ptr<CFactor> first;
    std::vector<std::unique_ptr<CMulOperation>> ops;

    CTerm(CBaseName* scope, int mode, bool actualPar) : CSyntaxNode(scope), mode(mode), actualPar(actualPar) {}
    int Init(CLexBuf& lb) override;
    void WriteCPP(CCppOutput& f) override;
    int EvalConst(std::unique_ptr<CBaseVar>& result) const;

private:
    int FoldConstantPrefix();
};

// C++: " + " term, " - " term, " || " term; for sets " | " term and " & ~(" term ")".
class CAddOperation : public CSyntaxNode {
public:
    int op;
    std::unique_ptr<CTerm> term;
    EKind resultKind = kindNone;
    bool setOperands = false;

    CAddOperation(CBaseName* scope, int op) : CSyntaxNode(scope), op(op) {}
    int Init(CLexBuf& lb) override;
    void WriteCPP(CCppOutput& f) override;
};

// C++: [-|~]<term> <op> <term> ...; set operations bracketed one by one, so that the C++ text
// keeps the left-to-right grouping of the source.
class CSimpleExpr : public CSyntaxNode {
public:
    int mode;
    bool actualPar;
    EKind resultKind = kindNone;
    std::vector<std::unique_ptr<CAddOperation>> ops;
    bool minus = false;
    std::unique_ptr<CTerm> first;
    bool isSigned = false;

    CSimpleExpr(CBaseName* scope, int mode, bool actualPar) : CSyntaxNode(scope), mode(mode), actualPar(actualPar) {}
    int Init(CLexBuf& lb) override;
    void WriteCPP(CCppOutput& f) override;
    int EvalConst(std::unique_ptr<CBaseVar>& result) const;
    // The single factor this operand consists of (through parentheses), or nullptr.
    CFactor* SingleFactor() const;
    bool HasOperators() const;

private:
    int FoldConstantPrefix();
};

// C++: left == right, left != right, ...; (strcmp(left, right) < 0) for strings;
// (((1 << (left)) & (right)) != 0) for IN; VYK_IS<T>(left) for IS (a look at the type descriptor).
class CExpr : public CSyntaxNode {
public:
    int mode;
    bool actualPar;
    std::string testQualifier;   // IS: the tested type
    std::string testName;
    EKind resultKind = kindNone;
    int relation = relNone;
    std::unique_ptr<CSimpleExpr> left;
    std::unique_ptr<CSimpleExpr> right;
    CBaseName* testType = nullptr;   // IS: the record type tested for (non-owning)
    bool testOnRecord = false;       // IS on a record variable (not a pointer)
    std::unique_ptr<CSyntaxNode> commonTest;   // IS on a common type

    CExpr(CBaseName* scope, int mode, bool actualPar) : CSyntaxNode(scope), mode(mode), actualPar(actualPar) {}
    int Init(CLexBuf& lb) override;
    void WriteCPP(CCppOutput& f) override;
    // A new constant holding the value, or 42 when the expression is not constant.
    int EvalConst(std::unique_ptr<CBaseVar>& result) const;
    // The relation between two constants (relations 1 to 6).
    static bool ApplyOperation(const CBaseVar& l, const CBaseVar& r, int relation);

    // The single factor the expression consists of (through parentheses), or nullptr.
    CFactor* SingleFactor() const;
    // A one-character string constant where a character is wanted becomes that character.
    void MakeCharOfString();
    // The declaration a single designator or literal stands for, or nullptr.
    CBaseName* GetDesignatedVar() const;
    bool IsReadOnly() const;
    // GetDesignatedVar, but nullptr for a constant: what INC, DEC, INCL, EXCL and COPY change.
    CBaseName* GetWritableVar() const;
    // The expression is a single designator that is about to be changed (a VAR argument, the
    // variable of INC, COPY's destination, ...): its base learns it (NoteChangedBase).
    void NoteChanged() const;

private:
    CBaseName* LeftDesignated() const;
    // True when the left operand is a designator whose selectors reach an element or field.
    bool SelectedElement() const;
    int ReadLeft(CLexBuf& lb);
    int ReadTypeTest(CLexBuf& lb);
    int CheckRelation() const;
    int CheckSetElement() const;
    void WriteOperand(CCppOutput& f, CSimpleExpr& operand);
};

// Reads a constant expression and folds it: the reader of array lengths, constant declarations,
// case labels, the FOR step and the constant arguments of the predeclared procedures.
int ReadConstExpr(CLexBuf& lb, CBaseName* scope, std::unique_ptr<CBaseVar>& result);

// How many integer results folding has widened so far from INTEGER operands to LONGINT: the
// count grows during an evaluation whose value C++ would compute in int and wrap.
long IntegerWidenings();

// What a single factor stands for when it is a designator (not a call) or a literal, or nullptr.
CBaseName* FactorTarget(const CFactor* factor);
// FactorTarget, or the declared type of a function's pointer result.
CBaseName* FactorValueDecl(const CFactor* factor);
