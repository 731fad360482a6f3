// Project commands: every dialog text and every change of the project state of the commands
// that manage project files, source files and import folders.
#include "Commands.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "Platform.h"
#include "Project.h"
#include "Prompts.h"
#include "Texts.h"

using namespace DeskText;
using EAnswer = IDeskPrompts::EAnswer;
using EButtons = IDeskPrompts::EButtons;

namespace {
constexpr const char* NewProjectName = "new.pro";
constexpr const char* ProjectExtension = ".PRO";
constexpr const char* ProjectSuffix = ".pro";

QString Quoted(const char* before, const QString& what, const char* after)
{
    return Q(before) + what + Q(after);
}
}  // namespace

bool CDeskCommands::SaveQuestion(const char* text)
{
    if (!p.modified) return true;
    const EAnswer a = ui.Question(Q(text), EButtons::YesNoCancel);
    if (a == EAnswer::Cancel) return false;
    if (a == EAnswer::Yes) SaveProject();
    return true;
}

bool CDeskCommands::SaveWithMessage(const QString& path)
{
    if (p.SaveProject(path)) return true;
    ui.Error(Quoted(WriteError, path, "\""));
    return false;
}

bool CDeskCommands::LoadWithMessage(const QString& path)
{
    if (p.LoadProject(path)) return true;
    ui.Error(Quoted(ReadError, path, "\""));
    return false;
}

void CDeskCommands::AddRecent(const QString& path)
{
    p.settings.AddRecentProject(path);
    p.NotifyRecentChanged();
}

QString CDeskCommands::RelativeToProject(const QString& path) const
{
    return QDir(p.projectFolder).relativeFilePath(QFileInfo(path).absoluteFilePath());
}

void CDeskCommands::NewProject()
{
    if (!SaveQuestion(SavePrevious)) return;
    const QString path = ui.SaveProjectFile(QLatin1String(NewProjectName));
    if (path.isEmpty()) return;
    p.CloseProject();
    QDir::setCurrent(CDeskProject::FolderOf(path));
    if (!SaveWithMessage(path)) return;
    AddRecent(path);
    CDeskProject::CreateWorkFolders(p.projectFolder);
}

void CDeskCommands::OpenProject()
{
    const QString path = ui.OpenProjectFile();
    if (path.isEmpty()) return;
    if (!SaveQuestion(SaveCurrent)) return;
    // The open dialog also offers source files: one of them gets a new project instead of
    // being read (and later overwritten) as a project file.
    if (!path.toUpper().endsWith(QLatin1String(ProjectExtension))) {
        OpenProjectOrSource(path);
        return;
    }
    if (LoadWithMessage(path)) AddRecent(path);
}

void CDeskCommands::ReopenProject(int index)
{
    if (index < 0 || index >= p.settings.recent.size()) return;
    const QString path = p.settings.recent.at(index);
    if (!SaveQuestion(SaveCurrent)) return;
    if (LoadWithMessage(path)) {
        AddRecent(path);
    } else {
        p.settings.RemoveRecentProject(path);
        p.NotifyRecentChanged();
    }
}

void CDeskCommands::SaveProject()
{
    if (p.HasProject()) {
        SaveWithMessage(p.projectFile);
        return;
    }
    const QString path = ui.SaveProjectFile(QString());
    if (!path.isEmpty()) SaveWithMessage(path);
}

void CDeskCommands::SaveProjectAs()
{
    const QString path = ui.SaveProjectFile(p.projectFile);
    if (!path.isEmpty()) SaveWithMessage(path);
}

void CDeskCommands::CloseProject()
{
    if (SaveQuestion(SaveCurrent)) p.CloseProject();
}

bool CDeskCommands::QueryClose()
{
    return SaveQuestion(SaveCurrent);
}

