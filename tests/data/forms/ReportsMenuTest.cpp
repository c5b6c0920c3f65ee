// The Reports menu: old report items replaced, "Empty" without reports, clicks reach the handler, and the data
// module's menu follows the open database.
#include "data/support/DataFixture.h"

#include "data/forms/ReportsMenu.h"
#include "data/module/DataModule.h"
#include "platform/ui/Menus.h"

#include <gtest/gtest.h>

using namespace data_test;

namespace {

struct ReportsMenu {
    ReportsMenu() {
        for (const char* caption : {"&Print...", "-", "Old report"}) {
            auto* item = new TMenuItem(nullptr);
            item->SetCaption(QString::fromLatin1(caption));
            menu.Add(item);
        }
        anchor = menu.Items(1);
    }
    QStringList Captions() const {
        QStringList captions;
        for (int i = 0; i < menu.Count(); ++i) captions << menu.Items(i)->Caption();
        return captions;
    }
    TMenuItem menu{nullptr};
    TMenuItem* anchor = nullptr;
};

}  // namespace

TEST(ReportsMenu, ReportItemsInNameOrderReplaceTheOldOnes) {
    auto connection = CreateDatabase();
    connection->Execute("INSERT INTO Reports (ReportName) VALUES ('Weekly')");
    connection->Execute("INSERT INTO Reports (ReportName) VALUES ('daily')");
    ReportsMenu m;
    QStringList clicked;
    data::RemoveItemsAfter(m.menu, m.anchor);
    EXPECT_EQ(data::AddReportItems(m.menu, data::ReportNames(*connection),
                                   [&](QObject* sender) { clicked << static_cast<TMenuItem*>(sender)->Caption(); }),
              2);
    EXPECT_EQ(m.Captions(), (QStringList{"&Print...", "-", "daily", "Weekly"}));
    m.menu.Items(3)->Click();
    EXPECT_EQ(clicked, QStringList{"Weekly"});
}

TEST(ReportsMenu, NoReportsGiveOneDisabledEmptyItem) {
    auto connection = CreateDatabase();
    ReportsMenu m;
    data::RemoveItemsAfter(m.menu, m.anchor);
    EXPECT_EQ(data::AddReportItems(m.menu, data::ReportNames(*connection), {}), 0);
    EXPECT_EQ(m.Captions(), (QStringList{"&Print...", "-", "Empty"}));
    EXPECT_FALSE(m.menu.Items(2)->Enabled());
}

TEST(ReportsMenu, AnAnchorThatIsNotInTheMenuKeepsEveryItem) {
    ReportsMenu m;
    TMenuItem stranger(nullptr);
    data::RemoveItemsAfter(m.menu, &stranger);
    EXPECT_EQ(m.Captions(), (QStringList{"&Print...", "-", "Old report"}));
}

TEST(ReportsMenu, TheDataModulesMenuListsTheOpenDatabasesReportsAndNoneOnceClosed) {
    TData data;
    ASSERT_TRUE(data.CreateDatabase(DbPath(), false));
    ASSERT_TRUE(data.ConnectDatabase(DbPath(), {}));
    ReportsMenu m;
    EXPECT_EQ(data::FillReportsMenu(data, m.menu, m.anchor, {}), 0);
    EXPECT_EQ(m.Captions(), (QStringList{"&Print...", "-", "Empty"}));

    data.DisconnectDatabase();
    EXPECT_EQ(data::FillReportsMenu(data, m.menu, m.anchor, {}), 0);
    EXPECT_EQ(m.Captions(), (QStringList{"&Print...", "-"}));
}
