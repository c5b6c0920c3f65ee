// Two programs saving overlapping bookings of one resource at the same moment: never both succeed.
#include "BookingsFixture.h"
#include "data/BookingConflicts.h"
#include "platform/rtl/Exceptions.h"

#include <map>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace bookings_test;

namespace {

constexpr int kRounds = 80;

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

// Rounds in step with the other program through the socket; each round one day, our period offset by offset.
[[noreturn]] void RunProgram(int socket, const QString& client, double offset) {
    int code = 0;
    try {
        BookingTables db(DatabasePath());
        for (int round = 0; round < kRounds; ++round) {
            char byte = 0;
            if (write(socket, &byte, 1) != 1 || read(socket, &byte, 1) != 1) throw Exception(QStringLiteral("step"));
            const TDateTime start = EncodeDate(2026, 3, 1) + round + 9 * OneHour + offset;
            SaveBooking(db, start, start + OneHour, client);
        }
    } catch (const std::exception&) {
        code = 3;
    }
    _exit(code);
}

TEST_F(BookingsTest, TwoProgramsNeverBothSaveOverlappingBookings) {
    db.reset();  // no connection crosses the fork
    int sockets[2];
    ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, sockets), 0);
    const pid_t first = fork();
    if (first == 0) RunProgram(sockets[0], QStringLiteral("A"), 0);
    const pid_t second = fork();
    if (second == 0) RunProgram(sockets[1], QStringLiteral("B"), 30 * OneMinute);
    for (const pid_t child : {first, second}) {
        int status = -1;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    }
    close(sockets[0]);
    close(sockets[1]);

    db = std::make_unique<BookingTables>(DatabasePath());
    EXPECT_EQ(db->Stored(QStringLiteral("SELECT Count(*) FROM Bookings WHERE Trans = True")).toInt(), 0);
    // At most one booking a day, and most rounds were won by one of the two.
    TADOQuery saved;
    saved.SetConnection(&db->connection);
    saved.SQL.SetText(QStringLiteral("SELECT BookingStart FROM Bookings"));
    saved.Open();
    std::map<int, int> perDay;
    for (; !saved.Eof(); saved.Next()) ++perDay[static_cast<int>(saved.Fields()[0]->AsDateTime())];
    for (const auto& [day, count] : perDay) EXPECT_EQ(count, 1) << day;
    EXPECT_GT(saved.RecordCount(), kRounds / 2);
}

}  // namespace
