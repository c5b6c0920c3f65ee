// The main window's preferences: names, defaults, older names, normalisation and which writer stores what.
#include "app/main/UserPreferences.h"
#include "util/DvMru.h"
#include "util/core/DvRegistry.h"
#include "util/core/VersionHistory.h"

#include "platform/ui/Menus.h"

#include <gtest/gtest.h>
#include <QVariant>

namespace {

const QString kPreferencesKey = QStringLiteral("\\Software\\Dulvex\\Tavorin\\7.0");
const QString kRanvel5 = QStringLiteral("\\Software\\Dulvex\\Ranvel\\5.0");

TDateTime Time(int h, int m) { return EncodeTime(h, m, 0, 0); }

// A member's value by its stored name, as a variant for comparing.
QVariant Get(const TUserPreferences& p, const QString& name) {
    for (const TPreferenceValue& v : PreferenceValues())
        if (QString::fromLatin1(v.Name) == name)
            return std::visit([&](auto member) { return QVariant::fromValue(p.*member); }, v.Member);
    ADD_FAILURE() << "no value " << name.toStdString();
    return {};
}

TUserPreferences Load(int width = 900, int height = 600) {
    CreateVersionHistory();
    TUserPreferences p;
    p.LoadUserPreferences(*VersionHistory, width, height);
    return p;
}

TRegistry OpenKey(const QString& key) {
    TRegistry reg;
    EXPECT_TRUE(reg.OpenKey(key, true));
    return reg;
}

// Value names of the current key.
QStringList StoredNames() {
    TRegistry reg;
    QStringList names;
    if (reg.OpenKeyReadOnly(kPreferencesKey)) reg.GetValueNames(names);
    return names;
}

}  // namespace

