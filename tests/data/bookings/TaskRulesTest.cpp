// Task vocabulary, the status/percent/completed-date rules and the task record's history texts.
#include "data/support/LookupFixture.h"

#include "data/bookings/TaskEditRules.h"
#include "data/bookings/TaskRecord.h"
#include "data/bookings/TaskVocabulary.h"
#include "platform/rtl/Clock.h"

#include <gtest/gtest.h>

namespace data_test {
namespace {

TEST(TaskVocabularyTest, NamesAndComboItems) {
    EXPECT_EQ(TaskStatusName(0), QStringLiteral("Not started"));
    EXPECT_EQ(TaskStatusName(1), QStringLiteral("In Progress"));
    EXPECT_EQ(TaskStatusName(4), QStringLiteral("Deferred"));
    EXPECT_EQ(TaskStatusName(7), QStringLiteral("Unknown"));
    EXPECT_EQ(TaskStatusName(-1), QStringLiteral("Unknown"));
    EXPECT_EQ(TaskPriorityName(1), QStringLiteral("Urgent"));
    EXPECT_EQ(TaskPriorityName(4), QStringLiteral("Low"));
    EXPECT_EQ(TaskPriorityName(0), QString());
    EXPECT_EQ(
        data::TaskStatusComboItems(),
        (QStringList{QStringLiteral("Not Started\t0"), QStringLiteral("In Progress\t1"), QStringLiteral("Completed\t2"),
                     QStringLiteral("Waiting\t3"), QStringLiteral("Deferred\t4")}));
    EXPECT_EQ(data::TaskPriorityComboItems(), (QStringList{QStringLiteral("Urgent\t1"), QStringLiteral("High\t2"),
                                                           QStringLiteral("Normal\t3"), QStringLiteral("Low\t4")}));
}

// A stored task row in edit state; the clock's today is 5 January 2026.
class TaskRowTest : public LookupTest {
protected:
    TADOTable tasks;
    const TDateTime today = EncodeDate(2026, 1, 5);
    const TDateTime earlier = EncodeDate(2025, 12, 20);

    void SetUp() override {
        LookupTest::SetUp();
        rtl::SetClock(std::make_shared<rtl::FakeClock>(today + EncodeTime(15, 45, 0, 0)));
        tasks.SetConnection(&connection);
        tasks.TableName = QStringLiteral("Tasks");
        tasks.IndexFieldNames = QStringLiteral("TaskId");
    }

    // Stores a task and puts it into edit state.
    void EditStored(int status, int percent, bool completed) {
        Execute(QStringLiteral("INSERT INTO Tasks (Status, PercentCompleted, CompletedDate) VALUES (%1, %2, %3)")
                    .arg(status)
                    .arg(percent)
                    .arg(completed ? QStringLiteral("#12/20/2025#") : QStringLiteral("Null")));
        tasks.Open();
        tasks.Last();
        tasks.Edit();
    }

