// Reading places out of log lines: the compiler's diagnostics, attributed to the file being
// compiled, and the C++ compiler's "file:line:column: error:" lines.
#include "LogLocations.h"

#include <QDir>
#include <QRegularExpression>

namespace {

constexpr int kCppTabStop = 8;

bool Utf8Continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

}  // namespace

void CLogLocations::SetSource(const QString& absolutePath, const QString& shown)
{
    source = absolutePath;
    sourceShown = shown;
}

void CLogLocations::SetToolFolder(const QString& folder)
{
    toolFolder = folder;
}

void CLogLocations::Clear()
{
    places.clear();
    source.clear();
    sourceShown.clear();
}

int CLogLocations::Add(const QString& line)
{
    SLogLocation place;
    if (!Parse(line, place)) return -1;
    places.push_back(place);
    return Count() - 1;
}

bool CLogLocations::Parse(const QString& line, SLogLocation& out) const
{
    return ParseCompilerLine(line, out) || ParseCppLine(line, out);
}

// ERROR (st 22, pos 4): THEN missing
bool CLogLocations::ParseCompilerLine(const QString& line, SLogLocation& out) const
{
    static const QRegularExpression re(QStringLiteral("^(ERROR|WARNING) \\(st (\\d+), pos (\\d+)\\): (.*)$"));
    if (source.isEmpty()) return false;
    const QRegularExpressionMatch m = re.match(line);
    if (!m.hasMatch()) return false;
    out.file = source;
    out.shown = sourceShown;
    out.line = m.captured(2).toInt();
    out.column = m.captured(3).toInt();
    out.kind = m.captured(1) == QLatin1String("ERROR") ? SLogLocation::Error : SLogLocation::Warning;
    out.columns = SLogLocation::CompilerColumns;
    out.message = m.captured(4);
    return out.line > 0;
}

// Calc.cpp:12:5: error: 'x' was not declared in this scope
// /abs/path/Calc.cpp:12: warning: ...
bool CLogLocations::ParseCppLine(const QString& line, SLogLocation& out) const
{
    static const QRegularExpression re(
        QStringLiteral("^(.+?):(\\d+):(?:(\\d+):)? (?:fatal )?(error|warning): (.*)$"));
    const QRegularExpressionMatch m = re.match(line);
    if (!m.hasMatch()) return false;
    const QString path = m.captured(1);
    out.file = QDir::cleanPath(QDir(toolFolder.isEmpty() ? QDir::currentPath() : toolFolder).absoluteFilePath(path));
    out.shown = path;
    out.line = m.captured(2).toInt();
    out.column = m.captured(3).isEmpty() ? 0 : m.captured(3).toInt();
    out.kind = m.captured(4) == QLatin1String("warning") ? SLogLocation::Warning : SLogLocation::Error;
    out.columns = SLogLocation::DisplayColumns;
    out.message = m.captured(5);
    return out.line > 0;
}

int ColumnToOffset(const QByteArray& line, int column, SLogLocation::EColumns unit, int tabSize)
{
    int col = 1;
    for (int i = 0; i < line.size(); ++i) {
        const char c = line.at(i);
        if (unit == SLogLocation::DisplayColumns && Utf8Continuation(c)) continue;
        if (unit == SLogLocation::CompilerColumns && c == '\t' && tabSize <= 0) continue;  // takes no column
        if (col >= column) return i;
        if (c != '\t') ++col;
        else if (unit == SLogLocation::CompilerColumns) col += tabSize;
        else col += kCppTabStop - (col - 1) % kCppTabStop;
    }
    return int(line.size());
}
