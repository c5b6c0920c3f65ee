// The month calendar's geometry: sizes from the font's metrics, months side by side, cells by date.
#include "controls/edit/MonthCalendarLayout.h"

#include "platform/rtl/FormatSettings.h"

#include <QDate>
#include <QFontMetrics>
#include <algorithm>

namespace controls {
namespace {

constexpr int kMargin = 4;
constexpr int kGap = 8;
constexpr int kTitleGap = 2;

// The last date the calendar can show.
TDateTime LastDate() { return EncodeDate(9999, 12, 31); }

}  // namespace

MonthCalendarLayout::MonthCalendarLayout(const QFont& font, const CalendarShape& shape, QSize client,
                                         YearMonth firstMonth)
    : font_(font), titleFont_(font), shape_(shape), client_(client), first_(firstMonth) {
    titleFont_.setBold(true);
    const QFontMetrics metrics(font_);
    const QFontMetrics title(titleFont_);
    const int pad = std::max(4, metrics.averageCharWidth());
    int widestDay = metrics.horizontalAdvance(QStringLiteral("00"));
    for (const QString& name : FormatSettings.ShortDayNames)
        widestDay = std::max(widestDay, metrics.horizontalAdvance(name));
    cellWidth_ = widestDay + pad;
    cellHeight_ = metrics.height() + 2;
    titleHeight_ = title.height() + 8;
    weekNumberWidth_ = shape_.WeekNumbers ? metrics.horizontalAdvance(QStringLiteral("00")) + pad : 0;
    int widestMonth = 0;
    for (const QString& name : FormatSettings.LongMonthNames)
        widestMonth = std::max(widestMonth, title.horizontalAdvance(name + QStringLiteral(" 0000")));
    const int arrows = 2 * (titleHeight_ + kMargin);
    monthWidth_ = std::max(weekNumberWidth_ + 7 * cellWidth_, widestMonth + arrows) + 2 * kMargin;
    monthHeight_ = titleHeight_ + kTitleGap + (cellHeight_ + 2) + kWeeks * cellHeight_ + kMargin;
    if (!shape_.TodayText.isEmpty()) {
        todayHeight_ = title.height() + 6;
        todayWidth_ = cellWidth_ + kMargin + title.horizontalAdvance(shape_.TodayText) + kMargin;
    }
    columns_ = std::max(1, (client_.width() + kGap) / (monthWidth_ + kGap));
    rows_ = std::max(1, (client_.height() - todayHeight_ + kGap) / (monthHeight_ + kGap));
    left_ = std::max(0, (client_.width() - (columns_ * (monthWidth_ + kGap) - kGap)) / 2);
    top_ = std::max(0, (client_.height() - todayHeight_ - (rows_ * (monthHeight_ + kGap) - kGap)) / 2);
}

QSize MonthCalendarLayout::MinimumSize() const {
    return {std::max(monthWidth_, todayWidth_ + 2 * kMargin), monthHeight_ + todayHeight_};
}

TDateTime MonthCalendarLayout::GridStart(int index) const {
    const YearMonth month = Month(index);
    const TDateTime first = EncodeDate(month.Year, month.Month, 1);
    const int column = (DayOfTheWeek(first) - 1 - shape_.FirstDayOfWeek + 7) % 7;
    return first - column;
}

TDateTime MonthCalendarLayout::FirstShownDate() const { return GridStart(0); }

TDateTime MonthCalendarLayout::LastShownDate() const {
    return std::min(GridStart(MonthCount() - 1) + kWeeks * 7 - 1, LastDate());
}

TRect MonthCalendarLayout::MonthRect(int index) const {
    const int column = index % columns_;
    const int row = index / columns_;
    return Bounds(left_ + column * (monthWidth_ + kGap), top_ + row * (monthHeight_ + kGap), monthWidth_, monthHeight_);
}

TRect MonthCalendarLayout::TitleRect(int index) const {
    const TRect month = MonthRect(index);
    return Bounds(month.Left, month.Top, month.Width(), titleHeight_);
}

QString MonthCalendarLayout::TitleMonthText(int index) const {
    return FormatSettings.LongMonthNames[size_t(Month(index).Month - 1)];
}

QString MonthCalendarLayout::TitleYearText(int index) const { return QString::number(Month(index).Year); }

TRect MonthCalendarLayout::TitleMonthRect(int index) const {
    const QFontMetrics title(titleFont_);
    const TRect rect = TitleRect(index);
    const QString monthText = TitleMonthText(index);
    const int whole = title.horizontalAdvance(monthText + u' ' + TitleYearText(index));
    const int left = rect.Left + (rect.Width() - whole) / 2;
    const int top = rect.Top + (rect.Height() - title.height()) / 2;
    return Bounds(left, top, title.horizontalAdvance(monthText), title.height());
}

TRect MonthCalendarLayout::TitleYearRect(int index) const {
    const QFontMetrics title(titleFont_);
    const TRect month = TitleMonthRect(index);
    const int left = month.Left + title.horizontalAdvance(TitleMonthText(index) + u' ');
    return Bounds(left, month.Top, title.horizontalAdvance(TitleYearText(index)), month.Height());
}

TRect MonthCalendarLayout::PrevArrowRect() const {
    const TRect title = TitleRect(0);
    return Bounds(title.Left + kMargin, title.Top, titleHeight_, titleHeight_);
}

TRect MonthCalendarLayout::NextArrowRect() const {
    const TRect title = TitleRect(NextArrowMonth());
    return Bounds(title.Right - kMargin - titleHeight_, title.Top, titleHeight_, titleHeight_);
}

TRect MonthCalendarLayout::DayHeaderRect(int index) const {
    const TRect month = MonthRect(index);
    const int left = month.Left + (month.Width() - weekNumberWidth_ - 7 * cellWidth_) / 2 + weekNumberWidth_;
    return Bounds(left, month.Top + titleHeight_ + kTitleGap, 7 * cellWidth_, cellHeight_ + 2);
}

TRect MonthCalendarLayout::WeekNumberRect(int index, int row) const {
    const TRect header = DayHeaderRect(index);
    return Bounds(header.Left - weekNumberWidth_, header.Bottom + row * cellHeight_, weekNumberWidth_, cellHeight_);
}

TRect MonthCalendarLayout::CellRect(int index, int row, int column) const {
    const TRect header = DayHeaderRect(index);
    return Bounds(header.Left + column * cellWidth_, header.Bottom + row * cellHeight_, cellWidth_, cellHeight_);
}

TRect MonthCalendarLayout::TodayLineRect() const {
    if (todayHeight_ == 0) return {};
    const int bottom = MonthRect(MonthCount() - 1).Bottom;
    return Bounds(MonthRect(0).Left + kMargin, bottom, todayWidth_, todayHeight_);
}

TDateTime MonthCalendarLayout::CellDate(int index, int row, int column) const {
    return GridStart(index) + row * 7 + column;
}

bool MonthCalendarLayout::CellShown(int index, int row, int column) const {
    const TDateTime date = CellDate(index, row, column);
    if (date > LastDate()) return false;
    const YearMonth month = Month(index);
    const YearMonth own{YearOf(date), MonthOf(date)};
    if (own == month) return true;
    const bool before = date < EncodeDate(month.Year, month.Month, 1);
    return before ? index == 0 : index == MonthCount() - 1;
}

int MonthCalendarLayout::WeekNumber(int index, int row) const {
    const int thursday = (3 - shape_.FirstDayOfWeek + 7) % 7;
    return DateTimeToQDate(CellDate(index, row, thursday)).weekNumber();
}

TRect MonthCalendarLayout::DayRect(TDateTime date) const {
    date = DateOf(date);
    if (date < FirstShownDate() || date > LastShownDate()) return {};
    // A greyed day before the first month or after the last belongs to that month's grid.
    const int months = (YearOf(date) - first_.Year) * 12 + MonthOf(date) - first_.Month;
    const int index = std::clamp(months, 0, MonthCount() - 1);
    const int offset = int(date - GridStart(index));
    return CellRect(index, offset / 7, offset % 7);
}

CalendarHitInfo MonthCalendarLayout::HitTest(TPoint point) const {
    const auto inside = [&point](const TRect& r) {
        return point.X >= r.Left && point.X < r.Right && point.Y >= r.Top && point.Y < r.Bottom;
    };
    if (inside(TodayLineRect())) return {CalendarHit::TodayLine, 0, -1};
    for (int index = 0; index < MonthCount(); ++index) {
        if (!inside(MonthRect(index))) continue;
        const YearMonth month = Month(index);
        const TDateTime first = EncodeDate(month.Year, month.Month, 1);
        if (inside(TitleRect(index))) {
            if (index == 0 && inside(PrevArrowRect())) return {CalendarHit::PrevArrow, first, index};
            if (index == NextArrowMonth() && inside(NextArrowRect())) return {CalendarHit::NextArrow, first, index};
            if (inside(TitleMonthRect(index))) return {CalendarHit::TitleMonth, first, index};
            if (inside(TitleYearRect(index))) return {CalendarHit::TitleYear, first, index};
            return {CalendarHit::TitleBackground, first, index};
        }
        if (inside(DayHeaderRect(index))) return {CalendarHit::DayHeader, 0, index};
        for (int row = 0; row < kWeeks; ++row) {
            if (weekNumberWidth_ > 0 && inside(WeekNumberRect(index, row))) return {CalendarHit::WeekNumber, 0, index};
            for (int column = 0; column < 7; ++column) {
                if (!inside(CellRect(index, row, column))) continue;
                if (!CellShown(index, row, column)) return {CalendarHit::Background, 0, index};
                const TDateTime date = CellDate(index, row, column);
                const CalendarHit hit = date < first                   ? CalendarHit::PrevMonthDate
                                        : MonthOf(date) == month.Month ? CalendarHit::Date
                                                                       : CalendarHit::NextMonthDate;
                return {hit, date, index};
            }
        }
        return {CalendarHit::Background, 0, index};
    }
    const bool onControl = point.X >= 0 && point.Y >= 0 && point.X < client_.width() && point.Y < client_.height();
    return {onControl ? CalendarHit::Background : CalendarHit::Nowhere, 0, -1};
}

}  // namespace controls
