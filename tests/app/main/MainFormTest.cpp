// The main window over real database files: the closed and open states, the resource tree, the commands'
// states, the recent files, the administrator login, a read-only file and the layout at both test fonts.
#include "app/main/MainForm.h"
#include "app/main/ProgramRun.h"
#include "app/main/RecordingBookingWindow.h"
#include "data/module/DataModule.h"
#include "data/support/BookingDatabaseFixture.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/DateUtils.h"
#include "platform/sql/Connection.h"
#include "platform/ui/Bars.h"
#include "platform/ui/Containers.h"
#include "platform/ui/Edits.h"
#include "platform/ui/Menus.h"
#include "platform/ui/ModalRunner.h"
#include "platform/ui/Splitter.h"
#include "platform/ui/ToolBar.h"
#include "support/OrdinaryUser.h"
#include "support/TestEnvironment.h"
#include "support/TextFit.h"
#include "util/DvCheckUpdates.h"
#include "util/DvMru.h"
#include "util/core/DvRegistry.h"
#include "util/core/VersionHistory.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>

namespace {

const QString kTavorin7 = QStringLiteral("\\Software\\Dulvex\\Tavorin\\7.0");

// Every command of the window, by the items the Part's table names, and when each may run: none, a database
// (C), write access (W), resources (R), administrator mode (A), a grid view (V).
struct CommandRule {
    const char* item;
    char needs;
};

const CommandRule kRules[] = {
    {"NewItem", ' '},
    {"OpenItem", ' '},
    {"ExitItem", ' '},
    {"CloseItem", 'C'},
    {"DatabaseInformationItem", 'C'},
    {"DatabasePropertiesItem", 'C'},
    {"NewTaskItem", 'C'},
    {"DeleteTaskItem", 'C'},
    {"ViewTaskItem", 'C'},
    {"FeaturesItem", 'C'},
    {"ResourcesItem", 'C'},
    {"GroupsItem", 'C'},
    {"GoToDateItem", 'C'},
    {"ActiveUsersItem", 'C'},
    {"ISAMStatisticsItem", 'C'},
    {"RefreshItem", 'C'},
    {"DeletedBookingsItem", 'C'},
    {"CheckDatabaseIntegrityItem", 'C'},
    {"CustomFieldsItem", 'C'},
    {"SecurityItem", 'C'},
    {"ExportItem", 'C'},
    {"PrintPredefinedItem", 'C'},
    {"PreviewPredefinedItem", 'C'},
    {"ResourceInformationItem", 'C'},
    {"LogonAsAdministratorItem", 'W'},
    {"SetDatabasePasswordItem", 'W'},
    {"DeleteAndPurgeItem", 'W'},
    {"CompactCurrentDatabaseItem", 'W'},
    {"ImportItem", 'W'},
    {"AddressBookItem", 'W'},
    {"PrintItem", 'R'},
    {"NewBookingItem", 'R'},
    {"DeleteBookingItem", 'R'},
    {"ViewBookingItem", 'R'},
    {"SearchBookingsItem", 'R'},
    {"BookingIdItem", 'R'},
    {"GroupBookingsItem", 'R'},
    {"ReportsItem", 'R'},
    {"HistoryItem", 'R'},
    {"LastModifiedBookingItem", 'L'},
    {"AddResourceWizardItem", 'A'},
    {"ColumnSizeItem", 'V'},
};

class MainFormTest : public ::testing::Test {
protected:
    TData data;
    QStringList ran;
    int lastModified = 0;

    MainFormTest() {
        CreateVersionHistory();
        Data = &data;
    }
    ~MainFormTest() override { Data = nullptr; }

    QString Path(const QString& name) const { return QDir(testing_env::TempDir()).filePath(name); }

    // A file with three resources and two groups, or none of either.
    QString Fixture(const QString& name = QStringLiteral("bookings.tvd"), bool resources = true) {
        const QString path = Path(name);
        TADOConnection connection;
        booking_db::Create(connection, path);
        if (resources) {
            booking_db::AddResource(connection, 1, QStringLiteral("Room B"));
            booking_db::AddResource(connection, 2, QStringLiteral("Room A"));
            booking_db::AddResource(connection, 3, QStringLiteral("Van"));
            connection.Execute(QStringLiteral("INSERT INTO Groups (GroupName) VALUES ('Floor 2')"));
            connection.Execute(QStringLiteral("INSERT INTO Groups (GroupName) VALUES ('Floor 1')"));
        }
        connection.Close();
        return path;
    }

