// The overlap check asks the database for the resource's bookings near the period, bounded on both sides of
// BookingStart in the (ResourceId, BookingStart) index: a booking that overlaps starts before the period
// ends and no earlier than the period's first day less the resource's longest booking.
#include "data/bookings/BookingConflicts.h"

#include "data/bookings/BookingPeriodQuery.h"
#include "data/bookings/ResourceList.h"
#include "data/bookings/StagedRowOwners.h"
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

bool BookingStored(sql::Connection& engine, int bookingId) {
    const auto statement = engine.Prepare(QStringLiteral("SELECT BookingId FROM Bookings WHERE BookingId = :Id"));
    statement->Bind(QStringLiteral("Id"), bookingId);
    return statement->Step();
}

void Scan(TADOConnection& connection, int resourceId, int ownBookingId, TDateTime start, TDateTime end,
          TBookingConflictResult& result) {
    // One millisecond wider than the rule, so the rule alone decides at the edges.
    // The staged rows of an instance that crashed before committing hold nobody's booking.
    const QString notOrphaned = NotOrphanedBookingCondition(connection);
    const auto statement = connection.Engine().Prepare(
        QStringLiteral("SELECT BookingId, BookingStart, BookingEnd FROM Bookings WHERE ResourceId = :ResourceId "
                       "AND BookingStart >= :StartFrom AND BookingStart < :StartBefore AND BookingEnd > :EndAfter ") +
        (notOrphaned.isEmpty() ? QString() : QStringLiteral("AND ") + notOrphaned + u' ') +
        QStringLiteral("ORDER BY BookingStart, BookingId"));
    statement->Bind(QStringLiteral("ResourceId"), resourceId);
    TResourceList resource;
    resource.Add(QString(), resourceId, QString());
    statement->Bind(QStringLiteral("StartFrom"),
                    BookingStartRange(connection, resource, start, end).From - OneMillisecond);
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

void FindBookingConflicts(TADOConnection& connection, int resourceId, int ownBookingId, TDateTime start, TDateTime end,
                          TBookingConflictResult& result) {
    result = {kConflictNone, {}};
    if (!BookingStored(connection.Engine(), ownBookingId)) {
        result.Status = kConflictOwnRowMissing;
        return;
    }
    // A read that fails is shown; what was found until then stands.
    try {
        Scan(connection, resourceId, ownBookingId, start, end, result);
    } catch (const Exception& e) {
        MessageDlg(e.Message(), mtInformation, {mbOK});
    }
}

}  // namespace data
