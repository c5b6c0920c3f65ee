// The program's entry point.
#include "app/main/ProgramRun.h"
#include "app/main/UserPreferences.h"
#include "data/forms/DataWindowsInstall.h"
#include "data/forms/PasswordForms.h"
#include "data/module/DataModule.h"
#include "data/module/SQLDataModule.h"
#include "mail/MailWindowsInstall.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/ProgramVersion.h"
#include "platform/rtl/Random.h"
#include "platform/ui/Dispatch.h"
#include "platform/ui/QtApplication.h"
#include "platform/ui/QtMessageService.h"
#include "platform/ui/QtScreenService.h"
#include "util/core/VersionHistory.h"

#include <QMainWindow>
#include <cstdio>
#include <memory>

int main(int argc, char* argv[]) {
    if (argc > 1 && QByteArray(argv[1]) == "--version") {
        std::printf("Tavorin %s\n", rtl::kProgramVersionText);
        return 0;
    }
    ui::QtApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tavorin"));
    QApplication::setApplicationVersion(QString::fromLatin1(rtl::kProgramVersionText));
    rtl::LoadFormatSettingsFromLocale();
    rtl::SetMessageService(std::make_shared<ui::QtMessageService>());
    rtl::SetScreenService(std::make_shared<ui::QtScreenService>());
    // The layers below the windows reach them through hooks.
    data::InstallDataWindows();
    mail::InstallMailWindows([](const QString& message, QString& password) {
        TPasswordForm form;
        form.SetMessage(message);
        if (form.ShowModal() != mrOk) return false;
        password = form.GetPassword();
        return true;
    });
    // The version keys come first: every reader and writer of per-user settings goes through them.
    CreateVersionHistory();

    // The main window reads its preferences before the modules exist.
    QMainWindow window;
    window.resize(800, 600);
    TUserPreferences preferences;
    preferences.LoadUserPreferences(*VersionHistory, window.width(), window.height());
    const auto data = std::make_unique<TData>();
    Data = data.get();
    const auto sqlData = std::make_unique<TSQLData>(*Data);
    SQLData = sqlData.get();
    // The password file's writer draws from the generator.
    Randomize();

    window.setWindowTitle(QStringLiteral("Tavorin 7.0"));
    window.show();
    TProgramWindow programWindow;
    programWindow.OpenDatabase = [&](const QString& fileName, const QString& password, const QString&) {
        ui::Dispatch(&window, [&] { Data->ConnectDatabase(fileName, password); });
    };
    programWindow.RunLoop = [&] {
        QApplication::exec();
        // The main window's close: the database closes and the layout is kept, also with "/s".
        ui::Dispatch(&window, [&] {
            Data->DisconnectDatabase();
            preferences.SaveLayout(*VersionHistory);
        });
    };
    // A settings store that cannot be written is reported, not a crash at exit.
    ui::Dispatch(&window, [&] {
        RunProgram(*Data, preferences.OpenMostRecent, QApplication::arguments().mid(1), programWindow);
    });
    return 0;
}
