// Two programs saving overlapping bookings of one resource at the same moment: never both succeed.
#include "data/bookings/BookingConflicts.h"
#include "data/support/BookingsFixture.h"
#include "platform/rtl/DateTimeFormat.h"
#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>
#include <functional>

using namespace bookings_test;

namespace {

constexpr int kRounds = 200;

// One save as the booking window makes it: stage the row, check it, commit it or withdraw it.
bool SaveBooking(BookingTables& db, TDateTime start, TDateTime end, const QString& client) {
    db.bookingsTrans.BeginTrans();
    const int index = db.bookingsTrans.AddOperation(kOpInsert);
    db.bookings.FieldByName(QStringLiteral("ResourceId")).SetAsInteger(1);
    db.bookings.FieldByName(QStringLiteral("BookingStart")).SetAsDateTime(start);
    db.bookings.FieldByName(QStringLiteral("BookingEnd")).SetAsDateTime(end);
    db.bookings.FieldByName(QStringLiteral("Client")).SetAsString(client);
    db.bookings.Post();
    TBookingConflictResult result;
    data::FindBookingConflicts(db.connection, 1, db.bookingsTrans.WorkingIds[index], start, end, result);
    if (result.Status != kConflictNone) db.bookingsTrans.UndoOperation(index);
    db.bookingsTrans.CommitTrans();
    return result.Status == kConflictNone;
}

// A save that moves an existing booking, as the booking window stages it: a working copy with the new period is
// checked (a conflict with the row it replaces does not count) and committed or withdrawn.
bool MoveBooking(BookingTables& db, int bookingId, TDateTime start, TDateTime end) {
    db.bookingsTrans.BeginTrans();
    if (!db.bookings.Locate(QStringLiteral("BookingId"), bookingId)) return false;
    const int index = db.bookingsTrans.AddOperation(kOpModify);
    db.bookings.FieldByName(QStringLiteral("BookingStart")).SetAsDateTime(start);
    db.bookings.FieldByName(QStringLiteral("BookingEnd")).SetAsDateTime(end);
    db.bookings.Post();
    TBookingConflictResult result;
    data::FindBookingConflicts(db.connection, 1, db.bookingsTrans.WorkingIds[index], start, end, result);
    const bool onlyItself = result.Status == kConflictFound && result.Ids[0] == 1 && result.Ids[1] == bookingId;
    const bool accepted = result.Status == kConflictNone || onlyItself;
    if (!accepted) db.bookingsTrans.UndoOperation(index);
    return db.bookingsTrans.CommitTrans() && accepted;
}

TDateTime Day(int round) { return EncodeDate(2026, 3, 1) + round; }

// Rounds in step with the other program through the socket; each round saves on its own day.
[[noreturn]] void RunProgram(int socket, const std::function<void(BookingTables&, int round)>& save) {
    int code = 0;
    try {
        BookingTables db(DatabasePath());
        for (int round = 0; round < kRounds; ++round) {
            char byte = 0;
            if (write(socket, &byte, 1) != 1 || read(socket, &byte, 1) != 1) throw Exception(QStringLiteral("step"));
            save(db, round);
        }
    } catch (const std::exception&) {
        code = 3;
    }
    _exit(code);
}

class BookingRaceTest : public BookingsTest {
protected:
    // Runs the two programs' saves against each other and checks that no two saved bookings of a day overlap.
    void Race(const std::function<void(BookingTables&, int)>& first,
              const std::function<void(BookingTables&, int)>& second) {
        db.reset();  // no connection crosses the fork
        int sockets[2];
        ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, sockets), 0);
        const pid_t one = fork();
        if (one == 0) RunProgram(sockets[0], first);
        const pid_t two = fork();
        if (two == 0) RunProgram(sockets[1], second);
        for (const pid_t child : {one, two}) {
            int status = -1;
            ASSERT_EQ(waitpid(child, &status, 0), child);
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
        }
        close(sockets[0]);
        close(sockets[1]);

        db = std::make_unique<BookingTables>(DatabasePath());
        EXPECT_EQ(db->Stored(QStringLiteral("SELECT Count(*) FROM Bookings WHERE Trans = True")).toInt(), 0);
        TADOQuery saved;
        saved.SetConnection(&db->connection);
        saved.SQL.SetText(QStringLiteral("SELECT BookingStart, BookingEnd FROM Bookings ORDER BY BookingStart"));
        saved.Open();
        TDateTime previousEnd = 0;
        for (; !saved.Eof(); saved.Next()) {
            const TDateTime start = saved.Fields()[0]->AsDateTime();
            EXPECT_GE(start - previousEnd, -OneMillisecond) << FormatDateTime(QStringLiteral("c"), start).toStdString();
            previousEnd = saved.Fields()[1]->AsDateTime();
        }
    }
};

TEST_F(BookingRaceTest, TwoProgramsNeverBothSaveOverlappingNewBookings) {
    const auto book = [](double offset) {
        return [offset](BookingTables& db, int round) {
            const TDateTime start = Day(round) + 9 * OneHour + offset;
            SaveBooking(db, start, start + OneHour, QStringLiteral("New"));
        };
    };
    Race(book(0), book(30 * OneMinute));
    EXPECT_GT(db->Stored(QStringLiteral("SELECT Count(*) FROM Bookings")).toInt(), kRounds / 2);
}

TEST_F(BookingRaceTest, MovingABookingNeverLandsOnANewOneSavedMeanwhile) {
    std::vector<int> moved;
    for (int round = 0; round < kRounds; ++round)
        moved.push_back(db->Book(1, Day(round) + 8 * OneHour, Day(round) + 9 * OneHour));
    Race([&moved](BookingTables& db,
                  int round) { MoveBooking(db, moved[round], Day(round) + 9 * OneHour, Day(round) + 10 * OneHour); },
         [](BookingTables& db, int round) {
             SaveBooking(db, Day(round) + 9.5 * OneHour, Day(round) + 10.5 * OneHour, QStringLiteral("New"));
         });
    EXPECT_EQ(db->Stored(QStringLiteral("SELECT Count(*) FROM Bookings WHERE Client = \"Smith\"")).toInt(), kRounds);
}

}  // namespace
