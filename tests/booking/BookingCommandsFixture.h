// A booking database opened by the data module, with a lookup module, the commands over it and recording hooks.
#pragma once

#include "booking/BookingCommands.h"
#include "data/module/DataModule.h"
#include "data/module/SQLDataModule.h"
#include "data/support/BookingsFixture.h"
#include "data/support/SchemaFixtures.h"
#include "platform/ui/ModalRunner.h"
#include "support/DatabaseDump.h"
#include "support/FaultLoop.h"
#include "support/TestEnvironment.h"
#include "util/core/VersionHistory.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>
#include <vector>

namespace booking_test {

// One booking row as the tests write it.
struct Booking {
    int id;
    int resourceId = 1;
    QString group = QStringLiteral("NULL");
    QString start = QStringLiteral("#1/5/2026 9:00#");
    QString end = QStringLiteral("#1/5/2026 10:30#");
    QString client = QStringLiteral("Smith");
    QString notes;
};

class BookingCommandsTest : public ::testing::Test {
protected:
    ui::ScopedScriptedRunner runner;
    std::shared_ptr<rtl::FakeClock> clock = std::make_shared<rtl::FakeClock>(EncodeDateTime(2026, 1, 1, 8, 0, 0, 0));
    TData data;
    std::unique_ptr<TSQLData> sqlData;
    std::unique_ptr<TBookingCommands> commands;
    // What the hooks were asked, in order.
    std::vector<QString> calls;

    void SetUp() override {
        rtl::SetClock(clock);
        CreateVersionHistory();
        ASSERT_TRUE(QFile::copy(TemplateDatabase(), bookings_test::DatabasePath()));
        ASSERT_TRUE(data.ConnectDatabase(bookings_test::DatabasePath(), {}));
        data.UserId = QStringLiteral("jsmith");
        // An ordinary user, so that the owner and task rules apply.
        data.AdministratorMode = false;
        Execute(QStringLiteral("UPDATE RanvelGlobal SET BookingAllowUserCreate = True, TaskAllowUserCreate = True"));
        data.CurrentUseridMode =
            static_cast<qint32>(data.GlobalTable.FieldByName(QStringLiteral("UseridMode")).AsInteger());
        sqlData = std::make_unique<TSQLData>(data);
        commands = std::make_unique<TBookingCommands>(data, *sqlData);
        testing_env::Messages().Clear();
    }

    void Execute(const QString& jetSql) { data.ADOConnection.Execute(jetSql); }

    void Add(const Booking& b) {
        Execute(QStringLiteral("INSERT INTO Bookings (BookingId, ResourceId, GroupBookingId, BookingStart, BookingEnd, "
                               "Client, Email, Phone, Address, Description, Notes, Owner) VALUES (%1, %2, %3, %4, %5, "
                               "\"%6\", \"smith@example.com\", \"555-0100\", \"1 Main St\", \"Board meeting\", %7, "
                               "\"jsmith\")")
                    .arg(b.id)
                    .arg(b.resourceId)
                    .arg(b.group, b.start, b.end, b.client,
                         b.notes.isEmpty() ? QStringLiteral("NULL") : u'"' + b.notes + u'"'));
    }

    // A task of the booking; answers its id.
    int AddTask(int bookingId, const QString& owner = QStringLiteral("jsmith")) {
        Execute(QStringLiteral("INSERT INTO Tasks (BookingId, Status, PercentCompleted, Priority, Subject, Owner) "
                               "VALUES (%1, 0, 0, 3, \"Set up room\", \"%2\")")
                    .arg(bookingId)
                    .arg(owner));
        return Rows(QStringLiteral("SELECT TaskId FROM Tasks WHERE BookingId = %1").arg(bookingId)).value(0).toInt();
    }

    // Puts the data module's Bookings table on the booking, as a caller of the commands does.
    void Position(int bookingId) {
        ASSERT_TRUE(data.BookingsTable.Locate(QStringLiteral("BookingId"), bookingId)) << bookingId;
    }

    QStringList Rows(const QString& jetSql) { return data_test::RowTexts(data.ADOConnection.Engine(), jetSql); }

    QStringList GroupIds() {
        return Rows(QStringLiteral("SELECT BookingId, GroupBookingId FROM Bookings ORDER BY BookingId"));
    }

    QStringList History() {
        return Rows(
            QStringLiteral("SELECT HistoryCode, BookingId, TaskId, GroupBookingId, Userid, Description FROM "
                           "History ORDER BY HistoryId"));
    }

    static std::vector<QString> Shown() { return testing_env::Messages().Texts(); }

    // Runs the routine on a copy of the file with each fault point failing in turn: after every failure the copy
    // holds its old rows or those of a complete run. setUp positions and scripts each run.
    void ExpectWholeOrNothing(const std::function<void()>& setUp, const std::function<void()>& routine) {
        data.DisconnectDatabase();
        const QString original = bookings_test::DatabasePath();
        const QString work = QDir(testing_env::TempDir()).filePath(QStringLiteral("work.tvd"));
        const auto prepare = [&] {
            data.DisconnectDatabase();
            QFile::remove(work);
            ASSERT_TRUE(QFile::copy(original, work));
            ASSERT_TRUE(data.ConnectDatabase(work, {}));
            data.UserId = QStringLiteral("jsmith");
            data.AdministratorMode = false;
            setUp();
        };
        const auto dump = [&] {
            data.DisconnectDatabase();
            return testing_env::DumpDatabase(work);
        };
        const QStringList before = testing_env::DumpDatabase(original);
        prepare();
        routine();
        const QStringList after = dump();
        ASSERT_NE(after, before);
        testing_env::LoopOverFaults(prepare, routine, [&](int n) {
            const QStringList state = dump();
            EXPECT_TRUE(state == before || state == after) << "mixed after fault " << n;
        });
        EXPECT_EQ(dump(), after);
    }

private:
    // The program's creation makes one file for all the tests; each test works on a copy of it.
    static QString TemplateDatabase() {
        static QTemporaryDir folder;
        static const QString path = [] {
            const QString file = folder.filePath(QStringLiteral("template.tvd"));
            bookings_test::CreateBookingDatabase(file);
            return file;
        }();
        return path;
    }
};

}  // namespace booking_test
