// Compacting a database file: backup and temporary files, the password change, and the answers 1 to 3.
#include "data/support/DataFixture.h"

#include "data/module/DatabaseCompaction.h"
#include "platform/sql/EngineError.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <QFileInfo>

using namespace data_test;

namespace {

// A protected database with a deleted bulk of rows (space to reclaim) and a counter that stood at 1003.
void Fill(const QString& password) {
    auto connection = CreateDatabase(DbPath(), password);
    for (int i = 0; i < 3; ++i) connection->Execute("INSERT INTO NextBookingId (DUMMY) VALUES (0)");
    connection->Execute("DELETE FROM NextBookingId");
    for (int i = 1; i <= 40; ++i) connection->Execute(InsertBooking(i, QStringLiteral("NULL"), QString(4000, 'n')));
    connection->Execute("DELETE FROM Bookings WHERE BookingId > 1");
}

int Compact(const QString& password, bool makeBackup, const QString& newPassword, QString* backup = nullptr) {
    QString backupName;
    const int result = data::CompactDatabaseFile(DbPath(), password, backupName, makeBackup, newPassword);
    if (backup) *backup = backupName;
    return result;
}

qint64 NextCounterValue(const QString& password) {
    sql::Connection connection(Plain(DbPath(), password));
    connection.Execute("INSERT INTO NextBookingId (DUMMY) VALUES (0)");
    return connection.LastCounterValue("NextBookingId").toLongLong();
}

QString OpenError(const QString& password) {
    try {
        sql::Connection connection(Plain(DbPath(), password));
    } catch (const Exception& error) {
        return error.Message();
    }
    return {};
}

}  // namespace

TEST(Compaction, WithBackupKeepsTheOriginalAsBakAndLeavesNoTmp) {
    Fill(QStringLiteral("Secret"));
    const QByteArray original = FileBytes(DbPath());
    QString backup;
    ASSERT_EQ(Compact("Secret", true, "Secret", &backup), data::kCompacted);
    EXPECT_EQ(backup, DbPath("test.bak"));
    EXPECT_EQ(FileBytes(backup), original);
    EXPECT_FALSE(QFileInfo::exists(DbPath("test.tmp")));
    EXPECT_LT(QFileInfo(DbPath()).size(), original.size());
    EXPECT_EQ(NextCounterValue("Secret"), 1003);
    // The one question asked: read-only rights go away.
    ASSERT_EQ(testing_env::Messages().Requests().size(), 1u);
    EXPECT_TRUE(testing_env::Messages().Requests()[0].text.startsWith("If you assigned read-only access rights"));
}

TEST(Compaction, NewPasswordReplacesTheOldOneWithoutBackup) {
    Fill({});
    ASSERT_EQ(Compact({}, false, "Fresh", nullptr), data::kCompacted);
    EXPECT_FALSE(QFileInfo::exists(DbPath("test.bak")));
    EXPECT_FALSE(QFileInfo::exists(DbPath("test.tmp")));
    EXPECT_EQ(OpenError({}), sql::kNotValidPassword);
    EXPECT_EQ(OpenError("Fresh"), QString());
    ASSERT_EQ(Compact("Fresh", false, {}, nullptr), data::kCompacted);
    EXPECT_EQ(OpenError({}), QString());
    EXPECT_TRUE(testing_env::Messages().Requests().empty());
}

TEST(Compaction, WrongPasswordAnswersTwoAndShowsNothing) {
    Fill(QStringLiteral("Secret"));
    const QByteArray original = FileBytes(DbPath());
    EXPECT_EQ(Compact("secret", true, "x", nullptr), data::kCompactWrongPassword);
    EXPECT_TRUE(testing_env::Messages().Requests().empty());
    EXPECT_EQ(FileBytes(DbPath()), original);
}

TEST(Compaction, CancelLeavesEveryFileAsItWas) {
    Fill({});
    const QByteArray original = FileBytes(DbPath());
    {
        QFile bak(DbPath("test.bak"));
        ASSERT_TRUE(bak.open(QIODevice::WriteOnly));
        bak.write("older backup");
    }
    // Cancel at the overwrite question, then at the read-only rights question.
    testing_env::Messages().QueueAnswer(mrOk);
    testing_env::Messages().QueueAnswer(mrCancel);
    EXPECT_EQ(Compact({}, true, {}, nullptr), data::kCompactCancelled);
    EXPECT_EQ(testing_env::Messages().Requests().back().text,
              "The current operation will create a backup file.\r\rOverwrite existing backup file " +
                  DbPath("test.bak") + "?");
    testing_env::Messages().QueueAnswer(mrCancel);
    EXPECT_EQ(Compact({}, true, {}, nullptr), data::kCompactCancelled);
    EXPECT_EQ(FileBytes(DbPath()), original);
    EXPECT_EQ(FileBytes(DbPath("test.bak")), "older backup");
    EXPECT_FALSE(QFileInfo::exists(DbPath("test.tmp")));

    // OK overwrites the old backup.
    EXPECT_EQ(Compact({}, true, {}, nullptr), data::kCompacted);
    EXPECT_EQ(FileBytes(DbPath("test.bak")), original);
}

TEST(Compaction, FailuresAreShownAndAnswerOne) {
    Fill({});
    {
        OtherInstance other(DbPath(), {}, true);
        EXPECT_EQ(Compact({}, false, {}, nullptr), data::kCompactFailed);
        EXPECT_EQ(testing_env::Messages().Texts(), std::vector<QString>{sql::kFileInUse});
        EXPECT_EQ(testing_env::Messages().Requests()[0].type, mtInformation);
    }
    testing_env::Messages().Clear();
    // A temporary "file" that cannot be deleted.
    ASSERT_TRUE(QDir().mkpath(DbPath("test.tmp") + "/inside"));
    const QByteArray original = FileBytes(DbPath());
    EXPECT_EQ(Compact({}, false, {}, nullptr), data::kCompactFailed);
    EXPECT_EQ(testing_env::Messages().Texts(),
              std::vector<QString>{"A temporary file named \"" + DbPath("test.tmp") +
                                   "\" exists and could not be deleted. \r\rThis file must be deleted before the "
                                   "operation can be performed."});
    EXPECT_EQ(FileBytes(DbPath()), original);
}
