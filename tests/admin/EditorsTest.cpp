// The resource, group and feature editors over a real file: names refused with their texts, names with quotes kept,
// memberships written as differences, limits written only from the user's changes, pictures and the rights.
#include "AdminFixture.h"

#include "admin/EditFeatureForm.h"
#include "admin/EditGroupForm.h"
#include "admin/EditResourceForm.h"
#include "admin/ListSelectionForm.h"
#include "controls/edit/WwCheckBox.h"
#include "controls/grid/Wwdbgrid.h"
#include "data/forms/PasswordForms.h"
#include "data/module/SQLDataModule.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Containers.h"
#include "platform/ui/Edits.h"
#include "platform/ui/Image.h"
#include "platform/ui/Lists.h"
#include "platform/ui/Menus.h"
#include "support/JpegBytes.h"
#include "support/TestEnvironment.h"
#include "support/TextFit.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QTest>

using namespace admin_test;

namespace {

const QString kResourceEditor = QStringLiteral("EditResourceForm");
const QString kGroupEditor = QStringLiteral("EditGroupForm");
const QString kFeatureEditor = QStringLiteral("EditFeatureForm");

class Editors : public AdminTest {
protected:
    QString path = data_test::DbPath(QStringLiteral("editors.tvd"));

    void SetUp() override {
        OpenNewDatabase(path);
        for (const char* name : {"Room 1", "Room 2", "Room 3"})
            Execute(QStringLiteral("insert into Resources (ResourceName, MaxBookDays, BookingRestrictMode) "
                                   "values (:n, 0, 1)"),
                    name);
        Execute(QStringLiteral("insert into Groups (GroupName) values (:n)"), "West wing");
        Execute(QStringLiteral("insert into ResourceGroups (ResourceId, GroupName) values (1, :n)"), "West wing");
        Execute(QStringLiteral("insert into Features (Feature) values (:n)"), "Projector");
    }

    void Execute(const QString& jetSql, const char* name) {
        Execute(jetSql, {{QStringLiteral("n"), QString::fromUtf8(name)}});
    }
    void Execute(const QString& jetSql, const data::SqlParams& params) {
        data::ExecuteWith(data.ADOConnection, jetSql, params);
    }
    QStringList Rows(const QString& jetSql) { return AdminTest::Rows(path, jetSql); }

