// Opening and closing a database: the password chain, the schema, settings, version check and identity.
#include "data/bookings/BookingPeriodQuery.h"
#include "data/bookings/StagedRowOwners.h"
#include "data/bookings/UserIdentity.h"
#include "data/module/ConnectionInfo.h"
#include "data/module/ConnectionStrings.h"
#include "data/module/DataModule.h"
#include "data/module/DatabaseFacts.h"
#include "data/module/PasswordFile.h"
#include "data/module/PasswordPrompts.h"
#include "data/module/ProgramVersionCheck.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Messages.h"
#include "platform/rtl/ScreenService.h"
#include "platform/sql/EngineError.h"
#include "util/core/DvVersionInfo.h"

namespace {

const QString kTwoReturns = QStringLiteral("\r\r");

// The mode bits of an open connection that the read-only check looks at.
constexpr int kModeReadBit = 1;
constexpr int kModeShareDenyBits = 4 | 8;

// Raised inside the open by a step that has shown why the open fails.
class OpenRefused {};

}  // namespace

QString TData::PasswordFileName(const QString& databaseFileName) { return data::PasswordFileName(databaseFileName); }

bool TData::WritePasswordFile(const QString& passwordFileName, const QString& password) {
    data::WritePasswordFile(passwordFileName, password);
    return true;
}

int TData::ConnectWithPassword(const QString& password) {
    ADOConnection.Close();
    ADOConnection.ConnectionString = data::NormalConnectionString(openingFileName_, password);
    try {
        ADOConnection.Open();
    } catch (const Exception& error) {
        if (error.Message() == sql::kNotValidPassword) return data::kWrongPassword;
        if (error.Message() == sql::kFileInUse) return data::kFileInUse;
        ShowInformation(error.Message());
        return data::kOtherError;
    }
    DatabasePassword = password;
    return data::kConnected;
}

int TData::ReadPasswordFile() {
    const std::optional<QString> password = data::ReadPasswordFile(PasswordFileName(openingFileName_));
    return password ? ConnectWithPassword(*password) : data::kWrongPassword;
}

int TData::PromptDatabasePassword() {
    return data::PromptDatabasePassword(openingFileName_,
                                        [this](const QString& password) { return ConnectWithPassword(password); });
}

void TData::ConnectExclusive(const TDatabaseConnectionInfo& info) {
    ADOConnection.Close();
    ADOConnection.ConnectionString = info.GetConnectionString(true);
    ADOConnection.Open();
}

bool TData::ConnectDatabase(const QString& fileName, const QString& password) {
    OpenStartTime = GetTickCount();
    rtl::CurrentScreenService().RepaintMainForm();
    // Rights belong to one database: those of a read-only or protected file must not pass to the next one.
    AdministratorMode = false;
    ReadOnlyAccess = false;
    DatabasePassword.clear();
    const rtl::HourGlass hourGlass;
    if (fileName.isEmpty()) return false;
    openingFileName_ = fileName;
    try {
        DisconnectDatabase();
        DisableTableControls();
        if (!ConnectThroughPasswords(password)) throw OpenRefused();
        if (!ADOConnection.Connected()) {
            ShowInformation(QStringLiteral("Could not open file ") + kTwoReturns + fileName + u'.');
            throw OpenRefused();
        }
        NoteAccessMode();
        if (!CheckAndUpgradeSchema(fileName, ReadOnlyAccess)) throw OpenRefused();
        // The booking views and the day's reminders read these; a file from before lacks them.
        data::EnsureBookingIndexes(ADOConnection);
        data::EnsureStagedRowOwners(ADOConnection);
        data::RemoveOrphanedStagedRows(ADOConnection);
        OpenTables();
        DatabaseSettings->SetConnection(&ADOConnection);
        DatabaseSettings->Load();
        if (!CheckMinProgramVersion()) {
            const QString minimum = GlobalTable.FieldByName(QStringLiteral("MinProgramVersion")).AsString();
            ShowInformation(data::MinProgramVersionMessage(minimum));
            throw OpenRefused();
        }
        ReplaceOwnerSpecifiedIdentity();
        SetDefaultTitleSetting();
        FindCustomFields();
        EnableTableControls();
        RefreshUserId();
        ReportReclaimableSpace();
    } catch (const OpenRefused&) {
        DisconnectDatabase();
        EnableTableControls();
        return false;
    } catch (const Exception& error) {
        ShowInformation(QStringLiteral("Could not open ") + kTwoReturns + fileName + kTwoReturns + error.Message());
        DisconnectDatabase();
        EnableTableControls();
        return false;
    }
    DatabaseFileName = fileName;
    AddressBook = std::make_unique<TAddressBook>();
    AddressBook->Connection = &ADOConnection;
    return true;
}

bool TData::ConnectThroughPasswords(const QString& password) {
    int result = ConnectWithPassword(password);
    bool administrator = result == data::kConnected;
    if (result == data::kWrongPassword) {
        // The password file lets the user in, but not as administrator.
        result = ReadPasswordFile();
        if (result == data::kWrongPassword) {
            result = PromptDatabasePassword();
            if (result == data::kPromptCancelled) return false;
            administrator = result == data::kConnected;
        }
        if (result == data::kFileInUse) {
            ShowInformation(QStringLiteral("File is locked by another user. Try again later."));
            return false;
        }
    }
    if (result == data::kFileInUse) {
        ShowInformation(QStringLiteral("File ") + openingFileName_ +
                        QStringLiteral(" is locked by another user. Try again later."));
        return false;
    }
    AdministratorMode = administrator;
    // Connected, or not after an error already shown; the open tells which.
    return true;
}

