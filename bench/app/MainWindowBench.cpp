// The main window: made, shown and painted at a typical size (start-up to a painted window, the splash's minimum
// time aside), beside a plain window of the same size painted the same way; and opening the cached database of
// 1,000,000 bookings (bench/support/MillionBookings) through the window to its painted state, beside the data
// module's open alone. Goals: under one second to the window, under 200 ms to open and show. Most of the open's
// time beyond the module's is the "reminders for today" check (CheckReminders is on by default): its query
// selects by BookingStart alone, which only the second column of an index holds, so without the planner's
// statistics it reads every booking; a compacted file has them (argument 1) and skips through that index.
#include "app/main/MainForm.h"
#include "data/module/DataModule.h"
#include "platform/rtl/Messages.h"
#include "platform/sql/Compaction.h"
#include "support/MillionBookings.h"
#include "util/core/VersionHistory.h"

#include <benchmark/benchmark.h>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

namespace {

const QSize kWindow(1024, 740);

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

// The cached file copied once, so that the open's additions never touch the cache, and opened once, so that
// the index the first open adds is not measured.
QString MillionCopy() {
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString copy = QDir(dir.path()).filePath(QStringLiteral("plain.tvd"));
        if (!QFile::copy(million_bookings::DatabasePath(false), copy)) std::abort();
        TData data;
        if (!data.ConnectDatabase(copy, QString())) std::abort();
        return copy;
    }();
    return path;
}

// The copy compacted once, which leaves the planner's statistics in it.
QString CompactedMillionCopy() {
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString compacted = QDir(dir.path()).filePath(QStringLiteral("compacted.tvd"));
        sql::CompactDatabase(million_bookings::ConnectionString(MillionCopy(), false),
                             million_bookings::ConnectionString(compacted, false));
        return compacted;
    }();
    return path;
}

void OpenThroughMainWindow(benchmark::State& state) {
    PrivateSettings();
    const QString path = state.range(0) ? CompactedMillionCopy() : MillionCopy();
    TData data;
    TMainForm form(data, TMainWindowServices{});
    form.resize(kWindow);
    form.Show();
    QImage image(kWindow, QImage::Format_RGB32);
    for (auto _ : state) {
        form.OpenDatabase(path, QString(), QStringLiteral("Opening database..."));
        Paint(form, image);
        state.PauseTiming();
        if (!form.DatabaseOpen()) state.SkipWithError("not opened");
        form.CloseDatabase();
        state.ResumeTiming();
    }
}

void OpenThroughDataModule(benchmark::State& state) {
    PrivateSettings();
    const QString path = MillionCopy();
    TData data;
    for (auto _ : state) {
        if (!data.ConnectDatabase(path, QString())) state.SkipWithError("not opened");
        state.PauseTiming();
        data.DisconnectDatabase();
        state.ResumeTiming();
    }
}

}  // namespace

BENCHMARK(MainWindowShown)->Unit(benchmark::kMillisecond);
BENCHMARK(PlainWindowShown)->Unit(benchmark::kMillisecond);
BENCHMARK(OpenThroughMainWindow)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(OpenThroughDataModule)->Unit(benchmark::kMillisecond);
