// TDayBookings (the time slots of one date) and TDayListBookings (the dates of one resource).
#pragma once

#include "data/layout/CellSlots.h"
#include "data/layout/TextMeasurer.h"

#include <memory>
#include <vector>

class TDayBookings {
public:
    explicit TDayBookings(int slotCount = 0) { cells_.Resize(slotCount); }

    int GetCount() const { return cells_.Count(); }
    // Nil for an empty slot.
    TBookingCell* GetCell(int index) const { return cells_.Get(index); }
    void SetCell(int index, std::unique_ptr<TBookingCell> cell) { cells_.Set(index, std::move(cell)); }
    // Flows each booking's description over its continuation slots, one line a slot, cut to Width.
    void WrapCellTexts(data::TextMeasurer& canvas, int width);
    void Clear() { cells_.Clear(); }

    data::CellSlots& Slots() { return cells_; }

private:
    data::CellSlots cells_;
};

class TDayListBookings {
public:
    TDayListBookings() = default;
    // dayCount days of slotCount empty slots each.
    TDayListBookings(int dayCount, int slotCount);

    int GetCount() const { return static_cast<int>(days_.size()); }
    TDayBookings* GetDay(int index) const;
    // Removes and frees the day; later days move down one place.
    void Delete(int index);
    void Clear() { days_.clear(); }

private:
    std::vector<std::unique_ptr<TDayBookings>> days_;
};
