// The booking rules below the windows: deletes and group membership, each one write transaction.
#pragma once

#include <QString>
#include <functional>

class TADOConnection;

namespace data {

// What became of a booking's delete.
enum class DeleteResult {
    // The booking, its History row, its task and the task's History row are written together.
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

    // Puts the booking into the group of the entered id: that of the booking with that id (which heads a group
    // of its own when it had none), else the group of that number.
    AttachResult AttachToGroup(int bookingId, int enteredId);
    void DetachFromGroup(int bookingId);

private:
    TADOConnection& connection_;
    QString userId_;
};

}  // namespace data
