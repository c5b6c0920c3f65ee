// Reading period rows: fields looked up once, resources matched by name, overlaps noted on the way.
#include "data/bookings/BookingRowReader.h"

#include "data/layout/OverlapWatch.h"
#include "platform/db/DataSet.h"
#include "platform/db/Field.h"

namespace data {

bool ReadBookingRows(TDataSet& rows, const TResourceList& resources,
                     const std::function<void(int, const BookingRow&)>& place) {
    const TField& bookingId = rows.FieldByName(QStringLiteral("BookingId"));
    const TField& resourceId = rows.FieldByName(QStringLiteral("ResourceId"));
    const TField& resourceName = rows.FieldByName(QStringLiteral("ResourceName"));
    const TField& trans = rows.FieldByName(QStringLiteral("Trans"));
    const TField& client = rows.FieldByName(QStringLiteral("Client"));
    const TField& description = rows.FieldByName(QStringLiteral("Description"));
    const TField& start = rows.FieldByName(QStringLiteral("BookingStart"));
    const TField& end = rows.FieldByName(QStringLiteral("BookingEnd"));
    const TField& reminder = rows.FieldByName(QStringLiteral("Reminder"));

    OverlapWatch watch;
    bool overlaps = false;
    QString lastName;
    int lastIndex = -1;
    BookingRow row;
    for (rows.First(); !rows.Eof(); rows.Next()) {
        row.BookingId = static_cast<int>(bookingId.AsInteger());
        row.ResourceId = static_cast<int>(resourceId.AsInteger());
        row.ResourceName = resourceName.AsString();
        row.Trans = trans.AsBoolean();
        row.Client = client.AsString();
        row.Description = description.AsString();
        row.BookingStart = start.AsDateTime();
        row.BookingEnd = end.AsDateTime();
        row.Reminder = reminder.AsString();
        if (watch.Overlaps(row)) overlaps = true;
        // Rows come by resource name, so one look-up serves a resource's run of rows.
        if (lastIndex < 0 || row.ResourceName != lastName) {
            lastName = row.ResourceName;
            lastIndex = resources.IndexOfName(lastName);
        }
        if (lastIndex >= 0) place(lastIndex, row);
    }
    return overlaps;
}

}  // namespace data
