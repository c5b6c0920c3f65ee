// Display formats: values by data type and format, the offered formats and the registered class.
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/StringList.h"
#include "reportengine/core/ppDisplayFormat.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

struct FormatCase {
    TppDataType type;
    const char* format;
    QVariant value;
    const char* text;
};

void ExpectFormats(const std::vector<FormatCase>& cases) {
    for (const FormatCase& c : cases) {
        EXPECT_EQ(FormatDisplayValue(QString::fromUtf8(c.format), c.type, c.value), QString::fromUtf8(c.text))
            << reportengine::EnumName(c.type).toStdString() << " \"" << c.format << "\" "
            << c.value.toString().toStdString();
    }
}

TEST(DisplayFormat, Booleans) {
    ExpectFormats({
        {dtBoolean, "Yes;No", true, "Yes"},
        {dtBoolean, "Yes;No", false, "No"},
        {dtBoolean, "OK;", true, "OK"},
        {dtBoolean, "OK;", false, ""},
        {dtBoolean, ";Not OK", true, ""},
        {dtBoolean, ";Not OK", false, "Not OK"},
        {dtBoolean, "Y", true, "Y"},
        {dtBoolean, "Y", false, ""},
        {dtBoolean, "Yes;No", 1, "1"},  // not a Boolean variant: its plain text
        {dtBoolean, "", true, "True"},
    });
}

TEST(DisplayFormat, CurrencyAndNumbers) {
    ExpectFormats({
        {dtCurrency, "$#,0.00;($#,0.00)", 1234.4, "$1,234.40"},
        {dtCurrency, "$#,0.00;($#,0.00)", -1234.4, "($1,234.40)"},
        {dtDouble, "$#,0;($#,0)", 1234.4, "$1,234"},  // no "." in the first section: no decimals
        {dtCurrency, "#,0.00", 1234.4, "1,234.40"},
        {dtCurrency, "", 1234.4, "$1,234.40"},
        {dtDouble, "", 1234.4, "1234.4"},
        {dtDouble, "#,0.00;(#,0.00)", -1234.4, "(1,234.40)"},
        {dtInteger, "#,0", 1234, "1,234"},
        {dtLargeInt, "", qint64(1234567890123), "1234567890123"},
        {dtSingle, "0.00 %", 12.5, "12.50 %"},
        {dtInteger, "", QStringLiteral("42"), "42"},
    });
    EXPECT_THROW(FormatDisplayValue(QString(), dtDouble, QStringLiteral("many")), EConvertError);
}

TEST(DisplayFormat, DatesTextsAndOtherTypes) {
    const TDateTime moment = EncodeDateTime(1995, 3, 4, 13, 30, 55, 0);
    ExpectFormats({
        {dtDate, "mm/dd/yyyy", moment, "03/04/1995"},
        {dtDate, "", moment, "3/4/1995"},
        {dtTime, "h:nn AM/PM", moment, "1:30 PM"},
        {dtTime, "", moment, "1:30:55 PM"},
        {dtDateTime, "", moment, "3/4/1995 1:30:55 PM"},
        {dtString, "00000;0; ", QStringLiteral("12345"), "12345"},
        {dtString, "!\\(999\\)\\ 000\\-0000;0; ", QStringLiteral("5551234567"), "(555) 123-4567"},
        {dtMemo, "", QStringLiteral("lines"), "lines"},
        {dtChar, "", QStringLiteral("x"), "x"},
        {dtVariant, "", 5, ""},
        {dtBLOB, "", QStringLiteral("bytes"), ""},
        {dtGraphic, "", 1, ""},
        {dtNotKnown, "", 1, ""},
    });
    EXPECT_THROW(FormatDisplayValue(QString(), dtDate, QStringLiteral("not a date")), EConvertError);
}

TEST(DisplayFormat, NullIsEmptyForEveryType) {
    for (int type = 0; type < reportengine::EnumNames<TppDataType>().size(); ++type) {
        EXPECT_EQ(FormatDisplayValue(QStringLiteral("Yes;No"), TppDataType(type), QVariant()), QString()) << type;
    }
}

TEST(DisplayFormat, OfferedFormats) {
    TStringList list;
    list.Add(QStringLiteral("old"));
    CallRegisteredHandler(dtDateTime, &list);
    ASSERT_EQ(list.Count(), 11);
    EXPECT_EQ(list[0], QStringLiteral("3/4/95 1:30:55 PM") + QChar(1) + QStringLiteral("m/d/yy h:nn:ss AM/PM"));
    EXPECT_EQ(list[5], QStringLiteral("4-Mar-95 ") + QChar(1) + QStringLiteral("d-mmm-yy"));
    CallRegisteredHandler(dtBoolean, &list);
    ASSERT_EQ(list.Count(), 8);
    EXPECT_EQ(list[7], QChar(1) + QStringLiteral(";Not Done"));
    CallRegisteredHandler(dtCurrency, &list);
    EXPECT_EQ(list.Count(), 9);
    CallRegisteredHandler(dtString, &list);
    ASSERT_EQ(list.Count(), 8);
    EXPECT_EQ(list[0], QStringLiteral("Phone") + QChar(1) + QStringLiteral("!\\(999\\)\\ 000\\-0000;0; "));
    CallRegisteredHandler(dtChar, &list);
    EXPECT_EQ(list.Count(), 0);
    CallRegisteredHandler(dtDate, nullptr);
}

class UpperCaseFormat : public TppDisplayFormat {
public:
    QString Format(const QString&, TppDataType, const QVariant& value) const override {
        return value.toString().toUpper();
    }
};

TEST(DisplayFormat, ARegisteredReplacementServes) {
    {
        rtl::ScopedService replacement(reportengine::DisplayFormatSlot(), std::make_shared<UpperCaseFormat>());
        EXPECT_EQ(FormatDisplayValue(QString(), dtString, QStringLiteral("abc")), QStringLiteral("ABC"));
    }
    EXPECT_EQ(FormatDisplayValue(QString(), dtString, QStringLiteral("abc")), QStringLiteral("abc"));
}

}  // namespace
