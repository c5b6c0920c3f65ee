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

namespace data {
// What became of one booking of a save, a group edit or a repeat run, as its result list shows it; the values are
// the result record's Status codes.
enum class BookingStatus : quint8 {
    Ok = 1,
    Original = 2,
    Conflict = 3,
    TryLater = 5,
    NoRight = 6,
    BeyondLimit = 7,
    Error = 8,
};
constexpr quint8 StatusCode(BookingStatus status) { return static_cast<quint8>(status); }
}  // namespace data

enum : quint8 {
    kConflictNone = data::StatusCode(data::BookingStatus::Ok),
    kConflictFound = data::StatusCode(data::BookingStatus::Conflict),
    kConflictOwnRowMissing = data::StatusCode(data::BookingStatus::Error),
};
// TData::PostBooking's answers.
enum : int { kPostDone = 1, kPostFailed = 8 };
