// The data layer's all-or-nothing routines failed at each statement and file operation in turn: upgrade
// steps, compaction and a change set's commit leave the file at its old or its new state.
#include "data/support/BookingsFixture.h"
#include "data/support/SchemaFixtures.h"

#include "data/bookings/History.h"
#include "data/module/ConnectionStrings.h"
#include "data/module/DatabaseCompaction.h"
#include "support/DatabaseDump.h"
#include "support/FaultLoop.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <QFile>

using testing_env::DumpDatabase;

namespace {

QString Path(const QString& name) { return data_test::DbPath(name); }

void CopyOver(const QString& from, const QString& to) {
    QFile::remove(to);
    ASSERT_TRUE(QFile::copy(from, to));
}

// The routine run to its end without a fault gives the new state; each failed run must leave the old or that.
// A routine that keeps the content (compaction) passes sameContent.
void ExpectAllOrNothing(const QString& original, const QString& work, const std::function<void()>& routine,
                        const QString& password = {}, bool sameContent = false) {
    const QStringList before = DumpDatabase(original, password);
    CopyOver(original, work);
    routine();
    const QStringList after = DumpDatabase(work, password);
    ASSERT_EQ(after == before, sameContent);
    const int n = testing_env::LoopOverFaults(
        [&] { CopyOver(original, work); }, routine,
        [&](int failedAt) {
            ASSERT_TRUE(QFile::exists(work)) << "a fault at point " << failedAt << " left no file";
            const QStringList state = DumpDatabase(work, password);
            EXPECT_TRUE(state == before || state == after) << "a fault at point " << failedAt << " left a mixed file";
        });
    EXPECT_EQ(DumpDatabase(work, password), after);
    testing::Test::RecordProperty("points", n);
}

using Step = bool (TData::*)();

struct UpgradeStepCase {
    data_test::OlderSchema from;
    Step step;
    const char* name;
    Step stepBefore = nullptr;  // brings the file to the step's starting version
};

void RunStep(const QString& path, Step step) {
    TData data;
    data.ADOConnection.ConnectionString = data::ExclusiveConnectionString(path, {});
    data.ADOConnection.Open();
    (data.*step)();
}

class UpgradeStepFaults : public testing::TestWithParam<UpgradeStepCase> {};

}  // namespace

TEST_P(UpgradeStepFaults, EachStepIsAllOrNothing) {
    const QString original = Path("older.tvd");
    const QString work = Path("work.tvd");
    data_test::BuildOlderDatabase(original, GetParam().from);
    if (GetParam().stepBefore) RunStep(original, GetParam().stepBefore);
    ExpectAllOrNothing(original, work, [&] { RunStep(work, GetParam().step); });
}

INSTANTIATE_TEST_SUITE_P(Steps, UpgradeStepFaults,
                         testing::Values(UpgradeStepCase{data_test::OlderSchema::V50, &TData::UpgradeSchema51, "To51"},
                                         UpgradeStepCase{data_test::OlderSchema::V51, &TData::UpgradeSchema52, "To52"},
                                         UpgradeStepCase{data_test::OlderSchema::V52, &TData::UpgradeSchema61, "To61"},
                                         UpgradeStepCase{data_test::OlderSchema::V61, &TData::UpgradeSchema62, "To62"},
                                         // 6.2 also drops the markers a file from 5.1 still carries.
                                         UpgradeStepCase{data_test::OlderSchema::V52From51, &TData::UpgradeSchema62,
                                                         "To62FromA51File", &TData::UpgradeSchema61},
                                         UpgradeStepCase{data_test::OlderSchema::V62, &TData::UpgradeSchema63, "To63"}),
                         [](const testing::TestParamInfo<UpgradeStepCase>& info) { return info.param.name; });

TEST(CompactionFaults, TheFileKeepsItsNameAndIsOldOrNew) {
    const QString original = Path("original.tvd");
    const QString work = Path("work.tvd");
    {
        TData creator;
        ASSERT_TRUE(creator.CreateDatabase(original, false));
    }
    for (const bool makeBackup : {false, true}) {
        SCOPED_TRACE(makeBackup ? "with a backup" : "without a backup");
        // The new password opens the old, unprotected file too, so one dump reads either state.
        ExpectAllOrNothing(
            original, work,
            [&] {
                QString backup;
                data::CompactDatabaseFile(work, {}, backup, makeBackup, QStringLiteral("new"));
            },
            QStringLiteral("new"), true);
    }
}

// The booking change set only: its History row is committed by the History set afterwards, on its own.
TEST(TransCommitFaults, AModificationCommitsWholeOrIsRolledBack) {
    using namespace bookings_test;
    rtl::SetClock(std::make_shared<rtl::FakeClock>(EncodeDateTime(2026, 1, 1, 8, 0, 0, 0)));
    const QString staged = Path("staged.tvd");
    const QString work = Path("work.tvd");
    {
        CreateBookingDatabase(staged);
        BookingTables db(staged);
        const int booking = db.Book(1, At(5, 9), At(5, 10));
        db.bookingsTrans.BeginTrans();
        db.historyTrans.BeginTrans();
        ASSERT_TRUE(db.bookings.Locate(QStringLiteral("BookingId"), booking));
        db.bookingsTrans.AddOperation(kOpModify);
        db.bookings.FieldByName(QStringLiteral("BookingEnd")).SetAsDateTime(At(5, 11));
        db.bookings.Post();
        data::AddHistoryRow(db.historyTrans, booking, -1, 2, QStringLiteral("me"), QStringLiteral("EndTime(...) "));
    }
    // A failed commit rolls the change back: its working row and its staged History row go.
    const QString withdrawn = Path("withdrawn.tvd");
    CopyOver(staged, withdrawn);
    {
        sql::Connection connection(data::NormalConnectionString(withdrawn, {}));
        connection.Execute("DELETE FROM Bookings WHERE Trans = True");
        connection.Execute("DELETE FROM History WHERE Trans = True");
    }
    const QStringList failedState = DumpDatabase(withdrawn);
    const QStringList before = DumpDatabase(staged);

    // The change sets as the program left them, re-read from the staged file: one modification, one History row.
    const auto commit = [&] {
        BookingTables db(work);
        db.bookingsTrans.BeginTrans();
        db.historyTrans.BeginTrans();
        const auto adopt = [](TTrans& set, quint8 kind, qint32 original, qint32 working) {
            set.OpKinds.append(kind);
            set.OriginalIds.append(original);
            set.WorkingIds.append(working);
            set.Undone.append(false);
        };
        const auto id = [&](const char* field, const char* table, const char* trans) {
            return static_cast<qint32>(
                db.Stored(QStringLiteral("SELECT %1 FROM %2 WHERE Trans = %3").arg(field, table, trans)).toInt());
        };
        adopt(db.bookingsTrans, kOpModify, id("BookingId", "Bookings", "False"), id("BookingId", "Bookings", "True"));
        adopt(db.historyTrans, kOpInsert, 0, id("HistoryId", "History", "True"));
        db.bookingsTrans.CommitTrans();
    };
    CopyOver(staged, work);
    commit();
    const QStringList after = DumpDatabase(work);
    ASSERT_NE(after, before);
    const int n = testing_env::LoopOverFaults([&] { CopyOver(staged, work); }, commit,
                                              [&](int failedAt) {
                                                  const QStringList state = DumpDatabase(work);
                                                  EXPECT_TRUE(state == before || state == failedState || state == after)
                                                      << "a fault at point " << failedAt << " left a mixed file";
                                              });
    EXPECT_EQ(DumpDatabase(work), after);
    testing::Test::RecordProperty("points", n);
}
