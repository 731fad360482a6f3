// The editor tabs and their search bar. A tab reads and writes its file through the core
// (byte for byte, see SourceText.h); the area asks before it drops an edit, and watches the
// open files so that a change by another program is offered for reload once per change.
#include "Editor.h"

#include <Qsci/qscilexercpp.h>
#include <Qsci/qscistyle.h>

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "EditorLexer.h"
#include "Texts.h"

using namespace DeskText;

namespace {

constexpr int LineNumberMargin = 0;
constexpr int SignMargin = 1;
constexpr int DefaultTabWidth = 4;
// Styles of the messages under marked lines, above the highlighters' styles.
constexpr int ErrorNoteStyle = 60;
constexpr int WarningNoteStyle = 61;
constexpr const char* LineNumberDigits = "000000";

QString Key(const QString& path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

bool IsVykSource(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix != QLatin1String("cpp") && suffix != QLatin1String("h") && suffix != QLatin1String("hpp");
}

}  // namespace

// CSourceEditor --------------------------------------------------------------------------------

CSourceEditor::CSourceEditor(const QString& filePath, QWidget* parent) : QsciScintilla(parent), path(filePath)
{
    setObjectName(QStringLiteral("edSource"));
    const QFont font = CVykLexer::EditorFont();
    setUtf8(true);
    if (IsVykSource(path)) {
        setLexer(new CVykLexer(this));
    } else {
        auto* cpp = new QsciLexerCPP(this);
        cpp->setDefaultFont(font);
        cpp->setFont(font);
        setLexer(cpp);
    }
    setFont(font);
    setMarginsFont(font);
    setMarginType(LineNumberMargin, NumberMargin);
    setMarginLineNumbers(LineNumberMargin, true);
    setMarginWidth(LineNumberMargin, QLatin1String(LineNumberDigits));
    setMarginMarkerMask(LineNumberMargin, 0);
    setMarginType(SignMargin, SymbolMargin);
    setMarginWidth(SignMargin, QFontMetrics(font).height());
    setMarginMarkerMask(SignMargin, (1 << ErrorSign) | (1 << WarningSign));
    setMarginSensitivity(SignMargin, false);
    setBraceMatching(SloppyBraceMatch);
    setCaretLineVisible(true);
    setCaretLineBackgroundColor(QColor(240, 244, 255));
    // The caret line's colour would hide a marked line's, so it pauses there.
    connect(this, &QsciScintilla::cursorPositionChanged, this, [this](int line, int) {
        setCaretLineVisible(!(markersAtLine(line) & ((1 << ErrorLine) | (1 << WarningLine))));
    });
    SendScintilla(SCI_SETSCROLLWIDTH, 1);
    SendScintilla(SCI_SETSCROLLWIDTHTRACKING, true);
    setAutoIndent(true);
    setIndentationsUseTabs(true);
    setTabWidth(DefaultTabWidth);
    setAnnotationDisplay(AnnotationBoxed);
    markerDefine(Background, ErrorLine);
    setMarkerBackgroundColor(QColor(255, 205, 205), ErrorLine);
    markerDefine(Background, WarningLine);
    setMarkerBackgroundColor(QColor(255, 240, 190), WarningLine);
    markerDefine(RightArrow, ErrorSign);
    setMarkerBackgroundColor(QColor(210, 0, 0), ErrorSign);
    setMarkerForegroundColor(QColor(120, 0, 0), ErrorSign);
    markerDefine(RightArrow, WarningSign);
    setMarkerBackgroundColor(QColor(230, 160, 0), WarningSign);
    setMarkerForegroundColor(QColor(120, 80, 0), WarningSign);
    indicatorDefine(SquiggleIndicator, PlaceIndicator);
    setIndicatorForegroundColor(QColor(210, 0, 0), PlaceIndicator);
    errorNote = std::make_unique<QsciStyle>(ErrorNoteStyle, QStringLiteral("Error note"), QColor(120, 0, 0),
                                            QColor(255, 236, 236), font);
    warningNote = std::make_unique<QsciStyle>(WarningNoteStyle, QStringLiteral("Warning note"), QColor(100, 70, 0),
                                              QColor(255, 248, 220), font);
}

CSourceEditor::~CSourceEditor() = default;

bool CSourceEditor::Load()
{
    QByteArray bytes;
    if (!ReadSourceFile(path, bytes)) return false;
    int line = 0, index = 0;
    getCursorPosition(&line, &index);
    utf8 = IsValidUtf8(bytes);
    setUtf8(utf8);
    setText(utf8 ? QString::fromUtf8(bytes) : QString::fromLatin1(bytes));
    setEolMode(bytes.contains("\r\n") ? EolWindows : bytes.contains('\r') ? EolMac : EolUnix);
    SendScintilla(SCI_EMPTYUNDOBUFFER);
    setModified(false);
    setCursorPosition(qMin(line, lines() - 1), 0);
    stamp = StampOf(path);
    return true;
}

QByteArray CSourceEditor::Bytes() const
{
    QByteArray b = bytes(0, length());
    b.truncate(length());
    return b;
}

bool CSourceEditor::Save()
{
    if (!WriteSourceFile(path, Bytes())) return false;
    setModified(false);
    stamp = StampOf(path);
    return true;
}

void CSourceEditor::GoTo(int line, int offset)
{
    setCursorPosition(line, offset);
    ensureLineVisible(line);
    ensureCursorVisible();
    setFocus();
}

void CSourceEditor::MarkPlace(int line, int offset, const QString& message, bool warning)
{
    markerAdd(line, warning ? WarningLine : ErrorLine);
    markerAdd(line, warning ? WarningSign : ErrorSign);
    setCaretLineVisible(false);
    const QString before = annotation(line);
    if (!before.split(QLatin1Char('\n')).contains(message))
        annotate(line, before.isEmpty() ? message : before + QLatin1Char('\n') + message, warning ? *warningNote : *errorNote);
    const int from = positionFromLineIndex(line, offset);
    const int wordEnd = int(SendScintilla(SCI_WORDENDPOSITION, from, true));
    const int lineEnd = int(SendScintilla(SCI_GETLINEENDPOSITION, line));
    const int to = wordEnd > from ? wordEnd : qMin(from + 1, lineEnd);
    if (to > from) {
        SendScintilla(SCI_SETINDICATORCURRENT, PlaceIndicator);
        SendScintilla(SCI_INDICATORFILLRANGE, from, to - from);
    }
}

void CSourceEditor::ClearMarks()
{
    markerDeleteAll();
    setCaretLineVisible(true);
    clearAnnotations();
    SendScintilla(SCI_SETINDICATORCURRENT, PlaceIndicator);
    SendScintilla(SCI_INDICATORCLEARRANGE, 0, length());
}

void CSourceEditor::SetTabSize(int columns)
{
    setTabWidth(columns >= 2 ? columns : DefaultTabWidth);
}

// CEditorArea ----------------------------------------------------------------------------------

CEditorArea::CEditorArea(IDeskPrompts& prompts, QWidget* parent) : QWidget(parent), ui(prompts)
{
    setObjectName(QStringLiteral("pnEditor"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("pgcEditor"));
    tabs->setTabsClosable(true);
    tabs->setMovable(true);
    tabs->setDocumentMode(true);
    layout->addWidget(tabs, 1);
    layout->addWidget(CreateBar());
    HideBar();
    connect(tabs, &QTabWidget::tabCloseRequested, this, [this](int index) { CloseTab(index); });
    connect(&watcher, &QFileSystemWatcher::fileChanged, this, &CEditorArea::FileChanged);
    if (QWidget* top = window(); top != this) top->installEventFilter(this);
}

bool CEditorArea::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::WindowActivate && watched == window())
        QTimer::singleShot(0, this, &CEditorArea::CheckOutsideChanges);
    return QWidget::eventFilter(watched, event);
}

