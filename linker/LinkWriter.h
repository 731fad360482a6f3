// Writing _VYK_ppp.h and _VYK_ppp.cpp: the run-time structure of every common type with its
// specialization ids, initialisation and free functions, and one dispatch function per common
// procedure. Both texts are composed in memory and written only when the checks have passed.
#pragma once
#include <string>
#include "LinkTables.h"
#include "MessageStream.h"
#include "TextBuffer.h"
#include "TextFile.h"
#include "Xml.h"

class CLinkWriter {
public:
    CLinkWriter(const CLinkTables& tables, CMessageStream& out) : tables(tables), out(out) {}

    // Writes both files into the output folder; false after the message when one cannot be
    // opened, written or closed. Both are written beside their places and moved in together
    // once both are complete, so a failure leaves the earlier pair; an unchanged file keeps its time.
    bool WriteLinkOutput(const CXmlElement& project, const std::string& outputFolder);
    // The complete texts of both files.
    void Compose(const CXmlElement& project, CTextBuffer& header, CTextBuffer& source) const;

    static std::string HeaderPath(const std::string& outputFolder);
    static std::string SourcePath(const std::string& outputFolder);

private:
    // Header: forward declarations of the specialization types, then
    //   namespace <module> {
    //   struct <Case> {
    //       int VYK_SID; void (*VYK_FREE)(<Case>*); constructors; destructor;
    //       union { <qual>::<type>* VYK_SPEC_<suffix>; ... };
    //       static const int VYK_SID_<suffix>; static void VYK_INIT_<suffix>(<Case>*); ...
    //   };}
    // Source: the id constant, VYK_INIT_<suffix> and (for a typed one) VYK_FREE_<suffix> of
    // every specialization, the default specialization last.
    void WriteCase(const CLinkCase& c, CTextBuffer& header, CTextBuffer& source) const;
    // void* VYK_COMMON_<module>_<name>(<qual>::<Case>* p0, ...)
    // {
    //     if (p0->VYK_SID_<suffix> == p0->VYK_SID && ...) return (void*)<m>::VYK_HANDLER_<name>_<uid>;
    //     return 0;
    // }
    // While the combinations of specialization ids number at most a few thousand, instead:
    //   header: extern void* const VYK_TABLE_<module>_<name>[n0][n1]...;
    //           inline void* VYK_COMMON_<module>_<name>(<qual>::<Case>* p0, ...)
    //           {   (p0->VYK_SID < n0 && ...) ? VYK_TABLE_<module>_<name>[p0->VYK_SID]... : 0   }
    //   source: the table, entry 0 of each dimension (no specialization) and every combination
    //           no handler fits being 0.
    void WriteDispatch(const CLinkProc& p, CTextBuffer& header, CTextBuffer& source) const;
    std::vector<const CLinkHandler*> HandlerTable(const CLinkProc& p, std::vector<size_t>& sizes) const;
    void WriteDispatchParams(const CLinkProc& p, CTextBuffer& f) const;
    void WriteDispatchTable(const CLinkProc& p, const std::vector<const CLinkHandler*>& table,
                            const std::vector<size_t>& sizes, CTextBuffer& header, CTextBuffer& source) const;
    bool WriteFile(CTextFile& file, const std::string& path, const std::string& text);

    const CLinkTables& tables;
    CMessageStream& out;
};
