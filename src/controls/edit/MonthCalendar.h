// TwwMonthCalendar: the library's month calendar, painted by itself, with bounds, colours, bold days,
// keyboard stepping within the bounds and its own month and year menus on the title.
#pragma once

#include "controls/edit/CalendarPopupMenu.h"
#include "controls/edit/DateTimeColors.h"
#include "controls/edit/MonthCalendarLayout.h"
#include "controls/edit/MonthCalendarTypes.h"
#include "controls/edit/PopupYearOptions.h"
#include "platform/ui/Control.h"

#include <QWidget>
#include <array>
#include <vector>

class TwwMonthCalendar : public ui::ControlOf<QWidget> {
public:
    explicit TwwMonthCalendar(QWidget* parent);
    ~TwwMonthCalendar() override;

    // The selected date with its time of day. Writing compares whole days only and keeps the time of day;
    // a day beyond MinDate or MaxDate raises EDateTimeError and leaves the date as it was.
    TDateTime Date() const { return date_; }
    void SetDate(TDateTime value);
    TDateTime Time() const { return date_; }
    // Replaces only the time of day.
    void SetTime(TDateTime value);
    // The bounds (0: none); whole days count.
    TDateTime MinDate() const { return minDate_; }
    void SetMinDate(TDateTime value);
    TDateTime MaxDate() const { return maxDate_; }
    void SetMaxDate(TDateTime value);
    // Selects a date without raising: a date beyond a bound becomes the bound. Scrolls it into view.
    void SetCalendarDate(TDateTime value);

    // ---- range selection, with mdoMultiSelect only
    // The longest range the user can select, in days.
    int MaxSelectCount() const { return maxSelectCount_; }
    void SetMaxSelectCount(int count) { maxSelectCount_ = count; }
    // The selected days, start not after end; 0 while not set.
    TDateTime RangeStart() const { return rangeStart_; }
    TDateTime RangeEnd() const { return rangeEnd_; }
    // Selects the days between the two dates, given in either order.
    void SetSelectionRange(TDateTime first, TDateTime second);
    // One end of the range, whole days; a day beyond MinDate or MaxDate raises EDateTimeError and leaves the
    // range as it was.
    void SetRangeStart(TDateTime value);
    void SetRangeEnd(TDateTime value);
    // The day is shown selected: within the range with mdoMultiSelect, else the selected date.
    bool IsDaySelected(TDateTime day) const;

    TwwDateTimeColors& CalColors() { return calColors_; }
    void SetCalColors(const TwwDateTimeColors& colors) { calColors_.Assign(colors); }
    // The colour slots the calendar paints with, as RGB values.
    TColor CalendarColor(controls::CalendarColor slot) const { return slotColors_[size_t(slot)]; }
    void SetCalendarColor(controls::CalendarColor slot, TColor rgb);

    TwwMonthOptions Options() const { return options_; }
    virtual void SetOptions(TwwMonthOptions options);
    const TwwPopupYearOptions& PopupYearOptions() const { return popupYearOptions_; }
    void SetPopupYearOptions(const TwwPopupYearOptions& options) { popupYearOptions_ = options; }
    TwwCalDayOfWeek FirstDayOfWeek() const { return firstDayOfWeek_; }
    void SetFirstDayOfWeek(TwwCalDayOfWeek day);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle style);
    // How many months the arrows scroll; 0 scrolls by the number of months shown.
    int MonthDelta() const;
    void SetMonthDelta(int months) { monthDelta_ = months; }

    // The smallest size that shows one month whole; the calendar is never smaller.
    QSize MinimumSize() const;
    void AdjustToMinimumSize();
    // The months shown now: their first and last day, or with shownDays the greyed neighbour days too.
    // Returns the number of months.
    int GetMonthRange(TDateTime& first, TDateTime& last, bool shownDays) const;
    // What lies under a point of the control.
    controls::CalendarHitInfo HitTest(TPoint point) const;
    // The geometry as painted now (in the control's coordinates less its border).
    controls::MonthCalendarLayout Layout() const;
    // The bold days of count months from first, one bit per day (bit 0 the 1st), asked of OnCalcBoldDay;
    // empty masks without mdoDayState or a handler, and no answer at all for more than 14 months.
    std::vector<quint32> DayStates(controls::YearMonth first, int count);
    // The month or year menu is showing.
    bool IsPopupMenuShowing() const { return monthMenu_.Showing() || yearMenu_.Showing(); }

    TNotifyEvent OnChange;
    TCalcBoldDayEvent OnCalcBoldDay;

    bool WantsKey(Word key, TShiftState shift) const override;
    void KeyDown(Word& key, TShiftState shift) override;

protected:
    // A calendar of its own takes the focus on a click; a drop-down one leaves it with its owner.
    virtual void TakeFocusWhenVisible();
    // After the user changed the date: fires OnChange.
    virtual void Change();

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    controls::CalendarShape Shape() const;
    int FirstDayIndex() const;
    TPoint ToLayout(QPoint point) const;
    TDateTime Limited(TDateTime value) const;
    bool WithinBounds(TDateTime value) const;
    void ScrollToShow(TDateTime value);
    // Keeps the date within the bounds and in view; a selected range stays.
    void LimitDate(TDateTime value);
    // Sets Date and fires OnChange when the day changed.
    void ChangeDate(TDateTime value);
    void ClickAt(QPoint point, bool shift);
    // The whole day of the value; raises EDateTimeError for a day beyond MinDate or MaxDate.
    TDateTime CheckedDay(TDateTime value) const;
    bool MultiSelect() const { return options_.Contains(mdoMultiSelect); }
    // The user selected the days from anchor to focus: focus is kept within the bounds and MaxSelectCount.
    void SelectByUser(TDateTime anchor, TDateTime focus);
    // The selection the user made: stored (a start before MinDate becomes MinDate), a single other day
    // becomes Date with OnChange.
    void SelectionChanged(TDateTime start, TDateTime end);
    // Shift with an arrow: the end away from the current date moves by the days.
    void ExtendRange(int days);
    void StepMonths(bool forward);
    void ShowMonthMenu(const controls::CalendarHitInfo& hit);
    void ShowYearMenu(const controls::CalendarHitInfo& hit);
    QRect GlobalRect(const TRect& layoutRect) const;

    TDateTime date_ = 0;
    TDateTime minDate_ = 0;
    TDateTime maxDate_ = 0;
    controls::YearMonth firstMonth_;
    TwwDateTimeColors calColors_;
    std::array<TColor, 6> slotColors_{};
    TwwMonthOptions options_{mdoDayState};
    TwwPopupYearOptions popupYearOptions_;
    TwwCalDayOfWeek firstDayOfWeek_ = wwdowLocaleDefault;
    TBorderStyle borderStyle_ = bsNone;
    int monthDelta_ = 0;
    int maxSelectCount_ = 31;
    TDateTime rangeStart_ = 0;
    TDateTime rangeEnd_ = 0;
    // The range changed while the mouse button was down.
    bool selectionChanged_ = false;
    // The day a drag with the left button selects from; 0 when no drag.
    TDateTime dragAnchor_ = 0;
    TCalendarPopupMenu monthMenu_;
    TCalendarPopupMenu yearMenu_;
};
