// Data sources and data links: notification order, the link window and ActiveRecord.
#include "MemoryDataSet.h"

#include "platform/db/DataLink.h"
#include "platform/db/DataSource.h"
#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

namespace {

using db_test::MemoryDataSet;

class RecordingLink : public TDataLink {
public:
    QStringList log;

protected:
    void ActiveChanged() override { log << QStringLiteral("active:%1").arg(Active()); }
    void EditingChanged() override { log << QStringLiteral("editing:%1").arg(Editing()); }
    void DataSetChanged() override { log << QStringLiteral("changed"); }
    void DataSetScrolled(int distance) override { log << QStringLiteral("scrolled:%1").arg(distance); }
    void LayoutChanged() override { log << QStringLiteral("layout"); }
    void RecordChanged(TField* field) override {
        log << QStringLiteral("record:%1").arg(field ? field->FieldName() : QStringLiteral("-"));
    }
    void UpdateData() override { log << QStringLiteral("update"); }
    void CheckBrowseMode() override { log << QStringLiteral("check"); }
};

class DataLinkTest : public ::testing::Test {
protected:
    MemoryDataSet ds;
    TDataSource source;
    RecordingLink link;

    void SetUp() override {
        source.SetDataSet(&ds);
        link.SetDataSource(&source);
    }
};

TEST_F(DataLinkTest, EditPostCancelAndScrollReachTheLinkInOrder) {
    ds.Open();
    EXPECT_EQ(link.log, QStringList({"active:1"}));

    link.log.clear();
    ds.Edit();
    EXPECT_EQ(link.log, QStringList({"check", "editing:1", "record:-"}));

    link.log.clear();
    ds.FieldByName("Name").SetAsString("x");
    EXPECT_EQ(link.log, QStringList({"record:Name"}));

    link.log.clear();
    ds.Post();
    EXPECT_EQ(link.log, QStringList({"update", "check", "editing:0", "changed"}));

    link.log.clear();
    ds.Edit();
    ds.Cancel();
    EXPECT_EQ(link.log, QStringList({"check", "editing:1", "record:-", "check", "editing:0", "changed"}));

    link.log.clear();
    ds.Next();
    EXPECT_EQ(link.log, QStringList({"check", "scrolled:1"}));

    link.log.clear();
    ds.FieldByName("Name").SetDisplayLabel("Label");
    ds.Close();
    EXPECT_EQ(link.log, QStringList({"layout", "active:0"}));
}

TEST_F(DataLinkTest, TheLinkWindowScrollsByTheDistanceItMoved) {
    link.SetBufferCount(3);
    ds.Open();
    EXPECT_EQ(link.RecordCount(), 3);
    link.log.clear();
    ds.Next();
    ds.Next();
    ds.Next();
    EXPECT_EQ(link.log, QStringList({"check", "scrolled:0", "check", "scrolled:0", "check", "scrolled:1"}));
    EXPECT_EQ(link.ActiveRecord(), 2);
    EXPECT_EQ(link.FirstRecord(), 1);
    ds.Last();
    EXPECT_EQ(link.FirstRecord(), 2);
    ds.First();
    EXPECT_EQ(link.FirstRecord(), 0);
}

TEST_F(DataLinkTest, ActiveRecordShowsABufferedRowWithoutMovingTheCursor) {
    link.SetBufferCount(4);
    ds.Open();
    ds.Next();
    QStringList shown;
    const int saved = link.ActiveRecord();
    for (int i = 0; i < link.RecordCount(); ++i) {
        link.SetActiveRecord(i);
        shown << ds.FieldByName("Name").AsString();
    }
    link.SetActiveRecord(saved);
    EXPECT_EQ(shown, QStringList({"Alpha", "beta", "Gamma", "delta"}));
    EXPECT_EQ(ds.RecNo(), 2);
    EXPECT_EQ(ds.FieldByName("Name").AsString(), "beta");

    // The row being edited shows its pending values.
    ds.Edit();
    ds.FieldByName("Name").SetAsString("pending");
    link.SetActiveRecord(0);
    EXPECT_EQ(ds.FieldByName("Name").AsString(), "Alpha");
    link.SetActiveRecord(1);
    EXPECT_EQ(ds.FieldByName("Name").AsString(), "pending");
}

TEST_F(DataLinkTest, TheRecordBeingInsertedIsPartOfTheWindow) {
    link.SetBufferCount(10);
    ds.Open();
    ds.Next();
    ds.Insert();
    EXPECT_EQ(link.RecordCount(), 6);
    EXPECT_EQ(link.ActiveRecord(), 1);
    link.SetActiveRecord(2);
    EXPECT_EQ(ds.FieldByName("Name").AsString(), "beta");
    link.SetActiveRecord(1);
    EXPECT_TRUE(ds.FieldByName("Name").IsNull());
}

TEST_F(DataLinkTest, DisabledControlsHearNothingUntilEnabled) {
    ds.Open();
    link.log.clear();
    ds.DisableControls();
    ds.DisableControls();
    ds.Edit();
    ds.FieldByName("Name").SetAsString("quiet");
    ds.Post();
    ds.Next();
    ds.EnableControls();
    EXPECT_TRUE(ds.ControlsDisabled());
    EXPECT_TRUE(link.log.isEmpty());
    ds.EnableControls();
    EXPECT_FALSE(ds.ControlsDisabled());
    EXPECT_EQ(link.log, QStringList({"changed"}));
}

TEST_F(DataLinkTest, FieldLinkEditsOnlyWhenTheSourceAllowsAndWritesOnUpdate) {
    TFieldDataLink fieldLink;
    QStringList log;
    QString controlText;
    fieldLink.OnDataChange = [&] { log << "data:" + (fieldLink.Field() ? fieldLink.Field()->AsString() : QString()); };
    fieldLink.OnEditingChange = [&] { log << QStringLiteral("editing:%1").arg(fieldLink.Editing()); };
    fieldLink.OnUpdateData = [&] {
        log << "write";
        fieldLink.Field()->SetAsString(controlText);
    };
    fieldLink.SetDataSource(&source);
    fieldLink.SetFieldName("Name");
    ds.Open();
    EXPECT_EQ(log.last(), "data:Alpha");

    source.AutoEdit = false;
    EXPECT_FALSE(fieldLink.Edit());
    source.AutoEdit = true;
    log.clear();
    EXPECT_TRUE(fieldLink.Edit());
    controlText = "Typed";
    fieldLink.Modified();
    ds.Post();
    EXPECT_EQ(log, QStringList({"editing:1", "data:Alpha", "write", "editing:0", "data:Typed"}));
    EXPECT_FALSE(fieldLink.IsModified());

    fieldLink.SetReadOnly(true);
    EXPECT_FALSE(fieldLink.Edit());
    EXPECT_EQ(ds.State(), dsBrowse);
}

TEST_F(DataLinkTest, DataSourceReportsStateAndDataChanges) {
    QStringList log;
    source.OnStateChange = [&](TDataSource& s) { log << QStringLiteral("state:%1").arg(s.State()); };
    source.OnDataChange = [&](TDataSource&, TField* f) { log << "data:" + (f ? f->FieldName() : QString("-")); };
    source.OnUpdateData = [&](TDataSource&) { log << "update"; };
    ds.Open();
    ds.Edit();
    ds.FieldByName("Amount").SetAsFloat(2);
    ds.Post();
    EXPECT_EQ(log,
              QStringList({"state:1", "data:-", "state:2", "data:-", "data:Amount", "update", "state:1", "data:-"}));
    log.clear();
    source.SetEnabled(false);
    ds.Next();
    EXPECT_EQ(log, QStringList({"state:0"}));
}

TEST_F(DataLinkTest, FocusControlGoesToTheLinkOfTheField) {
    TFieldDataLink nameLink, amountLink;
    int nameFocused = 0, amountFocused = 0;
    nameLink.OnFocusRequest = [&] { return ++nameFocused, true; };
    amountLink.OnFocusRequest = [&] { return ++amountFocused, true; };
    nameLink.SetDataSource(&source);
    amountLink.SetDataSource(&source);
    nameLink.SetFieldName("Name");
    amountLink.SetFieldName("Amount");
    ds.Open();
    ds.FieldByName("Name").SetRequired(true);
    ds.Append();
    EXPECT_THROW(ds.Post(), EDatabaseError);
    EXPECT_EQ(nameFocused, 1);
    EXPECT_EQ(amountFocused, 0);
}

}  // namespace
