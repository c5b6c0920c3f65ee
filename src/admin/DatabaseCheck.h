// The passes of the database check over the open connection: staged rows (counted, or logged and deleted), each
// booking's validity and its overlap with the booking before it in index order, and the booking id source.
#pragma once

#include "platform/rtl/DateUtils.h"

#include <QFile>
#include <QString>
#include <functional>

class TData;

// The check's text log: 8-bit text, each piece cut to 1,024 characters.
class TCheckLog {
public:
    // False when the file cannot be created.
    bool Create(const QString& fileName);
    void Write(const QString& text);
    void Close() { file_.close(); }

private:
    QFile file_;
};

struct TCheckResults {
    int BookingRows = 0;
    int HistoryRows = 0;
    int BookingTransactions = 0;
    int HistoryTransactions = 0;
    int Errors = 0;
    int Warnings = 0;
    // The latest BookingEnd the booking pass met; 0 when it met none.
    TDateTime LatestEnd = 0;
};

class TDatabaseCheck {
public:
    TDatabaseCheck(TData& data, TCheckLog& log, bool fix, bool showWarnings);

    // Asked before each row: false ends the pass (the user pressed Stop).
    std::function<bool()> Running;
    // After each row: the status text of the pass ("Checking Bookings"), the rows done and the pass's rows.
    std::function<void(const QString& pass, int done, int total)> RowDone;

    void CheckTransactions();
    void CheckBookings();
    // An error when the source would give an id below the highest in use; with fix it is reseeded.
    void CheckNextBookingId();

    TCheckResults Results;

private:
    struct Booking;
    void CheckStagedRows(const QString& table, const QString& pass, int& rows, int& staged,
                         const std::function<void(qint64 id)>& logDeletion);
    void LogBookingDeletion(qint64 id);
    void LogHistoryDeletion(qint64 id);
    void ValidateBooking(const Booking& booking);
    void CheckOverlap(const Booking& previous, const Booking& booking, int& transactionConflicts);
    QString ResourceName(int resourceId);

    TData& data_;
    TCheckLog& log_;
    bool fix_;
    bool showWarnings_;
};
