// The owner rule of bookings and tasks.
#include "data/module/Permissions.h"

namespace data {

bool OwnerRuleAllows(const OwnerRule& rule, const QString& userId, bool modifying, const QString& owner) {
    if (!rule.allowUserCreate) return false;
    if (!modifying || owner == userId) return true;
    return !rule.ownerOnlyModify;
}

}  // namespace data
