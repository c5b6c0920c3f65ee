// The five pages of the e-mail settings wizard; each edits its fields and closes with Next, Prev or Cancel.
#pragma once

#include "data/module/EMailSettings.h"
#include "mail/WizardPage.h"

#include <functional>

class TCheckBox;
class TEdit;
class TMemo;
class TRadioButton;

class TEmailSettingsClientWizardForm : public mail::WizardPage {
public:
    explicit TEmailSettingsClientWizardForm(QWidget* owner = nullptr);
    TRadioButton* MapiRadioButton;
    TRadioButton* RanvelRadioButton;
    // The system mail program's name, shown in the MAPI choice.
    QString DefaultClient;

    void FormShow();
    void MapiRadioButtonClick();
    void RanvelRadioButtonClick();
};

class TEmailSettingsIdentityWizardForm : public mail::WizardPage {
public:
    explicit TEmailSettingsIdentityWizardForm(QWidget* owner = nullptr);
    TEdit* SenderNameEdit;
    TEdit* SenderAddressEdit;
    TEdit* ReplyToEdit;
    TEdit* OrganizationEdit;
    TMemo* SignatureMemo;

    void FormShow();
    void SenderAddressEditChange();
};

class TEmailSettingsServerWizardForm : public mail::WizardPage {
public:
    explicit TEmailSettingsServerWizardForm(QWidget* owner = nullptr);
    TEdit* SMTPHostEdit;
    TEdit* SMTPUsernameEdit;
    TEdit* SMTPPortEdit;
    TCheckBox* SMTPUsernameCheckBox;

    void FormShow();
    void SMTPHostEditChange();
    void SMTPUsernameCheckBoxClick();
};

class TEmailSettingsMessagesWizardForm : public mail::WizardPage {
public:
    explicit TEmailSettingsMessagesWizardForm(QWidget* owner = nullptr);
    TEdit* DefaultSubjectEdit;
    TCheckBox* BCCSenderCheckBox;
    TCheckBox* BCCOtherCheckBox;
    TEdit* BCCOtherAddressEdit;
    TCheckBox* ReturnReceiptCheckBox;
    // Set before each showing: the sender's address text and whether the sender copy can be chosen.
    QString SenderText;
    bool SenderCopyAvailable = false;

    void FormShow();
};

class TEmailSettingsTestWizardForm : public mail::WizardPage {
public:
    explicit TEmailSettingsTestWizardForm(QWidget* owner = nullptr);
    TMemo* InfoMemo;
    TButton* SendButton;
    // Filled by the wizard before each showing; the test message is sent with these.
    TEMailSettings Settings;
    bool UseMapi = false;
    QString DefaultClient;
    // Sends the test message (through MAPI or not, with the settings).
    std::function<void(bool throughMapi, const TEMailSettings& settings)> SendTestMessage;

    void FormShow();
    void SendButtonClick();
};
