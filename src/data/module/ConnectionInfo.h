// TDatabaseConnectionInfo: the file and password of a connection, carried between its phases.
#pragma once

#include <QString>

class TADOConnection;

class TDatabaseConnectionInfo {
public:
    QString DataSource;
    QString Password;

    // The normal or the exclusive connection string of these values.
    QString GetConnectionString(bool exclusive) const;
    // Takes the file and the database password of the connection's current string (empty when absent).
    void ParseConnectionString(const TADOConnection& connection);
};
