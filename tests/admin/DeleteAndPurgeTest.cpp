// The purge over a real file: which bookings and History rows go, the log, the History row of the run, the
// questions, and every booking there or gone after a kill or a failing disk at any point.
#include "AdminFixture.h"

#include "admin/DeleteAndPurgeForm.h"
#include "admin/Purge.h"
#include "controls/edit/DateTimePicker.h"
#include "support/CrashChild.h"
#include "support/FaultLoop.h"
#include "support/TestEnvironment.h"
#include "support/TextFit.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QFile>

using namespace admin_test;

namespace {

// 15 March 2023, the purge day of these tests.
constexpr int kDay = 45000;

QStringList RowsOf(const QString& file, const QString& jetSql) {
    return data_test::RowTexts(sql::Connection(data_test::Plain(file, {})), jetSql);
}

QString ReadLog(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString();
}

class DeleteAndPurge : public AdminTest {
protected:
    QString path = data_test::DbPath(QStringLiteral("purge.tvd"));

    void SetUp() override {
        ASSERT_TRUE(TData().CreateDatabase(path, false));
        sql::Connection file(data_test::Plain(path, {}));
        file.Execute(QStringLiteral("insert into Resources (ResourceName, MaxBookDays) values ('Room 1', 0)"));
        // Ends 23:00 on the day: goes. Starts the day before and ends the day after: stays.
        AddBooking(file, 1001, kDay + 0.25, kDay + 23.0 / 24, QStringLiteral("NULL"));
        AddBooking(file, 1002, kDay - 1, kDay + 1.5, QStringLiteral("77"));
        // Of the deleted booking on the day: goes; the day after: stays.
        AddHistory(file, QStringLiteral("1001"), QStringLiteral("NULL"), kDay + 0.5, QStringLiteral("on the day"));
        AddHistory(file, QStringLiteral("1001"), QStringLiteral("NULL"), kDay + 1.2, QStringLiteral("day after"));
        // Of a booking that stays, old: stays.
        AddHistory(file, QStringLiteral("1002"), QStringLiteral("77"), kDay - 10, QStringLiteral("kept booking"));
        // Neither id: an orphan. A group no booking carries: an orphan.
        AddHistory(file, QStringLiteral("NULL"), QStringLiteral("NULL"), kDay - 1, QStringLiteral("no ids"));
        AddHistory(file, QStringLiteral("1002"), QStringLiteral("999"), kDay, QStringLiteral("lost group"));
    }
    static void AddBooking(sql::Connection& file, int id, double start, double end, const QString& group) {
        file.Execute(QStringLiteral("insert into Bookings (BookingId, ResourceId, BookingStart, BookingEnd, Client, "
                                    "Phone, Description, Reminder, GroupBookingId) values (%1, 1, %2, %3, 'Ann', "
                                    "'555', 'Talk', 'r', %4)")
                         .arg(id)
                         .arg(start, 0, 'f', 8)
                         .arg(end, 0, 'f', 8)
                         .arg(group));
    }
    static void AddHistory(sql::Connection& file, const QString& bookingId, const QString& groupId, double stamp,
                           const QString& text) {
        file.Execute(QStringLiteral("insert into History (HistoryCode, BookingId, GroupBookingId, HistoryTimeStamp, "
                                    "Description) values (1, %1, %2, %3, '%4')")
                         .arg(bookingId, groupId)
                         .arg(stamp, 0, 'f', 8)
                         .arg(text));
    }
    QStringList Rows(const QString& jetSql) { return AdminTest::Rows(path, jetSql); }

