// Who may write bookings and tasks: truth tables over users, owners, managers, database flags and administrator mode.
#include "data/support/LookupFixture.h"

#include "data/module/Permissions.h"

#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

namespace data_test {
namespace {

enum Flags : int { kNone = 0, kAllowCreate = 1, kOwnerOnly = 2, kNoGlobalRow = 4 };

// A login name longer than the 32 characters of the Owner and Username columns, and what they keep of it.
const char* const kLongId = "firstname.middlename.lastname@example.org";
const char* const kLongIdAsStored = "firstname.middlename.lastname@ex";
const char* const kLongManager = "planner.with.a.very.long.login.name.indeed";

struct BookingCase {
    const char* what;
    const char* user;
    bool administrator;
    int flags;
    const char* resource;  // a resource of the fixture, or "missing"
    bool modifying;
    const char* owner;
    bool expected;
};

class BookingPermissionTest : public LookupTest {
protected:
    QHash<QString, qint32> ids;

    void SetUp() override {
        LookupTest::SetUp();
        ids[QStringLiteral("Room 1")] = AddResource(QStringLiteral("Room 1"));
        ids[QStringLiteral("Lab")] = AddResource(QStringLiteral("Lab"), true);
        ids[QStringLiteral("Van")] = AddResource(QStringLiteral("Van"));
        ids[QStringLiteral("missing")] = 999;
        Execute(QStringLiteral("INSERT INTO ResourceManagers (ResourceId, Username) VALUES (%1, \"RoomBoss\")")
                    .arg(ids["Room 1"]));
        Execute(QStringLiteral("INSERT INTO ResourceManagers (ResourceId, Username) VALUES (-1, \"chief\")"));
        Execute(QStringLiteral("INSERT INTO Groups (GroupName) VALUES (\"Science\")"));
        Execute(QStringLiteral("INSERT INTO ResourceGroups (GroupName, ResourceId) VALUES (\"Science\", %1)")
                    .arg(ids["Lab"]));
        Execute(
            QStringLiteral("INSERT INTO ResourceGroupManagers (GroupName, Username) VALUES (\"Science\", \"dean\")"));
    }

