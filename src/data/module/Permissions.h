// The database-wide part of the write permissions, shared by bookings and tasks.
#pragma once

#include <QString>

namespace data {

// The RanvelGlobal flags for users who manage nothing: may everyone create, may only owners modify.
struct OwnerRule {
    bool allowUserCreate = false;
    bool ownerOnlyModify = false;
};

// Creating needs allowUserCreate; modifying one's own row too (the owner compare is exact, letter case
// counts); modifying another's row also needs ownerOnlyModify off. A user without an id owns nothing.
bool OwnerRuleAllows(const OwnerRule& rule, const QString& userId, bool modifying, const QString& owner);

// The refusal for a user whose identity the system could not learn: without an id nothing he does can be
// told apart from another's, so changes that are recorded by user are refused.
inline const QString kNoUserIdText = QStringLiteral(
    "Your user id is not known, so this change can not be made. Please contact your network administrator.");

}  // namespace data
