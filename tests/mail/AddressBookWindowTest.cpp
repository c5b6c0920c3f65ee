// The address book window: its sources, searching the own address book and a directory, the card panel, sorting,
// the card and directory commands, picking a card, the View switches and the import.
#include "AddressBookWindowFixture.h"
#include "SmtpTestServer.h"
#include "mail/AddressBookCardForm.h"
#include "mail/ImportAddressBookWizard.h"
#include "mail/LDAPServerPropertiesForm.h"
#include "platform/db/ADODataSet.h"
#include "platform/db/Field.h"
#include "platform/ui/Bars.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Containers.h"
#include "platform/ui/Edits.h"
#include "platform/ui/Label.h"
#include "platform/ui/ListView.h"
#include "platform/ui/Lists.h"
#include "platform/ui/Menus.h"
#include "platform/ui/Timer.h"
#include "platform/ui/ToolBar.h"
#include "support/TextFit.h"
#include "util/core/DvRegistry.h"

#include <QApplication>
#include <QFile>
#include <QTest>

namespace address_book_window_test {

std::unique_ptr<testing_ldap::LdapTestServer> AddressBookWindowTest::directory_;

std::vector<QString> AddressBookWindowTest::Captions(const TListView& list) {
    std::vector<QString> captions;
    for (int i = 0; i < list.ItemCount(); ++i) captions.push_back(list.Item(i).Caption());
    return captions;
}

namespace {

QString Status(const TAddressBookForm& window) { return window.StatusBar->SimpleText(); }

void SelectOnlyRow(TListView& list, int row) {
    list.clearSelection();
    list.Item(row).SetSelected(true);
}

void SelectSourceNamed(TAddressBookForm& window, const QString& caption) {
    for (int i = 0; i < window.AddressBookListView->ItemCount(); ++i)
        if (window.AddressBookListView->Item(i).Caption() == caption) SelectOnlyRow(*window.AddressBookListView, i);
}

void StorePreference(const QString& source) {
    TDvRegistry reg;
    ASSERT_TRUE(reg.OpenKey(VersionHistory->GetCurrentKey(), true));
    reg.WriteString(QStringLiteral("PrefAddressBook"), source);
}

int CardCount(TADOConnection& connection) {
    TADOQuery query;
    query.SetConnection(&connection);
    query.SQL.Add(QStringLiteral("select count(*) as n from AddressBook"));
    query.Open();
    return query.FieldByName(QStringLiteral("n")).AsInteger();
}

}  // namespace

TEST_F(AddressBookWindowTest, SourcesInOrderAndTheStoredPreferenceChoosesOneIgnoringCase) {
    AddDirectory(QStringLiteral("Corp"));
    AddDirectory(QStringLiteral("Branch"));
    const std::pair<const char*, const char*> cases[] = {{"corp", "Corp"}, {"gone", "Tavorin"}, {"", "Tavorin"}};
    for (const auto& [stored, chosen] : cases) {
        StorePreference(QString::fromLatin1(stored));
        window = std::make_unique<TAddressBookForm>(data);
        Run([&, chosen = chosen](TAddressBookForm& w) {
            EXPECT_EQ(
                Captions(*w.AddressBookListView),
                (std::vector<QString>{QStringLiteral("Tavorin"), QStringLiteral("Corp"), QStringLiteral("Branch")}));
            ASSERT_NE(w.AddressBookListView->Selected(), nullptr);
            EXPECT_EQ(w.AddressBookListView->Selected()->Caption(), QString::fromLatin1(chosen));
            // No mail program address book on this system: never listed, its item off.
            EXPECT_FALSE(w.MapiAddressBookItem->Enabled());
            EXPECT_FALSE(w.MapiAddressBookItem->Checked());
            EXPECT_TRUE(w.InternalAddressBookItem->Checked());
            EXPECT_EQ(w.InternalAddressBookItem->Caption(), QStringLiteral("Tavorin Address Book"));
        });
    }
}

TEST_F(AddressBookWindowTest, OwnSourceListsEverythingAndSearchesAfterTheLastKeyOrAtEnter) {
    AddCard(QStringLiteral("Ann"), QStringLiteral("Lee"), QStringLiteral("ann@x.org"), QStringLiteral("555 0100"),
            QStringLiteral("Acme"));
    AddCard(QStringLiteral("Andy"), QStringLiteral("Moss"), QStringLiteral("andy@x.org"));
    AddCard(QStringLiteral("Zed"), QStringLiteral("Ray"), QStringLiteral("zed@x.org"));
    Run([&](TAddressBookForm& w) {
        EXPECT_EQ(Status(w), QStringLiteral("Total Cards: 3"));
        EXPECT_EQ(
            Captions(*w.CardListView),
            (std::vector<QString>{QStringLiteral("Andy Moss"), QStringLiteral("Ann Lee"), QStringLiteral("Zed Ray")}));
        EXPECT_EQ(w.CardListView->Selected(), &w.CardListView->Item(0));

        QTest::keyClick(w.SearchEdit, Qt::Key_A);
        timers.Advance(700);
        QTest::keyClick(w.SearchEdit, Qt::Key_N);
        timers.Advance(700);
        EXPECT_EQ(Status(w), QStringLiteral("Total Cards: 3"));  // each key starts the wait again
        timers.Advance(50);
        EXPECT_EQ(Status(w), QStringLiteral("2 matches found"));
        EXPECT_FALSE(w.Timer->Enabled());

        w.SearchEdit->SetText(QStringLiteral("zed"));
        QTest::keyClick(w.SearchEdit, Qt::Key_Return);
        EXPECT_EQ(Status(w), QStringLiteral("1 matches found"));
        EXPECT_EQ(Captions(*w.CardListView), std::vector<QString>{QStringLiteral("Zed Ray")});

        w.ClearButton->Click();
        EXPECT_EQ(w.SearchEdit->Text(), QString());
        EXPECT_EQ(Status(w), QStringLiteral("Total Cards: 3"));
    });
}

TEST_F(AddressBookWindowTest, CardPanelShowsTheFilledLabelsStackedAtTheLineStep) {
    AddCard(QStringLiteral("Ann"), QStringLiteral("Lee"), QStringLiteral("ann@x.org"), QStringLiteral("555 0100"),
            QStringLiteral("Acme"));
    Run([&](TAddressBookForm& w) {
        EXPECT_EQ(w.TopLabel->Caption(), QStringLiteral("Card for Ann Lee"));
        EXPECT_EQ(w.DisplayNameLabel->Caption(), QStringLiteral("Display Name: Ann Lee"));
        EXPECT_EQ(w.EmailLabel->Caption(), QStringLiteral("Email: ann@x.org"));
        EXPECT_EQ(w.WorkPhoneLabel->Caption(), QStringLiteral("Work: 555 0100"));
        EXPECT_EQ(w.CompanyLabel->Caption(), QStringLiteral("Acme"));
        EXPECT_FALSE(w.NickNameLabel->Visible());
        EXPECT_FALSE(w.FaxLabel->Visible());
        EXPECT_FALSE(w.TitleLabel->Visible());
        EXPECT_FALSE(w.HomeHeaderLabel->Visible());
        const int step = w.ReferenceLabel->Top() - w.ContactHeaderLabel->Top();
        EXPECT_EQ(w.DisplayNameLabel->Top(), w.ContactHeaderLabel->Top() + step);
        EXPECT_EQ(w.EmailLabel->Top(), w.ContactHeaderLabel->Top() + 2 * step);
        EXPECT_EQ(w.WorkPhoneLabel->Top(), w.PhoneHeaderLabel->Top() + step);
        // One empty step between the phone and the work group.
        EXPECT_EQ(w.WorkHeaderlabel->Top(), w.PhoneHeaderLabel->Top() + 3 * step);
        EXPECT_EQ(w.CompanyLabel->Top(), w.WorkHeaderlabel->Top() + step);

        w.SearchEdit->SetText(QStringLiteral("nobody"));
        w.SearchButton->Click();
        EXPECT_EQ(w.TopLabel->Caption(), QStringLiteral("Card for "));
        EXPECT_FALSE(w.TopLabel->Visible());
        EXPECT_FALSE(w.ContactHeaderLabel->Visible());
    });
}

TEST_F(AddressBookWindowTest, HeaderClicksSortAndMoveTheArrow) {
    AddCard(QStringLiteral("Ann"), QStringLiteral("Lee"), QStringLiteral("a@x.org"), QStringLiteral("2"));
    AddCard(QStringLiteral("Bob"), QStringLiteral("Lee"), QStringLiteral("b@x.org"), QStringLiteral("3"));
    AddCard(QStringLiteral("Cy"), QStringLiteral("Lee"), QStringLiteral("c@x.org"), QStringLiteral("1"));
    Run([&](TAddressBookForm& w) {
        timers.Advance(1);
        EXPECT_EQ(w.CardListView->Column(0).ImageIndex(), 0);
        w.CardListViewColumnClick(2);
        EXPECT_EQ(Captions(*w.CardListView), (std::vector<QString>{QStringLiteral("Cy Lee"), QStringLiteral("Ann Lee"),
                                                                   QStringLiteral("Bob Lee")}));
        EXPECT_EQ(w.CardListView->Column(0).ImageIndex(), -1);
        EXPECT_EQ(w.CardListView->Column(2).ImageIndex(), 0);
        w.CardListViewColumnClick(2);
        EXPECT_EQ(Captions(*w.CardListView), (std::vector<QString>{QStringLiteral("Bob Lee"), QStringLiteral("Ann Lee"),
                                                                   QStringLiteral("Cy Lee")}));
        EXPECT_EQ(w.CardListView->Column(2).ImageIndex(), 1);
    });
}

TEST_F(AddressBookWindowTest, DeletingOwnCardsAsksFirstAndDirectoryRowsAreNeverDeleted) {
    AddCard(QStringLiteral("Ann"), QStringLiteral("Lee"), QStringLiteral("ann@x.org"));
    AddCard(QStringLiteral("Bob"), QStringLiteral("Lee"), QStringLiteral("bob@x.org"));
    AddCard(QStringLiteral("Cy"), QStringLiteral("Lee"), QStringLiteral("cy@x.org"));
    AddDirectory(QStringLiteral("Corp"));
    auto& messages = testing_env::Messages();
    Run([&](TAddressBookForm& w) {
        w.SetActiveControl(w.CardListView);
        w.SelectAllItem->Click();
        messages.QueueAnswer(mrCancel);
        w.DeleteItem->Click();
        EXPECT_EQ(messages.Texts().back(),
                  QStringLiteral("You are about to delete 3 address cards. Do you want to continue?"));
        EXPECT_EQ(CardCount(connection), 3);

        SelectOnlyRow(*w.CardListView, 0);
        messages.QueueAnswer(mrOk);
        w.DeleteToolButton->Click();
        EXPECT_EQ(messages.Texts().back(), QStringLiteral("Delete card for Ann Lee <ann@x.org>"));
        EXPECT_EQ(Captions(*w.CardListView),
                  (std::vector<QString>{QStringLiteral("Bob Lee"), QStringLiteral("Cy Lee")}));
        EXPECT_EQ(Status(w), QStringLiteral("Total Cards: 2"));

        SelectSourceNamed(w, QStringLiteral("Corp"));
        w.SearchEdit->SetText(QStringLiteral("Lee"));
        w.SearchButton->Click();
        ASSERT_EQ(w.CardListView->ItemCount(), 2);
        w.SetActiveControl(w.CardListView);
        const size_t shown = messages.Texts().size();
        w.DeleteItem->Click();
        EXPECT_EQ(messages.Texts().size(), shown);
        EXPECT_EQ(w.CardListView->ItemCount(), 2);
    });
    EXPECT_EQ(CardCount(connection), 2);
}

TEST_F(AddressBookWindowTest, CommandsThatDoNotApplyToTheSourceSaySo) {
    AddDirectory(QStringLiteral("Corp"));
    auto& messages = testing_env::Messages();
    Run([&](TAddressBookForm& w) {
        w.SetActiveControl(w.AddressBookListView);
        w.PropertiesToolButton->Click();
        EXPECT_EQ(messages.Texts().back(), QStringLiteral("No properties"));
        SelectSourceNamed(w, QStringLiteral("Corp"));
        w.NewCardToolButton->Click();
        EXPECT_EQ(messages.Texts().back(), QStringLiteral("Not implemented"));
    });
}

TEST_F(AddressBookWindowTest, NewCardAndTwoEditsInARowAreStored) {
    AddCard(QStringLiteral("Bob"), QStringLiteral("Lee"), QStringLiteral("bob@x.org"));
    runner->OnShown<TAddressBookCardForm>(QStringLiteral("AddressBookCardForm"), [](TAddressBookCardForm& d) {
        EXPECT_EQ(d.Caption(), QStringLiteral("Address Book Card"));
        EXPECT_EQ(d.ActiveControl(), d.FirstnameEdit);
        QTest::keyClicks(d.FirstnameEdit, QStringLiteral("Ann"));
        QTest::keyClicks(d.LastnameEdit, QStringLiteral("Lee"));
        EXPECT_EQ(d.DisplayNameEdit->Text(), QStringLiteral("Ann Lee"));
        d.EmailAddressEdit->SetText(QStringLiteral("ann@x.org"));
        d.OkButton->Click();
    });
    for (const char* department : {"Sales", "Support"})
        runner->OnShown<TAddressBookCardForm>(QStringLiteral("AddressBookCardForm"),
                                              [department](TAddressBookCardForm& d) {
                                                  // An existing card keeps its display name when the name changes.
                                                  QTest::keyClicks(d.FirstnameEdit, QStringLiteral("x"));
                                                  EXPECT_EQ(d.DisplayNameEdit->Text(), QStringLiteral("Ann Lee"));
                                                  d.DepartmentEdit->SetText(QString::fromLatin1(department));
                                                  d.OkButton->Click();
                                              });
    Run([&](TAddressBookForm& w) {
        w.NewCardItem->Click();
        EXPECT_EQ(Status(w), QStringLiteral("Total Cards: 2"));
        SelectOnlyRow(*w.CardListView, 0);
        w.SetActiveControl(w.CardListView);
        w.PropertiesItem->Click();
        EXPECT_EQ(w.DepartmentLabel->Caption(), QStringLiteral("Sales"));
        w.PropertiesItem->Click();
        EXPECT_EQ(w.DepartmentLabel->Caption(), QStringLiteral("Support"));
        EXPECT_EQ(w.CardListView->Item(0).Caption(), QStringLiteral("Ann Lee"));
    });
    data.AddressBook->Find(QStringLiteral("Ann"), TAddressBook::kFindAll);
    ASSERT_EQ(data.AddressBook->Cards.Count(), 1);
    EXPECT_EQ(data.AddressBook->Cards.Items(0)->Department, QStringLiteral("Support"));
    EXPECT_EQ(data.AddressBook->Cards.Items(0)->FirstName, QStringLiteral("Annxx"));
    EXPECT_EQ(data.AddressBook->Cards.Items(0)->EmailAddress, QStringLiteral("ann@x.org"));
}

TEST_F(AddressBookWindowTest, NewDirectoryIsWrittenUnderTheCurrentKeyWhenTheWindowCloses) {
    runner->OnShown<TLDAPServerPropertiesForm>(QStringLiteral("LDAPServerPropertiesForm"),
                                               [](TLDAPServerPropertiesForm& d) {
                                                   EXPECT_EQ(d.PortNumberEdit->Text(), QStringLiteral("389"));
                                                   EXPECT_EQ(d.MaxSizeEdit->Text(), QStringLiteral("100"));
                                                   d.NameEdit->SetText(QStringLiteral("Corp"));
                                                   d.HostnameEdit->SetText(QStringLiteral("ldap.corp.example"));
                                                   d.BaseDNEdit->SetText(QStringLiteral("dc=corp"));
                                                   d.MaxSizeEdit->SetText(QStringLiteral("0"));
                                                   d.OkButton->Click();
                                               });
    Run([&](TAddressBookForm& w) {
        w.NewLDAPItem->Click();
        EXPECT_EQ(Captions(*w.AddressBookListView),
                  (std::vector<QString>{QStringLiteral("Tavorin"), QStringLiteral("Corp")}));
        EXPECT_TRUE(w.ServersChanged);
        // Rebuilding the sources leaves none selected; the one chosen last is remembered.
        EXPECT_EQ(w.AddressBookListView->Selected(), nullptr);
        SelectSourceNamed(w, QStringLiteral("Corp"));
        w.CloseItem->Click();
    });
    TDvRegistry reg;
    ASSERT_TRUE(reg.OpenKeyReadOnly(VersionHistory->GetCurrentKey() + QStringLiteral("\\LDAP\\Corp")));
    EXPECT_EQ(reg.ReadString(QStringLiteral("Name")), QStringLiteral("Corp"));
    EXPECT_EQ(reg.ReadString(QStringLiteral("Hostname")), QStringLiteral("ldap.corp.example"));
    EXPECT_EQ(reg.ReadString(QStringLiteral("Base")), QStringLiteral("dc=corp"));
    EXPECT_EQ(reg.ReadString(QStringLiteral("Bind")), QString());
    for (const auto& [name, value] : {std::pair{"Port", 389}, {"SSL", 0}, {"SizeLimit", 100}}) {
        EXPECT_EQ(reg.GetDataType(QString::fromLatin1(name)), rdInteger) << name;
        EXPECT_EQ(reg.ReadInteger(QString::fromLatin1(name)), value) << name;
    }
    reg.CloseKey();
    ASSERT_TRUE(reg.OpenKeyReadOnly(VersionHistory->GetCurrentKey()));
    EXPECT_EQ(reg.ReadString(QStringLiteral("PrefAddressBook")), QStringLiteral("Corp"));
}

TEST_F(AddressBookWindowTest, EditingADirectoryKeepsTheSizeLimitAsTypedAndStopsAtAFieldThatIsNoNumber) {
    TDvLDAPServer& server = AddDirectory(QStringLiteral("Corp"));
    const auto edit = [this](std::function<void(TLDAPServerPropertiesForm&)> typing) {
        runner->OnShown<TLDAPServerPropertiesForm>(QStringLiteral("LDAPServerPropertiesForm"), std::move(typing));
    };
    edit([](TLDAPServerPropertiesForm& d) {
        d.MaxSizeEdit->SetText(QStringLiteral("0"));
        d.BindDNEdit->SetText(QStringLiteral("cn=reader"));
        d.OkButton->Click();
    });
    edit([](TLDAPServerPropertiesForm& d) {
        d.NameEdit->SetText(QStringLiteral("Corp Two"));
        d.PortNumberEdit->SetText(QStringLiteral("x1"));
        d.BindDNEdit->SetText(QStringLiteral("cn=other"));
        d.OkButton->Click();
    });
    edit([](TLDAPServerPropertiesForm& d) {
        d.NameEdit->SetText(QStringLiteral("Ignored"));
        d.CancelButton->Click();
    });
    edit([](TLDAPServerPropertiesForm& d) {
        d.HostnameEdit->SetText(QStringLiteral("closed.example"));
        d.close();  // the close box keeps what was typed
    });
    Run([&](TAddressBookForm& w) {
        SelectSourceNamed(w, QStringLiteral("Corp"));
        w.SetActiveControl(w.AddressBookListView);
        w.PropertiesItem->Click();
        EXPECT_EQ(server.SizeLimit, 0);
        EXPECT_EQ(server.Bind, QStringLiteral("cn=reader"));
        EXPECT_TRUE(w.ServersChanged);
        w.ServersChanged = false;
        w.PropertiesItem->Click();
        EXPECT_EQ(server.ServerName, QStringLiteral("Corp Two"));
        EXPECT_EQ(server.Bind, QStringLiteral("cn=reader"));
        EXPECT_FALSE(w.ServersChanged);
        w.PropertiesItem->Click();
        EXPECT_EQ(server.ServerName, QStringLiteral("Corp Two"));
        w.PropertiesItem->Click();
        EXPECT_EQ(server.Hostname, QStringLiteral("closed.example"));
    });
}

TEST_F(AddressBookWindowTest, DeletingADirectoryAsksAndRebuildsTheSources) {
    AddDirectory(QStringLiteral("Corp"));
    auto& messages = testing_env::Messages();
    Run([&](TAddressBookForm& w) {
        SelectSourceNamed(w, QStringLiteral("Corp"));
        w.SetActiveControl(w.AddressBookListView);
        messages.QueueAnswer(mrOk);
        w.DeleteItem->Click();
        EXPECT_EQ(messages.Texts().back(), QStringLiteral("Delete LDAP server Corp"));
        EXPECT_EQ(Captions(*w.AddressBookListView), std::vector<QString>{QStringLiteral("Tavorin")});
        EXPECT_EQ(data.LDAPServerList.Count(), 0);
        EXPECT_TRUE(w.ServersChanged);
    });
}

TEST_F(AddressBookWindowTest, DirectorySearchCountsLimitsAndKeepsTheRowsWhenTheServerIsGone) {
    TDvLDAPServer& server = AddDirectory(QStringLiteral("Corp"));
    StorePreference(QStringLiteral("Corp"));
    Run([&](TAddressBookForm& w) {
        EXPECT_EQ(Status(w), QStringLiteral("Enter a search name"));
        EXPECT_EQ(w.CardListView->ItemCount(), 0);
        w.SearchEdit->SetText(QStringLiteral("Lee"));
        QTest::keyClick(w.SearchEdit, Qt::Key_Return);
        EXPECT_EQ(Status(w), QStringLiteral("2 matches found"));
        EXPECT_EQ(Captions(*w.CardListView),
                  (std::vector<QString>{QStringLiteral("Ann Lee"), QStringLiteral("Bob Lee")}));
        EXPECT_EQ(w.CardListView->Item(0).SubItem(0), QStringLiteral("ann@corp.example"));
        EXPECT_EQ(w.TopLabel->Caption(), QStringLiteral("Card for Ann Lee"));
        EXPECT_EQ(w.CompanyLabel->Caption(), QStringLiteral("Corp"));

        server.SizeLimit = 1;
        w.SearchButton->Click();
        EXPECT_EQ(Status(w), QStringLiteral("1 matches found - size limit reached"));
        server.SizeLimit = 100;
        w.SearchButton->Click();

        server.Port = testing_smtp::FreePort();
        w.SearchButton->Click();
        EXPECT_EQ(Status(w), QStringLiteral("Could not connect to server"));
        ASSERT_EQ(w.CardListView->ItemCount(), 2);
        SelectOnlyRow(*w.CardListView, 1);
        EXPECT_EQ(w.TopLabel->Caption(), QStringLiteral("Card for Bob Lee"));
    });
    EXPECT_EQ(server.Entries.Count(), 0);
}

TEST_F(AddressBookWindowTest, ADirectoryEntryOpensReadOnlyWithTheStreetAndIsPickedWithThePostalAddress) {
    AddDirectory(QStringLiteral("Corp"));
    StorePreference(QStringLiteral("Corp"));
    runner->OnShown<TAddressBookCardForm>(QStringLiteral("AddressBookCardForm"), [](TAddressBookCardForm& d) {
        EXPECT_EQ(d.Caption(), QStringLiteral("Address Book Card (Read Only)"));
        EXPECT_EQ(d.ActiveControl(), d.OkButton);
        EXPECT_EQ(d.Address1Edit->Text(), QStringLiteral("1 Street Lane"));
        EXPECT_EQ(d.DisplayNameEdit->Text(), QString());  // the entry has no displayName
        for (TEdit* edit : {d.FirstnameEdit, d.CompanyEdit, d.FaxEdit}) {
            EXPECT_TRUE(edit->ReadOnly());
            EXPECT_EQ(edit->Color(), clBtnFace);
        }
        d.OkButton->Click();
    });
    TAddressBookCard* picked = nullptr;
    runner->OnShown<TAddressBookForm>(QStringLiteral("AddressBookForm"), [](TAddressBookForm& w) {
        w.SearchEdit->SetText(QStringLiteral("Ann"));
        w.SearchButton->Click();
        w.SetActiveControl(w.CardListView);
        w.PropertiesItem->Click();
        w.SelectButton->Click();
    });
    ASSERT_TRUE(window->SelectCard(picked));
    EXPECT_EQ(picked->Id, -1);
    EXPECT_EQ(picked->Address1, QStringLiteral("PO Box 7"));
    EXPECT_EQ(picked->EmailAddress, QStringLiteral("ann@corp.example"));
}

TEST_F(AddressBookWindowTest, PickingAnOwnCardStampsItAndCancelPicksNothing) {
    AddCard(QStringLiteral("Ann"), QStringLiteral("Lee"), QStringLiteral("ann@x.org"));
    timers.Clock().SetNow(kNow + 1.0);
    TAddressBookCard* picked = nullptr;
    runner->OnShown<TAddressBookForm>(QStringLiteral("AddressBookForm"),
                                      [](TAddressBookForm& w) { w.CardListView->OnDblClick(w.CardListView); });
    ASSERT_TRUE(window->SelectCard(picked));
    EXPECT_EQ(picked->DisplayName, QStringLiteral("Ann Lee"));
    EXPECT_GT(picked->Id, 0);
    data.AddressBook->Find(QString(), TAddressBook::kFindAll);
    EXPECT_NEAR(data.AddressBook->Cards.Items(0)->LastUsed, kNow + 1.0, 2.0 / 86400);

    window = std::make_unique<TAddressBookForm>(data);
    runner->OnShown<TAddressBookForm>(QStringLiteral("AddressBookForm"),
                                      [](TAddressBookForm& w) { w.CancelButton->Click(); });
    EXPECT_FALSE(window->SelectCard(picked));
}

TEST_F(AddressBookWindowTest, ViewItemHidesAndShowsTheOwnSource) {
    AddDirectory(QStringLiteral("Corp"));
    Run([&](TAddressBookForm& w) {
        w.InternalAddressBookItem->Click();
        EXPECT_FALSE(data.ShowInternalAddressBook);
        EXPECT_FALSE(w.InternalAddressBookItem->Checked());
        EXPECT_EQ(Captions(*w.AddressBookListView), std::vector<QString>{QStringLiteral("Corp")});
        w.InternalAddressBookItem->Click();
        EXPECT_TRUE(w.InternalAddressBookItem->Checked());
        EXPECT_EQ(Captions(*w.AddressBookListView),
                  (std::vector<QString>{QStringLiteral("Tavorin"), QStringLiteral("Corp")}));
    });
}

TEST_F(AddressBookWindowTest, ImportPagesInOrderImportTheFileAndSearchAgain) {
    const QString path = QDir(testing_env::TempDir()).filePath(QStringLiteral("people.ldif"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("version: 1\n\ncn: Ann Lee\nmail: ann@x.org\n\ncn: Bob Lee\nmail: bob@x.org\n");
    file.close();
    std::vector<QString> pages;
    const QString typePage = QStringLiteral("ImportAddressBookTypeWizardForm");
    const QString namePage = QStringLiteral("ImportAddressBookNameWizardForm");
    runner->OnShown<TImportAddressBookTypeWizardForm>(typePage, [&](TImportAddressBookTypeWizardForm& p) {
        pages.push_back(p.Caption());
        EXPECT_EQ(p.ImportTypeListBox->ItemIndex(), 0);
        p.NextButton->Click();
    });
    runner->OnShown<TImportAddressBookNameWizardForm>(namePage, [&](TImportAddressBookNameWizardForm& p) {
        pages.push_back(p.Caption());
        EXPECT_FALSE(p.NextButton->Enabled());
        p.FilenameEdit->SetText(QStringLiteral("   "));
        QTest::keyClick(p.FilenameEdit, Qt::Key_Return);  // nothing while the name is blank
        EXPECT_TRUE(p.Modal());
        p.PrevButton->Click();
    });
    runner->OnShown<TImportAddressBookTypeWizardForm>(typePage, [&](TImportAddressBookTypeWizardForm& p) {
        pages.push_back(p.Caption());
        p.NextButton->Click();
    });
    runner->OnShown<TImportAddressBookNameWizardForm>(namePage, [&](TImportAddressBookNameWizardForm& p) {
        pages.push_back(p.Caption());
        p.FilenameEdit->SetText(path);
        QTest::keyClick(p.FilenameEdit, Qt::Key_Return);
    });
    Run([&](TAddressBookForm& w) {
        EXPECT_EQ(Status(w), QStringLiteral("Total Cards: 0"));
        w.ImportItem->Click();
        EXPECT_EQ(Status(w), QStringLiteral("Total Cards: 2"));
    });
    const QString step1 = QStringLiteral("Ranvel Address Book Import Wizard - Step 1");
    const QString step2 = QStringLiteral("Ranvel Address Book Import Wizard - Step 2");
    EXPECT_EQ(pages, (std::vector<QString>{step1, step2, step1, step2}));
}

TEST_F(AddressBookWindowTest, ButtonsArePlacedFromTheRightAndTheColumnsShareTheWidth) {
    Run([&](TAddressBookForm& w) {
        for (bool picking : {true, false}) {
            w.SelectButton->SetVisible(picking);
            w.CancelButton->SetVisible(picking);
            w.PanelRightResize();
            const TButton* last = picking ? w.CancelButton : w.SearchButton;
            EXPECT_EQ(last->Left() + last->Width(), w.PanelRightTop->Width() - 2);
            EXPECT_EQ(w.ClearButton->Left() + w.ClearButton->Width() + 4, w.SearchButton->Left());
            EXPECT_EQ(w.SearchEdit->Left() + w.SearchEdit->Width() + 8, w.ClearButton->Left());
        }
        w.FormResize();
        EXPECT_EQ(w.CardListView->Column(0).Width(), w.CardListView->Width() * 30 / 100);
        EXPECT_EQ(w.CardListView->Column(2).Width(), w.CardListView->Width() * 20 / 100);
    });
}

// With TAVORIN_UI_SHOTS, the pictures of docs/.
TEST_F(AddressBookWindowTest, TheWindowAndItsDialogsShowTheirTextsWhole) {
    TAddressBookCard card;
    card.FirstName = QStringLiteral("Ann");
    card.LastName = QStringLiteral("Lee");
    card.Nickname = QStringLiteral("Annie");
    card.DisplayName = QStringLiteral("Ann Lee");
    card.EmailAddress = QStringLiteral("ann.lee@example.org");
    card.Company = QStringLiteral("Acme Travel");
    card.Department = QStringLiteral("Bookings");
    card.Title = QStringLiteral("Coordinator");
    card.Address1 = QStringLiteral("1 Harbour Street");
    card.City = QStringLiteral("Port Ellen");
    card.Postcode = QStringLiteral("PE1 2AB");
    card.Phone = QStringLiteral("555 0100");
    card.Fax = QStringLiteral("555 0101");
    data.AddressBook->AddCard(card);
    AddCard(QStringLiteral("Bob"), QStringLiteral("Moss"), QStringLiteral("bob@example.org"),
            QStringLiteral("555 0142"));
    AddCard(QStringLiteral("Cara"), QStringLiteral("Ray"), QStringLiteral("cara@example.org"), {},
            QStringLiteral("Ray & Sons"));
    AddDirectory(QStringLiteral("Corp"));
    testing_env::AtEachTestFont([&] {
        // As the main window opens it, for browsing.
        TAddressBookForm form(data);
        form.SelectButton->Hide();
        form.CancelButton->Hide();
        form.Show();
        QApplication::processEvents();
        form.PanelRightResize();
        timers.Advance(1);
        testing_env::ExpectTextsWhole(form);
        form.close();

        TAddressBookCardForm cardDialog;
        cardDialog.LoadCard(card);
        cardDialog.Show();
        QApplication::processEvents();
        testing_env::ExpectTextsWhole(cardDialog);

        TLDAPServerPropertiesForm serverDialog;
        serverDialog.NameEdit->SetText(QStringLiteral("Corp"));
        serverDialog.HostnameEdit->SetText(QStringLiteral("ldap.corp.example"));
        serverDialog.BaseDNEdit->SetText(QStringLiteral("dc=corp,dc=example"));
        serverDialog.Show();
        QApplication::processEvents();
        testing_env::ExpectTextsWhole(serverDialog);

        TImportAddressBookTypeWizardForm typePage;
        typePage.Show();
        QApplication::processEvents();
        testing_env::ExpectTextsWhole(typePage);
        TImportAddressBookNameWizardForm namePage;
        namePage.Show();
        QApplication::processEvents();
        testing_env::ExpectTextsWhole(namePage);
    });
}

}  // namespace address_book_window_test
