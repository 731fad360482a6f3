// Vydesk.ini: reading with defaults, writing in a fixed key order, and the recent-project
// list whose order survives a save and a load (written oldest first, read through
// AddRecentProject).
#include "Settings.h"

#include <vector>

#include "KeyValueFile.h"
#include "Platform.h"

namespace {
constexpr const char* DefaultTabSize = "1";
constexpr const char* OnText = "1";
constexpr const char* OffText = "0";
constexpr int DecimalBase = 10;
}  // namespace

// The library beside the programs is an import folder from the start, so that a first
// program builds without a visit to the settings.
void CToolSettings::SetDefaults()
{
    importFolders.clear();
    const QString library = DeskPlatform::DefaultLibraryFolder();
    if (!library.isEmpty()) importFolders << library;
    recent.clear();
    vyk = DeskPlatform::DefaultToolPath(QStringLiteral("VYK"));
    vybind = DeskPlatform::DefaultToolPath(QStringLiteral("Vybind"));
    vygen = DeskPlatform::DefaultToolPath(QStringLiteral("Vygen"));
    makefile = QStringLiteral("Makefile.mak");
    tabSize = QLatin1String(DefaultTabSize);
    nmake = QStringLiteral("nmake -NOLOGO -f Makefile.mak");
    cpp = QStringLiteral("c++");
    make = DeskPlatform::DefaultMakeCommand();
    winToOem = false;
    confirmClear = true;
    usePause = true;
    alwaysSave = false;
}

QString NormalizeTabSize(const QString& value)
{
    bool ok = false;
    const int n = value.toInt(&ok, DecimalBase);
    if (!ok || n < 0) return QLatin1String(DefaultTabSize);
    return QString::number(n);
}

bool IsValidTabSize(const QString& value)
{
    bool ok = false;
    const int n = value.toInt(&ok, DecimalBase);
    return ok && n >= 0;
}

void CToolSettings::LoadSettings(const QString& path)
{
    std::vector<SKeyValue> lines;
    if (!ReadKeyValueFile(path, lines)) {
        const QStringList folders = CToolSettings().importFolders;
        importFolders = folders;
        recent.clear();
        return;
    }
    importFolders.clear();
    recent.clear();
    for (const SKeyValue& kv : lines) {
        const QString& k = kv.key;
        if (k == QLatin1String("IMPORT")) importFolders.append(kv.value);
        else if (k == QLatin1String("REOPEN")) AddRecentProject(kv.value);
        else if (k == QLatin1String("TABSIZE")) tabSize = NormalizeTabSize(kv.value);
        else if (k == QLatin1String("VYK")) vyk = kv.value;
        else if (k == QLatin1String("VYBIND")) vybind = kv.value;
        else if (k == QLatin1String("VYGEN")) vygen = kv.value;
        else if (k == QLatin1String("MAKEFILE")) makefile = kv.value;
        else if (k == QLatin1String("NMAKE")) nmake = kv.value;
        else if (k == QLatin1String("CPP")) cpp = kv.value;
        else if (k == QLatin1String("MAKE")) make = kv.value;
        else if (k == QLatin1String("WINTOOEM")) winToOem = kv.value == QLatin1String(OnText);
        else if (k == QLatin1String("CONFIRMCLEAR")) confirmClear = kv.value == QLatin1String(OnText);
        else if (k == QLatin1String("USEPAUSE")) usePause = kv.value == QLatin1String(OnText);
        else if (k == QLatin1String("RUNINSIDE")) runInside = kv.value == QLatin1String(OnText);
        else if (k == QLatin1String("GEOMETRY")) geometry = kv.value;
        else if (k == QLatin1String("ALWAYSSAVE")) alwaysSave = kv.value == QLatin1String(OnText);
    }
}

bool CToolSettings::SaveSettings(const QString& path) const
{
    CLineWriter w;
    if (!w.Open(path, CLineWriter::Replacing)) return false;
    w.Line(QStringLiteral("[Vydesk]"));
    for (const QString& folder : importFolders) w.Line("IMPORT", folder);
    for (auto it = recent.crbegin(); it != recent.crend(); ++it) w.Line("REOPEN", *it);
    w.Line("VYK", vyk);
    w.Line("VYBIND", vybind);
    w.Line("VYGEN", vygen);
    w.Line("MAKEFILE", makefile);
    w.Line("TABSIZE", tabSize);
    w.Line("NMAKE", nmake);
    w.Line("CPP", cpp);
    w.Line("MAKE", make);
    w.Line("WINTOOEM", QLatin1String(winToOem ? OnText : OffText));
    w.Line("CONFIRMCLEAR", QLatin1String(confirmClear ? OnText : OffText));
    w.Line("USEPAUSE", QLatin1String(usePause ? OnText : OffText));
    // Keys of this program only, written when they differ from the default.
    if (runInside) w.Line("RUNINSIDE", QLatin1String(OnText));
    if (!geometry.isEmpty()) w.Line("GEOMETRY", geometry);
    // Written only when on, so the file of a user who never set it stays as it was.
    if (alwaysSave) w.Line("ALWAYSSAVE", QLatin1String(OnText));
    return w.Commit();
}

// The path moves to the top; its older occurrence disappears, and the list keeps at most
// MaxRecentProjects entries.
void CToolSettings::AddRecentProject(const QString& path)
{
    if (!recent.isEmpty() && recent.front() == path) return;
    recent.removeOne(path);
    recent.prepend(path);
    while (recent.size() > MaxRecentProjects) recent.removeLast();
}

void CToolSettings::RemoveRecentProject(const QString& path)
{
    recent.removeAll(path);
}
