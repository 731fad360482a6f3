// Set constructors: "{" [element {"," element}] "}", element = expression [".." expression].
// A constructor whose elements are all constant is a SET constant (a mask); otherwise it is a
// set expression: (<element> | <element> ...).
//   element C++:  <mask>  |  VYK_BIT(<expr>)  |  VYK_SET_RANGE(<low>,<high>)
// Under -c an element that is not constant must be in 0..31, and so must a range that is not
// empty: VYK_BIT(VYK_ELEM(<expr>, <at>)), VYK_SET_RANGE_CHK(<low>,<high>, <at>) (trap 240).
#pragma once
#include <cstdint>
#include <memory>

#include "code/Expr.h"
#include "emit/Output.h"

class CSetVar;

class CSetElem {
public:
    std::unique_ptr<CExpr> low, high;   // kept only while not constant
    SSourceAt at;                       // the element's first token, for the range check
    int lowValue = 0, highValue = 0;
    bool isRange = false;
    uint32_t mask = 0;                  // bits of a constant element or range

    bool IsConst() const { return !low && !high; }
    void WriteCPP(CCppOutput& f);
};

// The place of the token after the current one, which stays current.
SSourceAt NextTokenAt(CLexBuf& lb);

// Writes the set element x (INCL, EXCL, a constructor's), under -c checked to be in 0..31.
void WriteSetElement(CCppOutput& f, CExpr& x, const SSourceAt& at);

// Reads the constructor after "{" into a new SET constant or set expression.
int ReadSetConstructor(CLexBuf& lb, CBaseName* scope, std::unique_ptr<CSetVar>& set);
