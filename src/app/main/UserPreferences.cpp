// Reading and writing the main window's preferences through the version keys.
#include "app/main/UserPreferences.h"

#include "data/layout/ViewTimes.h"
#include "util/CodeNames.h"
#include "util/DvMru.h"
#include "util/core/DvRegistry.h"
#include "util/core/VersionHistory.h"

#include <QStringList>
#include <array>

namespace {

using P = TUserPreferences;
constexpr unsigned kP = pwPreferences, kPR = pwPreferences | pwRollover, kR = pwRollover, kL = pwLayout, kB = pwBackup;

// clang-format off
const std::array kValues = {
    TPreferenceValue{"BookingColor", &P::BookingColor, kP},
    TPreferenceValue{"BookingReminderColor", &P::BookingReminderColor, kP},
    TPreferenceValue{"TextColor", &P::TextColor, kP},
    TPreferenceValue{"RefreshEnabled", &P::RefreshEnabled, kP},
    TPreferenceValue{"RefreshMins", &P::RefreshMins, kP},
    TPreferenceValue{"CalendarFontName", &P::CalendarFontName, kP},
    TPreferenceValue{"CalendarFontNameSize", &P::CalendarFontNameSize, kP},
    TPreferenceValue{"DayGridFontName", &P::DayGridFontName, kP},
    TPreferenceValue{"DayGridFontSize", &P::DayGridFontSize, kP},
    TPreferenceValue{"DayGridBoldClient", &P::DayGridBoldClient, kP},
    TPreferenceValue{"DayGridShowDescription", &P::DayGridShowDescription, kP},
    TPreferenceValue{"ShowBookingDayRollover", &P::ShowBookingDayRollover, kPR},
    TPreferenceValue{"BookingDayRolloverColor", &P::BookingDayRolloverColor, kPR},
    TPreferenceValue{"DayViewMinIncrement", &P::DayViewMinIncrement, kP, "MinInc"},
    TPreferenceValue{"DayViewStartTime", &P::DayViewStartTime, kP, "StartTime"},
    TPreferenceValue{"DayViewEndTime", &P::DayViewEndTime, kP, "EndTime"},
    TPreferenceValue{"DayViewInitialTime", &P::DayViewInitialTime, kP, "InitialTime"},
    TPreferenceValue{"AutoDayColumnSize", &P::AutoDayColumnSize, kP},
    TPreferenceValue{"DayColumnSize", &P::DayColumnSize, kP},
    TPreferenceValue{"MultiDayGridFontName", &P::MultiDayGridFontName, kP},
    TPreferenceValue{"MultiDayGridFontSize", &P::MultiDayGridFontSize, kP},
    TPreferenceValue{"MultiDayGridBoldClient", &P::MultiDayGridBoldClient, kP},
    TPreferenceValue{"MultiDayGridShowDescription", &P::MultiDayGridShowDescription, kP},
    TPreferenceValue{"ShowBookingMultiDayRollover", &P::ShowBookingMultiDayRollover, kPR},
    TPreferenceValue{"BookingMultiDayRolloverColor", &P::BookingMultiDayRolloverColor, kPR},
    TPreferenceValue{"MultiDayDaysBefore", &P::MultiDayDaysBefore, kP, "WVDaysBefore"},
    TPreferenceValue{"MultiDayDaysAfter", &P::MultiDayDaysAfter, kP, "WVDaysAfter"},
    TPreferenceValue{"AutoMultiDayColumnSize", &P::AutoMultiDayColumnSize, kP},
    TPreferenceValue{"MultiDayColumnSize", &P::MultiDayColumnSize, kP},
    TPreferenceValue{"WeekGridFontName", &P::WeekGridFontName, kP},
    TPreferenceValue{"WeekGridFontSize", &P::WeekGridFontSize, kP},
    TPreferenceValue{"WeekGridBoldClient", &P::WeekGridBoldClient, kP},
    TPreferenceValue{"WeekGridShowDescription", &P::WeekGridShowDescription, kP},
    TPreferenceValue{"ShowBookingWeekRollover", &P::ShowBookingWeekRollover, kPR},
    TPreferenceValue{"BookingWeekRolloverColor", &P::BookingWeekRolloverColor, kPR},
    TPreferenceValue{"WeekViewResourceIndex", &P::WeekViewResourceIndex, kP},
    TPreferenceValue{"WeekViewMinIncrement", &P::WeekViewMinIncrement, kP, "MinInc"},
    TPreferenceValue{"WeekViewStartTime", &P::WeekViewStartTime, kP, "StartTime"},
    TPreferenceValue{"WeekViewEndTime", &P::WeekViewEndTime, kP, "EndTime"},
    TPreferenceValue{"WeekViewInitialTime", &P::WeekViewInitialTime, kP, "InitialTime"},
    TPreferenceValue{"AutoWeekColumnSize", &P::AutoWeekColumnSize, kP},
    TPreferenceValue{"WeekColumnSize", &P::WeekColumnSize, kP},
    TPreferenceValue{"WeekMonVisible", &P::WeekMonVisible, kP},
    TPreferenceValue{"WeekTueVisible", &P::WeekTueVisible, kP},
    TPreferenceValue{"WeekWedVisible", &P::WeekWedVisible, kP},
    TPreferenceValue{"WeekThrVisible", &P::WeekThrVisible, kP},
    TPreferenceValue{"WeekFriVisible", &P::WeekFriVisible, kP},
    TPreferenceValue{"WeekSatVisible", &P::WeekSatVisible, kP},
    TPreferenceValue{"WeekSunVisible", &P::WeekSunVisible, kP},
    TPreferenceValue{"MonthGridFontName", &P::MonthGridFontName, kP},
    TPreferenceValue{"MonthGridFontSize", &P::MonthGridFontSize, kP},
    TPreferenceValue{"MonthGridBoldClient", &P::MonthGridBoldClient, kP},
    TPreferenceValue{"MonthGridShowStartTime", &P::MonthGridShowStartTime, kP},
    TPreferenceValue{"MonthGridShowDescription", &P::MonthGridShowDescription, kP},
    TPreferenceValue{"ShowBookingMonthRollover", &P::ShowBookingMonthRollover, kR},
    TPreferenceValue{"BookingMonthRolloverColor", &P::BookingMonthRolloverColor, kR},
    TPreferenceValue{"MonthNewBookingAllDay", &P::MonthNewBookingAllDay, kP},
    TPreferenceValue{"AutoMonthColumnSize", &P::AutoMonthColumnSize, kP},
    TPreferenceValue{"MonthColumnSize", &P::MonthColumnSize, kP},
    TPreferenceValue{"MonthMonVisible", &P::MonthMonVisible, kP},
    TPreferenceValue{"MonthTueVisible", &P::MonthTueVisible, kP},
    TPreferenceValue{"MonthWedVisible", &P::MonthWedVisible, kP},
    TPreferenceValue{"MonthThrVisible", &P::MonthThrVisible, kP},
    TPreferenceValue{"MonthFriVisible", &P::MonthFriVisible, kP},
    TPreferenceValue{"MonthSatVisible", &P::MonthSatVisible, kP},
    TPreferenceValue{"MonthSunVisible", &P::MonthSunVisible, kP},
    TPreferenceValue{"ResourceView", &P::ResourceView, kL},
    TPreferenceValue{"ResourceViewResource", &P::ResourceViewResource, kL},
    TPreferenceValue{"ResourceViewGroup", &P::ResourceViewGroup, kL},
    TPreferenceValue{"BookingView", &P::BookingView, kL},
    TPreferenceValue{"TopPanel", &P::TopPanel, kL},
    TPreferenceValue{"BottomPanel", &P::BottomPanel, kL},
    TPreferenceValue{"ResourcePanel", &P::ResourcePanel, kL},
    TPreferenceValue{"CalendarPanel", &P::CalendarPanel, kL},
    TPreferenceValue{"ShowToday", &P::ShowToday, kL},
    TPreferenceValue{"ShowTodayCircle", &P::ShowTodayCircle, kL},
    TPreferenceValue{"ShowCalendarScrollBar", &P::ShowCalendarScrollBar, kL},
    TPreferenceValue{"StatusBar", &P::StatusBar, kL},
    TPreferenceValue{"Toolbar", &P::Toolbar, kL},
    TPreferenceValue{"TaskSortField", &P::TaskSortField, kL},
    TPreferenceValue{"TaskSortAscending", &P::TaskSortAscending, kL},
    TPreferenceValue{"ReportsPrint", &P::ReportsPrint, kL},
    TPreferenceValue{"OpenMostRecent", &P::OpenMostRecent, kL},
    TPreferenceValue{"RTVExpandResources", &P::RTVExpandResources, kL},
    TPreferenceValue{"RTVExpandGroups", &P::RTVExpandGroups, kL},
    TPreferenceValue{"BackupDialogCheckAndFix", &P::BackupDialogCheckAndFix, kB},
    TPreferenceValue{"BackupDialogPurgeAndDelete", &P::BackupDialogPurgeAndDelete, kB},
    TPreferenceValue{"BackupDialogCompactAndRepair", &P::BackupDialogCompactAndRepair, kB},
};
// clang-format on

const QString kHistoryKey = QStringLiteral("History");
const QString kHistoryPrefix = QStringLiteral("DB_");

void ReadValue(TDvRegistry& reg, const QString& name, P& prefs, const TPreferenceValue& value) {
    std::visit(
        [&](auto member) {
            auto& field = prefs.*member;
            using T = std::decay_t<decltype(field)>;
            if constexpr (std::is_same_v<T, bool>) field = reg.ReadBoolDefault(name, field);
            else if constexpr (std::is_same_v<T, int>) field = reg.ReadIntegerDefault(name, field);
            else if constexpr (std::is_same_v<T, QString>) field = reg.ReadStringDefault(name, field);
            else {
                // Only the time of day counts; a value that is no time is left to the normalisation.
                field = reg.ReadDateTimeDefault(name, field);
                if (IsValidTime(field)) field = TimeOf(field);
            }
        },
        value.Member);
}

void WriteValue(TRegistry& reg, const P& prefs, const TPreferenceValue& value) {
    const QString name = QString::fromLatin1(value.Name);
    std::visit(
        [&](auto member) {
            const auto& field = prefs.*member;
            using T = std::decay_t<decltype(field)>;
            if constexpr (std::is_same_v<T, bool>) reg.WriteBool(name, field);
            else if constexpr (std::is_same_v<T, int>) reg.WriteInteger(name, field);
            else if constexpr (std::is_same_v<T, QString>) reg.WriteString(name, field);
            else reg.WriteDateTime(name, field);
        },
        value.Member);
}

// Writes the values of one writer; nothing when the current key cannot be opened.
bool WriteValues(const TApplicationVersionHistory& history, const P& prefs, unsigned writer) {
    TRegistry reg;
    if (!history.OpenWriteKey(reg)) return false;
    for (const TPreferenceValue& value : kValues)
        if (value.Writers & writer) WriteValue(reg, prefs, value);
    return true;
}

void NormalizeTimeGrid(int& minutes, TDateTime& start, TDateTime& end, TDateTime& initial) {
    ClampMinutesIncrement(minutes);
    // The row size of the check is always 30 minutes, whatever the grid's rows are.
    NormalizeViewTimes(start, end, initial, 30, DefaultStartTime(), DefaultEndTime(), DefaultInitialTime());
}

}  // namespace

