// TData: the data module that owns the program's connection to the open database and what belongs to it.
#pragma once

#include "data/bookings/BookingBatch.h"
#include "data/bookings/BookingEngine.h"
#include "data/bookings/Bookings.h"
#include "data/bookings/History.h"
#include "data/bookings/Trans.h"
#include "data/bookings/UDFField.h"
#include "data/module/DatabaseSettings.h"
#include "data/module/MailSending.h"
#include "data/module/ReportPrinter.h"
#include "data/module/Restrictions.h"
#include "data/module/UserSettings.h"
#include "mail/core/AddressBook.h"
#include "platform/db/ADOConnection.h"
#include "platform/db/ADODataSet.h"
#include "platform/db/DataSource.h"
#include "util/core/DvNwClient.h"

#include <QString>
#include <array>
#include <functional>
#include <memory>

namespace data {
struct UpgradeStep;
}
struct TSchemaVersion;
class TDatabaseConnectionInfo;
class TBookingRecord;
class TResourceList;

// The per-user settings (DisplayAs24Hour, EMailSettings, ...) and mail sending (SendMail, IdSMTP, ...) are the
// module's own members, as every reader of TData expects them.
class TData : public TUserSettings, public TMailSending {
public:
    TData();
    ~TData();
    TData(const TData&) = delete;
    TData& operator=(const TData&) = delete;

    // Per-user settings through the program's version keys.
    void LoadUserSettings();
    void SaveUserSettings() const;

    TADOConnection ADOConnection;
    TADOCommand ADOCommand;
    TADOTable GlobalTable;
    TADOTable ResourceTable;
    TADOTable ResourceShadowTable;
    // Bookings and History hold only the rows in hand (TADOTable::RowsInHand): the program edits them a row at a
    // time, located by id, and a file may hold millions.
    TADOTable BookingsTable;
    // Used only for the overlap scans.
    TADOTable BookingsShadowTable;
    TADOTable HistoryTable;
    TADOTable NextBookingIdTable;
    TADOQuery TasksHistoryQuery;
    TDataSource ResourceDataSource;
    TDataSource BookingsDataSource;
    TDataSource GlobalDataSource;
    TDvNwClient DvNwClient;

    // The file of the open database; set when an open succeeds.
    QString DatabaseFileName;
    // The password the connection was made with (empty for an unprotected file).
    QString DatabasePassword;
    bool AdministratorMode = false;
    bool ReadOnlyAccess = false;
    // The identity mode UserId was determined with (0 none).
    qint32 CurrentUseridMode = 0;
    QString UserId;
    // The clock's tick count when the open began; the upgrade question waits until 2 s after it.
    quint32 OpenStartTime = 0;

    // The change sets over Bookings and over History, for the whole run.
    TTrans BookingsTrans{kTransBookings};
    TTrans HistoryTrans{kTransHistory};
    // Milliseconds a retried update or delete of a commit waits.
    static constexpr quint32 RetryDelay = 2500;
    // The open database's custom booking columns; null when it has none.
    std::unique_ptr<TUDFField> Udf1Field;
    std::unique_ptr<TUDFField> Udf2Field;
    // The BookingId of the last conflicting booking the overlap check found; kept until the next conflict.
    qint32 LastConflictId = 0;

    // The open database's own address book; exists exactly while a database is open.
    std::unique_ptr<TAddressBook> AddressBook;
    std::unique_ptr<TAppRestrictions> Restrictions;
    std::unique_ptr<TDatabaseSettings> DatabaseSettings;

    // Opening and closing.
    // True when the database is open and every table is ready; every reason for false has been shown.
    bool ConnectDatabase(const QString& fileName, const QString& password);
    void DisconnectDatabase();
    // 0 connected, 1 not a valid password, 2 the file is in use, 4 another error (shown).
    int ConnectWithPassword(const QString& password);
    // As ConnectWithPassword with the password file's password; 1 also when there is none.
    int ReadPasswordFile();
    // 0 connected, 2 the file is in use, 3 cancelled.
    int PromptDatabasePassword();
    // Writes the scrambled password file; raises when it cannot be written.
    static bool WritePasswordFile(const QString& passwordFileName, const QString& password);
    static QString PasswordFileName(const QString& databaseFileName);
    // Connects with the exclusive string of the info's values; errors reach the caller.
    void ConnectExclusive(const TDatabaseConnectionInfo& info);
    bool CheckMinProgramVersion();
    void RefreshUserId();
    QString CurrentUserId();
    // The user id cut to a column of that many characters, so that writing it never fails.
    QString CurrentUserId(int columnSize);
    static QString GetWindowsUserName();
    void DisableTableControls();
    void EnableTableControls();

