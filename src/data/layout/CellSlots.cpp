// A row of cell places that owns its cells and keeps replaced ones until it is cleared.
#include "data/layout/CellSlots.h"

#include "data/layout/ListIndex.h"

namespace data {

TBookingCell* CellSlots::Get(int index) const {
    return index >= 0 && index < Count() ? cells_[static_cast<size_t>(index)].get() : nullptr;
}

void CellSlots::Set(int index, std::unique_ptr<TBookingCell> cell) {
    CheckListIndex(index, Count());
    auto& place = cells_[static_cast<size_t>(index)];
    if (place) replaced_.push_back(std::move(place));
    place = std::move(cell);
}

TBookingCell& CellSlots::Need(int index) {
    CheckListIndex(index, Count());
    auto& place = cells_[static_cast<size_t>(index)];
    if (!place) place = std::make_unique<TBookingCell>();
    return *place;
}

void CellSlots::Resize(int count) { cells_.resize(static_cast<size_t>(count)); }

void CellSlots::Clear() {
    cells_.clear();
    replaced_.clear();
}

}  // namespace data
