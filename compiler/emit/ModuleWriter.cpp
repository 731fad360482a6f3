// Writing the compiled module: its C++ source and header between the frames of CCppOutput,
// and its definition file. The top methods call one method per section, in file order.
#include "decl/Module.h"

#include "emit/Output.h"
#include "CppIdent.h"

// Module names and aliases are C++ namespaces, spelled with CppId; file names, comments and
// the invented VYK_ names keep them as written.
// Source: //MODULE m; #include "m.h" using namespace m;  //IMPORT ...  (types, variables,
//         procedures)  void m::VYK_SYS_m() { <once-only guard> <import inits> //BEGIN ... }
// Header: #include "<prefix><import>.h" ...  namespace m {  ...  void VYK_SYS_m();
void CModule::WriteCPP(CCppOutput& f)
{
    WriteSourceHead(f);
    WriteHeaderIncludes(f);
    f.Hdr("namespace %s {\n", CppId(name).c_str());
    WriteImportSection(f);
    WriteTypeSection(f, *decls, true);
    WriteVarSection(f, *decls, true);
    WriteProcedureSection(f, *decls);
    WriteInitHead(f);
    WriteInitPrologue(f);
    WriteBody(f);
    f.Cpp("}\n//END %s.\n", name.c_str());
}

void CModule::WriteSourceHead(CCppOutput& f)
{
    f.Cpp("//MODULE %s;\n", name.c_str());
    f.Cpp("#include \"%s.h\"\n", name.c_str());
    if (f.checks) f.Cpp("#include \"_VYK_chk.h\"\n");
    f.MarkSourceIncludes();
    f.Cpp("using namespace %s;\n", CppId(name).c_str());
}

void CModule::WriteHeaderIncludes(CCppOutput& f)
{
    for (const auto& imported : decls->imported)
        f.Hdr("#include \"%s%s.h\"\n", imported->pathPrefix.c_str(), imported->name.c_str());
}

// The alias namespace makes Alias::X valid in the source; the header uses module names.
void CModule::WriteImportSection(CCppOutput& f)
{
    f.Cpp("\n//IMPORT\n");
    for (const auto& decl : decls->decls) {
        if (decl->kind != kindImport) continue;
        auto* entry = static_cast<const CImportName*>(decl.get());
        if (entry->name != entry->moduleName)
            f.Cpp("//%s := %s\nnamespace %s {using namespace %s;}", entry->name.c_str(),
                  entry->moduleName.c_str(), CppId(entry->name).c_str(), CppId(entry->moduleName).c_str());
        else
            f.Cpp("//%s", entry->name.c_str());
        f.Cpp("\n");
    }
}

void CModule::WriteInitHead(CCppOutput& f)
{
    f.Hdr("//MODULE INITIALIZATION\nvoid %s%s();\n", kSysPrefix, name.c_str());
    f.Cpp("\n%s//MODULE INITIALIZATION\n", kRuleLine);
    f.Cpp("void %s::%s%s() {\n", CppId(name).c_str(), kSysPrefix, name.c_str());
}

// Each module initialises its imports first and runs its body at most once.
void CModule::WriteInitPrologue(CCppOutput& f)
{
    f.Cpp("\t//imports initialisation\n");
    f.Cpp("\tstatic bool %swas_started(false);\n", kSysPrefix);
    f.Cpp("\tif (%swas_started) return;\n", kSysPrefix);
    f.Cpp("\t%swas_started = true;\n", kSysPrefix);
    for (const auto& decl : decls->decls) {
        if (decl->kind != kindImport) continue;
        auto* entry = static_cast<const CImportName*>(decl.get());
        f.Cpp("\t%s::%s%s();\n", CppId(entry->name).c_str(), kSysPrefix, entry->moduleName.c_str());
    }
    f.Cpp("//BEGIN\n");
}

void CModule::WriteBody(CCppOutput& f)
{
    if (!body) return;
    body->WriteCPP(f);
    if (body->GetReturnState() != 0) f.Cpp("\tVYK_RETURN:;\n");
}

// DEFINITION m; [IMPORT ...;] <exported declarations>  END m.
void CModule::WriteDFN(CDfnOutput& f)
{
    f.Dfn("DEFINITION %s;\n", name.c_str());
    f.Up();
    WriteImportDFN(f);
    WriteConstTypeVarDFN(f, *decls);
    WriteProcedureDFN(f, *decls);
    f.Down();
    f.Dfn("\n\nEND %s.\n", name.c_str());
}

void CModule::WriteImportDFN(CDfnOutput& f)
{
    bool first = true;
    for (const auto& decl : decls->decls) {
        if (decl->kind != kindImport) continue;
        auto* entry = static_cast<const CImportName*>(decl.get());
        f.Dfn("%s", first ? "\nIMPORT\n\t" : ", ");
        first = false;
        if (entry->name != entry->moduleName) f.Dfn("%s := ", entry->name.c_str());
        f.Dfn("%s", entry->moduleName.c_str());
    }
    if (!first) f.Dfn(";\n");
}
