// The main window's booking views over a real database file with bookings: the chosen resources, each grid view's
// load, the calendar's date, switching tabs, the date label and the refresh timer.
#include "app/grids/BookingGrid.h"
#include "app/grids/MonthGrid.h"
#include "app/main/MainForm.h"
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
#include "support/TestEnvironment.h"
#include "util/core/VersionHistory.h"

#include <gtest/gtest.h>
#include <QDir>

namespace {

// Tuesday 3 March 2026, and the Monday before it.
const TDateTime kDay = EncodeDate(2026, 3, 3);

class MainFormViewsTest : public ::testing::Test {
protected:
    TData data;
    std::unique_ptr<TSQLData> lookup;

    MainFormViewsTest() {
        CreateVersionHistory();
        Data = &data;
        lookup = std::make_unique<TSQLData>(data);
        SQLData = lookup.get();
    }
    ~MainFormViewsTest() override {
        SQLData = nullptr;
        Data = nullptr;
    }

    // Rooms A (id 2) and B (id 1) and a van (id 3); the group "Floor 1" holds both rooms, "Empty" nothing.
    // Room A: 9:00-10:30 on kDay and 14:00-15:00 the day after; Room B: 8:00-9:00 on kDay; the van: a booking
    // on 20 March.
    QString Fixture() {
        const QString path = QDir(testing_env::TempDir()).filePath(QStringLiteral("views.tvd"));
        TADOConnection connection;
        booking_db::Create(connection, path);
        booking_db::AddResource(connection, 1, QStringLiteral("Room B"));
        booking_db::AddResource(connection, 2, QStringLiteral("Room A"));
        booking_db::AddResource(connection, 3, QStringLiteral("Van"));
        connection.Execute(QStringLiteral("INSERT INTO Groups (GroupName) VALUES ('Floor 1')"));
        connection.Execute(QStringLiteral("INSERT INTO Groups (GroupName) VALUES ('Empty')"));
        connection.Execute(QStringLiteral("INSERT INTO ResourceGroups (GroupName, ResourceId) VALUES ('Floor 1', 1)"));
        connection.Execute(QStringLiteral("INSERT INTO ResourceGroups (GroupName, ResourceId) VALUES ('Floor 1', 2)"));
        booking_db::BookingWriter writer(connection);
        writer.Add({10, 2, kDay + EncodeTime(9, 0, 0, 0), kDay + EncodeTime(10, 30, 0, 0)});
        writer.Add({11, 2, kDay + 1 + EncodeTime(14, 0, 0, 0), kDay + 1 + EncodeTime(15, 0, 0, 0)});
        writer.Add({12, 1, kDay + EncodeTime(8, 0, 0, 0), kDay + EncodeTime(9, 0, 0, 0)});
        writer.Add({13, 3, kDay + 17 + EncodeTime(8, 0, 0, 0), kDay + 17 + EncodeTime(9, 0, 0, 0)});
        connection.Close();
        return path;
    }

    // Another user's booking written straight into the open file.
    void AddAsAnotherUser(const booking_db::BookingValues& booking) {
        TADOConnection other;
        other.ConnectionString =
            QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=%1").arg(data.DatabaseFileName);
        other.LoginPrompt = false;
        other.Open();
        booking_db::BookingWriter(other).Add(booking);
    }

    std::unique_ptr<TMainForm> Open(const QString& view = QStringLiteral("day")) {
        auto form = std::make_unique<TMainForm>(data, TMainWindowServices{});
        form->Preferences.BookingView = view;
        form->Preferences.ResourceView = QStringLiteral("Resources");
        form->Show();
        form->OpenDatabase(Fixture(), QString(), QString());
        // The calendar opens on today; the tests work on a fixed date.
        form->Calendar->SetDate(kDay);
        form->RefreshView();
        return form;
    }

    static void Select(TMainForm& form, TTreeNode* branch, const QString& name) {
        for (int i = 0; i < branch->Count(); ++i)
            if (branch->Item(i)->Text() == name) form.ResourceTreeView->SetSelected(branch->Item(i));
        ASSERT_EQ(form.ResourceTreeView->Selected()->Text(), name);
    }

    // The booking ids laid in a grid column, in row order, one entry per booking.
    static QList<int> ColumnIds(const TBookingGrid& grid, int col) {
        QList<int> ids;
        for (int row = 1; row < grid.RowCount(); ++row)
            if (const TBookingCell* cell = grid.GetCell(col, row))
                for (int i = 0; i < cell->BookingIds.Count(); ++i)
                    if (!ids.contains(cell->BookingIds.GetItem(i))) ids << cell->BookingIds.GetItem(i);
        return ids;
    }
};

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
    EXPECT_EQ(form->DateLabel->Caption(), FormatDateTime(QStringLiteral("dddddd"), kDay));

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
    EXPECT_LE(form->WeekGrid->WeekInfo.FirstDate, kDay);
    EXPECT_GE(form->WeekGrid->WeekInfo.LastDate, kDay + 1);
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
    EXPECT_EQ(form->MonthGrid->GetSelectedDate(), kDay + 1);
    EXPECT_EQ(form->DateLabel->Caption(), QStringLiteral("March 2026"));
    // The calendar moved into another month lays that month out.
    form->Calendar->SetDate(EncodeDate(2026, 4, 30));
    key = VK_RIGHT;
    form->Calendar->KeyDown(key, {});
    EXPECT_EQ(form->MonthGrid->Info.MonthStart, EncodeDate(2026, 5, 1));
    EXPECT_EQ(form->DateLabel->Caption(), QStringLiteral("May 2026"));
    EXPECT_TRUE(testing_env::Messages().Texts().empty());
}

TEST_F(MainFormViewsTest, TheDayViewTakesTheDateOfTheMultiDayColumnAndTheLabelSpansANewYear) {
    auto form = Open(QStringLiteral("multiday"));
    Select(*form, form->ResourcesNode, QStringLiteral("Room A"));
    form->Calendar->SetDate(EncodeDate(2026, 12, 25));
    form->RefreshView();
    EXPECT_EQ(form->DateLabel->Caption(), QStringLiteral("2026 - 2027"));
    form->Calendar->SetDate(kDay);
    form->RefreshView();
    TGridRect fourth;
    fourth.Left = fourth.Right = 4;
    fourth.Top = fourth.Bottom = 1;
    form->MultiDayGrid->SetSelection(fourth);
    form->DataPageControl->SetActivePage(form->DayViewTabSheet);
    EXPECT_EQ(DateOf(form->Calendar->Date()), kDay + 3);
}

TEST_F(MainFormViewsTest, RefreshShowsWhatAnotherUserBooked) {
    auto form = Open();
    Select(*form, form->ResourcesNode, QStringLiteral("Room A"));
    AddAsAnotherUser({20, 2, kDay + EncodeTime(15, 0, 0, 0), kDay + EncodeTime(16, 0, 0, 0)});
    EXPECT_EQ(ColumnIds(*form->DayGrid, 1), QList<int>{10});
    form->Item(QStringLiteral("RefreshItem"))->Click();
    EXPECT_EQ(ColumnIds(*form->DayGrid, 1), (QList<int>{10, 20}));
}

TEST_F(MainFormViewsTest, OverlapsAreReportedOnceALoadNotOnEveryLayout) {
    auto form = Open();
    Select(*form, form->ResourcesNode, QStringLiteral("Room B"));
    AddAsAnotherUser({21, 1, kDay + EncodeTime(8, 30, 0, 0), kDay + EncodeTime(9, 30, 0, 0)});
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
