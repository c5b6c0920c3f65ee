// The per-field lists: picture masks, control types, selected fields and lookup entries.
#include "FieldListFixture.h"
#include "controls/edit/WwFieldLists.h"
#include "platform/rtl/Exceptions.h"
#include "platform/ui/Edits.h"
#include "platform/ui/Form.h"

#include <gtest/gtest.h>

using controls_test::ListDataSet;

TEST(PictureMasks, ReadsTheFieldsLineInAnyCase) {
    ListDataSet dataSet;
    dataSet.PictureMasks.SetStrings({"Other\t#\tT\tT", "Qty\t###\tF\tT"});
    QString mask = "x";
    bool autoFill = false, flag = false;
    GetFieldPictureMask(&dataSet, "QTY", mask, autoFill, flag);
    EXPECT_EQ(mask, "###");
    EXPECT_FALSE(autoFill);
    EXPECT_TRUE(flag);

    GetFieldPictureMask(&dataSet, "Price", mask, autoFill, flag);
    EXPECT_EQ(mask, "");
    EXPECT_TRUE(autoFill);
    EXPECT_TRUE(flag);

    QObject noList;
    GetFieldPictureMask(&noList, "Qty", mask, autoFill, flag);
    EXPECT_EQ(mask, "");
}

TEST(PictureMasks, WritingAddsReplacesAndDeletesLines) {
    ListDataSet dataSet;
    SetFieldPictureMask(&dataSet, "Qty", "", true, true, true, true, true);
    EXPECT_EQ(dataSet.PictureMasks.Count(), 0);
    SetFieldPictureMask(&dataSet, "Qty", "###", false, true, false, false, false);
    EXPECT_EQ(dataSet.PictureMasks.ToStringList(), QStringList{"Qty\t###\tF\tT"});
    // Switches off keep the line's values.
    SetFieldPictureMask(&dataSet, "qty", "*#", true, false, true, false, true);
    EXPECT_EQ(dataSet.PictureMasks.ToStringList(), QStringList{"qty\t*#\tF\tF"});
    SetFieldPictureMask(&dataSet, "QTY", "", true, true, true, false, false);
    EXPECT_EQ(dataSet.PictureMasks.Count(), 0);
}

TEST(ControlType, TheLastLineForTheFieldWinsAndNamesCompareExactly) {
    ListDataSet dataSet;
    dataSet.ControlType.SetStrings({"Price;CheckBox;Y;N", "Price;CustomEdit;PriceEdit", "Note;RichEdit"});
    QString kind, params;
    GetFieldControlType(&dataSet, "Price", kind, params);
    EXPECT_EQ(kind, "CustomEdit");
    EXPECT_EQ(params, "PriceEdit");
    GetFieldControlType(&dataSet, "price", kind, params);
    EXPECT_EQ(kind, "");
    GetFieldControlType(&dataSet, "Note", kind, params);
    EXPECT_EQ(kind, "RichEdit");
    EXPECT_EQ(params, "");
    EXPECT_TRUE(IsEditControlKind("lookupcombo"));
    EXPECT_FALSE(IsEditControlKind("CheckBox"));
}

TEST(ControlType, FindsTheEditControlOnTheOwnerForm) {
    ListDataSet dataSet({"Price"});
    dataSet.ControlType.SetStrings({"Price;CustomEdit;PriceEdit"});
    TForm form;
    TEdit edit(&form);
    edit.SetName("PriceEdit");
    QObject grid;
    TControl* control = nullptr;
    ASSERT_TRUE(FindFieldEditControl(&grid, form, *dataSet.FindField("Price"), control));
    EXPECT_EQ(control, &edit);

    dataSet.ControlType.SetStrings({"Price;CheckBox;PriceEdit"});
    EXPECT_FALSE(FindFieldEditControl(&grid, form, *dataSet.FindField("Price"), control));
}