    // The global row with these two flags, or no global row at all.
    void SetFlags(int flags, const char* createColumn, const char* ownerColumn) {
        Execute(QStringLiteral("DELETE FROM RanvelGlobal"));
        if (flags & kNoGlobalRow) return;
        Execute(QStringLiteral("INSERT INTO RanvelGlobal (BookingRestrictMode) VALUES (1)"));
        Execute(QStringLiteral("UPDATE RanvelGlobal SET %1 = %2, %3 = %4")
                    .arg(QLatin1String(createColumn),
                         (flags & kAllowCreate) ? QStringLiteral("True") : QStringLiteral("False"),
                         QLatin1String(ownerColumn),
                         (flags & kOwnerOnly) ? QStringLiteral("True") : QStringLiteral("False")));
    }
};

TEST_F(BookingPermissionTest, FirstMatchingRuleDecides) {
    const BookingCase cases[] = {
        {"administrator mode allows anything", "jsmith", true, kNone, "Lab", true, "other", true},
        {"administrator mode needs no resource row", "", true, kNoGlobalRow, "missing", false, "", true},
        {"resource manager, flags off", "RoomBoss", false, kNone, "Room 1", true, "other", true},
        {"manager lookup ignores case", "roomboss", false, kNone, "Room 1", true, "other", true},
        {"a resource's manager manages no other", "RoomBoss", false, kNone, "Van", false, "", false},
        {"every-resource manager, managers-only resource", "chief", false, kNone, "Lab", true, "other", true},
        {"every-resource manager without a global row", "chief", false, kNoGlobalRow, "Van", true, "other", true},
        {"group manager, managers-only resource", "dean", false, kOwnerOnly, "Lab", true, "other", true},
        {"group manager of another group's resource", "dean", false, kNone, "Van", false, "", false},
        {"managers-only resource refuses creation", "jsmith", false, kAllowCreate, "Lab", false, "", false},
        {"managers-only resource refuses the owner", "jsmith", false, kAllowCreate, "Lab", true, "jsmith", false},
        {"missing resource", "jsmith", false, kAllowCreate, "missing", false, "", false},
        {"users may create", "jsmith", false, kAllowCreate, "Room 1", false, "", true},
        {"users may not create", "jsmith", false, kNone, "Room 1", false, "", false},
        {"users may modify others' bookings", "jsmith", false, kAllowCreate, "Room 1", true, "alice", true},
        {"owner only: own booking", "jsmith", false, kAllowCreate | kOwnerOnly, "Room 1", true, "jsmith", true},
        {"owner only: a colleague's booking", "jsmith", false, kAllowCreate | kOwnerOnly, "Room 1", true, "alice",
         false},
        {"owner only: owner differs in case", "jsmith", false, kAllowCreate | kOwnerOnly, "Room 1", true, "JSmith",
         false},
        {"owner only alone allows nothing", "jsmith", false, kOwnerOnly, "Room 1", true, "jsmith", false},
        {"no global row", "jsmith", false, kNoGlobalRow, "Room 1", false, "", false},
        // A user without an id follows the same rules: his id is the empty text.
        {"no user id may create", "", false, kAllowCreate, "Room 1", false, "", true},
        {"no user id may not create", "", false, kNone, "Room 1", false, "", false},
        {"no user id modifies others' bookings", "", false, kAllowCreate, "Room 1", true, "alice", true},
        {"no user id owns the ownerless booking", "", false, kAllowCreate | kOwnerOnly, "Room 1", true, "", true},
        {"no user id, owner only: a colleague's", "", false, kAllowCreate | kOwnerOnly, "Room 1", true, "alice", false},
        {"no user id, managers-only resource", "", false, kAllowCreate, "Lab", false, "", false},
        // The owner is stored cut to its 32 characters, and compared so.
        {"long id owns the booking stored under it", kLongId, false, kAllowCreate | kOwnerOnly, "Room 1", true,
         kLongIdAsStored, true},
        {"long id, owner only: a colleague's", kLongId, false, kAllowCreate | kOwnerOnly, "Room 1", true, "alice",
         false},
    };
    for (const BookingCase& c : cases) {
        SCOPED_TRACE(c.what);
        SetFlags(c.flags, "BookingAllowUserCreate", "BookingOwnerOnlyModify");
        userId = QString::fromLatin1(c.user);
        administrator = c.administrator;
        EXPECT_EQ(sqlData->CanWriteResourceBookings(ids.value(QLatin1String(c.resource)), c.modifying,
                                                    QString::fromLatin1(c.owner)),
                  c.expected);
    }
    EXPECT_FALSE(sqlData->ManagerOfResourceIdQuery.Active());
    EXPECT_FALSE(sqlData->GlobalQuery.Active());
}

TEST_F(BookingPermissionTest, QueriesAWindowKeepsOpenStayOpenAsTheyWere) {
    SetFlags(kAllowCreate, "BookingAllowUserCreate", "BookingOwnerOnlyModify");
    sqlData->GlobalQuery.Open();
    sqlData->ResourceIdQuery.Parameters.ParamByName(QStringLiteral("TheResourceId")).SetValue(ids["Van"]);
    sqlData->ResourceIdQuery.Open();
    EXPECT_TRUE(sqlData->CanWriteResourceBookings(ids["Room 1"], false, QString()));
    EXPECT_TRUE(sqlData->GlobalQuery.Active());
    ASSERT_TRUE(sqlData->ResourceIdQuery.Active());
    EXPECT_EQ(sqlData->ResourceIdQuery.FieldByName(QStringLiteral("ResourceName")).AsString(), QStringLiteral("Van"));
}

struct TaskCase {
    const char* what;
    const char* user;
    bool administrator;
    int flags;
    bool modifying;
    const char* owner;
    bool expected;
};

TEST_F(BookingPermissionTest, TaskRules) {
    Execute(QStringLiteral("INSERT INTO TaskManagers (Username) VALUES (\"Planner\")"));
    Execute(QStringLiteral("INSERT INTO TaskManagers (Username) VALUES (\"%1\")")
                .arg(QLatin1String(kLongManager).left(data::kUserColumnSize)));
    const TaskCase cases[] = {
        {"administrator mode", "jsmith", true, kNone, true, "other", true},
        {"task manager, flags off", "planner", false, kNone, true, "other", true},
        {"users may create", "jsmith", false, kAllowCreate, false, "", true},
        {"users may not create", "jsmith", false, kNone, false, "", false},
        {"another user's task", "jsmith", false, kAllowCreate, true, "alice", true},
        {"owner only: own task", "jsmith", false, kAllowCreate | kOwnerOnly, true, "jsmith", true},
        {"owner only: another's task", "jsmith", false, kAllowCreate | kOwnerOnly, true, "alice", false},
        {"owner only: owner differs in case", "jsmith", false, kAllowCreate | kOwnerOnly, true, "JSMITH", false},
        {"no global row", "jsmith", false, kNoGlobalRow, false, "", false},
        {"no user id may create", "", false, kAllowCreate, false, "", true},
        {"no user id may not create", "", false, kNone, false, "", false},
        {"no user id owns the ownerless task", "", false, kAllowCreate | kOwnerOnly, true, "", true},
        {"no user id, owner only: another's task", "", false, kAllowCreate | kOwnerOnly, true, "alice", false},
        {"long id owns the task stored under it", kLongId, false, kAllowCreate | kOwnerOnly, true, kLongIdAsStored,
         true},
        {"long id that is a task manager", kLongManager, false, kNone, true, "alice", true},
    };
    for (const TaskCase& c : cases) {
        SCOPED_TRACE(c.what);
        SetFlags(c.flags, "TaskAllowUserCreate", "TaskOwnerOnlyModify");
        userId = QString::fromLatin1(c.user);
        administrator = c.administrator;
        EXPECT_EQ(sqlData->CanWriteTask(c.modifying, QString::fromLatin1(c.owner)), c.expected);
    }
}

}  // namespace
}  // namespace data_test
