// TCustomGrid on screen (offscreen): cell geometry, selection by mouse and keys, scrolling, hooks, events,
// the editor, hints and the painted cell states.
// A screenshot of the 20 x 50 test grid under Xvfb:
//   TAVORIN_GRID_SCREENSHOT=/tmp/grid.png QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 800x600x24"
//   build/tests/platform/ui/test_platform_ui --gtest_filter=CustomGridScreen.*
#include "platform/ui/CustomGrid.h"
#include "platform/ui/InplaceEdit.h"
#include "platform/ui/Menus.h"
#include "platform/ui/ModalRunner.h"
#include "platform/ui/TimerService.h"
#include "support/ShownPixels.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QToolTip>
#include <QWheelEvent>
#include <set>

namespace {

// A grid that writes each cell's coordinates, frames the focused cell in red and records its hooks.
class TestGrid : public TCustomGrid {
public:
    explicit TestGrid(QWidget* parent = nullptr) : TCustomGrid(parent) {}

    std::vector<std::pair<int, int>> sizeChanges;
    int topLeftChanges = 0;
    int colWidthChanges = 0;
    std::vector<std::pair<int, int>> columnMoves;
    std::vector<int> resizedWidths;
    int drawnCells = 0;
    std::set<std::pair<int, int>> drawnAt;
    QString editText;
    QStringList log;

protected:
    void DrawCell(int col, int row, const TRect& rect, TGridDrawState state) override {
        ++drawnCells;
        drawnAt.emplace(col, row);
        TCanvas& canvas = Canvas();
        if (state.Contains(gdFixed)) {
            const QString label =
                row == 0 ? (col == 0 ? QString() : QString(QChar('A' + (col - 1) % 26))) : QString::number(row);
            canvas.Brush().Style = bsClear;
            canvas.TextRect(rect, rect.Left + 3, rect.Top + 2, label);
        } else if (col % 3 == 0 && row % 4 == 1) {
            canvas.Brush().Style = bsClear;
            canvas.TextRect(rect, rect.Left + 3, rect.Top + 2, QStringLiteral("%1:%2").arg(col).arg(row));
        }
        if (state.Contains(gdFocused)) {
            canvas.Brush().Style = bsSolid;
            canvas.Brush().Color = clRed;
            canvas.FrameRect(rect);
            canvas.FrameRect({rect.Left + 1, rect.Top + 1, rect.Right - 1, rect.Bottom - 1});
        }
    }
    void SizeChanged(int oldColCount, int oldRowCount) override { sizeChanges.emplace_back(oldColCount, oldRowCount); }
    void TopLeftChanged() override { ++topLeftChanges; }
    void ColWidthsChanged() override { ++colWidthChanges; }
    void ColumnMoved(int from, int to) override { columnMoves.emplace_back(from, to); }
    void Resize() override { resizedWidths.push_back(ClientWidth()); }
    QString GetEditText(int col, int row) override { return QStringLiteral("cell %1,%2").arg(col).arg(row); }
    void SetEditText(int, int, const QString& value) override { editText = value; }
    QString CellHint(int col, int row) const override {
        return col < 0 || row < 0 ? QString() : QStringLiteral("hint %1,%2").arg(col).arg(row);
    }
};

void SendMouse(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QMouseEvent event(type, QPointF(at), target->mapToGlobal(QPointF(at)), button, held, modifiers);
    QApplication::sendEvent(target, &event);
}

QPoint Centre(const TRect& r) { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }

struct CustomGrid : ::testing::Test {
    TestGrid grid;
    CustomGrid() {
        grid.SetScrollBars(ssNone);
        grid.SetDefaultColWidth(40);
        grid.SetDefaultRowHeight(19);
        grid.SetColCount(10);
        grid.SetRowCount(30);
        grid.resize(300, 200);
        grid.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&grid));
        grid.sizeChanges.clear();
        grid.topLeftChanges = 0;
        grid.colWidthChanges = 0;
        for (auto* handler : {&grid.OnClick, &grid.OnDblClick}) {
            const QString name = handler == &grid.OnClick ? QStringLiteral("click") : QStringLiteral("dblclick");
            *handler = [this, name](QObject*) { grid.log << name; };
        }
        grid.OnMouseDown = [this](QObject*, TMouseButton, TShiftState, int, int) { grid.log << "down"; };
        grid.OnMouseUp = [this](QObject*, TMouseButton, TShiftState, int, int) { grid.log << "up"; };
    }
    QWidget* View() { return grid.viewport(); }
    QPoint At(int col, int row) { return Centre(grid.CellRect(col, row)); }
    void Press(QPoint p, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        SendMouse(View(), QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton, mods);
    }
    void Drag(QPoint p) { SendMouse(View(), QEvent::MouseMove, p, Qt::NoButton, Qt::LeftButton); }
    void Release(QPoint p) { SendMouse(View(), QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton); }
};

