// LocateAfter: the next matching record after the current one, asked of the engine or found among the rows.
#include "AdoFixture.h"

#include <gtest/gtest.h>

namespace {

using db_test::AdoTest;

TEST_F(AdoTest, LocateAfterFindsTheNextMatchInTheDataSetsOrderAndStaysWhenThereIsNone) {
    connection.Execute("INSERT INTO Resources (ResourceName, MaxBookDays, Active) VALUES (\"Room C\", 3, True)");
    TADOTable table;
    table.SetConnection(&connection);
    table.TableName = "Resources";
    // Index order is descending by name: Van, Room C, room b, Room A, Projector.
    table.IndexName = "ResourceNameIndex";
    table.Open();
    auto name = [&] { return table.FieldByName("ResourceName").AsString(); };
    std::vector<QString> found;
    ASSERT_TRUE(table.Locate("ResourceName", "ROOM", {loCaseInsensitive, loPartialKey}));
    found.push_back(name());
    while (table.LocateAfter("ResourceName", "ROOM", {loCaseInsensitive, loPartialKey})) found.push_back(name());
    EXPECT_EQ(found, (std::vector<QString>{"Room C", "room b", "Room A"}));
    EXPECT_EQ(name(), "Room A");
    // Values the engine cannot be asked about are found among the rows.
    table.First();
    ASSERT_TRUE(table.LocateAfter("MaxBookDays", 3, {}));
    EXPECT_EQ(name(), "Room C");
}

}  // namespace
