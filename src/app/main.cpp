// The program's entry point.
#include "app/main/AddressBookCommands.h"
#include "app/main/AdminCommands.h"
#include "app/main/BookingWindows.h"
#include "app/main/MainForm.h"
#include "app/main/ProgramRun.h"
#include "app/main/SplashForm.h"
#include "data/forms/DataWindowsInstall.h"
#include "data/forms/PasswordForms.h"
#include "data/module/DataModule.h"
#include "data/module/SQLDataModule.h"
#include "mail/MailWindowsInstall.h"
#include "platform/print/QtPrinterCatalog.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/ProgramVersion.h"
#include "platform/rtl/Random.h"
#include "platform/ui/Application.h"
#include "platform/ui/Dispatch.h"
#include "platform/ui/QtApplication.h"
#include "platform/ui/QtMessageService.h"
#include "platform/ui/QtScreenService.h"
#include "util/core/VersionHistory.h"

#include <QElapsedTimer>
#include <QTimer>
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
    prn::InstallSystemPrinterCatalog();
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

    const auto data = std::make_unique<TData>();
    Data = data.get();
    // The main window reads its preferences as it is made; the windows of subsystems still to come leave their
    // commands disabled.
    TMainWindowServices services;
    InstallAdminCommands(services);
    InstallBookingWindows(services);
    InstallAddressBook(services);
    TMainForm window(*Data, services);
    const auto sqlData = std::make_unique<TSQLData>(*Data);
    SQLData = sqlData.get();
    // The password file's writer draws from the generator.
    Randomize();

    // Closing the main window ends the message loop.
    Application->SetMainForm(&window);

    // The splash is up while the settings load; no message runs until it has been shown long enough.
    auto splash = std::make_unique<TSplashForm>();
    splash->Show();
    splash->Repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    QElapsedTimer splashShown;
    splashShown.start();

    TProgramWindow programWindow;
    programWindow.ShowMainWindow = [&] {
        window.SetCaption(QStringLiteral("Tavorin 7.0"));
        window.SetEnabled(false);
        window.Show();
        window.Repaint();
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        WaitOutSplash(splashShown);
        splash.reset();
        window.SetEnabled(true);
    };
    programWindow.OpenDatabase = [&](const QString& fileName, const QString& password, const QString& message) {
        ui::Dispatch(&window, [&] { window.OpenDatabase(fileName, password, message); });
    };
    programWindow.CheckForUpdates = [&] { ui::Dispatch(&window, [&] { window.CheckForUpdatesAtStart(); }); };
    // The main window's close closes the database and keeps the layout, also with "/s".
    programWindow.RunLoop = [&] {
        // TAVORIN_SCREENSHOT=<file>: a picture of the main window once it is shown, then the program ends as
        // when the window is closed (the run script's way to show a newcomer the program without a display).
        const QString screenshot = qEnvironmentVariable("TAVORIN_SCREENSHOT");
        if (!screenshot.isEmpty())
            QTimer::singleShot(1500, &window, [&window, screenshot] {
                ui::Dispatch(&window, [&] {
                    if (window.grab().save(screenshot)) std::printf("%s\n", qPrintable(screenshot));
                    else std::fprintf(stderr, "Could not save %s\n", qPrintable(screenshot));
                    std::fflush(stdout);
                    window.Close();
                });
            });
        Application->Run();
    };
    // A settings store that cannot be written is reported, not a crash at exit.
    ui::Dispatch(&window, [&] {
        RunProgram(*Data, window.Preferences.OpenMostRecent, QApplication::arguments().mid(1), programWindow);
    });
    Application->SetMainForm(nullptr);
    return 0;
}
