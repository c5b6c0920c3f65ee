// The grid's cell painting read back from its pixels: texts, alignment, colours, the current cell, the
// group-field rule, multi-line titles and the indicator glyphs, over a real database file.
#include "GridFixture.h"
#include "platform/db/Field.h"
#include "platform/sql/Connection.h"
#include "platform/sql/Statement.h"
#include "platform/ui/Edits.h"

#include <gtest/gtest.h>
#include <QFontMetrics>
#include <QRect>
#include <stdexcept>

namespace {

using grid_test::GridTest;
using grid_test::Rgb;

// The box of the pixels inside r that differ from the background colour; empty when there are none.
QRect InkBoxOf(const QImage& image, const TRect& r, TColor background) {
    const QRgb bg = ui::ToQColor(background).rgb();
    QRect box;
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            if (image.pixel(x, y) != bg) box |= QRect(x, y, 1, 1);
    return box;
}

bool HasColor(const QImage& image, const TRect& r, TColor color) {
    const QRgb wanted = ui::ToQColor(color).rgb();
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            if (image.pixel(x, y) == wanted) return true;
    return false;
}

// The colour a cell was filled with, read inside its bottom left corner (the current cell has a focus frame,
// and the fixed columns' light line falls on the first pixel of the column after them).
TColor Background(const QImage& image, const TRect& r) {
    return ui::FromQColor(image.pixelColor(r.Left + 1, r.Bottom - 2));
}

// The cell without its outermost pixels (the focus frame, the lines drawn along a cell's edges).
TRect Inner(const TRect& r) { return {r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1}; }

class GridPaintTest : public GridTest {
protected:
    TADOQuery query;

    void SetUp() override {
        GridTest::SetUp();
        grid->SetColor(clWhite);
    }

    void AddSubjects(const QStringList& subjects) {
        sql::Connection& engine = connection.Engine();
        const auto insert = engine.Prepare("INSERT INTO Tasks (Subject, PercentCompleted) VALUES (:S, :P)");
        int percent = 0;
        for (const QString& subject : subjects) {
            insert->Reset();
            insert->Bind(0, subject);
            insert->Bind(1, percent += 30);
            insert->Step();
        }
    }

    void OpenTwoColumns(const QString& subjectTitle = QStringLiteral("Subject")) {
        grid->Selected().SetStrings({"Subject\t12\t" + subjectTitle + "\tF", "PercentCompleted\t6\tDone\tF"});
        Open(query);
    }

