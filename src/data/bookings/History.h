// Writing History rows: booking changes (staged while the History change set is active) and task changes.
#pragma once

#include <QString>

class TADOConnection;
class TADOQuery;
class TTrans;

namespace data {

// The History codes of the changes the engine writes; the values are those stored in History.HistoryCode.
enum class HistoryCode : int {
    BookingCreated = 1,
    BookingModified = 2,
    BookingDeleted = 3,
    TaskCreated = 7,
    TaskModified = 8,
    TaskDeleted = 9,
    TaskAttached = 30,
};

// One History row written straight to the file as a committed change, inside the caller's write transaction.
// -1 leaves an id column null; the user id must already fit its column.
struct HistoryEntry {
    int BookingId = -1;
    int GroupBookingId = -1;
    int TaskId = -1;
    HistoryCode Code = HistoryCode::BookingCreated;
    QString UserId;
    QString Description;
    // Written with Trans true and no description, to be committed or removed with its staged booking.
    bool Staged = false;
};
void WriteHistoryRow(TADOConnection& connection, const HistoryEntry& entry);

// One History row through the History change set's table: staged when the set is active, else a plain new
// row. -1 for either id leaves that column null; stamped with the current date and time; the user id is cut to
// its column.
void AddHistoryRow(TTrans& historyTrans, int bookingId, int groupBookingId, int historyCode, const QString& userId,
                   const QString& description);
// One History row of a task through the prepared insert statement; never staged. The caller fits the user id.
void AddTaskHistoryRow(TADOQuery& tasksHistoryQuery, int taskId, int historyCode, const QString& userId,
                       const QString& description);

}  // namespace data
