// The repeat window: its controls, the time, date and resource lists, and OK's staged run.
#include "booking/RepeatBooking.h"

#include "booking/GroupBooking.h"
#include "controls/edit/DateTimePicker.h"
#include "controls/edit/MonthCalendar.h"
#include "controls/edit/WwFormClasses.h"
#include "data/bookings/BookingRecord.h"
#include "data/bookings/WriteTransaction.h"
#include "data/module/DataModule.h"
#include "platform/db/Field.h"
#include "platform/rtl/DateTimeFormat.h"
#include "platform/rtl/Messages.h"
#include "platform/rtl/NumberParse.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Containers.h"
#include "platform/ui/Edits.h"
#include "platform/ui/FormDescription.h"
#include "platform/ui/Lists.h"

#include <QAbstractItemView>
#include <algorithm>
#include <cmath>
#include <utility>

namespace {

void Append(std::vector<ui::ControlRow>& rows, const std::vector<ui::ControlRow>& more) {
    rows.insert(rows.end(), more.begin(), more.end());
}

// The start date and the two ways to end of the Daily, Weekly and Monthly patterns, alike but for the names.
std::vector<ui::ControlRow> PatternStartAndEndRows(const QString& pattern, const QString& unit, const QString& count) {
    const QString panel = pattern + QStringLiteral("Panel");
    const QString end = pattern + QStringLiteral("EndPanel");
    const auto name = [&pattern](const char* suffix) -> QString { return pattern + QLatin1String(suffix); };
    return {
        {name("StartLabel"), "TLabel", panel, 8, 98, 70, 17, "Start:"},
        {name("StartDate"), "TwwDBDateTimePicker", panel, 104, 94, 130, 21},
        {end, "TPanel", panel, 0, 122, 470, 60, "", "BevelOuter=bvNone"},
        {name("EndAfterRadioButton"), "TRadioButton", end, 8, 4, 100, 21, "End after:"},
        {name("EndAfterEdit"), "TEdit", end, 112, 4, 44, 21, count},
        {name("EndAfterLabel"), "TLabel", end, 162, 6, 100, 17, unit},
        {name("EndOnRadioButton"), "TRadioButton", end, 8, 32, 100, 21, "End on:"},
        {name("EndDate"), "TwwDBDateTimePicker", end, 112, 32, 130, 21},
    };
}

}  // namespace

