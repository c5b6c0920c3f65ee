// The Settings table read and written by name.
#include "data/support/SchemaFixtures.h"

#include "data/module/ConnectionStrings.h"
#include "data/module/DataModule.h"
#include "data/module/DatabaseSettings.h"
#include "platform/db/ADOConnection.h"

#include <gtest/gtest.h>

using namespace data_test;

namespace {

class DatabaseSettings : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(TData().CreateDatabase(DbPath(), false));
        connection.ConnectionString = data::NormalConnectionString(DbPath(), {});
        connection.Open();
        settings.SetConnection(&connection);
    }

    QStringList StoredRows() {
        return RowTexts(connection.Engine(), "select SettingName, SettingValue from Settings order by SettingName");
    }

    TADOConnection connection;
    TDatabaseSettings settings;
};

}  // namespace

TEST_F(DatabaseSettings, ANewDatabaseGetsItsTableOnTheFirstSaveWithOnlyTheChangedNames) {
    settings.Load();
    EXPECT_EQ(settings.Values.ToStringList(), QStringList{"AllowUserSQLQueries=True"});
    EXPECT_FALSE(settings.TableExists);
    settings.SetValue("TitleSetting", "Filename");
    settings.Save();
    EXPECT_TRUE(settings.TableExists);
    EXPECT_EQ(StoredRows(), QStringList{"TitleSetting|Filename"});

    TDatabaseSettings other;
    other.SetConnection(&connection);
    other.Load();
    EXPECT_EQ(other.Values.ToStringList(), QStringList({"TitleSetting=Filename", "AllowUserSQLQueries=True"}));
}

TEST_F(DatabaseSettings, ASettingChangedAndChangedBackIsSavedEachTime) {
    settings.Load();
    settings.SetBool("AllowUserSQLQueries", false);
    settings.Save();
    EXPECT_EQ(StoredRows(), QStringList{"AllowUserSQLQueries|False"});
    settings.SetBool("AllowUserSQLQueries", true);
    settings.Save();
    EXPECT_EQ(StoredRows(), QStringList{"AllowUserSQLQueries|True"});
    // A change of letter case alone is not written.
    settings.SetValue("AllowUserSQLQueries", "TRUE");
    settings.Save();
    EXPECT_EQ(StoredRows(), QStringList{"AllowUserSQLQueries|True"});
    EXPECT_TRUE(settings.GetBool("AllowUserSQLQueries"));
    EXPECT_FALSE(settings.GetBool("Treat1159AsMidnight"));
}

TEST_F(DatabaseSettings, NamesAndValuesReachTheTableAsTheyAre) {
    settings.Load();
    settings.SetValue("It's", "a \"quoted\"; value");
    settings.Save();
    EXPECT_EQ(StoredRows(), QStringList{"It's|a \"quoted\"; value"});
}

TEST_F(DatabaseSettings, WithoutAnOpenConnectionNothingIsReadOrWritten) {
    settings.Load();
    settings.SetValue("TitleSetting", "Filename");
    connection.Close();
    settings.Save();
    settings.Load();
    EXPECT_EQ(settings.Values.Count(), 0);
    settings.Clear();
    EXPECT_EQ(settings.Connection, nullptr);
    connection.Open();
    EXPECT_FALSE(settings.CheckTableExists());
}

TEST_F(DatabaseSettings, TwoInstancesFirstSavingANewDatabaseBothSucceed) {
    // Both look before either writes: both find the table missing and the name unstored.
    TADOConnection otherConnection;
    otherConnection.ConnectionString = data::NormalConnectionString(DbPath(), {});
    otherConnection.Open();
    TDatabaseSettings other;
    other.SetConnection(&otherConnection);
    settings.Load();
    other.Load();
    settings.SetValue("TitleSetting", "Filename");
    other.SetValue("TitleSetting", "UserSpecified");
    settings.Save();
    other.Save();
    EXPECT_EQ(StoredRows(), QStringList{"TitleSetting|UserSpecified"});
}
