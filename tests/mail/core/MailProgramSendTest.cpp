// Handing the message to the mail program through a recording xdg-email: the arguments, the session and the
// results of every outcome.
#include "mail/core/DvMapi.h"

#include "support/TempDesktop.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <QFile>

namespace {

const QString kNoClient = QStringLiteral(
    "The default mail client on this computer is not set. Please set a default mail client or contact your "
    "administrator.");

class MailProgramSend : public ::testing::Test {
protected:
    // xdg-email answers with the exit code; the connection is made after it is installed.
    TDvMapiConnection& Connection(int exitCode) {
        desktop.InstallXdgEmail(exitCode);
        desktop.AddDefaultMailClient(QStringLiteral("Post Office"));
        mapi = std::make_unique<TDvMapiConnection>();
        return *mapi;
    }
    std::vector<QString> Shown() const { return testing_env::Messages().Texts(); }

    testing_env::TempDesktop desktop;
    std::unique_ptr<TDvMapiConnection> mapi;
};

// Line ends go as LF: xdg-email writes each as CR LF.
TEST_F(MailProgramSend, TheMessageArrivesAsTypedWithTheRecipientsInTheirOrder) {
    TDvMapiConnection& connection = Connection(0);
    const QString marker = desktop.FilePath(QStringLiteral("x"));
    const QString subject = QStringLiteral("\"; touch ") + marker + QStringLiteral(" #");
    const QString body = QStringLiteral("Dear $HOME,\r\n`id` 'quoted' ; & | \\n\r\nZürich – 東京\r\n");
    TDvMapiMessage& m = connection.Message;
    m.OriginatorName = QStringLiteral("Front Desk");
    m.OriginatorAddress = QStringLiteral("desk@x.org");
    m.ReplyTo = QStringLiteral("reply@x.org");
    m.Recipients.Add(MAPI_TO, QString(), QStringLiteral("b@x.org"));
    m.Recipients.Add(MAPI_BCC, QString(), QStringLiteral("desk@x.org"));
    m.Recipients.Add(MAPI_CC, QStringLiteral("Copy"), QStringLiteral("c@x.org"));
    m.Recipients.Add(MAPI_TO, QString(), QStringLiteral("d@x.org"));
    // A copy switched on without an address is left out: xdg-email refuses an empty one.
    m.Recipients.Add(MAPI_BCC, QString(), QString());
    m.Subject = subject;
    m.NoteText = body;
    m.Files.Add(QStringLiteral("/tmp/a file;$x.pdf"), QStringLiteral("a file;$x.pdf"));

    EXPECT_TRUE(connection.SendMail(true));
    EXPECT_EQ(desktop.XdgEmailArguments(),
              (QStringList{"--utf8", "--bcc", "desk@x.org", "--cc", "c@x.org", "--subject", subject, "--body",
                           QStringLiteral("Dear $HOME,\n`id` 'quoted' ; & | \\n\nZürich – 東京\n"), "--attach",
                           "/tmp/a file;$x.pdf", "b@x.org", "d@x.org"}));
    EXPECT_FALSE(QFile::exists(marker));
    EXPECT_EQ(connection.LastMapiError(), 0);
    EXPECT_TRUE(connection.IsLoggedOn());
    EXPECT_TRUE(Shown().empty());
}

TEST_F(MailProgramSend, ToAddressesXdgEmailWouldReadOtherwiseGoAsAddresses) {
    TDvMapiConnection& connection = Connection(0);
    for (const char* address : {"mailto:a@x.org?attach=/etc/passwd", "--attach", "front desk"})
        connection.Message.Recipients.Add(MAPI_TO, QString(), QString::fromUtf8(address));
    EXPECT_TRUE(connection.SendMail(true));
    EXPECT_EQ(desktop.XdgEmailArguments(), (QStringList{"--utf8", "--to", "mailto:a@x.org?attach=/etc/passwd", "--to",
                                                        "--attach", "--to", "front desk"}));
}

TEST_F(MailProgramSend, EachExitStatusGivesItsResultAndAFailureIsShown) {
    const struct {
        int exitCode;
        qint32 result;
        QString shown;
    } cases[] = {
        {0, 0, QString()},
        {1, 2, QStringLiteral("General MAPI failure")},
        {2, 11, QStringLiteral("Attachment not found")},
        {3, 1, kNoClient},
        {4, 2, QStringLiteral("General MAPI failure")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.exitCode);
        testing_env::Messages().Clear();
        TDvMapiConnection& connection = Connection(c.exitCode);
        EXPECT_EQ(connection.SendMail(true), c.result == 0);
        EXPECT_EQ(connection.LastMapiError(), c.result);
        EXPECT_EQ(Shown(), c.shown.isEmpty() ? std::vector<QString>{} : std::vector<QString>{c.shown});
    }
}

TEST_F(MailProgramSend, WithoutXdgEmailNothingRunsAndTheUserIsTold) {
    desktop.AddDefaultMailClient(QStringLiteral("Post Office"));
    TDvMapiConnection connection;
    EXPECT_TRUE(connection.DefaultClientFound);
    EXPECT_FALSE(connection.SimpleMapiInstalled);
    EXPECT_FALSE(connection.SendMail(true));
    EXPECT_FALSE(connection.IsLoggedOn());
    EXPECT_EQ(connection.LastMapiError(), 0);
    EXPECT_EQ(Shown(), std::vector<QString>{kNoClient});

    // Removed after the program started: the send finds it missing.
    testing_env::Messages().Clear();
    TDvMapiConnection& installed = Connection(0);
    desktop.RemoveXdgEmail();
    EXPECT_FALSE(installed.SendMail(true));
    EXPECT_EQ(installed.LastMapiError(), 1);
    EXPECT_EQ(installed.LastMapiErrorStr(), QStringLiteral("User cancelled request"));
    EXPECT_EQ(Shown(), std::vector<QString>{kNoClient});
    EXPECT_FALSE(desktop.XdgEmailRan());
}

TEST_F(MailProgramSend, WithoutAutomaticLogonASendNeedsASession) {
    TDvMapiConnection& connection = Connection(0);
    connection.AutoLogon = false;
    EXPECT_FALSE(connection.SendMail(true));
    EXPECT_FALSE(desktop.XdgEmailRan());
    EXPECT_TRUE(Shown().empty());

    EXPECT_TRUE(connection.Logon(QString(), QString()));
    EXPECT_NE(connection.Session(), 0u);
    EXPECT_TRUE(connection.SendMail(true));
    EXPECT_TRUE(connection.Logoff());
    EXPECT_FALSE(connection.IsLoggedOn());
    EXPECT_TRUE(connection.Logoff());
    EXPECT_FALSE(connection.EnsureLoggedOn());
}

TEST_F(MailProgramSend, AnXdgEmailStillRunningHasHandedTheMessageOver) {
    desktop.InstallXdgEmail(4, 2);
    desktop.AddDefaultMailClient(QStringLiteral("Post Office"));
    TDvMapiConnection connection;
    connection.HandOverWaitMs = 100;
    connection.Message.Subject = QStringLiteral("S");
    EXPECT_TRUE(connection.SendMail(true));
    EXPECT_EQ(connection.LastMapiError(), 0);
    EXPECT_TRUE(Shown().empty());
}

}  // namespace
