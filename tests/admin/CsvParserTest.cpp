// The CSV reader: how a line splits into fields, where records end, the first line skipped, the byte position
// and the text's character set.
#include "admin/CsvParser.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>
#include <vector>

namespace {

struct SplitCase {
    const char* line;
    QStringList fields;
};

TEST(CsvParser, SplitsALineByTheStateTable) {
    const std::vector<SplitCase> cases = {
        {"a,b", {"a", "b"}},
        {"a,", {"a", ""}},
        {",", {"", ""}},
        {",a", {"", "a"}},
        {"\"x,y\",z", {"x,y", "z"}},
        {"\"a\"\"b\"", {"a\"b"}},
        {"\"\"", {""}},
        {"a\"b", {"a\"b"}},
        {"\"ab", {}},
        {"x,\"", {"x"}},
        {"", {}},
        // After a closing quote that is not followed by the delimiter, text up to the next quote is dropped.
        {"\"a\"junk\"b\",c", {"a\"b", "c"}},
    };
    for (const SplitCase& c : cases) {
        QStringList fields;
        SplitCsvLine(QString::fromUtf8(c.line), fields, QLatin1Char(','));
        EXPECT_EQ(fields, c.fields) << c.line;
    }
    QStringList tabbed;
    SplitCsvLine(QStringLiteral("a,b\tc"), tabbed, QLatin1Char('\t'));
    EXPECT_EQ(tabbed, QStringList({"a,b", "c"}));
}

class CsvParserFile : public ::testing::Test {
protected:
    QTemporaryDir dir;

    QString Write(const QByteArray& bytes) {
        const QString path = dir.filePath(QStringLiteral("in.csv"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    // Every record's raw line, with its fields after a bar.
    std::vector<QString> ReadAll(const QByteArray& bytes, bool skipFirstLine = false) {
        TwpsCsvParser parser;
        EXPECT_TRUE(parser.OpenFile(Write(bytes)));
        parser.SkipFirstLine = skipFirstLine;
        std::vector<QString> records;
        while (parser.ReadNextRecord()) records.push_back(parser.Line + u'|' + parser.Fields.join(u';'));
        EXPECT_EQ(parser.GetPosition(), parser.GetSize());
        return records;
    }
};

TEST_F(CsvParserFile, RecordsEndAtCrOrCrLfAndALoneLfIsData) {
    struct FileCase {
        QByteArray bytes;
        std::vector<QString> records;
    };
    const std::vector<FileCase> cases = {
        {"a,b\r\nc\rd", {"a,b|a;b", "c|c", "d|d"}},
        {"a\nb\nc\n", {"a\nb\nc\n|a\nb\nc\n"}},
        {"a\r\nb\r\n", {"a|a", "b|b"}},
        {"a\r\n\r\nb", {"a|a", "|", "b|b"}},
        {"\"x\r", {"\"x|"}},
        {"", {}},
    };
    for (const FileCase& c : cases) EXPECT_EQ(ReadAll(c.bytes), c.records) << c.bytes.toStdString();
}

TEST_F(CsvParserFile, SkipsTheFirstLineOnlyOnce) {
    EXPECT_EQ(ReadAll("head\r\nx\r\ny", true), std::vector<QString>({"x|x", "y|y"}));
    EXPECT_TRUE(ReadAll("head\r\n", true).empty());
}

TEST_F(CsvParserFile, PositionCountsTheBytesConsumedAcrossBlocks) {
    // Lines longer than a read block, with a CR LF split across two blocks.
    const QByteArray longLine(64 * 1024 - 1, 'x');
    TwpsCsvParser parser;
    ASSERT_TRUE(parser.OpenFile(Write(longLine + "\r\nab\r\n")));
    EXPECT_EQ(parser.GetSize(), longLine.size() + 6);
    ASSERT_TRUE(parser.ReadNextRecord());
    EXPECT_EQ(parser.Line.size(), longLine.size());
    EXPECT_EQ(parser.GetPosition(), longLine.size() + 2);
    ASSERT_TRUE(parser.ReadNextRecord());
    EXPECT_EQ(parser.Line, QStringLiteral("ab"));
    EXPECT_FALSE(parser.ReadNextRecord());
    EXPECT_FALSE(parser.OpenFile(dir.filePath(QStringLiteral("missing.csv"))));
}

TEST_F(CsvParserFile, ReadsUtf8AndFallsBackToWindows1252) {
    EXPECT_EQ(ReadAll("Zo\xc3\xab,\xe2\x82\xac"), std::vector<QString>({QStringLiteral("Zoë,€|Zoë;€")}));
    EXPECT_EQ(ReadAll("Zo\xeb,\x80"), std::vector<QString>({QStringLiteral("Zoë,€|Zoë;€")}));
}

}  // namespace
