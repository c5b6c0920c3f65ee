// The address book of the mail program that keeps its contacts in an address book file, and the contact record
// the mail program's address book readers fill.
#pragma once

#include <QByteArray>
#include <QString>
#include <memory>
#include <vector>

class TDvWabEntry {
public:
    QString DisplayName, GivenName, Surname, Initials, Nickname, EmailAddress, CompanyName, DepartmentName,
        PostOfficeBox, StreetAddress, Locality, PostalCode, StateOrProvince, Country, BusinessTelephoneNumber,
        BusinessFaxNumber, Title, HomeTelephoneNumber, HomeAddressStreet, HomeAddressCity, HomeAddressStateOrProvince,
        HomeAddressPostalCode;
    // The contact's id in its address book; empty when the reader gives none.
    QByteArray EntryId;
};

class TDvWabEntryList {
public:
    // Appends an entry with empty texts.
    TDvWabEntry& Add();
    void Clear();
    int Count() const { return static_cast<int>(entries_.size()); }
    const TDvWabEntry& Items(int index) const { return *entries_.at(index); }

private:
    std::vector<std::unique_ptr<TDvWabEntry>> entries_;
};

// This desktop has no address book library: the file named in the registry is never opened.
class TDvWab {
public:
    // The file opened last; empty until an open succeeds.
    QString FileName;
    TDvWabEntryList Entries;

    // Opens the file the per-user registry names.
    bool Open();
    bool OpenFile(const QString& fileName);
    // The number of entries found; 0 when the address book's contents cannot be opened (Entries stay as they were).
    int Search(const QString& text, qint32 fieldMask);
};
