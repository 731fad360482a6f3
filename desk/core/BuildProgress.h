// The progress of a build with one object per module: the objects make is about to compile,
// taken from its dry run, and each counted as done once its file has been written anew.
#pragma once
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

class CBuildProgress {
public:
    // The object files that the compile lines of a dry run ("make -n") write, as paths
    // relative to folder (make's folder) made absolute. A compile line has a "-c" and an
    // "-o" naming a ".o" file.
    static QStringList ObjectsOfDryRun(const QByteArray& output, const QString& folder);

    // Remembers the objects and the times of their present files.
    void Plan(const QStringList& objects);
    void Clear()
    {
        pending.clear();
        total = 0;
        done = 0;
    }
    // The objects written since the last call, in plan order.
    QStringList Finished();
    int Total() const { return total; }
    int Done() const { return done; }

private:
    struct SObject {
        QString path;
        QDateTime before;  // invalid when the file did not exist
    };
    QList<SObject> pending;
    int total = 0;
    int done = 0;
};
