// The message's lists, the result texts and the mail program's address book, which this desktop does not have.
#include "mail/core/DvMapi.h"

#include "support/TempDesktop.h"
#include "util/core/DvRegistry.h"

#include <gtest/gtest.h>

TEST(MapiLists, ARecipientWithoutANameIsNamedByItsAddress) {
    TDvMapiRecipList list;
    list.Add(MAPI_BCC, QString(), QStringLiteral("a@x.org"));
    list.Add(MAPI_TO, QString(), QString());
    list.Add(MAPI_CC, QStringLiteral("Ann"), QStringLiteral(" a@x.org"));
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Items(0).RecipClass, MAPI_BCC);
    EXPECT_EQ(list.Items(0).Name, QStringLiteral("a@x.org"));
    EXPECT_EQ(list.Items(0).Address, QStringLiteral("SMTP:a@x.org"));
    EXPECT_EQ(list.Items(1).Name, QString());
    EXPECT_EQ(list.Items(1).Address, QStringLiteral("SMTP:"));
    EXPECT_EQ(list.Items(2).Name, QStringLiteral("Ann"));
    EXPECT_EQ(list.Items(2).Address, QStringLiteral("SMTP: a@x.org"));
    list.Clear();
    EXPECT_EQ(list.Count(), 0);

    TDvMapiFileDescList files;
    files.Add(QStringLiteral("/tmp/a.pdf"), QStringLiteral("a.pdf"));
    EXPECT_EQ(files.Items(0).PathName, QStringLiteral("/tmp/a.pdf"));
    files.Clear();
    EXPECT_EQ(files.Count(), 0);
}

TEST(MapiLists, ResultCodesHaveTheirTexts) {
    const struct {
        qint32 code;
        const char* text;
    } cases[] = {{1, "User cancelled request"},  {11, "Attachment not found"},  {18, "Text too large."},
                 {26, "Not supported"},          {0, "Unknown Error Code: 0"},  {7, "Unknown Error Code: 7"},
                 {27, "Unknown Error Code: 27"}, {-1, "Unknown Error Code: -1"}};
    for (const auto& c : cases) EXPECT_EQ(MapiErrorText(c.code), QString::fromUtf8(c.text)) << c.code;
    EXPECT_EQ(TDvMapiConnection().LastMapiErrorStr(), QStringLiteral("Unknown Error Code: 0"));
}

TEST(MapiLists, TheMailProgramsAddressBookNeverOpensAndTheHolderStaysEmpty) {
    testing_env::TempDesktop desktop;
    desktop.InstallXdgEmail(0);
    desktop.AddDefaultMailClient(QStringLiteral("outlook express"));
    // An address book file named in the registry: there is no library to open it with.
    TDvRegistry registry;
    registry.SetRootKey(HKEY_CURRENT_USER);
    ASSERT_TRUE(registry.OpenKey(QStringLiteral("\\Software\\Microsoft\\WAB\\WAB4\\Wab File Name"), true));
    registry.WriteString(QString(), QStringLiteral("/home/user/contacts.wab"));

    TDvMapiConnection connection;
    EXPECT_TRUE(connection.IsOutlookExpress());
    EXPECT_FALSE(connection.OpenAddressBook());
    ASSERT_TRUE(connection.Logon(QString(), QString()));
    EXPECT_FALSE(connection.OpenAddressBook());

    TDvWab wab;
    EXPECT_FALSE(wab.Open());
    EXPECT_EQ(wab.FileName, QString());

    TDvMapiAddressBook& book = connection.AddressBook;
    auto held = std::make_unique<TDvWab>();
    held->Entries.Add().DisplayName = QStringLiteral("Ann");
    book.SetWab(std::move(held));
    EXPECT_EQ(book.Count(), 1);
    EXPECT_EQ(book.Entries(0)->DisplayName, QStringLiteral("Ann"));
    book.Close();
    EXPECT_EQ(book.Search(QString()), 0);
    EXPECT_EQ(book.Count(), 0);
    EXPECT_EQ(book.Entries(0), nullptr);
}

TEST(MapiLists, TheEntryListOwnsEntriesWithEmptyTexts) {
    TDvWabEntryList entries;
    entries.Add().DisplayName = QStringLiteral("Ann");
    entries.Add();
    ASSERT_EQ(entries.Count(), 2);
    EXPECT_EQ(entries.Items(0).DisplayName, QStringLiteral("Ann"));
    EXPECT_EQ(entries.Items(1).HomeAddressPostalCode, QString());
    EXPECT_TRUE(entries.Items(1).EntryId.isEmpty());
    entries.Clear();
    EXPECT_EQ(entries.Count(), 0);
}
