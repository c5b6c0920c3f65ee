// The new-database wizard's pages: their controls, the rules that enable Next and the password checks.
#include "admin/NewDatabasePages.h"

#include "platform/rtl/Messages.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Containers.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Edits.h"
#include "platform/ui/FormDescription.h"
#include "platform/ui/Label.h"

namespace {

constexpr int kMinPasswordLength = 6;
constexpr int kMaxPasswordLength = 12;

// The notes' lines run on as one text, so that they wrap at any font.
const QString kRememberNote = QStringLiteral(
    "Encrypt the password and save it in the same directory as the database. Anyone with access to the directory "
    "will be able to open the database but will not have full access rights. For full access rights the password "
    "must be entered by the user.");
const QString kNoRememberNote =
    QStringLiteral("The password will be given to all users. This will give them full access rights to the database.");

}  // namespace

TNewNameWizardForm::TNewNameWizardForm(QWidget* owner)
    : WizardPage(owner, {"NewNameWizardForm", "New Database Wizard - Step 1",
                         "Enter the name, location and password security for the database",
                         "You can change password protection after the database is created."}) {
    ui::AddControls(
        *this,
        {
            // name               class           parent          left top  width height caption
            {"FilenameGroupBox", "TGroupBox", "", 16, 100, 608, 66, "Filename"},
            {"FilenameLabel", "TLabel", "FilenameGroupBox", 12, 30, 80, 18, "Filename"},
            {"FilenameEdit", "TEdit", "FilenameGroupBox", 96, 27, 460, 23},
            {"BrowseButton", "TButton", "FilenameGroupBox", 564, 26, 32, 25, "..."},
            {"PasswordRadioButton", "TRadioButton", "", 16, 186, 608, 22, "Password protect this database"},
            {"NoPasswordRadioButton", "TRadioButton", "", 16, 216, 608, 22, "Do not password protect this database"},
        });
    FilenameEdit = Find<TEdit>("FilenameEdit");
    BrowseButton = Find<TButton>("BrowseButton");
    PasswordRadioButton = Find<TRadioButton>("PasswordRadioButton");
    NoPasswordRadioButton = Find<TRadioButton>("NoPasswordRadioButton");
    PrevButton->SetVisible(false);
    SaveDialog = new TSaveDialog(this);
    SaveDialog->SetName(QStringLiteral("SaveDialog"));
    SaveDialog->SetDefaultExt(QStringLiteral("tvd"));
    SaveDialog->SetFilter(
        QStringLiteral("Ranvel Database (*.rvd)|*.rvd|Tavorin Database (*.tvd)|*.tvd|MS Access (*.mdb)|*.mdb"));
    SaveDialog->SetFilterIndex(2);

    for (TControl* control : std::initializer_list<TControl*>{FilenameEdit, PasswordRadioButton, NoPasswordRadioButton})
        EnterMovesOn(*control);
    OnShow = [this](QObject*) { FormShow(); };
    FilenameEdit->OnChange = [this](QObject*) { FilenameEditChange(); };
    BrowseButton->OnClick = [this](QObject*) { BrowseForFile(); };
    PasswordRadioButton->OnClick = [this](QObject*) { PasswordRadioButtonClick(); };
    NoPasswordRadioButton->OnClick = [this](QObject*) { NoPasswordRadioButtonClick(); };
    Loaded();
}

void TNewNameWizardForm::Reset() {
    FilenameEdit->SetText(QString());
    NoPasswordRadioButton->SetChecked(true);
    NoPasswordRadioButtonClick();
}

QString TNewNameWizardForm::GetFileName() const { return FilenameEdit->Text().trimmed(); }

bool TNewNameWizardForm::BrowseForFile() {
    if (!SaveDialog->Execute()) return false;
    FilenameEdit->SetText(SaveDialog->FileName());
    return true;
}

void TNewNameWizardForm::FormShow() {
    FilenameEditChange();
    FilenameEdit->SetFocus();
}

void TNewNameWizardForm::FilenameEditChange() { NextButton->SetEnabled(!GetFileName().isEmpty()); }

void TNewNameWizardForm::PasswordRadioButtonClick() { NextButton->SetCaption(QStringLiteral("Next")); }

void TNewNameWizardForm::NoPasswordRadioButtonClick() { NextButton->SetCaption(QStringLiteral("Finish")); }

TNewPasswordWizardForm::TNewPasswordWizardForm(QWidget* owner)
    : WizardPage(owner,
                 {"NewPasswordWizardForm", "New Database Wizard - Step 2", "Enter a password to protect the database",
                  "Do not forget the password. If lost you will not be able to access the database."}) {
    ui::AddControls(*this, {
                               // name             class     parent left top  width height caption properties
                               {"Password1Label", "TLabel", "", 40, 123, 140, 18, "Password"},
                               {"Password1", "TEdit", "", 184, 120, 200, 23, "", "PasswordChar=*"},
                               {"Password2Label", "TLabel", "", 40, 163, 140, 18, "Verify Password"},
                               {"Password2", "TEdit", "", 184, 160, 200, 23, "", "PasswordChar=*"},
                           });
    Password1 = Find<TEdit>("Password1");
    Password2 = Find<TEdit>("Password2");
    // Next answers only after the checks.
    NextButton->SetModalResult(mrNone);

    OnShow = [this](QObject*) { FormShow(); };
    Password1->OnChange = [this](QObject*) { Password1Change(); };
    Password1->OnKeyPress = [this](QObject*, QChar& key) {
        if (key != u'\r') return;
        key = QChar();
        Password2->SetFocus();
    };
    EnterMovesOn(*Password2);
    NextButton->OnClick = [this](QObject*) { NextButtonClick(); };
    Loaded();
}