TEST_F(CustomGrid, CellRectAndMouseCoordAgreeWithFixedScrolledAndHiddenCells) {
    grid.SetFixedCols(2);
    grid.SetFixedRows(1);
    grid.SetColWidths(0, 25);
    grid.SetColWidths(3, -1);
    grid.SetColWidths(4, 55);
    grid.SetRowHeights(2, 30);
    for (int left : {2, 4}) {
        grid.SetLeftCol(left);
        ASSERT_EQ(grid.LeftCol(), left);
        for (int col = 0; col < grid.ColCount(); ++col) {
            for (int row = 0; row < grid.RowCount(); ++row) {
                const TRect r = grid.CellRect(col, row);
                if (r == TRect{}) continue;
                // The line right of and below a cell belongs to it.
                for (const QPoint p :
                     {QPoint(r.Left, r.Top), QPoint(r.Right - 1, r.Bottom - 1), QPoint(r.Right, r.Bottom)}) {
                    if (p.x() >= grid.ClientWidth() || p.y() >= grid.ClientHeight()) continue;
                    EXPECT_EQ(grid.MouseCoord(p.x(), p.y()), (TGridCoord{col, row})) << col << "," << row;
                }
            }
        }
        EXPECT_EQ(grid.CellRect(3, 1), TRect{});  // hidden
    }
    EXPECT_EQ(grid.CellRect(2, 1), TRect{});  // scrolled away
    EXPECT_EQ(grid.CellRect(0, 0), (TRect{0, 0, 25, 19}));
    EXPECT_EQ(grid.CellRect(4, 1).Left, 25 + 1 + 40 + 1);  // LeftCol 4 follows the fixed columns
    int col = 0, row = 0;
    grid.MouseToCell(grid.ClientWidth() + 5, -1, col, row);
    EXPECT_EQ(col, -1);
    EXPECT_EQ(row, -1);
}

TEST_F(CustomGrid, DragSelectsARangeAndKeepsTheCurrentCellWherePressed) {
    Press(At(2, 2));
    Drag(At(3, 4));
    Drag(At(4, 5));
    Release(At(4, 5));
    EXPECT_EQ(grid.Selection(), (TGridRect{2, 2, 4, 5}));
    EXPECT_EQ(grid.Col(), 2);
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_EQ(grid.log, (QStringList{"down", "up", "click"}));
    // Shift+click extends from the current cell; a plain click starts afresh.
    Press(At(1, 1), Qt::ShiftModifier);
    Release(At(1, 1));
    EXPECT_EQ(grid.Selection(), (TGridRect{1, 1, 2, 2}));
    Press(At(3, 3));
    Release(At(3, 3));
    EXPECT_EQ(grid.Selection(), (TGridRect{3, 3, 3, 3}));
}

