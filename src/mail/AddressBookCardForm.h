// TAddressBookCardForm ("Address Book Card"): edits a card of the own address book, or shows a directory or
// mail-program entry read-only.
#pragma once

#include "mail/core/AddressBookCard.h"
#include "platform/ui/Form.h"

#include <array>

class TButton;
class TEdit;

class TAddressBookCardForm : public TForm {
public:
    explicit TAddressBookCardForm(QWidget* owner = nullptr);

    TEdit *FirstnameEdit, *LastnameEdit, *NicknameEdit, *DisplayNameEdit, *EmailAddressEdit, *CompanyEdit,
        *DepartmentEdit, *TitleEdit, *Address1Edit, *Address2Edit, *CityEdit, *ProvEdit, *PostcodeEdit, *CountryEdit,
        *PhoneEdit, *FaxEdit;
    TButton* OkButton;
    TButton* CancelButton;

    bool ReadOnlyMode = false;
    // A new card: the display name follows the first and last name as they are typed.
    bool AutoDisplayName = false;

    // The 16 texts; the Id is not taken.
    void LoadCard(const TAddressBookCard& card);
    void LoadLDAPEntry(const TDvLDAPEntry& entry);
    void LoadWabEntry(const TDvWabEntry& entry);
    // Takes effect when the dialog is shown.
    void SetReadOnly(bool readOnly) { ReadOnlyMode = readOnly; }
    // The dialog's own card (Id 0) with the fields' texts; it lives as long as the dialog.
    TAddressBookCard& GetCard();

    void FormShow();

private:
    // The edit fields in the order of the card's texts.
    std::array<TEdit*, 16> Edits() const;
    void NameChange();

    TAddressBookCard card_;
};