    // Every hook and every command filled with a recorder.
    TMainWindowServices Services() {
        TMainWindowServices s;
        s.CreateBookingWindow = [this](TData& d) {
            auto window = std::make_unique<testing_env::RecordingBookingWindow>(d);
            window->lastModified = lastModified;
            return window;
        };
        const std::pair<const char*, TMainWindowServices::Command TMainWindowServices::*> hooks[] = {
            {"NewDatabase", &TMainWindowServices::NewDatabase},
            {"DatabaseProperties", &TMainWindowServices::DatabaseProperties},
            {"CheckDatabaseIntegrity", &TMainWindowServices::CheckDatabaseIntegrity},
            {"CustomFields", &TMainWindowServices::CustomFields},
            {"DeleteAndPurge", &TMainWindowServices::DeleteAndPurge},
            {"CompactCurrentDatabase", &TMainWindowServices::CompactCurrentDatabase},
            {"CompactDatabase", &TMainWindowServices::CompactDatabase},
            {"SetDatabasePassword", &TMainWindowServices::SetDatabasePassword},
            {"AddResourceWizard", &TMainWindowServices::AddResourceWizard},
            {"AddressBook", &TMainWindowServices::AddressBook},
            {"Reports", &TMainWindowServices::Reports}};
        for (const auto& [name, member] : hooks)
            s.*member = [this, name](TMainForm&) { ran << QString::fromLatin1(name); };
        return s;
    }

    std::unique_ptr<TMainForm> MakeForm(bool allCommands = true) {
        auto form = std::make_unique<TMainForm>(data, allCommands ? Services() : TMainWindowServices{});
        if (allCommands)
            for (const CommandRule& rule : kRules) {
                const QString name = QString::fromLatin1(rule.item);
                if (!form->HasCommand(name)) form->SetCommand(name, [this, name] { ran << name; });
            }
        form->Show();
        return form;
    }

    static QString TreeText(TTreeView& tree) {
        QStringList lines;
        for (int r = 0; r < tree.RootCount(); ++r) {
            TTreeNode* root = tree.Root(r);
            lines << root->Text();
            for (int i = 0; i < root->Count(); ++i) lines << QStringLiteral("  ") + root->Item(i)->Text();
        }
        return lines.join(u'\n');
    }

