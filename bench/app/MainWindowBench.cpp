// The main window with the booking window and the other windows as the program installs them, each figure beside
// the engine's floor measured in the same process on the same file:
// - MainWindowShown: made, shown and painted at a typical size (start-up to a painted window, the splash's
//   minimum time aside), beside PlainWindowShown, a plain window of the same size. Goal: under one second.
// - OpenThroughMainWindow: the cached database of 1,000,000 bookings (bench/support/MillionBookings; plain,
//   plain compacted, encrypted) opened to the painted main window, with the week view of a group of 20
//   resources and the "reminders for today" check on. Floor: RawOpen, the engine opening the file and reading
//   the same rows (the global row and the settings, the resources and groups, the group's members, the week's
//   bookings of the 20 resources and the day's reminders). Goal: at most 3 x the floor, under 50 ms plain.
// - SwitchView (day, multi day, week, month) and WeekForward, on the open plain file: a tab chosen, or the
//   week view moved on a week by the calendar's scroll bar, and the window painted. Floor: RawView, the engine reading
//   the view's rows. Goal: at most 3 x the floor.
#include "app/main/BookingWindows.h"
#include "app/main/MainForm.h"
#include "app/main/ProgramRun.h"
#include "controls/edit/MonthCalendar.h"
#include "data/module/DataModule.h"
#include "data/module/SQLDataModule.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/Messages.h"
#include "platform/sql/Compaction.h"
#include "platform/sql/Connection.h"
#include "platform/sql/Database.h"
#include "platform/sql/Statement.h"
#include "platform/sql/TextCompare.h"
#include "platform/ui/Containers.h"
#include "platform/ui/ScrollBar.h"
#include "support/MillionBookings.h"
#include "util/core/VersionHistory.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

