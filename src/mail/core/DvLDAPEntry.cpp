// The attribute table of a directory entry and the entry list.
#include "mail/core/DvLDAPEntry.h"

#include <array>
#include <utility>

namespace {

using EntryText = QString TDvLDAPEntry::*;

const std::array<std::pair<const char*, EntryText>, 25> kEntryAttributes{{
    {"displayname", &TDvLDAPEntry::displayname},
    {"businesscategory", &TDvLDAPEntry::businesscategory},
    {"cn", &TDvLDAPEntry::cn},
    {"description", &TDvLDAPEntry::description},
    {"facsimiletelephonenumber", &TDvLDAPEntry::facsimiletelephonenumber},
    {"givenname", &TDvLDAPEntry::givenname},
    {"initials", &TDvLDAPEntry::initials},
    {"l", &TDvLDAPEntry::l},
    {"o", &TDvLDAPEntry::o},
    {"ou", &TDvLDAPEntry::ou},
    {"physicaldeliveryofficename", &TDvLDAPEntry::physicaldeliveryofficename},
    {"postofficebox", &TDvLDAPEntry::postofficebox},
    {"postaladdress", &TDvLDAPEntry::postaladdress},
    {"postalcode", &TDvLDAPEntry::postalcode},
    {"sn", &TDvLDAPEntry::sn},
    {"st", &TDvLDAPEntry::st},
    {"street", &TDvLDAPEntry::street},
    {"telephonenumber", &TDvLDAPEntry::telephonenumber},
    {"title", &TDvLDAPEntry::title},
    {"homephone", &TDvLDAPEntry::homephone},
    {"homepostaladdress", &TDvLDAPEntry::homepostaladdress},
    {"mail", &TDvLDAPEntry::mail},
    {"mobile", &TDvLDAPEntry::mobile},
    {"pager", &TDvLDAPEntry::pager},
    {"labeleduri", &TDvLDAPEntry::labeleduri},
}};

}  // namespace

QString* TDvLDAPEntry::Attribute(const QString& lowerCaseName) {
    for (const auto& [name, text] : kEntryAttributes)
        if (lowerCaseName == QLatin1String(name)) return &(this->*text);
    return nullptr;
}

TDvLDAPEntry& TDvLDAPEntryList::Add() { return *entries_.emplace_back(std::make_unique<TDvLDAPEntry>()); }

void TDvLDAPEntryList::Clear() { entries_.clear(); }
