// Growable typed lists of plain values used by the booking containers, grids and registry exports.
#pragma once

#include "platform/rtl/DateUtils.h"

#include <QtGlobal>
#include <algorithm>
#include <vector>

// Accessors take 0 <= index < Count() and do not check it.
template <typename T>
class TDvValueList {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    void Clear() { items_.clear(); }
    void Add(T value) { items_.push_back(value); }
    T GetItem(int index) const { return items_[static_cast<size_t>(index)]; }
    void SetItem(int index, T value) { items_[static_cast<size_t>(index)] = value; }
    // The index of the first equal element, -1 when absent.
    int IndexOf(T value) const {
        const auto it = std::find(items_.begin(), items_.end(), value);
        return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
    }
    // New elements are zero.
    void SetCount(int count) { items_.resize(static_cast<size_t>(count), T{}); }
    void Assign(const TDvValueList& source) { items_ = source.items_; }

private:
    std::vector<T> items_;
};

class TDvIntegerList : public TDvValueList<qint32> {};
class TDvDWORDList : public TDvValueList<quint32> {};
class TDvDateTimeList : public TDvValueList<TDateTime> {};
class TDvBooleanList : public TDvValueList<bool> {};
