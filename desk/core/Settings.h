// Global tool settings of the project manager and the recent-project list, kept in
// Vydesk.ini. Defaults come from the platform layer, so that a fresh installation finds the
// console programs and the make tool of this machine.
#pragma once
#include <QString>
#include <QStringList>

// The number of recent projects that the Reopen menu shows.
inline constexpr int MaxRecentProjects = 4;

struct CToolSettings {
    QStringList importFolders;  // search order of definition files of library modules
    QStringList recent;         // recent project files, most recent first
    QString vyk, vybind, vygen, makefile, tabSize, nmake, cpp, make;
    bool winToOem = false;
    bool confirmClear = true;
    bool usePause = true;
    bool runInside = false;  // the program runs in the window's output pane, not a terminal
    QString geometry;        // the main window's place and size, as Qt saves it (base64)
    bool alwaysSave = false;    // compile and build save modified sources without asking

    CToolSettings() { SetDefaults(); }
    void SetDefaults();
    // Missing or unreadable files leave the defaults, silently.
    void LoadSettings(const QString& path);
    bool SaveSettings(const QString& path) const;

    void AddRecentProject(const QString& path);
    void RemoveRecentProject(const QString& path);
};

// The tab size text kept for a TABSIZE value: its decimal text, "1" for a negative value or
// for anything that is not a number.
QString NormalizeTabSize(const QString& value);
// True when the text is a decimal integer that is not negative (the dialog's rule).
bool IsValidTabSize(const QString& value);
