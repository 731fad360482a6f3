// Reading the build description for the makefile creator. The root element's name is not
// checked. A File entry that names the main module (left from a compilation of it without the
// main flag, or added as another module's import) is dropped: the main module is compiled once,
// at its own place in the makefile, and listing it again would link it twice. A value that a
// makefile cannot carry as plain text (see ProjectValues.h) fails the reading.
#include "BuildDescription.h"
#include "Messages.h"
#include "ProjectValues.h"
#include "Xml.h"

namespace {

std::string ValueOrEmpty(const CXmlElement& element, const char* attr)
{
    const std::string* value = element.AttributeValue(attr);
    return value ? *value : std::string();
}

bool LoadTree(const std::string& path, std::unique_ptr<CXmlElement>& root, CMessageStream& messages)
{
    switch (XmlLoad(path, root)) {
    case xmlOk: return true;
    case xmlCannotOpen: messages.Printf(genmsg::kCannotOpenForReading, path.c_str()); return false;
    case xmlCannotClose: messages.Printf(genmsg::kCannotClose, path.c_str()); return false;
    case xmlFormatError: messages.Printf(genmsg::kDescriptionFormat, path.c_str()); return false;
    }
    messages.Printf(genmsg::kUnknownInternal);
    return false;
}

// Every value goes into the makefile: module names must be identifiers, the executable a plain
// file name, and a folder must be one that the makefile writers can quote.
bool CheckValue(bool good, const char* message, const std::string& value, const std::string& path,
                CMessageStream& messages)
{
    if (!good) messages.Printf(message, ShownValue(value).c_str(), path.c_str());
    return good;
}

}  // namespace

bool ReadBuildDescription(const std::string& path, CBuildDescription& description, CMessageStream& messages)
{
    std::unique_ptr<CXmlElement> root;
    if (!LoadTree(path, root, messages)) return false;
    description.mainModule = ValueOrEmpty(*root, "Main");
    if (description.mainModule.empty()) {
        messages.Printf(genmsg::kNoMainModule, path.c_str());
        return false;
    }
    description.executable = ValueOrEmpty(*root, "Exec");
    if (description.executable.empty()) description.executable = description.mainModule;
    if (!CheckValue(IsModuleName(description.mainModule), genmsg::kBadModuleName, description.mainModule, path, messages) ||
        !CheckValue(IsPlainFileName(description.executable), genmsg::kBadExecName, description.executable, path, messages))
        return false;

    bool reportedNameless = false;
    for (const auto& child : root->children) {
        if (child->name != "File") continue;
        CModuleEntry entry{ValueOrEmpty(*child, "Name"), ValueOrEmpty(*child, "Path")};
        if (entry.name.empty()) {
            if (!reportedNameless) messages.Printf(genmsg::kFileWithoutName, path.c_str());
            reportedNameless = true;
            continue;
        }
        if (!CheckValue(IsModuleName(entry.name), genmsg::kBadModuleName, entry.name, path, messages) ||
            !CheckValue(IsQuotableFolder(entry.path), genmsg::kBadFolder, entry.path, path, messages))
            return false;
        if (entry.name == description.mainModule) continue;
        description.modules.push_back(std::move(entry));
    }
    return true;
}
