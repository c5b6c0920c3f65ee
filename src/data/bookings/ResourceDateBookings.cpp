// TResourceDateBookings: one period statement, then each row laid over its resource's date cells or lanes.
#include "data/bookings/ResourceDateBookings.h"

#include "data/bookings/BookingPeriodQuery.h"
#include "data/bookings/BookingRowReader.h"
#include "data/layout/DateLayout.h"
#include "data/layout/ListIndex.h"
#include "platform/rtl/DateTimeFormat.h"

#include <algorithm>

bool TResourceDateBookings::LoadBookings(const TResourceList& resources, quint8 mode, TDateTime firstDate,
                                         TDateTime lastDate) {
    Mode = mode;
    Clear();
    for (int i = 0; i < resources.GetCount(); ++i) Resources.AddItem(*resources.GetItem(i));
    FirstDate = DateOf(firstDate);
    LastDate = DateOf(lastDate);
    bool loaded = true;
    try {
        data::OpenBookingPeriodQuery(Query, Resources, FirstDate, LastDate);
        const int dayCount = std::max(0, data::DayNumber(LastDate) - data::DayNumber(FirstDate) + 1);
        for (int i = 0; i < dayCount; ++i) DateCaptions.Add(FormatDateTime(QStringLiteral("mmm dd"), FirstDate + i));
        for (int i = 0; i < Resources.GetCount(); ++i) {
            dates_.push_back(std::make_unique<TDateListBookings>(Mode));
            dates_.back()->SetCount(dayCount);
        }
        HasOverlaps = data::ReadBookingRows(Query, Resources, [&](int resource, const data::BookingRow& row) {
            const data::DateSpan span = data::DateSpanOf(row, FirstDate, LastDate);
            if (Mode == 2) data::PlaceMonthBooking(*dates_[resource], span, row);
            else data::PlaceDateBooking(*dates_[resource], span, row);
        });
        Query.Close();
    } catch (const std::exception&) {
        Query.Close();
        loaded = false;
    }
    ResourceCount = static_cast<int>(dates_.size());
    return loaded;
}

TDateListBookings* TResourceDateBookings::GetResourceDates(int index) const {
    data::CheckListIndex(index, static_cast<int>(dates_.size()));
    return dates_[static_cast<size_t>(index)].get();
}

void TResourceDateBookings::Clear() {
    dates_.clear();
    Resources.Clear();
    DateCaptions.Clear();
    HasOverlaps = false;
}
