// The two pages of the address book import: the file format and the file.
#pragma once

#include "platform/ui/Form.h"

class TButton;
class TEdit;
class TListBox;
class TOpenDialog;

// What the pages' buttons return besides Cancel.
inline constexpr int kImportNext = 103;
inline constexpr int kImportBack = 104;

class TImportAddressBookTypeWizardForm : public TForm {
public:
    explicit TImportAddressBookTypeWizardForm(QWidget* owner = nullptr);

    TListBox* ImportTypeListBox;
    TButton* NextButton;
    TButton* CancelButton;

    void FormShow();
};

class TImportAddressBookNameWizardForm : public TForm {
public:
    explicit TImportAddressBookNameWizardForm(QWidget* owner = nullptr);

    TEdit* FilenameEdit;
    TButton* BrowseButton;
    TButton* NextButton;
    TButton* CancelButton;
    TButton* PrevButton;
    TOpenDialog* OpenDialog;

    // The file name as typed.
    QString GetFileName() const;
    void FormShow();

private:
    void FilenameEditChange();
    void BrowseButtonClick();
};