TRepeatBookingForm::TRepeatBookingForm(QWidget* owner, TData& data, TSQLData& sqlData)
    : TForm(owner), data_(data), sqlData_(sqlData) {
    controls::RegisterEditFormClasses();
    // The pattern panels lie on top of each other; each keeps its groups of radio buttons in panels of their own.
    std::vector<ui::ControlRow> rows = {
        // name                     class                  parent          left top width height caption props
        {"TimesGroup", "TGroupBox", "", 8, 7, 590, 130, "Times"},
        {"StartTimePicker", "TwwDBDateTimePicker", "TimesGroup", 12, 22, 110, 21},
        {"ToLabel", "TLabel", "TimesGroup", 130, 25, 20, 17, "to"},
        {"EndTimePicker", "TwwDBDateTimePicker", "TimesGroup", 156, 22, 110, 21},
        {"AddTimeButton", "TButton", "TimesGroup", 280, 20, 80, 25, "Add"},
        {"TimeListBox", "TListBox", "TimesGroup", 12, 50, 254, 72},
        {"RemoveTimeButton", "TButton", "TimesGroup", 280, 52, 80, 25, "Remove"},
        {"ClearTimeButton", "TButton", "TimesGroup", 280, 84, 80, 25, "Clear"},
        {"ResourcesGroup", "TGroupBox", "", 8, 144, 590, 130, "Resources"},
        {"ResourceComboBox", "TComboBox", "ResourcesGroup", 12, 22, 254, 21},
        {"AddResourceButton", "TButton", "ResourcesGroup", 280, 20, 80, 25, "Add"},
        {"ResourceListBox", "TListBox", "ResourcesGroup", 12, 50, 254, 72, "", "Sorted=True"},
        {"RemoveResourceButton", "TButton", "ResourcesGroup", 280, 52, 80, 25, "Remove"},
        {"ClearResourceButton", "TButton", "ResourcesGroup", 280, 84, 80, 25, "Clear"},
        {"SearchButton", "TButton", "ResourcesGroup", 372, 20, 80, 25, "Search", "Visible=False"},
        {"PatternGroup", "TGroupBox", "", 8, 281, 590, 236, "Repeat pattern"},
        {"DatesRadioButton", "TRadioButton", "PatternGroup", 12, 24, 90, 21, "Dates"},
        {"DailyRadioButton", "TRadioButton", "PatternGroup", 12, 50, 90, 21, "Daily"},
        {"WeeklyRadioButton", "TRadioButton", "PatternGroup", 12, 76, 90, 21, "Weekly"},
        {"MonthlyRadioButton", "TRadioButton", "PatternGroup", 12, 102, 90, 21, "Monthly"},
        // Dates.
        {"DatesPanel", "TPanel", "PatternGroup", 108, 16, 470, 212, "", "BevelOuter=bvNone"},
        {"AddDateButton", "TButton", "DatesPanel", 226, 8, 80, 25, "Add"},
        {"RemoveDateButton", "TButton", "DatesPanel", 226, 40, 80, 25, "Remove"},
        {"ClearDateButton", "TButton", "DatesPanel", 226, 72, 80, 25, "Clear"},
        {"DateListBox", "TListBox", "DatesPanel", 314, 8, 110, 196},
        // Daily.
        {"DailyPanel", "TPanel", "PatternGroup", 108, 16, 470, 212, "", "BevelOuter=bvNone"},
        {"DailyKindPanel", "TPanel", "DailyPanel", 0, 0, 470, 84, "", "BevelOuter=bvNone"},
        {"DailyEveryRadioButton", "TRadioButton", "DailyKindPanel", 8, 8, 70, 21, "Every"},
        {"DailyDaysEdit", "TEdit", "DailyKindPanel", 84, 8, 44, 21, "1"},
        {"DailyDaysLabel", "TLabel", "DailyKindPanel", 134, 10, 80, 17, "day(s)"},
        {"DailyWeekdayRadioButton", "TRadioButton", "DailyKindPanel", 8, 32, 180, 21, "Every weekday"},
        {"DailyWeekendRadioButton", "TRadioButton", "DailyKindPanel", 8, 56, 180, 21, "Every weekend"},
    };
    Append(rows, PatternStartAndEndRows(QStringLiteral("Daily"), QStringLiteral("occurrences"), QStringLiteral("10")));
    Append(rows, {
                     // Weekly.
                     {"WeeklyPanel", "TPanel", "PatternGroup", 108, 16, 470, 212, "", "BevelOuter=bvNone"},
                     {"WeeklyEveryLabel", "TLabel", "WeeklyPanel", 8, 10, 50, 17, "Every"},
                     {"WeeklyWeeks", "TEdit", "WeeklyPanel", 62, 8, 44, 21, "1"},
                     {"WeeklyWeeksLabel", "TLabel", "WeeklyPanel", 112, 10, 100, 17, "week(s) on:"},
                     {"SunCheckBox", "TCheckBox", "WeeklyPanel", 8, 38, 58, 21, "Sun"},
                     {"MonCheckBox", "TCheckBox", "WeeklyPanel", 68, 38, 58, 21, "Mon"},
                     {"TueCheckBox", "TCheckBox", "WeeklyPanel", 128, 38, 58, 21, "Tue"},
                     {"WedCheckBox", "TCheckBox", "WeeklyPanel", 188, 38, 58, 21, "Wed"},
                     {"ThuCheckBox", "TCheckBox", "WeeklyPanel", 248, 38, 58, 21, "Thu"},
                     {"FriCheckBox", "TCheckBox", "WeeklyPanel", 308, 38, 58, 21, "Fri"},
                     {"SatCheckBox", "TCheckBox", "WeeklyPanel", 368, 38, 58, 21, "Sat"},
                 });
    Append(rows, PatternStartAndEndRows(QStringLiteral("Weekly"), QStringLiteral("weeks"), QStringLiteral("10")));
    Append(rows, {
                     // Monthly.
                     {"MonthlyPanel", "TPanel", "PatternGroup", 108, 16, 470, 212, "", "BevelOuter=bvNone"},
                     {"MonthlyKindPanel", "TPanel", "MonthlyPanel", 0, 0, 470, 64, "", "BevelOuter=bvNone"},
                     {"MonthlyDayRadioButton", "TRadioButton", "MonthlyKindPanel", 8, 8, 56, 21, "Day"},
                     {"MonthlyDayEdit", "TEdit", "MonthlyKindPanel", 66, 8, 40, 21, "1"},
                     {"MonthlyDayOfLabel", "TLabel", "MonthlyKindPanel", 112, 10, 64, 17, "of every"},
                     {"MonthlyMonthEdit", "TEdit", "MonthlyKindPanel", 180, 8, 40, 21, "1"},
                     {"MonthlyMonthLabel", "TLabel", "MonthlyKindPanel", 226, 10, 80, 17, "month(s)"},
                     {"MonthlyTheRadioButton", "TRadioButton", "MonthlyKindPanel", 8, 36, 56, 21, "The"},
                     {"MonthlyOrdinalComboBox", "TComboBox", "MonthlyKindPanel", 66, 36, 80, 21},
                     {"MonthlyKindComboBox", "TComboBox", "MonthlyKindPanel", 150, 36, 110, 21},
                     {"MonthlyTheOfLabel", "TLabel", "MonthlyKindPanel", 264, 38, 64, 17, "of every"},
                     {"MonthlyTheEdit", "TEdit", "MonthlyKindPanel", 330, 36, 36, 21, "1"},
                     {"MonthlyTheLabel", "TLabel", "MonthlyKindPanel", 368, 38, 60, 17, "month(s)"},
                 });
    Append(rows, PatternStartAndEndRows(QStringLiteral("Monthly"), QStringLiteral("months"), QStringLiteral("12")));
    Append(rows, {
                     {"OkButton", "TButton", "", 422, 524, 80, 25, "&Ok", "Default=True"},
                     {"CancelButton", "TButton", "", 510, 524, 80, 25, "&Cancel", "Cancel=True; ModalResult=mrCancel"},
                 });
    ui::DescribeForm(*this, {"RepeatBookingForm", "Repeat Booking", bsDialog, poScreenCenter, 606, 560}, rows);
    TimesGroup = Find<TGroupBox>("TimesGroup");
    StartTimePicker = Find<TwwDBDateTimePicker>("StartTimePicker");
    EndTimePicker = Find<TwwDBDateTimePicker>("EndTimePicker");
    AddTimeButton = Find<TButton>("AddTimeButton");
    TimeListBox = Find<TListBox>("TimeListBox");
    RemoveTimeButton = Find<TButton>("RemoveTimeButton");
    ClearTimeButton = Find<TButton>("ClearTimeButton");
    ResourcesGroup = Find<TGroupBox>("ResourcesGroup");
    ResourceComboBox = Find<TComboBox>("ResourceComboBox");
    AddResourceButton = Find<TButton>("AddResourceButton");
    ResourceListBox = Find<TListBox>("ResourceListBox");
    RemoveResourceButton = Find<TButton>("RemoveResourceButton");
    ClearResourceButton = Find<TButton>("ClearResourceButton");
    SearchButton = Find<TButton>("SearchButton");
    PatternGroup = Find<TGroupBox>("PatternGroup");
    DatesRadioButton = Find<TRadioButton>("DatesRadioButton");
    DailyRadioButton = Find<TRadioButton>("DailyRadioButton");
    WeeklyRadioButton = Find<TRadioButton>("WeeklyRadioButton");
    MonthlyRadioButton = Find<TRadioButton>("MonthlyRadioButton");
    DatesPanel = Find<TPanel>("DatesPanel");
    AddDateButton = Find<TButton>("AddDateButton");
    DateListBox = Find<TListBox>("DateListBox");
    RemoveDateButton = Find<TButton>("RemoveDateButton");
    ClearDateButton = Find<TButton>("ClearDateButton");
    DailyPanel = Find<TPanel>("DailyPanel");
    DailyEveryRadioButton = Find<TRadioButton>("DailyEveryRadioButton");
    DailyDaysEdit = Find<TEdit>("DailyDaysEdit");
    DailyWeekdayRadioButton = Find<TRadioButton>("DailyWeekdayRadioButton");
    DailyWeekendRadioButton = Find<TRadioButton>("DailyWeekendRadioButton");
    DailyStartDate = Find<TwwDBDateTimePicker>("DailyStartDate");
    DailyEndAfterRadioButton = Find<TRadioButton>("DailyEndAfterRadioButton");
    DailyEndAfterEdit = Find<TEdit>("DailyEndAfterEdit");
    DailyEndOnRadioButton = Find<TRadioButton>("DailyEndOnRadioButton");
    DailyEndDate = Find<TwwDBDateTimePicker>("DailyEndDate");
    WeeklyPanel = Find<TPanel>("WeeklyPanel");
    WeeklyWeeks = Find<TEdit>("WeeklyWeeks");
    SunCheckBox = Find<TCheckBox>("SunCheckBox");
    MonCheckBox = Find<TCheckBox>("MonCheckBox");
    TueCheckBox = Find<TCheckBox>("TueCheckBox");
    WedCheckBox = Find<TCheckBox>("WedCheckBox");
    ThuCheckBox = Find<TCheckBox>("ThuCheckBox");
    FriCheckBox = Find<TCheckBox>("FriCheckBox");
    SatCheckBox = Find<TCheckBox>("SatCheckBox");
    WeeklyStartDate = Find<TwwDBDateTimePicker>("WeeklyStartDate");
    WeeklyEndAfterRadioButton = Find<TRadioButton>("WeeklyEndAfterRadioButton");
    WeeklyEndAfterEdit = Find<TEdit>("WeeklyEndAfterEdit");
    WeeklyEndOnRadioButton = Find<TRadioButton>("WeeklyEndOnRadioButton");
    WeeklyEndDate = Find<TwwDBDateTimePicker>("WeeklyEndDate");
    MonthlyPanel = Find<TPanel>("MonthlyPanel");
    MonthlyDayRadioButton = Find<TRadioButton>("MonthlyDayRadioButton");
    MonthlyDayEdit = Find<TEdit>("MonthlyDayEdit");
    MonthlyMonthEdit = Find<TEdit>("MonthlyMonthEdit");
    MonthlyTheRadioButton = Find<TRadioButton>("MonthlyTheRadioButton");
    MonthlyOrdinalComboBox = Find<TComboBox>("MonthlyOrdinalComboBox");
    MonthlyKindComboBox = Find<TComboBox>("MonthlyKindComboBox");
    MonthlyTheEdit = Find<TEdit>("MonthlyTheEdit");
    MonthlyStartDate = Find<TwwDBDateTimePicker>("MonthlyStartDate");
    MonthlyEndAfterRadioButton = Find<TRadioButton>("MonthlyEndAfterRadioButton");
    MonthlyEndAfterEdit = Find<TEdit>("MonthlyEndAfterEdit");
    MonthlyEndOnRadioButton = Find<TRadioButton>("MonthlyEndOnRadioButton");
    MonthlyEndDate = Find<TwwDBDateTimePicker>("MonthlyEndDate");
    OkButton = Find<TButton>("OkButton");
    CancelButton = Find<TButton>("CancelButton");

    // The month calendar is placed by code: it is no class of the described windows.
    MonthCalendar = new TwwMonthCalendar(DatesPanel);
    MonthCalendar->SetBounds(8, 8, 210, 196);
    // The calendar keeps the size its font needs; the date buttons and list stand to its right.
    const int buttonsLeft = MonthCalendar->Left() + MonthCalendar->Width() + 8;
    for (TButton* button : {AddDateButton, RemoveDateButton, ClearDateButton}) button->SetLeft(buttonsLeft);
    DateListBox->SetLeft(buttonsLeft + AddDateButton->Width() + 8);
    const int patternWidth = std::max(DatesPanel->Width(), DateListBox->Left() + DateListBox->Width() + 4);
    for (TPanel* panel : {DatesPanel, DailyPanel, WeeklyPanel, MonthlyPanel}) panel->SetWidth(patternWidth);
    for (TGroupBox* group : {TimesGroup, ResourcesGroup, PatternGroup})
        group->SetWidth(DatesPanel->Left() + patternWidth + 8);
    SetClientWidth(PatternGroup->Width() + 16);
    CancelButton->SetLeft(ClientWidth() - 8 - CancelButton->Width());
    OkButton->SetLeft(CancelButton->Left() - 8 - OkButton->Width());

    for (TwwDBDateTimePicker* picker : {StartTimePicker, EndTimePicker}) {
        picker->SetUnboundDataType(wwDTEdtTime);
        picker->SetDisplayFormat(QStringLiteral("h:mm am/pm"));
    }
    for (TwwDBDateTimePicker* picker :
         {DailyStartDate, DailyEndDate, WeeklyStartDate, WeeklyEndDate, MonthlyStartDate, MonthlyEndDate}) {
        picker->SetUnboundDataType(wwDTEdtDate);
        picker->SetDisplayFormat(picker == MonthlyStartDate ? QStringLiteral("mmm yyy") : QStringLiteral("mmm d yyyy"));
    }
    EndTimeComboBox = new TComboBox(EndTimePicker);
    EndTimeComboBox->setObjectName(QStringLiteral("EndTimeComboBox"));
    EndTimeComboBox->SetStyle(csDropDownList);
    EndTimeComboBox->setFocusPolicy(Qt::NoFocus);
    EndTimeComboBox->SetBounds(EndTimePicker->Width() - 19, 2, 17, 17);
    EndTimeComboBox->view()->setMinimumWidth(
        17 + EndTimeComboBox->fontMetrics().horizontalAdvance(QStringLiteral("12:00 PM (30 minutes)")));
    EndTimeComboBox->OnDropDown = [this](QObject*) { EndTimeListDropDown(); };
    EndTimeComboBox->OnCloseUp = [this](QObject*) { EndTimeListCloseUp(); };
    ResourceComboBox->OnDropDown = [this](QObject*) { resourceListDown_ = true; };
    ResourceComboBox->SetStyle(csDropDownList);
    MonthlyOrdinalComboBox->SetStyle(csDropDownList);
    MonthlyKindComboBox->SetStyle(csDropDownList);
    for (const char* ordinal : {"first", "second", "third", "fourth", "last"})
        MonthlyOrdinalComboBox->Items().Add(QLatin1String(ordinal));
    for (const char* kind : {"day", "weekday", "weekend day", "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday",
                             "Friday", "Saturday"})
        MonthlyKindComboBox->Items().Add(QLatin1String(kind));
    MonthlyOrdinalComboBox->SetItemIndex(0);
    MonthlyKindComboBox->SetItemIndex(0);
    DailyEveryRadioButton->SetChecked(true);
    DailyEndAfterRadioButton->SetChecked(true);
    WeeklyEndAfterRadioButton->SetChecked(true);
    MonthlyDayRadioButton->SetChecked(true);
    MonthlyEndAfterRadioButton->SetChecked(true);
    DatesRadioButton->SetChecked(true);
    ShowPattern(DatesPanel);

    DatesRadioButton->OnClick = [this](QObject*) { ShowPattern(DatesPanel); };
    DailyRadioButton->OnClick = [this](QObject*) { ShowPattern(DailyPanel); };
    WeeklyRadioButton->OnClick = [this](QObject*) { ShowPattern(WeeklyPanel); };
    MonthlyRadioButton->OnClick = [this](QObject*) { ShowPattern(MonthlyPanel); };
    AddTimeButton->OnClick = [this](QObject*) { AddTimeButtonClick(); };
    RemoveTimeButton->OnClick = [this](QObject*) {
        if (TimeListBox->ItemIndex() >= 0) TimeListBox->Items().Delete(TimeListBox->ItemIndex());
    };
    ClearTimeButton->OnClick = [this](QObject*) { TimeListBox->Clear(); };
    AddResourceButton->OnClick = [this](QObject*) { AddResourceButtonClick(); };
    ResourceComboBox->OnCloseUp = [this](QObject*) {
        // Qt also closes a list that never dropped down (when the window hides); that adds nothing.
        if (!std::exchange(resourceListDown_, false)) return;
        AddResourceButtonClick();
    };
    RemoveResourceButton->OnClick = [this](QObject*) {
        if (ResourceListBox->ItemIndex() >= 0) ResourceListBox->Items().Delete(ResourceListBox->ItemIndex());
    };
    ClearResourceButton->OnClick = [this](QObject*) { ResourceListBox->Clear(); };
    AddDateButton->OnClick = [this](QObject*) { AddDateButtonClick(); };
    MonthCalendar->OnDblClick = [this](QObject*) { AddDateButtonClick(); };
    RemoveDateButton->OnClick = [this](QObject*) {
        if (DateListBox->ItemIndex() >= 0) DateListBox->Items().Delete(DateListBox->ItemIndex());
    };
    ClearDateButton->OnClick = [this](QObject*) { DateListBox->Clear(); };
    OkButton->OnClick = [this](QObject*) { OkButtonClick(); };
    WireChecks();
    OnShow = [this](QObject*) { FormShow(); };
    OnClose = [this](QObject*, TCloseAction&) { FormClose(); };
    Loaded();
}