    // The items whose enabled state differs from the rules for the given state.
    static QStringList Mismatches(TMainForm& form, bool c, bool w, bool r, bool l, bool a, bool v) {
        QStringList wrong;
        for (const CommandRule& rule : kRules) {
            const bool expected = rule.needs == ' '   ? true
                                  : rule.needs == 'C' ? c
                                  : rule.needs == 'W' ? w
                                  : rule.needs == 'R' ? r
                                  : rule.needs == 'L' ? l
                                  : rule.needs == 'A' ? a
                                                      : v;
            if (form.Item(QString::fromLatin1(rule.item))->Enabled() != expected)
                wrong << QString::fromLatin1(rule.item);
        }
        return wrong;
    }
};

TEST_F(MainFormTest, WithNoDatabaseOpenTheWindowSaysSoAndOnlyTheFileCommandsRun) {
    auto form = MakeForm();
    EXPECT_EQ(form->Caption(), QStringLiteral("Tavorin 7.0"));
    EXPECT_EQ(form->StatusBar->PanelText(0), QString());
    EXPECT_EQ(form->StatusBar->PanelText(1), QStringLiteral("No Database Open"));
    EXPECT_FALSE(form->ResourcePanel->isVisible());
    EXPECT_FALSE(form->CalendarPanel->isVisible());
    EXPECT_FALSE(form->BottomPanel->isVisible());
    EXPECT_TRUE(Mismatches(*form, false, false, false, false, false, false).isEmpty())
        << Mismatches(*form, false, false, false, false, false, false).join(u' ').toStdString();
    EXPECT_FALSE(form->Item(QStringLiteral("QueriesItem"))->Visible());
    EXPECT_EQ(TreeText(*form->ResourceTreeView), QStringLiteral("Groups\nResources"));

    // Without the windows of other subsystems their commands stay visible and disabled.
    TMainForm bare(data, TMainWindowServices{});
    EXPECT_TRUE(bare.Item(QStringLiteral("NewItem"))->Visible());
    EXPECT_FALSE(bare.Item(QStringLiteral("NewItem"))->Enabled());
    EXPECT_TRUE(bare.Item(QStringLiteral("OpenItem"))->Enabled());
}

TEST_F(MainFormTest, OpeningAFileShowsItsNameGroupsAboveResourcesAndTheFirstResource) {
    const QString path = Fixture();
    auto form = MakeForm();
    int refreshes = 0;
    form->RefreshView = [&] { ++refreshes; };
    form->OpenDatabase(path, QString(), QStringLiteral("Opening database..."));
    ASSERT_TRUE(form->DatabaseOpen());
    EXPECT_EQ(form->Caption(), QStringLiteral("bookings.tvd - Tavorin 7.0"));
    // A file without a password gives administrator mode at once.
    EXPECT_TRUE(data.AdministratorMode);
    EXPECT_EQ(form->StatusBar->PanelText(0), QStringLiteral(" Administrator Mode"));
    EXPECT_EQ(form->StatusBar->PanelText(1), path);
    data.AdministratorMode = false;
    form->UpdateCaption();
    form->UpdateCommandStates();
    EXPECT_EQ(form->StatusBar->PanelText(0), QStringLiteral(" User Mode"));
    EXPECT_EQ(TreeText(*form->ResourceTreeView),
              QStringLiteral("Groups\n  Floor 1\n  Floor 2\nResources\n  Room A\n  Room B\n  Van"));
    ASSERT_NE(form->ResourceTreeView->Selected(), nullptr);
    EXPECT_EQ(form->ResourceTreeView->Selected()->Text(), QStringLiteral("Room A"));
    EXPECT_TRUE(form->BottomPanel->isVisible());
    EXPECT_NE(form->BookingWindow(), nullptr);
    EXPECT_GE(refreshes, 1);
    EXPECT_TRUE(testing_env::Messages().Texts().empty());
    EXPECT_TRUE(Mismatches(*form, true, true, true, false, false, true).isEmpty())
        << Mismatches(*form, true, true, true, false, false, true).join(u' ').toStdString();

    // A branch cannot be chosen; a child can, and the view reloads.
    const int before = refreshes;
    form->ResourceTreeView->SetSelected(form->GroupsNode);
    EXPECT_EQ(form->ResourceTreeView->Selected()->Text(), QStringLiteral("Room A"));
    form->ResourceTreeView->SetSelected(form->GroupsNode->Item(1));
    EXPECT_EQ(form->ResourceTreeView->Selected()->Text(), QStringLiteral("Floor 2"));
    EXPECT_EQ(refreshes, before + 1);

    // The reminders and tasks tabs have no column size and give the booking shortcuts to the task items.
    form->DataPageControl->SetActivePage(form->TasksTabSheet);
    EXPECT_FALSE(form->Item(QStringLiteral("ColumnSizeItem"))->Enabled());
    EXPECT_EQ(form->Item(QStringLiteral("NewBookingItem"))->ShortCut(), scNone);
    EXPECT_EQ(form->Item(QStringLiteral("NewTaskItem"))->ShortCut(), TShortCut(VK_INSERT));
    form->DataPageControl->SetActivePage(form->DayViewTabSheet);
    EXPECT_EQ(form->Item(QStringLiteral("NewBookingItem"))->ShortCut(), TShortCut(VK_INSERT));
    EXPECT_EQ(form->Item(QStringLiteral("NewTaskItem"))->ShortCut(), scNone);

    // Closing remembers the group, lists the file as recent and brings back the closed state.
    form->Item(QStringLiteral("CloseItem"))->Click();
    EXPECT_FALSE(form->DatabaseOpen());
    EXPECT_EQ(form->Preferences.ResourceViewGroup, QStringLiteral("Floor 2"));
    EXPECT_EQ(form->DvMru->GetFileName(0), path);
    EXPECT_EQ(form->Caption(), QStringLiteral("Tavorin 7.0"));
    EXPECT_EQ(form->StatusBar->PanelText(1), QStringLiteral("No Database Open"));
    EXPECT_EQ(form->BookingWindow(), nullptr);
    EXPECT_TRUE(Mismatches(*form, false, false, false, false, false, false).isEmpty());
}

TEST_F(MainFormTest, TheRememberedNodeIsSelectedOrElseTheFirstResource) {
    const QString path = Fixture();
    struct Case {
        const char* view;
        const char* resource;
        const char* group;
        const char* selected;
    };
    const Case cases[] = {
        {"Resources", "van", "", "Van"},      {"Resources", "Gone", "", "Room A"}, {"Resources", "", "", "Room A"},
        {"Groups", "", "Floor 2", "Floor 2"}, {"Groups", "", "", "Floor 1"},       {"Groups", "", "Gone", "Room A"},
        {"", "Van", "Floor 2", "Room A"},
    };
    auto form = MakeForm();
    for (const Case& c : cases) {
        form->Preferences.ResourceView = QString::fromLatin1(c.view);
        form->Preferences.ResourceViewResource = QString::fromLatin1(c.resource);
        form->Preferences.ResourceViewGroup = QString::fromLatin1(c.group);
        form->OpenDatabase(path, QString(), QString());
        ASSERT_NE(form->ResourceTreeView->Selected(), nullptr) << c.view << c.resource << c.group;
        EXPECT_EQ(form->ResourceTreeView->Selected()->Text(), QString::fromLatin1(c.selected))
            << c.view << " " << c.resource << " " << c.group;
        form->CloseDatabase();
    }
}

TEST_F(MainFormTest, AFileWithoutResourcesOffersTheAddResourceWizard) {
    const QString path = Fixture(QStringLiteral("empty.tvd"), false);
    auto form = MakeForm();
    const QString question =
        QStringLiteral("There are no resources in this database. Would you like to run the Add Resource Wizard?");
    for (const int answer : {mrNo, mrYes}) {
        testing_env::Messages().Clear();
        ran.clear();
        testing_env::Messages().QueueAnswer(answer);
        form->OpenDatabase(path, QString(), QString());
        EXPECT_EQ(testing_env::Messages().Texts(), std::vector<QString>{question});
        EXPECT_EQ(ran.contains(QStringLiteral("AddResourceWizard")), answer == mrYes);
        // Without resources the booking commands stay disabled.
        EXPECT_FALSE(form->Item(QStringLiteral("NewBookingItem"))->Enabled());
        EXPECT_TRUE(form->Item(QStringLiteral("CloseItem"))->Enabled());
    }
}

TEST_F(MainFormTest, TheLastModifiedBookingCommandFollowsTheBookingWindow) {
    const QString path = Fixture();
    lastModified = 12;
    auto form = MakeForm();
    form->OpenDatabase(path, QString(), QString());
    EXPECT_TRUE(form->Item(QStringLiteral("LastModifiedBookingItem"))->Enabled());
}

TEST_F(MainFormTest, AMissingRecentFileIsNamedAndLeavesTheList) {
    const QString path = Fixture();
    auto form = MakeForm();
    form->DvMru->AddFile(path);
    form->DvMru->AddFile(Path(QStringLiteral("gone.tvd")));
    form->DvMru->MenuItem()->Items(0)->Click();
    EXPECT_EQ(testing_env::Messages().Texts(),
              std::vector<QString>{QStringLiteral("Could not find file ") + Path(QStringLiteral("gone.tvd")) + u'.'});
    EXPECT_EQ(form->DvMru->Count(), 1);
    EXPECT_FALSE(form->DatabaseOpen());
    form->DvMru->MenuItem()->Items(0)->Click();
    EXPECT_TRUE(form->DatabaseOpen());
    EXPECT_EQ(data.DatabaseFileName, path);
}

TEST_F(MainFormTest, TheAdministratorLoginChecksThePasswordTheFileWasOpenedWith) {
    const QString path = Fixture();
    auto form = MakeForm();
    form->OpenDatabase(path, QString(), QString());
    data.AdministratorMode = true;
    form->Item(QStringLiteral("LogonAsAdministratorItem"))->Click();
    EXPECT_EQ(testing_env::Messages().Texts(),
              std::vector<QString>{
                  QStringLiteral("The Database does not have a password so you already have Administrator access.")});

    // As a user of a protected file: a wrong password changes nothing, the right one gives the mode.
    data.AdministratorMode = false;
    data.DatabasePassword = QStringLiteral("Secret");
    form->UpdateCaption();
    for (const char* typed : {"secret", "Secret"}) {
        testing_env::Messages().Clear();
        ui::ScopedScriptedRunner runner;
        runner->OnShown<TForm>(QStringLiteral("PasswordForm"), [typed](TForm& dialog) {
            dialog.Find<TEdit>(QStringLiteral("PasswordEdit"))->SetText(QString::fromLatin1(typed));
            dialog.SetModalResult(mrOk);
        });
        form->Item(QStringLiteral("LogonAsAdministratorItem"))->Click();
    }
    EXPECT_TRUE(data.AdministratorMode);
    EXPECT_EQ(form->StatusBar->PanelText(0), QStringLiteral(" Administrator Mode"));
    EXPECT_TRUE(form->Item(QStringLiteral("AddResourceWizardItem"))->Enabled());
}

TEST_F(MainFormTest, AReadOnlyFileShowsTheReadOnlyStateToAnOrdinaryUser) {
    QDir().mkpath(Path(QStringLiteral("share")));
    const QString path = Fixture(QStringLiteral("share/shared.tvd"));
    // The data module opens the file once writable first, so that it is of the current schema.
    {
        auto form = MakeForm();
        form->OpenDatabase(path, QString(), QString());
        form->CloseDatabase();
    }
    testing_env::MakeReadOnly(path);
    const QString seen = testing_env::AsAnOrdinaryUser([&] {
        auto form = MakeForm();
        form->OpenDatabase(path, QString(), QString());
        return QStringList{form->Caption(),
                           form->StatusBar->PanelText(0),
                           QString::number(form->Item(QStringLiteral("CloseItem"))->Enabled()),
                           QString::number(form->Item(QStringLiteral("ImportItem"))->Enabled()),
                           QString::number(form->Item(QStringLiteral("AddressBookItem"))->Enabled()),
                           QString::number(form->Item(QStringLiteral("NewBookingItem"))->Enabled())}
            .join(u'|');
    });
    testing_env::MakeWritable(path);
    EXPECT_EQ(seen, QStringLiteral("shared.tvd (Read-Only) - Tavorin 7.0| Read Only Mode|1|0|0|1"));
}

TEST_F(MainFormTest, SlashSOpensNothingButTheWindowStillSavesItsLayout) {
    const QString path = Fixture();
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey(kTavorin7, true));
        reg.WriteString(QStringLiteral("MRUDatabase"), path);
    }
    auto form = MakeForm();
    TProgramWindow window;
    window.OpenDatabase = [&](const QString& file, const QString& password, const QString& message) {
        form->OpenDatabase(file, password, message);
    };
    window.RunLoop = [&] {
        form->ResourcePanel->SetWidth(187);
        form->Close();
    };
    RunProgram(data, true, {QStringLiteral("/S"), QStringLiteral("other.tvd")}, window);
    EXPECT_FALSE(form->DatabaseOpen());
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKeyReadOnly(kTavorin7));
    EXPECT_EQ(reg.ReadInteger(QStringLiteral("ResourcePanel")), 187);
    EXPECT_EQ(reg.ReadString(QStringLiteral("MRUDatabase")), path);

    // Without it the most recent database opens, and closing the window closes it and lists it as recent.
    auto second = MakeForm();
    window.OpenDatabase = [&](const QString& file, const QString& password, const QString& message) {
        second->OpenDatabase(file, password, message);
    };
    window.RunLoop = [&] {
        EXPECT_TRUE(second->DatabaseOpen());
        // The splitters size the panels before them; the sizes are kept.
        const int top = second->TopPanel->Height();
        second->Find<TSplitter>(QStringLiteral("ResourceSplitter"))->MoveBy(-13);
        second->Find<TSplitter>(QStringLiteral("PanelSplitter"))->MoveBy(20);
        EXPECT_EQ(second->ResourcePanel->Width(), 174);
        EXPECT_EQ(second->TopPanel->Height(), top + 20);
        second->Close();
    };
    RunProgram(data, true, {}, window);
    EXPECT_FALSE(second->DatabaseOpen());
    EXPECT_EQ(second->DvMru->GetFileName(0), path);
    TRegistry after;
    ASSERT_TRUE(after.OpenKeyReadOnly(kTavorin7));
    EXPECT_EQ(after.ReadInteger(QStringLiteral("ResourcePanel")), 174);
}

