// The task editor over a real database file: the rules between status, percent and completed date, the overdue
// colours, and the stand-alone window's open, OK, Cancel and History rows.
#include "booking/TaskEditForm.h"
#include "booking/TaskEditFrame.h"
#include "controls/edit/DateTimePicker.h"
#include "controls/edit/WwDBComboBox.h"
#include "controls/edit/WwDBEdit.h"
#include "controls/edit/WwDBSpinEdit.h"
#include "data/bookings/TaskRecord.h"
#include "data/module/DataModule.h"
#include "data/support/BookingDatabaseFixture.h"
#include "data/support/TaskDatabaseFixture.h"
#include "platform/db/Field.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/Exceptions.h"
#include "platform/ui/Bars.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/ModalRunner.h"
#include "support/TestEnvironment.h"
#include "support/TextFit.h"

#include <gtest/gtest.h>
#include <QDir>

namespace {

// Tuesday 10 March 2026, mid-morning.
const TDateTime kToday = EncodeDate(2026, 3, 10);

class TaskEditTest : public ::testing::Test {
protected:
    std::shared_ptr<rtl::FakeClock> clock = std::make_shared<rtl::FakeClock>(kToday + EncodeTime(10, 0, 0, 0));
    std::shared_ptr<rtl::Clock> previousClock;
    TADOConnection fixture;
    TData data;
    ui::ScopedScriptedRunner runner;

    // Task 1000 of booking 12, stored in progress at 40 %, due yesterday; task 1001 without a booking.
    TaskEditTest() {
        previousClock = rtl::SetClock(clock);
        const QString path = QDir(testing_env::TempDir()).filePath(QStringLiteral("tasks.tvd"));
        booking_db::Create(fixture, path);
        task_db::AddTask(fixture, {1000, 12, 1, 40, 2, QStringLiteral("Order chairs"), kToday - 1});
        task_db::AddTask(fixture, {1001, 0, 0, 0, 3, QStringLiteral("Tidy up")});
        EXPECT_TRUE(data.ConnectDatabase(path, QString()));
        data.AdministratorMode = true;
    }
    ~TaskEditTest() override {
        data.DisconnectDatabase();
        rtl::SetClock(previousClock);
    }

