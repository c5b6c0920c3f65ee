// The published grid's cell controls over a real database file: the task grid's priority combo box placed over
// the current cell, editing it and hidden when the column is left; the grid's date/time picker for date-time
// fields; a line naming a control the form does not have.
//
// The picture in docs/ under a real X server:  TAVORIN_GRID_COMBO_SHOT=docs/grid-cell-combo.png
//   QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 800x600x24"
//   build/tests/controls/grid/test_controls_grid --gtest_filter='GridCellControls.TheOpen*'
#include "GridFixture.h"

#include "controls/edit/DateTimePicker.h"
#include "controls/edit/WwDBComboBox.h"
#include "controls/grid/WwInplaceEdit.h"
#include "controls/grid/Wwdbgrid.h"
#include "platform/db/Field.h"
#include "platform/rtl/DateUtils.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <QScreen>
#include <QTest>

using grid_test::ExposedGrid;
using grid_test::GridTest;

namespace {

class GridCellControls : public GridTest {
protected:
    TADOQuery query;
    QWidget form;
    ExposedGrid* db = nullptr;
    TwwDBComboBox* combo = nullptr;

    void SetUp() override {
        GridTest::SetUp();
        grid.reset();
        connection.Execute(
            "CREATE TABLE Jobs (JobId AUTOINCREMENT CONSTRAINT PrimaryKey PRIMARY KEY, "
            "Subject TEXT(50), Priority SHORT, DueDate DATETIME)");
        connection.Execute("INSERT INTO Jobs (Subject, Priority, DueDate) VALUES ('Order paper', 2, #2/20/2026 9:30#)");
        connection.Execute("INSERT INTO Jobs (Subject, Priority) VALUES ('Book the hall', 1)");
        connection.Execute("INSERT INTO Jobs (Subject, Priority) VALUES ('Print tickets', 3)");
        db = new ExposedGrid(&form);
        db->setObjectName(QStringLiteral("TasksGrid"));
        db->SetUseTFields(false);
        db->setGeometry(10, 10, 460, 200);
        combo = new TwwDBComboBox(&form);
        combo->setObjectName(QStringLiteral("PriorityComboBox"));
        combo->setGeometry(10, 230, 120, 21);
        combo->SetMapList(true);
        combo->SetStyle(csDropDownList);
        for (const char* item : {"High\t1", "Normal\t2", "Low\t3"}) combo->Items().Add(QString::fromLatin1(item));
        combo->Loaded();
        form.resize(480, 260);
    }

    void Open(const QStringList& controlType,
              const QStringList& selected = {"Subject\t20\tSubject\tF", "Priority\t10\tPriority\tF",
                                             "DueDate\t20\tDue\tF"}) {
        db->ControlType().SetStrings(controlType);
        db->Selected().SetStrings(selected);
        OpenShown(query, "select * from Jobs order by JobId", *db, form);
    }

    static void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) { KeyFocused(key, modifiers); }
    void ToColumn(int dataCol) {
        db->MoveToDataColumn(dataCol);
        QApplication::processEvents();
    }
    // Alt+Down typed on the grid reaches the combo as a posted key.
    void DropDownByAltDown() {
        Key(Qt::Key_Down, Qt::AltModifier);
        ASSERT_TRUE(combo->ListShowing());
        // The offscreen screen activates every window it shows, the list too; a real one leaves the form active.
        form.activateWindow();
        QApplication::processEvents();
        ASSERT_TRUE(combo->ListShowing());
    }
    // The current cell as the grid's own child sees it.
    QRect CurrentCell() { return ui::ToQRect(db->CellRect(db->Col(), db->Row())).translated(db->viewport()->pos()); }

    TField& Stored(const char* fieldName, int jobId) {
        query.Close();
        query.Open();
        EXPECT_TRUE(query.Locate(QStringLiteral("JobId"), jobId));
        return query.FieldByName(QString::fromLatin1(fieldName));
    }
};

TEST_F(GridCellControls, ThePriorityComboEditsTheCurrentCellAndHidesWhenTheColumnIsLeft) {
    Open({"Priority;CustomEdit;PriorityComboBox;F"});
    EXPECT_FALSE(combo->isVisible());
    EXPECT_EQ(db->GetCellText(1), "Normal");  // the cells show the combo's names
    ToColumn(1);
    ASSERT_EQ(db->ActiveCellControl(), combo);
    EXPECT_TRUE(combo->isVisible());
    EXPECT_EQ(combo->parentWidget(), db);
    EXPECT_EQ(combo->geometry(), CurrentCell());
    EXPECT_EQ(combo->Text(), "Normal");
    EXPECT_FALSE(db->InplaceEditor() && db->InplaceEditor()->isVisible());

    // Alt+Down on the grid opens the combo's list; the next item is taken with Enter.
    DropDownByAltDown();
    EXPECT_EQ(QApplication::focusWidget(), combo);
    Key(Qt::Key_Down);
    Key(Qt::Key_Return);
    EXPECT_FALSE(combo->ListShowing());
    EXPECT_EQ(combo->Text(), "Low");
    EXPECT_EQ(query.State(), dsEdit);

    // Tab leaves the column: the combo hands its value to the field and hides; the grid has the focus back.
    Key(Qt::Key_Tab);
    EXPECT_EQ(db->GetSelectedField()->FieldName(), "DueDate");
    EXPECT_FALSE(combo->isVisible());
    EXPECT_TRUE(db->hasFocus());
    EXPECT_EQ(query.FieldByName(QStringLiteral("Priority")).AsInteger(), 3);
    EXPECT_TRUE(testing_env::Messages().Texts().empty());
    query.Post();
    EXPECT_EQ(Stored("Priority", 1).AsInteger(), 3);
}

