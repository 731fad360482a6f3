// The line format shared by the project file, the settings file and the temporary project
// file: KEY=value lines, blanks around both trimmed, quotes around a value dropped, comments
// and lines without "=" skipped. Files are UTF-8 with CR LF line ends; reading accepts LF too.
#pragma once
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

class CTextFile;

struct SKeyValue {
    QString key;
    QString value;
};

// Parses one line; false when the line is blank, a comment or has no "=".
bool ParseKeyValueLine(const QString& line, SKeyValue& out);

// Reads every KEY=value line of a file; false when it cannot be opened or read, or when it
// is larger than a project manager file can sensibly be (the caller treats that as unreadable).
bool ReadKeyValueFile(const QString& path, std::vector<SKeyValue>& out);

// Writes lines ending in CR LF. Commit() closes the file; for a replacing writer the text goes
// to a side file first and replaces the target only when everything was written, so a failed
// save never destroys the previous file.
class CLineWriter {
public:
    enum EMode { Direct, Replacing };
    CLineWriter();
    ~CLineWriter();
    bool Open(const QString& path, EMode mode);
    bool Line(const QString& text);
    bool Line(const char* key, const QString& value);
    bool Commit();

private:
    std::unique_ptr<CTextFile> file;
    QString target;
    QString written;
    EMode mode = Direct;
    bool ok = false;
};

// Size above which a project or settings file is refused as unreadable.
inline constexpr qint64 MaxKeyValueFileSize = 16 * 1024 * 1024;
