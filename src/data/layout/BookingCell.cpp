// TBookingCell: appending a booking to the cell's parallel lists.
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
