// The day and week grids over a real database file: row labels, the cell under a point, presses and
// more-buttons, week ranges and day columns, the resource editor on a header, and painted cell colours.
#include "GridFixture.h"
#include "app/grids/BookingGrid.h"
#include "app/grids/ResourceEditorHook.h"
#include "support/ShownPixels.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <set>

namespace {

using namespace grid_test;

class DayGridTest : public GridDatabase {
protected:
    TResourceBookings bookings;
    TDayGrid* grid = new TDayGrid(&form);

    void LoadDay(std::initializer_list<int> ids = {1, 2, 3}) {
        ASSERT_TRUE(LoadSlots(bookings, Resources(ids), Day(1), Day(1)));
        grid->LoadDayBookings(bookings);
    }
};

TEST_F(DayGridTest, RowLabelsKeepTheirSuffixOnlyOnTheTopRowAndAtNoon) {
    Show(grid, 500, 200);
    LoadDay();
    ASSERT_EQ(grid->RowCount(), 21);
    EXPECT_EQ(grid->GetText(0, 1), "8:00 am");
    EXPECT_EQ(grid->GetText(0, 2), "8:30");
    EXPECT_EQ(grid->GetText(0, 7), "11:00");
    EXPECT_EQ(grid->GetText(0, 9), "12:00 pm");
    EXPECT_EQ(grid->GetText(0, 10), "12:30");
    EXPECT_EQ(grid->GetText(0, 20), "5:30");
    EXPECT_NEAR(grid->SlotTimes.GetItem(9), EncodeTime(12, 0, 0, 0), 1e-9);

    grid->SetTopRow(5);
    ASSERT_EQ(grid->TopRow(), 5);
    EXPECT_EQ(grid->GetText(0, 5), "10:00 am");
    EXPECT_EQ(grid->GetText(0, 1), "8:00");
    EXPECT_EQ(grid->GetText(0, 9), "12:00 pm");

    grid->SetUse24Hour(true);
    EXPECT_EQ(grid->GetText(0, 2), "08:30");
    EXPECT_EQ(grid->GetText(0, 9), "12:00");
}

TEST_F(DayGridTest, ADayOfNoResourcesKeepsTheTimeColumnAndTheNextLoadItsHeaders) {
    Show(grid, 500, 300);
    TResourceBookings empty;
    grid->LoadDayBookings(empty);
    EXPECT_EQ(grid->ColCount(), 1);
    EXPECT_EQ(grid->RowCount(), 1);
    LoadDay({1, 2});
    EXPECT_EQ(grid->ColCount(), 3);
    EXPECT_EQ(grid->FixedCols(), 1);
    EXPECT_EQ(grid->FixedRows(), 1);
    EXPECT_EQ(grid->GetText(2, 0), "Room B");
}

TEST_F(DayGridTest, RowsBeyondADayStopAtOneMinuteBeforeIt) {
    grid->StartTime = EncodeTime(8, 0, 0, 0);
    grid->SetRowCount(4);
    grid->SetSlotMinutes(720);
    EXPECT_NEAR(grid->SlotTimes.GetItem(2), EncodeTime(20, 0, 0, 0), 1e-9);
    EXPECT_NEAR(grid->SlotTimes.GetItem(3), EncodeTime(8, 0, 0, 0) + EncodeTime(23, 59, 0, 0), 1e-9);
}

TEST_F(DayGridTest, CellAtPointAtTheEdgesAndPressesBeyondTheCells) {
    Show(grid, 500, 300);
    grid->SetScrollBars(ssNone);
    LoadDay({1, 2});
    int moreClicks = 0;
    grid->OnMoreButtonClick = [&](QObject*, int, int) { ++moreClicks; };
    const TRect c2 = grid->CellRect(2, 3);
    ASSERT_GT(c2.Width(), 0);
    EXPECT_EQ(grid->CellAtPoint(c2.Right, c2.Top + 2).X, 2);       // on its right edge
    EXPECT_EQ(grid->CellAtPoint(c2.Right + 2, c2.Top + 2).X, -1);  // beyond the last column
    EXPECT_EQ(grid->CellAtPoint(c2.Left, c2.Top + 2).X, 1);        // the right edge of column 1
    EXPECT_EQ(grid->CellAtPoint(c2.Left + 1, c2.Top + 2).X, 2);
    EXPECT_EQ(grid->CellAtPoint(3, c2.Top + 2).X, 0);   // the time column
    EXPECT_EQ(grid->CellAtPoint(c2.Left + 3, 3).Y, 0);  // the header row
    EXPECT_EQ(grid->CellAtPoint(c2.Left + 3, c2.Bottom).Y, 3);
    const TRect last = grid->CellRect(1, grid->RowCount() - 1);
    if (last.Height() > 0) {
        EXPECT_EQ(grid->CellAtPoint(c2.Left + 3, last.Bottom + 2).Y, -1);
    }

    Click(*grid, QPoint(c2.Right + 4, c2.Top + 2));
    EXPECT_EQ(grid->ClickedCol, -1);
    EXPECT_EQ(moreClicks, 0);
    Click(*grid, Centre(grid->CellRect(1, 2)));
    EXPECT_EQ(grid->ClickedCol, 1);
    EXPECT_EQ(grid->ClickedRow, 2);
    EXPECT_FALSE(grid->ClickInFixedCols);
    Click(*grid, QPoint(3, 3));
    EXPECT_TRUE(grid->ClickInFixedCols);
    EXPECT_TRUE(grid->ClickInFixedRows);
}

TEST_F(DayGridTest, AScrolledGridKeepsMoreButtonsInTheirCellsAndAPressOnOneRaisesItsEvent) {
    // Two bookings that start and end in the 11:00 slot of Room A overlap there.
    Add({{1, 1, At("11:00"), At("11:30")}, {2, 1, At("11:00"), At("11:20")}, {3, 2, At("9:00"), At("9:30")}});
    Show(grid, 500, 200);
    LoadDay({1, 2});
    ASSERT_TRUE(grid->GetCell(1, 7) && grid->GetCell(1, 7)->Overlap);
    EXPECT_TRUE(grid->GetMoreButton(1, 7));
    EXPECT_FALSE(grid->GetMoreButton(2, 3));
    std::vector<std::pair<int, int>> pressed;
    grid->OnMoreButtonClick = [&](QObject*, int col, int row) { pressed.emplace_back(col, row); };

    grid->SetTopRow(4);
    const TRect cell = grid->CellRect(1, 7);
    const TRect more = grid->MoreButtonRect(1, 7);
    EXPECT_EQ(more.Right, cell.Right - 8);
    EXPECT_EQ(more.Width(), 16);
    EXPECT_EQ(more.Top, cell.Top + 2);
    EXPECT_EQ(more.Bottom, cell.Bottom - 2);
    Click(*grid, Centre(more));
    ASSERT_EQ(pressed.size(), 1u);
    EXPECT_EQ(pressed[0], std::make_pair(1, 7));
    Click(*grid, QPoint(cell.Left + 3, cell.Top + 3));
    EXPECT_EQ(pressed.size(), 1u);

    // The button is painted where the press finds it.
    const QImage picture = Picture(*grid);
    EXPECT_EQ(picture.pixel(more.Left, Centre(more).y()) & 0xFFFFFF, Rgb(clBtnShadow) & 0xFFFFFF);
}

TEST_F(DayGridTest, AReleaseWellInsideAResourceHeaderOpensTheResourceEditor) {
    Show(grid, 500, 300);
    LoadDay({2, 3});
    std::vector<qint32> opened;
    grids::CurrentResourceEditor() = [&](qint32 id) { opened.push_back(id); };
    const TRect header = grid->CellRect(2, 0);
    Click(*grid, QPoint(header.Left + 2, header.Top + 3));
    EXPECT_TRUE(opened.empty());
    Click(*grid, Centre(header));
    grids::CurrentResourceEditor() = nullptr;
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], 3);
}

