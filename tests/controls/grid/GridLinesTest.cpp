// The grid's lines in their styles and colours, hidden lines, title buttons, group headers and the focus
// frame, read back from its pixels.
#include "GridFixture.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QMouseEvent>
#include <QRect>

namespace {

using grid_test::GridTest;
using grid_test::Rgb;

QRect InkBox(const QImage& image, const QRect& r, QRgb background) {
    QRect box;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (image.pixel(x, y) != background) box |= QRect(x, y, 1, 1);
    return box;
}

class GridLinesTest : public GridTest {
protected:
    TADOQuery query;

    void SetUp() override {
        GridTest::SetUp();
        AddTasks(3);
        grid->SetColor(clWhite);
        grid->LineColors = {clSilver, clAqua, clMaroon, clBlack};
    }

    void OpenColumns(const QStringList& lines) {
        grid->Selected().SetStrings(lines);
        Open(query);
    }

    QImage Shot() { return grid->viewport()->grab().toImage(); }
};

TEST_F(GridLinesTest, EachLineStyleDrawsItsColoursAndHiddenLinesLeaveTheBackground) {
    OpenColumns({"Subject\t12\tSubject\tF", "PercentCompleted\t6\tDone\tF"});
    const struct {
        const char* name;
        TwwGridLineStyle style;
        TColor color;
        bool hidden;
        TColor colLine, afterColLine, rowLine, belowRowLine;
    } cases[] = {
        {"single", glsSingle, clWhite, false, clSilver, clWhite, clSilver, clWhite},
        {"3-D", gls3D, clWhite, false, clMaroon, clAqua, clMaroon, clAqua},
        {"dynamic on white", glsDynamic, clWhite, false, clSilver, clWhite, clSilver, clWhite},
        {"dynamic on colour", glsDynamic, clYellow, false, clMaroon, clAqua, clMaroon, clAqua},
        {"single on colour", glsSingle, clYellow, false, clSilver, clYellow, clSilver, clYellow},
        {"hidden", gls3D, clWhite, true, clWhite, clWhite, clWhite, clWhite},
    };
    for (const auto& c : cases) {
        grid->LineStyle = c.style;
        grid->HideAllLines = c.hidden;
        grid->SetColor(c.color);
        const QImage shot = Shot();
        // Between the records of rows 2 and 3, away from the current cell (row 1).
        const TRect cell = grid->CellRect(1, 2);
        const int y = (cell.Top + cell.Bottom) / 2;
        EXPECT_EQ(shot.pixel(cell.Right, y), Rgb(c.colLine)) << c.name;
        EXPECT_EQ(shot.pixel(cell.Right + 1, y), Rgb(c.afterColLine)) << c.name;
        const int x = cell.Right - 4;
        EXPECT_EQ(shot.pixel(x, cell.Bottom), Rgb(c.rowLine)) << c.name;
        EXPECT_EQ(shot.pixel(x, cell.Bottom + 1), Rgb(c.belowRowLine)) << c.name;
    }
}

TEST_F(GridLinesTest, TitleButtonsLookRaisedAndThePressedOneSunken) {
    OpenColumns({"Subject\t12\tSubject\tF", "PercentCompleted\t6\tDone\tF"});
    const TRect title = grid->CellRect(1, 0);
    const int y = (title.Top + title.Bottom) / 2;
    QImage shot = Shot();
    EXPECT_NE(shot.pixel(title.Right - 1, y), Rgb(clMaroon)) << "plain titles are flat";
    grid->TitleButtons = true;
    shot = Shot();
    EXPECT_EQ(shot.pixel(title.Right - 1, y), Rgb(clMaroon)) << "a shadow inside the right edge";
    EXPECT_EQ(shot.pixel(title.Left + 4, title.Bottom - 1), Rgb(clMaroon)) << "and above the bottom line";
    // Held down, not yet released.
    QMouseEvent press(QEvent::MouseButtonPress, QPoint((title.Left + title.Right) / 2, y), QPoint(), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(grid->viewport(), &press);
    ASSERT_EQ(grid->PressedTitle().X, 1);
    shot = Shot();
    EXPECT_EQ(shot.pixel(title.Left, y), Rgb(clBlack));
    EXPECT_EQ(shot.pixel(title.Left + 4, title.Top), Rgb(clBlack));
    EXPECT_EQ(shot.pixel(title.Left + 1, y), Rgb(clGray));
    EXPECT_NE(shot.pixel(title.Right - 1, y), Rgb(clMaroon)) << "the pressed title loses its raised look";
    const TRect other = grid->CellRect(2, 0);
    EXPECT_EQ(shot.pixel(other.Right - 1, y), Rgb(clMaroon)) << "the others keep theirs";
}

TEST_F(GridLinesTest, NeighboursOfOneGroupShareAHeaderAboveTheirTitles) {
    grid->SetTitleLines(2);
    OpenColumns({"Subject\t10\tSubject\tF\tWork", "PercentCompleted\t6\tDone\tF\tWork", "TaskId\t4\tId\tF"});
    std::vector<QString> headers;
    grid->OnDrawGroupHeaderCell = [&](QObject*, TCanvas&, const QString& name, const TRect&, bool&) {
        headers.push_back(name);
    };
    const QImage shot = Shot();
    EXPECT_FALSE(headers.empty());
    for (const QString& name : headers) EXPECT_EQ(name, "Work");
    const TRect first = grid->CellRect(1, 0);
    const TRect second = grid->CellRect(2, 0);
    const TRect ungrouped = grid->CellRect(3, 0);
    const int half = first.Height() / 2;
    const QRgb title = Rgb(grid->TitleColor);
    // The header's text is centred over both columns; each title sits in its lower half.
    const QRect header = InkBox(shot, QRect(first.Left + 2, 2, second.Right - first.Left - 4, half - 4), title);
    ASSERT_FALSE(header.isEmpty());
    EXPECT_NEAR(header.center().x(), (first.Left + second.Right) / 2, 3);
    EXPECT_FALSE(InkBox(shot, QRect(first.Left + 2, half + 2, first.Width() - 4, half - 4), title).isEmpty());
    EXPECT_FALSE(InkBox(shot, QRect(second.Left + 2, half + 2, second.Width() - 4, half - 4), title).isEmpty());
    // The line between the grouped columns starts below the header; the ungrouped column's runs from the top.
    EXPECT_NE(shot.pixel(first.Right, half / 2), Rgb(clBlack));
    EXPECT_EQ(shot.pixel(first.Right, half + (half / 2)), Rgb(clBlack));
    EXPECT_EQ(shot.pixel(ungrouped.Right, half / 2), Rgb(clBlack));
    EXPECT_EQ(shot.pixel(first.Left + 3, half - 1), Rgb(clBlack)) << "the header's lower edge";
}

TEST_F(GridLinesTest, TheFocusedGridFramesItsCurrentCellUnlessItSelectsRows) {
    OpenColumns({"Subject\t12\tSubject\tF", "PercentCompleted\t6\tDone\tF"});
    grid->SetFocus();
    QApplication::processEvents();
    ASSERT_TRUE(grid->Focused());
    // The frame's dotted rectangle inverts the highlight outline under it.
    const QColor highlight = ui::ToQColor(clHighlight);
    const QRgb inverted = qRgb(255 - highlight.red(), 255 - highlight.green(), 255 - highlight.blue());
    const auto framed = [&](const QImage& shot) {
        const TRect cell = grid->CellRect(grid->Col(), grid->Row());
        for (int x = cell.Left; x < cell.Right; ++x)
            if (shot.pixel(x, cell.Top) == inverted) return true;
        return false;
    };
    EXPECT_TRUE(framed(Shot()));
    grid->SetOptions(grid->Options() + TwwDBGridOptions{dgRowSelect});
    EXPECT_FALSE(framed(Shot()));
}

}  // namespace

namespace {

// The task grid's check-box column, with titles grouped, title buttons and a footer; the picture in docs/ under a
// real X server:  TAVORIN_GRID_SCREENSHOT=/tmp/grid.png QT_QPA_PLATFORM=xcb xvfb-run -a
//   -s "-screen 0 800x600x24" build/tests/controls/grid/test_controls_grid --gtest_filter='*PercentColumn*'
TEST_F(GridLinesTest, PercentColumnShowsCheckBoxesCheckedAtAHundred) {
    connection.Execute("UPDATE Tasks SET PercentCompleted = 100 WHERE TaskId = 2");
    connection.Execute("UPDATE Tasks SET PercentCompleted = 0 WHERE TaskId = 3");
    AddTasks(6);
    grid->LineColors = {};
    grid->SetTitleLines(2);
    grid->TitleButtons = true;
    grid->ControlType().SetStrings({"PercentCompleted;CheckBox;100;0"});
    OpenColumns({"Subject\t12\tSubject\tF\tTask", "PercentCompleted\t5\tDone\tF\tTask", "TaskId\t4\tNumber\tF"});
    grid->SetOptions(grid->Options() + TwwDBGridOptions{dgShowFooter});
    grid->Columns()[0]->FooterValue = QStringLiteral("9 tasks");
    grid->Columns()[2]->FooterValue = QStringLiteral("45");
    Resize(300, 260);
    query.SetRecNo(4);
    const QImage cells = Shot();
    // Rows hold 1, 100, 0, then 1..6: only the second is checked; 0 and the values in neither list are not.
    for (int row = 1; row <= 5; ++row) {
        const TRect cell = grid->CellRect(2, row);
        const int left = (cell.Left + cell.Right - 10) / 2;
        const int top = (cell.Top + cell.Bottom - 10) / 2;
        int dark = 0;
        for (int y = top + 2; y < top + 8; ++y)
            for (int x = left + 2; x < left + 8; ++x) dark += qGray(cells.pixel(x, y)) < 100;
        EXPECT_EQ(dark > 0, row == 2) << row;
    }
    const QString path = qEnvironmentVariable("TAVORIN_GRID_SCREENSHOT");
    if (!path.isEmpty()) {
        EXPECT_TRUE(grid->grab().toImage().save(path));
    }
}

}  // namespace
