// Common types where statements and expressions meet them: how C++ holds a common-type
// variable, common actual parameters, IS and WITH on common types, NEW on pointers to common
// types and fields reached through a pointer to a specialized type. The designators, calls,
// type tests, WITH and NEW call these.
#pragma once
#include <memory>
#include <string>

#include "decl/Vars.h"

class CCommonType;
class CExpr;
class CExprList;
class CLexBuf;
struct SSpecialization;

// True when C++ holds a common-type variable as a pointer: every parameter (VAR or not) and
// the alias of a WITH branch. A variable of a VAR section is the object itself.
bool IsCommonPointer(const CBaseName* var);
// "->" for a common-type variable held as a pointer, "." for the object.
const char* CommonAccess(const CBaseName* var);
// The text between a variable and a field of its specialization: ".VYK_SPEC_x" or
// "->VYK_SPEC_x" for a common-type variable, "->VYK_SPEC_<id>" for a pointer to a specialized
// type; "" for anything else.
std::string CommonFieldPrefix(CBaseName* cur);

// The common actual parameters of a call: "," after the ordinary actuals when there were any,
// then each one: the address of a common object (&v), else the pointer itself.
void WriteCommonActuals(CCppOutput& f, CExprList& actuals, bool afterActuals);
// One actual parameter for a formal of a common type (or a pointer to one), or a common-type
// variable passed to a record formal (its record: VYK_SPEC_x, by value *...VYK_SPEC_x). False
// when neither applies and the ordinary rules write the parameter.
bool WriteCommonActualPar(CCppOutput& f, CExpr& actual, CBaseVar* formal);

// WITH v: <x> DO on a common-type variable or a pointer to a common type.
struct SCommonGuard {
    std::string specId;
    CCommonType* common = nullptr;
    const SSpecialization* spec = nullptr;
};
bool IsCommonGuardVariable(CBaseName* variable);
// After ":": "<" tag ">"; 85 for a variable that cannot be guarded, 106, 114, 107.
int ReadCommonGuard(CLexBuf& lb, CBaseName* scope, CBaseName* variable, SCommonGuard& guard);
// The branch's alias: a common-type variable held as a pointer, bound to the guard's tag.
std::unique_ptr<CBaseVar> MakeCommonAlias(CBaseName* variable, const SCommonGuard& guard, CBaseName* owner);
// if (v && (v->VYK_SID == v->VYK_SID_x)) {
void WriteCommonGuard(CCppOutput& f, const std::string& varText, const SCommonGuard& guard);

// NEW(p<x>) and NEW(p<>) on a pointer to a common type, NEW(p) on a pointer to T<x>.
struct SNewCommon {
    std::string specId;
    std::string typeText;   // [M::]T
    CCommonType* common = nullptr;
};
// `pointer` is the designated pointer variable (or pointer type), `base` the type it points
// to; for other bases nothing is read and made.common stays null.
int ReadNewSpecialization(CLexBuf& lb, CBaseName* scope, CBaseName* pointer, CBaseName* base, SNewCommon& made);
// " = new [M::]T([M::]T::VYK_INIT_x)" after the pointer's text.
void WriteNewCommon(CCppOutput& f, const SNewCommon& made);

// IS on a common-type variable: reads "<" tag ">" into expr.commonTest.
int ReadCommonTypeTest(CLexBuf& lb, CExpr& expr, CBaseName& variable);
