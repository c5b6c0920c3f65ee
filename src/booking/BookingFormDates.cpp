// The booking window's date and time entry: the all-day box, the end date controls and the half-hour lists.
#include "booking/BookingForm.h"

#include "controls/edit/DateTimePicker.h"
#include "controls/edit/WwDBComboBox.h"
#include "data/module/DataModule.h"
#include "platform/db/Field.h"
#include "platform/rtl/DateTimeFormat.h"
#include "platform/rtl/Format.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Label.h"

#include <QFontMetrics>
#include <QStyle>
#include <cmath>

namespace {

constexpr TDateTime kHalfHour = 1.0 / 48;
constexpr int kHalfHours = 48;
const QString kListTimeFormat = QStringLiteral("h:mm am/pm  ");

// The time of day in whole minutes, so that stored fractions a little below a half hour still count as it.
int MinuteOfDay(TDateTime value) { return int(std::lround((value - std::floor(value)) * 24 * 60)) % (24 * 60); }

// The list as wide as its widest entry beside its scroll bar, so that no entry is cut or scrolled sideways.
void FitListToItems(TwwDBComboBox& combo) {
    const QFontMetrics metrics(combo.font());
    int widest = 0;
    for (int i = 0; i < combo.Items().Count(); ++i)
        widest = std::max(widest, metrics.horizontalAdvance(combo.Items()[i]));
    const QStyle& style = *combo.style();
    const int itemMargins = 2 * (style.pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
    const int frame = 2 * style.pixelMetric(QStyle::PM_DefaultFrameWidth);
    combo.DropDownWidth = widest + itemMargins + style.pixelMetric(QStyle::PM_ScrollBarExtent) + frame + 4;
}

// Guards the date rules against the change events their own writes raise.
class RuleScope {
public:
    explicit RuleScope(bool& running) : running_(running), entered_(!running) { running_ = true; }
    ~RuleScope() {
        if (entered_) running_ = false;
    }
    RuleScope(const RuleScope&) = delete;
    RuleScope& operator=(const RuleScope&) = delete;
    bool Entered() const { return entered_; }

private:
    bool& running_;
    bool entered_;
};

}  // namespace

void TBookingForm::MakeTimeCombos() {
    TwwDBComboBox** combos[] = {&StartTimeComboBox, &EndTimeComboBox};
    TwwDBDateTimePicker* pickers[] = {StartTimePicker, EndTimePicker};
    for (int i = 0; i < 2; ++i) {
        auto* combo = new TwwDBComboBox(pickers[i]);
        combo->SetName(i == 0 ? QStringLiteral("StartTimeComboBox") : QStringLiteral("EndTimeComboBox"));
        combo->SetTabStop(false);
        combo->SetStyle(csDropDownList);
        // Only the button shows: the box is as wide as the button and the frame around it.
        const int width = (combo->GetButtonWidth() > 0 ? combo->GetButtonWidth() : 16) + 4;
        combo->SetBounds(pickers[i]->Width() - width - 2, 2, width, pickers[i]->Height() - 4);
        *combos[i] = combo;
    }
    StartTimeComboBox->OnDropDown = [this](QObject*) { StartTimeComboBoxDropDown(); };
    StartTimeComboBox->OnCloseUp = [this](QObject*, bool select) { StartTimeComboBoxCloseUp(select); };
    EndTimeComboBox->OnDropDown = [this](QObject*) { EndTimeComboBoxDropDown(); };
    EndTimeComboBox->OnCloseUp = [this](QObject*, bool select) { EndTimeComboBoxCloseUp(select); };
}

TDateTime TBookingForm::FieldTime(const char* name) const {
    return data_.BookingsTable.FieldByName(QLatin1String(name)).AsDateTime();
}

void TBookingForm::SetFieldTime(const char* name, TDateTime value) {
    data_.BookingsTable.FieldByName(QLatin1String(name)).SetAsDateTime(value);
}

bool TBookingForm::EditRow() {
    TADOTable& bookings = data_.BookingsTable;
    if (bookings.State() == dsBrowse) bookings.Edit();
    return bookings.State() == dsEdit || bookings.State() == dsInsert;
}

bool TBookingForm::DateShown(const QWidget* control) const { return !control->isHidden(); }

QString TBookingForm::FormatDurationText(int minutes) {
    QString text;
    if (minutes < 60) text = QStringLiteral("%1 minutes").arg(minutes);
    else if (minutes == 60) text = QStringLiteral("1 hour");
    else if (minutes % 60 != 0) text = Format(QStringLiteral("%0.1f"), {minutes / 60.0}) + QStringLiteral(" hours");
    else text = QStringLiteral("%1 hours").arg(minutes / 60);
    return QStringLiteral("(") + text + QStringLiteral(")");
}

void TBookingForm::StartTimeComboBoxDropDown() {
    TStrings& items = StartTimeComboBox->Items();
    items.Clear();
    for (int i = 0; i < kHalfHours; ++i) items.Add(FormatDateTime(kListTimeFormat, i * kHalfHour));
    const int startMinute = MinuteOfDay(FieldTime("BookingStart"));
    int selected = kHalfHours - 1;
    for (int i = 0; i < kHalfHours; ++i)
        if (i * 30 >= startMinute) {
            selected = i;
            break;
        }
    StartTimeComboBox->SetItemIndex(selected);
    FitListToItems(*StartTimeComboBox);
}

void TBookingForm::StartTimeComboBoxCloseUp(bool select) {
    const int index = StartTimeComboBox->ItemIndex();
    if (!select || index < 0 || !EditRow()) return;
    SetFieldTime("BookingStart", DateOf(FieldTime("BookingStart")) + index * kHalfHour);
    OnModify();
}

void TBookingForm::EndTimeComboBoxDropDown() {
    TStrings& items = EndTimeComboBox->Items();
    items.Clear();
    const TDateTime start = FieldTime("BookingStart");
    const TDateTime end = FieldTime("BookingEnd");
    const int startMinute = MinuteOfDay(start);
    if (DateOf(start) != DateOf(end)) {
        int selected = kHalfHours - 1;
        for (int i = 0; i < kHalfHours; ++i) {
            items.Add(FormatDateTime(kListTimeFormat, i * kHalfHour));
            if (selected == kHalfHours - 1 && i * 30 >= startMinute) selected = i;
        }
        EndTimeComboBox->SetItemIndex(selected);
    } else {
        for (int minute = startMinute + 30, k = 1; minute < 24 * 60; minute += 30, ++k)
            items.Add(FormatDateTime(kListTimeFormat, minute / (24.0 * 60)) + FormatDurationText(30 * k));
        if (items.Count() > 0) EndTimeComboBox->SetItemIndex(items.Count() >= 2 ? 1 : 0);
        else EndTimeComboBox->SetItemIndex(-1);
    }
    FitListToItems(*EndTimeComboBox);
}

void TBookingForm::EndTimeComboBoxCloseUp(bool select) {
    const int index = EndTimeComboBox->ItemIndex();
    if (!select || index < 0 || index >= EndTimeComboBox->Items().Count() || !EditRow()) return;
    const TDateTime start = FieldTime("BookingStart");
    const TDateTime end = FieldTime("BookingEnd");
    if (DateOf(start) != DateOf(end)) SetFieldTime("BookingEnd", DateOf(end) + index * kHalfHour);
    else SetFieldTime("BookingEnd", DateOf(end) + MinuteOfDay(start) / (24.0 * 60) + (index + 1) * kHalfHour);
    OnModify();
}

void TBookingForm::AttachDateHandlers(bool startDate, bool endDate, bool phantomDate) {
    StartDatePicker->OnChange = startDate ? TNotifyEvent([this](QObject*) { StartDatePickerChange(); }) : nullptr;
    EndDatePicker->OnChange = endDate ? TNotifyEvent([this](QObject*) { EndDatePickerChange(); }) : nullptr;
    PhantomEndDatePicker->OnChange =
        phantomDate ? TNotifyEvent([this](QObject*) { PhantomEndDatePickerChange(); }) : nullptr;
}

void TBookingForm::AllDayCheckBoxClick() {
    if (!EditRow()) return;
    {
        RuleScope scope(dateRule_);
        const TDateTime start = FieldTime("BookingStart");
        const TDateTime end = FieldTime("BookingEnd");
        if (AllDayCheckBox->Checked()) {
            if (MinuteOfDay(start) != 0) SetFieldTime("BookingStart", DateOf(start));
            if (MinuteOfDay(end) != 0 || end != DateOf(end)) {
                SetFieldTime("BookingEnd", DateOf(end) + 1);
                PhantomEndDatePicker->SetDate(DateOf(end));
            } else {
                PhantomEndDatePicker->SetDate(DateOf(end) - 1);
            }
        } else {
            SetFieldTime("BookingEnd", DateOf(end) - 1 + EncodeTime(23, 59, 0, 0));
        }
    }
    ApplyAllDayState();
    OnModify();
}

void TBookingForm::ApplyAllDayState() {
    const bool allDay = AllDayCheckBox->Checked();
    for (TControl* control : std::initializer_list<TControl*>{TimeLabel, StartTimePicker, ToTimeLabel, EndTimePicker})
        control->SetVisible(!allDay);
    TwwDBDateTimePicker* endControl = allDay ? PhantomEndDatePicker : EndDatePicker;
    (allDay ? EndDatePicker : PhantomEndDatePicker)->Hide();
    AttachDateHandlers(true, !allDay, allDay);
    const TDateTime startDate = DateOf(FieldTime("BookingStart"));
    const TDateTime shownEnd = allDay ? DateOf(PhantomEndDatePicker->Date()) : DateOf(FieldTime("BookingEnd"));
    bool showEnd = shownEnd != startDate;
    if (!showEnd) showEnd = data_.AlwaysShowEndDate;
    ToDateLabel->SetVisible(showEnd);
    endControl->SetVisible(showEnd);
    ToDateButton->SetVisible(!showEnd);
}

void TBookingForm::ToDateButtonClick() {
    TwwDBDateTimePicker* endControl = AllDayCheckBox->Checked() ? PhantomEndDatePicker : EndDatePicker;
    ToDateButton->Hide();
    ToDateLabel->Show();
    endControl->Show();
    if (endControl->CanFocus()) endControl->SetFocus();
}

void TBookingForm::StartDatePickerChange() {
    const TDataSetState state = data_.BookingsTable.State();
    RuleScope scope(dateRule_);
    if (!scope.Entered() || (state != dsEdit && state != dsInsert)) return;
    const TDateTime startDate = DateOf(StartDatePicker->Date());
    if (AllDayCheckBox->Checked()) {
        const bool phantomShown = DateShown(PhantomEndDatePicker);
        if (!phantomShown || startDate > DateOf(PhantomEndDatePicker->Date())) {
            PhantomEndDatePicker->SetDate(startDate);
            SetFieldTime("BookingEnd", startDate + 1);
        }
    } else {
        const bool endShown = DateShown(EndDatePicker) || DateShown(PhantomEndDatePicker);
        const TDateTime end = FieldTime("BookingEnd");
        if (!endShown || startDate > DateOf(end)) SetFieldTime("BookingEnd", startDate + TimeOf(end));
    }
    OnModify();
}

void TBookingForm::EndDatePickerChange() {
    const TDataSetState state = data_.BookingsTable.State();
    RuleScope scope(dateRule_);
    if (!scope.Entered() || (state != dsEdit && state != dsInsert)) return;
    const TDateTime endDate = DateOf(EndDatePicker->Date());
    const TDateTime start = FieldTime("BookingStart");
    if (DateOf(start) > endDate) SetFieldTime("BookingStart", endDate + TimeOf(start));
    PhantomEndDatePicker->SetDate(endDate - 1);
    OnModify();
}

void TBookingForm::PhantomEndDatePickerChange() {
    RuleScope scope(dateRule_);
    if (!scope.Entered() || !EditRow()) return;
    const TDateTime phantom = DateOf(PhantomEndDatePicker->Date());
    const TDateTime start = FieldTime("BookingStart");
    if (DateOf(start) > phantom) SetFieldTime("BookingStart", phantom + TimeOf(start));
    SetFieldTime("BookingEnd", phantom + 1);
    OnModify();
}
