// The list selection dialog and the membership lists written from it over a real file: only the differences are
// written, and names reach the database as typed.
#include "AdminFixture.h"

#include "admin/ListSelectionForm.h"
#include "admin/Membership.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Label.h"
#include "platform/ui/Lists.h"

#include <gtest/gtest.h>

using namespace admin_test;

namespace {

const QString kDialog = QStringLiteral("ListSelectionForm");

QStringList ItemsOf(const TListBox& list) { return list.Items().ToStringList(); }

}  // namespace

TEST(ListSelection, SelectedItemsMoveInReverseAndTheNextItemIsSelected) {
    TListSelectionForm dialog;
    for (const char* name : {"D", "b", "A", "C", "e"}) dialog.SrcList->Items().Add(QString::fromLatin1(name));
    EXPECT_EQ(ItemsOf(*dialog.SrcList), (QStringList{"A", "b", "C", "D", "e"}));  // sorted, case aside
    dialog.SetButtons();
    EXPECT_FALSE(dialog.ExcludeBtn->Enabled());

    for (int i : {0, 1, 2}) dialog.SrcList->SetSelected(i, true);
    dialog.IncludeBtn->Click();
    EXPECT_EQ(ItemsOf(*dialog.DstList), (QStringList{"C", "b", "A"}));
    EXPECT_EQ(ItemsOf(*dialog.SrcList), (QStringList{"D", "e"}));
    // The item now at the first moved item's place is selected, so ">" walks down the list.
    EXPECT_TRUE(dialog.SrcList->Selected(0));
    EXPECT_TRUE(dialog.ExcludeBtn->Enabled());

    dialog.DstList->SetSelected(1, true);
    dialog.ExcludeBtn->Click();
    EXPECT_EQ(ItemsOf(*dialog.SrcList), (QStringList{"b", "D", "e"}));
    EXPECT_TRUE(dialog.DstList->Selected(1));  // past the end: the last

    dialog.IncAllBtn->Click();
    EXPECT_EQ(ItemsOf(*dialog.DstList), (QStringList{"C", "A", "b", "D", "e"}));
    EXPECT_EQ(dialog.SrcList->Count(), 0);
    EXPECT_FALSE(dialog.IncludeBtn->Enabled());
    EXPECT_FALSE(dialog.IncAllBtn->Enabled());
    dialog.IncludeBtn->Click();  // nothing to move
    dialog.ExAllBtn->Click();
    EXPECT_EQ(ItemsOf(*dialog.SrcList), (QStringList{"A", "b", "C", "D", "e"}));
    EXPECT_FALSE(dialog.ExAllBtn->Enabled());
}

class Membership : public AdminTest {
protected:
    QString path = data_test::DbPath(QStringLiteral("members.tvd"));

    void SetUp() override {
        ASSERT_TRUE(TData().CreateDatabase(path, false));
        ASSERT_TRUE(data.ConnectDatabase(path, {}));
        for (const char* name : {"Room 1", "Room 2", "Room \"3\"", "Room 4"})
            Execute(QStringLiteral("insert into Resources (ResourceName, MaxBookDays) values (:n, 0)"), name);
        Execute(QStringLiteral("insert into Groups (GroupName) values (:n)"), "West \"wing\"");
        Execute(QStringLiteral("insert into ResourceGroups (ResourceId, GroupName) values (1, :n)"), "West \"wing\"");
        // Every statement that reaches the memberships leaves a line.
        for (const char* sql :
             {"CREATE TABLE tavorin_TestLog (Line TEXT)",
              "CREATE TRIGGER tavorin_TestInsert AFTER INSERT ON ResourceGroups BEGIN INSERT INTO tavorin_TestLog "
              "VALUES ('insert ' || NEW.ResourceId); END",
              "CREATE TRIGGER tavorin_TestDelete AFTER DELETE ON ResourceGroups BEGIN INSERT INTO tavorin_TestLog "
              "VALUES ('delete ' || OLD.ResourceId); END",
              "CREATE TRIGGER tavorin_TestUpdate AFTER UPDATE ON ResourceGroups BEGIN INSERT INTO tavorin_TestLog "
              "VALUES ('update'); END"})
            data.ADOConnection.Engine().Native().Exec(QString::fromLatin1(sql));
    }

