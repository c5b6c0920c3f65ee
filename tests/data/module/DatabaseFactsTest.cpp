// The roster of connected computers and the reclaimable-space report.
#include "data/support/DataFixture.h"

#include "data/module/DatabaseFacts.h"
#include "platform/rtl/SystemFacts.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <QFileInfo>

using namespace data_test;

TEST(DatabaseFacts, ConnectedComputersListsEveryInstance) {
    auto connection = CreateDatabase();
    EXPECT_EQ(data::ConnectedComputers(*connection), QStringList{rtl::ComputerName()});
    OtherInstance other(DbPath(), {}, false);
    EXPECT_EQ(data::ConnectedComputers(*connection), QStringList({rtl::ComputerName(), rtl::ComputerName()}));
}

TEST(DatabaseFacts, ReclaimableSpaceIsReportedFromTheThresholdOn) {
    auto connection = CreateDatabase();
    connection->BeginTransaction();
    for (int i = 1; i <= 400; ++i) connection->Execute(InsertBooking(i, QStringLiteral("NULL"), QString(4000, 'n')));
    connection->CommitTransaction();
    connection->Execute("DELETE FROM Bookings");

    qint64 size = -1;
    qint64 reclaimable = -1;
    data::GetReclaimableSpace(connection.get(), DbPath(), size, reclaimable);
    EXPECT_EQ(size, QFileInfo(DbPath()).size());
    ASSERT_GE(reclaimable, 1048576);
    ASSERT_LT(reclaimable, 2 * 1048576);

    data::ReportReclaimableSpace(*connection, DbPath(), 2);
    EXPECT_TRUE(testing_env::Messages().Requests().empty());
    data::ReportReclaimableSpace(*connection, DbPath(), 1);
    ASSERT_EQ(testing_env::Messages().Requests().size(), 1u);
    EXPECT_EQ(testing_env::Messages().Requests()[0].type, mtInformation);
    EXPECT_EQ(testing_env::Messages().Requests()[0].text,
              QStringLiteral("This database has 1 MB (%1%) which can be reclaimed by compacting.")
                  .arg(reclaimable * 100 / size));

    // A missing file keeps the size given; no connection gives zeros.
    size = 77;
    data::GetReclaimableSpace(connection.get(), DbPath("gone.tvd"), size, reclaimable);
    EXPECT_EQ(size, 77);
    data::GetReclaimableSpace(nullptr, DbPath(), size, reclaimable);
    EXPECT_EQ(size, 0);
    EXPECT_EQ(reclaimable, 0);
}
