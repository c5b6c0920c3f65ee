// The grid's mouse and columns: a title click against a drag, columns moved by dragging their titles (with
// the group rules) rewriting Selected, widths written back in characters, link cells and cell hints.
#include "GridFixture.h"

#include "platform/db/Field.h"
#include "platform/ui/InplaceEdit.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <QMouseEvent>

using grid_test::GridTest;

namespace {

class GridMouseTest : public GridTest {
protected:
    TADOQuery query;

    void OpenWith(const QStringList& lines, int tasks = 3) {
        AddTasks(tasks);
        grid->Selected().SetStrings(lines);
        Open(query);
        QApplication::processEvents();
    }

    void Send(QEvent::Type type, QPoint at, Qt::MouseButtons held) {
        QMouseEvent event(type, at, grid->viewport()->mapToGlobal(at),
                          type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held, Qt::NoModifier);
        QApplication::sendEvent(grid->viewport(), &event);
    }

    // Press at one point, move through the others with the button held, release at the last.
    void Drag(const std::vector<QPoint>& points) {
        Send(QEvent::MouseButtonPress, points.front(), Qt::LeftButton);
        for (const QPoint& p : points) Send(QEvent::MouseMove, p, Qt::LeftButton);
        Send(QEvent::MouseButtonRelease, points.back(), Qt::NoButton);
    }

    // A point in a grid column's title; upper: in its upper half (a grouped column's group header).
    QPoint Title(int col, bool upper = false) const {
        const TRect r = grid->CellRect(col, 0);
        return {r.Left + r.Width() / 2, upper ? r.Top + 2 : r.Bottom - 2};
    }

    bool HasRedInside(const TRect& cell) const {
        const QImage shot = grid->viewport()->grab().toImage();
        for (int y = cell.Top + 1; y < cell.Bottom; ++y)
            for (int x = cell.Left + 1; x < cell.Right; ++x)
                if (shot.pixelColor(x, y) == QColor(Qt::red)) return true;
        return false;
    }

