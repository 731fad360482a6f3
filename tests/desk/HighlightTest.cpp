// The editor's highlighting against the compiler's lexer. Every example program and every
// library definition file is read by both: the compiler's token list and the scanner's spans
// must pair up one to one (same line, column, kind and text), so a reserved word, a comment
// boundary or a number read differently shows up as the first pair that differs. The styles
// that QScintilla holds after the editor's lexer ran must equal the scanner's, also after an
// edit opens and closes a comment above.
#include <QApplication>
#include <QDirIterator>
#include <QTest>

#include "DeskTestSupport.h"
#include "Editor.h"
#include "front/Lexer.h"
#include "VykScanner.h"

namespace {

struct SToken {
    int line;
    int column;   // 1-based; for strings the column after the opening quote, as the compiler has it
    QByteArray kind;
    QByteArray text;
    bool operator==(const SToken& o) const { return line == o.line && column == o.column && kind == o.kind && text == o.text; }
};

QByteArray Describe(const SToken& t)
{
    return QByteArray::number(t.line) + ":" + QByteArray::number(t.column) + " " + t.kind + " '" + t.text + "'";
}

QByteArray CompilerKind(int code)
{
    switch (code) {
    case symInteger:
    case symHexInteger:
    case symReal:
    case symLongReal: return "number";
    case symIdent: return "identifier";
    case symString: return "string";
    case symChar: return "character";
    default: return IsReservedWord(code) ? "word" : "symbol";
    }
}

std::vector<SToken> CompilerTokens(const QByteArray& text)
{
    std::vector<SToken> out;
    auto lb = CLexBuf::TokenizeText(text.toStdString(), "t.vyk", 1);
    if (!lb) return out;
    int code = 0;
    const char* s = nullptr;
    while (lb->NextSymbol(code, s)) {
        QByteArray t = IsTextSymbol(code) ? QByteArray(s) : QByteArray(SymbolSpelling(code));
        out.push_back({lb->Line(), lb->Column(), CompilerKind(code), t});
    }
    return out;
}

// The scanner's spans as the compiler would report them: the suffix H or X of a number and the
// quotes of a string are not part of the token's text.
std::vector<SToken> ScannerTokens(const QByteArray& text, std::vector<std::vector<SVykSpan>>* perLine = nullptr)
{
    std::vector<SToken> out;
    int depth = 0;
    const QList<QByteArray> lines = text.split('\n');
    for (int n = 0; n < lines.size(); ++n) {
        const QByteArray line = lines.at(n) + (n + 1 < lines.size() ? "\n" : "");
        std::vector<SVykSpan> spans;
        depth = ScanVykLine(line.constData(), int(line.size()), depth, spans);
        for (const SVykSpan& sp : spans) {
            QByteArray t = line.mid(sp.start, sp.length);
            int column = sp.start + 1;
            QByteArray kind;
            switch (sp.style) {
            case EVykStyle::Comment: continue;
            case EVykStyle::Keyword:
            case EVykStyle::Type:
            case EVykStyle::Constant:
            case EVykStyle::Procedure: kind = "word"; break;
            case EVykStyle::Identifier: kind = "identifier"; break;
            case EVykStyle::Operator: kind = "symbol"; break;
            case EVykStyle::Character: kind = "character"; t.chop(1); break;
            case EVykStyle::String: kind = "string"; t = t.mid(1, t.size() - 2); ++column; break;
            case EVykStyle::Number:
                kind = "number";
                if (t.endsWith('H')) t.chop(1);
                break;
            default: kind = "bad"; break;
            }
            out.push_back({n + 1, column, kind, t});
        }
        if (perLine) perLine->push_back(spans);
    }
    return out;
}

// The first difference of the two readings, or an empty text.
QByteArray FirstDifference(const QByteArray& text)
{
    const std::vector<SToken> a = CompilerTokens(text), b = ScannerTokens(text);
    for (size_t i = 0; i < std::max(a.size(), b.size()); ++i) {
        if (i < a.size() && i < b.size() && a[i] == b[i]) continue;
        return "compiler " + (i < a.size() ? Describe(a[i]) : QByteArray("<end>")) + ", editor " +
               (i < b.size() ? Describe(b[i]) : QByteArray("<end>"));
    }
    return QByteArray();
}

QStringList SampleFiles()
{
    QStringList files;
    for (const char* folder : {"/examples", "/lib"}) {
        QDirIterator it(QStringLiteral(VYK_SOURCE_DIR) + QLatin1String(folder), {"*.vyk", "*.dfn"}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) files << it.next();
    }
    files.sort();
    return files;
}

// The styles QScintilla holds for the editor's text, byte by byte, against the scanner's.
QByteArray StyleDifference(CSourceEditor& ed)
{
    ed.SendScintilla(QsciScintilla::SCI_COLOURISE, 0, -1);
    const QByteArray text = ed.Bytes();
    std::vector<std::vector<SVykSpan>> perLine;
    ScannerTokens(text, &perLine);
    int lineStart = 0;
    const QList<QByteArray> lines = text.split('\n');
    for (int n = 0; n < lines.size(); ++n) {
        std::vector<int> expected(size_t(lines.at(n).size()), int(EVykStyle::Default));
        for (const SVykSpan& sp : perLine.at(size_t(n)))
            for (int i = sp.start; i < sp.start + sp.length && i < int(expected.size()); ++i) expected[size_t(i)] = int(sp.style);
        for (int i = 0; i < int(expected.size()); ++i) {
            const int style = int(ed.SendScintilla(QsciScintilla::SCI_GETSTYLEAT, lineStart + i));
            if (style != expected[size_t(i)])
                return "line " + QByteArray::number(n + 1) + " byte " + QByteArray::number(i) + ": style " +
                       QByteArray::number(style) + ", expected " + QByteArray::number(expected[size_t(i)]);
        }
        lineStart += int(lines.at(n).size()) + 1;
    }
    return QByteArray();
}

}  // namespace

class HighlightTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

private slots:
    void everySampleIsReadAlikeByCompilerAndEditor()
    {
        const QStringList files = SampleFiles();
        QVERIFY(files.size() >= 30);
        for (const QString& f : files) {
            const QByteArray text = ReadText(f);
            QVERIFY2(!CompilerTokens(text).empty(), qPrintable(f));
            const QByteArray diff = FirstDifference(text);
            QVERIFY2(diff.isEmpty(), qPrintable(f + QLatin1String(": ") + QString::fromUtf8(diff)));
        }
    }

    void commentsWordsAndNumbersAtTheirEdges()
    {
        const char* const texts[] = {
            "MODULE M; (* a (* nested *) still BEGIN *) END M.",
            "(* open\n (* deeper *) IF\n*) x := 1 (*) y *) z",
            "x (**) y (* (*) *) IF *) THEN",
            "BEGINx Begin BEGIN1 FOO DEFINITION LOCAL ASSERT",
            "1..5 1.5e3 1.E5 1.5D-3 0FFH 41X 12H 0002147483647 2147483647",
            "a := 'it\"s' + \"don't\" + '' ; b += c <= d >= e # f ~ g & h | i ^ [j] {k}",
        };
        for (const char* t : texts) {
            const QByteArray diff = FirstDifference(t);
            QVERIFY2(diff.isEmpty(), qPrintable(QLatin1String(t) + QLatin1String(": ") + QString::fromUtf8(diff)));
        }
    }

    void whatTheCompilerRejectsIsMarkedBad()
    {
        for (const char* t : {"0FF", "1.5E", "9223372036854775808", "a_b", "'open", "x @ y"}) {
            std::vector<SVykSpan> spans;
            ScanVykLine(t, int(qstrlen(t)), 0, spans);
            bool bad = false;
            for (const SVykSpan& s : spans) bad = bad || s.style == EVykStyle::Bad;
            QVERIFY2(bad, t);
            QVERIFY2(!CLexBuf::TokenizeText(t, "t.vyk", 1), t);
        }
    }

    void theEditorsStylesFollowTheScannerThroughEdits()
    {
        const QString path = dir.filePath(QStringLiteral("Queens.vyk"));
        QVERIFY(QFile::copy(QStringLiteral(VYK_SOURCE_DIR "/examples/queens/Queens.vyk"), path));
        CSourceEditor ed(path, nullptr);
        QVERIFY(ed.Load());
        QByteArray diff = StyleDifference(ed);
        QVERIFY2(diff.isEmpty(), diff.constData());
        ed.insertAt(QStringLiteral("(* "), 1, 0);  // opens a comment over the rest of the file
        diff = StyleDifference(ed);
        QVERIFY2(diff.isEmpty(), diff.constData());
        QCOMPARE(int(ed.SendScintilla(QsciScintilla::SCI_GETSTYLEAT, ed.length() - 2)), int(EVykStyle::Comment));
        ed.insertAt(QStringLiteral(" *)"), 1, 3);   // and closes it again
        diff = StyleDifference(ed);
        QVERIFY2(diff.isEmpty(), diff.constData());
        QCOMPARE(int(ed.SendScintilla(QsciScintilla::SCI_GETSTYLEAT, ed.length() - 2)), int(EVykStyle::Operator));
    }
};

QTEST_MAIN(HighlightTest)
#include "HighlightTest.moc"
