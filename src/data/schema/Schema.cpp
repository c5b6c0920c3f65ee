// The schema as Jet SQL: creation of a 5.2 database and the five upgrade steps up to 6.3.
#include "data/schema/Schema.h"

namespace data {

namespace {

// Primary keys are declared unique as well: the engine lets a foreign key refer only to a unique index.

// Tasks as creation makes it; the 5.2 step adds the same table to older files.
const QStringList kTasks = {
    QStringLiteral("CREATE TABLE Tasks (TaskId AUTOINCREMENT(1000,1), BookingId INTEGER, Status INTEGER, "
                   "PercentCompleted INTEGER, Priority INTEGER, StartDate DATETIME, DueDate DATETIME, "
                   "CompletedDate DATETIME, Subject TEXT(50), Assignee TEXT(20), Description TEXT)"),
    QStringLiteral("CREATE UNIQUE INDEX PrimaryKey ON Tasks (TaskId) WITH PRIMARY"),
    QStringLiteral("CREATE UNIQUE INDEX BookingIdIndex ON Tasks (BookingId)"),
};

const QString kReports = QStringLiteral("CREATE TABLE Reports (ReportName TEXT(32) PRIMARY KEY,ReportSetup TEXT)");

// A Jet date literal in the form the engine reads whatever the user's date settings.
QString JetDateLiteral(TDateTime date) {
    int year = 0;
    int month = 0;
    int day = 0;
    DecodeDate(date, year, month, day);
    return QStringLiteral("#%1/%2/%3#").arg(month).arg(day).arg(year);
}

std::vector<UpgradeStatement> Statements(const QStringList& texts) {
    std::vector<UpgradeStatement> statements;
    for (const QString& text : texts) statements.push_back({text});
    return statements;
}

}  // namespace

QStringList CreationStatements(TDateTime untilDate) {
    QStringList statements = {
        QStringLiteral("CREATE TABLE [RanvelGlobal] (Title TEXT(30), BookingRestrictMode INTEGER, "
                       "BookingRestrictDaysAhead INTEGER, BookingRestrictUntilDate DATETIME, "
                       "BookingPasswordPermitted LOGICAL, CheckReclaim LOGICAL, CheckReclaimSize INTEGER, "
                       "HistoryLogMode INTEGER, UseridMode INTEGER, UserMessageMode INTEGER, UserMessage TEXT, "
                       "Schema_Ranvel50_5_2 INTEGER)"),
        QStringLiteral("INSERT INTO RanvelGlobal (BookingRestrictMode, BookingRestrictUntilDate, "
                       "BookingRestrictDaysAhead, BookingPasswordPermitted, UseridMode, CheckReclaim, "
                       "CheckReclaimSize) VALUES (1, %1, 365, False, 1, True, 10)")
            .arg(JetDateLiteral(untilDate)),
        QStringLiteral("CREATE TABLE NextBookingId (NextBookingId AUTOINCREMENT(1000,1), DUMMY INTEGER)"),
        QStringLiteral("CREATE TABLE AddressBook (EmailAddress TEXT(64) NOT NULL, LastUsed DATETIME NOT NULL, "
                       "FirstName TEXT(20), LastName TEXT(30), Nickname TEXT(20), DisplayName TEXT(50), "
                       "Company TEXT(30), Department TEXT(30), Title TEXT(30), Address1 TEXT(30), "
                       "Address2 TEXT(30), City TEXT(30), Prov TEXT(30), Postcode TEXT(10), Country TEXT(30), "
                       "Phone TEXT(20), Fax TEXT(20))"),
        QStringLiteral("CREATE UNIQUE INDEX PrimaryKey ON AddressBook (EMailAddress) WITH PRIMARY"),
        QStringLiteral("CREATE TABLE Types (Typename TEXT(25) NOT NULL)"),
        QStringLiteral("CREATE UNIQUE INDEX PrimaryKey ON Types (TypeName) WITH PRIMARY"),
        QStringLiteral("CREATE TABLE Features (Feature TEXT(30) NOT NULL)"),
        QStringLiteral("CREATE UNIQUE INDEX PrimaryKey ON Features (Feature) WITH PRIMARY"),
        QStringLiteral("CREATE TABLE Groups (GroupName TEXT(25) NOT NULL, Ep TEXT(16))"),
        QStringLiteral("CREATE UNIQUE INDEX PrimaryKey ON Groups (GroupName) WITH PRIMARY"),
        QStringLiteral("CREATE TABLE Resources (ResourceId AUTOINCREMENT, ResourceName TEXT(25) NOT NULL, "
                       "TypeName TEXT(25) CONSTRAINT FKResourcesTable REFERENCES Types (TypeName) ON UPDATE CASCADE, "
                       "Description TEXT(255), Notes TEXT(255), MaxBookDays INTEGER NOT NULL, "
                       "BookingRestrictMode INTEGER, BookingRestrictDaysAhead INTEGER, "
                       "BookingRestrictUntilDate DATETIME, Ep TEXT(16))"),
        QStringLiteral("CREATE UNIQUE INDEX PrimaryKey ON Resources (ResourceId) WITH PRIMARY"),
        QStringLiteral("CREATE UNIQUE INDEX ResourceNameIndex ON Resources (ResourceName)"),
        QStringLiteral("CREATE TABLE ResourceFeatures (ResourceId INTEGER NOT NULL CONSTRAINT "
                       "FKResourceFeaturesTableResourceId REFERENCES Resources (ResourceId), Feature TEXT(30) NOT "
                       "NULL CONSTRAINT FKResourceFeaturesTableFeature REFERENCES Features (Feature) ON UPDATE "
                       "CASCADE)"),
        QStringLiteral("CREATE UNIQUE INDEX PrimaryKey ON ResourceFeatures (ResourceId, Feature) WITH PRIMARY"),
        QStringLiteral("CREATE TABLE ResourceGroups (GroupName TEXT(25) NOT NULL CONSTRAINT FKResourceTableGroups "
                       "REFERENCES Groups (GroupName) ON UPDATE CASCADE, ResourceId INTEGER NOT NULL CONSTRAINT "
                       "FKResourceTableResourceId REFERENCES Resources (ResourceId))"),
        QStringLiteral("CREATE UNIQUE INDEX PrimaryKey ON ResourceGroups (GroupName, ResourceId) WITH PRIMARY"),
        QStringLiteral("CREATE INDEX GroupName ON ResourceGroups (GroupName)"),
        QStringLiteral("CREATE TABLE Bookings (BookingId INTEGER NOT NULL, Trans LOGICAL, TransDateTime DATETIME, "
                       "ResourceId INTEGER NOT NULL CONSTRAINT FKBookingsTableResourceId REFERENCES Resources "
                       "(ResourceId), GroupBookingId INTEGER, BookingStart DATETIME NOT NULL, BookingEnd DATETIME "
                       "NOT NULL, Client TEXT(30) NOT NULL, Phone TEXT(20), Email TEXT(50), Address TEXT, "
                       "Ep TEXT(16), Description TEXT, Notes TEXT, Reminder TEXT, EMailHeader TEXT)"),
        QStringLiteral("CREATE UNIQUE INDEX PrimaryKey ON Bookings (BookingId) WITH PRIMARY"),
        QStringLiteral("CREATE INDEX GroupBookingId ON Bookings (GroupBookingId)"),
        QStringLiteral("CREATE INDEX ResourceId ON Bookings (ResourceId)"),
        QStringLiteral("CREATE INDEX StartDateTime ON Bookings (ResourceId, BookingStart)"),
        QStringLiteral("CREATE TABLE History (HistoryId AUTOINCREMENT, HistoryCode TINYINT, Userid TEXT(20), "
                       "Trans LOGICAL, TransDateTime DATETIME, BookingId INTEGER, GroupBookingId INTEGER, "
                       "HistoryTimeStamp DATETIME NOT NULL, Description TEXT)"),
        QStringLiteral("CREATE UNIQUE INDEX PrimaryKey ON History (HistoryId) WITH PRIMARY"),
        QStringLiteral("CREATE INDEX BookingIdIndex ON History (BookingId, HistoryId)"),
        kReports,
    };
    return statements + kTasks;
}

const UpgradeStep& Step51() {
    static const UpgradeStep step{
        QStringLiteral("Error upgrading Ranvel schema."),
        Statements({
            QStringLiteral("ALTER TABLE RanvelGlobal DROP COLUMN RanvelSchemaVersion500"),
            QStringLiteral("ALTER TABLE Resources DROP COLUMN BookingPasswordPermitted"),
            QStringLiteral("ALTER TABLE Resources ALTER COLUMN Ep TEXT(16)"),
            QStringLiteral("ALTER TABLE Groups ALTER COLUMN Ep TEXT(16)"),
            QStringLiteral("ALTER TABLE RanvelGlobal ADD COLUMN RanvelSchemaVersion500210 INTEGER"),
        })};
    return step;
}

const UpgradeStep& Step52() {
    static const UpgradeStep step{
        QStringLiteral("Error upgrading Tavorin schema."),
        Statements(QStringList{kReports} + kTasks +
                   QStringList{
                       QStringLiteral("ALTER TABLE Bookings ADD COLUMN Email TEXT(50)"),
                       QStringLiteral("ALTER TABLE Bookings ADD COLUMN Address TEXT"),
                       QStringLiteral("ALTER TABLE RanvelGlobal ADD COLUMN Schema_Ranvel50_5_2 INTEGER"),
                   })};
    return step;
}

const UpgradeStep& Step61() {
    static const UpgradeStep step{
        QStringLiteral("Error upgrading Ranvel to schema 60.1."),
        Statements({
            QStringLiteral("CREATE TABLE TaskManagers (Username TEXT(32) NOT NULL)"),
            QStringLiteral("CREATE UNIQUE INDEX PrimaryKey ON TaskManagers (Username) WITH PRIMARY"),
            QStringLiteral("CREATE TABLE ResourceManagers (ResourceId Integer NOT NULL, Username TEXT(32) NOT NULL)"),
            QStringLiteral("CREATE UNIQUE INDEX PrimaryKey ON ResourceManagers (ResourceId, Username) WITH PRIMARY"),
            QStringLiteral("CREATE TABLE ResourceGroupManagers (GroupName TEXT(25) NOT NULL, "
                           "Username TEXT(32) NOT NULL)"),
            QStringLiteral(
                "CREATE UNIQUE INDEX PrimaryKey ON ResourceGroupManagers (GroupName, Username) WITH PRIMARY"),
            QStringLiteral("ALTER TABLE Resources ADD COLUMN OnlyAllowManagersWrite LOGICAL"),
            QStringLiteral("ALTER TABLE Bookings ADD COLUMN Owner TEXT(32)"),
            QStringLiteral("ALTER TABLE Tasks ADD COLUMN Owner TEXT(32)"),
            QStringLiteral("ALTER TABLE RanvelGlobal ADD COLUMN BookingAllowUserCreate LOGICAL"),
            QStringLiteral("ALTER TABLE RanvelGlobal ADD COLUMN BookingOwnerOnlyModify LOGICAL"),
            QStringLiteral("ALTER TABLE RanvelGlobal ADD COLUMN TaskAllowUserCreate LOGICAL"),
            QStringLiteral("ALTER TABLE RanvelGlobal ADD COLUMN TaskOwnerOnlyModify LOGICAL"),
            QStringLiteral("ALTER TABLE RanvelGlobal ADD COLUMN MinProgramVersion TEXT(20)"),
            QStringLiteral("UPDATE RanvelGlobal SET MinProgramVersion = \"6.0.0.242\""),
            QStringLiteral("update Bookings B\r\nset B.Ep = NULL"),
            QStringLiteral("update Resources R\r\nset R.Ep = NULL"),
            QStringLiteral("ALTER TABLE RanvelGlobal ADD COLUMN Schema_Ranvel50_6_1 INTEGER"),
            QStringLiteral("ALTER TABLE RanvelGlobal DROP COLUMN Schema_Ranvel50_5_2"),
        })};
    return step;
}

const UpgradeStep& Step62() {
    static const UpgradeStep step = [] {
        UpgradeStep made{QStringLiteral("Error upgrading Ranvel to schema 60.2."),
                         Statements({
                             QStringLiteral("ALTER TABLE Resources ADD COLUMN MaxBookDaysRestrict LOGICAL"),
                             QStringLiteral("UPDATE Resources SET MaxBookDaysRestrict = True WHERE MaxBookDays > 0"),
                             QStringLiteral("ALTER TABLE History ADD COLUMN TaskId INTEGER"),
                             QStringLiteral("ALTER TABLE RanvelGlobal ADD COLUMN Schema_Ranvel60_6_2 INTEGER"),
                             QStringLiteral("ALTER TABLE RanvelGlobal DROP COLUMN Schema_Ranvel50_6_1"),
                             QStringLiteral("UPDATE RanvelGlobal SET MinProgramVersion = \"6.0.0.250\""),
                         })};
        // The old markers exist only in files that came from 5.0 or 5.1.
        made.statements.push_back(
            {QStringLiteral("ALTER TABLE RanvelGlobal DROP COLUMN ranvelschemaversion500"), true});
        made.statements.push_back(
            {QStringLiteral("ALTER TABLE RanvelGlobal DROP COLUMN ranvelschemaversion500210"), true});
        return made;
    }();
    return step;
}

const UpgradeStep& Step63() {
    static const UpgradeStep step{QStringLiteral("Error upgrading Ranvel to schema 60.3."),
                                  Statements({
                                      QStringLiteral("ALTER TABLE Resources ADD COLUMN [Image] IMAGE"),
                                      QStringLiteral("DROP INDEX PRIMARYKEY on AddressBook"),
                                      QStringLiteral("ALTER TABLE AddressBook ADD COLUMN [Id] AUTOINCREMENT"),
                                      QStringLiteral("CREATE INDEX PrimaryKey ON AddressBook (Id) with PRIMARY"),
                                      QStringLiteral("ALTER TABLE RanvelGlobal ADD COLUMN Schema_Ranvel60_6_3 INTEGER"),
                                      QStringLiteral("ALTER TABLE RanvelGlobal DROP COLUMN Schema_Ranvel60_6_2"),
                                  })};
    return step;
}

}  // namespace data
