// The time-slot layout: which slots a booking covers on each date and the states of the cells it meets.
#include "data/layout/TimeSlotLayout.h"

#include "data/layout/BookingTimeText.h"
#include "platform/rtl/DateTimeFormat.h"

#include <algorithm>

namespace data {

namespace {

constexpr int kMsPerDay = 86400000;
constexpr int kMsPerMinute = 60000;

// The window's end of day in milliseconds, 00:00 standing for midnight at the end of the day.
int WindowEndMs(const TimeSlotWindow& window) {
    const int ms = MsOfDay(window.EndTime);
    return ms == 0 ? kMsPerDay : ms;
}

class DayPlacement {
public:
    DayPlacement(const TimeSlotWindow& window, const BookingRow& row, bool isFirstDay, bool isLastDay)
        : window_(window), row_(row), isFirstDay_(isFirstDay), isLastDay_(isLastDay) {}

    void Place(TDayBookings& day) {
        const int startMs = MsOfDay(window_.StartTime);
        const int endMs = WindowEndMs(window_);
        const int st = MsOfDay(row_.BookingStart);
        const int et = MsOfDay(row_.BookingEnd);
        const bool endsAtMidnight = et == 0;
        if (isFirstDay_ && st >= endMs) return;
        if (isLastDay_ && !endsAtMidnight && et <= startMs) return;

        const bool startClipped = !(isFirstDay_ && st >= startMs);
        const int s = startClipped ? startMs : st;
        int e = endMs;
        bool endClipped = false;
        if (isLastDay_) {
            if (endsAtMidnight) {
                endClipped = endMs != kMsPerDay;
            } else if (et > endMs) {
                endClipped = true;
            } else {
                e = et;
            }
        }

        const int slotMinutes = window_.SlotMinutes;
        const int m1 = (s - startMs) / kMsPerMinute;
        const int firstSlot = m1 / slotMinutes;
        const bool startOnBoundary = m1 % slotMinutes == 0;
        const int m2 = (e - startMs) / kMsPerMinute;
        const bool endOnBoundary = m2 % slotMinutes == 0;
        const int lastSlot = std::min(m2 / slotMinutes - (endOnBoundary ? 1 : 0), day.GetCount() - 1);
        if (firstSlot >= day.GetCount()) return;
        const bool same = firstSlot == lastSlot;

        TBookingCell& head = day.Slots().Need(firstSlot);
        if (!isFirstDay_) {
            head.State = same ? kEnds : kResumes;
        } else if (startClipped) {
            head.State = kResumes;
        } else if (head.Count() == 0) {
            head.State = !same || endClipped ? kStartsAndGoesOn : kStartsAndEnds;
        } else {
            head.State = StateWithAnotherStart(head, same, kEndsWithSeveralAndOneGoingOn);
        }
        head.AddBooking(row_, row_.Client, row_.Description);
        const QString timeText = TimeText(startOnBoundary, endOnBoundary);
        if (!timeText.isEmpty()) head.TimeTexts.Put(head.TimeTexts.Count() - 1, timeText);

        for (int k = firstSlot + 1; k <= lastSlot; ++k) {
            auto cell = std::make_unique<TBookingCell>();
            cell->AddBooking(row_, QString(), QString());
            cell->State = k < lastSlot || !isLastDay_ || endClipped ? kContinues : kEnds;
            cell->HeadCell = &head;
            cell->ContinuationIndex = k - firstSlot;
            day.SetCell(k, std::move(cell));
        }
    }

private:
    // " at <start>" when the booking starts inside its first slot, " until <end>" when it ends inside its
    // last one (with the end's date when that lies on a later day).
    QString TimeText(bool startOnBoundary, bool endOnBoundary) const {
        QString text;
        if (!startOnBoundary) text = " at " + FormatDateTime(window_.TimeFormat, TimeOf(row_.BookingStart));
        if (!endOnBoundary) {
            text += " until ";
            if (isLastDay_) text += FormatBookingTime(window_.DisplayAs24Hour, TimeOf(row_.BookingEnd));
            else
                text += FormatDateTime(QStringLiteral("mmm dd "), row_.BookingEnd) +
                        FormatBookingTime(window_.DisplayAs24Hour, row_.BookingEnd);
        }
        return text;
    }

    const TimeSlotWindow& window_;
    const BookingRow& row_;
    bool isFirstDay_;
    bool isLastDay_;
};

}  // namespace

bool MakeTimeSlotWindow(int slotMinutes, TDateTime firstDate, TDateTime lastDate, TDateTime startTime,
                        TDateTime endTime, TimeSlotWindow& window) {
    window.SlotMinutes = std::max(slotMinutes, 1);
    if (DateOf(firstDate) + TimeOf(startTime) >= DateOf(lastDate) + TimeOf(endTime)) return false;
    window.FirstDate = DateOf(firstDate);
    window.LastDate = DateOf(lastDate);
    window.StartTime = TimeOf(startTime);
    window.EndTime = TimeOf(endTime);
    if (MsOfDay(window.EndTime) == 0) window.LastDate -= 1;
    const int minutes = std::max(0, WindowEndMs(window) - MsOfDay(window.StartTime)) / kMsPerMinute;
    window.SlotsPerDay = minutes / window.SlotMinutes + (minutes % window.SlotMinutes > 0 ? 1 : 0);
    return true;
}

void FillSlotTimes(const TimeSlotWindow& window, TDvDateTimeList& slotTimes) {
    slotTimes.Clear();
    const int first = MsOfDay(window.StartTime) / kMsPerMinute;
    for (int k = 0; k < window.SlotsPerDay; ++k) {
        const int minutes = first + k * window.SlotMinutes;
        slotTimes.Add(EncodeTime(minutes / 60, minutes % 60, 0, 0));
    }
}

void PlaceTimeSlotBooking(TDayListBookings& days, const TimeSlotWindow& window, const BookingRow& row) {
    const int firstDay = DayNumber(window.FirstDate);
    const int lastDay = DayNumber(window.LastDate);
    const int startDay = DayNumber(row.BookingStart);
    // The midnight rule: a booking that ends at 00:00 ends with the day before.
    const int endDay = DayNumber(row.BookingEnd) - (MsOfDay(row.BookingEnd) == 0 ? 1 : 0);
    const int from = std::max(startDay, firstDay);
    const int to = std::min(endDay, lastDay);
    if (startDay == endDay) {
        if (startDay >= firstDay && startDay <= lastDay)
            DayPlacement(window, row, true, true).Place(*days.GetDay(startDay - firstDay));
        return;
    }
    for (int d = from; d <= to; ++d)
        DayPlacement(window, row, d == startDay, d == endDay).Place(*days.GetDay(d - firstDay));
}

}  // namespace data
