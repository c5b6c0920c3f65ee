// The grid's cell editor over a real database file: typing through a picture mask (the beep at the end, the
// value check), dates by the library's century window, numbers read back through their display format, paste
// starting the edit, and word wrap.
#include "GridFixture.h"

#include "controls/edit/WwIntl.h"
#include "controls/grid/WwInplaceEdit.h"
#include "controls/grid/Wwdbgrid.h"
#include "platform/db/Field.h"
#include "platform/rtl/DateUtils.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <QAbstractTextDocumentLayout>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QTest>

using grid_test::GridTest;

namespace {

class GridCellEditor : public GridTest {
protected:
    TADOQuery query;
    QWidget form;
    TwwDBGrid* db = nullptr;
    std::vector<bool> checks;
    std::vector<QString> changedFields;

    void SetUp() override {
        GridTest::SetUp();
        grid.reset();
        connection.Execute(
            "CREATE TABLE Items (ItemId AUTOINCREMENT CONSTRAINT PrimaryKey PRIMARY KEY, "
            "Code TEXT(10), DueDate DATETIME, Cost DOUBLE, Link TEXT(80))");
        connection.Execute("INSERT INTO Items (Code, Cost) VALUES ('', 1234.5)");
        connection.Execute("INSERT INTO Items (Code, Cost) VALUES ('', 10)");
        db = new TwwDBGrid(&form);
        db->SetUseTFields(false);
        db->resize(460, 300);
        form.resize(480, 320);
        db->OnCheckValue = [this](QObject* sender, bool passes) {
            EXPECT_EQ(sender, db->CellEditor());
            checks.push_back(passes);
        };
        db->OnFieldChanged = [this](QObject*, TField* field) { changedFields.push_back(field->FieldName()); };
    }

    void Open() {
        db->Selected().SetStrings(
            {"Code\t10\tCode\tF", "DueDate\t18\tDue\tF", "Cost\t12\tCost\tF", "Link\t20\tLink\tF"});
        OpenShown(query, "select * from Items order by ItemId", *db, form);
        query.FieldByName(QStringLiteral("Cost")).SetDisplayFormat(QStringLiteral("#,##0.00;(#,##0.00)"));
    }

    static void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) { KeyFocused(key, modifiers); }
    static void Type(const QString& text) { TypeFocused(text); }
    QString EditorText() { return db->CellEditor() ? db->CellEditor()->Text() : QString(); }

    // What the file holds, read again.
    TField& Stored(const char* fieldName, int itemId = 1) {
        query.Close();
        query.Open();
        EXPECT_TRUE(query.Locate(QStringLiteral("ItemId"), itemId));
        return query.FieldByName(QString::fromLatin1(fieldName));
    }
};

TEST_F(GridCellEditor, TypingThroughAPictureMaskFillsLiteralsDropsWrongKeysAtTheEndAndChecksTheValue) {
    db->PictureMasks().SetStrings({"Code\t###-###\tT\tT"});
    Open();
    Type("123");
    ASSERT_TRUE(db->CellEditor() && db->CellEditor()->HasPictureMask());
    EXPECT_EQ(query.State(), dsEdit);
    EXPECT_EQ(EditorText(), "123-");
    // The empty stored value passed when the editor took the focus; each digit since is incomplete.
    EXPECT_EQ(checks, (std::vector<bool>{true, false, false, false}));
    checks.clear();
    Type("A");  // a letter where a digit must come, at the end: beeps and changes nothing
    EXPECT_EQ(EditorText(), "123-");
    EXPECT_TRUE(checks.empty());
    Type("456");
    EXPECT_EQ(EditorText(), "123-456");
    EXPECT_EQ(checks, (std::vector<bool>{false, false, true}));
    // In the middle of the text a wrong key is let through and reported as failing.
    checks.clear();
    db->CellEditor()->setCursorPosition(1);
    Type("x");
    EXPECT_EQ(EditorText(), "1x23-456");
    EXPECT_EQ(checks, std::vector<bool>{false});
    // Such a text is not written: the library's message, and the record stays in edit.
    Key(Qt::Key_Tab);
    EXPECT_EQ(testing_env::Messages().Texts(),
              std::vector<QString>{"Invalid input value.  Use escape key to abandon changes."});
    EXPECT_EQ(db->GetSelectedField()->FieldName(), "Code");
    db->CellEditor()->setCursorPosition(2);
    Key(Qt::Key_Backspace);
    EXPECT_EQ(EditorText(), "123-456");
    Key(Qt::Key_Tab);
    EXPECT_EQ(db->GetSelectedField()->FieldName(), "DueDate");
    query.Post();
    EXPECT_EQ(changedFields, std::vector<QString>{"Code"});
    EXPECT_EQ(Stored("Code").AsString(), "123-456");
}