    static TField& Field(TTaskEditFrame& frame, const char* name) {
        return frame.TasksQuery.FieldByName(QString::fromLatin1(name));
    }
};

TEST_F(TaskEditTest, TheCombosMapEachNameToItsStoredValue) {
    TTaskEditFrame frame(nullptr, data);
    ASSERT_EQ(frame.StatusComboBox->Items().Count(), 5);
    EXPECT_EQ(frame.StatusComboBox->Items()[2], QStringLiteral("Completed\t2"));
    EXPECT_EQ(frame.PriorityComboBox->Items()[0], QStringLiteral("Urgent\t1"));
    EXPECT_TRUE(frame.PriorityComboBox->MapList());
    ASSERT_TRUE(frame.OpenTask(1000));
    EXPECT_EQ(frame.PriorityComboBox->Text(), QStringLiteral("High"));
    EXPECT_EQ(frame.StatusComboBox->Text(), QStringLiteral("In Progress"));
}

TEST_F(TaskEditTest, EachRuleControlKeepsStatusPercentAndCompletedDateAgreeing) {
    TTaskEditFrame frame(nullptr, data);
    ASSERT_TRUE(frame.OpenForBooking(12));
    frame.EnableControls();

    // A typed 150 stores 100 and completes the task today; -5 stores 0 and makes it not started.
    frame.PercentCompletedSpinEdit->SetText(QStringLiteral("150"));
    EXPECT_EQ(Field(frame, "PercentCompleted").AsInteger(), 100);
    EXPECT_EQ(Field(frame, "Status").AsInteger(), 2);
    EXPECT_EQ(Field(frame, "CompletedDate").AsDateTime(), kToday);
    frame.PercentCompletedSpinEdit->SetText(QStringLiteral("-5"));
    EXPECT_EQ(Field(frame, "PercentCompleted").AsInteger(), 0);
    EXPECT_EQ(Field(frame, "Status").AsInteger(), 0);
    EXPECT_TRUE(Field(frame, "CompletedDate").IsNull());
    // A text that is no number leaves the rest alone.
    frame.PercentCompletedSpinEdit->SetText(QStringLiteral("abc"));
    EXPECT_EQ(Field(frame, "Status").AsInteger(), 0);

    // Completed sets 100 % and today; Waiting goes back to the stored 40 %.
    frame.StatusComboBox->SetItemIndex(2);
    EXPECT_EQ(Field(frame, "PercentCompleted").AsInteger(), 100);
    EXPECT_EQ(Field(frame, "CompletedDate").AsDateTime(), kToday);
    frame.StatusComboBox->SetItemIndex(3);
    EXPECT_EQ(Field(frame, "PercentCompleted").AsInteger(), 40);
    EXPECT_TRUE(Field(frame, "CompletedDate").IsNull());

    // A completed date completes the task; clearing it at 100 % resets it to not started.
    Field(frame, "CompletedDate").SetAsDateTime(kToday - 2);
    EXPECT_EQ(Field(frame, "Status").AsInteger(), 2);
    EXPECT_EQ(Field(frame, "PercentCompleted").AsInteger(), 100);
    Field(frame, "CompletedDate").Clear();
    EXPECT_EQ(Field(frame, "Status").AsInteger(), 0);
    EXPECT_EQ(Field(frame, "PercentCompleted").AsInteger(), 0);
    EXPECT_TRUE(frame.Modified);

    // Detached, the controls change only their own column.
    frame.DisableControls();
    frame.PercentCompletedSpinEdit->SetText(QStringLiteral("100"));
    EXPECT_EQ(Field(frame, "Status").AsInteger(), 0);
}

TEST_F(TaskEditTest, AnOverdueTaskShowsSubjectAndDueDateInRedUntilItHasACompletedDate) {
    TTaskEditFrame frame(nullptr, data);
    ASSERT_TRUE(frame.OpenTask(1000));
    frame.EnableControls();
    EXPECT_EQ(frame.SubjectDBEdit->Font().Color(), clRed);
    EXPECT_EQ(frame.DueDatePicker->Font().Color(), clRed);
    frame.TasksQuery.Edit();
    Field(frame, "CompletedDate").SetAsDateTime(kToday);
    EXPECT_EQ(frame.SubjectDBEdit->Font().Color(), clWindowText);
    EXPECT_EQ(frame.DueDatePicker->Font().Color(), clWindowText);
    // Due today is not overdue yet.
    ASSERT_TRUE(frame.OpenTask(1001));
    EXPECT_EQ(frame.SubjectDBEdit->Font().Color(), clWindowText);
}

TEST_F(TaskEditTest, TheWindowReportsAMissingTaskAndWritesHistoryOnlyForAChange) {
    TTaskEditForm form(nullptr, data);
    EXPECT_FALSE(form.Execute(77));
    EXPECT_EQ(testing_env::Messages().Texts(), std::vector<QString>{QStringLiteral("TaskId 77 not found")});
    EXPECT_TRUE(runner->Runs().empty());

    // OK without a change: true and no History row.
    runner->OnShown<TTaskEditForm>(QStringLiteral("TaskEditForm"), [](TTaskEditForm& f) {
        EXPECT_EQ(f.StatusBar->SimpleText(),
                  QStringLiteral("Owner: n/a   Created: n/a   Modified: n/a   TaskId: 1001"));
        f.OkButton->Click();
    });
    EXPECT_TRUE(form.Execute(1001));
    EXPECT_TRUE(task_db::TaskHistory(fixture).isEmpty());

    // A change is posted and described as modified; Cancel drops another one.
    runner->OnShown<TTaskEditForm>(QStringLiteral("TaskEditForm"), [](TTaskEditForm& f) {
        f.TaskEditFrame->TasksQuery.Edit();
        f.TaskEditFrame->StatusComboBox->SetItemIndex(2);
        f.OkButton->Click();
    });
    EXPECT_TRUE(form.Execute(1001));
    EXPECT_EQ(form.TaskId, 1001);
    const QStringList history = task_db::TaskHistory(fixture);
    ASSERT_EQ(history.size(), 1);
    EXPECT_TRUE(history[0].startsWith(QStringLiteral("8:1001:"))) << history[0].toStdString();
    EXPECT_TRUE(history[0].contains(QStringLiteral("Completed"))) << history[0].toStdString();
    const QString owner = data.CurrentUserId();
    runner->OnShown<TTaskEditForm>(QStringLiteral("TaskEditForm"), [owner](TTaskEditForm& f) {
        // The post made the user the owner; the first History row is no "created" one; the last "modified"
        // one gives the date.
        EXPECT_EQ(f.StatusBar->SimpleText(),
                  QStringLiteral("Owner: ") + owner +
                      QStringLiteral("   Created: unknown   Modified: Mar 10 2026   TaskId: 1001"));
        f.TaskEditFrame->TasksQuery.Edit();
        f.TaskEditFrame->PercentCompletedSpinEdit->SetText(QStringLiteral("25"));
        f.CancelButton->Click();
    });
    EXPECT_FALSE(form.Execute(1001));
    const auto stored =
        fixture.Engine().Prepare(QStringLiteral("SELECT PercentCompleted FROM Tasks WHERE TaskId = 1001"));
    ASSERT_TRUE(stored->Step());
    EXPECT_EQ(stored->Value(0).toInt(), 100);
    EXPECT_EQ(task_db::TaskHistory(fixture).size(), 1);
}

TEST_F(TaskEditTest, ANewTaskIsOwnedByTheUserAndWrittenAsCreated) {
    TTaskEditForm form(nullptr, data);
    runner->OnShown<TTaskEditForm>(QStringLiteral("TaskEditForm"), [](TTaskEditForm& f) {
        EXPECT_TRUE(f.StatusBar->SimpleText().endsWith(QStringLiteral("TaskId: n/a")));
        f.TaskEditFrame->TasksQuery.FieldByName(QStringLiteral("Subject")).SetAsString(QStringLiteral("Book van"));
        f.OkButton->Click();
    });
    ASSERT_TRUE(form.Execute(-1));
    EXPECT_GT(form.TaskId, 1001);
    const QStringList history = task_db::TaskHistory(fixture);
    ASSERT_EQ(history.size(), 1);
    EXPECT_TRUE(history[0].startsWith(QStringLiteral("7:%1:").arg(form.TaskId))) << history[0].toStdString();
    EXPECT_TRUE(history[0].contains(QStringLiteral("Book van")));
    const auto owner =
        fixture.Engine().Prepare(QStringLiteral("SELECT Owner FROM Tasks WHERE TaskId = %1").arg(form.TaskId));
    ASSERT_TRUE(owner->Step());
    EXPECT_EQ(owner->Value(0).toString(), data.CurrentUserId());
}

TEST(TaskEditTexts, EveryTextOfTheTaskWindowShowsWhole) {
    testing_env::AtEachTestFont([] {
        TData data;
        TTaskEditForm form(nullptr, data);
        form.Show();
        testing_env::ExpectTextsWhole(form);
    });
}

}  // namespace