TEST_F(MainFormTest, ShowsEveryTextWholeClosedAndOpen) {
    const QString path = Fixture();
    testing_env::AtEachTestFont([&] {
        auto form = MakeForm();
        form->resize(760, 560);
        testing_env::ExpectTextsWhole(*form);
        form->OpenDatabase(path, QString(), QString());
        testing_env::ExpectTextsWhole(*form);
    });
}

// With TAVORIN_MAIN_SHOTS=<folder> under a real X server, a picture of the window over the fixture:
//   TAVORIN_MAIN_SHOTS=docs QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24"
//   build/tests/app/main/test_app_main --gtest_filter='MainFormTest.Picture'
TEST_F(MainFormTest, Picture) {
    const QString folder = qEnvironmentVariable("TAVORIN_MAIN_SHOTS");
    if (folder.isEmpty()) GTEST_SKIP() << "TAVORIN_MAIN_SHOTS names no folder";
    const QString path = Fixture();
    {
        // Both rooms on the first floor, with the day's bookings the day view shows.
        TADOConnection connection;
        connection.ConnectionString = QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=%1").arg(path);
        connection.LoginPrompt = false;
        connection.Open();
        for (int id : {1, 2})
            connection.Execute(
                QStringLiteral("INSERT INTO ResourceGroups (GroupName, ResourceId) VALUES ('Floor 1', %1)").arg(id));
        const TDateTime today = DateOf(rtl::CurrentClock().Now());
        const auto at = [today](int hour, int minute) { return today + EncodeTime(hour, minute, 0, 0); };
        booking_db::BookingWriter writer(connection);
        writer.Add({1, 1, at(8, 30), at(10, 0)});
        writer.Add({2, 2, at(9, 0), at(11, 30)});
        writer.Add({3, 1, at(11, 0), at(12, 0), false, QStringLiteral("bring the key")});
        writer.Add({4, 2, at(13, 0), at(14, 30), true});
        connection.Close();
    }
    auto form = MakeForm();
    form->Preferences.ResourceView = QStringLiteral("Groups");
    form->Preferences.ResourceViewGroup = QStringLiteral("Floor 1");
    form->resize(800, 600);
    form->TopPanel->SetHeight(200);
    form->OpenDatabase(path, QString(), QString());
    QTest::qWait(200);
    const QPoint origin = form->mapToGlobal(QPoint(0, 0));
    ASSERT_TRUE(form->screen()
                    ->grabWindow(0, origin.x(), origin.y(), form->width(), form->height())
                    .save(QDir(folder).filePath(QStringLiteral("main-window.png"))));
}

}  // namespace

