// Checking and reseeding the NextBookingId counter.
#include "data/module/BookingIdCounter.h"

#include "data/bookings/NewBookingId.h"
#include "data/module/ConnectionStrings.h"
#include "platform/sql/Connection.h"

#include <algorithm>

namespace data {
namespace {

constexpr int kFirstBookingId = 1000;

// Raises highest to every non-null value of the query's first row.
void RaiseToRow(const sql::Connection& connection, const QString& jetSql, int& highest) {
    const auto query = connection.Prepare(jetSql);
    if (!query->Step()) return;
    for (int i = 0; i < query->ColumnCount(); ++i)
        if (const QVariant value = query->Value(i); !value.isNull()) highest = std::max(highest, value.toInt());
}

}  // namespace

bool CheckNextBookingId(sql::Connection& connection, int& nextId, int& highestId) {
    highestId = kFirstBookingId;
    RaiseToRow(connection,
               QStringLiteral("select Max(Bookings.BookingId) as MaxBookingId, Max(Bookings.GroupBookingId) as "
                              "MaxGroupBookingId\r\nfrom Bookings"),
               highestId);
    RaiseToRow(connection, QStringLiteral("select Max(History.BookingId) as MaxHistoryBookingId\r\nfrom History"),
               highestId);
    nextId = DrawBookingId(connection);
    return nextId >= highestId;
}

void ReseedNextBookingId(sql::Connection& connection, int firstValue) {
    connection.Execute(
        QStringLiteral("ALTER TABLE NextBookingId ALTER COLUMN NextBookingId AUTOINCREMENT (%1,1)").arg(firstValue));
}

void RepairNextBookingId(const QString& fileName, const QString& password) {
    sql::Connection connection(NormalConnectionString(fileName, password));
    int nextId = 0;
    int highestId = 0;
    if (!CheckNextBookingId(connection, nextId, highestId)) ReseedNextBookingId(connection, highestId + 1);
}

}  // namespace data
