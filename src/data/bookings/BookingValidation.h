// The limits a booking must keep: the global ones of the database and its resource's own.
#pragma once

#include "platform/rtl/DateUtils.h"

#include <QString>
#include <optional>

class TDataSet;

namespace data {

// BookingRestrictMode values of the global row and of a resource.
enum : int { kRestrictNone = 1, kRestrictDaysAhead = 2, kRestrictUntilDate = 3 };

struct RestrictLimit {
    int Mode = kRestrictNone;
    int DaysAhead = 0;
    TDateTime UntilDate = 0;
};

struct ResourceLimits {
    RestrictLimit Restrict;
    bool MaxBookDaysRestrict = false;
    int MaxBookDays = 0;
};

struct BookingValues {
    QString Client;
    TDateTime Start = 0;
    TDateTime End = 0;
};

// The limits of the global row (the dataset's current row: RanvelGlobal).
RestrictLimit GlobalLimit(const TDataSet& global);
// The resource's limits, located in the resources dataset; none when the resource does not exist.
std::optional<ResourceLimits> FindResourceLimits(TDataSet& resources, int resourceId);

// The validation code of a booking (Bookings.h): the first failing test wins. The resource limits apply only
// when the global mode is neither days-ahead nor until-date; only the end date is held against the limits.
int ValidateBookingValues(const BookingValues& booking, const std::optional<ResourceLimits>& resource,
                          const RestrictLimit& global, TDateTime today);

}  // namespace data
