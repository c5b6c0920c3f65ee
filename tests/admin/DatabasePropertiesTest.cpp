// The database properties dialog over a real file: every value through fill and OK, the rights, the manager lists
// and a save that fails as a whole.
#include "AdminFixture.h"

#include "admin/DatabaseProperties.h"
#include "admin/DatabasePropertiesForm.h"
#include "controls/edit/DateTimePicker.h"
#include "controls/grid/Wwdbgrid.h"
#include "data/forms/PasswordForms.h"
#include "data/module/SQLDataModule.h"
#include "platform/rtl/DateUtils.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Containers.h"
#include "platform/ui/Edits.h"
#include "platform/ui/Label.h"
#include "platform/ui/Lists.h"
#include "support/TestEnvironment.h"
#include "support/TextFit.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QTabBar>

using namespace admin_test;

namespace {

const QString kForm = QStringLiteral("DatabasePropertiesForm");
const QString kGlobalColumns = QStringLiteral(
    "select Title, UseridMode, BookingRestrictMode, BookingRestrictDaysAhead, BookingRestrictUntilDate, "
    "BookingAllowUserCreate, BookingOwnerOnlyModify, TaskAllowUserCreate, TaskOwnerOnlyModify, CheckReclaim, "
    "CheckReclaimSize, MinProgramVersion from RanvelGlobal");
const QString kSettings = QStringLiteral("select SettingName, SettingValue from Settings order by SettingName");

class DatabaseProperties : public AdminTest {
protected:
    QString path = data_test::DbPath(QStringLiteral("properties.tvd"));

    void SetUp() override {
        OpenNewDatabase(path);
        Execute(QStringLiteral(
            "update RanvelGlobal set Title = 'Bookings West', UseridMode = 3, BookingRestrictMode = 3, "
            "BookingRestrictDaysAhead = 21, BookingRestrictUntilDate = #6/30/2027#, BookingAllowUserCreate = True, "
            "BookingOwnerOnlyModify = False, TaskAllowUserCreate = False, TaskOwnerOnlyModify = True, "
            "CheckReclaim = False, CheckReclaimSize = 250, MinProgramVersion = '5.9.1.7'"));
        Execute(QStringLiteral("update Settings set SettingValue = 'filename' where SettingName = 'TitleSetting'"));
        Execute(
            QStringLiteral("insert into Settings (SettingName, SettingValue) values ('Treat1159AsMidnight', "
                           "'True')"));
        Execute(QStringLiteral("insert into TaskManagers (Username) values ('ann')"));
        Execute(QStringLiteral("insert into ResourceManagers (ResourceId, Username) values (-1, 'ann')"));
        Execute(QStringLiteral("insert into ResourceManagers (ResourceId, Username) values (2, 'bob')"));
    }

    void Execute(const QString& jetSql) { data.ADOConnection.Execute(jetSql); }
    QStringList Rows(const QString& jetSql) { return AdminTest::Rows(path, jetSql); }

