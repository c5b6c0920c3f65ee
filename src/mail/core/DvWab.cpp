// The address book file reader, which has no library to open a file with here.
#include "mail/core/DvWab.h"

#include "util/core/DvRegistry.h"

TDvWabEntry& TDvWabEntryList::Add() {
    entries_.push_back(std::make_unique<TDvWabEntry>());
    return *entries_.back();
}

void TDvWabEntryList::Clear() { entries_.clear(); }

bool TDvWab::Open() {
    TDvRegistry registry(KEY_READ);
    registry.SetRootKey(HKEY_CURRENT_USER);
    if (!registry.OpenKeyReadOnly(QStringLiteral("\\Software\\Microsoft\\WAB\\WAB4\\Wab File Name\\"))) return false;
    const QString fileName = registry.ReadStringDefault(QString(), QString());
    if (fileName.isEmpty()) return false;
    return OpenFile(fileName);
}

bool TDvWab::OpenFile(const QString&) {
    FileName.clear();
    // Without the library no file opens.
    return false;
}

int TDvWab::Search(const QString&, qint32) { return 0; }