namespace {

TEST_F(TaskEditTest, TheBookingWindowsTaskIsSavedWithItsHistoryAndDeletedBeforeItsDeletedRow) {
    TTaskEditFrame frame(nullptr, data);
    // Booking 12 has a task already: "Add" shows it; booking 14 gets a new one.
    EXPECT_EQ(frame.AddTask(12), TTaskEditFrame::TaskExisting);
    ASSERT_EQ(frame.AddTask(14), TTaskEditFrame::TaskNew);
    Field(frame, "Subject").SetAsString(QStringLiteral("Flowers"));
    frame.SaveTaskChanges(TTaskEditFrame::TaskNew, 14, nullptr);
    const int newId = frame.TaskId();
    QStringList history = task_db::TaskHistory(fixture);
    ASSERT_EQ(history.size(), 1);
    EXPECT_TRUE(history[0].startsWith(QStringLiteral("7:%1:").arg(newId))) << history[0].toStdString();
    {
        // Scoped: a statement left open would hold its read lock.
        const auto attached = fixture.Engine().Prepare(
            QStringLiteral("SELECT BookingId, HistoryCode, Description FROM History WHERE TaskId IS NULL"));
        ASSERT_TRUE(attached->Step());
        EXPECT_EQ(attached->Value(0).toInt(), 14);
        EXPECT_EQ(attached->Value(1).toInt(), 30);
        EXPECT_EQ(attached->Value(2).toString(), QStringLiteral("TaskId (%1)").arg(newId));
    }

    // An edited task is described against the snapshot taken when it was loaded.
    ASSERT_TRUE(frame.OpenForBooking(12));
    TTaskRecord snapshot;
    snapshot.DataSet = &frame.TasksQuery;
    snapshot.Load();
    frame.TasksQuery.Edit();
    Field(frame, "Assignee").SetAsString(QStringLiteral("Kim"));
    frame.SaveTaskChanges(TTaskEditFrame::TaskExisting, 12, &snapshot);
    history = task_db::TaskHistory(fixture);
    ASSERT_EQ(history.size(), 2);
    EXPECT_TRUE(history[1].startsWith(QStringLiteral("8:1000:"))) << history[1].toStdString();

    // A delete the rights refuse leaves the task and writes nothing; an allowed one removes it, then notes it.
    data.AdministratorMode = false;
    fixture.Execute(QStringLiteral("UPDATE RanvelGlobal SET TaskAllowUserCreate = True, TaskOwnerOnlyModify = True"));
    fixture.Execute(QStringLiteral("UPDATE Tasks SET Owner = 'someone else' WHERE TaskId = 1000"));
    ASSERT_TRUE(frame.OpenForBooking(12));
    EXPECT_THROW(frame.SaveTaskChanges(TTaskEditFrame::TaskDelete, 12, nullptr), Exception);
    EXPECT_EQ(task_db::TaskHistory(fixture).size(), 2);
    data.AdministratorMode = true;
    ASSERT_TRUE(frame.OpenForBooking(12));
    frame.SaveTaskChanges(TTaskEditFrame::TaskDelete, 12, nullptr);
    EXPECT_FALSE(frame.OpenForBooking(12));
    EXPECT_EQ(task_db::TaskHistory(fixture).last(), QStringLiteral("9:1000:"));
}

}  // namespace
