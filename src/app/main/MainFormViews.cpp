// The main window's booking views: the resources chosen in the tree, loading each grid view through the booking
// containers, the date label, switching tabs, the calendar and the refresh timer.
#include "app/main/MainForm.h"

#include "app/grids/BookingGrid.h"
#include "app/grids/MonthGrid.h"
#include "app/main/MainFormTasks.h"
#include "controls/edit/MonthCalendar.h"
#include "data/bookings/ResourceBookings.h"
#include "data/bookings/ResourceDateBookings.h"
#include "data/module/DataModule.h"
#include "data/module/SQLDataModule.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/DateTimeFormat.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/Messages.h"
#include "platform/ui/Application.h"
#include "platform/ui/Containers.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Label.h"
#include "platform/ui/Lists.h"
#include "platform/ui/ScrollBar.h"
#include "platform/ui/Timer.h"
#include "platform/ui/UpDown.h"

#include <QFontMetrics>
#include <algorithm>

namespace {

const QString kLoadFailed = QStringLiteral(
    "An error occurred while retrieving the bookings.\r\n\r\nUse \"Tools / Check and Fix Database...\" to check for "
    "errors.");
const QString kDayOverlaps =
    QStringLiteral("There are overlapping bookings on this date. Please run the Check and Fix utility.");
const QString kDatesOverlaps =
    QStringLiteral("There are overlapping bookings on one of the dates. Please run the Check and Fix utility.");

bool IsView(const QString& view, const char* name) { return view == QLatin1String(name); }

QString YearSpan(TDateTime first, TDateTime last) {
    const QString firstYear = FormatDateTime(QStringLiteral("yyyy"), first);
    const QString lastYear = FormatDateTime(QStringLiteral("yyyy"), last);
    return firstYear == lastYear ? firstYear : firstYear + QStringLiteral(" - ") + lastYear;
}

bool SameMonth(TDateTime a, TDateTime b) { return YearOf(a) == YearOf(b) && MonthOf(a) == MonthOf(b); }

// A grid shows over its tab's "No Resources Selected" label when there are resources, and the label alone
// shows when there are none; false then.
bool ShowGrid(const TMainForm& form, TCustomGrid* grid, const QString& labelName, const TResourceList& resources) {
    const bool show = resources.GetCount() > 0;
    grid->SetVisible(show);
    form.Find<TLabel>(labelName)->SetVisible(!show);
    return show;
}

}  // namespace

void TMainForm::ConnectViews() {
    RefreshView = [this] {
        FillSelectedResources();
        ShowActiveView();
    };
    LayoutActiveView = [this] {
        const std::pair<TTabSheet*, const char*> labels[] = {{DayViewTabSheet, "DayNoResourcesLabel"},
                                                             {MultiDayViewTabSheet, "MultiDayNoResourcesLabel"},
                                                             {WeekViewTabSheet, "WeekNoResourcesLabel"},
                                                             {MonthViewTabSheet, "MonthNoResourcesLabel"}};
        // Kept inside the tab, so that a narrow window still shows the whole text.
        for (const auto& [tab, name] : labels) {
            TLabel* label = Find<TLabel>(QString::fromLatin1(name));
            label->SetLeft(std::max(0, tab->ClientWidth() / 2 - label->Width()));
            label->SetTop(std::max(0, tab->ClientHeight() / 2 - label->Height()));
        }
        const QString& view = Preferences.BookingView;
        if (IsView(view, "month")) LoadMonthView(false, SelectedResources, DateOf(Calendar->Date()));
        else if (IsView(view, "week")) ShowActiveView();
        else if (IsView(view, "multiday")) LoadMultiDayView(false, SelectedResources);
        else if (IsView(view, "reminders")) TaskLists->SizeReminderColumns();
        else if (IsView(view, "tasks")) TaskLists->SizeTaskColumns();
        else LoadDayView(false, SelectedResources);
    };
    SetCommand(QStringLiteral("RefreshItem"), [this] { RefreshItemClick(); });
    DataPageControl->OnChange = [this](QObject*) { DataPageControlChange(); };
    Calendar->OnChange = [this](QObject*) {
        if (DatabaseOpen()) CalendarClick();
    };
    WeekViewResourceComboBox->OnChange = [this](QObject*) {
        const int index = WeekViewResourceComboBox->ItemIndex();
        if (index < 0) return;
        if (UpDownWeekViewResource->Position() != index) UpDownWeekViewResource->SetPosition(index);
        LoadWeekView();
    };
    UpDownWeekViewResource->OnClick = [this](QObject*, TUDBtnType) {
        const int position = UpDownWeekViewResource->Position();
        if (position >= UpDownWeekViewResource->Min() && position <= UpDownWeekViewResource->Max()) LoadWeekView();
    };
    RefreshTimer->SetOnTimer([this](QObject*) {
        RefreshTimer->SetEnabled(false);
        try {
            RefreshView();
        } catch (...) {
            MessageDlg(QStringLiteral("Database refresh failed. Possible reason is lost network connection."), mtError,
                       {mbOK});
        }
        UpdateRefreshTimer();
    });
    CalendarScrollBar->OnScroll = [this](QObject*, TScrollCode code, int& position) {
        // The bar stays in its middle, so that it never runs out of steps either way.
        position = CalendarScrollBar->Position();
        CalendarScrollBarScroll(code);
    };
    ConnectBookingCommands();
}