namespace {

TEST_F(MainFormTest, TheStartUpUpdateCheckNeedsTheVersionListsAddressAndADueCheck) {
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey(kTavorin7 + QStringLiteral("\\Updates"), true));
        reg.WriteInteger(QStringLiteral("CheckUpdatesEnabled"), 1);
        reg.WriteInteger(QStringLiteral("CheckUpdatesInterval"), 1);
        reg.WriteDateTime(QStringLiteral("CheckUpdatesLastDate"), EncodeDate(2001, 1, 1));
    }
    auto form = MakeForm();
    int asked = 0;
    form->DvCheckUpdates->ConnectionTest = [&](bool attemptConnect) {
        EXPECT_FALSE(attemptConnect);
        ++asked;
        return false;
    };
    form->CheckForUpdatesAtStart();
    EXPECT_EQ(asked, 0);

    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey(kTavorin7 + QStringLiteral("\\Updates"), true));
        reg.WriteString(QStringLiteral("URL"), QStringLiteral("http://127.0.0.1:9/versions.txt"));
    }
    form->CheckForUpdatesAtStart();
    EXPECT_EQ(asked, 1);
    // Silent: no connection is no message.
    EXPECT_TRUE(testing_env::Messages().Texts().empty());
}

}  // namespace

namespace {

TEST_F(MainFormTest, RefillingTheTreeDropsWhatAnotherUserRenamedAndKeepsAResourceSelected) {
    const QString path = Fixture();
    auto form = MakeForm();
    form->Preferences.ResourceView = QStringLiteral("Resources");
    form->OpenDatabase(path, QString(), QString());
    form->ResourceTreeView->SetSelected(form->ResourcesNode->Item(2));
    ASSERT_EQ(form->ResourceTreeView->Selected()->Text(), QStringLiteral("Van"));
    const auto* vanData = dynamic_cast<TResourceTreeNodeData*>(form->ResourcesNode->Item(2)->Data());
    ASSERT_NE(vanData, nullptr);
    EXPECT_EQ(vanData->ResourceId, 3);
    EXPECT_EQ(vanData->Description, QStringLiteral("about Van"));

    sql::Connection other(QStringLiteral("Data Source=") + path);
    other.Execute(QStringLiteral("UPDATE Resources SET ResourceName = 'Truck' WHERE ResourceId = 3"));
    form->ResourcesQuery.Close();
    form->ResourcesQuery.Open();
    form->FillResourceTree();
    EXPECT_EQ(TreeText(*form->ResourceTreeView),
              QStringLiteral("Groups\n  Floor 1\n  Floor 2\nResources\n  Room A\n  Room B\n  Truck"));
    ASSERT_NE(form->ResourceTreeView->Selected(), nullptr);
    EXPECT_EQ(form->ResourceTreeView->Selected()->Text(), QStringLiteral("Room A"));
}

}  // namespace

