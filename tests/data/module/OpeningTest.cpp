// Opening and closing a database through the data module: passwords, the password file, locks, the version
// restriction, identity, read-only state and the reclaimable-space report, on real files.
#include "data/support/DataFixture.h"
#include "data/support/ScriptedDataWindows.h"

#include "data/bookings/UserIdentity.h"
#include "data/module/DataModule.h"
#include "data/module/DatabaseCompaction.h"
#include "platform/sql/EngineError.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <QFileInfo>

using namespace data_test;

namespace {

const QString kPrompt = QStringLiteral("DatabasePasswordForm");

// A database of the current schema made by the data module; protected when a password is given.
QString NewDatabase(const QString& password = {}, const QString& name = QStringLiteral("club.tvd")) {
    const QString path = DbPath(name);
    TData maker;
    EXPECT_TRUE(maker.CreateDatabase(path, false));
    if (!password.isEmpty()) {
        QString backup;
        EXPECT_EQ(data::CompactDatabaseFile(path, {}, backup, false, password), data::kCompacted);
    }
    return path;
}

void Execute(const QString& path, const QString& password, const QString& jetSql) {
    sql::Connection(Plain(path, password)).Execute(jetSql);
}

std::vector<QString> Shown() { return testing_env::Messages().Texts(); }

}  // namespace

TEST(Opening, UnprotectedDatabaseOpensWithAdministratorRights) {
    const QString path = NewDatabase();
    ScriptedDataWindows windows;
    TData data;
    ASSERT_TRUE(data.ConnectDatabase(path, {}));
    EXPECT_TRUE(data.AdministratorMode);
    EXPECT_FALSE(data.ReadOnlyAccess);
    EXPECT_EQ(data.DatabaseFileName, path);
    EXPECT_EQ(data.DatabasePassword, QString());
    EXPECT_EQ(data.CurrentUseridMode, 1);
    EXPECT_EQ(data.CurrentUserId(), data::LoginUserName());
    for (TADOTable* table : {&data.GlobalTable, &data.ResourceTable, &data.ResourceShadowTable, &data.BookingsTable,
                             &data.BookingsShadowTable, &data.HistoryTable, &data.NextBookingIdTable}) {
        SCOPED_TRACE(table->TableName.toStdString());
        EXPECT_TRUE(table->Active());
        EXPECT_FALSE(table->ControlsDisabled());
    }
    EXPECT_TRUE(data.TasksHistoryQuery.Prepared);
    EXPECT_EQ(data.TasksHistoryQuery.Parameters.Count(), 5);
    EXPECT_EQ(data.DatabaseSettings->GetValue("TitleSetting"), QStringLiteral("Filename"));
    EXPECT_TRUE(windows.Runs.empty());
    EXPECT_TRUE(Shown().empty());
    // The booking views' period queries rely on the booking-length index, the day's reminders on the start index.
    const auto index = data.ADOConnection.Engine().Native().Prepare(QStringLiteral(
        "SELECT count(*) FROM sqlite_master WHERE name IN ('tavorin_BookingLength', 'tavorin_BookingStart')"));
    ASSERT_TRUE(index->Step());
    EXPECT_EQ(index->Value(0).toInt(), 2);
    // The address book works on the open database's own table.
    ASSERT_NE(data.AddressBook, nullptr);
    data.AddressBook->AddAddress(QStringLiteral("Ann Lee"), QStringLiteral("ann@example.org"));
    EXPECT_EQ(data.AddressBook->Find(QStringLiteral("ann"), TAddressBook::kFindAll), 1);

    data.DisconnectDatabase();
    EXPECT_EQ(data.AddressBook, nullptr);
    EXPECT_FALSE(data.ADOConnection.Connected());
    EXPECT_FALSE(data.GlobalTable.Active());
    EXPECT_EQ(data.DatabaseSettings->Values.Count(), 0);
}

TEST(Opening, PasswordFileOpensWithoutPromptAndWithoutAdministratorRights) {
    for (int length : {6, 25, 26, 60}) {
        SCOPED_TRACE(length);
        QString password;
        for (int i = 0; i < length; ++i) password.append(QChar(u'A' + i % 26));
        const QString path = NewDatabase(password, QStringLiteral("club%1.tvd").arg(length));
        TData::WritePasswordFile(TData::PasswordFileName(path), password);
        ScriptedDataWindows windows;
        TData data;
        ASSERT_TRUE(data.ConnectDatabase(path, {}));
        EXPECT_FALSE(data.AdministratorMode);
        EXPECT_EQ(data.DatabasePassword, password);
        EXPECT_TRUE(windows.Runs.empty());
    }
    EXPECT_TRUE(Shown().empty());
}

