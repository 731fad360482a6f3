// Reading one module's link description into the linker's tables.
// Module = Case | CProc | HProc (other children ignored); the Module's Name qualifies everything
// that names no module of its own. Each Add* writes its own ERROR lines and returns false on the
// first fault; ReadLinkDescription then adds the "File ... - FAILED" line.
#pragma once
#include <string>
#include "LinkTables.h"
#include "MessageStream.h"
#include "Xml.h"

class CLinkReader {
public:
    CLinkReader(CLinkTables& tables, CMessageStream& out) : tables(tables), out(out) {}

    // Reads `path`. found is false (and the result true) when there is no such file; a file that
    // exists but cannot be read, is not well formed, is not a module description or holds a name
    // that is not an identifier fails after its message.
    bool ReadLinkDescription(const std::string& path, bool& found);

    // Case Name [Qual] [TagType] { Spec }
    bool AddCase(const CXmlElement& e, const std::string* module);
    // Spec [Tag] [Qual] [Name] [Def]
    bool AddSpec(CLinkCase& c, const CXmlElement& e, const std::string* module);
    // CProc Name [DefH] { CPar [Qual] Name }
    bool AddProc(const CXmlElement& e, const std::string* module);
    // HProc [Qual] Name UID { SPar (Tag | [Qual] Name) }
    bool AddHandler(const CXmlElement& e, const std::string* module);

private:
    // Stores a specialization unless the CASE already has it; checks tag kind (once the CASE's
    // declaration has been read), a second default and conflicting tags.
    bool AddSpecRecord(CLinkCase& c, CLinkSpec spec, bool isDefault);
    bool ReadHandlerParams(CLinkHandler& h, const CXmlElement& e);
    bool CheckAgainstEarlierHandlers(const CLinkHandler& h);

    CLinkTables& tables;
    CMessageStream& out;
};
