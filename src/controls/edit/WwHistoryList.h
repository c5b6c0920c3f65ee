// TwwHistoryList: the entries a combo box remembers from what users typed, kept in an INI file or the registry.
#pragma once

#include "controls/edit/WwEditTypes.h"
#include "platform/rtl/StringList.h"

class TwwHistoryList {
public:
    bool Enabled = false;
    // Nothing is loaded or saved without a section.
    QString Section;
    // Empty: the library's INI file, else the program's name with ".ini"; the registry key for stRegistry.
    QString FileName;
    // -1: unlimited.
    int MaxSize = -1;
    TwwStorageType StorageType = stIniFile;
    // The newest entries are shown on top of the list.
    bool MRUEnabled = false;
    int MRUMaxSize = 2;

    // Oldest first.
    TStringList& Entries() { return entries_; }
    const TStringList& Entries() const { return entries_; }
    bool IsLoaded() const { return loaded_; }

    // The file (or key) the entries live in; empty when there is none.
    QString StorageName() const;
    // Replaces the entries with the stored ones and marks the list loaded.
    void Load();
    void Save();
    // How many of the newest entries go on top of the list.
    int MRUCount() const;

private:
    TStringList entries_;
    bool loaded_ = false;
};