    QImage Shot() { return grid->viewport()->grab().toImage(); }
};

TEST_F(GridPaintTest, TextsSitAtTheirFieldsAlignmentAndPaintingLeavesTheDatasetWhereItWas) {
    AddTasks(3);
    OpenTwoColumns();
    query.SetRecNo(2);
    std::vector<QString> seen;
    grid->OnBeforeDrawCell = [&](TwwCustomDBGrid*, TwwCustomDrawGridCellInfo& info) {
        if (info.DataRow >= 0 && info.Field && info.Field->FieldName() == "Subject")
            seen.push_back(info.Field->AsString());
    };
    const QImage shot = Shot();
    EXPECT_EQ(query.RecNo(), 2);
    EXPECT_EQ(query.FieldByName("Subject").AsString(), "Task 2");
    EXPECT_EQ(seen, (std::vector<QString>{"Task 1", "Task 2", "Task 3"}));
    for (int row = 1; row <= 3; ++row) {
        const TRect subject = grid->CellRect(1, row);
        const QRect left = InkBoxOf(shot, Inner(subject), Background(shot, subject));
        ASSERT_FALSE(left.isEmpty()) << row;
        EXPECT_NEAR(left.left() - subject.Left, 2, 2) << "left text starts 2 pixels in";
        const TRect done = grid->CellRect(2, row);
        const QRect right = InkBoxOf(shot, Inner(done), Background(shot, done));
        ASSERT_FALSE(right.isEmpty()) << row;
        EXPECT_NEAR(done.Right - 1 - right.right(), 2, 2) << "numbers end 2 pixels before the edge";
        EXPECT_GE(left.top() - subject.Top, 2) << row;
    }
}

TEST_F(GridPaintTest, HighlightAndEventColours) {
    AddTasks(4);
    OpenTwoColumns();
    grid->SetOptions(grid->Options() + TwwDBGridOptions{dgAlwaysShowSelection});
    grid->OnCalcCellColors = [](QObject*, TField* field, TGridDrawState, bool highlight, TFont& font, TBrush& brush) {
        if (!highlight && field && field->FieldName() == "PercentCompleted" && field->AsInteger() >= 3) {
            brush.Color = clRed;
            font.SetColor(clWhite);
        }
    };
    QImage shot = Shot();
    // The current cell is the first data cell; the others keep the grid's colour unless the event recolours.
    const struct {
        int col, row;
        TColor background;
    } cases[] = {{1, 1, clHighlight}, {2, 1, clWhite}, {1, 3, clWhite}, {2, 2, clWhite}, {2, 3, clRed}, {2, 4, clRed}};
    for (const auto& c : cases) {
        const TRect r = grid->CellRect(c.col, c.row);
        EXPECT_EQ(shot.pixel(r.Left + 1, r.Bottom - 2), Rgb(c.background)) << c.col << "," << c.row;
        EXPECT_FALSE(InkBoxOf(shot, Inner(r), c.background).isEmpty()) << "text shows on " << c.col << "," << c.row;
    }
    // An active record colour with row selection marks the whole current row.
    grid->SetOptions(grid->Options() + TwwDBGridOptions{dgRowSelect});
    grid->PaintOptions.SetActiveRecordColor(clYellow);
    query.SetRecNo(2);
    shot = Shot();
    const int row = grid->Row();
    EXPECT_EQ(row, 2);
    for (int col = 1; col <= 2; ++col) {
        const TRect r = grid->CellRect(col, row);
        EXPECT_EQ(shot.pixel(r.Left + 1, r.Bottom - 2), Rgb(clYellow)) << col;
        EXPECT_EQ(shot.pixel(r.Left + 1, grid->CellRect(col, 1).Bottom - 2), Rgb(clWhite)) << col;
    }
}

TEST_F(GridPaintTest, HandlersSuppressTextAndAFailingCellHandlerStopsNothing) {
    AddTasks(3);
    OpenTwoColumns();
    grid->OnBeforeDrawCell = [](TwwCustomDBGrid*, TwwCustomDrawGridCellInfo& info) {
        if (info.DataRow == 1) info.DefaultDrawText = false;
    };
    int drawn = 0;
    grid->OnDrawDataCell = [&](QObject*, const TRect&, TField*, TGridDrawState) {
        ++drawn;
        throw std::runtime_error("a form's handler failed");
    };
    const QImage shot = Shot();
    EXPECT_EQ(drawn, 6);
    for (int col = 1; col <= 2; ++col) {
        EXPECT_FALSE(InkBoxOf(shot, Inner(grid->CellRect(col, 1)), Background(shot, grid->CellRect(col, 1))).isEmpty())
            << col;
        EXPECT_TRUE(InkBoxOf(shot, Inner(grid->CellRect(col, 2)), Background(shot, grid->CellRect(col, 2))).isEmpty())
            << col;
        EXPECT_FALSE(InkBoxOf(shot, Inner(grid->CellRect(col, 3)), Background(shot, grid->CellRect(col, 3))).isEmpty())
            << col;
    }
}

TEST_F(GridPaintTest, GroupFieldShowsEachValueOnceWithoutLinesInsideTheRunAndClosesIt) {
    AddSubjects({"Alpha", "Alpha", "Alpha", "Beta", "Beta"});
    OpenTwoColumns();
    grid->GroupFieldName = QStringLiteral("Subject");
    query.SetRecNo(4);
    const QImage shot = Shot();
    EXPECT_EQ(query.RecNo(), 4);
    // clNone: no line, the cell's own background goes on. The current cell (row 4) has its bottom edge drawn.
    const struct {
        bool text;
        TColor lineBelowGroup, lineBelowOther;
        quint8 flags;
    } rows[] = {
        {true, clNone, clSilver, 1},   {false, clNone, clSilver, 3},   {false, clBlack, clBlack, 2},
        {true, clSilver, clSilver, 1}, {false, clSilver, clSilver, 2},  // the last record: its line is drawn
    };
    for (int i = 0; i < 5; ++i) {
        const TRect group = grid->CellRect(1, i + 1);
        const TRect other = grid->CellRect(2, i + 1);
        const TColor background = Background(shot, group);
        EXPECT_EQ(!InkBoxOf(shot, Inner(group), background).isEmpty(), rows[i].text) << i;
        EXPECT_FALSE(InkBoxOf(shot, Inner(other), Background(shot, other)).isEmpty()) << i;
        const int middle = (group.Left + group.Right) / 2;
        const TColor below = rows[i].lineBelowGroup == clNone ? background : rows[i].lineBelowGroup;
        EXPECT_EQ(shot.pixel(middle, group.Bottom), Rgb(below)) << i;
        EXPECT_EQ(shot.pixel((other.Left + other.Right) / 2, other.Bottom), Rgb(rows[i].lineBelowOther)) << i;
        EXPECT_EQ(grid->Columns()[0]->RowLineFlags.at(i), rows[i].flags) << i;
    }
}

TEST_F(GridPaintTest, TitleWithTildeIsDrawnOnTwoCentredLines) {
    AddTasks(1);
    grid->SetTitleLines(2);
    OpenTwoColumns(QStringLiteral("Per~Cent"));
    const QImage shot = Shot();
    const TRect title = grid->CellRect(1, 0);
    const QRect ink = InkBoxOf(shot, Inner(title), grid->TitleColor);
    ASSERT_FALSE(ink.isEmpty());
    const int line = QFontMetrics(grid->TitleFont().ToQFont()).height();
    EXPECT_GT(ink.height(), line) << "two lines";
    EXPECT_NEAR(ink.center().y(), (title.Top + title.Bottom) / 2, 3) << "centred";
    EXPECT_LE(ink.left() - title.Left, 4);
    // Line 2 starts at the left too: the text was split at the "~", not shown with it.
    EXPECT_LT(ink.width(), grid_test::TextWidthIn(grid->TitleFont(), "Per~Cent"));
}

TEST_F(GridPaintTest, PadStylesFillTheAreaRightOfTheLastColumn) {
    AddTasks(3);
    OpenTwoColumns();
    grid->TitleColor = clAqua;
    const TRect lastTitle = grid->CellRect(2, 0);
    const TRect lastData = grid->CellRect(2, 2);
    const int x = lastData.Right + 10;
    ASSERT_LT(x, grid->ClientWidth());
    const struct {
        TwwPadColumnStyle style;
        TColor title, data;
    } cases[] = {{pcsPadHeaderAndData, clAqua, clAqua}, {pcsPadHeader, clAqua, clWhite}, {pcsPlain, clWhite, clWhite}};
    for (const auto& c : cases) {
        grid->PadColumnStyle = c.style;
        const QImage shot = Shot();
        EXPECT_EQ(shot.pixel(x, (lastTitle.Top + lastTitle.Bottom) / 2), Rgb(c.title)) << c.style;
        EXPECT_EQ(shot.pixel(x, (lastData.Top + lastData.Bottom) / 2), Rgb(c.data)) << c.style;
        EXPECT_EQ(shot.pixel(x, grid->ClientHeight() - 2), Rgb(c.data)) << c.style;
        // The pad's left edge is lit.
        EXPECT_EQ(shot.pixel(lastData.Right + 1, lastData.Top), Rgb(grid->LineColors.HighlightColor)) << c.style;
    }
}

TEST_F(GridPaintTest, IndicatorGlyphFollowsTheDatasetState) {
    AddTasks(3);
    OpenTwoColumns();
    grid->SetIndicatorIconColor(clYellow);
    query.SetRecNo(2);
    const struct {
        const char* state;
        int current, other;
    } cases[] = {{"browse", 0, -1}, {"edit", 1, -1}, {"insert", 2, -1}};
    for (const auto& c : cases) {
        if (QByteArray(c.state) == "edit") query.Edit();
        if (QByteArray(c.state) == "insert") query.Insert();
        const int current = grid->Row() - 1;
        EXPECT_EQ(grid->IndicatorGlyph(current), c.current) << c.state;
        const int other = current == 0 ? 1 : 0;
        EXPECT_EQ(grid->IndicatorGlyph(other), c.other) << c.state;
        const QImage shot = Shot();
        EXPECT_TRUE(HasColor(shot, grid->CellRect(0, current + 1), clYellow)) << c.state;
        EXPECT_FALSE(HasColor(shot, grid->CellRect(0, other + 1), clYellow)) << c.state;
        query.Cancel();
    }
}

}  // namespace

