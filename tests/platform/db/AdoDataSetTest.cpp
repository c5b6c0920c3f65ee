// The ADO-like datasets on real database files: types, writing back, counters, conflicts, master-detail.
#include "AdoFixture.h"

#include "platform/db/ADOBlobStream.h"
#include "platform/db/DataLink.h"
#include "platform/db/DataSource.h"
#include "platform/db/SqlCursor.h"
#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

namespace {

using db_test::AdoTest;

TEST_F(AdoTest, FieldTypeCodesAndSizesFollowTheJetTypes) {
    connection.Execute(
        "CREATE TABLE Types (C COUNTER, T TEXT(12), M MEMO, L LOGICAL, Y CURRENCY, F FLOAT, "
        "I INTEGER, S SMALLINT, B BYTE, D DATETIME, P LONGBINARY, R REAL)");
    TADOTable table;
    table.SetConnection(&connection);
    table.TableName = "Types";
    table.Open();
    const std::pair<const char*, TFieldType> expected[] = {
        {"C", ftAutoInc}, {"T", ftWideString}, {"M", ftMemo}, {"L", ftBoolean},  {"Y", ftBCD},  {"F", ftFloat},
        {"I", ftInteger}, {"S", ftSmallint},   {"B", ftWord}, {"D", ftDateTime}, {"P", ftBlob}, {"R", ftFloat}};
    ASSERT_EQ(table.FieldCount(), 12);
    for (const auto& [name, type] : expected) EXPECT_EQ(table.FieldByName(name).DataType(), type) << name;
    EXPECT_EQ(table.FieldByName("T").Size(), 12);
    EXPECT_TRUE(table.FieldByName("C").ReadOnly());
}

TEST_F(AdoTest, PostOfAnInsertHoldsTheNewCounterAndEditsWriteBack) {
    TADOTable table;
    table.SetConnection(&connection);
    table.TableName = "Resources";
    table.Open();
    table.Append();
    table.FieldByName("ResourceName").SetAsString("Hall");
    table.FieldByName("Active").SetAsBoolean(false);
    table.Post();
    EXPECT_EQ(table.FieldByName("ResourceId").AsInteger(), 5);
    EXPECT_FALSE(table.FieldByName("Active").AsBoolean());

    table.Edit();
    table.FieldByName("MaxBookDays").SetAsInteger(9);
    table.Post();
    EXPECT_EQ(connection.Engine().Native().QueryValue("SELECT MaxBookDays FROM Resources WHERE ResourceId = 5").toInt(),
              9);

    table.Edit();
    table.FieldByName("ResourceName").SetAsString(QString(31, 'x'));
    EXPECT_THROW(table.Post(), EDatabaseError);
    EXPECT_EQ(table.State(), dsEdit);
    table.Cancel();

    table.Delete();
    EXPECT_EQ(connection.Engine().Native().QueryValue("SELECT COUNT(*) FROM Resources").toInt(), 4);
}

TEST_F(AdoTest, ARowChangedOrDeletedByAnotherConnectionCannotBeUpdated) {
    TADOQuery query;
    OpenQuery(query, "select * from Resources order by ResourceId");
    TADOConnection other;
    other.ConnectionString = connection.ConnectionString;
    other.Execute("UPDATE Resources SET MaxBookDays = 7 WHERE ResourceId = 1");
    other.Execute("DELETE FROM Resources WHERE ResourceId = 2");

    // A column the edit does not touch may have changed: the row is still found.
    query.Edit();
    query.FieldByName("ResourceName").SetAsString("Room A1");
    query.Post();

    query.Edit();
    query.FieldByName("MaxBookDays").SetAsInteger(1);
    try {
        query.Post();
        FAIL();
    } catch (const EDatabaseError& error) {
        EXPECT_EQ(error.Message(), db::kRowNotLocated);
        EXPECT_EQ(db::kRowNotLocated,
                  "Row cannot be located for updating. Some values may have been changed since it was last read.");
    }
    EXPECT_EQ(query.State(), dsEdit);
    query.Cancel();

    query.Next();
    EXPECT_THROW(query.Delete(), EDatabaseError);
    EXPECT_EQ(query.RecordCount(), 4);
    query.Requery();
    EXPECT_EQ(query.RecordCount(), 3);
}

TEST_F(AdoTest, JoinsAndReadOnlyLocksRefuseEdits) {
    connection.Execute("CREATE TABLE Bookings (BookingId INTEGER, ResourceId INTEGER, Client TEXT(20))");
    connection.Execute("INSERT INTO Bookings VALUES (1, 1, 'Ann')");
    TADOQuery join;
    OpenQuery(join, "select * from Bookings, Resources where Bookings.ResourceId = Resources.ResourceId");
    EXPECT_NE(join.FindField("Bookings.ResourceId"), nullptr);
    EXPECT_NE(join.FindField("resources.resourceid"), nullptr);
    EXPECT_FALSE(join.CanModify());
    EXPECT_THROW(join.Edit(), EDatabaseError);

    TADOQuery locked;
    locked.LockType = ltReadOnly;
    OpenQuery(locked, "select * from Resources");
    try {
        locked.Edit();
        FAIL();
    } catch (const EDatabaseError& error) {
        EXPECT_EQ(error.Message(), "Cannot modify a read-only dataset");
    }
}

TEST_F(AdoTest, DetailParametersFollowTheMastersCurrentRow) {
    connection.Execute("CREATE TABLE Bookings (BookingId INTEGER, ResourceId INTEGER, Client TEXT(20))");
    connection.Execute("INSERT INTO Bookings VALUES (1, 1, 'Ann')");
    connection.Execute("INSERT INTO Bookings VALUES (2, 2, 'Bob')");
    connection.Execute("INSERT INTO Bookings VALUES (3, 2, 'Cy')");
    TADOQuery master;
    OpenQuery(master, "select * from Resources order by ResourceId");
    TDataSource masterSource;
    masterSource.SetDataSet(&master);
    TADOQuery detail;
    detail.SetDataSource(&masterSource);
    OpenQuery(detail, "select * from Bookings where ResourceId = :ResourceId order by BookingId");
    EXPECT_EQ(detail.RecordCount(), 1);
    master.Next();
    EXPECT_EQ(detail.RecordCount(), 2);
    EXPECT_EQ(detail.FieldByName("Client").AsString(), "Bob");
    master.Last();
    EXPECT_TRUE(detail.IsEmpty());
}

TEST_F(AdoTest, TablesFollowTheirIndexAndLocateAsTheEngineCompares) {
    TADOTable table;
    table.SetConnection(&connection);
    table.TableName = "Resources";
    table.IndexName = "ResourceNameIndex";
    table.Open();
    QStringList names;
    for (table.First(); !table.Eof(); table.Next()) names << table.FieldByName("ResourceName").AsString();
    EXPECT_EQ(names, QStringList({"Van", "room b", "Room A", "Projector"}));
    EXPECT_TRUE(table.Locate("ResourceName", "ROOM", {loCaseInsensitive, loPartialKey}));
    EXPECT_EQ(table.FieldByName("ResourceName").AsString(), "room b");
    EXPECT_FALSE(table.Locate("ResourceName", "van", {}));
    table.Close();
    table.IndexName.clear();
    table.IndexFieldNames = "MaxBookDays;ResourceName";
    table.Open();
    EXPECT_EQ(table.FieldByName("ResourceName").AsString(), "Projector");
}

TEST_F(AdoTest, ParametersCommandsAndTransactions) {
    TADOQuery update;
    update.SetConnection(&connection);
    update.SQL.SetText("update Resources set MaxBookDays = :Days where ResourceName like :Pattern");
    ASSERT_EQ(update.Parameters.Count(), 2);
    update.Parameters.ParamByName("Days").SetValue(5);
    update.Parameters.ParamByName("Pattern").SetValue("room%");
    EXPECT_EQ(update.ExecSQL(), 2);
    EXPECT_EQ(update.RowsAffected(), 2);

    connection.BeginTrans();
    EXPECT_TRUE(connection.InTransaction());
    TADOCommand command;
    command.Connection = &connection;
    command.SetCommandText("DELETE FROM Resources");
    EXPECT_EQ(command.Execute(), 4);
    connection.RollbackTrans();
    EXPECT_FALSE(connection.InTransaction());
    EXPECT_EQ(connection.Engine().Native().QueryValue("SELECT COUNT(*) FROM Resources").toInt(), 4);
}

TEST_F(AdoTest, SchemasAndPropertiesOfTheConnection) {
    TADOQuery tables;
    connection.OpenSchema(siTables, {}, {}, tables);
    EXPECT_TRUE(tables.Locate("TABLE_NAME", "Resources"));
    TADOQuery roster;
    connection.OpenSchema(siProviderSpecific, {}, kJetSchemaUserRoster, roster);
    EXPECT_EQ(roster.RecordCount(), 1);
    EXPECT_NE(roster.FindField("COMPUTER_NAME"), nullptr);
    const TADOProperties properties = connection.Properties();
    ASSERT_GT(properties.Count(), 0);
    EXPECT_EQ(properties.Item(properties.Name(0)), properties.Value(0));
    EXPECT_THROW(properties.Item("No such property"), EDatabaseError);
    connection.Close();
    EXPECT_FALSE(connection.Connected());
}

TEST_F(AdoTest, BlobStreamsReadAndWriteMemoFields) {
    TADOTable table;
    table.SetConnection(&connection);
    table.TableName = "Resources";
    table.Open();
    table.Edit();
    {
        TADOBlobStream stream(table.FieldByName("Description"), bmWrite);
        const QByteArray text = QStringLiteral("Seats 12 — whiteboard").toUtf8();
        stream.WriteBuffer(text.constData(), text.size());
    }
    table.Post();
    TADOBlobStream reader(table.FieldByName("Description"), bmRead);
    QByteArray bytes(static_cast<int>(reader.Size()), '\0');
    reader.ReadBuffer(bytes.data(), bytes.size());
    EXPECT_EQ(QString::fromUtf8(bytes), QStringLiteral("Seats 12 — whiteboard"));
    EXPECT_THROW(reader.Write("x", 1), EStreamError);
}

class ProtocolLink : public TDataLink {
public:
    QStringList log;

protected:
    void EditingChanged() override { log << QStringLiteral("editing:%1").arg(Editing()); }
    void RecordChanged(TField* field) override { log << "record:" + (field ? field->FieldName() : QString("-")); }
    void UpdateData() override { log << QStringLiteral("update"); }
    void DataSetScrolled(int distance) override { log << QStringLiteral("scrolled:%1").arg(distance); }
};

TEST_F(AdoTest, EventsAndLinksOnARealTable) {
    TADOTable table;
    table.SetConnection(&connection);
    table.TableName = "Resources";
    TDataSource source;
    source.SetDataSet(&table);
    ProtocolLink link;
    link.SetDataSource(&source);
    QStringList events;
    table.OnNewRecord = [&](TDataSet& d) {
        events << "new";
        d.FieldByName("ResourceName").SetAsString("Default");
    };
    table.BeforePost = [&](TDataSet& d) {
        events << "beforePost";
        if (d.FieldByName("ResourceName").AsString().trimmed().isEmpty())
            DatabaseError("You must enter a name for the resource.");
    };
    table.AfterPost = [&](TDataSet&) { events << "afterPost"; };
    table.Open();
    table.Insert();
    table.FieldByName("ResourceName").SetAsString(" ");
    EXPECT_THROW(table.Post(), EDatabaseError);
    EXPECT_EQ(table.State(), dsInsert);
    table.FieldByName("ResourceName").SetAsString("Named");
    link.log.clear();
    table.Post();
    EXPECT_EQ(events, QStringList({"new", "beforePost", "beforePost", "afterPost"}));
    EXPECT_EQ(link.log, QStringList({"update", "editing:0", "record:-"}));
    EXPECT_EQ(table.FieldByName("ResourceId").AsInteger(), 5);
    link.log.clear();
    table.Next();
    EXPECT_EQ(link.log, QStringList({"scrolled:1"}));
}

}  // namespace
