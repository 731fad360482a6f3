// The places that the log's lines point to. The compiler's diagnostic lines carry a line and
// a column but no file: the pipeline starts the compiler once per file, names that file here
// before the run, and every ERROR (st L, pos C) or WARNING (st L, pos C) line that follows
// belongs to it. A C++ compiler line "<file>:<line>:<column>: error: ..." names its file
// itself, relative to the folder the tool ran in. The list holds the places of the last run,
// in log order, for going from a log line to the editor and for walking the errors (F4).
#pragma once
#include <QByteArray>
#include <QString>
#include <vector>

struct SLogLocation {
    enum EKind { Error, Warning };
    enum EColumns { CompilerColumns, DisplayColumns };
    QString file;      // absolute path
    QString shown;     // the name the log shows: as in the project list, or as the tool wrote it
    int line = 0;      // 1-based
    int column = 0;    // 1-based, in the unit of `columns`; 0 when the line gave none
    EKind kind = Error;
    EColumns columns = CompilerColumns;
    QString message;   // the text after the position
};

class CLogLocations {
public:
    // The source file that the compiler lines from now on belong to (empty: none), shown under
    // the name `shown`; and the folder that relative paths in C++ compiler lines start from.
    void SetSource(const QString& absolutePath, const QString& shown);
    void SetToolFolder(const QString& folder);
    void Clear();

    // Reads one log line; the index of its place in the list, or -1 when it points nowhere.
    int Add(const QString& line);
    // The same reading, without keeping anything.
    bool Parse(const QString& line, SLogLocation& out) const;

    int Count() const { return int(places.size()); }
    const SLogLocation& At(int index) const { return places.at(size_t(index)); }

private:
    bool ParseCompilerLine(const QString& line, SLogLocation& out) const;
    bool ParseCppLine(const QString& line, SLogLocation& out) const;

    QString source, sourceShown, toolFolder;
    std::vector<SLogLocation> places;
};

// The byte offset within `line` (the bytes of one source line, without its end) of the column
// that a tool reported. The VYK compiler counts every byte as one column and a tab as
// `tabSize` columns; the C++ compiler counts characters and moves a tab to the next multiple
// of eight. A column past the end gives the line's length.
int ColumnToOffset(const QByteArray& line, int column, SLogLocation::EColumns unit, int tabSize);
