// The month calendar's date, bounds, colours, shape and the day states asked of the application.
#include "controls/edit/MonthCalendar.h"

#include "platform/rtl/DateTimeFormat.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/ui/Dispatch.h"

#include <QEvent>
#include <algorithm>

namespace {

// The first and last days the calendar selects when no bound says otherwise.
TDateTime EarliestDate() { return EncodeDate(1899, 12, 31); }
TDateTime LatestDate() { return EncodeDate(9999, 12, 31); }

[[noreturn]] void RaiseAboveMaximum(TDateTime maximum) {
    throw EDateTimeError(QStringLiteral("Date exceeds maximum of %1").arg(DateToStr(maximum)));
}

[[noreturn]] void RaiseBelowMinimum(TDateTime minimum) {
    throw EDateTimeError(QStringLiteral("Date is less than minimum of %1").arg(DateToStr(minimum)));
}

}  // namespace

TwwMonthCalendar::TwwMonthCalendar(QWidget* parent)
    : ControlOf<QWidget>(parent),
      date_(rtl::CurrentClock().Now()),
      firstMonth_{YearOf(date_), MonthOf(date_)},
      calColors_(this),
      monthMenu_(QStringLiteral("MonthMenu")),
      yearMenu_(QStringLiteral("YearMenu")) {
    for (int month = 0; month < 12; ++month)
        monthMenu_.Items().push_back({FormatSettings.LongMonthNames[size_t(month)]});
    monthMenu_.SetRightAligned(true);
    SetColor(clWindow);
    SetTabStop(true);
    calColors_.Apply();
    SetBounds(0, 0, 155, 0);
    AdjustToMinimumSize();
}

TwwMonthCalendar::~TwwMonthCalendar() = default;

bool TwwMonthCalendar::WithinBounds(TDateTime value) const {
    const TDateTime day = DateOf(value);
    return (maxDate_ == 0 || day <= DateOf(maxDate_)) && (minDate_ == 0 || day >= DateOf(minDate_));
}

TDateTime TwwMonthCalendar::Limited(TDateTime value) const {
    if (maxDate_ != 0 && DateOf(value) > DateOf(maxDate_)) return maxDate_;
    if (minDate_ != 0 && DateOf(value) < DateOf(minDate_)) return minDate_;
    if (minDate_ == 0 && value < EncodeDate(1899, 12, 30)) return EarliestDate();
    if (DateOf(value) > LatestDate()) return LatestDate() + TimeOf(value);
    return value;
}

void TwwMonthCalendar::SetDate(TDateTime value) {
    if (DateOf(value) == DateOf(date_)) return;
    if (DateOf(value) == 0) {
        update();
        return;
    }
    const TDateTime newValue = DateOf(value) + TimeOf(date_);
    if (!WithinBounds(newValue)) {
        SetCalendarDate(date_);
        if (maxDate_ != 0 && DateOf(newValue) > DateOf(maxDate_)) RaiseAboveMaximum(maxDate_);
        RaiseBelowMinimum(minDate_);
    }
    SetCalendarDate(newValue);
}

void TwwMonthCalendar::SetTime(TDateTime value) {
    if (SameTime(value, date_)) return;
    const TDateTime newValue = DateOf(date_) + TimeOf(value);
    if (newValue == 0) update();
    else SetCalendarDate(newValue);
}

void TwwMonthCalendar::SetCalendarDate(TDateTime value) {
    LimitDate(value);
    if (MultiSelect()) rangeStart_ = rangeEnd_ = DateOf(date_);
}

void TwwMonthCalendar::LimitDate(TDateTime value) {
    date_ = Limited(value);
    ScrollToShow(date_);
    update();
}

void TwwMonthCalendar::ScrollToShow(TDateTime value) {
    const controls::YearMonth month{YearOf(value), MonthOf(value)};
    const int count = Layout().MonthCount();
    const int offset = (month.Year - firstMonth_.Year) * 12 + month.Month - firstMonth_.Month;
    if (offset < 0) firstMonth_ = month;
    else if (offset >= count) firstMonth_ = controls::AddMonths(month, 1 - count);
}

void TwwMonthCalendar::SetMaxDate(TDateTime value) {
    if (value != 0 && minDate_ != 0 && DateOf(value) < DateOf(minDate_)) RaiseBelowMinimum(minDate_);
    if (value == maxDate_) return;
    maxDate_ = value;
    LimitDate(date_);
}

void TwwMonthCalendar::SetMinDate(TDateTime value) {
    if (value != 0 && maxDate_ != 0 && DateOf(maxDate_) < DateOf(value)) RaiseAboveMaximum(maxDate_);
    if (value == minDate_) return;
    minDate_ = value;
    LimitDate(date_);
}

void TwwMonthCalendar::SetSelectionRange(TDateTime first, TDateTime second) {
    rangeStart_ = DateOf(std::min(first, second));
    rangeEnd_ = DateOf(std::max(first, second));
    update();
}

TDateTime TwwMonthCalendar::CheckedDay(TDateTime value) const {
    const TDateTime day = DateOf(value);
    if (maxDate_ != 0 && day > DateOf(maxDate_)) RaiseAboveMaximum(maxDate_);
    if (minDate_ != 0 && day < DateOf(minDate_)) RaiseBelowMinimum(minDate_);
    return day;
}

