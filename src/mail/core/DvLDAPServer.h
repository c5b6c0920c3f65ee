// TDvLDAPServer: one LDAP directory, its search for a person's name and its values in the per-user registry.
#pragma once

#include "mail/core/DvLDAPEntry.h"

#include <QString>

// The text the address book shows for a search's result code.
QString LDAPErrorText(qint32 code);

class TDvLDAPServer {
public:
    // Result codes a search gives besides the directory's own.
    static constexpr qint32 kTimeLimitExceeded = 3;
    static constexpr qint32 kSizeLimitExceeded = 4;
    static constexpr qint32 kCouldNotConnect = 91;
    // How long a search waits for the host to accept the connection, so that a host that does not answer
    // cannot hold the window for minutes.
    static constexpr int kConnectTimeoutSeconds = 5;
    // How long a search waits for each answer of a server that took the connection, so that one that never
    // answers cannot hold the window for good either; the wait then ends with code 85.
    static constexpr int kReplyTimeoutSeconds = 30;

    QString ServerName;
    QString Hostname;
    QString Base;
    qint32 Port = 389;
    // Kept with the server; searches bind anonymously.
    QString Bind;
    // Kept with the server; searches connect in plain text.
    bool SSL = false;
    qint32 SizeLimit = 100;
    // What the last search found.
    TDvLDAPEntryList Entries;
    bool SizeLimitReached = false;
    bool TimeLimitReached = false;

    // The filter a name search sends: a text without a blank is looked for as a common, given or surname; with a
    // blank, the part before its last blank as the given name and the part after it as the surname.
    static QString NameFilter(const QString& trimmedName);
    // A blank text answers 0 at once and leaves Entries as they were.
    qint32 SearchName(const QString& text);
    // Refills Entries; 0 or a code for LDAPErrorText. Never raises.
    qint32 Search(const QString& filter);

    // The seven values under the key (a path below HKEY_CURRENT_USER). A load stops silently at the first
    // value that is missing or of the wrong kind; the values after it keep what they held.
    void LoadFromRegistry(const QString& key);
    // Raises when a value cannot be written; writes nothing when the key cannot be opened.
    void SaveToRegistry(const QString& key) const;
};
