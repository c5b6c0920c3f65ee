// The days of one resource in the time-slot layout.
#include "data/layout/DayBookings.h"

#include "data/layout/CellTextWrap.h"
#include "data/layout/ListIndex.h"

void TDayBookings::WrapCellTexts(data::TextMeasurer& canvas, int width) { data::WrapCellTexts(cells_, canvas, width); }

TDayListBookings::TDayListBookings(int dayCount, int slotCount) {
    for (int i = 0; i < dayCount; ++i) days_.push_back(std::make_unique<TDayBookings>(slotCount));
}

TDayBookings* TDayListBookings::GetDay(int index) const {
    data::CheckListIndex(index, GetCount());
    return days_[static_cast<size_t>(index)].get();
}

void TDayListBookings::Delete(int index) {
    data::CheckListIndex(index, GetCount());
    days_.erase(days_.begin() + index);
}
