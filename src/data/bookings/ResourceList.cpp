// The resource list: adding, finding and sorting items by name.
#include "data/bookings/ResourceList.h"

#include "platform/rtl/Exceptions.h"

#include <algorithm>

int TResourceList::Add(const QString& name, qint32 id, const QString& description) {
    return AddItem(TResourceItem{name, id, description});
}

int TResourceList::AddItem(const TResourceItem& item) {
    items_.push_back(std::make_unique<TResourceItem>(item));
    return GetCount() - 1;
}

TResourceItem* TResourceList::GetItem(int index) const {
    if (index < 0 || index >= GetCount()) throw EListError(QStringLiteral("List index out of bounds (%1)").arg(index));
    return items_[static_cast<size_t>(index)].get();
}

int TResourceList::IndexOfName(const QString& name) const {
    for (int i = 0; i < GetCount(); ++i) {
        if (items_[static_cast<size_t>(i)]->ResourceName.compare(name, Qt::CaseInsensitive) == 0) return i;
    }
    return -1;
}

void TResourceList::Sort() {
    std::sort(items_.begin(), items_.end(), [](const auto& a, const auto& b) {
        return a->ResourceName.compare(b->ResourceName, Qt::CaseInsensitive) < 0;
    });
}
