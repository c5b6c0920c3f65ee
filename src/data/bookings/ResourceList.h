// TResourceList: the sortable list of resources that views and reports are built over.
#pragma once

#include <QString>
#include <memory>
#include <vector>

class TResourceItem {
public:
    QString ResourceName;
    qint32 ResourceId = 0;
    QString Description;
};

// Owns its items: clearing or freeing the list frees them.
class TResourceList {
public:
    void Clear() { items_.clear(); }
    // Returns the new item's index.
    int Add(const QString& name, qint32 id, const QString& description);
    // Appends a copy of the item.
    int AddItem(const TResourceItem& item);
    int GetCount() const { return static_cast<int>(items_.size()); }
    // 0-based; raises EListError outside the list.
    TResourceItem* GetItem(int index) const;
    // The first item whose name equals the given one without regard to case; -1 when none.
    int IndexOfName(const QString& name) const;
    // By name without regard to case; items whose names compare equal may change order.
    void Sort();

private:
    std::vector<std::unique_ptr<TResourceItem>> items_;
};
