// Drawing booking ids: the counter never repeats while the file lives, so ids stay unique without locks.
#include "data/bookings/NewBookingId.h"

#include "data/bookings/WriteTransaction.h"
#include "platform/db/ADOConnection.h"
#include "platform/sql/Connection.h"

#include <algorithm>

namespace data {

int DrawBookingIds(sql::Connection& connection, int count) {
    connection.Execute(QStringLiteral("INSERT INTO NextBookingId (Dummy) VALUES (0)"));
    const int first = connection.LastCounterValue(QStringLiteral("NextBookingId")).toInt();
    const int last = first + count - 1;
    // A number given to the counter column moves the counter past it, as it does for any counter.
    if (count > 1)
        connection.Execute(QStringLiteral("INSERT INTO NextBookingId (NextBookingId, Dummy) VALUES (%1, 0)").arg(last));
    connection.Execute(QStringLiteral("DELETE FROM NextBookingId WHERE NextBookingId >= %1 AND NextBookingId <= %2")
                           .arg(first)
                           .arg(last));
    return first;
}

int BookingIdBlock::Next(TADOConnection& connection) {
    if (InHand() == 0) {
        if (connection.InTransaction()) return DrawBookingIds(connection.Engine(), 1);
        Reserve(connection, 1);
    }
    return next_++;
}

void BookingIdBlock::Reserve(TADOConnection& connection, int count) {
    if (InHand() >= count || connection.InTransaction()) return;
    const int length = std::max(count, kRunLength);
    WriteTransaction transaction(connection);
    const int first = DrawBookingIds(connection.Engine(), length);
    transaction.Commit();
    next_ = first;
    end_ = first + length;
}

}  // namespace data
