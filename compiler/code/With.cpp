// WITH: guards on pointers to records and on VAR record parameters, the alias variable that a
// branch binds to the guarded name, and the if-chain written for the branches. A branch is
// entered for the guard type and every extension of it (a dynamic_cast over the struct
// hierarchy); a NIL pointer enters none.
#include "code/With.h"

#include "front/Diagnostics.h"
#include "front/Lexer.h"
#include "emit/Output.h"
#include "CppIdent.h"
#include "decl/RecordType.h"
#include "decl/StructVars.h"
#include "decl/Types.h"

// ---- Guard ----

int CGuard::Init(CLexBuf& lb)
{
    std::string staticModule, staticName;
    if (int err = ReadVariable(lb, staticModule, staticName)) return err;
    if (int err = lb.Expect(symColon, errColonMissing)) return err;
    if (guardKind == guardCommon) return ReadCommonGuard(lb, scope, variable, common);
    return ReadGuardType(lb, staticModule, staticName);
}

// The guarded variable and the record it statically is (module alias and name, "" when it
// has no name).
int CGuard::ReadVariable(CLexBuf& lb, std::string& staticModule, std::string& staticName)
{
    if (int err = ReadQualifiedName(lb, scope, varQualifier, varName)) return err;
    variable = GetGlobalName(scope, varQualifier, varName);
    if (!variable)
        return !varQualifier.empty() && FindUnqualified(scope, varQualifier) ? errColonMissing
                                                                              : errUndeclaredIdent;
    if (IsCommonGuardVariable(variable)) {
        guardKind = guardCommon;
        return errOK;
    }
    CRecordType* record = nullptr;
    if (auto* var = As<CRecordVar>(variable)) {
        if (!var->isVar) return errGuardedVarKind;
        guardKind = guardRecord;
        if (!var->typeName.empty())
            record = As<CRecordType>(ResolveReference(scope, var->typeModule, var->typeName));
    } else if (auto* var = As<CPointerVar>(variable)) {
        if (!var->BaseIsRecord()) return errGuardedVarKind;
        guardKind = guardPointer;
        record = As<CRecordType>(var->Base());
    } else {
        return errGuardedVarKind;
    }
    if (record && !record->name.empty()) {
        staticModule = GetModuleAlias(record);
        staticName = record->name;
    }
    return errOK;
}

int CGuard::ReadGuardType(CLexBuf& lb, const std::string& staticModule, const std::string& staticName)
{
    if (int err = ReadQualifiedName(lb, scope, typeQualifier, typeName)) return err;
    guardType = GetGlobalName(scope, typeQualifier, typeName);
    if (!guardType) return errUndeclaredIdent;
    if (!IsTypeKind(guardType->kind)) return errNotAType;
    CBaseName* type = ResolveType(guardType);
    CBaseName* record = type;
    if (guardKind == guardPointer) {
        auto* pointerType = As<CPointerType>(type);
        if (!pointerType) return errGuardNotPointer;
        record = pointerType->BaseRecord();
        if (!record) return errGuardNotExtension;
    } else if (!type || type->kind != kindRecordType) {
        return errGuardNotRecord;
    }
    if (staticName.empty() || !IsExtensionOf(record, staticModule, staticName))
        return errGuardNotExtension;
    return errOK;
}

void CGuard::WriteCPP(CCppOutput& f)
{
    std::string var = varQualifier.empty() ? CppId(varName)
                                           : CppId(varQualifier) + "::" + CppId(varName);
    std::string type = typeQualifier.empty() ? CppId(typeName)
                                             : CppId(typeQualifier) + "::" + CppId(typeName);
    if (guardKind == guardCommon) return WriteCommonGuard(f, var, common);
    f.Indent();
    f.Cpp("if (VYK_IS<%s>(%s)) {\n", type.c_str(), var.c_str());
}

// ---- Branch ----

CWithBranch::CWithBranch(CBaseName* scope)
    : CSyntaxNode(scope), guard(std::make_unique<CGuard>(scope)), node(std::make_unique<CScopeNode>(scope))
{
}

CWithBranch::~CWithBranch() = default;

int CWithBranch::Init(CLexBuf& lb)
{
    if (int err = guard->Init(lb)) return err;
    if (int err = lb.Expect(symDO, errDoMissing)) return err;
    MakeAlias();
    return ReadStatementSeq(lb, node.get(), body);
}

// The alias: a variable of the guard type named like the guarded variable, passed by
// reference, written with a cast to the guard type wherever a selector follows it.
void CWithBranch::MakeAlias()
{
    if (guard->guardKind == guardCommon) {
        node->qualifier = guard->varQualifier;
        node->bound = MakeCommonAlias(guard->variable, guard->common, node.get());
        return;
    }
    std::unique_ptr<CBaseVar> alias = To<CBaseType>(guard->guardType)->CreateVar(node.get());
    alias->name = guard->varName;
    alias->typeName = guard->typeName;
    alias->typeModule = guard->typeQualifier;
    alias->isVar = true;
    alias->castMark = true;
    node->qualifier = guard->varQualifier;
    node->bound = std::move(alias);
}

void CWithBranch::WriteCPP(CCppOutput& f)
{
    guard->WriteCPP(f);
    body->WriteCPP(f);
    f.Indent();
    f.Cpp("}");
}

// ---- WITH ----

int CWithStatement::Init(CLexBuf& lb)
{
    at = SSourceAt{lb.Line(), lb.Column()};
    for (;;) {
        auto branch = std::make_unique<CWithBranch>(scope);
        if (int err = branch->Init(lb)) return err;
        branches.push_back(std::move(branch));
        int code = 0;
        if (!lb.NextSymbol(code) || code < symPeriod) return errEndMissing;
        if (code == symBar) continue;
        if (code == symEND) return errOK;
        if (code != symELSE) return errEndMissing;
        if (int err = ReadStatementSeq(lb, scope, elseSeq)) return err;
        return ReadEnd(lb);
    }
}

void CWithStatement::WriteCPP(CCppOutput& f)
{
    for (auto& branch : branches) {
        branch->WriteCPP(f);
        f.Cpp(" else\n");
    }
    f.Indent();
    if (elseSeq) {
        f.Cpp("{\n");
        elseSeq->WriteCPP(f);
        f.Indent();
        f.Cpp("}");
    } else {
        f.Cpp("\tVYK_TRAP(%i, %s)", kExitWithNoMatch, f.TrapAt(at).c_str());
    }
}

int CWithStatement::GetReturnState() const
{
    std::vector<int> states;
    for (auto& branch : branches) states.push_back(branch->GetReturnState());
    if (elseSeq) states.push_back(elseSeq->GetReturnState());
    return CombineReturnStates(states);
}
