// Readers shared by the CONST, TYPE and VAR sections, record fields and formal parameters.
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "front/Names.h"

class CBaseVar;
class CLexBuf;

// IdentList ":" type, where each identifier is ident ["*" | "-"] ["<" spec ">"].
// `local`: no export marks allowed (18). `declared` answers whether a name already exists in
// the owner (15). The variables are made by the type's CreateVar with `owner` as parent.
int ReadVarList(CLexBuf& lb, CBaseName* owner, bool local,
                const std::function<CBaseName*(const std::string&)>& declared,
                std::vector<std::unique_ptr<CBaseVar>>& vars);
