// Module heads and the import order of compile project. A small scanner reads identifiers,
// ":=", "," and ";" and skips blanks and nested comments; it stops at the end of the import
// list, so the rest of a module is never read.
#include "ModuleOrder.h"

#include <QFile>
#include <QHash>

namespace {

// Module heads are short; this many bytes hold any realistic import list.
constexpr qint64 HeadBytes = 64 * 1024;

class CHeadScanner {
public:
    explicit CHeadScanner(const QString& source) : s(source) {}

    // The next symbol: an identifier, ":=", or one other character; empty at the end.
    QString Next()
    {
        SkipBlanksAndComments();
        if (i >= s.size()) return QString();
        const QChar c = s.at(i);
        if (c.isLetter() || c == QLatin1Char('_')) {
            const int start = i;
            while (i < s.size() && (s.at(i).isLetterOrNumber() || s.at(i) == QLatin1Char('_'))) ++i;
            return s.mid(start, i - start);
        }
        if (c == QLatin1Char(':') && i + 1 < s.size() && s.at(i + 1) == QLatin1Char('=')) {
            i += 2;
            return QStringLiteral(":=");
        }
        ++i;
        return QString(c);
    }

private:
    void SkipBlanksAndComments()
    {
        int depth = 0;
        while (i < s.size()) {
            if (s.mid(i, 2) == QLatin1String("(*")) {
                ++depth;
                i += 2;
            } else if (depth > 0 && s.mid(i, 2) == QLatin1String("*)")) {
                --depth;
                i += 2;
            } else if (depth > 0 || s.at(i).isSpace()) {
                ++i;
            } else {
                return;
            }
        }
    }

    const QString& s;
    int i = 0;
};

bool IsIdent(const QString& sym)
{
    return !sym.isEmpty() && (sym.front().isLetter() || sym.front() == QLatin1Char('_'));
}

// Depth-first walk that appends a module after everything it imports.
class COrderWalk {
public:
    COrderWalk(const QStringList& files, const QList<SModuleHead>& heads) : f(files), h(heads)
    {
        for (int k = 0; k < f.size(); ++k)
            if (!h.at(k).name.isEmpty()) byName.insert(h.at(k).name, k);
        state.fill(Unvisited, f.size());
    }

    bool Visit(int k)
    {
        if (state.at(k) == Done) return true;
        if (state.at(k) == Open) {
            const int from = path.indexOf(k);
            for (int j = from; j < path.size(); ++j) result.cycle << h.at(path.at(j)).name;
            result.cycle << h.at(k).name;
            return false;
        }
        state[k] = Open;
        path << k;
        for (const QString& imported : h.at(k).imports) {
            const auto it = byName.constFind(imported);
            if (it != byName.constEnd() && !Visit(it.value())) return false;
        }
        path.removeLast();
        state[k] = Done;
        result.files << f.at(k);
        return true;
    }

    SCompileOrder result;

private:
    enum EState { Unvisited, Open, Done };
    const QStringList& f;
    const QList<SModuleHead>& h;
    QHash<QString, int> byName;
    QList<EState> state;
    QList<int> path;
};

}  // namespace

SModuleHead ParseModuleHead(const QString& text)
{
    SModuleHead head;
    CHeadScanner scan(text);
    if (scan.Next() != QLatin1String("MODULE")) return head;
    const QString name = scan.Next();
    if (!IsIdent(name) || scan.Next() != QLatin1String(";")) return head;
    head.name = name;
    if (scan.Next() != QLatin1String("IMPORT")) return head;
    for (;;) {
        QString module = scan.Next();
        if (!IsIdent(module)) return head;
        QString sym = scan.Next();
        if (sym == QLatin1String(":=")) {
            module = scan.Next();
            if (!IsIdent(module)) return head;
            sym = scan.Next();
        }
        head.imports << module;
        if (sym != QLatin1String(",")) return head;
    }
}

SModuleHead ReadModuleHead(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return ParseModuleHead(QString::fromUtf8(f.read(HeadBytes)));
}

SCompileOrder OrderByImports(const QStringList& files, const QString& mainFile, const QString& folder)
{
    QList<SModuleHead> heads;
    for (const QString& file : files) heads << ReadModuleHead(folder + file);
    COrderWalk walk(files, heads);
    const int main = files.indexOf(mainFile);
    for (int k = 0; k < files.size(); ++k)
        if (k != main && !walk.Visit(k)) return {{}, walk.result.cycle};
    if (main >= 0 && !walk.Visit(main)) return {{}, walk.result.cycle};
    return {walk.result.files, {}};
}
