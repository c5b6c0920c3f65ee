// The database-wide part of the write permissions, shared by bookings and tasks.
#pragma once

#include <QString>

namespace data {

// The Owner columns of Bookings and Tasks and the user names of the manager lists hold this many characters;
// a longer user id is stored cut, and is compared with them cut the same way.
constexpr int kUserColumnSize = 32;

// The RanvelGlobal flags for users who manage nothing: may everyone create, may only owners modify.
struct OwnerRule {
    bool allowUserCreate = false;
    bool ownerOnlyModify = false;
};

// Creating needs allowUserCreate; modifying one's own row too (the owner compare is exact, letter case
// counts); modifying another's row also needs ownerOnlyModify off.
bool OwnerRuleAllows(const OwnerRule& rule, const QString& userId, bool modifying, const QString& owner);

}  // namespace data