TRepeatBookingForm::~TRepeatBookingForm() = default;

void TRepeatBookingForm::WireChecks() {
    const auto checks = [](TEdit* box, TRadioButton* option) {
        box->OnChange = [option](QObject*) { option->SetChecked(true); };
        // The number boxes take digits, backspace and the decimal point only.
        box->OnKeyPress = [](QObject*, QChar& key) {
            if (!key.isDigit() && key != QChar(8) && key != QLatin1Char('.')) key = QChar(0);
        };
    };
    checks(DailyDaysEdit, DailyEveryRadioButton);
    checks(DailyEndAfterEdit, DailyEndAfterRadioButton);
    DailyEndAfterEdit->OnEnter = [this](QObject*) { DailyEndAfterRadioButton->SetChecked(true); };
    checks(WeeklyEndAfterEdit, WeeklyEndAfterRadioButton);
    checks(MonthlyEndAfterEdit, MonthlyEndAfterRadioButton);
    checks(MonthlyDayEdit, MonthlyDayRadioButton);
    checks(MonthlyMonthEdit, MonthlyDayRadioButton);
    checks(MonthlyTheEdit, MonthlyTheRadioButton);
    checks(WeeklyWeeks, WeeklyEndAfterRadioButton);
    // The week interval box belongs to no option.
    WeeklyWeeks->OnChange = nullptr;
    MonthlyOrdinalComboBox->OnChange = [this](QObject*) { MonthlyTheRadioButton->SetChecked(true); };
    MonthlyKindComboBox->OnChange = [this](QObject*) { MonthlyTheRadioButton->SetChecked(true); };
}