QWidget* CEditorArea::CreateBar()
{
    pnBar = new QWidget(this);
    pnBar->setObjectName(QStringLiteral("pnSearch"));
    auto* row = new QHBoxLayout(pnBar);
    row->setContentsMargins(2, 2, 2, 2);
    auto label = [this](const char* text, QWidget* buddy) {
        auto* l = new QLabel(Q(text), pnBar);
        l->setBuddy(buddy);
        return l;
    };
    auto button = [this](const char* name, const QString& text, auto handler) {
        auto* b = new QToolButton(pnBar);
        b->setObjectName(QLatin1String(name));
        b->setText(text);
        connect(b, &QToolButton::clicked, this, handler);
        return b;
    };
    edFind = new QLineEdit(pnBar);
    edFind->setObjectName(QStringLiteral("edFind"));
    edReplace = new QLineEdit(pnBar);
    edReplace->setObjectName(QStringLiteral("edReplace"));
    edGoToLine = new QLineEdit(pnBar);
    edGoToLine->setObjectName(QStringLiteral("edGoToLine"));
    cbMatchCase = new QCheckBox(QStringLiteral("Регистр"), pnBar);
    cbMatchCase->setObjectName(QStringLiteral("cbMatchCase"));
    cbWholeWord = new QCheckBox(QStringLiteral("Слово целиком"), pnBar);
    cbWholeWord->setObjectName(QStringLiteral("cbWholeWord"));
    lbBarStatus = new QLabel(pnBar);
    lbBarStatus->setObjectName(QStringLiteral("lbBarStatus"));
    findWidgets = {label(FindCaption, edFind), edFind,
                   button("tbFindPrev", QStringLiteral("▲"), [this] { FindNext(false); }),
                   button("tbFindNext", QStringLiteral("▼"), [this] { FindNext(true); }), cbMatchCase, cbWholeWord};
    replaceWidgets = {label(ReplaceCaption, edReplace), edReplace,
                      button("tbReplace", QStringLiteral("Заменить"), [this] { ReplaceOne(); }),
                      button("tbReplaceAll", QStringLiteral("Заменить все"), [this] { ReplaceAll(); })};
    goToWidgets = {label(GoToLineCaption, edGoToLine), edGoToLine};
    for (QWidget* w : findWidgets + replaceWidgets + goToWidgets) row->addWidget(w);
    row->addWidget(lbBarStatus, 1);
    row->addWidget(button("tbCloseBar", QStringLiteral("✕"), [this] { HideBar(); }));
    connect(edFind, &QLineEdit::returnPressed, this, [this] { FindNext(true); });
    connect(edReplace, &QLineEdit::returnPressed, this, [this] { ReplaceOne(); });
    connect(edGoToLine, &QLineEdit::returnPressed, this, [this] {
        bool ok = false;
        const int line = edGoToLine->text().trimmed().toInt(&ok);
        if (ok && GoToLine(line)) HideBar();
    });
    return pnBar;
}

