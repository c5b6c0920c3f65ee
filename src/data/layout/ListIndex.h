// The list index check of the containers: an index outside a list raises the framework's list error.
#pragma once

#include "platform/rtl/Exceptions.h"

namespace data {

inline void CheckListIndex(int index, int count) {
    if (index < 0 || index >= count) throw EListError(QStringLiteral("List index out of bounds (%1)").arg(index));
}

}  // namespace data
