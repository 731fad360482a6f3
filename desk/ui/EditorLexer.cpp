// Styling VYK text line by line for the editor; the colours and fonts of the styles.
#include "EditorLexer.h"

#include <Qsci/qsciscintilla.h>

#include <QApplication>
#include <QFontDatabase>
#include <vector>

namespace {

struct SStyleLook {
    EVykStyle style;
    const char* name;
    QRgb color;
    bool bold;
    bool italic;
};

const SStyleLook kLooks[] = {
    {EVykStyle::Default, "Default", qRgb(0, 0, 0), false, false},
    {EVykStyle::Keyword, "Keyword", qRgb(0, 0, 160), true, false},
    {EVykStyle::Type, "Type", qRgb(0, 112, 112), true, false},
    {EVykStyle::Constant, "Constant", qRgb(128, 0, 128), true, false},
    {EVykStyle::Procedure, "Standard procedure", qRgb(0, 96, 160), false, false},
    {EVykStyle::Identifier, "Identifier", qRgb(0, 0, 0), false, false},
    {EVykStyle::Number, "Number", qRgb(160, 80, 0), false, false},
    {EVykStyle::Character, "Character constant", qRgb(160, 0, 80), false, false},
    {EVykStyle::String, "String", qRgb(0, 128, 0), false, false},
    {EVykStyle::Comment, "Comment", qRgb(110, 110, 110), false, true},
    {EVykStyle::Operator, "Operator", qRgb(64, 64, 64), false, false},
    {EVykStyle::Bad, "Bad character", qRgb(200, 0, 0), false, false},
};

const SStyleLook* Look(int style)
{
    for (const SStyleLook& l : kLooks)
        if (int(l.style) == style) return &l;
    return nullptr;
}

}  // namespace

CVykLexer::CVykLexer(QObject* parent) : QsciLexerCustom(parent) {}

QFont CVykLexer::EditorFont()
{
    QFont f = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    const QFont app = QApplication::font();
    if (app.pointSizeF() > 0) f.setPointSizeF(app.pointSizeF());
    else if (app.pixelSize() > 0) f.setPixelSize(app.pixelSize());
    return f;
}

QString CVykLexer::description(int style) const
{
    const SStyleLook* l = Look(style);
    return l ? QLatin1String(l->name) : QString();
}

const char* CVykLexer::wordCharacters() const
{
    return "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
}

QColor CVykLexer::defaultColor(int style) const
{
    const SStyleLook* l = Look(style);
    return l ? QColor(l->color) : QsciLexerCustom::defaultColor(style);
}

QFont CVykLexer::defaultFont(int style) const
{
    QFont f = EditorFont();
    if (const SStyleLook* l = Look(style)) {
        f.setBold(l->bold);
        f.setItalic(l->italic);
    }
    return f;
}

QColor CVykLexer::defaultPaper(int style) const
{
    return style == int(EVykStyle::Bad) ? QColor(255, 220, 220) : QColor(Qt::white);
}

// Styles from the start of start's line to the end of end's line, and on while the comment
// depth at a line's end differs from what the line had before: text after an opened or
// closed comment changes its meaning.
void CVykLexer::styleText(int start, int end)
{
    QsciScintilla* ed = editor();
    if (!ed) return;
    const int lineCount = ed->lines();
    int line = int(ed->SendScintilla(QsciScintilla::SCI_LINEFROMPOSITION, start));
    const int lastLine = int(ed->SendScintilla(QsciScintilla::SCI_LINEFROMPOSITION, end));
    int depth = line > 0 ? int(ed->SendScintilla(QsciScintilla::SCI_GETLINESTATE, line - 1)) : 0;
    std::vector<SVykSpan> spans;
    for (; line < lineCount; ++line) {
        const int from = int(ed->SendScintilla(QsciScintilla::SCI_POSITIONFROMLINE, line));
        const int to = int(ed->SendScintilla(QsciScintilla::SCI_POSITIONFROMLINE, line + 1));
        const int lineEnd = to > from ? to : int(ed->SendScintilla(QsciScintilla::SCI_GETLENGTH));
        const QByteArray text = ed->bytes(from, lineEnd);
        spans.clear();
        const int length = qMin(int(text.size()), lineEnd - from);
        depth = ScanVykLine(text.constData(), length, depth, spans);
        startStyling(from);
        int at = 0;
        for (const SVykSpan& s : spans) {
            if (s.start > at) setStyling(s.start - at, int(EVykStyle::Default));
            setStyling(s.length, int(s.style));
            at = s.start + s.length;
        }
        if (lineEnd - from > at) setStyling(lineEnd - from - at, int(EVykStyle::Default));
        const int before = int(ed->SendScintilla(QsciScintilla::SCI_GETLINESTATE, line));
        ed->SendScintilla(QsciScintilla::SCI_SETLINESTATE, line, depth);
        if (line >= lastLine && before == depth) break;
    }
}
