// The add-resource wizard over a real file: the name check, the features and groups pages, the rows written in
// one transaction and the main window told of the new resource.
#include "AdminFixture.h"

#include "admin/AddResourcePages.h"
#include "admin/AddResourceWizard.h"
#include "data/module/SQLDataModule.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Edits.h"
#include "platform/ui/Lists.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

using namespace admin_test;
using data_test::DbPath;

namespace {

const QString kName = QStringLiteral("AddResourceWizardForm");
const QString kFeatures = QStringLiteral("AddResourceFeaturesWizardForm");
const QString kGroups = QStringLiteral("AddResourceGroupsWizardForm");
const QString kDone = QStringLiteral("AddResourceCompletedWizardForm");

QStringList Items(const TCheckListBox& list) {
    QStringList items;
    for (int i = 0; i < list.Count(); ++i)
        items << (list.Checked(i) ? QStringLiteral("[x] ") : QStringLiteral("[ ] ")) + list.Items()[i];
    return items;
}

}  // namespace

class AddResourceWizard : public AdminTest {
protected:
    QString path = DbPath(QStringLiteral("resources.tvd"));

    void SetUp() override { OpenNewDatabase(path); }

    void Execute(const QString& jetSql) { data.ADOConnection.Execute(jetSql); }

    QStringList Rows(const QString& jetSql) { return AdminTest::Rows(path, jetSql); }

    void Run() { TAddResourceWizard(data, *sqlData, MainWindow()).Execute(); }

    void TypeName(const QString& name, const QString& description = {}, const QString& notes = {}) {
        OnPage<TAddResourceWizardForm>(kName, [=](auto& p) {
            EXPECT_FALSE(p.NextButton->Enabled());
            EXPECT_FALSE(p.PrevButton->isVisible());
            p.ResourceName->SetText(name);
            p.ResourceDesc->SetText(description);
            p.ResourceNotes->SetText(notes);
            p.NextButton->Click();
        });
    }
};

TEST_F(AddResourceWizard, ResourceWithoutFeaturesOrGroupsIsOneRowWithTheDefaults) {
    data.GlobalTable.Edit();
    data.GlobalTable.FieldByName(QStringLiteral("BookingRestrictDaysAhead")).SetAsInteger(120);
    data.GlobalTable.Post();
    TypeName(QStringLiteral("Room 9"));
    OnPage<TAddResourceFeaturesWizardForm>(kFeatures, [](auto& p) { p.NextButton->Click(); });
    OnPage<TAddResourceGroupsWizardForm>(kGroups, [](auto& p) {
        EXPECT_EQ(p.NextButton->Caption(), QStringLiteral("Create Now"));
        p.NextButton->Click();
    });
    OnPage<TAddResourceCompletedWizardForm>(kDone, [](auto& p) { p.CancelButton->Click(); });
    Run();

    EXPECT_EQ(runner->Runs(), (std::vector<QString>{kName, kFeatures, kGroups, kDone}));
    EXPECT_TRUE(Shown().empty());
    const QStringList rows =
        Rows(QStringLiteral("select ResourceId, ResourceName, Description, Notes, MaxBookDaysRestrict, MaxBookDays, "
                            "BookingRestrictMode, BookingRestrictDaysAhead, BookingRestrictUntilDate, "
                            "OnlyAllowManagersWrite from Resources"));
    ASSERT_EQ(rows.size(), 1);
    const QString id = rows[0].section(u'|', 0, 0);
    EXPECT_EQ(rows[0].section(u'|', 1), QStringLiteral("Room 9|||0|0|1|120|<null>|-1"));
    EXPECT_EQ(calls, (std::vector<QString>{"ResourceAdded " + id, "UpdateCommandStates"}));
    EXPECT_EQ(Rows(QStringLiteral("select count(*) from ResourceFeatures")), QStringList{"0"});
    EXPECT_EQ(Rows(QStringLiteral("select count(*) from ResourceGroups")), QStringList{"0"});
    // The data module's resource tables see it.
    EXPECT_TRUE(data.ResourceShadowTable.Locate(QStringLiteral("ResourceName"), QStringLiteral("Room 9")));
}

