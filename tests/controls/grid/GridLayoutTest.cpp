// The grid's columns from the Selected list and the dataset's fields, their widths, tab stops and options.
#include "GridFixture.h"

#include "controls/grid/WwSelectedList.h"
#include "platform/db/Field.h"
#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

using grid_test::GridTest;
using grid_test::TextWidthIn;

namespace {

struct SelectedCase {
    const char* name;
    QStringList lines;
    bool open;
    QStringList kept;         // Selected afterwards
    QStringList fieldsShown;  // the mapped fields, in column order
    int dataColumns;
};

class SelectedColumns : public GridTest, public ::testing::WithParamInterface<SelectedCase> {};

TEST_P(SelectedColumns, FollowTheLinesAndDropStaleOnesOnlyWhileOpen) {
    const SelectedCase& c = GetParam();
    AddTasks(3);
    TADOQuery query;
    Open(query);
    if (!c.open) query.Close();
    grid->Selected().SetStrings(c.lines);
    grid->RebuildLayout();
    EXPECT_EQ(grid->Selected().ToStringList(), c.kept);
    QStringList shown;
    for (int i = 0; i < grid->GetFieldCount(); ++i) shown << grid->GetFields(i)->FieldName();
    EXPECT_EQ(shown, c.fieldsShown);
    EXPECT_EQ(grid->ColCount(), c.dataColumns + 1);
    ASSERT_EQ(int(grid->Columns().size()), c.fieldsShown.size());
    for (int i = 0; i < c.fieldsShown.size(); ++i) EXPECT_EQ(grid->Columns()[i]->FieldName, c.fieldsShown[i]);
}

const QString kSubject = QStringLiteral("Subject\t20\tSubject\tF");
const QString kDone = QStringLiteral("PercentCompleted\t4\tDone\tF\t");
const QString kStale = QStringLiteral("Owner\t10\tOwner\tF");

INSTANTIATE_TEST_SUITE_P(
    Grid, SelectedColumns,
    ::testing::Values(
        SelectedCase{"Open", {kSubject, kDone}, true, {kSubject, kDone}, {"Subject", "PercentCompleted"}, 2},
        SelectedCase{"StaleWhileOpen",
                     {kStale, kSubject, kStale, kDone},
                     true,
                     {kSubject, kDone},
                     {"Subject", "PercentCompleted"},
                     2},
        SelectedCase{"StaleWhileClosed", {kStale, kSubject}, false, {kStale, kSubject}, {}, 2},
        SelectedCase{"NameInOtherCase",
                     {QStringLiteral("subject\t5\tS\tF")},
                     true,
                     {QStringLiteral("subject\t5\tS\tF")},
                     {"Subject"},
                     1},
        SelectedCase{"Empty", {}, true, {}, {}, 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SelectedList, PartsReadAndWriteAsFormsStoreThem) {
    using controls::SelectedPart;
    EXPECT_EQ(controls::SelectedLinePart(kDone, SelectedPart::Title), "Done");
    EXPECT_EQ(controls::SelectedLinePart(kDone, SelectedPart::Group), "");
    EXPECT_EQ(controls::SelectedLinePart("Subject\t20", SelectedPart::Title), "");
    EXPECT_EQ(controls::SelectedLinePart("Subject\t20", SelectedPart::ReadOnly), "F");
    EXPECT_TRUE(controls::IsSelectedLineReadOnly("Subject\t20\tSubject\tT"));
    EXPECT_FALSE(controls::IsSelectedLineReadOnly("Subject\t20\tSubject\tt"));
    TStringList list;
    list.SetStrings({kDone, "Subject\t20"});
    controls::SetSelectedPart(list, "PERCENTCOMPLETED", SelectedPart::Width, "6");
    controls::SetSelectedPart(list, "Subject", SelectedPart::Group, "Main");
    EXPECT_EQ(list.Strings(0), "PercentCompleted\t6\tDone\tF");
    EXPECT_EQ(list.Strings(1), "Subject\t20\t\tF\tMain");
}

struct WidthCase {
    const char* name;
    QString line;
    int titleLines;
    int chars;      // the width part
    QString title;  // the text the title width is measured on (widest piece)
    bool tabStop;
};

class ColumnWidths : public GridTest, public ::testing::WithParamInterface<WidthCase> {};

TEST_P(ColumnWidths, AreCharactersOrTitleWhicheverIsWider) {
    const WidthCase& c = GetParam();
    AddTasks(2);
    grid->SetTitleLines(c.titleLines);
    grid->Selected().SetStrings({c.line});
    TADOQuery query;
    Open(query);
    const int fromChars = c.chars * Zero() + 4;
    const int fromTitle = TextWidthIn(grid->TitleFont(), c.title) + 4;
    EXPECT_EQ(grid->ColWidths(1), std::max(fromChars, fromTitle));
    EXPECT_EQ(grid->ColWidths(0), TwwCustomDBGrid::kIndicatorWidth);
    EXPECT_EQ(grid->TabStops(1), c.tabStop);
}

INSTANTIATE_TEST_SUITE_P(Grid, ColumnWidths,
                         ::testing::Values(WidthCase{"Characters", "Subject\t20\tSubject\tF", 1, 20, "Subject", true},
                                           WidthCase{"Title", "Subject\t1\tA rather long column title\tF", 1, 1,
                                                     "A rather long column title", true},
                                           WidthCase{"TwoLineTitle", "Subject\t1\tPercentage~Done\tF", 2, 1,
                                                     "Percentage", true},
                                           WidthCase{"NoTitlePartUsesLabel", "Subject\t1", 1, 1, "Subject", true},
                                           WidthCase{"EmptyTitlePart", "Subject\t1\t\tF", 1, 1, "", true},
                                           WidthCase{"ReadOnlyLine", "Subject\t8\tS\tT", 1, 8, "S", false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(GridTest, ReadOnlyFieldAndCalculatedFieldHaveNoTabStop) {
    AddTasks(1);
    grid->Selected().SetStrings({"TaskId\t5\tId\tF", "Subject\t5\tS\tF"});
    TADOQuery query;
    Open(query);
    EXPECT_FALSE(grid->TabStops(1));  // a counter cannot be written
    EXPECT_TRUE(grid->TabStops(2));
}

TEST_F(GridTest, WidthThatIsNoNumberRaisesAConversionError) {
    AddTasks(1);
    TADOQuery query;
    query.SetConnection(&connection);
    query.SQL.SetText("select * from Tasks");
    source.SetDataSet(&query);
    grid->SetDataSource(&source);
    grid->Selected().SetStrings({"Subject\twide\tS\tF"});
    EXPECT_THROW(query.Open(), EConvertError);
    grid->Selected().Clear();
}

TEST_F(GridTest, TFieldsShowVisibleFieldsAndIgnoreSelected) {
    AddTasks(2);
    grid->Selected().SetStrings({"Owner\t10\tOwner\tF"});
    grid->SetUseTFields(true);
    TADOQuery query;
    query.SetConnection(&connection);
    query.SQL.SetText("select * from Tasks");
    query.Open();
    query.FieldByName("Notes").SetVisible(false);
    query.FieldByName("Subject").SetDisplayWidth(12);
    source.SetDataSet(&query);
    grid->SetDataSource(&source);
    EXPECT_EQ(grid->GetFieldCount(), 3);
    EXPECT_EQ(grid->GetFields(2)->FieldName(), "PercentCompleted");
    EXPECT_EQ(grid->Selected().Count(), 1);  // not read, so not pruned
    EXPECT_EQ(grid->ColWidths(2), std::max(12 * Zero() + 4, TextWidthIn(grid->TitleFont(), "Subject") + 4));
    // Hiding a field of the open dataset takes its column away.
    query.FieldByName("Subject").SetVisible(false);
    EXPECT_EQ(grid->GetFieldCount(), 2);
    EXPECT_EQ(grid->GetFields(1)->FieldName(), "PercentCompleted");
}

struct ProportionalCase {
    const char* name;
    QList<int> chars;
    int width;
};

class ProportionalWidths : public GridTest, public ::testing::WithParamInterface<ProportionalCase> {};

TEST_P(ProportionalWidths, FillTheClientInProportionAndRewriteSelected) {
    const ProportionalCase& c = GetParam();
    AddTasks(3);
    const QStringList fields{"Subject", "PercentCompleted", "Notes", "TaskId"};
    QStringList lines;
    for (int i = 0; i < c.chars.size(); ++i)
        lines << QStringLiteral("%1\t%2\tT%3\tF").arg(fields[i]).arg(c.chars[i]).arg(i);
    grid->Selected().SetStrings(lines);
    grid->SetOptions(grid->Options() + TwwDBGridOptions{dgProportionalColResize});
    Resize(c.width, 200);
    TADOQuery query;
    Open(query);
    grid->ApplyProportionalWidths();
    const int zero = Zero();
    const int n = c.chars.size();
    int total = grid->ColWidths(0) + 1;
    int charsTotal = 0;
    for (int chars : c.chars) charsTotal += chars;
    for (int i = 0; i < n; ++i) {
        const int pixels = grid->ColWidths(i + 1);
        total += pixels + 1;
        EXPECT_GE(pixels, 2 * zero + 4) << i;
        EXPECT_EQ(controls::SelectedLinePart(grid->Selected().Strings(i), controls::SelectedPart::Width).toInt(),
                  (pixels - 4) / zero)
            << i;
        if (i + 1 < n) {
            // Each column takes its share of the width, rounded down to whole characters.
            const int share = (c.chars[i] * zero + 4) * grid->ClientWidth() / (charsTotal * zero + 4 * n);
            EXPECT_NEAR(pixels, share, 2 * zero + 8) << i;
        }
    }
    // The last column ends two pixels inside the client, also after the grid grew.
    EXPECT_EQ(total, grid->ClientWidth() - 1);
    Resize(c.width + 150, 200);
    EXPECT_EQ(grid->Horz().Start(n) + grid->ColWidths(n) + 1, grid->ClientWidth() - 1);
}

INSTANTIATE_TEST_SUITE_P(Grid, ProportionalWidths,
                         ::testing::Values(ProportionalCase{"TwoColumns", {10, 20}, 400},
                                           ProportionalCase{"ThreeColumns", {5, 5, 10}, 600},
                                           ProportionalCase{"FourNarrowColumns", {2, 3, 2, 8}, 300}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(GridTest, UserResizedColumnKeepsItsWidthAndTheColumnsRightOfItFill) {
    AddTasks(3);
    grid->Selected().SetStrings(
        {"Subject\t10\tA\tF\tG", "PercentCompleted\t10\tB\tF\tG", "Notes\t10\tC\tF", "TaskId\t10\tD\tF"});
    grid->SetOptions(grid->Options() + TwwDBGridOptions{dgProportionalColResize});
    Resize(600, 200);
    TADOQuery query;
    Open(query);
    const int zero = Zero();
    const int minimum = 2 * zero + 4;
    const auto rightEdge = [&] { return grid->Horz().Start(4) + grid->ColWidths(4) + 1; };
    ASSERT_EQ(rightEdge(), grid->ClientWidth() - 1);

    // Column 3 stands alone: it keeps the new width, and 4 takes the rest.
    const int first = grid->ColWidths(1);
    grid->UserResized(3, grid->ColWidths(3) + 40);
    EXPECT_EQ(grid->ColWidths(1), first);
    EXPECT_EQ(rightEdge(), grid->ClientWidth() - 1);

    // Column 2 ends group G: the group's columns share the change, the others spread over the rest.
    const int before1 = grid->ColWidths(1);
    const int before2 = grid->ColWidths(2);
    grid->UserResized(2, before2 + 30);
    EXPECT_GT(grid->ColWidths(1) + grid->ColWidths(2), before1 + before2);
    EXPECT_GE(grid->ColWidths(1), minimum);
    EXPECT_GE(grid->ColWidths(3), minimum);
    EXPECT_EQ(rightEdge(), grid->ClientWidth() - 1);
    for (int i = 2; i < 4; ++i)
        EXPECT_EQ(controls::SelectedLinePart(grid->Selected().Strings(i), controls::SelectedPart::Width).toInt(),
                  (grid->ColWidths(i + 1) - 4) / zero);
    EXPECT_EQ(controls::SelectedLinePart(grid->Selected().Strings(0), controls::SelectedPart::Group), "G");
}

TEST_F(GridTest, OnlyLayoutOptionsRebuildTheLayout) {
    AddTasks(2);
    grid->Selected().SetStrings({kSubject});
    TADOQuery query;
    Open(query);
    grid->Rebuilds = 0;
    grid->SetOptions(grid->Options() + TwwDBGridOptions{dgConfirmDelete} - TwwDBGridOptions{dgConfirmDelete});
    grid->SetOptions(grid->Options() - TwwDBGridOptions{dgConfirmDelete});
    EXPECT_EQ(grid->Rebuilds, 0);
    grid->SetOptions(grid->Options() - TwwDBGridOptions{dgTitles});
    EXPECT_EQ(grid->Rebuilds, 1);
    EXPECT_EQ(grid->TitleRowCount(), 0);
    EXPECT_EQ(grid->FixedRows(), 0);
    grid->SetOptions(grid->Options() - TwwDBGridOptions{dgIndicator});
    EXPECT_EQ(grid->IndicatorOffset(), 0);
    EXPECT_EQ(grid->ColCount(), 1);
    EXPECT_EQ(grid->GetFields(grid->DataColumnOf(0))->FieldName(), "Subject");
}

TEST_F(GridTest, RowHeightPercentAndTitleLinesIgnoreValuesOutOfRange) {
    grid->Rebuilds = 0;
    grid->SetRowHeightPercent(0);
    grid->SetTitleLines(0);
    EXPECT_EQ(grid->RowHeightPercent(), 100);
    EXPECT_EQ(grid->TitleLines(), 1);
    EXPECT_EQ(grid->Rebuilds, 0);
    const int height = grid->DefaultRowHeight();
    grid->SetRowHeightPercent(200);
    EXPECT_EQ(grid->MinRowHeightPercent(), 200);
    EXPECT_NEAR(grid->DefaultRowHeight(), 2 * height, 1);
    const int title = grid->RowHeights(0);
    grid->SetTitleLines(2);
    EXPECT_GT(grid->RowHeights(0), title);
}

TEST_F(GridTest, ConstructionSetsTheDefaults) {
    TwwCustomDBGrid fresh(nullptr);
    EXPECT_EQ(fresh.Options(), (TwwDBGridOptions{dgEditing, dgTitles, dgIndicator, dgColumnResize, dgColLines,
                                                 dgRowLines, dgTabs, dgConfirmDelete, dgCancelOnExit, dgWordWrap}));
    EXPECT_EQ(fresh.KeyOptions, (TwwDBGridKeyOptions{dgAllowDelete, dgAllowInsert}));
    EXPECT_TRUE(fresh.UseTFields());
    EXPECT_TRUE(fresh.ShowVertScrollBar());
    EXPECT_TRUE(fresh.ShowHorzScrollBar());
    EXPECT_EQ(fresh.ScrollBars(), ssHorizontal);
    EXPECT_EQ(fresh.TitleAlignment(), taLeftJustify);
    EXPECT_EQ(fresh.TitleLines(), 1);
    EXPECT_EQ(fresh.RowHeightPercent(), 100);
    EXPECT_EQ(fresh.TitleColor, clBtnFace);
    EXPECT_EQ(fresh.FooterCellColor, clBtnFace);
    EXPECT_EQ(fresh.Color(), clWindow);
    EXPECT_EQ(fresh.LineStyle, glsDynamic);
    EXPECT_EQ(fresh.PadColumnStyle, pcsPadHeaderAndData);
    EXPECT_EQ(fresh.EditControlOptions, TwwEditControlOptions{ecoSearchOwnerForm});
    EXPECT_EQ(fresh.IndicatorColor(), icBlack);
    EXPECT_EQ(fresh.IndicatorIconColor(), clBlack);
    EXPECT_EQ(fresh.LineColors.DataColor, clSilver);
    EXPECT_EQ(fresh.LineColors.FixedColor, clBlack);
    EXPECT_EQ(fresh.DragVertOffset, 15);
    EXPECT_TRUE(fresh.ControlInfoInDataset);
    EXPECT_TRUE(fresh.PictureMaskFromDataSet);
    EXPECT_TRUE(fresh.PaintOptions.FastRecordScrolling);
    EXPECT_EQ(fresh.DittoAttributes.DittoDirection, wwDittoPrior);
    EXPECT_TRUE(fresh.Options().Contains(dgIndicator));
    EXPECT_TRUE(fresh.Options().Contains(dgTitles));
    EXPECT_EQ(fresh.ColCount(), 2);
    EXPECT_EQ(fresh.RowCount(), 2);
    EXPECT_EQ(fresh.Selected().Count(), 0);
    EXPECT_TRUE(fresh.DefaultDrawing());
    EXPECT_FALSE(fresh.Options().Contains(dgRowSelect));
    EXPECT_TRUE(fresh.TCustomGrid::Options().Contains(goEditing));
    EXPECT_TRUE(fresh.TCustomGrid::Options().Contains(goColMoving));
}

TEST_F(GridTest, FieldMapHoldsAtMost16380Entries) {
    AddTasks(1);
    TADOQuery query;
    Open(query);
    TwwGridDataLink& link = grid->DataLink();
    link.ClearFieldMap();
    EXPECT_FALSE(link.AddMapping("Owner"));
    EXPECT_EQ(link.MapSize(), 0);
    for (int i = 0; i < TwwGridDataLink::kMaxMapSize; ++i) {
        ASSERT_TRUE(link.AddMapping("Subject")) << i;
        if (i == 0) {
            EXPECT_EQ(link.MapSize(), 8);
        }
        if (i == 8) {
            EXPECT_EQ(link.MapSize(), 16);
        }
    }
    EXPECT_EQ(link.MapSize(), 16380);
    EXPECT_EQ(link.MappedCount(), 16380);
    try {
        link.AddMapping("Subject");
        ADD_FAILURE() << "no error";
    } catch (const EInvalidGridOperation& e) {
        EXPECT_EQ(e.Message(), "Grid requested to display more than 256 columns");
    }
    EXPECT_EQ(link.MappedCount(), 16380);
    EXPECT_EQ(link.GetMappedField(16379)->FieldName(), "Subject");
    EXPECT_EQ(link.GetMappedField(16380), nullptr);
}

}  // namespace