TEST_F(CustomGrid, ShiftArrowsExtendTheRangeAndPlainArrowsMoveTheCell) {
    grid.FocusCell(2, 2, true);
    QTest::keyClick(&grid, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(&grid, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(&grid, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(grid.Selection(), (TGridRect{2, 2, 4, 3}));
    QTest::keyClick(&grid, Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(grid.Selection(), (TGridRect{2, 2, 3, 3}));
    EXPECT_EQ(grid.Col(), 2);
    QTest::keyClick(&grid, Qt::Key_Down);
    EXPECT_EQ(grid.Selection(), (TGridRect{2, 3, 2, 3}));
    QTest::keyClick(&grid, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(grid.Col(), 9);
    EXPECT_EQ(grid.Row(), 29);
    EXPECT_EQ(grid.TopRow() + grid.VisibleRowCount() - 1, 29);
}

TEST_F(CustomGrid, TabMovesBetweenTabStopsOnlyWhenAsked) {
    grid.SetTabStops(2, false);
    EXPECT_FALSE(grid.WantsKey(VK_TAB, {}));
    grid.SetOptions(grid.Options() + TGridOptions{goTabs});
    EXPECT_TRUE(grid.WantsKey(VK_TAB, {}));
    EXPECT_FALSE(grid.WantsKey(VK_TAB, {ssCtrl}));
    QTest::keyClick(&grid, Qt::Key_Tab);
    EXPECT_EQ(grid.Col(), 3);
    QTest::keyClick(&grid, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(grid.Col(), 1);
}

TEST_F(CustomGrid, DraggingPastTheEdgeScrollsWholeRows) {
    ui::ScopedFakeTimers timers;
    Press(At(2, 2));
    Drag({At(2, 2).x(), grid.ClientHeight() + 20});
    const int lastBefore = grid.Vert().LastFullyVisible();
    EXPECT_EQ(grid.Selection().Bottom, lastBefore);
    timers.Advance(3 * 60);
    EXPECT_EQ(grid.TopRow(), 4);
    EXPECT_EQ(grid.Selection().Bottom, lastBefore + 3);
    Release({At(2, 2).x(), grid.ClientHeight() + 20});
    timers.Advance(5 * 60);
    EXPECT_EQ(grid.TopRow(), 4);
}

TEST_F(CustomGrid, ScrollingIsByWholeCellsAndReportsTheNewTopLeft) {
    grid.SetTopRow(3);
    EXPECT_EQ(grid.topLeftChanges, 1);
    EXPECT_EQ(grid.CellRect(1, 3).Top, 20);  // right below the fixed row
    grid.SetScrollBars(ssBoth);
    QApplication::processEvents();
    grid.verticalScrollBar()->setValue(6);
    EXPECT_EQ(grid.TopRow(), 6);
    EXPECT_EQ(grid.topLeftChanges, 2);
    grid.horizontalScrollBar()->setValue(2);
    EXPECT_EQ(grid.LeftCol(), 2);
    EXPECT_EQ(grid.CellRect(2, 6), (TRect{41, 20, 81, 39}));
    grid.SetTopRow(6);
    EXPECT_EQ(grid.topLeftChanges, 3);  // an unchanged top row reports nothing
    grid.FocusCell(2, 6, true);
    EXPECT_EQ(grid.topLeftChanges, 3);
    QTest::keyClick(&grid, Qt::Key_PageDown);
    EXPECT_GT(grid.TopRow(), 6);
    EXPECT_EQ(grid.topLeftChanges, 4);
}

TEST_F(CustomGrid, TheWheelScrollsByWholeRows) {
    grid.SetScrollBars(ssVertical);
    QApplication::processEvents();
    QWheelEvent wheel(QPointF(At(2, 2)), grid.viewport()->mapToGlobal(QPointF(At(2, 2))), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(grid.viewport(), &wheel);
    EXPECT_GT(grid.TopRow(), 1);
    EXPECT_EQ(grid.CellRect(2, grid.TopRow()).Top, 20);
    EXPECT_EQ(grid.topLeftChanges, 1);
}

TEST_F(CustomGrid, SizeChangesReportTheOldCounts) {
    grid.SetColCount(7);
    grid.SetRowCount(12);
    grid.SetRowCount(12);
    EXPECT_EQ(grid.sizeChanges, (std::vector<std::pair<int, int>>{{10, 30}, {7, 30}}));
    grid.FocusCell(6, 11, true);
    grid.SetColCount(3);
    EXPECT_EQ(grid.Col(), 2);
}

TEST_F(CustomGrid, DoubleClickComesInPlaceOfTheSecondPress) {
    const QPoint p = At(2, 2);
    Press(p);
    Release(p);
    SendMouse(View(), QEvent::MouseButtonDblClick, p, Qt::LeftButton, Qt::LeftButton);
    Release(p);
    EXPECT_EQ(grid.log, (QStringList{"down", "up", "click", "dblclick", "up"}));
}

TEST_F(CustomGrid, DraggingAColumnBorderInTheFixedRowSizesTheColumn) {
    grid.SetOptions(grid.Options() + TGridOptions{goColSizing});
    const TRect r = grid.CellRect(2, 0);
    Press({r.Right, 5});
    Drag({r.Right + 15, 5});
    Release({r.Right + 15, 5});
    EXPECT_EQ(grid.ColWidths(2), 55);
    EXPECT_EQ(grid.colWidthChanges, 1);
    EXPECT_EQ(grid.log, (QStringList{"down", "up"}));  // no click: nothing was selected
}

TEST_F(CustomGrid, MovingAColumnTakesItsWidthAndTabStopAlong) {
    grid.SetColWidths(1, 11);
    grid.SetTabStops(1, false);
    grid.MoveColumn(1, 3);
    EXPECT_EQ(grid.ColWidths(3), 11);
    EXPECT_FALSE(grid.TabStops(3));
    EXPECT_EQ(grid.ColWidths(1), 40);
    EXPECT_TRUE(grid.TabStops(1));
    grid.MoveColumn(3, 1);
    EXPECT_EQ(grid.ColWidths(1), 11);
    EXPECT_EQ(grid.columnMoves, (std::vector<std::pair<int, int>>{{1, 3}, {3, 1}}));
    EXPECT_THROW(grid.MoveColumn(1, 10), EInvalidGridOperation);
}

TEST_F(CustomGrid, TheEditorShowsOverTheCellAndReportsItsText) {
    grid.SetOptions(grid.Options() + TGridOptions{goEditing});
    grid.FocusCell(3, 4, true);
    QTest::keyClick(&grid, Qt::Key_F2);
    TInplaceEdit* editor = grid.InplaceEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->Text(), QStringLiteral("cell 3,4"));
    EXPECT_EQ(ui::FromQRect(editor->geometry()), grid.CellRect(3, 4));
    QTest::keyClicks(editor, QStringLiteral("new"));
    EXPECT_EQ(grid.editText, QStringLiteral("new"));
    QTest::keyClick(editor, Qt::Key_Escape);
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(grid.editText, QStringLiteral("cell 3,4"));
    // Typing on the grid starts editing with that character; Down leaves the cell.
    QTest::keyClick(&grid, Qt::Key_X);
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(grid.editText, QStringLiteral("x"));
    QTest::keyClick(editor, Qt::Key_Down);
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(grid.Row(), 5);
}

TEST_F(CustomGrid, HintsDependOnTheCellUnderThePoint) {
    const QPoint p = At(4, 3);
    EXPECT_EQ(grid.HintAt(p), QStringLiteral("hint 4,3"));
    EXPECT_EQ(grid.HintAt(QPoint(grid.ClientWidth() + 3, 2)), QString());
    grid.SetShowHint(true);
    QHelpEvent help(QEvent::ToolTip, p, grid.viewport()->mapToGlobal(p));
    QApplication::sendEvent(grid.viewport(), &help);
    EXPECT_EQ(QToolTip::text(), QStringLiteral("hint 4,3"));
    // A mouse move that sets a hint shows it at once.
    grid.SetHint(QStringLiteral("Room 4\rProjector"));
    grid.ActivateHintAt(p.x(), p.y());
    EXPECT_EQ(QToolTip::text(), QStringLiteral("Room 4\rProjector"));
    grid.SetHint(QString());
    grid.ActivateHintAt(p.x(), p.y());
    // The tip fades out.
    for (int i = 0; i < 50 && QToolTip::isVisible(); ++i) QTest::qWait(20);
    EXPECT_FALSE(QToolTip::isVisible());
}

TEST_F(CustomGrid, ARightClickOpensThePopupMenu) {
    ui::ScopedScriptedRunner runner;
    TPopupMenu menu(&grid);
    menu.SetName(QStringLiteral("GridMenu"));
    grid.SetPopupMenu(&menu);
    const QPoint p = At(3, 3);
    QContextMenuEvent event(QContextMenuEvent::Mouse, p, grid.viewport()->mapToGlobal(p));
    QApplication::sendEvent(grid.viewport(), &event);
    EXPECT_EQ(runner->Runs(), (std::vector<QString>{QStringLiteral("GridMenu")}));
}

TEST_F(CustomGrid, InvalidatingRepaintsOnlyWhatWasAskedFor) {
    QApplication::processEvents();
    grid.drawnCells = 0;
    grid.InvalidateCell(3, 3);
    QApplication::processEvents();
    EXPECT_EQ(grid.drawnCells, 1);
    grid.drawnCells = 0;
    grid.Invalidate();  // the control as a whole repaints its cells too
    QApplication::processEvents();
    EXPECT_GT(grid.drawnCells, 50);
}

// A small scroll moves the rows already painted: only the row it uncovers and the fixed column are drawn, and the
// picture shown is that of a grid painted whole at the new top row, also after two scrolls between paints.
TEST_F(CustomGrid, AOneRowScrollDrawsOnlyTheUncoveredRowAndTheFixedColumn) {
    // 300 x 200 pixels: the header row and rows 1 to 9 exactly, columns 0 to 7 (7 only in part).
    grid.setFrameShape(QFrame::NoFrame);
    grid.SetSelection({3, 4, 4, 6});
    // Both grids hold the focus when pictured, so that both frame the current cell.
    const auto focus = [](TestGrid& g) {
        g.activateWindow();
        g.setFocus();
        // The activation arrives as an event, and the repaint of the focused cell it asks for as another.
        QApplication::processEvents();
        QApplication::processEvents();
    };
    const auto freshPicture = [&focus](int topRow) {
        TestGrid fresh;
        fresh.setFrameShape(QFrame::NoFrame);
        fresh.SetScrollBars(ssNone);
        fresh.SetDefaultColWidth(40);
        fresh.SetDefaultRowHeight(19);
        fresh.SetColCount(10);
        fresh.SetRowCount(30);
        fresh.SetSelection({3, 4, 4, 6});
        fresh.SetTopRow(topRow);
        fresh.resize(300, 200);
        fresh.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&fresh));
        focus(fresh);
        return testing_env::ShownPixels(*fresh.viewport());
    };
    const auto scrollTo = [&](std::initializer_list<int> tops) {
        focus(grid);
        grid.drawnAt.clear();
        for (int top : tops) grid.SetTopRow(top);
        QApplication::processEvents();
        return testing_env::ShownPixels(*grid.viewport());
    };
    const auto fixedColumnAnd = [&](int row) {
        std::set<std::pair<int, int>> cells;
        for (int r = grid.TopRow(); r < grid.TopRow() + 9; ++r) cells.emplace(0, r);
        for (int c = 1; c <= 7; ++c) cells.emplace(c, row);
        return cells;
    };
    QImage shown = scrollTo({2});
    EXPECT_EQ(grid.drawnAt, fixedColumnAnd(10));
    EXPECT_TRUE(shown == freshPicture(2));
    shown = scrollTo({1});
    EXPECT_EQ(grid.drawnAt, fixedColumnAnd(1));
    EXPECT_TRUE(shown == freshPicture(1));
    shown = scrollTo({2, 4});
    EXPECT_TRUE(shown == freshPicture(4));
    // A jump past every shown row repaints everything.
    shown = scrollTo({20});
    EXPECT_EQ(grid.drawnAt.size(), 10u * 8u);
    EXPECT_TRUE(shown == freshPicture(20));
}

TEST_F(CustomGrid, ResizeReportsTheNewClientArea) {
    grid.resize(420, 200);
    QApplication::processEvents();
    ASSERT_FALSE(grid.resizedWidths.empty());
    EXPECT_EQ(grid.resizedWidths.back(), grid.ClientWidth());
    EXPECT_GT(grid.ClientWidth(), 400);
    EXPECT_EQ(grid.Horz().ClientExtent(), grid.ClientWidth());
}

TEST_F(CustomGrid, PaintsFixedSelectedAndFocusedCellsWithTheirStates) {
    grid.SetFixedColor(clBtnFace);
    grid.activateWindow();
    grid.setFocus();
    grid.FocusCell(2, 2, true);
    QTest::keyClick(&grid, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(&grid, Qt::Key_Down, Qt::ShiftModifier);
    const QImage image = grid.viewport()->grab().toImage();
    const auto rgb = [&](QPoint p) { return image.pixel(p) & 0xFFFFFF; };
    const auto colour = [](TColor c) { return ui::ToQColor(c).rgb() & 0xFFFFFF; };
    EXPECT_EQ(rgb(At(1, 0)), colour(clBtnFace));
    EXPECT_EQ(rgb(At(0, 5)), colour(clBtnFace));
    EXPECT_EQ(rgb(At(3, 3)), colour(clHighlight));
    EXPECT_EQ(rgb(At(3, 2)), colour(clHighlight));
    // The focused cell is not highlighted; its frame is the test grid's red.
    EXPECT_EQ(rgb(At(2, 2)), colour(clWindow));
    const TRect focused = grid.CellRect(2, 2);
    EXPECT_EQ(rgb({focused.Left, focused.Top + 5}), colour(clRed));
    EXPECT_EQ(rgb(At(5, 5)), colour(clWindow));
    // Lines: black between fixed cells, silver between the others.
    EXPECT_EQ(rgb({grid.CellRect(1, 0).Right, 5}), colour(clBlack));
    EXPECT_EQ(rgb({grid.CellRect(5, 5).Right, At(5, 5).y()}), colour(clSilver));
}

// The test grid at 20 x 50 cells; under a real display it saves the screen's own pixels.
TEST(CustomGridScreen, Screenshot) {
    TestGrid grid;
    grid.SetColCount(20);
    grid.SetRowCount(50);
    grid.SetDefaultColWidth(48);
    grid.SetDefaultRowHeight(20);
    grid.SetColWidths(0, 30);
    grid.resize(640, 420);
    grid.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    grid.activateWindow();
    grid.setFocus();
    grid.FocusCell(3, 5, true);
    grid.SetSelection({3, 5, 6, 9});
    grid.SetTopRow(3);
    EXPECT_GT(grid.VisibleRowCount(), 10);
    const QString path = qEnvironmentVariable("TAVORIN_GRID_SCREENSHOT");
    if (path.isEmpty()) return;
    QTest::qWait(200);
    ASSERT_TRUE(grid.screen()->grabWindow(0).save(path));
}

}  // namespace
