// The project file (.pro) and the temporary project file handed to the compiler, the
// executable name rule, the working folders and the modified flag with the window title.
#include "Project.h"

#include <QDir>
#include <QFileInfo>
#include <vector>

#include "KeyValueFile.h"
#include "Platform.h"
#include "Texts.h"

namespace {
constexpr int DecimalBase = 10;
constexpr const char* ExeExtension = "exe";
// A project file without a TARGET line builds as it always did.
constexpr int TargetWithoutLine = 2;
constexpr const char* OnText = "1";
}  // namespace

bool IsPlainFileName(const QString& name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..")) return false;
    for (const QChar c : name)
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.category() == QChar::Other_Control) return false;
    return true;
}

CDeskProject::CDeskProject(QObject* parent) : QObject(parent)
{
    target = DeskPlatform::DefaultTarget();
    checks = true;
}

QString CDeskProject::FolderOf(const QString& path)
{
    QString folder = QFileInfo(path).absolutePath();
    if (!folder.endsWith(QLatin1Char('/'))) folder += QLatin1Char('/');
    return folder;
}

void CDeskProject::CreateWorkFolders(const QString& folder)
{
    QDir dir(folder);
    for (const char* name : {CppFolder, DfnFolder, MakeFolder}) dir.mkdir(QLatin1String(name));
}

bool CDeskProject::EnterProjectFolder() const
{
    return !projectFolder.isEmpty() && QDir::setCurrent(projectFolder);
}

bool CDeskProject::LoadProject(const QString& path)
{
    std::vector<SKeyValue> lines;
    const bool read = ReadKeyValueFile(path, lines);
    CloseProject();
    if (!read) return false;
    projectFile = path;
    projectFolder = FolderOf(path);
    QDir::setCurrent(projectFolder);
    CreateWorkFolders(projectFolder);
    // What the file does not say reads as it did before the option existed.
    target = TargetWithoutLine;
    checks = false;
    for (const SKeyValue& kv : lines) {
        if (kv.key == QLatin1String("FILE")) files.append(kv.value);
        else if (kv.key == QLatin1String("IMPORT")) {
            // The settings' folders are written into every project file and come back from
            // the settings; only the others belong to the project.
            if (!settings.importFolders.contains(kv.value) && !imports.contains(kv.value)) imports.append(kv.value);
        }
        else if (kv.key == QLatin1String("MAIN")) mainFile = kv.value;
        else if (kv.key == QLatin1String("EXEC")) execName = kv.value;
        else if (kv.key == QLatin1String("CHECKS")) checks = kv.value == QLatin1String(OnText);
        else if (kv.key == QLatin1String("TARGET")) {
            bool ok = false;
            const int t = kv.value.toInt(&ok, DecimalBase);
            if (!ok) {
                CloseProject();
                return false;
            }
            // An index the target box does not have builds like target 0.
            target = t >= 0 && t < TargetCount ? t : 0;
        }
    }
    MarkSaved();
    emit ProjectChanged();
    return true;
}

bool CDeskProject::SaveProject(const QString& path)
{
    CLineWriter w;
    if (!w.Open(path, CLineWriter::Replacing)) return false;
    for (const QString& folder : ImportFolders()) w.Line("IMPORT", folder);
    if (!mainFile.isEmpty()) w.Line("MAIN", mainFile);
    if (!execName.isEmpty()) w.Line("EXEC", execName);
    w.Line("TARGET", QString::number(target));
    // Written only when on, so a project without checks keeps the file it always had.
    if (checks) w.Line("CHECKS", QLatin1String(OnText));
    for (const QString& file : files) w.Line("FILE", file);
    if (!w.Commit()) return false;
    projectFile = path;
    projectFolder = FolderOf(path);
    QDir::setCurrent(projectFolder);
    MarkSaved();
    return true;
}

QStringList CDeskProject::ImportFolders() const
{
    QStringList all = imports;
    for (const QString& folder : settings.importFolders)
        if (!all.contains(folder)) all << folder;
    return all;
}

void CDeskProject::CloseProject()
{
    ClearLog();
    files.clear();
    imports.clear();
    mainFile.clear();
    execName.clear();
    target = DeskPlatform::DefaultTarget();
    checks = true;  // what a new project starts with
    projectFile.clear();
    projectFolder.clear();
    MarkSaved();
    emit ProjectChanged();
}

// Written into the current folder. A value the compiler cannot take stops the writing; the
// lines written so far stay, and the result is failure.
bool CDeskProject::WriteTempProject() const
{
    CLineWriter w;
    if (!w.Open(QLatin1String(TempProjectName), CLineWriter::Direct)) return false;
    auto line = [&w](const char* key, const QString& value) {
        return value.size() <= MaxTempProjectValue && w.Line(key, value);
    };
    bool ok = true;
    for (const QString& folder : ImportFolders())
        if (ok) ok = line("IMPORT", folder);
    if (ok && !mainFile.isEmpty()) ok = line("MAIN", mainFile);
    if (ok && !execName.isEmpty()) ok = line("EXEC", execName);
    if (ok) ok = line("TABSIZE", settings.tabSize);
    const bool closed = w.Commit();
    return ok && closed;
}

QString CDeskProject::ExecutableName() const
{
    if (!execName.isEmpty()) return execName;
    const int dot = mainFile.lastIndexOf(QLatin1Char('.'));
    if (dot < 0) return mainFile + QLatin1Char('.') + QLatin1String(ExeExtension);
    return mainFile.left(dot + 1) + QLatin1String(ExeExtension);
}

void CDeskProject::SetExecName(const QString& name)
{
    execName = name;
    MarkModified();
}

void CDeskProject::SetTarget(int index)
{
    target = index;
    MarkModified();
}

void CDeskProject::SetChecks(bool on)
{
    if (checks == on) return;
    checks = on;
    MarkModified();
}

void CDeskProject::MarkModified()
{
    modified = true;
    emit TitleChanged(Title(), modified);
}

void CDeskProject::MarkSaved()
{
    modified = false;
    emit TitleChanged(Title(), modified);
}

QString CDeskProject::Title() const
{
    if (projectFile.isEmpty() && !modified) return QLatin1String(DeskText::AppName);
    return QLatin1Char('[') + projectFile + (modified ? QLatin1String(DeskText::ModifiedMark) : QString()) +
           QLatin1String(DeskText::TitleSuffix);
}