    QString Row() {
        const TField& date = tasks.FieldByName(QStringLiteral("CompletedDate"));
        return QStringLiteral("%1/%2/%3")
            .arg(tasks.FieldByName(QStringLiteral("Status")).AsInteger())
            .arg(tasks.FieldByName(QStringLiteral("PercentCompleted")).AsInteger())
            .arg(date.IsNull()                ? QStringLiteral("null")
                 : date.AsDateTime() == today ? QStringLiteral("today")
                                              : QStringLiteral("kept"));
    }
};

enum class Change { Percent, CompletedDate, Status };

struct RuleCase {
    const char* what;
    int status, percent;
    bool completed;  // stored with a completed date
    Change change;
    int value;             // the new percent or status
    const char* dateText;  // the new completed-date text
    const char* expected;  // status/percent/completed date
};

TEST_F(TaskRowTest, StatusPercentAndCompletedDateAgree) {
    const RuleCase cases[] = {
        {"100 % completes today", 1, 40, false, Change::Percent, 100, "", "2/100/today"},
        {"150 % is 100 %", 1, 40, false, Change::Percent, 150, "", "2/100/today"},
        {"back to 50 % is in progress", 2, 100, true, Change::Percent, 50, "", "1/50/null"},
        {"0 % is not started", 1, 40, false, Change::Percent, 0, "", "0/0/null"},
        {"below 0 % is 0 %", 1, 40, false, Change::Percent, -5, "", "0/0/null"},
        {"a completed date completes", 1, 40, false, Change::CompletedDate, 0, "1/3/2026", "2/100/null"},
        {"clearing the date at 100 %", 2, 100, true, Change::CompletedDate, 0, "", "0/0/kept"},
        {"clearing the date at 60 %", 1, 60, true, Change::CompletedDate, 0, "", "1/60/kept"},
        {"status completed", 1, 40, false, Change::Status, 2, "", "2/100/today"},
        {"waiting restores the stored percent", 1, 40, false, Change::Status, 3, "", "3/40/null"},
        {"in progress restores the stored percent", 2, 100, true, Change::Status, 1, "", "1/100/null"},
        {"not started is 0 %", 1, 40, true, Change::Status, 0, "", "0/0/null"},
    };
    for (const RuleCase& c : cases) {
        SCOPED_TRACE(c.what);
        tasks.Close();
        EditStored(c.status, c.percent, c.completed);
        switch (c.change) {
            case Change::Percent:
                tasks.FieldByName(QStringLiteral("PercentCompleted")).SetAsInteger(c.value);
                ApplyTaskPercentCompleted(tasks, c.value);
                break;
            case Change::CompletedDate: ApplyTaskCompletedDate(tasks, QLatin1String(c.dateText)); break;
            case Change::Status:
                tasks.FieldByName(QStringLiteral("Status")).SetAsInteger(c.value);
                ApplyTaskStatus(tasks, c.value);
                break;
        }
        // The rules' effect only: the status column is the editor's own, so Status keeps the value it set.
        EXPECT_EQ(Row(), QLatin1String(c.expected));
    }
}

TEST_F(TaskRowTest, LeavingCompletedRestoresTheStoredPercent) {
    EditStored(1, 40, false);
    ApplyTaskStatus(tasks, 2);
    tasks.FieldByName(QStringLiteral("Status")).SetAsInteger(3);
    ApplyTaskStatus(tasks, 3);
    EXPECT_EQ(Row(), QStringLiteral("3/40/null"));
}

TEST_F(TaskRowTest, ANewTaskLeavingCompletedStartsFromZero) {
    tasks.Open();
    tasks.Append();
    ApplyTaskStatus(tasks, 2);
    ApplyTaskStatus(tasks, 4);
    EXPECT_EQ(tasks.FieldByName(QStringLiteral("PercentCompleted")).AsInteger(), 0);
    EXPECT_TRUE(tasks.FieldByName(QStringLiteral("CompletedDate")).IsNull());
}

TEST_F(TaskRowTest, RecordLoadsAndDescribesItsChanges) {
    Execute(QStringLiteral(
        "INSERT INTO Tasks (BookingId, Status, PercentCompleted, Priority, StartDate, DueDate, Subject, Owner) "
        "VALUES (1001, 1, 40, 2, #1/5/2026 9:00#, #1/9/2026#, \"Clean up\", \"jsmith\")"));
    Execute(QStringLiteral("INSERT INTO Tasks (Subject) VALUES (Null)"));
    tasks.Open();
    TTaskRecord task;
    task.DataSet = &tasks;
    task.Load();
    EXPECT_EQ(task.TaskId, 1000);
    EXPECT_EQ(task.DescribeChanges(nullptr),
              QStringLiteral("BookingId(1001) Status(In Progress) PercentCompleted(40) Priority(2) "
                             "StartDate(Jan 05 2026) DueDate(Jan 09 2026) Subject(Clean up) "
                             "Owner(jsmith) "));

    TTaskRecord changed = task;
    changed.Status = 7;
    changed.StartDate = EncodeDateTime(2026, 1, 5, 17, 0, 0, 0);  // same day, other time
    changed.DueDate = 0;                                          // a cleared date reads as the calendar's day 0
    changed.CompletedDate = today;
    changed.Subject = QStringLiteral("Clean Up");
    changed.Owner = QStringLiteral("JSmith");
    EXPECT_EQ(changed.DescribeChanges(&task), QStringLiteral("Status(Unknown) DueDate(Dec 30 1899) "
                                                             "CompletedDate(Jan 05 2026) Subject(Clean Up) "
                                                             "Owner(JSmith) "));
    EXPECT_EQ(task.DescribeChanges(&task), QString());

    tasks.Next();
    TTaskRecord empty;
    empty.DataSet = &tasks;
    empty.Load();
    EXPECT_EQ(empty.DescribeChanges(nullptr),
              QStringLiteral("Status(Not started) PercentCompleted(0) Priority(0) Owner() "));
}

}  // namespace
}  // namespace data_test