TEST_F(GridCellControls, TheComboFollowsTheCurrentRecordAndLeavesWithTheFocus) {
    Open({"Priority;CustomEdit;PriorityComboBox;F"});
    ToColumn(1);
    ASSERT_TRUE(combo->isVisible());
    Key(Qt::Key_Down);
    EXPECT_EQ(combo->Text(), "High");
    EXPECT_EQ(combo->geometry(), CurrentCell());
    // A change of the memo settings brings the grid in step with its dataset again: the same control returns.
    db->SetMemoAttributes(TwwMemoAttributes{mGridShow});
    QApplication::processEvents();
    EXPECT_EQ(db->ActiveCellControl(), combo);
    EXPECT_TRUE(combo->isVisible());
    QLineEdit elsewhere(&form);
    elsewhere.setGeometry(200, 230, 100, 21);
    elsewhere.show();
    elsewhere.setFocus();
    QApplication::processEvents();
    EXPECT_FALSE(combo->isVisible());
    db->setFocus();
    QApplication::processEvents();
    EXPECT_TRUE(combo->isVisible());
}

TEST_F(GridCellControls, ADateTimeFieldEditsThroughTheGridsPicker) {
    TwwDBDateTimePicker* made = nullptr;
    db->OnCreateDateTimePicker = [&](TwwDBGrid* sender, TwwDBDateTimePicker* picker) {
        EXPECT_EQ(sender, db);
        made = picker;
    };
    Open({"Priority;CustomEdit;PriorityComboBox;F"});
    ToColumn(2);
    TwwDBDateTimePicker* picker = db->DateTimePicker();
    ASSERT_TRUE(picker);
    EXPECT_EQ(made, picker);
    EXPECT_EQ(db->ActiveCellControl(), picker);
    EXPECT_TRUE(picker->isVisible());
    EXPECT_EQ(picker->geometry(), CurrentCell());
    EXPECT_FALSE(picker->ReadOnly());
    // F2 hands the focus to the picker; a click on the month selects it and Up moves it on.
    Key(Qt::Key_F2);
    ASSERT_EQ(QApplication::focusWidget(), picker);
    QTest::mouseClick(picker, Qt::LeftButton, {}, QPoint(picker->TextLeft() + 2, picker->height() / 2));
    Key(Qt::Key_Up);
    EXPECT_EQ(query.State(), dsEdit);
    Key(Qt::Key_Tab);  // past the last column: the next record, which posts this one
    EXPECT_FALSE(picker->isVisible());
    EXPECT_EQ(query.State(), dsBrowse);
    EXPECT_NEAR(Stored("DueDate", 1).AsDateTime(), EncodeDateTime(2026, 3, 20, 9, 30, 0, 0), OneSecond);
}

TEST_F(GridCellControls, AReadOnlyColumnGetsAReadOnlyPicker) {
    Open({}, {"Subject\t20\tSubject\tF", "DueDate\t20\tDue\tT"});
    ToColumn(1);
    ASSERT_TRUE(db->DateTimePicker());
    EXPECT_TRUE(db->DateTimePicker()->ReadOnly());
}

TEST_F(GridCellControls, ALineNamingAMissingControlKeepsTheCellEditor) {
    Open({"Priority;CustomEdit;NoSuchCombo;F"});
    ToColumn(1);
    EXPECT_EQ(db->ActiveCellControl(), nullptr);
    EXPECT_EQ(db->GetCellText(1), "2");
    QTest::keyClick(db, Qt::Key_3);
    QApplication::processEvents();
    ASSERT_TRUE(db->CellEditor() && db->CellEditor()->isVisible());
    EXPECT_EQ(db->CellEditor()->Text(), "3");
    EXPECT_EQ(combo->parentWidget(), &form);
}

TEST_F(GridCellControls, WithCustomControlsDisabledNoControlIsAttached) {
    db->EditControlOptions.Include(ecoDisableCustomControls);
    Open({"Priority;CustomEdit;PriorityComboBox;F"});
    ToColumn(1);
    EXPECT_EQ(db->ActiveCellControl(), nullptr);
    EXPECT_EQ(combo->parentWidget(), &form);
    EXPECT_EQ(db->GetCellText(1), "2");
}

TEST_F(GridCellControls, TheFormKeepsItsComboWhenTheGridGoes) {
    Open({"Priority;CustomEdit;PriorityComboBox;F"});
    ToColumn(1);
    ASSERT_EQ(combo->parentWidget(), db);
    delete db;
    db = nullptr;
    EXPECT_EQ(combo->parentWidget(), &form);
    EXPECT_FALSE(combo->isVisible());
}

TEST_F(GridCellControls, TheOpenComboOverTheCurrentCell) {
    connection.Execute("UPDATE Jobs SET DueDate = #3/2/2026 14:00# WHERE JobId > 1");
    Open({"Priority;CustomEdit;PriorityComboBox;F"});
    ToColumn(1);
    DropDownByAltDown();
    const QString path = qEnvironmentVariable("TAVORIN_GRID_COMBO_SHOT");
    if (path.isEmpty()) return;
    QTest::qWait(300);
    const QPoint origin = form.mapToGlobal(QPoint(0, 0));
    ASSERT_TRUE(form.screen()->grabWindow(0, origin.x(), origin.y(), form.width(), form.height()).save(path));
}

}  // namespace
