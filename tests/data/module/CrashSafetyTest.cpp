// Upgrades, creation and compaction stopped by kill -9 at each step or by a full disk, and the staged rows
// of a process that is gone.
#include "data/support/BookingDatabaseFixture.h"
#include "data/support/DataFixture.h"
#include "data/support/ScriptedDataWindows.h"

#include "data/bookings/BookingConflicts.h"
#include "data/bookings/Bookings.h"
#include "data/bookings/StagedRowOwners.h"
#include "data/module/ConnectionStrings.h"
#include "data/module/DataModule.h"
#include "data/module/DatabaseCompaction.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/DateUtils.h"
#include "platform/sql/EngineError.h"
#include "platform/sql/SnapshotRecovery.h"
#include "support/CrashChild.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

using namespace data_test;

namespace {

// The file a child test works on, and whether it keeps a backup.
const char* const kChildFile = "TAVORIN_CHILD_FILE";
const char* const kChildBackup = "TAVORIN_CHILD_BACKUP";

QString ChildFile() { return qEnvironmentVariable(kChildFile); }

// Runs the child test on the file with the kill point armed for its pass; true when the child was killed
// there, false when it ran to its end (the point has fewer passes) and passed.
bool KilledAt(const QString& test, const QString& file, const QString& point, int pass, bool backup = false) {
    QProcessEnvironment environment;
    environment.insert(kChildFile, file);
    environment.insert(kChildBackup, backup ? "1" : "0");
    environment.insert("TAVORIN_KILL_AT", QStringLiteral("%1:%2").arg(point).arg(pass));
    const testing_env::ChildResult result = testing_env::RunChildTest(test, environment);
    EXPECT_TRUE(result.killed || result.exitCode == 0) << point.toStdString() << ':' << pass;
    return result.killed;
}

QStringList Sorted(QStringList lines) {
    lines.sort();
    return lines;
}

// Opens the file as the data module does and upgrades it after the confirmation.
bool OpenAndUpgrade(const QString& path) {
    // The upgrade question's pause before it is shown passes at once.
    rtl::SetClock(std::make_shared<rtl::FakeClock>(Now(), 100000));
    data_test::ScriptedDataWindows windows;
    windows.AnswerUpgrade(true);
    TData data;
    data.AdministratorMode = true;
    data.ADOConnection.ConnectionString = data::NormalConnectionString(path, {});
    try {
        data.ADOConnection.Open();
    } catch (const Exception& error) {
        ADD_FAILURE() << error.Message().toStdString();
        return false;
    }
    return data.CheckAndUpgradeSchema(path, false);
}

QStringList CurrentCatalog() {
    data_test::ScriptedDataWindows windows;
    EXPECT_TRUE(TData().CreateDatabase(DbPath("current.tvd"), false));
    return Sorted(CatalogLines(sql::Connection(data::NormalConnectionString(DbPath("current.tvd"), {}))));
}

void ExpectUpgraded(const QString& path, const QStringList& catalog, const std::string& where) {
    const sql::Connection connection(data::NormalConnectionString(path, {}));
    EXPECT_EQ(Sorted(CatalogLines(connection)), catalog) << where;
    EXPECT_EQ(RowTexts(connection, "select BookingId, Client from Bookings"), QStringList{"1001|Ada"}) << where;
    EXPECT_EQ(RowTexts(connection, "select GroupName, ResourceId from ResourceGroups"), QStringList{"Floor 1|2"})
        << where;
    EXPECT_FALSE(QFile::exists(sql::SnapshotPath(path))) << where;
}

// A tmpfs of the given size, of this test's own; Mounted() is false where mounting is not permitted.
class MemoryDisk {
public:
    explicit MemoryDisk(qint64 bytes) : path_(QDir(testing_env::TempDir()).filePath("disk")) {
        QDir().mkpath(path_);
        const QByteArray options = "size=" + QByteArray::number(bytes);
        mounted_ = mount("tmpfs", QFile::encodeName(path_).constData(), "tmpfs", 0, options.constData()) == 0;
    }
    ~MemoryDisk() {
        if (mounted_) umount2(QFile::encodeName(path_).constData(), MNT_DETACH);
    }
    MemoryDisk(const MemoryDisk&) = delete;
    MemoryDisk& operator=(const MemoryDisk&) = delete;

