// The program's per-user version keys: settings are read from the newest key that exists and written to
// the current one.
#pragma once

#include "platform/registry/Registry.h"

#include <QStringList>
#include <memory>

class TApplicationVersionHistory {
public:
    // Key paths below HKEY_CURRENT_USER, each beginning with a backslash, newest version first.
    QStringList& Keys() { return keys_; }
    const QStringList& Keys() const { return keys_; }

    // The key settings are read from: the one FindExistingKey found, or the current key as soon as that
    // exists (so what was written is read back). Empty when none of the keys exists.
    QString ReadKey() const;
    // The first of Keys, where every writer writes; empty when Keys is empty.
    QString GetCurrentKey() const;
    void FindExistingKey();

    // Opens ReadKey (or its subkey) read-only on reg's HKEY_CURRENT_USER. Without a read key nothing is
    // opened and false comes back: readers then use their defaults rather than the root of the hive.
    bool OpenReadKey(TRegistry& reg, const QString& subKey = QString()) const;
    // Opens the current key (or its subkey) for writing, creating it; false when there is no current key.
    // The first time, the current key starts as a copy of the read key, so that the settings of the
    // earlier version that this run has not read yet are carried over too.
    bool OpenWriteKey(TRegistry& reg, const QString& subKey = QString()) const;

private:
    QStringList keys_;
    mutable QString readKey_;
};

// The program's version history, made by CreateVersionHistory at start-up and kept until the end.
extern std::unique_ptr<TApplicationVersionHistory> VersionHistory;

// Makes VersionHistory with the program's four keys and finds the key to read from.
void CreateVersionHistory();
