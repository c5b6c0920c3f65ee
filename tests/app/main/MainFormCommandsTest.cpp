// The main window's other commands over a real database file: what each hands the window it opens and what it
// refreshes afterwards, with recording windows in place of the other subsystems' ones.
#include "app/grids/BookingGrid.h"
#include "app/main/MainForm.h"
#include "app/main/MainFormCommands.h"
#include "app/main/MainFormTasks.h"
#include "app/main/ProgramRun.h"
#include "controls/edit/MonthCalendar.h"
#include "data/module/DataModule.h"
#include "data/module/SQLDataModule.h"
#include "data/support/BookingDatabaseFixture.h"
#include "platform/rtl/DateUtils.h"
#include "platform/ui/Containers.h"
#include "platform/ui/Menus.h"
#include "support/TestEnvironment.h"
#include "util/HelpViewer.h"
#include "util/core/DvSysUtils.h"
#include "util/core/VersionHistory.h"

#include <gtest/gtest.h>
#include <QDir>

namespace {

const TDateTime kCommandsDay = EncodeDate(2026, 3, 3);

class MainFormCommandsTest : public ::testing::Test {
protected:
    TData data;
    std::unique_ptr<TSQLData> lookup;
    TADOConnection fixture;
    QStringList ran;
    TDateTime handedDate = 0;
    TDateTime chosenDate = 0;
    TReportsRequest request;
    // The addresses handed to the desktop, and whether it has a program for them.
    QStringList openedAddresses;
    bool desktopOpens = true;

    MainFormCommandsTest() {
        CreateVersionHistory();
        Data = &data;
        lookup = std::make_unique<TSQLData>(data);
        SQLData = lookup.get();
    }
    ~MainFormCommandsTest() override {
        SQLData = nullptr;
        Data = nullptr;
    }

    // Rooms A (id 2) and B (id 1) in the group "Floor 1"; one saved report.
    QString Fixture() {
        const QString path = QDir(testing_env::TempDir()).filePath(QStringLiteral("commands.tvd"));
        booking_db::Create(fixture, path);
        booking_db::AddResource(fixture, 1, QStringLiteral("Room B"));
        booking_db::AddResource(fixture, 2, QStringLiteral("Room A"));
        fixture.Execute(QStringLiteral("INSERT INTO Groups (GroupName) VALUES ('Floor 1')"));
        fixture.Execute(QStringLiteral("INSERT INTO ResourceGroups (GroupName, ResourceId) VALUES ('Floor 1', 1)"));
        fixture.Execute(QStringLiteral("INSERT INTO ResourceGroups (GroupName, ResourceId) VALUES ('Floor 1', 2)"));
        fixture.Execute(QStringLiteral("INSERT INTO Reports (ReportName, ReportSetup) VALUES ('Weekly', 'x')"));
        return path;
    }

    TMainWindowServices Services() {
        TMainWindowServices s;
        s.FindBookings = [this](TMainForm&, TDateTime date) {
            ran << QStringLiteral("FindBookings");
            handedDate = date;
        };
        s.SearchDate = [this](TMainForm&, TDateTime& date) {
            handedDate = date;
            if (chosenDate == 0) return false;
            date = chosenDate;
            return true;
        };
        s.Reports = [this](TMainForm& form) {
            ran << QStringLiteral("Reports");
            request = ReportsRequestOf(form);
        };
        s.PrintTasks = [this](TMainForm&, TDataSet& tasks) {
            ran << QStringLiteral("PrintTasks") + (tasks.Active() ? "" : "?");
        };
        s.ResourceInformation = [this](TMainForm&, int id) { ran << QStringLiteral("Resource %1").arg(id); };
        s.EditResources = [this](TMainForm&) {
            // The editor deletes the current resource.
            fixture.Execute(QStringLiteral("DELETE FROM ResourceGroups WHERE ResourceId = 2"));
            fixture.Execute(QStringLiteral("DELETE FROM Resources WHERE ResourceId = 2"));
        };
        s.Import = [this](TMainForm&) {
            ran << QStringLiteral("Import");
            return true;
        };
        s.Export = [this](TMainForm&, TDateTime date) { handedDate = date; };
        s.OpenAddress = [this](const QString& address) {
            openedAddresses << address;
            return desktopOpens;
        };
        s.RunSavedReport = [this](TMainForm&, const QString& name, int mode) {
            ran << QStringLiteral("%1 %2").arg(name).arg(mode);
        };
        return s;
    }

    std::unique_ptr<TMainForm> Open() {
        auto form = std::make_unique<TMainForm>(data, Services());
        form->Preferences.BookingView = QStringLiteral("day");
        form->Preferences.ResourceView = QStringLiteral("Resources");
        form->Show();
        form->OpenDatabase(Fixture(), QString(), QString());
        form->Calendar->SetDate(kCommandsDay);
        testing_env::Messages().Clear();
        return form;
    }

