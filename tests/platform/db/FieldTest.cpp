// Field conversions, texts and type codes.
#include "MemoryDataSet.h"

#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

namespace {

using db_test::MemoryDataSet;

TEST(FieldTest, TypeCodesAreTheFrameworks) {
    const std::pair<TFieldType, int> codes[] = {{ftString, 1},     {ftSmallint, 2}, {ftInteger, 3},  {ftWord, 4},
                                                {ftBoolean, 5},    {ftFloat, 6},    {ftCurrency, 7}, {ftBCD, 8},
                                                {ftDateTime, 11},  {ftAutoInc, 14}, {ftBlob, 15},    {ftMemo, 16},
                                                {ftWideString, 24}};
    for (const auto& [type, code] : codes) {
        EXPECT_EQ(static_cast<int>(type), code);
        EXPECT_EQ(CreateFieldForType(type, 10)->DataType(), type);
    }
}

class FieldValueTest : public ::testing::Test {
protected:
    MemoryDataSet ds;
    void SetUp() override {
        ds.Open();
        ds.Edit();
    }
    TField& F(const char* name) { return ds.FieldByName(name); }
};

TEST_F(FieldValueTest, ConversionsBetweenTextNumbersAndBooleans) {
    F("Amount").SetAsString("12.5");
    EXPECT_EQ(F("Amount").AsFloat(), 12.5);
    EXPECT_EQ(F("Amount").AsInteger(), 13);
    EXPECT_EQ(F("Amount").AsString(), "12.5");
    F("Name").SetAsInteger(42);
    EXPECT_EQ(F("Name").AsInteger(), 42);
    EXPECT_THROW(F("Amount").SetAsString("abc"), EConvertError);
    F("Flag").SetAsString("false");
    EXPECT_FALSE(F("Flag").AsBoolean());
    EXPECT_EQ(F("Flag").DisplayText(), "False");
    F("Flag").SetValue(-1);
    EXPECT_EQ(F("Flag").Text(), "True");
    F("Name").SetText("");
    EXPECT_FALSE(F("Name").IsNull());
    F("Amount").SetText("");
    EXPECT_TRUE(F("Amount").IsNull());
    EXPECT_EQ(F("Amount").AsFloat(), 0);
    EXPECT_EQ(F("Amount").AsString(), "");
    EXPECT_THROW(F("Id").SetAsInteger(3), EDatabaseError);
}

TEST_F(FieldValueTest, DisplayFormatAppliesToBrowsingTextOnly) {
    auto& amount = static_cast<TFloatField&>(F("Amount"));
    amount.SetAsFloat(1234.5);
    amount.SetDisplayFormat("#,##0.00");
    EXPECT_EQ(amount.DisplayText(), "1,234.50");
    // Without an EditFormat the editor starts from the display format too; AsString stays plain.
    EXPECT_EQ(amount.Text(), "1,234.50");
    EXPECT_EQ(amount.AsString(), "1234.5");
    amount.SetEditFormat("0.000");
    EXPECT_EQ(amount.Text(), "1234.500");
    EXPECT_EQ(amount.Alignment(), taRightJustify);
    EXPECT_TRUE(amount.IsValidChar('5'));
    EXPECT_FALSE(amount.IsValidChar('x'));
}

TEST(FieldRangeTest, SmallIntegersRefuseValuesOutsideTheirRange) {
    TSmallintField small;
    TWordField word;
    EXPECT_EQ(small.Normalize(QVariant(-32768)).toLongLong(), -32768);
    EXPECT_THROW(small.Normalize(QVariant(40000)), EDatabaseError);
    EXPECT_THROW(word.Normalize(QVariant(-1)), EDatabaseError);
    EXPECT_THROW(word.Normalize(QVariant("x")), EConvertError);
}

TEST(FieldTextTest, DateTimesMemosAndBlobsHaveTheirTexts) {
    TDateTimeField when;
    EXPECT_EQ(when.Normalize(QVariant("1/2/2024")).toDouble(), EncodeDate(2024, 1, 2));
    EXPECT_THROW(when.Normalize(QVariant("not a date")), EConvertError);
    TBCDField money;
    EXPECT_EQ(money.Normalize(QVariant(1.23456)).toDouble(), 1.2346);
    TMemoField memo;
    EXPECT_EQ(memo.Normalize(QVariant(QByteArray("text"))).toString(), "text");
    EXPECT_EQ(memo.DisplayWidth(), 10);
    EXPECT_EQ(TStringField(30).DisplayWidth(), 30);
}

}  // namespace

#include "platform/db/Parameters.h"

namespace {

TEST(ParametersTest, NamesComeFromTheSqlOutsideLiteralsAndKeepTheirValues) {
    EXPECT_EQ(db::ParameterNamesOf("select * from [a:b] where x = ':no' and d = #1/2/2024 10:30# and y = :First "
                                   "and z = :second or w = :FIRST"),
              QStringList({"First", "second"}));
    TParameters params;
    params.CreateParameter("second", ftInteger, pdInput, 0, "12");
    EXPECT_EQ(params.ParamByName("SECOND").Value().toLongLong(), 12);
    params.ParseSQL("update t set a = :first where b = :Second");
    EXPECT_EQ(params.Count(), 2);
    EXPECT_EQ(params[1]->Value().toLongLong(), 12);
    EXPECT_EQ(params[1]->DataType, ftInteger);
    EXPECT_THROW(params.ParamByName("third"), EDatabaseError);
    EXPECT_THROW(params.ParamByName("second").SetValue("x"), EConvertError);
}

}  // namespace
