// The e-mail settings wizard pages: their fields, notes and the rules that enable Next.
#include "mail/EmailSettingsPages.h"

#include "mail/MailAddressFormat.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Containers.h"
#include "platform/ui/Edits.h"
#include "platform/ui/FormDescription.h"
#include "platform/ui/Label.h"

namespace {

// A read-only note on a page's face: text on the page's colour that wraps, with no frame.
const QString kNote = QStringLiteral("ReadOnly=True; TabStop=False; Color=clBtnFace; BorderStyle=bsNone");

// The notes' lines run on as one text, so that the note wraps at any font.
const QString kIdentityNote = QStringLiteral(
    "Your identity is the information that other people see when they read "
    "your messages.");
const QString kSubjectNote = QStringLiteral(
    "The default subject is added to all new messages. You can change it "
    "for individual messages if desired.");
const QString kBccNote = QStringLiteral(
    "You can specify an email address to blind carbon copy (BCC) all email "
    "messages. These address will be added to the recipient list for all new "
    "messages. You can delete them for individual messages if desired.");

}  // namespace

TEmailSettingsClientWizardForm::TEmailSettingsClientWizardForm(QWidget* owner)
    : WizardPage(owner, QStringLiteral("EmailSettingsClientWizardForm"), QStringLiteral("Client"),
                 QStringLiteral("Select the email client.")) {
    ui::AddControls(
        *this,
        {
            // name             class           parent         left top width height caption
            {"MapiRadioButton", "TRadioButton", "MiddlePanel", 40, 40, 414, 22, "Use MAPI mail. Default client is"},
            {"RanvelRadioButton", "TRadioButton", "MiddlePanel", 40, 72, 414, 22, "Use Ranvel mail client"},
        });
    MapiRadioButton = Find<TRadioButton>("MapiRadioButton");
    RanvelRadioButton = Find<TRadioButton>("RanvelRadioButton");
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
    ui::AddControls(*this,
                    {
                        // name               class    parent         left top  width height caption  properties
                        {"IdentityNote", "TMemo", "MiddlePanel", 16, 8, 438, 36, kIdentityNote, kNote},
                        {"SenderNameLabel", "TLabel", "MiddlePanel", 16, 55, 128, 18, "Your name:"},
                        {"SenderNameEdit", "TEdit", "MiddlePanel", 150, 52, 304, 23},
                        {"SenderAddressLabel", "TLabel", "MiddlePanel", 16, 85, 128, 18, "Email address:"},
                        {"SenderAddressEdit", "TEdit", "MiddlePanel", 150, 82, 304, 23},
                        {"ReplyToLabel", "TLabel", "MiddlePanel", 16, 115, 128, 18, "Reply-to address:"},
                        {"ReplyToEdit", "TEdit", "MiddlePanel", 150, 112, 304, 23},
                        {"OrganizationLabel", "TLabel", "MiddlePanel", 16, 145, 128, 18, "Organization:"},
                        {"OrganizationEdit", "TEdit", "MiddlePanel", 150, 142, 304, 23},
                        {"SignatureLabel", "TLabel", "MiddlePanel", 16, 175, 128, 18, "Signature:"},
                        {"SignatureMemo", "TMemo", "MiddlePanel", 150, 172, 304, 100, "", "ScrollBars=ssVertical"},
                    });
    SenderNameEdit = Find<TEdit>("SenderNameEdit");
    SenderAddressEdit = Find<TEdit>("SenderAddressEdit");
    ReplyToEdit = Find<TEdit>("ReplyToEdit");
    OrganizationEdit = Find<TEdit>("OrganizationEdit");
    SignatureMemo = Find<TMemo>("SignatureMemo");

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
    ui::AddControls(*this,
                    {
                        // name                 class       parent         left top  width height caption
                        {"ServerNameLabel", "TLabel", "MiddlePanel", 16, 27, 128, 18, "Server Name:"},
                        {"SMTPHostEdit", "TEdit", "MiddlePanel", 150, 24, 304, 23},
                        {"SMTPUsernameCheckBox", "TCheckBox", "MiddlePanel", 150, 60, 304, 22, "Use name and password"},
                        {"UserNameLabel", "TLabel", "MiddlePanel", 16, 93, 128, 18, "User Name:"},
                        {"SMTPUsernameEdit", "TEdit", "MiddlePanel", 150, 90, 304, 23},
                        {"PortLabel", "TLabel", "MiddlePanel", 16, 133, 128, 18, "Port:"},
                        {"SMTPPortEdit", "TEdit", "MiddlePanel", 150, 130, 60, 23, "25"},
                        {"DefaultPortLabel", "TLabel", "MiddlePanel", 222, 133, 120, 18, "Default: 25"},
                    });
    SMTPHostEdit = Find<TEdit>("SMTPHostEdit");
    SMTPUsernameEdit = Find<TEdit>("SMTPUsernameEdit");
    SMTPPortEdit = Find<TEdit>("SMTPPortEdit");
    SMTPUsernameCheckBox = Find<TCheckBox>("SMTPUsernameCheckBox");

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
    // The return receipt setting passes through unchanged: the page does not offer it.
    ui::AddControls(
        *this, {
                   // name                  class        parent         left top  width height caption  properties
                   {"SubjectNote", "TMemo", "MiddlePanel", 16, 8, 438, 52, kSubjectNote, kNote},
                   {"DefaultSubjectLabel", "TLabel", "MiddlePanel", 16, 67, 128, 18, "Default Subject:"},
                   {"DefaultSubjectEdit", "TEdit", "MiddlePanel", 150, 64, 304, 23},
                   {"BCCNote", "TMemo", "MiddlePanel", 16, 96, 438, 88, kBccNote, kNote},
                   {"BCCSenderCheckBox", "TCheckBox", "MiddlePanel", 16, 188, 438, 22, "BCC"},
                   {"BCCOtherCheckBox", "TCheckBox", "MiddlePanel", 16, 217, 60, 22, "BCC"},
                   {"BCCOtherAddressEdit", "TEdit", "MiddlePanel", 80, 216, 374, 23},
                   {"ReturnReceiptCheckBox", "TCheckBox", "MiddlePanel", 16, 248, 438, 22, "Request Return Receipt",
                    "Visible=False"},
               });
    DefaultSubjectEdit = Find<TEdit>("DefaultSubjectEdit");
    BCCSenderCheckBox = Find<TCheckBox>("BCCSenderCheckBox");
    BCCOtherCheckBox = Find<TCheckBox>("BCCOtherCheckBox");
    BCCOtherAddressEdit = Find<TEdit>("BCCOtherAddressEdit");
    ReturnReceiptCheckBox = Find<TCheckBox>("ReturnReceiptCheckBox");

    for (TControl* field :
         std::initializer_list<TControl*>{DefaultSubjectEdit, BCCSenderCheckBox, BCCOtherCheckBox, BCCOtherAddressEdit,
                                          Find<TMemo>("SubjectNote"), Find<TMemo>("BCCNote")})
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
    ui::AddControls(*this, {
                               // name       class      parent         left top  width height caption properties
                               {"InfoMemo", "TMemo", "MiddlePanel", 16, 16, 438, 72, "", kNote},
                               {"SendButton", "TButton", "MiddlePanel", 16, 100, 438, 25, "Send test message"},
                           });
    InfoMemo = Find<TMemo>("InfoMemo");
    SendButton = Find<TButton>("SendButton");
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
        InfoMemo->SetText(
            QStringLiteral("Click the button below to send a test message to the return address you "
                           "have specified. This will help verify recipients can reply to messages "
                           "you send."));
        SendButton->SetCaption(QStringLiteral("Send To: ") +
                               FormatMailAddress(Settings.SenderName, Settings.SenderAddress, Settings.ReplyTo));
    }
}

void TEmailSettingsTestWizardForm::SendButtonClick() {
    if (SendTestMessage) SendTestMessage(UseMapi, Settings);
}
