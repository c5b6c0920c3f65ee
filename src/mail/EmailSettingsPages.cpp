// The e-mail settings wizard pages: their fields, notes and the rules that enable Next.
#include "mail/EmailSettingsPages.h"

#include "mail/MailAddressFormat.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Containers.h"
#include "platform/ui/Edits.h"
#include "platform/ui/Label.h"

namespace {

TEdit* AddEdit(QWidget* parent, const QString& name, int left, int top, int width) {
    auto* edit = new TEdit(parent);
    edit->SetName(name);
    edit->SetBounds(left, top, width, 23);
    return edit;
}

}  // namespace

TEmailSettingsClientWizardForm::TEmailSettingsClientWizardForm(QWidget* owner)
    : WizardPage(owner, QStringLiteral("EmailSettingsClientWizardForm"), QStringLiteral("Client"),
                 QStringLiteral("Select the email client.")) {
    MapiRadioButton = new TRadioButton(MiddlePanel);
    MapiRadioButton->SetName(QStringLiteral("MapiRadioButton"));
    MapiRadioButton->SetCaption(QStringLiteral("Use MAPI mail. Default client is"));
    MapiRadioButton->SetBounds(40, 40, 400, 20);
    RanvelRadioButton = new TRadioButton(MiddlePanel);
    RanvelRadioButton->SetName(QStringLiteral("RanvelRadioButton"));
    RanvelRadioButton->SetCaption(QStringLiteral("Use Ranvel mail client"));
    RanvelRadioButton->SetBounds(40, 72, 400, 20);
    NextButton->SetEnabled(false);
    PrevButton->SetVisible(false);

    OnShow = [this](QObject*) { FormShow(); };
    MapiRadioButton->OnClick = [this](QObject*) { MapiRadioButtonClick(); };
    RanvelRadioButton->OnClick = [this](QObject*) { RanvelRadioButtonClick(); };
    Loaded();
}

void TEmailSettingsClientWizardForm::FormShow() {
    MapiRadioButton->SetCaption(QStringLiteral("Use MAPI mail. Default client is ") + DefaultClient);
}

void TEmailSettingsClientWizardForm::MapiRadioButtonClick() { NextButton->SetEnabled(true); }

void TEmailSettingsClientWizardForm::RanvelRadioButtonClick() { NextButton->SetEnabled(true); }

TEmailSettingsIdentityWizardForm::TEmailSettingsIdentityWizardForm(QWidget* owner)
    : WizardPage(owner, QStringLiteral("EmailSettingsIdentityWizardForm"), QStringLiteral("Identity"),
                 QStringLiteral("Enter your name and email address. The remaining fields are optional.")) {
    AddNote({QStringLiteral("Your identity is the information that other people see when they read "),
             QStringLiteral("your messages.")},
            8, 36);
    AddLabel(QStringLiteral("Your name:"), 56);
    SenderNameEdit = AddEdit(MiddlePanel, QStringLiteral("SenderNameEdit"), 140, 56, 314);
    AddLabel(QStringLiteral("Email address:"), 86);
    SenderAddressEdit = AddEdit(MiddlePanel, QStringLiteral("SenderAddressEdit"), 140, 86, 314);
    AddLabel(QStringLiteral("Reply-to address:"), 116);
    ReplyToEdit = AddEdit(MiddlePanel, QStringLiteral("ReplyToEdit"), 140, 116, 314);
    AddLabel(QStringLiteral("Organization:"), 146);
    OrganizationEdit = AddEdit(MiddlePanel, QStringLiteral("OrganizationEdit"), 140, 146, 314);
    AddLabel(QStringLiteral("Signature:"), 176);
    SignatureMemo = new TMemo(MiddlePanel);
    SignatureMemo->SetName(QStringLiteral("SignatureMemo"));
    SignatureMemo->SetBounds(140, 176, 314, 100);
    SignatureMemo->SetScrollBars(ssVertical);

    for (TControl* field : std::initializer_list<TControl*>{SenderNameEdit, SenderAddressEdit, ReplyToEdit,
                                                           OrganizationEdit, SignatureMemo})
        EnterMovesOn(*field);
    OnShow = [this](QObject*) { FormShow(); };
    SenderAddressEdit->OnChange = [this](QObject*) { SenderAddressEditChange(); };
    SetActiveControl(SenderNameEdit);
    Loaded();
}

