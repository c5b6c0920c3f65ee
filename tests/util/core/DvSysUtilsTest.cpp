// Small helpers: elapsed intervals, digit keys, byte sizes, line breaks, header and footer macros.
#include "util/core/DvSysUtils.h"

#include <gtest/gtest.h>

namespace {

std::shared_ptr<rtl::FakeClock> FixClock(TDateTime now) {
    auto clock = std::make_shared<rtl::FakeClock>(now);
    rtl::SetClock(clock);
    return clock;
}

}  // namespace

TEST(DvSysUtils, IntervalsAcrossMidnightCountOneDay) {
    const TDateTime stampTime = EncodeDate(2026, 12, 10) + EncodeTime(23, 59, 59, 500);
    const TTimeStamp stamp = DateTimeToTimeStamp(stampTime);
    FixClock(EncodeDate(2026, 12, 11) + EncodeTime(0, 0, 0, 300));
    EXPECT_TRUE(HasIntervalElapsed(stamp, 800));
    EXPECT_FALSE(HasIntervalElapsed(stamp, 801));
    FixClock(stampTime + 200 * OneMillisecond);
    EXPECT_TRUE(HasIntervalElapsed(stamp, 200));
    EXPECT_FALSE(HasIntervalElapsed(stamp, 250));
}

TEST(DvSysUtils, DigitKeysAndBackspaceOnly) {
    for (QChar c : QStringLiteral("0123456789\b")) EXPECT_TRUE(IsDigitKey(c)) << int(c.unicode());
    for (QChar c : QStringLiteral("-.a \r")) EXPECT_FALSE(IsDigitKey(c)) << int(c.unicode());
}

TEST(DvSysUtils, SelectAllCopyCutAndUndoAreEditCommandsAndPasteIsNot) {
    for (char16_t c : {u'\x01', u'\x03', u'\x18', u'\x1a'}) EXPECT_TRUE(IsEditCommandKey(QChar(c))) << int(c);
    for (char16_t c : {u'\x16', u'\b', u'1', u'a'}) EXPECT_FALSE(IsEditCommandKey(QChar(c))) << int(c);
}

TEST(DvSysUtils, ByteSizes) {
    const std::pair<quint64, const char*> cases[] = {{0, "0 KB"},          {1023, "0 KB"},
                                                     {1048576, "1024 KB"}, {1049599, "1024 KB"},
                                                     {1049600, "1 MB"},    {25769803776ULL, "24576 MB"}};
    for (const auto& [bytes, text] : cases) EXPECT_EQ(FormatByteSize(bytes), QString::fromLatin1(text)) << bytes;
}

TEST(DvSysUtils, EveryLineBreakCharacterBecomesABlank) {
    QString text = QStringLiteral("a\r\nb\nc\rd");
    LineBreaksToBlanks(text);
    EXPECT_EQ(text, QStringLiteral("a  b c d"));
}

TEST(DvSysUtils, HeaderFooterMacros) {
    FixClock(EncodeDate(2026, 2, 3) + EncodeTime(21, 5, 0, 0));
    const std::pair<const char*, const char*> cases[] = {
        {"Printed &d by staff", "Printed Feb 3 2026 by staff"},
        {"&t", "9:05 pm "},
        {"&D &T", "Feb 3 2026 9:05 pm "},
        {"Page &p of", "Page  of"},  // an unknown macro leaves one blank
        {"no macros", "no macros"},
        {"", ""},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(ExpandHeaderFooterMacros(QString::fromLatin1(text)), QString::fromLatin1(expected)) << text;
}

TEST(DvSysUtils, SplitsHeaderFooterTextIntoThreeParts) {
    struct Case {
        const char* text;
        const char* left;
        const char* centre;
        const char* right;
    };
    const Case cases[] = {
        {"a;b;c;d", "a", "b", "c;d"},
        {"a;b", "a", "b", ""},
        {"whole", "whole", "", ""},
        {";;r", "", "", "r"},
    };
    for (const Case& c : cases) {
        QString left, centre = QStringLiteral("x"), right = QStringLiteral("y");
        SplitHeaderFooterText(QString::fromLatin1(c.text), left, centre, right);
        EXPECT_EQ(left, QString::fromLatin1(c.left)) << c.text;
        EXPECT_EQ(centre, QString::fromLatin1(c.centre)) << c.text;
        EXPECT_EQ(right, QString::fromLatin1(c.right)) << c.text;
    }
}