    void Run(std::function<void(TDatabasePropertiesForm&)> action) {
        runner->OnShown<TDatabasePropertiesForm>(kForm, std::move(action));
        admin::ShowDatabaseProperties(data, *sqlData, MainWindow());
    }
};

TEST_F(DatabaseProperties, EveryValueIsShownAndOkWritesItBackWithUseridModeOne) {
    const QStringList global = Rows(kGlobalColumns);
    Run([](TDatabasePropertiesForm& form) {
        EXPECT_EQ(form.Caption(), QStringLiteral("Database Properties"));
        EXPECT_EQ(form.Menu(), nullptr);
        // Only an exact "Filename" is the file name.
        EXPECT_TRUE(form.DatabaseTitleUserSpecifiedRadioButton->Checked());
        EXPECT_TRUE(form.DatabaseTitleEdit->Enabled());
        EXPECT_EQ(form.DatabaseTitleEdit->Text(), QStringLiteral("Bookings West"));
        EXPECT_TRUE(form.WorkstationLogonRadioButton->Checked());
        EXPECT_TRUE(form.UpToDate->Checked());
        EXPECT_EQ(form.MaxDaysAheadEdit->Text(), QStringLiteral("21"));
        EXPECT_EQ(form.UpToDateDateTimePicker->Date(), EncodeDate(2027, 6, 30));
        EXPECT_TRUE(form.BookingAllowUserCreate->Checked());
        EXPECT_FALSE(form.BookingOwnerOnlyModify->Checked());
        EXPECT_FALSE(form.TaskAllowUserCreate->Checked());
        EXPECT_TRUE(form.TaskOwnerOnlyModify->Checked());
        EXPECT_FALSE(form.CheckReclaim->Checked());
        EXPECT_EQ(form.CheckReclaimSize->Text(), QStringLiteral("250"));
        // A version outside the list is added to it and selected.
        EXPECT_EQ(form.MinProgramVersionComboBox->Items().Count(), 7);
        EXPECT_EQ(form.MinProgramVersionComboBox->Text(), QStringLiteral("5.9.1.7"));
        EXPECT_TRUE(form.Treat1159AsMidnightCheckBox->Checked());
        EXPECT_TRUE(form.AllowuserSQLQueriesCheckBox->Checked());
        EXPECT_EQ(form.TaskManagersQuery.RecordCount(), 1);
        EXPECT_EQ(form.ResourceManagersQuery.RecordCount(), 1);
        form.OkButton->Click();
    });
    QStringList expected = global;
    expected[0].replace(QStringLiteral("Bookings West|3|"), QStringLiteral("Bookings West|1|"));
    EXPECT_EQ(Rows(kGlobalColumns), expected);
    // The supplied AllowUserSQLQueries=True is written only once it changes.
    EXPECT_EQ(Rows(kSettings), (QStringList{"TitleSetting|UserSpecified", "Treat1159AsMidnight|True"}));
    EXPECT_EQ(calls, (std::vector<QString>{"UpdateCommandStates", "UpdateCaption"}));
    EXPECT_TRUE(Shown().empty());
}

TEST_F(DatabaseProperties, ChangedValuesAreStoredAndTheSqlSwitchReachesTheCommandsAtOnce) {
    Run([](TDatabasePropertiesForm& form) {
        form.DatabaseTitleFilenameFullPathRadioButton->SetChecked(true);
        EXPECT_FALSE(form.DatabaseTitleEdit->Enabled());
        form.NovellUsernameRadioButton->SetChecked(true);
        form.MaxDaysAhead->SetChecked(true);
        form.MaxDaysAheadEdit->SetText(QString());
        form.CheckReclaim->SetChecked(!form.CheckReclaim->Checked());
        form.MinProgramVersionComboBox->SetItemIndex(0);
        form.Treat1159AsMidnightCheckBox->SetChecked(!form.Treat1159AsMidnightCheckBox->Checked());
        form.AllowuserSQLQueriesCheckBox->SetChecked(!form.AllowuserSQLQueriesCheckBox->Checked());
        form.OkButton->Click();
    });
    EXPECT_EQ(Rows(QStringLiteral("select UseridMode, BookingRestrictMode, BookingRestrictDaysAhead, CheckReclaim, "
                                  "MinProgramVersion from RanvelGlobal")),
              QStringList{"2|2|<null>|-1|6.0.0.255"});
    EXPECT_EQ(Rows(kSettings),
              (QStringList{"AllowUserSQLQueries|False", "TitleSetting|FilenameFullPath", "Treat1159AsMidnight|False"}));
    // The main window's UpdateCommandStates reads the module's settings, which already say so.
    EXPECT_FALSE(data.DatabaseSettings->GetBool(QStringLiteral("AllowUserSQLQueries")));
    EXPECT_EQ(calls.front(), QStringLiteral("UpdateCommandStates"));
}

TEST_F(DatabaseProperties, AReadOnlyUserSeesEveryValueDisabledAndOkWritesNothing) {
    data.AdministratorMode = false;
    data.ReadOnlyAccess = true;
    const QStringList global = Rows(kGlobalColumns);
    const QStringList settings = Rows(kSettings);
    Run([](TDatabasePropertiesForm& form) {
        EXPECT_EQ(form.Caption(), QStringLiteral("Database Properties (read only)"));
        EXPECT_EQ(form.Menu(), nullptr);
        for (TControl* control : std::initializer_list<TControl*>{
                 form.DatabaseTitleUserSpecifiedRadioButton, form.DatabaseTitleEdit, form.NovellUsernameRadioButton,
                 form.UpToDate, form.MaxDaysAheadEdit, form.UpToDateDateTimePicker, form.AddTaskManagerButton,
                 form.DeleteResourceManagerButton, form.TaskOwnerOnlyModify, form.CheckReclaimSize,
                 form.CheckReclaimLabel, form.MinProgramVersionComboBox, form.Treat1159AsMidnightCheckBox})
            EXPECT_FALSE(control->Enabled()) << control->Name().toStdString();
        EXPECT_TRUE(form.AllowuserSQLQueriesCheckBox->Enabled());
        EXPECT_TRUE(form.AdvancedSQLDataQueryButton->Enabled());
        EXPECT_TRUE(form.TaskManagersDBGrid->ReadOnly);
        EXPECT_TRUE(form.ReadOnlyView);
        form.AllowuserSQLQueriesCheckBox->SetChecked(!form.AllowuserSQLQueriesCheckBox->Checked());
        form.DatabaseTitleEdit->SetText(QStringLiteral("Changed"));
        form.OkButton->Click();
    });
    EXPECT_EQ(Rows(kGlobalColumns), global);
    EXPECT_EQ(Rows(kSettings), settings);
    EXPECT_EQ(calls, std::vector<QString>{"UpdateCaption"});
}

TEST_F(DatabaseProperties, TheAdminLoginMakesOkSave) {
    data.AdministratorMode = false;
    data.DatabasePassword = QStringLiteral("Secret7");
    Run([this](TDatabasePropertiesForm& form) {
        EXPECT_EQ(form.Caption(), QStringLiteral("Database Properties (read only)"));
        ASSERT_NE(form.Menu(), nullptr);
        runner->OnShown<TPasswordForm>(QStringLiteral("PasswordForm"), [](TPasswordForm& password) {
            password.PasswordEdit->SetText(QStringLiteral("Secret7"));
            password.OkButton->Click();
        });
        form.LoginAsAdminItemClick();
        EXPECT_EQ(form.Caption(), QStringLiteral("Database Properties"));
        EXPECT_TRUE(form.DatabaseTitleEdit->Enabled());
        form.DatabaseTitleEdit->SetText(QStringLiteral("After login"));
        form.OkButton->Click();
    });
    EXPECT_EQ(Rows(QStringLiteral("select Title from RanvelGlobal")), QStringList{"After login"});
}

TEST_F(DatabaseProperties, ManagersAreCheckedAndAllResourceManagersGetResourceIdMinusOne) {
    Run([](TDatabasePropertiesForm& form) {
        form.AddTaskManagerButton->Click();
        ASSERT_EQ(form.TaskManagersQuery.State(), dsInsert);
        EXPECT_FALSE(form.DeleteTaskManagerButton->Enabled());
        // A blank name keeps the window open with the reason.
        EXPECT_FALSE(form.CloseQuery());
        form.TaskManagersQuery.FieldByName(QStringLiteral("Username")).SetAsString(QStringLiteral("ann"));
        EXPECT_FALSE(form.CloseQuery());
        form.CancelTaskManagerEditButton->Click();
        EXPECT_TRUE(form.DeleteTaskManagerButton->Enabled());
        form.AddResourceManagerButton->Click();
        form.ResourceManagersQuery.FieldByName(QStringLiteral("Username")).SetAsString(QStringLiteral("cy"));
        form.ResourceManagersQuery.Post();
        EXPECT_TRUE(form.DeleteResourceManagerButton->Enabled());
        form.ResourceManagersQuery.First();
        form.DeleteResourceManagerButton->Click();  // ann
        form.CancelButton->Click();
    });
    EXPECT_EQ(Shown(), (std::vector<QString>{"Could not save the changes.\r\rYou must enter a username.",
                                             "Could not save the changes.\r\rThe username \"ann\" already exists."}));
    // The lists are written as they are posted, whatever closes the dialog.
    EXPECT_EQ(Rows(QStringLiteral("select ResourceId, Username from ResourceManagers order by Username")),
              (QStringList{"2|bob", "-1|cy"}));
    EXPECT_EQ(Rows(QStringLiteral("select Username from TaskManagers")), QStringList{"ann"});
}

TEST_F(DatabaseProperties, ASettingThatCannotBeWrittenLeavesTheGlobalRowAsItWas) {
    // A Settings table whose values hold four characters refuses "False".
    Execute(QStringLiteral("drop table Settings"));
    Execute(
        QStringLiteral("create table Settings ([SettingName] VARCHAR(30) Primary Key, [SettingValue] "
                       "VARCHAR(4))"));
    data.DatabaseSettings->CheckTableExists();
    Execute(QStringLiteral("insert into Settings values ('TitleSetting', 'Spec')"));
    Run([](TDatabasePropertiesForm& form) {
        form.DatabaseTitleEdit->SetText(QStringLiteral("Never stored"));
        form.AllowuserSQLQueriesCheckBox->SetChecked(!form.AllowuserSQLQueriesCheckBox->Checked());
        form.OkButton->Click();
    });
    ASSERT_EQ(Shown().size(), 1u);
    EXPECT_EQ(Rows(QStringLiteral("select Title from RanvelGlobal")), QStringList{"Bookings West"});
    EXPECT_EQ(Rows(kSettings), QStringList{"TitleSetting|Spec"});
    EXPECT_EQ(calls, std::vector<QString>{"UpdateCaption"});
    EXPECT_EQ(data.GlobalTable.FieldByName(QStringLiteral("Title")).AsString(), QStringLiteral("Bookings West"));
}

TEST_F(DatabaseProperties, TheAdvancedButtonAndHelpReachTheirHooks) {
    std::vector<QString> opened;
    auto mainWindow = MainWindow();
    mainWindow.DataQuery = [&opened] { opened.push_back(QStringLiteral("query")); };
    runner->OnShown<TDatabasePropertiesForm>(kForm, [](TDatabasePropertiesForm& form) {
        form.AdvancedSQLDataQueryButton->Click();
        for (int page : {0, 1, 2, 4}) {
            form.PageControl->SetActivePageIndex(page);
            form.HelpButton->Click();
        }
        form.CancelButton->Click();
    });
    admin::ShowDatabaseProperties(data, *sqlData, mainWindow,
                                  [&opened](const QString& topic) { opened.push_back(topic); });
    EXPECT_EQ(opened, (std::vector<QString>{"query", "html\\security\\user_identification.html",
                                            "html\\security\\managers.html",
                                            "html\\security\\booking_creation_and_modification.html", ""}));
}

// With TAVORIN_UI_SHOTS, the pictures of docs/.
TEST_F(DatabaseProperties, EveryPageShowsItsTextsWhole) {
    testing_env::AtEachTestFont([this] {
        TDatabasePropertiesForm form(data, *sqlData);
        admin::FillDatabaseProperties(form, data);
        form.ShowHelpTopic = [](const QString&) {};
        form.Show();
        QApplication::processEvents();
        EXPECT_LE(form.PageControl->tabBar()->sizeHint().width(), form.PageControl->width());
        for (int page = form.PageControl->PageCount() - 1; page >= 0; --page) {
            form.PageControl->SetActivePageIndex(page);
            testing_env::ExpectTextsWhole(form);
        }
    });
}

}  // namespace
