// Reading link descriptions: every Case, Spec, CProc, CPar, HProc and SPar element goes into the
// tables after the checks that need only what has been read so far (redeclarations, conflicting
// specializations, incompatible or repeated handlers). Program-wide checks follow in LinkChecks.
#include "LinkReader.h"
#include "Messages.h"
#include "ProjectValues.h"

#include <cctype>
#include <sys/stat.h>

using namespace linkmsg;

static const char kModuleElement[] = "Module";
static const char kCaseElement[] = "Case";
static const char kSpecElement[] = "Spec";
static const char kCProcElement[] = "CProc";
static const char kCParElement[] = "CPar";
static const char kHProcElement[] = "HProc";
static const char kSParElement[] = "SPar";
static const char kYes[] = "yes";
static const char kTypeTagged[] = "type";

static bool IsYes(const std::string* value) { return value && *value == kYes; }

// Every name in a link description goes into the generated C++ text: Name, Qual and Tag must be
// identifiers and UID a decimal number. Returns the first value that is not, or nullptr.
static const std::string* BadValue(const CXmlElement& e)
{
    for (const char* attr : {"Name", "Qual", "Tag"}) {
        const std::string* value = e.AttributeValue(attr);
        if (value && !IsModuleName(*value)) return value;
    }
    if (const std::string* uid = e.AttributeValue("UID")) {
        for (char c : *uid)
            if (!std::isdigit(static_cast<unsigned char>(c))) return uid;
    }
    for (const auto& child : e.children)
        if (const std::string* bad = BadValue(*child)) return bad;
    return nullptr;
}

bool CLinkReader::ReadLinkDescription(const std::string& path, bool& found)
{
    std::unique_ptr<CXmlElement> root;
    XmlResult result = XmlLoad(path, root);
    struct stat st;
    found = result != xmlCannotOpen || stat(path.c_str(), &st) == 0;
    if (!found) return true;
    if (result == xmlFormatError) {
        out.Printf(kLinkFormat, path.c_str());
        return false;
    }
    if (result != xmlOk) {
        out.Printf(kLinkUnreadable, path.c_str());
        return false;
    }
    if (!root || root->name != kModuleElement) {
        out.Printf(kNoModuleDescription, path.c_str());
        return false;
    }
    if (const std::string* bad = BadValue(*root)) {
        out.Printf(kBadLinkName, ShownValue(*bad).c_str(), path.c_str());
        return false;
    }
    const std::string* module = root->AttributeValue("Name");
    for (const auto& child : root->children) {
        bool ok = true;
        if (child->name == kCaseElement) ok = AddCase(*child, module);
        else if (child->name == kCProcElement) ok = AddProc(*child, module);
        else if (child->name == kHProcElement) ok = AddHandler(*child, module);
        if (!ok) {
            out.Printf(kFileFailed, path.c_str());
            return false;
        }
    }
    return true;
}

bool CLinkReader::AddCase(const CXmlElement& e, const std::string* module)
{
    const std::string* qual = e.AttributeValue("Qual");
    const std::string* name = e.AttributeValue("Name");
    const bool declaration = qual == nullptr;
    const std::string* caseModule = declaration ? module : qual;
    if (!caseModule) {
        out.Printf(kNoCaseModule, kCaseDeclaration);
        if (!name) out.Printf(kNoCaseName);
        return false;
    }
    if (!name) {
        out.Printf(kNoCaseName);
        return false;
    }
    if (!module) {
        // An extension in a Module without Name: its specializations would have no qualifier.
        out.Printf(kNoCaseModule, kCaseExtension);
        return false;
    }
    const std::string* tagType = e.AttributeValue("TagType");
    const TagKind kind = tagType && *tagType == kTypeTagged ? TagKind::types : TagKind::tags;

    std::vector<std::pair<CLinkSpec, bool>> readEarlier;
    CLinkCase* c = tables.FindCase(*caseModule, *name);
    if (c && declaration) {
        if (c->declared) {
            out.Printf(kCaseRedeclared, name->c_str(), caseModule->c_str());
            return false;
        }
        // An extension was read before the declaration: the declaration takes the entry over,
        // and its own specializations come first.
        c->declared = true;
        c->tagKind = kind;
        readEarlier = c->TakeSpecs();
    } else if (!c) {
        c = tables.AddCase(*caseModule, *name);
        c->declared = declaration;
        c->tagKind = kind;
    }
    for (const auto& child : e.children) {
        if (child->name == kSpecElement && !AddSpec(*c, *child, module)) return false;
    }
    for (auto& [spec, isDefault] : readEarlier) {
        if (!AddSpecRecord(*c, std::move(spec), isDefault)) return false;
    }
    return true;
}

bool CLinkReader::AddSpec(CLinkCase& c, const CXmlElement& e, const std::string* module)
{
    const std::string* tag = e.AttributeValue("Tag");
    const std::string* name = e.AttributeValue("Name");
    const std::string* qual = e.AttributeValue("Qual");
    if (!name && !tag) {
        out.Printf(kNoSpecName, c.name.c_str());
        return false;
    }
    CLinkSpec spec;
    if (tag) spec.tag = *tag;
    spec.qual = qual ? *qual : *module;
    if (name) spec.name = *name;
    return AddSpecRecord(c, std::move(spec), IsYes(e.AttributeValue("Def")));
}

