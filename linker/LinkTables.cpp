// The linker's tables: lookups and insertion for common types, specializations, common
// procedures and handlers. Lists keep reading order; the maps beside them are indexes only.
#include "LinkTables.h"

std::vector<const CLinkSpec*> CLinkCase::SpecsInIdOrder() const
{
    std::vector<const CLinkSpec*> order;
    order.reserve(SpecCount());
    for (const CLinkSpec& s : specs) order.push_back(&s);
    if (defaultSpec) order.push_back(&*defaultSpec);
    return order;
}

const CLinkSpec* CLinkCase::ListEntryWithTag(const std::string& tag) const
{
    auto it = byTag.find(tag);
    return it == byTag.end() ? nullptr : &specs[it->second];
}

const CLinkSpec* CLinkCase::ListEntryWithType(const std::string& qual, const std::string& type) const
{
    auto it = byType.find({qual, type});
    return it == byType.end() ? nullptr : &specs[it->second];
}

const CLinkSpec* CLinkCase::FindByTag(const std::string& tag) const
{
    if (const CLinkSpec* s = ListEntryWithTag(tag)) return s;
    if (defaultSpec && defaultSpec->tag && *defaultSpec->tag == tag) return &*defaultSpec;
    return nullptr;
}

const CLinkSpec* CLinkCase::FindByType(const std::string& qual, const std::string& type) const
{
    if (const CLinkSpec* s = ListEntryWithType(qual, type)) return s;
    if (defaultSpec && defaultSpec->qual == qual && defaultSpec->name == type) return &*defaultSpec;
    return nullptr;
}

void CLinkCase::Append(CLinkSpec spec)
{
    size_t at = specs.size();
    if (spec.tag) byTag.emplace(*spec.tag, at);
    byType.emplace(std::make_pair(spec.qual, spec.name), at);
    specs.push_back(std::move(spec));
}

std::vector<std::pair<CLinkSpec, bool>> CLinkCase::TakeSpecs()
{
    std::vector<std::pair<CLinkSpec, bool>> taken;
    for (CLinkSpec& s : specs) taken.emplace_back(std::move(s), false);
    if (defaultSpec) taken.emplace_back(std::move(*defaultSpec), true);
    specs.clear();
    byTag.clear();
    byType.clear();
    defaultSpec.reset();
    return taken;
}

CLinkCase* CLinkTables::FindCase(const std::string& module, const std::string& name) const
{
    auto it = caseIndex.find({module, name});
    return it == caseIndex.end() ? nullptr : it->second;
}

CLinkCase* CLinkTables::AddCase(const std::string& module, const std::string& name)
{
    cases.push_back(std::make_unique<CLinkCase>());
    CLinkCase* c = cases.back().get();
    c->module = module;
    c->name = name;
    caseIndex[{module, name}] = c;
    return c;
}

CLinkProc* CLinkTables::FindProc(const std::string& module, const std::string& name) const
{
    auto it = procIndex.find({module, name});
    return it == procIndex.end() ? nullptr : it->second;
}

CLinkProc* CLinkTables::AddProc(const std::string& module, const std::string& name)
{
    procs.push_back(std::make_unique<CLinkProc>());
    CLinkProc* p = procs.back().get();
    p->module = module;
    p->name = name;
    procIndex[{module, name}] = p;
    return p;
}

const std::vector<std::unique_ptr<CLinkHandler>>& CLinkTables::HandlersOf(const std::string& module,
                                                                          const std::string& name) const
{
    static const std::vector<std::unique_ptr<CLinkHandler>> none;
    auto it = handlers.find({module, name});
    return it == handlers.end() ? none : it->second;
}

// A text that two handlers share exactly when they serve the same procedure and select the same
// specialization at every position. Every part is length-prefixed, so no byte of a name can fake
// a boundary.
static std::string SignatureKey(const CLinkHandler& h)
{
    std::string key;
    auto part = [&key](char kind, const std::string& text) {
        key += kind;
        key += std::to_string(text.size());
        key += ':';
        key += text;
    };
    part('q', h.qual);
    part('n', h.name);
    for (const CLinkPar& p : h.params) {
        if (p.tag) {
            part('t', *p.tag);
        } else {
            part('m', p.qual);
            part('y', p.name);
        }
    }
    return key;
}

const CLinkHandler* CLinkTables::FindSameSignature(const CLinkHandler& h) const
{
    auto it = signatures.find(SignatureKey(h));
    return it == signatures.end() ? nullptr : it->second;
}

void CLinkTables::AddHandler(std::unique_ptr<CLinkHandler> h)
{
    signatures.emplace(SignatureKey(*h), h.get());
    handlers[{h->qual, h->name}].push_back(std::move(h));
    ++handlerCount;
}
