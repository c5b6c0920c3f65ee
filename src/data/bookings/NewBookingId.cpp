// Drawing booking ids: the counter never repeats while the file lives, so ids stay unique without locks.
#include "data/bookings/NewBookingId.h"

#include "data/bookings/WriteTransaction.h"
#include "platform/db/ADOConnection.h"
#include "platform/sql/Connection.h"
#include "platform/sql/Statement.h"

namespace data {

int DrawBookingId(sql::Connection& connection) {
    connection.Cached(QStringLiteral("INSERT INTO NextBookingId (Dummy) VALUES (0)"))->Step();
    const int id = connection.LastCounterValue(QStringLiteral("NextBookingId")).toInt();
    const sql::StatementLease remove =
        connection.Cached(QStringLiteral("DELETE FROM NextBookingId WHERE NextBookingId = :Id"));
    remove->Bind(0, id);
    remove->Step();
    return id;
}

int NewBookingId(TADOConnection& connection) {
    WriteTransaction transaction(connection);
    const int id = DrawBookingId(connection.Engine());
    transaction.Commit();
    return id;
}

}  // namespace data
