// Staging, committing and rolling back the change sets over Bookings and History.
#include "data/bookings/Trans.h"

#include "data/bookings/BookingRecord.h"
#include "data/bookings/WriteTransaction.h"
#include "platform/db/ADOConnection.h"
#include "platform/db/ADODataSet.h"
#include "platform/db/Field.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/Exceptions.h"
#include "platform/sql/Connection.h"
#include "platform/sql/Database.h"

ETransWriteError::ETransWriteError(qint32 bookingId, bool deleting, const QString& cause)
    : EDatabaseError(cause), BookingId(bookingId), Deleting(deleting), Cause(cause) {}

QString ETransWriteError::RetryQuestion() const {
    const QString what = Deleting ? QStringLiteral("deleted") : QStringLiteral("updated");
    return QStringLiteral("Booking id ") + QString::number(BookingId) + QStringLiteral(" could not be ") + what +
           QStringLiteral(".\r\r") + Cause + QStringLiteral("\r\rRetry ") + what.chopped(1) + QStringLiteral("?");
}

TTrans::TTrans(quint8 kind) : Kind(kind) {}

void TTrans::BeginTrans() {
    ClearOperations();
    CommitError.clear();
    Active = true;
}

void TTrans::Discard() {
    ClearOperations();
    Active = false;
}

void TTrans::ClearOperations() {
    OpKinds.clear();
    OriginalIds.clear();
    WorkingIds.clear();
    Undone.clear();
    declined_.clear();
}

const char* TTrans::IdField() const { return Kind == kTransHistory ? "HistoryId" : "BookingId"; }

bool TTrans::LocateId(qint32 id) { return Table->Locate(QLatin1String(IdField()), id); }

// An operation counts as withdrawn until it is fully built, so a failure half-way leaves nothing to apply.
int TTrans::Append(quint8 opKind, qint32 originalId) {
    OpKinds.append(opKind);
    OriginalIds.append(originalId);
    WorkingIds.append(0);
    Undone.append(true);
    return static_cast<int>(OpKinds.size()) - 1;
}

int TTrans::AddOperation(quint8 opKind) {
    TADOTable& table = *Table;
    const bool modifies = opKind == kOpModify || opKind == kOpDelete;
    const int index =
        Append(opKind, modifies ? static_cast<qint32>(table.FieldByName(QStringLiteral("BookingId")).AsInteger()) : 0);
    if (opKind == kOpInsert && Kind == kTransHistory) {
        table.Insert();
        table.FieldByName(QStringLiteral("Trans")).SetAsBoolean(true);
        table.FieldByName(QStringLiteral("HistoryTimeStamp")).SetAsDateTime(Now());
        table.Post();
        WorkingIds[index] = static_cast<qint32>(table.FieldByName(QStringLiteral("HistoryId")).AsInteger());
        table.Edit();
    } else if (opKind == kOpInsert || opKind == kOpModify) {
        std::unique_ptr<TBookingRecord> original;
        if (opKind == kOpModify) {
            original = NewRecord ? NewRecord(table) : std::make_unique<TBookingRecord>(table, nullptr, nullptr);
            original->Load();
        }
        table.Insert();
        table.FieldByName(QStringLiteral("Trans")).SetAsBoolean(true);
        if (original) original->Save(false);
        WorkingIds[index] = static_cast<qint32>(table.FieldByName(QStringLiteral("BookingId")).AsInteger());
    }
    Undone[index] = false;
    return index;
}

void TTrans::RequeryTables() {
    Table->Requery();
    if (ShadowTable && ShadowTable->Active()) ShadowTable->Requery();
}

// A withdrawn History row stays as it is; only booking rows are taken out of the table here.
void TTrans::UndoOperation(int index) {
    Undone[index] = true;
    if (Kind == kTransHistory) return;
    const qint32 working = WorkingIds[index];
    if (working == 0 || !LocateId(working)) return;
    const bool inTransaction = Table->Connection()->InTransaction();
    try {
        Table->Delete();
    } catch (const Exception&) {
        // The caller's write transaction is gone with the failure: nothing more may be written outside it.
        if (inTransaction && !Table->Connection()->InTransaction()) throw;
        RequeryTables();
        if (LocateId(working)) Table->Delete();
    }
}

void TTrans::SetWorkingId(int index, qint32 id) { WorkingIds[index] = id; }

bool TTrans::FindWorkingId(qint32 originalId, qint32& workingId) const {
    workingId = 0;
    for (int i = 0; i < OpKinds.size(); ++i)
        if (OpKinds[i] == kOpModify && OriginalIds[i] == originalId) workingId = WorkingIds[i];
    return workingId != 0;
}

bool TTrans::FindOriginalId(qint32 workingId, qint32& originalId) const {
    originalId = 0;
    for (int i = 0; i < OpKinds.size(); ++i)
        if (OpKinds[i] == kOpModify && WorkingIds[i] == workingId) originalId = OriginalIds[i];
    return originalId != 0;
}

