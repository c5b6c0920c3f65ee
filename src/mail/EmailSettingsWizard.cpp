// The wizard's order of pages, what each page is given before it shows, and the finish step.
#include "mail/EmailSettingsWizard.h"

#include "mail/EmailSettingsPages.h"
#include "mail/MailAddressFormat.h"
#include "platform/rtl/Exceptions.h"
#include "platform/ui/Application.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Edits.h"

#include <memory>

namespace {

enum Step { ClientStep = 1, IdentityStep, ServerStep, MessagesStep, TestStep, FinishStep };

struct Pages {
    std::unique_ptr<TEmailSettingsClientWizardForm> client = std::make_unique<TEmailSettingsClientWizardForm>();
    std::unique_ptr<TEmailSettingsIdentityWizardForm> identity = std::make_unique<TEmailSettingsIdentityWizardForm>();
    std::unique_ptr<TEmailSettingsServerWizardForm> server = std::make_unique<TEmailSettingsServerWizardForm>();
    std::unique_ptr<TEmailSettingsMessagesWizardForm> messages = std::make_unique<TEmailSettingsMessagesWizardForm>();
    std::unique_ptr<TEmailSettingsTestWizardForm> test = std::make_unique<TEmailSettingsTestWizardForm>();

    bool MapiChosen() const { return client->MapiRadioButton->Checked(); }

    void Fill(const TEMailSettings& s, bool useMapi) {
        (useMapi ? client->MapiRadioButton : client->RanvelRadioButton)->SetChecked(true);
        identity->SenderNameEdit->SetText(s.SenderName);
        identity->SenderAddressEdit->SetText(s.SenderAddress);
        identity->ReplyToEdit->SetText(s.ReplyTo);
        identity->OrganizationEdit->SetText(s.Organization);
        identity->SignatureMemo->SetText(s.Signature);
        server->SMTPHostEdit->SetText(s.Host);
        server->SMTPPortEdit->SetText(QString::number(s.Port));
        server->SMTPUsernameEdit->SetText(s.Username);
        server->SMTPUsernameCheckBox->SetChecked(s.AuthType);
        messages->DefaultSubjectEdit->SetText(s.Subject);
        messages->BCCSenderCheckBox->SetChecked(s.BCCSender);
        messages->BCCOtherCheckBox->SetChecked(s.BCCOther);
        messages->BCCOtherAddressEdit->SetText(s.BCCOtherAddress);
        messages->ReturnReceiptCheckBox->SetChecked(s.ReturnReceipt);
    }

    void PrepareMessages() {
        messages->SenderText = FormatMailAddress(identity->SenderNameEdit->Text(), identity->SenderAddressEdit->Text(),
                                                 identity->ReplyToEdit->Text());
        messages->SenderCopyAvailable = !MapiChosen();
    }

    void PrepareTest() {
        TEMailSettings& s = test->Settings;
        if (!MapiChosen()) {
            s.SenderName = identity->SenderNameEdit->Text();
            s.SenderAddress = identity->SenderAddressEdit->Text();
            s.ReplyTo = identity->ReplyToEdit->Text();
            s.Organization = identity->OrganizationEdit->Text();
            s.Signature = identity->SignatureMemo->Text();
            s.Host = server->SMTPHostEdit->Text();
            bool isNumber = false;
            const int port = server->SMTPPortEdit->Text().trimmed().toInt(&isNumber);
            if (isNumber) s.Port = port;
            s.Username = server->SMTPUsernameEdit->Text();
            s.AuthType = server->SMTPUsernameCheckBox->Checked();
        }
        s.Subject = messages->DefaultSubjectEdit->Text();
        s.BCCSender = messages->BCCSenderCheckBox->Checked();
        s.BCCOther = messages->BCCOtherCheckBox->Checked();
        s.BCCOtherAddress = messages->BCCOtherAddressEdit->Text();
        s.ReturnReceipt = messages->ReturnReceiptCheckBox->Checked();
        test->UseMapi = MapiChosen();
    }

    void Finish(TEMailSettings& settings, bool& useMapi) {
        ui::HourGlass hourGlass;
        useMapi = MapiChosen();
        if (useMapi) {
            settings.Subject = messages->DefaultSubjectEdit->Text();
            settings.BCCSender = false;
            settings.BCCOther = messages->BCCOtherCheckBox->Checked();
            settings.BCCOtherAddress = messages->BCCOtherAddressEdit->Text();
        } else {
            settings.Assign(test->Settings);
        }
    }
};

}  // namespace

bool RunEmailSettingsWizardPages(TEMailSettings& settings, bool& useMapi, const QString& defaultClient,
                                 const std::function<void(bool, const TEMailSettings&)>& sendTest) {
    Pages pages;
    pages.client->DefaultClient = defaultClient;
    pages.test->DefaultClient = defaultClient;
    pages.test->SendTestMessage = sendTest;
    pages.Fill(settings, useMapi);

    int step = ClientStep;
    while (step != FinishStep) {
        int result = mrCancel;
        switch (step) {
            case ClientStep:
                result = pages.client->ShowModal();
                if (result == mrNext) step = pages.MapiChosen() ? MessagesStep : IdentityStep;
                break;
            case IdentityStep:
                result = pages.identity->ShowModal();
                step = result == mrNext ? ServerStep : ClientStep;
                break;
            case ServerStep:
                result = pages.server->ShowModal();
                step = result == mrNext ? MessagesStep : IdentityStep;
                break;
            case MessagesStep:
                pages.PrepareMessages();
                result = pages.messages->ShowModal();
                step = result == mrNext ? TestStep : pages.MapiChosen() ? ClientStep : ServerStep;
                break;
            case TestStep:
                pages.PrepareTest();
                result = pages.test->ShowModal();
                step = result == mrNext ? FinishStep : MessagesStep;
                break;
        }
        if (result != mrNext && result != mrBack) return false;
    }
    try {
        pages.Finish(settings, useMapi);
    } catch (const Exception& e) {
        MessageDlg(e.Message(), mtInformation, {mbOK});
        return false;
    }
    return true;
}
