// Compatibility of a value with the variable it is given to: an assignment's target, a value
// parameter, a VAR parameter. Kinds are compared first; records, pointers and procedures are
// compared by their declarations as far as these are known (a record by its declaration, a
// pointer by its base record, a procedure by its signature). Where the declarations tell
// nothing (an anonymous record, a value returned by a call) the kinds alone decide.
#pragma once
#include <cstdint>

#include "front/Names.h"

class CBaseVar;
class CExpr;
class CFormalPars;
class CRecordType;

// The record an operand declaration stands for: a record variable's record or a record type.
const CRecordType* OperandRecord(CBaseName* decl);
// The base record of a pointer variable or pointer type, or nullptr.
const CRecordType* PointedRecord(CBaseName* decl);
// True when `ext` is `base` or extends it; true when either is not known.
bool RecordExtends(const CRecordType* ext, const CRecordType* base);
// True when the two parameter lists and results match (count, VAR, kinds, open arrays).
bool SameSignature(const CFormalPars& a, const CFormalPars& b);

// False when two procedures or procedure variables are known to be of different signatures,
// or one of them is bound to a record.
bool SameProcedureType(CBaseName* a, CBaseName* b);

// True when two pointers (variables or types) are known to point to different kinds of object:
// a record and an array, or arrays of other elements or dimensions.
bool PointersDiffer(CBaseName* a, CBaseName* b);

// The values of the integer kind `kind` (SHORTINT, INTEGER or LONGINT).
void IntegerRange(int kind, int64_t& low, int64_t& high);

// True when `value` is an integer constant inside the range of the integer kind `kind`.
bool ConstantFits(const CExpr& value, int kind);

// 0 when `value` may be assigned to `target` (a variable, field or value parameter), else
// `mismatch`. Only the kinds and declarations the caller has not checked already are looked at.
int CheckAssignable(const CBaseVar& target, const CExpr& value, int mismatch);
// 0 when `actual` may be passed to the VAR parameter `formal`: a variable (77), not read only
// (78), of the same type, or an extension for a record (80).
int CheckVarActual(const CBaseVar& formal, const CExpr& actual);