    template <class Form>
    void RunEditor(const QString& name, std::function<void(Form&)> action) {
        runner->OnShown<Form>(name, std::move(action));
        if constexpr (std::is_same_v<Form, TEditResourceForm>) {
            TEditResourceForm form(data, *sqlData);
            form.SetListMode(true);
            form.ShowModal();
        } else {
            Form(data, *sqlData).ShowModal();
        }
    }
};

TEST_F(Editors, ResourceNamesAreRequiredUniqueWithoutCaseAndStoredAsTyped) {
    RunEditor<TEditResourceForm>(kResourceEditor, [this](TEditResourceForm& form) {
        EXPECT_EQ(form.Caption(), QStringLiteral("Resource List"));
        form.NewResourceButton->Click();
        ASSERT_EQ(form.ResourcesQuery.State(), dsInsert);
        TField& name = form.ResourcesQuery.FieldByName(QStringLiteral("ResourceName"));
        name.SetAsString(QStringLiteral("room 2"));
        EXPECT_FALSE(form.PostResourceEdits());
        name.SetAsString(QStringLiteral("   "));
        // Leaving for another button tries the post first and stays on the row.
        form.AddRemoveFeaturesButton->Click();
        EXPECT_EQ(form.ResourcesQuery.State(), dsInsert);
        name.SetAsString(QStringLiteral("Room \"9\" & co"));
        form.CloseButton->Click();
    });
    EXPECT_EQ(Shown(), (std::vector<QString>{"The resource \"room 2\" already exists.",
                                             "You must enter a name for the resource."}));
    EXPECT_EQ(runner->Runs(), std::vector<QString>{kResourceEditor});
    // The new row has a new resource's defaults.
    EXPECT_EQ(Rows(QStringLiteral("select ResourceName, MaxBookDaysRestrict, MaxBookDays, BookingRestrictMode, "
                                  "OnlyAllowManagersWrite from Resources where ResourceId > 3")),
              QStringList{"Room \"9\" & co|0|0|1|-1"});
}

TEST_F(Editors, ClosingWithARefusedResourceKeepsTheWindowOpen) {
    RunEditor<TEditResourceForm>(kResourceEditor, [](TEditResourceForm& form) {
        form.RenameResourceButton->Click();
        form.ResourcesQuery.FieldByName(QStringLiteral("ResourceName")).SetAsString(QStringLiteral("ROOM 3"));
        EXPECT_FALSE(form.CloseQuery());
        form.CancelEditButton->Click();
        EXPECT_TRUE(form.CloseQuery());
    });
    EXPECT_EQ(Shown(), std::vector<QString>{"The resource \"ROOM 3\" already exists."});
    EXPECT_EQ(Rows(QStringLiteral("select ResourceName from Resources order by ResourceId")),
              (QStringList{"Room 1", "Room 2", "Room 3"}));
}

TEST_F(Editors, AManagerWaitsForItsResourceAndIsPostedOnLeavingTheManagersGrid) {
    RunEditor<TEditResourceForm>(kResourceEditor, [](TEditResourceForm& form) {
        // Leaving the grid is a focus change of the active window.
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        form.DetailsPageControl->SetActivePage(form.Find<TTabSheet>("ManagersTabSheet"));
        form.RenameResourceButton->Click();
        form.ResourcesQuery.FieldByName(QStringLiteral("ResourceName")).SetAsString(QStringLiteral("ROOM 2"));
        form.AddManagerButton->Click();  // refused: the resource cannot be posted
        EXPECT_EQ(form.ResourceManagersQuery.State(), dsBrowse);
        form.CancelEditButton->Click();
        form.AddManagerButton->Click();
        ASSERT_EQ(form.ResourceManagersQuery.State(), dsInsert);
        EXPECT_EQ(form.ActiveControl(), form.ResourceManagersDBGrid);
        form.ResourceManagersQuery.FieldByName(QStringLiteral("Username")).SetAsString(QStringLiteral("jo"));
        form.CloseButton->SetFocus();
        EXPECT_EQ(form.ResourceManagersQuery.State(), dsBrowse);
        form.CloseButton->Click();
    });
    EXPECT_EQ(Shown(), std::vector<QString>{"The resource \"ROOM 2\" already exists."});
    EXPECT_EQ(Rows(QStringLiteral("select ResourceId, Username from ResourceManagers")), QStringList{"1|jo"});
}

TEST_F(Editors, LimitsAreWrittenOnlyFromTheUsersChanges) {
    RunEditor<TEditResourceForm>(kResourceEditor, [](TEditResourceForm& form) {
        // Moving between resources puts nothing into edit mode.
        form.ResourcesQuery.Next();
        form.MasterDBGridRowChanged();
        form.ResourcesQuery.First();
        form.MasterDBGridRowChanged();
        EXPECT_EQ(form.ResourcesQuery.State(), dsBrowse);
        EXPECT_TRUE(form.AllowAll->Checked());
        form.AllowDaysAheadEdit->SetText(QStringLiteral("30"));
        EXPECT_TRUE(form.AllowDaysAhead->Checked());
        form.MaxDaysEdit->SetText(QStringLiteral("x"));
        EXPECT_TRUE(form.MaxBookingDays->Checked());
        form.CloseButton->Click();
    });
    EXPECT_EQ(Rows(QStringLiteral("select ResourceName, BookingRestrictMode, BookingRestrictDaysAhead, MaxBookDays, "
                                  "MaxBookDaysRestrict from Resources where BookingRestrictMode <> 1")),
              QStringList{"Room 1|2|30|0|-1"});
}

TEST_F(Editors, AGlobalLimitIsShownAndItsControlsStayDisabled) {
    data.GlobalTable.Edit();
    data.GlobalTable.FieldByName(QStringLiteral("BookingRestrictMode")).SetAsInteger(2);
    data.GlobalTable.FieldByName(QStringLiteral("BookingRestrictDaysAhead")).SetAsInteger(14);
    data.GlobalTable.Post();
    RunEditor<TEditResourceForm>(kResourceEditor, [](TEditResourceForm& form) {
        EXPECT_EQ(form.AllowBookingsGroupBox->Caption(), QStringLiteral("Allow bookings (Set by Administrator)"));
        EXPECT_TRUE(form.AllowDaysAhead->Checked());
        EXPECT_EQ(form.AllowDaysAheadEdit->Text(), QStringLiteral("14"));
        EXPECT_FALSE(form.AllowAll->Enabled());
        EXPECT_FALSE(form.AllowDaysAheadEdit->Enabled());
        EXPECT_TRUE(form.MaxDaysEdit->Enabled());
    });
}

TEST_F(Editors, DetailsModeNeverEditsAndNamesTheResource) {
    runner->OnShown<TEditResourceForm>(kResourceEditor, [](TEditResourceForm& form) {
        EXPECT_EQ(form.Caption(), QStringLiteral("View Resource Details"));
        EXPECT_EQ(form.ResourceDetailsGroupBox->Caption(), QStringLiteral("Resource Room 2"));
        EXPECT_EQ(form.ResourceDetailsGroupBox->Left(), 8);
        EXPECT_EQ(form.ClientWidth(), form.ResourceDetailsGroupBox->Width() + 16);
        EXPECT_FALSE(form.MasterDBGrid->isVisibleTo(&form));
        EXPECT_FALSE(form.LoadButton->Enabled());
        EXPECT_FALSE(form.AddRemoveFeaturesButton->Enabled());
        EXPECT_EQ(form.ResourcesQuery.LockType, ltReadOnly);
        EXPECT_EQ(form.Menu(), nullptr);  // an administrator needs no login
    });
    TEditResourceForm form(data, *sqlData);
    form.SetResourceId(2);
    form.SetListMode(false);
    form.ShowModal();
}

TEST_F(Editors, WithoutRightsEverythingIsReadOnlyUntilTheAdminLogin) {
    data.AdministratorMode = false;
    data.DatabasePassword = QStringLiteral("Secret7");
    runner->OnShown<TEditResourceForm>(kResourceEditor, [this](TEditResourceForm& form) {
        EXPECT_EQ(form.Caption(), QStringLiteral("Resource List (Read Only)"));
        EXPECT_FALSE(form.NewResourceButton->Enabled());
        EXPECT_TRUE(form.MasterDBGrid->ReadOnly);
        ASSERT_NE(form.Menu(), nullptr);
        form.ResourcesQuery.Locate(QStringLiteral("ResourceId"), 3);
        runner->OnShown<TPasswordForm>(QStringLiteral("PasswordForm"), [](TPasswordForm& password) {
            password.PasswordEdit->SetText(QStringLiteral("Secret7"));
            password.OkButton->Click();
        });
        form.LoginasAdminItemClick();
        EXPECT_EQ(form.Caption(), QStringLiteral("Resource List"));
        EXPECT_TRUE(form.NewResourceButton->Enabled());
        EXPECT_FALSE(form.MasterDBGrid->ReadOnly);
        EXPECT_EQ(form.ResourcesQuery.FieldByName(QStringLiteral("ResourceId")).AsInteger(), 3);
    });
    TEditResourceForm form(data, *sqlData);
    form.SetListMode(true);
    form.ShowModal();
    runner->OnShown<TEditFeatureForm>(kFeatureEditor, [](TEditFeatureForm& form) {
        EXPECT_EQ(form.Caption(), QStringLiteral("Resource Feature List"));  // the rights outlive the window
    });
    TEditFeatureForm(data, *sqlData).ShowModal();
}

TEST_F(Editors, AJpegAfterJunkBytesShowsPlacedInThePanel) {
    Execute(
        QStringLiteral("update Resources set [Image] = :n where ResourceId = 2"),
        {{QStringLiteral("n"), QVariant(QByteArray("OLE header \xFF junk", 17) + testing_env::EncodeJpeg(80, 20))}});
    runner->OnShown<TEditResourceForm>(kResourceEditor, [](TEditResourceForm& form) {
        EXPECT_EQ(form.ResourceImage->Picture().Width(), 80);
        const int spare = form.ImagePanel->Width() - form.ResourceImage->Width();
        EXPECT_EQ(form.ResourceImage->Left(), spare / 3);
        EXPECT_EQ(form.ResourceImage->Width(), form.ImagePanel->ClientWidth());
        form.ClearButton->Click();
        EXPECT_EQ(form.ResourceImage->Picture().Width(), 0);
        form.CloseButton->Click();
    });
    TEditResourceForm form(data, *sqlData);
    form.SetResourceId(2);
    form.SetListMode(true);
    form.ShowModal();
    EXPECT_EQ(Rows(QStringLiteral("select ResourceId from Resources where [Image] is null")),
              (QStringList{"1", "2", "3"}));
}

TEST_F(Editors, GroupMembershipMovesAreOneDeleteAndTwoInsertsAndABlankGroupIsDropped) {
    for (const char* sql : {"CREATE TABLE tavorin_TestLog (Line TEXT)",
                            "CREATE TRIGGER tavorin_TestInsert AFTER INSERT ON ResourceGroups BEGIN INSERT INTO "
                            "tavorin_TestLog VALUES ('insert ' || NEW.ResourceId); END",
                            "CREATE TRIGGER tavorin_TestDelete AFTER DELETE ON ResourceGroups BEGIN INSERT INTO "
                            "tavorin_TestLog VALUES ('delete ' || OLD.ResourceId); END"})
        data.ADOConnection.Engine().Native().Exec(QString::fromLatin1(sql));
    RunEditor<TEditGroupForm>(kGroupEditor, [this](TEditGroupForm& form) {
        EXPECT_EQ(form.Caption(), QStringLiteral("Resource Group List"));
        EXPECT_EQ(form.ResourceGroupsQuery.RecordCount(), 1);
        // A new group left without a name goes when the user moves on, without a word.
        form.NewGroupButton->Click();
        runner->OnShown<TListSelectionForm>(QStringLiteral("ListSelectionForm"), [](TListSelectionForm& d) {
            EXPECT_EQ(d.DstList->Items().ToStringList(), QStringList{"Room 1"});
            TakeTheFirstTwoInAndTheFirstMemberOut(d);
        });
        form.AddRemoveResourcesButton->Click();
        EXPECT_EQ(form.ResourceGroupsQuery.RecordCount(), 2);
        form.CloseButton->Click();
    });
    EXPECT_EQ(Shown(), std::vector<QString>{});
    const auto log = data.ADOConnection.Engine().Native().Prepare(QStringLiteral("SELECT Line FROM tavorin_TestLog"));
    QStringList lines;
    while (log->Step()) lines << log->Value(0).toString();
    // The two arrive in the chosen list in reverse order.
    EXPECT_EQ(lines, (QStringList{"delete 1", "insert 3", "insert 2"}));
    EXPECT_EQ(Rows(QStringLiteral("select GroupName from Groups")), QStringList{"West wing"});
}

TEST_F(Editors, GroupAndFeatureNamesAreRefusedWithTheirTextsAndQuotesKept) {
    RunEditor<TEditGroupForm>(kGroupEditor, [](TEditGroupForm& form) {
        form.NewGroupButton->Click();
        form.GroupsQuery.FieldByName(QStringLiteral("GroupName")).SetAsString(QStringLiteral("WEST WING"));
        form.AddManagerButton->Click();  // refused: the group cannot be posted
        EXPECT_EQ(form.ResourceGroupManagersQuery.State(), dsBrowse);
        form.GroupsQuery.FieldByName(QStringLiteral("GroupName")).SetAsString(QStringLiteral("The \"east\" wing"));
        form.AddManagerButton->Click();
        form.ResourceGroupManagersQuery.FieldByName(QStringLiteral("Username")).SetAsString(QStringLiteral("jo"));
        form.CloseButton->Click();
    });
    RunEditor<TEditFeatureForm>(kFeatureEditor, [](TEditFeatureForm& form) {
        form.NewButton->Click();
        EXPECT_TRUE(form.CancelButton->Enabled());
        form.FeaturesQuery.FieldByName(QStringLiteral("Feature")).SetAsString(QStringLiteral("PROJECTOR"));
        EXPECT_FALSE(form.CloseQuery());
        form.FeaturesQuery.FieldByName(QStringLiteral("Feature")).SetAsString(QStringLiteral(""));
        EXPECT_FALSE(form.CloseQuery());
        form.FeaturesQuery.FieldByName(QStringLiteral("Feature")).SetAsString(QStringLiteral("3\" screen"));
        form.CloseButton->Click();
    });
    EXPECT_EQ(Shown(), (std::vector<QString>{"The group \"WEST WING\" already exists.",
                                             "The feature \"PROJECTOR\" already exists.",
                                             "You must enter a name for the feature."}));
    EXPECT_EQ(Rows(QStringLiteral("select GroupName, Username from ResourceGroupManagers")),
              QStringList{"The \"east\" wing|jo"});
    EXPECT_EQ(Rows(QStringLiteral("select Feature from Features order by Feature")),
              (QStringList{"3\" screen", "Projector"}));
}

// Shown without their lists, so that the pages are laid out.
void ShowLaidOut(TForm& form) {
    form.OnShow = nullptr;
    form.Show();
    QApplication::processEvents();
}

// The grids' cell editors stay shown: one over a column that runs on under the scroll bar is cut to what shows.
void ExpectWhole(TForm& form) { testing_env::ExpectTextsWhole(form); }

TEST_F(Editors, EveryTextIsWholeWithTheLongestTexts) {
    testing_env::AtEachTestFont([this] {
        TEditResourceForm resources(data, *sqlData);
        resources.SetListMode(true);
        ShowLaidOut(resources);
        resources.AllowBookingsGroupBox->SetCaption(QStringLiteral("Allow bookings (Set by Administrator)"));
        for (int page = resources.DetailsPageControl->PageCount() - 1; page >= 0; --page) {
            resources.DetailsPageControl->SetActivePageIndex(page);
            ExpectWhole(resources);
        }
        TEditResourceForm details(data, *sqlData);
        details.SetListMode(false);
        ShowLaidOut(details);
        details.ResourceDetailsGroupBox->SetCaption(QStringLiteral("Resource Lecture theatre 1 west"));
        ExpectWhole(details);
        TEditGroupForm groups(data, *sqlData);
        ShowLaidOut(groups);
        groups.SetCaption(QStringLiteral("Resource Group List (Read Only)"));
        groups.GroupPageControl->SetActivePageIndex(1);
        ExpectWhole(groups);
        groups.GroupPageControl->SetActivePageIndex(0);
        ExpectWhole(groups);
        TEditFeatureForm features(data, *sqlData);
        ShowLaidOut(features);
        features.SetCaption(QStringLiteral("Resource Feature List (Read Only)"));
        ExpectWhole(features);
    });
}

// Over a file with a resource's picture, features and groups (with TAVORIN_UI_SHOTS, the pictures of docs/).
TEST_F(Editors, PicturesOverAFile) {
    Execute(QStringLiteral("update Resources set [Image] = :n, Description = 'Seats 12, whiteboard' "
                           "where ResourceId = 1"),
            {{QStringLiteral("n"), QVariant(testing_env::EncodeJpeg(160, 100))}});
    Execute(QStringLiteral("insert into ResourceFeatures (ResourceId, Feature) values (1, :n)"), "Projector");
    runner->OnShown<TEditResourceForm>(kResourceEditor, [](TEditResourceForm& form) {
        form.DetailsPageControl->SetActivePageIndex(1);
        ExpectWhole(form);
        form.DetailsPageControl->SetActivePageIndex(5);
        ExpectWhole(form);
    });
    TEditResourceForm resources(data, *sqlData);
    resources.SetListMode(true);
    resources.ShowModal();
    RunEditor<TEditGroupForm>(kGroupEditor, [](TEditGroupForm& form) { ExpectWhole(form); });
    RunEditor<TEditFeatureForm>(kFeatureEditor, [](TEditFeatureForm& form) { ExpectWhole(form); });
}

}  // namespace
