// File access for the editor: whole-file reads, replacing writes and the stamps that the
// outside-change check compares.
#include "SourceText.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

SFileStamp StampOf(const QString& path)
{
    const QFileInfo info(path);
    SFileStamp s;
    s.exists = info.exists();
    if (s.exists) {
        s.modified = info.lastModified();
        s.size = info.size();
    }
    return s;
}

bool ReadSourceFile(const QString& path, QByteArray& bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return false;
    bytes = f.readAll();
    return f.error() == QFileDevice::NoError;
}

bool WriteSourceFile(const QString& path, const QByteArray& bytes)
{
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return false;
    if (f.write(bytes) != bytes.size()) {
        f.cancelWriting();
        return false;
    }
    return f.commit();
}

bool IsValidUtf8(const QByteArray& bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    return !decoder.hasError();
}