TEST_F(AddResourceWizard, ExistingNameInOtherCaseKeepsTheFirstPage) {
    Execute(QStringLiteral("insert into Resources (ResourceName, MaxBookDays) values ('Room 9', 0)"));
    OnPage<TAddResourceWizardForm>(kName, [](auto& p) {
        p.ResourceName->SetText(QStringLiteral("ROOM 9"));
        p.NextButton->Click();
        EXPECT_EQ(p.ModalResult(), mrNone);
        p.CancelButton->Click();
    });
    Run();
    EXPECT_EQ(Shown(), std::vector<QString>{QStringLiteral("Resource \"ROOM 9\" already exists.")});
    EXPECT_EQ(runner->Runs(), std::vector<QString>{kName});
    EXPECT_EQ(Rows(QStringLiteral("select ResourceName from Resources")), QStringList{"Room 9"});
    EXPECT_EQ(calls, std::vector<QString>{"UpdateCommandStates"});
}

TEST_F(AddResourceWizard, TextsWithDoubleQuotesAreStoredAsTyped) {
    TypeName(QStringLiteral("The \"Big\" Room"), QStringLiteral("Seats 40 \"theatre\""),
             QStringLiteral("Key at \"desk\"; ask'"));
    OnPage<TAddResourceFeaturesWizardForm>(kFeatures, [](auto& p) {
        testing_env::Messages().QueueAnswer(mrOk, QStringLiteral("3\" screen"));
        p.NewFeatureButton->Click();
        p.NextButton->Click();
    });
    OnPage<TAddResourceGroupsWizardForm>(kGroups, [](auto& p) {
        testing_env::Messages().QueueAnswer(mrOk, QStringLiteral("\"A\" wing"));
        p.NewGroupButton->Click();
        p.NextButton->Click();
    });
    OnPage<TAddResourceCompletedWizardForm>(kDone, [](auto& p) { p.CancelButton->Click(); });
    Run();
    EXPECT_EQ(Rows(QStringLiteral("select ResourceName, Description, Notes from Resources")),
              QStringList{"The \"Big\" Room|Seats 40 \"theatre\"|Key at \"desk\"; ask'"});
    EXPECT_EQ(Rows(QStringLiteral("select Feature from ResourceFeatures")), QStringList{"3\" screen"});
    EXPECT_EQ(Rows(QStringLiteral("select GroupName from ResourceGroups")), QStringList{"\"A\" wing"});
    EXPECT_EQ(Rows(QStringLiteral("select Feature from Features")), QStringList{"3\" screen"});
}