TEST_F(DayGridTest, HintsNameTheBookingsOfACellAndTheResourceOfAHeader) {
    Add({{1, 1, At("9:00"), At("10:00")}, {2, 2, At("9:00"), At("9:30")}, {3, 2, At("9:00"), At("9:20")}});
    Show(grid, 500, 300);
    LoadDay({1, 2});
    grid->SetShowRollover(true);
    Hover(*grid, Centre(grid->CellRect(1, 4)));
    EXPECT_EQ(grid->Hint(), "client 1\n9:00 am to 10:00 am");
    Hover(*grid, Centre(grid->CellRect(2, 3)));
    EXPECT_EQ(grid->Hint(), "1: client 2 - Jan 5 9:00 am to 9:30 am\n2: client 3 - Jan 5 9:00 am to 9:20 am");
    Hover(*grid, Centre(grid->CellRect(2, 0)));
    EXPECT_EQ(grid->Hint(), "Room B\nabout Room B");
    Hover(*grid, Centre(grid->CellRect(1, 8)));
    EXPECT_EQ(grid->Hint(), "");
}

// The colours at cell centres: staged, reminder, plain, selected; the red mark of two bookings meeting mid-slot.
TEST_F(DayGridTest, CellColoursForStagedReminderSelectedAndOtherMeetings) {
    Add({{1, 1, At("9:00"), At("10:00"), true},
         {2, 1, At("10:00"), At("11:00"), false, QStringLiteral("call")},
         {3, 1, At("11:00"), At("12:00")},
         {4, 1, At("13:00"), At("15:00")},
         {5, 1, At("13:30"), At("14:00")}});
    Show(grid, 400, 520);
    grid->SetScrollBars(ssNone);
    grid->BookingColor = clAqua;
    grid->ReminderColor = clLime;
    LoadDay({1});
    const auto colourAt = [&](int row) { return Picture(*grid).pixel(Centre(grid->CellRect(1, row))) & 0xFFFFFF; };
    EXPECT_EQ(colourAt(4), Rgb(clYellow) & 0xFFFFFF);  // 9:30, the staged booking's second slot
    EXPECT_EQ(colourAt(6), Rgb(clLime) & 0xFFFFFF);    // 10:30, with a reminder
    EXPECT_EQ(colourAt(8), Rgb(clAqua) & 0xFFFFFF);    // 11:30
    EXPECT_EQ(colourAt(9), Rgb(clWindow) & 0xFFFFFF);  // 12:00, empty

    const TBookingCell* meeting = grid->GetCell(1, 12);
    ASSERT_NE(meeting, nullptr);
    EXPECT_EQ(meeting->State, data::kOtherMeeting);
    const TRect r = grid->CellRect(1, 12);
    const int f = grid->Font().Size();
    EXPECT_EQ(Picture(*grid).pixel(r.Left + f / 2, r.Top + r.Height() / 2 + 1) & 0xFFFFFF, Rgb(clRed) & 0xFFFFFF);

    Click(*grid, Centre(grid->CellRect(1, 8)));
    EXPECT_EQ(colourAt(8), Rgb(clHighlight) & 0xFFFFFF);
    Click(*grid, Centre(grid->CellRect(1, 4)));
    EXPECT_EQ(colourAt(4), Rgb(clHighlight) & 0xFFFFFF);
    EXPECT_EQ(colourAt(8), Rgb(clAqua) & 0xFFFFFF);
}

