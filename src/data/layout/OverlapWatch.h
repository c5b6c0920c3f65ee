// Watching the rows of a period query, in resource and start order, for bookings of one resource that overlap.
#pragma once

#include "data/layout/BookingRow.h"

namespace data {

// Milliseconds from the day-count origin, in time order on both sides of it (the stored values before it are
// minus the day plus the time, and run backwards within a day).
inline qint64 InstantMs(TDateTime value) {
    const TTimeStamp stamp = DateTimeToTimeStamp(value);
    return qint64(stamp.Date - DateDelta) * 86400000 + stamp.Time;
}

class OverlapWatch {
public:
    // True when the row is not staged and starts before the previous row of its resource ended; staged rows
    // never count as overlapping but do end the period the next row is compared with.
    bool Overlaps(const BookingRow& row) {
        const bool overlaps = !row.Trans && row.ResourceId == previousResourceId_ &&
                              InstantMs(previousEnd_) > InstantMs(row.BookingStart);
        previousResourceId_ = row.ResourceId;
        previousEnd_ = row.BookingEnd;
        return overlaps;
    }

private:
    int previousResourceId_ = -1;
    TDateTime previousEnd_ = 0;
};

}  // namespace data