TEST_F(AddResourceWizard, NewNamesStayCheckedBackAndForthAndCreateAnotherStartsEmpty) {
    Execute(QStringLiteral("insert into Features (Feature) values ('Projector')"));
    Execute(QStringLiteral("insert into Groups (GroupName) values ('North')"));
    Execute(QStringLiteral("insert into Groups (GroupName) values ('South')"));
    TypeName(QStringLiteral("Room 1"), QStringLiteral("First"));
    OnPage<TAddResourceFeaturesWizardForm>(kFeatures, [](auto& p) {
        EXPECT_EQ(Items(*p.FeaturesCheckList), QStringList{"[ ] Projector"});
        auto& messages = testing_env::Messages();
        messages.QueueAnswer(mrOk, QStringLiteral("Whiteboard"));
        p.NewFeatureButton->Click();
        messages.QueueAnswer(mrOk, QStringLiteral("projector"));
        p.NewFeatureButton->Click();
        messages.QueueAnswer(mrOk, QStringLiteral("Flip chart"));
        p.NewFeatureButton->Click();
        messages.QueueAnswer(mrOk, QStringLiteral("  "));
        p.NewFeatureButton->Click();
        const QString prompt = QStringLiteral("Enter the name of the new feature");
        EXPECT_EQ(messages.Texts(),
                  (std::vector<QString>{prompt, prompt, "Feature projector already exists.", prompt, prompt}));
        p.FeaturesCheckList->SetChecked(0, true);
        p.FeaturesCheckList->SetChecked(2, false);  // made, then not wanted: made all the same
        p.NextButton->Click();
    });
    OnPage<TAddResourceGroupsWizardForm>(kGroups, [](auto& p) {
        testing_env::Messages().QueueAnswer(mrOk, QStringLiteral("Middle"));
        p.NewGroupButton->Click();
        EXPECT_EQ(Items(*p.GroupsCheckList), (QStringList{"[x] Middle", "[ ] North", "[ ] South"}));
        p.GroupsCheckList->SetChecked(2, true);
        p.PrevButton->Click();
    });
    OnPage<TAddResourceFeaturesWizardForm>(kFeatures, [](auto& p) {
        // Still as left: this page is filled only on the way forward.
        EXPECT_EQ(Items(*p.FeaturesCheckList), (QStringList{"[x] Projector", "[x] Whiteboard", "[ ] Flip chart"}));
        p.PrevButton->Click();
    });
    OnPage<TAddResourceWizardForm>(kName, [](auto& p) {
        EXPECT_EQ(p.ResourceName->Text(), QStringLiteral("Room 1"));
        p.NextButton->Click();
    });
    OnPage<TAddResourceFeaturesWizardForm>(kFeatures, [](auto& p) {
        EXPECT_EQ(Items(*p.FeaturesCheckList), (QStringList{"[ ] Projector", "[x] Whiteboard", "[x] Flip chart"}));
        p.FeaturesCheckList->SetChecked(2, false);
        p.NextButton->Click();
    });
    OnPage<TAddResourceGroupsWizardForm>(kGroups, [](auto& p) {
        EXPECT_EQ(Items(*p.GroupsCheckList), (QStringList{"[x] Middle", "[ ] North", "[ ] South"}));
        p.GroupsCheckList->SetChecked(2, true);
        p.NextButton->Click();
    });
    OnPage<TAddResourceCompletedWizardForm>(kDone, [](auto& p) { p.NextButton->Click(); });
    OnPage<TAddResourceWizardForm>(kName, [](auto& p) {
        EXPECT_EQ(p.ResourceName->Text(), QString());
        EXPECT_EQ(p.ResourceDesc->Text(), QString());
        p.ResourceName->SetText(QStringLiteral("Room 2"));
        p.NextButton->Click();
    });
    OnPage<TAddResourceFeaturesWizardForm>(kFeatures, [](auto& p) {
        EXPECT_EQ(Items(*p.FeaturesCheckList), (QStringList{"[ ] Flip chart", "[ ] Projector", "[ ] Whiteboard"}));
        p.NextButton->Click();
    });
    OnPage<TAddResourceGroupsWizardForm>(kGroups, [](auto& p) {
        EXPECT_EQ(Items(*p.GroupsCheckList), (QStringList{"[ ] Middle", "[ ] North", "[ ] South"}));
        p.CancelButton->Click();
    });
    Run();

    EXPECT_EQ(Rows(QStringLiteral("select ResourceName from Resources")), QStringList{"Room 1"});
    EXPECT_EQ(Rows(QStringLiteral("select Feature from Features order by Feature")),
              (QStringList{"Flip chart", "Projector", "Whiteboard"}));
    EXPECT_EQ(Rows(QStringLiteral("select Feature from ResourceFeatures order by Feature")), QStringList{"Whiteboard"});
    EXPECT_EQ(Rows(QStringLiteral("select GroupName from ResourceGroups order by GroupName")),
              (QStringList{"Middle", "South"}));
}

TEST_F(AddResourceWizard, AFailureAfterTheResourceRowStoresNothing) {
    TypeName(QStringLiteral("Room 5"));
    OnPage<TAddResourceFeaturesWizardForm>(kFeatures, [](auto& p) { p.NextButton->Click(); });
    OnPage<TAddResourceGroupsWizardForm>(kGroups, [](auto& p) {
        // Longer than a group name may be.
        testing_env::Messages().QueueAnswer(mrOk, QString(26, u'g'));
        p.NewGroupButton->Click();
        p.NextButton->Click();
    });
    OnPage<TAddResourceGroupsWizardForm>(kGroups, [](auto& p) { p.CancelButton->Click(); });
    Run();
    EXPECT_EQ(runner->Runs(), (std::vector<QString>{kName, kFeatures, kGroups, kGroups}));
    ASSERT_EQ(Shown().size(), 2u);
    EXPECT_EQ(Shown()[1], QStringLiteral("The field is too small to accept the amount of data you attempted to add. "
                                         "Try inserting or pasting less data."));
    EXPECT_EQ(Rows(QStringLiteral("select count(*) from Resources")), QStringList{"0"});
    EXPECT_EQ(Rows(QStringLiteral("select count(*) from Groups")), QStringList{"0"});
    EXPECT_EQ(calls, std::vector<QString>{"UpdateCommandStates"});
}
