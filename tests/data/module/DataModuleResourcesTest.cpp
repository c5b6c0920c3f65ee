// The data module's own resource table: defaults of a new row, the name check, the delete, the list of all
// resources; and its time format.
#include "data/support/LookupFixture.h"

#include "data/bookings/ResourceList.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/Exceptions.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

namespace data_test {
namespace {

class DataModuleResourcesTest : public LookupTest {
protected:
    TData data;

    void SetUp() override {
        LookupTest::SetUp();
        AddResource(QStringLiteral("Van"));
        AddResource(QStringLiteral("Room 1"));
        connection.Close();
        ASSERT_TRUE(data.ConnectDatabase(databasePath, QString()));
        data.UserId = QStringLiteral("jsmith");
    }
};

TEST_F(DataModuleResourcesTest, ANewResourceGetsAnEmptyNameAndTheDatabasesLimits) {
    data.ResourceTable.Insert();
    TADOTable& row = data.ResourceTable;
    EXPECT_FALSE(row.FieldByName(QStringLiteral("ResourceName")).IsNull());
    EXPECT_EQ(row.FieldByName(QStringLiteral("ResourceName")).AsString(), QString());
    EXPECT_EQ(row.FieldByName(QStringLiteral("MaxBookDays")).AsInteger(), 0);
    EXPECT_EQ(row.FieldByName(QStringLiteral("BookingRestrictMode")).AsInteger(), 1);
    EXPECT_EQ(row.FieldByName(QStringLiteral("BookingRestrictDaysAhead")).AsInteger(), 365);
    EXPECT_DOUBLE_EQ(row.FieldByName(QStringLiteral("BookingRestrictUntilDate")).AsDateTime(), EncodeDate(2027, 1, 1));
    // Unlike the lookup module's defaults, these two are left to the window.
    EXPECT_TRUE(row.FieldByName(QStringLiteral("MaxBookDaysRestrict")).IsNull());
    EXPECT_TRUE(row.FieldByName(QStringLiteral("OnlyAllowManagersWrite")).IsNull());
    row.Cancel();
}

TEST_F(DataModuleResourcesTest, TheNameIsRequiredAndUniqueWithoutRegardToCase) {
    TADOTable& table = data.ResourceTable;
    const auto refusal = [&table] {
        try {
            table.Post();
        } catch (const EDatabaseError& error) {
            return error.Message();
        }
        return QString();
    };
    table.Insert();
    EXPECT_EQ(refusal(), QStringLiteral("You must enter a name for the resource."));
    table.FieldByName(QStringLiteral("ResourceName")).SetAsString(QStringLiteral("van"));
    EXPECT_EQ(refusal(), QStringLiteral("The Resource \"van\" already exists."));
    table.FieldByName(QStringLiteral("ResourceName")).SetAsString(QStringLiteral("Lab"));
    EXPECT_EQ(refusal(), QString());

    ASSERT_TRUE(table.Locate(QStringLiteral("ResourceName"), QStringLiteral("Room 1")));
    table.Edit();
    EXPECT_EQ(refusal(), QString()) << "an unchanged name passes";
}

TEST_F(DataModuleResourcesTest, DeletingTakesTheBookingsAndWritesTheHistoryRow) {
    connection.Open();
    AddBooking(1001, static_cast<qint32>(ScalarInt(QStringLiteral("select ResourceId from Resources where "
                                                                  "ResourceName = \"Van\""))));
    data.BookingsTable.Requery();
    ASSERT_TRUE(data.ResourceTable.Locate(QStringLiteral("ResourceName"), QStringLiteral("Van")));
    testing_env::Messages().Clear();
    testing_env::Messages().QueueAnswer(mrYes);
    data.ResourceTable.Delete();
    EXPECT_EQ(Count(QStringLiteral("select * from Bookings")), 0);
    EXPECT_EQ(Count(QStringLiteral("select * from History where Userid = \"jsmith\" and Description = \"Resource Van "
                                   "deleted. Bookings deleted (1)\"")),
              1);

    // Without a user id the twin aborts silently, as the lookup module's does.
    data.UserId.clear();
    ASSERT_TRUE(data.ResourceTable.Locate(QStringLiteral("ResourceName"), QStringLiteral("Room 1")));
    EXPECT_THROW(data.ResourceTable.Delete(), EAbort);
}

TEST_F(DataModuleResourcesTest, AllResourcesAreAppendedInTheTablesOrderWithoutDescriptions) {
    TResourceList list;
    list.Add(QStringLiteral("Kept"), 7, QStringLiteral("first"));
    data.AddAllResources(list);
    ASSERT_EQ(list.GetCount(), 3);
    EXPECT_EQ(list.GetItem(0)->ResourceName, QStringLiteral("Kept"));
    EXPECT_EQ(list.GetItem(1)->ResourceName, QStringLiteral("Van"));
    EXPECT_EQ(list.GetItem(2)->ResourceName, QStringLiteral("Room 1"));
    EXPECT_EQ(list.GetItem(2)->Description, QString());
}

TEST(DataModuleTimeFormat, FollowsTheTwentyFourHourSetting) {
    TData data;
    EXPECT_EQ(data.GetTimeFormat(), QStringLiteral("h:mm am/pm"));
    data.DisplayAs24Hour = true;
    EXPECT_EQ(data.GetTimeFormat(), QStringLiteral("hh:mm"));
}

}  // namespace
}  // namespace data_test