void TMainForm::RequeryBookingTables() {
    for (TADOTable* table : {&data_.BookingsTable, &data_.BookingsShadowTable})
        if (table->Active()) table->Requery();
}

void TMainForm::RefreshItemClick() {
    // Another user's changes reach the booking window's tables as well as the view.
    RequeryBookingTables();
    RefreshView();
}

void TMainForm::ApplyGridPreferences() {
    DayGrid->StartTime = Preferences.DayViewStartTime;
    DayGrid->EndTime = Preferences.DayViewEndTime;
    DayGrid->InitialTime = Preferences.DayViewInitialTime;
    DayGrid->SetSlotMinutes(Preferences.DayViewMinIncrement);
    WeekGrid->StartTime = Preferences.WeekViewStartTime;
    WeekGrid->EndTime = Preferences.WeekViewEndTime;
    WeekGrid->InitialTime = Preferences.WeekViewInitialTime;
    WeekGrid->SetSlotMinutes(Preferences.WeekViewMinIncrement);
    const auto look = [](auto* grid, bool autoSize, int columnSize, bool boldClient, bool showDescription) {
        grid->AutoColumnSize = autoSize;
        grid->ColumnSize = columnSize;
        grid->BoldClient = boldClient;
        grid->ShowDescription = showDescription;
    };
    const TUserPreferences& p = Preferences;
    look(DayGrid, p.AutoDayColumnSize, p.DayColumnSize, p.DayGridBoldClient, p.DayGridShowDescription);
    look(WeekGrid, p.AutoWeekColumnSize, p.WeekColumnSize, p.WeekGridBoldClient, p.WeekGridShowDescription);
    look(MultiDayGrid, p.AutoMultiDayColumnSize, p.MultiDayColumnSize, p.MultiDayGridBoldClient,
         p.MultiDayGridShowDescription);
    UpDownWeekViewResource->SetPosition(Preferences.WeekViewResourceIndex);
    MultiDayGrid->DaysBefore = Preferences.MultiDayDaysBefore;
    MultiDayGrid->DaysAfter = Preferences.MultiDayDaysAfter;
    DayGrid->RolloverColor = Preferences.BookingDayRolloverColor;
    WeekGrid->RolloverColor = Preferences.BookingWeekRolloverColor;
    MultiDayGrid->RolloverColor = Preferences.BookingMultiDayRolloverColor;
    MonthGrid->RolloverColor = Preferences.BookingMonthRolloverColor;
}

void TMainForm::ApplyDisplayAs24Hour() {
    const bool use24Hour = data_.DisplayAs24Hour;
    DayGrid->SetUse24Hour(use24Hour);
    WeekGrid->SetUse24Hour(use24Hour);
    MultiDayGrid->Use24Hour = use24Hour;
    MonthGrid->SetUse24Hour(use24Hour);
}

