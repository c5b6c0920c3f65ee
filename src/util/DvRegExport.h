// Registry-export text of a key tree for the diagnostic log dialogs, and the list of keys they export.
#pragma once

#include "platform/registry/Registry.h"
#include "util/core/DvLists.h"

#include <QStringList>

// "HKEY_LOCAL_MACHINE", "HKEY_CURRENT_USER", or "UNKNOWN" for any other root.
QString RegRootKeyName(HKEY rootKey);
// What stands between the equals sign and the value text: "" for strings, "hex(2):", "dword:", "hex:",
// "unknown" for any other kind.
QString RegValueTypePrefix(TRegDataType kind);

// Pairs of root key and key path: entry i is (RootKeys()[i], KeyNames()[i]).
class TDvRegKeys {
public:
    void Add(HKEY rootKey, const QString& keyName);
    const TDvDWORDList& RootKeys() const { return rootKeys_; }
    const QStringList& KeyNames() const { return keyNames_; }
    int GetCount() const { return rootKeys_.Count(); }

private:
    TDvDWORDList rootKeys_;
    QStringList keyNames_;
};

class TDvRegExport {
public:
    QStringList& Lines() { return lines_; }

    // Replaces Lines with the key's export lines ([root\path], then one "name"=value line per value), and
    // when recursive each subkey after an empty line, depth first. True also when the key does not exist
    // (no lines); false when reading raised, keeping the lines written before.
    bool ExportKey(HKEY rootKey, const QString& keyPath, bool recursive);

private:
    void WriteKey(TRegistry& reg, const QString& keyPath, bool recursive);
    QString ValueLine(TRegistry& reg, const QString& name);

    QStringList lines_;
};
