// Set constructors: "{" [element {"," element}] "}", element = expression [".." expression].
// A constructor whose elements are all constant is a SET constant (a mask); otherwise it is a
// set expression: (<element> | <element> ...).
//   element C++:  <mask>  |  1 << (<expr>)  |  VYK_SET_RANGE(<low>,<high>)
#pragma once
#include <cstdint>
#include <memory>

#include "code/Expr.h"

class CSetVar;

class CSetElem {
public:
    std::unique_ptr<CExpr> low, high;   // kept only while not constant
    int lowValue = 0, highValue = 0;
    bool isRange = false;
    uint32_t mask = 0;                  // bits of a constant element or range

    bool IsConst() const { return !low && !high; }
    void WriteCPP(CCppOutput& f);
};

// Reads the constructor after "{" into a new SET constant or set expression.
int ReadSetConstructor(CLexBuf& lb, CBaseName* scope, std::unique_ptr<CSetVar>& set);
