// TDvLDAPServerList: the directories the user configured, kept in the per-user registry one subkey each.
#pragma once

#include "mail/core/DvLDAPServer.h"

#include <memory>
#include <vector>

class TDvLDAPServerList {
public:
    // Appends a server with the default values.
    TDvLDAPServer* Add();
    void Delete(int index);
    int Count() const { return static_cast<int>(servers_.size()); }
    TDvLDAPServer* Servers(int index) const { return servers_.at(index).get(); }
    // -1 when the server is not in the list.
    int IndexOf(const TDvLDAPServer* server) const;

    // The key is a path below HKEY_CURRENT_USER. Each answers false only when the registry raised.
    // Appends a server per subkey; the servers already in the list stay.
    bool LoadFromRegistry(const QString& key);
    // A subkey per server named after it; of two servers with one name the later one wins.
    bool SaveToRegistry(const QString& key) const;
    // Deletes every subkey, so that a save afterwards leaves only the servers in the list.
    bool ClearRegistry(const QString& key) const;

private:
    std::vector<std::unique_ptr<TDvLDAPServer>> servers_;
};
