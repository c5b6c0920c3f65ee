// Which program instance staged each working row (Trans = true), so that rows of an instance that is gone
// stop counting and can be cleared away.
#pragma once

#include <QString>

class TADOConnection;

namespace data {

// The engine-side table and triggers (outside the Jet catalog, like the period index) that record the
// owner of every staged Bookings and History row as it is inserted, and forget it when the row is committed
// (Trans cleared) or deleted. Made when a database opens; a rebuild of either table keeps its triggers.
void EnsureStagedRowOwners(TADOConnection& connection);

// Deletes the working rows whose owner no longer has the file open (a crash between staging and commit);
// the staged rows of instances still in the file are left alone. Failures are ignored: the rows stay
// until the next open.
void RemoveOrphanedStagedRows(TADOConnection& connection);

// Deletes the working rows this program instance staged (History first), inside the caller's write transaction.
// Called where none of its change sets is open: any staged row of its own is then one a failed save could not take
// out, and would block its period for everyone until this program ends.
void RemoveOwnStagedRows(TADOConnection& connection);

// An SQL condition, true for a row of Bookings that no present instance owns as a staged row: a
// conflict check adds it so that a crashed save does not block its period. Empty when the database has no
// owner records.
QString NotOrphanedBookingCondition(TADOConnection& connection);

}  // namespace data
