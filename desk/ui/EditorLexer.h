// The highlighter of VYK sources for the editor. It styles whole lines with the scanner of the
// core (the same words and comment rules as the compiler) and keeps the comment depth at the
// end of every line in the line's state, so an edit restyles only from its line on, and only
// as far as the depth at a line end changes.
#pragma once
#include <Qsci/qscilexercustom.h>

#include "VykScanner.h"

class CVykLexer : public QsciLexerCustom {
    Q_OBJECT
public:
    explicit CVykLexer(QObject* parent = nullptr);

    const char* language() const override { return "VYK"; }
    QString description(int style) const override;
    void styleText(int start, int end) override;
    int braceStyle() const override { return int(EVykStyle::Operator); }
    bool caseSensitive() const override { return true; }
    const char* wordCharacters() const override;

    QColor defaultColor(int style) const override;
    QFont defaultFont(int style) const override;
    QColor defaultPaper(int style) const override;

    // The monospace font of the editor at the application's font size.
    static QFont EditorFont();
};
