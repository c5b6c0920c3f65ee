// The preferences stored before a start, as the program's run starts the main window over a real database
// file: every view preference reaches the grids, the calendar and the menu, and the day and week grids open on
// their "View Top" time.
#include "BookingViewsFixture.h"

#include "app/grids/MonthGrid.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/ui/Containers.h"
#include "platform/ui/Lists.h"
#include "platform/ui/Menus.h"
#include "platform/ui/ScrollBar.h"
#include "platform/ui/UpDown.h"
#include "util/core/DvRegistry.h"

#include <QFontMetrics>

namespace {

using testing_env::BookingViewsTest;
using testing_env::kViewsDay;

const QString kStartKey = QStringLiteral("\\Software\\Dulvex\\Tavorin\\7.0");

TDateTime StartTime(int h, int m) { return EncodeTime(h, m, 0, 0); }

int TextHeightOfA(const TFont& font) { return QFontMetrics(font.ToQFont()).height(); }

class MainFormStartTest : public BookingViewsTest {
protected:
    // The program's start with the file as its argument: the window is made (reading its preferences), the
    // data module's settings are read, the window shown and the file opened.
    std::unique_ptr<TMainForm> Start(const QString& path) {
        // The version keys are looked for again, now that the values are stored.
        CreateVersionHistory();
        auto form = std::make_unique<TMainForm>(data, TMainWindowServices{});
        TProgramWindow window;
        window.ShowMainWindow = [&form] { form->Show(); };
        window.OpenDatabase = [&form](const QString& file, const QString& password, const QString& message) {
            form->OpenDatabase(file, password, message);
        };
        window.RunLoop = [] {};
        RunProgram(data, form->Preferences.OpenMostRecent, {path}, window);
        return form;
    }

    // Values written to the current key before the start, as an earlier run would have saved them.
    static void Store(const std::function<void(TRegistry&)>& write) {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey(kStartKey, true));
        // The views show Room A; the tests choose the tab.
        reg.WriteString(QStringLiteral("ResourceView"), QStringLiteral("Resources"));
        reg.WriteString(QStringLiteral("ResourceViewResource"), QStringLiteral("Room A"));
        write(reg);
    }

    // The label of the grid's top row, the time the grid shows first.
    static QString TopLabel(const TTimeIntervalBookingGrid& grid) { return grid.GetText(0, grid.TopRow()); }
};

// Restores the pinned locale's first day of the week after a test that pretends another locale.
struct LocaleFirstDay {
    int saved = FormatSettings.FirstDayOfWeek;
    explicit LocaleFirstDay(int firstDay) { FormatSettings.FirstDayOfWeek = firstDay; }
    ~LocaleFirstDay() { FormatSettings.FirstDayOfWeek = saved; }
};