int CEditorArea::Count() const
{
    return tabs->count();
}

CSourceEditor* CEditorArea::EditorAt(int index) const
{
    return qobject_cast<CSourceEditor*>(tabs->widget(index));
}

CSourceEditor* CEditorArea::Current() const
{
    return qobject_cast<CSourceEditor*>(tabs->currentWidget());
}

CSourceEditor* CEditorArea::EditorFor(const QString& path) const
{
    const QString key = Key(path);
    for (int i = 0; i < Count(); ++i)
        if (Key(EditorAt(i)->Path()) == key) return EditorAt(i);
    return nullptr;
}

CSourceEditor* CEditorArea::Open(const QString& path)
{
    if (CSourceEditor* open = EditorFor(path)) {
        tabs->setCurrentWidget(open);
        return open;
    }
    auto* editor = new CSourceEditor(QDir::cleanPath(QFileInfo(path).absoluteFilePath()), tabs);
    if (!editor->Load()) {
        delete editor;
        ui.Error(Q(ReadError) + path + QLatin1Char('"'));
        return nullptr;
    }
    editor->SetTabSize(tabSize);
    tabs->addTab(editor, QString());
    ShowTitle(editor);
    tabs->setCurrentWidget(editor);
    connect(editor, &QsciScintilla::modificationChanged, this, [this, editor] { ShowTitle(editor); });
    Watch(editor->Path());
    return editor;
}

void CEditorArea::ShowTitle(CSourceEditor* editor)
{
    const int index = tabs->indexOf(editor);
    if (index < 0) return;
    QString title = QFileInfo(editor->Path()).fileName();
    if (editor->isReadOnly()) title += Q(ReadOnlyMark);
    if (editor->isModified()) title += QLatin1String(ModifiedMark);
    tabs->setTabText(index, title);
    tabs->setTabToolTip(index, QDir::toNativeSeparators(editor->Path()));
}

