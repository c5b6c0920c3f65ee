// New booking ids from the NextBookingId counter table, shared by every user of the file.
#pragma once

class TADOConnection;

namespace sql {
class Connection;
}

namespace data {

// Takes the counter's next number: a NextBookingId row (Dummy 0) is inserted, its number read and the row
// deleted again. Unique between users as long as the caller's transaction commits.
int DrawBookingId(sql::Connection& connection);

// One fresh id for a new booking, so that ids follow the order in which users create bookings. Inside the
// caller's transaction (a save) it is drawn with it, which costs that save one insert and one delete, and a
// rollback takes the id back together with every row that used it; outside one, it is drawn in a write
// transaction of its own, so that the counter's row never outlives the draw.
int NewBookingId(TADOConnection& connection);

}  // namespace data
