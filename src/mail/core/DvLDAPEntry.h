// TDvLDAPEntry: one person a directory search found, one text per attribute the program knows; and the list of them.
#pragma once

#include <QString>
#include <memory>
#include <vector>

class TDvLDAPEntry {
public:
    // Named after the directory attributes they hold, in lower case.
    QString displayname, businesscategory, cn, description, facsimiletelephonenumber, givenname, initials, l, o, ou,
        physicaldeliveryofficename, postofficebox, postaladdress, postalcode, sn, st, street, telephonenumber, title,
        homephone, homepostaladdress, mail, mobile, pager, labeleduri;

    // The text of the attribute of that lower-case name; null for an attribute the entry does not keep.
    QString* Attribute(const QString& lowerCaseName);
};

class TDvLDAPEntryList {
public:
    // Appends an entry with empty texts.
    TDvLDAPEntry& Add();
    void Clear();
    int Count() const { return static_cast<int>(entries_.size()); }
    const TDvLDAPEntry& Items(int index) const { return *entries_.at(index); }

private:
    std::vector<std::unique_ptr<TDvLDAPEntry>> entries_;
};
