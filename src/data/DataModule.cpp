// The data module's components and the state it keeps for the whole run.
#include "data/DataModule.h"

TData::TData()
    : Restrictions(std::make_unique<TAppRestrictions>()), DatabaseSettings(std::make_unique<TDatabaseSettings>()) {
    ADOConnection.LoginPrompt = false;
    ADOCommand.Connection = &ADOConnection;
    GlobalTable.SetConnection(&ADOConnection);
    GlobalTable.TableName = QStringLiteral("RanvelGlobal");
    GlobalTable.TableDirect = true;
}

TData::~TData() = default;

void TData::Execute(const QString& jetSql) {
    ADOCommand.SetCommandText(jetSql);
    ADOCommand.Execute();
}

void TData::OpenGlobalTable(bool readOnly) {
    GlobalTable.ReadOnly = readOnly;
    GlobalTable.Open();
}
