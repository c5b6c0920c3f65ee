// The main window's per-user view preferences: every value with its registry name, kind, default and writer.
#pragma once

#include "platform/rtl/DateUtils.h"
#include "platform/ui/Color.h"

#include <QString>
#include <algorithm>
#include <span>
#include <variant>

class TApplicationVersionHistory;
class TDvMru;

// The first, last and initial times of the day and week grids.
TDateTime DefaultStartTime();
TDateTime DefaultEndTime();
TDateTime DefaultInitialTime();

// Light yellow, the rollover hints' colour.
inline constexpr TColor kRolloverHintColor = 0x80FFFF;

// The values as they were last read or set; the main window applies them to its grids and controls. Each
// member carries the name it is stored under.
class TUserPreferences {
public:
    TColor BookingColor = clAqua;
    TColor BookingReminderColor = clAqua;
    TColor TextColor = clBlack;
    bool RefreshEnabled = true;
    int RefreshMins = 5;
    QString CalendarFontName = QStringLiteral("MS Sans Serif");
    int CalendarFontNameSize = 8;

    QString DayGridFontName = QStringLiteral("MS Sans Serif");
    int DayGridFontSize = 8;
    bool DayGridBoldClient = true;
    bool DayGridShowDescription = true;
    bool ShowBookingDayRollover = true;
    TColor BookingDayRolloverColor = kRolloverHintColor;
    int DayViewMinIncrement = 30;
    TDateTime DayViewStartTime = DefaultStartTime();
    TDateTime DayViewEndTime = DefaultEndTime();
    TDateTime DayViewInitialTime = DefaultInitialTime();
    bool AutoDayColumnSize = true;
    int DayColumnSize = 100;

    QString MultiDayGridFontName = QStringLiteral("MS Sans Serif");
    int MultiDayGridFontSize = 8;
    bool MultiDayGridBoldClient = true;
    bool MultiDayGridShowDescription = true;
    bool ShowBookingMultiDayRollover = true;
    TColor BookingMultiDayRolloverColor = kRolloverHintColor;
    int MultiDayDaysBefore = 0;
    int MultiDayDaysAfter = 13;
    bool AutoMultiDayColumnSize = true;
    int MultiDayColumnSize = 100;

    QString WeekGridFontName = QStringLiteral("MS Sans Serif");
    int WeekGridFontSize = 8;
    bool WeekGridBoldClient = true;
    bool WeekGridShowDescription = true;
    bool ShowBookingWeekRollover = true;
    TColor BookingWeekRolloverColor = kRolloverHintColor;
    int WeekViewResourceIndex = 0;
    int WeekViewMinIncrement = 30;
    TDateTime WeekViewStartTime = DefaultStartTime();
    TDateTime WeekViewEndTime = DefaultEndTime();
    TDateTime WeekViewInitialTime = DefaultInitialTime();
    bool AutoWeekColumnSize = true;
    int WeekColumnSize = 100;
    bool WeekMonVisible = true, WeekTueVisible = true, WeekWedVisible = true, WeekThrVisible = true,
         WeekFriVisible = true, WeekSatVisible = true, WeekSunVisible = true;

    QString MonthGridFontName = QStringLiteral("MS Sans Serif");
    int MonthGridFontSize = 8;
    bool MonthGridBoldClient = false;
    bool MonthGridShowStartTime = true;
    bool MonthGridShowDescription = true;
    bool ShowBookingMonthRollover = true;
    TColor BookingMonthRolloverColor = kRolloverHintColor;
    bool MonthNewBookingAllDay = true;
    bool AutoMonthColumnSize = true;
    int MonthColumnSize = 100;
    bool MonthMonVisible = true, MonthTueVisible = true, MonthWedVisible = true, MonthThrVisible = true,
         MonthFriVisible = true, MonthSatVisible = true, MonthSunVisible = true;

    QString ResourceView;
    QString ResourceViewResource;
    QString ResourceViewGroup;
    QString BookingView = QStringLiteral("day");
    // The panel sizes' defaults follow the main window's client area when they are read.
    int TopPanel = 0;
    int BottomPanel = 0;
    int ResourcePanel = 0;
    int CalendarPanel = 0;
    bool ShowToday = true;
    bool ShowTodayCircle = true;
    bool ShowCalendarScrollBar = true;
    bool StatusBar = true;
    bool Toolbar = true;
    QString TaskSortField = QStringLiteral("DueDate");
    bool TaskSortAscending = true;
    bool ReportsPrint = true;
    bool OpenMostRecent = true;
    bool RTVExpandResources = true;
    bool RTVExpandGroups = true;

    bool BackupDialogCheckAndFix = true;
    bool BackupDialogPurgeAndDelete = true;
    bool BackupDialogCompactAndRepair = true;

    // Not stored: the settings dialog overrides the locale's first day of week (1 Monday, 7 Sunday) until the
    // program ends.
    bool OverrideFirstDayOfWeek = false;
    int OverrideFirstDay = 7;
    int EffectiveFirstDayOfWeek() const;

    // Reads every value from the history's read key (older names under an older version's key) and the
    // recent-files list when mru is given; the panel defaults divide the given client area. The grid
    // minutes and times are normalised and RefreshMins is at least 1.
    void LoadUserPreferences(const TApplicationVersionHistory& history, int clientWidth, int clientHeight,
                             TDvMru* mru = nullptr);
    // Each writes its values to the current key, creating it; nothing is written when it cannot be opened.
    // SaveUserPreferences ends with SaveRolloverSettings; SaveLayout also saves the recent-files list.
    void SaveUserPreferences(const TApplicationVersionHistory& history) const;
    void SaveRolloverSettings(const TApplicationVersionHistory& history) const;
    void SaveLayout(const TApplicationVersionHistory& history, const TDvMru* mru = nullptr) const;
    void SaveBackupDialogFlags(const TApplicationVersionHistory& history) const;

    // The refresh timer's interval; never 0, which would fire without a pause.
    int RefreshIntervalMs() const { return std::max(RefreshMins, 1) * 60000; }
};

// An earlier version's key, whose time grid values have their older names.
bool IsLegacySettingsKey(const QString& readKey);

// One stored value: its name, the member it fills and the writers that store it.
enum TPreferenceWriter : unsigned { pwPreferences = 1, pwRollover = 2, pwLayout = 4, pwBackup = 8 };

struct TPreferenceValue {
    const char* Name;
    std::variant<bool TUserPreferences::*, int TUserPreferences::*, QString TUserPreferences::*,
                 TDateTime TUserPreferences::*>
        Member;
    unsigned Writers;
    // The name read instead under an older version's key; null when it has none.
    const char* LegacyName = nullptr;
};

// Every value in the order it is read.
std::span<const TPreferenceValue> PreferenceValues();
