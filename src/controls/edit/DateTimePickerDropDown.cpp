// The picker's drop-down calendar: opening it below or above the picker, following it, closing it.
#include "controls/edit/DateTimePicker.h"
#include "controls/edit/PopupCalendar.h"
#include "controls/edit/WwComboButton.h"
#include "controls/edit/WwWindows.h"
#include "platform/db/Field.h"
#include "platform/ui/PopupTracker.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

bool TwwDBCustomDateTimePicker::IsDroppedDown() const { return calendar_ && calendar_->isVisible(); }

void TwwDBCustomDateTimePicker::DropDown() {
    if (IsDroppedDown() || editor_.disconnected || editor_.IsTimeOnly()) return;
    Configure();
    if (!CanEdit()) {
        TEdit::SetReadOnly(true);
        return;
    }
    dropDownValue_ = editor_.Value();
    dropDownEmpty_ = editor_.Empty();
    dropDownModified_ = editor_.Modified();
    editor_.CommitPartEdit();
    if (!calendar_) calendar_ = new TwwPopupCalendar(this);
    const TwwCalendarOptions& attributes = calendarAttributes_;
    calendar_->SetBorderStyle(bsSingle);
    calendar_->SetCalColors(attributes.Colors());
    calendar_->OnCalcBoldDay = OnCalcBoldDay;
    calendar_->SetOptions(attributes.Options);
    // Cleared first so that neither new bound is refused by the old other one.
    calendar_->SetMinDate(0);
    calendar_->SetMaxDate(editor_.EffectiveMaxDate());
    calendar_->SetMinDate(editor_.EffectiveMinDate());
    calendar_->Font().Assign(attributes.Font());
    calendar_->SetPopupYearOptions(attributes.PopupYearOptions);
    calendar_->SetFirstDayOfWeek(attributes.FirstDayOfWeek);
    if (editor_.Text().isEmpty() || editor_.Value() == 0) {
        link_.Edit();
        editor_.SetModified(true);
        if (editor_.Text().isEmpty()) {
            const TDateTime today = ::Date();
            TDateTime value = std::clamp(today, editor_.EffectiveMinDate(), editor_.EffectiveMaxDate());
            if (value == today && editor_.autoFillDateAndTime && !editor_.ShowsDateOnly() && !editor_.generalFormat)
                value = ::Now();
            editor_.SetEmpty(false);
            editor_.SetDateTime(value);
        }
    }
    editor_.SetText(editor_.FormatValue(editor_.Value()));
    calendar_->SetCalendarDate(editor_.Value());
    editor_.SelectNone();
    Sync();
    ui::Fire(OnDropDown, this);
    savedShowHint_ = ShowHint();
    SetShowHint(false);
    calendar_->AdjustToMinimumSize();
    const QSize minimum = calendar_->MinimumSize();
    calendar_->resize(std::max(minimum.width(), attributes.Width), std::max(minimum.height(), attributes.Height));
    PlaceCalendar();
    calendar_->show();
    calendar_->raise();
    ui::PopupTracker::Instance().Register(calendar_, this, [this] {
        if (IsDroppedDown() && !calendar_->IsPopupMenuShowing()) CloseUp(true);
    });
}

// Below the picker, or above it when the work area has no room below; along it as the calendar's Alignment
// says, or right-aligned with it when the screen ends first.
void TwwDBCustomDateTimePicker::PlaceCalendar() {
    const QSize size = calendar_->size();
    const QPoint corner = mapToGlobal(QPoint(0, 0));
    int top = corner.y() + height() - (hasFrame() ? 1 : 0);
    const TRect work = GetWorkArea();
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const int workBottom = work.Bottom > work.Top ? work.Bottom : screen->geometry().bottom() + 1;
    if (top + size.height() > workBottom && corner.y() - size.height() >= (work.Bottom > work.Top ? work.Top : 0))
        top = corner.y() - size.height();
    const int screenRight = screen->geometry().right() + 1;
    const int rightAligned = corner.x() + width() - size.width() - 1;
    const int button = std::max(VerticalScrollBarWidth(), 15);
    const bool fitsFromLeft = corner.x() + size.width() <= screenRight;
    int left = corner.x();
    switch (calendarAttributes_.Alignment) {
        case wwdtaLeft:
            if (!fitsFromLeft) left = rightAligned;
            break;
        case wwdtaRight:
            left = std::max(0, fitsFromLeft ? corner.x() + width() - button - size.width() - 1 : rightAligned);
            break;
        case wwdtaCenter:
            left = corner.x() + (width() - size.width() - button - 1) / 2;
            if (left + size.width() > screenRight) left = rightAligned;
            left = std::max(0, left);
            break;
    }
    calendar_->move(left + 1, top);
}

void TwwDBCustomDateTimePicker::CalendarChanged() {
    if (!IsDroppedDown() || closing_ || !CanEdit()) return;
    link_.Edit();
    editor_.SetModified(true);
    editor_.SetEmpty(false);
    SetDate(calendar_->Date());
}

void TwwDBCustomDateTimePicker::CloseUp(bool accept) {
    if (closing_) return;
    closing_ = true;
    struct Guard {
        TwwDBCustomDateTimePicker* picker;
        ~Guard() {
            picker->closing_ = false;
            if (picker->calendar_) ui::PopupTracker::Instance().Unregister(picker->calendar_);
        }
    } guard{this};
    if (IsDroppedDown()) {
        if (QWidget* grabber = QWidget::mouseGrabber(); grabber == calendar_) grabber->releaseMouse();
        const TDateTime date = calendar_->Date();
        calendar_->hide();
        if (accept) {
            const TField* field = link_.Field();
            const QString fieldText = field && !field->IsNull() ? editor_.FormatValue(field->AsDateTime()) : QString();
            if (field && editor_.FormatValue(date) != fieldText && CanModifyValue()) {
                closing_ = false;
                SetDate(date);
                closing_ = true;
                editor_.SetModified(true);
            }
        } else {
            editor_.Load(dropDownValue_, dropDownValue_ == 0 && (dropDownEmpty_ || link_.Field()));
            editor_.SetEmpty(dropDownEmpty_);
            editor_.SetModified(dropDownModified_);
        }
    }
    ui::Fire(OnCloseUp, this);
    SetShowHint(savedShowHint_);
    editor_.RefreshText();
    editor_.SelectCurrentPart();
    editor_.SelectAll();
    Sync();
    update();
}
