// The database check's passes. The tables are read through forward statements, so that a file of a million
// bookings is never listed whole; staged rows are deleted one by one, each whole, after the walk that found them.
#include "admin/DatabaseCheck.h"

#include "data/bookings/BookingDateRange.h"
#include "data/bookings/BookingValidation.h"
#include "data/bookings/Bookings.h"
#include "data/module/DataModule.h"
#include "platform/rtl/DateTimeFormat.h"
#include "platform/rtl/KillPoints.h"
#include "platform/sql/Connection.h"
#include "platform/sql/Statement.h"

#include <vector>

namespace {

const QString kCrLf = QStringLiteral("\r\n");

QString StagedDate(TDateTime value) {
    return FormatDateTime(QStringLiteral("mmm dd yyyy"), value) + QStringLiteral("  ") +
           FormatDateTime(QStringLiteral("hh:mm am/pm"), value);
}

QString BookingTime(TDateTime value) { return FormatDateTime(QStringLiteral("mmm dd yy  h:mm am/pm"), value); }

QString Reason(int code, const std::optional<data::ResourceLimits>& resource, const data::RestrictLimit& global) {
    switch (code) {
        case kBookingClientEmpty: return QStringLiteral("missing \"Client\" field");
        case kBookingEndDateBeforeStart: return QStringLiteral("start date is after end date");
        case kBookingEndTimeNotAfterStart: return QStringLiteral("start time is after end time");
        case kBookingTooManyDays:
            return QStringLiteral("exceeds the maximum number of days the resource can be booked (%1)")
                .arg(resource ? resource->MaxBookDays : 0);
        case kBookingResourceNotFound: return QStringLiteral("resource not be found");
        case kBookingOutsideDateRange: return QStringLiteral("is outside the dates Dec 30 1899 to Dec 31 9999");
        case kBookingBeyondGlobalDaysAhead:
            return QStringLiteral("exceeds global max days ahead (%1)").arg(global.DaysAhead);
        case kBookingBeyondGlobalUntilDate:
            return QStringLiteral("after the global bookings until date (") +
                   FormatDateTime(QStringLiteral("mmm dd yyyy"), global.UntilDate) + u')';
        case kBookingBeyondResourceDaysAhead:
            return QStringLiteral("exceeds resource max days ahead (%1)")
                .arg(resource ? resource->Restrict.DaysAhead : 0);
        case kBookingBeyondResourceUntilDate:
            return QStringLiteral("after the resource bookings until date (") +
                   FormatDateTime(QStringLiteral("mmm dd yyyy"), resource ? resource->Restrict.UntilDate : 0) + u')';
        default: return {};
    }
}

int RowCount(sql::Connection& connection, const QString& table) {
    const auto statement = connection.Prepare(QStringLiteral("SELECT Count(*) FROM ") + table);
    return statement->Step() ? statement->Value(0).toInt() : 0;
}

}  // namespace

bool TCheckLog::Create(const QString& fileName) {
    file_.setFileName(fileName);
    return file_.open(QIODevice::WriteOnly | QIODevice::Truncate);
}

void TCheckLog::Write(const QString& text) {
    file_.write(text.left(1024).toLatin1());
    file_.flush();
}

struct TDatabaseCheck::Booking {
    qint64 Id = 0;
    bool Staged = false;
    int ResourceId = 0;
    TDateTime Start = 0;
    TDateTime End = 0;
    QString Client;
    QString Description;
};

TDatabaseCheck::TDatabaseCheck(TData& data, TCheckLog& log, bool fix, bool showWarnings)
    : data_(data), log_(log), fix_(fix), showWarnings_(showWarnings) {}

void TDatabaseCheck::CheckTransactions() {
    CheckStagedRows(QStringLiteral("Bookings"), QStringLiteral("Checking Booking Transactions"), Results.BookingRows,
                    Results.BookingTransactions, [this](qint64 id) { LogBookingDeletion(id); });
    CheckStagedRows(QStringLiteral("History"), QStringLiteral("Checking History Transactions"), Results.HistoryRows,
                    Results.HistoryTransactions, [this](qint64 id) { LogHistoryDeletion(id); });
    if (fix_ && Results.BookingTransactions + Results.HistoryTransactions > 0) log_.Write(kCrLf);
}

