// The procedure readers and writers that the declaration sequence calls. This first version
// knows no procedures yet; the procedure classes replace it.
#include "DeclSeq.h"
#include "Diagnostics.h"

int ReadProcedureDeclaration(CLexBuf&, CDeclSeq&) { throw error_Internal("ReadProcedureDeclaration"); }
int ReadProcedureHeading(CLexBuf&, CDeclSeq&) { throw error_Internal("ReadProcedureHeading"); }
int CheckForwardProcedures(CLexBuf&, CDeclSeq&) { return errOK; }

void WriteProcedureSection(CCppOutput&, CDeclSeq&) {}
void WriteProcedureDFN(CDfnOutput&, CDeclSeq&) {}
