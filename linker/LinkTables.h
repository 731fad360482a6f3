// The linker's program-wide tables: common types (CASE) with their specializations, common
// procedures and handler procedures, filled from the link descriptions and read by the checks and
// the writer. Every table keeps insertion order, which is the order of the generated text; the
// indexes beside the lists only make the lookups fast on programs with thousands of entries.
#pragma once
#include <cstddef>
#include <map>
#include <memory>
#include <optional>
#include <unordered_map>
#include <string>
#include <utility>
#include <vector>

#include "GeneratedNames.h"

// One specialization of a CASE.
//   tagged CASE:       tag present; qual.name its type, or name empty for a tag without type
//   type-tagged CASE:  tag absent; qual.name is the specialization itself
struct CLinkSpec {
    std::optional<std::string> tag;
    std::string qual;
    std::string name;

    bool HasType() const { return !name.empty(); }
};

enum class TagKind { tags, types };

// The text that names a specialization (or a handler parameter) in generated identifiers:
// its tag, or qual + "_" + name.
inline std::string SpecSuffix(const CLinkSpec& s) { return vykname::SpecSuffix(s.tag, s.qual, s.name); }

// A common type. The default specialization stays apart from the list until it is written.
class CLinkCase {
public:
    std::string module;
    std::string name;
    TagKind tagKind = TagKind::tags;
    bool declared = false;
    std::optional<CLinkSpec> defaultSpec;

    const std::vector<CLinkSpec>& Specs() const { return specs; }
    // The list with the default specialization last: the order of ids 1, 2, ...
    std::vector<const CLinkSpec*> SpecsInIdOrder() const;
    size_t SpecCount() const { return specs.size() + (defaultSpec ? 1 : 0); }

    // Lookups as the checks use them: the list first, then the default specialization.
    const CLinkSpec* FindByTag(const std::string& tag) const;
    const CLinkSpec* FindByType(const std::string& qual, const std::string& type) const;
    // The entry of the list (not the default) with this tag, or with this qual and type name.
    const CLinkSpec* ListEntryWithTag(const std::string& tag) const;
    const CLinkSpec* ListEntryWithType(const std::string& qual, const std::string& type) const;

    void Append(CLinkSpec spec);
    // Hands over every specialization (the list and the default) and leaves the CASE without any.
    std::vector<std::pair<CLinkSpec, bool>> TakeSpecs();

private:
    std::vector<CLinkSpec> specs;
    std::map<std::string, size_t> byTag;
    std::map<std::pair<std::string, std::string>, size_t> byType;
};

// A parameter of a common procedure (qual.name of its CASE, no tag) or of a handler
// (a tag entry, or a type entry qual.name selecting one specialization).
struct CLinkPar {
    std::optional<std::string> tag;
    std::string qual;
    std::string name;
};

struct CLinkProc {
    std::string module;
    std::string name;
    bool hasDefaultHandler = false;
    std::vector<CLinkPar> params;
};

// A handler procedure: held in `module`, it serves the common procedure qual.name.
struct CLinkHandler {
    std::string module;
    std::string name;
    std::string qual;
    std::string uid;
    std::vector<CLinkPar> params;
};

class CLinkTables {
public:
    using Key = std::pair<std::string, std::string>;   // (module, name)

    const std::vector<std::unique_ptr<CLinkCase>>& Cases() const { return cases; }
    const std::vector<std::unique_ptr<CLinkProc>>& Procs() const { return procs; }
    size_t HandlerCount() const { return handlerCount; }

    CLinkCase* FindCase(const std::string& module, const std::string& name) const;
    CLinkCase* AddCase(const std::string& module, const std::string& name);
    CLinkProc* FindProc(const std::string& module, const std::string& name) const;
    CLinkProc* AddProc(const std::string& module, const std::string& name);

    // The handlers that serve the common procedure module.name, in reading order.
    const std::vector<std::unique_ptr<CLinkHandler>>& HandlersOf(const std::string& module,
                                                                 const std::string& name) const;
    // The handler of the same procedure with exactly these parameters, if one was added.
    const CLinkHandler* FindSameSignature(const CLinkHandler& h) const;
    void AddHandler(std::unique_ptr<CLinkHandler> h);

private:
    std::vector<std::unique_ptr<CLinkCase>> cases;
    std::map<Key, CLinkCase*> caseIndex;
    std::vector<std::unique_ptr<CLinkProc>> procs;
    std::map<Key, CLinkProc*> procIndex;
    // Handlers grouped by the procedure they serve; reading order within each group is the
    // order the dispatch tests them in, and groups never interleave in the generated text.
    std::map<Key, std::vector<std::unique_ptr<CLinkHandler>>> handlers;
    std::unordered_map<std::string, const CLinkHandler*> signatures;
    size_t handlerCount = 0;
};