TEST_F(MainFormStartTest, EveryStoredViewPreferenceReachesTheGridsCalendarAndMenuAtStart) {
    const QString path = Fixture();
    Store([](TRegistry& reg) {
        reg.WriteBool(QStringLiteral("DisplayAs24Hour"), true);
        reg.WriteString(QStringLiteral("BookingView"), QStringLiteral("week"));
        reg.WriteString(QStringLiteral("CalendarFontName"), QStringLiteral("DejaVu Serif"));
        reg.WriteInteger(QStringLiteral("CalendarFontNameSize"), 11);
        reg.WriteString(QStringLiteral("DayGridFontName"), QStringLiteral("DejaVu Serif"));
        reg.WriteInteger(QStringLiteral("DayGridFontSize"), 14);
        reg.WriteInteger(QStringLiteral("MultiDayGridFontSize"), 11);
        reg.WriteInteger(QStringLiteral("WeekGridFontSize"), 12);
        reg.WriteInteger(QStringLiteral("MonthGridFontSize"), 10);
        reg.WriteBool(QStringLiteral("WeekSatVisible"), false);
        reg.WriteBool(QStringLiteral("WeekSunVisible"), false);
        reg.WriteBool(QStringLiteral("MonthSunVisible"), false);
        reg.WriteBool(QStringLiteral("MonthGridBoldClient"), true);
        reg.WriteBool(QStringLiteral("MonthGridShowDescription"), false);
        reg.WriteBool(QStringLiteral("ShowBookingMonthRollover"), true);
        reg.WriteBool(QStringLiteral("ShowToday"), false);
        reg.WriteBool(QStringLiteral("ShowTodayCircle"), false);
        reg.WriteBool(QStringLiteral("ShowCalendarScrollBar"), false);
        reg.WriteBool(QStringLiteral("ReportsPrint"), false);
    });
    // A locale whose week starts on Monday.
    const LocaleFirstDay monday(0);
    auto form = Start(path);
    ASSERT_TRUE(form->DatabaseOpen());
    EXPECT_TRUE(testing_env::Messages().Texts().empty());
    form->Calendar->SetDate(kViewsDay);
    form->RefreshView();
    ASSERT_EQ(form->DataPageControl->ActivePage(), form->WeekViewTabSheet);

    // The week grid: 24-hour labels, its font, Monday first and no weekend columns.
    TWeekGrid& week = *form->WeekGrid;
    ASSERT_TRUE(week.Visible());
    EXPECT_TRUE(week.Use24Hour);
    EXPECT_EQ(week.GetText(0, 1), QStringLiteral("08:00"));
    EXPECT_EQ(week.GetText(0, 2), QStringLiteral("08:30"));
    EXPECT_EQ(week.Font().Size(), 12);
    EXPECT_EQ(week.DefaultRowHeight(), TextHeightOfA(week.Font()) + 1);
    EXPECT_EQ(week.FirstDayOfWeek, 1);
    EXPECT_EQ(week.ColumnOfDay(1), 1);
    EXPECT_EQ(week.WeekInfo.FirstDate, EncodeDate(2026, 3, 2));
    for (int day = 1; day <= 7; ++day) {
        const bool shown = day <= 5;
        EXPECT_EQ(week.GetDayVisible(day), shown) << day;
        EXPECT_EQ(week.ColWidths(week.ColumnOfDay(day)) > 0, shown) << day;
    }
    // The week view leaves the calendar's scroll bar as it is: the start has hidden it.
    EXPECT_FALSE(form->CalendarScrollBar->Visible());

    // The calendar and the menu.
    EXPECT_EQ(form->Calendar->Font().Name(), QStringLiteral("DejaVu Serif"));
    EXPECT_EQ(form->Calendar->Font().Size(), 11);
    EXPECT_EQ(form->Calendar->FirstDayOfWeek(), wwdowMonday);
    EXPECT_TRUE(form->Calendar->Options().Contains(mdoNoToday));
    EXPECT_TRUE(form->Calendar->Options().Contains(mdoNoTodayCircle));
    EXPECT_FALSE(form->Item(QStringLiteral("PrintPredefinedItem"))->Checked());
    EXPECT_TRUE(form->Item(QStringLiteral("PreviewPredefinedItem"))->Checked());

    // The day grid: 24-hour labels and the larger font with rows to match.
    form->DataPageControl->SetActivePage(form->DayViewTabSheet);
    TDayGrid& day = *form->DayGrid;
    ASSERT_TRUE(day.Visible());
    EXPECT_TRUE(day.Use24Hour);
    EXPECT_EQ(day.GetText(0, 3), QStringLiteral("09:00"));
    EXPECT_EQ(day.Font().Name(), QStringLiteral("DejaVu Serif"));
    EXPECT_EQ(day.Font().Size(), 14);
    EXPECT_EQ(day.DefaultRowHeight(), TextHeightOfA(day.Font()) + 1);
    EXPECT_EQ(form->MultiDayGrid->Font().Size(), 11);
    EXPECT_TRUE(form->MultiDayGrid->Use24Hour);

    // The month grid: its options (the start time by default), its font, Monday first and no Sunday.
    form->DataPageControl->SetActivePage(form->MonthViewTabSheet);
    TTavorinMonthGrid& month = *form->MonthGrid;
    ASSERT_TRUE(month.Visible());
    EXPECT_TRUE(month.Use24Hour);
    EXPECT_EQ(month.TimeFormat, QStringLiteral("hh:mm"));
    EXPECT_TRUE(month.ShowStartTime);
    EXPECT_TRUE(month.BoldClient);
    EXPECT_FALSE(month.ShowDescription);
    EXPECT_TRUE(month.ShowHint());
    EXPECT_EQ(month.Font().Size(), 10);
    EXPECT_EQ(month.LineHeight, TextHeightOfA(month.Font()) + 2);
    EXPECT_EQ(month.FirstDayOfWeek, 1);
    EXPECT_EQ(month.Info.FirstShownDate, EncodeDate(2026, 2, 23));
    EXPECT_FALSE(month.GetDayVisible(7));
    EXPECT_EQ(month.ColWidths(month.ColumnOfDay(7)), -1);
    EXPECT_GT(month.ColWidths(month.ColumnOfDay(6)), 0);
    EXPECT_TRUE(testing_env::Messages().Texts().empty());
}

