// The server list and its registry subkeys.
#include "mail/core/DvLDAPServerList.h"

#include "platform/registry/Registry.h"

#include <algorithm>

namespace {

QString ServerKey(const QString& key, const QString& name) { return key + u'\\' + name; }

}  // namespace

TDvLDAPServer* TDvLDAPServerList::Add() { return servers_.emplace_back(std::make_unique<TDvLDAPServer>()).get(); }

void TDvLDAPServerList::Delete(int index) { servers_.erase(servers_.begin() + index); }

int TDvLDAPServerList::IndexOf(const TDvLDAPServer* server) const {
    const auto found = std::find_if(servers_.begin(), servers_.end(), [&](const auto& s) { return s.get() == server; });
    return found == servers_.end() ? -1 : static_cast<int>(found - servers_.begin());
}

bool TDvLDAPServerList::LoadFromRegistry(const QString& key) {
    try {
        TRegistry reg;
        if (!reg.OpenKeyReadOnly(key)) return true;
        QStringList names;
        reg.GetKeyNames(names);
        for (const QString& name : names) Add()->LoadFromRegistry(ServerKey(key, name));
        return true;
    } catch (const Exception&) {
        return false;
    }
}

bool TDvLDAPServerList::SaveToRegistry(const QString& key) const {
    try {
        TRegistry reg;
        if (!reg.OpenKey(key, true)) return true;
        for (const auto& server : servers_) server->SaveToRegistry(ServerKey(key, server->ServerName));
        return true;
    } catch (const Exception&) {
        return false;
    }
}

bool TDvLDAPServerList::ClearRegistry(const QString& key) const {
    try {
        TRegistry reg;
        if (!reg.OpenKey(key, false)) return true;
        QStringList names;
        reg.GetKeyNames(names);
        for (const QString& name : names) reg.DeleteKey(name);
        return true;
    } catch (const Exception&) {
        return false;
    }
}
