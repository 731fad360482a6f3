// The project commands of the main window that do not run tools: new, open, reopen, save,
// save as, close, the source file list, the main file, clearing the working folders, the
// import folders and the question asked before the window closes. Each asks the user through
// IDeskPrompts and changes the project state of CDeskProject.
#pragma once
#include <QString>

class CDeskProject;
class IDeskPrompts;

class CDeskCommands {
public:
    CDeskCommands(CDeskProject& project, IDeskPrompts& prompts) : p(project), ui(prompts) {}

    void NewProject();
    void OpenProject();
    void ReopenProject(int index);
    void SaveProject();
    void SaveProjectAs();
    void CloseProject();
    void OpenProjectOrSource(const QString& path);

    // List commands take the selected row (-1 for none) and return the row to select after.
    void AddFiles();
    int RemoveFile(int selected);
    int FileUp(int selected);
    int FileDown(int selected);
    void SetMainFile(int selected);
    void ClearProject();

    void AddPath();
    int RemovePath(int selected, bool pageShown);
    int PathUp(int selected);
    int PathDown(int selected);

    // The save question before the window closes; false keeps the window open.
    bool QueryClose();

private:
    // Asks whether a modified project is saved first; false when the user cancels.
    bool SaveQuestion(const char* text);
    bool SaveWithMessage(const QString& path);
    bool LoadWithMessage(const QString& path);
    void AddRecent(const QString& path);
    QString RelativeToProject(const QString& path) const;
    void DeleteMatching(const QString& folder, const QString& pattern);

    CDeskProject& p;
    IDeskPrompts& ui;
};