TEST_F(MainFormStartTest, WithNothingStoredTheGridsShowTheDefaultPreferencesNotTheirOwn) {
    const QString path = Fixture();
    auto form = Start(path);
    ASSERT_TRUE(form->DatabaseOpen());
    // The month view begins its lines with the start time, in the 12-hour clock of the default.
    EXPECT_TRUE(form->MonthGrid->ShowStartTime);
    EXPECT_FALSE(form->MonthGrid->BoldClient);
    EXPECT_TRUE(form->MonthGrid->ShowDescription);
    EXPECT_EQ(form->MonthGrid->TimeFormat, QStringLiteral("h:mm am/pm"));
    // Descriptions show in every time grid, and the grids' fonts are the preferences' (8 points).
    EXPECT_TRUE(form->DayGrid->ShowDescription);
    EXPECT_TRUE(form->WeekGrid->ShowDescription);
    for (const TCustomGrid* grid :
         std::initializer_list<const TCustomGrid*>{form->DayGrid, form->MultiDayGrid, form->WeekGrid, form->MonthGrid})
        EXPECT_EQ(grid->Font().Size(), 8) << grid->Name().toStdString();
    EXPECT_EQ(form->Calendar->Font().Size(), 8);
    EXPECT_TRUE(form->Item(QStringLiteral("PrintPredefinedItem"))->Checked());
    EXPECT_FALSE(form->Item(QStringLiteral("PreviewPredefinedItem"))->Checked());
}

TEST_F(MainFormStartTest, TheWeekViewOfAGroupStartsOnTheStoredResourceAndAnotherGroupOnItsFirst) {
    const QString path = Fixture();
    Store([](TRegistry& reg) {
        reg.WriteString(QStringLiteral("BookingView"), QStringLiteral("week"));
        reg.WriteString(QStringLiteral("ResourceView"), QStringLiteral("Groups"));
        reg.WriteString(QStringLiteral("ResourceViewGroup"), QStringLiteral("Floor 1"));
        reg.WriteInteger(QStringLiteral("WeekViewResourceIndex"), 1);
    });
    auto form = Start(path);
    ASSERT_TRUE(form->DatabaseOpen());
    ASSERT_EQ(form->ResourceTreeView->Selected()->Text(), QStringLiteral("Floor 1"));
    // The group's resources by name: Room A, then Room B.
    EXPECT_EQ(form->UpDownWeekViewResource->Position(), 1);
    ASSERT_NE(form->WeekGrid->Resource, nullptr);
    EXPECT_EQ(form->WeekGrid->Resource->ResourceName, QStringLiteral("Room B"));
    EXPECT_EQ(form->WeekViewResourceComboBox->Text(), QStringLiteral("Room B"));
    EXPECT_EQ(form->Preferences.WeekViewResourceIndex, 1);

    // A resource and then another group: the week view starts at the group's first resource.
    Select(*form, form->ResourcesNode, QStringLiteral("Van"));
    Select(*form, form->GroupsNode, QStringLiteral("Empty"));
    Select(*form, form->GroupsNode, QStringLiteral("Floor 1"));
    EXPECT_EQ(form->UpDownWeekViewResource->Position(), 0);
    EXPECT_EQ(form->WeekGrid->Resource->ResourceName, QStringLiteral("Room A"));
}

