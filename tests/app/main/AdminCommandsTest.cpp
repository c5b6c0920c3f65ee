// The main window's administration commands run the real wizards: a resource added to a file without any is
// at once the window's current resource and in its tree.
#include "admin/AboutForm.h"
#include "admin/AddResourcePages.h"
#include "admin/BackupRecommendation.h"
#include "admin/CheckDatabaseForm.h"
#include "admin/CustomFieldsForm.h"
#include "admin/DataQuery.h"
#include "admin/DatabaseInfoForm.h"
#include "admin/DatabasePropertiesForm.h"
#include "admin/EditResourceForm.h"
#include "admin/ExportData.h"
#include "admin/UserListForm.h"
#include "app/main/AdminCommands.h"
#include "app/main/MainForm.h"
#include "app/main/ProgramRun.h"
#include "controls/edit/DateTimePicker.h"
#include "controls/edit/MonthCalendar.h"
#include "data/bookings/UDFField.h"
#include "data/module/DataModule.h"
#include "data/module/SQLDataModule.h"
#include "data/support/BookingDatabaseFixture.h"
#include "platform/sql/Connection.h"
#include "platform/sql/Statement.h"
#include "platform/ui/Bars.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Edits.h"
#include "platform/ui/Label.h"
#include "platform/ui/ListView.h"
#include "platform/ui/Menus.h"
#include "platform/ui/ModalRunner.h"
#include "platform/ui/Timer.h"
#include "platform/ui/TreeView.h"
#include "support/TestEnvironment.h"
#include "util/core/DvSysUtils.h"
#include "util/core/VersionHistory.h"

#include <gtest/gtest.h>
#include <QDir>

namespace {

class AdminCommandsTest : public ::testing::Test {
protected:
    ui::ScopedScriptedRunner runner;
    TData data;
    std::unique_ptr<TSQLData> sqlData;