    bool Mounted() const { return mounted_; }
    QString File(const QString& name) const { return QDir(path_).filePath(name); }
    // Fills the disk until about `spare` bytes are left.
    void LeaveFree(qint64 spare) {
        QFile filler(File(QStringLiteral("filler%1").arg(fillers_++)));
        filler.open(QIODevice::WriteOnly);
        const QByteArray block(4096, 'f');
        while (Free() > spare && filler.write(block) == block.size() && filler.flush()) {
        }
    }
    void Empty() {
        for (int i = 0; i < fillers_; ++i) QFile::remove(File(QStringLiteral("filler%1").arg(i)));
    }

private:
    qint64 Free() const {
        struct statvfs facts = {};
        statvfs(QFile::encodeName(path_).constData(), &facts);
        return static_cast<qint64>(facts.f_bavail) * static_cast<qint64>(facts.f_bsize);
    }

    QString path_;
    bool mounted_ = false;
    int fillers_ = 0;
};

bool AnyContains(const std::vector<QString>& texts, const QString& part) {
    return std::any_of(texts.begin(), texts.end(), [&](const QString& text) { return text.contains(part); });
}

// Another process that stages a row in the file, then ends at once or stays until destroyed.
class StagingProcess {
public:
    StagingProcess(const QString& path, const QString& jetSql, bool stays) {
        int ready[2];
        if (pipe(ready) != 0) return;
        pid_ = fork();
        if (pid_ == 0) {
            try {
                sql::Connection connection(Plain(path));
                connection.Execute(jetSql);
                if (write(ready[1], "!", 1) < 0 || !stays) _exit(0);
                for (;;) pause();
            } catch (const Exception& error) {
                fprintf(stderr, "staging failed: %s\n", error.what());
                _exit(1);
            }
        }
        // Closed here first, so that a child that fails without a word ends the read.
        close(ready[1]);
        char done = 0;
        if (read(ready[0], &done, 1) != 1) ADD_FAILURE() << "the staging process failed";
        close(ready[0]);
        if (!stays) Stop();
    }
    ~StagingProcess() { Stop(); }
    StagingProcess(const StagingProcess&) = delete;
    StagingProcess& operator=(const StagingProcess&) = delete;

private:
    void Stop() {
        if (pid_ <= 0) return;
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }
    pid_t pid_ = -1;
};

}  // namespace

// The children: what the parents below have killed. Disabled, so that only a parent runs them.
TEST(CrashChild, DISABLED_UpgradesTheFile) { EXPECT_TRUE(OpenAndUpgrade(ChildFile())); }

TEST(CrashChild, DISABLED_CompactsTheFileWithANewPassword) {
    QString backup;
    EXPECT_EQ(data::CompactDatabaseFile(ChildFile(), {}, backup, qEnvironmentVariable(kChildBackup) == "1", "Secret"),
              data::kCompacted);
}

TEST(CrashChild, DISABLED_CreatesTheFile) {
    data_test::ScriptedDataWindows windows;
    EXPECT_TRUE(TData().CreateDatabase(ChildFile(), false));
}

