// The overlap check asks the database for the resource's bookings near the period, bounded on both sides of
// BookingStart in the (ResourceId, BookingStart) index: a booking that overlaps starts before the period
// ends and no earlier than the period's start less the resource's longest booking.
#include "data/BookingConflicts.h"

#include "platform/db/ADOConnection.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Messages.h"
#include "platform/sql/Connection.h"
#include "platform/sql/Statement.h"

namespace data {

namespace {

// a < b by at least 1 ms; a <= b unless b < a by at least 1 ms.
bool Less(TDateTime a, TDateTime b) { return b - a >= OneMillisecond; }
bool LessOrEqual(TDateTime a, TDateTime b) { return !Less(b, a); }

// The longest booking of the resource in days; 0 when it has none.
double LongestBooking(sql::Connection& engine, int resourceId) {
    const auto statement = engine.Native().Prepare(QStringLiteral(
        "SELECT BookingEnd - BookingStart FROM Bookings WHERE ResourceId = ? ORDER BY BookingEnd - BookingStart DESC "
        "LIMIT 1"));
    statement->Bind(0, resourceId);
    return statement->Step() ? std::max(0.0, statement->Value(0).toDouble()) : 0.0;
}

bool BookingStored(sql::Connection& engine, int bookingId) {
    const auto statement = engine.Prepare(QStringLiteral("SELECT BookingId FROM Bookings WHERE BookingId = :Id"));
    statement->Bind(QStringLiteral("Id"), bookingId);
    return statement->Step();
}

void Scan(sql::Connection& engine, int resourceId, int ownBookingId, TDateTime start, TDateTime end,
          TBookingConflictResult& result) {
    // One millisecond wider than the rule, so the rule alone decides at the edges.
    const auto statement = engine.Prepare(QStringLiteral(
        "SELECT BookingId, BookingStart, BookingEnd FROM Bookings WHERE ResourceId = :ResourceId "
        "AND BookingStart >= :StartFrom AND BookingStart < :StartBefore AND BookingEnd > :EndAfter "
        "ORDER BY BookingStart, BookingId"));
    statement->Bind(QStringLiteral("ResourceId"), resourceId);
    statement->Bind(QStringLiteral("StartFrom"), start - LongestBooking(engine, resourceId) - OneMillisecond);
    statement->Bind(QStringLiteral("StartBefore"), end + OneMillisecond);
    statement->Bind(QStringLiteral("EndAfter"), start - OneMillisecond);
    while (statement->Step()) {
        const int id = static_cast<int>(statement->Value(0).toLongLong());
        if (id == ownBookingId) continue;
        if (!BookingsOverlap(start, end, statement->Value(1).toDouble(), statement->Value(2).toDouble())) continue;
        result.Status = kConflictFound;
        if (result.Ids[0] < 5) result.Ids[++result.Ids[0]] = id;
    }
}

}  // namespace

bool BookingsOverlap(TDateTime start, TDateTime end, TDateTime s, TDateTime e) {
    return (LessOrEqual(start, s) && Less(s, end)) || (Less(start, e) && LessOrEqual(e, end)) ||
           (LessOrEqual(s, start) && LessOrEqual(end, e));
}

void FindBookingConflicts(TADOConnection& connection, int resourceId, int ownBookingId, TDateTime start,
                          TDateTime end, TBookingConflictResult& result) {
    result = {kConflictNone, {}};
    try {
        sql::Connection& engine = connection.Engine();
        if (!BookingStored(engine, ownBookingId)) {
            result.Status = kConflictOwnRowMissing;
            return;
        }
        Scan(engine, resourceId, ownBookingId, start, end, result);
    } catch (const Exception& e) {
        // A check that could not be made must not pass for one that found nothing.
        MessageDlg(e.Message(), mtInformation, {mbOK});
        result = {kConflictOwnRowMissing, {}};
    }
}

}  // namespace data
