// Names and scopes: identifier definitions with their marks, unqualified and qualified lookup,
// the owning-module queries, and the internal errors of the base declaration.
#include <gtest/gtest.h>

#include "front/Diagnostics.h"
#include "front/Lexer.h"
#include "decl/Module.h"
#include "decl/Vars.h"
#include "front/Names.h"

namespace {

std::unique_ptr<CLexBuf> Tokens(const std::string& text)
{
    auto lb = CLexBuf::TokenizeText(text, "test", 1);
    EXPECT_TRUE(lb);
    return lb;
}

CBaseName* Declare(CModuleBase& scope, const std::string& name, EKind kind = kindIntegerVar)
{
    auto decl = std::make_unique<CBaseName>(kind, &scope);
    decl->name = name;
    CBaseName* raw = decl.get();
    scope.AddName(std::move(decl));
    return raw;
}

// A module with an empty declaration sequence.
std::unique_ptr<CModule> NewModule(const std::string& name)
{
    auto module = std::make_unique<CModule>();
    module->name = name;
    module->decls = std::make_unique<CDeclSeq>(module.get());
    return module;
}

// A procedure-like scope with its own declarations and an optional receiver type.
class CTestProc : public CBaseName {
public:
    CDeclSeq local{this};
    std::string receiver;
    explicit CTestProc(CBaseName* parent) : CBaseName(kindProcedure, parent) {}
    void AddName(std::unique_ptr<CBaseName> decl) override { local.AddName(std::move(decl)); }
    CBaseName* FindName(const std::string& id) override { return local.FindName(id); }
    const std::string* ReceiverTypeName() const override { return receiver.empty() ? nullptr : &receiver; }
};

TEST(IdentDef, MarksAndSpecialization)
{
    struct Case {
        const char* text;
        bool allowReadOnly;
        int err;
        bool exported, readOnly, hasSpec;
        const char* specQualifier;
        const char* specName;
        int nextCode;   // the token left for the caller, 0 when none
    } cases[] = {
        {"x ;", false, errOK, false, false, false, "", "", symSemicolon},
        {"x* ;", false, errOK, true, false, false, "", "", symSemicolon},
        {"x- :", true, errOK, true, true, false, "", "", symColon},
        {"x<> :", false, errOK, false, false, true, "", "", symColon},
        {"x*<Tag> :", false, errOK, true, false, true, "", "Tag", symColon},
        {"x-<M.T> :", true, errOK, true, true, true, "M", "T", symColon},
        {"x", false, errOK, false, false, false, "", "", 0},
        {"x<T :", false, errGtrMissing, false, false, true, "", "T", symColon},
        {"x<M. >", false, errIdentExpected, false, false, true, "", "M", symGtr},
        {"7", false, errIdentExpected, false, false, false, "", "", 0},
        {"BEGIN", false, errIdentExpected, false, false, false, "", "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        auto lb = Tokens(c.text);
        CBareName ident(nullptr, c.allowReadOnly);
        EXPECT_EQ(ident.Init(*lb), c.err);
        if (c.err != errOK) continue;
        EXPECT_EQ(ident.name, "x");
        EXPECT_EQ(ident.exported, c.exported);
        EXPECT_EQ(ident.readOnly, c.readOnly);
        EXPECT_EQ(ident.hasSpec, c.hasSpec);
        EXPECT_EQ(ident.specQualifier, c.specQualifier);
        EXPECT_EQ(ident.specName, c.specName);
        int code = 0;
        if (c.nextCode) {
            ASSERT_TRUE(lb->NextSymbol(code));
            EXPECT_EQ(code, c.nextCode);
        } else {
            EXPECT_FALSE(lb->NextSymbol(code));
        }
    }
}

TEST(IdentDef, ReadOnlyMarkWhereNotAllowedFailsAtTheMinus)
{
    auto lb = Tokens("VAR\n  count- : INTEGER;");
    int code = 0;
    lb->NextSymbol(code);
    CBareName ident(nullptr, false);
    EXPECT_EQ(ident.Init(*lb), errIllegallyMarkedIdent);
    EXPECT_EQ(lb->Line(), 2);
    EXPECT_EQ(lb->Column(), 8);
}

TEST(Lookup, CaseSensitiveAndLocalHidesGlobal)
{
    auto module = NewModule("M");
    CBaseName* global = Declare(*module, "Count");
    CBaseName* lower = Declare(*module, "count");
    auto proc = std::make_unique<CTestProc>(module.get());
    auto local = std::make_unique<CBaseName>(kindCharVar, proc.get());
    local->name = "Count";
    CBaseName* localRaw = local.get();
    proc->AddName(std::move(local));

    EXPECT_EQ(FindUnqualified(module.get(), "Count"), global);
    EXPECT_EQ(FindUnqualified(module.get(), "count"), lower);
    EXPECT_EQ(FindUnqualified(proc.get(), "Count"), localRaw);
    EXPECT_EQ(FindUnqualified(proc.get(), "count"), lower);
    EXPECT_EQ(FindUnqualified(proc.get(), "COUNT"), nullptr);
    EXPECT_EQ(FindUnqualified(proc.get(), ""), nullptr);
    EXPECT_EQ(GetGlobalName(proc.get(), "", "count"), lower);
}

TEST(Lookup, FirstOfTwoEqualNamesWins)
{
    auto module = NewModule("M");
    CBaseName* first = Declare(*module, "x");
    Declare(*module, "x");
    EXPECT_EQ(module->FindName("x"), first);
    // Appended directly to the list, and found all the same.
    auto direct = std::make_unique<CBaseName>(kindCharVar, module.get());
    direct->name = "late";
    CBaseName* late = direct.get();
    module->decls->decls.push_back(std::move(direct));
    EXPECT_EQ(module->FindName("late"), late);
    module->decls->decls.resize(1);
    EXPECT_EQ(module->FindName("late"), nullptr);
    EXPECT_EQ(module->FindName("x"), first);
}

TEST(Lookup, ManyDeclarationsAreFoundQuickly)
{
    auto module = NewModule("M");
    const int count = 100000;
    for (int i = 0; i < count; ++i) {
        std::string name = "v" + std::to_string(i);
        ASSERT_EQ(module->FindName(name), nullptr);
        Declare(*module, name);
    }
    EXPECT_EQ(module->FindName("v12345")->name, "v12345");
}

// M imports Alias := Lib; Lib declares T.
struct SImportFixture {
    std::unique_ptr<CModule> module = NewModule("M");
    CDfnModule* lib = nullptr;
    CBaseName* libT = nullptr;
    CBaseName* localVar = nullptr;

    SImportFixture()
    {
        module->AddName(std::make_unique<CImportName>(module.get(), "Alias", "Lib"));
        auto imported = std::make_unique<CDfnModule>(kindDfnModule, module.get());
        imported->name = "Lib";
        imported->alias = "Alias";
        imported->decls = std::make_unique<CDfnDeclSeq>(imported.get());
        lib = imported.get();
        libT = Declare(*lib, "T", kindRecordType);
        module->decls->AddImported(std::move(imported));
        localVar = Declare(*module, "v", kindRecordVar);
    }
};

TEST(Lookup, QualifiedThroughImportAlias)
{
    SImportFixture f;
    EXPECT_EQ(GetGlobalName(f.module.get(), "Alias", "T"), f.libT);
    EXPECT_EQ(GetGlobalName(f.module.get(), "Alias", "U"), nullptr);
    EXPECT_EQ(GetGlobalName(f.module.get(), "Lib", "T"), nullptr);   // the module name is no alias
    EXPECT_EQ(GetGlobalName(f.module.get(), "v", "T"), nullptr);     // a variable is no alias
    EXPECT_EQ(FindUnqualified(f.module.get(), "T"), nullptr);
}

TEST(Lookup, OwningModuleAliasAndNameMatch)
{
    SImportFixture f;
    EXPECT_EQ(GetOwningModule(f.libT), f.lib);
    EXPECT_EQ(GetModuleAlias(f.libT), "Alias");
    EXPECT_EQ(GetModuleName(f.libT), "Lib");
    EXPECT_EQ(GetModuleAlias(f.localVar), "");
    EXPECT_EQ(GetModuleName(f.localVar), "");
    EXPECT_TRUE(NameMatches(f.libT, "Alias", "T"));
    EXPECT_FALSE(NameMatches(f.libT, "", "T"));
    EXPECT_FALSE(NameMatches(f.libT, "Lib", "T"));
    EXPECT_TRUE(NameMatches(f.localVar, "", "v"));
    EXPECT_FALSE(NameMatches(f.localVar, "Alias", "v"));

    CBaseName loose(kindIntegerVar, nullptr);
    EXPECT_EQ(GetOwningModule(&loose), &loose);
}

TEST(Lookup, WithBindingsAndReceivers)
{
    SImportFixture f;
    auto proc = std::make_unique<CTestProc>(f.module.get());
    proc->name = "Draw";
    proc->receiver = "Shape";
    CScopeNode plain(proc.get());
    plain.bound = std::make_unique<CBaseName>(kindPointerVar, &plain);
    plain.bound->name = "v";
    CScopeNode qualified(&plain);
    qualified.qualifier = "Alias";
    qualified.bound = std::make_unique<CBaseName>(kindPointerVar, &qualified);
    qualified.bound->name = "w";
    CScopeNode loop(&qualified);
    loop.loopMark = true;

    EXPECT_EQ(FindUnqualified(&loop, "v"), plain.bound.get());
    EXPECT_EQ(loop.FindName("v"), plain.bound.get());
    EXPECT_EQ(FindUnqualified(&loop, "w"), nullptr);   // bound only with its qualifier
    EXPECT_EQ(GetGlobalName(&loop, "Alias", "w"), qualified.bound.get());
    EXPECT_EQ(GetGlobalName(&loop, "Alias", "T"), f.libT);
    EXPECT_EQ(GetGlobalName(&loop, "Shape", "Draw"), proc.get());
    EXPECT_EQ(GetGlobalName(&loop, "Shape", "Move"), nullptr);
}

TEST(Lookup, DeeplyNestedScopeNodesNeedNoStack)
{
    auto module = NewModule("M");
    CBaseName* x = Declare(*module, "x");
    std::vector<std::unique_ptr<CScopeNode>> nodes;
    CBaseName* scope = module.get();
    for (int i = 0; i < 200000; ++i) {
        nodes.push_back(std::make_unique<CScopeNode>(scope));
        scope = nodes.back().get();
    }
    EXPECT_EQ(scope->FindName("x"), x);
    EXPECT_EQ(FindUnqualified(scope, "x"), x);
}

template <class F>
std::string InternalErrorOf(F f)
{
    try {
        f();
    } catch (const error_Internal& e) {
        return e.Method();
    }
    return "none";
}

TEST(Lookup, InternalErrors)
{
    CBaseName plain(kindIntegerVar, nullptr);
    EXPECT_EQ(InternalErrorOf([&] { plain.AddName(std::make_unique<CBaseName>(kindBareName, nullptr)); }),
              "CBaseName::AddName");
    EXPECT_EQ(InternalErrorOf([&] { plain.FindName("x"); }), "CBaseName::FindName");
    EXPECT_EQ(InternalErrorOf([&] { GetGlobalName(&plain, "Q", "x"); }), "::GetGlobalName");
    auto lb = Tokens("MODULE M; END M.");
    CModule module;
    EXPECT_EQ(InternalErrorOf([&] { module.Init(*lb); }), "CModule::Init(CLexBuf*)");
    CDfnModule dfn(kindDfnModule, nullptr);
    EXPECT_EQ(InternalErrorOf([&] { dfn.Init(*lb); }), "CDfnModule::Init(CLexBuf*)");
}

TEST(Kinds, Ranges)
{
    EXPECT_TRUE(IsModuleKind(kindSystemModule));
    EXPECT_FALSE(IsModuleKind(kindImport));
    EXPECT_TRUE(IsProcedureKind(kindProcedure) && IsProcedureKind(kindForwardProc));
    EXPECT_FALSE(IsProcedureKind(kindBareName));
    EXPECT_TRUE(IsTypeKind(kindProcedureType) && IsTypeKind(kindPtrType));
    EXPECT_FALSE(IsTypeKind(kindSetVar));
    EXPECT_TRUE(IsVarKind(kindSetVar) && IsVarKind(kindPtrVar));
    EXPECT_TRUE(IsNumericVarKind(kindLongrealVar) && IsNumericVarKind(kindShortintVar));
    EXPECT_FALSE(IsNumericVarKind(kindCharVar));
    EXPECT_TRUE(IsIntegerVarKind(kindLongintVar) && !IsIntegerVarKind(kindRealVar));
    EXPECT_TRUE(IsRealVarKind(kindRealVar) && !IsRealVarKind(kindLongintVar));
    EXPECT_STREQ(KindName(kindNone), "None");
    EXPECT_STREQ(KindName(kindSpecType), "SpecType");
    EXPECT_STREQ(KindName(kindPtrVar), "PtrVar");
    EXPECT_STREQ(KindName(kindPtrVar + 1), "?");
}

// The class a kind stands for agrees with the factory of scalar variables, and a cast to the
// wrong class is refused: nullptr from As, an internal error naming the kind from To.
TEST(Kinds, CheckedCasts)
{
    for (int k = kindSetVar; k <= kindPtrVar; ++k) {
        std::unique_ptr<CScalarVar> made = MakeScalarVar(k, nullptr);
        EXPECT_EQ(made != nullptr, CScalarVar::IsKind(k)) << KindName(k);
        if (made) {
            EXPECT_EQ(As<CScalarVar>(made.get()), made.get()) << KindName(k);
        }
    }
    std::unique_ptr<CBaseVar> set = MakeScalarVar(kindSetVar, nullptr);
    EXPECT_TRUE(Is<CSetVar>(set.get()) && Is<CBaseVar>(set.get()));
    EXPECT_EQ(As<CArrayVar>(set.get()), nullptr);
    EXPECT_EQ(As<CBaseVar>(static_cast<CBaseName*>(nullptr)), nullptr);
    EXPECT_FALSE(Is<CBaseVar>(nullptr));
    try {
        To<CArrayVar>(*set);
        ADD_FAILURE() << "no error";
    } catch (const error_Internal& e) {
        EXPECT_NE(e.Method().find("SetVar"), std::string::npos) << e.Method();
    }
    EXPECT_THROW(To<CArrayVar>(std::move(set)), error_Internal);   // and the object is freed
    std::unique_ptr<CScalarVar> owned = To<CScalarVar>(std::unique_ptr<CBaseVar>(MakeScalarVar(kindCharVar, nullptr)));
    ASSERT_TRUE(owned);
    EXPECT_EQ(owned->kind, kindCharVar);
}

}  // namespace
