// Opening a file that another process keeps busy, a damaged file, and a file a crash left half changed.
#include "SqlFixture.h"

#include "platform/sql/EngineError.h"
#include "platform/sql/SnapshotRecovery.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>
#include <QElapsedTimer>
#include <QFile>
#include <csignal>

using namespace sql_test;

namespace {

// Another process that saves rows into the file for the given time, each save a short exclusive
// transaction, as fast as it can; it ends by itself.
class ContinuousWriter {
public:
    ContinuousWriter(const QString& path, const QString& password, int milliseconds) {
        int ready[2];
        if (pipe(ready) != 0) return;
        pid_ = fork();
        if (pid_ == 0) {
            close(ready[0]);
            try {
                sql::Connection connection(ConnectionString(path, password));
                const sql::Database& database = connection.Native();
                QElapsedTimer clock;
                clock.start();
                if (write(ready[1], "!", 1) < 0) _exit(1);
                while (clock.elapsed() < milliseconds) {
                    database.Exec("BEGIN EXCLUSIVE");
                    for (int i = 0; i < 50; ++i) database.Exec("INSERT INTO Saved (Value) VALUES (randomblob(200))");
                    database.Exec("COMMIT");
                }
            } catch (const Exception&) {
                _exit(2);
            }
            _exit(0);
        }
        close(ready[1]);
        char done = 0;
        if (read(ready[0], &done, 1) < 0) done = 0;
        close(ready[0]);
    }
    ~ContinuousWriter() {
        if (pid_ <= 0) return;
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    // Waits for the end; true when every save succeeded.
    bool Finished() {
        int status = 0;
        waitpid(pid_, &status, 0);
        pid_ = -1;
        return WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }

private:
    pid_t pid_ = -1;
};

class FileSafety : public testing::TestWithParam<const char*> {};

}  // namespace

TEST_P(FileSafety, OpensWhileAnotherProcessSavesContinuously) {
    const QString password = QString::fromLatin1(GetParam());
    CreateAndOpen(DbPath(), password)->Execute("CREATE TABLE Saved (Value LONGBINARY)");
    ContinuousWriter writer(DbPath(), password, 1500);
    QStringList failures;
    for (int i = 0; i < 40; ++i) {
        const QString error = ErrorOf([&] {
            sql::Connection connection(ConnectionString(DbPath(), password));
            Column(connection, "SELECT count(*) FROM Saved");
        });
        if (!error.isEmpty()) failures << error;
    }
    EXPECT_EQ(failures, QStringList{});
    EXPECT_TRUE(writer.Finished());
}

INSTANTIATE_TEST_SUITE_P(PlainAndProtected, FileSafety, testing::Values("", "Secret"),
                         [](const testing::TestParamInfo<const char*>& info) {
                             return info.param[0] ? "Protected" : "Plain";
                         });

TEST(FileSafetyDamage, ADamagedProtectedFileIsReportedAsDamagedNotAsAWrongPassword) {
    {
        const auto connection = CreateAndOpen(DbPath(), "Secret");
        // Enough tables that the engine's own catalog spans pages past the first.
        for (int i = 0; i < 40; ++i)
            connection->Execute(QStringLiteral("CREATE TABLE Table%1 (Id INTEGER PRIMARY KEY, Name TEXT(50), "
                                               "Notes MEMO, Started DATETIME)")
                                    .arg(i));
    }
    QFile file(DbPath());
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    const qint64 pages = file.size() / 1024;
    ASSERT_GT(pages, 6);
    // Every page but the header page scrambled.
    for (qint64 page = 1; page < pages; ++page) {
        file.seek(page * 1024 + 100);
        file.write(QByteArray(64, 'x'));
    }
    file.close();
    EXPECT_EQ(ErrorOf([] { sql::Connection(ConnectionString(DbPath(), "Secret")); }), sql::DamagedFileText(DbPath()));
    EXPECT_EQ(ErrorOf([] { sql::Connection(ConnectionString(DbPath(), "Wrong")); }), sql::kNotValidPassword);
}

TEST(FileSafetyRecovery, AnOpenPutsBackTheSnapshotOfAnInterruptedChangeAndDropsItsJournal) {
    CreateAndOpen()->Execute("CREATE TABLE Kept (Id INTEGER)");
    ASSERT_TRUE(QFile::copy(DbPath(), DbPath("before.tvd")));
    sql::Connection(ConnectionString(DbPath())).Execute("CREATE TABLE HalfDone (Id INTEGER)");
    ASSERT_TRUE(QFile::rename(DbPath("before.tvd"), sql::SnapshotPath(DbPath())));
    // A journal of the interrupted change, which must not be played onto the restored file.
    QFile journal(DbPath() + "-journal");
    ASSERT_TRUE(journal.open(QIODevice::WriteOnly));
    journal.write(QByteArray(4096, 'j'));
    journal.close();
    // A copy that a crash stopped half way is no snapshot.
    QFile partial(sql::SnapshotWorkPath(DbPath()));
    ASSERT_TRUE(partial.open(QIODevice::WriteOnly));
    partial.close();

    const sql::Connection connection(ConnectionString(DbPath()));
    EXPECT_EQ(connection.GetCatalog().TableNames(), QStringList{"Kept"});
    for (const QString& leftover :
         {sql::SnapshotPath(DbPath()), sql::SnapshotWorkPath(DbPath()), QString(DbPath() + "-journal")})
        EXPECT_FALSE(QFile::exists(leftover)) << leftover.toStdString();
}

TEST(FileSafetyRecovery, ASnapshotIsLeftAloneWhileItsChangeHoldsTheFile) {
    CreateAndOpen()->Execute("CREATE TABLE Kept (Id INTEGER)");
    const sql::Connection changing(ConnectionString(DbPath(), {}, true));
    ASSERT_TRUE(QFile::copy(DbPath(), sql::SnapshotPath(DbPath())));
    changing.Native().Exec("CREATE TABLE Changing (Id INTEGER)");
    EXPECT_EQ(ErrorOf([] { sql::Connection(ConnectionString(DbPath())); }), sql::kFileInUse);
    EXPECT_TRUE(QFile::exists(sql::SnapshotPath(DbPath())));
}