void TMainForm::OpenTimeGridsAtInitialTime() {
    dayGridToInitialTime_ = true;
    weekGridToInitialTime_ = true;
}

void TMainForm::ScrollToInitialTime(TTimeIntervalBookingGrid& grid, bool& pending) {
    if (!pending) return;
    pending = false;
    // The grid keeps the row within what its height can show: a grid that holds every row stays at the top.
    grid.SetTopRow(grid.RowOfTime(grid.InitialTime));
}

void TMainForm::FillSelectedResources() {
    SelectedResources.Clear();
    if (!ResourcesQuery.Active() || !GroupsQuery.Active()) return;
    const TTreeNode* node = ResourceTreeView->Selected();
    if (!node) return;
    if (node->Parent() == ResourcesNode) {
        Preferences.ResourceView = QStringLiteral("Resources");
        const auto* data = dynamic_cast<TResourceTreeNodeData*>(node->Data());
        SelectedResources.Add(node->Text(), data ? data->ResourceId : 0, data ? data->Description : QString());
    } else if (node->Parent() == GroupsNode) {
        Preferences.ResourceView = QStringLiteral("Groups");
        // Another group starts the week view at its first resource; the first group chosen keeps the position
        // read from the preferences (WeekViewResourceIndex), so that a start shows the resource last shown.
        if (!SelectedGroupName.isEmpty() && SelectedGroupName != node->Text()) UpDownWeekViewResource->SetPosition(0);
        SelectedGroupName = node->Text();
        // The program makes the lookup module at start; a window made without one reads through its own.
        if (!SQLData && !ownLookup_) ownLookup_ = std::make_unique<TSQLData>(data_);
        (SQLData ? *SQLData : *ownLookup_).FillGroupResources(SelectedGroupName, SelectedResources);
    }
}

void TMainForm::ShowActiveView() {
    const QString& view = Preferences.BookingView;
    const bool groups = Preferences.ResourceView.compare(QLatin1String("groups"), Qt::CaseInsensitive) == 0;
    const bool chooser = IsView(view, "week") && SelectedResources.GetCount() > 0 && groups;
    WeekViewResourceComboBox->SetVisible(chooser);
    UpDownWeekViewResource->SetVisible(chooser);
    ui::HourGlass hourGlass;
    const quint32 t0 = GetTickCount();
    const TDateTime date = DateOf(Calendar->Date());
    const QString longDate = FormatDateTime(QStringLiteral("dddddd"), date);
    // The week view leaves the calendar's scroll bar as it was.
    if (!IsView(view, "week"))
        CalendarScrollBar->SetVisible(Preferences.ShowCalendarScrollBar && !IsView(view, "reminders") &&
                                      !IsView(view, "tasks"));
    if (IsView(view, "month")) {
        Application->SetHintColor(MonthGrid->RolloverColor);
        LoadMonthView(true, SelectedResources, MonthGrid->Info.MonthStart != 0 ? MonthGrid->Info.MonthStart : date);
        DateLabel->SetCaption(
            FormatDateTime(QStringLiteral("mmmm yyyy"), MonthGrid->Visible() ? MonthGrid->Info.MonthStart : date));
    } else if (IsView(view, "week")) {
        LoadWeekView();
    } else if (IsView(view, "multiday")) {
        Application->SetHintColor(MultiDayGrid->RolloverColor);
        LoadMultiDayView(true, SelectedResources);
        DateLabel->SetCaption(YearSpan(date - MultiDayGrid->DaysBefore, date + MultiDayGrid->DaysAfter));
    } else if (IsView(view, "reminders") || IsView(view, "tasks")) {
        if (IsView(view, "reminders")) TaskLists->LoadReminders();
        else TaskLists->LoadTasks();
        DateLabel->SetCaption(longDate);
    } else {
        Application->SetHintColor(DayGrid->RolloverColor);
        LoadDayView(true, SelectedResources);
        DateLabel->SetCaption(longDate);
    }
    LastLoadTime = GetTickCount() - t0;
    ++LoadCount;
    TotalLoadTime += LastLoadTime;
    if (LastLoadTime > MaxLoadTime) MaxLoadTime = LastLoadTime;
}

