// New booking ids from the NextBookingId counter table, shared by every user of the file.
#pragma once

class TADOConnection;

namespace sql {
class Connection;
}

namespace data {

// Takes count consecutive numbers from the counter and answers the first: a NextBookingId row (Dummy 0) is
// inserted, its number read, the counter moved past the last number of the run, and the rows deleted again.
// Unique between users as long as the caller's transaction commits; the numbers are used up either way.
int DrawBookingIds(sql::Connection& connection, int count);

// Booking ids handed out from runs drawn ahead. A run is drawn in a write transaction of its own, committed at
// once, so no other user is ever given one of its ids and none is given twice after a crash; ids of a run that
// are never used are skipped, as a cancelled new booking's id always was.
class BookingIdBlock {
public:
    static constexpr int kRunLength = 32;

    // The next id in hand, after drawing a new run when none is left. Inside a transaction the caller holds, a
    // run drawn now could be rolled back after its ids were handed out, so there one id is drawn alone, with
    // the caller's transaction.
    int Next(TADOConnection& connection);
    // Makes sure at least count ids are in hand, drawing a run of at least that many when they are not.
    // Inside a transaction nothing is drawn ahead (Next then draws one id at a time).
    void Reserve(TADOConnection& connection, int count);
    int InHand() const { return end_ - next_; }
    // Lets the ids in hand go (another database is opened, or the counter was reseeded).
    void Clear() { next_ = end_ = 0; }

private:
    int next_ = 0;
    int end_ = 0;
};

}  // namespace data
