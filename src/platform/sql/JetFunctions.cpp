// Jet's date and text functions over TDateTime day numbers and UTF-8 text.
#include "platform/sql/JetFunctions.h"

#include "platform/rtl/DateUtils.h"
#include "platform/sql/JetTypes.h"

#include <sqlite3.h>
#include <QString>
#include <cmath>

namespace sql {
namespace {

void NowFunction(sqlite3_context* context, int, sqlite3_value**) {
    sqlite3_result_double(context, rtl::CurrentClock().Now());
}

void DateFunction(sqlite3_context* context, int, sqlite3_value**) {
    sqlite3_result_double(context, std::floor(rtl::CurrentClock().Now()));
}

// A function of one TDateTime argument answering a whole number; null in, null out, and null for a number
// that is no date (out of Jet's range, infinite or NaN), which would not fit the date arithmetic.
template <int (*Part)(TDateTime)>
void DatePartFunction(sqlite3_context* context, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(context);
    const double day = sqlite3_value_double(argv[0]);
    if (!InJetDateRange(day)) return sqlite3_result_null(context);
    sqlite3_result_int(context, Part(day));
}

// The whole part of a number, cut towards zero (Fix(-1.25) is -1); null in, null out.
void FixFunction(sqlite3_context* context, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(context);
    sqlite3_result_double(context, std::trunc(sqlite3_value_double(argv[0])));
}

void UCaseFunction(sqlite3_context* context, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(context);
    const QByteArray upper =
        QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(argv[0])), sqlite3_value_bytes(argv[0]))
            .toUpper()
            .toUtf8();
    sqlite3_result_text(context, upper.constData(), upper.size(), SQLITE_TRANSIENT);
}

using Function = void (*)(sqlite3_context*, int, sqlite3_value**);

void Register(sqlite3* db, const char* name, int argc, Function function, bool deterministic) {
    const int flags = SQLITE_UTF8 | (deterministic ? SQLITE_DETERMINISTIC : 0);
    sqlite3_create_function_v2(db, name, argc, flags, nullptr, function, nullptr, nullptr, nullptr);
}

}  // namespace

void RegisterJetFunctions(sqlite3* db) {
    Register(db, "Now", 0, NowFunction, false);
    Register(db, "Date", 0, DateFunction, false);
    Register(db, "Year", 1, DatePartFunction<YearOf>, true);
    Register(db, "Month", 1, DatePartFunction<MonthOf>, true);
    Register(db, "Day", 1, DatePartFunction<DayOf>, true);
    Register(db, "Hour", 1, DatePartFunction<HourOf>, true);
    Register(db, "Minute", 1, DatePartFunction<MinuteOf>, true);
    Register(db, "Fix", 1, FixFunction, true);
    Register(db, "UCase", 1, UCaseFunction, true);
}

}  // namespace sql
