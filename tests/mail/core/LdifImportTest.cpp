// Importing LDIF files into the address book on a real database file.
#include "AddressBookFixture.h"

#include "platform/rtl/Exceptions.h"

#include <QFile>
#include <algorithm>

namespace address_book_test {
namespace {

class LdifImportTest : public AddressBookTest {
protected:
    QString WriteLdif(const QByteArray& content) {
        const QString path = QDir(testing_env::TempDir()).filePath(QStringLiteral("import.ldif"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        return path;
    }

    // The imported cards in the order they were inserted.
    std::vector<TAddressBookCard> Imported() {
        book.Find(QString(), TAddressBook::kFindAll);
        std::vector<TAddressBookCard> cards;
        for (int i = 0; i < book.Cards.Count(); ++i) cards.push_back(*book.Cards.Items(i));
        std::sort(cards.begin(), cards.end(), [](const auto& a, const auto& b) { return a.Id < b.Id; });
        return cards;
    }
};

TEST_F(LdifImportTest, TwoEntriesAfterAVersionLineGiveTwoCardsWithoutAFinalBlankLine) {
    book.ImportLdif(
        WriteLdif("version: 1\n"
                  "\n"
                  "dn: cn=Ann Lee,dc=example,dc=org\n"
                  "objectClass: inetOrgPerson\n"
                  "cn: Ann Lee\n"
                  "GivenName: Ann\n"
                  "SN: Lee\n"
                  "Mail: ann@example.org\n"
                  "mail: second@example.org\n"
                  "telephoneNumber: 555-0100\n"
                  "facsimileTelephoneNumber: 555-0199\n"
                  "l: Town\n"
                  "st: State\n"
                  "postalCode: 12345\n"
                  "c: NZ\n"
                  "title: Chief\n"
                  "ou: Unit\n"
                  "o: Org\n"
                  " continued line\n"
                  "description: ignored\n"
                  "\n"
                  "dn: cn=Zoë Ångström,dc=example,dc=org\r\n"
                  "cn: Zoë Ångström\r\n"
                  "mail: zoe@example.org"));
    const std::vector<TAddressBookCard> cards = Imported();
    ASSERT_EQ(cards.size(), 2u);
    const TAddressBookCard& ann = cards[0];
    EXPECT_EQ(ann.DisplayName, QStringLiteral("Ann Lee"));
    EXPECT_EQ(ann.FirstName, QStringLiteral("Ann"));
    EXPECT_EQ(ann.LastName, QStringLiteral("Lee"));
    EXPECT_EQ(ann.EmailAddress, QStringLiteral("second@example.org"));
    EXPECT_EQ(ann.Phone, QStringLiteral("555-0100"));
    EXPECT_EQ(ann.Fax, QStringLiteral("555-0199"));
    EXPECT_EQ(ann.City, QStringLiteral("Town"));
    EXPECT_EQ(ann.Prov, QStringLiteral("State"));
    EXPECT_EQ(ann.Postcode, QStringLiteral("12345"));
    EXPECT_EQ(ann.Country, QStringLiteral("NZ"));
    EXPECT_EQ(ann.Title, QStringLiteral("Chief"));
    EXPECT_EQ(ann.Department, QStringLiteral("Unit"));
    EXPECT_EQ(ann.Company, QStringLiteral("Org"));
    EXPECT_EQ(cards[1].DisplayName, QStringLiteral("Zoë Ångström"));
    EXPECT_EQ(cards[1].EmailAddress, QStringLiteral("zoe@example.org"));
}

TEST_F(LdifImportTest, BlankLinesAndEntriesWithoutKnownAttributes) {
    // Blank lines at the top insert nothing; an entry of dn and objectClass lines inserts an empty card; a
    // base64 value is taken as written.
    book.ImportLdif(
        WriteLdif("\n"
                  "  \n"
                  "dn: cn=x\n"
                  "objectClass: top\n"
                  "\n"
                  "\n"
                  "cn:: Wm/Dqw==\n"
                  "mail:nospace@example.org\n"
                  "\n"));
    const std::vector<TAddressBookCard> cards = Imported();
    ASSERT_EQ(cards.size(), 2u);
    EXPECT_EQ(cards[0].DisplayName, QString());
    EXPECT_EQ(cards[0].EmailAddress, QString());
    EXPECT_EQ(cards[1].DisplayName, QStringLiteral(" Wm/Dqw=="));
    EXPECT_EQ(cards[1].EmailAddress, QStringLiteral("ospace@example.org"));
}

TEST_F(LdifImportTest, AFailingInsertStopsTheImportAndKeepsTheCardsBeforeIt) {
    const QByteArray tooLong(51, 'x');
    EXPECT_THROW(book.ImportLdif(WriteLdif("cn: First\nmail: a@example.org\n\ncn: " + tooLong +
                                           "\nmail: b@example.org\n\ncn: Third\nmail: c@example.org\n")),
                 Exception);
    const std::vector<TAddressBookCard> cards = Imported();
    ASSERT_EQ(cards.size(), 1u);
    EXPECT_EQ(cards[0].DisplayName, QStringLiteral("First"));

    EXPECT_THROW(book.ImportLdif(QDir(testing_env::TempDir()).filePath(QStringLiteral("missing.ldif"))), EInOutError);
}

}  // namespace
}  // namespace address_book_test
