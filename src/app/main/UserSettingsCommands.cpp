// Applying the settings dialog, the column size dialog and the rollover items to the main window.
#include "app/main/UserSettingsCommands.h"

#include "app/grids/BookingGrid.h"
#include "app/grids/MonthGrid.h"
#include "app/main/ColumnSizeForm.h"
#include "app/main/MainForm.h"
#include "app/main/UserSettingsForm.h"
#include "controls/edit/MonthCalendar.h"
#include "data/module/DataModule.h"
#include "platform/ui/Application.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Containers.h"
#include "platform/ui/Menus.h"
#include "util/DvMru.h"
#include "util/core/VersionHistory.h"

#include <QFontMetrics>

namespace {

int TextHeightOfA(const TFont& font) { return QFontMetrics(font.ToQFont()).height(); }

void SetFont(TFont& font, const QString& name, int size) {
    font.SetName(name);
    font.SetSize(size);
}

// The rollover items, each with its grid's setting.
struct RolloverItem {
    const char* name;
    bool TUserPreferences::*setting;
};
const RolloverItem kRolloverItems[] = {
    {"DayGridRolloverItem", &TUserPreferences::ShowBookingDayRollover},
    {"MultiDayGridRolloverItem", &TUserPreferences::ShowBookingMultiDayRollover},
    {"WeekGridRolloverItem", &TUserPreferences::ShowBookingWeekRollover},
    {"MonthGridRolloverItem", &TUserPreferences::ShowBookingMonthRollover},
};

void ApplyRollover(TMainForm& form) {
    const TUserPreferences& p = form.Preferences;
    form.DayGrid->SetShowRollover(p.ShowBookingDayRollover);
    form.MultiDayGrid->SetShowRollover(p.ShowBookingMultiDayRollover);
    form.WeekGrid->SetShowRollover(p.ShowBookingWeekRollover);
    form.MonthGrid->SetShowRollover(p.ShowBookingMonthRollover);
    for (const RolloverItem& item : kRolloverItems)
        form.Item(QString::fromLatin1(item.name))->SetChecked(p.*item.setting);
}

bool IsViewNamed(const QString& view, const char* name) {
    return view.compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
}

}  // namespace

void ApplyUserPreferences(TMainForm& form) {
    const TUserPreferences& p = form.Preferences;
    SetFont(form.Calendar->Font(), p.CalendarFontName, p.CalendarFontNameSize);
    for (TBookingGrid* grid : std::initializer_list<TBookingGrid*>{form.DayGrid, form.MultiDayGrid, form.WeekGrid}) {
        grid->TextColor = p.TextColor;
        grid->BookingColor = p.BookingColor;
        grid->ReminderColor = p.BookingReminderColor;
    }
    form.MonthGrid->TextColor = p.TextColor;
    form.MonthGrid->BookingColor = p.BookingColor;
    form.MonthGrid->ReminderColor = p.BookingReminderColor;
    const std::pair<TBookingGrid*, std::pair<const QString*, int>> fonts[] = {
        {form.DayGrid, {&p.DayGridFontName, p.DayGridFontSize}},
        {form.MultiDayGrid, {&p.MultiDayGridFontName, p.MultiDayGridFontSize}},
        {form.WeekGrid, {&p.WeekGridFontName, p.WeekGridFontSize}}};
    for (const auto& [grid, font] : fonts) {
        SetFont(grid->Font(), *font.first, font.second);
        grid->SetDefaultRowHeight(TextHeightOfA(grid->Font()) + 1);
    }
    // Times, minutes, column sizes, looks, the multi-day extent and the rollover colours.
    form.ApplyGridPreferences();
    TTavorinMonthGrid* month = form.MonthGrid;
    SetFont(month->Font(), p.MonthGridFontName, p.MonthGridFontSize);
    month->SetLineHeight(TextHeightOfA(month->Font()) + 2);
    month->BoldClient = p.MonthGridBoldClient;
    month->ShowDescription = p.MonthGridShowDescription;
    month->ShowStartTime = p.MonthGridShowStartTime;
    const bool week[] = {p.WeekMonVisible, p.WeekTueVisible, p.WeekWedVisible, p.WeekThrVisible,
                         p.WeekFriVisible, p.WeekSatVisible, p.WeekSunVisible};
    const bool monthDays[] = {p.MonthMonVisible, p.MonthTueVisible, p.MonthWedVisible, p.MonthThrVisible,
                              p.MonthFriVisible, p.MonthSatVisible, p.MonthSunVisible};
    for (int day = 1; day <= 7; ++day) {
        form.WeekGrid->SetDayVisible(day, week[day - 1]);
        month->SetDayVisible(day, monthDays[day - 1]);
    }
    if (p.MonthColumnSize > 0) month->SetDefaultColWidth(p.MonthColumnSize);
    month->SetAutoColumnSize(p.AutoMonthColumnSize);
    ApplyRollover(form);
    const QString& view = p.BookingView;
    Application->SetHintColor(IsViewNamed(view, "month")      ? month->RolloverColor
                              : IsViewNamed(view, "week")     ? form.WeekGrid->RolloverColor
                              : IsViewNamed(view, "multiday") ? form.MultiDayGrid->RolloverColor
                                                              : form.DayGrid->RolloverColor);
    TwwMonthOptions options = form.Calendar->Options();
    if (p.ShowToday) options.Exclude(mdoNoToday);
    else options.Include(mdoNoToday);
    if (p.ShowTodayCircle) options.Exclude(mdoNoTodayCircle);
    else options.Include(mdoNoTodayCircle);
    form.Calendar->SetOptions(options);
    form.CalendarScrollBar->SetVisible(p.ShowCalendarScrollBar);
    const int firstDay = p.EffectiveFirstDayOfWeek();
    form.Calendar->SetFirstDayOfWeek(firstDay == 1 ? wwdowMonday : wwdowSunday);
    form.WeekGrid->SetFirstDayOfWeek(firstDay);
    month->SetFirstDayOfWeek(firstDay);
    // The "View Top" times may have changed: each time grid shows its own first at its next load.
    form.OpenTimeGridsAtInitialTime();
}