    QStringList Fields() const {
        QStringList fields;
        for (const QString& line : grid->Selected().ToStringList()) fields << line.section(QLatin1Char('\t'), 0, 0);
        return fields;
    }
};

TEST_F(GridMouseTest, AClickMovesTheRecordAndColumnWithOneCellChange) {
    OpenWith({"Subject\t10\tSubject\tF", "PercentCompleted\t6\tDone\tF"}, 5);
    int changes = 0;
    grid->OnCellChanged = [&](QObject*) { ++changes; };
    const TRect cell = grid->CellRect(2, 4);
    Drag({QPoint(cell.Left + 3, cell.Top + 3)});
    EXPECT_EQ(query.FieldByName(QStringLiteral("Subject")).AsString(), "Task 4");
    EXPECT_EQ(grid->GetCurrentDataColumn(), 1);
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(grid->EditorMode());
    Drag({QPoint(cell.Left + 3, cell.Top + 3)});  // the current cell again: its editor
    EXPECT_TRUE(grid->InplaceEditor() && grid->InplaceEditor()->isVisible());
    EXPECT_EQ(changes, 1);
}

TEST_F(GridMouseTest, ATitleClickFiresTheButtonADragBeyondTwoPixelsDoesNot) {
    OpenWith({"Subject\t10\tSubject\tF", "PercentCompleted\t6\tDone\tF\tWork", "Notes\t6\tNotes\tF\tWork"});
    grid->TitleButtons = true;
    QStringList clicked;
    grid->OnTitleButtonClick = [&](QObject*, const QString& name) { clicked << name; };
    const QPoint subject = Title(1);
    Drag({subject, subject + QPoint(2, 2)});
    Drag({Title(2, false)});
    Drag({Title(2, true)});
    EXPECT_EQ(clicked, (QStringList{"Subject", "PercentCompleted", "Work"}));
    EXPECT_EQ(grid->PressedTitle().X, -1);

    Drag({subject, subject + QPoint(3, 0)});  // a drag, though it lands on its own title
    EXPECT_EQ(clicked.size(), 3);
    EXPECT_EQ(Fields(), (QStringList{"Subject", "PercentCompleted", "Notes"}));
}

TEST_F(GridMouseTest, AColumnDraggedByItsTitleRewritesSelectedInTheNewOrder) {
    OpenWith({"Subject\t10\tSubject\tF", "PercentCompleted\t6\tDone\tT", "Notes\t6\tNotes\tF"});
    std::vector<std::pair<int, int>> moved;
    grid->OnColumnMoved = [&](QObject*, int from, int to) { moved.emplace_back(from, to); };
    Send(QEvent::MouseButtonPress, Title(1), Qt::LeftButton);
    Send(QEvent::MouseMove, Title(1) + QPoint(10, 0), Qt::LeftButton);
    Send(QEvent::MouseMove, Title(3), Qt::LeftButton);
    ASSERT_NE(grid->TitleDragImage(), nullptr);
    EXPECT_TRUE(grid->TitleDragImage()->isVisible());
    ASSERT_NE(grid->InsertionMark(), nullptr);  // its arrow points at the right border of the last column
    EXPECT_EQ(grid->InsertionMark()->geometry().right(), grid->CellRect(3, 0).Right - 1);
    Send(QEvent::MouseButtonRelease, Title(3), Qt::NoButton);
    EXPECT_EQ(grid->TitleDragImage(), nullptr);
    EXPECT_EQ(grid->Selected().ToStringList(),
              (QStringList{"PercentCompleted\t6\tDone\tT", "Notes\t6\tNotes\tF", "Subject\t10\tSubject\tF"}));
    EXPECT_EQ(moved, (std::vector<std::pair<int, int>>{{0, 2}}));
    EXPECT_EQ(grid->GetFields(2)->FieldName(), "Subject");
    // A drop left of every scrollable column lands on the first one.
    Drag({Title(3), Title(3) - QPoint(10, 0), QPoint(2, Title(1).y())});
    EXPECT_EQ(Fields(), (QStringList{"Subject", "PercentCompleted", "Notes"}));
}

struct GroupDropCase {
    const char* name;
    int from;
    bool groupHeader;
    int onto;
    QStringList expected;
};

class GroupDrop : public GridMouseTest, public ::testing::WithParamInterface<GroupDropCase> {};

TEST_P(GroupDrop, GroupsAreNeverSplit) {
    const GroupDropCase& c = GetParam();
    connection.Execute("ALTER TABLE Tasks ADD COLUMN Owner TEXT(20)");
    OpenWith({"Subject\t6\tA\tF", "PercentCompleted\t6\tB\tF\tG", "Notes\t6\tC\tF\tG", "Owner\t6\tD\tF"}, 1);
    Resize(600, 300);
    const QPoint from = Title(c.from, c.groupHeader);
    Drag({from, from + QPoint(c.onto > c.from ? 5 : -5, 0), Title(c.onto)});
    EXPECT_EQ(Fields(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Grid, GroupDrop,
    ::testing::Values(
        GroupDropCase{"PlainColumnOntoAGroupMovingRightLandsAfterIt",
                      1,
                      false,
                      3,
                      {"PercentCompleted", "Notes", "Subject", "Owner"}},
        GroupDropCase{"PlainColumnOntoAGroupMovingLeftLandsBeforeIt",
                      4,
                      false,
                      3,
                      {"Subject", "Owner", "PercentCompleted", "Notes"}},
        GroupDropCase{"ColumnMovesInsideItsGroup", 2, false, 3, {"Subject", "Notes", "PercentCompleted", "Owner"}},
        GroupDropCase{"ColumnNeverLeavesItsGroup", 2, false, 4, {"Subject", "PercentCompleted", "Notes", "Owner"}},
        GroupDropCase{"WholeGroupMovesRight", 2, true, 4, {"Subject", "Owner", "PercentCompleted", "Notes"}},
        GroupDropCase{"WholeGroupMovesLeft", 3, true, 1, {"PercentCompleted", "Notes", "Subject", "Owner"}}),
    [](const auto& info) { return std::string(info.param.name); });

// A font whose "0" is 7 pixels wide, when the test machine has one.
bool UseZeroOfSeven(TwwCustomDBGrid& grid) {
    for (int pixels = 8; pixels <= 20; ++pixels) {
        TFont font;
        font.Assign(grid.Font());
        font.SetHeight(-pixels);
        if (grid_test::TextWidthIn(font, QStringLiteral("0")) == 7) {
            grid.Font().Assign(font);
            return true;
        }
    }
    return false;
}

TEST_F(GridMouseTest, AResizedWidthIsWrittenBackInCharactersAndSetColWidthsIsNot) {
    OpenWith({"Subject\t10\tSubject\tF", "PercentCompleted\t6\tDone\tF\tWork"});
    if (!UseZeroOfSeven(*grid)) GTEST_SKIP() << "no font size gives a 0 of 7 pixels";
    ASSERT_EQ(Zero(), 7);
    grid->SetColWidths(1, 120);  // a window's width: shown, not stored
    EXPECT_EQ(grid->GetColWidths(1), 120);
    EXPECT_EQ(grid->Selected().Strings(0), "Subject\t10\tSubject\tF");

    // The user drags the border of column 1 to 70 pixels.
    const int border = grid->CellRect(1, 0).Right;
    const int y = grid->CellRect(1, 0).Top + 3;
    Drag({{border, y}, {border + 1, y}, {border - 50, y}});
    EXPECT_EQ(grid->Selected().Strings(0), "Subject\t9\tSubject\tF");
    EXPECT_EQ(grid->Selected().Strings(1), "PercentCompleted\t6\tDone\tF\tWork");
    EXPECT_EQ(grid->GetColWidths(1), 9 * 7 + 4);
}

TEST_F(GridMouseTest, AGroupsInnerBorderIsDraggedOnlyBelowItsHeader) {
    OpenWith({"Subject\t10\tA\tF\tG", "PercentCompleted\t10\tB\tF\tG", "Notes\t10\tC\tF"});
    const TRect title = grid->CellRect(1, 0);
    const int before = grid->GetColWidths(1);
    Drag({{title.Right, title.Top + 2}, {title.Right + 20, title.Top + 2}});
    EXPECT_EQ(grid->GetColWidths(1), before);
    Drag({{title.Right, title.Bottom - 2}, {title.Right + 20, title.Bottom - 2}});
    EXPECT_GT(grid->GetColWidths(1), before);
}

TEST_F(GridMouseTest, ColumnsAnswerFromTheirSelectedLinesAndTheDefaultColumnForNone) {
    OpenWith({"Subject\t10\tTitle\tT\tG", "PercentCompleted\t6\tDone"});
    TwwColumn* subject = grid->FindColumn(QStringLiteral("SUBJECT"));
    EXPECT_EQ(subject->GetDisplayWidth(), 10);
    EXPECT_EQ(subject->GetDisplayLabel(), "Title");
    EXPECT_TRUE(subject->GetReadOnly());
    EXPECT_EQ(subject->GetGroupName(), "G");
    EXPECT_EQ(grid->GetColumnByDataCol(1)->FieldName, "PercentCompleted");
    TwwColumn* none = grid->GetColumn(7);
    EXPECT_TRUE(none->FieldName.isEmpty());
    none->SetDisplayWidth(3);
    EXPECT_EQ(none->GetDisplayWidth(), 0);
    subject->SetDisplayWidth(12);
    EXPECT_EQ(grid->Selected().Strings(0), "Subject\t12\tTitle\tT\tG");
    EXPECT_EQ(grid->GetColWidths(1), 12 * Zero() + 4);
}

TEST_F(GridMouseTest, AutoSizeFitsTheWidestVisibleTextButNeverPastHalfTheGrid) {
    OpenWith({"Subject\t30\tS\tF"});
    grid->AutoSizeColumn(1);
    const int needed = grid_test::TextWidthIn(grid->Font(), QStringLiteral("Task 1")) + 4;
    EXPECT_EQ(grid->Selected().Strings(0), QStringLiteral("Subject\t%1\tS\tF").arg(needed / Zero()));

    query.Edit();
    query.FieldByName(QStringLiteral("Subject")).SetAsString(QString(45, QLatin1Char('W')));
    query.Post();
    const QString before = grid->Selected().Strings(0);
    grid->AutoSizeColumn(1);
    EXPECT_EQ(grid->Selected().Strings(0), before);
}

struct LinkCase {
    const char* name;
    const char* value;
    const char* opened;  // empty: nothing is opened
};

class LinkCells : public GridMouseTest, public ::testing::WithParamInterface<LinkCase> {};

TEST_P(LinkCells, OnlyWebAndMailAddressesAreOpened) {
    const LinkCase& c = GetParam();
    grid->ControlType().SetStrings({"Subject;URL-Link"});
    OpenWith({"Subject\t30\tS\tF"}, 2);
    query.Last();
    query.Edit();
    query.FieldByName(QStringLiteral("Subject")).SetAsString(QString::fromUtf8(c.value));
    query.Post();
    query.First();
    QStringList opened;
    const auto saved = TwwCustomDBGrid::UrlOpener();
    TwwCustomDBGrid::UrlOpener() = [&](const QString& address) { opened << address; };
    const TRect cell = grid->CellRect(1, 2);
    const QPoint at(cell.Left + 3, cell.Top + 3);
    Send(QEvent::MouseMove, at, Qt::NoButton);
    EXPECT_EQ(grid->HotURLCell().X, 1);
    EXPECT_EQ(grid->viewport()->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_TRUE(HasRedInside(cell)) << "the hot link shows in red";
    Send(QEvent::MouseButtonPress, at, Qt::LeftButton);
    Send(QEvent::MouseButtonRelease, at, Qt::NoButton);
    TwwCustomDBGrid::UrlOpener() = saved;
    EXPECT_EQ(query.FieldByName(QStringLiteral("Subject")).AsString(), QString::fromUtf8(c.value));
    if (*c.opened) {
        EXPECT_EQ(opened, QStringList{QString::fromUtf8(c.opened)});
        EXPECT_TRUE(testing_env::Messages().Requests().empty());
    } else {
        EXPECT_TRUE(opened.isEmpty());
        EXPECT_EQ(testing_env::Messages().Requests().size(), 1u);
    }
    Send(QEvent::MouseMove, QPoint(2, 2), Qt::NoButton);
    EXPECT_EQ(grid->HotURLCell().X, -1);
    EXPECT_FALSE(HasRedInside(cell)) << "and in the plain link colour once the mouse has left";
}

INSTANTIATE_TEST_SUITE_P(
    Grid, LinkCells,
    ::testing::Values(LinkCase{"WebAddressAfterItsText", "Home page#https://example.org/a", "https://example.org/a"},
                      LinkCase{"BareMailAddressGetsTheMailScheme", "anna@example.org", "MailTo:anna@example.org"},
                      LinkCase{"MailSchemeInAnyCaseStaysAsItIs", "mailto:anna@example.org", "mailto:anna@example.org"},
                      LinkCase{"DotBeforeTheAtIsNoMailAddress", "a.b@example", ""},
                      LinkCase{"LocalFileIsRefused", "Notes#file:///etc/passwd", ""},
                      LinkCase{"ProgramIsRefused", "/usr/bin/xterm", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(GridMouseTest, ALongTextShowsAHintUntilTheMouseLeavesOrItsTimeIsUp) {
    grid->SetOptions(grid->Options() + TwwDBGridOptions{dgShowCellHint});
    OpenWith({"Subject\t8\tS\tF"}, 2);
    query.Last();
    query.Edit();
    query.FieldByName(QStringLiteral("Subject")).SetAsString(QStringLiteral("A subject far too long for its cell"));
    query.Post();
    query.First();
    const TRect shortCell = grid->CellRect(1, 1);
    Send(QEvent::MouseMove, QPoint(shortCell.Left + 2, shortCell.Top + 2), Qt::NoButton);
    EXPECT_EQ(grid->CellHintWindow(), nullptr);  // "Task 1" fits

    const TRect cell = grid->CellRect(1, 2);
    const QPoint inside(cell.Left + 2, cell.Top + 2);
    Send(QEvent::MouseMove, inside, Qt::NoButton);
    QWidget* hint = grid->CellHintWindow();
    ASSERT_NE(hint, nullptr);
    EXPECT_GT(hint->width(), cell.Width());
    EXPECT_EQ(hint->mapToGlobal(QPoint(0, 0)).x(), grid->viewport()->mapToGlobal(QPoint(cell.Left, 0)).x());
    for (int tick = 0; tick < 16; ++tick) grid->HintTick(inside.x(), inside.y());
    EXPECT_NE(grid->CellHintWindow(), nullptr);
    grid->HintTick(inside.x(), inside.y());
    EXPECT_EQ(grid->CellHintWindow(), nullptr);

    Send(QEvent::MouseMove, QPoint(shortCell.Left + 2, shortCell.Top + 2), Qt::NoButton);
    Send(QEvent::MouseMove, inside, Qt::NoButton);
    ASSERT_NE(grid->CellHintWindow(), nullptr);
    grid->HintTick(cell.Left + 2, cell.Bottom + 20);
    EXPECT_EQ(grid->CellHintWindow(), nullptr);
}

}  // namespace