namespace {

using grid_test::GridTest;

class GridFooterTest : public GridTest {};

TEST_F(GridFooterTest, FooterHeightTakesItsShareOfTheCells) {
    const int textHeight = QFontMetrics(grid->Font().ToQFont()).height();
    const int cellsAlone = grid->viewport()->height();
    const struct {
        int stored;
        bool cells3D;
        int expected;
    } cases[] = {{0, false, textHeight + 6}, {0, true, textHeight + 8}, {20, false, 20}, {-5, false, textHeight + 6}};
    for (const auto& c : cases) {
        grid->SetFooterHeight(c.stored);
        TwwDBGridOptions options = grid->Options() + TwwDBGridOptions{dgShowFooter} - TwwDBGridOptions{dgFooter3DCells};
        if (c.cells3D) options.Include(dgFooter3DCells);
        grid->SetOptions(options);
        EXPECT_EQ(grid->FooterHeight(), std::max(c.stored, 0)) << c.stored;
        EXPECT_EQ(grid->FooterStripHeight(), c.expected) << c.stored << c.cells3D;
        EXPECT_EQ(grid->viewport()->height(), cellsAlone - c.expected) << c.stored << c.cells3D;
        ASSERT_NE(grid->FooterStrip(), nullptr);
        EXPECT_EQ(grid->FooterStrip()->geometry().top(), grid->viewport()->geometry().bottom() + 1);
    }
    grid->SetOptions(grid->Options() - TwwDBGridOptions{dgShowFooter});
    EXPECT_EQ(grid->viewport()->height(), cellsAlone);
    EXPECT_FALSE(grid->FooterStrip()->isVisible());
}

TEST_F(GridFooterTest, OnlyColumnsWithAFooterValueGetABox) {
    AddTasks(2);
    grid->Selected().SetStrings({"Subject\t12\tSubject\tF", "PercentCompleted\t6\tDone\tF"});
    TADOQuery query;
    Open(query);
    grid->SetOptions(grid->Options() + TwwDBGridOptions{dgShowFooter});
    grid->FooterCellColor = clWhite;
    grid->Columns()[1]->FooterValue = QStringLiteral("42");
    const QImage strip = grid->FooterStrip()->grab().toImage();
    const auto whiteIn = [&](int col) {
        const int left = grid->Horz().Start(col);
        int white = 0;
        for (int x = left; x < left + grid->ColWidths(col); ++x)
            if (strip.pixel(x, strip.height() / 2) == ui::ToQColor(clWhite).rgb()) ++white;
        return white;
    };
    EXPECT_EQ(whiteIn(1), 0) << "no footer value, no box";
    EXPECT_GT(whiteIn(2), grid->ColWidths(2) / 3);
    // A handler can draw an empty one itself.
    int asked = 0;
    grid->OnDrawFooterCell = [&](QObject*, TCanvas& canvas, const TRect& r, TField*, const QString&, bool& def) {
        ++asked;
        canvas.Brush().Color = clRed;
        canvas.FillRect(r);
        def = false;
    };
    const QImage handled = grid->FooterStrip()->grab().toImage();
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(handled.pixel(grid->Horz().Start(1) + 3, handled.height() / 2), ui::ToQColor(clRed).rgb());
}

}  // namespace

