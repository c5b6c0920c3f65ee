// The grid's keys on a real database file: Down and Tab append at the end, Up and leaving give up an untouched
// record, Ctrl+Delete asks, Esc first restores the field and then asks before cancelling, and keys typed in
// the cell editor leave it for the grid only at the text's edge.
#include "GridFixture.h"

#include "platform/db/Field.h"
#include "platform/rtl/Exceptions.h"
#include "platform/sql/Statement.h"
#include "platform/ui/InplaceEdit.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <QLineEdit>
#include <QTest>

using grid_test::GridTest;

namespace {

// A grid whose editor text cannot be written while Fail is set.
class RefusingGrid : public grid_test::TestGrid {
public:
    using TestGrid::TestGrid;
    bool Fail = false;

protected:
    void WriteEditText() override {
        if (Fail) throw Exception(QStringLiteral("'x' is not a valid integer value."));
    }
};

class GridKeysTest : public GridTest {
protected:
    TADOQuery query;
    QWidget form;
    QLineEdit* other = nullptr;

    RefusingGrid* refusing = nullptr;

    void SetUp() override {
        GridTest::SetUp();
        auto made = std::make_unique<RefusingGrid>(nullptr);
        refusing = made.get();
        grid = std::move(made);
        grid->SetUseTFields(false);
        grid->resize(400, 300);
        grid->setParent(&form);
        other = new QLineEdit(&form);
        other->move(0, 320);
        form.resize(420, 360);
        form.show();
        form.activateWindow();
        AddTasks(3);
        grid->Selected().SetStrings({"Subject\t20\tSubject\tF", "PercentCompleted\t6\tDone\tF"});
        Open(query);
        grid->setFocus();
        QApplication::processEvents();
    }

    void TearDown() override {
        grid->setParent(nullptr);
        GridTest::TearDown();
    }

    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : grid.get();
        QTest::keyClick(target, key, modifiers);
    }

    int StoredTasks() {
        const auto count = connection.Engine().Prepare("SELECT COUNT(*) FROM Tasks");
        count->Step();
        return count->Value(0).toInt();
    }

    QString Subject() { return query.FieldByName(QStringLiteral("Subject")).AsString(); }
};

TEST_F(GridKeysTest, DownAtTheLastRecordAppendsAndUpGivesTheUntouchedRecordUp) {
    ASSERT_TRUE(grid->GridHasFocus());
    query.Last();
    Key(Qt::Key_Down);
    EXPECT_EQ(query.State(), dsInsert);
    Key(Qt::Key_Down);  // an untouched appended record stays as it is
    EXPECT_EQ(query.State(), dsInsert);
    EXPECT_EQ(grid->DataLink().RecordCount(), 4);  // one row shows the new record
    Key(Qt::Key_Up);
    EXPECT_EQ(query.State(), dsBrowse);
    EXPECT_EQ(Subject(), "Task 3");
    EXPECT_EQ(StoredTasks(), 3);

    grid->KeyOptions = {dgAllowDelete};
    Key(Qt::Key_Down);
    EXPECT_EQ(query.State(), dsBrowse);
    EXPECT_EQ(Subject(), "Task 3");
}

TEST_F(GridKeysTest, TabWalksTheColumnsAndWrapsIntoANewRecordShiftTabGoesBack) {
    query.Last();
    EXPECT_EQ(grid->GetCurrentDataColumn(), 0);
    Key(Qt::Key_Tab);
    EXPECT_EQ(grid->GetCurrentDataColumn(), 1);
    Key(Qt::Key_Tab);
    EXPECT_EQ(query.State(), dsInsert);
    EXPECT_EQ(grid->GetCurrentDataColumn(), 0);

    Key(Qt::Key_Backtab, Qt::ShiftModifier);  // back past the first column: the untouched record goes
    EXPECT_EQ(query.State(), dsBrowse);
    EXPECT_EQ(Subject(), "Task 3");
    EXPECT_EQ(grid->GetCurrentDataColumn(), 1);
    Key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(grid->GetCurrentDataColumn(), 0);
    Key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(Subject(), "Task 2");
    EXPECT_EQ(grid->GetCurrentDataColumn(), 1);
}

TEST_F(GridKeysTest, TabOnTheLastColumnLeavesTheGridWhenAskedTo) {
    grid->KeyOptions = {dgAllowInsert};
    grid->SetOptions(grid->Options() + TwwDBGridOptions{dgTabExitsOnLastCol});
    query.Last();
    grid->MoveToDataColumn(1);
    Key(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), other);
    EXPECT_EQ(query.State(), dsBrowse);
}

TEST_F(GridKeysTest, EnterMovesLikeTabOnlyWhenAskedTo) {
    query.First();
    Key(Qt::Key_Return);
    EXPECT_EQ(grid->GetCurrentDataColumn(), 0);
    grid->KeyOptions = grid->KeyOptions + TwwDBGridKeyOptions{dgEnterToTab};
    Key(Qt::Key_Return);
    EXPECT_EQ(grid->GetCurrentDataColumn(), 1);
    // Typed in the cell editor too.
    Key(Qt::Key_F2);
    ASSERT_TRUE(grid->InplaceEditor() && grid->InplaceEditor()->isVisible());
    grid->InplaceEditor()->setFocus();
    Key(Qt::Key_Return);
    EXPECT_EQ(grid->GetCurrentDataColumn(), 0);
    EXPECT_EQ(Subject(), "Task 2");
}