void CDeskCommands::OpenProjectOrSource(const QString& path)
{
    if (path.toUpper().endsWith(QLatin1String(ProjectExtension))) {
        if (LoadWithMessage(path)) AddRecent(path);
        return;
    }
    if (ui.Question(Quoted(CreateProjectFor, path, CreateProjectForEnd), EButtons::YesCancel) != EAnswer::Yes)
        return;
    const QFileInfo source(path);
    const QString suggested = source.absolutePath() + QLatin1Char('/') + source.completeBaseName() +
                              QLatin1String(ProjectSuffix);
    const QString chosen = ui.SaveProjectFile(suggested);
    if (chosen.isEmpty()) return;
    p.CloseProject();
    const QString relative = QDir(CDeskProject::FolderOf(chosen)).relativeFilePath(source.absoluteFilePath());
    p.files.append(relative);
    ui.BringToFront();
    if (ui.Question(Quoted(MakeMainFile, path, MakeMainFileEnd), EButtons::YesNo) == EAnswer::Yes)
        p.mainFile = relative;
    p.execName = source.completeBaseName() + DeskPlatform::ExecutableSuffix();
    p.target = DeskPlatform::DefaultTarget();
    p.NotifyProjectChanged();
    if (!SaveWithMessage(chosen)) return;
    AddRecent(chosen);
    CDeskProject::CreateWorkFolders(p.projectFolder);
}

void CDeskCommands::AddFiles()
{
    const QStringList chosen = ui.OpenSourceFiles();
    if (chosen.isEmpty()) return;
    int first = 0;
    if (!p.HasProject()) {
        OpenProjectOrSource(chosen.front());
        if (!p.HasProject()) return;
        first = 1;
    }
    for (int i = first; i < chosen.size(); ++i) {
        const QString rel = RelativeToProject(chosen.at(i));
        if (p.files.contains(rel)) ui.Information(Quoted(FileInList, rel, InListEnd));
        else p.files.append(rel);
    }
    p.NotifyProjectChanged();
    if (first == 0 || chosen.size() > 1) p.MarkModified();
}

int CDeskCommands::RemoveFile(int selected)
{
    if (selected < 0 || selected >= p.files.size()) {
        ui.Warning(Q(NoSelectedFile));
        return selected;
    }
    if (ui.Question(Q(RemoveFileQuestion), EButtons::YesCancel) != EAnswer::Yes) return selected;
    if (p.files.at(selected) == p.mainFile) p.mainFile.clear();
    p.files.removeAt(selected);
    p.NotifyProjectChanged();
    p.MarkModified();
    return qMin(selected, int(p.files.size()) - 1);
}

int CDeskCommands::FileUp(int selected)
{
    if (selected < 0 || selected >= p.files.size()) {
        ui.Warning(Q(NoSelectedFile));
        return selected;
    }
    if (selected == 0) return selected;
    p.files.swapItemsAt(selected, selected - 1);
    p.NotifyProjectChanged();
    p.MarkModified();
    return selected - 1;
}

int CDeskCommands::FileDown(int selected)
{
    if (selected < 0 || selected >= p.files.size()) {
        ui.Warning(Q(NoSelectedFile));
        return selected;
    }
    if (selected == p.files.size() - 1) return selected;
    p.files.swapItemsAt(selected, selected + 1);
    p.NotifyProjectChanged();
    p.MarkModified();
    return selected + 1;
}

void CDeskCommands::SetMainFile(int selected)
{
    if (selected < 0 || selected >= p.files.size()) {
        ui.Warning(Q(NoSelectedFile));
        return;
    }
    if (ui.Question(Q(SetMainQuestion), EButtons::YesCancel) != EAnswer::Yes) return;
    p.mainFile = p.files.at(selected);
    p.NotifyProjectChanged();
    p.MarkModified();
}

void CDeskCommands::DeleteMatching(const QString& folder, const QString& pattern)
{
    QDir dir(p.projectFolder + folder);
    const QStringList names = dir.entryList({pattern}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names) {
        const QString path = dir.filePath(name);
        if (!QFile::remove(path)) p.AddLog(Quoted(DeleteError, path, "\""));
    }
}

