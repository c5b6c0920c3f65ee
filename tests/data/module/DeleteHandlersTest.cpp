// Deleting a resource, feature or group: the counts, the question, what goes with it and the History row.
#include "data/support/LookupFixture.h"

#include "data/module/Permissions.h"
#include "platform/rtl/Exceptions.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

namespace data_test {
namespace {

class DeleteHandlersTest : public LookupTest {
protected:
    TADOTable table;
    qint32 room1 = 0;
    qint32 room2 = 0;

    void SetUp() override {
        LookupTest::SetUp();
        room1 = AddResource(QStringLiteral("Room 1"));
        room2 = AddResource(QStringLiteral("Room 2"));
        for (const char* feature : {"Feature", "a\"\"b", "Projector"})
            Execute(QStringLiteral("INSERT INTO Features (Feature) VALUES (\"%1\")").arg(QLatin1String(feature)));
        Execute(QStringLiteral("INSERT INTO Groups (GroupName) VALUES (\"Floor \"\"1\"\"\")"));
        Execute(QStringLiteral("INSERT INTO Groups (GroupName) VALUES (\"Empty\")"));
    }

    void Assign(qint32 resource, const QString& feature) {
        TADOQuery insert;
        insert.SetConnection(&connection);
        insert.SQL.SetText(QStringLiteral("INSERT INTO ResourceFeatures (ResourceId, Feature) VALUES (:Id, :Feature)"));
        insert.Parameters.ParamByName(QStringLiteral("Id")).SetValue(resource);
        insert.Parameters.ParamByName(QStringLiteral("Feature")).SetValue(feature);
        insert.ExecSQL();
    }

    void Join(qint32 resource, const QString& group) {
        TADOQuery insert;
        insert.SetConnection(&connection);
        insert.SQL.SetText(
            QStringLiteral("INSERT INTO ResourceGroups (GroupName, ResourceId) VALUES (:GroupName, :Id)"));
        insert.Parameters.ParamByName(QStringLiteral("GroupName")).SetValue(group);
        insert.Parameters.ParamByName(QStringLiteral("Id")).SetValue(resource);
        insert.ExecSQL();
    }

    void OpenOn(const QString& tableName, const QString& keyField, const QVariant& key,
                void (TSQLData::*handler)(TDataSet&)) {
        table.SetConnection(&connection);
        table.TableName = tableName;
        table.BeforeDelete = [this, handler](TDataSet& dataSet) { (sqlData.get()->*handler)(dataSet); };
        table.Open();
        ASSERT_TRUE(table.Locate(keyField, key));
    }

