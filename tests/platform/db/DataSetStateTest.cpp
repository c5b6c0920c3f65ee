// The dataset's state machine and event order over in-memory rows.
#include "MemoryDataSet.h"

#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

namespace {

using db_test::MemoryDataSet;

class DataSetStateTest : public ::testing::Test {
protected:
    MemoryDataSet ds;
    QStringList log;

    void Record(TDataSet::TDataSetNotifyEvent& event, const char* name) {
        event = [this, name](TDataSet& d) { log << QString::fromLatin1(name) + u':' + QString::number(d.State()); };
    }

    void RecordAll() {
        Record(ds.BeforeOpen, "BeforeOpen");
        Record(ds.AfterOpen, "AfterOpen");
        Record(ds.BeforeInsert, "BeforeInsert");
        Record(ds.AfterInsert, "AfterInsert");
        Record(ds.OnNewRecord, "OnNewRecord");
        Record(ds.BeforeEdit, "BeforeEdit");
        Record(ds.AfterEdit, "AfterEdit");
        Record(ds.BeforePost, "BeforePost");
        Record(ds.AfterPost, "AfterPost");
        Record(ds.BeforeCancel, "BeforeCancel");
        Record(ds.AfterCancel, "AfterCancel");
        Record(ds.BeforeDelete, "BeforeDelete");
        Record(ds.AfterDelete, "AfterDelete");
        Record(ds.BeforeScroll, "BeforeScroll");
        Record(ds.AfterScroll, "AfterScroll");
    }
};

TEST_F(DataSetStateTest, EventsOfEachOperationComeInTheFrameworkOrderWithTheStates) {
    RecordAll();
    ds.Open();
    EXPECT_EQ(log, QStringList({"BeforeOpen:0", "AfterOpen:1", "AfterScroll:1"}));

    log.clear();
    ds.Edit();
    ds.FieldByName("Name").SetAsString("Changed");
    ds.Post();
    EXPECT_EQ(log, QStringList({"BeforeEdit:1", "AfterEdit:2", "BeforePost:2", "AfterPost:1"}));

    log.clear();
    ds.Insert();
    ds.Cancel();
    EXPECT_EQ(log, QStringList({"BeforeInsert:1", "BeforeScroll:1", "OnNewRecord:3", "AfterInsert:3", "AfterScroll:3",
                                "BeforeCancel:3", "AfterCancel:1"}));

    log.clear();
    ds.Next();
    ds.Delete();
    EXPECT_EQ(log, QStringList({"BeforeScroll:1", "AfterScroll:1", "BeforeDelete:1", "BeforeScroll:1", "AfterDelete:1",
                                "AfterScroll:1"}));
    EXPECT_EQ(ds.RecordCount(), 4);
    EXPECT_EQ(ds.FieldByName("Name").AsString(), "Gamma");
}

TEST_F(DataSetStateTest, OnNewRecordRunsBeforeTheCallersAssignmentsAndLeavesTheRecordUnmodified) {
    ds.Open();
    ds.OnNewRecord = [](TDataSet& d) {
        d.FieldByName("Name").SetAsString("Default");
        d.FieldByName("Amount").SetAsFloat(7);
    };
    ds.Append();
    EXPECT_FALSE(ds.Modified());
    EXPECT_EQ(ds.FieldByName("Name").AsString(), "Default");
    ds.FieldByName("Name").SetAsString("Mine");
    EXPECT_TRUE(ds.Modified());
    ds.Post();
    ds.Last();
    EXPECT_EQ(ds.FieldByName("Name").AsString(), "Mine");
    EXPECT_EQ(ds.FieldByName("Amount").AsFloat(), 7);
    EXPECT_EQ(ds.FieldByName("Id").AsInteger(), 6);
    EXPECT_EQ(ds.RecordCount(), 6);
}

TEST_F(DataSetStateTest, ARaisingBeforeHandlerCancelsTheOperationAndKeepsTheState) {
    ds.Open();
    ds.Edit();
    ds.FieldByName("Name").SetAsString("Pending");
    ds.BeforePost = [](TDataSet&) { DatabaseError("You must enter a name for the resource."); };
    EXPECT_THROW(ds.Post(), EDatabaseError);
    EXPECT_EQ(ds.State(), dsEdit);
    EXPECT_EQ(ds.FieldByName("Name").AsString(), "Pending");
    EXPECT_EQ(ds.FieldByName("Name").OldValue().toString(), "Alpha");
    ds.BeforePost = nullptr;
    ds.Post();
    EXPECT_EQ(ds.State(), dsBrowse);

    // Abort is EAbort: the operation stops and nothing else happens.
    ds.BeforeDelete = [](TDataSet&) { Abort(); };
    EXPECT_THROW(ds.Delete(), EAbort);
    EXPECT_EQ(ds.RecordCount(), 5);
    ds.BeforeInsert = [](TDataSet&) { Abort(); };
    EXPECT_THROW(ds.Insert(), EAbort);
    EXPECT_EQ(ds.State(), dsBrowse);
}

TEST_F(DataSetStateTest, AFailedWriteKeepsTheEditSoThatItCanBeRetried) {
    ds.Open();
    ds.Edit();
    ds.FieldByName("Amount").SetAsFloat(99);
    ds.cursor->failNextUpdate = true;
    EXPECT_THROW(ds.Post(), EDatabaseError);
    EXPECT_EQ(ds.State(), dsEdit);
    ds.Post();
    EXPECT_EQ(ds.FieldByName("Amount").AsFloat(), 99);
}

TEST_F(DataSetStateTest, NavigationReportsDistanceAndEnds) {
    ds.Open();
    EXPECT_TRUE(ds.Bof());
    EXPECT_FALSE(ds.Eof());
    EXPECT_EQ(ds.MoveBy(3), 3);
    EXPECT_EQ(ds.RecNo(), 4);
    EXPECT_EQ(ds.MoveBy(10), 1);
    EXPECT_TRUE(ds.Eof());
    EXPECT_EQ(ds.MoveBy(-10), -4);
    EXPECT_TRUE(ds.Bof());
    int visited = 0;
    for (ds.First(); !ds.Eof(); ds.Next()) ++visited;
    EXPECT_EQ(visited, 5);
    ds.SetRecNo(2);
    EXPECT_EQ(ds.FieldByName("Name").AsString(), "beta");
}

TEST_F(DataSetStateTest, MovingPostsAModifiedRecordAndCancelsAnUntouchedInsert) {
    ds.Open();
    ds.Edit();
    ds.FieldByName("Name").SetAsString("Moved");
    ds.Next();
    EXPECT_EQ(ds.State(), dsBrowse);
    ds.First();
    EXPECT_EQ(ds.FieldByName("Name").AsString(), "Moved");
    ds.Insert();
    ds.Next();
    EXPECT_EQ(ds.RecordCount(), 5);
}

TEST_F(DataSetStateTest, InsertPlacesTheRecordBeforeTheCurrentOne) {
    ds.Open();
    ds.Next();
    ds.Insert();
    ds.FieldByName("Name").SetAsString("Between");
    ds.Post();
    EXPECT_EQ(ds.RecNo(), 2);
    ds.Next();
    EXPECT_EQ(ds.FieldByName("Name").AsString(), "beta");
}

TEST_F(DataSetStateTest, ReadOnlyDataSetsAndFieldsRefuseWrites) {
    ds.cursor->readOnly = true;
    ds.Open();
    EXPECT_FALSE(ds.CanModify());
    try {
        ds.Edit();
        FAIL();
    } catch (const EDatabaseError& e) {
        EXPECT_EQ(e.Message(), "Cannot modify a read-only dataset");
    }
    EXPECT_THROW(ds.FieldByName("Name").SetAsString("x"), EDatabaseError);
}

TEST_F(DataSetStateTest, RequiredFieldsMustHaveAValue) {
    ds.Open();
    ds.FieldByName("Name").SetRequired(true);
    ds.Append();
    ds.FieldByName("Amount").SetAsFloat(1);
    try {
        ds.Post();
        FAIL();
    } catch (const EDatabaseError& e) {
        EXPECT_EQ(e.Message(), "Field 'Name' must have a value");
    }
    EXPECT_EQ(ds.State(), dsInsert);
}

TEST_F(DataSetStateTest, LocateMatchesWholeOrPartialKeysWithOrWithoutCase) {
    ds.Open();
    EXPECT_FALSE(ds.Locate("Name", "gamma"));
    EXPECT_EQ(ds.RecNo(), 1);
    EXPECT_TRUE(ds.Locate("Name", "gamma", {loCaseInsensitive}));
    EXPECT_EQ(ds.RecNo(), 3);
    EXPECT_TRUE(ds.Locate("Name", "DEL", {loCaseInsensitive, loPartialKey}));
    EXPECT_EQ(ds.RecNo(), 4);
    EXPECT_FALSE(ds.Locate("Name", "DEL", {loPartialKey}));
    EXPECT_TRUE(ds.Locate("Name;Flag", QVariantList{"Epsilon", true}));
    EXPECT_EQ(ds.RecNo(), 5);
    EXPECT_TRUE(ds.Locate("Amount", "3"));
    EXPECT_EQ(ds.RecNo(), 2);
    EXPECT_EQ(ds.Lookup("Id", 3, "Name").toString(), "Gamma");
    EXPECT_EQ(ds.RecNo(), 2);
}

TEST_F(DataSetStateTest, BookmarksReturnToTheirRecordAndCompareByOrder) {
    ds.Open();
    ds.MoveBy(1);
    const TBookmark second = ds.GetBookmark();
    ds.Last();
    const TBookmark last = ds.GetBookmark();
    ds.GotoBookmark(second);
    EXPECT_EQ(ds.FieldByName("Name").AsString(), "beta");
    EXPECT_EQ(ds.CompareBookmarks(second, last), -1);
    EXPECT_EQ(ds.CompareBookmarks(last, second), 1);
    EXPECT_EQ(ds.CompareBookmarks(second, ds.GetBookmark()), 0);
    ds.Delete();
    EXPECT_FALSE(ds.BookmarkValid(second));
    EXPECT_TRUE(ds.BookmarkValid(last));
    EXPECT_THROW(ds.GotoBookmark(second), EDatabaseError);
}

TEST_F(DataSetStateTest, FiltersHideRowsByExpressionAndHandler) {
    ds.Open();
    ds.SetFilter("Amount > 2 and Flag = True or Name = 'beta'");
    ds.SetFiltered(true);
    QStringList names;
    for (ds.First(); !ds.Eof(); ds.Next()) names << ds.FieldByName("Name").AsString();
    EXPECT_EQ(names, QStringList({"beta", "Gamma", "Epsilon"}));
    EXPECT_EQ(ds.RecordCount(), 3);

    ds.SetFilter("");
    ds.OnFilterRecord = [](TDataSet& d, bool& accept) { accept = d.FieldByName("Name").AsString().startsWith('d'); };
    ds.SetFiltered(false);
    ds.SetFiltered(true);
    EXPECT_EQ(ds.RecordCount(), 1);
    EXPECT_EQ(ds.FieldByName("Name").AsString(), "delta");
    EXPECT_THROW(ds.SetFilter("Name = "), EDatabaseError);
}

TEST_F(DataSetStateTest, CalculatedAndLookupFieldsFollowTheRow) {
    MemoryDataSet lookup;
    lookup.Open();
    ds.AddField<TIntegerField>("Id");
    ds.AddField<TStringField>("Name");
    auto& doubled = ds.AddField<TFloatField>("Doubled", fkCalculated);
    auto& other = ds.AddField<TStringField>("OtherName", fkLookup);
    other.KeyFields = "Id";
    other.LookupDataSet = &lookup;
    other.LookupKeyFields = "Id";
    other.LookupResultField = "Name";
    ds.OnCalcFields = [&](TDataSet& d) {
        EXPECT_EQ(d.State(), dsCalcFields);
        doubled.SetAsFloat(d.FieldByName("Id").AsInteger() * 2);
    };
    ds.Open();
    EXPECT_FALSE(ds.DefaultFields());
    EXPECT_EQ(ds.FieldCount(), 4);
    ds.Next();
    EXPECT_EQ(doubled.AsFloat(), 4);
    EXPECT_EQ(other.AsString(), "beta");
    EXPECT_EQ(lookup.RecNo(), 1);
    EXPECT_THROW(doubled.SetAsFloat(1), EDatabaseError);
}

TEST_F(DataSetStateTest, ACloneSharesRowsAndSeesInserts) {
    ds.Open();
    MemoryDataSet clone;
    clone.Clone(ds);
    EXPECT_EQ(clone.RecordCount(), 5);
    clone.Last();
    ds.Append();
    ds.FieldByName("Name").SetAsString("Shared");
    ds.Post();
    clone.Last();
    EXPECT_EQ(clone.FieldByName("Name").AsString(), "Shared");
    EXPECT_EQ(clone.RecordCount(), 6);
}

TEST_F(DataSetStateTest, FieldIndexReordersTheList) {
    ds.Open();
    EXPECT_TRUE(ds.DefaultFields());
    TField& flag = ds.FieldByName("flag");
    flag.SetIndex(0);
    EXPECT_EQ(ds.Fields()[0], &flag);
    EXPECT_EQ(ds.FieldByName("Id").Index(), 1);
    EXPECT_THROW(ds.FieldByName("Nope"), EDatabaseError);
    EXPECT_EQ(ds.FindField("Nope"), nullptr);
}

}  // namespace