TEST_F(GridCellEditor, AnEmptyDatasetWithoutInsertTakesNoTyping) {
    connection.Execute("DELETE FROM Items");
    db->KeyOptions.Exclude(dgAllowInsert);
    Open();
    Type("7");
    EXPECT_EQ(query.State(), dsBrowse);
    EXPECT_EQ(EditorText(), "");
}

TEST_F(GridCellEditor, AnEmptyTextAlwaysPassesTheCheck) {
    db->PictureMasks().SetStrings({"Code\t###\tT\tT"});
    Open();
    Type("1");
    TwwInplaceEdit* editor = db->CellEditor();
    ASSERT_TRUE(editor);
    EXPECT_TRUE(editor->CheckValue(QString()));
    EXPECT_FALSE(editor->CheckValue(QStringLiteral("1")));
    EXPECT_TRUE(editor->CheckValue(QStringLiteral("123")));
}

TEST_F(GridCellEditor, ADateCellTakesTwoDigitYearsByTheLibrarysEpochAndTheTimeFromTheSameText) {
    TwwIntl& intl = TwwIntl::Global();
    const int epoch = intl.DefaultEpochYear;
    intl.DefaultEpochYear = 1920;
    db->EditControlOptions.Include(ecoDisableDateTimePicker);  // typed into the cell editor, not the picker
    Open();
    db->MoveToDataColumn(1);
    Type("3/5/30 10:30");
    Key(Qt::Key_Tab);
    query.Post();
    intl.DefaultEpochYear = epoch;
    EXPECT_DOUBLE_EQ(Stored("DueDate").AsDateTime(), EncodeDateTime(1930, 3, 5, 10, 30, 0, 0));
    EXPECT_TRUE(testing_env::Messages().Texts().empty());
}

TEST_F(GridCellEditor, AFloatCellReadsItsValueBackThroughTheDisplayFormat) {
    Open();
    db->MoveToDataColumn(2);
    Key(Qt::Key_F2);
    EXPECT_EQ(EditorText(), "1,234.50");
    EXPECT_EQ(query.State(), dsBrowse);
    Key(Qt::Key_End);
    Key(Qt::Key_Backspace);
    Key(Qt::Key_Backspace);
    Type("75");
    EXPECT_EQ(EditorText(), "1,234.75");
    // Ctrl+Enter inserts nothing into a number.
    Key(Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(EditorText(), "1,234.75");
    Key(Qt::Key_Down);
    EXPECT_TRUE(testing_env::Messages().Texts().empty());
    EXPECT_DOUBLE_EQ(Stored("Cost").AsFloat(), 1234.75);
    EXPECT_EQ(changedFields, std::vector<QString>{"Cost"});
}

TEST_F(GridCellEditor, PasteStartsTheEditAndANegativeInBracketsIsStored) {
    Open();
    ASSERT_TRUE(query.Locate(QStringLiteral("ItemId"), 2));
    db->MoveToDataColumn(2);
    Key(Qt::Key_F2);
    ASSERT_TRUE(db->CellEditor() && db->CellEditor()->isVisible());
    EXPECT_EQ(query.State(), dsBrowse);
    QApplication::clipboard()->setText(QStringLiteral("(2,000.00)"));
    db->CellEditor()->selectAll();
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(query.State(), dsEdit);
    EXPECT_EQ(EditorText(), "(2,000.00)");
    Key(Qt::Key_Up);
    EXPECT_DOUBLE_EQ(Stored("Cost", 2).AsFloat(), -2000.0);
}

TEST_F(GridCellEditor, PasteIntoACellThatCannotBeEditedChangesNothing) {
    db->ReadOnly = true;
    Open();
    db->MoveToDataColumn(3);
    db->SetEditorMode(true);
    ASSERT_TRUE(db->CellEditor() && db->CellEditor()->isVisible());
    QApplication::clipboard()->setText(QStringLiteral("pasted"));
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(query.State(), dsBrowse);
    EXPECT_EQ(EditorText(), "");
}

TEST_F(GridCellEditor, WordWrapWrapsLongTextInATallCellButNeverInALinkColumn) {
    db->SetRowHeightPercent(300);
    db->ControlType().SetStrings({"Code;URL-Link"});
    Open();
    db->MoveToDataColumn(3);
    Type("a long line of words that cannot fit");
    TwwInplaceEdit* editor = db->CellEditor();
    ASSERT_TRUE(editor && editor->WordWrap() && editor->LinesEditor());
    QPlainTextEdit& lines = *editor->LinesEditor();
    EXPECT_EQ(lines.toPlainText(), "a long line of words that cannot fit");
    // The plain text layout counts its lines.
    EXPECT_GE(lines.document()->documentLayout()->documentSize().height(), 2);
    Key(Qt::Key_Tab);  // the next record's first column
    ASSERT_EQ(db->GetSelectedField()->FieldName(), "Code");
    Type("x");
    EXPECT_FALSE(editor->WordWrap());
    EXPECT_EQ(editor->LinesEditor(), nullptr);
    EXPECT_EQ(Stored("Link", 1).AsString(), "a long line of words that cannot fit");
}

}  // namespace