TEST(ControlType, MarksRichTextFields) {
    ListDataSet dataSet({"Title"});
    auto& note = dataSet.AddField<TMemoField>("Note");
    EXPECT_FALSE(IsRichTextField(note, false));
    dataSet.ControlType.SetStrings({"Note;RichEdit"});
    EXPECT_TRUE(IsRichTextField(note, false));
    dataSet.ControlType.SetStrings({"Title;RichEdit"});
    EXPECT_FALSE(IsRichTextField(*dataSet.FindField("Title"), false));
}

TEST(Selected, ListsVisibleFieldsAndAppliesTheList) {
    ListDataSet dataSet({"A", "B", "C"});
    dataSet.FindField("C")->SetVisible(false);
    dataSet.FindField("B")->SetDisplayLabel("Bee");
    TStringList list;
    FieldsToSelectedList(dataSet, list);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list[1], QString("B\t%1\tBee").arg(dataSet.FindField("B")->DisplayWidth()));

    list.SetStrings({"b\t7\tSecond", "A\t5\tFirst"});
    ApplySelectedToFields(dataSet, &list);
    EXPECT_EQ(dataSet.FindField("B")->Index(), 0);
    EXPECT_EQ(dataSet.FindField("A")->Index(), 1);
    EXPECT_EQ(dataSet.FindField("B")->DisplayWidth(), 7);
    EXPECT_EQ(dataSet.FindField("A")->DisplayLabel(), "First");
    EXPECT_FALSE(dataSet.FindField("C")->Visible());

    list.SetStrings({"Missing\t1\tX", "C\t3\tThird"});
    ApplySelectedToFields(dataSet, &list);
    EXPECT_EQ(dataSet.FindField("C")->Index(), 1);
    EXPECT_TRUE(dataSet.FindField("C")->Visible());
    EXPECT_FALSE(dataSet.FindField("A")->Visible());

    list.SetStrings({"A\twide\tX"});
    EXPECT_THROW(ApplySelectedToFields(dataSet, &list), EConvertError);
    ApplySelectedToFields(dataSet, nullptr);
    EXPECT_FALSE(dataSet.FindField("C")->Visible());

    int index = -1;
    list.SetStrings({"Name\t5", "price\t3"});
    EXPECT_TRUE(FindSelectedLine(list, "PRICE", index));
    EXPECT_EQ(index, 1);
    EXPECT_FALSE(FindSelectedLine(list, "Pri", index));
}

TEST(LookupEntries, StaleLinesGoAndLinesAreFoundByField) {
    ListDataSet dataSet({"Client", "Room"});
    dataSet.LookupFields.SetStrings({"Gone;db;Old.db;Name;IX", "Client;db;Clients.db;FullName;ByName"});
    dataSet.LookupLinks.SetStrings({"GoneId;Id", "ClientId;Id"});
    dataSet.ControlType.SetStrings({"Room;Combo;RoomBox", "Gone;CheckBox"});
    RemoveStaleFieldEntries(dataSet, &dataSet.LookupFields, &dataSet.LookupLinks, &dataSet.ControlType);
    EXPECT_EQ(dataSet.LookupFields.ToStringList(), QStringList{"Client;db;Clients.db;FullName;ByName"});
    EXPECT_EQ(dataSet.LookupLinks.ToStringList(), QStringList{"ClientId;Id"});
    EXPECT_EQ(dataSet.ControlType.ToStringList(), QStringList{"Room;Combo;RoomBox"});

    EXPECT_EQ(GetLookupLinksForField(&dataSet, "Client"), "ClientId;Id");
    EXPECT_EQ(GetLookupResultFieldName(&dataSet, "Client"), "FullName");
    EXPECT_EQ(GetLookupResultFieldName(&dataSet, "client"), "");
}

TEST(ListSources, TheDataSetsListWinsWhenTheControlAllowsIt) {
    ListDataSet dataSet;
    QObject control;
    EXPECT_EQ(PictureMaskSource(&control, &dataSet).object(), &dataSet);
    control.setProperty("PictureMaskFromDataSet", false);
    EXPECT_EQ(PictureMaskSource(&control, &dataSet).object(), &control);
    EXPECT_EQ(ControlTypeSource(&control, &dataSet).object(), &dataSet);
    EXPECT_EQ(ControlTypeSource(&control, nullptr).object(), &control);
}
