// Header words, quoted-printable, folding and address lists.
#include "platform/net/MailAddress.h"
#include "platform/net/MimeEncoding.h"

#include <gtest/gtest.h>

using namespace net;

namespace {

QList<QByteArray> Lines(const QByteArray& text) { return text.split('\n'); }

}  // namespace

TEST(MimeEncoding, HeaderTextStaysPlainWhenAsciiAndDecodesBackOtherwise) {
    EXPECT_EQ(EncodeHeaderText(QStringLiteral("Booking for Room 4")), QByteArray("Booking for Room 4"));

    const QString text = QStringLiteral("Réservation de la salle Ünter — 会议室 ✓ ") + QString(40, u'é');
    QByteArray decoded;
    for (const QByteArray& word : EncodeHeaderText(text).split(' ')) {
        ASSERT_TRUE(word.startsWith("=?UTF-8?B?") && word.endsWith("?=")) << word.constData();
        EXPECT_LE(word.size(), 75);
        decoded += QByteArray::fromBase64(word.mid(10, word.size() - 12));
    }
    EXPECT_EQ(QString::fromUtf8(decoded), text);
}

TEST(MimeEncoding, QuotedPrintableKeepsLinesShortAndProtectsBlanksAndEquals) {
    const QByteArray long_line = QByteArray(100, 'a');
    for (const QByteArray& line : Lines(EncodeQuotedPrintable(long_line))) EXPECT_LE(line.size(), 77);

    EXPECT_EQ(EncodeQuotedPrintable("a=b \r\nend "), QByteArray("a=3Db=20\r\nend=20"));
    EXPECT_EQ(EncodeQuotedPrintable(QStringLiteral("Grüße").toUtf8()), QByteArray("Gr=C3=BC=C3=9Fe"));
}

TEST(MimeEncoding, FoldedHeaderLinesStayWithin78Characters) {
    QByteArray value;
    for (int i = 0; i < 12; ++i) value += "person" + QByteArray::number(i) + "@example.com, ";
    const QByteArray folded = FoldHeader("To", value.chopped(2));
    for (const QByteArray& line : Lines(folded)) EXPECT_LE(line.size(), 79);
    EXPECT_EQ(folded.split('\n').size() > 1, true);
    EXPECT_EQ(QByteArray(folded).replace("\r\n", ""), "To: " + value.chopped(2));
}

TEST(MailAddressList, EntriesAreSplitOutsideQuotesAndBrackets) {
    struct Case {
        QString text;
        QStringList names, addresses;
    };
    const Case cases[] = {
        {QStringLiteral("a@x.org,b@y.org"),
         {QString(), QString()},
         {QStringLiteral("a@x.org"), QStringLiteral("b@y.org")}},
        {QStringLiteral("Ann Lee<ann@x.org>; ,"), {QStringLiteral("Ann Lee")}, {QStringLiteral("ann@x.org")}},
        {QStringLiteral("\"Lee, Ann\" <ann@x.org>,bob@y.org"),
         {QStringLiteral("Lee, Ann"), QString()},
         {QStringLiteral("ann@x.org"), QStringLiteral("bob@y.org")}},
        {QString(), {}, {}},
    };
    for (const Case& c : cases) {
        const QList<MailAddress> parsed = ParseAddressList(c.text);
        ASSERT_EQ(parsed.size(), c.addresses.size()) << c.text.toStdString();
        for (int i = 0; i < parsed.size(); ++i) {
            EXPECT_EQ(parsed[i].Name, c.names[i]);
            EXPECT_EQ(parsed[i].Address, c.addresses[i]);
        }
    }
}

TEST(MailAddressList, HeaderQuotesSpecialsAndEncodesOtherScripts) {
    EXPECT_EQ(FormatAddressHeader(ParseAddressList(QStringLiteral("\"Lee, Ann\" <ann@x.org>, Bob<b@y.org>"))),
              QByteArray("\"Lee, Ann\" <ann@x.org>, Bob <b@y.org>"));
    EXPECT_TRUE(FormatAddressHeader(ParseAddressList(QStringLiteral("Zoë <z@x.org>"))).startsWith("=?UTF-8?B?"));
}
