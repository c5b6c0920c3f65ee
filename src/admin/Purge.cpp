// The purge passes: rows read a page at a time by their place in the table, never all their ids at once; a
// page's deletions committed together, so a kill or a full disk leaves each row there or gone.
#include "admin/Purge.h"

#include "data/bookings/WriteTransaction.h"
#include "platform/db/ADOConnection.h"
#include "platform/rtl/DateTimeFormat.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FaultInjection.h"
#include "platform/rtl/KillPoints.h"
#include "platform/sql/Connection.h"

#include <QVariant>
#include <cmath>
#include <vector>

namespace admin {

namespace {

constexpr int kLogPieceLength = 1024;
const QString kLineEnd = QStringLiteral("\r\n");
const QString kLogDateTime = QStringLiteral("mmm dd yy  h:mm am/pm");

// One row of a page: its place in the table and its values, in the order of the page's select list.
struct PurgeRow {
    qint64 rowId = 0;
    QVariantList values;
};

int RowCountOf(sql::Connection& engine, const QString& table) {
    const sql::StatementLease count = engine.CachedNative(QStringLiteral("SELECT count(*) FROM ") + table);
    return count->Step() ? count->Value(0).toInt() : 0;
}

// The next page after the row with that place, read completely before anything is deleted.
std::vector<PurgeRow> NextPage(sql::Connection& engine, const QString& columns, const QString& table,
                               qint64 afterRowId) {
    const sql::StatementLease page =
        engine.CachedNative(QStringLiteral("SELECT rowid, %1 FROM %2 WHERE rowid > ? ORDER BY rowid LIMIT %3")
                                .arg(columns, table)
                                .arg(kPurgePageRows));
    page->Bind(0, afterRowId);
    std::vector<PurgeRow> rows;
    while (page->Step()) {
        PurgeRow row{page->Value(0).toLongLong(), {}};
        for (int i = 1; i < page->ColumnCount(); ++i) row.values << page->Value(i);
        rows.push_back(std::move(row));
    }
    return rows;
}

void DeleteRow(sql::Connection& engine, const QString& table, qint64 rowId) {
    if (rtl::FaultInjection::Fails()) throw EDatabaseError(QStringLiteral("Disk I/O error"));
    const sql::StatementLease remove = engine.CachedNative(QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(table));
    remove->Bind(0, rowId);
    remove->Step();
    rtl::KillPoint("purge-row");
}

// The day of a date-time value; a missing value counts as the oldest.
double DayOf(const QVariant& value) { return value.isNull() ? 0 : std::floor(value.toDouble()); }

// Walks the table page by page; decide answers the log line of a row to delete, or an empty text to keep it.
PurgeCounts Walk(TADOConnection& connection, const QString& table, const QString& columns,
                 const std::function<QString(const PurgeRow&)>& decide, const PurgeMonitor& monitor) {
    sql::Connection& engine = connection.Engine();
    PurgeCounts counts;
    const int total = RowCountOf(engine, table);
    qint64 last = -1;
    for (;;) {
        const std::vector<PurgeRow> page = NextPage(engine, columns, table, last);
        if (page.empty()) break;
        QString lines;
        int purged = 0;
        data::WriteTransaction transaction(connection);
        try {
            for (const PurgeRow& row : page) {
                if (monitor.running && !monitor.running()) {
                    counts.stopped = true;
                    break;
                }
                ++counts.processed;
                last = row.rowId;
                if (monitor.row) monitor.row(counts.processed, total == 0 ? 100 : counts.processed * 100 / total);
                const QString line = decide(row);
                if (line.isEmpty()) continue;
                DeleteRow(engine, table, row.rowId);
                lines += line;
                ++purged;
            }
            transaction.Commit();
        } catch (const Exception&) {
            transaction.Rollback();
            counts.failed = true;
            return counts;
        }
        rtl::KillPoint("purge-batch");
        counts.purged += purged;
        if (monitor.log && !lines.isEmpty()) monitor.log(lines);
        if (counts.stopped) break;
    }
    return counts;
}

QString Text(const QVariant& value) { return value.isNull() ? QString() : value.toString(); }

QString LogDate(const QVariant& value) {
    return value.isNull() ? QString() : FormatDateTime(kLogDateTime, value.toDouble());
}

bool BookingWith(sql::Connection& engine, const QString& column, const QVariant& id) {
    const sql::StatementLease found =
        engine.CachedNative(QStringLiteral("SELECT 1 FROM Bookings WHERE %1 = ? LIMIT 1").arg(column));
    found->Bind(0, id);
    return found->Step();
}

}  // namespace

bool PurgeLog::Create(const QString& fileName) {
    file_.setFileName(fileName);
    return !rtl::FaultInjection::Fails() && file_.open(QIODevice::WriteOnly | QIODevice::Truncate);
}

void PurgeLog::Write(const QString& piece) {
    QString text = piece;
    if (text.size() > kLogPieceLength)
        text = text.endsWith(kLineEnd) ? text.left(kLogPieceLength - kLineEnd.size()) + kLineEnd
                                       : text.left(kLogPieceLength);
    const QByteArray bytes = text.toLatin1();
    if (rtl::FaultInjection::Fails() || file_.write(bytes) != bytes.size())
        throw EWriteError(QStringLiteral("Could not write log file \"%1\"").arg(file_.fileName()));
}

PurgeCounts PurgeBookings(TADOConnection& connection, TDateTime lastDay, const PurgeMonitor& monitor) {
    const double day = std::floor(lastDay);
    return Walk(
        connection, QStringLiteral("Bookings"),
        QStringLiteral("BookingId, BookingStart, BookingEnd, Client, Phone, Description, Reminder"),
        [day](const PurgeRow& row) -> QString {
            const QVariantList& v = row.values;
            if (DayOf(v[2]) > day) return QString();
            return QStringLiteral("Deleted Id: ") + Text(v[0]) + QStringLiteral("   Start: ") + LogDate(v[1]) +
                   QStringLiteral("   End: ") + LogDate(v[2]) + QStringLiteral("   Client: ") + Text(v[3]) +
                   QStringLiteral("   Phone: ") + Text(v[4]) + QStringLiteral("   Description: ") + Text(v[5]) +
                   QStringLiteral("   Reminder: ") + Text(v[6]) + kLineEnd;
        },
        monitor);
}

PurgeCounts PurgeOrphanHistory(TADOConnection& connection, TDateTime lastDay, const PurgeMonitor& monitor) {
    const double day = std::floor(lastDay);
    sql::Connection& engine = connection.Engine();
    return Walk(
        connection, QStringLiteral("History"),
        QStringLiteral("HistoryId, BookingId, GroupBookingId, HistoryTimeStamp, Description"),
        [day, &engine](const PurgeRow& row) -> QString {
            const QVariantList& v = row.values;
            if (DayOf(v[3]) > day) return QString();
            const QVariant& bookingId = v[1];
            const QVariant& groupId = v[2];
            const bool orphan = (bookingId.isNull() && groupId.isNull()) ||
                                (!bookingId.isNull() && !BookingWith(engine, QStringLiteral("BookingId"), bookingId)) ||
                                (!groupId.isNull() && !BookingWith(engine, QStringLiteral("GroupBookingId"), groupId));
            if (!orphan) return QString();
            return QStringLiteral("Deleted History BookingId: ") + Text(bookingId) + QStringLiteral("   HistoryId: ") +
                   Text(v[0]) + QStringLiteral("   TimeStamp: ") +
                   (v[3].isNull() ? QString() : DateTimeToStr(v[3].toDouble())) + QStringLiteral("   Desc: ") +
                   Text(v[4]) + kLineEnd;
        },
        monitor);
}

}  // namespace admin
