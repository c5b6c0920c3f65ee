// The main window's reminders and tasks tabs over a real database file on a fixed day: which tasks are listed
// and in what order, how they are drawn, the task commands and the reminders of the calendar's date.
#include "app/main/MainForm.h"
#include "app/main/MainFormTasks.h"
#include "app/main/ProgramRun.h"
#include "booking/TaskEditForm.h"
#include "booking/TaskEditFrame.h"
#include "controls/edit/MonthCalendar.h"
#include "controls/grid/Wwdbgrid.h"
#include "data/bookings/BookingRecord.h"
#include "data/module/DataModule.h"
#include "data/module/SQLDataModule.h"
#include "data/support/BookingDatabaseFixture.h"
#include "data/support/TaskDatabaseFixture.h"
#include "platform/db/ADODataSet.h"
#include "platform/db/Field.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/Exceptions.h"
#include "platform/sql/Connection.h"
#include "platform/sql/Database.h"
#include "platform/sql/Statement.h"
#include "platform/sql/Translator.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Canvas.h"
#include "platform/ui/Color.h"
#include "platform/ui/Containers.h"
#include "platform/ui/Menus.h"
#include "platform/ui/ModalRunner.h"
#include "support/TestEnvironment.h"
#include "util/core/VersionHistory.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QDir>
#include <QFontMetrics>
#include <QImage>

namespace {

// Tuesday 10 March 2026.
const TDateTime kToday = EncodeDate(2026, 3, 10);

class MainFormTasksTest : public ::testing::Test {
protected:
    std::shared_ptr<rtl::FakeClock> clock = std::make_shared<rtl::FakeClock>(kToday + EncodeTime(10, 0, 0, 0));
    std::shared_ptr<rtl::Clock> previousClock;
    TData data;
    std::unique_ptr<TSQLData> lookup;
    ui::ScopedScriptedRunner runner;
    TADOConnection fixture;
    QList<int> located;
    TBookingShown locateAnswer = TBookingShown::Shown;

    MainFormTasksTest() {
        previousClock = rtl::SetClock(clock);
        CreateVersionHistory();
        Data = &data;
        lookup = std::make_unique<TSQLData>(data);
        SQLData = lookup.get();
    }
    ~MainFormTasksTest() override {
        SQLData = nullptr;
        Data = nullptr;
        rtl::SetClock(previousClock);
    }

    // Booking 12 (a reminder today) and 13 (a transaction booking with a reminder today) of Room A; tasks:
    // 1000 of booking 13, due yesterday, in progress; 1001 completed yesterday; 1002 completed today, due
    // tomorrow; 1003 of booking 12 without a subject, due in five days.
    QString Fixture() {
        const QString path = QDir(testing_env::TempDir()).filePath(QStringLiteral("tasks.tvd"));
        booking_db::Create(fixture, path);
        booking_db::AddResource(fixture, 1, QStringLiteral("Room A"));
        booking_db::BookingWriter writer(fixture);
        writer.Add({12, 1, kToday + EncodeTime(9, 0, 0, 0), kToday + EncodeTime(10, 0, 0, 0), false,
                    QStringLiteral("Bring keys")});
        writer.Add(
            {13, 1, kToday + EncodeTime(11, 0, 0, 0), kToday + EncodeTime(12, 0, 0, 0), true, QStringLiteral("Call")});
        task_db::AddTask(fixture, {1000, 13, 1, 40, 2, QStringLiteral("Order chairs"), kToday - 1});
        task_db::AddTask(fixture, {1001, 0, 2, 100, 3, QStringLiteral("Old"), kToday - 3, kToday - 1});
        task_db::AddTask(fixture, {1002, 0, 2, 100, 4, QStringLiteral("Done today"), kToday + 1, kToday});
        task_db::AddTask(fixture, {1003, 12, 0, 0, 3, QString(), kToday + 5, 0, kToday});
        return path;
    }

    TMainWindowServices Services() {
        TMainWindowServices s;
        s.LocateBooking = [this](TMainForm&, int id) {
            located << id;
            return locateAnswer;
        };
        return s;
    }

    std::unique_ptr<TMainForm> Open(const QString& view = QStringLiteral("tasks")) {
        auto form = std::make_unique<TMainForm>(data, Services());
        form->Preferences.BookingView = view;
        form->Show();
        form->OpenDatabase(Fixture(), QString(), QString());
        data.AdministratorMode = true;
        form->DataPageControl->SetActivePage(view == QLatin1String("tasks") ? form->TasksTabSheet
                                                                            : form->RemindersTabSheet);
        form->ShowActiveView();
        // Opening tells of today's reminders.
        testing_env::Messages().Clear();
        return form;
    }

