// The project of one run: reading the project file's IMPORT, MAIN, EXEC and TABSIZE lines,
// and keeping the build description CPP/_VYK_make.vym (load or start anew, add the compiled
// module and every imported module, write it back with escaped values).
#include "driver/Project.h"

#include <climits>
#include <cstdio>
#include <unordered_set>
#include <utility>

#include "front/Messages.h"
#include "decl/Module.h"
#include "emit/Output.h"
#include "ProjectValues.h"
#include "TextFile.h"

const char* const kBuildDescriptionPath = "CPP/_VYK_make.vym";

namespace {
constexpr int kLineBufferSize = 10000;   // longer lines are read in pieces of 9999 characters
constexpr int kDefaultTabSize = 1;
const char* const kExeSuffix = ".exe";
constexpr size_t kExeSuffixLength = 4;
const char* const kProjectElement = "Project";
const char* const kFileElement = "File";
const char* const kNameAttr = "Name";
const char* const kPathAttr = "Path";
const char* const kMainAttr = "Main";
const char* const kExecAttr = "Exec";
const char* const kRunTimeModule = "SYSTEM";
const char* const kOwnDfnFolder = "DFN/";   // its modules have no folder in the description

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsKeyChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

bool SameWord(const std::string& a, const char* b)
{
    return ToCapitals(a) == ToCapitals(b);
}

// The leading decimal integer of a TABSIZE value; negative values, values that do not fit
// and a 0 written other than as "0" give the default.
int TabSizeValue(const std::string& value)
{
    size_t i = 0;
    while (i < value.size() && (IsBlank(value[i]) || value[i] == '\n' || value[i] == '\r')) ++i;
    bool negative = false;
    if (i < value.size() && (value[i] == '+' || value[i] == '-')) negative = value[i++] == '-';
    long long number = 0;
    for (; i < value.size() && value[i] >= '0' && value[i] <= '9'; ++i) {
        number = number * 10 + (value[i] - '0');
        if (number > INT_MAX) return kDefaultTabSize;
    }
    if (negative && number > 0) return kDefaultTabSize;
    if (number == 0 && value != "0") return kDefaultTabSize;
    return int(number);
}

// Drops the line end: "\n" together with a "\r" before it, or else one trailing tab, CR or
// space (a last line without line end).
void DropLineEnd(std::string& value)
{
    if (value.empty()) return;
    char last = value.back();
    if (last == '\n') {
        value.pop_back();
        if (!value.empty() && value.back() == '\r') value.pop_back();
    } else if (last == '\t' || last == '\r' || last == ' ') {
        value.pop_back();
    }
}

const std::string& ValueOrEmpty(const CXmlElement& element, const char* attr)
{
    static const std::string empty;
    const std::string* value = element.AttributeValue(attr);
    return value ? *value : empty;
}
}  // namespace

std::string ToCapitals(const std::string& text)
{
    std::string result = text;
    for (char& c : result)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    return result;
}

int CProject::ReadProjectFile(const std::string& path)
{
    CTextFile file;
    if (!file.Open(path, "r")) return 1;
    char buffer[kLineBufferSize];
    while (std::fgets(buffer, sizeof buffer, file.Handle())) ReadProjectLine(buffer);
    for (const std::string& folder : searchFolders)
        if (int(folder.size()) > longestFolder) longestFolder = int(folder.size());
    return 0;
}

// [blanks] key [blanks] "=" [blanks] value; ";" or "#" first makes the line a comment.
void CProject::ReadProjectLine(const std::string& line)
{
    size_t i = 0;
    while (i < line.size() && IsBlank(line[i])) ++i;
    if (i < line.size() && (line[i] == ';' || line[i] == '#')) return;
    size_t keyStart = i;
    while (i < line.size() && IsKeyChar(line[i])) ++i;
    std::string key = line.substr(keyStart, i - keyStart);
    if (key.empty()) return;
    while (i < line.size() && IsBlank(line[i])) ++i;
    if (i >= line.size() || line[i] != '=') return;
    ++i;
    while (i < line.size() && IsBlank(line[i])) ++i;
    std::string value = line.substr(i);
    DropLineEnd(value);
    if (!value.empty() && (value[0] == '"' || value[0] == '\'')) {
        if (value.size() < 2 || value.back() != value[0]) return;
        value = value.substr(1, value.size() - 2);
    }

    if (SameWord(key, "EXEC")) {
        if (value.size() > kExeSuffixLength &&
            SameWord(value.substr(value.size() - kExeSuffixLength), kExeSuffix))
            value.erase(value.size() - kExeSuffixLength);
        execName = value;
    } else if (SameWord(key, "IMPORT")) {
        searchFolders.push_back(value);
    } else if (SameWord(key, "MAIN")) {
        mainFile = ToCapitals(value);
    } else if (SameWord(key, "TABSIZE")) {
        tabSize = TabSizeValue(value);
    }
}

