// New booking ids from the NextBookingId counter table, shared by every user of the file.
#pragma once

class TDataSet;

namespace data {

// Inserts a NextBookingId row (Dummy 0), reads the counter the file gave it and deletes the row again.
int DrawBookingId(TDataSet& nextBookingIdTable);

}  // namespace data
