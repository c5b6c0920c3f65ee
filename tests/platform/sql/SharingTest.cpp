// Two program instances on one file: the roster, exclusive use, and a killed instance's slot.
#include "SqlFixture.h"

#include "platform/sql/EngineError.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>
#include <csignal>

using namespace sql_test;

namespace {

// Another instance: a forked process that tries to open the file, reports the outcome through a pipe
// ("" for success, else the error text) and, when it got in, stays in until it is killed.
class OtherInstance {
public:
    explicit OtherInstance(bool exclusive) {
        int fds[2];
        if (pipe(fds) != 0) return;
        pid_ = fork();
        if (pid_ == 0) {
            close(fds[0]);
            const QByteArray outcome = ErrorOf([&] {
                                           static sql::Connection* kept =
                                               new sql::Connection(ConnectionString(DbPath(), {}, exclusive));
                                           Q_UNUSED(kept);
                                       }).toUtf8() +
                                       '\n';
            if (write(fds[1], outcome.constData(), outcome.size()) < 0) _exit(1);
            for (;;) pause();
        }
        close(fds[1]);
        QByteArray outcome;
        char c = 0;
        while (read(fds[0], &c, 1) == 1 && c != '\n') outcome += c;
        close(fds[0]);
        outcome_ = QString::fromUtf8(outcome);
    }
    ~OtherInstance() { Kill(); }
    void Kill() {
        if (pid_ <= 0) return;
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }
    const QString& Outcome() const { return outcome_; }

private:
    pid_t pid_ = -1;
    QString outcome_;
};

}  // namespace

TEST(Sharing, RosterListsEveryInstanceAndExclusiveUseKeepsOthersOut) {
    CreateAndOpen().reset();
    OtherInstance other(false);
    ASSERT_EQ(other.Outcome(), "");
    {
        sql::Connection mine(ConnectionString(DbPath()));
        const sql::SchemaRowset roster = mine.UserRoster();
        EXPECT_EQ(roster.columns, QStringList({"COMPUTER_NAME", "LOGIN_NAME", "CONNECTED", "SUSPECT_STATE"}));
        ASSERT_EQ(roster.rows.size(), 2);
        EXPECT_EQ(roster.rows[0][0], roster.rows[1][0]);
        EXPECT_EQ(roster.rows[0][2], QVariant(true));
        // The program's own second connection shares its instance's slot.
        sql::Connection second(ConnectionString(DbPath()));
        EXPECT_EQ(second.UserRoster().rows.size(), 2);
    }
    EXPECT_EQ(ErrorOf([] { sql::Connection c(ConnectionString(DbPath(), {}, true)); }), sql::kFileInUse);

    // A killed instance frees its slot by itself.
    other.Kill();
    sql::Connection exclusive(ConnectionString(DbPath(), {}, true));
    EXPECT_EQ(exclusive.UserRoster().rows.size(), 1);
    EXPECT_EQ(OtherInstance(false).Outcome(), sql::kFileInUse);
    EXPECT_EQ(OtherInstance(true).Outcome(), sql::kFileInUse);
    EXPECT_EQ(ErrorOf([] { sql::Connection c(ConnectionString(DbPath())); }), sql::kFileInUse);
}
