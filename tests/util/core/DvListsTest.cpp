// Typed lists keep their count with their elements.
#include "util/core/DvLists.h"

#include <gtest/gtest.h>

TEST(DvLists, AddFindAndResize) {
    TDvIntegerList ints;
    for (int v : {5, -3, 5}) ints.Add(v);
    EXPECT_EQ(ints.Count(), 3);
    EXPECT_EQ(ints.IndexOf(5), 0);
    EXPECT_EQ(ints.IndexOf(7), -1);
    ints.Clear();
    EXPECT_EQ(ints.Count(), 0);

    TDvDateTimeList dates;
    dates.Add(1.5);
    dates.SetCount(3);
    EXPECT_EQ(dates.GetItem(2), 0.0);
    TDvDateTimeList copy;
    copy.Add(9.0);
    copy.Assign(dates);
    EXPECT_EQ(copy.Count(), 3);
    EXPECT_EQ(copy.GetItem(0), 1.5);
}
