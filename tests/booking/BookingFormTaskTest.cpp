// The booking window's embedded task: adding, deleting and saving it with the booking, over a real database.
#include "BookingFormFixture.h"

#include "booking/TaskEditFrame.h"
#include "controls/edit/WwDBEdit.h"
#include "platform/ui/Containers.h"
#include "platform/ui/Menus.h"
#include "support/TestEnvironment.h"
#include "support/TextFit.h"

#include <gtest/gtest.h>
#include <QApplication>

using namespace booking_form_test;

namespace {

class BookingFormTaskTest : public BookingFormTest {
protected:
    void SetUp() override {
        BookingFormTest::SetUp();
        other->Book(1001, 1, Jan(5, 9), Jan(5, 10));
    }

    void AddStoredTask(int bookingId) {
        other->Execute(
            QStringLiteral("INSERT INTO Tasks (BookingId, Status, PercentCompleted, Priority, Subject, Owner) "
                           "VALUES (%1, 0, 0, 3, \"Set up room\", \"owner\")")
                .arg(bookingId));
    }
    QStringList Tasks() { return other->Rows(QStringLiteral("SELECT BookingId, Subject FROM Tasks ORDER BY TaskId")); }
    // The History rows of tasks and the booking rows that name a task: code, task id or booking id, description.
    QStringList TaskHistory() {
        return other->Rows(
            QStringLiteral("SELECT HistoryCode, BookingId, Description FROM History WHERE HistoryCode "
                           ">= 7 ORDER BY HistoryId"));
    }
    // Writes the task's subject, as its editor does when it is left.
    void TypeSubject(const QString& text) {
        TADOQuery& tasks = form->TaskEditFrame->TasksQuery;
        if (tasks.State() == dsBrowse) tasks.Edit();
        tasks.FieldByName(QStringLiteral("Subject")).SetAsString(text);
    }
    bool PanelShown() { return form->TaskPanel->isVisibleTo(form.get()); }
    void Click(const char* item) { form->Item(QLatin1String(item))->Click(); }
};

TEST_F(BookingFormTaskTest, AnAddedTaskIsSavedWithTheBookingAndNamedInItsHistory) {
    OpenBooking(1001);
    EXPECT_EQ(form->TaskState, 0);
    EXPECT_FALSE(PanelShown());
    EXPECT_TRUE(form->Item(QStringLiteral("AddTaskItem"))->Enabled());
    EXPECT_FALSE(form->Item(QStringLiteral("DeleteTaskItem"))->Enabled());
    const int height = form->height();

    Click("AddTaskItem");
    EXPECT_EQ(form->TaskState, TTaskEditFrame::TaskNew);
    EXPECT_TRUE(PanelShown());
    EXPECT_EQ(form->height(), height + form->TaskPanel->Height()) << height;
    EXPECT_FALSE(form->Item(QStringLiteral("AddTaskItem"))->Enabled());
    EXPECT_TRUE(form->Item(QStringLiteral("DeleteTaskItem"))->Enabled());
    // The frame fills the panel, which sits between the fields and the buttons.
    EXPECT_EQ(form->TaskEditFrame->width(), form->TaskPanel->ClientWidth());
    EXPECT_EQ(form->TaskEditFrame->TaskGroupBox->Left(), 16);
    EXPECT_GE(form->TaskPanel->Top(), form->MidPanel->Top() + form->MidPanel->Height());

    TypeSubject(QStringLiteral("Chairs"));
    EXPECT_TRUE(form->Caption().endsWith(QStringLiteral("(modified)")));
    form->OkButtonClick();
    EXPECT_TRUE(form->isHidden());
    EXPECT_EQ(Tasks(), QStringList{QStringLiteral("1001|Chairs")});
    const QStringList history = TaskHistory();
    ASSERT_EQ(history.size(), 2);
    EXPECT_TRUE(history[0].startsWith(QStringLiteral("7|")));
    EXPECT_TRUE(history[0].contains(QStringLiteral("Chairs")));
    EXPECT_TRUE(history[1].startsWith(QStringLiteral("30|1001|TaskId (")));
}

TEST_F(BookingFormTaskTest, AStoredTaskShowsAndIsDeletedOnlyWhenTheBookingIsSaved) {
    AddStoredTask(1001);
    OpenBooking(1001);
    EXPECT_EQ(form->TaskState, TTaskEditFrame::TaskExisting);
    EXPECT_TRUE(PanelShown());
    EXPECT_EQ(form->TaskEditFrame->SubjectDBEdit->Text(), QStringLiteral("Set up room"));
    EXPECT_TRUE(form->Caption().endsWith(QStringLiteral("(unmodified)")));

    // Cancelling the question keeps the task; cancelling the window after a delete keeps it too.
    testing_env::Messages().QueueAnswer(mrCancel);
    Click("DeleteTaskItem");
    EXPECT_EQ(form->TaskState, TTaskEditFrame::TaskExisting);
    testing_env::Messages().QueueAnswer(mrOk);
    Click("DeleteTaskItem");
    EXPECT_EQ(form->TaskState, TTaskEditFrame::TaskDelete);
    EXPECT_FALSE(PanelShown());
    form->CancelButtonClick();
    EXPECT_EQ(Tasks().size(), 1);

    form.reset();
    OpenBooking(1001);
    testing_env::Messages().QueueAnswer(mrOk);
    Click("DeleteTaskItem");
    Click("UpdateItem");
    EXPECT_TRUE(Tasks().isEmpty());
    ASSERT_EQ(TaskHistory().size(), 1);
    EXPECT_TRUE(TaskHistory()[0].startsWith(QStringLiteral("9|")));
    // The deleted task is gone from the window: another Update writes nothing more.
    EXPECT_EQ(form->TaskState, 0);
    Click("UpdateItem");
    EXPECT_EQ(TaskHistory().size(), 1);
}

TEST_F(BookingFormTaskTest, AChangedTaskIsPostedWithItsDescriptionAndANewTaskOnlyOnce) {
    AddStoredTask(1001);
    OpenBooking(1001);
    TypeSubject(QStringLiteral("Projector"));
    Click("UpdateItem");
    EXPECT_EQ(Tasks(), QStringList{QStringLiteral("1001|Projector")});
    ASSERT_EQ(TaskHistory().size(), 1);
    EXPECT_TRUE(TaskHistory()[0].startsWith(QStringLiteral("8|")));
    EXPECT_TRUE(form->IsModified());
    // Nothing changed since: no second row.
    Click("UpdateItem");
    EXPECT_EQ(TaskHistory().size(), 1);
    form->CancelButtonClick();

    // A task added and then dropped before saving leaves nothing behind.
    other->Book(1002, 2, Jan(6, 9), Jan(6, 10));
    form.reset();
    OpenBooking(1002);
    Click("AddTaskItem");
    Click("DeleteTaskItem");
    EXPECT_EQ(form->TaskState, 0);
    EXPECT_FALSE(PanelShown());
    form->OkButtonClick();
    EXPECT_EQ(Tasks().size(), 1);
}

}  // namespace
