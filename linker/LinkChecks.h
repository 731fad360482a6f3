// The program-wide checks that run once every link description has been read: every CASE
// has its declaration, and every handler of a common procedure matches the procedure's
// parameters and names an existing specialization; too few handlers is an error or a warning.
#pragma once
#include "LinkTables.h"
#include "MessageStream.h"

class CLinkChecker {
public:
    CLinkChecker(const CLinkTables& tables, CMessageStream& out, bool insufficiencyIsWarning)
        : tables(tables), out(out), insufficiencyIsWarning(insufficiencyIsWarning) {}

    bool CheckDeclarations();
    bool CheckHandlers(const CLinkProc& p);

private:
    bool CheckHandler(const CLinkProc& p, const CLinkHandler& h);
    // The CASE of parameter i (from 0) of p, or nullptr after the message.
    const CLinkCase* ParameterCase(const CLinkProc& p, size_t i);

    const CLinkTables& tables;
    CMessageStream& out;
    bool insufficiencyIsWarning;
};
