// The overlap check asks the database for the resource's bookings near the period, bounded on both sides of
// BookingStart in the (ResourceId, BookingStart) index: a booking that overlaps starts before the period
// ends and no earlier than the period's first day less the resource's longest booking.
#include "data/bookings/BookingConflicts.h"

#include "data/bookings/StagedRowOwners.h"
#include "platform/db/ADOConnection.h"
#include "platform/sql/Connection.h"
#include "platform/sql/Statement.h"

#include <algorithm>

namespace data {

namespace {

// a < b by at least 1 ms; a <= b unless b < a by at least 1 ms.
bool Less(TDateTime a, TDateTime b) { return b - a >= OneMillisecond; }
bool LessOrEqual(TDateTime a, TDateTime b) { return !Less(b, a); }

// One statement, so the check reads the file once: first the booking's own row when it is still stored, then
// the resource's bookings near the period. The resource's longest booking, read through the length index,
// bounds their start from below (a booking that overlaps starts after the period's first day less it). One
// millisecond wider than the rule, so the rule alone decides at the edges. The staged rows of an instance
// that crashed before committing hold nobody's booking.
sql::StatementLease CheckStatement(TADOConnection& connection, int resourceId, int ownBookingId, TDateTime start,
                                   TDateTime end) {
    const QString notOrphaned = NotOrphanedBookingCondition(connection);
    auto statement = connection.Engine().CachedNative(
        QStringLiteral("SELECT 0, BookingId, NULL, NULL FROM Bookings WHERE BookingId = ?5 UNION ALL "
                       "SELECT 1, BookingId, BookingStart, BookingEnd FROM Bookings WHERE ResourceId = ?1 "
                       "AND BookingStart >= ?2 - max(0, coalesce((SELECT BookingEnd - BookingStart FROM Bookings "
                       "WHERE ResourceId = ?1 ORDER BY BookingEnd - BookingStart DESC LIMIT 1), 0)) "
                       "AND BookingStart < ?3 AND BookingEnd > ?4 ") +
        (notOrphaned.isEmpty() ? QString() : QStringLiteral("AND ") + notOrphaned + u' ') +
        QStringLiteral("ORDER BY 1, 3, 2"));
    statement->Bind(0, resourceId);
    statement->Bind(1, std::min(DateOf(start), DateOf(end)) - OneMillisecond);
    statement->Bind(2, end + OneMillisecond);
    statement->Bind(3, start - OneMillisecond);
    statement->Bind(4, ownBookingId);
    return statement;
}

}  // namespace

bool BookingsOverlap(TDateTime start, TDateTime end, TDateTime s, TDateTime e) {
    return (LessOrEqual(start, s) && Less(s, end)) || (Less(start, e) && LessOrEqual(e, end)) ||
           (LessOrEqual(s, start) && LessOrEqual(end, e));
}

void FindBookingConflicts(TADOConnection& connection, int resourceId, int ownBookingId, TDateTime start, TDateTime end,
                          TBookingConflictResult& result) {
    result = {kConflictNone, {}};
    const sql::StatementLease statement = CheckStatement(connection, resourceId, ownBookingId, start, end);
    if (!statement->Step() || statement->Value(0).toInt() != 0) {
        result.Status = kConflictOwnRowMissing;
        return;
    }
    while (statement->Step()) {
        const int id = static_cast<int>(statement->Value(1).toLongLong());
        if (id == ownBookingId) continue;
        if (!BookingsOverlap(start, end, statement->Value(2).toDouble(), statement->Value(3).toDouble())) continue;
        result.Status = kConflictFound;
        if (result.Ids[0] < 5) result.Ids[++result.Ids[0]] = id;
    }
}

bool OverlapsOnly(const TBookingConflictResult& result, qint32 bookingId) {
    return result.Status == kConflictFound && result.Ids[0] == 1 && result.Ids[1] == bookingId;
}

}  // namespace data