void CEditorArea::Watch(const QString& path)
{
    if (QFileInfo::exists(path) && !watcher.files().contains(path)) watcher.addPath(path);
}

bool CEditorArea::Save(CSourceEditor* editor)
{
    if (editor->Save()) {
        Watch(editor->Path());
        emit FileSaved(editor->Path());
        return true;
    }
    ui.Error(Q(WriteError) + editor->Path() + QLatin1Char('"'));
    return false;
}

bool CEditorArea::SaveCurrent()
{
    CSourceEditor* editor = Current();
    return editor && Save(editor);
}

bool CEditorArea::HasModified() const
{
    for (int i = 0; i < Count(); ++i)
        if (EditorAt(i)->isModified()) return true;
    return false;
}

bool CEditorArea::SaveAll()
{
    for (int i = 0; i < Count(); ++i)
        if (EditorAt(i)->isModified() && !Save(EditorAt(i))) return false;
    return true;
}

bool CEditorArea::QuerySaveAll()
{
    if (!HasModified()) return true;
    switch (ui.Question(Q(SaveSourcesOnClose), IDeskPrompts::EButtons::YesNoCancel)) {
    case IDeskPrompts::EAnswer::Yes: return SaveAll();
    case IDeskPrompts::EAnswer::No: return true;
    default: return false;
    }
}

bool CEditorArea::CloseTab(int index)
{
    CSourceEditor* editor = EditorAt(index);
    if (!editor) return false;
    if (editor->isModified()) {
        const QString name = QFileInfo(editor->Path()).fileName();
        switch (ui.Question(Q(SaveSourceQuestion) + name + Q(SaveSourceQuestionEnd), IDeskPrompts::EButtons::YesNoCancel)) {
        case IDeskPrompts::EAnswer::Yes:
            if (!Save(editor)) return false;
            break;
        case IDeskPrompts::EAnswer::No: break;
        default: return false;
        }
    }
    tabs->removeTab(index);
    if (!EditorFor(editor->Path())) watcher.removePath(editor->Path());
    editor->deleteLater();
    return true;
}

void CEditorArea::SetTabSize(int columns)
{
    tabSize = columns;
    for (int i = 0; i < Count(); ++i) EditorAt(i)->SetTabSize(columns);
}

bool CEditorArea::ShowPlace(const SLogLocation& place)
{
    const bool generated = !IsVykSource(place.file);
    const bool wasOpen = EditorFor(place.file) != nullptr;
    CSourceEditor* editor = Open(place.file);
    if (!editor) return false;
    if (generated && !wasOpen) {
        editor->setReadOnly(true);
        ShowTitle(editor);
    }
    const int line = qBound(0, place.line - 1, qMax(0, editor->lines() - 1));
    QByteArray text = editor->bytes(editor->positionFromLineIndex(line, 0),
                                    int(editor->SendScintilla(QsciScintilla::SCI_GETLINEENDPOSITION, line)));
    while (!text.isEmpty() && text.endsWith('\0')) text.chop(1);
    const int offset = place.column > 0 ? ColumnToOffset(text, place.column, place.columns, tabSize) : 0;
    editor->MarkPlace(line, offset, place.message, place.kind == SLogLocation::Warning);
    editor->GoTo(line, offset);
    return true;
}

void CEditorArea::ClearMarks()
{
    for (int i = 0; i < Count(); ++i) EditorAt(i)->ClearMarks();
}

void CEditorArea::FileChanged(const QString& path)
{
    Watch(path);
    CheckOutsideChanges();
}

void CEditorArea::CheckOutsideChanges()
{
    if (checking) return;
    checking = true;
    for (int i = 0; i < Count(); ++i) {
        CSourceEditor* editor = EditorAt(i);
        const SFileStamp now = StampOf(editor->Path());
        if (!now.exists || now == editor->stamp) continue;
        editor->stamp = now;
        const QString name = QFileInfo(editor->Path()).fileName();
        const QString question = Q(ReloadQuestion) + name + Q(editor->isModified() ? ReloadLosesEdits : ReloadQuestionEnd);
        if (ui.Question(question, IDeskPrompts::EButtons::YesNo) == IDeskPrompts::EAnswer::Yes) Reload(editor);
        Watch(editor->Path());
    }
    checking = false;
}

