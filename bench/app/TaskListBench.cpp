// The main window's task list over 20,000 tasks (a fifth of them completed before today, so not listed): the
// list requeried and its first screen of rows read and painted through the window, beside the raw engine
// stepping the same statement for as many rows.
#include "app/main/MainForm.h"
#include "app/main/MainFormTasks.h"
#include "controls/grid/Wwdbgrid.h"
#include "data/module/DataModule.h"
#include "platform/db/Field.h"
#include "platform/rtl/DateUtils.h"
#include "platform/sql/Connection.h"
#include "platform/sql/Statement.h"
#include "platform/ui/Containers.h"
#include "util/core/VersionHistory.h"

#include <benchmark/benchmark.h>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>

namespace {

constexpr int kTasks = 20000;
// The rows a list of about 600 pixels shows.
constexpr int kScreenRows = 30;

QString TaskDatabase() {
    static QTemporaryDir dir;
    static const QString path = [] {
        qputenv("TAVORIN_CONFIG_DIR", dir.path().toLocal8Bit());
        CreateVersionHistory();
        const QString file = QDir(dir.path()).filePath(QStringLiteral("tasks.tvd"));
        if (!TData().CreateDatabase(file, true)) std::abort();
        sql::Connection engine(QStringLiteral("Data Source=") + file);
        engine.BeginTransaction();
        const auto insert = engine.Prepare(
            QStringLiteral("INSERT INTO Tasks (Status, PercentCompleted, Priority, Subject, DueDate, CompletedDate) "
                           "VALUES (:Status, :Percent, 3, :Subject, :Due, :Completed)"));
        const TDateTime today = Date();
        for (int i = 0; i < kTasks; ++i) {
            const bool done = i % 5 == 0;
            insert->Reset();
            insert->Bind(0, done ? 2 : 1);
            insert->Bind(1, done ? 100 : 50);
            insert->Bind(2, QStringLiteral("Task %1").arg(i));
            insert->Bind(3, today + (i % 400) - 200);
            insert->Bind(4, done ? QVariant(today - 1) : QVariant());
            insert->Step();
        }
        engine.CommitTransaction();
        return file;
    }();
    return path;
}

void TaskListThroughMainWindow(benchmark::State& state) {
    const QString path = TaskDatabase();
    TData data;
    TMainForm form(data, TMainWindowServices{});
    form.Preferences.BookingView = QStringLiteral("tasks");
    form.resize(1024, 740);
    form.Show();
    form.OpenDatabase(path, QString(), QString());
    form.DataPageControl->SetActivePage(form.TasksTabSheet);
    TMainTaskLists& lists = *form.TaskLists;
    QImage image(lists.TasksGrid->size(), QImage::Format_RGB32);
    for (auto _ : state) {
        lists.TasksQuery.Close();
        lists.LoadTasks();
        lists.TasksGrid->render(&image);
        int read = 0;
        for (lists.TasksQuery.First(); !lists.TasksQuery.Eof() && read < kScreenRows; lists.TasksQuery.Next(), ++read)
            benchmark::DoNotOptimize(lists.TasksQuery.FieldByName(QStringLiteral("Subject")).AsString());
    }
}

void TaskListThroughEngine(benchmark::State& state) {
    const QString path = TaskDatabase();
    sql::Connection engine(QStringLiteral("Data Source=") + path);
    const QString select = QStringLiteral(
        "select TaskId, BookingId, Status, PercentCompleted, StartDate, DueDate, CompletedDate, Priority, Subject, "
        "Assignee, Owner, Description from Tasks where (Tasks.Status <> 2) or (Tasks.CompletedDate = Date()) or "
        "(Tasks.CompletedDate is Null) order by DueDate, DueDate, StartDate");
    for (auto _ : state) {
        const auto statement = engine.Prepare(select);
        for (int read = 0; read < kScreenRows && statement->Step(); ++read)
            benchmark::DoNotOptimize(statement->Value(8));
    }
}

}  // namespace

BENCHMARK(TaskListThroughMainWindow)->Unit(benchmark::kMillisecond);
BENCHMARK(TaskListThroughEngine)->Unit(benchmark::kMillisecond);