bool CProject::IsMainFile(const std::string& sourcePath) const
{
    return mainFile && *mainFile == ToCapitals(sourcePath);
}

void CProject::DropBuildDescription()
{
    build = std::make_unique<CXmlElement>();
}

bool CProject::LoadBuildDescription()
{
    std::unique_ptr<CXmlElement> root;
    XmlResult result = XmlLoad(kBuildDescriptionPath, root);
    switch (result) {
    case xmlOk:
        if (root && root->name == kProjectElement) {
            build = std::move(root);
            return true;
        }
        Msg(msg::kBuildContent, kBuildDescriptionPath);
        return false;
    case xmlCannotOpen:
        DropBuildDescription();
        return true;
    case xmlCannotClose:
        Msg(msg::kCannotCloseFile, kBuildDescriptionPath);
        return false;
    case xmlFormatError:
        Msg(msg::kBuildFormat, kBuildDescriptionPath);
        return false;
    }
    Msg(msg::kUnknownXmlError);
    return false;
}

void CProject::AddModuleEntry(const std::string& folder, const std::string& module)
{
    if (!build) DropBuildDescription();
    for (const auto& child : build->children) {
        if (child->name != kFileElement) continue;
        const std::string* name = child->AttributeValue(kNameAttr);
        if (name && *name == module && ValueOrEmpty(*child, kPathAttr) == folder) return;
    }
    CXmlElement* entry = build->AddChild(kFileElement);
    entry->AddAttribute(kNameAttr, module);
    if (!folder.empty()) entry->AddAttribute(kPathAttr, folder);
}

void CProject::AddCompiledModule(const std::string&, const std::string& module)
{
    AddModuleEntry(std::string(), module);
}

// Depth first, each module before its own imports, without recursion; a module shared by
// several importers is walked once.
void CProject::AddImportedModules(const CModuleBase& module)
{
    std::unordered_set<const CModuleBase*> seen;
    std::vector<std::pair<const CModuleBase*, size_t>> stack{{&module, 0}};
    while (!stack.empty()) {
        auto& [current, next] = stack.back();
        if (!current->decls || next >= current->decls->imported.size()) {
            stack.pop_back();
            continue;
        }
        const CDfnModule* imported = current->decls->imported[next++];
        AddModuleEntry(imported->pathPrefix, imported->name);
        if (!seen.insert(imported).second) continue;
        stack.emplace_back(imported, 0);
    }
}

// The run-time module (the entry point, the traps, the command line) comes with SYSTEM, which
// every library module imports. A program whose modules import nothing gets it here, from the
// first search folder that holds SYSTEM.dfn, as if its main module imported SYSTEM.
void CProject::AddRunTimeModule()
{
    if (!build) DropBuildDescription();
    for (const auto& child : build->children) {
        const std::string* name = child->AttributeValue(kNameAttr);
        if (child->name == kFileElement && name && *name == kRunTimeModule) return;
    }
    for (const std::string& folder : searchFolders) {
        std::string candidate = folder + kRunTimeModule + ".dfn";
        if (std::FILE* f = std::fopen(candidate.c_str(), "r")) {
            std::fclose(f);
            AddModuleEntry(folder == kOwnDfnFolder ? std::string() : folder, kRunTimeModule);
            return;
        }
    }
}

bool CProject::CheckExecutableName() const
{
    if (!execName || execName->empty() || IsPlainFileName(*execName)) return true;
    Msg(msg::kBadExecName, ShownValue(*execName).c_str());
    return false;
}

bool CProject::WriteBuildDescription(bool mainFlag, const std::string& moduleName, COutputFiles* outputs)
{
    if (!build) DropBuildDescription();
    std::string mainName, exec;
    if (mainFlag) {
        mainName = moduleName;
        exec = execName && !execName->empty() ? *execName : moduleName;
    } else {
        mainName = ValueOrEmpty(*build, kMainAttr);
        exec = ValueOrEmpty(*build, kExecAttr);
    }
    CTextFile file;
    if (!(outputs ? outputs->Open(file, kBuildDescriptionPath) : file.Open(kBuildDescriptionPath, "w"))) {
        Msg(msg::kCannotOpenForWriting, kBuildDescriptionPath);
        return false;
    }
    file.Printf("<?xml version=\"1.0\" ?>\n<!-- %s -->\n<Project Main=\"%s\" Exec=\"%s\">\n",
                kGeneratedNotice, XmlEscape(mainName).c_str(), XmlEscape(exec).c_str());
    for (const auto& child : build->children) {
        const std::string* name = child->AttributeValue(kNameAttr);
        if (child->name != kFileElement || !name) continue;
        file.Printf("\t<File Name=\"%s\" Path=\"%s\" />\n", XmlEscape(*name).c_str(),
                    XmlEscape(ValueOrEmpty(*child, kPathAttr)).c_str());
    }
    file.Printf("</Project>\n");
    if (!file.Close()) {
        Msg(msg::kCannotCloseFile, kBuildDescriptionPath);
        return false;
    }
    return true;
}