namespace {

using grid_test::GridTest;

class GridControlTypeTest : public GridTest {
protected:
    TADOQuery query;
    QWidget form;

    void OpenWithLines(const QStringList& lines) {
        grid->setParent(&form);
        form.resize(420, 320);
        form.show();
        grid->SetColor(clWhite);
        grid->ControlType().SetStrings(lines);
        grid->Selected().SetStrings({"Subject\t12\tSubject\tF", "PercentCompleted\t6\tDone\tF"});
        Open(query);
    }

    void TearDown() override {
        // The fixture owns the grid; the form must not delete it too.
        grid->setParent(nullptr);
    }
};

TEST_F(GridControlTypeTest, KindsAreCachedPerColumnAndAMissingEditControlLeavesText) {
    AddTasks(3);
    OpenWithLines({"Subject;CustomEdit;NoSuchControl", "PercentCompleted;CheckBox;100;0"});
    const auto& info = grid->ColumnInfo();
    ASSERT_EQ(static_cast<int>(info.size()), grid->ColCount());
    EXPECT_EQ(info[1].Kind, "") << "the control is missing";
    EXPECT_EQ(info[1].Control, nullptr);
    EXPECT_EQ(info[2].Kind, "CheckBox");
    EXPECT_EQ(info[2].Params, "100;0");
    QString checked, unchecked;
    ASSERT_TRUE(grid->GetCheckBoxValues(2, 1, unchecked, checked));
    EXPECT_EQ(checked, "100");
    EXPECT_EQ(unchecked, "0");
    EXPECT_FALSE(grid->GetCheckBoxValues(1, 1, unchecked, checked));
    const QImage shot = grid->viewport()->grab().toImage();
    const TRect cell = grid->CellRect(1, 2);
    EXPECT_FALSE(InkBoxOf(shot, cell, Background(shot, cell)).isEmpty()) << "painted as text";
}

TEST_F(GridControlTypeTest, AnEditControlAskedForIsPicturedInOtherRowsCells) {
    AddTasks(3);
    TEdit edit(&form);
    edit.Widget().setObjectName("SubjectEdit");
    edit.SetColor(clRed);
    edit.Widget().hide();
    OpenWithLines({"Subject;CustomEdit;SubjectEdit;T"});
    ASSERT_EQ(grid->ColumnInfo()[1].Control, &edit);
    EXPECT_TRUE(grid->ColumnInfo()[1].AlwaysPaintControl);
    const QImage shot = grid->viewport()->grab().toImage();
    // The style draws the edit's red with shading: look for reddish pixels.
    const auto reddish = [&](const TRect& r) {
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x) {
                const QColor c = shot.pixelColor(x, y);
                if (c.red() > 120 && c.green() < 80 && c.blue() < 80) return true;
            }
        return false;
    };
    // The control is hidden, so the current row shows its picture too.
    for (int row = 1; row <= 3; ++row) EXPECT_TRUE(reddish(grid->CellRect(1, row))) << row;
    EXPECT_FALSE(reddish(grid->CellRect(2, 2)));
}

