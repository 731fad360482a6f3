// The readers and writers of the CONST, TYPE and VAR sections that the declaration sequence
// calls. This first version accepts empty sections only; the declaration classes replace it.
#include "DeclSeq.h"
#include "Diagnostics.h"

int ReadConstDeclaration(CLexBuf&, CDeclSeq&) { return sigNoMoreDecl; }
int ReadTypeDeclaration(CLexBuf&, CDeclSeq&) { return sigNoMoreDecl; }
int ReadVarDeclaration(CLexBuf&, CDeclSeq&) { return sigNoMoreDecl; }
int CheckDeclarationLate(CBaseName&) { return errOK; }

std::unique_ptr<CBaseName> CreateSystemPtrType(CBaseName* system, const std::string& name)
{
    auto ptr = std::make_unique<CBaseName>(kindPtrType, system);
    ptr->name = name;
    return ptr;
}

void WriteTypeSection(CCppOutput&, CDeclSeq&, bool) {}
void WriteVarSection(CCppOutput&, CDeclSeq&, bool) {}
void WriteConstTypeVarDFN(CDfnOutput&, CDeclSeq&) {}
