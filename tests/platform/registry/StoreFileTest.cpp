// The store's text form: awkward names and data survive a round trip; damaged lines cost only themselves.
#include "platform/registry/StoreFile.h"

#include <gtest/gtest.h>

namespace {

reg::Value Text(const QString& name, const QString& text, quint32 kind = REG_SZ) {
    reg::Value v;
    v.name = name;
    v.kind = kind;
    v.text = text;
    return v;
}

void ExpectSameTree(const reg::Key& a, const reg::Key& b) {
    EXPECT_EQ(a.name, b.name);
    ASSERT_EQ(a.values.size(), b.values.size()) << a.name.toStdString();
    for (size_t i = 0; i < a.values.size(); ++i) {
        EXPECT_EQ(a.values[i].name, b.values[i].name);
        EXPECT_TRUE(a.values[i].SameData(b.values[i])) << a.values[i].name.toStdString();
    }
    ASSERT_EQ(a.subkeys.size(), b.subkeys.size()) << a.name.toStdString();
    for (size_t i = 0; i < a.subkeys.size(); ++i) ExpectSameTree(a.subkeys[i], b.subkeys[i]);
}

}  // namespace

TEST(StoreFile, AwkwardNamesAndDataSurviveARoundTrip) {
    reg::Key root;
    root.SetValue(Text(QString(), QStringLiteral("default value at the root")));
    reg::Key& key = reg::MakeKey(
        root, {QStringLiteral("Software"), QStringLiteral("100% [odd]\tname]"), QStringLiteral("Ünïcode")});
    key.SetValue(Text(QStringLiteral("quote \" and \\ and =\"x\""), QStringLiteral("line1\r\nline2\x01\x7f")));
    key.SetValue(Text(QStringLiteral("expand"), QStringLiteral("%HOME%\\"), REG_EXPAND_SZ));
    reg::Value dword;
    dword.name = QStringLiteral("max");
    dword.kind = REG_DWORD;
    dword.number = 0xFFFFFFFFu;
    key.SetValue(dword);
    reg::Value empty;
    empty.name = QStringLiteral("empty binary");
    empty.kind = REG_BINARY;
    key.SetValue(empty);
    reg::MakeKey(root, {QStringLiteral("Empty key")});

    const QByteArray text = reg::SerializeStore(root, QStringLiteral("HKEY_CURRENT_USER"));
    ExpectSameTree(reg::ParseStore(text), root);
    // One line per value: nothing inside a name or text breaks a line.
    EXPECT_EQ(text.count('\n'), 1 + 1 + 1 + 1 + 1 + 1 + 4 + 1);
}

TEST(StoreFile, ReadsTheWrittenFormAndSkipsDamagedLines) {
    const QByteArray text =
        "; a comment\r\n"
        "[Software\\Dulvex\\Tavorin\\7.0]\r\n"
        "\"RefreshMins\"=dword:5\r\n"
        "\"Broken\"=dword:five\n"
        "\"Unclosed=\"x\"\n"
        "garbage line\n"
        "\"Start\"=hex:00ff\n"
        "\"Odd hex\"=hex:0\n"
        "\"Name\"=\"Room \\\"A\\\"\"\n";
    const reg::Key root = reg::ParseStore(text);
    const reg::Key* key = reg::FindKey(root, reg::SplitPath(QStringLiteral("software\\dulvex\\tavorin\\7.0")));
    ASSERT_NE(key, nullptr);
    ASSERT_EQ(key->values.size(), 3u);
    EXPECT_EQ(key->values[0].number, 5u);
    EXPECT_EQ(key->values[1].bytes, QByteArray("\x00\xff", 2));
    EXPECT_EQ(key->values[2].text, QStringLiteral("Room \"A\""));
}

TEST(StoreFile, ANegativeNumberIsWrittenSignedAndEarlierWrappedOnesStillRead) {
    reg::Key root;
    reg::Value top;
    top.name = QStringLiteral("Top");
    top.kind = REG_DWORD;
    top.number = quint32(-20);
    root.SetValue(top);
    const QByteArray text = reg::SerializeStore(root, QStringLiteral("HKEY_CURRENT_USER"));
    EXPECT_TRUE(text.contains("\"Top\"=dword:-20\n")) << text.toStdString();
    EXPECT_FALSE(text.contains("4294967276"));
    EXPECT_EQ(qint32(reg::ParseStore(text).values.at(0).number), -20);
    // A store written before keeps reading as the same number.
    EXPECT_EQ(qint32(reg::ParseStore("\"Top\"=dword:4294967276\n").values.at(0).number), -20);
}
