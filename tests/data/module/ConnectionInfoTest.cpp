// TDatabaseConnectionInfo: the provider's exact forms, and values holding separators read back whole.
#include "data/module/ConnectionInfo.h"
#include "platform/db/ADOConnection.h"

#include <gtest/gtest.h>

TEST(ConnectionInfo, NormalAndExclusiveForms) {
    TDatabaseConnectionInfo info;
    info.DataSource = QStringLiteral("/srv/club.tvd");
    info.Password = QStringLiteral("Secret");
    EXPECT_EQ(info.GetConnectionString(false),
              QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/srv/club.tvd;Jet OLEDB:Database "
                             "Password=Secret;Persist Security Info=False"));
    EXPECT_EQ(info.GetConnectionString(true),
              QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/srv/club.tvd;Jet OLEDB:Database "
                             "Password=Secret;Persist Security Info=False;Mode=Share Deny Read|Share Deny Write"));
}

TEST(ConnectionInfo, ParsingTheConnectionGivesBackTheFileAndTheDatabasePassword) {
    const std::vector<std::pair<QString, QString>> cases = {
        {"/srv/club.tvd", "Secret"},   {"/srv/a;b.tvd", "pa;ss"},
        {"/srv/club.tvd", " padded "}, {"/srv/club.tvd", "\"quoted\" x;Mode=Read"},
        {"/srv/club.tvd", ""},
    };
    for (const auto& [file, password] : cases) {
        SCOPED_TRACE(password.toStdString());
        for (bool exclusive : {false, true}) {
            TADOConnection connection;
            connection.ConnectionString = TDatabaseConnectionInfo{file, password}.GetConnectionString(exclusive);
            TDatabaseConnectionInfo read;
            read.ParseConnectionString(connection);
            EXPECT_EQ(read.DataSource, file);
            EXPECT_EQ(read.Password, password);
        }
    }
}