void TNewPasswordWizardForm::Reset() {
    Password1->SetText(QString());
    Password2->SetText(QString());
}

QString TNewPasswordWizardForm::GetPassword() const { return Password1->Text(); }

void TNewPasswordWizardForm::FormShow() {
    Reset();
    NextButton->SetEnabled(false);
    Password1->SetFocus();
}

void TNewPasswordWizardForm::Password1Change() { NextButton->SetEnabled(!Password1->Text().trimmed().isEmpty()); }

void TNewPasswordWizardForm::NextButtonClick() {
    const QString password = Password1->Text();
    if (password.size() < kMinPasswordLength || password.size() > kMaxPasswordLength) {
        ShowInformation(QStringLiteral("The password must be between 6 and ") + QString::number(kMaxPasswordLength) +
                        QStringLiteral(" characters"));
        return;
    }
    // The password is stored as typed and must be typed the same at every open: a blank at either end, easily
    // typed by accident and never seen, would make it one the user does not know.
    if (password.trimmed() != password) {
        ShowInformation(QStringLiteral("The password must not begin or end with a blank"));
        return;
    }
    if (password != Password2->Text()) {
        ShowInformation(QStringLiteral("The passwords entered do not match"));
        return;
    }
    SetModalResult(mrNext);
}

TNewSecurityWizardForm::TNewSecurityWizardForm(QWidget* owner)
    : WizardPage(owner, {"NewSecurityWizardForm", "New Database Wizard - Step 3", "Select password distribution method",
                         "The password can be remembered by Ranvel so you do not need to give it to users."}) {
    ui::AddControls(*this, {
                               // name                  class           parent left top  width height caption
                               {"RememberRadioButton", "TRadioButton", "", 16, 104, 20, 20},
                               {"Memo3", "TMemo", "", 40, 104, 584, 96, kRememberNote, admin::kWizardNote},
                               {"NoRememberRadioButton", "TRadioButton", "", 16, 212, 20, 20},
                               {"Memo1", "TMemo", "", 40, 212, 584, 60, kNoRememberNote, admin::kWizardNote},
                           });
    RememberRadioButton = Find<TRadioButton>("RememberRadioButton");
    Memo3 = Find<TMemo>("Memo3");
    NoRememberRadioButton = Find<TRadioButton>("NoRememberRadioButton");
    Memo1 = Find<TMemo>("Memo1");
    RememberRadioButton->SetChecked(true);

    Memo3->OnClick = [this](QObject*) { RememberRadioButton->SetChecked(true); };
    Memo1->OnClick = [this](QObject*) { NoRememberRadioButton->SetChecked(true); };
    for (TControl* control : std::initializer_list<TControl*>{RememberRadioButton, NoRememberRadioButton, Memo3, Memo1})
        EnterMovesOn(*control);
    OnShow = [this](QObject*) { FormShow(); };
    Loaded();
}

void TNewSecurityWizardForm::Reset() { RememberRadioButton->SetChecked(true); }

bool TNewSecurityWizardForm::RememberPassword() const { return RememberRadioButton->Checked(); }

void TNewSecurityWizardForm::FormShow() { NextButton->SetFocus(); }

TNewUserAccessWizardForm::TNewUserAccessWizardForm(QWidget* owner)
    : WizardPage(owner, {"NewUserAccessWizardForm", "New Database Wizard - Step 4", "Set user access",
                         "The administrator can limit user access to bookings"}) {
    ui::AddControls(*this,
                    {
                        // name                    class        parent                left top  width height caption
                        {"BookingSecurity", "TGroupBox", "", 8, 96, 624, 90, "Booking Security"},
                        {"BookingAllowUserCreate", "TCheckBox", "BookingSecurity", 8, 26, 608, 22,
                         "Allow everyone to create and modify bookings"},
                        {"BookingOwnerOnlyModify", "TCheckBox", "BookingSecurity", 8, 56, 608, 22,
                         "Only allow booking owner or resource manager to modify existing bookings"},
                        {"TaskSecurity", "TGroupBox", "", 8, 196, 624, 90, "Task Security"},
                        {"TaskAllowUserCreate", "TCheckBox", "TaskSecurity", 8, 26, 608, 22,
                         "Allow everyone to create and modify tasks"},
                        {"TaskOwnerOnlyModify", "TCheckBox", "TaskSecurity", 8, 56, 608, 22,
                         "Only allow task owner or task managers to modify tasks"},
                    });
    BookingAllowUserCreate = Find<TCheckBox>("BookingAllowUserCreate");
    BookingOwnerOnlyModify = Find<TCheckBox>("BookingOwnerOnlyModify");
    TaskAllowUserCreate = Find<TCheckBox>("TaskAllowUserCreate");
    TaskOwnerOnlyModify = Find<TCheckBox>("TaskOwnerOnlyModify");
    NextButton->SetCaption(QStringLiteral("Finish"));
    Loaded();
}

void TNewUserAccessWizardForm::Reset() {
    for (TCheckBox* box : {BookingAllowUserCreate, BookingOwnerOnlyModify, TaskAllowUserCreate, TaskOwnerOnlyModify})
        box->SetChecked(true);
}