void TRepeatBookingForm::ShowPattern(TPanel* panel) {
    for (TPanel* each : {DatesPanel, DailyPanel, WeeklyPanel, MonthlyPanel}) each->SetVisible(each == panel);
    panel->raise();
}

void TRepeatBookingForm::FormShow() {
    AllResources.Clear();
    data_.AddAllResources(AllResources);
    AllResources.Sort();
    ResourceComboBox->Clear();
    for (int i = 0; i < AllResources.GetCount(); ++i)
        ResourceComboBox->Items().Add(AllResources.GetItem(i)->ResourceName);
    if (ResourceComboBox->Items().Count() > 0) ResourceComboBox->SetItemIndex(0);
    // Choosing an end date means ending on it.
    DailyEndDate->OnChange = [this](QObject*) { DailyEndOnRadioButton->SetChecked(true); };
    WeeklyEndDate->OnChange = [this](QObject*) { WeeklyEndOnRadioButton->SetChecked(true); };
    MonthlyEndDate->OnChange = [this](QObject*) { MonthlyEndOnRadioButton->SetChecked(true); };
    UpdateLayout();
}

void TRepeatBookingForm::FormClose() { AllResources.Clear(); }

void TRepeatBookingForm::UpdateLayout() {
    TimesGroup->SetVisible(SameDay);
    int top = 7;
    for (TGroupBox* group : {TimesGroup, ResourcesGroup, PatternGroup}) {
        if (!group->Visible() && group == TimesGroup) continue;
        group->SetTop(top);
        top += group->Height() + 7;
    }
    top += 14 - 7;
    OkButton->SetTop(top);
    CancelButton->SetTop(top);
    SetClientHeight(top + OkButton->Height() + 14);
}