namespace {

const QSize kWindow(1024, 740);
const QString kGroup = QStringLiteral("Twenty");
constexpr int kGroupSize = 20;

enum Kind { kPlain, kCompacted, kEncrypted };

// The per-user settings in a folder of the run's own.
void PrivateSettings() {
    static QTemporaryDir settings;
    static const bool made = [] {
        qputenv("TAVORIN_CONFIG_DIR", settings.path().toLocal8Bit());
        CreateVersionHistory();
        return true;
    }();
    (void)made;
}

void Paint(QWidget& window, QImage& image) {
    image.fill(Qt::white);
    window.render(&image);
}

void MainWindowShown(benchmark::State& state) {
    PrivateSettings();
    TData data;
    QImage image(kWindow, QImage::Format_RGB32);
    for (auto _ : state) {
        TMainForm form(data, TMainWindowServices{});
        form.resize(kWindow);
        form.Show();
        Paint(form, image);
    }
}

void PlainWindowShown(benchmark::State& state) {
    QImage image(kWindow, QImage::Format_RGB32);
    for (auto _ : state) {
        TForm form;
        form.resize(kWindow);
        form.Show();
        Paint(form, image);
    }
}

// The cached file copied once, so that nothing touches the cache, given the group of the first 20 resources, and
// opened once, so that what a first open adds to a file from before is not measured. The compacted kind is the
// plain copy compacted once, which leaves the planner's statistics in it.
QString MillionCopy(Kind kind) {
    static QTemporaryDir dir;
    static QString paths[3];
    QString& path = paths[kind];
    if (!path.isEmpty()) return path;
    const bool encrypted = kind == kEncrypted;
    const QString copy =
        QDir(dir.path()).filePath(encrypted ? QStringLiteral("encrypted.tvd") : QStringLiteral("plain.tvd"));
    if (kind == kCompacted) {
        path = QDir(dir.path()).filePath(QStringLiteral("compacted.tvd"));
        sql::CompactDatabase(million_bookings::ConnectionString(MillionCopy(kPlain), false),
                             million_bookings::ConnectionString(path, false));
        return path;
    }
    if (!QFile::copy(million_bookings::DatabasePath(encrypted), copy)) std::abort();
    {
        const sql::Connection connection(million_bookings::ConnectionString(copy, encrypted));
        connection.Native().Exec(QStringLiteral("INSERT INTO Groups (GroupName) VALUES ('%1');"
                                                "INSERT INTO ResourceGroups (GroupName, ResourceId) SELECT '%1', "
                                                "ResourceId FROM Resources WHERE ResourceId <= %2")
                                     .arg(kGroup)
                                     .arg(kGroupSize));
    }
    TData data;
    if (!data.ConnectDatabase(copy, encrypted ? million_bookings::Password() : QString())) std::abort();
    path = copy;
    return path;
}

QString PasswordOf(Kind kind) { return kind == kEncrypted ? million_bookings::Password() : QString(); }

// The data module and its lookup module as the program has them, for the windows the services make.
struct ProgramModules {
    ProgramModules() : lookup(data) {
        Data = &data;
        SQLData = &lookup;
    }
    ~ProgramModules() {
        SQLData = nullptr;
        Data = nullptr;
    }
    TData data;
    TSQLData lookup;
};

// Messages answered at once, as a user would dismiss them (the file's bookings overlap here and there, which the
// views tell).
class DismissedMessages : public rtl::MessageService {
public:
    rtl::MessageAnswer Ask(const rtl::MessageRequest&) override { return {}; }
};

// The main window as the program makes it, set to show the group in the given view.
struct ProgramWindow {
    explicit ProgramWindow(const QString& view) : form(modules.data, Services()) {
        rtl::SetMessageService(std::make_shared<DismissedMessages>());
        form.Preferences.BookingView = view;
        form.Preferences.ResourceView = QStringLiteral("Groups");
        form.Preferences.ResourceViewGroup = kGroup;
        form.resize(kWindow);
        form.Show();
        QApplication::processEvents();
    }
    static TMainWindowServices Services() {
        TMainWindowServices services;
        InstallBookingWindows(services);
        return services;
    }
    ProgramModules modules;
    TMainForm form;
};

void OpenThroughMainWindow(benchmark::State& state, Kind kind) {
    PrivateSettings();
    const QString path = MillionCopy(kind);
    ProgramWindow window(QStringLiteral("week"));
    for (auto _ : state) {
        window.form.OpenDatabase(path, PasswordOf(kind), QStringLiteral("Opening database..."));
        QApplication::processEvents();
        state.PauseTiming();
        if (!window.form.DatabaseOpen()) state.SkipWithError("not opened");
        state.counters["resources"] = window.form.SelectedResources.GetCount();
        window.form.CloseDatabase();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}

// The ids of the group's resources.
QList<int> GroupIds() {
    QList<int> ids;
    for (int id = 1; id <= kGroupSize; ++id) ids << id;
    return ids;
}

void ReadAll(const sql::Database& database, const QString& nativeSql) {
    const auto statement = database.Prepare(nativeSql);
    while (statement->Step())
        for (int column = 0; column < statement->ColumnCount(); ++column)
            benchmark::DoNotOptimize(statement->Value(column));
}

TDateTime Today() { return DateOf(rtl::CurrentClock().Now()); }

void RawOpen(benchmark::State& state, Kind kind) {
    const QString path = MillionCopy(kind);
    const TDateTime today = Today();
    for (auto _ : state) {
        sql::Database database;
        database.Open(path, SQLITE_OPEN_READWRITE);
        sql::RegisterTextCompare(database.Handle());
        if (kind == kEncrypted) database.Exec(QStringLiteral("PRAGMA key = '%1'").arg(million_bookings::Password()));
        ReadAll(database, QStringLiteral("SELECT * FROM RanvelGlobal"));
        ReadAll(database, QStringLiteral("SELECT * FROM Settings"));
        ReadAll(database, QStringLiteral("SELECT * FROM Resources ORDER BY ResourceName"));
        ReadAll(database, QStringLiteral("SELECT * FROM Groups ORDER BY GroupName"));
        ReadAll(database, QStringLiteral("SELECT * FROM ResourceGroups WHERE GroupName = '%1'").arg(kGroup));
        million_bookings::ReadPeriodRows(*million_bookings::PeriodRowsStatement(database, GroupIds()), today,
                                         today + 6);
        ReadAll(database, QStringLiteral("SELECT BookingId, Trans, BookingStart, Client, Description, Reminder FROM "
                                         "Bookings WHERE BookingStart >= %1 AND BookingStart < %2 AND Reminder IS "
                                         "NOT NULL ORDER BY BookingStart")
                              .arg(today, 0, 'f', 1)
                              .arg(today + 1, 0, 'f', 1));
    }
}

TTabSheet* TabOf(TMainForm& form, const QString& view) {
    if (view == QLatin1String("day")) return form.DayViewTabSheet;
    if (view == QLatin1String("multiday")) return form.MultiDayViewTabSheet;
    if (view == QLatin1String("week")) return form.WeekViewTabSheet;
    return form.MonthViewTabSheet;
}

// Each iteration comes to the view from another one; only the change to it is timed.
void SwitchView(benchmark::State& state, const QString& view) {
    PrivateSettings();
    ProgramWindow window(QStringLiteral("week"));
    window.form.OpenDatabase(MillionCopy(kPlain), QString(), QString());
    TTabSheet* target = TabOf(window.form, view);
    TTabSheet* other = view == QLatin1String("day") ? window.form.WeekViewTabSheet : window.form.DayViewTabSheet;
    for (auto _ : state) {
        state.PauseTiming();
        window.form.DataPageControl->SetActivePage(other);
        QApplication::processEvents();
        state.ResumeTiming();
        window.form.DataPageControl->SetActivePage(target);
        QApplication::processEvents();
    }
}

// A week on through the calendar's scroll bar, as a click on its right page area does; every half year the
// steps turn back, so that the weeks stay within the file's years.
void WeekForward(benchmark::State& state) {
    PrivateSettings();
    ProgramWindow window(QStringLiteral("week"));
    window.form.OpenDatabase(MillionCopy(kPlain), QString(), QString());
    int step = 0;
    for (auto _ : state) {
        window.form.CalendarScrollBarScroll(step++ / 26 % 2 ? scPageUp : scPageDown);
        QApplication::processEvents();
    }
}

// The days each view reads for the group: the day, the week, the multi-day view's 14 days, the month's six weeks.
void RawView(benchmark::State& state, int days) {
    const sql::Connection copy(million_bookings::ConnectionString(MillionCopy(kPlain), false));
    const auto statement = million_bookings::PeriodRowsStatement(copy.Native(), GroupIds());
    const TDateTime today = Today();
    int rows = 0;
    for (auto _ : state) rows = million_bookings::ReadPeriodRows(*statement, today, today + days - 1);
    state.counters["rows"] = rows;
}

}  // namespace

BENCHMARK(MainWindowShown)->Unit(benchmark::kMillisecond);
BENCHMARK(PlainWindowShown)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(OpenThroughMainWindow, plain, kPlain)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RawOpen, plain, kPlain)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(OpenThroughMainWindow, plain_compacted, kCompacted)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RawOpen, plain_compacted, kCompacted)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(OpenThroughMainWindow, encrypted, kEncrypted)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RawOpen, encrypted, kEncrypted)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SwitchView, day, QStringLiteral("day"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RawView, day, 1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SwitchView, multiday, QStringLiteral("multiday"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RawView, multiday, 14)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SwitchView, week, QStringLiteral("week"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RawView, week, 7)->Unit(benchmark::kMillisecond);
BENCHMARK(WeekForward)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SwitchView, month, QStringLiteral("month"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RawView, month, 42)->Unit(benchmark::kMillisecond);