    QString LastQuestion() {
        const auto& requests = testing_env::Messages().Requests();
        return requests.empty() ? QString() : requests.back().text;
    }
};

TEST_F(DeleteHandlersTest, ResourceWithBookingsGroupsAndFeatures) {
    AddBooking(1001, room1);
    AddBooking(1002, room1);
    AddBooking(1003, room2);
    Join(room1, QStringLiteral("Floor \"1\""));
    Assign(room1, QStringLiteral("Projector"));
    Assign(room2, QStringLiteral("Projector"));
    OpenOn(QStringLiteral("Resources"), QStringLiteral("ResourceId"), room1, &TSQLData::ResourceBeforeDelete);

    testing_env::Messages().QueueAnswer(mrNo);
    EXPECT_THROW(table.Delete(), EAbort);
    EXPECT_EQ(Count(QStringLiteral("select * from Bookings")), 3);
    EXPECT_TRUE(history.empty());

    testing_env::Messages().QueueAnswer(mrYes);
    table.Delete();
    EXPECT_EQ(LastQuestion(),
              QStringLiteral("Are you sure you want to delete the resource \"Room 1\"?\r\rThe resource has 2 "
                             "bookings and belongs to 1 group. Deleting this resource will delete all its bookings"));
    EXPECT_EQ(testing_env::Messages().Requests().back().type, mtConfirmation);
    EXPECT_EQ(Count(QStringLiteral("select * from Resources")), 1);
    EXPECT_EQ(Count(QStringLiteral("select * from Bookings")), 1) << "the other resource's booking stays";
    EXPECT_EQ(Count(QStringLiteral("select * from ResourceGroups")), 0);
    EXPECT_EQ(Count(QStringLiteral("select * from ResourceFeatures")), 1);
    ASSERT_EQ(history.size(), 1u);
    EXPECT_EQ(history[0].bookingId, -1);
    EXPECT_EQ(history[0].groupBookingId, -1);
    EXPECT_EQ(history[0].code, 5);
    EXPECT_EQ(history[0].userId, QStringLiteral("jsmith"));
    EXPECT_EQ(history[0].description, QStringLiteral("Resource Room 1 deleted. Bookings deleted (2)"));
}

TEST_F(DeleteHandlersTest, ResourceWithNothingAsksWithoutTheWarning) {
    AddBooking(1001, room2);
    OpenOn(QStringLiteral("Resources"), QStringLiteral("ResourceId"), room1, &TSQLData::ResourceBeforeDelete);
    testing_env::Messages().QueueAnswer(mrYes);
    table.Delete();
    EXPECT_EQ(LastQuestion(),
              QStringLiteral("Are you sure you want to delete the resource \"Room 1\"?\r\rThe resource has 0 "
                             "bookings and belongs to 0 groups."));
    ASSERT_EQ(history.size(), 1u);
    EXPECT_EQ(history[0].description, QStringLiteral("Resource Room 1 deleted. Bookings deleted (0)"));
}

TEST_F(DeleteHandlersTest, ResourceWithOneBookingAndOnlyAFeature) {
    AddBooking(1001, room1);
    OpenOn(QStringLiteral("Resources"), QStringLiteral("ResourceId"), room1, &TSQLData::ResourceBeforeDelete);
    testing_env::Messages().QueueAnswer(mrNo);
    EXPECT_THROW(table.Delete(), EAbort);
    EXPECT_EQ(LastQuestion(),
              QStringLiteral("Are you sure you want to delete the resource \"Room 1\"?\r\rThe resource has 1 "
                             "booking and belongs to 0 groups. Deleting this resource will delete all its bookings"));
}

TEST_F(DeleteHandlersTest, WithoutAUserIdAResourceStaysSilentlyAndAFeatureGoesUnasked) {
    userId.clear();
    AddBooking(1001, room1);
    OpenOn(QStringLiteral("Resources"), QStringLiteral("ResourceId"), room1, &TSQLData::ResourceBeforeDelete);
    EXPECT_THROW(table.Delete(), EAbort);
    EXPECT_EQ(Count(QStringLiteral("select * from Resources")), 2);
    EXPECT_EQ(Count(QStringLiteral("select * from Bookings")), 1);

    table.Close();
    OpenOn(QStringLiteral("Features"), QStringLiteral("Feature"), QStringLiteral("Projector"),
           &TSQLData::FeatureBeforeDelete);
    table.Delete();
    EXPECT_EQ(Count(QStringLiteral("select * from Features where Feature = \"Projector\"")), 0);
    EXPECT_TRUE(testing_env::Messages().Requests().empty()) << "nothing asked";
    EXPECT_TRUE(history.empty());
}

// Everything a resource delete takes with it stays when any part of it fails: the History row, or the row itself.
class ResourceDeleteFailureTest : public DeleteHandlersTest {
protected:
    void SetUp() override {
        DeleteHandlersTest::SetUp();
        AddBooking(1001, room1);
        Join(room1, QStringLiteral("Floor \"1\""));
        Assign(room1, QStringLiteral("Projector"));
        OpenOn(QStringLiteral("Resources"), QStringLiteral("ResourceId"), room1, &TSQLData::ResourceBeforeDelete);
        testing_env::Messages().QueueAnswer(mrYes);
    }