void TRepeatBookingForm::SetStartDate(TDateTime date) {
    startDate_ = DateOf(date);
    MonthCalendar->SetDate(startDate_);
    DateListBox->Clear();
    AddDateButtonClick();
    DateListBox->SetItemIndex(0);
    for (TwwDBDateTimePicker* picker : {DailyStartDate, DailyEndDate, WeeklyStartDate, WeeklyEndDate})
        picker->SetDate(startDate_);
    const TDateTime nextMonth = StartOfTheMonth(IncMonth(StartOfTheMonth(startDate_), 1));
    MonthlyStartDate->SetDate(nextMonth);
    MonthlyEndDate->SetDate(nextMonth);
    // Setting the end dates is no choice of the user's.
    DailyEndAfterRadioButton->SetChecked(true);
    WeeklyEndAfterRadioButton->SetChecked(true);
    MonthlyEndAfterRadioButton->SetChecked(true);
}

void TRepeatBookingForm::AddDateButtonClick() {
    const TDateTime date = DateOf(MonthCalendar->Date());
    const QString text = FormatDateTime(FormatSettings.ShortDateFormat, date);
    TStrings& items = DateListBox->Items();
    if (items.IndexOf(text) >= 0) return;
    int at = 0;
    while (at < items.Count() && StrToDate(items[at]) <= date) ++at;
    items.Insert(at, text);
}