void TDatabaseCheck::CheckStagedRows(const QString& table, const QString& pass, int& rows, int& staged,
                                     const std::function<void(qint64 id)>& logDeletion) {
    sql::Connection& connection = data_.ADOConnection.Engine();
    const QString key = table == QStringLiteral("Bookings") ? QStringLiteral("BookingId") : QStringLiteral("HistoryId");
    const int total = RowCount(connection, table);
    std::vector<qint64> stagedIds;
    {
        const auto statement =
            connection.Prepare(QStringLiteral("SELECT %1, Trans FROM %2 ORDER BY %1").arg(key, table));
        while (Running() && statement->Step()) {
            ++rows;
            if (statement->Value(1).toBool()) {
                ++staged;
                stagedIds.push_back(statement->Value(0).toLongLong());
            }
            RowDone(pass, rows, total);
        }
    }
    if (!fix_) return;
    const auto remove = connection.Prepare(QStringLiteral("DELETE FROM %1 WHERE %2 = :Id").arg(table, key));
    for (const qint64 id : stagedIds) {
        logDeletion(id);
        remove->Bind(0, id);
        remove->Step();
        remove->Reset();
        rtl::KillPoint("CheckStagedRowDeleted");
    }
}

void TDatabaseCheck::LogBookingDeletion(qint64 id) {
    const auto row = data_.ADOConnection.Engine().Prepare(
        QStringLiteral("SELECT ResourceId, BookingStart, BookingEnd, Client, Description FROM Bookings WHERE "
                       "BookingId = :Id"));
    row->Bind(0, id);
    if (!row->Step()) return;
    const int resourceId = row->Value(0).toInt();
    log_.Write(QStringLiteral("Deleting booking transaction id: ") + QString::number(id) +
               QStringLiteral("   Resource: ") + ResourceName(resourceId) + QStringLiteral(" (id=") +
               QString::number(resourceId) + u')' + QStringLiteral("   Start: ") +
               StagedDate(row->Value(1).toDouble()) + QStringLiteral("   End: ") +
               StagedDate(row->Value(2).toDouble()) + QStringLiteral("   Client: ") + row->Value(3).toString() +
               QStringLiteral("   Description: ") + row->Value(4).toString() + kCrLf);
}

void TDatabaseCheck::LogHistoryDeletion(qint64 id) {
    const auto row = data_.ADOConnection.Engine().Prepare(
        QStringLiteral("SELECT BookingId, HistoryTimeStamp, Description FROM History WHERE HistoryId = :Id"));
    row->Bind(0, id);
    if (!row->Step()) return;
    QString description = row->Value(2).toString();
    description.replace(u'\r', u' ').replace(u'\n', u' ');
    log_.Write(QStringLiteral("Deleting history transaction id: ") + QString::number(id) +
               QStringLiteral("   Booking id: ") + row->Value(0).toString() + QStringLiteral("   DateTime: ") +
               FormatDateTime(QStringLiteral("mmm dd yyyy hh:mm am/pm"), row->Value(1).toDouble()) +
               QStringLiteral("   Description: ") + description + kCrLf);
}

void TDatabaseCheck::CheckBookings() {
    sql::Connection& connection = data_.ADOConnection.Engine();
    const int total = RowCount(connection, QStringLiteral("Bookings"));
    const auto statement = connection.Prepare(
        QStringLiteral("SELECT BookingId, Trans, ResourceId, BookingStart, BookingEnd, Client, Description FROM "
                       "Bookings ORDER BY ResourceId, BookingStart, BookingId"));
    int done = 0;
    int transactionConflicts = 0;
    const int errorsBefore = Results.Errors;
    const int warningsBefore = Results.Warnings;
    Booking previous;
    while (Running() && statement->Step()) {
        Booking booking{statement->Value(0).toLongLong(), statement->Value(1).toBool(),
                        statement->Value(2).toInt(),      statement->Value(3).toDouble(),
                        statement->Value(4).toDouble(),   statement->Value(5).toString(),
                        statement->Value(6).toString()};
        ++done;
        RowDone(QStringLiteral("Checking Bookings"), done, total);
        if (done == 1 || booking.End > Results.LatestEnd) Results.LatestEnd = booking.End;
        if (!booking.Staged) ValidateBooking(booking);
        if (done > 1) CheckOverlap(previous, booking, transactionConflicts);
        previous = std::move(booking);
    }
    if (transactionConflicts > 0) {
        ++Results.Errors;
        log_.Write(kCrLf + QStringLiteral("Warning - ") + QString::number(transactionConflicts) +
                   QStringLiteral(" conflict(s) with transaction bookings.") + kCrLf +
                   QStringLiteral("These conflicts may be due to a booking in progress.") + kCrLf +
                   QStringLiteral("Perform a \"Check to Fix\" to remove them if they are errors.") + kCrLf);
    }
    if (Results.Errors > errorsBefore || Results.Warnings > warningsBefore) log_.Write(kCrLf);
}