void TEmailSettingsIdentityWizardForm::FormShow() { SenderAddressEditChange(); }

void TEmailSettingsIdentityWizardForm::SenderAddressEditChange() {
    NextButton->SetEnabled(!SenderAddressEdit->Text().trimmed().isEmpty());
}

TEmailSettingsServerWizardForm::TEmailSettingsServerWizardForm(QWidget* owner)
    : WizardPage(owner, QStringLiteral("EmailSettingsServerWizardForm"),
                 QStringLiteral("Outgoing Server (SMTP) Settings"),
                 QStringLiteral("Enter the outgoing (smtp) server details. If unknown contact your network "
                                "administrator.")) {
    AddLabel(QStringLiteral("Server Name:"), 24);
    SMTPHostEdit = AddEdit(MiddlePanel, QStringLiteral("SMTPHostEdit"), 140, 24, 314);
    SMTPUsernameCheckBox = new TCheckBox(MiddlePanel);
    SMTPUsernameCheckBox->SetName(QStringLiteral("SMTPUsernameCheckBox"));
    SMTPUsernameCheckBox->SetCaption(QStringLiteral("Use name and password"));
    SMTPUsernameCheckBox->SetBounds(140, 60, 314, 20);
    AddLabel(QStringLiteral("User Name:"), 90);
    SMTPUsernameEdit = AddEdit(MiddlePanel, QStringLiteral("SMTPUsernameEdit"), 140, 90, 314);
    AddLabel(QStringLiteral("Port:"), 130);
    SMTPPortEdit = AddEdit(MiddlePanel, QStringLiteral("SMTPPortEdit"), 140, 130, 60);
    SMTPPortEdit->SetText(QStringLiteral("25"));
    AddLabel(QStringLiteral("Default: 25"), 130, 212);

    EnterMovesOn(*SMTPHostEdit);
    EnterMovesOn(*SMTPUsernameEdit);
    OnShow = [this](QObject*) { FormShow(); };
    SMTPHostEdit->OnChange = [this](QObject*) { SMTPHostEditChange(); };
    SMTPUsernameCheckBox->OnClick = [this](QObject*) { SMTPUsernameCheckBoxClick(); };
    SetActiveControl(SMTPHostEdit);
    Loaded();
}

void TEmailSettingsServerWizardForm::FormShow() {
    SMTPHostEditChange();
    SMTPUsernameCheckBoxClick();
}

void TEmailSettingsServerWizardForm::SMTPHostEditChange() {
    NextButton->SetEnabled(!SMTPHostEdit->Text().trimmed().isEmpty());
}

void TEmailSettingsServerWizardForm::SMTPUsernameCheckBoxClick() {
    const bool on = SMTPUsernameCheckBox->Checked();
    SMTPUsernameEdit->SetEnabled(on);
    SMTPUsernameEdit->SetColor(on ? clWindow : clBtnFace);
}