void TData::NoteAccessMode() {
    const int mode = ADOConnection.Mode();
    if (mode & kModeReadBit) ReadOnlyAccess = true;
    if (ReadOnlyAccess && (mode & kModeShareDenyBits))
        MessageDlg(QStringLiteral("The file system protection on this database does not appear to be correctly set "
                                  "for multi-user read-only access. Please consult your network administrator."),
                   mtWarning, {mbOK});
}

void TData::OpenTables() {
    try {
        for (TADOTable* table :
             {&ResourceTable, &ResourceShadowTable, &BookingsTable, &BookingsShadowTable, &HistoryTable}) {
            table->ReadOnly = ReadOnlyAccess;
            table->Open();
        }
        PrepareTasksHistoryQuery();
        NextBookingIdTable.ReadOnly = ReadOnlyAccess;
        NextBookingIdTable.Open();
    } catch (const Exception& error) {
        ShowInformation(QStringLiteral("Error opening table in database") + kTwoReturns + openingFileName_ +
                        kTwoReturns + error.Message());
        throw OpenRefused();
    }
}

void TData::PrepareTasksHistoryQuery() {
    TasksHistoryQuery.SQL.SetStrings(
        {QStringLiteral("INSERT INTO History"),
         QStringLiteral("(HistoryCode, Userid, TaskId, HistoryTimeStamp, Description) VALUES"),
         QStringLiteral("(:TheHistoryCode, :TheUserid, :TheTaskId, :TheHistoryTimeStamp, :TheDescription)")});
    TParameters& parameters = TasksHistoryQuery.Parameters;
    parameters.Clear();
    parameters.CreateParameter(QStringLiteral("TheHistoryCode"), ftInteger, pdInput, 0);
    parameters.CreateParameter(QStringLiteral("TheUserid"), ftString, pdInput, 0);
    parameters.CreateParameter(QStringLiteral("TheTaskId"), ftInteger, pdInput, 0);
    parameters.CreateParameter(QStringLiteral("TheHistoryTimeStamp"), ftDateTime, pdInput, 0);
    parameters.CreateParameter(QStringLiteral("TheDescription"), ftString, pdInput, 0);
    TasksHistoryQuery.Prepared = true;
}

bool TData::CheckMinProgramVersion() {
    return data::ProgramVersionAllowed(GlobalTable.FieldByName(QStringLiteral("MinProgramVersion")).AsString(),
                                       ProgramVersion());
}

void TData::ReplaceOwnerSpecifiedIdentity() {
    TField& mode = GlobalTable.FieldByName(QStringLiteral("UseridMode"));
    // A read-only open writes nothing; the user stays unnamed, as the stored mode says.
    if (ReadOnlyAccess || mode.AsInteger() == 1 || mode.AsInteger() == 2) return;
    GlobalTable.Edit();
    mode.SetAsInteger(1);
    GlobalTable.Post();
    ShowInformation(QStringLiteral("The database being upgraded was using an owner specified identity.") + kTwoReturns +
                    QStringLiteral("This setting is no longer supported so it has been changed to the Windows logon "
                                   "username.") +
                    kTwoReturns + QStringLiteral("See File / Database Properties... to change."));
}

void TData::SetDefaultTitleSetting() {
    const QString name = QStringLiteral("TitleSetting");
    if (!DatabaseSettings->GetValue(name).isEmpty()) return;
    const bool titled = !GlobalTable.FieldByName(QStringLiteral("Title")).AsString().isEmpty();
    DatabaseSettings->SetValue(name, titled ? QStringLiteral("UserSpecified") : QStringLiteral("Filename"));
    // A file that cannot be written keeps its settings as they are; the default holds for this open only.
    if (!ReadOnlyAccess) DatabaseSettings->Save();
}

void TData::ReportReclaimableSpace() {
    if (!GlobalTable.FieldByName(QStringLiteral("CheckReclaim")).AsBoolean()) return;
    const qint64 thresholdMb = GlobalTable.FieldByName(QStringLiteral("CheckReclaimSize")).AsInteger();
    data::ReportReclaimableSpace(ADOConnection.Engine(), openingFileName_, static_cast<int>(thresholdMb));
}

void TData::DisconnectDatabase() {
    if (!ADOConnection.Connected()) return;
    Udf1Field.reset();
    Udf2Field.reset();
    AddressBook.reset();
    DatabaseSettings->Clear();
    ADOConnection.Close();
}

std::array<TADOTable*, 6> TData::ControlledTables() {
    return {&GlobalTable, &ResourceTable, &ResourceShadowTable, &BookingsTable, &BookingsShadowTable, &HistoryTable};
}

void TData::DisableTableControls() {
    for (TADOTable* table : ControlledTables()) table->DisableControls();
}

void TData::EnableTableControls() {
    for (TADOTable* table : ControlledTables())
        while (table->ControlsDisabled()) table->EnableControls();
}