TEST(WeekGridInfo, TheWeekOfADateByTheFirstDayOfTheWeek) {
    TWeekGridInfo info;
    info.ComputeWeekRange(EncodeDate(2008, 1, 2) + 0.75);
    EXPECT_EQ(info.FirstDate, EncodeDate(2007, 12, 30));
    EXPECT_EQ(info.LastDate, EncodeDate(2008, 1, 5));
    info.SetFirstDayOfWeek(1);  // again from the stored first date, a Sunday
    EXPECT_EQ(info.FirstDate, EncodeDate(2007, 12, 24));
    info.ComputeWeekRange(EncodeDate(2008, 1, 2));
    EXPECT_EQ(info.FirstDate, EncodeDate(2007, 12, 31));
    EXPECT_EQ(info.LastDate, EncodeDate(2008, 1, 6));
    info.ComputeWeekRange(EncodeDate(2008, 1, 6));  // a Sunday ends a Monday week
    EXPECT_EQ(info.FirstDate, EncodeDate(2007, 12, 31));
}

class WeekGridTest : public GridDatabase {
protected:
    TResourceBookings bookings;
    TWeekGrid* grid = new TWeekGrid(&form);
};

TEST_F(WeekGridTest, DayColumnsSelectionAndTheWeeksBookings) {
    // Sunday 4 January 2026 starts the week of the fixture's day 1.
    Add({{1, 2, At("2 9:00"), At("2 10:00")}, {2, 2, At("5 8:00"), At("5 8:30")}, {3, 1, At("9:00"), At("10:00")}});
    Show(grid, 700, 300);
    grid->SetDate(Day(3));
    EXPECT_EQ(grid->WeekInfo.FirstDate, Day(0));
    EXPECT_EQ(grid->GetText(1, 0), "Sun");
    EXPECT_EQ(grid->GetText(2, 0), "Mon");
    ASSERT_TRUE(LoadSlots(bookings, Resources({1, 2}), grid->WeekInfo.FirstDate, grid->WeekInfo.LastDate));
    grid->LoadWeekBookings(bookings, 1);
    EXPECT_EQ(grid->Resource->ResourceName, "Room B");
    ASSERT_NE(grid->GetCell(3, 3), nullptr);  // Tuesday 9:00
    EXPECT_EQ(grid->GetCell(3, 3)->Clients[0], "client 1");
    ASSERT_NE(grid->GetCell(6, 1), nullptr);  // Friday 8:00
    EXPECT_EQ(grid->GetCell(2, 3), nullptr);

    grid->SelectDate(grid->WeekInfo.FirstDate);
    EXPECT_EQ(grid->Selection().Left, 1);
    EXPECT_EQ(grid->GetSelectedDate(), grid->WeekInfo.FirstDate);
    grid->SelectDate(Day(4));
    EXPECT_EQ(grid->Selection().Left, 5);
    EXPECT_EQ(grid->GetSelectedDate(), Day(4));

    grid->SetFirstDayOfWeek(1);
    EXPECT_EQ(grid->GetText(1, 0), "Mon");
    EXPECT_EQ(grid->GetText(7, 0), "Sun");
    EXPECT_EQ(grid->ColumnOfDay(7), 7);

    // Outside the container's resources: the time rows and no bookings.
    grid->LoadWeekBookings(bookings, 5);
    EXPECT_EQ(grid->RowCount(), 21);
    EXPECT_EQ(grid->GetCell(3, 3), nullptr);
}