void TMainForm::ShowLoadFailure() {
    RefreshTimer->SetEnabled(false);
    MessageDlg(kLoadFailed, mtError, {mbOK});
    UpdateRefreshTimer();
}

void TMainForm::LoadDayView(bool reload, const TResourceList& resources) {
    if (!ShowGrid(*this, DayGrid, QStringLiteral("DayNoResourcesLabel"), resources)) return;
    if (reload) {
        DayBookings->SetDisplayAs24Hour(DayGrid->Use24Hour);
        if (!DayBookings->LoadDay(resources, DayGrid->SlotMinutes, DateOf(Calendar->Date()), DayGrid->StartTime,
                                  DayGrid->EndTime))
            ShowLoadFailure();
    }
    DayGrid->LoadDayBookings(*DayBookings);
    ScrollToInitialTime(*DayGrid, dayGridToInitialTime_);
    DayGrid->Invalidate();
    // Only after a real load: a layout pass (a resize) would otherwise repeat the message for every step.
    if (reload && DayBookings->HasOverlaps) MessageDlg(kDayOverlaps, mtInformation, {mbOK});
}

void TMainForm::LoadMultiDayView(bool reload, const TResourceList& resources) {
    if (!ShowGrid(*this, MultiDayGrid, QStringLiteral("MultiDayNoResourcesLabel"), resources)) return;
    if (reload) {
        const TDateTime date = DateOf(Calendar->Date());
        if (!DateBookings->LoadBookings(resources, 0, date - MultiDayGrid->DaysBefore, date + MultiDayGrid->DaysAfter))
            ShowLoadFailure();
    }
    MultiDayGrid->LoadMultiDayBookings(*DateBookings);
    MultiDayGrid->Invalidate();
    if (reload && DateBookings->HasOverlaps) MessageDlg(kDatesOverlaps, mtInformation, {mbOK});
}

void TMainForm::LoadWeekView() {
    Application->SetHintColor(WeekGrid->RolloverColor);
    const int count = SelectedResources.GetCount();
    UpDownWeekViewResource->SetMax(std::max(count - 1, 0));
    Preferences.WeekViewResourceIndex = UpDownWeekViewResource->Position();
    LoadWeekViewBookings(true, SelectedResources, UpDownWeekViewResource->Position(), DateOf(Calendar->Date()));
    if (!WeekGrid->Visible()) {
        DateLabel->SetCaption(FormatDateTime(QStringLiteral("yyyy"), Calendar->Date()));
        return;
    }
    DateLabel->SetCaption(YearSpan(WeekGrid->WeekInfo.FirstDate, WeekGrid->WeekInfo.FirstDate + 6));
    TComboBox* combo = WeekViewResourceComboBox;
    const TNotifyEvent onChange = combo->OnChange;
    combo->OnChange = nullptr;
    if (count == 0) {
        combo->SetItemIndex(-1);
    } else if (Preferences.ResourceView.compare(QLatin1String("groups"), Qt::CaseInsensitive) != 0) {
        combo->SetItemIndex(combo->Items().IndexOf(SelectedResources.GetItem(0)->ResourceName));
    } else {
        // The container sorts its copy by name, so the combo box's names follow the same order.
        combo->Items().Clear();
        for (int i = 0; i < DayBookings->Resources.GetCount(); ++i)
            combo->Items().Add(DayBookings->Resources.GetItem(i)->ResourceName);
        combo->SetItemIndex(UpDownWeekViewResource->Position());
        const int textWidth = QFontMetrics(font()).horizontalAdvance(DateLabel->Caption());
        UpDownWeekViewResource->SetLeft(textWidth / 2 + width() / 2 + 32);
        combo->SetLeft(UpDownWeekViewResource->Left() + UpDownWeekViewResource->Width() + 4);
    }
    combo->OnChange = onChange;
}

