// The program's entry point.
#include "data/forms/DataWindowsInstall.h"
#include "data/forms/PasswordForms.h"
#include "mail/MailWindowsInstall.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/ProgramVersion.h"
#include "platform/ui/QtApplication.h"
#include "platform/ui/QtMessageService.h"
#include "platform/ui/QtScreenService.h"
#include "util/core/VersionHistory.h"

#include <QMainWindow>
#include <cstdio>

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

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Tavorin"));
    window.resize(800, 600);
    window.show();
    return QApplication::exec();
}