    // The window shown, both dates on the day, the boxes as given, "Purge" pressed.
    static void Purge(TDeleteAndPurgeForm& form, bool bookings = true, bool history = true) {
        form.PurgeBookingsDatePicker->SetDate(kDay);
        form.PurgeHistoryDatePicker->SetDate(kDay);
        form.PurgeBookingsCheckBox->SetChecked(bookings);
        form.PurgeHistoryCheckBox->SetChecked(history);
        form.PurgeButton->Click();
    }
    void RunPurge(bool bookings = true, bool history = true) {
        ASSERT_TRUE(data.ConnectDatabase(path, {}));
        TDeleteAndPurgeForm form(data);
        form.Show();
        Purge(form, bookings, history);
    }
};

TEST_F(DeleteAndPurge, OldBookingsAndOrphanHistoryGoWithALogAndOneHistoryRow) {
    RunPurge();
    EXPECT_EQ(Rows(QStringLiteral("select BookingId from Bookings")), QStringList{"1002"});
    EXPECT_EQ(Rows(QStringLiteral("select Description from History where HistoryCode = 1 order by HistoryId")),
              (QStringList{"day after", "kept booking"}));
    EXPECT_EQ(Rows(QStringLiteral("select Description, BookingId, GroupBookingId from History where HistoryCode = 10")),
              QStringList{"Purged bookings up to Mar 15 2023 and orphaned history up to Mar 15 2023. Booking "
                          "Records(2) Purged(1). History Records(5) Purged(3).|<null>|<null>"});
    EXPECT_EQ(Shown(),
              (std::vector<QString>{
                  "You are about to delete all bookings up to \rMar 15 2023\rand all orphan history records up to "
                  "\rMar 15 2023\r\rBefore proceeding ensure you have a current backup.\r\rContinue?",
                  "Purging complete. To reduce the file size compact the database."}));
    const QString log = ReadLog(data_test::DbPath(QStringLiteral("purge_log.txt")));
    EXPECT_TRUE(log.startsWith(QStringLiteral("Purging database at "))) << log.toStdString();
    EXPECT_TRUE(log.contains(QStringLiteral(
        "\r\nPurging bookings up to Mar 15 2023.\r\n\r\nDeleted Id: 1001   Start: Mar 15 23  6:00 am   End: Mar 15 23  "
        "11:00 pm   Client: Ann   Phone: 555   Description: Talk   Reminder: r\r\n\r\nBooking Records Processed = 2\r\n"
        "Booking Records Purged = 1\r\n")))
        << log.toStdString();
    EXPECT_TRUE(log.contains(QStringLiteral("Deleted History BookingId:    HistoryId: 4   TimeStamp: ")))
        << log.toStdString();
    EXPECT_TRUE(log.endsWith(QStringLiteral("History Records Processed = 5\r\nHistory Records Purged = 3\r\n")));
}

TEST_F(DeleteAndPurge, HistoryOnlyLeavesTheBookingsAndRecordsEmptyBookingCounts) {
    RunPurge(false, true);
    EXPECT_EQ(Rows(QStringLiteral("select BookingId from Bookings order by BookingId")), (QStringList{"1001", "1002"}));
    EXPECT_EQ(Rows(QStringLiteral("select Description from History where HistoryCode = 10")),
              QStringList{"Purged orphan history up to Mar 15 2023. Booking Records() Purged(). History "
                          "Records(5) Purged(2)."});
}

TEST_F(DeleteAndPurge, NothingChosenOrDeclinedDeletesNothing) {
    ASSERT_TRUE(data.ConnectDatabase(path, {}));
    TDeleteAndPurgeForm form(data);
    form.Show();
    Purge(form, false, false);
    EXPECT_EQ(Shown(), std::vector<QString>{"You have not selected anything to Purge."});
    testing_env::Messages().Clear();
    testing_env::Messages().QueueAnswer(mrCancel);
    Purge(form);
    EXPECT_EQ(Shown().size(), 1u);
    EXPECT_EQ(Rows(QStringLiteral("select count(*) from Bookings")), QStringList{"2"});
    EXPECT_FALSE(QFile::exists(form.PurgeLogfileEdit->Text()));
}

TEST_F(DeleteAndPurge, TheCommandRecommendsABackupAndRefreshesTheBookings) {
    ASSERT_TRUE(data.ConnectDatabase(path, {}));
    runner->Answer(QStringLiteral("BackupRecommendationForm"), mrCancel);
    admin::DeleteAndPurge(data, MainWindow());
    EXPECT_EQ(runner->Runs(), std::vector<QString>{"BackupRecommendationForm"});
    EXPECT_TRUE(calls.empty());
    runner->Answer(QStringLiteral("BackupRecommendationForm"), mrOk);
    runner->Answer(QStringLiteral("DeleteAndPurgeForm"), mrCancel);
    admin::DeleteAndPurge(data, MainWindow());
    EXPECT_EQ(calls, (std::vector<QString>{"SaveBackupDialogFlags", "RefreshBookings"}));
}

// The child of the crash tests: purges the file it is given up to the day, many pages of bookings.
TEST(DeleteAndPurgeCrashChild, DISABLED_PurgesTheFile) {
    ui::ScopedScriptedRunner runner;
    data_test::ScriptedDataWindows windows;
    TData data;
    ASSERT_TRUE(data.ConnectDatabase(qEnvironmentVariable("TAVORIN_CHILD_FILE"), {}));
    TDeleteAndPurgeForm form(data);
    form.Show();
    form.PurgeBookingsDatePicker->SetDate(kDay);
    form.PurgeHistoryDatePicker->SetDate(kDay);
    form.PurgeButton->Click();
}

// Bookings 1..n: odd ones ended on the day (purged), even ones end later; each with one History row.
void FillManyBookings(const QString& file, int count) {
    sql::Connection connection(data_test::Plain(file, {}));
    connection.Execute(QStringLiteral("insert into Resources (ResourceName, MaxBookDays) values ('Room 1', 0)"));
    connection.BeginTransaction();
    for (int id = 1; id <= count; ++id) {
        const double end = id % 2 ? kDay + 0.5 : kDay + 3;
        connection.Execute(QStringLiteral("insert into Bookings (BookingId, ResourceId, BookingStart, BookingEnd, "
                                          "Client) values (%1, 1, %2, %3, 'c%1')")
                               .arg(id)
                               .arg(kDay - 1)
                               .arg(end, 0, 'f', 2));
        connection.Execute(
            QStringLiteral("insert into History (HistoryCode, BookingId, HistoryTimeStamp) values (1, %1, %2)")
                .arg(id)
                .arg(kDay - 2));
    }
    connection.CommitTransaction();
}

// Every booking that remains is whole; those that must stay are all there.
void ExpectEachBookingThereOrGone(const QString& file, const QStringList& before, const std::string& where) {
    const QStringList rows = RowsOf(file, QStringLiteral("select BookingId, Client, BookingEnd from Bookings"));
    for (const QString& row : rows) EXPECT_TRUE(before.contains(row)) << where << ' ' << row.toStdString();
    for (const QString& row : before) {
        if (row.split(u'|')[0].toInt() % 2 == 0) {
            EXPECT_TRUE(rows.contains(row)) << where << ' ' << row.toStdString();
        }
    }
}

TEST_F(DeleteAndPurge, AKilledPurgeLeavesEachBookingThereOrGoneAndARunAgainFinishes) {
    constexpr int kBookings = 3 * admin::kPurgePageRows;
    const QString original = data_test::DbPath(QStringLiteral("many.tvd"));
    ASSERT_TRUE(TData().CreateDatabase(original, false));
    FillManyBookings(original, kBookings);
    const QStringList before = RowsOf(original, QStringLiteral("select BookingId, Client, BookingEnd from Bookings"));
    struct Kill {
        const char* point;
        int pass;
    };
    for (const Kill kill : {Kill{"purge-row", 1}, Kill{"purge-row", admin::kPurgePageRows / 2 + 3},
                            Kill{"purge-batch", 1}, Kill{"purge-batch", 2}, Kill{"purge-row", kBookings / 2 - 5}}) {
        const std::string where = std::string(kill.point) + ':' + std::to_string(kill.pass);
        const QString file = data_test::DbPath(QStringLiteral("killed-%1-%2.tvd").arg(kill.point).arg(kill.pass));
        ASSERT_TRUE(QFile::copy(original, file));
        QProcessEnvironment environment;
        environment.insert("TAVORIN_CHILD_FILE", file);
        environment.insert("TAVORIN_KILL_AT", QStringLiteral("%1:%2").arg(kill.point).arg(kill.pass));
        const testing_env::ChildResult result =
            testing_env::RunChildTest("DeleteAndPurgeCrashChild.DISABLED_PurgesTheFile", environment);
        ASSERT_TRUE(result.killed) << where;
        ExpectEachBookingThereOrGone(file, before, where);
        // Deletions commit a whole page at a time.
        const int gone = before.size() - RowsOf(file, QStringLiteral("select BookingId from Bookings")).size();
        EXPECT_EQ(gone % (admin::kPurgePageRows / 2), 0) << where << " gone " << gone;

        TData again;
        ASSERT_TRUE(again.ConnectDatabase(file, {}));
        TDeleteAndPurgeForm form(again);
        form.Show();
        Purge(form);
        again.DisconnectDatabase();
        const QStringList left = RowsOf(file, QStringLiteral("select BookingId from Bookings"));
        EXPECT_EQ(left.size(), kBookings / 2) << where;
        for (const QString& id : left) EXPECT_EQ(id.toInt() % 2, 0) << where;
        EXPECT_EQ(RowsOf(file, QStringLiteral("select count(*) from History where HistoryCode = 10")), QStringList{"1"})
            << where;
    }
}

TEST_F(DeleteAndPurge, AFailingDiskEndsThePassWithItsPageRolledBack) {
    const QString work = data_test::DbPath(QStringLiteral("work.tvd"));
    const QStringList before = Rows(QStringLiteral("select BookingId, Client, BookingEnd from Bookings"));
    const auto prepare = [&] {
        data.DisconnectDatabase();
        QFile::remove(work);
        ASSERT_TRUE(QFile::copy(path, work));
        ASSERT_TRUE(data.ConnectDatabase(work, {}));
        testing_env::Messages().Clear();
    };
    bool errorLogged = false;
    testing_env::LoopOverFaults(
        prepare,
        [&] {
            TDeleteAndPurgeForm form(data);
            form.Show();
            Purge(form);
        },
        [&](int n) {
            const QStringList rows = RowsOf(work, QStringLiteral("select BookingId, Client, BookingEnd from "
                                                                 "Bookings"));
            EXPECT_TRUE(rows == before || rows == QStringList{before[1]}) << "fault " << n;
            errorLogged = errorLogged || ReadLog(data_test::DbPath(QStringLiteral("purge_log.txt")))
                                             .contains(QStringLiteral("*** Error occurred ***"));
        });
    EXPECT_TRUE(errorLogged);
}

// With TAVORIN_UI_SHOTS, the picture of docs/.
TEST_F(DeleteAndPurge, TheWindowShowsItsTextsWhole) {
    ASSERT_TRUE(data.ConnectDatabase(path, {}));
    testing_env::AtEachTestFont([this] {
        TDeleteAndPurgeForm form(data);
        form.Show();
        QApplication::processEvents();
        testing_env::ExpectTextsWhole(form);
    });
}

}  // namespace