void TTrans::DeleteWorkingRow(qint32 id) {
    if (LocateId(id)) Table->Delete();
}

void TTrans::CommitInsert(int index) {
    if (!LocateId(WorkingIds[index])) return;
    Table->Edit();
    Table->FieldByName(QStringLiteral("Trans")).Clear();
    Table->Post();
}

namespace {

QString LostBookingText(qint32 bookingId) {
    return QStringLiteral(
               "Booking id %1 could not be updated because another user has deleted it. "
               "Your changes to it have not been saved.")
        .arg(bookingId);
}

}  // namespace

// Every unapplied change gets its line.
bool TTrans::Fail(const QString& reason) {
    if (!CommitError.isEmpty()) CommitError += u'\r';
    CommitError += reason;
    return false;
}

bool TTrans::CommitDelete(int index) {
    const qint32 original = OriginalIds[index];
    // Already gone: the booking is deleted, as asked.
    if (!LocateId(original)) return true;
    if (declined_.contains(original))
        return Fail(QStringLiteral("Booking id %1 could not be deleted. It has been kept.").arg(original));
    const bool inTransaction = Table->Connection()->InTransaction();
    try {
        Table->Delete();
        return true;
    } catch (const Exception& e) {
        if (inTransaction && !Table->Connection()->InTransaction()) throw;
        // The failed write may have left the table's copy stale.
        RequeryTables();
        if (!LocateId(original)) return true;
        throw ETransWriteError(original, true, e.Message());
    }
}

// The original row takes the working row's values and the working row goes, both in one database
// transaction: nobody sees the booking's period free in between, and a failure leaves the working row as it was.
bool TTrans::CommitModify(int index) {
    const qint32 original = OriginalIds[index];
    const qint32 working = WorkingIds[index];
    TADOConnection& connection = *Table->Connection();
    if (!LocateId(working)) return true;
    std::unique_ptr<TBookingRecord> record =
        NewRecord ? NewRecord(*Table) : std::make_unique<TBookingRecord>(*Table, nullptr, nullptr);
    record->Load();
    if (!LocateId(original)) return Fail(LostBookingText(original));
    if (declined_.contains(original))
        return Fail(QStringLiteral("Booking id %1 could not be updated. Your changes to it have not been saved.")
                        .arg(original));
    const bool inTransaction = connection.InTransaction();
    try {
        data::WriteTransaction transaction(connection);
        Table->Edit();
        record->Save(false);
        Table->Post();
        DeleteWorkingRow(working);
        transaction.Commit();
    } catch (const Exception& e) {
        if (Table->State() == dsEdit) Table->Cancel();
        // The caller's write transaction is gone with the failure: nothing more may be written outside it.
        if (inTransaction && !connection.InTransaction()) throw;
        RequeryTables();
        // Deleted meanwhile: no retry can bring it back, and the working row keeps the user's values.
        if (!LocateId(original)) return Fail(LostBookingText(original));
        throw ETransWriteError(original, false, e.Message());
    }
    // The change is in the file: failing to put the table back on the booking must not report it unsaved
    // (its History row would be withdrawn).
    try {
        LocateId(original);
    } catch (const Exception&) {
    }
    return true;
}

// The staged History rows of a change that was not applied go from the table, not only from the set: no one
// may read of a change that never happened.
void TTrans::WithdrawHistoryOf(qint32 bookingId) {
    if (!HistorySet || !HistorySet->Active) return;
    TTrans& history = *HistorySet;
    for (int i = 0; i < history.OpKinds.size(); ++i) {
        if (history.Undone[i] || !history.LocateId(history.WorkingIds[i])) continue;
        const TField& id = history.Table->FieldByName(QStringLiteral("BookingId"));
        if (id.IsNull() || id.AsInteger() != bookingId) continue;
        history.UndoOperation(i);
        history.Table->Delete();
    }
}

bool TTrans::CommitTrans() {
    CommitError.clear();
    for (int i = 0; i < OpKinds.size(); ++i) {
        if (Undone[i]) continue;
        bool applied = true;
        switch (OpKinds[i]) {
            case kOpInsert: CommitInsert(i); break;
            case kOpDelete: applied = CommitDelete(i); break;
            case kOpModify: applied = CommitModify(i); break;
            default: break;
        }
        if (applied) continue;
        // What could not be applied is rolled back, so nothing staged is left for others to see.
        if (OpKinds[i] == kOpModify) DeleteWorkingRow(WorkingIds[i]);
        WithdrawHistoryOf(OriginalIds[i]);
    }
    ClearOperations();
    Active = false;
    return CommitError.isEmpty();
}

void TTrans::RollbackTrans() {
    for (int i = 0; i < OpKinds.size(); ++i)
        if (!Undone[i] && OpKinds[i] != kOpDelete) DeleteWorkingRow(WorkingIds[i]);
    ClearOperations();
    Active = false;
}
