// The data module's services on the database as a whole: compaction, administrator rights, the booking id
// counter, the roster, reclaimable space, the Reports menu, the report printer, the time format and the database's title.
#include "data/BookingIdCounter.h"
#include "data/BookingTimeText.h"
#include "data/DataModule.h"
#include "data/DatabaseCompaction.h"
#include "data/DatabaseFacts.h"
#include "data/PasswordPrompts.h"
#include "data/ReportsMenu.h"

int TData::CompactDatabase(const QString& fileName, const QString& password, QString& backupFileName,
                           bool makeBackup, const QString& newPassword) {
    return data::CompactDatabaseFile(fileName, password, backupFileName, makeBackup, newPassword);
}

bool TData::CheckAdministrator() {
    if (AdministratorMode) return true;
    if (ReadOnlyAccess) return false;
    AdministratorMode = data::AskAdministratorPassword(DatabasePassword);
    return AdministratorMode;
}

bool TData::CheckNextBookingId(TADOConnection& connection, int& nextId, int& highestId) {
    return data::CheckNextBookingId(connection.Engine(), nextId, highestId);
}

void TData::ReseedNextBookingId(TADOConnection& connection, int firstValue) {
    data::ReseedNextBookingId(connection.Engine(), firstValue);
}

void TData::RepairNextBookingId(const QString& fileName, const QString& password) {
    data::RepairNextBookingId(fileName, password);
}

void TData::GetConnectedComputers(TStringList& list) {
    list.Clear();
    if (!ADOConnection.Connected()) return;
    for (const QString& computer : data::ConnectedComputers(ADOConnection.Engine())) list.Add(computer);
}

void TData::GetReclaimableSpace(const QString& fileName, qint64& fileSize, qint64& reclaimable) {
    data::GetReclaimableSpace(ADOConnection.Connected() ? &ADOConnection.Engine() : nullptr, fileName, fileSize,
                              reclaimable);
}

int TData::FillReportsMenu(TMenuItem& menu, const TMenuItem* anchor, const TNotifyEvent& onClick) {
    data::RemoveItemsAfter(menu, anchor);
    if (!ADOConnection.Connected()) return 0;
    return data::AddReportItems(menu, data::ReportNames(ADOConnection.Engine()), onClick);
}

QString TData::GetTimeFormat() const { return TimeFormatFor(DisplayAs24Hour); }

QString TData::GetDatabaseTitle() {
    if (!ADOConnection.Connected() || !GlobalTable.Active()) return {};
    return GlobalTable.FieldByName(QStringLiteral("Title")).AsString();
}
