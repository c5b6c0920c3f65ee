// A database file of the program's schema with the resources and bookings the containers read.
#pragma once

#include "data/bookings/OptionalText.h"
#include "data/module/DataModule.h"
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

// Creates the file with the program's own schema and opens the connection on it.
inline void Create(TADOConnection& connection, const QString& path) {
    TData creator;
    if (!creator.CreateDatabase(path, true)) return;
    connection.ConnectionString = QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=%1").arg(path);
    connection.LoginPrompt = false;
    connection.Open();
}

inline void AddResource(TADOConnection& connection, int id, const QString& name) {
    connection.Execute(QStringLiteral("INSERT INTO Resources (ResourceId, ResourceName, Description, MaxBookDays) "
                                      "VALUES (%1, \"%2\", \"about %2\", 0)")
                           .arg(id)
                           .arg(name));
}

// Adds bookings through one prepared statement (in a transaction when there are many).
class BookingWriter {
public:
    explicit BookingWriter(TADOConnection& connection)
        : insert_(connection.Engine().Prepare(QStringLiteral(
              "INSERT INTO Bookings (BookingId, ResourceId, Trans, Client, Description, BookingStart, BookingEnd, "
              "Reminder) VALUES (:Id, :Resource, :Trans, :Client, :Description, :Start, :End, :Reminder)"))) {}

    void Add(const BookingValues& b) {
        insert_->Reset();
        insert_->Bind(0, b.id);
        insert_->Bind(1, b.resourceId);
        insert_->Bind(2, b.staged);
        insert_->Bind(3, QStringLiteral("client %1").arg(b.id));
        insert_->Bind(4, QStringLiteral("booking %1").arg(b.id));
        insert_->Bind(5, b.start);
        insert_->Bind(6, b.end);
        insert_->Bind(7, data::OptionalText(b.reminder));
        insert_->Step();
    }

private:
    std::unique_ptr<sql::Statement> insert_;
};

}  // namespace booking_db