void CDeskCommands::ClearProject()
{
    if (!p.HasProject()) {
        ui.Warning(Q(OpenProjectFirst));
        return;
    }
    if (p.settings.confirmClear && ui.Question(Q(ClearQuestion), EButtons::YesCancel) != EAnswer::Yes) return;
    p.ClearLog();
    const QString cpp = QLatin1String(CppFolder), dfn = QLatin1String(DfnFolder), make = QLatin1String(MakeFolder);
    // The program the makefile builds has no extension here; its name is read before the
    // makefile goes.
    const QString built = DeskPlatform::BuiltExecutableName(p.projectFolder + cpp + QLatin1Char('/') + p.settings.makefile,
                                                            p.ExecutableName());
    DeleteMatching(cpp, QStringLiteral("*.cpp"));
    DeleteMatching(cpp, QStringLiteral("*.h"));
    DeleteMatching(cpp, QStringLiteral("*.vyl"));
    DeleteMatching(cpp, QStringLiteral("_VYK_make.vym"));
    if (!p.settings.makefile.isEmpty()) DeleteMatching(cpp, p.settings.makefile);
    DeleteMatching(dfn, QStringLiteral("*.dfn"));
    for (const char* pattern : {"*.bat", "*.exe", "*.idb", "*.obj", "*.pch", "*.o", "*.sh"})
        DeleteMatching(make, QLatin1String(pattern));
    const QString builtPath = p.projectFolder + make + QLatin1Char('/') + built;
    if (IsPlainFileName(built) && QFileInfo(builtPath).isFile() && !QFile::remove(builtPath))
        p.AddLog(Quoted(DeleteError, builtPath, "\""));
    DeleteMatching(QString(), QLatin1String(LogFileName));
    DeleteMatching(QString(), QLatin1String(TempProjectName));
    p.AddLog(Q(ClearDone));
}

void CDeskCommands::AddPath()
{
    const QString chosen = ui.OpenPathFile();
    if (chosen.isEmpty()) return;
    ui.ShowImportPage();
    // The chooser gives a folder; a file chosen otherwise stands for the folder it is in.
    const QFileInfo info(chosen);
    const QString folder = info.isDir() ? info.absoluteFilePath() + QLatin1Char('/') : CDeskProject::FolderOf(chosen);
    if (p.settings.importFolders.contains(folder)) {
        ui.Information(Quoted(FolderInList, folder, InListEnd));
        return;
    }
    p.settings.importFolders.append(folder);
    p.NotifyPathsChanged();
}

int CDeskCommands::RemovePath(int selected, bool pageShown)
{
    QStringList& folders = p.settings.importFolders;
    if (!pageShown || selected < 0 || selected >= folders.size()) {
        ui.Warning(Q(NoSelectedFolder));
        return selected;
    }
    if (ui.Question(Q(RemoveFolderQuestion), EButtons::YesCancel) != EAnswer::Yes) return selected;
    folders.removeAt(selected);
    p.NotifyPathsChanged();
    return qMin(selected, int(folders.size()) - 1);
}

int CDeskCommands::PathUp(int selected)
{
    QStringList& folders = p.settings.importFolders;
    if (selected < 0 || selected >= folders.size()) {
        ui.Warning(Q(NoSelectedFolder));
        return selected;
    }
    if (selected == 0) return selected;
    folders.swapItemsAt(selected, selected - 1);
    p.NotifyPathsChanged();
    return selected - 1;
}

int CDeskCommands::PathDown(int selected)
{
    QStringList& folders = p.settings.importFolders;
    if (selected < 0 || selected >= folders.size()) {
        ui.Warning(Q(NoSelectedFolder));
        return selected;
    }
    if (selected == folders.size() - 1) return selected;
    folders.swapItemsAt(selected, selected + 1);
    p.NotifyPathsChanged();
    return selected + 1;
}