TEST(CrashSafety, CreationKilledAtAnyPointLeavesNoFileOrACompleteOne) {
    const QStringList catalog = CurrentCatalog();
    const MemoryDisk memory(64 << 20);
    const QString folder = memory.Mounted() ? memory.File(QString()) : testing_env::TempDir();
    // Every statement of the creation, the upgrade steps' copies, and the moment before the file gets its name.
    for (const QString point : {"statement", "copy-block", "creation-built"}) {
        for (int pass = 1; pass < 400; pass += point == "statement" ? 7 : 1) {
            const QString file = QDir(folder).filePath(QStringLiteral("%1-%2.tvd").arg(point).arg(pass));
            const bool killed = KilledAt("CrashChild.DISABLED_CreatesTheFile", file, point, pass);
            const std::string where = point.toStdString() + ':' + std::to_string(pass);
            if (killed) {
                EXPECT_FALSE(QFile::exists(file)) << where;
            }
            // A second try after the crash completes, whatever the first one left.
            if (!QFile::exists(file)) {
                data_test::ScriptedDataWindows windows;
                EXPECT_TRUE(TData().CreateDatabase(file, false)) << where;
            }
            EXPECT_EQ(Sorted(CatalogLines(sql::Connection(data::NormalConnectionString(file, {})))), catalog) << where;
            if (!killed) break;
        }
    }
}

TEST(CrashSafety, AnUpgradeKilledAtAnyPointLeavesAFileTheNextOpenUpgrades) {
    BuildOlderDatabase(DbPath("older.tvd"), OlderSchema::V50);
    const QStringList catalog = CurrentCatalog();
    // A kill does not lose what the system caches, so a disk in memory serves (where it may be mounted) and
    // spares the hundreds of waits for the disk.
    const MemoryDisk memory(64 << 20);
    const auto work = [&](const QString& name) { return memory.Mounted() ? memory.File(name) : DbPath(name); };
    // Each statement commits; each step first copies the file (block by block) and then sets the copy aside.
    for (const QString point : {"statement", "copy-block", "snapshot-made"}) {
        int pass = 1;
        for (; pass < 200; ++pass) {
            const QString file = work(QStringLiteral("%1-%2.tvd").arg(point).arg(pass));
            ASSERT_TRUE(QFile::copy(DbPath("older.tvd"), file));
            if (!KilledAt("CrashChild.DISABLED_UpgradesTheFile", file, point, pass)) break;
            const std::string where = point.toStdString() + ':' + std::to_string(pass);
            EXPECT_TRUE(OpenAndUpgrade(file)) << where;
            ExpectUpgraded(file, catalog, where);
        }
        EXPECT_GT(pass, 5) << point.toStdString();
    }
}

TEST(CrashSafety, AnUpgradeOnAFullDiskFailsWithTheCauseAndKeepsTheFile) {
    const MemoryDisk probe(1 << 20);
    if (!probe.Mounted()) GTEST_SKIP() << "mounting a small disk is not permitted here";
    BuildOlderDatabase(DbPath("older.tvd"), OlderSchema::V50);
    const qint64 size = QFileInfo(DbPath("older.tvd")).size();
    const QStringList catalog = CurrentCatalog();
    // Too little for the copy; room for the copy but hardly for the steps' growth and journals.
    for (const qint64 spare : {size / 2, size + 4096, size + 16384, size + 65536}) {
        MemoryDisk disk(1 << 20);
        const QString file = disk.File("db.tvd");
        ASSERT_TRUE(QFile::copy(DbPath("older.tvd"), file));
        disk.LeaveFree(spare);
        testing_env::Messages().Clear();
        const std::string where = "spare " + std::to_string(spare);
        if (!OpenAndUpgrade(file)) {
            const std::vector<QString> texts = testing_env::Messages().Texts();
            EXPECT_TRUE(AnyContains(texts, sql::kDiskFull) || AnyContains(texts, "No space left on device")) << where;
            EXPECT_FALSE(QFile::exists(sql::SnapshotPath(file))) << where;
            disk.Empty();
            EXPECT_TRUE(OpenAndUpgrade(file)) << where;
        } else {
            EXPECT_GT(spare, size) << where;
        }
        ExpectUpgraded(file, catalog, where);
    }
}

