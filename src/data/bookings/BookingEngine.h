// The booking rules below the windows: deletes of bookings and tasks and group membership, each one write
// transaction.
#pragma once

#include <QString>
#include <QVariantList>
#include <functional>

class TADOConnection;

namespace data {

// What became of a delete of a booking or a task.
enum class DeleteResult {
    // The row is gone, written together with its History row (and a booking's task with the task's).
    Deleted,
    // Another program deleted it meanwhile; nothing was written.
    Gone,
    // Its task belongs to somebody the user may not delete it for; nothing was written.
    TaskRefused,
};

struct DeleteOutcome {
    DeleteResult Result = DeleteResult::Gone;
    // The booking's task, 0 when it has none.
    int TaskId = 0;
};

enum class AttachResult {
    Attached,
    // The id names neither a booking nor a group; nothing was written.
    GroupNotFound,
};

// Every change goes to disk in one write transaction taken at once, or not at all: a failure at any point (the
// lock refused, a statement or the commit failing) rolls it back and raises, so the caller shows the file as it
// was. Nothing is shown from here; the caller turns the answers into its messages.
class BookingEngine {
public:
    // userId: the History rows' user, already cut to its column.
    BookingEngine(TADOConnection& connection, QString userId);

    // Deletes the booking with its task, writing a History row for each of them. mayDeleteTask answers for the
    // task's owner, asked under the write lock so that the task deleted is the one it was asked about.
    DeleteOutcome DeleteBooking(int bookingId, const std::function<bool(const QString& taskOwner)>& mayDeleteTask);

    // Deletes the task with its History row; the caller has asked whether the user may.
    DeleteResult DeleteTask(int taskId);

    // Puts the booking into the group of the entered id: that of the booking with that id (which heads a group
    // of its own when it had none), else the group of that number.
    AttachResult AttachToGroup(int bookingId, int enteredId);
    void DetachFromGroup(int bookingId);

private:
    // Inside the caller's write transaction: the task's row and its History row when it was there.
    bool RemoveTask(const QString& jetSql, const QVariantList& keys, int taskId);

    TADOConnection& connection_;
    QString userId_;
};

}  // namespace data