    void Execute(const QString& jetSql, const char* name) {
        data::ExecuteWith(data.ADOConnection, jetSql, {{QStringLiteral("n"), QString::fromUtf8(name)}});
    }

    QStringList Log() {
        const auto statement =
            data.ADOConnection.Engine().Native().Prepare(QStringLiteral("SELECT Line FROM tavorin_TestLog"));
        QStringList lines;
        while (statement->Step()) lines << statement->Value(0).toString();
        return lines;
    }

    QStringList Members() {
        return Rows(path, QStringLiteral("select ResourceId from ResourceGroups order by ResourceId"));
    }
};

TEST_F(Membership, TwoResourcesInAndOneOutIsOneDeleteAndTwoInserts) {
    runner->OnShown<TListSelectionForm>(kDialog, [](TListSelectionForm& d) {
        EXPECT_EQ(d.Caption(), QStringLiteral("Resource Selection"));
        EXPECT_EQ(d.SrcLabel->Caption(), QStringLiteral("Available Resources:"));
        EXPECT_EQ(ItemsOf(*d.DstList), QStringList{"Room 1"});
        EXPECT_EQ(ItemsOf(*d.SrcList), (QStringList{"Room \"3\"", "Room 2", "Room 4"}));
        TakeTheFirstTwoInAndTheFirstMemberOut(d);
    });
    admin::EditGroupResources(data.ADOConnection, QStringLiteral("West \"wing\""));
    // The two arrive in reverse order: Room 2, then Room "3".
    EXPECT_EQ(Log(), (QStringList{"delete 1", "insert 2", "insert 3"}));
    EXPECT_EQ(Members(), (QStringList{"2", "3"}));
}

TEST_F(Membership, UnchangedOrCancelledWritesNothing) {
    runner->OnShown<TListSelectionForm>(kDialog, [](TListSelectionForm& d) {
        d.IncAllBtn->Click();
        d.ExAllBtn->Click();
        d.CancelBtn->Click();
    });
    admin::EditGroupResources(data.ADOConnection, QStringLiteral("West \"wing\""));
    runner->OnShown<TListSelectionForm>(kDialog, [](TListSelectionForm& d) {
        d.DstList->SetSelected(0, true);
        d.ExcludeBtn->Click();
        d.SrcList->clearSelection();
        d.SrcList->SetSelected(d.SrcList->Items().IndexOf(QStringLiteral("room 1")), true);
        d.IncludeBtn->Click();
        d.OKBtn->Click();
    });
    admin::EditGroupResources(data.ADOConnection, QStringLiteral("West \"wing\""));
    EXPECT_EQ(Log(), QStringList{});
    EXPECT_EQ(Members(), QStringList{"1"});
}

TEST_F(Membership, AResourcesGroupsAndFeaturesFollowTheDialog) {
    Execute(QStringLiteral("insert into Groups (GroupName) values (:n)"), "East");
    Execute(QStringLiteral("insert into Features (Feature) values (:n)"), "3\" screen");
    runner->OnShown<TListSelectionForm>(kDialog, [](TListSelectionForm& d) {
        EXPECT_EQ(d.Caption(), QStringLiteral("Group Membership"));
        EXPECT_EQ(ItemsOf(*d.DstList), QStringList{"West \"wing\""});
        EXPECT_EQ(ItemsOf(*d.SrcList), QStringList{"East"});
        d.IncAllBtn->Click();
        d.OKBtn->Click();
    });
    admin::EditResourceGroups(data.ADOConnection, 1);
    EXPECT_EQ(Log(), QStringList{"insert 1"});
    runner->OnShown<TListSelectionForm>(kDialog, [](TListSelectionForm& d) {
        EXPECT_EQ(d.Caption(), QStringLiteral("Resource Features"));
        EXPECT_EQ(d.DstLabel->Caption(), QStringLiteral("Selected Features:"));
        d.IncAllBtn->Click();
        d.OKBtn->Click();
    });
    admin::EditResourceFeatures(data.ADOConnection, 2);
    EXPECT_EQ(Rows(path, QStringLiteral("select ResourceId, Feature from ResourceFeatures")),
              QStringList{"2|3\" screen"});
}