TEST_F(MainFormStartTest, TheDayAndWeekGridsOpenOnTheirViewTopAndKeepWhereTheUserScrolledOnARefresh) {
    const QString path = Fixture();
    Store([](TRegistry& reg) {
        reg.WriteString(QStringLiteral("BookingView"), QStringLiteral("day"));
        // Quarter-hour rows from 8:00 to 22:00: more rows than the window shows.
        reg.WriteInteger(QStringLiteral("DayViewMinIncrement"), 15);
        reg.WriteDateTime(QStringLiteral("DayViewInitialTime"), StartTime(13, 0));
        reg.WriteInteger(QStringLiteral("WeekViewMinIncrement"), 15);
        reg.WriteDateTime(QStringLiteral("WeekViewInitialTime"), StartTime(12, 0));
    });
    auto form = Start(path);
    ASSERT_TRUE(form->DatabaseOpen());
    TDayGrid& day = *form->DayGrid;
    ASSERT_TRUE(day.Visible());
    ASSERT_EQ(day.RowCount(), 57);
    // 13:00 is row 21; the grid is not tall enough to show every row from there on.
    ASSERT_LT(day.VisibleRowCount(), day.RowCount() - 21);
    EXPECT_EQ(day.TopRow(), 21);
    EXPECT_EQ(TopLabel(day), QStringLiteral("1:00 pm"));

    // A refresh or another date keeps the row the user scrolled to.
    day.SetTopRow(30);
    form->RefreshItemClick();
    EXPECT_EQ(day.TopRow(), 30);
    form->CalendarScrollBarScroll(scLineDown);
    EXPECT_EQ(day.TopRow(), 30);

    // The week grid's tab opens on its own time, and the day grid's on its time again.
    form->DataPageControl->SetActivePage(form->WeekViewTabSheet);
    TWeekGrid& week = *form->WeekGrid;
    ASSERT_TRUE(week.Visible());
    EXPECT_EQ(week.TopRow(), 17);
    EXPECT_EQ(TopLabel(week), QStringLiteral("12:00 pm"));
    form->DataPageControl->SetActivePage(form->DayViewTabSheet);
    EXPECT_EQ(day.TopRow(), 21);

    // Reopening the file opens the grids on their times again, wherever they were.
    day.SetTopRow(1);
    form->OpenDatabase(path, QString(), QString());
    EXPECT_EQ(day.TopRow(), 21);
    EXPECT_TRUE(testing_env::Messages().Texts().empty());
}

TEST_F(MainFormStartTest, AViewTopOutsideTheViewIsItsStartAndAGridThatHoldsEveryRowStaysAtItsTop) {
    const QString path = Fixture();
    Store([](TRegistry& reg) {
        reg.WriteString(QStringLiteral("BookingView"), QStringLiteral("day"));
        reg.WriteInteger(QStringLiteral("DayViewMinIncrement"), 15);
        // Outside 10:00 to 22:00: the normalisation makes it the start time.
        reg.WriteDateTime(QStringLiteral("DayViewStartTime"), StartTime(10, 0));
        reg.WriteDateTime(QStringLiteral("DayViewInitialTime"), StartTime(7, 0));
    });
    auto form = Start(path);
    ASSERT_TRUE(form->DatabaseOpen());
    EXPECT_EQ(form->DayGrid->InitialTime, StartTime(10, 0));
    EXPECT_EQ(form->DayGrid->TopRow(), 1);
    EXPECT_EQ(TopLabel(*form->DayGrid), QStringLiteral("10:00 am"));

    // Hourly rows from 20:00 to 22:00 fit the grid: 21:00 cannot be scrolled to the top.
    form->Preferences.DayViewStartTime = StartTime(20, 0);
    form->Preferences.DayViewMinIncrement = 60;
    form->Preferences.DayViewInitialTime = StartTime(21, 0);
    form->ApplyGridPreferences();
    form->DataPageControl->SetActivePage(form->WeekViewTabSheet);
    form->DataPageControl->SetActivePage(form->DayViewTabSheet);
    ASSERT_EQ(form->DayGrid->RowCount(), 3);
    EXPECT_EQ(form->DayGrid->TopRow(), 1);
}

}  // namespace
