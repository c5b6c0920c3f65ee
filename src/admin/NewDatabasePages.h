// The four pages of the new-database wizard: file name, password, password distribution and user access.
#pragma once

#include "admin/WizardPage.h"

class TCheckBox;
class TEdit;
class TGroupBox;
class TMemo;
class TRadioButton;
class TSaveDialog;

class TNewNameWizardForm : public admin::WizardPage {
public:
    explicit TNewNameWizardForm(QWidget* owner = nullptr);

    TEdit* FilenameEdit;
    TButton* BrowseButton;
    TRadioButton* PasswordRadioButton;
    TRadioButton* NoPasswordRadioButton;
    TSaveDialog* SaveDialog;

    // No file name, no password (Next reads "Finish").
    void Reset();
    // The file name as typed, trimmed.
    QString GetFileName() const;
    // Runs the save dialog; true when a file was chosen, which is then in FilenameEdit.
    bool BrowseForFile();

    void FormShow();
    void FilenameEditChange();
    void PasswordRadioButtonClick();
    void NoPasswordRadioButtonClick();
};

class TNewPasswordWizardForm : public admin::WizardPage {
public:
    explicit TNewPasswordWizardForm(QWidget* owner = nullptr);

    TEdit* Password1;
    TEdit* Password2;

    void Reset();
    // The first entry exactly as typed.
    QString GetPassword() const;

    void FormShow();
    void Password1Change();
    // The checks of the entries; the page answers Next only when they pass.
    void NextButtonClick();
};

class TNewSecurityWizardForm : public admin::WizardPage {
public:
    explicit TNewSecurityWizardForm(QWidget* owner = nullptr);

    TRadioButton* RememberRadioButton;
    TMemo* Memo3;
    TRadioButton* NoRememberRadioButton;
    TMemo* Memo1;

    void Reset();
    bool RememberPassword() const;

    void FormShow();
};

class TNewUserAccessWizardForm : public admin::WizardPage {
public:
    explicit TNewUserAccessWizardForm(QWidget* owner = nullptr);

    TCheckBox* BookingAllowUserCreate;
    TCheckBox* BookingOwnerOnlyModify;
    TCheckBox* TaskAllowUserCreate;
    TCheckBox* TaskOwnerOnlyModify;

    // Every permission on.
    void Reset();
};
