// The holder of the mail program's address book reader that the connection opened.
#pragma once

#include "mail/core/DvWab.h"

#include <QString>
#include <memory>

class TDvMapiAddressBook {
public:
    // Takes the opened address book file reader.
    void SetWab(std::unique_ptr<TDvWab> wab) { wab_ = std::move(wab); }
    // Frees the reader.
    void Close() { wab_.reset(); }
    // The entries found in the display name, surname and e-mail address; 0 without a reader.
    int Search(const QString& text);
    int Count() const;
    // Null without a reader.
    const TDvWabEntry* Entries(int index) const;

private:
    std::unique_ptr<TDvWab> wab_;
};
