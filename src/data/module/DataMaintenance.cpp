// The data module's services on the database as a whole: compaction, administrator rights, the booking id
// counter, the roster, reclaimable space, the report printer, the time format and the database's title.
#include "data/layout/BookingTimeText.h"
#include "data/module/BookingIdCounter.h"
#include "data/module/DataModule.h"
#include "data/module/DatabaseCompaction.h"
#include "data/module/DatabaseFacts.h"
#include "data/module/PasswordPrompts.h"

int TData::CompactDatabase(const QString& fileName, const QString& password, QString& backupFileName, bool makeBackup,
                           const QString& newPassword) {
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

QString TData::GetTimeFormat() const { return TimeFormatFor(DisplayAs24Hour); }

QString TData::GetDatabaseTitle() {
    if (!ADOConnection.Connected() || !GlobalTable.Active()) return {};
    return GlobalTable.FieldByName(QStringLiteral("Title")).AsString();
}
