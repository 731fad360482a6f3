// The message table of the compiler's numbered diagnostics and the writers of the
// "ERROR (st, pos)" and "WARNING (st, pos)" lines. The numbers are a contract with the
// project manager and the tests: they index this table and must never move.
#include "front/Diagnostics.h"

#include "front/Lexer.h"
#include "front/Messages.h"

// Declared with kMessageCount entries in the header: a missing or extra entry here is a
// conflicting declaration and does not compile.
const char* const kMessageTable[] = {
    "Internal error: Wrong error code",
    "",
    "",
    "",
    "",
    "Unknown internal error", // 5 errUnknownInternal
    "Not all control paths return a value", // 6 wrnNotAllPathsReturn
    "Comment not closed", // 7 errCommentNotClosed
    "Commas not closed", // 8 errStringNotClosed
    "Not found last digit in scale factor", // 9 errScaleFactorDigit
    "Hex number not terminated", // 10 errHexNotTerminated
    "Incorrect symbol", // 11 errIncorrectSymbol
    "Char constant too long", // 12 errCharConstTooLong
    "Number too large", // 13 errNumberTooLarge
    "Undeclared identifier", // 14 errUndeclaredIdent
    "Multiply defined identifier", // 15 errMultiplyDefinedIdent
    "Incompatible assignment", // 16 errIncompatibleAssignment
    "Identifier expected", // 17 errIdentExpected
    "Illegally marked identifier", // 18 errIllegallyMarkedIdent
    "Identifier does not denote a type", // 19 errNotAType
    "Identifier does not denote a record type", // 20 errNotARecordType
    "Identifier does not match module name", // 21 errModuleNameMismatch
    "Identifier does not match procedure name", // 22 errProcNameMismatch
    "\"=\" expected", // 23 errEqlExpected
    "\".\" missing", // 24 errPeriodMissing
    "\";\" missing", // 25 errSemicolonMissing
    "\",\" missing", // 26 errCommaMissing
    "\":\" missing", // 27 errColonMissing
    "\":=\" missing", // 28 errBecomesMissing
    "\"(\" missing", // 29 errLparenMissing
    "\")\" missing", // 30 errRparenMissing
    "\"]\" missing", // 31 errRbrakMissing
    "\"}\" missing", // 32 errRbraceMissing
    "Definition file of imported module not found", // 33 errDfnNotFound
    "Error in definition file of imported module", // 34 errDfnError
    "Recursive import not allowed", // 35 errRecursiveImport
    "Pointer or VAR record required as receiver", // 36 errReceiverNotPointerOrVarRecord
    "Statement starts with incorrect symbol", // 37 errStatementStart
    "Factor starts with incorrect symbol", // 38 errFactorStart
    "Assignment to constant", // 39 errAssignToConst
    "Assignment to read-only variable (field)", // 40 errAssignToReadOnly
    "Compatibility error in expression", // 41 errExprCompatibility
    "Expression should be constant", // 42 errConstExpected
    "Expression should be integer constant", // 43 errIntConstExpected
    "Expression should be positive integer constant", // 44 errPositiveIntConstExpected
    "Set element type is not an integer", // 45 errSetElementNotInteger
    "Set element greater than MAX(SET) or less than 0", // 46 errSetElementRange
    "Lower bound of set range greater than higher bound", // 47 errSetRangeBounds
    "Division by zero", // 48 errDivisionByZero
    "Returning expression from module", // 49 errReturnFromModule
    "Returning expression from procedure", // 50 errReturnFromProc
    "EXIT not within loop statement", // 51 errExitNotInLoop
    "Control variable must be integer", // 52 errControlVarNotInteger
    "Step in FOR statement equals zero", // 53 errForStepZero
    "UNTIL missing", // 54 errUntilMissing
    "Type of expression following UNTIL is not BOOLEAN", // 55 errUntilNotBoolean
    "Type of expression following WHILE is not BOOLEAN", // 56 errWhileNotBoolean
    "Type of expression following ASSERT is not BOOLEAN", // 57 errAssertNotBoolean
    "Type of expression following IF or ELSIF is not BOOLEAN", // 58 errIfNotBoolean
    "Type of case expression is neither INTEGER nor CHAR", // 59 errCaseExprType
    "Inadmissible type of case label", // 60 errCaseLabelInadmissible
    "Wrong type of case label", // 61 errCaseLabelType
    "Case label value occured more than once", // 62 errCaseLabelTwice
    "DO missing", // 63 errDoMissing
    "TO missing", // 64 errToMissing
    "OF missing", // 65 errOfMissing
    "END missing", // 66 errEndMissing
    "THEN missing", // 67 errThenMissing
    "BEGIN missing", // 68 errBeginMissing
    "DEFINITION expected", // 69 errDefinitionExpected
    "MODULE expected", // 70 errModuleExpected
    "Name SYSTEM reserved for SYSTEM module", // 71 errSystemNameReserved
    "Called object is not a procedure", // 72 errNotAProcedure
    "Procedure call of a function", // 73 errFunctionCalledAsProc
    "Dereferenced variable is not a pointer", // 74 errNotAPointer
    "Indexed variable is not an array", // 75 errNotAnArray
    "Undefined record field", // 76 errUndefinedField
    "Operand is not a variable", // 77 errNotAVariable
    "Operand is read only", // 78 errReadOnlyOperand
    "Inapplicable operand", // 79 errInapplicableOperand
    "Parameter does not match", // 80 errParamMismatch
    "Number of parameters does not match", // 81 errParamCountMismatch
    "Parameter must be an integer constant", // 82 errParamNotIntConst
    "Fewer actual than formal parameters", // 83 errTooFewParams
    "More actual than formal parameters", // 84 errTooManyParams
    "Guarded variable is neither a pointer nor a VAR-parameter record", // 85 errGuardedVarKind
    "Guard type is not a pointer", // 86 errGuardNotPointer
    "Guard type is not a record", // 87 errGuardNotRecord
    "Guard type is not an extension of variable type", // 88 errGuardNotExtension
    "LEN not applied to array", // 89 errLenNotArray
    "Dimension in LEN too large or negative", // 90 errLenDimension
    "MAX not applied to basic type", // 91 errMaxNotBasicType
    "MIN not applied to basic type", // 92 errMinNotBasicType
    "Unsatisfied forward procedure", // 93 errUnsatisfiedForward
    "Forward procedure in definition file", // 94 errForwardInDfn
    "Type definition starts with incorrect symbol", // 95 errTypeStart
    "All base/synonym types must be exported/external together", // 96 errSynonymsNotTogether
    "Open array not allowed as variable, record field or array element", // 97 errOpenArrayNotAllowed
    "Function without RETURN", // 98 errFunctionWithoutReturn
    "Absent common parameters in common procedure", // 99 errNoCommonParams
    "Common parameter redefined in common proc", // 100 errCommonParamRedefined
    "Double definition of function type", // 101 errFunctionTypeTwice
    "Absent common parameters in handler procedure", // 102 errNoHandlerCommonParams
    "Common parameter redefined in handler proc", // 103 errHandlerCommonParamRedefined
    "Identifier does not denote a module", // 104 errNotAModule
    "\"+=\" missing", // 105 errPlusBecomesMissing
    "\"<\" missing", // 106 errLssMissing
    "\">\" missing", // 107 errGtrMissing
    "\"0\" missing", // 108 errZeroMissing
    "Common type expected", // 109 errCommonTypeExpected
    "Incorrect type of specialization in common type", // 110 errSpecializationType
    "Extension of imported common type with LOCAL attribute", // 111 errLocalImportedCommonExt
    "Specialized common type expected", // 112 errSpecializedTypeExpected
    "Specialization multiply defined", // 113 errSpecializationTwice
    "Incorrect tag in specialization", // 114 errSpecializationTag
    "Default specialization not declared", // 115 errNoDefaultSpecialization
    "Pointer not bound to record, array or common type", // 116 errPointerBaseKind
    "Mixed different styles of common procedure call", // 117 errMixedCommonCallStyles
    "Pointer or VAR common parameter required", // 118 errCommonParamNotPointerOrVar
    "Actual common parameters expected", // 119 errCommonArgsExpected
    "Fewer actual than formal common parameters", // 120 errTooFewCommonArgs
    "More actual than formal common parameters", // 121 errTooManyCommonArgs
    "Handler procedure in definition file", // 122 errHandlerInDfn
    "Handler procedure not bound to common procedure", // 123 errHandlerNotBound
    "Exit code outside 0..255", // 124 errExitCodeRange
    "Constant expression overflows", // 125 errConstOverflow
    "Constant out of range of its type", // 126 errConstOutOfRange
    "Index outside the array", // 127 errIndexOutOfRange
    "String too long for its target", // 128 errStringTooLong
    "Processor registers and condition codes not accessible (SYSTEM.CC, GETREG, PUTREG)", // 129 errSystemProcUnsupported
    "Procedure local to another procedure used as a procedure value", // 130 errLocalProcAsValue
    "CONST, TYPE or VAR after procedure declarations", // 131 errDeclAfterProcedures
    "Lower bound of case range greater than higher bound", // 132 errCaseRangeEmpty
};

const char* MessageText(int code)
{
    if (code < kFirstReportedCode || code > kLastReportedCode) return kMessageTable[errOK];
    return kMessageTable[code];
}

void ReportErrorAt(int code, int line, int column)
{
    MsgStream().Printf("ERROR (st %d, pos %d): %s\n", line, column, MessageText(code));
}

void ReportWarningAt(int code, int line, int column)
{
    MsgStream().Printf("WARNING (st %d, pos %d): %s\n", line, column, MessageText(code));
}

void ReportError(int code, const CLexBuf& lb)
{
    ReportErrorAt(code, lb.Line(), lb.Column());
}

void ReportWarning(int code, const CLexBuf& lb)
{
    ReportWarningAt(code, lb.Line(), lb.Column());
}