    static QList<int> ListedIds(TMainForm& form) {
        QList<int> ids;
        TADOQuery& tasks = form.TaskLists->TasksQuery;
        for (tasks.First(); !tasks.Eof(); tasks.Next()) ids << tasks.FieldByName(QStringLiteral("TaskId")).AsInteger();
        return ids;
    }

    static void Select(TMainForm& form, int taskId) {
        ASSERT_TRUE(form.TaskLists->TasksQuery.Locate(QStringLiteral("TaskId"), taskId));
    }

    static QString OrderLine(TMainForm& form) {
        return form.TaskLists->TasksQuery.SQL.Text().trimmed().split(u'\n').last();
    }

    // The font colour the grid gives the cells of a task.
    static TColor FontOf(TMainForm& form, int taskId, bool highlighted = false) {
        Select(form, taskId);
        TFont font;
        TBrush brush;
        TwwDBGrid& grid = *form.TaskLists->TasksGrid;
        grid.OnCalcCellColors(&grid, nullptr, {}, highlighted, font, brush);
        return font.Color();
    }
};

TEST_F(MainFormTasksTest, TheListHoldsOpenTasksAndThoseCompletedTodayInTheChosenOrder) {
    auto form = Open();
    EXPECT_EQ(ListedIds(*form), (QList<int>{1000, 1002, 1003}));
    EXPECT_EQ(OrderLine(*form), QStringLiteral("order by DueDate, DueDate, StartDate"));

    // "Due" again while ascending turns the order round; another title keeps the direction.
    form->TaskLists->TasksGridTitleButtonClick(QStringLiteral("DueDate"));
    EXPECT_FALSE(form->Preferences.TaskSortAscending);
    EXPECT_EQ(OrderLine(*form), QStringLiteral("order by DueDate DESC, DueDate, StartDate"));
    EXPECT_EQ(ListedIds(*form), (QList<int>{1003, 1002, 1000}));
    form->TaskLists->TasksGridTitleButtonClick(QStringLiteral("Subject"));
    EXPECT_EQ(form->Preferences.TaskSortField, QStringLiteral("Subject"));
    EXPECT_EQ(OrderLine(*form), QStringLiteral("order by Subject DESC, DueDate, StartDate"));
    EXPECT_EQ(ListedIds(*form), (QList<int>{1000, 1002, 1003}));

    // A saved sort field that is no column of the list sorts by due date.
    form->TaskLists->BuildTaskQuery(QStringLiteral("Bogus; drop table Tasks"), true);
    EXPECT_EQ(OrderLine(*form), QStringLiteral("order by DueDate, StartDate"));
    EXPECT_TRUE(testing_env::Messages().Texts().empty());
}

TEST_F(MainFormTasksTest, CompletedTasksAreGreyAndStruckAndOverdueOnesRed) {
    auto form = Open();
    EXPECT_EQ(FontOf(*form, 1000), clRed);
    EXPECT_EQ(FontOf(*form, 1002), clGrayText);
    EXPECT_EQ(FontOf(*form, 1002, true), clHighlightText);
    EXPECT_EQ(FontOf(*form, 1003), clWindowText);

    // The subject of the task completed today (second row) is struck through in grey; the others are not.
    TwwDBGrid& grid = *form->TaskLists->TasksGrid;
    form->resize(900, 600);
    QApplication::processEvents();
    const QImage shot = grid.grab().toImage();
    const QRgb grey = ui::ToQColor(clGrayText).rgb();
    const auto struck = [&](int row) {
        const TRect cell = grid.CellRect(5, row);
        // The middle of the cell as drawn, give or take the row line.
        for (int y = (cell.Top + cell.Bottom) / 2 - 1; y <= (cell.Top + cell.Bottom) / 2 + 1; ++y) {
            bool line = true;
            for (int x = cell.Left + 3; x < cell.Left + 20; ++x) line = line && shot.pixel(x, y) == grey;
            if (line) return true;
        }
        return false;
    };
    EXPECT_FALSE(struck(1));
    EXPECT_TRUE(struck(2));
    EXPECT_FALSE(struck(3));

    // The sort column's title carries the small triangle at its right, in the dark shadow colour on one edge.
    const auto triangleShadow = [&](int col) {
        const TRect title = grid.CellRect(col, 0);
        const int b = QFontMetrics(grid.font()).horizontalAdvance(u' ');
        for (int y = title.Top + 2 * b; y <= title.Top + 5 * b; ++y)
            for (int x = title.Right - 5 * b; x <= title.Right - 3 * b; ++x)
                if (shot.pixel(x, y) == ui::ToQColor(cl3DDkShadow).rgb()) return true;
        return false;
    };
    EXPECT_TRUE(triangleShadow(3));
    EXPECT_FALSE(triangleShadow(5));
}

TEST_F(MainFormTasksTest, DeletingATaskAsksAndWritesItsHistoryRowWithTheDelete) {
    auto form = Open();
    Select(*form, 1003);
    testing_env::Messages().QueueAnswer(mrCancel);
    form->Item(QStringLiteral("DeleteTaskItem"))->Click();
    EXPECT_EQ(testing_env::Messages().Texts(),
              std::vector<QString>{
                  QStringLiteral("Delete TaskId 1003 which is attached to BookingId 12\r\rSubject: no subject")});
    EXPECT_EQ(ListedIds(*form), (QList<int>{1000, 1002, 1003}));
    EXPECT_TRUE(task_db::TaskHistory(fixture).isEmpty());

    Select(*form, 1002);
    testing_env::Messages().QueueAnswer(mrOk);
    form->Item(QStringLiteral("DeleteTaskItem"))->Click();
    EXPECT_EQ(testing_env::Messages().Texts().back(), QStringLiteral("Delete TaskId 1002\r\rSubject: Done today"));
    EXPECT_EQ(ListedIds(*form), (QList<int>{1000, 1003}));
    EXPECT_EQ(task_db::TaskHistory(fixture), QStringList{QStringLiteral("9:1002:")});

    // A task another user deleted meanwhile cannot be deleted again: no History row without a delete.
    Select(*form, 1003);
    fixture.Execute(QStringLiteral("DELETE FROM Tasks WHERE TaskId = 1003"));
    testing_env::Messages().QueueAnswer(mrOk);
    try {
        form->TaskLists->DeleteTaskItemClick();
    } catch (const Exception&) {
    }
    EXPECT_EQ(task_db::TaskHistory(fixture), QStringList{QStringLiteral("9:1002:")});

    // A user who may not change the task is told so and nothing goes.
    data.AdministratorMode = false;
    fixture.Execute(QStringLiteral("UPDATE RanvelGlobal SET TaskAllowUserCreate = False, TaskOwnerOnlyModify = True"));
    Select(*form, 1000);
    form->Item(QStringLiteral("DeleteTaskItem"))->Click();
    EXPECT_EQ(testing_env::Messages().Texts().back(), QStringLiteral("You are not allowed delete this task"));
    EXPECT_TRUE(ListedIds(*form).contains(1000));

    // On another tab there is no task to delete.
    form->DataPageControl->SetActivePage(form->DayViewTabSheet);
    form->Item(QStringLiteral("DeleteTaskItem"))->Click();
    EXPECT_EQ(testing_env::Messages().Texts().back(), QStringLiteral("There is no task selected to delete."));
    EXPECT_EQ(task_db::TaskHistory(fixture).size(), 1);
}

TEST_F(MainFormTasksTest, AnEditInTheListIsPostedOnLeavingAndDescribedInHistory) {
    auto form = Open();
    Select(*form, 1003);
    TADOQuery& tasks = form->TaskLists->TasksQuery;
    tasks.Edit();
    tasks.FieldByName(QStringLiteral("Subject")).SetAsString(QStringLiteral("Set up room"));
    form->TaskLists->PostPendingTask();
    const QStringList history = task_db::TaskHistory(fixture);
    ASSERT_EQ(history.size(), 1);
    EXPECT_TRUE(history[0].startsWith(QStringLiteral("8:1003:"))) << history[0].toStdString();
    EXPECT_TRUE(history[0].contains(QStringLiteral("Set up room")));
    // Closing the database posts a pending edit too.
    Select(*form, 1000);
    tasks.Edit();
    tasks.FieldByName(QStringLiteral("Assignee")).SetAsString(QStringLiteral("Kim"));
    form->CloseDatabase();
    EXPECT_EQ(task_db::TaskHistory(fixture).size(), 2);
}

TEST_F(MainFormTasksTest, AnEditThatCannotBePostedStillLetsTheDatabaseClose) {
    auto form = Open();
    Select(*form, 1003);
    TADOQuery& tasks = form->TaskLists->TasksQuery;
    tasks.Edit();
    tasks.FieldByName(QStringLiteral("Subject")).SetAsString(QStringLiteral("Rearranged"));
    // Another program holds the write lock, so the post fails.
    fixture.Execute(QStringLiteral("BEGIN TRANSACTION"));
    fixture.Execute(QStringLiteral("UPDATE Tasks SET Assignee = 'x' WHERE TaskId = 1000"));
    form->CloseDatabase();
    fixture.Execute(QStringLiteral("ROLLBACK"));
    EXPECT_FALSE(form->DatabaseOpen());
    ASSERT_EQ(testing_env::Messages().Texts().size(), 1u);
    EXPECT_TRUE(task_db::TaskHistory(fixture).isEmpty());
}

TEST_F(MainFormTasksTest, TickingDoneCompletesTheTaskToday) {
    auto form = Open();
    Select(*form, 1003);
    TwwDBGrid& grid = *form->TaskLists->TasksGrid;
    grid.SetCol(1);
    grid.ToggleCheckBox(1, grid.Row());
    TADOQuery& tasks = form->TaskLists->TasksQuery;
    EXPECT_EQ(tasks.FieldByName(QStringLiteral("PercentCompleted")).AsInteger(), 100);
    EXPECT_EQ(tasks.FieldByName(QStringLiteral("Status")).AsInteger(), 2);
    EXPECT_EQ(tasks.FieldByName(QStringLiteral("CompletedDate")).AsDateTime(), kToday);
    grid.ToggleCheckBox(1, grid.Row());
    EXPECT_EQ(tasks.FieldByName(QStringLiteral("Status")).AsInteger(), 0);
    EXPECT_TRUE(tasks.FieldByName(QStringLiteral("CompletedDate")).IsNull());
}

TEST_F(MainFormTasksTest, ViewTaskOpensTheTaskWindowOrTheBookingOfTheTask) {
    auto form = Open();
    Select(*form, 1002);
    runner->OnShown<TTaskEditForm>(QStringLiteral("TaskEditForm"), [](TTaskEditForm& editor) {
        EXPECT_EQ(editor.TaskEditFrame->TaskId(), 1002);
        editor.TaskEditFrame->TasksQuery.Edit();
        editor.TaskEditFrame->TasksQuery.FieldByName(QStringLiteral("Subject")).SetAsString(QStringLiteral("Renamed"));
        editor.OkButton->Click();
    });
    form->Item(QStringLiteral("ViewTaskItem"))->Click();
    EXPECT_EQ(form->TaskLists->TasksQuery.FieldByName(QStringLiteral("TaskId")).AsInteger(), 1002);
    EXPECT_EQ(form->TaskLists->TasksQuery.FieldByName(QStringLiteral("Subject")).AsString(), QStringLiteral("Renamed"));

    Select(*form, 1000);
    form->Item(QStringLiteral("ViewTaskItem"))->Click();
    EXPECT_EQ(located, QList<int>{13});
    locateAnswer = TBookingShown::NotFound;
    form->Item(QStringLiteral("ViewTaskItem"))->Click();
    EXPECT_EQ(testing_env::Messages().Texts(),
              std::vector<QString>{
                  QStringLiteral("Booking Id 13 does not exist. It may have been recently deleted by another user.")});
}

TEST_F(MainFormTasksTest, ANewTaskIsAddedToTheListOrRefusedWithoutTheRight) {
    auto form = Open();
    runner->OnShown<TTaskEditForm>(QStringLiteral("TaskEditForm"), [](TTaskEditForm& editor) {
        editor.TaskEditFrame->TasksQuery.FieldByName(QStringLiteral("Subject")).SetAsString(QStringLiteral("New one"));
        editor.OkButton->Click();
    });
    form->Item(QStringLiteral("NewTaskItem"))->Click();
    EXPECT_EQ(form->TaskLists->TasksQuery.FieldByName(QStringLiteral("Subject")).AsString(), QStringLiteral("New one"));
    EXPECT_EQ(ListedIds(*form).size(), 4);
    EXPECT_TRUE(task_db::TaskHistory(fixture).first().startsWith(QStringLiteral("7:")));

    data.AdministratorMode = false;
    fixture.Execute(QStringLiteral("UPDATE RanvelGlobal SET TaskAllowUserCreate = False"));
    form->Item(QStringLiteral("NewTaskItem"))->Click();
    EXPECT_EQ(testing_env::Messages().Texts(),
              std::vector<QString>{QStringLiteral("You are not allowed to add tasks")});
    EXPECT_EQ(runner->Runs().size(), 1u);
}

// The day's reminders are looked up by their start, not by reading every booking, on a file from before the
// start index too (a writable open adds it).
TEST_F(MainFormTasksTest, TheDaysRemindersAreReadThroughAnIndexOfTheirStart) {
    const QString path = Fixture();
    fixture.Engine().Native().Exec(QStringLiteral("DROP INDEX tavorin_BookingStart"));
    TMainForm form(data, Services());
    form.Show();
    form.OpenDatabase(path, QString(), QString());
    ASSERT_TRUE(form.DatabaseOpen());
    const auto plan = data.ADOConnection.Engine().Native().Prepare(
        QStringLiteral("EXPLAIN QUERY PLAN ") + sql::TranslateStatement(form.RemindersQuery.SQL.Text()).sql);
    QStringList steps;
    while (plan->Step()) steps << plan->Value(3).toString();
    // One search, already in the order asked: no scan and no sort.
    ASSERT_EQ(steps.size(), 1) << steps.join(u';').toStdString();
    EXPECT_TRUE(
        steps[0].endsWith(QLatin1String("USING INDEX tavorin_BookingStart (BookingStart>? AND BookingStart<?)")))
        << steps[0].toStdString();

    form.Calendar->SetDate(kToday);
    form.DataPageControl->SetActivePage(form.RemindersTabSheet);
    form.ShowActiveView();
    QList<int> ids;
    for (form.RemindersQuery.First(); !form.RemindersQuery.Eof(); form.RemindersQuery.Next())
        ids << form.RemindersQuery.FieldByName(QStringLiteral("BookingId")).AsInteger();
    EXPECT_EQ(ids, (QList<int>{12, 13}));
}

TEST_F(MainFormTasksTest, TheRemindersTabListsTheDaysRemindersAndOpensTheirBookings) {
    auto form = Open(QStringLiteral("reminders"));
    form->Calendar->SetDate(kToday);
    form->ShowActiveView();
    TwwDBGrid& grid = *form->TaskLists->ReminderDBGrid;
    EXPECT_TRUE(grid.isVisible());
    EXPECT_EQ(form->RemindersQuery.RecordCount(), 2);

    form->RemindersQuery.Locate(QStringLiteral("BookingId"), 12);
    grid.OnDblClick(&grid);
    EXPECT_EQ(located, QList<int>{12});
    form->RemindersQuery.Locate(QStringLiteral("BookingId"), 13);
    grid.OnDblClick(&grid);
    EXPECT_EQ(testing_env::Messages().Texts(),
              std::vector<QString>{QStringLiteral("Transaction bookings can not be modified.")});

    // A day without reminders shows the panel beneath the grid.
    form->Calendar->SetDate(kToday + 1);
    form->ShowActiveView();
    EXPECT_FALSE(grid.isVisible());
    EXPECT_TRUE(form->NoRemindersPanel->isVisible());
    EXPECT_EQ(form->NoRemindersPanel->Caption(), QStringLiteral("There are no reminders on this date"));
}

TEST_F(MainFormTasksTest, ABookingSavedWithAnEmptyReminderIsNoReminder) {
    const QString path = QDir(testing_env::TempDir()).filePath(QStringLiteral("no-reminder.tvd"));
    booking_db::Create(fixture, path);
    booking_db::AddResource(fixture, 1, QStringLiteral("Room A"));
    {
        TADOTable bookings;
        bookings.SetConnection(&fixture);
        bookings.TableName = QStringLiteral("Bookings");
        bookings.Open();
        TBookingRecord booking(bookings, nullptr, nullptr);
        booking.BookingId = 20;
        booking.ResourceId = 1;
        booking.StartDate = booking.EndDate = kToday;
        booking.StartTime = EncodeTime(9, 0, 0, 0);
        booking.EndTime = EncodeTime(10, 0, 0, 0);
        booking.Client = QStringLiteral("Smith");
        booking.Store();
        bookings.Post();
    }
    data.CheckReminders = true;
    auto form = std::make_unique<TMainForm>(data, Services());
    form->Preferences.BookingView = QStringLiteral("reminders");
    form->Show();
    form->OpenDatabase(path, QString(), QString());
    EXPECT_TRUE(testing_env::Messages().Texts().empty());

    form->Calendar->SetDate(kToday);
    form->ShowActiveView();
    EXPECT_EQ(form->RemindersQuery.RecordCount(), 0);
    EXPECT_TRUE(form->NoRemindersPanel->isVisible());
}

}  // namespace
