// Marking several records of a grid: toggling, shift ranges in both directions, vetoes and the marks'
// dataset order.
#include "GridFixture.h"

#include "controls/grid/WwMultiSelect.h"
#include "platform/db/Field.h"

#include <gtest/gtest.h>

using grid_test::GridTest;

namespace {

class GridMultiSelect : public GridTest {
protected:
    TADOQuery query;
    std::unique_ptr<controls::GridMultiSelection> marks;

    void SetUp() override {
        GridTest::SetUp();
        AddTasks(20);
        grid->SetOptions(grid->Options().Include(dgMultiSelect));
        grid->Selected().SetStrings({"Subject\t20\tSubject\tF"});
        Open(query);
        marks = std::make_unique<controls::GridMultiSelection>(*grid);
    }

    void GoTo(int taskId) { ASSERT_TRUE(query.Locate(QStringLiteral("TaskId"), taskId)); }

    // The task ids of the marks in list order; the dataset stays where it is.
    std::vector<int> MarkedIds() {
        const TBookmark here = query.GetBookmark();
        std::vector<int> ids;
        for (const TBookmark& mark : marks->SelectedList()) {
            query.GotoBookmark(mark);
            ids.push_back(int(query.FieldByName(QStringLiteral("TaskId")).AsInteger()));
        }
        query.GotoBookmark(here);
        return ids;
    }

    int CurrentId() { return int(query.FieldByName(QStringLiteral("TaskId")).AsInteger()); }
};

TEST_F(GridMultiSelect, ToggleMarksAndUnmarksAndTheRowCacheFollows) {
    GoTo(3);
    marks->ToggleSelection();
    EXPECT_EQ(MarkedIds(), std::vector<int>{3});
    EXPECT_TRUE(marks->IsSelected());
    const int currentRow = grid->DataRowOf(grid->Row());
    EXPECT_TRUE(marks->IsRowSelected(currentRow));
    EXPECT_FALSE(marks->IsRowSelected(currentRow + 1));
    EXPECT_FALSE(marks->IsRowSelected(-1));
    marks->ToggleSelection();
    EXPECT_TRUE(marks->SelectedList().empty());
    EXPECT_FALSE(marks->IsSelected());
    EXPECT_FALSE(marks->IsRowSelected(currentRow));
}

TEST_F(GridMultiSelect, SelectingARecordAsksAndARefusalKeepsItUnmarked) {
    std::vector<bool> asked;
    marks->OnMultiSelectRecord = [&](TwwCustomDBGrid* g, bool selecting, bool& accept) {
        EXPECT_EQ(g, grid.get());
        asked.push_back(selecting);
        accept = false;
    };
    GoTo(5);
    marks->SelectRecord();
    EXPECT_TRUE(marks->SelectedList().empty());
    marks->OnMultiSelectRecord = nullptr;
    marks->SelectRecord();
    marks->SelectRecord();  // a marked record is left alone
    EXPECT_EQ(MarkedIds(), std::vector<int>{5});
    EXPECT_EQ(asked, std::vector<bool>{true});
}

struct RangeCase {
    const char* name;
    int anchor;
    int current;
    std::vector<int> expected;
};

class GridMultiSelectRange : public GridMultiSelect, public ::testing::WithParamInterface<RangeCase> {};

TEST_P(GridMultiSelectRange, ShiftRangeMarksEveryRecordBetweenCurrentAndAnchor) {
    const RangeCase& c = GetParam();
    GoTo(c.anchor);
    marks->SetAnchor(query.GetBookmark());
    GoTo(c.current);
    marks->SelectRangeToAnchor();
    std::vector<int> ids = MarkedIds();
    EXPECT_EQ(ids, c.expected);
    EXPECT_EQ(CurrentId(), c.current);
    // Every record in the range is marked on its painted row too.
    int markedRows = 0;
    for (int row = 0; row < grid->DataLink().RecordCount(); ++row) markedRows += marks->IsRowSelected(row);
    EXPECT_EQ(markedRows, int(c.expected.size()));
}

INSTANTIATE_TEST_SUITE_P(Grid, GridMultiSelectRange,
                         ::testing::Values(RangeCase{"Upwards", 7, 3, {3, 4, 5, 6, 7}},
                                           RangeCase{"Downwards", 4, 8, {4, 5, 6, 7, 8}},
                                           RangeCase{"SameRecord", 5, 5, {5}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(GridMultiSelect, RefusedUnmarkInsideARangeStaysOnceAndTheRangeFinishes) {
    for (const int id : {2, 5, 12}) {
        GoTo(id);
        marks->SelectRecord();
    }
    // The first mark offered inside the range, task 5, is refused.
    int offered = 0;
    marks->OnMultiSelectRecord = [&](TwwCustomDBGrid*, bool selecting, bool& accept) {
        if (!selecting && ++offered == 1) accept = false;  // the first mark in the range: task 5
    };
    GoTo(8);
    marks->SetAnchor(query.GetBookmark());
    GoTo(4);
    marks->SelectRangeToAnchor();
    std::vector<int> ids = MarkedIds();
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(ids, (std::vector<int>{2, 4, 5, 6, 7, 8, 12}));
    EXPECT_EQ(offered, 1);
    // Unmarking the kept record once leaves it unmarked.
    marks->OnMultiSelectRecord = nullptr;
    GoTo(5);
    marks->UnselectRecord();
    EXPECT_EQ(marks->FindSelectedBookmark(), -1);
}

TEST_F(GridMultiSelect, UnselectRecordRangeTakesBothEnds) {
    for (const int id : {1, 3, 4, 6, 9}) {
        GoTo(id);
        marks->SelectRecord();
    }
    GoTo(3);
    const TBookmark from = query.GetBookmark();
    GoTo(6);
    marks->UnselectRecordRange(from, query.GetBookmark());
    EXPECT_EQ(MarkedIds(), (std::vector<int>{1, 9}));
}

TEST_F(GridMultiSelect, UnselectAllRefusedKeepsEveryMark) {
    for (const int id : {4, 2}) {
        GoTo(id);
        marks->SelectRecord();
    }
    marks->OnMultiSelectAllRecords = [](TwwCustomDBGrid*, bool selecting, bool& accept) {
        EXPECT_FALSE(selecting);
        accept = false;
    };
    marks->UnselectAll();
    EXPECT_EQ(MarkedIds(), (std::vector<int>{4, 2}));
    marks->OnMultiSelectAllRecords = nullptr;
    marks->UnselectAll();
    EXPECT_TRUE(marks->SelectedList().empty());
}

TEST_F(GridMultiSelect, SortPutsMarksMadeInAnyOrderIntoDatasetOrder) {
    const std::vector<int> order{17, 3, 11, 1, 20, 8, 14, 2, 9};
    for (const int id : order) {
        GoTo(id);
        marks->SelectRecord();
    }
    EXPECT_EQ(MarkedIds(), order);
    marks->SortSelectedList();
    EXPECT_EQ(MarkedIds(), (std::vector<int>{1, 2, 3, 8, 9, 11, 14, 17, 20}));
}

}  // namespace
