// TSetDatabasePasswordForm: the new database password, or its clearing, and whether to save the password file.
#pragma once

#include "platform/ui/Form.h"

class TButton;
class TCheckBox;
class TEdit;

class TSetDatabasePasswordForm : public TForm {
public:
    // hasPassword: the open database has a password now (only then can it be cleared).
    explicit TSetDatabasePasswordForm(bool hasPassword, QWidget* owner = nullptr);

    TEdit* NewPasswordEdit;
    TEdit* VerifyPasswordEdit;
    TCheckBox* SaveEncryptedPasswordCheckBox;
    TButton* Button1;
    TButton* OkButton;
    TButton* CancelButton;

    // After OK: the new password, empty when it is to be cleared.
    QString NewPassword() const { return newPassword_; }
    bool SavePasswordFile() const;

private:
    void FormShow();
    void OkButtonClick();
    void Button1Click();

    bool hasPassword_;
    QString newPassword_;
};
