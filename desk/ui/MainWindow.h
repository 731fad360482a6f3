// TfrVydesk, the main window: the source file list with the main file marked, the settings
// and import-folder pages, the log list, the menus, the tool bar and the keys. It holds no
// project state of its own: commands go to CDeskCommands and CToolPipeline, and the views
// follow CDeskProject's signals.
#pragma once
#include <QMainWindow>
#include <QPixmap>
#include <memory>

#include "Commands.h"
#include "Pipeline.h"
#include "Project.h"
#include "Prompts.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QSplitter;
class QTabWidget;
class QToolBar;
class QKeyEvent;
class TfrConfTools;
class CEditorArea;
class QSplitter;
class TfrAbout;

class TfrVydesk : public QMainWindow, public IDeskPrompts {
    Q_OBJECT
public:
    static constexpr int MaxLogLines = 1000;
    static constexpr int MaxOutputLines = 10000;
    static constexpr int HintPause = 10000;  // ms a hint stays visible

    TfrVydesk(QWidget* parent = nullptr);
    ~TfrVydesk() override;

    CDeskProject project;
    CDeskCommands commands{project, *this};
    CToolPipeline* pipeline;
    QString settingsPath;

    // Start of the program: settings, then the project named on the command line.
    void Start(const QString& settingsFile, const QStringList& arguments);

    void AddLog(const QString& text);
    void ClearLog();
    void SetCommandsEnabled(bool enabled);
    // The keys the window sees before the focused control; true when one was handled.
    bool FormKeyDown(QKeyEvent* key);
    void RestoreFromMinimized();
    bool OpenMenuByKey(int key, Qt::KeyboardModifiers mods);

    // The work area beside the project panes: an editor goes above the output pages.
    QSplitter* WorkArea() const { return splWork; }
    // Copies the selected log lines (or the current one) to the clipboard.
    void CopyLog();
    // Appends program output to the output pane.
    void AddOutput(const QString& text);

    TfrConfTools* ConfTools() const { return frConfTools; }
    CEditorArea* Editors() const { return editors; }

    // The editor (MainWindowEditor.cpp): sources open from the file list, log lines lead to
    // their places, F4 and Shift+F4 walk the places of the last run.
    void OpenListedFile(int row);
    bool ShowLogPlace(int index);
    void StepPlace(int direction);
    // Before a compile or build: saves the modified sources, asking once unless the setting
    // says always; false when the user cancelled or a file could not be saved.
    bool SaveSourcesFirst();
    TfrAbout* About() const { return frAbout; }

    // IDeskPrompts
    EAnswer Question(const QString& text, EButtons buttons) override;
    void Information(const QString& text) override;
    void Warning(const QString& text) override;
    void Error(const QString& text) override;
    QString SaveProjectFile(const QString& suggestedPath) override;
    QString OpenProjectFile() override;
    QStringList OpenSourceFiles() override;
    QString OpenPathFile() override;
    void BringToFront() override;
    void ShowImportPage() override;
    void SetBusy(bool busy) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateControls();
    QWidget* CreateFilesPanel(QWidget* parent);
    QWidget* CreateSettingsPages(QWidget* parent);
    QWidget* CreateImportPage(QWidget* parent);
    void CreateEditorArea(QSplitter* parent);
    void ConnectEditor();
    void TagLogLine(int index);
    enum class EKeyRoute { Handled, ToWidget, ToForm };
    EKeyRoute EditorKeyDown(QObject* watched, QKeyEvent* key);
    QWidget* CreateOutputPages(QWidget* parent);
    void ConnectCommands();
    QAction* NewAction(const char* name, const QString& text);
    void Bind(const char* menuItem, const char* toolButton, void (TfrVydesk::*handler)());

    void ShowProject();
    void ShowPaths();
    void ShowRecent();
    void ShowTitle(const QString& title, bool modified);
    int FileRow() const;
    int PathRow() const;

    // Command handlers.
    void miCreateProClick();
    void miOpenProClick();
    void miSaveProClick();
    void miSaveProAsClick();
    void miCloseProClick();
    void miExitClick();
    void miAddFileClick();
    void miRemoveFileClick();
    void miFileUpClick();
    void miFileDownClick();
    void miSetMainClick();
    void miClearClick();
    void miAddPathClick();
    void miRemovePathClick();
    void miPathUpClick();
    void miPathDownClick();
    void miConfToolsClick();
    void miCompileClick();
    void miCompileAllClick();
    void miMakeClick();
    void miRunExecClick();
    void miStopClick();
    void miVersionInfoClick();
    void miAboutClick();
    void miReopenSubClick(int index);

    QPixmap mainFileBitmap;
    QToolBar* tbToolBar = nullptr;
    QToolBar* tbImport = nullptr;
    QListWidget* lbxFiles = nullptr;
    QListWidget* lbxPaths = nullptr;
    QListWidget* lbxLog = nullptr;
    QLineEdit* edExecFile = nullptr;
    QComboBox* cbxTarget = nullptr;
    QCheckBox* cbChecks = nullptr;
    QCheckBox* cbConfirmClear = nullptr;
    QCheckBox* cbUsePause = nullptr;
    QCheckBox* cbRunInside = nullptr;
    QTabWidget* pgcSettings = nullptr;
    QTabWidget* pgcOutput = nullptr;
    QSplitter* splMain = nullptr;
    QSplitter* splWork = nullptr;
    QWidget* tshRun = nullptr;
    QPlainTextEdit* memOutput = nullptr;
    QLineEdit* edInput = nullptr;
    QLineEdit* edArgs = nullptr;
    QWidget* tshDfn = nullptr;
    QMenu* miReopen = nullptr;
    QAction* miReopenSub[MaxRecentProjects] = {};
    TfrConfTools* frConfTools = nullptr;
    TfrAbout* frAbout = nullptr;
    CEditorArea* editors = nullptr;
    QCheckBox* cbAlwaysSave = nullptr;
    int currentPlace = -1;  // the place F4 went to last
};
