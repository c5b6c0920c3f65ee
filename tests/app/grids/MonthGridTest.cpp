// The month grid over a real database file: the shown dates by the first day of the week, lines and bars of
// bookings, overflow with "<more>" and its button, print mode, hints and painted bars.
#include "GridFixture.h"
#include "app/grids/MonthGrid.h"

#include <gtest/gtest.h>

namespace {

using namespace grid_test;

struct MonthCase {
    int year, month, firstDayOfWeek;
    TDateTime firstShown, lastShown;
    int weekRows;
};

TEST(MonthGridInfo, TheShownDatesAndWeekRowsByTheFirstDayOfTheWeek) {
    const MonthCase cases[] = {
        {2009, 2, 7, EncodeDate(2009, 2, 1), EncodeDate(2009, 2, 28), 4},
        {2009, 2, 1, EncodeDate(2009, 1, 26), EncodeDate(2009, 3, 1), 5},
        // 31 days from a Saturday in a Sunday-first grid.
        {2008, 3, 7, EncodeDate(2008, 2, 24), EncodeDate(2008, 4, 5), 6},
        {2008, 3, 1, EncodeDate(2008, 2, 25), EncodeDate(2008, 4, 6), 6},
    };
    for (const MonthCase& c : cases) {
        TMonthGridInfo info;
        info.SetFirstDayOfWeek(c.firstDayOfWeek);
        info.ComputeMonthLayout(EncodeDate(c.year, c.month, 17));
        EXPECT_EQ(info.FirstShownDate, c.firstShown) << c.year << "-" << c.month << " " << c.firstDayOfWeek;
        EXPECT_EQ(info.LastShownDate, c.lastShown) << c.year << "-" << c.month << " " << c.firstDayOfWeek;
        EXPECT_EQ(info.WeekRows, c.weekRows) << c.year << "-" << c.month << " " << c.firstDayOfWeek;
        EXPECT_EQ(info.MonthStart, EncodeDate(c.year, c.month, 1));
        EXPECT_TRUE(info.IsInShownMonth(EncodeDate(c.year, c.month, 28)));
        EXPECT_FALSE(info.IsInShownMonth(c.lastShown + 1));
    }
    TMonthGridInfo info;
    info.ComputeMonthLayout(EncodeDate(2009, 2, 1));
    info.Reset();
    EXPECT_EQ(info.WeekRows, 6);
    EXPECT_EQ(info.FirstShownDate, 0);
}

class MonthGridTest : public GridDatabase {
protected:
    TResourceDateBookings bookings;
    TTavorinMonthGrid* grid = new TTavorinMonthGrid(&form);

