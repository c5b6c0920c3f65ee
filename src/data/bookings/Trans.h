// TTrans: a staged change set over the Bookings or the History table, committed or rolled back as a whole.
#pragma once

#include <QList>
#include <QString>
#include <functional>
#include <memory>

#include "platform/rtl/Exceptions.h"

class TADOTable;
class TDataSet;
class TBookingRecord;

// Operation kinds of a change set.
enum : quint8 { kOpInsert = 0, kOpModify = 1, kOpDelete = 2 };
// Kinds of change set.
enum : quint8 { kTransBookings = 0, kTransHistory = 1 };

// A write of a commit that failed on a row (its update or delete). The caller's write transaction is to be rolled
// back; then, with no lock held, the caller asks RetryQuestion and either commits again or declines the row.
class ETransWriteError : public EDatabaseError {
public:
    ETransWriteError(qint32 bookingId, bool deleting, const QString& cause);
    qint32 BookingId;
    bool Deleting;
    QString Cause;
    // "Booking id n could not be updated." + the cause + "Retry update?" (or deleted / delete).
    QString RetryQuestion() const;
};

class TTrans {
public:
    explicit TTrans(quint8 kind);

    quint8 Kind;
    bool Active = false;
    // Per operation, in parallel: its kind, the existing row's id (modify, delete), the working row's id
    // (insert, modify) and whether it was withdrawn. Ids are BookingIds, or HistoryIds for the History set.
    QList<quint8> OpKinds;
    QList<qint32> OriginalIds;
    QList<qint32> WorkingIds;
    QList<bool> Undone;

    // Where the set works; the data module sets these when it makes its tables.
    TADOTable* Table = nullptr;
    // Bookings set: requeried with the table when a working row will not delete.
    TADOTable* ShadowTable = nullptr;
    // Bookings set: the History rows staged for a booking whose change cannot be applied are withdrawn with it.
    TTrans* HistorySet = nullptr;
    // Bookings set: a record over the dataset that carries the database's custom booking columns.
    std::function<std::unique_ptr<TBookingRecord>(TDataSet&)> NewRecord;
    // Milliseconds the caller waits before a retried update or delete.
    quint32 RetryDelay = 2500;
    // Why the last CommitTrans left operations unapplied; empty when everything was applied.
    QString CommitError;

    // Forgets earlier operations and makes the set active.
    void BeginTrans();
    // Ends the set without touching the table: its rows went with a write transaction that was rolled back.
    void Discard();
    // The change of that booking is not applied by the next CommitTrans: the user declined to retry it.
    void Decline(qint32 originalId) { declined_ << originalId; }
    // Stages one operation on the table's current row and answers its index. Insert and modify leave the
    // table on the working row in insert state (History insert: posted and back in edit state).
    int AddOperation(quint8 opKind);
    // Withdraws an operation; in the Bookings set its working row is deleted too.
    void UndoOperation(int index);
    // Withdraws an operation whose working row was never stored (its post failed): no row is deleted, since the
    // id it was given may belong to another row.
    void WithdrawUnstored(int index) { Undone[index] = true; }
    void SetWorkingId(int index, qint32 id);
    // The working id of the last modify of that original row; false (and 0) when there is none.
    bool FindWorkingId(qint32 originalId, qint32& workingId) const;
    bool FindOriginalId(qint32 workingId, qint32& originalId) const;
    // Applies every operation and ends the set (inactive, no operations). A change that cannot be applied
    // (its booking deleted by another user, or declined) is rolled back: its working row and its staged History
    // rows are deleted, CommitError says why and the answer is false for the caller to tell. A write that fails
    // otherwise raises ETransWriteError (any other failure its own error) and leaves the set's operations for the
    // caller, who rolls back its write transaction and restores the sets as they were before the commit.
    bool CommitTrans();
    // Deletes the working rows of every operation not withdrawn and deactivates the set.
    void RollbackTrans();

private:
    int Append(quint8 opKind, qint32 originalId);
    const char* IdField() const;
    bool LocateId(qint32 id);
    void DeleteWorkingRow(qint32 id);
    void RequeryTables();
    void CommitInsert(int index);
    bool CommitDelete(int index);
    bool CommitModify(int index);
    bool Fail(const QString& reason);
    void WithdrawHistoryOf(qint32 bookingId);
    void ClearOperations();

    QList<qint32> declined_;
};
