// The booking window with a note of one line, 1 KB beside 1 MB (a note as long as users paste): a stored booking
// opened as the main window opens it, a character typed at the note's end and the booking saved; and one character
// typed into the open note alone. Goal: the megabyte well under a second for the whole, and a keystroke as quick
// as a click must be.
#include "booking/BookingForm.h"
#include "controls/edit/WwDBEdit.h"
#include "data/module/DataModule.h"
#include "data/module/SQLDataModule.h"
#include "platform/sql/Connection.h"
#include "platform/sql/Statement.h"
#include "platform/ui/LongLineTextEdit.h"
#include "util/core/VersionHistory.h"

#include <benchmark/benchmark.h>
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr int kBookingId = 1001;

// A file with one room and one booking of it, its note one line of the given length: words, then a run without
// spaces (the hardest for line breaking).
QString NoteDatabase(int noteLength) {
    static QTemporaryDir dir;
    qputenv("TAVORIN_CONFIG_DIR", dir.path().toLocal8Bit());
    CreateVersionHistory();
    const QString file = QDir(dir.path()).filePath(QStringLiteral("note%1.tvd").arg(noteLength));
    if (!TData().CreateDatabase(file, true)) std::abort();
    sql::Connection engine(QStringLiteral("Data Source=") + file);
    QString note;
    while (note.size() < noteLength / 2) note += QStringLiteral("Projector and screen ");
    note += QString(noteLength - note.size(), u'x');
    engine
        .Prepare(QStringLiteral("INSERT INTO Resources (ResourceName, MaxBookDays, BookingRestrictMode, "
                                "MaxBookDaysRestrict) VALUES ('Room A', 0, 1, 0)"))
        ->Step();
    const auto booking = engine.Prepare(
        QStringLiteral("INSERT INTO Bookings (BookingId, ResourceId, Trans, Client, BookingStart, BookingEnd, Owner, "
                       "Notes) VALUES (?1, 1, 0, 'Smith', 46027.375, 46027.5, 'owner', ?2)"));
    booking->Bind(0, kBookingId);
    booking->Bind(1, note);
    booking->Step();
    return file;
}

void OpenTypeAndSave(benchmark::State& state) {
    TData data;
    if (!data.ConnectDatabase(NoteDatabase(int(state.range(0))), {})) std::abort();
    TSQLData sqlData(data);
    TBookingForm form(nullptr, data, sqlData);
    for (auto _ : state) {
        if (!form.LocateBooking(kBookingId)) std::abort();
        form.Show();
        form.NotesDBEdit->SetFocus();
        ui::LongLineTextEdit& lines = *form.NotesDBEdit->LinesEditor();
        lines.moveCursor(QTextCursor::End);
        QTest::keyClick(&lines, Qt::Key_X);
        QApplication::processEvents();
        form.UpdateItemClick();
        form.Hide();
    }
}

void TypeIntoNote(benchmark::State& state) {
    TData data;
    if (!data.ConnectDatabase(NoteDatabase(int(state.range(0))), {})) std::abort();
    TSQLData sqlData(data);
    TBookingForm form(nullptr, data, sqlData);
    if (!form.LocateBooking(kBookingId)) std::abort();
    form.Show();
    form.NotesDBEdit->SetFocus();
    ui::LongLineTextEdit& lines = *form.NotesDBEdit->LinesEditor();
    lines.moveCursor(QTextCursor::End);
    for (auto _ : state) {
        QTest::keyClick(&lines, Qt::Key_X);
        QApplication::processEvents();
    }
    form.CancelButtonClick();
}

BENCHMARK(OpenTypeAndSave)->Arg(1 << 10)->Arg(1 << 20)->Unit(benchmark::kMillisecond);
BENCHMARK(TypeIntoNote)->Arg(1 << 10)->Arg(1 << 20)->Unit(benchmark::kMillisecond);

}  // namespace
