// The library's text routines: separated lists, filter tokens, trimming and file names.
#include "controls/edit/WwStrings.h"
#include "platform/rtl/StringList.h"

#include <gtest/gtest.h>

namespace {

struct TokenRun {
    QString text;
    QString delimiter;
    QStringList tokens;
};

QStringList AllTokens(const QString& text, const QString& delimiter) {
    QStringList tokens;
    int position = 1;
    while (position != -1) tokens << GetToken(text, delimiter, position);
    return tokens;
}

}  // namespace

TEST(GetToken, ReadsEveryPartOfASeparatedList) {
    const TokenRun runs[] = {
        {"a;;b", ";", {"a", "", "b"}}, {"x AND y", "and", {"x", "y"}}, {"land and sea", "and", {"land", "sea"}},
        {"a;b;", ";", {"a", "b", ""}}, {"A;b", "a", {"A;b"}},
    };
    for (const TokenRun& run : runs)
        EXPECT_EQ(AllTokens(run.text, run.delimiter), run.tokens) << run.text.toStdString();
}

TEST(GetToken, LeavesThePositionWhereTheNextCallStarts) {
    const QString text = QStringLiteral("Name\tMask");
    int position = 1;
    EXPECT_EQ(GetToken(text, "\t", position), "Name");
    EXPECT_EQ(position, 6);
    EXPECT_EQ(GetToken(text, "\t", position), "Mask");
    EXPECT_EQ(position, -1);
    EXPECT_EQ(GetToken(text, "\t", position), "");
    EXPECT_EQ(position, -1);

    position = 0;
    EXPECT_EQ(GetToken(text, "\t", position), "");
    EXPECT_EQ(position, 0);
}

TEST(SplitToList, KeepsEmptyParts) {
    TStringList list;
    list.Add("old");
    SplitToList("a;b;", u';', list);
    EXPECT_EQ(list.ToStringList(), QStringList({"a", "b", ""}));
    SplitToList("", u';', list);
    EXPECT_EQ(list.ToStringList(), QStringList({""}));
}

TEST(ScanToken, ReadsFilterTokens) {
    struct Row {
        QString text;
        int start;
        int options;
        QString token;
        int position;
    };
    const Row rows[] = {
        {R"(  "a b" x)", 1, 1 | 2, R"("a b")", 8},
        {R"(  "a b" x)", 1, 1 | 2 | 4, "a b", 8},
        {R"("open)", 1, 2 | 4, "open", 6},
        {"abc=1", 1, 0, "abc", 4},
        {"=1", 1, 0, "=", 2},
        {"a b", 1, 0, "a", 3},
        {"ab cd=", 1, 8, "ab cd", 6},
        {"x", 0, 0, "", 0},
        {"x", 2, 0, "", 2},
    };
    for (const Row& row : rows) {
        int position = row.start;
        EXPECT_EQ(ScanToken(row.text, position, row.options, "=<>"), row.token) << row.text.toStdString();
        EXPECT_EQ(position, row.position) << row.text.toStdString();
    }
}

TEST(StringRoutines, EdgeRows) {
    QString text = " \t a b \t";
    TrimCharSet(text);
    EXPECT_EQ(text, "a b");
    text = "xxaxx";
    TrimLeftCharSet(text, "x");
    EXPECT_EQ(text, "axx");
    TrimRightCharSet(text, "x");
    EXPECT_EQ(text, "a");

    EXPECT_EQ(RemoveChar("a~b~", u'~'), "ab");
    EXPECT_EQ(ReplaceChar("a~b", u'~', u'-'), "a-b");
    EXPECT_EQ(ReplaceCharWithStr("a~b", u'~', "~~"), "a~~b");
    EXPECT_TRUE(SameTextUpper("Price", "PRICE"));
    EXPECT_FALSE(SameTextUpper("Price", "Prices"));
    EXPECT_EQ(CountChar("a;b;c", u';'), 2);
    EXPECT_EQ(TextAfterChar("key=value=x", u'='), "value=x");
    EXPECT_EQ(TextAfterChar("abc", u'x'), "");
    EXPECT_EQ(TextBeforeChar("key=value", u'='), "key");
    EXPECT_EQ(TextBeforeChar("abc", u'x'), "");
    EXPECT_EQ(FileBaseName("/home/u/report.final.ini"), "report");
    EXPECT_EQ(FileBaseName("C:\\dir.x\\report"), "");
}
