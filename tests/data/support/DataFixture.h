// Small database files for the maintenance tests, and another program instance that holds a file.
#pragma once

#include "SchemaFixtures.h"

#include "platform/rtl/Exceptions.h"
#include "platform/sql/Connection.h"

#include <QFile>
#include <csignal>
#include <memory>
#include <sys/wait.h>
#include <unistd.h>

namespace data_test {

inline QString Plain(const QString& path, const QString& password = {}, bool exclusive = false) {
    return QStringLiteral("Data Source=%1;Jet OLEDB:Database Password=%2%3")
        .arg(path, password, exclusive ? QStringLiteral(";Mode=Share Deny Read|Share Deny Write") : QString());
}

// A database with the tables the maintenance services read: booking and history ids, the id counter, reports.
inline std::unique_ptr<sql::Connection> CreateDatabase(const QString& path = DbPath(), const QString& password = {}) {
    sql::Connection::CreateDatabase({path, password});
    auto connection = std::make_unique<sql::Connection>(Plain(path, password));
    connection->Execute("CREATE TABLE NextBookingId (NextBookingId AUTOINCREMENT(1000,1), DUMMY INTEGER)");
    connection->Execute("CREATE TABLE Bookings (BookingId INTEGER NOT NULL PRIMARY KEY, GroupBookingId INTEGER, "
                        "Notes TEXT)");
    connection->Execute("CREATE TABLE History (HistoryId AUTOINCREMENT PRIMARY KEY, BookingId INTEGER)");
    connection->Execute("CREATE TABLE Reports (ReportName TEXT(32) PRIMARY KEY, ReportSetup TEXT)");
    return connection;
}

inline QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Another program instance (a forked process) that has the file open until it is destroyed.
class OtherInstance {
public:
    OtherInstance(const QString& path, const QString& password, bool exclusive) {
        int fds[2];
        if (pipe(fds) != 0) return;
        pid_ = fork();
        if (pid_ == 0) {
            try {
                new sql::Connection(Plain(path, password, exclusive));
            } catch (const Exception&) {
            }
            if (write(fds[1], "!", 1) < 0) _exit(1);
            for (;;) pause();
        }
        char done = 0;
        if (read(fds[0], &done, 1) < 0) done = 0;
        close(fds[0]);
        close(fds[1]);
    }
    ~OtherInstance() {
        if (pid_ <= 0) return;
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    OtherInstance(const OtherInstance&) = delete;
    OtherInstance& operator=(const OtherInstance&) = delete;

private:
    pid_t pid_ = -1;
};

}  // namespace data_test