TEmailSettingsMessagesWizardForm::TEmailSettingsMessagesWizardForm(QWidget* owner)
    : WizardPage(owner, QStringLiteral("EmailSettingsMessagesWizardForm"),
                 QStringLiteral("Default message details (optional)"),
                 QStringLiteral("Specify a default subject, request return receipt and BCC address for all "
                                "messages.")) {
    TMemo* subjectNote =
        AddNote({QStringLiteral("The default subject is added to all new messages. You can change it "),
                 QStringLiteral("for individual messages if desired.")},
                8, 36);
    AddLabel(QStringLiteral("Default Subject:"), 52);
    DefaultSubjectEdit = AddEdit(MiddlePanel, QStringLiteral("DefaultSubjectEdit"), 140, 52, 314);
    TMemo* bccNote =
        AddNote({QStringLiteral("You can specify an email address to blind carbon copy (BCC) all email "),
                 QStringLiteral("messages. These address will be added to the recipient list for all new "),
                 QStringLiteral("messages. You can delete them for individual messages if desired.")},
                92, 52);
    BCCSenderCheckBox = new TCheckBox(MiddlePanel);
    BCCSenderCheckBox->SetName(QStringLiteral("BCCSenderCheckBox"));
    BCCSenderCheckBox->SetCaption(QStringLiteral("BCC"));
    BCCSenderCheckBox->SetBounds(16, 152, 438, 20);
    BCCOtherCheckBox = new TCheckBox(MiddlePanel);
    BCCOtherCheckBox->SetName(QStringLiteral("BCCOtherCheckBox"));
    BCCOtherCheckBox->SetCaption(QStringLiteral("BCC"));
    BCCOtherCheckBox->SetBounds(16, 182, 60, 20);
    BCCOtherAddressEdit = AddEdit(MiddlePanel, QStringLiteral("BCCOtherAddressEdit"), 80, 180, 374);
    // The setting passes through unchanged: the page does not offer it.
    ReturnReceiptCheckBox = new TCheckBox(MiddlePanel);
    ReturnReceiptCheckBox->SetName(QStringLiteral("ReturnReceiptCheckBox"));
    ReturnReceiptCheckBox->SetCaption(QStringLiteral("Request Return Receipt"));
    ReturnReceiptCheckBox->SetBounds(16, 216, 438, 20);
    ReturnReceiptCheckBox->SetVisible(false);

    for (TControl* field : std::initializer_list<TControl*>{DefaultSubjectEdit, BCCSenderCheckBox,
                                                           BCCOtherCheckBox, BCCOtherAddressEdit, subjectNote,
                                                           bccNote})
        EnterMovesOn(*field);
    OnShow = [this](QObject*) { FormShow(); };
    SetActiveControl(DefaultSubjectEdit);
    Loaded();
}

void TEmailSettingsMessagesWizardForm::FormShow() {
    if (SenderCopyAvailable) {
        BCCSenderCheckBox->SetCaption(QStringLiteral("BCC   ") + SenderText);
        BCCSenderCheckBox->SetEnabled(true);
    } else {
        BCCSenderCheckBox->SetChecked(false);
        BCCSenderCheckBox->SetCaption(QStringLiteral("BCC"));
        BCCSenderCheckBox->SetEnabled(false);
    }
}

TEmailSettingsTestWizardForm::TEmailSettingsTestWizardForm(QWidget* owner)
    : WizardPage(owner, QStringLiteral("EmailSettingsTestWizardForm"), QStringLiteral("Test Settings (optional)"),
                 QStringLiteral("Test your email settings to verify recipients can reply-to messages.")) {
    InfoMemo = new TMemo(MiddlePanel);
    InfoMemo->SetName(QStringLiteral("InfoMemo"));
    InfoMemo->SetBounds(16, 16, 438, 60);
    InfoMemo->SetReadOnly(true);
    InfoMemo->SetTabStop(false);
    InfoMemo->SetColor(clBtnFace);
    InfoMemo->setFrameShape(QFrame::NoFrame);
    SendButton = new TButton(MiddlePanel);
    SendButton->SetName(QStringLiteral("SendButton"));
    SendButton->SetCaption(QStringLiteral("Send test message"));
    SendButton->SetBounds(16, 90, 438, 25);
    NextButton->SetCaption(QStringLiteral("Finish"));

    OnShow = [this](QObject*) { FormShow(); };
    SendButton->OnClick = [this](QObject*) { SendButtonClick(); };
    SetActiveControl(SendButton);
    Loaded();
}

void TEmailSettingsTestWizardForm::FormShow() {
    if (UseMapi) {
        InfoMemo->SetText(
            QStringLiteral("Click the send button below to send a test message using the default mapi mail client."));
        SendButton->SetCaption(QStringLiteral("Send using MAPI mail. Default client is ") + DefaultClient);
    } else {
        InfoMemo->SetText(QStringLiteral("Click the button below to send a test message to the return address you "
                                         "have specified. This will help verify recipients can reply to messages "
                                         "you send."));
        SendButton->SetCaption(QStringLiteral("Send To: ") +
                               FormatMailAddress(Settings.SenderName, Settings.SenderAddress, Settings.ReplyTo));
    }
}

void TEmailSettingsTestWizardForm::SendButtonClick() {
    if (SendTestMessage) SendTestMessage(UseMapi, Settings);
}