void UserPreferencesItemClick(TMainForm& form, TData& data) {
    TUserSettingsForm dialog(&form, data.ReadOnlyAccess);
    dialog.DefaultMailClient = data.DefaultMailClient;
    dialog.OnSendTestMessage = [&data](bool throughMapi, const TEMailSettings& settings) {
        data.SendTestMessage(throughMapi, settings);
    };
    dialog.Fill(form.Preferences, data);
    if (dialog.ShowModal() != mrOk) return;
    dialog.Apply(form.Preferences, data);
    ApplyUserPreferences(form);
    form.ApplyDisplayAs24Hour();
    if (dialog.ClearRecentFiles) form.DvMru->Clear();
    if (form.DatabaseOpen()) {
        form.UpdateCaption();
        form.FillResourceTree();
        if (form.RefreshView) form.RefreshView();
    }
    form.Preferences.SaveUserPreferences(*VersionHistory);
}

void ColumnSizeItemClick(TMainForm& form) {
    TUserPreferences& p = form.Preferences;
    TTabSheet* page = form.DataPageControl->ActivePage();
    bool* autoSize = &p.AutoDayColumnSize;
    int* width = &p.DayColumnSize;
    if (page == form.MultiDayViewTabSheet) {
        autoSize = &p.AutoMultiDayColumnSize;
        width = &p.MultiDayColumnSize;
    } else if (page == form.WeekViewTabSheet) {
        autoSize = &p.AutoWeekColumnSize;
        width = &p.WeekColumnSize;
    } else if (page == form.MonthViewTabSheet) {
        autoSize = &p.AutoMonthColumnSize;
        width = &p.MonthColumnSize;
    } else if (page != form.DayViewTabSheet) {
        return;
    }
    TColumnSizeForm dialog(&form);
    dialog.SetColumnSize(*width, *autoSize);
    if (dialog.ShowModal() != mrOk) return;
    *autoSize = dialog.AutoSize->Checked();
    *width = dialog.ColumnWidth();
    form.ApplyGridPreferences();
    if (page == form.MonthViewTabSheet) {
        if (*width > 0) form.MonthGrid->SetDefaultColWidth(*width);
        form.MonthGrid->SetAutoColumnSize(*autoSize);
    }
    if (form.DatabaseOpen()) {
        if (page == form.WeekViewTabSheet) form.ShowActiveView();
        else if (form.LayoutActiveView) form.LayoutActiveView();
    }
    p.SaveUserPreferences(*VersionHistory);
}

void RolloverItemClick(TMainForm& form, const QString& itemName) {
    for (const RolloverItem& item : kRolloverItems) {
        if (itemName != QLatin1String(item.name)) continue;
        form.Preferences.*item.setting = !form.Item(itemName)->Checked();
        ApplyRollover(form);
        form.Preferences.SaveRolloverSettings(*VersionHistory);
    }
}

void InstallViewSizeCommands(TMainForm& form) {
    form.SetCommand(QStringLiteral("ColumnSizeItem"), [&form] { ColumnSizeItemClick(form); });
    for (const RolloverItem& item : kRolloverItems) {
        const QString name = QString::fromLatin1(item.name);
        form.SetCommand(name, [&form, name] { RolloverItemClick(form, name); });
    }
}
