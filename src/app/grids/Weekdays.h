// The weekdays a week or month grid shows, 1 = Monday to 7 = Sunday, and where each lies by the first day of
// the week.
#pragma once

#include <array>

namespace grids {

class VisibleWeekdays {
public:
    // False outside 1..7.
    bool Get(int day) const { return day >= 1 && day <= 7 && visible_[static_cast<size_t>(day)]; }
    // False (nothing changed) outside 1..7.
    bool Set(int day, bool value) {
        if (day < 1 || day > 7) return false;
        visible_[static_cast<size_t>(day)] = value;
        return true;
    }
    int Count() const {
        int count = 0;
        for (int day = 1; day <= 7; ++day) count += visible_[static_cast<size_t>(day)] ? 1 : 0;
        return count;
    }

private:
    std::array<bool, 8> visible_{true, true, true, true, true, true, true, true};
};

// The index of weekday 1 = Monday to 7 = Sunday among seven places: Monday first when firstDayOfWeek is 1,
// else Sunday first.
inline int WeekdayIndex(int day, int firstDayOfWeek) {
    if (firstDayOfWeek == 1) return day - 1;
    return day == 7 ? 0 : day;
}

}  // namespace grids
