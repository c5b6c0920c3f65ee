// The date layouts: the date span of a booking, its date cells and its month lane.
#include "data/layout/DateLayout.h"

namespace data {

namespace {

bool IsLaneFree(const TDateListBookings& dates, const DateSpan& span, int lane) {
    for (int i = span.StartIdx; i <= span.EndIdx; ++i)
        if (dates.GetMonthCell(i)->GetRow(lane)) return false;
    return true;
}

}  // namespace

DateSpan DateSpanOf(const BookingRow& row, TDateTime firstDate, TDateTime lastDate) {
    const int first = DayNumber(firstDate);
    const int lastIndex = DayNumber(lastDate) - first;
    DateSpan span;
    span.StartIdx = DayNumber(row.BookingStart) - first;
    if (span.StartIdx < 0) {
        span.StartsBefore = true;
        span.StartIdx = 0;
    }
    span.EndIdx = DayNumber(row.BookingEnd) - first - (MsOfDay(row.BookingEnd) == 0 ? 1 : 0);
    if (span.EndIdx > lastIndex) {
        span.EndsAfter = true;
        span.EndIdx = lastIndex;
    }
    return span;
}

void PlaceDateBooking(TDateListBookings& dates, const DateSpan& span, const BookingRow& row) {
    if (!span.Placed()) return;
    const bool endsAtMidnight = MsOfDay(row.BookingEnd) == 0;
    const bool oneDate = span.StartIdx == span.EndIdx;
    TBookingCell& head = dates.Cells().Need(span.StartIdx);
    if (head.Count() == 0) {
        head.StartsAtDayStart = MsOfDay(row.BookingStart) == 0;
        head.EndsAtDayEnd = !oneDate || span.EndsAfter || endsAtMidnight;
        // A booking on the window's last date that runs past it starts here as a one-date booking.
        head.State = span.StartsBefore ? kResumes : oneDate ? kStartsAndEnds : kStartsAndGoesOn;
    } else {
        // A further booking tells the head only whether its own end falls at midnight.
        head.EndsAtDayEnd = head.EndsAtDayEnd || endsAtMidnight;
        // One date only, ending within it (a booking that runs past the window's last date goes on).
        head.State =
            StateWithAnotherStart(head, oneDate && !span.EndsAfter, kEndsWithOneStartingAndEndingAndOneGoingOn);
    }
    head.AddBooking(row, row.Client, row.Description);

    TBookingCell* last = &head;
    for (int k = span.StartIdx + 1; k <= span.EndIdx; ++k) {
        auto cell = std::make_unique<TBookingCell>();
        cell->AddBooking(row, QString(), QString());
        const bool goesOn = k < span.EndIdx || endsAtMidnight;
        cell->State = goesOn ? kContinues : kEnds;
        cell->EndsAtDayEnd = goesOn || span.EndsAfter;
        cell->HeadCell = &head;
        cell->ContinuationIndex = k - span.StartIdx;
        last = cell.get();
        dates.SetCell(k, std::move(cell));
    }
    last->IsLastCell = true;
}

void PlaceMonthBooking(TDateListBookings& dates, const DateSpan& span, const BookingRow& row) {
    if (!span.Placed()) return;
    for (int i = span.StartIdx; i <= span.EndIdx; ++i)
        if (!dates.GetMonthCell(i)) dates.SetMonthCell(i, std::make_unique<TMonthDateBookingCell>());
    int lane = 0;
    while (!IsLaneFree(dates, span, lane)) ++lane;
    const bool allDay = MsOfDay(row.BookingStart) == 0 && MsOfDay(row.BookingEnd) == 0;
    for (int i = span.StartIdx; i <= span.EndIdx; ++i) {
        TMonthDateBookingCellRow& laneRow = dates.GetMonthCell(i)->NeedRow(lane);
        laneRow.BookingId = row.BookingId;
        laneRow.ResourceId = row.ResourceId;
        laneRow.Staged = row.Trans;
        laneRow.Client = row.Client;
        laneRow.Description = row.Description;
        laneRow.ResourceName = row.ResourceName;
        laneRow.BookingStart = row.BookingStart;
        laneRow.BookingEnd = row.BookingEnd;
        laneRow.AllDay = allDay;
        laneRow.FirstIndex = span.StartIdx;
        laneRow.LastIndex = span.EndIdx;
        laneRow.StartsBefore = span.StartsBefore;
        laneRow.EndsAfter = span.EndsAfter;
        laneRow.HasReminder = !row.Reminder.trimmed().isEmpty();
    }
}

}  // namespace data
