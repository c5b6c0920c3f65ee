// The validation codes of a booking against the global row and its resource's limits.
#include "data/bookings/BookingDateRange.h"
#include "data/bookings/BookingValidation.h"
#include "data/bookings/Bookings.h"
#include "data/support/BookingsFixture.h"

#include <gtest/gtest.h>

using namespace bookings_test;

namespace {

struct Case {
    const char* name;
    QString globalLimit;    // "mode, days ahead, until date" of RanvelGlobal
    QString resourceLimit;  // "mode, days ahead, until date, MaxBookDaysRestrict, MaxBookDays" of Room 1
    int resourceId;
    const char* client;
    TDateTime start;
    TDateTime end;
    int expected;
};

// Today is Jan 1 2026.
const QString kNoGlobalLimit = QStringLiteral("1, 365, #1/1/2027#");
const QString kNoResourceLimit = QStringLiteral("1, 0, #1/1/2020#, False, 0");

class BookingValidationTest : public BookingsTest {
protected:
    int Validate(const Case& c) {
        const QStringList g = c.globalLimit.split(QStringLiteral(", "));
        const QStringList r = c.resourceLimit.split(QStringLiteral(", "));
        db->connection.Execute(QStringLiteral("UPDATE RanvelGlobal SET BookingRestrictMode = %1, "
                                              "BookingRestrictDaysAhead = %2, BookingRestrictUntilDate = %3")
                                   .arg(g[0], g[1], g[2]));
        db->connection.Execute(
            QStringLiteral("UPDATE Resources SET BookingRestrictMode = %1, BookingRestrictDaysAhead = %2, "
                           "BookingRestrictUntilDate = %3, MaxBookDaysRestrict = %4, MaxBookDays = %5 "
                           "WHERE ResourceId = 1")
                .arg(r[0], r[1], r[2], r[3], r[4]));
        db->global.Requery();
        db->resources.Requery();
        return data::ValidateBookingValues({QString::fromLatin1(c.client), c.start, c.end},
                                           data::FindResourceLimits(db->resources, c.resourceId),
                                           data::GlobalLimit(db->global), Date());
    }
};

TEST_F(BookingValidationTest, FirstFailingTestGivesTheCode) {
    const TDateTime jan = EncodeDate(2026, 1, 1);
    const Case cases[] = {
        {"valid", kNoGlobalLimit, kNoResourceLimit, 1, "Smith", At(5, 9), At(5, 10), kBookingValid},
        {"client of blanks passes", kNoGlobalLimit, kNoResourceLimit, 1, "  ", At(5, 9), At(5, 10), kBookingValid},
        {"client empty", kNoGlobalLimit, kNoResourceLimit, 99, "", At(6, 9), At(5, 10), kBookingClientEmpty},
        {"end date before start", kNoGlobalLimit, kNoResourceLimit, 99, "S", At(6, 9), At(5, 10),
         kBookingEndDateBeforeStart},
        {"starts before the origin", kNoGlobalLimit, kNoResourceLimit, 99, "S",
         EncodeDateTime(1899, 12, 29, 9, 0, 0, 0), EncodeDateTime(1899, 12, 29, 10, 0, 0, 0), kBookingOutsideDateRange},
        {"ends after the last day", kNoGlobalLimit, kNoResourceLimit, 1, "S", EncodeDate(9999, 12, 31),
         EncodeDate(9999, 12, 31) + 1, kBookingOutsideDateRange},
        {"first and last days", kNoGlobalLimit, kNoResourceLimit, 1, "S", 0, EncodeDateTime(9999, 12, 31, 23, 59, 0, 0),
         kBookingValid},
        {"end time equals start", kNoGlobalLimit, kNoResourceLimit, 1, "S", At(5, 9), At(5, 9),
         kBookingEndTimeNotAfterStart},
        {"end time before start", kNoGlobalLimit, kNoResourceLimit, 1, "S", At(5, 9), At(5, 8),
         kBookingEndTimeNotAfterStart},
        {"unknown resource", kNoGlobalLimit, kNoResourceLimit, 99, "S", At(5, 9), At(5, 10), kBookingResourceNotFound},
        {"too many days", kNoGlobalLimit, QStringLiteral("1, 0, #1/1/2020#, True, 1"), 1, "S", At(5, 9), At(7, 8),
         kBookingTooManyDays},
        {"max days reached exactly", kNoGlobalLimit, QStringLiteral("1, 0, #1/1/2020#, True, 2"), 1, "S", At(5, 9),
         At(7, 8), kBookingValid},
        {"max days 0 allows one day", kNoGlobalLimit, QStringLiteral("1, 0, #1/1/2020#, True, 0"), 1, "S", At(5, 9),
         At(5, 18), kBookingValid},
        {"max days 0 refuses two", kNoGlobalLimit, QStringLiteral("1, 0, #1/1/2020#, True, 0"), 1, "S", At(5, 23),
         At(6, 1), kBookingTooManyDays},
        {"max days not restricted", kNoGlobalLimit, QStringLiteral("1, 0, #1/1/2020#, False, 1"), 1, "S", At(5, 9),
         At(9, 8), kBookingValid},
        {"global days ahead, whatever the resource allows", QStringLiteral("2, 30, #1/1/2020#"),
         QStringLiteral("2, 100, #1/1/2020#, False, 0"), 1, "S", jan + 31, jan + 31.5, kBookingBeyondGlobalDaysAhead},
        {"global days ahead, ending on the limit", QStringLiteral("2, 30, #1/1/2020#"), kNoResourceLimit, 1, "S",
         jan + 30.2, jan + 30.5, kBookingValid},
        {"global days ahead replaces the resource's limit", QStringLiteral("2, 30, #1/1/2020#"),
         QStringLiteral("3, 0, #12/31/2025#, False, 0"), 1, "S", At(5, 9), At(5, 10), kBookingValid},
        {"global until date", QStringLiteral("3, 0, #1/10/2026#"), kNoResourceLimit, 1, "S", At(10, 9), At(11, 1),
         kBookingBeyondGlobalUntilDate},
        {"global until date, ending on it", QStringLiteral("3, 0, #1/10/2026 15:00#"), kNoResourceLimit, 1, "S",
         At(10, 9), At(10, 18), kBookingValid},
        {"resource days ahead", kNoGlobalLimit, QStringLiteral("2, 10, #1/1/2020#, False, 0"), 1, "S", At(12, 9),
         At(12, 10), kBookingBeyondResourceDaysAhead},
        {"resource until date yesterday", kNoGlobalLimit, QStringLiteral("3, 0, #12/31/2025#, False, 0"), 1, "S",
         At(5, 9), At(5, 10), kBookingBeyondResourceUntilDate},
        {"limits before length", kNoGlobalLimit, QStringLiteral("3, 0, #12/31/2025#, True, 0"), 1, "S", At(5, 9),
         At(8, 10), kBookingBeyondResourceUntilDate},
        {"only the end date counts", QStringLiteral("3, 0, #1/10/2026#"), kNoResourceLimit, 1, "S", At(1, 9),
         At(10, 10), kBookingValid},
    };
    for (const Case& c : cases) EXPECT_EQ(Validate(c), c.expected) << c.name;
}

}  // namespace
