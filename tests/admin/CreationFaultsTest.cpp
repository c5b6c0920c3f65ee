// The add-resource wizard's writes failed at each statement and file operation in turn: a new resource is stored
// whole or not at all.
#include "AdminFixture.h"

#include "admin/AddResourceWizard.h"
#include "support/DatabaseDump.h"
#include "support/FaultLoop.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <QFile>

using namespace admin_test;
using testing_env::DumpDatabase;

using CreationFaults = AdminTest;

TEST_F(CreationFaults, ANewResourceIsStoredWholeOrNotAtAll) {
    const QString original = data_test::DbPath(QStringLiteral("original.tvd"));
    const QString work = data_test::DbPath(QStringLiteral("work.tvd"));
    ASSERT_TRUE(TData().CreateDatabase(original, false));
    {
        // What an open writes once (settings, engine-side indexes) is done before the copies are taken.
        TData opener;
        ASSERT_TRUE(opener.ConnectDatabase(original, {}));
        data::ExecuteWith(opener.ADOConnection, QStringLiteral("insert into Features (Feature) values ('Screen')"));
    }
    const TNewResource resource{QStringLiteral("Room 9"),
                                QStringLiteral("Seats \"40\""),
                                {},
                                {QStringLiteral("Projector"), QStringLiteral("Screen")},
                                {QStringLiteral("Projector"), QStringLiteral("Screen")},
                                {QStringLiteral("North")},
                                {QStringLiteral("North")}};
    const auto prepare = [&] {
        data.DisconnectDatabase();
        QFile::remove(work);
        ASSERT_TRUE(QFile::copy(original, work));
        ASSERT_TRUE(data.ConnectDatabase(work, {}));
    };
    const QStringList before = DumpDatabase(original);
    prepare();
    admin::CreateResource(data, resource);
    const QStringList after = DumpDatabase(work);
    ASSERT_NE(after, before);
    testing_env::LoopOverFaults(
        prepare, [&] { admin::CreateResource(data, resource); },
        [&](int n) {
            const QStringList state = DumpDatabase(work);
            EXPECT_TRUE(state == before || state == after) << "mixed after fault " << n;
        });
    EXPECT_EQ(DumpDatabase(work), after);
}
