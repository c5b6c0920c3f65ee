// A database file holding the resource and booking tables the containers read, made with Jet DDL.
#pragma once

#include "platform/db/ADOConnection.h"
#include "platform/rtl/DateUtils.h"
#include "platform/sql/Connection.h"
#include "platform/sql/Statement.h"

#include <QString>

namespace booking_db {

struct BookingValues {
    int id;
    int resourceId;
    TDateTime start;
    TDateTime end;
    bool staged = false;
    QString reminder;
};

// Creates the file and opens the connection on it.
inline void Create(TADOConnection& connection, const QString& path) {
    sql::Connection::CreateDatabase({path, {}});
    connection.ConnectionString = QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=%1").arg(path);
    connection.LoginPrompt = false;
    connection.Open();
    connection.Execute(QStringLiteral("CREATE TABLE Resources (ResourceId INTEGER NOT NULL CONSTRAINT PrimaryKey "
                                      "PRIMARY KEY, ResourceName TEXT(25) NOT NULL, Description MEMO)"));
    connection.Execute(QStringLiteral("CREATE UNIQUE INDEX ResourceNameIndex ON Resources (ResourceName)"));
    connection.Execute(QStringLiteral(
        "CREATE TABLE Bookings (BookingId INTEGER NOT NULL CONSTRAINT PrimaryKey PRIMARY KEY, ResourceId INTEGER NOT "
        "NULL, Trans LOGICAL, Client TEXT(50), Description MEMO, BookingStart DATETIME NOT NULL, BookingEnd DATETIME "
        "NOT NULL, Reminder MEMO)"));
    connection.Execute(QStringLiteral("CREATE INDEX StartDateTime ON Bookings (ResourceId, BookingStart)"));
}

inline void AddResource(TADOConnection& connection, int id, const QString& name) {
    connection.Execute(QStringLiteral("INSERT INTO Resources VALUES (%1, \"%2\", \"about %2\")").arg(id).arg(name));
}

// Adds bookings through one prepared statement (in a transaction when there are many).
class BookingWriter {
public:
    explicit BookingWriter(TADOConnection& connection)
        : insert_(connection.Engine().Prepare(QStringLiteral(
              "INSERT INTO Bookings VALUES (:Id, :Resource, :Trans, :Client, :Description, :Start, :End, :Reminder)"))) {}

    void Add(const BookingValues& b) {
        insert_->Reset();
        insert_->Bind(0, b.id);
        insert_->Bind(1, b.resourceId);
        insert_->Bind(2, b.staged);
        insert_->Bind(3, QStringLiteral("client %1").arg(b.id));
        insert_->Bind(4, QStringLiteral("booking %1").arg(b.id));
        insert_->Bind(5, b.start);
        insert_->Bind(6, b.end);
        insert_->Bind(7, b.reminder);
        insert_->Step();
    }

private:
    std::unique_ptr<sql::Statement> insert_;
};

}  // namespace booking_db