    static void SelectNode(TMainForm& form, TTreeNode* branch, const QString& name) {
        for (int i = 0; i < branch->Count(); ++i)
            if (branch->Item(i)->Text() == name) form.ResourceTreeView->SetSelected(branch->Item(i));
    }

    static void Run(TMainForm& form, const char* item) { form.Item(QString::fromLatin1(item))->Click(); }
};

TEST_F(MainFormCommandsTest, GoToDateAndFindWorkOnTheCalendarsDate) {
    auto form = Open();
    Run(*form, "GoToDateItem");
    EXPECT_EQ(handedDate, kCommandsDay);
    EXPECT_EQ(DateOf(form->Calendar->Date()), kCommandsDay);
    chosenDate = kCommandsDay + 40;
    const int loads = form->LoadCount;
    Run(*form, "GoToDateItem");
    EXPECT_EQ(DateOf(form->Calendar->Date()), kCommandsDay + 40);
    EXPECT_GT(form->LoadCount, loads);

    handedDate = 0;
    Run(*form, "SearchBookingsItem");
    EXPECT_EQ(ran, QStringList{QStringLiteral("FindBookings")});
    EXPECT_EQ(handedDate, kCommandsDay + 40);
    Run(*form, "ExportItem");
    EXPECT_EQ(handedDate, kCommandsDay + 40);
}

TEST_F(MainFormCommandsTest, TheReportChooserPreselectsTheActiveViewsReportAndTasksPrintTheirList) {
    auto form = Open();
    SelectNode(*form, form->ResourcesNode, QStringLiteral("Room A"));
    form->DataPageControl->SetActivePage(form->MultiDayViewTabSheet);
    Run(*form, "ReportsItem");
    EXPECT_EQ(request.ReportChoice, QStringLiteral("WeekViewRadioButton"));
    EXPECT_EQ(request.ResourceChoice, QStringLiteral("ResourceRadioButton"));
    EXPECT_EQ(request.Date, kCommandsDay);

    SelectNode(*form, form->GroupsNode, QStringLiteral("Floor 1"));
    form->DataPageControl->SetActivePage(form->DayViewTabSheet);
    Run(*form, "PrintItem");
    EXPECT_EQ(request.ReportChoice, QStringLiteral("GroupDayViewRadioButton"));
    EXPECT_EQ(request.ResourceChoice, QStringLiteral("ResourceGroupRadioButton"));
    EXPECT_EQ(request.ColumnWidth, form->DayGrid->ColumnSize);

    form->DataPageControl->SetActivePage(form->TasksTabSheet);
    Run(*form, "PrintItem");
    EXPECT_EQ(ran, (QStringList{QStringLiteral("Reports"), QStringLiteral("Reports"), QStringLiteral("PrintTasks")}));

    // The saved report runs printed or previewed as the two items say.
    Run(*form, "PreviewPredefinedItem");
    EXPECT_FALSE(form->Item(QStringLiteral("PrintPredefinedItem"))->Checked());
    EXPECT_FALSE(form->Preferences.ReportsPrint);
    TMenuItem* reports = form->Item(QStringLiteral("ReportsMenu"));
    reports->Items(reports->Count() - 1)->Click();
    EXPECT_EQ(ran.last(), QStringLiteral("Weekly 2"));
}

TEST_F(MainFormCommandsTest, ResourceInformationNeedsAResourceOnAGridTab) {
    auto form = Open();
    form->ResourceTreeView->SetSelected(nullptr);
    form->RefreshView();
    Run(*form, "ResourceInformationItem");
    EXPECT_EQ(testing_env::Messages().Texts().back(), QStringLiteral("No resource selected"));

    SelectNode(*form, form->ResourcesNode, QStringLiteral("Room A"));
    form->DataPageControl->SetActivePage(form->TasksTabSheet);
    Run(*form, "ResourceInformationItem");
    EXPECT_EQ(testing_env::Messages().Texts().back(), QStringLiteral("There is no resource selected to view."));
    form->DataPageControl->SetActivePage(form->DayViewTabSheet);
    form->DayGrid->SetCol(1);
    Run(*form, "ResourceInformationItem");
    EXPECT_EQ(ran, QStringList{QStringLiteral("Resource 2")});
}

TEST_F(MainFormCommandsTest, AfterTheResourceEditorTheTreeDropsADeletedResource) {
    auto form = Open();
    SelectNode(*form, form->ResourcesNode, QStringLiteral("Room A"));
    ASSERT_TRUE(form->ResourcesQuery.Locate(QStringLiteral("ResourceId"), 2));
    Run(*form, "ResourcesItem");
    ASSERT_EQ(form->ResourcesNode->Count(), 1);
    EXPECT_EQ(form->ResourcesNode->Item(0)->Text(), QStringLiteral("Room B"));
    EXPECT_EQ(form->ResourcesQuery.FieldByName(QStringLiteral("ResourceId")).AsInteger(), 1);
}

TEST_F(MainFormCommandsTest, ImportReloadsTheViewAndTheSystemInformationNamesTheDatabase) {
    auto form = Open();
    const int loads = form->LoadCount;
    Run(*form, "ImportItem");
    EXPECT_EQ(ran, QStringList{QStringLiteral("Import")});
    EXPECT_GE(form->LoadCount, loads + 2);

    const QStringList open = form->SystemInfoLines();
    ASSERT_GE(open.size(), 8);
    EXPECT_EQ(open[0], QStringLiteral("System Information"));
    EXPECT_TRUE(open[2].startsWith(QStringLiteral("Generated by ")));
    EXPECT_EQ(open[4], QStringLiteral("Database: ") + data.DatabaseFileName);
    EXPECT_TRUE(open[5].startsWith(QStringLiteral("Userid Mode: ")));
    EXPECT_TRUE(open.last().startsWith(QStringLiteral("Windows userid: ")));
    form->CloseDatabase();
    const QStringList closed = form->SystemInfoLines();
    EXPECT_EQ(closed[4], QStringLiteral("Database: No database open"));
    EXPECT_EQ(closed[5], QStringLiteral("Userid Mode: n/a"));
}

}  // namespace

