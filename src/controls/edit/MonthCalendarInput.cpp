// The month calendar's keys, clicks and title menus: every step stays within MinDate and MaxDate.
#include "controls/edit/MonthCalendar.h"

#include "platform/rtl/FormatSettings.h"
#include "platform/ui/Dispatch.h"

#include <QApplication>
#include <QMouseEvent>
#include <algorithm>

bool TwwMonthCalendar::WantsKey(Word key, TShiftState shift) const {
    if (shift.Contains(ssCtrl)) return ControlOf::WantsKey(key, shift);
    switch (key) {
        case VK_PRIOR:
        case VK_NEXT:
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
        case VK_HOME:
        case VK_END: return true;
        default: return ControlOf::WantsKey(key, shift);
    }
}

void TwwMonthCalendar::KeyDown(Word& key, TShiftState shift) {
    ControlOf::KeyDown(key, shift);
    if (MultiSelect()) {
        // A range of several days has no month to page to.
        if ((key == VK_PRIOR || key == VK_NEXT) && rangeEnd_ > rangeStart_) {
            key = 0;
            return;
        }
        const int days = key == VK_LEFT ? -1 : key == VK_RIGHT ? 1 : key == VK_UP ? -7 : key == VK_DOWN ? 7 : 0;
        if (days != 0 && shift.Contains(ssShift)) {
            key = 0;
            ExtendRange(days);
            return;
        }
    }
    const TDateTime day = DateOf(date_);
    const bool atMinimum = minDate_ != 0 && day == DateOf(minDate_);
    const bool atMaximum = maxDate_ != 0 && day == DateOf(maxDate_);
    TDateTime next = date_;
    switch (key) {
        case VK_PRIOR: next = Limited(IncMonth(date_, -1)); break;
        case VK_NEXT: next = Limited(IncMonth(date_, 1)); break;
        case VK_LEFT:
            if (!atMinimum) next = Limited(date_ - 1);
            break;
        case VK_RIGHT:
            if (!atMaximum) next = Limited(date_ + 1);
            break;
        case VK_UP:
            if (WithinBounds(date_ - 7)) next = Limited(date_ - 7);
            break;
        case VK_DOWN:
            if (WithinBounds(date_ + 7)) next = Limited(date_ + 7);
            break;
        case VK_HOME: next = Limited(StartOfTheMonth(date_) + TimeOf(date_)); break;
        case VK_END: next = Limited(DateOf(EndOfTheMonth(date_)) + TimeOf(date_)); break;
        default: return;
    }
    key = 0;
    ChangeDate(next);
}

void TwwMonthCalendar::ChangeDate(TDateTime value) {
    if (DateOf(value) == DateOf(date_)) return;
    SetDate(value);
    Change();
}

void TwwMonthCalendar::Change() { ui::Fire(OnChange, this); }

void TwwMonthCalendar::TakeFocusWhenVisible() {
    if (isVisible() && CanFocus()) SetFocus();
}

void TwwMonthCalendar::mousePressEvent(QMouseEvent* event) {
    ui::Dispatch(this, [&] {
        if (event->button() == Qt::LeftButton)
            ClickAt(event->position().toPoint(), event->modifiers().testFlag(Qt::ShiftModifier));
    });
}

void TwwMonthCalendar::mouseMoveEvent(QMouseEvent* event) {
    ui::Dispatch(this, [&] {
        if (dragAnchor_ == 0 || !MultiSelect() || !event->buttons().testFlag(Qt::LeftButton)) return;
        const controls::CalendarHitInfo hit = HitTest(ui::FromQPoint(event->position().toPoint()));
        if (hit.Hit == controls::CalendarHit::Date || hit.Hit == controls::CalendarHit::PrevMonthDate ||
            hit.Hit == controls::CalendarHit::NextMonthDate)
            SelectByUser(dragAnchor_, hit.Date);
    });
}

void TwwMonthCalendar::mouseReleaseEvent(QMouseEvent* event) {
    ui::Dispatch(this, [&] {
        if (event->button() != Qt::LeftButton) return;
        dragAnchor_ = 0;
        const bool changed = selectionChanged_;
        selectionChanged_ = false;
        if (MultiSelect() && changed) Change();
    });
}

void TwwMonthCalendar::SelectByUser(TDateTime anchor, TDateTime focus) {
    const TDateTime longest = std::max(1, maxSelectCount_) - 1;
    TDateTime end = std::clamp(DateOf(focus), anchor - longest, anchor + longest);
    if (maxDate_ != 0) end = std::min(end, DateOf(maxDate_));
    if (minDate_ != 0) end = std::max(end, DateOf(minDate_));
    ScrollToShow(end);
    SelectionChanged(std::min(anchor, end), std::max(anchor, end));
}

void TwwMonthCalendar::SelectionChanged(TDateTime start, TDateTime end) {
    if (minDate_ != 0) {
        start = std::max(start, DateOf(minDate_));
        end = std::max(end, DateOf(minDate_));
    }
    if (start != rangeStart_ || end != rangeEnd_) selectionChanged_ = true;
    rangeStart_ = start;
    rangeEnd_ = end;
    update();
    if (start == end && start != DateOf(date_)) {
        // OnChange tells of the new day now; nothing is left to tell at the release.
        ChangeDate(start + TimeOf(date_));
        selectionChanged_ = false;
    }
}