bool CLinkReader::AddSpecRecord(CLinkCase& c, CLinkSpec spec, bool isDefault)
{
    // The tag kind of a CASE known only from extensions is not known yet: its declaration
    // checks these specializations again when it is read.
    const bool wantsTag = c.tagKind == TagKind::tags;
    if (c.declared && spec.tag.has_value() != wantsTag) {
        out.Printf(kWrongSpecTag, c.name.c_str(), spec.name.c_str());
        if (spec.tag) out.Printf(kWrongSpecTagWith, spec.tag->c_str());
        out.Printf(kLineEnd);
        return false;
    }
    if (isDefault && c.defaultSpec) {
        out.Printf(kDefaultRedefined, c.name.c_str());
        return false;
    }
    const CLinkSpec* same = spec.tag ? c.ListEntryWithTag(*spec.tag) : c.ListEntryWithType(spec.qual, spec.name);
    if (!same && c.defaultSpec) {
        const CLinkSpec& d = *c.defaultSpec;
        bool match = spec.tag ? d.tag == spec.tag : (d.qual == spec.qual && d.name == spec.name);
        if (match) same = &d;
    }
    // Until the declaration fixes the tag kind, a tagged and an untagged entry stay apart, so
    // the declaration can check every one of them.
    if (same && !c.declared && same->tag.has_value() != spec.tag.has_value()) same = nullptr;
    if (same) {
        if (spec.tag && (same->qual != spec.qual || same->name != spec.name)) {
            out.Printf(kIncompatibleSpecs, spec.tag->c_str(), c.name.c_str(), c.module.c_str());
            return false;
        }
        return true;   // several modules may list the same specialization
    }
    if (isDefault) c.defaultSpec = std::move(spec);
    else c.Append(std::move(spec));
    return true;
}

bool CLinkReader::AddProc(const CXmlElement& e, const std::string* module)
{
    const std::string* name = e.AttributeValue("Name");
    if (!module || !name) {
        if (!module) out.Printf(kNoProcModule);
        if (!name) out.Printf(kNoProcName);
        return false;
    }
    if (tables.FindProc(*module, *name)) {
        out.Printf(kProcRedeclared, name->c_str(), module->c_str());
        return false;
    }
    CLinkProc* p = tables.AddProc(*module, *name);
    p->hasDefaultHandler = IsYes(e.AttributeValue("DefH"));
    for (const auto& child : e.children) {
        if (child->name != kCParElement) continue;
        const std::string* parQual = child->AttributeValue("Qual");
        const std::string* parName = child->AttributeValue("Name");
        if (!parName) {
            out.Printf(kNoCParName, int(p->params.size() + 1), name->c_str(), module->c_str());
            return false;
        }
        p->params.push_back(CLinkPar{std::nullopt, parQual ? *parQual : *module, *parName});
    }
    if (p->params.empty()) {
        out.Printf(kNoCommonPars, name->c_str(), module->c_str());
        return false;
    }
    return true;
}

bool CLinkReader::AddHandler(const CXmlElement& e, const std::string* module)
{
    const std::string* qualAttr = e.AttributeValue("Qual");
    const std::string* qual = qualAttr ? qualAttr : module;
    const std::string* name = e.AttributeValue("Name");
    const std::string* uid = e.AttributeValue("UID");
    // The holding module names the handler's namespace, so it is needed even with a Qual.
    if (!qual || !module || !name || !uid) {
        if (!qual || !module) out.Printf(kNoHandlerModule);
        if (!name) out.Printf(kNoHandlerName);
        if (!uid) out.Printf(kNoHandlerUid);
        return false;
    }
    auto h = std::make_unique<CLinkHandler>();
    h->module = *module;
    h->name = *name;
    h->qual = *qual;
    h->uid = *uid;
    if (!ReadHandlerParams(*h, e)) return false;
    if (h->params.empty()) {
        out.Printf(kNoSpecialPars, name->c_str(), qual->c_str());
        return false;
    }
    if (!CheckAgainstEarlierHandlers(*h)) return false;
    tables.AddHandler(std::move(h));
    return true;
}

bool CLinkReader::ReadHandlerParams(CLinkHandler& h, const CXmlElement& e)
{
    for (const auto& child : e.children) {
        if (child->name != kSParElement) continue;
        const std::string* tag = child->AttributeValue("Tag");
        const std::string* qual = child->AttributeValue("Qual");
        const std::string* name = child->AttributeValue("Name");
        if (!tag && !name) {
            out.Printf(kNoSParName, int(h.params.size() + 1), h.qual.c_str(), h.name.c_str(), h.uid.c_str(),
                       h.module.c_str());
            return false;
        }
        CLinkPar par;
        if (tag) par.tag = *tag;
        par.qual = qual ? *qual : h.module;
        if (name && !tag) par.name = *name;
        h.params.push_back(std::move(par));
    }
    return true;
}

// Two handlers of one procedure fit together when they have as many parameters and a tag entry
// faces a tag entry at every position.
static bool SameShape(const CLinkHandler& a, const CLinkHandler& b)
{
    if (a.params.size() != b.params.size()) return false;
    for (size_t i = 0; i < a.params.size(); ++i) {
        if (a.params[i].tag.has_value() != b.params[i].tag.has_value()) return false;
    }
    return true;
}

// Every handler already stored for this procedure has the shape of the first one (each was
// checked on arrival), so the first is the one to compare shapes with, and at most one earlier
// handler can have the very same signature.
bool CLinkReader::CheckAgainstEarlierHandlers(const CLinkHandler& h)
{
    const auto& earlier = tables.HandlersOf(h.qual, h.name);
    if (earlier.empty()) return true;
    const CLinkHandler* older = earlier.front().get();
    const char* format = kHandlersIncompatible;
    if (SameShape(*older, h)) {
        older = tables.FindSameSignature(h);
        if (!older) return true;
        format = kHandlerOverload;
    }
    out.Printf(format, h.qual.c_str(), h.name.c_str(), h.uid.c_str(), h.module.c_str(), older->qual.c_str(),
               older->name.c_str(), older->uid.c_str(), older->module.c_str());
    return false;
}
