// The dialog of the database password: its checks, in the order the user meets them.
#include "admin/SetDatabasePasswordForm.h"

#include "admin/DialogHeader.h"
#include "platform/rtl/Messages.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Edits.h"
#include "platform/ui/FormDescription.h"

namespace {

constexpr int kMinimumPasswordLength = 6;

bool IsEnterKey(QChar key) { return key == QChar(13); }

void Inform(const QString& text) { MessageDlg(text, mtInformation, {mbOK}); }

}  // namespace

TSetDatabasePasswordForm::TSetDatabasePasswordForm(bool hasPassword, QWidget* owner)
    : TForm(owner), hasPassword_(hasPassword) {
    std::vector<ui::ControlRow> rows = admin::HeaderRows(
        480, QStringLiteral("Set Database Password"),
        QStringLiteral("Restrict access to the database by password protecting it."),
        QStringLiteral("Password protect a database to limit access to global database settings, resources "
                       "and bookings. To allow users to open the database without knowing the database "
                       "password select \"Save encrypted password file\"."),
        92);
    rows.insert(rows.end(),
                {
                    // name            class     parent      left top  width height caption  properties
                    {"NewPasswordLabel", "TLabel", "", 16, 190, 150, 17, "New Password"},
                    {"NewPasswordEdit", "TEdit", "", 170, 186, 200, 23, "", "PasswordChar=*"},
                    {"VerifyPasswordLabel", "TLabel", "", 16, 222, 150, 17, "Verify Password"},
                    {"VerifyPasswordEdit", "TEdit", "", 170, 218, 200, 23, "", "PasswordChar=*"},
                    {"SaveEncryptedPasswordCheckBox", "TCheckBox", "", 16, 254, 448, 21,
                     "Save encrypted password in database directory"},
                    {"Button1", "TButton", "", 16, 298, 150, 25, "Clear Password"},
                    {"OkButton", "TButton", "", 234, 298, 130, 25, "Set Password", "Default=True"},
                    {"CancelButton", "TButton", "", 374, 298, 90, 25, "Cancel", "Cancel=True; ModalResult=mrCancel"},
                });
    ui::DescribeForm(*this, {"SetDatabasePasswordForm", "Security", bsDialog, poScreenCenter, 480, 340}, rows);
    NewPasswordEdit = Find<TEdit>("NewPasswordEdit");
    VerifyPasswordEdit = Find<TEdit>("VerifyPasswordEdit");
    SaveEncryptedPasswordCheckBox = Find<TCheckBox>("SaveEncryptedPasswordCheckBox");
    Button1 = Find<TButton>("Button1");
    OkButton = Find<TButton>("OkButton");
    CancelButton = Find<TButton>("CancelButton");
    SaveEncryptedPasswordCheckBox->SetChecked(true);

    NewPasswordEdit->OnKeyPress = [this](QObject*, QChar& key) {
        if (!IsEnterKey(key)) return;
        key = QChar();
        VerifyPasswordEdit->SetFocus();
    };
    VerifyPasswordEdit->OnKeyPress = [this](QObject*, QChar& key) {
        if (!IsEnterKey(key)) return;
        key = QChar();
        OkButton->SetFocus();
    };
    OkButton->OnClick = [this](QObject*) { OkButtonClick(); };
    Button1->OnClick = [this](QObject*) { Button1Click(); };
    OnShow = [this](QObject*) { FormShow(); };
    Loaded();
}

bool TSetDatabasePasswordForm::SavePasswordFile() const { return SaveEncryptedPasswordCheckBox->Checked(); }

void TSetDatabasePasswordForm::FormShow() {
    NewPasswordEdit->SetText(QString());
    VerifyPasswordEdit->SetText(QString());
    NewPasswordEdit->SetFocus();
}

void TSetDatabasePasswordForm::OkButtonClick() {
    const QString password = NewPasswordEdit->Text();
    if (password.trimmed().isEmpty()) return Inform(QStringLiteral("The password can not be blank"));
    if (password.size() < kMinimumPasswordLength)
        return Inform(QStringLiteral("The password must be at least 6 characters long"));
    if (password != VerifyPasswordEdit->Text()) return Inform(QStringLiteral("The passwords entered do not match"));
    newPassword_ = password;
    SetModalResult(mrOk);
}

void TSetDatabasePasswordForm::Button1Click() {
    if (!hasPassword_) return Inform(QStringLiteral("The database does not currently have a password."));
    newPassword_.clear();
    SetModalResult(mrOk);
}
