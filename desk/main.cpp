// Vydesk, the project manager: the single-instance check, the main window, the settings from
// the program's folder and the project or source file named on the command line.
#include <QApplication>

#include "Dialogs.h"
#include "MainWindow.h"
#include "Platform.h"
#include "SingleInstance.h"
#include "Texts.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    app.setApplicationName(QLatin1String(DeskText::AppName));
    DeskDialogs::InstallQtTranslations();

    CSingleInstance instance;
    if (instance.OtherIsRunning()) {
        const auto answer = DeskDialogs::Question(nullptr, DeskText::Q(DeskText::AlreadyRunning),
                                                  IDeskPrompts::EButtons::YesNo);
        if (answer == IDeskPrompts::EAnswer::Yes) {
            instance.SendRestore();
            return 0;
        }
    }

    TfrVydesk window;
    if (instance.Listen())
        QObject::connect(&instance, &CSingleInstance::RestoreRequested, &window, &TfrVydesk::RestoreFromMinimized);
    window.show();
    window.Start(DeskPlatform::SettingsFilePath(), app.arguments().mid(1));
    return app.exec();
}