    void Load(std::initializer_list<int> ids = {1, 2}) {
        ASSERT_TRUE(LoadDates(bookings, Resources(ids), 2, grid->Info.FirstShownDate, grid->Info.LastShownDate));
        grid->LoadMonthBookings(bookings);
    }
    // Rows of room for three booking lines below the day number.
    void ThreeLinesPerCell() {
        grid->AutoRowHeight = false;
        for (int row = 1; row < grid->RowCount(); ++row) grid->SetRowHeights(row, 4 * 16 + 5);
    }
};

TEST_F(MonthGridTest, February2009FillsFourOrFiveRowsByTheFirstDayOfTheWeek) {
    Show(grid, 700, 500);
    grid->ShowMonth(EncodeDate(2009, 2, 10));
    EXPECT_EQ(grid->RowCount(), 5);
    EXPECT_EQ(grid->GetCellText(0, 0), "Sunday");
    EXPECT_EQ(grid->GetCellText(0, 1), "1");
    EXPECT_EQ(grid->GetCellText(6, 4), "28");
    EXPECT_FALSE(grid->IsOtherMonthCell(6, 4));

    grid->SetFirstDayOfWeek(1);
    grid->ShowMonth(EncodeDate(2009, 2, 10));
    EXPECT_EQ(grid->RowCount(), 6);
    EXPECT_EQ(grid->GetCellText(0, 0), "Monday");
    EXPECT_EQ(grid->GetCellText(6, 0), "Sunday");
    EXPECT_EQ(grid->GetCellText(0, 1), "26");
    EXPECT_TRUE(grid->IsOtherMonthCell(0, 1));
    EXPECT_EQ(grid->GetCellText(6, 1), "1");
    EXPECT_EQ(grid->GetCellText(6, 5), "1");
    EXPECT_TRUE(grid->IsOtherMonthCell(6, 5));

    // The rows share the height below the header.
    const int line = grid->GridLineWidth();
    EXPECT_EQ(grid->RowHeights(0), grid->HeaderRowHeight);
    EXPECT_EQ(grid->RowHeights(3), (grid->ClientHeight() - line - grid->HeaderRowHeight) / 5 - line);
    EXPECT_EQ(grid->ColWidths(3), grid->ClientWidth() / 7 - line);

    grid->SelectDate(EncodeDate(2009, 2, 18));
    EXPECT_EQ(grid->GetSelectedDate(), EncodeDate(2009, 2, 18));
}

TEST_F(MonthGridTest, AFourthBookingOfADayOverflowsWithMoreButEveryBookingGetsALineInPrintMode) {
    // Monday 5 January 2026 (day 1): four one-day bookings over two resources.
    Add({{1, 1, At("9:00"), At("10:00")},
         {2, 1, At("11:00"), At("12:00")},
         {3, 2, At("9:00"), At("9:30")},
         {4, 2, At("13:00"), At("14:00")}});
    Show(grid, 700, 600);
    grid->ShowMonth(Day(1));
    ThreeLinesPerCell();
    ASSERT_EQ(grid->LinesPerCell(), 4);
    Load();
    const int col = 1;  // Monday in a Sunday-first grid
    const int row = 2;
    const TMonthGridCellInfo* info = grid->GetCellInfo(col, row);
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->MonthCellCount(), 2);
    EXPECT_TRUE(info->Overflow);
    EXPECT_EQ(info->LineCount(), 4);
    EXPECT_EQ(info->GetLine(0), nullptr);
    EXPECT_TRUE(grid->GetMoreButton(col, row));
    EXPECT_FALSE(grid->GetMoreButton(col + 1, row));
    std::vector<std::pair<int, int>> pressed;
    grid->OnMoreButtonClick = [&](QObject*, int c, int r) { pressed.emplace_back(c, r); };
    Click(*grid, Centre(grid->MoreButtonRect(col, row)));
    ASSERT_EQ(pressed.size(), 1u);
    EXPECT_EQ(pressed[0], std::make_pair(col, row));

    grid->PrintMode = true;
    grid->LoadMonthBookings(bookings);
    EXPECT_FALSE(info->Overflow);
    EXPECT_EQ(info->LineCount(), 5);
    for (int line = 1; line <= 4; ++line) EXPECT_NE(info->GetLine(line), nullptr) << line;
    EXPECT_FALSE(grid->GetMoreButton(col, row));

    // Printing paints on any device: every line of the day shows on a page tall enough.
    for (int r = 1; r < grid->RowCount(); ++r) grid->SetRowHeights(r, 6 * 16);
    QImage page(grid->viewport()->size(), QImage::Format_RGB32);
    page.fill(Qt::white);
    grid->viewport()->render(&page);
    const TRect fourth = grid->LineRect(col, row, 4);
    bool ink = false;
    for (int x = fourth.Left; x < fourth.Right && !ink; ++x)
        for (int y = fourth.Top; y < fourth.Bottom && !ink; ++y) ink = page.pixel(x, y) != Rgb(clWindow);
    EXPECT_TRUE(ink);
}

