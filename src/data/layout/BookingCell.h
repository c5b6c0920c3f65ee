// TBookingCell: the bookings that share one time slot or one date of a resource, with how they meet there.
#pragma once

#include "data/layout/BookingRow.h"
#include "platform/rtl/StringList.h"
#include "util/core/DvLists.h"

#include <QtGlobal>

namespace data {

// Which slot (or date) of its bookings a cell is and how several bookings meet in it. The numbers are the
// cell's stored states, which the grids and printouts compare.
enum CellState : quint8 {
    kNotPlaced = 0,
    // A booking that starts and ends here.
    kStartsAndEnds = 1,
    // A continuation slot of a booking that goes on after it (or past the day's window).
    kContinues = 2,
    // The first slot of a booking on a day after its first, or of one that began before the window.
    kResumes = 3,
    // Two or more bookings that start and end here.
    kSeveralStartAndEnd = 4,
    // The first slot of a booking that goes on into later slots or past the window.
    kStartsAndGoesOn = 5,
    // The last slot of a booking that ends inside the window (also the only slot of a later day's part).
    kEnds = 6,
    // A booking ends here (a kEnds or kResumes cell) and another starts and ends here.
    kEndsWithOneStartingAndEnding = 7,
    // A booking that starts and ends here and another that starts here and goes on.
    kStartsAndEndsWithOneGoingOn = 8,
    // Date cells only: kEndsWithOneStartingAndEnding plus a booking that starts here and goes on.
    kEndsWithOneStartingAndEndingAndOneGoingOn = 9,
    // A booking ends here (a kEnds or kResumes cell) and another starts here and goes on.
    kEndsWithOneGoingOn = 10,
    // kEndsWithOneStartingAndEnding plus a further booking that starts and ends here.
    kEndsWithSeveralStartingAndEnding = 11,
    // kSeveralStartAndEnd plus a booking that starts here and goes on.
    kSeveralStartAndEndWithOneGoingOn = 12,
    // kEndsWithOneStartingAndEnding or kEndsWithSeveralStartingAndEnding plus a booking that starts here and
    // goes on.
    kEndsWithSeveralAndOneGoingOn = 13,
    // Any other meeting of bookings in one slot.
    kOtherMeeting = 14,
};

}  // namespace data

class TBookingCell {
public:
    // kNotPlaced until placed: which slot of its bookings this is and how they meet (see the layouts).
    data::CellState State = data::kNotPlaced;
    // Parallel lists, one entry per booking in the order the bookings were placed.
    TDvIntegerList BookingIds;
    TStringList Clients;
    TStringList Descriptions;
    TDvDateTimeList StartTimes;
    TDvDateTimeList EndTimes;
    TDvBooleanList HasReminder;
    TStringList TimeTexts;
    bool Overlap = false;
    bool AllStaged = false;
    // Written by the date layout only.
    bool StartsAtDayStart = true;
    bool EndsAtDayEnd = true;
    bool AnyReminder = false;
    // In a continuation cell: its distance in slots (or dates) from the head cell, and that head.
    int ContinuationIndex = 0;
    TBookingCell* HeadCell = nullptr;
    // Written by the date layout only.
    bool IsLastCell = false;

    int Count() const { return BookingIds.Count(); }
    // Appends a booking to the lists (a continuation cell passes an empty client and description) and folds
    // its staged and reminder flags into the cell's.
    void AddBooking(const data::BookingRow& row, const QString& client, const QString& description);
};

namespace data {

// The state of a head cell that already holds bookings when one more starts in it (same: the new booking also
// ends there); sets Overlap where the new booking meets one that is still running. The layouts differ in one
// transition only: a kEndsWithOneStartingAndEnding cell that a booking going on now starts in becomes
// endsWithOneThenOneGoingOn.
CellState StateWithAnotherStart(TBookingCell& cell, bool same, CellState endsWithOneThenOneGoingOn);

}  // namespace data