    // Bookings and History rows.
    // Gives a new Bookings row its BookingId from the NextBookingId counter (NewBookingId.h).
    void BookingsTableNewRecord(TDataSet& dataSet);
    // The booking window's entry: a new BookingsTable row, or a record put back into one (TBookingRecord::Store),
    // without drawing an id. A new booking's id is drawn when it is saved, inside the save's write transaction,
    // so that opening or putting back the entry writes nothing, even while another program holds the write lock.
    void InsertBookingEntry();
    void StoreBookingEntry(TBookingRecord& record);
    // One write transaction for a save of bookings through the change sets: ids of new rows, staging, checks,
    // History and both commits reach the disk at once when the caller commits it, and nothing when it is dropped.
    // A caller that must show a window before it commits or rolls back the change sets commits this first, so
    // that others see the staged rows meanwhile and are not kept waiting.
    std::unique_ptr<data::WriteTransaction> BeginBookingSave();
    // The booking rules for the current user (BookingEngine.h): deletes and group membership.
    data::BookingEngine Engine();
    // The bulk path for many new bookings (BookingBatch.h), its History rows written for the current user; staged
    // with History rows of that code when it is nonzero.
    std::unique_ptr<data::BookingBatch> BeginBookingBatch(int stagedHistoryCode = 0);
    // The validation code (Bookings.h) of BookingsTable's current, not yet posted row.
    int ValidateBooking();
    // Posts BookingsTable: 1, or 8 when the post raised (the row stays in its edit state).
    int PostBooking();
    // The overlap check of BookingsTable's current row, which must be posted (staged).
    void CheckBookingConflicts(TBookingConflictResult& result);
    void FindBookingConflicts(int resourceId, TBookingConflictResult& result, TDateTime startDate, TDateTime endDate,
                              TDateTime startTime, TDateTime endTime);
    void FindCustomFields();
    // A record over the dataset that carries the database's custom columns.
    std::unique_ptr<TBookingRecord> NewBookingRecord(TDataSet& dataSet) const;
    // -1 for either id leaves that column empty; staged while HistoryTrans is active.
    void AddHistory(int bookingId, int groupBookingId, int historyCode, const QString& userId,
                    const QString& description);
    void AddTaskHistory(int taskId, data::HistoryCode code, const QString& userId, const QString& description);

    // Maintenance.
    // 0 done, 1 failed (shown), 2 wrong current password (not shown), 3 cancelled.
    int CompactDatabase(const QString& fileName, const QString& password, QString& backupFileName, bool makeBackup,
                        const QString& newPassword);
    // May the user perform an administrator action now (asks for the database password when needed).
    bool CheckAdministrator();
    static bool CheckNextBookingId(TADOConnection& connection, int& nextId, int& highestId);
    static void ReseedNextBookingId(TADOConnection& connection, int firstValue);
    static void RepairNextBookingId(const QString& fileName, const QString& password);
    void GetConnectedComputers(TStringList& list);
    void GetReclaimableSpace(const QString& fileName, qint64& fileSize, qint64& reclaimable);
    TppPrinter* GetReportPrinter() { return reportPrinter_.Get(); }
    // "hh:mm" when DisplayAs24Hour, else "h:mm am/pm".
    QString GetTimeFormat() const;
    QString GetDatabaseTitle();

    // The resource table's handlers, twins of the lookup module's, and the feature delete for a table that
    // binds it.
    void ResourceTableAfterInsert(TDataSet& dataSet);
    void ResourceTableNewRecord(TDataSet& dataSet);
    void ResourceTableBeforePost(TDataSet& dataSet);
    void ResourceTableBeforeDelete(TDataSet& dataSet);
    void FeatureTableBeforeDelete(TDataSet& dataSet);
    // Appends every resource of the resource shadow table in its order, with an empty description.
    void AddAllResources(TResourceList& list);

    // A new file with the full current schema, protected by the password when one is given; the connection is
    // closed afterwards. Every failure has been shown when it returns false.
    bool CreateDatabase(const QString& fileName, bool overwrite, const QString& password = QString());
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
    bool ConnectThroughPasswords(const QString& password);
    void NoteAccessMode();
    void OpenTables();
    void PrepareTasksHistoryQuery();
    void ReplaceOwnerSpecifiedIdentity();
    void SetDefaultTitleSetting();
    void ReportReclaimableSpace();
    std::array<TADOTable*, 6> ControlledTables();

    // The file an open in progress connects to.
    QString openingFileName_;
    // An entry of the booking window is being inserted: it gets no id.
    bool insertingEntry_ = false;
    data::ReportPrinterHolder reportPrinter_;

    bool RunUpgradeStep(const data::UpgradeStep& step);
    bool UpgradeAfterConfirmation(const QString& fileName, bool readOnly, const TSchemaVersion& version);
    bool RunUpgradeChain(const TSchemaVersion& version);
    void Execute(const QString& jetSql);
    void OpenGlobalTable(bool readOnly);
};
