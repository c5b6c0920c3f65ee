// Task rows written straight into a database file of the program's schema, and what History holds for them.
#pragma once

#include "platform/db/ADOConnection.h"
#include "platform/rtl/DateUtils.h"
#include "platform/sql/Connection.h"
#include "platform/sql/Statement.h"

#include <QString>
#include <QStringList>
#include <QVariant>

namespace task_db {

struct TaskValues {
    int taskId;
    // 0 leaves the task without a booking.
    int bookingId = 0;
    int status = 0;
    int percent = 0;
    int priority = 3;
    QString subject;
    // 0 leaves the date null.
    TDateTime due = 0;
    TDateTime completed = 0;
    TDateTime start = 0;
    QString owner;
};

inline void AddTask(TADOConnection& connection, const TaskValues& t) {
    const auto insert = connection.Engine().Prepare(QStringLiteral(
        "INSERT INTO Tasks (TaskId, BookingId, Status, PercentCompleted, Priority, Subject, DueDate, CompletedDate, "
        "StartDate, Owner) VALUES (:Id, :Booking, :Status, :Percent, :Priority, :Subject, :Due, :Completed, :Start, "
        ":Owner)"));
    const auto dateOrNull = [](TDateTime date) { return date == 0 ? QVariant() : QVariant(date); };
    insert->Bind(0, t.taskId);
    insert->Bind(1, t.bookingId == 0 ? QVariant() : QVariant(t.bookingId));
    insert->Bind(2, t.status);
    insert->Bind(3, t.percent);
    insert->Bind(4, t.priority);
    insert->Bind(5, t.subject.isEmpty() ? QVariant() : QVariant(t.subject));
    insert->Bind(6, dateOrNull(t.due));
    insert->Bind(7, dateOrNull(t.completed));
    insert->Bind(8, dateOrNull(t.start));
    insert->Bind(9, t.owner.isEmpty() ? QVariant() : QVariant(t.owner));
    insert->Step();
}

// "code:taskId:description" for each History row of a task, in the order written.
inline QStringList TaskHistory(TADOConnection& connection) {
    const auto rows = connection.Engine().Prepare(QStringLiteral(
        "SELECT HistoryCode, TaskId, Description FROM History WHERE TaskId IS NOT NULL ORDER BY HistoryId"));
    QStringList history;
    while (rows->Step())
        history << QStringLiteral("%1:%2:%3")
                       .arg(rows->Value(0).toInt())
                       .arg(rows->Value(1).toInt())
                       .arg(rows->Value(2).toString());
    return history;
}

}  // namespace task_db
