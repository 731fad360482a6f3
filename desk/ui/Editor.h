// The editor area of the main window: one tab per open file, each a QScintilla editor with
// line numbers, VYK highlighting, matching brackets and a modified mark in its tab; a bar for
// search, replace and go to line; marks for the places of the log's errors, with the message
// shown under the line until the next run; and the reload offer for files changed on disk by
// another program. Files are read and written through the core; questions go through the
// window's prompts.
#pragma once
#include <QFileSystemWatcher>
#include <QWidget>
#include <memory>
#include <Qsci/qsciscintilla.h>

#include "LogLocations.h"
#include "Prompts.h"
#include "SourceText.h"

class QCheckBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QTabWidget;
class CVykLexer;
class QsciStyle;

// One tab: the text of one file.
class CSourceEditor : public QsciScintilla {
    Q_OBJECT
public:
    enum EMarker { ErrorLine = 0, WarningLine = 1, ErrorSign = 2, WarningSign = 3 };
    static constexpr int PlaceIndicator = 8;

    CSourceEditor(const QString& path, QWidget* parent);
    ~CSourceEditor() override;

    const QString& Path() const { return path; }
    bool IsUtf8() const { return utf8; }
    // The file's bytes from disk into the editor; false when it cannot be read.
    bool Load();
    bool Save();
    // The text as the bytes that Save writes.
    QByteArray Bytes() const;
    // Puts the cursor on the 0-based line at the byte offset and shows it.
    void GoTo(int line, int offset);
    // Marks the 0-based line as the place of an error or warning and shows the message under it.
    void MarkPlace(int line, int offset, const QString& message, bool warning);
    void ClearMarks();
    void SetTabSize(int columns);

    SFileStamp stamp;  // of the file as last read or written here

private:
    QString path;
    bool utf8 = true;
    std::unique_ptr<QsciStyle> errorNote, warningNote;
};

class CEditorArea : public QWidget {
    Q_OBJECT
public:
    CEditorArea(IDeskPrompts& prompts, QWidget* parent);

    // Opens the file in a new tab, or shows its tab when it is open; nullptr when it cannot be
    // read (the user is told).
    CSourceEditor* Open(const QString& path);
    CSourceEditor* Current() const;
    CSourceEditor* EditorFor(const QString& path) const;
    CSourceEditor* EditorAt(int index) const;
    int Count() const;
    QTabWidget* Tabs() const { return tabs; }

    bool SaveCurrent();
    bool HasModified() const;
    // Saves every modified tab; false when one could not be saved.
    bool SaveAll();
    // Asks once about all modified tabs (save, discard, cancel); false on cancel or failure.
    bool QuerySaveAll();
    // Closes a tab, asking first when it is modified; false when the user kept it.
    bool CloseTab(int index);

    // The compiler's tab size, for columns of the log and the editors' tab width.
    void SetTabSize(int columns);
    // Opens the place's file at its line and column and marks the line; false when the file
    // cannot be opened. Generated files open read-only.
    bool ShowPlace(const SLogLocation& place);
    void ClearMarks();

    // Offers to reload every file that changed on disk since it was read or written here.
    void CheckOutsideChanges();

    // The search bar: find (Ctrl+F), replace (Ctrl+H), go to line (Ctrl+G).
    enum class EBarMode { Find, Replace, GoToLine };
    void ShowBar(EBarMode mode);
    void HideBar();
    bool FindNext(bool forward);
    bool ReplaceOne();
    int ReplaceAll();
    bool GoToLine(int line);
    // Keys of the editor area (Ctrl+F, Ctrl+H, Ctrl+G, F3, Shift+F3, Escape); true when handled.
    bool HandleKey(QKeyEvent* key);

    QLineEdit* edFind = nullptr;
    QLineEdit* edReplace = nullptr;
    QLineEdit* edGoToLine = nullptr;
    QCheckBox* cbMatchCase = nullptr;
    QCheckBox* cbWholeWord = nullptr;
    QLabel* lbBarStatus = nullptr;

signals:
    void FileSaved(const QString& path);

protected:
    // The window coming back to the front checks the files too: a watcher can miss a change.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* CreateBar();
    void ShowTitle(CSourceEditor* editor);
    void FileChanged(const QString& path);
    void Reload(CSourceEditor* editor);
    bool Save(CSourceEditor* editor);
    void Watch(const QString& path);

    IDeskPrompts& ui;
    QTabWidget* tabs = nullptr;
    QWidget* pnBar = nullptr;
    QList<QWidget*> replaceWidgets;
    QList<QWidget*> findWidgets;
    QList<QWidget*> goToWidgets;
    QFileSystemWatcher watcher;
    int tabSize = 1;
    bool checking = false;
};