void CEditorArea::Reload(CSourceEditor* editor)
{
    if (!editor->Load()) ui.Error(Q(ReadError) + editor->Path() + QLatin1Char('"'));
    ShowTitle(editor);
}

// Search bar -------------------------------------------------------------------------------------

void CEditorArea::ShowBar(EBarMode mode)
{
    for (QWidget* w : findWidgets) w->setVisible(mode != EBarMode::GoToLine);
    for (QWidget* w : replaceWidgets) w->setVisible(mode == EBarMode::Replace);
    for (QWidget* w : goToWidgets) w->setVisible(mode == EBarMode::GoToLine);
    lbBarStatus->clear();
    pnBar->show();
    QLineEdit* field = mode == EBarMode::GoToLine ? edGoToLine : edFind;
    if (mode != EBarMode::GoToLine && Current() && Current()->hasSelectedText() && !Current()->selectedText().contains(QLatin1Char('\n')))
        edFind->setText(Current()->selectedText());
    field->setFocus();
    field->selectAll();
}

void CEditorArea::HideBar()
{
    pnBar->hide();
    if (Current()) Current()->setFocus();
}

bool CEditorArea::FindNext(bool forward)
{
    CSourceEditor* editor = Current();
    const QString text = edFind->text();
    if (!editor || text.isEmpty()) return false;
    int line = -1, index = -1;
    if (!forward && editor->hasSelectedText()) {
        int lineTo = 0, indexTo = 0;
        editor->getSelection(&line, &index, &lineTo, &indexTo);
    }
    const bool found = editor->findFirst(text, false, cbMatchCase->isChecked(), cbWholeWord->isChecked(), true,
                                         forward, line, index, true);
    lbBarStatus->setText(found ? QString() : Q(NotFound) + text);
    return found;
}

bool CEditorArea::ReplaceOne()
{
    CSourceEditor* editor = Current();
    if (!editor || editor->isReadOnly() || edFind->text().isEmpty()) return false;
    const Qt::CaseSensitivity cs = cbMatchCase->isChecked() ? Qt::CaseSensitive : Qt::CaseInsensitive;
    if (editor->hasSelectedText() && editor->selectedText().compare(edFind->text(), cs) == 0) {
        editor->replaceSelectedText(edReplace->text());
        FindNext(true);
        return true;
    }
    FindNext(true);
    return false;
}

int CEditorArea::ReplaceAll()
{
    CSourceEditor* editor = Current();
    if (!editor || editor->isReadOnly() || edFind->text().isEmpty()) return 0;
    int count = 0;
    editor->beginUndoAction();
    bool found = editor->findFirst(edFind->text(), false, cbMatchCase->isChecked(), cbWholeWord->isChecked(), false,
                                   true, 0, 0, false);
    while (found) {
        editor->replace(edReplace->text());
        ++count;
        found = editor->findNext();
    }
    editor->endUndoAction();
    lbBarStatus->setText(Q(Replaced) + QString::number(count));
    return count;
}

bool CEditorArea::GoToLine(int line)
{
    CSourceEditor* editor = Current();
    if (!editor || line < 1) return false;
    editor->GoTo(qMin(line, editor->lines()) - 1, 0);
    return true;
}

bool CEditorArea::HandleKey(QKeyEvent* key)
{
    const Qt::KeyboardModifiers mods = key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier);
    const bool ctrl = mods == Qt::ControlModifier;
    switch (key->key()) {
    case Qt::Key_F: if (!ctrl) return false; ShowBar(EBarMode::Find); return true;
    case Qt::Key_H: if (!ctrl) return false; ShowBar(EBarMode::Replace); return true;
    case Qt::Key_G: if (!ctrl) return false; ShowBar(EBarMode::GoToLine); return true;
    case Qt::Key_F3:
        if (mods != Qt::NoModifier && mods != Qt::ShiftModifier) return false;
        FindNext(mods == Qt::NoModifier);
        return true;
    case Qt::Key_Escape:
        if (!pnBar->isVisible()) return false;
        HideBar();
        return true;
    default: return false;
    }
}
