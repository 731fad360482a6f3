// Reading and writing of the KEY=value files of the project manager (project file,
// Vydesk.ini, vydeskpro.tmp). Only the line syntax lives here; which keys mean what is up to
// the project and settings code.
#include "KeyValueFile.h"

#include <QFile>
#include <cstdio>

#include "TextFile.h"

namespace {

constexpr int QuotedMinLength = 2;

QString TrimRight(const QString& s)
{
    int n = s.size();
    while (n > 0 && s.at(n - 1).isSpace()) --n;
    return s.left(n);
}

QString TrimLeft(const QString& s)
{
    int i = 0;
    while (i < s.size() && s.at(i).isSpace()) ++i;
    return s.mid(i);
}

bool IsQuoted(const QString& v)
{
    if (v.size() < QuotedMinLength) return false;
    const QChar first = v.front();
    return (first == QLatin1Char('\'') || first == QLatin1Char('"')) && v.back() == first;
}

}  // namespace

bool ParseKeyValueLine(const QString& raw, SKeyValue& out)
{
    const QString line = raw.trimmed();
    if (line.isEmpty() || line.startsWith(QLatin1Char(';')) || line.startsWith(QLatin1Char('#')))
        return false;
    const int eq = line.indexOf(QLatin1Char('='));
    if (eq < 0) return false;
    out.key = TrimRight(line.left(eq));
    out.value = TrimLeft(line.mid(eq + 1));
    if (IsQuoted(out.value)) out.value = out.value.mid(1, out.value.size() - QuotedMinLength);
    return true;
}

bool ReadKeyValueFile(const QString& path, std::vector<SKeyValue>& out)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return false;
    if (f.size() > MaxKeyValueFileSize) return false;
    const QByteArray data = f.read(MaxKeyValueFileSize + 1);
    if (f.error() != QFileDevice::NoError || data.size() > MaxKeyValueFileSize) return false;
    const QString text = QString::fromUtf8(data);
    SKeyValue kv;
    for (const QString& line : text.split(QLatin1Char('\n')))
        if (ParseKeyValueLine(line, kv)) out.push_back(kv);
    return true;
}

CLineWriter::CLineWriter() = default;

CLineWriter::~CLineWriter()
{
    if (file && mode == Replacing) {
        file->Close();
        std::remove(QFile::encodeName(written).constData());
    }
}

bool CLineWriter::Open(const QString& path, EMode how)
{
    mode = how;
    target = path;
    written = mode == Replacing ? path + QStringLiteral(".new") : path;
    file = std::make_unique<CTextFile>();
    ok = file->Open(QFile::encodeName(written).toStdString(), "wb");
    if (!ok) file.reset();
    return ok;
}

bool CLineWriter::Line(const QString& text)
{
    if (!ok) return false;
    file->Printf("%s\r\n", text.toUtf8().constData());
    ok = !std::ferror(file->Handle());
    return ok;
}

bool CLineWriter::Line(const char* key, const QString& value)
{
    return Line(QLatin1String(key) + QLatin1Char('=') + value);
}

bool CLineWriter::Commit()
{
    if (!file) return false;
    const bool closed = file->Close();
    file.reset();
    ok = ok && closed;
    if (mode == Replacing) {
        const QByteArray from = QFile::encodeName(written), to = QFile::encodeName(target);
        if (ok) ok = std::rename(from.constData(), to.constData()) == 0;
        if (!ok) std::remove(from.constData());
    }
    return ok;
}