// A one-row scroll draws the row it uncovers and the labels (the top row's "am" moves down with it) and no other
// cell, and shows what a week grid scrolled before it was first painted shows: staged, reminder, more-button,
// selected and focused cells included.
TEST_F(WeekGridTest, AOneRowScrollDrawsOnlyTheUncoveredRowAndTheLabels) {
    Add({{1, 1, At("2 9:00"), At("2 10:00"), true},
         {2, 1, At("3 10:00"), At("3 12:00"), false, QStringLiteral("call")},
         {3, 1, At("4 11:00"), At("4 11:30")},
         {4, 1, At("4 11:00"), At("4 11:20")}});
    ASSERT_TRUE(LoadSlots(bookings, Resources({1}), Day(0), Day(6)));
    // The header and rows 1 to 7 fill the client exactly, so one row is uncovered whole.
    const auto setUp = [&](TWeekGrid* g) {
        Show(g, 700, 300);
        g->setFrameShape(QFrame::NoFrame);
        g->SetScrollBars(ssVertical);
        g->SetDate(Day(3));
        g->LoadWeekBookings(bookings, 0);
        g->SetBounds(0, 0, 700, g->RowHeights(0) + 1 + 7 * (g->RowHeights(1) + 1));
        g->show();
        QApplication::processEvents();
    };
    setUp(grid);
    ASSERT_TRUE(grid->GetMoreButton(5, 7));
    Click(*grid, Centre(grid->CellRect(3, 3)));
    QApplication::processEvents();
    std::set<std::pair<int, int>> drawn;
    grid->OnDrawCell = [&](QObject*, int col, int row, const TRect&, TGridDrawState) { drawn.emplace(col, row); };
    grid->SetTopRow(2);
    QApplication::processEvents();
    const QImage scrolled = testing_env::ShownPixels(*grid->viewport());
    std::set<std::pair<int, int>> expected;
    for (int row = 0; row <= 8; ++row)
        if (row != 1) expected.emplace(0, row);
    for (int col = 1; col <= 7; ++col) expected.emplace(col, 8);
    EXPECT_EQ(drawn, expected);
    EXPECT_EQ(grid->GetText(0, 2), "8:30 am");

    grid->hide();
    auto* fresh = new TWeekGrid(&form);
    fresh->SetTopRow(2);
    setUp(fresh);
    ASSERT_EQ(fresh->TopRow(), 2);
    Click(*fresh, Centre(fresh->CellRect(3, 3)));
    QApplication::processEvents();
    EXPECT_EQ(grid->Selection(), fresh->Selection());
    EXPECT_TRUE(scrolled == testing_env::ShownPixels(*fresh->viewport()));
}

