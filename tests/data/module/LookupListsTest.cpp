// The lookup module's name and resource lists, the new resource's defaults and the task handlers.
#include "data/support/LookupFixture.h"

#include "data/bookings/ResourceList.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/StringList.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

namespace data_test {
namespace {

QStringList Names(const TResourceList& list) {
    QStringList names;
    for (int i = 0; i < list.GetCount(); ++i) {
        const TResourceItem* item = list.GetItem(i);
        names << QStringLiteral("%1/%2/%3").arg(item->ResourceName).arg(item->ResourceId).arg(item->Description);
    }
    return names;
}

QStringList Lines(const TStrings& list) {
    QStringList lines;
    for (int i = 0; i < list.Count(); ++i) lines << list[i];
    return lines;
}

class LookupListsTest : public LookupTest {};

TEST_F(LookupListsTest, NameListsAreClearedAndOrdered) {
    for (const char* group : {"b floor", "A floor", "c floor"})
        Execute(QStringLiteral("INSERT INTO Groups (GroupName) VALUES (\"%1\")").arg(QLatin1String(group)));
    Execute(QStringLiteral("INSERT INTO Types (TypeName) VALUES (\"Vehicle\")"));
    Execute(QStringLiteral("INSERT INTO Types (TypeName) VALUES (\"room\")"));
    TStringList list;
    list.Add(QStringLiteral("stale"));
    sqlData->FillGroupNames(list);
    EXPECT_EQ(Lines(list),
              (QStringList{QStringLiteral("A floor"), QStringLiteral("b floor"), QStringLiteral("c floor")}));
    sqlData->FillTypeNames(list);
    EXPECT_EQ(Lines(list), (QStringList{QStringLiteral("room"), QStringLiteral("Vehicle")}));
    EXPECT_FALSE(sqlData->GroupsQuery.Active()) << "a closed query is opened for the fill only";

    sqlData->GroupsQuery.Open();
    Execute(QStringLiteral("INSERT INTO Groups (GroupName) VALUES (\"d floor\")"));
    sqlData->FillGroupNames(list);
    EXPECT_EQ(list.Count(), 4) << "an open query is read again";
    EXPECT_TRUE(sqlData->GroupsQuery.Active());
}

TEST_F(LookupListsTest, ResourceListsAppendOrClearAsTheirCallersExpect) {
    const qint32 van = AddResource(QStringLiteral("van"));
    const qint32 room = AddResource(QStringLiteral("Room"));
    Execute(QStringLiteral("UPDATE Resources SET Description = \"Blue\" WHERE ResourceId = %1").arg(van));
    Execute(QStringLiteral("INSERT INTO Groups (GroupName) VALUES (\"Fleet\")"));
    Execute(QStringLiteral("INSERT INTO ResourceGroups (GroupName, ResourceId) VALUES (\"Fleet\", %1)").arg(van));

    TResourceList list;
    list.Add(QStringLiteral("kept"), 1, QString());
    sqlData->FillResources(list);
    EXPECT_EQ(Names(list), (QStringList{QStringLiteral("kept/1/"), QStringLiteral("Room/%1/").arg(room),
                                        QStringLiteral("van/%1/Blue").arg(van)}));
    sqlData->FillGroupResources(QStringLiteral("fleet"), list);
    EXPECT_EQ(Names(list), QStringList{QStringLiteral("van/%1/Blue").arg(van)});
    sqlData->FillGroupResources(QStringLiteral("Nobody's \"group\""), list);
    EXPECT_EQ(list.GetCount(), 0);
}

TEST_F(LookupListsTest, NewResourceDefaultsTakeTheLaterUntilDate) {
    auto clock = std::make_shared<rtl::FakeClock>(EncodeDateTime(2026, 3, 1, 10, 30, 0, 0));
    rtl::SetClock(clock);
    TADOTable resources;
    resources.SetConnection(&connection);
    resources.TableName = QStringLiteral("Resources");
    resources.OnNewRecord = [this](TDataSet& dataSet) { sqlData->ResourceNewRecord(dataSet); };
    resources.Open();

    resources.Append();
    EXPECT_FALSE(resources.FieldByName(QStringLiteral("MaxBookDaysRestrict")).AsBoolean());
    EXPECT_EQ(resources.FieldByName(QStringLiteral("MaxBookDays")).AsInteger(), 0);
    EXPECT_EQ(resources.FieldByName(QStringLiteral("BookingRestrictMode")).AsInteger(), 1);
    EXPECT_EQ(resources.FieldByName(QStringLiteral("BookingRestrictDaysAhead")).AsInteger(), 365);
    EXPECT_EQ(resources.FieldByName(QStringLiteral("BookingRestrictUntilDate")).AsDateTime(), EncodeDate(2027, 1, 1));
    EXPECT_TRUE(resources.FieldByName(QStringLiteral("OnlyAllowManagersWrite")).AsBoolean());
    resources.Cancel();

    clock->SetNow(EncodeDateTime(2027, 6, 1, 8, 0, 0, 0));
    resources.Append();
    EXPECT_EQ(resources.FieldByName(QStringLiteral("BookingRestrictUntilDate")).AsDateTime(),
              EncodeDateTime(2027, 6, 1, 8, 0, 0, 0));
    resources.Cancel();
}

class TaskHandlersTest : public LookupTest {
protected:
    TADOTable tasks;

