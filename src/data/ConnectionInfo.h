// Connection strings of a database file and TDatabaseConnectionInfo, which carries them between phases.
#pragma once

#include <QString>

namespace data {

// The provider's normal string for the file and password, or the exclusive one (others kept out).
QString ConnectionString(const QString& fileName, const QString& password, bool exclusive);

}  // namespace data

class TDatabaseConnectionInfo {
public:
    QString DataSource;
    QString Password;

    QString GetConnectionString(bool exclusive) const {
        return data::ConnectionString(DataSource, Password, exclusive);
    }
    // Takes the file and the database password of a connection string (empty when absent).
    void ParseConnectionString(const QString& connectionString);
};