TEST_F(MonthGridTest, ABookingOverAWeekendIsOneBarInTwoWeekRows) {
    // Saturday 10 January to Monday 12 January 2026, staged; and a reminder booking over two days.
    Add({{1, 1, Day(6) + EncodeTime(10, 0, 0, 0), Day(8) + EncodeTime(15, 0, 0, 0), true},
         {2, 2, At("2 0:00"), At("4 0:00"), false, QStringLiteral("ring")}});
    Show(grid, 700, 600);
    grid->ShowMonth(Day(1));
    grid->ReminderColor = clLime;
    Load();
    const TMonthGridCellInfo* saturday = grid->GetCellInfo(6, 2);
    const TMonthGridCellInfo* sunday = grid->GetCellInfo(0, 3);
    const TMonthGridCellInfo* monday = grid->GetCellInfo(1, 3);
    ASSERT_NE(saturday->GetLine(1), nullptr);
    EXPECT_EQ(saturday->GetLine(1), sunday->GetLine(1));
    EXPECT_EQ(sunday->GetLine(1), monday->GetLine(1));
    EXPECT_EQ(grid->GetCellInfo(2, 3)->GetLine(1), nullptr);
    // The midnight rule: the second booking's last day is Wednesday.
    const TMonthGridCellInfo* tuesday = grid->GetCellInfo(2, 2);
    const TMonthGridCellInfo* wednesday = grid->GetCellInfo(3, 2);
    ASSERT_NE(tuesday->GetLine(1), nullptr);
    EXPECT_EQ(tuesday->GetLine(1), wednesday->GetLine(1));
    EXPECT_EQ(grid->GetCellInfo(4, 2)->GetLine(1), nullptr);

    const QImage picture = Picture(*grid);
    const auto barColour = [&](int col, int row, double share) {
        const TRect line = grid->LineRect(col, row, 1);
        return picture.pixel(line.Left + static_cast<int>(share * line.Width()), line.Bottom - 2) & 0xFFFFFF;
    };
    EXPECT_EQ(barColour(6, 2, 0.2), Rgb(clWindow) & 0xFFFFFF);  // before 10:00 on Saturday
    EXPECT_EQ(barColour(6, 2, 0.9), Rgb(clYellow) & 0xFFFFFF);
    EXPECT_EQ(barColour(0, 3, 0.1), Rgb(clYellow) & 0xFFFFFF);
    EXPECT_EQ(barColour(1, 3, 0.9), Rgb(clWindow) & 0xFFFFFF);  // after 15:00 on Monday
    EXPECT_EQ(barColour(3, 2, 0.5), Rgb(clLime) & 0xFFFFFF);
}

TEST_F(MonthGridTest, HoveringOverADayNumberListsEveryBookingOfTheDayNumbered) {
    Add({{1, 1, At("9:00"), At("10:00")}, {2, 2, At("11:00"), At("12:00")}});
    Show(grid, 700, 600);
    grid->ShowMonth(Day(1));
    Load();
    grid->SetShowRollover(true);
    const TRect dayLine = grid->LineRect(1, 2, 0);
    Hover(*grid, Centre(dayLine));
    EXPECT_EQ(grid->Hint(),
              "1: [Room A] client 1 - Jan 5 9:00 am to 10:00 am\n"
              "2: [Room B] client 2 - Jan 5 11:00 am to 12:00 pm");
    Hover(*grid, Centre(grid->LineRect(1, 2, 2)));
    EXPECT_EQ(grid->Hint(), "[Room B] client 2\nJan 5 11:00 am to 12:00 pm\nbooking 2");
    Click(*grid, Centre(grid->LineRect(1, 2, 2)));
    EXPECT_EQ(grid->ClickedLine, 2);
    EXPECT_EQ(Picture(*grid).pixel(grid->LineRect(1, 2, 2).Right - 3, Centre(grid->LineRect(1, 2, 2)).y()) & 0xFFFFFF,
              Rgb(clHighlight) & 0xFFFFFF);
}

}  // namespace
