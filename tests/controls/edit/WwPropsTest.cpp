// Published properties by name: present, missing, typed and untyped.
#include "controls/edit/WwProps.h"
#include "platform/db/DataSource.h"
#include "platform/rtl/StringList.h"
#include "platform/ui/Control.h"
#include "platform/ui/Edits.h"

#include <gtest/gtest.h>

TEST(PropertiesByName, AMissingPropertyGivesItsDefault) {
    QObject bare;
    EXPECT_EQ(GetPictureMasksProp(&bare), nullptr);
    EXPECT_EQ(GetPictureMasksProp(nullptr), nullptr);
    EXPECT_TRUE(GetControlInfoInDataSetProp(&bare));
    EXPECT_TRUE(GetPictureMaskFromDataSetProp(&bare));
    EXPECT_FALSE(GetTransparentProp(&bare));
    EXPECT_FALSE(GetBorderStyleProp(&bare));
    EXPECT_EQ(GetCursorLocationProp(&bare), 0);
    EXPECT_EQ(GetDatabaseNameProp(&bare), "");
    EXPECT_FALSE(SetDatabaseNameProp(&bare, "x"));
    EXPECT_FALSE(SetCursorLocationProp(&bare, 1));
    EXPECT_FALSE(bare.property("DatabaseName").isValid());
}

TEST(PropertiesByName, ReadsAndWritesPresentProperties) {
    QObject component;
    TStringList masks;
    TDataSource source;
    component.setProperty("PictureMasks", QVariant::fromValue<TStrings*>(&masks));
    component.setProperty("DatabaseName", QString("Main"));
    component.setProperty("CursorLocation", 1);
    component.setProperty("Transparent", false);
    component.setProperty("AlwaysTransparent", true);
    component.setProperty("DataSource", QVariant::fromValue<TDataSource*>(nullptr));
    EXPECT_EQ(GetPictureMasksProp(&component), &masks);
    EXPECT_EQ(GetDatabaseNameProp(&component), "Main");
    EXPECT_TRUE(SetDatabaseNameProp(&component, "Other"));
    EXPECT_EQ(GetDatabaseNameProp(&component), "Other");
    EXPECT_TRUE(SetCursorLocationProp(&component, 2));
    EXPECT_EQ(GetCursorLocationProp(&component), 2);
    EXPECT_TRUE(GetTransparentProp(&component));
    // A data source goes only to windowed controls.
    EXPECT_FALSE(SetDataSourceProp(&component, &source));

    TEdit edit(nullptr);
    edit.setProperty("DataSource", QVariant::fromValue<TDataSource*>(nullptr));
    edit.setProperty("DataField", QString());
    TControl* control = &edit;
    EXPECT_TRUE(SetDataSourceProp(control, &source));
    EXPECT_EQ(GetDataSourceProp(control), &source);
    EXPECT_TRUE(SetDataFieldProp(&edit, "Name"));
    EXPECT_EQ(GetDataFieldProp(&edit), "Name");
}

TEST(PropertiesByName, TypedSettersRefuseAnotherKind) {
    QObject component;
    component.setProperty("DatabaseName", 5);
    EXPECT_FALSE(SetDatabaseNameProp(&component, "Main"));
    EXPECT_EQ(component.property("DatabaseName").toInt(), 5);
    component.setProperty("MaxRecords", QString("many"));
    EXPECT_FALSE(SetMaxRecordsProp(&component, 10));
}

TEST(PropertiesByName, StringsGoIntoListsOrJoinedIntoText) {
    TStringList lines;
    lines.SetStrings({"a", "b"});
    QObject component;
    TStringList target;
    component.setProperty("Lines", QVariant::fromValue<TStrings*>(&target));
    component.setProperty("Text", QString());
    EXPECT_TRUE(SetStringsPropByName(&component, "Lines", lines));
    EXPECT_EQ(target.ToStringList(), QStringList({"a", "b"}));
    EXPECT_FALSE(SetStringsPropByName(&component, "Text", lines));
    EXPECT_EQ(component.property("Text").toString(), "a\r\nb");
    EXPECT_FALSE(SetStringsPropByName(&component, "Missing", lines));
}
