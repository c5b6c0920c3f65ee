// The grid that forms place, over a real database file: its defaults, the record marks it answers from,
// Space and clicks on marks and check boxes, memo cells and the memo dialog, and its saved layout.
#include "GridFixture.h"

#include "controls/grid/Wwdbgrid.h"
#include "platform/db/Field.h"
#include "platform/ini/IniFiles.h"
#include "platform/ui/ModalRunner.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QTest>

using grid_test::GridTest;

namespace {

using grid_test::ExposedGrid;

class PublishedGrid : public GridTest {
protected:
    TADOQuery query;
    QWidget form;
    ExposedGrid* db = nullptr;

    void SetUp() override {
        GridTest::SetUp();
        grid.reset();
        AddTasks(5);
        db = new ExposedGrid(&form);
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

    // The grid column of a field and the grid row that shows a task.
    int ColOf(const QString& fieldName) {
        for (int c = 0; c < db->GetFieldCount(); ++c)
            if (db->GetFields(c)->FieldName() == fieldName) return c + db->IndicatorOffset();
        return -1;
    }
    int RowOf(int taskId) { return db->TitleRowCount() + taskId - 1; }

    void Click(int col, int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier, bool twice = false) {
        const TRect r = db->CellRect(col, row);
        const QPoint at((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
        for (const QEvent::Type type :
             twice ? std::vector<QEvent::Type>{QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                                               QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}
                   : std::vector<QEvent::Type>{QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent event(type, at, db->viewport()->mapToGlobal(at), Qt::LeftButton,
                              type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, modifiers);
            QApplication::sendEvent(db->viewport(), &event);
        }
        QApplication::processEvents();
    }

    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : db;
        QTest::keyClick(target, key, modifiers);
        QApplication::processEvents();
    }

    // The task ids of the marks, in id order; the dataset stays where it is.
    std::vector<int> MarkedIds() {
        const TBookmark here = query.GetBookmark();
        std::vector<int> ids;
        for (const TBookmark& mark : db->SelectedList()) {
            query.GotoBookmark(mark);
            ids.push_back(CurrentId());
        }
        query.GotoBookmark(here);
        std::sort(ids.begin(), ids.end());
        return ids;
    }
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

TEST_F(PublishedGrid, SpaceTogglesTheRecordsMarkInARowSelectGrid) {
    db->SetOptions(db->Options().Include(dgMultiSelect).Include(dgRowSelect));
    OpenWith({"Subject\t20\tSubject\tF"});
    ASSERT_TRUE(query.Locate(QStringLiteral("TaskId"), 3));
    Key(Qt::Key_Space);
    EXPECT_EQ(MarkedIds(), std::vector<int>{3});
    EXPECT_EQ(query.State(), dsBrowse);
    Key(Qt::Key_Space);
    EXPECT_TRUE(MarkedIds().empty());
    EXPECT_FALSE(db->EditorMode());
}

TEST_F(PublishedGrid, APlainClickSetsTheAnchorAndAShiftClickMarksTheRangeToIt) {
    db->SetOptions(db->Options().Include(dgMultiSelect));
    OpenWith({"Subject\t20\tSubject\tF"});
    const int col = ColOf(QStringLiteral("Subject"));
    Click(col, RowOf(2));
    EXPECT_TRUE(MarkedIds().empty());
    Click(col, RowOf(4), Qt::ShiftModifier);
    EXPECT_EQ(CurrentId(), 4);
    EXPECT_EQ(MarkedIds(), (std::vector<int>{2, 3, 4}));
}

TEST_F(PublishedGrid, TheSelectedCheckBoxColumnTogglesTheMarkOnAClickAndOnSpace) {
    db->SetOptions(db->Options().Include(dgMultiSelect));
    db->EditControlOptions.Include(ecoCheckboxSingleClick);
    db->ControlType().SetStrings({"Selected;CheckBox;T;F"});
    OpenWith({"Subject\t20\tSubject\tF", "Selected\t5\tMark\tF"},
             "select *, 'F' as Selected from Tasks order by TaskId");
    query.FieldByName(QStringLiteral("Selected")).SetFieldKind(fkCalculated);
    const int col = ColOf(QStringLiteral("Selected"));
    Click(col, RowOf(3));
    EXPECT_EQ(CurrentId(), 3);
    EXPECT_EQ(MarkedIds(), std::vector<int>{3});
    Key(Qt::Key_Space);
    EXPECT_TRUE(MarkedIds().empty());
    EXPECT_EQ(query.State(), dsBrowse);
}

TEST_F(PublishedGrid, MemoCellsShowMemoTheTextWithGridShowAndNothingForAnEmptyDataSet) {
    connection.Execute("UPDATE Tasks SET Notes = 'Call back' WHERE TaskId = 1");
    OpenWith({"Subject\t20\tSubject\tF", "Notes\t20\tNotes\tF"});
    const int notes = ColOf(QStringLiteral("Notes")) - db->IndicatorOffset();
    EXPECT_EQ(db->GetCellText(notes), QStringLiteral("(Memo)"));
    db->SetMemoAttributes(db->MemoAttributes().Include(mGridShow));
    EXPECT_EQ(db->GetCellText(notes), QStringLiteral("Call back"));
    connection.Execute("DELETE FROM Tasks");
    query.Requery();
    db->SetMemoAttributes(db->MemoAttributes().Exclude(mGridShow));
    EXPECT_EQ(db->GetCellText(notes), QString());
}

TEST_F(PublishedGrid, F2AndADoubleClickOpenTheMemoDialogReadOnlyInAReadOnlyGrid) {
    ui::ScopedScriptedRunner runner;
    OpenWith({"Subject\t20\tSubject\tF", "Notes\t20\tNotes\tF"});
    const int col = ColOf(QStringLiteral("Notes"));
    Click(col, RowOf(2));
    std::vector<bool> editable;
    std::vector<QString> captions;
    const std::function<void(TwwMemoDlg&)> look = [&](TwwMemoDlg& window) {
        editable.push_back(window.Editable());
        captions.push_back(window.Caption());
        window.SetModalResult(mrCancel);
    };
    runner->OnShown<TwwMemoDlg>(QStringLiteral("wwMemoDlg"), look);
    runner->OnShown<TwwMemoDlg>(QStringLiteral("wwMemoDlg"), look);
    query.FieldByName(QStringLiteral("Notes")).SetDisplayLabel(QStringLiteral("No~tes"));
    std::vector<bool> cancels;
    db->OnMemoOpen = [&](TwwDBGrid* g, TwwMemoDialog& dialog) {
        EXPECT_EQ(g, db);
        EXPECT_EQ(dialog.DataField(), QStringLiteral("Notes"));
    };
    db->OnMemoClose = [&](TwwDBGrid*, bool cancel) { cancels.push_back(cancel); };
    Key(Qt::Key_F2);
    db->ReadOnly = true;
    Click(col, RowOf(2), Qt::NoModifier, true);
    EXPECT_EQ(editable, (std::vector<bool>{true, false}));
    EXPECT_EQ(captions, (std::vector<QString>{QStringLiteral("No tes"), QStringLiteral("No tes")}));
    EXPECT_EQ(cancels, (std::vector<bool>{true, true}));
}

TEST_F(PublishedGrid, CheckBoxCellsToggleOnAClickOrSpaceButNotInAReadOnlyColumn) {
    db->ControlType().SetStrings({"PercentCompleted;CheckBox;1;0"});
    OpenWith({"Subject\t20\tSubject\tF", "PercentCompleted\t5\tDone\tF"});
    const int col = ColOf(QStringLiteral("PercentCompleted"));
    const auto done = [&] { return query.FieldByName(QStringLiteral("PercentCompleted")).AsString(); };
    // Without the single-click option it takes a double click.
    Click(col, RowOf(1));
    EXPECT_EQ(done(), QStringLiteral("1"));
    Click(col, RowOf(1), Qt::NoModifier, true);
    EXPECT_EQ(done(), QStringLiteral("0"));
    EXPECT_EQ(query.State(), dsEdit);
    Key(Qt::Key_Space);
    EXPECT_EQ(done(), QStringLiteral("1"));
    db->EditControlOptions.Include(ecoCheckboxSingleClick);
    Click(col, RowOf(1));
    EXPECT_EQ(done(), QStringLiteral("0"));
    query.Post();
    db->Selected().SetStrings({"Subject\t20\tSubject\tF", "PercentCompleted\t5\tDone\tT"});
    db->RebuildLayout();
    Click(col, RowOf(1));
    Key(Qt::Key_Space);
    EXPECT_EQ(done(), QStringLiteral("0"));
    EXPECT_EQ(query.State(), dsBrowse);
}

TEST_F(PublishedGrid, TheLayoutIsReadAtTheFirstShowAndWrittenWhenTheGridGoes) {
    const QString file = QDir(testing_env::TempDir()).filePath(QStringLiteral("grids.ini"));
    TIniFile(file).WriteString(QStringLiteral("MainFormTasksGrid"), QStringLiteral("Subject"),
                               QStringLiteral("30;;Title;;F"));
    db->setObjectName(QStringLiteral("TasksGrid"));
    db->IniAttributes().SetFormName(QStringLiteral("MainForm"));
    db->IniAttributes().SetFileName(file);
    db->IniAttributes().Enabled = true;
    OpenWith({"Subject\t20\tSubject\tF", "Notes\t8\tNotes\tF"});
    EXPECT_EQ(db->Selected().ToStringList(), QStringList{"Subject\t30\tTitle\tF"});
    // Only the first show reads it.
    db->Selected().SetStrings({"Notes\t12\tNotes\tT", "Subject\t5\tS\tF"});
    db->hide();
    db->show();
    QApplication::processEvents();
    EXPECT_EQ(db->Selected().Count(), 2);
    delete db;
    db = nullptr;
    const QStringList saved = {
        TIniFile(file).ReadString(QStringLiteral("MainFormTasksGrid"), QStringLiteral("Notes"), {}),
        TIniFile(file).ReadString(QStringLiteral("MainFormTasksGrid"), QStringLiteral("Subject"), {})};
    EXPECT_EQ(saved, (QStringList{"12;;Notes;;T", "5;;S;;F"}));
    EXPECT_TRUE(testing_env::Messages().Requests().empty());
}

TEST_F(PublishedGrid, SavingTheLayoutFromCodeWarnsWhatStopsItAndTheGridsEndWarnsNobody) {
    db->IniAttributes().Enabled = true;
    db->IniAttributes().SaveToRegistry = true;  // no FileName, and no connected text object to give one
    db->SaveToIniFile();
    db->IniAttributes().SaveToRegistry = false;
    db->IniAttributes().SetFileName(QDir(testing_env::TempDir()).filePath(QStringLiteral("nowhere/grids.ini")));
    db->SaveToIniFile();
    EXPECT_EQ(testing_env::Messages().Texts(),
              (std::vector<QString>{"FileName required when saving to registry", "Directory does not exist"}));
    testing_env::Messages().Clear();
    delete db;
    db = nullptr;
    EXPECT_TRUE(testing_env::Messages().Requests().empty());
}

TEST_F(PublishedGrid, ALinkCellShowsAndExportsOnlyItsText) {
    connection.Execute("UPDATE Tasks SET Subject = 'Site#http://example.org/' WHERE TaskId = 1");
    db->ControlType().SetStrings({"Subject;URL-Link"});
    OpenWith({"Subject\t20\tSubject\tF"});
    EXPECT_EQ(db->GetCellText(0), QStringLiteral("Site"));
    const QString file = QDir(testing_env::TempDir()).filePath(QStringLiteral("links.txt"));
    db->ExportOptions().FileName = file;
    db->ExportOptions().Save();
    QFile written(file);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_TRUE(written.readAll().startsWith("\"Subject\"\r\n\"Site\"\r\n\"Task 2\"\r\n"));
}

TEST_F(PublishedGrid, FixedColsFixesDataColumnsAndOutOfRangeValuesAreNotApplied) {
    OpenWith({"Subject\t20\tSubject\tF", "PercentCompleted\t5\tDone\tF", "Notes\t8\tNotes\tF"});
    db->SetFixedCols(1);
    EXPECT_EQ(db->TCustomGrid::FixedCols(), 2);
    // Stored, but the layout keeps only the indicator fixed.
    db->SetFixedCols(5);
    EXPECT_EQ(db->FixedCols(), 5);
    EXPECT_EQ(db->TCustomGrid::FixedCols(), 1);
    db->SetDesigning(true);
    db->SetFixedCols(-1);
    EXPECT_EQ(db->FixedCols(), 5);
    ASSERT_EQ(testing_env::Messages().Requests().size(), 1u);
    EXPECT_EQ(testing_env::Messages().Requests()[0].text, QStringLiteral("Invalid value for FixedCols"));
    db->SetDesigning(false);
}

}  // namespace
