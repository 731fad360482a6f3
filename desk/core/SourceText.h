// Reading and writing the files that the editor shows. The editor keeps the bytes of a file
// exactly: a file that is not valid UTF-8 is shown byte for byte in a one-byte encoding, so
// saving it never changes what the user did not edit. Saving writes a new file and renames it
// over the old one, so a failed save leaves the old file whole.
#pragma once
#include <QByteArray>
#include <QDateTime>
#include <QString>

// What tells an outside change of a file apart from the state the editor last read or wrote.
struct SFileStamp {
    bool exists = false;
    QDateTime modified;
    qint64 size = -1;
    bool operator==(const SFileStamp& o) const { return exists == o.exists && modified == o.modified && size == o.size; }
    bool operator!=(const SFileStamp& o) const { return !(*this == o); }
};

SFileStamp StampOf(const QString& path);
bool ReadSourceFile(const QString& path, QByteArray& bytes);
bool WriteSourceFile(const QString& path, const QByteArray& bytes);
bool IsValidUtf8(const QByteArray& bytes);