TEST_F(WeekGridTest, HiddenDaysLeaveEqualColumnsFillingTheWidth) {
    Show(grid, 700, 300);
    grid->SetScrollBars(ssNone);
    grid->AutoColumnSize = true;
    grid->SetDayVisible(6, false);
    grid->SetDayVisible(7, false);
    EXPECT_EQ(grid->VisibleDayCount(), 5);
    const int line = grid->GridLineWidth();
    const int expected = (grid->ClientWidth() - grid->ColWidths(0) - 2 * line) / 5 - line;
    for (int day = 1; day <= 5; ++day) EXPECT_EQ(grid->ColWidths(grid->ColumnOfDay(day)), expected) << day;
    EXPECT_EQ(grid->ColWidths(grid->ColumnOfDay(6)), -1);
    EXPECT_EQ(grid->ColWidths(grid->ColumnOfDay(7)), -1);
    for (int day = 1; day <= 5; ++day) grid->SetDayVisible(day, false);
    EXPECT_EQ(grid->DayColumnWidth, -1);
    for (int day = 1; day <= 7; ++day) EXPECT_EQ(grid->ColWidths(day), -1);
}

}  // namespace

namespace {

using namespace grid_test;

// A one-slot booking's time text after the client where both fit; in a narrow cell "***" right-aligned on a
// patch of the cell's colour.
TEST_F(DayGridTest, TheTimeTextOfANarrowCellGivesWayToThreeStars) {
    Add({{1, 1, At("9:00"), At("9:15")}});
    LoadDay({1});
    const TBookingCell* cell = grid->GetCell(1, 3);
    ASSERT_NE(cell, nullptr);
    ASSERT_EQ(cell->State, data::kStartsAndEnds);
    ASSERT_EQ(cell->TimeTexts[0], " until 9:15 am");
    grids::CellPaintOptions options;
    options.BookingColor = clAqua;
    const TFont& font = grid->Font();
    const int f = font.Size();

    // What the right end of a cell of the width shows, and what it would show with only the text there.
    const auto rightEnd = [&](int width, const QString& text) {
        QImage painted(width, 24, QImage::Format_RGB32);
        {
            TCanvas canvas(&painted);
            DrawBookingCell(canvas, font, options, 1, 3, cell, false, {0, 0, width, 24});
        }
        QImage expected(width, 24, QImage::Format_RGB32);
        int textWidth = 0;
        {
            TCanvas canvas(&expected);
            canvas.Font().Assign(font);
            canvas.Font().SetName(QStringLiteral("Arial"));
            canvas.Font().SetSize(f - 1);
            textWidth = canvas.TextWidth(text);
            canvas.Brush().Color = clAqua;
            canvas.FillRect({0, 0, width, 24});
            canvas.Font().SetColor(clBlack);
            canvas.Brush().Style = bsClear;
            canvas.TextRect({0, 0, width, 24}, width - textWidth, 1, text);
        }
        const QRect end(width - textWidth, 0, textWidth, 24);
        return painted.copy(end) == expected.copy(end);
    };
    EXPECT_FALSE(rightEnd(400, QStringLiteral("***")));
    EXPECT_FALSE(rightEnd(400, QStringLiteral(" until 9:15 am")));
    // Too narrow for client and time side by side, and for the time in the right half of the cell.
    EXPECT_TRUE(rightEnd(120, QStringLiteral("***")));
    EXPECT_TRUE(rightEnd(60, QStringLiteral("***")));
}

}  // namespace
