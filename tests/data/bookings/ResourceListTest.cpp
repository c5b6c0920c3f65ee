// The resource list: finding and sorting by name without regard to case.
#include "data/bookings/ResourceList.h"

#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

TEST(ResourceList, SortsAndFindsByNameWithoutCase) {
    TResourceList list;
    EXPECT_EQ(list.Add(QStringLiteral("b"), 2, QStringLiteral("second")), 0);
    list.Add(QStringLiteral("A"), 1, {});
    list.AddItem(TResourceItem{QStringLiteral("c"), 3, QStringLiteral("third")});
    list.Sort();
    QStringList names;
    for (int i = 0; i < list.GetCount(); ++i) names << list.GetItem(i)->ResourceName;
    EXPECT_EQ(names, QStringList({"A", "b", "c"}));
    EXPECT_EQ(list.IndexOfName(QStringLiteral("B")), 1);
    EXPECT_EQ(list.GetItem(1)->Description, QStringLiteral("second"));
    EXPECT_EQ(list.IndexOfName(QStringLiteral("d")), -1);
    EXPECT_THROW(list.GetItem(3), EListError);
    list.Clear();
    EXPECT_EQ(list.GetCount(), 0);
}