TEST(Opening, PromptAsksAgainAfterAWrongPasswordAndGrantsAdministratorRights) {
    const QString path = NewDatabase(QStringLiteral("Secret"));
    ScriptedDataWindows windows;
    windows.TypePassword(QStringLiteral("secret"));
    windows.TypePassword(QStringLiteral("Secret"));
    TData data;
    ASSERT_TRUE(data.ConnectDatabase(path, {}));
    EXPECT_TRUE(data.AdministratorMode);
    EXPECT_EQ(windows.PasswordLines.first(),
              "The database " + path + " is password protected. Please enter the password.");
    EXPECT_EQ(Shown(), std::vector<QString>{"Incorrect password. Please re-enter."});
}

TEST(Opening, DamagedPasswordFileLeadsToThePromptAndCancelFailsSilently) {
    const QString path = NewDatabase(QStringLiteral("Secret"));
    TData::WritePasswordFile(TData::PasswordFileName(path), QStringLiteral("Stale"));
    ScriptedDataWindows windows;
    windows.CancelPassword();
    TData data;
    EXPECT_FALSE(data.ConnectDatabase(path, {}));
    EXPECT_EQ(windows.Runs, std::vector<QString>{kPrompt});
    EXPECT_FALSE(data.ADOConnection.Connected());
    EXPECT_EQ(data.AddressBook, nullptr);
    EXPECT_TRUE(Shown().empty());
}

TEST(Opening, ExclusiveHolderLocksTheFile) {
    const QString path = NewDatabase();
    OtherInstance other(path, {}, true);
    TData data;
    EXPECT_FALSE(data.ConnectDatabase(path, {}));
    EXPECT_EQ(Shown(), std::vector<QString>{"File " + path + " is locked by another user. Try again later."});
}

TEST(Opening, AFileLockedWhileThePasswordIsAskedForGivesTheLockedMessage) {
    const QString path = NewDatabase(QStringLiteral("Secret"));
    std::unique_ptr<OtherInstance> other;
    ScriptedDataWindows windows;
    windows.OnShown = [&](const QString&) {
        other = std::make_unique<OtherInstance>(path, QStringLiteral("Secret"), true);
    };
    windows.TypePassword(QStringLiteral("Secret"));
    TData data;
    EXPECT_FALSE(data.ConnectDatabase(path, {}));
    EXPECT_EQ(Shown(), std::vector<QString>{"File is locked by another user. Try again later."});
}

// Files that are no database of ours are never taken for protected ones.
TEST(Opening, AFileThatIsNoDatabaseCanNotBeOpenedAndNoPasswordIsAsked) {
    QByteArray jet(4096, '\0');
    jet.replace(0, 19, QByteArray("\x00\x01\x00\x00Standard Jet DB", 19));
    QByteArray text;
    while (text.size() < 2048) text += "Client,Start,End\r\n";
    text.truncate(2048);
    const std::pair<const char*, QByteArray> files[] = {
        {"old.mdb", jet},
        {"zeros.tvd", QByteArray(2048, '\0')},
        {"notes.tvd", text},
        {"report.tvd", QByteArray("%PDF-1.4").leftJustified(1024, ' ')}};
    for (const auto& [name, content] : files) {
        SCOPED_TRACE(name);
        testing_env::Messages().Clear();
        const QString path = DbPath(QLatin1String(name));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        ScriptedDataWindows windows;
        TData data;
        EXPECT_FALSE(data.ConnectDatabase(path, {}));
        EXPECT_TRUE(windows.Runs.empty());
        ASSERT_EQ(Shown().size(), 2u);
        EXPECT_EQ(Shown()[1], "Could not open file \r\r" + path + ".");
    }
}

// A protected file cut short is damage, whether the password comes from the caller or the password file: the
// engine's damage text and the open's failure, never the password question. A wrong password is still one.
TEST(Opening, AProtectedFileCutShortIsReportedAsDamagedAndNoPasswordIsAsked) {
    const QString whole = NewDatabase(QStringLiteral("Secret"));
    const qint64 size = QFileInfo(whole).size();
    ASSERT_GT(size, 64 * 1024);
    const std::pair<const char*, qint64> cuts[] = {
        {"at 4 KB", 4096}, {"at half", size / 2}, {"32 KB short of its end", size - 32 * 1024}};
    for (const auto& [name, length] : cuts) {
        for (const bool fromPasswordFile : {false, true}) {
            SCOPED_TRACE(std::string(name) + (fromPasswordFile ? ", password file" : ", given password"));
            testing_env::Messages().Clear();
            const QString path = DbPath(QStringLiteral("cut%1%2.tvd").arg(length).arg(fromPasswordFile));
            ASSERT_TRUE(QFile::copy(whole, path));
            ASSERT_TRUE(QFile::resize(path, length));
            if (fromPasswordFile) TData::WritePasswordFile(TData::PasswordFileName(path), QStringLiteral("Secret"));
            ScriptedDataWindows windows;
            TData data;
            EXPECT_FALSE(data.ConnectDatabase(path, fromPasswordFile ? QString() : QStringLiteral("Secret")));
            EXPECT_TRUE(windows.Runs.empty());
            EXPECT_EQ(Shown(),
                      (std::vector<QString>{sql::DamagedFileText(path), "Could not open file \r\r" + path + "."}));
            EXPECT_EQ(QFileInfo(path).size(), length);

            // Without the right password the damage cannot be seen: the question comes, as for a whole file.
            testing_env::Messages().Clear();
            QFile::remove(TData::PasswordFileName(path));
            ScriptedDataWindows asked;
            asked.CancelPassword();
            EXPECT_FALSE(data.ConnectDatabase(path, QStringLiteral("Wrong")));
            EXPECT_EQ(asked.Runs, std::vector<QString>{kPrompt});
            EXPECT_TRUE(Shown().empty());
        }
    }
    QString wrong;
    try {
        sql::Connection connection(Plain(whole, QStringLiteral("Wrong")));
    } catch (const Exception& error) {
        wrong = error.Message();
    }
    EXPECT_EQ(wrong, sql::kNotValidPassword);
}