void TDatabaseCheck::ValidateBooking(const Booking& booking) {
    const std::optional<data::ResourceLimits> resource =
        data::FindResourceLimits(data_.ResourceShadowTable, booking.ResourceId);
    const data::RestrictLimit global = data::GlobalLimit(data_.GlobalTable);
    const int code =
        data::ValidateBookingValues({booking.Client, booking.Start, booking.End}, resource, global, Date());
    if (code == kBookingValid) return;
    const bool error = code == kBookingClientEmpty || code == kBookingEndDateBeforeStart ||
                       code == kBookingEndTimeNotAfterStart || code == kBookingResourceNotFound ||
                       code == kBookingOutsideDateRange;
    if (error) ++Results.Errors;
    else ++Results.Warnings;
    if (!error && !showWarnings_) return;
    log_.Write(kCrLf + (error ? QStringLiteral("Error - ") : QStringLiteral("Warning - ")) +
               QStringLiteral(" booking ") + QString::number(booking.Id) + u' ' + Reason(code, resource, global) +
               kCrLf + QStringLiteral("Id: ") + QString::number(booking.Id) + QStringLiteral("   Resource: ") +
               ResourceName(booking.ResourceId) + QStringLiteral(" (id=") + QString::number(booking.ResourceId) +
               QStringLiteral(") Date:") + FormatDateTime(QStringLiteral("mmm dd yy"), booking.Start) +
               QStringLiteral("   Start: ") + BookingTime(booking.Start) + QStringLiteral("   End: ") +
               BookingTime(booking.End) + QStringLiteral("   Client: ") + booking.Client +
               QStringLiteral("   Description: ") + booking.Description + kCrLf);
}

void TDatabaseCheck::CheckOverlap(const Booking& previous, const Booking& booking, int& transactionConflicts) {
    if (booking.ResourceId != previous.ResourceId || DateOf(booking.Start) != DateOf(previous.Start) ||
        !(TimeOf(booking.Start) < TimeOf(previous.End)))
        return;
    if (booking.Staged || previous.Staged) {
        ++transactionConflicts;
        return;
    }
    ++Results.Errors;
    log_.Write(kCrLf + QStringLiteral("Error - Booking ") + QString::number(previous.Id) +
               QStringLiteral(" ends after ") + QString::number(booking.Id) + QStringLiteral(" begins.") + kCrLf +
               QStringLiteral("Id: ") + QString::number(previous.Id) + QStringLiteral("   Resource: ") +
               ResourceName(booking.ResourceId) + QStringLiteral(" (id=") + QString::number(booking.ResourceId) +
               QStringLiteral(") Date:") + FormatDateTime(QStringLiteral("mmm dd yy"), booking.Start) +
               QStringLiteral("   Start: ") + BookingTime(previous.Start) + QStringLiteral("   End: ") +
               BookingTime(previous.End) + QStringLiteral("   Client: ") + previous.Client +
               QStringLiteral("   Description: ") + previous.Description + kCrLf);
    log_.Write(QStringLiteral("Id: ") + QString::number(booking.Id) + QStringLiteral("   Start: ") +
               BookingTime(booking.Start) + QStringLiteral("   End: ") + BookingTime(booking.End) +
               QStringLiteral("   Client: ") + booking.Client + QStringLiteral("   Description: ") +
               booking.Description + kCrLf);
}

void TDatabaseCheck::CheckNextBookingId() {
    int nextId = 0;
    int highestId = 0;
    if (TData::CheckNextBookingId(data_.ADOConnection, nextId, highestId) || nextId >= highestId) return;
    ++Results.Errors;
    QString text = QStringLiteral("Error - NextBookingId is lower than the highest BookingId. ") + kCrLf;
    if (fix_) {
        TData::ReseedNextBookingId(data_.ADOConnection, highestId + 1);
        text += QStringLiteral("NextBookingId changed from %1 to %2").arg(nextId).arg(highestId) + kCrLf;
    }
    log_.Write(text);
}

QString TDatabaseCheck::ResourceName(int resourceId) {
    const auto statement = data_.ADOConnection.Engine().Prepare(
        QStringLiteral("SELECT ResourceName FROM Resources WHERE ResourceId = :Id"));
    statement->Bind(0, resourceId);
    return statement->Step() ? statement->Value(0).toString() : QString();
}
