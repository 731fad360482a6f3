// Error codes of the compiler and the two positioned diagnostic lines.
// Every parsing and checking function returns an int: errOK on success, otherwise the code
// that the caller passes up unchanged until the driver, the lexer or the import loader turns
// it into exactly one "ERROR (st, pos)" line. Codes 1..4 are parser signals, never reported.
#pragma once
#include <string>
#include <utility>

class CLexBuf;

enum EErrorCode : int {
    errOK = 0,
    // Signals between parsing functions (never reported).
    sigNoMoreDecl = 1, // a declaration parser found no further declaration of its section
    sigSignal2 = 2,
    sigSignal3 = 3,
    sigSignal4 = 4,
    // Reportable codes: indices of the message table.
    errUnknownInternal = 5,
    wrnNotAllPathsReturn = 6,
    errCommentNotClosed = 7,
    errStringNotClosed = 8,
    errScaleFactorDigit = 9,
    errHexNotTerminated = 10,
    errIncorrectSymbol = 11,
    errCharConstTooLong = 12,
    errNumberTooLarge = 13,
    errUndeclaredIdent = 14,
    errMultiplyDefinedIdent = 15,
    errIncompatibleAssignment = 16,
    errIdentExpected = 17,
    errIllegallyMarkedIdent = 18,
    errNotAType = 19,
    errNotARecordType = 20,
    errModuleNameMismatch = 21,
    errProcNameMismatch = 22,
    errEqlExpected = 23,
    errPeriodMissing = 24,
    errSemicolonMissing = 25,
    errCommaMissing = 26,
    errColonMissing = 27,
    errBecomesMissing = 28,
    errLparenMissing = 29,
    errRparenMissing = 30,
    errRbrakMissing = 31,
    errRbraceMissing = 32,
    errDfnNotFound = 33,
    errDfnError = 34,
    errRecursiveImport = 35,
    errReceiverNotPointerOrVarRecord = 36,
    errStatementStart = 37,
    errFactorStart = 38,
    errAssignToConst = 39,
    errAssignToReadOnly = 40,
    errExprCompatibility = 41,
    errConstExpected = 42,
    errIntConstExpected = 43,
    errPositiveIntConstExpected = 44,
    errSetElementNotInteger = 45,
    errSetElementRange = 46,
    errSetRangeBounds = 47,
    errDivisionByZero = 48,
    errReturnFromModule = 49,
    errReturnFromProc = 50,
    errExitNotInLoop = 51,
    errControlVarNotInteger = 52,
    errForStepZero = 53,
    errUntilMissing = 54,
    errUntilNotBoolean = 55,
    errWhileNotBoolean = 56,
    errAssertNotBoolean = 57,
    errIfNotBoolean = 58,
    errCaseExprType = 59,
    errCaseLabelInadmissible = 60,
    errCaseLabelType = 61,
    errCaseLabelTwice = 62,
    errDoMissing = 63,
    errToMissing = 64,
    errOfMissing = 65,
    errEndMissing = 66,
    errThenMissing = 67,
    errBeginMissing = 68,
    errDefinitionExpected = 69,
    errModuleExpected = 70,
    errSystemNameReserved = 71,
    errNotAProcedure = 72,
    errFunctionCalledAsProc = 73,
    errNotAPointer = 74,
    errNotAnArray = 75,
    errUndefinedField = 76,
    errNotAVariable = 77,
    errReadOnlyOperand = 78,
    errInapplicableOperand = 79,
    errParamMismatch = 80,
    errParamCountMismatch = 81,
    errParamNotIntConst = 82,
    errTooFewParams = 83,
    errTooManyParams = 84,
    errGuardedVarKind = 85,
    errGuardNotPointer = 86,
    errGuardNotRecord = 87,
    errGuardNotExtension = 88,
    errLenNotArray = 89,
    errLenDimension = 90,
    errMaxNotBasicType = 91,
    errMinNotBasicType = 92,
    errUnsatisfiedForward = 93,
    errForwardInDfn = 94,
    errTypeStart = 95,
    errSynonymsNotTogether = 96,
    errOpenArrayNotAllowed = 97,
    errFunctionWithoutReturn = 98,
    errNoCommonParams = 99,
    errCommonParamRedefined = 100,
    errFunctionTypeTwice = 101,
    errNoHandlerCommonParams = 102,
    errHandlerCommonParamRedefined = 103,
    errNotAModule = 104,
    errPlusBecomesMissing = 105,
    errLssMissing = 106,
    errGtrMissing = 107,
    errZeroMissing = 108,
    errCommonTypeExpected = 109,
    errSpecializationType = 110,
    errLocalImportedCommonExt = 111,
    errSpecializedTypeExpected = 112,
    errSpecializationTwice = 113,
    errSpecializationTag = 114,
    errNoDefaultSpecialization = 115,
    errPointerBaseKind = 116,
    errMixedCommonCallStyles = 117,
    errCommonParamNotPointerOrVar = 118,
    errCommonArgsExpected = 119,
    errTooFewCommonArgs = 120,
    errTooManyCommonArgs = 121,
    errHandlerInDfn = 122,
    errHandlerNotBound = 123,
    errExitCodeRange = 124,
    errConstOverflow = 125,
    errConstOutOfRange = 126,
    errIndexOutOfRange = 127,
    errStringTooLong = 128,
    errSystemProcUnsupported = 129,
    errLocalProcAsValue = 130,
    errDeclAfterProcedures = 131,
    errCaseRangeEmpty = 132,
};

constexpr int kFirstReportedCode = errUnknownInternal;   // 5
constexpr int kLastReportedCode = errCaseRangeEmpty;     // 132
constexpr int kMessageCount = kLastReportedCode + 1;     // 133 entries, 0..132

// The message of a code; codes outside 5..132 give the text of entry 0.
const char* MessageText(int code);

// The message table itself, indexed by code (entries 1..4 are empty).
extern const char* const kMessageTable[kMessageCount];

// "ERROR (st %d, pos %d): %s\n" at the buffer's current line and column, to the message stream.
void ReportError(int code, const CLexBuf& lb);
// "WARNING (st %d, pos %d): %s\n" in the same way; a warning changes no result.
void ReportWarning(int code, const CLexBuf& lb);
// The same lines at an explicit position (the lexer reports while it has no buffer to show).
void ReportErrorAt(int code, int line, int column);
void ReportWarningAt(int code, int line, int column);

// The compiler's only exception: an operation reached a state that a correct program tree
// never produces. It carries the qualified name of the throwing method, for example
// throw error_Internal("CExpr::WriteCPP"); the driver reports "UNKNOWN INTERNAL ERROR: <method>".
class error_Internal {
public:
    explicit error_Internal(std::string method) : method(std::move(method)) {}
    const std::string& Method() const { return method; }
    const char* what() const noexcept { return method.c_str(); }

private:
    std::string method;
};
