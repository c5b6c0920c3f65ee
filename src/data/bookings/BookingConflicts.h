// The overlap check: every booking of the same resource whose period overlaps a booking's.
#pragma once

#include "data/bookings/Bookings.h"
#include "platform/rtl/DateUtils.h"

class TADOConnection;

namespace data {

// Fills result for the booking ownBookingId of the resource from start to end, as stored in the database now
// (staged rows of every user included). Status 8 when the booking's own row is not stored; 3 with every
// overlapping booking other than itself, in start order, the first five listed; 1 when none overlaps. Times
// less than 1 ms apart count as equal, so bookings that only touch do not overlap. The file is read once (one
// statement). A read that fails raises: a check that did not run never lets a booking through.
void FindBookingConflicts(TADOConnection& connection, int resourceId, int ownBookingId, TDateTime start, TDateTime end,
                          TBookingConflictResult& result);

// The only overlap found is with bookingId: a change overlapping only the booking it replaces (its own original).
bool OverlapsOnly(const TBookingConflictResult& result, qint32 bookingId);

// The conflict rule for one other booking from s to e against the booking from start to end.
bool BookingsOverlap(TDateTime start, TDateTime end, TDateTime s, TDateTime e);

}  // namespace data
