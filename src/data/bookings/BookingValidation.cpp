// The tests a booking passes before it is posted, in the order that decides which failure is reported.
#include "data/bookings/BookingValidation.h"

#include "data/bookings/BookingDateRange.h"
#include "data/bookings/Bookings.h"
#include "platform/db/DataSet.h"
#include "platform/db/Field.h"

namespace data {

namespace {

RestrictLimit LimitOf(const TDataSet& row) {
    return {static_cast<int>(row.FieldByName(QStringLiteral("BookingRestrictMode")).AsInteger()),
            static_cast<int>(row.FieldByName(QStringLiteral("BookingRestrictDaysAhead")).AsInteger()),
            row.FieldByName(QStringLiteral("BookingRestrictUntilDate")).AsDateTime()};
}

bool BeyondDaysAhead(const RestrictLimit& limit, TDateTime today, TDateTime endDate) {
    return today + limit.DaysAhead < endDate;
}
bool BeyondUntilDate(const RestrictLimit& limit, TDateTime endDate) { return DateOf(limit.UntilDate) < endDate; }

bool WithinBookingDays(TDateTime value) { return value >= kFirstBookingDay && value < kDayAfterLastBookingDay; }

}  // namespace

RestrictLimit GlobalLimit(const TDataSet& global) { return LimitOf(global); }

std::optional<ResourceLimits> FindResourceLimits(TDataSet& resources, int resourceId) {
    if (!resources.Locate(QStringLiteral("ResourceId"), resourceId)) return std::nullopt;
    return ResourceLimits{LimitOf(resources), resources.FieldByName(QStringLiteral("MaxBookDaysRestrict")).AsBoolean(),
                          static_cast<int>(resources.FieldByName(QStringLiteral("MaxBookDays")).AsInteger())};
}

int ValidateBookingValues(const BookingValues& booking, const std::optional<ResourceLimits>& resource,
                          const RestrictLimit& global, TDateTime today) {
    const TDateTime startDate = DateOf(booking.Start);
    const TDateTime endDate = DateOf(booking.End);
    if (booking.Client.isEmpty()) return kBookingClientEmpty;
    if (!WithinBookingDays(booking.Start) || !WithinBookingDays(booking.End)) return kBookingOutsideDateRange;
    if (endDate < startDate) return kBookingEndDateBeforeStart;
    if (endDate == startDate && TimeOf(booking.End) <= TimeOf(booking.Start)) return kBookingEndTimeNotAfterStart;
    if (!resource) return kBookingResourceNotFound;
    today = DateOf(today);
    switch (global.Mode) {
        case kRestrictDaysAhead:
            if (BeyondDaysAhead(global, today, endDate)) return kBookingBeyondGlobalDaysAhead;
            break;
        case kRestrictUntilDate:
            if (BeyondUntilDate(global, endDate)) return kBookingBeyondGlobalUntilDate;
            break;
        default:
            if (resource->Restrict.Mode == kRestrictDaysAhead && BeyondDaysAhead(resource->Restrict, today, endDate))
                return kBookingBeyondResourceDaysAhead;
            if (resource->Restrict.Mode == kRestrictUntilDate && BeyondUntilDate(resource->Restrict, endDate))
                return kBookingBeyondResourceUntilDate;
            break;
    }
    if (resource->MaxBookDaysRestrict && endDate - startDate > resource->MaxBookDays) return kBookingTooManyDays;
    return kBookingValid;
}

}  // namespace data
