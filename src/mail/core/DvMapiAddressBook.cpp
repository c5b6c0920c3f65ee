// The address book holder's search over the reader it holds.
#include "mail/core/DvMapiAddressBook.h"

namespace {

// Display name (1), surname (4) and e-mail address (16); 8 chooses no field.
constexpr qint32 kSearchFields = 29;

}  // namespace

int TDvMapiAddressBook::Search(const QString& text) { return wab_ ? wab_->Search(text, kSearchFields) : 0; }

int TDvMapiAddressBook::Count() const { return wab_ ? wab_->Entries.Count() : 0; }

const TDvWabEntry* TDvMapiAddressBook::Entries(int index) const {
    return wab_ && index >= 0 && index < wab_->Entries.Count() ? &wab_->Entries.Items(index) : nullptr;
}