    void ExpectEverythingStays() {
        EXPECT_EQ(Count(QStringLiteral("select * from Resources")), 2);
        EXPECT_EQ(Count(QStringLiteral("select * from Bookings")), 1);
        EXPECT_EQ(Count(QStringLiteral("select * from ResourceGroups")), 1);
        EXPECT_EQ(Count(QStringLiteral("select * from ResourceFeatures")), 1);
        EXPECT_FALSE(connection.InTransaction());
    }
};

TEST_F(ResourceDeleteFailureTest, TheHistoryRowFails) {
    sqlData = std::make_unique<TSQLData>(data::LookupHost{
        &connection, [] { return false; }, [this] { return userId; },
        [](qint32, qint32, int, const QString&, const QString&) { DatabaseError(QStringLiteral("History is full")); }});
    EXPECT_THROW(table.Delete(), EDatabaseError);
    ExpectEverythingStays();
}

TEST_F(ResourceDeleteFailureTest, TheRowsOwnDeleteFails) {
    bool afterDelete = false;
    table.AfterDelete = [&afterDelete](TDataSet&) { afterDelete = true; };
    table.BeforeScroll = [](TDataSet&) { DatabaseError(QStringLiteral("Disk full")); };
    EXPECT_THROW(table.Delete(), EDatabaseError);
    ExpectEverythingStays();
    EXPECT_FALSE(table.OnDeleteError) << "the table's own handlers are back";

    table.BeforeScroll = nullptr;
    testing_env::Messages().QueueAnswer(mrYes);
    table.Delete();
    EXPECT_TRUE(afterDelete);
    EXPECT_EQ(Count(QStringLiteral("select * from Bookings")), 0);
    EXPECT_EQ(Count(QStringLiteral("select * from Resources")), 1);
    EXPECT_FALSE(connection.InTransaction());
}

TEST_F(DeleteHandlersTest, FeatureNamesDeleteOnlyTheirOwnRows) {
    Assign(room1, QStringLiteral("Feature"));
    Assign(room1, QStringLiteral("a\"b"));
    Assign(room2, QStringLiteral("a\"b"));
    Assign(room2, QStringLiteral("Projector"));

    OpenOn(QStringLiteral("Features"), QStringLiteral("Feature"), QStringLiteral("a\"b"),
           &TSQLData::FeatureBeforeDelete);
    testing_env::Messages().QueueAnswer(mrYes);
    table.Delete();
    EXPECT_EQ(LastQuestion(),
              QStringLiteral("Are you sure you want to delete the feature \"a\"b\"?\r\rThe feature is assigned "
                             "to 2 resources."));
    EXPECT_EQ(Count(QStringLiteral("select * from ResourceFeatures")), 2);

    ASSERT_TRUE(table.Locate(QStringLiteral("Feature"), QStringLiteral("Feature")));
    testing_env::Messages().QueueAnswer(mrYes);
    table.Delete();
    EXPECT_EQ(LastQuestion(),
              QStringLiteral("Are you sure you want to delete the feature \"Feature\"?\r\rThe feature is "
                             "assigned to 1 resource."));
    EXPECT_EQ(Count(QStringLiteral("select * from ResourceFeatures where Feature = \"Projector\"")), 1);
    EXPECT_EQ(Count(QStringLiteral("select * from ResourceFeatures")), 1);
    EXPECT_EQ(Count(QStringLiteral("select * from Features")), 1);

    ASSERT_TRUE(table.Locate(QStringLiteral("Feature"), QStringLiteral("Projector")));
    testing_env::Messages().QueueAnswer(mrNo);
    EXPECT_THROW(table.Delete(), EAbort);
    EXPECT_EQ(Count(QStringLiteral("select * from ResourceFeatures")), 1);
}

TEST_F(DeleteHandlersTest, GroupLeavesItsResourcesAndBookings) {
    Join(room1, QStringLiteral("Floor \"1\""));
    Join(room2, QStringLiteral("Floor \"1\""));
    Join(room2, QStringLiteral("Empty"));
    AddBooking(1001, room1);

    OpenOn(QStringLiteral("Groups"), QStringLiteral("GroupName"), QStringLiteral("Floor \"1\""),
           &TSQLData::GroupBeforeDelete);
    testing_env::Messages().QueueAnswer(mrNo);
    EXPECT_THROW(table.Delete(), EAbort);
    EXPECT_EQ(Count(QStringLiteral("select * from ResourceGroups")), 3);
    testing_env::Messages().QueueAnswer(mrYes);
    table.Delete();
    EXPECT_EQ(LastQuestion(),
              QStringLiteral("Are you sure you want to delete group \"Floor \"1\"\"?\r\rThis group has 2 resources "
                             "assigned to it. Deleting this group will not delete any of the resources or bookings."));
    EXPECT_EQ(Count(QStringLiteral("select * from ResourceGroups")), 1);
    EXPECT_EQ(Count(QStringLiteral("select * from Groups")), 1);
    EXPECT_EQ(Count(QStringLiteral("select * from Resources")), 2);
    EXPECT_EQ(Count(QStringLiteral("select * from Bookings")), 1);

    Execute(QStringLiteral("DELETE FROM ResourceGroups"));
    ASSERT_TRUE(table.Locate(QStringLiteral("GroupName"), QStringLiteral("Empty")));
    testing_env::Messages().QueueAnswer(mrYes);
    table.Delete();
    EXPECT_EQ(LastQuestion(), QStringLiteral("Are you sure you want to delete group \"Empty\"?"));
    EXPECT_TRUE(history.empty()) << "groups and features write no history";
}

TEST_F(DeleteHandlersTest, OnTheDataModuleTheHistoryRowIsWritten) {
    connection.Close();
    TData data;
    ASSERT_TRUE(data.ConnectDatabase(databasePath, QString()));
    data.UserId = QStringLiteral("jsmith");
    TSQLData lookup(data);
    data.ResourceTable.BeforeDelete = [&lookup](TDataSet& dataSet) { lookup.ResourceBeforeDelete(dataSet); };
    ASSERT_TRUE(data.ResourceTable.Locate(QStringLiteral("ResourceName"), QStringLiteral("Room 2")));
    testing_env::Messages().Clear();
    testing_env::Messages().QueueAnswer(mrYes);
    data.ResourceTable.Delete();
    connection.Open();
    EXPECT_EQ(
        Count(QStringLiteral("select * from History where HistoryCode = 5 and Userid = \"jsmith\" and BookingId is "
                             "null and GroupBookingId is null and Description = \"Resource Room 2 deleted. "
                             "Bookings deleted (0)\"")),
        1);
}

// The data module's own resource table deletes through the same handler; a user id longer than History's
// column is kept cut to it.
TEST_F(DeleteHandlersTest, ALongUserIdIsCutToTheHistoryColumn) {
    AddBooking(1001, room1);
    connection.Close();
    TData data;
    ASSERT_TRUE(data.ConnectDatabase(databasePath, QString()));
    data.UserId = QStringLiteral("firstname.middlename.lastname");
    ASSERT_TRUE(data.ResourceTable.Locate(QStringLiteral("ResourceName"), QStringLiteral("Room 1")));
    testing_env::Messages().Clear();
    testing_env::Messages().QueueAnswer(mrYes);
    data.ResourceTable.Delete();
    data.AddTaskHistory(31, data::HistoryCode::TaskDeleted, data.UserId, QStringLiteral("Subject(x) "));
    connection.Open();
    EXPECT_EQ(Count(QStringLiteral("select * from Resources")), 1);
    EXPECT_EQ(Count(QStringLiteral("select * from Bookings")), 0);
    EXPECT_EQ(Count(QStringLiteral("select * from History where Userid = \"firstname.middlename\"")), 2);
}

}  // namespace
}  // namespace data_test