    void SetUp() override {
        LookupTest::SetUp();
        Execute(QStringLiteral("UPDATE RanvelGlobal SET TaskAllowUserCreate = True, TaskOwnerOnlyModify = True"));
        Execute(QStringLiteral("INSERT INTO Tasks (Subject, Owner) VALUES (\"Alice's\", \"alice\")"));
        tasks.SetConnection(&connection);
        tasks.TableName = QStringLiteral("Tasks");
        tasks.BeforeInsert = [this](TDataSet& d) { sqlData->TaskBeforeInsert(d); };
        tasks.BeforeEdit = [this](TDataSet& d) { sqlData->TaskBeforeEdit(d); };
        tasks.BeforeDelete = [this](TDataSet& d) { sqlData->TaskBeforeDelete(d); };
        tasks.BeforePost = [this](TDataSet& d) { sqlData->TaskBeforePost(d); };
        tasks.Open();
    }
};

TEST_F(TaskHandlersTest, RefusalsShowTheirMessageAndAbort) {
    EXPECT_THROW(tasks.Edit(), EAbort);
    EXPECT_THROW(tasks.Delete(), EAbort);
    Execute(QStringLiteral("UPDATE RanvelGlobal SET TaskAllowUserCreate = False"));
    EXPECT_THROW(tasks.Append(), EAbort);
    EXPECT_EQ(testing_env::Messages().Texts(),
              (std::vector<QString>{QStringLiteral("You are not allowed to edit this task"),
                                    QStringLiteral("You are not allowed to delete this task"),
                                    QStringLiteral("You are not allowed to create tasks")}));
    EXPECT_EQ(tasks.State(), dsBrowse);
    EXPECT_EQ(Count(QStringLiteral("select * from Tasks")), 1);

    userId.clear();
    administrator = false;
    Execute(QStringLiteral("UPDATE RanvelGlobal SET TaskAllowUserCreate = True"));
    // A user without an id creates tasks as everyone may, and owns them under the empty id.
    tasks.Append();
    tasks.Post();
    EXPECT_EQ(Count(QStringLiteral("select * from Tasks where Owner = \"\"")), 1);
}

TEST_F(TaskHandlersTest, ALongUserIdIsStoredCutToTheOwnerColumn) {
    userId = QString(40, QLatin1Char('u'));
    tasks.Append();
    tasks.Post();
    EXPECT_EQ(Count(QStringLiteral("select * from Tasks where Owner = \"%1\"").arg(QString(32, QLatin1Char('u')))), 1);
}

TEST_F(TaskHandlersTest, EveryPostMakesTheWriterTheOwner) {
    tasks.Append();
    tasks.FieldByName(QStringLiteral("Subject")).SetAsString(QStringLiteral("Mine"));
    tasks.Post();
    EXPECT_EQ(Count(QStringLiteral("select * from Tasks where Owner = \"jsmith\"")), 1);

    administrator = true;
    ASSERT_TRUE(tasks.Locate(QStringLiteral("Subject"), QStringLiteral("Alice's")));
    tasks.Edit();
    tasks.Post();
    EXPECT_EQ(Count(QStringLiteral("select * from Tasks where Owner = \"jsmith\"")), 2);
    EXPECT_TRUE(testing_env::Messages().Requests().empty());
}

TEST_F(LookupListsTest, OnTheDataModuleItAsksWithItsUserAndAdministratorMode) {
    Execute(QStringLiteral("INSERT INTO TaskManagers (Username) VALUES (\"planner\")"));
    TData data;
    data.ADOConnection.ConnectionString = connection.ConnectionString;
    data.ADOConnection.Open();
    TSQLData lookup(data);
    data.UserId = QStringLiteral("Planner");
    EXPECT_TRUE(lookup.CanWriteTask(true, QStringLiteral("alice")));
    data.UserId = QStringLiteral("jsmith");
    EXPECT_FALSE(lookup.CanWriteTask(true, QStringLiteral("alice")));
    data.AdministratorMode = true;
    EXPECT_TRUE(lookup.CanWriteTask(true, QStringLiteral("alice")));
}

}  // namespace
}  // namespace data_test
