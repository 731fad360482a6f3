// Readers shared by the CONST, TYPE and VAR sections, record fields and formal parameters.
#pragma once
#include <unordered_set>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "front/Names.h"

class CBaseVar;
class CCppOutput;
class CDeclSeq;
class CDfnOutput;
class CLexBuf;
struct SLatePos;

// IdentList ":" type, where each identifier is ident ["*" | "-"] ["<" spec ">"].
// `local`: no export marks allowed (18). `declared` answers whether a name already exists in
// the owner (15). The variables are made by the type's CreateVar with `owner` as parent.
int ReadVarList(CLexBuf& lb, CBaseName* owner, bool local,
                const std::function<CBaseName*(const std::string&)>& declared,
                std::vector<std::unique_ptr<CBaseVar>>& vars);

// ---- the CONST, TYPE and VAR sections of a declaration sequence ----
// A section reader reads one declaration of its section and adds it to `seq`. It returns 0 on
// success, 1 when no further declaration of the section follows (the sequence then restores the
// position it saved before the attempt), or an error code.
int ReadConstDeclaration(CLexBuf& lb, CDeclSeq& seq);
int ReadTypeDeclaration(CLexBuf& lb, CDeclSeq& seq);
int ReadVarDeclaration(CLexBuf& lb, CDeclSeq& seq);
// The check after the CONST/TYPE/VAR sections, run for array, record and pointer types and
// for constants and variables, in declaration order. 0 or an error code.
int CheckDeclarationLate(CBaseName& decl, SLatePos& at);

// The predeclared type SYSTEM.PTR (kind 29), added to SYSTEM after its definition file is read.
std::unique_ptr<CBaseName> CreateSystemPtrType(CBaseName* system, const std::string& name);

// Section writers, called by the module writer in file order. `moduleLevel` is false for
// procedure-local declarations.
void WriteTypeSection(CCppOutput& f, CDeclSeq& seq, bool moduleLevel);
void WriteVarSection(CCppOutput& f, CDeclSeq& seq, bool moduleLevel);
// Definition text of the CONST, TYPE and VAR sections.
// `hidden`: the unexported types to write as well, marked "-" (see HiddenTypesReached).
void WriteConstTypeVarDFN(CDfnOutput& f, CDeclSeq& seq,
                          const std::unordered_set<const CBaseName*>* hidden = nullptr);
// The unexported types of a module that its exported constants, types, variables and
// procedures name, directly or through one another.
std::unordered_set<const CBaseName*> HiddenTypesReached(CDeclSeq& seq);
