// The state of the project manager without any window: the open project (file, folder,
// source files in compilation order, main file, executable name, target, modified flag) and
// the global tool settings. Views follow it through its signals.
#pragma once
#include <QObject>
#include <QString>
#include <QStringList>

#include "Settings.h"

// Working folders created below every loaded or created project.
inline constexpr const char* CppFolder = "CPP";
inline constexpr const char* DfnFolder = "DFN";
inline constexpr const char* MakeFolder = "Make";
inline constexpr const char* TempProjectName = "vydeskpro.tmp";
inline constexpr const char* LogFileName = "vydesklog.tmp";
inline constexpr int TargetCount = 5;
// Target 4: GNU make with one object per module (the target of new projects on Linux).
inline constexpr int TargetGppModules = 4;
// Longest value that the temporary project file may carry; the compiler reads no more.
inline constexpr int MaxTempProjectValue = 256;

// A name that stays inside the folder it is joined to: not empty, not "." or "..", without
// a folder separator and without control characters.
bool IsPlainFileName(const QString& name);

class CDeskProject : public QObject {
    Q_OBJECT
public:
    explicit CDeskProject(QObject* parent = nullptr);

    CToolSettings settings;

    QString projectFile;    // empty while no project is open
    QString projectFolder;  // folder of projectFile with its trailing separator
    QStringList files;      // relative to projectFolder, in the user's order
    QStringList imports;    // the project file's own import folders, beyond the settings' ones
    QString mainFile;
    QString execName;
    int target = 0;
    bool checks = false;  // the compiler adds run-time checks (CHECKS=1; old project files have none)
    bool modified = false;

    bool HasProject() const { return !projectFile.isEmpty(); }

    // File operations; failures are returned, the caller tells the user.
    bool LoadProject(const QString& path);
    bool SaveProject(const QString& path);
    void CloseProject();
    bool WriteTempProject() const;
    QString ExecutableName() const;
    // The import folders a compilation searches: the project's own, then the settings' ones.
    QStringList ImportFolders() const;

    // Edits made through the views.
    void SetExecName(const QString& name);
    void SetTarget(int index);
    void SetChecks(bool on);
    void MarkModified();
    void MarkSaved();
    void NotifyProjectChanged() { emit ProjectChanged(); }
    void NotifyPathsChanged() { emit PathsChanged(); }
    void NotifyRecentChanged() { emit RecentChanged(); }

    QString Title() const;
    // Makes the project folder current and creates CPP, DFN and Make there.
    bool EnterProjectFolder() const;
    static void CreateWorkFolders(const QString& folder);
    static QString FolderOf(const QString& path);

    // The log list of the window.
    void AddLog(const QString& text) { emit Log(text); }
    void ClearLog() { emit LogCleared(); }

signals:
    void Log(const QString& text);
    void LogCleared();
    void TitleChanged(const QString& title, bool modified);
    void ProjectChanged();
    void PathsChanged();
    void RecentChanged();
};