TEST_F(GridKeysTest, DittoKeysCopyFromTheRecordAbove) {
    grid->DittoAttributes.ShortCutDittoField = ShortCut(VK_F7, {});
    grid->DittoAttributes.ShortCutDittoRecord = ShortCut(VK_F8, {});
    query.First();
    Key(Qt::Key_F7);  // the first record has none above it
    EXPECT_EQ(query.State(), dsBrowse);
    query.Next();
    Key(Qt::Key_F7);
    EXPECT_EQ(query.State(), dsEdit);
    EXPECT_EQ(Subject(), "Task 1");
    EXPECT_EQ(query.FieldByName(QStringLiteral("PercentCompleted")).AsString(), "2");
    query.Post();
    query.Next();
    QString refused;
    grid->OnDitto = [&](QObject*, TDataSet*, TField* field, QString&, bool& allow) {
        allow = field->FieldName() != "Subject";
        if (!allow) refused = field->FieldName();
    };
    Key(Qt::Key_F8);
    EXPECT_EQ(refused, "Subject");
    EXPECT_EQ(Subject(), "Task 3");
    EXPECT_EQ(query.FieldByName(QStringLiteral("PercentCompleted")).AsString(), "2");
}

TEST_F(GridKeysTest, CtrlDeleteAsksAndDeletesOnlyWhenConfirmed) {
    query.First();
    testing_env::Messages().QueueAnswer(mrCancel);
    Key(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(StoredTasks(), 3);
    testing_env::Messages().QueueAnswer(mrOk);
    Key(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(StoredTasks(), 2);
    EXPECT_EQ(Subject(), "Task 2");
    EXPECT_EQ(testing_env::Messages().Texts(), (std::vector<QString>{"Delete record?", "Delete record?"}));

    grid->KeyOptions = {dgAllowInsert};  // no deleting: no question, nothing deleted
    Key(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(StoredTasks(), 2);
    EXPECT_EQ(testing_env::Messages().Requests().size(), 2u);
}

TEST_F(GridKeysTest, EscShowsTheFieldAgainThenAsksBeforeCancellingTheRecord) {
    query.First();
    query.Edit();
    query.FieldByName(QStringLiteral("Subject")).SetAsString(QStringLiteral("Changed"));
    grid->DataLink().MarkModified();  // text typed in the editor and not yet written
    Key(Qt::Key_Escape);
    EXPECT_FALSE(grid->DataLink().Modified());
    EXPECT_EQ(query.State(), dsEdit);
    EXPECT_TRUE(testing_env::Messages().Requests().empty());

    testing_env::Messages().QueueAnswer(mrNo);
    Key(Qt::Key_Escape);
    EXPECT_EQ(testing_env::Messages().Texts(), std::vector<QString>{"Discard changes to this record?"});
    EXPECT_EQ(query.State(), dsEdit);
    EXPECT_EQ(Subject(), "Changed");

    testing_env::Messages().QueueAnswer(mrYes);
    Key(Qt::Key_Escape);
    EXPECT_EQ(query.State(), dsBrowse);
    EXPECT_EQ(Subject(), "Task 1");
}

TEST_F(GridKeysTest, LeavingTheGridOnAnUntouchedRecordRemovesIt) {
    query.Last();
    Key(Qt::Key_Down);
    ASSERT_EQ(query.State(), dsInsert);
    {
        // A window asking something over the grid leaves the record alone.
        QLineEdit question;
        question.show();
        question.activateWindow();
        question.setFocus();
        QApplication::processEvents();
        ASSERT_EQ(QApplication::focusWidget(), &question);
        EXPECT_EQ(query.State(), dsInsert);
    }
    form.activateWindow();
    other->setFocus();
    QApplication::processEvents();
    EXPECT_FALSE(grid->GridHasFocus());
    EXPECT_EQ(query.State(), dsBrowse);
    EXPECT_EQ(query.RecordCount(), 3);
    EXPECT_EQ(StoredTasks(), 3);
}

TEST_F(GridKeysTest, TextThatCannotBeWrittenKeepsTheFocusInTheGridAndSaysWhy) {
    query.First();
    refusing->Fail = true;
    grid->DataLink().MarkModified();
    other->setFocus();
    QApplication::processEvents();
    EXPECT_TRUE(grid->GridHasFocus());
    EXPECT_TRUE(grid->hasFocus());
    EXPECT_EQ(testing_env::Messages().Texts(), std::vector<QString>{"'x' is not a valid integer value."});
    refusing->Fail = false;
    other->setFocus();
    QApplication::processEvents();
    EXPECT_FALSE(grid->GridHasFocus());
}

TEST_F(GridKeysTest, LeftLeavesTheCellEditorOnlyFromTheStartOfItsText) {
    query.First();
    grid->MoveToDataColumn(1);
    Key(Qt::Key_F2);
    TInplaceEdit* editor = grid->InplaceEditor();
    ASSERT_TRUE(editor && editor->isVisible());
    editor->setFocus();
    editor->SetText(QStringLiteral("12"));
    editor->setCursorPosition(1);
    Key(Qt::Key_Left);
    EXPECT_EQ(grid->GetCurrentDataColumn(), 1);
    EXPECT_EQ(editor->cursorPosition(), 0);
    Key(Qt::Key_Left);
    EXPECT_EQ(grid->GetCurrentDataColumn(), 0);
}

TEST_F(GridKeysTest, CtrlAndPageKeysMoveTheRecordAndColumn) {
    query.First();
    Key(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(Subject(), "Task 3");
    Key(Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(Subject(), "Task 1");
    Key(Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(grid->GetCurrentDataColumn(), 1);
    Key(Qt::Key_Home);
    EXPECT_EQ(grid->GetCurrentDataColumn(), 0);
    Key(Qt::Key_PageDown);
    EXPECT_EQ(Subject(), "Task 3");
    Key(Qt::Key_Insert);
    EXPECT_EQ(query.State(), dsInsert);
}

}  // namespace