    AdminCommandsTest() {
        CreateVersionHistory();
        Data = &data;
    }
    // The window shown with its lookup module, as the program starts it.
    void Start(TMainForm& form) {
        sqlData = std::make_unique<TSQLData>(data);
        SQLData = sqlData.get();
        form.Show();
    }
    ~AdminCommandsTest() override {
        SQLData = nullptr;
        Data = nullptr;
    }
};

TEST_F(AdminCommandsTest, TheAddResourceWizardsNewResourceBecomesTheWindowsCurrentOne) {
    const QString path = QDir(testing_env::TempDir()).filePath(QStringLiteral("empty.tvd"));
    {
        TADOConnection connection;
        booking_db::Create(connection, path);
    }
    TMainWindowServices services;
    InstallAdminCommands(services);
    TMainForm form(data, services);
    Start(form);
    EXPECT_TRUE(form.HasCommand(QStringLiteral("NewItem")));

    runner->OnShown<TAddResourceWizardForm>(QStringLiteral("AddResourceWizardForm"), [](auto& p) {
        p.ResourceName->SetText(QStringLiteral("Room 9"));
        p.NextButton->Click();
    });
    runner->OnShown<TAddResourceFeaturesWizardForm>(QStringLiteral("AddResourceFeaturesWizardForm"),
                                                    [](auto& p) { p.NextButton->Click(); });
    runner->OnShown<TAddResourceGroupsWizardForm>(QStringLiteral("AddResourceGroupsWizardForm"),
                                                  [](auto& p) { p.NextButton->Click(); });
    runner->OnShown<TAddResourceCompletedWizardForm>(QStringLiteral("AddResourceCompletedWizardForm"),
                                                     [](auto& p) { p.CancelButton->Click(); });
    // Opening a file without resources offers the wizard.
    testing_env::Messages().QueueAnswer(mrYes);
    form.OpenDatabase(path, QString(), QString());

    ASSERT_EQ(runner->Runs().size(), 4u);
    EXPECT_EQ(form.ResourcesQuery.FieldByName(QStringLiteral("ResourceName")).AsString(), QStringLiteral("Room 9"));
    ASSERT_EQ(form.ResourcesNode->Count(), 1);
    EXPECT_EQ(form.ResourcesNode->Item(0)->Text(), QStringLiteral("Room 9"));
    EXPECT_EQ(form.ResourceTreeView->Selected(), form.ResourcesNode->Item(0));

    // The Edit menu's resource editor: a rename is in the window's list and tree when it closes.
    ASSERT_TRUE(form.HasCommand(QStringLiteral("ResourcesItem")));
    ASSERT_TRUE(form.HasCommand(QStringLiteral("GroupsItem")));
    ASSERT_TRUE(form.HasCommand(QStringLiteral("FeaturesItem")));
    runner->OnShown<TEditResourceForm>(QStringLiteral("EditResourceForm"), [](TEditResourceForm& editor) {
        EXPECT_EQ(editor.Caption(), QStringLiteral("Resource List"));
        editor.RenameResourceButton->Click();
        editor.ResourcesQuery.FieldByName(QStringLiteral("ResourceName")).SetAsString(QStringLiteral("Room \"9\""));
        editor.CloseButton->Click();
    });
    form.Item(QStringLiteral("ResourcesItem"))->Click();
    EXPECT_EQ(form.ResourcesQuery.FieldByName(QStringLiteral("ResourceName")).AsString(), QStringLiteral("Room \"9\""));
    EXPECT_EQ(form.ResourcesNode->Item(0)->Text(), QStringLiteral("Room \"9\""));
}

TEST_F(AdminCommandsTest, ExportStopsTheRefreshAndQueriesOpenReadOnly) {
    const QString path = QDir(testing_env::TempDir()).filePath(QStringLiteral("tools.tvd"));
    {
        TADOConnection connection;
        booking_db::Create(connection, path);
        connection.Execute(QStringLiteral("insert into Resources (ResourceName, MaxBookDays) values ('Room', 0)"));
    }
    TMainWindowServices services;
    InstallAdminCommands(services);
    TMainForm form(data, services);
    Start(form);
    form.OpenDatabase(path, QString(), QString());
    const TDateTime day = EncodeDate(2024, 3, 5);
    form.Calendar->SetDate(day);
    ASSERT_TRUE(form.RefreshTimer->Enabled());

    runner->OnShown<TExportForm>(QStringLiteral("ExportForm"), [&](TExportForm& window) {
        EXPECT_FALSE(form.RefreshTimer->Enabled());
        EXPECT_EQ(window.StartDatePicker->Date(), day);
        EXPECT_EQ(window.EndDatePicker->Date(), day);
        window.CancelButton->Click();
    });
    form.Item(QStringLiteral("ExportItem"))->Click();
    EXPECT_TRUE(form.RefreshTimer->Enabled());

    runner->OnShown<TDataQueryForm>(QStringLiteral("DataQueryForm"), [](TDataQueryForm& window) {
        EXPECT_EQ(window.Caption(), QStringLiteral("SQL Query (Read-Only)"));
        window.CloseButton->Click();
    });
    form.Item(QStringLiteral("QueriesItem"))->Click();
    EXPECT_EQ(runner->Runs().size(), 2u);
}

// The database properties and the custom fields through the window's menu: the SQL switch reaches the Queries
// command at once, and the custom fields leave the file open again with the new field found.
TEST_F(AdminCommandsTest, PropertiesAndCustomFieldsThroughTheMenu) {
    const QString path = QDir(testing_env::TempDir()).filePath(QStringLiteral("fields.tvd"));
    {
        TADOConnection connection;
        booking_db::Create(connection, path);
    }
    TMainWindowServices services;
    InstallAdminCommands(services);
    TMainForm form(data, services);
    Start(form);
    testing_env::Messages().QueueAnswer(mrNo);
    form.OpenDatabase(path, QString(), QString());
    ASSERT_TRUE(data.AdministratorMode);
    EXPECT_TRUE(form.Item(QStringLiteral("QueriesItem"))->Visible());

    // The properties' advanced query is the full SQL tool, not the read-only one of the Queries command.
    runner->OnShown<TDataQueryForm>(QStringLiteral("DataQueryForm"), [](TDataQueryForm& window) {
        EXPECT_EQ(window.Caption(), QStringLiteral("SQL Query"));
        window.CloseButton->Click();
    });
    runner->OnShown<TDatabasePropertiesForm>(QStringLiteral("DatabasePropertiesForm"),
                                             [](TDatabasePropertiesForm& properties) {
                                                 properties.AdvancedSQLDataQueryButton->Click();
                                                 properties.AllowuserSQLQueriesCheckBox->SetChecked(false);
                                                 properties.OkButton->Click();
                                             });
    form.Item(QStringLiteral("DatabasePropertiesItem"))->Click();
    EXPECT_EQ(runner->Runs().size(), 2u);
    EXPECT_FALSE(form.Item(QStringLiteral("QueriesItem"))->Visible());

    runner->OnShown<TCustomFieldsForm>(QStringLiteral("CustomFieldsForm"), [&form](TCustomFieldsForm& fields) {
        EXPECT_FALSE(form.RefreshTimer->Enabled());
        fields.Field1NameEdit->SetText(QStringLiteral("Room"));
        fields.OkButton->Click();
    });
    form.Item(QStringLiteral("CustomFieldsItem"))->Click();
    EXPECT_TRUE(form.DatabaseOpen());
    ASSERT_TRUE(data.Udf1Field);
    EXPECT_EQ(data.Udf1Field->FieldName, QStringLiteral("udf1Room"));
}

// The information windows get the window's load statistics; the About window's links go through the window,
// which says when the computer is offline.
TEST_F(AdminCommandsTest, TheInformationWindowsShowWhatTheWindowHandsThem) {
    const QString path = QDir(testing_env::TempDir()).filePath(QStringLiteral("information.tvd"));
    {
        TADOConnection connection;
        booking_db::Create(connection, path);
        booking_db::AddResource(connection, 1, QStringLiteral("Room 1"));
    }
    QStringList opened;
    TMainWindowServices services;
    InstallAdminCommands(services);
    services.OpenAddress = [&opened](const QString& address) {
        opened << address;
        return true;
    };
    TMainForm form(data, services);
    Start(form);
    form.OpenDatabase(path, QString(), QString());
    form.LoadCount = 2;
    form.TotalLoadTime = 3000;

    QString average;
    runner->OnShown<TDatabaseInfoForm>(QStringLiteral("DatabaseInfoForm"),
                                       [&average](auto& info) { average = info.AverageLabel->Caption(); });
    form.Item(QStringLiteral("DatabaseInformationItem"))->Click();
    EXPECT_EQ(average, QStringLiteral("Average retrieval: 1.50"));

    int users = 0;
    runner->OnShown<TUserListForm>(QStringLiteral("UserListForm"),
                                   [&users](auto& list) { users = list.ListView->ItemCount(); });
    form.Item(QStringLiteral("ActiveUsersItem"))->Click();
    EXPECT_EQ(users, 1);

    runner->OnShown<TAboutForm>(QStringLiteral("AboutForm"), [](auto& about) { about.WebLinkLabel->Click(); });
    form.Item(QStringLiteral("AboutItem"))->Click();
    if (IsInternetConnected(true)) {
        EXPECT_EQ(opened, QStringList{QStringLiteral("https://www.dulvex.example/")});
    } else {
        EXPECT_TRUE(opened.isEmpty());
        EXPECT_EQ(testing_env::Messages().Texts(),
                  std::vector<QString>{QStringLiteral("Could not connected to the Internet")});
    }
}

// "Check && Fix" from the Tools menu takes the file for itself: the window lets go of its lists and stops its
// refresh meanwhile, and afterwards the file is open for everybody again with the lists, the tree and the timer
// back and the staged row gone.
TEST_F(AdminCommandsTest, CheckAndFixGivesTheFileBackToTheWindow) {
    const QString path = QDir(testing_env::TempDir()).filePath(QStringLiteral("check.tvd"));
    {
        TADOConnection connection;
        booking_db::Create(connection, path);
        booking_db::AddResource(connection, 1, QStringLiteral("Room 1"));
        connection.Execute(
            QStringLiteral("INSERT INTO Bookings (BookingId, ResourceId, BookingStart, BookingEnd, "
                           "Client, Trans) VALUES (1001, 1, 46084.375, 46084.4, 'Ann', True)"));
    }
    TMainWindowServices services;
    InstallAdminCommands(services);
    TMainForm form(data, services);
    Start(form);
    form.OpenDatabase(path, QString(), QString());
    ASSERT_TRUE(data.AdministratorMode);
    ASSERT_TRUE(form.RefreshTimer->Enabled());

    // Declining the backup recommendation ends the command with the refresh running again.
    runner->Answer(QStringLiteral("BackupRecommendationForm"), mrCancel);
    form.Item(QStringLiteral("CheckDatabaseIntegrityItem"))->Click();
    EXPECT_EQ(runner->Runs(), std::vector<QString>{QStringLiteral("BackupRecommendationForm")});
    EXPECT_TRUE(form.RefreshTimer->Enabled());

    runner->OnShown<TBackupRecommendationForm>(
        QStringLiteral("BackupRecommendationForm"),
        [](TBackupRecommendationForm& backup) { backup.ProceedButton->Click(); });
    runner->OnShown<TCheckDatabaseForm>(QStringLiteral("CheckDatabaseForm"), [&form](TCheckDatabaseForm& check) {
        EXPECT_FALSE(form.RefreshTimer->Enabled());
        EXPECT_FALSE(form.ResourcesQuery.Active());
        check.CheckDatabaseCheckFixButton->Click();
        EXPECT_EQ(check.CheckDatabaseBookingTransactionEdit->Text(), QStringLiteral("1"));
        check.CloseButton->Click();
    });
    form.Item(QStringLiteral("CheckDatabaseIntegrityItem"))->Click();
    ASSERT_EQ(runner->Runs().size(), 3u);
    EXPECT_TRUE(testing_env::Messages().Texts().empty());
    ASSERT_TRUE(form.DatabaseOpen());
    EXPECT_EQ(data.ADOConnection.Mode(), 16);
    EXPECT_TRUE(data.AdministratorMode);
    EXPECT_TRUE(form.RefreshTimer->Enabled());
    EXPECT_EQ(form.StatusBar->PanelText(0), QStringLiteral(" Administrator Mode"));
    EXPECT_EQ(form.ResourcesQuery.FieldByName(QStringLiteral("ResourceName")).AsString(), QStringLiteral("Room 1"));
    ASSERT_EQ(form.ResourcesNode->Count(), 1);
    EXPECT_EQ(form.ResourceTreeView->Selected(), form.ResourcesNode->Item(0));
    const auto bookings = data.ADOConnection.Engine().Prepare(QStringLiteral("SELECT Count(*) FROM Bookings"));
    ASSERT_TRUE(bookings->Step());
    EXPECT_EQ(bookings->Value(0).toInt(), 0);
    // The window's own datasets work on the file opened again.
    form.Item(QStringLiteral("RefreshItem"))->Click();
    EXPECT_TRUE(testing_env::Messages().Texts().empty());
}

}  // namespace