TEST(CrashSafety, CreatingOnAFullDiskReportsItAndLeavesNoFile) {
    const MemoryDisk probe(1 << 20);
    if (!probe.Mounted()) GTEST_SKIP() << "mounting a small disk is not permitted here";
    for (const qint64 spare : {4096, 16384, 32768, 65536}) {
        MemoryDisk disk(1 << 20);
        const QString file = disk.File("new.tvd");
        disk.LeaveFree(spare);
        testing_env::Messages().Clear();
        data_test::ScriptedDataWindows windows;
        const std::string where = "spare " + std::to_string(spare);
        EXPECT_FALSE(TData().CreateDatabase(file, false)) << where;
        const std::vector<QString> texts = testing_env::Messages().Texts();
        EXPECT_TRUE(AnyContains(texts, sql::kDiskFull) || AnyContains(texts, "No space left on device")) << where;
        EXPECT_FALSE(AnyContains(texts, "savepoint")) << where;
        EXPECT_EQ(QDir(QFileInfo(file).path()).entryList({"new.tvd*"}, QDir::Files), QStringList{}) << where;
    }
}

TEST(CrashSafety, CompactionKilledAtAnyPointLeavesTheOriginalOrTheCompactedFile) {
    for (const bool backup : {false, true}) {
        for (const QString point : {"compact-copied", "compact-backup-made"}) {
            QDir(testing_env::TempDir()).removeRecursively();
            QDir().mkpath(testing_env::TempDir());
            CreateDatabase()->Execute(InsertBooking(7, QStringLiteral("NULL"), QStringLiteral("kept")));
            const std::string where = point.toStdString() + (backup ? " with backup" : "");
            EXPECT_TRUE(KilledAt("CrashChild.DISABLED_CompactsTheFileWithANewPassword", DbPath(), point, 1, backup))
                << where;
            // The old file opens with any password, the compacted one with the new.
            try {
                const sql::Connection connection(Plain(DbPath(), "Secret"));
                EXPECT_EQ(RowTexts(connection, "select Notes from Bookings"), QStringList{"kept"}) << where;
            } catch (const Exception& error) {
                ADD_FAILURE() << where << ": " << error.Message().toStdString();
            }
        }
    }
}

TEST(CrashSafety, StagedRowsOfAProcessThatIsGoneStopCountingAndGoAtTheNextCleanUp) {
    TADOConnection connection;
    booking_db::Create(connection, DbPath());
    booking_db::AddResource(connection, 1, QStringLiteral("Room"));
    data::EnsureStagedRowOwners(connection);
    const TDateTime day = EncodeDate(2026, 3, 2);
    // Staged by a process that then dies, and by one that stays.
    const auto stage = [&](int id, double hours) {
        return QStringLiteral(
                   "INSERT INTO Bookings (BookingId, ResourceId, Trans, BookingStart, BookingEnd, Client) "
                   "VALUES (%1, 1, True, %2, %3, 'c')")
            .arg(id)
            .arg(day + hours / 24, 0, 'f', 8)
            .arg(day + (hours + 1) / 24, 0, 'f', 8);
    };
    StagingProcess gone(DbPath(), stage(2001, 9), false);
    StagingProcess staying(DbPath(), stage(2002, 11), true);
    booking_db::BookingWriter(connection).Add({3001, 1, day + 8.0 / 24, day + 13.0 / 24, true});

    TBookingConflictResult result;
    data::FindBookingConflicts(connection, 1, 3001, day + 8.0 / 24, day + 13.0 / 24, result);
    EXPECT_EQ(result.Status, kConflictFound);
    EXPECT_EQ(result.Ids[0], 1);
    EXPECT_EQ(result.Ids[1], 2002);
    // Cleared when the file is opened next; the rows of the instances still in stay.
    data::RemoveOrphanedStagedRows(connection);
    EXPECT_EQ(RowTexts(connection.Engine(), "select BookingId from Bookings where Trans order by BookingId"),
              QStringList({"2002", "3001"}));
}