namespace {

QString TimeEntryText(TDateTime start, TDateTime end) {
    return FormatDateTime(QStringLiteral("hh:mm am/pm"), start) + QStringLiteral(" to ") +
           FormatDateTime(QStringLiteral("hh:mm am/pm"), end);
}

bool ParseTimeEntry(const QString& entry, TDateTime& start, TDateTime& end) {
    const int to = entry.indexOf(QStringLiteral(" to"));
    if (to < 0) return false;
    start = StrToTime(entry.left(to).trimmed());
    end = StrToTime(entry.mid(to + 4).trimmed());
    return true;
}

}  // namespace

void TRepeatBookingForm::AddTimeButtonClick() {
    const TDateTime start = TimeOf(StartTimePicker->Time());
    const TDateTime end = TimeOf(EndTimePicker->Time());
    if (end <= start) {
        MessageDlg(QStringLiteral("The start time can not come after the end time."), mtInformation, {mbOK}, 0);
        return;
    }
    const QString text = TimeEntryText(start, end);
    TStrings& items = TimeListBox->Items();
    if (items.IndexOf(text) >= 0) return;
    int at = 0;
    for (; at < items.Count(); ++at) {
        TDateTime entryStart = 0, entryEnd = 0;
        if (ParseTimeEntry(items[at], entryStart, entryEnd) && entryStart > start) break;
    }
    items.Insert(at, text);
    StartTimes.Add(start);
    EndTimes.Add(end);
}

