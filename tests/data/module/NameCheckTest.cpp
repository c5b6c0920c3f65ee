// Names of resources, features, groups and managers are required and unique before a row is posted.
#include "data/support/LookupFixture.h"

#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

namespace data_test {
namespace {

class NameCheckTest : public LookupTest {
protected:
    TADOTable table;

    // Opens the table with the handler as its BeforePost.
    void OpenTable(const QString& name, void (TSQLData::*handler)(TDataSet&)) {
        table.SetConnection(&connection);
        table.TableName = name;
        table.BeforePost = [this, handler](TDataSet& dataSet) { (sqlData.get()->*handler)(dataSet); };
        table.Open();
    }

    // Posts the row and answers the database error's text, empty when the post went through.
    QString PostError() {
        try {
            table.Post();
        } catch (const EDatabaseError& error) {
            return error.Message();
        }
        return {};
    }
};

struct NamedList {
    const char* table;
    const char* field;
    void (TSQLData::*handler)(TDataSet&);
    const char* missing;
    const char* noun;
};

const NamedList kNamedLists[] = {
    {"Resources", "ResourceName", &TSQLData::ResourceBeforePost, "You must enter a name for the resource.", "resource"},
    {"Features", "Feature", &TSQLData::FeatureBeforePost, "You must enter a name for the feature.", "feature"},
    {"Groups", "GroupName", &TSQLData::GroupBeforePost, "You must enter a name for the group.", "group"},
    {"TaskManagers", "Username", &TSQLData::TaskManagerBeforePost, "You must enter a username.", "username"},
};

TEST_F(NameCheckTest, RequiredUniqueAndUnchangedNames) {
    for (const NamedList& list : kNamedLists) {
        SCOPED_TRACE(list.table);
        const QString table_ = QLatin1String(list.table);
        const QString field = QLatin1String(list.field);
        const QString extra = table_ == QLatin1String("Resources") ? QStringLiteral(", MaxBookDays") : QString();
        const QString extraValue = extra.isEmpty() ? QString() : QStringLiteral(", 0");
        Execute(QStringLiteral("INSERT INTO %1 (%2%3) VALUES (\"Room 1\"%4)").arg(table_, field, extra, extraValue));
        Execute(QStringLiteral("INSERT INTO %1 (%2%3) VALUES (\"Room 2\"%4)").arg(table_, field, extra, extraValue));
        table.Close();
        OpenTable(table_, list.handler);
        ASSERT_TRUE(table.Locate(field, QStringLiteral("Room 1")));
        TField& name = table.FieldByName(field);

        table.Edit();
        EXPECT_EQ(PostError(), QString()) << "saved unchanged";

        table.Edit();
        name.SetAsString(QStringLiteral("room 1"));
        EXPECT_EQ(PostError(), QStringLiteral("The %1 \"room 1\" already exists.").arg(QLatin1String(list.noun)))
            << "only the letter case changed";
        EXPECT_EQ(table.State(), dsEdit);
        name.SetAsString(QStringLiteral("Room 2"));
        EXPECT_EQ(PostError(), QStringLiteral("The %1 \"Room 2\" already exists.").arg(QLatin1String(list.noun)));
        name.SetAsString(QStringLiteral("   "));
        EXPECT_EQ(PostError(), QLatin1String(list.missing));
        name.Clear();
        EXPECT_EQ(PostError(), QLatin1String(list.missing));
        name.SetAsString(QStringLiteral("Room \"3\""));
        EXPECT_EQ(PostError(), QString()) << "a new name with a quote";
        EXPECT_EQ(Count(QStringLiteral("select * from %1 where %2 = \"Room \"\"3\"\"\"").arg(table_, field)), 1);
    }
}

TEST_F(NameCheckTest, ResourceManagerIsUniquePerResource) {
    Execute(QStringLiteral("INSERT INTO ResourceManagers (ResourceId, Username) VALUES (7, \"JSmith\")"));
    OpenTable(QStringLiteral("ResourceManagers"), &TSQLData::ResourceManagerBeforePost);
    table.Append();
    table.FieldByName(QStringLiteral("ResourceId")).SetAsInteger(7);
    table.FieldByName(QStringLiteral("Username")).SetAsString(QStringLiteral("jsmith"));
    EXPECT_EQ(PostError(), QStringLiteral("The username \"jsmith\" already exists."));
    table.FieldByName(QStringLiteral("Username")).SetAsString(QString());
    EXPECT_EQ(PostError(), QStringLiteral("You must enter a username."));
    table.FieldByName(QStringLiteral("Username")).SetAsString(QStringLiteral("jsmith"));
    table.FieldByName(QStringLiteral("ResourceId")).SetAsInteger(-1);
    EXPECT_EQ(PostError(), QString()) << "the same user for every resource";
}

}  // namespace
}  // namespace data_test