TEST(UserPreferences, WithoutAnyKeyEveryValueHasItsDefault) {
    struct Case {
        const char* name;
        QVariant value;
    };
    const QString sans = QStringLiteral("MS Sans Serif");
    const Case cases[] = {
        {"BookingColor", 0xFFFF00},
        {"BookingReminderColor", 0xFFFF00},
        {"TextColor", 0},
        {"RefreshEnabled", true},
        {"RefreshMins", 5},
        {"CalendarFontName", sans},
        {"CalendarFontNameSize", 8},
        {"DayGridFontName", sans},
        {"DayGridFontSize", 8},
        {"DayGridBoldClient", true},
        {"DayGridShowDescription", true},
        {"ShowBookingDayRollover", true},
        {"BookingDayRolloverColor", 0x80FFFF},
        {"DayViewMinIncrement", 30},
        {"DayViewStartTime", Time(8, 0)},
        {"DayViewEndTime", Time(22, 0)},
        {"DayViewInitialTime", Time(9, 0)},
        {"AutoDayColumnSize", true},
        {"DayColumnSize", 100},
        {"MultiDayGridFontName", sans},
        {"MultiDayGridFontSize", 8},
        {"MultiDayGridBoldClient", true},
        {"MultiDayGridShowDescription", true},
        {"ShowBookingMultiDayRollover", true},
        {"BookingMultiDayRolloverColor", 0x80FFFF},
        {"MultiDayDaysBefore", 0},
        {"MultiDayDaysAfter", 13},
        {"AutoMultiDayColumnSize", true},
        {"MultiDayColumnSize", 100},
        {"WeekGridFontName", sans},
        {"WeekGridFontSize", 8},
        {"WeekGridBoldClient", true},
        {"WeekGridShowDescription", true},
        {"ShowBookingWeekRollover", true},
        {"BookingWeekRolloverColor", 0x80FFFF},
        {"WeekViewResourceIndex", 0},
        {"WeekViewMinIncrement", 30},
        {"WeekViewStartTime", Time(8, 0)},
        {"WeekViewEndTime", Time(22, 0)},
        {"WeekViewInitialTime", Time(9, 0)},
        {"AutoWeekColumnSize", true},
        {"WeekColumnSize", 100},
        {"WeekMonVisible", true},
        {"WeekTueVisible", true},
        {"WeekWedVisible", true},
        {"WeekThrVisible", true},
        {"WeekFriVisible", true},
        {"WeekSatVisible", true},
        {"WeekSunVisible", true},
        {"MonthGridFontName", sans},
        {"MonthGridFontSize", 8},
        {"MonthGridBoldClient", false},
        {"MonthGridShowStartTime", true},
        {"MonthGridShowDescription", true},
        {"ShowBookingMonthRollover", true},
        {"BookingMonthRolloverColor", 0x80FFFF},
        {"MonthNewBookingAllDay", true},
        {"AutoMonthColumnSize", true},
        {"MonthColumnSize", 100},
        {"MonthMonVisible", true},
        {"MonthTueVisible", true},
        {"MonthWedVisible", true},
        {"MonthThrVisible", true},
        {"MonthFriVisible", true},
        {"MonthSatVisible", true},
        {"MonthSunVisible", true},
        {"ResourceView", QString()},
        {"ResourceViewResource", QString()},
        {"ResourceViewGroup", QString()},
        {"BookingView", QStringLiteral("day")},
        {"TopPanel", 200},
        {"BottomPanel", 401},
        {"ResourcePanel", 301},
        {"CalendarPanel", 602},
        {"ShowToday", true},
        {"ShowTodayCircle", true},
        {"ShowCalendarScrollBar", true},
        {"StatusBar", true},
        {"Toolbar", true},
        {"TaskSortField", QStringLiteral("DueDate")},
        {"TaskSortAscending", true},
        {"ReportsPrint", true},
        {"OpenMostRecent", true},
        {"RTVExpandResources", true},
        {"RTVExpandGroups", true},
        {"BackupDialogCheckAndFix", true},
        {"BackupDialogPurgeAndDelete", true},
        {"BackupDialogCompactAndRepair", true},
    };
    // Every stored value is in the table above, in the order it is read.
    ASSERT_EQ(PreferenceValues().size(), std::size(cases));
    for (size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(PreferenceValues()[i].Name, std::string(cases[i].name));

    const TUserPreferences p = Load(903, 601);  // the panel defaults divide the client area
    for (const Case& c : cases) EXPECT_EQ(Get(p, QString::fromLatin1(c.name)), c.value) << c.name;
    EXPECT_EQ(p.RefreshIntervalMs(), 300000);

    // The first save makes the current key.
    EXPECT_TRUE(StoredNames().isEmpty());
    p.SaveUserPreferences(*VersionHistory);
    EXPECT_TRUE(StoredNames().contains(QStringLiteral("BookingColor")));
}

TEST(UserPreferences, EachWriterStoresItsOwnValuesWithTheirKinds) {
    const TUserPreferences p = Load();
    QStringList preferences, rollover, layout, backup;
    for (const TPreferenceValue& v : PreferenceValues()) {
        const QString name = QString::fromLatin1(v.Name);
        if (v.Writers & pwPreferences) preferences << name;
        if (v.Writers & (pwPreferences | pwRollover)) rollover << name;
        if (v.Writers & pwLayout) layout << name;
        if (v.Writers & pwBackup) backup << name;
    }
    EXPECT_EQ(preferences.size(), 64);
    EXPECT_EQ(rollover.size() - preferences.size(), 2);  // the month grid's rollover values
    EXPECT_EQ(layout.size(), 19);
    EXPECT_EQ(backup.size(), 3);

    const auto storedAfter = [](auto save) {
        TRegistry reg;
        reg.DeleteKey(QStringLiteral("\\Software"));
        save();
        QStringList names = StoredNames();
        names.sort();
        return names;
    };
    const auto sorted = [](QStringList l) {
        l.sort();
        return l;
    };
    QStringList rolloverOnly{"ShowBookingDayRollover",       "BookingDayRolloverColor",  "ShowBookingMultiDayRollover",
                             "BookingMultiDayRolloverColor", "ShowBookingWeekRollover",  "BookingWeekRolloverColor",
                             "ShowBookingMonthRollover",     "BookingMonthRolloverColor"};
    EXPECT_EQ(storedAfter([&] { p.SaveUserPreferences(*VersionHistory); }), sorted(rollover));
    EXPECT_EQ(storedAfter([&] { p.SaveRolloverSettings(*VersionHistory); }), sorted(rolloverOnly));
    EXPECT_EQ(storedAfter([&] { p.SaveLayout(*VersionHistory); }), sorted(layout));
    EXPECT_EQ(storedAfter([&] { p.SaveBackupDialogFlags(*VersionHistory); }), sorted(backup));

    // Kinds: colours and numbers are integers, times 8-byte binary values, flags integers.
    p.SaveUserPreferences(*VersionHistory);
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKeyReadOnly(kPreferencesKey));
    EXPECT_EQ(reg.GetDataType(QStringLiteral("BookingColor")), rdInteger);
    EXPECT_EQ(reg.ReadInteger(QStringLiteral("BookingDayRolloverColor")), 0x80FFFF);
    EXPECT_EQ(reg.GetDataType(QStringLiteral("DayViewStartTime")), rdBinary);
    EXPECT_EQ(reg.GetDataSize(QStringLiteral("DayViewStartTime")), 8);
    EXPECT_EQ(reg.GetDataType(QStringLiteral("DayGridBoldClient")), rdInteger);
    EXPECT_EQ(reg.GetDataType(QStringLiteral("DayGridFontName")), rdString);
}