void TwwMonthCalendar::ExtendRange(int days) {
    const bool fromEnd = rangeEnd_ == DateOf(date_);
    const TDateTime anchor = fromEnd ? rangeEnd_ : rangeStart_;
    const TDateTime moving = fromEnd ? rangeStart_ : rangeEnd_;
    selectionChanged_ = false;
    SelectByUser(anchor, moving + days);
    const bool changed = selectionChanged_;
    selectionChanged_ = false;
    if (changed) Change();
}

void TwwMonthCalendar::mouseDoubleClickEvent(QMouseEvent* event) { mousePressEvent(event); }

void TwwMonthCalendar::ClickAt(QPoint point, bool shift) {
    TakeFocusWhenVisible();
    selectionChanged_ = false;
    const controls::CalendarHitInfo hit = HitTest(ui::FromQPoint(point));
    switch (hit.Hit) {
        case controls::CalendarHit::Date:
        case controls::CalendarHit::PrevMonthDate:
        case controls::CalendarHit::NextMonthDate: {
            const TDateTime day = Limited(hit.Date + TimeOf(date_));
            if (!MultiSelect()) {
                ChangeDate(day);
                break;
            }
            // Shift extends the range from the selected date; a plain click selects one day. A drag goes on
            // from the selected date.
            SelectByUser(shift ? DateOf(date_) : DateOf(day), day);
            dragAnchor_ = DateOf(date_);
            break;
        }
        case controls::CalendarHit::TodayLine:
            ChangeDate(Limited(DateOf(rtl::CurrentClock().Now()) + TimeOf(date_)));
            break;
        case controls::CalendarHit::PrevArrow: StepMonths(false); break;
        case controls::CalendarHit::NextArrow: StepMonths(true); break;
        case controls::CalendarHit::TitleMonth: ShowMonthMenu(hit); break;
        case controls::CalendarHit::TitleYear: ShowYearMenu(hit); break;
        default: break;
    }
}

void TwwMonthCalendar::StepMonths(bool forward) {
    const controls::MonthCalendarLayout layout = Layout();
    if (forward) {
        const controls::YearMonth last = layout.Month(layout.MonthCount() - 1);
        const controls::YearMonth target = controls::AddMonths(last, MonthDelta());
        if (target.Year > 9999) {
            QApplication::beep();
            return;
        }
        TDateTime next = controls::SameDayIn(date_, target);
        if (maxDate_ != 0 && DateOf(next) > DateOf(maxDate_)) {
            QApplication::beep();
            next = maxDate_;
        }
        ChangeDate(next);
        return;
    }
    TDateTime next = controls::SameDayIn(date_, controls::AddMonths(layout.Month(0), -MonthDelta()));
    if (minDate_ != 0 && DateOf(next) < DateOf(minDate_)) {
        QApplication::beep();
        next = minDate_;
    }
    ChangeDate(Limited(next));
}

QRect TwwMonthCalendar::GlobalRect(const TRect& layoutRect) const {
    return ui::ToQRect(layoutRect).translated(contentsRect().topLeft() + mapToGlobal(QPoint(0, 0)));
}

void TwwMonthCalendar::ShowMonthMenu(const controls::CalendarHitInfo& hit) {
    const controls::MonthCalendarLayout layout = Layout();
    const controls::YearMonth title = layout.Month(hit.MonthIndex);
    for (int month = 1; month <= 12; ++month) {
        controls::CalendarMenuItem& item = monthMenu_.Items()[size_t(month - 1)];
        item.Checked = month == title.Month;
        item.Enabled = WithinBounds(controls::SameDayIn(date_, {title.Year, month}));
    }
    const QRect text = GlobalRect(layout.TitleMonthRect(hit.MonthIndex));
    const int chosen = monthMenu_.Popup(QPoint(text.right() + 1, text.bottom() + 1));
    if (chosen < 0) return;
    const controls::YearMonth month{title.Year, chosen + 1};
    // The chosen month takes the place of the one whose title was clicked.
    firstMonth_ = controls::AddMonths(month, -hit.MonthIndex);
    ChangeDate(controls::SameDayIn(date_, month));
    update();
}

void TwwMonthCalendar::ShowYearMenu(const controls::CalendarHitInfo& hit) {
    const controls::MonthCalendarLayout layout = Layout();
    const controls::YearMonth title = layout.Month(hit.MonthIndex);
    const TwwPopupYearOptions& options = popupYearOptions_;
    const int count = options.YearsPerColumn * options.NumberColumns;
    std::vector<controls::CalendarMenuItem>& items = yearMenu_.Items();
    items.clear();
    for (int i = 0; i < count; ++i) {
        const int year = options.StartYear + i;
        const bool valid = year >= 1 && year <= 9999;
        items.push_back({QString::number(year), year == title.Year,
                         valid && WithinBounds(controls::SameDayIn(date_, {year, MonthOf(date_)})),
                         i > 0 && options.YearsPerColumn > 0 && i % options.YearsPerColumn == 0});
    }
    const QRect text = GlobalRect(layout.TitleYearRect(hit.MonthIndex));
    const int chosen = yearMenu_.Popup(QPoint(text.left(), text.bottom() + 1));
    if (chosen < 0) return;
    const int year = options.StartYear + chosen;
    if (year == title.Year) return;
    firstMonth_ = controls::AddMonths({year, title.Month}, -hit.MonthIndex);
    ChangeDate(controls::SameDayIn(date_, {year, MonthOf(date_)}));
    update();
}
