// Building and reading the connection strings of TDatabaseConnectionInfo.
#include "data/module/ConnectionInfo.h"

#include "data/module/ConnectionStrings.h"
#include "platform/db/ADOConnection.h"
#include "platform/sql/ConnectionString.h"

QString TDatabaseConnectionInfo::GetConnectionString(bool exclusive) const {
    return exclusive ? data::ExclusiveConnectionString(DataSource, Password)
                     : data::NormalConnectionString(DataSource, Password);
}

void TDatabaseConnectionInfo::ParseConnectionString(const TADOConnection& connection) {
    // The string names the password "Jet OLEDB:Database Password"; the engine's reader knows it and quoting.
    const sql::ConnectOptions options = sql::ParseConnectionString(connection.ConnectionString);
    DataSource = options.dataSource;
    Password = options.password;
}
