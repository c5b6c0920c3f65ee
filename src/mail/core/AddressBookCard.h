// TAddressBookCard: one card of the database's address book in memory; TAddressBookCardList: an owning list of them.
#pragma once

#include "mail/core/DvLDAPEntry.h"
#include "mail/core/DvWab.h"
#include "platform/rtl/DateUtils.h"

#include <QString>
#include <array>
#include <memory>
#include <utility>
#include <vector>

class TAddressBookCard {
public:
    // The row's Id for a card read from the table; 0 for a new card, -1 for one copied from a directory or the
    // mail program's address book. Neither names a stored row.
    qint32 Id = 0;
    // Each holds the AddressBook column of the same name.
    QString FirstName, LastName, Nickname, DisplayName, EmailAddress, Company, Department, Title, Address1, Address2,
        City, Prov, Postcode, Country, Phone, Fax;
    // Set only when the card is read from the table.
    TDateTime LastUsed = 0;

    using Text = QString TAddressBookCard::*;
    // The 16 texts with their column names, in the table's order.
    static const std::array<std::pair<const char*, Text>, 16>& Columns();

    void Clear();
    // Copies Id and the texts, not LastUsed.
    void Assign(const TAddressBookCard& source);
    void AssignLDAPEntry(const TDvLDAPEntry& entry);
    void AssignWabEntry(const TDvWabEntry& entry);
};

class TAddressBookCardList {
public:
    // Appends an empty card.
    TAddressBookCard* Add();
    TAddressBookCard* AddCopy(const TAddressBookCard& card);
    TAddressBookCard* AddLDAPEntry(const TDvLDAPEntry& entry);
    TAddressBookCard* AddWabEntry(const TDvWabEntry& entry);
    void Clear();
    qint32 Count() const { return static_cast<qint32>(cards_.size()); }
    TAddressBookCard* Items(int index) const { return cards_.at(index).get(); }

private:
    std::vector<std::unique_ptr<TAddressBookCard>> cards_;
};
