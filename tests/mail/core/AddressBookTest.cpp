// The database's address book on a real database file: search, adding, changing and deleting cards.
#include "AddressBookFixture.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FormatSettings.h"

namespace address_book_test {
namespace {

TEST_F(AddressBookTest, FindListsCardsWhoseNamesOrAddressBeginWithTheTextInAnyCase) {
    TAddressBookCard byLastName = Card(QStringLiteral("Bob"), QStringLiteral("bob@example.org"));
    byLastName.LastName = QStringLiteral("ANDERSEN");
    TAddressBookCard byNickname = Card(QStringLiteral("Carl"), QStringLiteral("carl@example.org"));
    byNickname.Nickname = QStringLiteral("annie");
    book.AddCard(Card(QStringLiteral("Zed"), QStringLiteral("Andy@example.org")));
    book.AddCard(byNickname);
    book.AddCard(Card(QStringLiteral("Dan"), QStringLiteral("dan@example.org")));
    book.AddCard(byLastName);
    book.AddCard(Card(QStringLiteral("anna Berg"), QStringLiteral("berg@example.org")));

    EXPECT_EQ(book.Find(QStringLiteral("an"), TAddressBook::kFindAll), 4);
    EXPECT_EQ(FoundDisplayNames(QStringLiteral("an")), (QStringList{"anna Berg", "Bob", "Carl", "Zed"}));
    const TAddressBookCard& found = *book.Cards.Items(1);
    EXPECT_GT(found.Id, 0);
    EXPECT_EQ(found.LastName, QStringLiteral("ANDERSEN"));
    EXPECT_EQ(found.Nickname, QString());
    // Stored as a date-time, read back as one.
    EXPECT_NEAR(found.LastUsed, kNow, 1.0 / 86400);

    // The empty text lists every card; the wildcards of the database act as such.
    EXPECT_EQ(FoundDisplayNames(QString()), (QStringList{"anna Berg", "Bob", "Carl", "Dan", "Zed"}));
    EXPECT_EQ(FoundDisplayNames(QStringLiteral("_a")), (QStringList{"Carl", "Dan"}));
}

TEST_F(AddressBookTest, QuotesInValuesAndSearchTextsAreKeptAsTyped) {
    TAddressBookCard card = Card(QStringLiteral("O'Brien \"Bob\""), QStringLiteral("o'brien@example.org"));
    card.Company = QStringLiteral("\"Quotes\" & 'Co': 100%");
    book.AddCard(card);
    book.AddCard(Card(QStringLiteral("O'Hara"), QStringLiteral("hara@example.org")));

    ASSERT_EQ(book.Find(QStringLiteral("O'Brien \"B"), TAddressBook::kFindAll), 1);
    EXPECT_EQ(book.Cards.Items(0)->DisplayName, QStringLiteral("O'Brien \"Bob\""));
    EXPECT_EQ(book.Cards.Items(0)->EmailAddress, QStringLiteral("o'brien@example.org"));
    EXPECT_EQ(book.Cards.Items(0)->Company, QStringLiteral("\"Quotes\" & 'Co': 100%"));
    EXPECT_EQ(book.Find(QStringLiteral("O'"), TAddressBook::kFindAll), 2);
}

TEST_F(AddressBookTest, AddAddressCutsTheNameAtItsLastBlank) {
    struct Case {
        const char* name;
        const char* first;
        const char* last;
        const char* display;
    };
    const Case cases[] = {{"Ann Marie Lee", "Ann Marie", "Lee", "Ann Marie Lee"},
                          {"Plato", "", "Plato", " Plato"},
                          {"Ann  Lee", "Ann", "Lee", "Ann Lee"},
                          {" Ann Lee ", "Ann Lee", "", "Ann Lee "}};
    for (const Case& c : cases) {
        book.AddAddress(QString::fromUtf8(c.name), QStringLiteral("x@example.org"));
        ASSERT_EQ(book.Find(QStringLiteral("x@"), TAddressBook::kFindAll), 1) << c.name;
        const TAddressBookCard& card = *book.Cards.Items(0);
        EXPECT_EQ(card.FirstName, QString::fromUtf8(c.first)) << c.name;
        EXPECT_EQ(card.LastName, QString::fromUtf8(c.last)) << c.name;
        EXPECT_EQ(card.DisplayName, QString::fromUtf8(c.display)) << c.name;
        EXPECT_EQ(card.EmailAddress, QStringLiteral("x@example.org"));
        ASSERT_TRUE(book.DeleteCard(card.Id));
    }
    // Each send to one recipient adds a card.
    book.AddAddress(QStringLiteral("Ann Lee"), QStringLiteral("ann@example.org"));
    book.AddAddress(QStringLiteral("Ann Lee"), QStringLiteral("ann@example.org"));
    EXPECT_EQ(book.Find(QStringLiteral("ann@"), TAddressBook::kFindAll), 2);
}

TEST_F(AddressBookTest, UpdateTouchAndDeleteWorkByIdAndAnswerFalseForAMissingOne) {
    book.AddCard(Card(QStringLiteral("Ann"), QStringLiteral("ann@example.org")));
    ASSERT_EQ(book.Find(QStringLiteral("Ann"), TAddressBook::kFindAll), 1);
    const qint32 id = book.Cards.Items(0)->Id;

    clock->SetNow(kNow + 1);
    TAddressBookCard changed = *book.Cards.Items(0);
    changed.Department = QStringLiteral("Sales");
    changed.Fax = QStringLiteral("555-0199");
    book.UpdateCard(id, changed);
    ASSERT_EQ(book.Find(QStringLiteral("Ann"), TAddressBook::kFindAll), 1);
    EXPECT_EQ(book.Cards.Items(0)->Department, QStringLiteral("Sales"));
    EXPECT_EQ(book.Cards.Items(0)->Fax, QStringLiteral("555-0199"));
    EXPECT_NEAR(book.Cards.Items(0)->LastUsed, kNow + 1, 1.0 / 86400);

    // The stamp does not depend on the user's date and time formats.
    clock->SetNow(kNow + 2);
    const TFormatSettings saved = FormatSettings;
    FormatSettings.DateSeparator = u'.';
    FormatSettings.TimeSeparator = u'h';
    FormatSettings.ShortDateFormat = QStringLiteral("dd/mm/yyyy");
    const bool touched = book.TouchCard(id);
    FormatSettings = saved;
    EXPECT_TRUE(touched);
    EXPECT_FALSE(book.TouchCard(id + 1));
    EXPECT_FALSE(book.DeleteCard(id + 1));
    ASSERT_EQ(book.Find(QString(), TAddressBook::kFindAll), 1);
    EXPECT_NEAR(book.Cards.Items(0)->LastUsed, kNow + 2, 1.0 / 86400);
    EXPECT_TRUE(book.DeleteCard(id));
    EXPECT_EQ(book.Find(QString(), TAddressBook::kFindAll), 0);
    EXPECT_EQ(book.Cards.Count(), 0);
}

TEST_F(AddressBookTest, ATextLongerThanItsColumnRaisesAndWritesNothing) {
    book.AddCard(Card(QStringLiteral("Ann"), QStringLiteral("ann@example.org")));
    ASSERT_EQ(book.Find(QStringLiteral("Ann"), TAddressBook::kFindAll), 1);
    const qint32 id = book.Cards.Items(0)->Id;
    TAddressBookCard tooLong = Card(QStringLiteral("Bea"), QStringLiteral("bea@example.org"));
    tooLong.FirstName = QString(21, u'x');
    EXPECT_THROW(book.AddCard(tooLong), Exception);
    EXPECT_THROW(book.UpdateCard(id, tooLong), Exception);
    ASSERT_EQ(book.Find(QString(), TAddressBook::kFindAll), 1);
    EXPECT_EQ(book.Cards.Items(0)->DisplayName, QStringLiteral("Ann"));
    EXPECT_EQ(book.Cards.Items(0)->FirstName, QString());
}

TEST(AddressBookCardTest, CardsCopiedFromDirectoryAndMailProgramEntries) {
    TDvLDAPEntry entry;
    entry.givenname = QStringLiteral("Ann");
    entry.sn = QStringLiteral("Lee");
    entry.displayname = QStringLiteral("Ann Lee");
    entry.cn = QStringLiteral("not used");
    entry.mail = QStringLiteral("ann@example.org");
    entry.o = QStringLiteral("Org");
    entry.ou = QStringLiteral("Unit");
    entry.title = QStringLiteral("Chief");
    entry.postaladdress = QStringLiteral("1 Road");
    entry.l = QStringLiteral("Town");
    entry.st = QStringLiteral("State");
    entry.postalcode = QStringLiteral("12345");
    entry.telephonenumber = QStringLiteral("555-0100");
    entry.facsimiletelephonenumber = QStringLiteral("555-0199");
    TAddressBookCardList list;
    TAddressBookCard* fromDirectory = list.AddLDAPEntry(entry);
    EXPECT_EQ(fromDirectory->Id, -1);
    const QStringList directoryTexts{"Ann",      "Lee",     "", "Ann Lee", "ann@example.org", "Org",   "Unit",
                                     "Chief",    "1 Road",  "", "Town",    "State",           "12345", "",
                                     "555-0100", "555-0199"};
    QStringList texts;
    for (const auto& column : TAddressBookCard::Columns()) texts << fromDirectory->*column.second;
    EXPECT_EQ(texts, directoryTexts);

    TDvWabEntry contact;
    contact.GivenName = QStringLiteral("Bea");
    contact.Surname = QStringLiteral("Ray");
    contact.Nickname = QStringLiteral("B");
    contact.DisplayName = QStringLiteral("Bea Ray");
    contact.EmailAddress = QStringLiteral("bea@example.org");
    contact.CompanyName = QStringLiteral("Co");
    contact.DepartmentName = QStringLiteral("Dept");
    contact.Title = QStringLiteral("Boss");
    contact.StreetAddress = QStringLiteral("2 Lane");
    contact.Locality = QStringLiteral("City");
    contact.StateOrProvince = QStringLiteral("Prov");
    contact.PostalCode = QStringLiteral("999");
    contact.Country = QStringLiteral("not used");
    contact.BusinessTelephoneNumber = QStringLiteral("1");
    contact.BusinessFaxNumber = QStringLiteral("2");
    TAddressBookCard* fromContact = list.AddWabEntry(contact);
    texts.clear();
    for (const auto& column : TAddressBookCard::Columns()) texts << fromContact->*column.second;
    EXPECT_EQ(texts, (QStringList{"Bea", "Ray", "B", "Bea Ray", "bea@example.org", "Co", "Dept", "Boss", "2 Lane", "",
                                  "City", "Prov", "999", "", "1", "2"}));

    // A copy keeps the id and the texts, not the date.
    fromContact->LastUsed = 5;
    TAddressBookCard* copy = list.AddCopy(*fromContact);
    EXPECT_EQ(copy->Id, -1);
    EXPECT_EQ(copy->Fax, QStringLiteral("2"));
    EXPECT_EQ(copy->LastUsed, 0);
    EXPECT_EQ(list.Count(), 3);
    copy->Clear();
    EXPECT_EQ(copy->Id, 0);
    EXPECT_EQ(copy->DisplayName, QString());
}

}  // namespace
}  // namespace address_book_test
