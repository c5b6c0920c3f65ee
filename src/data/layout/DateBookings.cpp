// Date cells and month lanes of one resource.
#include "data/layout/DateBookings.h"

#include "data/layout/ListIndex.h"

TMonthDateBookingCellRow* TMonthDateBookingCell::GetRow(int index) const {
    return index >= 0 && index < GetRowCount() ? rows_[static_cast<size_t>(index)].get() : nullptr;
}

TMonthDateBookingCellRow& TMonthDateBookingCell::NeedRow(int index) {
    if (index < 0) data::CheckListIndex(index, GetRowCount());
    if (index >= GetRowCount()) rows_.resize(static_cast<size_t>(index) + 1);
    auto& row = rows_[static_cast<size_t>(index)];
    if (!row) row = std::make_unique<TMonthDateBookingCellRow>();
    return *row;
}

void TDateListBookings::SetCount(int count) {
    if (Mode == 2) monthCells_.resize(static_cast<size_t>(count));
    else cells_.Resize(count);
}

int TDateListBookings::GetCount() const { return Mode == 2 ? static_cast<int>(monthCells_.size()) : cells_.Count(); }

TMonthDateBookingCell* TDateListBookings::GetMonthCell(int index) const {
    return index >= 0 && index < static_cast<int>(monthCells_.size()) ? monthCells_[static_cast<size_t>(index)].get()
                                                                      : nullptr;
}

void TDateListBookings::SetMonthCell(int index, std::unique_ptr<TMonthDateBookingCell> cell) {
    data::CheckListIndex(index, static_cast<int>(monthCells_.size()));
    monthCells_[static_cast<size_t>(index)] = std::move(cell);
}

void TDateListBookings::Clear() {
    cells_.Clear();
    monthCells_.clear();
}