namespace {

class NoHelpViewer : public util::HelpViewer {
public:
    bool available = false;
    // Whether the page opens (it may be missing, or no browser may be set up).
    bool opens = true;
    QStringList shown;
    bool HtmlHelpAvailable() override { return available; }
    bool HtmlHelp(int, const QString& file, const THelpData&) override {
        shown << file;
        return opens;
    }
    bool WinHelp(const QString&, int, const THelpData&) override { return false; }
};

TEST_F(MainFormCommandsTest, HelpTopicsSaysWhenNoHelpViewerIsInstalled) {
    auto viewer = std::make_shared<NoHelpViewer>();
    const auto previous = util::SetHelpViewer(viewer);
    auto form = Open();
    Run(*form, "HelpTopicsItem");
    ASSERT_EQ(testing_env::Messages().Texts().size(), 1u);
    EXPECT_TRUE(
        testing_env::Messages().Texts()[0].startsWith(QStringLiteral("HTML Help is not installed on this computer.")));
    viewer->available = true;
    Run(*form, "HelpTopicsItem");
    EXPECT_EQ(viewer->shown.size(), 1);
    EXPECT_EQ(testing_env::Messages().Texts().size(), 1u);
    util::SetHelpViewer(previous);
}

}  // namespace

namespace {

TEST_F(MainFormCommandsTest, TheTutorialSaysWhyItCannotShow) {
    auto viewer = std::make_shared<NoHelpViewer>();
    const auto previous = util::SetHelpViewer(viewer);
    auto form = Open();
    Run(*form, "ReadTutorialItem");
    viewer->available = true;
    viewer->opens = false;
    Run(*form, "ReadTutorialItem");
    viewer->opens = true;
    Run(*form, "ReadTutorialItem");
    const std::vector<QString> texts = testing_env::Messages().Texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_TRUE(texts[0].startsWith(QStringLiteral("HTML Help is not installed on this computer.")));
    EXPECT_TRUE(texts[1].startsWith(QStringLiteral("The help page could not be shown"))) << texts[1].toStdString();
    ASSERT_EQ(viewer->shown.size(), 2);
    EXPECT_TRUE(viewer->shown[1].endsWith(QStringLiteral("::/html\\tutorial\\tutorial.html")))
        << viewer->shown[1].toStdString();
    util::SetHelpViewer(previous);
}

TEST_F(MainFormCommandsTest, TheMakersAddressesSayWhenNothingOpensThem) {
    auto form = Open();
    desktopOpens = false;
    Run(*form, "EmailItem");
    Run(*form, "HomePageItem");
    const std::vector<QString> texts = testing_env::Messages().Texts();
    ASSERT_EQ(texts.size(), 2u);
    if (!IsInternetConnected(true)) {
        EXPECT_EQ(texts[0], QStringLiteral("Could not connected to the Internet"));
        return;
    }
    EXPECT_EQ(texts[0],
              QStringLiteral("No e-mail program is set up on this computer to write to support@dulvex.example."));
    EXPECT_EQ(texts[1],
              QStringLiteral("No web browser is set up on this computer to open https://www.dulvex.example/."));
    desktopOpens = true;
    testing_env::Messages().Clear();
    Run(*form, "HomePageItem");
    EXPECT_TRUE(testing_env::Messages().Texts().empty());
    EXPECT_EQ(openedAddresses.last(), QStringLiteral("https://www.dulvex.example/"));
}

}  // namespace