void TRepeatBookingForm::EndTimeListDropDown() {
    endTimeListDown_ = true;
    EndTimeComboBox->Clear();
    const TDateTime start = TimeOf(StartTimePicker->Time());
    const int startMinute = static_cast<int>(std::lround(start * 24 * 60));
    if (startMinute >= 23 * 60 + 30) return;
    for (int minute = startMinute + 30; minute < 24 * 60; minute += 30)
        EndTimeComboBox->Items().Add(FormatDateTime(QStringLiteral("h:mm am/pm"), minute / (24.0 * 60)));
    EndTimeComboBox->SetItemIndex(EndTimeComboBox->Items().Count() > 1 ? 1 : 0);
}

void TRepeatBookingForm::EndTimeListCloseUp() {
    const int index = EndTimeComboBox->ItemIndex();
    if (!std::exchange(endTimeListDown_, false) || index < 0) return;
    const int startMinute = static_cast<int>(std::lround(TimeOf(StartTimePicker->Time()) * 24 * 60));
    const int endMinute = startMinute + 30 * (index + 1);
    EndTimePicker->SetTime(endMinute >= 24 * 60 ? EncodeTime(23, 59, 0, 0) : endMinute / (24.0 * 60));
}

void TRepeatBookingForm::AddResourceButtonClick() {
    const QString name = ResourceComboBox->Text();
    if (name.isEmpty() || ResourceListBox->Items().IndexOf(name) >= 0) return;
    if (data_.ResourceShadowTable.Locate(QStringLiteral("ResourceName"), name, {loCaseInsensitive}))
        ResourceListBox->Items().Add(name);
}

int TRepeatBookingForm::ParseTimeList(TDvDateTimeList& startTimes, TDvDateTimeList& endTimes) {
    startTimes.Clear();
    endTimes.Clear();
    for (int i = 0; i < TimeListBox->Items().Count(); ++i) {
        TDateTime start = 0, end = 0;
        if (!ParseTimeEntry(TimeListBox->Items()[i], start, end)) continue;
        startTimes.Add(start);
        endTimes.Add(end);
    }
    return startTimes.Count();
}

int TRepeatBookingForm::BoxNumber(const TEdit& box) { return StrToInt(box.Text().trimmed()); }

int TRepeatBookingForm::BuildPatternDates(TDvDateTimeList& dates) {
    dates.Clear();
    if (DailyRadioButton->Checked()) return BuildDailyDates(dates);
    if (WeeklyRadioButton->Checked()) return BuildWeeklyDates(dates);
    if (MonthlyRadioButton->Checked()) return BuildMonthlyDates(dates);
    return BuildDateListDates(dates);
}

int TRepeatBookingForm::BuildDateListDates(TDvDateTimeList& dates) {
    for (int i = 0; i < DateListBox->Items().Count(); ++i) dates.Add(StrToDate(DateListBox->Items()[i]));
    return dates.Count();
}

int TRepeatBookingForm::BuildDailyDates(TDvDateTimeList& dates) {
    const bool every = DailyEveryRadioButton->Checked();
    const int interval = every ? BoxNumber(*DailyDaysEdit) : 1;
    const TDateTime first = DateOf(DailyStartDate->Date());
    const TDateTime last =
        DailyEndAfterRadioButton->Checked() ? first + BoxNumber(*DailyEndAfterEdit) - 1 : DateOf(DailyEndDate->Date());
    if (interval < 1) return 0;
    for (TDateTime day = first; day <= last; day += 1) {
        const int weekday = DayOfWeek(day);
        const bool weekend = weekday == 1 || weekday == 7;
        if (every ? static_cast<int>(day - first) % interval == 0
                  : (DailyWeekdayRadioButton->Checked() ? !weekend : weekend))
            dates.Add(day);
    }
    return dates.Count();
}

int TRepeatBookingForm::BuildWeeklyDates(TDvDateTimeList& dates) {
    const int interval = BoxNumber(*WeeklyWeeks);
    const TDateTime first = DateOf(WeeklyStartDate->Date());
    const TDateTime last = WeeklyEndAfterRadioButton->Checked() ? first + 7 * BoxNumber(*WeeklyEndAfterEdit) - 1
                                                                : DateOf(WeeklyEndDate->Date());
    if (interval < 1) return 0;
    const TCheckBox* days[] = {SunCheckBox, MonCheckBox, TueCheckBox, WedCheckBox,
                               ThuCheckBox, FriCheckBox, SatCheckBox};
    for (TDateTime day = first; day <= last; day += 1) {
        // Weeks are blocks of seven days from the first date, not calendar weeks.
        const int week = static_cast<int>(day - first) / 7;
        if (week % interval == 0 && days[DayOfWeek(day) - 1]->Checked()) dates.Add(day);
    }
    return dates.Count();
}

