// The dialog seam and the real message boxes and file dialogs behind it.
#include "Dialogs.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QMessageBox>
#include <QPushButton>
#include <deque>

#include "Texts.h"

namespace DeskDialogs {

namespace {

struct SSeam {
    bool on = false;
    std::deque<IDeskPrompts::EAnswer> answers;
    std::deque<QStringList> files;
    std::vector<SShown> shown;
};

SSeam& Seam()
{
    static SSeam seam;
    return seam;
}

QStringList NextFiles()
{
    SSeam& s = Seam();
    if (s.files.empty()) return {};
    QStringList names = s.files.front();
    s.files.pop_front();
    return names;
}

}  // namespace

void EnableSeam(bool on) { Seam().on = on; }
void SetNextAnswer(IDeskPrompts::EAnswer answer) { Seam().answers.push_back(answer); }
void SetNextFileNames(const QStringList& names) { Seam().files.push_back(names); }
const std::vector<SShown>& Shown() { return Seam().shown; }
void ClearShown() { Seam().shown.clear(); }

bool InstallQtTranslations()
{
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    auto* texts = new QTranslator(QCoreApplication::instance());
    if (!texts->load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    return QCoreApplication::installTranslator(texts);
}

QString QtFilter(const char* filter)
{
    const QStringList parts = QString::fromUtf8(filter).split(QLatin1Char('|'));
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts.at(i);
        const int open = description.indexOf(QLatin1Char('('));
        if (open >= 0) description = description.left(open).trimmed();
        QString patterns = parts.at(i + 1);
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        patterns.replace(QLatin1String("*.*"), QLatin1String("*"));
        out << description + QLatin1String(" (") + patterns + QLatin1Char(')');
    }
    return out.join(QLatin1String(";;"));
}

IDeskPrompts::EAnswer Question(QWidget* parent, const QString& text, IDeskPrompts::EButtons buttons)
{
    using A = IDeskPrompts::EAnswer;
    SSeam& s = Seam();
    s.shown.push_back({EKind::Question, text});
    if (s.on) {
        if (s.answers.empty()) return A::Cancel;
        const A a = s.answers.front();
        s.answers.pop_front();
        return a;
    }
    QMessageBox box(QMessageBox::Question, QLatin1String(DeskText::AppName), text, QMessageBox::NoButton, parent);
    QPushButton* yes = box.addButton(QStringLiteral("Да"), QMessageBox::YesRole);
    QPushButton* no = nullptr;
    QPushButton* cancel = nullptr;
    if (buttons != IDeskPrompts::EButtons::YesCancel) no = box.addButton(QStringLiteral("Нет"), QMessageBox::NoRole);
    if (buttons != IDeskPrompts::EButtons::YesNo) cancel = box.addButton(QStringLiteral("Отмена"), QMessageBox::RejectRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(cancel ? static_cast<QAbstractButton*>(cancel) : no);
    box.exec();
    if (box.clickedButton() == yes) return A::Yes;
    if (no && box.clickedButton() == no) return A::No;
    return cancel ? A::Cancel : A::No;
}

void Message(QWidget* parent, EKind kind, const QString& text)
{
    SSeam& s = Seam();
    s.shown.push_back({kind, text});
    if (s.on) return;
    const QMessageBox::Icon icon = kind == EKind::Information ? QMessageBox::Information
                                   : kind == EKind::Warning   ? QMessageBox::Warning
                                                              : QMessageBox::Critical;
    QMessageBox box(icon, QLatin1String(DeskText::AppName), text, QMessageBox::Ok, parent);
    box.exec();
}

QString OpenFile(QWidget* parent, const char* filter)
{
    if (Seam().on) {
        const QStringList names = NextFiles();
        return names.isEmpty() ? QString() : names.front();
    }
    return QFileDialog::getOpenFileName(parent, QString(), QString(), QtFilter(filter));
}

QString OpenFolder(QWidget* parent)
{
    if (Seam().on) {
        const QStringList names = NextFiles();
        return names.isEmpty() ? QString() : names.front();
    }
    return QFileDialog::getExistingDirectory(parent, QString::fromUtf8(DeskText::ChooseImportFolder));
}

QStringList OpenFiles(QWidget* parent, const char* filter)
{
    if (Seam().on) return NextFiles();
    return QFileDialog::getOpenFileNames(parent, QString(), QString(), QtFilter(filter));
}

QString SaveFile(QWidget* parent, const char* filter, const QString& suggested, const QString& suffix)
{
    if (Seam().on) {
        const QStringList names = NextFiles();
        return names.isEmpty() ? QString() : names.front();
    }
    QFileDialog dialog(parent, QString(), suggested, QtFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(suffix);
    if (!suggested.isEmpty()) dialog.selectFile(suggested);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    return dialog.selectedFiles().front();
}

}  // namespace DeskDialogs
