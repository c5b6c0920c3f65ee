// A field designed narrower than its column takes the column's size once the query is open.
#include "util/QueryFieldSizes.h"

#include "platform/db/ADOConnection.h"
#include "platform/db/ADODataSet.h"
#include "platform/sql/Connection.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <QDir>

TEST(QueryFieldSizes, FieldsTakeTheirColumnsSize) {
    const QString path = QDir(testing_env::TempDir()).filePath(QStringLiteral("sizes.tvd"));
    sql::Connection::CreateDatabase({path, {}});
    TADOConnection connection;
    connection.ConnectionString = QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + path;
    connection.LoginPrompt = false;
    connection.Open();
    connection.Execute("CREATE TABLE Notes (Title TEXT(50), Body MEMO, Pages INTEGER)");

    TADOQuery query;
    query.SetConnection(&connection);
    query.SQL.SetText(QStringLiteral("select * from Notes"));
    auto& title = query.AddField<TWideStringField>(QStringLiteral("Title"));
    title.SetSize(20);
    title.SetDisplayWidth(20);
    auto& pages = query.AddField<TIntegerField>(QStringLiteral("Pages"));
    const int pagesWidth = pages.DisplayWidth();
    query.Open();

    AdjustQueryFieldSizes(query);
    EXPECT_EQ(title.Size(), 50);
    EXPECT_EQ(title.DisplayWidth(), 50);
    EXPECT_EQ(pages.Size(), 0);
    EXPECT_EQ(pages.DisplayWidth(), pagesWidth);
}