TEST_F(GridControlTypeTest, CheckBoxCellsShowABoxCentredAndCheckedOnlyForTheCheckedValue) {
    AddTasks(3);
    // Subjects "Task 1".."Task 3", percentages 1..3; the checked value matches in any letter case.
    OpenWithLines({"Subject;CheckBox;TASK 2;Task 1", "PercentCompleted;CheckBox;3;1"});
    const QImage shot = grid->viewport()->grab().toImage();
    const auto darkPixels = [&](const QRect& r) {
        int count = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                if (qGray(shot.pixel(x, y)) < 100) ++count;
        return count;
    };
    // Row 1 holds an unchecked value, row 2 the checked one and row 3 a value in neither list (subject);
    // the percentages are checked on row 3 only.
    const struct {
        int col, row;
        bool checked;
    } cases[] = {{1, 1, false}, {1, 2, true}, {1, 3, false}, {2, 1, false}, {2, 2, false}, {2, 3, true}};
    for (const auto& c : cases) {
        const TRect cell = grid->CellRect(c.col, c.row);
        const int left = (cell.Left + cell.Right - 10) / 2;
        const int top = (cell.Top + cell.Bottom - 10) / 2;
        // No text: the only ink is the box, within the 13-pixel square around the centred 10 x 10 one.
        const QRect ink = InkBoxOf(shot, {cell.Left, cell.Top, cell.Right, cell.Bottom - 1}, clWhite);
        ASSERT_FALSE(ink.isEmpty()) << c.col << "," << c.row;
        EXPECT_TRUE(QRect(left - 1, top - 1, 13, 13).contains(ink)) << c.col << "," << c.row;
        EXPECT_GE(ink.width(), 10) << c.col << "," << c.row;
        EXPECT_EQ(darkPixels(QRect(left + 2, top + 2, 6, 6)) > 0, c.checked) << c.col << "," << c.row;
    }
}

TEST_F(GridControlTypeTest, LinkCellsShowInLinkColours) {
    AddTasks(2);
    OpenWithLines({"Subject;URL-Link"});
    const QImage shot = grid->viewport()->grab().toImage();
    EXPECT_TRUE(HasColor(shot, grid->CellRect(1, 2), clBlue));
    EXPECT_FALSE(HasColor(shot, grid->CellRect(2, 2), clBlue));
}

}  // namespace