void TMainForm::LoadWeekViewBookings(bool reload, const TResourceList& resources, int resourceIndex, TDateTime date) {
    if (!ShowGrid(*this, WeekGrid, QStringLiteral("WeekNoResourcesLabel"), resources)) return;
    WeekGrid->SetDate(date);
    if (reload) {
        DayBookings->SetDisplayAs24Hour(WeekGrid->Use24Hour);
        if (!DayBookings->LoadDays(resources, WeekGrid->SlotMinutes, WeekGrid->WeekInfo.FirstDate,
                                   WeekGrid->WeekInfo.LastDate, WeekGrid->StartTime, WeekGrid->EndTime))
            ShowLoadFailure();
    }
    WeekGrid->LoadWeekBookings(*DayBookings, resourceIndex);
    ScrollToInitialTime(*WeekGrid, weekGridToInitialTime_);
    if (DateOf(Calendar->Date()) != WeekGrid->GetSelectedDate()) WeekGrid->SelectDate(DateOf(Calendar->Date()));
    WeekGrid->Invalidate();
    if (reload && DayBookings->HasOverlaps) MessageDlg(kDayOverlaps, mtInformation, {mbOK});
}

void TMainForm::LoadMonthView(bool reload, const TResourceList& resources, TDateTime date) {
    if (!ShowGrid(*this, MonthGrid, QStringLiteral("MonthNoResourcesLabel"), resources)) return;
    MonthGrid->ShowMonth(date);
    if (reload && !DateBookings->LoadBookings(resources, 2, DateOf(MonthGrid->Info.FirstShownDate),
                                              DateOf(MonthGrid->Info.LastShownDate)))
        ShowLoadFailure();
    MonthGrid->LoadMonthBookings(*DateBookings);
    if (DateOf(Calendar->Date()) != MonthGrid->GetSelectedDate()) MonthGrid->SelectDate(DateOf(Calendar->Date()));
    MonthGrid->Invalidate();
    if (reload && DateBookings->HasOverlaps) MessageDlg(kDatesOverlaps, mtInformation, {mbOK});
}

void TMainForm::DataPageControlChange() {
    TTabSheet* page = DataPageControl->ActivePage();
    const QString view = page == MonthViewTabSheet      ? QStringLiteral("month")
                         : page == WeekViewTabSheet     ? QStringLiteral("week")
                         : page == MultiDayViewTabSheet ? QStringLiteral("multiday")
                         : page == RemindersTabSheet    ? QStringLiteral("reminders")
                         : page == TasksTabSheet        ? QStringLiteral("tasks")
                                                        : QStringLiteral("day");
    // From the multi-day view, the day view opens on the date of the selected column.
    if (IsView(view, "day") && IsView(Preferences.BookingView, "multiday") && MultiDayGrid->Selection().Left > 0)
        Calendar->SetDate(Calendar->Date() + MultiDayGrid->Selection().Left - MultiDayGrid->DaysBefore - 1);
    // A time grid's tab opens on its "View Top" time.
    if (view != Preferences.BookingView) {
        if (IsView(view, "day")) dayGridToInitialTime_ = true;
        if (IsView(view, "week")) weekGridToInitialTime_ = true;
    }
    Preferences.BookingView = view;
    UpdateShortCuts();
    if (DatabaseOpen()) ShowActiveView();
    UpdateCommandStates();
}

void TMainForm::CalendarClick() {
    const QString& view = Preferences.BookingView;
    const TDateTime date = DateOf(Calendar->Date());
    // The month view lays out the calendar's month when the date left the month it shows.
    if (IsView(view, "month") && !SameMonth(date, MonthGrid->Info.MonthStart)) MonthGrid->ClearMonth();
    ShowActiveView();
    if (IsView(view, "month") && MonthGrid->Visible() && MonthGrid->GetSelectedDate() != date)
        MonthGrid->SelectDate(date);
    if (IsView(view, "week") && WeekGrid->Visible() && WeekGrid->GetSelectedDate() != date) WeekGrid->SelectDate(date);
}