TDateTime DefaultStartTime() { return EncodeTime(8, 0, 0, 0); }
TDateTime DefaultEndTime() { return EncodeTime(22, 0, 0, 0); }
TDateTime DefaultInitialTime() { return EncodeTime(9, 0, 0, 0); }

std::span<const TPreferenceValue> PreferenceValues() { return kValues; }

bool IsLegacySettingsKey(const QString& readKey) {
    static const QStringList legacy{QStringLiteral("\\Software\\Dulvex\\Tavorin\\6.0"),
                                    QStringLiteral("\\Software\\Dulvex\\Ranvel\\6.0"),
                                    QStringLiteral("\\Software\\Dulvex\\Ranvel\\5.0")};
    return legacy.contains(readKey, Qt::CaseInsensitive);
}

void TUserPreferences::LoadUserPreferences(const TApplicationVersionHistory& history, int clientWidth, int clientHeight,
                                           TDvMru* mru) {
    *this = TUserPreferences();
    TopPanel = clientHeight / 3;
    BottomPanel = clientHeight - TopPanel;
    ResourcePanel = clientWidth / 3;
    CalendarPanel = clientWidth - ResourcePanel;
    {
        TDvRegistry reg;
        // Without a key to read every value keeps its default.
        if (history.OpenReadKey(reg)) {
            const bool legacy = IsLegacySettingsKey(history.ReadKey());
            for (const TPreferenceValue& value : kValues) {
                const char* name = legacy && value.LegacyName ? value.LegacyName : value.Name;
                ReadValue(reg, QString::fromLatin1(name), *this, value);
            }
        }
    }
    NormalizeTimeGrid(DayViewMinIncrement, DayViewStartTime, DayViewEndTime, DayViewInitialTime);
    NormalizeTimeGrid(WeekViewMinIncrement, WeekViewStartTime, WeekViewEndTime, WeekViewInitialTime);
    if (RefreshMins < 1) RefreshMins = 1;
    if (mru) mru->LoadFromRegistry(kHistoryKey, kHistoryPrefix);
}

int TUserPreferences::EffectiveFirstDayOfWeek() const {
    return OverrideFirstDayOfWeek ? OverrideFirstDay : LocaleFirstDayOfWeek();
}

void TUserPreferences::SaveUserPreferences(const TApplicationVersionHistory& history) const {
    if (WriteValues(history, *this, pwPreferences)) SaveRolloverSettings(history);
}

void TUserPreferences::SaveRolloverSettings(const TApplicationVersionHistory& history) const {
    WriteValues(history, *this, pwRollover);
}

void TUserPreferences::SaveLayout(const TApplicationVersionHistory& history, const TDvMru* mru) const {
    if (!WriteValues(history, *this, pwLayout)) return;
    if (mru) mru->SaveToRegistry(kHistoryKey, kHistoryPrefix);
}

void TUserPreferences::SaveBackupDialogFlags(const TApplicationVersionHistory& history) const {
    WriteValues(history, *this, pwBackup);
}
