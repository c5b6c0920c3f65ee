// TBookingCell: appending a booking to the cell's parallel lists, and the state a further start gives it.
#include "data/layout/BookingCell.h"

void TBookingCell::AddBooking(const data::BookingRow& row, const QString& client, const QString& description) {
    AllStaged = Count() == 0 ? row.Trans : AllStaged && row.Trans;
    BookingIds.Add(row.BookingId);
    Clients.Add(client);
    Descriptions.Add(description);
    StartTimes.Add(row.BookingStart);
    EndTimes.Add(row.BookingEnd);
    HasReminder.Add(!row.Reminder.isEmpty());
    TimeTexts.Add(QString());
    AnyReminder = AnyReminder || !row.Reminder.trimmed().isEmpty();
}

namespace data {

CellState StateWithAnotherStart(TBookingCell& cell, bool same, CellState endsWithOneThenOneGoingOn) {
    switch (cell.State) {
        case kEnds:
        case kResumes: return same ? kEndsWithOneStartingAndEnding : kEndsWithOneGoingOn;
        case kEndsWithOneStartingAndEnding:
            cell.Overlap = true;
            return same ? kEndsWithSeveralStartingAndEnding : endsWithOneThenOneGoingOn;
        case kEndsWithSeveralStartingAndEnding:
            cell.Overlap = true;
            return same ? kEndsWithSeveralStartingAndEnding : kEndsWithSeveralAndOneGoingOn;
        case kStartsAndEnds: cell.Overlap = true; return same ? kSeveralStartAndEnd : kStartsAndEndsWithOneGoingOn;
        case kSeveralStartAndEnd: return same ? kSeveralStartAndEnd : kSeveralStartAndEndWithOneGoingOn;
        default: return kOtherMeeting;
    }
}

}  // namespace data
