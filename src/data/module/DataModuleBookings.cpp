// TData's booking services: new ids, validation, posting, the overlap check and History rows.
#include "data/module/DataModule.h"

#include "data/bookings/BookingConflicts.h"
#include "data/bookings/BookingRecord.h"
#include "data/bookings/BookingValidation.h"
#include "data/bookings/History.h"
#include "data/bookings/NewBookingId.h"
#include "data/bookings/StagedRowOwners.h"
#include "data/bookings/UserIdentity.h"
#include "platform/db/Field.h"
#include "platform/rtl/Exceptions.h"
#include "platform/sql/EngineError.h"

#include <QScopedValueRollback>

void TData::BookingsTableNewRecord(TDataSet& dataSet) {
    if (!insertingEntry_)
        dataSet.FieldByName(QStringLiteral("BookingId")).SetAsInteger(data::NewBookingId(ADOConnection));
}

void TData::InsertBookingEntry() {
    const QScopedValueRollback<bool> entry(insertingEntry_, true);
    BookingsTable.Insert();
}

void TData::StoreBookingEntry(TBookingRecord& record) {
    const QScopedValueRollback<bool> entry(insertingEntry_, true);
    record.Store();
}

std::unique_ptr<data::WriteTransaction> TData::BeginBookingSave() {
    auto transaction = std::make_unique<data::WriteTransaction>(ADOConnection);
    if (!BookingsTrans.Active && !HistoryTrans.Active) data::RemoveOwnStagedRows(ADOConnection);
    return transaction;
}

data::BookingEngine TData::Engine() {
    return data::BookingEngine(ADOConnection, CurrentUserId(HistoryTable.FieldByName(QStringLiteral("Userid")).Size()));
}

std::unique_ptr<data::BookingBatch> TData::BeginBookingBatch(int stagedHistoryCode) {
    data::BookingBatch::Settings settings;
    settings.Connection = &ADOConnection;
    settings.Resources = &ResourceShadowTable;
    settings.Global = data::GlobalLimit(GlobalTable);
    settings.Today = Date();
    settings.UserId = CurrentUserId(HistoryTable.FieldByName(QStringLiteral("Userid")).Size());
    settings.Udf1 = Udf1Field.get();
    settings.Udf2 = Udf2Field.get();
    settings.StagedHistoryCode = stagedHistoryCode;
    return std::make_unique<data::BookingBatch>(settings);
}

int TData::ValidateBooking() {
    const data::BookingValues booking{BookingsTable.FieldByName(QStringLiteral("Client")).AsString(),
                                      BookingsTable.FieldByName(QStringLiteral("BookingStart")).AsDateTime(),
                                      BookingsTable.FieldByName(QStringLiteral("BookingEnd")).AsDateTime()};
    const int resourceId = static_cast<int>(BookingsTable.FieldByName(QStringLiteral("ResourceId")).AsInteger());
    return data::ValidateBookingValues(booking, data::FindResourceLimits(ResourceShadowTable, resourceId),
                                       data::GlobalLimit(GlobalTable), Date());
}

int TData::PostBooking() {
    const bool inTransaction = ADOConnection.InTransaction();
    try {
        BookingsTable.Post();
        return kPostDone;
    } catch (const std::exception& e) {
        // A failure of the file itself, or one that ended the caller's write transaction (the engine may roll it
        // all back on a disk error or a full disk), ends the save: it is not this row's alone, and whatever
        // followed would reach the file in part or on its own.
        const bool fileFailed = dynamic_cast<const EFileError*>(&e) != nullptr;
        if (inTransaction && (fileFailed || !ADOConnection.InTransaction())) throw;
        // The row stays in its edit state for the caller to cancel.
        return kPostFailed;
    }
}

void TData::CheckBookingConflicts(TBookingConflictResult& result) {
    const TDateTime start = BookingsTable.FieldByName(QStringLiteral("BookingStart")).AsDateTime();
    const TDateTime end = BookingsTable.FieldByName(QStringLiteral("BookingEnd")).AsDateTime();
    FindBookingConflicts(static_cast<int>(BookingsTable.FieldByName(QStringLiteral("ResourceId")).AsInteger()), result,
                         DateOf(start), DateOf(end), TimeOf(start), TimeOf(end));
}

void TData::FindBookingConflicts(int resourceId, TBookingConflictResult& result, TDateTime startDate, TDateTime endDate,
                                 TDateTime startTime, TDateTime endTime) {
    const int ownId = static_cast<int>(BookingsTable.FieldByName(QStringLiteral("BookingId")).AsInteger());
    data::FindBookingConflicts(ADOConnection, resourceId, ownId, DateOf(startDate) + TimeOf(startTime),
                               DateOf(endDate) + TimeOf(endTime), result);
    if (result.Status == kConflictFound) LastConflictId = result.Ids[result.Ids[0]];
}

void TData::AddHistory(int bookingId, int groupBookingId, int historyCode, const QString& userId,
                       const QString& description) {
    data::AddHistoryRow(HistoryTrans, bookingId, groupBookingId, historyCode, userId, description);
}

void TData::AddTaskHistory(int taskId, data::HistoryCode code, const QString& userId, const QString& description) {
    const int userColumn = HistoryTable.FieldByName(QStringLiteral("Userid")).Size();
    data::AddTaskHistoryRow(TasksHistoryQuery, taskId, static_cast<int>(code), data::FitToColumn(userId, userColumn),
                            description);
}

void TData::FindCustomFields() { data::FindCustomFields(BookingsTable, GlobalTable, Udf1Field, Udf2Field); }

std::unique_ptr<TBookingRecord> TData::NewBookingRecord(TDataSet& dataSet) const {
    return std::make_unique<TBookingRecord>(dataSet, Udf1Field.get(), Udf2Field.get());
}
