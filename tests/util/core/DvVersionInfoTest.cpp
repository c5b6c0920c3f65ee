// Version numbers: comparison, parsing, text styles and the program's own file version.
#include "util/core/DvVersionInfo.h"

#include <gtest/gtest.h>
#include <QCoreApplication>

TEST(DvVersionInfo, ComparesPartByPart) {
    struct Case {
        TDvVersionInfo a, b;
        int expected;
    };
    const Case cases[] = {
        {{7, 0, 0, 700}, {7, 0, 1, 0}, -1},    {{7, 0, 0, 700}, {7, 0, 0, 700}, 0}, {{7, 1, 0, 0}, {7, 0, 9, 9999}, 1},
        {{4, 0, 9999, 0}, {4, 0, 2927, 5}, 1}, {{6, 0, 0, 1}, {6, 0, 0, 2}, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CompareVersionInfo(c.a, c.b), c.expected) << VersionInfoToText(c.a).toStdString();
}

TEST(DvVersionInfo, ParsingStopsAtTheFirstBadPartAndKeepsTheRest) {
    struct Case {
        const char* text;
        TDvVersionInfo expected;
    };
    const TDvVersionInfo start{9, 9, 9, 9};
    const Case cases[] = {
        {"7.0.0.700", {7, 0, 0, 700}}, {"6.3", {6, 9, 9, 9}},  // no "." after the 3: Minor is not read
        {"6.x.1.2", {6, 9, 9, 9}},     {"", {9, 9, 9, 9}},
        {"1.2.3.", {1, 2, 3, 9}},     // an empty Build keeps its value
        {"1.2.3.4.5", {1, 2, 3, 9}},  // the rest "4.5" is not a number
    };
    for (const Case& c : cases) {
        TDvVersionInfo v = start;
        ParseVersionInfo(v, QString::fromLatin1(c.text));
        EXPECT_EQ(VersionInfoToText(v), VersionInfoToText(c.expected)) << c.text;
    }
}

TEST(DvVersionInfo, TheProgramFileCarriesTheCompiledInVersion) {
    const QString self = QCoreApplication::applicationFilePath();
    TDvVersionInfo v{1, 1, 1, 1};
    ASSERT_TRUE(ReadFileVersion(self, v));
    EXPECT_EQ(VersionInfoToText(v), QStringLiteral("7.0.0.700"));

    QString text;
    ASSERT_TRUE(GetFileVersionText(self, 0, text));
    EXPECT_EQ(text, QStringLiteral("7.0.0.700"));
    ASSERT_TRUE(GetFileVersionText(self, 1, text));
    EXPECT_EQ(text, QStringLiteral("7.0 (Build 700)"));
    ASSERT_TRUE(GetFileVersionText(self, 2, text));
    EXPECT_EQ(text, QStringLiteral("7.0 (Build 0.700)"));
    ASSERT_TRUE(GetFileVersionText(self, 3, text));
    EXPECT_EQ(text, QString());
}

TEST(DvVersionInfo, OtherFilesHaveNoVersion) {
    TDvVersionInfo v{1, 1, 1, 1};
    EXPECT_FALSE(ReadFileVersion(QStringLiteral("/etc/hostname"), v));
    EXPECT_EQ(VersionInfoToText(v), QStringLiteral("0.0.0.0"));
    QString text = QStringLiteral("old");
    EXPECT_FALSE(GetFileVersionText(QStringLiteral("/no/such/file"), 0, text));
    EXPECT_TRUE(text.isEmpty());
}
