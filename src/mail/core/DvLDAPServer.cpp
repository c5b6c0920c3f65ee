// A directory's name search and its registry values.
#include "mail/core/DvLDAPServer.h"

#include "mail/core/DvLDAPSearchFilter.h"
#include "platform/registry/Registry.h"

QString TDvLDAPServer::NameFilter(const QString& trimmedName) {
    const QString& name = trimmedName;
    TDvLDAPSearchFilter filter;
    const qsizetype blank = name.lastIndexOf(u' ');
    if (blank < 0) {
        filter.Add(TDvLDAPSearchFilter::faCommonName, TDvLDAPSearchFilter::kPrefixMatch, name);
        filter.Add(TDvLDAPSearchFilter::faGivenName, TDvLDAPSearchFilter::kPrefixMatch, name);
        filter.Add(TDvLDAPSearchFilter::faSurname, TDvLDAPSearchFilter::kPrefixMatch, name);
        return filter.GetFilter(false);
    }
    filter.Add(TDvLDAPSearchFilter::faGivenName, TDvLDAPSearchFilter::kPrefixMatch, name.left(blank));
    filter.Add(TDvLDAPSearchFilter::faSurname, TDvLDAPSearchFilter::kPrefixMatch, name.mid(blank + 1));
    return filter.GetFilter(true);
}

qint32 TDvLDAPServer::SearchName(const QString& text) {
    const QString name = text.trimmed();
    if (name.isEmpty()) return 0;
    return Search(NameFilter(name));
}

void TDvLDAPServer::LoadFromRegistry(const QString& key) {
    TRegistry reg;
    if (!reg.OpenKeyReadOnly(key)) return;
    try {
        ServerName = reg.ReadString(QStringLiteral("Name"));
        Hostname = reg.ReadString(QStringLiteral("Hostname"));
        Base = reg.ReadString(QStringLiteral("Base"));
        Port = reg.ReadInteger(QStringLiteral("Port"));
        Bind = reg.ReadString(QStringLiteral("Bind"));
        SSL = reg.ReadBool(QStringLiteral("SSL"));
        SizeLimit = reg.ReadInteger(QStringLiteral("SizeLimit"));
    } catch (const ERegistryException&) {
        // The values read so far stay; the rest keep what they held.
    }
}

void TDvLDAPServer::SaveToRegistry(const QString& key) const {
    TRegistry reg;
    if (!reg.OpenKey(key, true)) return;
    reg.WriteString(QStringLiteral("Name"), ServerName);
    reg.WriteString(QStringLiteral("Hostname"), Hostname);
    reg.WriteString(QStringLiteral("Base"), Base);
    reg.WriteInteger(QStringLiteral("Port"), Port);
    reg.WriteString(QStringLiteral("Bind"), Bind);
    reg.WriteBool(QStringLiteral("SSL"), SSL);
    reg.WriteInteger(QStringLiteral("SizeLimit"), SizeLimit);
}
