// The grid's rows: the data link's buffer follows the visible rows, the current row follows the dataset, and
// the vertical scroll bar shows and moves the dataset's position.
#include "GridFixture.h"

#include "platform/db/Field.h"

#include <gtest/gtest.h>
#include <QScrollBar>

using grid_test::GridTest;
using grid_test::UnsequencedQuery;

namespace {

struct BufferCase {
    const char* name;
    int records;
    int height;
};

class BufferFollowsRows : public GridTest, public ::testing::WithParamInterface<BufferCase> {};

TEST_P(BufferFollowsRows, BufferIsTheVisibleRowsAndRowsAreTheBufferedRecords) {
    const BufferCase& c = GetParam();
    AddTasks(c.records);
    grid->Selected().SetStrings({"Subject\t20\tSubject\tF"});
    TADOQuery query;
    Open(query);
    for (const int height : {c.height, c.height * 2, c.height / 2 + 10}) {
        Resize(400, height);
        grid->SetRowCount(1000);  // what the grid measures the visible rows with
        const int visible = grid->VisibleRowCount();
        grid->UpdateRowCount();
        EXPECT_EQ(grid->DataLink().BufferCount(), visible) << height;
        EXPECT_EQ(grid->RowCount(), std::min(c.records, visible) + 1) << height;
        EXPECT_EQ(grid->DataLink().RecordCount(), std::min(c.records, visible)) << height;
    }
}

INSTANTIATE_TEST_SUITE_P(Grid, BufferFollowsRows,
                         ::testing::Values(BufferCase{"ManyRecords", 200, 200}, BufferCase{"FewRecords", 3, 300},
                                           BufferCase{"OneRecord", 1, 150}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(GridTest, EmptyDatasetShowsTitleAndOneEmptyRow) {
    grid->Selected().SetStrings({"Subject\t20\tSubject\tF"});
    TADOQuery query;
    Open(query);
    EXPECT_EQ(grid->RowCount(), 2);
    EXPECT_EQ(grid->DataLink().RecordCount(), 0);
}

TEST_F(GridTest, CurrentRowFollowsTheDatasetInsideTheBuffer) {
    AddTasks(100);
    grid->Selected().SetStrings({"Subject\t20\tSubject\tF"});
    TADOQuery query;
    Open(query);
    const int visible = grid->VisibleRowCount();
    ASSERT_GT(visible, 3);
    EXPECT_EQ(grid->Row(), 1);
    query.MoveBy(2);
    EXPECT_EQ(grid->Row(), 3);
    query.MoveBy(visible + 5);
    EXPECT_EQ(grid->Row(), visible);  // the last visible row
    EXPECT_EQ(grid->DataLink().ActiveRecord(), visible - 1);
    query.Last();
    EXPECT_EQ(grid->Row(), visible);
    EXPECT_EQ(grid->DataLink().FirstRecord(), 100 - visible);
    query.First();
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_EQ(grid->DataLink().FirstRecord(), 0);
}

struct SequencedCase {
    const char* name;
    int records;
    int moveTo;  // RecNo, 0 for Last
    int pos;     // expected position; the range is 1..records + visible - 1 with a page of visible rows
};

class SequencedScrollBar : public GridTest, public ::testing::WithParamInterface<SequencedCase> {};

TEST_P(SequencedScrollBar, ShowsRecNoOverTheRecordCount) {
    const SequencedCase& c = GetParam();
    AddTasks(c.records);
    grid->Selected().SetStrings({"Subject\t20\tSubject\tF"});
    TADOQuery query;
    Open(query);
    if (c.moveTo == 0) query.Last();
    else query.SetRecNo(c.moveTo);
    const int visible = grid->VisibleRowCount();
    const TwwScrollInfo info = grid->VertScrollInfo();
    EXPECT_EQ(info, (TwwScrollInfo{1, c.records + visible - 1, visible, c.pos}));
    const QScrollBar* bar = grid->verticalScrollBar();
    EXPECT_EQ(bar->minimum(), 1);
    EXPECT_EQ(bar->maximum(), c.records);
    EXPECT_EQ(bar->pageStep(), visible);
    EXPECT_EQ(bar->value(), c.pos);
}

INSTANTIATE_TEST_SUITE_P(Grid, SequencedScrollBar,
                         ::testing::Values(SequencedCase{"First", 50, 1, 1}, SequencedCase{"Middle", 50, 20, 20},
                                           SequencedCase{"Last", 50, 0, 50}, SequencedCase{"Few", 3, 2, 2}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(GridTest, SequencedBarOfOnePlaceKeepsAWideEmptyRange) {
    AddTasks(1);
    grid->Selected().SetStrings({"Subject\t20\tSubject\tF"});
    TADOQuery query;
    Open(query);
    // A grid two rows high: one record and two visible rows make a range of one place.
    int height = 40;
    for (; height < 300; ++height) {
        Resize(400, height);
        grid->SetRowCount(1000);
        if (grid->VisibleRowCount() == 2) break;
    }
    grid->UpdateRowCount();
    grid->UpdateScrollBar();
    ASSERT_EQ(grid->DataLink().BufferCount(), 2);
    EXPECT_EQ(grid->VertScrollInfo(), (TwwScrollInfo{1, 1001, 1000, 1}));
}

struct UnsequencedCase {
    const char* name;
    int moveTo;  // RecNo, 0 for Last
    int pos;
};

class UnsequencedScrollBar : public GridTest, public ::testing::WithParamInterface<UnsequencedCase> {};

TEST_P(UnsequencedScrollBar, ShowsFirstMiddleOrLast) {
    const UnsequencedCase& c = GetParam();
    AddTasks(30);
    grid->Selected().SetStrings({"Subject\t20\tSubject\tF"});
    UnsequencedQuery query;
    Open(query);
    if (c.moveTo == 0) query.Last();
    else if (c.moveTo == 1) query.First();
    else query.SetRecNo(c.moveTo);
    EXPECT_EQ(grid->VertScrollInfo(), (TwwScrollInfo{0, 4, 0, c.pos}));
    EXPECT_EQ(grid->verticalScrollBar()->value(), c.pos);
}

INSTANTIATE_TEST_SUITE_P(Grid, UnsequencedScrollBar,
                         ::testing::Values(UnsequencedCase{"First", 1, 0}, UnsequencedCase{"Middle", 15, 2},
                                           UnsequencedCase{"Last", 0, 4}),
                         [](const auto& info) { return std::string(info.param.name); });

struct ThumbCase {
    const char* name;
    bool sequenced;
    int startRecNo;
    int thumb;
    int recNo;  // afterwards; -1 for the last record, -2 for one page further, -3 for one page back
};

class ThumbDrop : public GridTest, public ::testing::WithParamInterface<ThumbCase> {};

TEST_P(ThumbDrop, MovesTheDatasetByThePosition) {
    const ThumbCase& c = GetParam();
    AddTasks(60);
    grid->Selected().SetStrings({"Subject\t20\tSubject\tF"});
    std::unique_ptr<TADOQuery> query =
        c.sequenced ? std::make_unique<TADOQuery>() : std::unique_ptr<TADOQuery>(std::make_unique<UnsequencedQuery>());
    Open(*query);
    query->SetRecNo(c.startRecNo);
    const int visible = grid->VisibleRowCount();
    grid->WMVScroll(SB_THUMBPOSITION, c.thumb);
    const int expected = c.recNo == -1   ? 60
                         : c.recNo == -2 ? c.startRecNo + visible
                         : c.recNo == -3 ? c.startRecNo - visible
                                         : c.recNo;
    EXPECT_EQ(query->RecNo(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Grid, ThumbDrop,
    ::testing::Values(ThumbCase{"SequencedStart", true, 30, 1, 1}, ThumbCase{"SequencedZero", true, 30, 0, 1},
                      ThumbCase{"SequencedMiddle", true, 5, 40, 40}, ThumbCase{"SequencedPastEnd", true, 5, 70, -1},
                      ThumbCase{"UnsequencedFirst", false, 30, 0, 1},
                      ThumbCase{"UnsequencedPageBack", false, 30, 1, -3},
                      ThumbCase{"UnsequencedMiddleDoesNothing", false, 30, 2, 30},
                      ThumbCase{"UnsequencedPageOn", false, 30, 3, -2}, ThumbCase{"UnsequencedLast", false, 30, 4, -1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(GridTest, ScrollActionsMoveTheDatasetAndTheBarFollows) {
    AddTasks(100);
    grid->Selected().SetStrings({"Subject\t20\tSubject\tF"});
    TADOQuery query;
    Open(query);
    const int visible = grid->VisibleRowCount();
    grid->WMVScroll(SB_PAGEDOWN, 0);
    EXPECT_EQ(query.RecNo(), 1 + visible);
    EXPECT_EQ(grid->VertScrollInfo().Pos, 1 + visible);
    EXPECT_EQ(grid->Row(), visible);
    grid->WMVScroll(SB_LINEDOWN, 0);
    EXPECT_EQ(query.RecNo(), 2 + visible);
    grid->WMVScroll(SB_PAGEUP, 0);
    grid->WMVScroll(SB_LINEUP, 0);
    EXPECT_EQ(query.RecNo(), 1);
    grid->WMVScroll(SB_BOTTOM, 0);
    EXPECT_EQ(query.RecNo(), 100);
    EXPECT_EQ(grid->verticalScrollBar()->value(), 100);
    grid->WMVScroll(SB_THUMBTRACK, 3);
    EXPECT_EQ(query.RecNo(), 100);
    grid->WMVScroll(SB_TOP, 0);
    EXPECT_EQ(query.RecNo(), 1);
    // Through the bar itself, as a click on its arrow does.
    grid->verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(query.RecNo(), 2);
    EXPECT_EQ(grid->verticalScrollBar()->value(), 2);
    // A thumb dragged and let go moves the dataset there when released, not while dragged.
    QScrollBar* bar = grid->verticalScrollBar();
    bar->setSliderDown(true);
    bar->setSliderPosition(40);
    EXPECT_EQ(query.RecNo(), 2);
    bar->setSliderDown(false);
    EXPECT_EQ(query.RecNo(), 40);
    EXPECT_EQ(bar->value(), 40);
}

TEST_F(GridTest, LineDownOnAnUntouchedInsertCancelsItUnlessAtTheEnd) {
    AddTasks(10);
    grid->Selected().SetStrings({"Subject\t20\tSubject\tF"});
    TADOQuery query;
    Open(query);
    query.Append();
    grid->WMVScroll(SB_LINEDOWN, 0);
    EXPECT_EQ(query.State(), dsInsert);
    query.Cancel();
    query.SetRecNo(4);
    query.Insert();
    grid->WMVScroll(SB_LINEDOWN, 0);
    EXPECT_EQ(query.State(), dsBrowse);
    EXPECT_EQ(query.RecordCount(), 10);
}

TEST_F(GridTest, RowAndFieldChangesAreReported) {
    AddTasks(10);
    grid->Selected().SetStrings({"Subject\t20\tSubject\tF"});
    int rowChanges = 0;
    QStringList fieldChanges;
    grid->OnRowChanged = [&](QObject*) { ++rowChanges; };
    grid->OnFieldChanged = [&](QObject*, TField* field) { fieldChanges << field->FieldName(); };
    TADOQuery query;
    Open(query);
    // Opening reports no row; each move does.
    EXPECT_EQ(rowChanges, 0);
    query.Next();
    query.Next();
    EXPECT_EQ(rowChanges, 2);
    query.Edit();
    query.FieldByName("Subject").SetAsString("Changed");
    EXPECT_EQ(fieldChanges, QStringList{"Subject"});
    query.Post();
    EXPECT_EQ(rowChanges, 2);
    query.Close();
    EXPECT_EQ(grid->RowCount(), 2);
    EXPECT_EQ(grid->GetFieldCount(), 0);
}

TEST_F(GridTest, PaintingReadsOnlyTheBufferedRowsAndLeavesTheDatasetWhereItWas) {
    AddTasks(500);
    grid->Selected().SetStrings({"Subject\t20\tSubject\tF", "PercentCompleted\t4\tDone\tF"});
    TADOQuery query;
    Open(query);
    query.SetRecNo(250);
    const QImage shot = grid->grab().toImage();
    EXPECT_FALSE(shot.isNull());
    EXPECT_EQ(query.RecNo(), 250);
    EXPECT_EQ(query.FieldByName("Subject").AsString(), "Task 250");
    EXPECT_LE(grid->DataLink().RecordCount(), grid->VisibleRowCount());
}

}  // namespace
