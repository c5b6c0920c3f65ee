// The database information, active users and About windows over a real file: what each line says of the open
// database, of no database, and where the links go.
#include "AdminFixture.h"

#include "admin/AboutForm.h"
#include "admin/DatabaseInfoForm.h"
#include "admin/UserListForm.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/SystemFacts.h"
#include "platform/ui/Edits.h"
#include "platform/ui/Label.h"
#include "platform/ui/ListView.h"
#include "support/TextFit.h"
#include "util/core/DvSysUtils.h"

#include <QApplication>

using namespace admin_test;

namespace {

class InformationWindows : public AdminTest {
protected:
    QString path = data_test::DbPath(QStringLiteral("information.tvd"));

    void Open(const QString& password = {}) {
        data_test::CreateDatabase(path, password).reset();
        ASSERT_TRUE(data.ConnectDatabase(path, password));
    }
    // A booking of the resource starting on the date, an hour long.
    void Book(int id, int resourceId, TDateTime day) {
        data.ADOConnection.Execute(QStringLiteral("INSERT INTO Bookings (BookingId, ResourceId, BookingStart, "
                                                  "BookingEnd, Client) VALUES (%1, %2, %3, %4, 'c')")
                                       .arg(id)
                                       .arg(resourceId)
                                       .arg(day + 0.375, 0, 'f', 6)
                                       .arg(day + 0.4166, 0, 'f', 6));
    }
    static QString Lines(TDatabaseInfoForm& info) {
        info.FormShow();
        QStringList lines;
        for (TLabel* label : info.findChildren<TLabel*>()) lines << label->Caption();
        return lines.join(u'\n');
    }
};

TEST_F(InformationWindows, DatabaseInfoDescribesTheOpenFile) {
    Open();
    data.ADOConnection.Execute(QStringLiteral("INSERT INTO Resources (ResourceName, MaxBookDays) VALUES ('Hall', 0)"));
    // The first resource's earliest booking is not the earliest of all.
    Book(1, 1, EncodeDate(2026, 5, 10));
    Book(2, 2, EncodeDate(2025, 1, 3));
    Book(3, 2, EncodeDate(2025, 7, 9));
    TDatabaseInfoForm info(data);
    const QString text = Lines(info);
    qint64 size = 0;
    qint64 reclaimable = 0;
    data.GetReclaimableSpace(path, size, reclaimable);
    for (const QString& line : QStringList{
             QStringLiteral("DBMS Name: SQLCipher"), QStringLiteral("Provider Name: Tavorin SQLCipher Provider"),
             QStringLiteral("Open Mode: ShareModeDenyNone"), QStringLiteral("Lock Mode: Row"),
             QStringLiteral("Reclaimable Space: ") + FormatByteSize(quint64(reclaimable)) +
                 QStringLiteral(" (%1%)").arg(qint64(double(reclaimable) / size * 100)),
             QStringLiteral("Password protected: No"), QStringLiteral("Username: ") + data.CurrentUserId(),
             QStringLiteral("Oldest Booking: Jan 3 2025"), QStringLiteral("Last retrieval (sec): 0.00"),
             QStringLiteral("Average retrieval: 0.00"), QStringLiteral("Filename:")})
        EXPECT_TRUE(text.split(u'\n').contains(line)) << line.toStdString() << "\n in \n" << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("DBMS Version: SQLCipher "))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("MDAC Version: "))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Userid Mode: "))) << text.toStdString();
    EXPECT_EQ(info.FilenameMemo->Text(), path);
    EXPECT_EQ(info.ActiveControl(), info.OkButton);
}

TEST_F(InformationWindows, DatabaseInfoTimingsAndPassword) {
    Open(QStringLiteral("secret"));
    TDatabaseInfoForm info(data);
    info.RetrievalCount = 4;
    info.LastRetrievalMs = 1234;
    info.TotalRetrievalMs = 2000;
    info.LongestRetrievalMs = 905;
    const QStringList lines = Lines(info).split(u'\n');
    for (const char* line : {"Last retrieval (sec): 1.23", "Longest retrieval: 0.91", "Average retrieval: 0.50",
                             "Password protected: Yes", "Oldest Booking: none"})
        EXPECT_TRUE(lines.contains(QString::fromLatin1(line))) << line << "\n in \n" << lines.join(u'\n').toStdString();
}

TEST_F(InformationWindows, DatabaseInfoWithoutADatabaseShowsOnlyTheCaptions) {
    TDatabaseInfoForm info(data);
    const QStringList lines = Lines(info).split(u'\n');
    for (const char* line : {"Last retrieval (sec): ", "Longest retrieval: ", "Average retrieval: ", "Security: ",
                             "User Id Type: ", "Username: ", "Provider Name:", "Provider Version:", "DBMS Name:",
                             "DBMS Version:", "Open mode:", "Lock mode:", "Reclaimable space:", "Oldest Booking: none"})
        EXPECT_TRUE(lines.contains(QString::fromLatin1(line))) << line;
    EXPECT_TRUE(info.FilenameMemo->Text().isEmpty());
    EXPECT_TRUE(AdminTest::Shown().empty());
}

TEST_F(InformationWindows, ActiveUsersListsThisComputerAlone) {
    Open();
    TUserListForm users(data);
    users.FormShow();
    ASSERT_EQ(users.ListView->ItemCount(), 1);
    EXPECT_EQ(users.ListView->Item(0).Caption(), rtl::ComputerName());
    EXPECT_EQ(users.ActiveControl(), users.OkButton);
    users.FormClose();
    EXPECT_EQ(users.ListView->ItemCount(), 0);
}

TEST_F(InformationWindows, AboutShowsTheVersionsAndBothLinksOpenTheWebSite) {
    QStringList opened;
    TAboutForm about([&opened](const QString& address) { opened << address; });
    EXPECT_TRUE(about.VersionLabel->Caption().startsWith(QStringLiteral("Version ")))
        << about.VersionLabel->Caption().toStdString();
    EXPECT_TRUE(about.VersionLabel->Caption().contains(QStringLiteral(" (Build ")));
    EXPECT_TRUE(about.MDAC->Caption().startsWith(QStringLiteral("MDAC version ")));
    EXPECT_TRUE(about.Jet->Caption().startsWith(QStringLiteral("Jet version ")));
    EXPECT_FALSE(about.OS->Caption().isEmpty());
    about.WebLinkLabel->Click();
    about.Label2->Click();
    EXPECT_EQ(opened, QStringList(2, QStringLiteral("https://www.dulvex.example/")));
}

TEST_F(InformationWindows, EveryTextIsWhole) {
    Open();
    testing_env::AtEachTestFont([this] {
        TDatabaseInfoForm info(data);
        info.Show();
        QApplication::processEvents();
        testing_env::ExpectTextsWhole(info);
        TUserListForm users(data);
        users.Show();
        QApplication::processEvents();
        testing_env::ExpectTextsWhole(users);
        TAboutForm about({});
        about.Show();
        QApplication::processEvents();
        testing_env::ExpectTextsWhole(about);
    });
}

}  // namespace
