// TBookingCell: the bookings that share one time slot or one date of a resource, with how they meet there.
#pragma once

#include "data/layout/BookingRow.h"
#include "platform/rtl/StringList.h"
#include "util/core/DvLists.h"

#include <QtGlobal>

class TBookingCell {
public:
    // 0 until placed, then 1 to 14: which slot of its bookings this is and how they meet (see the layouts).
    quint8 State = 0;
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
