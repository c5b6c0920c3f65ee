// The History rows of bookings and tasks.
#include "data/bookings/History.h"

#include "data/bookings/Trans.h"
#include "data/bookings/UserIdentity.h"
#include "platform/db/ADOConnection.h"
#include "platform/db/ADODataSet.h"
#include "platform/db/Field.h"
#include "platform/rtl/DateUtils.h"
#include "platform/sql/Connection.h"
#include "platform/sql/Statement.h"

#include <iterator>

namespace data {

namespace {

void SetId(TDataSet& table, const QString& column, int id) {
    if (id == -1) table.FieldByName(column).Clear();
    else table.FieldByName(column).SetAsInteger(id);
}

}  // namespace

void AddHistoryRow(TTrans& historyTrans, int bookingId, int groupBookingId, int historyCode, const QString& userId,
                   const QString& description) {
    TADOTable& table = *historyTrans.Table;
    if (historyTrans.Active) historyTrans.AddOperation(kOpInsert);
    else table.Insert();
    SetId(table, QStringLiteral("BookingId"), bookingId);
    SetId(table, QStringLiteral("GroupBookingId"), groupBookingId);
    table.FieldByName(QStringLiteral("HistoryTimeStamp")).SetAsDateTime(Now());
    table.FieldByName(QStringLiteral("HistoryCode")).SetAsInteger(historyCode);
    TField& user = table.FieldByName(QStringLiteral("Userid"));
    // A login name longer than the column is kept cut rather than losing the row.
    user.SetAsString(FitToColumn(userId, user.Size()));
    table.FieldByName(QStringLiteral("Description")).SetAsString(description);
    try {
        table.Post();
    } catch (...) {
        // Left pending, the row would be posted by the table's next move, outside the caller's transaction.
        table.Cancel();
        throw;
    }
}

void WriteHistoryRow(TADOConnection& connection, const HistoryEntry& entry) {
    const auto id = [](int value) { return value == -1 ? QVariant() : QVariant(value); };
    const sql::StatementLease insert = connection.Engine().Cached(
        QStringLiteral("INSERT INTO History (Trans, BookingId, GroupBookingId, TaskId, HistoryTimeStamp, HistoryCode, "
                       "Userid, Description) VALUES (:Trans, :BookingId, :GroupBookingId, :TaskId, :Stamp, :Code, "
                       ":Userid, :Description)"));
    // Trans true (-1) while staged, empty as a committed change leaves it.
    const QVariant values[] = {entry.Staged ? QVariant(-1) : QVariant(),
                               id(entry.BookingId),
                               id(entry.GroupBookingId),
                               id(entry.TaskId),
                               Now(),
                               static_cast<int>(entry.Code),
                               entry.UserId,
                               entry.Staged ? QVariant() : QVariant(entry.Description)};
    for (int i = 0; i < int(std::size(values)); ++i) insert->Bind(i, values[i]);
    insert->Step();
}

void AddTaskHistoryRow(TADOQuery& tasksHistoryQuery, int taskId, int historyCode, const QString& userId,
                       const QString& description) {
    TParameters& p = tasksHistoryQuery.Parameters;
    p.ParamByName(QStringLiteral("TheHistoryCode")).SetValue(historyCode);
    p.ParamByName(QStringLiteral("TheUserid")).SetValue(userId);
    p.ParamByName(QStringLiteral("TheTaskId")).SetValue(taskId);
    p.ParamByName(QStringLiteral("TheHistoryTimeStamp")).SetValue(Now());
    p.ParamByName(QStringLiteral("TheDescription")).SetValue(description);
    tasksHistoryQuery.ExecSQL();
}

}  // namespace data
