// The AddressBook table as the program's schema leaves it, for the tests that fill an address book.
#pragma once

namespace address_book_test {

inline constexpr const char* kAddressBookTable =
    "CREATE TABLE AddressBook (EmailAddress TEXT(64) NOT NULL, LastUsed DATETIME NOT NULL, FirstName TEXT(20), "
    "LastName TEXT(30), Nickname TEXT(20), DisplayName TEXT(50), Company TEXT(30), Department TEXT(30), "
    "Title TEXT(30), Address1 TEXT(30), Address2 TEXT(30), City TEXT(30), Prov TEXT(30), Postcode TEXT(10), "
    "Country TEXT(30), Phone TEXT(20), Fax TEXT(20), Id AUTOINCREMENT CONSTRAINT PrimaryKey PRIMARY KEY)";

}  // namespace address_book_test
