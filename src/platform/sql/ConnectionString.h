// Connection strings as the program builds them for the Jet provider, read into open options.
#pragma once

#include <QString>

namespace sql {

struct ConnectOptions {
    QString dataSource;
    QString password;
    bool exclusive = false;  // Mode=Share Deny Read|Share Deny Write (or Share Exclusive)
    bool readOnly = false;   // Mode=Read
};

// Keys are compared without case and unknown ones ignored; a value holding ";" may be quoted with " or '.
ConnectOptions ParseConnectionString(const QString& connectionString);

}  // namespace sql