TEST(UserPreferences, ChangedValuesComeBackFromTheCurrentKey) {
    TUserPreferences p = Load();
    p.BookingColor = 0x123456;
    p.RefreshEnabled = false;
    p.DayGridFontName = QStringLiteral("DejaVu Sans");
    p.WeekViewMinIncrement = 15;
    p.WeekViewStartTime = Time(6, 30);
    p.MonthSunVisible = false;
    p.BookingMonthRolloverColor = 0x00FF00;
    p.BookingView = QStringLiteral("week");
    p.TopPanel = 123;
    p.OpenMostRecent = false;
    p.BackupDialogCompactAndRepair = false;
    p.SaveUserPreferences(*VersionHistory);
    p.SaveLayout(*VersionHistory);
    p.SaveBackupDialogFlags(*VersionHistory);

    const TUserPreferences q = Load();
    for (const TPreferenceValue& v : PreferenceValues()) {
        const QString name = QString::fromLatin1(v.Name);
        EXPECT_EQ(Get(q, name), Get(p, name)) << v.Name;
    }
}

TEST(UserPreferences, AnOlderKeyIsReadThroughItsOlderNamesAndWrittenUnderTheNewOnes) {
    EXPECT_TRUE(IsLegacySettingsKey(QStringLiteral("\\software\\dulvex\\ranvel\\5.0")));
    EXPECT_TRUE(IsLegacySettingsKey(QStringLiteral("\\Software\\Dulvex\\Tavorin\\6.0")));
    EXPECT_FALSE(IsLegacySettingsKey(kPreferencesKey));
    {
        TRegistry reg = OpenKey(kRanvel5);
        reg.WriteInteger(QStringLiteral("MinInc"), 15);
        reg.WriteDateTime(QStringLiteral("StartTime"), Time(7, 0));
        reg.WriteInteger(QStringLiteral("WVDaysAfter"), 6);
        // The new names are not read from an older key.
        reg.WriteInteger(QStringLiteral("DayViewMinIncrement"), 60);
        reg.WriteInteger(QStringLiteral("RefreshMins"), 9);
    }
    const TUserPreferences p = Load();
    EXPECT_EQ(p.DayViewMinIncrement, 15);
    EXPECT_EQ(p.WeekViewMinIncrement, 15);
    EXPECT_EQ(p.DayViewStartTime, Time(7, 0));
    EXPECT_EQ(p.WeekViewStartTime, Time(7, 0));
    EXPECT_EQ(p.MultiDayDaysAfter, 6);
    EXPECT_EQ(p.RefreshMins, 9);

    p.SaveUserPreferences(*VersionHistory);
    TDvRegistry reg;
    ASSERT_TRUE(reg.OpenKeyReadOnly(kPreferencesKey));
    EXPECT_EQ(reg.ReadIntegerDefault(QStringLiteral("DayViewMinIncrement"), 0), 15);
    EXPECT_EQ(reg.ReadIntegerDefault(QStringLiteral("WeekViewMinIncrement"), 0), 15);
    EXPECT_EQ(reg.ReadDateTimeDefault(QStringLiteral("DayViewStartTime"), 0), Time(7, 0));
    EXPECT_EQ(reg.ReadDateTimeDefault(QStringLiteral("WeekViewStartTime"), 0), Time(7, 0));
    EXPECT_EQ(reg.ReadIntegerDefault(QStringLiteral("MultiDayDaysAfter"), 0), 6);
    // From now on the current key, with its new names, is read.
    const TUserPreferences q = Load();
    EXPECT_EQ(q.DayViewMinIncrement, 15);
    EXPECT_EQ(q.MultiDayDaysAfter, 6);
}

