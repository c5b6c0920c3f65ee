// Recognising a database's schema and upgrading it step by step to the current version.
#include "data/module/ConnectionStrings.h"
#include "data/module/DataModule.h"
#include "data/module/DataWindows.h"
#include "data/schema/FileSnapshot.h"
#include "data/schema/Schema.h"
#include "data/schema/SchemaVersion.h"
#include "platform/db/Field.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Messages.h"
#include "platform/rtl/ScreenService.h"
#include "platform/sql/Connection.h"
#include "platform/sql/EngineError.h"

namespace {

constexpr quint32 kUpgradeQuestionDelay = 2000;

void ShowError(const QString& text) { MessageDlg(text, mtError, {mbOK}); }
QStringList FieldNames(const TDataSet& dataSet) {
    QStringList names;
    for (int i = 0; i < dataSet.FieldCount(); ++i) names << dataSet.Fields()[i]->FieldName();
    return names;
}

bool IsCurrent(const TSchemaVersion& version) { return version.Major == 6 && version.Minor >= 3; }

}  // namespace

bool TData::CheckAndUpgradeSchema(const QString& fileName, bool readOnly) {
    try {
        OpenGlobalTable(readOnly);
    } catch (const Exception& error) {
        ShowInformation(error.Message());
        return false;
    }
    try {
        const TSchemaVersion version = RecognizeSchema(FieldNames(GlobalTable));
        if (version.Family.isEmpty()) {
            ShowError(QStringLiteral("The database does not appear to be a Tavorin database."));
            return false;
        }
        if (version.Major <= 4) {
            ShowError(
                QStringLiteral("The database is a Tavorin Schema 4 or earlier database and can not be upgraded."));
            return false;
        }
        if (version.Major >= 7) {
            ShowError(QStringLiteral("The database requires a newer program version which supports Tavorin Schema "
                                     "%1 or higher.")
                          .arg(version.Major));
            return false;
        }
        if (IsCurrent(version)) return true;
        return UpgradeAfterConfirmation(fileName, readOnly, version);
    } catch (const Exception& error) {
        ShowError(QStringLiteral("Error upgrading Tavorin schema version.\r\r") + error.Message());
        return false;
    }
}

bool TData::UpgradeAfterConfirmation(const QString& fileName, bool readOnly, const TSchemaVersion& version) {
    // The question comes no sooner than two seconds after the open began.
    const quint32 elapsed = GetTickCount() - OpenStartTime;
    if (elapsed < kUpgradeQuestionDelay) Sleep(kUpgradeQuestionDelay - elapsed);
    if (readOnly) {
        MessageDlg(QStringLiteral("The database specified must be upgraded. You have read-only access and can not "
                                  "upgrade the database. Please contact your network administrator."),
                   mtConfirmation, {mbYes, mbNo});
        return false;
    }
    const auto& confirmUpgrade = data::CurrentDataWindows().ConfirmUpgrade;
    if (!confirmUpgrade || !confirmUpgrade([this] { return CheckAdministrator(); })) return false;

    ADOConnection.Close();
    ADOConnection.ConnectionString = data::ExclusiveConnectionString(fileName, DatabasePassword);
    try {
        ADOConnection.Open();
    } catch (const Exception& error) {
        ShowError(QStringLiteral("Could not get exclusive access to database.\r\r") + error.Message());
        rtl::CurrentScreenService().SetCursor(crDefault);
        return false;
    }
    if (!RunUpgradeChain(version)) {
        ADOConnection.Close();
        return false;
    }
    ADOConnection.Close();
    ADOConnection.ConnectionString = data::NormalConnectionString(fileName, DatabasePassword);
    ADOConnection.Open();
    OpenGlobalTable(readOnly);
    return true;
}

bool TData::RunUpgradeChain(const TSchemaVersion& version) {
    const int major = version.Major;
    int minor = version.Minor;
    if (major == 5 && minor == 0) {
        if (!UpgradeSchema51()) return false;
        minor = 1;
    }
    if (major == 5 && minor <= 1 && !UpgradeSchema52()) return false;
    if (major == 5 && minor <= 2 && !UpgradeSchema61()) return false;
    if ((major < 6 || (major == 6 && minor < 2)) && !UpgradeSchema62()) return false;
    if ((major < 6 || (major == 6 && minor < 3)) && !UpgradeSchema63()) return false;
    return true;
}

bool TData::UpgradeSchema51() { return RunUpgradeStep(data::Step51()); }
bool TData::UpgradeSchema52() { return RunUpgradeStep(data::Step52()); }
bool TData::UpgradeSchema61() { return RunUpgradeStep(data::Step61()); }
bool TData::UpgradeSchema62() { return RunUpgradeStep(data::Step62()); }
bool TData::UpgradeSchema63() { return RunUpgradeStep(data::Step63()); }

bool TData::RunUpgradeStep(const data::UpgradeStep& step) {
    // A step that stops half way would leave markers that no longer tell what the file holds, so a failed
    // step puts the file back as it was; the next open runs the step again from its start.
    QString failure;
    try {
        data::FileSnapshot snapshot(ADOConnection.Engine());
        for (const data::UpgradeStatement& statement : step.statements) {
            try {
                Execute(statement.sql);
            } catch (const Exception& error) {
                // Only a statement naming what this file lacks may fail; a disk error must undo the step.
                const auto* engineError = dynamic_cast<const EOleException*>(&error);
                if (statement.mayFail && engineError && engineError->ErrorCode() == sql::kErrorInCommand) continue;
                failure = error.Message();
                break;
            }
        }
        if (failure.isEmpty()) {
            snapshot.Discard();
            return true;
        }
        // The snapshot keeps the file's place in the lock file, so nobody gets in before it is back.
        ADOConnection.Close();
        if (!snapshot.Restore()) {
            failure += QStringLiteral("\r\rThe database as it was before this step is kept in ") + snapshot.CopyName();
        }
    } catch (const Exception& error) {
        failure = error.Message();
    }
    ShowInformation(step.title + QStringLiteral("\r\r") + failure);
    return false;
}
