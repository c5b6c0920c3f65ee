// The results that saving a booking gives: validation codes, post results and the overlap check's record.
#pragma once

#include <QtGlobal>
#include <array>

// TData::ValidateBooking's answers; the callers turn them into messages. 1 is never given.
enum : int {
    kBookingValid = 0,
    kBookingClientEmpty = 2,
    kBookingEndDateBeforeStart = 3,
    kBookingEndTimeNotAfterStart = 4,
    kBookingTooManyDays = 5,
    kBookingResourceNotFound = 6,
    kBookingBeyondGlobalDaysAhead = 7,
    kBookingBeyondGlobalUntilDate = 8,
    kBookingBeyondResourceDaysAhead = 9,
    kBookingBeyondResourceUntilDate = 10,
};

// The booking result record. The overlap check gives Status 1 (no conflict), 3 (conflict) or 8 (the
// booking's own row not found, or the check failed); the booking editor also keeps 2 original, 5 try later,
// 6 and 7 denied. Ids[0] is the number of conflicting bookings listed (at most 5), Ids[1..] their BookingIds.
struct TBookingConflictResult {
    quint8 Status = 0;
    std::array<qint32, 6> Ids{};
};

enum : quint8 { kConflictNone = 1, kConflictFound = 3, kConflictOwnRowMissing = 8 };
// TData::PostBooking's answers.
enum : int { kPostDone = 1, kPostFailed = 8 };
