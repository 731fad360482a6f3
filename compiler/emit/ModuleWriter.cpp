// Writing the compiled module: its C++ source and header between the frames of CCppOutput,
// and its definition file. The top methods call one method per section, in file order.
#include "decl/Module.h"
#include "decl/Procedures.h"
#include "decl/Sections.h"

#include <unordered_set>
#include <vector>

#include "emit/Output.h"
#include "CppIdent.h"

// Module names and aliases are C++ namespaces, spelled with CppId; file names, comments and
// the invented VYK_ names keep them as written.
// Source: //MODULE m; #include "m.h" using namespace m;  //IMPORT ...  (types, variables,
//         procedures)  void m::VYK_SYS_m() { <once-only guard> <import inits> //BEGIN ... }
// Header: #include "<prefix><import>.h" (of the modules it names) ...  namespace m {  ...  void VYK_SYS_m();
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

// Every module of the import graph below this one is offered: the direct imports in import
// order, then the modules they import, breadth first. Which of them the header and the source
// include is decided when the texts are complete (CCppOutput::AddIncludes).
void CModule::WriteHeaderIncludes(CCppOutput& f)
{
    std::vector<const CDfnModule*> graph(decls->imported.begin(), decls->imported.end());
    std::unordered_set<const CDfnModule*> seen(graph.begin(), graph.end());
    for (size_t i = 0; i < graph.size(); ++i)
        if (graph[i]->decls)
            for (const CDfnModule* imported : graph[i]->decls->imported)
                if (seen.insert(imported).second) graph.push_back(imported);
    for (size_t i = 0; i < graph.size(); ++i)
        f.AddModuleHeader(graph[i]->pathPrefix + graph[i]->name + ".h", CppId(graph[i]->name),
                          i < decls->imported.size());
}

// The alias namespace makes Alias::X valid in the source; the header uses module names.
void CModule::WriteImportSection(CCppOutput& f)
{
    f.Cpp("\n//IMPORT\n");
    for (const auto& decl : decls->decls) {
        auto* entry = As<CImportName>(decl.get());
        if (!entry) continue;
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
        auto* entry = As<CImportName>(decl.get());
        if (!entry) continue;
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
    std::unordered_set<const CBaseName*> hidden = HiddenTypesReached(*decls);
    WriteConstTypeVarDFN(f, *decls, &hidden);
    WriteProcedureDFN(f, *decls);
    f.Down();
    f.Dfn("\n\nEND %s.\n", name.c_str());
}

void CModule::WriteImportDFN(CDfnOutput& f)
{
    bool first = true;
    for (const auto& decl : decls->decls) {
        auto* entry = As<CImportName>(decl.get());
        if (!entry) continue;
        f.Dfn("%s", first ? "\nIMPORT\n\t" : ", ");
        first = false;
        if (entry->name != entry->moduleName) f.Dfn("%s := ", entry->name.c_str());
        f.Dfn("%s", entry->moduleName.c_str());
    }
    if (!first) f.Dfn(";\n");
}
