// The data module's components and the state it keeps for the whole run.
#include "data/module/DataModule.h"

#include "data/bookings/BookingRecord.h"
#include "util/core/VersionHistory.h"

namespace {

// The subkey of a version key that holds the LDAP directories.
const QString kLdapSubKey = QStringLiteral("\\LDAP");

}  // namespace

TData::TData()
    : TMailSending(static_cast<TUserSettings&>(*this)),
      Restrictions(std::make_unique<TAppRestrictions>()),
      DatabaseSettings(std::make_unique<TDatabaseSettings>()) {
    ADOConnection.LoginPrompt = false;
    ADOCommand.Connection = &ADOConnection;
    GlobalTable.SetConnection(&ADOConnection);
    GlobalTable.TableName = QStringLiteral("RanvelGlobal");
    GlobalTable.TableDirect = true;
    const auto table = [this](TADOTable& table, const QString& name, const QString& index) {
        table.SetConnection(&ADOConnection);
        table.TableName = name;
        table.IndexName = index;
        table.TableDirect = true;
    };
    table(ResourceTable, QStringLiteral("Resources"), QStringLiteral("ResourceNameIndex"));
    table(ResourceShadowTable, QStringLiteral("Resources"), QString());
    table(BookingsTable, QStringLiteral("Bookings"), QStringLiteral("StartDateTime"));
    table(BookingsShadowTable, QStringLiteral("Bookings"), QStringLiteral("StartDateTime"));
    BookingsShadowTable.CursorLocation = clUseServer;
    table(HistoryTable, QStringLiteral("History"), QStringLiteral("BookingIdIndex"));
    for (TADOTable* big : {&BookingsTable, &BookingsShadowTable, &HistoryTable}) big->RowsInHand = true;
    table(NextBookingIdTable, QStringLiteral("NextBookingId"), QString());
    TasksHistoryQuery.SetConnection(&ADOConnection);
    ResourceDataSource.SetDataSet(&ResourceTable);
    BookingsDataSource.SetDataSet(&BookingsTable);
    GlobalDataSource.SetDataSet(&GlobalTable);
    BookingsTable.OnNewRecord = [this](TDataSet& dataSet) { BookingsTableNewRecord(dataSet); };
    ResourceTable.AfterInsert = [this](TDataSet& dataSet) { ResourceTableAfterInsert(dataSet); };
    ResourceTable.OnNewRecord = [this](TDataSet& dataSet) { ResourceTableNewRecord(dataSet); };
    ResourceTable.BeforePost = [this](TDataSet& dataSet) { ResourceTableBeforePost(dataSet); };
    ResourceTable.BeforeDelete = [this](TDataSet& dataSet) { ResourceTableBeforeDelete(dataSet); };
    BookingsTrans.Table = &BookingsTable;
    BookingsTrans.ShadowTable = &BookingsShadowTable;
    BookingsTrans.HistorySet = &HistoryTrans;
    BookingsTrans.NewRecord = [this](TDataSet& dataSet) { return NewBookingRecord(dataSet); };
    BookingsTrans.RetryDelay = RetryDelay;
    HistoryTrans.Table = &HistoryTable;
    HistoryTrans.RetryDelay = RetryDelay;
}

TData::~TData() { DisconnectDatabase(); }

void TData::Execute(const QString& jetSql) {
    ADOCommand.SetCommandText(jetSql);
    ADOCommand.Execute();
}

void TData::OpenGlobalTable(bool readOnly) {
    GlobalTable.ReadOnly = readOnly;
    GlobalTable.Open();
}

void TData::LoadUserSettings() {
    const QString readKey = VersionHistory->ReadKey();
    if (!readKey.isEmpty()) LDAPServerList.LoadFromRegistry(readKey + kLdapSubKey);
    TUserSettings::LoadUserSettings(*VersionHistory);
}

void TData::SaveUserSettings() const {
    TUserSettings::SaveUserSettings(*VersionHistory, DatabaseFileName);
    const QString currentKey = VersionHistory->GetCurrentKey();
    if (!currentKey.isEmpty()) LDAPServerList.SaveToRegistry(currentKey + kLdapSubKey);
}
