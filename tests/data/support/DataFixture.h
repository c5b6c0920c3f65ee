// Database files of the program's schema for the maintenance tests, and another program instance that holds a file.
#pragma once

#include "SchemaFixtures.h"

#include "data/module/DataModule.h"
#include "platform/rtl/Exceptions.h"
#include "platform/sql/Compaction.h"
#include "platform/sql/Connection.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>
#include <QFile>
#include <csignal>
#include <memory>

namespace data_test {

inline QString Plain(const QString& path, const QString& password = {}, bool exclusive = false) {
    return QStringLiteral("Data Source=%1;Jet OLEDB:Database Password=%2%3")
        .arg(path, password, exclusive ? QStringLiteral(";Mode=Share Deny Read|Share Deny Write") : QString());
}

// A database of the program's own schema with one resource (ResourceId 1) for bookings to refer to; a given
// password protects it.
inline std::unique_ptr<sql::Connection> CreateDatabase(const QString& path = DbPath(), const QString& password = {}) {
    const QString plain = password.isEmpty() ? path : path + QStringLiteral(".plain");
    EXPECT_TRUE(TData().CreateDatabase(plain, true));
    if (plain != path) {
        sql::CompactDatabase(Plain(plain), Plain(path, password));
        QFile::remove(plain);
    }
    auto connection = std::make_unique<sql::Connection>(Plain(path, password));
    connection->Execute("INSERT INTO Resources (ResourceName, MaxBookDays) VALUES ('Room', 0)");
    return connection;
}

// The statement that adds a booking of the resource with the given id, group and notes (null when empty).
inline QString InsertBooking(int id, const QString& groupId = QStringLiteral("NULL"), const QString& notes = {}) {
    return QStringLiteral(
               "INSERT INTO Bookings (BookingId, ResourceId, BookingStart, BookingEnd, Client, "
               "GroupBookingId, Notes) VALUES (%1, 1, 1, 2, 'c', %2, %3)")
        .arg(id)
        .arg(groupId, notes.isEmpty() ? QStringLiteral("NULL") : QLatin1Char('\'') + notes + QLatin1Char('\''));
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
