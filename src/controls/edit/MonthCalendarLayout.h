// Where the month calendar draws each part: months, titles, arrows, weekday header, day cells, the today
// line; and what lies under a point. Plain geometry from the font, testable without painting.
#pragma once

#include "controls/edit/MonthCalendarTypes.h"
#include "platform/ui/Geometry.h"

#include <QFont>
#include <QSize>
#include <QString>

namespace controls {

// What decides the calendar's shape besides its font and size.
struct CalendarShape {
    // 0 = Monday ... 6 = Sunday.
    int FirstDayOfWeek = 6;
    bool WeekNumbers = false;
    // The text of the today line; empty shows no line.
    QString TodayText;
};

class MonthCalendarLayout {
public:
    // Lays out as many whole months as the client size holds (at least one), the first being firstMonth.
    MonthCalendarLayout(const QFont& font, const CalendarShape& shape, QSize client, YearMonth firstMonth);

    // The size of one month with the today line: the calendar is never smaller.
    QSize MinimumSize() const;

    int MonthCount() const { return columns_ * rows_; }
    YearMonth Month(int index) const { return AddMonths(first_, index); }
    // The first and last dates shown, the greyed days of the neighbour months included.
    TDateTime FirstShownDate() const;
    TDateTime LastShownDate() const;

    TRect MonthRect(int index) const;
    TRect TitleRect(int index) const;
    TRect TitleMonthRect(int index) const;
    TRect TitleYearRect(int index) const;
    QString TitleMonthText(int index) const;
    QString TitleYearText(int index) const;
    // The back arrow sits in the first month's title, the forward arrow in the title at the top right.
    TRect PrevArrowRect() const;
    TRect NextArrowRect() const;
    int NextArrowMonth() const { return columns_ - 1; }
    TRect DayHeaderRect(int index) const;
    TRect WeekNumberRect(int index, int row) const;
    TRect CellRect(int index, int row, int column) const;
    TRect TodayLineRect() const;

    // The weekday of a column: 0 = Monday ... 6 = Sunday.
    int DayOfColumn(int column) const { return (shape_.FirstDayOfWeek + column) % 7; }
    // The date in a cell of the six-week grid of a month.
    TDateTime CellDate(int index, int row, int column) const;
    // Greyed days of the neighbour months show only before the first month and after the last.
    bool CellShown(int index, int row, int column) const;
    // The ISO week number shown for a row.
    int WeekNumber(int index, int row) const;
    // The cell that shows a date (its own month's cell before a greyed one); empty when not shown.
    TRect DayRect(TDateTime date) const;

    CalendarHitInfo HitTest(TPoint point) const;

    static constexpr int kWeeks = 6;

private:
    TDateTime GridStart(int index) const;

    QFont font_;
    QFont titleFont_;
    CalendarShape shape_;
    QSize client_;
    YearMonth first_;
    int cellWidth_ = 0;
    int cellHeight_ = 0;
    int titleHeight_ = 0;
    int weekNumberWidth_ = 0;
    int monthWidth_ = 0;
    int monthHeight_ = 0;
    int todayHeight_ = 0;
    int todayWidth_ = 0;
    int columns_ = 1;
    int rows_ = 1;
    int left_ = 0;
    int top_ = 0;
};

}  // namespace controls