TEST(UserPreferences, StoredValuesAreNormalised) {
    struct Case {
        const char* what;
        int minutes;
        TDateTime start, end, initial;
        int expectedMinutes;
        TDateTime expectedStart, expectedEnd, expectedInitial;
    };
    const Case cases[] = {
        {"no rows", 0, Time(8, 0), Time(22, 0), Time(9, 0), 30, Time(8, 0), Time(22, 0), Time(9, 0)},
        {"too many minutes", 1000, Time(8, 0), Time(22, 0), Time(9, 0), 720, Time(8, 0), Time(22, 0), Time(9, 0)},
        {"end before start late in the day", 30, Time(23, 45), Time(8, 0), Time(9, 0), 30, Time(23, 15), Time(23, 45),
         Time(23, 15)},
        {"equal start and end", 30, Time(8, 0), Time(8, 0), Time(8, 0), 30, Time(8, 0), Time(8, 30), Time(8, 0)},
        {"initial time at the end", 30, Time(8, 0), Time(22, 0), Time(22, 0), 30, Time(8, 0), Time(22, 0), Time(8, 0)},
        // Only the time of day of a stored date and time counts.
        {"date part", 60, 45000 + Time(7, 0), 45000 + Time(20, 0), Time(10, 0), 60, Time(7, 0), Time(20, 0),
         Time(10, 0)},
        // Rows of 15 minutes still check the end against 30 minutes.
        {"row minutes not used", 15, Time(10, 0), Time(10, 0), Time(10, 0), 15, Time(10, 0), Time(10, 30), Time(10, 0)},
    };
    for (const Case& c : cases) {
        for (const char* grid : {"Day", "Week"}) {
            TRegistry().DeleteKey(QStringLiteral("\\Software"));
            TRegistry reg = OpenKey(kPreferencesKey);
            const QString prefix = QString::fromLatin1(grid) + QStringLiteral("View");
            reg.WriteInteger(prefix + QStringLiteral("MinIncrement"), c.minutes);
            reg.WriteDateTime(prefix + QStringLiteral("StartTime"), c.start);
            reg.WriteDateTime(prefix + QStringLiteral("EndTime"), c.end);
            reg.WriteDateTime(prefix + QStringLiteral("InitialTime"), c.initial);
            const TUserPreferences p = Load();
            EXPECT_EQ(Get(p, prefix + QStringLiteral("MinIncrement")).toInt(), c.expectedMinutes) << c.what << grid;
            EXPECT_NEAR(Get(p, prefix + QStringLiteral("StartTime")).toDouble(), c.expectedStart, 1e-9)
                << c.what << grid;
            EXPECT_NEAR(Get(p, prefix + QStringLiteral("EndTime")).toDouble(), c.expectedEnd, 1e-9) << c.what << grid;
            EXPECT_NEAR(Get(p, prefix + QStringLiteral("InitialTime")).toDouble(), c.expectedInitial, 1e-9)
                << c.what << grid;
        }
    }
}

TEST(UserPreferences, ValuesOfTheWrongKindReadAsTheirDefaults) {
    {
        TRegistry reg = OpenKey(kPreferencesKey);
        reg.WriteString(QStringLiteral("BookingColor"), QStringLiteral("clRed"));
        reg.WriteInteger(QStringLiteral("DayGridFontName"), 3);
        reg.WriteInteger(QStringLiteral("DayViewStartTime"), 7);
        reg.WriteInteger(QStringLiteral("RefreshMins"), 0);
        reg.WriteInteger(QStringLiteral("StatusBar"), 2);  // any non-zero value is true
        reg.WriteInteger(QStringLiteral("Toolbar"), 0);
    }
    const TUserPreferences p = Load();
    EXPECT_EQ(p.BookingColor, 0xFFFF00);
    EXPECT_EQ(p.DayGridFontName, QStringLiteral("MS Sans Serif"));
    EXPECT_EQ(p.DayViewStartTime, Time(8, 0));
    EXPECT_EQ(p.RefreshMins, 1);
    EXPECT_EQ(p.RefreshIntervalMs(), 60000);
    EXPECT_TRUE(p.StatusBar);
    EXPECT_FALSE(p.Toolbar);
}

TEST(UserPreferences, TheRecentFilesListTravelsWithTheLayout) {
    TMenuItem item(nullptr), item2(nullptr);
    TDvMru mru(nullptr), loaded(nullptr);
    mru.SetMenuItem(&item);
    mru.AddFile(QStringLiteral("/data/a.tvd"));
    mru.AddFile(QStringLiteral("/data/b.tvd"));
    TUserPreferences p = Load();
    p.SaveLayout(*VersionHistory, &mru);

    loaded.SetMenuItem(&item2);
    CreateVersionHistory();
    p.LoadUserPreferences(*VersionHistory, 800, 600, &loaded);
    ASSERT_EQ(loaded.Count(), 2);
    EXPECT_EQ(loaded.GetFileName(0), QStringLiteral("/data/b.tvd"));
    TDvRegistry reg;
    ASSERT_TRUE(reg.OpenKeyReadOnly(kPreferencesKey + QStringLiteral("\\History")));
    EXPECT_EQ(reg.ReadStringDefault(QStringLiteral("DB_0"), QString()), QStringLiteral("/data/b.tvd"));
}
