// TData: the data module that owns the program's connection to the open database and what belongs to it.
#pragma once

#include "data/DatabaseSettings.h"
#include "data/Restrictions.h"
#include "platform/db/ADOConnection.h"
#include "platform/db/ADODataSet.h"

#include <QString>
#include <functional>
#include <memory>

namespace data {
struct UpgradeStep;
}
struct TSchemaVersion;

class TData {
public:
    TData();
    ~TData();
    TData(const TData&) = delete;
    TData& operator=(const TData&) = delete;

    TADOConnection ADOConnection;
    TADOCommand ADOCommand;
    TADOTable GlobalTable;

    QString DatabaseFileName;
    QString DatabasePassword;
    bool AdministratorMode = false;
    bool ReadOnlyAccess = false;
    // The clock's tick count when the open began; the upgrade question waits until 2 s after it.
    quint32 OpenStartTime = 0;

    std::unique_ptr<TAppRestrictions> Restrictions;
    std::unique_ptr<TDatabaseSettings> DatabaseSettings;

    // May the user perform an administrator action now (asks for the database password when needed).
    std::function<bool()> CheckAdministrator;

    // A new file with the full current schema; the connection is closed afterwards. Every failure has been
    // shown when it returns false.
    bool CreateDatabase(const QString& fileName, bool overwrite);
    // With the connection open: recognises the schema and, after the user's confirmation, upgrades it to
    // the current version. False when the database cannot be used; every reason has been shown.
    bool CheckAndUpgradeSchema(const QString& fileName, bool readOnly);

    // The upgrade steps, each applied completely or not at all; false after showing their error.
    bool UpgradeSchema51();
    bool UpgradeSchema52();
    bool UpgradeSchema61();
    bool UpgradeSchema62();
    bool UpgradeSchema63();

private:
    bool RunUpgradeStep(const data::UpgradeStep& step);
    bool UpgradeAfterConfirmation(const QString& fileName, bool readOnly, const TSchemaVersion& version);
    bool RunUpgradeChain(const TSchemaVersion& version);
    void Execute(const QString& jetSql);
    void OpenGlobalTable(bool readOnly);
};
