// The grid that forms place, over a real database file: its defaults, the record marks it answers from,
// Space and clicks on marks and check boxes, memo cells and the memo dialog, and its saved layout.
#include "GridFixture.h"

#include "controls/grid/Wwdbgrid.h"
#include "platform/db/Field.h"
#include "platform/ui/ModalRunner.h"

#include <QTest>

using grid_test::GridTest;

namespace {

class PublishedGrid : public GridTest {
protected:
    TADOQuery query;
    QWidget form;
    TwwDBGrid* db = nullptr;

    void SetUp() override {
        GridTest::SetUp();
        grid.reset();
        AddTasks(5);
        db = new TwwDBGrid(&form);
        db->SetUseTFields(false);
        db->resize(400, 300);
        form.resize(420, 320);
    }

    void OpenWith(const QStringList& lines, const char* sql = "select * from Tasks order by TaskId") {
        db->Selected().SetStrings(lines);
        query.SetConnection(&connection);
        query.SQL.SetText(QString::fromLatin1(sql));
        source.SetDataSet(&query);
        db->SetDataSource(&source);
        query.Open();
        form.show();
        form.activateWindow();
        db->setFocus();
        QApplication::processEvents();
    }

    int CurrentId() { return int(query.FieldByName(QStringLiteral("TaskId")).AsInteger()); }
};

TEST_F(PublishedGrid, StartsWithThePublishedDefaults) {
    EXPECT_EQ(db->MemoAttributes(), (TwwMemoAttributes{mSizeable, mWordWrap}));
    EXPECT_EQ(db->IniAttributes().Delimiter(), QStringLiteral(";;"));
    EXPECT_FALSE(db->IniAttributes().Enabled);
    EXPECT_EQ(db->ExportOptions().Selection, &db->MultiSelection());
    EXPECT_EQ(db->Options(), (TwwDBGridOptions{dgEditing, dgTitles, dgIndicator, dgColumnResize, dgColLines, dgRowLines,
                                               dgTabs, dgConfirmDelete, dgCancelOnExit, dgWordWrap}));
    EXPECT_EQ(db->KeyOptions, (TwwDBGridKeyOptions{dgAllowDelete, dgAllowInsert}));
    EXPECT_EQ(db->EditControlOptions, TwwEditControlOptions{ecoSearchOwnerForm});
    EXPECT_EQ(db->MultiSelectOptions, TwwMultiSelectOptions{});
    EXPECT_EQ(db->LineStyle, glsDynamic);
    EXPECT_EQ(db->PadColumnStyle, pcsPadHeaderAndData);
    EXPECT_TRUE(db->ControlInfoInDataset && db->PictureMaskFromDataSet && db->ShowVertScrollBar());
    EXPECT_FALSE(db->EditCalculated || db->ReadOnly || db->LoadAllRTF || db->HideAllLines || db->DisableThemes);
    EXPECT_EQ(db->RowHeightPercent(), 100);
    EXPECT_EQ(db->DragVertOffset, 15);
    EXPECT_EQ(db->FooterHeight(), 0);
    EXPECT_EQ(db->IndicatorIconColor(), clBlack);
}

TEST_F(PublishedGrid, AnswersTheMarksFromItsSelectionAndRefreshesThemBeforePainting) {
    db->SetOptions(db->Options().Include(dgMultiSelect));
    OpenWith({"Subject\t20\tSubject\tF"});
    ASSERT_TRUE(query.Locate(QStringLiteral("TaskId"), 2));
    db->MultiSelection().SelectRecord();
    const int row = db->DataRowOf(db->Row());
    EXPECT_TRUE(db->IsSelected());
    EXPECT_TRUE(db->IsRowSelected(row));
    EXPECT_EQ(db->IndicatorGlyph(row), 4);
    // A mark made behind the grid's back shows after the next paint.
    ASSERT_TRUE(query.Locate(QStringLiteral("TaskId"), 4));
    const TBookmark fourth = query.GetBookmark();
    ASSERT_TRUE(query.Locate(QStringLiteral("TaskId"), 1));
    db->SelectedList().push_back(fourth);
    EXPECT_FALSE(db->IsRowSelected(row + 2));
    db->viewport()->repaint();
    EXPECT_TRUE(db->IsRowSelected(row + 2));
}

}  // namespace
