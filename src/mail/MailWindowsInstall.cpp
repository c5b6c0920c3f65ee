// The mail windows behind the data module's hooks.
#include "mail/MailWindowsInstall.h"

#include "data/module/MailWindows.h"
#include "mail/EmailSettingsWizard.h"
#include "mail/EmailStatusForm.h"

namespace mail {

void InstallMailWindows(PasswordPrompt askPassword) {
    data::MailWindows& windows = data::CurrentMailWindows();
    windows.ShowSendStatus = [askPassword](net::SmtpClient& client, net::MailMessage& message) {
        TEmailStatusForm form;
        form.SmtpClient = &client;
        form.Message = &message;
        form.AskPassword = askPassword;
        return form.ShowModal() == mrOk;
    };
    windows.RunSettingsWizard = RunEmailSettingsWizardPages;
}

}  // namespace mail
