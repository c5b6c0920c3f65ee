// Cards filled from each other, from directory entries and from the mail program's contacts.
#include "mail/core/AddressBookCard.h"

namespace {

// The id of a card copied from outside the table.
constexpr qint32 kCopiedCardId = -1;

}  // namespace

const std::array<std::pair<const char*, TAddressBookCard::Text>, 16>& TAddressBookCard::Columns() {
    static const std::array<std::pair<const char*, Text>, 16> columns{{
        {"FirstName", &TAddressBookCard::FirstName},
        {"LastName", &TAddressBookCard::LastName},
        {"Nickname", &TAddressBookCard::Nickname},
        {"DisplayName", &TAddressBookCard::DisplayName},
        {"EmailAddress", &TAddressBookCard::EmailAddress},
        {"Company", &TAddressBookCard::Company},
        {"Department", &TAddressBookCard::Department},
        {"Title", &TAddressBookCard::Title},
        {"Address1", &TAddressBookCard::Address1},
        {"Address2", &TAddressBookCard::Address2},
        {"City", &TAddressBookCard::City},
        {"Prov", &TAddressBookCard::Prov},
        {"Postcode", &TAddressBookCard::Postcode},
        {"Country", &TAddressBookCard::Country},
        {"Phone", &TAddressBookCard::Phone},
        {"Fax", &TAddressBookCard::Fax},
    }};
    return columns;
}

void TAddressBookCard::Clear() {
    Id = 0;
    for (const auto& column : Columns()) (this->*column.second).clear();
}

void TAddressBookCard::Assign(const TAddressBookCard& source) {
    Id = source.Id;
    for (const auto& column : Columns()) this->*column.second = source.*column.second;
}

void TAddressBookCard::AssignLDAPEntry(const TDvLDAPEntry& entry) {
    Id = kCopiedCardId;
    FirstName = entry.givenname;
    LastName = entry.sn;
    Nickname.clear();
    DisplayName = entry.displayname;
    EmailAddress = entry.mail;
    Company = entry.o;
    Department = entry.ou;
    Title = entry.title;
    Address1 = entry.postaladdress;
    Address2.clear();
    City = entry.l;
    Prov = entry.st;
    Postcode = entry.postalcode;
    Country.clear();
    Phone = entry.telephonenumber;
    Fax = entry.facsimiletelephonenumber;
}

void TAddressBookCard::AssignWabEntry(const TDvWabEntry& entry) {
    Id = kCopiedCardId;
    FirstName = entry.GivenName;
    LastName = entry.Surname;
    Nickname = entry.Nickname;
    DisplayName = entry.DisplayName;
    EmailAddress = entry.EmailAddress;
    Company = entry.CompanyName;
    Department = entry.DepartmentName;
    Title = entry.Title;
    Address1 = entry.StreetAddress;
    Address2.clear();
    City = entry.Locality;
    Prov = entry.StateOrProvince;
    Postcode = entry.PostalCode;
    Country.clear();
    Phone = entry.BusinessTelephoneNumber;
    Fax = entry.BusinessFaxNumber;
}

TAddressBookCard* TAddressBookCardList::Add() {
    return cards_.emplace_back(std::make_unique<TAddressBookCard>()).get();
}

TAddressBookCard* TAddressBookCardList::AddCopy(const TAddressBookCard& card) {
    TAddressBookCard* copy = Add();
    copy->Assign(card);
    return copy;
}

TAddressBookCard* TAddressBookCardList::AddLDAPEntry(const TDvLDAPEntry& entry) {
    TAddressBookCard* card = Add();
    card->AssignLDAPEntry(entry);
    return card;
}

TAddressBookCard* TAddressBookCardList::AddWabEntry(const TDvWabEntry& entry) {
    TAddressBookCard* card = Add();
    card->AssignWabEntry(entry);
    return card;
}

void TAddressBookCardList::Clear() { cards_.clear(); }
