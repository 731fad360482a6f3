#include "BuildProgress.h"

#include <QDir>
#include <QFileInfo>

#include "ToolProcess.h"

QStringList CBuildProgress::ObjectsOfDryRun(const QByteArray& output, const QString& folder)
{
    QStringList objects;
    const QDir dir(folder);
    for (const QByteArray& line : output.split('\n')) {
        const QStringList words = SplitCommandLine(QString::fromUtf8(line).trimmed());
        const int out = int(words.indexOf(QStringLiteral("-o")));
        if (!words.contains(QStringLiteral("-c")) || out < 0 || out + 1 >= words.size()) continue;
        const QString object = words.at(out + 1);
        if (!object.endsWith(QLatin1String(".o"))) continue;
        const QString path = QDir::cleanPath(dir.absoluteFilePath(object));
        if (!objects.contains(path)) objects << path;
    }
    return objects;
}

void CBuildProgress::Plan(const QStringList& objects)
{
    Clear();
    for (const QString& path : objects) {
        const QFileInfo f(path);
        pending.append({path, f.exists() ? f.lastModified() : QDateTime()});
    }
    total = int(objects.size());
}

// A compiler writes its object at the end, so a new time means a finished compile.
QStringList CBuildProgress::Finished()
{
    QStringList finished;
    for (auto it = pending.begin(); it != pending.end();) {
        const QFileInfo f(it->path);
        if (f.exists() && f.size() > 0 && (!it->before.isValid() || f.lastModified() != it->before)) {
            finished << f.fileName();
            it = pending.erase(it);
            ++done;
        } else {
            ++it;
        }
    }
    return finished;
}