TEST(Opening, MinimumProgramVersionRestrictsTheOpen) {
    const QString path = NewDatabase();
    const std::vector<std::pair<QString, bool>> cases = {
        {"6.0.0.250", true}, {"9.0.0.0", false}, {"", false}, {"6.0.zero.1", false}};
    for (const auto& [version, opens] : cases) {
        SCOPED_TRACE(version.toStdString());
        testing_env::Messages().Clear();
        Execute(path, {}, "UPDATE RanvelGlobal SET MinProgramVersion = '" + version + "'");
        TData data;
        EXPECT_EQ(data.ConnectDatabase(path, {}), opens);
        EXPECT_EQ(data.ADOConnection.Connected(), opens);
        const std::vector<QString> refusal = {
            "The database administrator has restricted opening of this database to Tavorin version " + version +
            " or higher. To open the database on this computer install an updated version of Tavorin or contact "
            "the database administrator to have the restriction removed."};
        EXPECT_EQ(Shown(), opens ? std::vector<QString>{} : refusal);
    }
}

TEST(Opening, OwnerSpecifiedIdentityBecomesTheLoginName) {
    const QString path = NewDatabase();
    Execute(path, {}, "UPDATE RanvelGlobal SET UseridMode = 3");
    TData data;
    ASSERT_TRUE(data.ConnectDatabase(path, {}));
    EXPECT_EQ(Shown(), std::vector<QString>{
                           "The database being upgraded was using an owner specified identity.\r\rThis setting is no "
                           "longer supported so it has been changed to the Windows logon username.\r\rSee File / "
                           "Database Properties... to change."});
    EXPECT_EQ(data.GlobalTable.FieldByName("UseridMode").AsInteger(), 1);
    EXPECT_EQ(data.CurrentUserId(), data::LoginUserName());
    // Writers cut the id to their column rather than fail on a long login name.
    EXPECT_EQ(data.CurrentUserId(2), data::LoginUserName().left(2));
}

TEST(Opening, EveryOpenStartsWithoutTheLastDatabasesRights) {
    const QString path = NewDatabase(QStringLiteral("Secret"));
    TData::WritePasswordFile(TData::PasswordFileName(path), QStringLiteral("Secret"));
    TData data;
    data.ReadOnlyAccess = true;
    data.AdministratorMode = true;
    ASSERT_TRUE(data.ConnectDatabase(path, {}));
    EXPECT_FALSE(data.ReadOnlyAccess);
    EXPECT_FALSE(data.AdministratorMode);
}

TEST(Opening, ReclaimableSpaceIsReportedFromTheDatabasesThreshold) {
    const QString path = NewDatabase();
    {
        sql::Connection connection(Plain(path));
        connection.Execute("CREATE TABLE Filler (Body MEMO)");
        connection.BeginTransaction();
        for (int i = 0; i < 300; ++i)
            connection.Execute("INSERT INTO Filler (Body) VALUES ('" + QString(4000, 'f') + "')");
        connection.CommitTransaction();
        connection.Execute("DROP TABLE Filler");
        connection.Execute("UPDATE RanvelGlobal SET CheckReclaimSize = 1");
    }
    TData data;
    ASSERT_TRUE(data.ConnectDatabase(path, {}));
    ASSERT_EQ(Shown().size(), 1u);
    EXPECT_TRUE(Shown()[0].startsWith("This database has 1 MB ("));
    EXPECT_TRUE(Shown()[0].endsWith("%) which can be reclaimed by compacting."));

    testing_env::Messages().Clear();
    Execute(path, {}, "UPDATE RanvelGlobal SET CheckReclaim = False");
    ASSERT_TRUE(data.ConnectDatabase(path, {}));
    EXPECT_TRUE(Shown().empty());
}
