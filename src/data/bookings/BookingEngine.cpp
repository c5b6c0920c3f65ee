// Deleting bookings and tasks with their History, and moving bookings between groups.
#include "data/bookings/BookingEngine.h"

#include "data/bookings/History.h"
#include "data/bookings/WriteTransaction.h"
#include "platform/db/ADOConnection.h"
#include "platform/sql/Connection.h"
#include "platform/sql/Statement.h"

#include <optional>
#include <utility>

namespace data {
namespace {

// Runs a cached statement with its parameters bound in order and answers the rows it changed.
int RunChange(sql::Connection& engine, const QString& jetSql, const QVariantList& values) {
    const sql::StatementLease statement = engine.Cached(jetSql);
    for (int i = 0; i < values.size(); ++i) statement->Bind(i, values[i]);
    statement->Step();
    return engine.Changes();
}

// The first row's first columns of a cached query, none when it finds no row.
std::optional<QVariantList> FirstRow(sql::Connection& engine, const QString& jetSql, const QVariant& value,
                                     int columns) {
    const sql::StatementLease query = engine.Cached(jetSql);
    query->Bind(0, value);
    if (!query->Step()) return std::nullopt;
    QVariantList row;
    for (int i = 0; i < columns; ++i) row << query->Value(i);
    return row;
}

}  // namespace

BookingEngine::BookingEngine(TADOConnection& connection, QString userId)
    : connection_(connection), userId_(std::move(userId)) {}

DeleteOutcome BookingEngine::DeleteBooking(int bookingId,
                                           const std::function<bool(const QString& taskOwner)>& mayDeleteTask) {
    sql::Connection& engine = connection_.Engine();
    WriteTransaction transaction(connection_);
    DeleteOutcome outcome;
    const std::optional<QVariantList> task =
        FirstRow(engine, QStringLiteral("SELECT TaskId, Owner FROM Tasks WHERE BookingId = :Id"), bookingId, 2);
    if (task) {
        outcome.TaskId = task->at(0).toInt();
        if (!mayDeleteTask(task->at(1).toString())) {
            outcome.Result = DeleteResult::TaskRefused;
            return outcome;
        }
    }
    if (RunChange(engine, QStringLiteral("DELETE FROM Bookings WHERE BookingId = :Id"), {bookingId}) != 1)
        return outcome;
    HistoryEntry history;
    history.BookingId = bookingId;
    history.Code = HistoryCode::BookingDeleted;
    history.UserId = userId_;
    WriteHistoryRow(connection_, history);
    if (task)
        RemoveTask(QStringLiteral("DELETE FROM Tasks WHERE BookingId = :BookingId AND TaskId = :TaskId"),
                   {bookingId, outcome.TaskId}, outcome.TaskId);
    transaction.Commit();
    outcome.Result = DeleteResult::Deleted;
    return outcome;
}

DeleteResult BookingEngine::DeleteTask(int taskId) {
    WriteTransaction transaction(connection_);
    if (!RemoveTask(QStringLiteral("DELETE FROM Tasks WHERE TaskId = :TaskId"), {taskId}, taskId))
        return DeleteResult::Gone;
    transaction.Commit();
    return DeleteResult::Deleted;
}

bool BookingEngine::RemoveTask(const QString& jetSql, const QVariantList& keys, int taskId) {
    if (RunChange(connection_.Engine(), jetSql, keys) != 1) return false;
    HistoryEntry history;
    history.TaskId = taskId;
    history.Code = HistoryCode::TaskDeleted;
    history.UserId = userId_;
    WriteHistoryRow(connection_, history);
    return true;
}

AttachResult BookingEngine::AttachToGroup(int bookingId, int enteredId) {
    sql::Connection& engine = connection_.Engine();
    // The group is looked up under the write lock, so that it cannot go before the booking joins it.
    WriteTransaction transaction(connection_);
    int group = 0;
    bool enteredBecomesHead = false;
    if (const auto booking =
            FirstRow(engine, QStringLiteral("SELECT BookingId, GroupBookingId FROM Bookings WHERE BookingId = :Id"),
                     enteredId, 2)) {
        group = booking->at(1).toInt();
        if (group == 0) {
            group = booking->at(0).toInt();
            enteredBecomesHead = true;
        }
    } else if (const auto member =
                   FirstRow(engine, QStringLiteral("SELECT GroupBookingId FROM Bookings WHERE GroupBookingId = :Id"),
                            enteredId, 1)) {
        group = member->at(0).toInt();
    }
    if (group == 0) return AttachResult::GroupNotFound;
    // The booking and the head it makes join the group together.
    RunChange(engine, QStringLiteral("UPDATE Bookings SET GroupBookingId = :Group WHERE BookingId = :Id"),
              {group, bookingId});
    if (enteredBecomesHead)
        RunChange(engine,
                  QStringLiteral("UPDATE Bookings SET GroupBookingId = :Group WHERE BookingId = :Id AND "
                                 "(GroupBookingId IS NULL OR GroupBookingId = 0)"),
                  {group, group});
    transaction.Commit();
    return AttachResult::Attached;
}

void BookingEngine::DetachFromGroup(int bookingId) {
    WriteTransaction transaction(connection_);
    RunChange(connection_.Engine(), QStringLiteral("UPDATE Bookings SET GroupBookingId = NULL WHERE BookingId = :Id"),
              {bookingId});
    transaction.Commit();
}

}  // namespace data
