// Message boxes and file dialogs of the project manager behind one seam. Tests queue the next
// answers (a button, a file name or a cancel) and read back what would have been shown; the
// program shows real dialogs with the texts, buttons and icons of each command.
#pragma once
#include <QString>
#include <QStringList>
#include <vector>

#include "Prompts.h"

class QWidget;

namespace DeskDialogs {

enum class EKind { Question, Information, Warning, Error };
struct SShown {
    EKind kind;
    QString text;
};

// The seam. While enabled, no dialog is shown: questions take the queued answers (Cancel
// when none is left) and file dialogs the queued names (cancel when none is left).
void EnableSeam(bool on);
void SetNextAnswer(IDeskPrompts::EAnswer answer);
void SetNextFileNames(const QStringList& names);
const std::vector<SShown>& Shown();
void ClearShown();

IDeskPrompts::EAnswer Question(QWidget* parent, const QString& text, IDeskPrompts::EButtons buttons);
void Message(QWidget* parent, EKind kind, const QString& text);
QString OpenFile(QWidget* parent, const char* filter);
QString OpenFolder(QWidget* parent);
QStringList OpenFiles(QWidget* parent, const char* filter);
QString SaveFile(QWidget* parent, const char* filter, const QString& suggested, const QString& suffix);

// The interface is Russian, so Qt's own dialogs and buttons are too: Russian as the default
// locale and Qt's translations installed. False when the translations are not installed.
bool InstallQtTranslations();

// Turns a "description|pattern|..." filter into the form of Qt's file dialogs.
QString QtFilter(const char* filter);

}  // namespace DeskDialogs
