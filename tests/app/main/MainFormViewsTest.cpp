// The main window's booking views over a real database file with bookings: the chosen resources, each grid view's
// load, the calendar's date, switching tabs, the date label and the refresh timer.
#include "app/grids/MonthGrid.h"
#include "app/main/BookingViewsFixture.h"
#include "app/main/ProgramRun.h"
#include "controls/edit/MonthCalendar.h"
#include "data/bookings/ResourceBookings.h"
#include "data/module/DataModule.h"
#include "data/module/SQLDataModule.h"
#include "data/support/BookingDatabaseFixture.h"
#include "platform/rtl/DateTimeFormat.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/Exceptions.h"
#include "platform/ui/Containers.h"
#include "platform/ui/Label.h"
#include "platform/ui/Lists.h"
#include "platform/ui/Menus.h"
#include "platform/ui/Timer.h"
#include "platform/ui/UpDown.h"
#include "support/TestEnvironment.h"
#include "util/core/VersionHistory.h"

#include <gtest/gtest.h>
#include <QDir>

namespace {

using testing_env::kViewsDay;

class MainFormViewsTest : public testing_env::BookingViewsTest {};

TEST_F(MainFormViewsTest, AResourceShowsItsBookingsOfTheCalendarsDayAndAGroupItsMembersColumns) {
    auto form = Open();
    Select(*form, form->ResourcesNode, QStringLiteral("Room A"));
    ASSERT_EQ(form->SelectedResources.GetCount(), 1);
    EXPECT_EQ(form->SelectedResources.GetItem(0)->ResourceId, 2);
    EXPECT_TRUE(form->DayGrid->isVisible());
    EXPECT_EQ(form->DayGrid->ColCount(), 2);
    EXPECT_EQ(ColumnIds(*form->DayGrid, 1), QList<int>{10});
    // The 9:00 booking starts on the third 30-minute row after 8:00.
    ASSERT_NE(form->DayGrid->GetCell(1, 3), nullptr);
    EXPECT_EQ(form->DayGrid->GetCell(1, 2), nullptr);
    EXPECT_EQ(form->DateLabel->Caption(), FormatDateTime(QStringLiteral("dddddd"), kViewsDay));

    Select(*form, form->GroupsNode, QStringLiteral("Floor 1"));
    EXPECT_EQ(form->SelectedGroupName, QStringLiteral("Floor 1"));
    ASSERT_EQ(form->DayGrid->ColCount(), 3);
    EXPECT_EQ(form->DayGrid->GetResource(1, 0)->ResourceName, QStringLiteral("Room A"));
    EXPECT_EQ(form->DayGrid->GetResource(2, 0)->ResourceName, QStringLiteral("Room B"));
    EXPECT_EQ(ColumnIds(*form->DayGrid, 1), QList<int>{10});
    EXPECT_EQ(ColumnIds(*form->DayGrid, 2), QList<int>{12});

    // A group without members is no selection at all.
    Select(*form, form->GroupsNode, QStringLiteral("Empty"));
    EXPECT_EQ(form->SelectedResources.GetCount(), 0);
    EXPECT_FALSE(form->DayGrid->isVisible());
    EXPECT_TRUE(form->Find<TLabel>(QStringLiteral("DayNoResourcesLabel"))->isVisible());
    EXPECT_TRUE(testing_env::Messages().Texts().empty());
}

TEST_F(MainFormViewsTest, ChangingTheCalendarsDateOrTheTabReloadsTheActiveView) {
    auto form = Open();
    Select(*form, form->ResourcesNode, QStringLiteral("Room A"));
    const int loads = form->LoadCount;
    Word key = VK_RIGHT;
    form->Calendar->KeyDown(key, {});
    EXPECT_EQ(form->LoadCount, loads + 1);
    EXPECT_EQ(ColumnIds(*form->DayGrid, 1), QList<int>{11});

    // The week view shows the one resource's week, a column a day, and the week's year.
    form->DataPageControl->SetActivePage(form->WeekViewTabSheet);
    EXPECT_EQ(form->Preferences.BookingView, QStringLiteral("week"));
    ASSERT_TRUE(form->WeekGrid->isVisible());
    EXPECT_LE(form->WeekGrid->WeekInfo.FirstDate, kViewsDay);
    EXPECT_GE(form->WeekGrid->WeekInfo.LastDate, kViewsDay + 1);
    QList<int> weekIds;
    for (int col = 1; col < form->WeekGrid->ColCount(); ++col) weekIds << ColumnIds(*form->WeekGrid, col);
    EXPECT_EQ(weekIds, (QList<int>{10, 11}));
    EXPECT_EQ(form->DateLabel->Caption(), QStringLiteral("2026"));
    EXPECT_FALSE(form->WeekViewResourceComboBox->isVisible());

    // A group's week view offers its members and shows the chosen one.
    Select(*form, form->GroupsNode, QStringLiteral("Floor 1"));
    EXPECT_TRUE(form->WeekViewResourceComboBox->isVisible());
    EXPECT_EQ(form->WeekViewResourceComboBox->Items().Count(), 2);
    EXPECT_EQ(form->WeekViewResourceComboBox->ItemIndex(), 0);
    // As the user's choice: the list's own change event.
    form->WeekViewResourceComboBox->SetItemIndex(1);
    form->WeekViewResourceComboBox->OnChange(form->WeekViewResourceComboBox);
    weekIds.clear();
    for (int col = 1; col < form->WeekGrid->ColCount(); ++col) weekIds << ColumnIds(*form->WeekGrid, col);
    EXPECT_EQ(weekIds, QList<int>{12});

    // The multi-day view: resources down, the calendar's date and 13 after across.
    form->DataPageControl->SetActivePage(form->MultiDayViewTabSheet);
    ASSERT_TRUE(form->MultiDayGrid->isVisible());
    EXPECT_EQ(form->MultiDayGrid->RowCount(), 3);
    EXPECT_EQ(form->MultiDayGrid->ColCount(), 15);
    EXPECT_EQ(form->DateLabel->Caption(), QStringLiteral("2026"));

    // The month view: the calendar's month, the van's booking on the 20th.
    Select(*form, form->ResourcesNode, QStringLiteral("Van"));
    form->DataPageControl->SetActivePage(form->MonthViewTabSheet);
    ASSERT_TRUE(form->MonthGrid->isVisible());
    EXPECT_EQ(form->MonthGrid->Info.MonthStart, EncodeDate(2026, 3, 1));
    EXPECT_EQ(form->MonthGrid->GetSelectedDate(), kViewsDay + 1);
    EXPECT_EQ(form->DateLabel->Caption(), QStringLiteral("March 2026"));
    // The calendar moved into another month lays that month out.
    form->Calendar->SetDate(EncodeDate(2026, 4, 30));
    key = VK_RIGHT;
    form->Calendar->KeyDown(key, {});
    EXPECT_EQ(form->MonthGrid->Info.MonthStart, EncodeDate(2026, 5, 1));
    EXPECT_EQ(form->DateLabel->Caption(), QStringLiteral("May 2026"));
    EXPECT_TRUE(testing_env::Messages().Texts().empty());
}

TEST_F(MainFormViewsTest, TheWeekViewsUpDownStepsThroughTheGroupsResourcesWithItsList) {
    auto form = Open(QStringLiteral("week"));
    Select(*form, form->GroupsNode, QStringLiteral("Floor 1"));
    TUpDown& upDown = *form->UpDownWeekViewResource;
    ASSERT_TRUE(upDown.isVisible());
    EXPECT_EQ(upDown.Max(), 1);
    EXPECT_EQ(form->WeekViewResourceComboBox->Left(), upDown.Left() + upDown.Width() + 4);
    const auto shown = [&] { return form->WeekGrid->Resource->ResourceName; };
    EXPECT_EQ(shown(), QStringLiteral("Room A"));
    upDown.Click(btNext);
    EXPECT_EQ(shown(), QStringLiteral("Room B"));
    EXPECT_EQ(form->WeekViewResourceComboBox->ItemIndex(), 1);
    // The last resource stays the last.
    upDown.Click(btNext);
    EXPECT_EQ(upDown.Position(), 1);
    EXPECT_EQ(form->Preferences.WeekViewResourceIndex, 1);
    form->WeekViewResourceComboBox->SetItemIndex(0);
    form->WeekViewResourceComboBox->OnChange(form->WeekViewResourceComboBox);
    EXPECT_EQ(upDown.Position(), 0);
    EXPECT_EQ(shown(), QStringLiteral("Room A"));
    // A single resource needs no choice.
    Select(*form, form->ResourcesNode, QStringLiteral("Van"));
    EXPECT_FALSE(upDown.isVisible());
}

TEST_F(MainFormViewsTest, TheDayViewTakesTheDateOfTheMultiDayColumnAndTheLabelSpansANewYear) {
    auto form = Open(QStringLiteral("multiday"));
    Select(*form, form->ResourcesNode, QStringLiteral("Room A"));
    form->Calendar->SetDate(EncodeDate(2026, 12, 25));
    form->RefreshView();
    EXPECT_EQ(form->DateLabel->Caption(), QStringLiteral("2026 - 2027"));
    form->Calendar->SetDate(kViewsDay);
    form->RefreshView();
    TGridRect fourth;
    fourth.Left = fourth.Right = 4;
    fourth.Top = fourth.Bottom = 1;
    form->MultiDayGrid->SetSelection(fourth);
    form->DataPageControl->SetActivePage(form->DayViewTabSheet);
    EXPECT_EQ(DateOf(form->Calendar->Date()), kViewsDay + 3);
}

TEST_F(MainFormViewsTest, RefreshShowsWhatAnotherUserBooked) {
    auto form = Open();
    Select(*form, form->ResourcesNode, QStringLiteral("Room A"));
    AddAsAnotherUser({20, 2, kViewsDay + EncodeTime(15, 0, 0, 0), kViewsDay + EncodeTime(16, 0, 0, 0)});
    EXPECT_EQ(ColumnIds(*form->DayGrid, 1), QList<int>{10});
    form->Item(QStringLiteral("RefreshItem"))->Click();
    EXPECT_EQ(ColumnIds(*form->DayGrid, 1), (QList<int>{10, 20}));
}

TEST_F(MainFormViewsTest, OverlapsAreReportedOnceALoadNotOnEveryLayout) {
    auto form = Open();
    Select(*form, form->ResourcesNode, QStringLiteral("Room B"));
    AddAsAnotherUser({21, 1, kViewsDay + EncodeTime(8, 30, 0, 0), kViewsDay + EncodeTime(9, 30, 0, 0)});
    testing_env::Messages().Clear();
    form->RefreshView();
    EXPECT_EQ(testing_env::Messages().Texts(),
              std::vector<QString>{QStringLiteral(
                  "There are overlapping bookings on this date. Please run the Check and Fix utility.")});
    // Laying the view out again (a resize) reuses the load and says nothing more.
    form->LayoutActiveView();
    EXPECT_EQ(testing_env::Messages().Texts().size(), 1u);
    EXPECT_EQ(ColumnIds(*form->DayGrid, 1), (QList<int>{12, 21}));
}

TEST_F(MainFormViewsTest, TheRefreshTimerReloadsTheViewAndRunsOnAfterwards) {
    auto form = Open();
    form->Preferences.RefreshMins = 1;
    form->Preferences.RefreshEnabled = true;
    Select(*form, form->ResourcesNode, QStringLiteral("Room A"));
    const int loads = form->LoadCount;
    form->RefreshTimer->SetEnabled(true);
    form->RefreshTimer->OnTimer()(form->RefreshTimer);
    EXPECT_EQ(form->LoadCount, loads + 1);
    EXPECT_TRUE(form->RefreshTimer->Enabled());
    EXPECT_EQ(form->RefreshTimer->Interval(), 60000);

    // A tick whose reload raises says what may have happened, and the timer goes on.
    form->RefreshView = [] { throw Exception(QStringLiteral("connection lost")); };
    testing_env::Messages().Clear();
    form->RefreshTimer->OnTimer()(form->RefreshTimer);
    EXPECT_EQ(
        testing_env::Messages().Texts(),
        std::vector<QString>{QStringLiteral("Database refresh failed. Possible reason is lost network connection.")});
    EXPECT_TRUE(form->RefreshTimer->Enabled());
}

}  // namespace
