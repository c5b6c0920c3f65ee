// Writing History rows: booking changes (staged while the History change set is active) and task changes.
#pragma once

#include <QString>

class TADOQuery;
class TTrans;

namespace data {

// One History row through the History change set's table: staged when the set is active, else a plain new
// row. -1 for either id leaves that column null; stamped with the current date and time; the user id is cut to
// its column.
void AddHistoryRow(TTrans& historyTrans, int bookingId, int groupBookingId, int historyCode, const QString& userId,
                   const QString& description);
// One History row of a task through the prepared insert statement; never staged. The caller fits the user id.
void AddTaskHistoryRow(TADOQuery& tasksHistoryQuery, int taskId, int historyCode, const QString& userId,
                       const QString& description);

}  // namespace data
