// The questions, messages and file choices that project commands and tool runs need from the
// user. The core asks through this interface and never shows a window itself; the main window
// implements it with message boxes and file dialogs, tests with prepared answers.
#pragma once
#include <QString>
#include <QStringList>

class IDeskPrompts {
public:
    enum class EAnswer { Yes, No, Cancel };
    enum class EButtons { YesNo, YesCancel, YesNoCancel };

    virtual ~IDeskPrompts() = default;
    // A question with the question icon.
    virtual EAnswer Question(const QString& text, EButtons buttons) = 0;
    // One-button OK dialogs with the information, warning and error icons.
    virtual void Information(const QString& text) = 0;
    virtual void Warning(const QString& text) = 0;
    virtual void Error(const QString& text) = 0;
    // File dialogs; an empty answer means the user cancelled.
    virtual QString SaveProjectFile(const QString& suggestedPath) = 0;  // sdPro
    virtual QString OpenProjectFile() = 0;                                // odPro
    virtual QStringList OpenSourceFiles() = 0;                            // odFile
    virtual QString OpenPathFile() = 0;                                   // an import folder
    // Window effects that belong to a command.
    virtual void BringToFront() = 0;
    virtual void ShowImportPage() = 0;
    virtual void SetBusy(bool busy) = 0;
};
