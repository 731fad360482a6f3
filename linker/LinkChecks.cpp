// The linker's program-wide checks over the filled tables, run after reading and before
// writing: CheckDeclarations once, then CheckHandlers for every common procedure in table order.
#include "LinkChecks.h"
#include <cstdint>
#include <limits>
#include "Messages.h"

using namespace linkmsg;

bool CLinkChecker::CheckDeclarations()
{
    for (const auto& c : tables.Cases()) {
        if (!c->declared) {
            out.Printf(kCaseNotDeclared, c->name.c_str(), c->module.c_str());
            return false;
        }
    }
    return true;
}

const CLinkCase* CLinkChecker::ParameterCase(const CLinkProc& p, size_t i)
{
    const CLinkPar& par = p.params[i];
    const CLinkCase* c = tables.FindCase(par.qual, par.name);
    if (!c) out.Printf(kUnknownParType, int(i + 1), p.module.c_str(), p.name.c_str());
    return c;
}

bool CLinkChecker::CheckHandler(const CLinkProc& p, const CLinkHandler& h)
{
    if (h.params.size() != p.params.size()) {
        out.Printf(kParameterCounts, p.module.c_str(), p.name.c_str(), h.name.c_str(), h.uid.c_str(),
                   h.module.c_str());
        return false;
    }
    for (size_t i = 0; i < p.params.size(); ++i) {
        const CLinkCase* c = ParameterCase(p, i);
        if (!c) return false;
        const CLinkPar& hp = h.params[i];
        const int position = int(i + 1);
        if (hp.tag.has_value() != (c->tagKind == TagKind::tags)) {
            out.Printf(kWrongParTag, position, h.name.c_str(), h.uid.c_str(), h.module.c_str());
            return false;
        }
        const CLinkSpec* s = hp.tag ? c->FindByTag(*hp.tag) : c->FindByType(hp.qual, hp.name);
        if (!s) {
            out.Printf(kUnknownSpec, position, h.name.c_str(), h.uid.c_str(), h.module.c_str());
            return false;
        }
    }
    return true;
}

// a * b, held at the largest value instead of wrapping round.
static uint64_t SaturatingProduct(uint64_t a, uint64_t b)
{
    if (a != 0 && b > std::numeric_limits<uint64_t>::max() / a) return std::numeric_limits<uint64_t>::max();
    return a * b;
}

bool CLinkChecker::CheckHandlers(const CLinkProc& p)
{
    uint64_t handlers = 0;
    for (const auto& h : tables.HandlersOf(p.module, p.name)) {
        if (!CheckHandler(p, *h)) return false;
        ++handlers;
    }
    uint64_t combinations = 1;
    for (size_t i = 0; i < p.params.size(); ++i) {
        const CLinkCase* c = ParameterCase(p, i);
        if (!c) return false;
        combinations = SaturatingProduct(combinations, c->SpecCount());
    }
    // Overloads are refused on reading and every handler names an existing specialization at
    // each position, so as many handlers as combinations cover them all.
    if (handlers >= combinations) return true;
    const bool fails = !p.hasDefaultHandler && !insufficiencyIsWarning;
    out.Printf(kInsufficient, fails ? kSeverityError : kSeverityWarning, p.module.c_str(), p.name.c_str(),
               p.hasDefaultHandler ? "" : kWithoutDefault);
    return !fails;
}