namespace {

TEST_F(MainFormTest, FiveStartsLeaveTheWindowWhereItWasAndAPlaceOffTheScreenComesBackOnIt) {
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect placed(area.left() + 40, area.top() + 30, 500, 360);
    {
        auto form = MakeForm(false);
        form->SetWindowState(wsNormal);
        form->setGeometry(placed);
        form->Close();
    }
    for (int start = 1; start <= 5; ++start) {
        SCOPED_TRACE(start);
        auto form = MakeForm(false);
        // The menu bar settles its height while the window runs.
        QCoreApplication::processEvents();
        EXPECT_EQ(form->WindowState(), wsNormal);
        EXPECT_EQ(form->geometry(), placed);
        form->Close();
    }
    {
        // Stored above and left of the screen, and larger than it.
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey(kTavorin7, true));
        reg.WriteInteger(QStringLiteral("Top"), area.top() - 20);
        reg.WriteInteger(QStringLiteral("Left"), area.left() - 1);
        reg.WriteInteger(QStringLiteral("Height"), area.height() + 100);
    }
    auto form = MakeForm(false);
    QCoreApplication::processEvents();
    // Its title bar and left edge are on the screen, and it is no taller than the screen.
    EXPECT_TRUE(area.contains(form->frameGeometry().topLeft()));
    EXPECT_LE(form->height(), area.height());
    EXPECT_EQ(form->width(), placed.width());
}

}  // namespace

namespace {

TEST_F(MainFormTest, ToolButtonsNameTheirCommandAndTakeNoTabAndMenuLinesCarryNoText) {
    auto form = MakeForm();
    QStringList hints;
    for (QToolButton* widget : form->ToolBar->findChildren<QToolButton*>()) {
        // The bar's own overflow button is no command.
        auto* button = dynamic_cast<TToolButton*>(widget);
        if (!button) continue;
        EXPECT_EQ(button->focusPolicy(), Qt::NoFocus);
        hints << button->Hint();
    }
    EXPECT_EQ(hints.size(), 12);
    EXPECT_TRUE(hints.contains(QStringLiteral("New Booking")));
    EXPECT_FALSE(hints.contains(QString()));
    const TMenuItem* line = form->Item(QStringLiteral("FileSeparator1"));
    EXPECT_TRUE(line->Action()->isSeparator());
    EXPECT_EQ(line->Action()->text(), QString());
}

}  // namespace
