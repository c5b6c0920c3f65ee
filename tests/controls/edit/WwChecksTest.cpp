// Value checks, window routines, utilities and the layout of unfocused edit text.
#include "FieldListFixture.h"
#include "controls/edit/WwCommon.h"
#include "controls/edit/WwDrawing.h"
#include "controls/edit/WwValueChecks.h"
#include "controls/edit/WwWindows.h"
#include "platform/ui/CustomGrid.h"
#include "platform/ui/Edits.h"
#include "platform/ui/Form.h"

#include <gtest/gtest.h>

TEST(ValueChecks, TextsSuitTheirDataTypes) {
    struct Row {
        TFieldType type;
        QString text;
        bool valid;
    };
    const Row rows[] = {
        {ftInteger, "-12", true},     {ftSmallint, "1.5", false},     {ftFloat, "1.5", true},
        {ftCurrency, "1,5", false},   {ftDate, "2/3/2007", true},     {ftDate, "2/3/2007 10:00", false},
        {ftTime, "10:00 pm", true},   {ftDateTime, "2/3/2007", true}, {ftDateTime, "2/3/2007 10:00", true},
        {ftDateTime, "10:00", false}, {ftString, "anything", true},   {ftBoolean, "maybe", true},
    };
    for (const Row& row : rows)
        EXPECT_EQ(IsValidTextForDataType(row.type, row.text), row.valid) << row.text.toStdString();
}

TEST(ValueChecks, SearchTextsMayNotBeEmptyForNumbersAndDates) {
    controls_test::ListDataSet dataSet({"Name"});
    auto& count = dataSet.AddField<TIntegerField>("Count");
    EXPECT_FALSE(IsValidSearchText(nullptr, "1"));
    EXPECT_FALSE(IsValidSearchText(&count, ""));
    EXPECT_TRUE(IsValidSearchText(&count, "12"));
    EXPECT_FALSE(IsValidSearchText(&count, "x"));
    EXPECT_TRUE(IsValidSearchText(dataSet.FindField("Name"), ""));
    EXPECT_TRUE(MustScanForField(count));
    EXPECT_TRUE(DataSetHasField(&dataSet, "count"));
    EXPECT_FALSE(DataSetHasField(nullptr, "Count"));
    EXPECT_FALSE(IsComparableDataType(ftBlob));
    EXPECT_TRUE(IsNumericKeyType(ftAutoInc));
    EXPECT_FALSE(IsNumericKeyType(ftBCD));
}

TEST(ValueChecks, FieldTextsPassTheirMaskOnlyWhenComplete) {
    for (const char* mask : {"##", "[#", ""}) EXPECT_TRUE(IsTextValidForMask(mask, "")) << mask;
    EXPECT_TRUE(IsTextValidForMask("##", "12"));
    EXPECT_TRUE(IsTextValidForMask("*#", "123"));
    EXPECT_TRUE(IsTextValidForMask("&&", "ab"));
    // Incomplete is not enough, and nothing is filled in to complete it.
    EXPECT_FALSE(IsTextValidForMask("##:##", "12"));
    EXPECT_FALSE(IsTextValidForMask("##", "1a"));
    EXPECT_FALSE(IsTextValidForMask("[#", "1"));
}

TEST(ValueChecks, EditingKeys) {
    for (const Word key : std::initializer_list<Word>{VK_BACK, VK_SPACE, VK_DELETE, '0', 'Z', 0x6F, 0xBA})
        EXPECT_TRUE(IsEditingKey(key)) << key;
    for (const Word key : std::initializer_list<Word>{VK_TAB, VK_RETURN, VK_LEFT, VK_F1, 0x91})
        EXPECT_FALSE(IsEditingKey(key)) << key;
}

TEST(Utilities, NumbersListsAndLabels) {
    EXPECT_EQ(ClampInt(-3, 0, 10), 0);
    EXPECT_EQ(ClampInt(30, 0, 10), 10);
    EXPECT_EQ(ClampInt(30, 40, 10), 40);
    EXPECT_EQ(ScaleFrom96Dpi(77, 120), 96);
    TStringList lines;
    lines.SetStrings({"One", "Two"});
    EXPECT_EQ(IndexOfTextNoCase(lines, "TWO"), 1);
    EXPECT_EQ(IndexOfTextNoCase(lines, "Three"), -1);
    EXPECT_EQ(ListToPChar(lines, true), "One Two");
    EXPECT_EQ(ListToPChar(lines, false), "One\r\nTwo");

    controls_test::ListDataSet dataSet({"StartDate"});
    dataSet.FindField("StartDate")->SetDisplayLabel("Start~Date");
    EXPECT_EQ(FindFieldByDisplayLabel(dataSet, "start date"), "StartDate");
    EXPECT_EQ(FindFieldByDisplayLabel(dataSet, "Start"), "");
}

TEST(WindowRoutines, GridsThemesAndOwners) {
    TForm form;
    TEdit edit(&form);
    TCustomGrid grid(&form);
    TEdit inplace(&grid);
    EXPECT_FALSE(IsInGrid(&edit));
    EXPECT_TRUE(IsInGrid(&inplace));
    EXPECT_FALSE(IsPaintingInGrid(&inplace));
    {
        controls::PaintCopyScope painting(inplace);
        EXPECT_TRUE(IsPaintingInGrid(&inplace));
    }
    EXPECT_FALSE(InPaintCopyState(&inplace));

    EXPECT_TRUE(ThemesEnabledFor(&edit));
    form.setProperty("DisableThemes", true);
    EXPECT_FALSE(ThemesEnabledFor(&edit));
    edit.setProperty("DisableThemes", false);
    EXPECT_TRUE(ThemesEnabledFor(&edit));

    EXPECT_EQ(FindOwnerForm(&edit), &form);
    EXPECT_EQ(FindOwnerForm(nullptr), nullptr);
    EXPECT_TRUE(InheritsFromClassName(&edit, "qwidget"));
    EXPECT_FALSE(InheritsFromClassName(&edit, "TCustomGrid"));
}

TEST(EditTextLayout, RectangleAndFormatFollowAlignmentAndOptions) {
    using namespace controls;
    const TRect rect{10, 20, 110, 40};
    struct Row {
        TAlignment alignment;
        int leftOffset;
        int options;
        bool oneLine;
        TRect textRect;
        int format;
    };
    const Row rows[] = {
        {taLeftJustify, 3, 0, false, {13, 22, 110, 39}, 0x840},
        {taRightJustify, 3, 0, false, {13, 22, 108, 39}, 0x842},
        {taCenter, 3, 0, false, {10, 22, 110, 39}, 0x841},
        {taCenter, 5, 0, false, {12, 22, 110, 39}, 0x841},
        {taLeftJustify, 3, etShowPrefix | etSingleLine, false, {13, 22, 110, 39}, 0x40 | 0x20 | 0x4},
        {taLeftJustify, 3, etWordBreak, false, {13, 22, 110, 39}, 0x850},
        {taLeftJustify, 3, etWordBreak, true, {13, 22, 110, 39}, 0x840},
        {taLeftJustify, 3, etWordBreak | etEndEllipsis, false, {13, 22, 110, 39}, 0x8840},
    };
    for (const Row& row : rows) {
        const EditTextLayout layout = LayoutEditText(rect, row.leftOffset, 2, row.alignment, row.options, row.oneLine);
        EXPECT_EQ(layout.textRect, row.textRect) << row.alignment << " " << row.options;
        EXPECT_EQ(layout.format, row.format) << row.alignment << " " << row.options;
    }
}