int TRepeatBookingForm::BuildMonthlyDates(TDvDateTimeList& dates) {
    const bool byDay = MonthlyDayRadioButton->Checked();
    const int interval = BoxNumber(byDay ? *MonthlyMonthEdit : *MonthlyTheEdit);
    const int dayNumber = BoxNumber(*MonthlyDayEdit);
    if (byDay && dayNumber < 1) throw EConvertError(QStringLiteral("Invalid argument to date encode"));
    TDateTime cursor = StartOfTheMonth(MonthlyStartDate->Date());
    const TDateTime last = MonthlyEndOnRadioButton->Checked()
                               ? DateOf(MonthlyEndDate->Date())
                               : DateOf(EndOfTheMonth(IncMonth(cursor, BoxNumber(*MonthlyEndAfterEdit) - 1)));
    if (interval < 1) return 0;
    bool told = false;
    for (int k = 0; cursor <= last; ++k, cursor = IncMonth(cursor, 1)) {
        if (k % interval != 0) continue;
        if (byDay) {
            int year = 0, month = 0, day = 0;
            DecodeDate(cursor, year, month, day);
            TDateTime date = 0;
            if (!TryEncodeDate(year, month, dayNumber, date)) {
                if (!told)
                    ShowMessage(QStringLiteral("Some months have fewer than ") + MonthlyDayEdit->Text() +
                                QStringLiteral(" days. ") +
                                QStringLiteral(" These months will not have any "
                                               "bookings added."));
                told = true;
            } else if (date <= last) {
                dates.Add(date);
            }
        } else {
            const TDateTime date = NthDayOfMonth(MonthlyOrdinalComboBox->Text(), MonthlyKindComboBox->Text(), cursor);
            if (date <= last) dates.Add(date);
        }
    }
    return dates.Count();
}

TDateTime NextWeekday(TDateTime date) {
    TDateTime next = DateOf(date) + 1;
    while (DayOfWeek(next) == 1 || DayOfWeek(next) == 7) next += 1;
    return next;
}

int WeekdayNameNumber(const QString& name) {
    static const char* names[] = {"sunday", "monday", "tuesday", "wednesday", "thursday", "friday", "saturday"};
    const QString lower = name.toLower();
    for (int i = 0; i < 7; ++i)
        if (lower == QLatin1String(names[i])) return i + 1;
    return 0;
}

TDateTime NthDayOfMonth(const QString& ordinal, const QString& kind, TDateTime month) {
    const TDateTime first = StartOfTheMonth(DateOf(month));
    const TDateTime lastDay = DateOf(EndOfTheMonth(DateOf(month)));
    const QString o = ordinal.toLower();
    const QString k = kind.toLower();
    const bool isLast = o == QLatin1String("last");
    int a = 0;
    if (o == QLatin1String("second")) a = 1;
    else if (o == QLatin1String("third")) a = 2;
    else if (o == QLatin1String("fourth")) a = 3;
    const auto weekend = [](TDateTime d) { return DayOfWeek(d) == 1 || DayOfWeek(d) == 7; };
    if (k == QLatin1String("day")) return isLast ? lastDay : first + a;
    if (k == QLatin1String("weekday")) {
        if (isLast) {
            TDateTime d = lastDay;
            while (weekend(d)) d -= 1;
            return d;
        }
        TDateTime d = NextWeekday(first - 1);
        for (int i = 0; i < a; ++i) d = NextWeekday(d);
        return d;
    }
    if (k == QLatin1String("weekend day")) {
        if (isLast) {
            TDateTime d = lastDay;
            while (!weekend(d)) d -= 1;
            return d;
        }
        TDateTime e = first;
        while (!weekend(e)) e += 1;
        const TDateTime second = DayOfWeek(e) == 7 ? e + 1 : e + 6;
        switch (a) {
            case 0: return e;
            case 1: return second;
            case 2: return e + 7;
            default: return second + 7;
        }
    }
    const int n = WeekdayNameNumber(kind);
    if (isLast) {
        const int c = DayOfWeek(lastDay);
        return c >= n ? lastDay - c + n : lastDay - 7 - c + n;
    }
    const int c = DayOfWeek(first);
    return n >= c ? first + n - c + 7 * a : first + 7 - c + n + 7 * a;
}
