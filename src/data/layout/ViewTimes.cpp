// Minutes and times of day, and the repair of a view's time settings.
#include "data/layout/ViewTimes.h"

#include <cmath>

namespace {

// The last day a TDateTime can hold (31 December 9999) and the tolerance of time comparisons.
constexpr double kMaxDateTime = 2958466.0;
constexpr double kOneMillisecond = 1.0 / MSecsPerDay;

bool Before(TDateTime a, TDateTime b) { return TimeOf(a) < TimeOf(b) - kOneMillisecond; }

}  // namespace

TDateTime MinutesToTime(int minutes) { return (minutes / 60) / 24.0 + (minutes % 60) / double(MinsPerDay); }

int TimeToMinutes(TDateTime time) {
    int hour, minute, second, millisecond;
    DecodeTime(time, hour, minute, second, millisecond);
    return hour * 60 + minute;
}

bool IsValidTime(TDateTime value) {
    if (!std::isfinite(value) || std::fabs(value) > kMaxDateTime) return false;
    int hour, minute, second, millisecond;
    DecodeTime(value, hour, minute, second, millisecond);
    TDateTime unused;
    return TryEncodeTime(hour, minute, second, millisecond, unused);
}

bool ClampMinutesIncrement(int& minutes) {
    if (minutes <= 0) {
        minutes = 30;
        return false;
    }
    if (minutes > 720) {
        minutes = 720;
        return false;
    }
    return true;
}

bool NormalizeViewTimes(TDateTime& start, TDateTime& end, TDateTime& initial, int minutesPerRow, TDateTime defaultStart,
                        TDateTime defaultEnd, TDateTime defaultInitial) {
    bool result = true;
    for (auto [value, fallback] : {std::pair{&start, defaultStart}, {&end, defaultEnd}, {&initial, defaultInitial}})
        if (!IsValidTime(*value)) {
            *value = fallback;
            result = false;
        }
    const TDateTime row = minutesPerRow / double(MinsPerDay);
    if (!Before(start, end)) {
        if (start + row < 1.0 - kOneMillisecond) {
            end = start + row;
        } else if (start - row < -kOneMillisecond) {
            start = 0.0;
            end = defaultEnd;
        } else {
            end = start;
            start = start - row;
        }
    }
    if (Before(initial, start) || !Before(initial, end)) {
        initial = start;
        result = false;
    }
    return result;
}
