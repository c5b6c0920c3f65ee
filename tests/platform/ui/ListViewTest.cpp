// The report list: columns, items with sub-items and pointers, selection events, and sorting that keeps the
// selection and the focus.
#include "platform/ui/Form.h"
#include "platform/ui/FormDescription.h"
#include "platform/ui/ListView.h"

#include <gtest/gtest.h>
#include <QHeaderView>

namespace {

struct ListViewTest : ::testing::Test {
    TForm form;
    TListView* view = nullptr;

    void SetUp() override {
        ui::DescribeForm(form, {"ListForm", "List", bsDialog, poScreenCenter, 300, 200},
                         {{"List", "TListView", "", 0, 0, 300, 200, "", "MultiSelect=True; HideSelection=False"}});
        view = form.Find<TListView>("List");
        view->AddColumn("", 0);
        view->AddColumn("Start", 100);
        view->AddColumn("Client", 100);
    }

    TListItem& Add(const QString& start, const QString& client, void* data = nullptr) {
        TListItem& item = view->AddItem();
        item.AddSubItem(start);
        item.AddSubItem(client);
        item.SetData(data);
        return item;
    }

    QStringList Clients() const {
        QStringList clients;
        for (int i = 0; i < view->ItemCount(); ++i) clients << view->Item(i).SubItem(1);
        return clients;
    }
};

TEST_F(ListViewTest, ItemsCarryTheirSubItemsAndPointersAndAZeroWidthColumnIsHidden) {
    int booking = 42;
    TListItem& item = Add("9:00", "Smith", &booking);
    item.SetSubItem(4, "reason");  // past the columns: kept, not shown
    EXPECT_EQ(item.SubItemCount(), 5);
    EXPECT_EQ(item.SubItem(3), QString());
    EXPECT_EQ(item.SubItem(4), QStringLiteral("reason"));
    EXPECT_EQ(view->Item(0).Data(), &booking);
    EXPECT_EQ(item.Index(), 0);
    EXPECT_TRUE(view->header()->isSectionHidden(0));
    EXPECT_EQ(view->Column(2).Caption(), QStringLiteral("Client"));
    EXPECT_EQ(view->Column(2).Width(), 100);
    view->DeleteItem(0);
    EXPECT_EQ(view->ItemCount(), 0);
    EXPECT_EQ(view->Selected(), nullptr);
}

TEST_F(ListViewTest, AShownColumnIsAtLeastAsWideAsItsCaption) {
    TListColumn& narrow = view->AddColumn(QStringLiteral("BookingId"), 10);
    EXPECT_GE(narrow.Width(), view->header()->fontMetrics().horizontalAdvance(QStringLiteral("BookingId")));
    EXPECT_EQ(view->Column(2).Width(), 100);  // wide enough already: kept
    EXPECT_TRUE(view->header()->isSectionHidden(0));
}

TEST_F(ListViewTest, SortingKeepsTheSelectionTheFocusAndTheOrderOfEqualRows) {
    Add("10:00", "Brown");
    TListItem& smith = Add("9:00", "Smith");
    Add("9:00", "Adams");
    TListItem& green = Add("11:00", "Green");
    smith.SetSelected(true);
    green.SetSelected(true);
    view->SetItemFocused(&green);
    view->OnCompare = [](const TListItem& a, const TListItem& b) {
        return QString::compare(a.SubItem(0).rightJustified(5, u'0'), b.SubItem(0).rightJustified(5, u'0'));
    };
    view->AlphaSort();
    EXPECT_EQ(Clients(), QStringList({"Smith", "Adams", "Brown", "Green"}));
    EXPECT_EQ(view->SelCount(), 2);
    EXPECT_EQ(view->Selected(), &smith);
    EXPECT_EQ(view->ItemFocused(), &green);
}

TEST_F(ListViewTest, SelectionChangesAndColumnClicksReachTheirHandlers) {
    TListItem& first = Add("9:00", "Smith");
    TListItem& second = Add("10:00", "Brown");
    QStringList seen;
    view->OnSelectItem = [&](QObject*, TListItem& item, bool selected) {
        seen << item.SubItem(1) + (selected ? "+" : "-");
    };
    first.SetSelected(true);
    view->clearSelection();
    second.SetSelected(true);
    EXPECT_EQ(seen, QStringList({"Smith+", "Smith-", "Brown+"}));

    int clicked = -1;
    view->OnColumnClick = [&](QObject*, TListColumn& column) { clicked = column.Index(); };
    view->header()->sectionClicked(2);  // as a click on the header emits it
    EXPECT_EQ(clicked, 2);
}

}  // namespace