void TwwMonthCalendar::SetRangeStart(TDateTime value) {
    const TDateTime day = CheckedDay(value);
    rangeStart_ = day;
    if (rangeEnd_ != 0 && rangeEnd_ != day) SetSelectionRange(day, rangeEnd_);
}

void TwwMonthCalendar::SetRangeEnd(TDateTime value) {
    const TDateTime day = CheckedDay(value);
    rangeEnd_ = day;
    if (rangeStart_ != 0 && rangeStart_ != day) SetSelectionRange(rangeStart_, day);
}

bool TwwMonthCalendar::IsDaySelected(TDateTime day) const {
    if (MultiSelect()) return day >= rangeStart_ && day <= rangeEnd_;
    return day == DateOf(date_);
}

void TwwMonthCalendar::SetCalendarColor(controls::CalendarColor slot, TColor rgb) {
    slotColors_[size_t(slot)] = rgb;
    update();
}

void TwwMonthCalendar::SetOptions(TwwMonthOptions options) {
    options_ = options;
    // A range is shown from the start: the one stored when both ends are set, else the selected day.
    if (MultiSelect() && (rangeStart_ == 0 || rangeEnd_ == 0)) rangeStart_ = rangeEnd_ = DateOf(date_);
    AdjustToMinimumSize();
    update();
}

void TwwMonthCalendar::SetFirstDayOfWeek(TwwCalDayOfWeek day) {
    firstDayOfWeek_ = day;
    update();
}

int TwwMonthCalendar::FirstDayIndex() const {
    return firstDayOfWeek_ == wwdowLocaleDefault ? FormatSettings.FirstDayOfWeek : int(firstDayOfWeek_);
}

void TwwMonthCalendar::SetBorderStyle(TBorderStyle style) {
    borderStyle_ = style;
    const int border = style == bsSingle ? 1 : 0;
    setContentsMargins(border, border, border, border);
    AdjustToMinimumSize();
    update();
}

int TwwMonthCalendar::MonthDelta() const { return monthDelta_ > 0 ? monthDelta_ : Layout().MonthCount(); }

controls::CalendarShape TwwMonthCalendar::Shape() const {
    controls::CalendarShape shape;
    shape.FirstDayOfWeek = FirstDayIndex();
    shape.WeekNumbers = options_.Contains(mdoWeekNumbers);
    if (!options_.Contains(mdoNoToday))
        shape.TodayText = QStringLiteral("Today: ") + DateToStr(DateOf(rtl::CurrentClock().Now()));
    return shape;
}

controls::MonthCalendarLayout TwwMonthCalendar::Layout() const {
    return controls::MonthCalendarLayout(font(), Shape(), contentsRect().size(), firstMonth_);
}

QSize TwwMonthCalendar::MinimumSize() const {
    const QMargins border = contentsMargins();
    return Layout().MinimumSize().grownBy(border);
}

void TwwMonthCalendar::AdjustToMinimumSize() {
    const QSize minimum = MinimumSize();
    setMinimumSize(minimum);
    if (width() < minimum.width() || height() < minimum.height()) resize(size().expandedTo(minimum));
}

int TwwMonthCalendar::GetMonthRange(TDateTime& first, TDateTime& last, bool shownDays) const {
    const controls::MonthCalendarLayout layout = Layout();
    if (shownDays) {
        first = layout.FirstShownDate();
        last = layout.LastShownDate();
    } else {
        const controls::YearMonth end = layout.Month(layout.MonthCount() - 1);
        first = EncodeDate(firstMonth_.Year, firstMonth_.Month, 1);
        last = EncodeDate(end.Year, end.Month, DaysInAMonth(end.Year, end.Month));
    }
    return layout.MonthCount();
}

TPoint TwwMonthCalendar::ToLayout(QPoint point) const {
    return {point.x() - contentsRect().left(), point.y() - contentsRect().top()};
}

controls::CalendarHitInfo TwwMonthCalendar::HitTest(TPoint point) const {
    return Layout().HitTest(ToLayout(ui::ToQPoint(point)));
}

std::vector<quint32> TwwMonthCalendar::DayStates(controls::YearMonth first, int count) {
    if (count > 14) return {};
    std::vector<quint32> masks(size_t(count), 0);
    if (!options_.Contains(mdoDayState) || !OnCalcBoldDay) return masks;
    for (int i = 0; i < count; ++i) {
        const controls::YearMonth month = controls::AddMonths(first, i);
        if (month.Year > 9999) continue;
        for (int day = 1; day <= DaysInAMonth(month.Year, month.Month); ++day) {
            bool accept = false;
            ui::Fire(OnCalcBoldDay, this, EncodeDate(month.Year, month.Month, day), month.Month, day, month.Year,
                     accept);
            if (accept) masks[size_t(i)] |= 1u << (day - 1);
        }
    }
    return masks;
}

void TwwMonthCalendar::changeEvent(QEvent* event) {
    ui::Dispatch(this, [&] {
        if (event->type() == QEvent::FontChange) AdjustToMinimumSize();
    });
    ControlOf::changeEvent(event);
}
