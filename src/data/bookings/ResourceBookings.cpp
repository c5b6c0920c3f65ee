// TResourceBookings: one period statement, then each row laid over the time slots of its resource's days.
#include "data/bookings/ResourceBookings.h"

#include "data/bookings/BookingLoadError.h"
#include "data/bookings/BookingPeriodQuery.h"
#include "data/bookings/BookingRowReader.h"
#include "data/layout/BookingTimeText.h"
#include "data/layout/ListIndex.h"
#include "data/layout/TimeSlotLayout.h"

TResourceBookings::TResourceBookings() { SetDisplayAs24Hour(false); }

void TResourceBookings::SetDisplayAs24Hour(bool value) {
    DisplayAs24Hour = value;
    TimeFormat = TimeFormatFor(value);
}

bool TResourceBookings::LoadDay(const TResourceList& resources, int slotMinutes, TDateTime date, TDateTime startTime,
                                TDateTime endTime) {
    return LoadResourceBookings(resources, slotMinutes, date, date, startTime, endTime);
}

bool TResourceBookings::LoadDays(const TResourceList& resources, int slotMinutes, TDateTime firstDate,
                                 TDateTime lastDate, TDateTime startTime, TDateTime endTime) {
    return LoadResourceBookings(resources, slotMinutes, firstDate, lastDate, startTime, endTime);
}

bool TResourceBookings::LoadResourceBookings(const TResourceList& resources, int slotMinutes, TDateTime firstDate,
                                             TDateTime lastDate, TDateTime startTime, TDateTime endTime) {
    // The step reached, for the exception report.
    int referencePoint = 1;
    try {
        ResourceCount = 0;
        days_.clear();
        Resources.Clear();
        for (int i = 0; i < resources.GetCount(); ++i) Resources.AddItem(*resources.GetItem(i));
        Resources.Sort();
        referencePoint = 2;

        data::TimeSlotWindow window;
        window.DisplayAs24Hour = DisplayAs24Hour;
        window.TimeFormat = TimeFormat;
        const bool hasWindow = data::MakeTimeSlotWindow(slotMinutes, firstDate, lastDate, startTime, endTime, window);
        SlotMinutes = window.SlotMinutes;
        if (!hasWindow) return false;
        FirstDate = window.FirstDate;
        LastDate = window.LastDate;
        StartTime = window.StartTime;
        EndTime = window.EndTime;

        referencePoint = 4;
        data::OpenBookingPeriodQuery(Query, Resources, FirstDate, LastDate);
        referencePoint = 5;
        data::FillSlotTimes(window, SlotTimes);
        referencePoint = 6;
        for (int i = 0; i < Resources.GetCount(); ++i)
            days_.push_back(std::make_unique<TDayListBookings>(window.DayCount(), window.SlotsPerDay));
        if (window.SlotsPerDay > 0) {
            referencePoint = 7;
            HasOverlaps = data::ReadBookingRows(Query, Resources, [&](int resource, const data::BookingRow& row) {
                referencePoint = data::DayNumber(row.BookingStart) == data::DayNumber(row.BookingEnd) ? 8 : 9;
                data::PlaceTimeSlotBooking(*days_[resource], window, row);
            });
        }
        referencePoint = 10;
        Query.Close();
        ResourceCount = Resources.GetCount();
        return true;
    } catch (const Exception& error) {
        Query.Close();
        days_.clear();
        data::ReportBookingRetrievalError(error, referencePoint);
        return false;
    }
}

TDayListBookings* TResourceBookings::GetResourceDays(int index) const {
    data::CheckListIndex(index, static_cast<int>(days_.size()));
    return days_[static_cast<size_t>(index)].get();
}

void TResourceBookings::Clear() {
    days_.clear();
    Resources.Clear();
    SlotTimes.Clear();
    HasOverlaps = false;
}
