// The card dialog: its fields, the entry tables, read-only mode and the display name that follows the name.
#include "mail/AddressBookCardForm.h"

#include "platform/ui/Buttons.h"
#include "platform/ui/Edits.h"
#include "platform/ui/FormDescription.h"
#include "platform/ui/Label.h"

namespace {

std::vector<ui::ControlRow> CardFormRows() {
    struct Field {
        const char* label;
        const char* edit;
        const char* caption;
    };
    // One field a line, except the state and postal code, which share one.
    static const Field kFields[] = {
        {"FirstnameLabel", "FirstnameEdit", "First Name:"},
        {"LastnameLabel", "LastnameEdit", "Last Name:"},
        {"NicknameLabel", "NicknameEdit", "Nickname:"},
        {"DisplayNameLabel", "DisplayNameEdit", "Display Name:"},
        {"EmailAddressLabel", "EmailAddressEdit", "Email Address:"},
        {"CompanyLabel", "CompanyEdit", "Company:"},
        {"DepartmentLabel", "DepartmentEdit", "Department:"},
        {"TitleLabel", "TitleEdit", "Title:"},
        {"AddressLabel", "Address1Edit", "Address:"},
        {"", "Address2Edit", ""},
        {"CityLabel", "CityEdit", "City:"},
        {"ProvLabel", "ProvEdit", "State/Prov:"},
        {"CountryLabel", "CountryEdit", "Country:"},
        {"PhoneLabel", "PhoneEdit", "Phone:"},
        {"FaxLabel", "FaxEdit", "Fax:"},
    };
    std::vector<ui::ControlRow> rows;
    int top = 10;
    for (const Field& field : kFields) {
        if (*field.label) rows.push_back({field.label, "TLabel", "", 10, top + 3, 100, 18, field.caption});
        const bool shortField = QLatin1String(field.edit) == QLatin1String("ProvEdit");
        rows.push_back({field.edit, "TEdit", "", 122, top, shortField ? 70 : 265, 23});
        if (shortField) {
            rows.push_back({"PostcodeLabel", "TLabel", "", 198, top + 3, 104, 18, "Zip/Postal Code:"});
            rows.push_back({"PostcodeEdit", "TEdit", "", 328, top, 59, 23});
        }
        top += 25;
    }
    rows.push_back({"OkButton", "TButton", "", 226, 395, 75, 25, "Ok", "Default=True; ModalResult=mrOk"});
    rows.push_back({"CancelButton", "TButton", "", 312, 395, 75, 25, "Cancel", "Cancel=True; ModalResult=mrCancel"});
    return rows;
}

}  // namespace

TAddressBookCardForm::TAddressBookCardForm(QWidget* owner) : TForm(owner) {
    ui::DescribeForm(*this, {"AddressBookCardForm", "Address Book Card", bsDialog, poScreenCenter, 397, 430},
                     CardFormRows());
    FirstnameEdit = Find<TEdit>("FirstnameEdit");
    LastnameEdit = Find<TEdit>("LastnameEdit");
    NicknameEdit = Find<TEdit>("NicknameEdit");
    DisplayNameEdit = Find<TEdit>("DisplayNameEdit");
    EmailAddressEdit = Find<TEdit>("EmailAddressEdit");
    CompanyEdit = Find<TEdit>("CompanyEdit");
    DepartmentEdit = Find<TEdit>("DepartmentEdit");
    TitleEdit = Find<TEdit>("TitleEdit");
    Address1Edit = Find<TEdit>("Address1Edit");
    Address2Edit = Find<TEdit>("Address2Edit");
    CityEdit = Find<TEdit>("CityEdit");
    ProvEdit = Find<TEdit>("ProvEdit");
    PostcodeEdit = Find<TEdit>("PostcodeEdit");
    CountryEdit = Find<TEdit>("CountryEdit");
    PhoneEdit = Find<TEdit>("PhoneEdit");
    FaxEdit = Find<TEdit>("FaxEdit");
    OkButton = Find<TButton>("OkButton");
    CancelButton = Find<TButton>("CancelButton");
    FirstnameEdit->OnChange = [this](QObject*) { NameChange(); };
    LastnameEdit->OnChange = [this](QObject*) { NameChange(); };
    OnShow = [this](QObject*) { FormShow(); };
    Loaded();
}

std::array<TEdit*, 16> TAddressBookCardForm::Edits() const {
    return {FirstnameEdit,  LastnameEdit, NicknameEdit, DisplayNameEdit, EmailAddressEdit, CompanyEdit,
            DepartmentEdit, TitleEdit,    Address1Edit, Address2Edit,    CityEdit,         ProvEdit,
            PostcodeEdit,   CountryEdit,  PhoneEdit,    FaxEdit};
}

void TAddressBookCardForm::LoadCard(const TAddressBookCard& card) {
    const auto& columns = TAddressBookCard::Columns();
    const auto edits = Edits();
    for (size_t i = 0; i < edits.size(); ++i) edits[i]->SetText(card.*columns[i].second);
}

void TAddressBookCardForm::LoadLDAPEntry(const TDvLDAPEntry& entry) {
    // Unlike a selected entry's copy, the dialog shows the street as the first address line.
    TAddressBookCard card;
    card.AssignLDAPEntry(entry);
    card.Address1 = entry.street;
    LoadCard(card);
}

void TAddressBookCardForm::LoadWabEntry(const TDvWabEntry& entry) {
    // Unlike a selected entry's copy, the dialog shows the country.
    TAddressBookCard card;
    card.AssignWabEntry(entry);
    card.Country = entry.Country;
    LoadCard(card);
}

TAddressBookCard& TAddressBookCardForm::GetCard() {
    const auto& columns = TAddressBookCard::Columns();
    const auto edits = Edits();
    for (size_t i = 0; i < edits.size(); ++i) card_.*columns[i].second = edits[i]->Text();
    return card_;
}

void TAddressBookCardForm::FormShow() {
    AutoDisplayName =
        FirstnameEdit->Text().isEmpty() && LastnameEdit->Text().isEmpty() && DisplayNameEdit->Text().isEmpty();
    for (TEdit* edit : Edits()) {
        edit->SetReadOnly(ReadOnlyMode);
        edit->SetColor(ReadOnlyMode ? clBtnFace : clWindow);
    }
    if (ReadOnlyMode) {
        SetCaption(QStringLiteral("Address Book Card (Read Only)"));
        SetActiveControl(OkButton);
    } else {
        SetCaption(QStringLiteral("Address Book Card"));
        SetActiveControl(FirstnameEdit);
    }
}

void TAddressBookCardForm::NameChange() {
    if (AutoDisplayName) DisplayNameEdit->SetText(FirstnameEdit->Text() + u' ' + LastnameEdit->Text());
}
