// Format, picture formats and number reading.
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FloatFormat.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/NumberParse.h"

#include <gtest/gtest.h>

TEST(Format, WritesEachSpecifier) {
    EXPECT_EQ(Format("%d items in %s", {3, "Room 1"}), "3 items in Room 1");
    EXPECT_EQ(Format("%5d|%-5d|%0.2d|%.3d", {42, 42, 5, -7}), "   42|42   |05|-007");
    EXPECT_EQ(Format("%x %.4x %x", {255, 10, -1}), "FF 000A FFFFFFFF");
    EXPECT_EQ(Format("%x", {qint64(-1)}), "FFFFFFFFFFFFFFFF");
    EXPECT_EQ(Format("%u", {-1}), "4294967295");
    EXPECT_EQ(Format("%f %.0f %.3f", {2.5, 2.5, -0.0004}), "2.50 3 0.000");
    EXPECT_EQ(Format("%n", {1234567.891}), "1,234,567.89");
    EXPECT_EQ(Format("%m|%.0m", {-1234.5, 3.0}), "($1,234.50)|$3");
    EXPECT_EQ(Format("%g|%e", {0.1, 1234.5}), "0.1|1.23450000000000E+003");
    EXPECT_EQ(Format("%.2s|%8s|%-4s|", {"abc", "right", QChar(u'c')}), "ab|   right|c   |");
    EXPECT_EQ(Format("%*d|%-*s|", {4, 7, 3, "x"}), "   7|x  |");
    EXPECT_EQ(Format("%1:s %0:s %s", {"a", "b"}), "b a b");
    const QString room = "Room";
    EXPECT_EQ(Format("%s|%d", {room + u' ' + "2", qsizetype(9)}), "Room 2|9");
    EXPECT_EQ(Format("100%% of %d", {5}), "100% of 5");
}

TEST(Format, RaisesForAMissingOrMismatchedArgument) {
    struct Case {
        const char* format;
        std::initializer_list<TVarRec> args;
        const char* message;
    };
    const Case cases[] = {
        {"%d and %d", {1}, "No argument for format '%d and %d'"},
        {"%d", {1.5}, "Format '%d' invalid or incompatible with argument"},
        {"%f", {1}, "Format '%f' invalid or incompatible with argument"},
        {"%s", {1}, "Format '%s' invalid or incompatible with argument"},
        {"%k", {1}, "Format '%k' invalid or incompatible with argument"},
        {"50%", {}, "Format '50%' invalid or incompatible with argument"},
    };
    for (const Case& c : cases) {
        try {
            Format(QString::fromUtf8(c.format), c.args);
            ADD_FAILURE() << c.format << " was accepted";
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), QString::fromUtf8(c.message));
        }
    }
}

TEST(FloatToStr, UsesTheShortestGeneralForm) {
    EXPECT_EQ(FloatToStr(0.1), "0.1");
    EXPECT_EQ(FloatToStr(1234.4), "1234.4");
    EXPECT_EQ(FloatToStr(-2.0), "-2");
    EXPECT_EQ(FloatToStr(0.0), "0");
    EXPECT_EQ(FloatToStr(1e20), "1E20");
    EXPECT_EQ(FloatToStr(0.0001), "0.0001");
    EXPECT_EQ(FloatToStr(0.000015), "1.5E-5");
    EXPECT_EQ(FloatToStr(1.0 / 3), "0.333333333333333");
    EXPECT_EQ(IntToHex(255, 4), "00FF");
    EXPECT_EQ(IntToStr(qint64(-12)), "-12");
}

TEST(FormatFloat, FollowsThePictureSections) {
    struct Case {
        const char* format;
        double value;
        const char* expected;
    };
    const Case cases[] = {
        {"#,##0.00;(#,##0.00);zero", 1234.4, "1,234.40"},
        {"#,##0.00;(#,##0.00);zero", -1234.4, "(1,234.40)"},
        {"#,##0.00;(#,##0.00);zero", 0.0, "zero"},
        {"#,##0.00;(#,##0.00);zero", 0.001, "zero"},  // rounds to zero
        {"#,##0.00", -1234567.125, "-1,234,567.13"},
        {"$#,0.00;($#,0.00)", -1234.4, "($1,234.40)"},
        {"$#,0.00;-$#,0.00", -1234.4, "-$1,234.40"},
        {"$0.00", 3.0, "$3.00"},
        {"#,0;-#,0", -1234.4, "-1,234"},
        {"0 %", -1234.4, "-1234 %"},
        {"0.00 %", -1234.4, "-1234.40 %"},
        {"0.##", 2.5, "2.5"},
        {"0.##", 2.0, "2"},
        {"#.##", 0.5, ".5"},
        {"000", 7.0, "007"},
        {"000-0000", 1234567.0, "123-4567"},
        {"#", 0.0, ""},
        {"'Total: '0", 12.0, "Total: 12"},
        {"0.00", 1e6, "1000000.00"},
        {"", 1234.4, "1234.4"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatFloat(QString::fromUtf8(c.format), c.value), QString::fromUtf8(c.expected)) << c.format;
}

TEST(FormatFloat, TakesTheSeparatorsFromTheSettings) {
    TFormatSettings german = FormatSettings;
    german.DecimalSeparator = u',';
    german.ThousandSeparator = u'.';
    EXPECT_EQ(FormatFloat("#,##0.00", 1234567.5, german), "1.234.567,50");
    EXPECT_EQ(FloatToStrF(1234.5, ffNumber, 15, 1, german), "1.234,5");
    EXPECT_EQ(FloatToStr(0.25, german), "0,25");
    EXPECT_EQ(StrToFloat("0,25", german), 0.25);
    double unused;
    EXPECT_FALSE(TryStrToFloat("0.25", unused, german));
}

TEST(StrToInt, ReadsDecimalAndHex) {
    EXPECT_EQ(StrToInt("42"), 42);
    EXPECT_EQ(StrToInt("-42"), -42);
    EXPECT_EQ(StrToInt(" +7"), 7);
    EXPECT_EQ(StrToInt("$FF"), 255);
    EXPECT_EQ(StrToInt("0x1f"), 31);
    EXPECT_EQ(StrToInt("$FFFFFFFF"), -1);
    EXPECT_EQ(StrToInt("-2147483648"), INT_MIN);
    EXPECT_EQ(StrToInt64("9000000000"), 9000000000LL);
    EXPECT_EQ(StrToIntDef("x", -5), -5);
    for (const char* text : {"", " ", "1.5", "12 ", "2147483648", "$", "1e3", "--1", "$1FFFFFFFF"}) {
        try {
            StrToInt(QString::fromUtf8(text));
            ADD_FAILURE() << text << " was accepted";
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), QStringLiteral("'%1' is not a valid integer value").arg(QString::fromUtf8(text)));
        }
    }
}

TEST(StrToFloat, ReadsPlainNumbers) {
    EXPECT_EQ(StrToFloat(" 2.5 "), 2.5);
    EXPECT_EQ(StrToFloat("-.5"), -0.5);
    EXPECT_EQ(StrToFloat("1E3"), 1000.0);
    EXPECT_EQ(StrToFloatDef("1,000", -1), -1);
    try {
        StrToFloat("abc");
        ADD_FAILURE();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'abc' is not a valid floating point value");
    }
}
