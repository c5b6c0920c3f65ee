// A row of cell places (the slots of a day or the dates of a resource) that owns the cells laid into it.
#pragma once

#include "data/layout/BookingCell.h"

#include <memory>
#include <vector>

namespace data {

class CellSlots {
public:
    int Count() const { return static_cast<int>(cells_.size()); }
    // Nil for an empty place and for an index outside the row.
    TBookingCell* Get(int index) const;
    // Takes the cell; a cell it replaces stays alive until Clear, because continuation cells elsewhere may
    // still name it as their head.
    void Set(int index, std::unique_ptr<TBookingCell> cell);
    // The cell at the index, created empty when the place is empty.
    TBookingCell& Need(int index);
    // Frees the places from count on (continuations lie after their heads); new places are empty.
    void Resize(int count);
    void Clear();

private:
    std::vector<std::unique_ptr<TBookingCell>> cells_;
    std::vector<std::unique_ptr<TBookingCell>> replaced_;
};

}  // namespace data
