// Sending through the data module and the send-status dialog to a real SMTP server on loopback.
#include "MailFixture.h"

#include "mail/EmailStatusForm.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/StringList.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Label.h"
#include "platform/ui/Timer.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <QElapsedTimer>
#include <QFile>
#include <QPaintEvent>
#include <QSslConfiguration>
#include <QTest>
#include <QTimer>
#include <algorithm>

using testing_smtp::SmtpServerOptions;
using testing_smtp::SmtpTestServer;

namespace {

TStringList Lines(std::initializer_list<QString> lines) {
    TStringList list;
    for (const QString& line : lines) list.Add(line);
    return list;
}

}  // namespace

using SendMail = MailFixture;

TEST_F(SendMail, BuildsTheMessageFromTheSettingsAndClearsItAfterSending) {
    SmtpTestServer server;
    TEMailSettings s = SettingsFor(server);
    s.ReplyTo = QStringLiteral("replies@example.org");
    s.Organization = QStringLiteral("Town Hall");
    s.Signature = QStringLiteral("Front Desk, Town Hall");
    s.BCCSender = true;
    s.BCCOther = true;
    s.BCCOtherAddress = QStringLiteral("archive@example.org");
    const QString attachment = testing_env::TempDir() + QStringLiteral("/floor plan.pdf");
    const QByteArray bytes("%PDF-1.4 \x00\x01\x02\xff binary", 24);
    {
        QFile f(attachment);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    sending.IdMessage.Attachments << attachment;
    const TStringList to = Lines({QStringLiteral("ann@example.org"), QStringLiteral("Bob Ray<bob@example.org>")});
    const TStringList cc = Lines({QStringLiteral("cy@example.org")});
    const TStringList body = Lines({QStringLiteral("Room 3 is yours on Friday.")});

    RunNextStatusDialog();
    ASSERT_TRUE(sending.SendMail(s, &to, &cc, nullptr, QStringLiteral("Salle réservée ✓"), 0, true, body));

    EXPECT_EQ(sending.IdMessage.Recipients, QString());
    EXPECT_TRUE(sending.IdMessage.Attachments.isEmpty());
    const auto received = server.Messages();
    ASSERT_EQ(received.size(), 1u);
    const auto& r = received[0];
    EXPECT_EQ(r.rcptTos, (QStringList{QStringLiteral("ann@example.org"), QStringLiteral("bob@example.org"),
                                      QStringLiteral("cy@example.org"), QStringLiteral("desk@example.org"),
                                      QStringLiteral("archive@example.org")}));
    EXPECT_EQ(r.Header(QStringLiteral("From")), QStringLiteral("Front Desk <desk@example.org>"));
    EXPECT_EQ(r.Header(QStringLiteral("To")), QStringLiteral("ann@example.org, Bob Ray <bob@example.org>"));
    EXPECT_FALSE(r.HasHeader(QStringLiteral("Bcc")));
    EXPECT_EQ(r.Header(QStringLiteral("Subject")), QStringLiteral("Salle réservée ✓"));
    EXPECT_EQ(r.Header(QStringLiteral("Reply-To")), QStringLiteral("replies@example.org"));
    EXPECT_EQ(r.Header(QStringLiteral("Organization")), QStringLiteral("Town Hall"));
    EXPECT_EQ(r.Header(QStringLiteral("X-Priority")), QStringLiteral("1 (Highest)"));
    EXPECT_EQ(r.Header(QStringLiteral("Disposition-Notification-To")), QStringLiteral("Front Desk <desk@example.org>"));
    EXPECT_EQ(r.body, QStringLiteral("Room 3 is yours on Friday.\n--\nFront Desk, Town Hall\n"));
    ASSERT_EQ(r.attachments.size(), 1u);
    EXPECT_EQ(r.attachments[0].fileName, QStringLiteral("floor plan.pdf"));
    EXPECT_EQ(r.attachments[0].data, bytes);
}

TEST_F(SendMail, JoinsListsWithoutBlanksAndLeavesOutBlankExtras) {
    SmtpTestServer server;
    TEMailSettings s = SettingsFor(server);
    s.SenderName = QStringLiteral("  ");
    s.BCCSender = true;
    s.Signature = QStringLiteral("   ");
    // Keep the message after sending is refused, to read what was prepared.
    data::CurrentMailWindows().ShowSendStatus = [](net::SmtpClient&, net::MailMessage&) { return false; };
    const TStringList to = Lines({QStringLiteral("a@example.org"), QStringLiteral("b@example.org")});
    EXPECT_FALSE(
        sending.SendMail(s, &to, nullptr, nullptr, QStringLiteral("S"), 2, false, Lines({QStringLiteral("x")})));
    const net::MailMessage& m = sending.IdMessage;
    EXPECT_EQ(m.Recipients, QStringLiteral("a@example.org,b@example.org"));
    EXPECT_EQ(m.BccList, QStringLiteral("desk@example.org"));
    EXPECT_EQ(m.From, QStringLiteral("desk@example.org"));
    EXPECT_EQ(m.Body, QStringList{QStringLiteral("x")});
    EXPECT_EQ(m.ReceiptRecipient, QString());
    EXPECT_EQ(sending.IdSMTP.AuthType, net::satNone);
}

TEST_F(SendMail, StatusShowsEachStepAndPausesHalfASecondAfterSuccess) {
    SmtpTestServer server({.user = QStringLiteral("desk"), .password = QStringLiteral("s3cret")});
    TEMailSettings s = SettingsFor(server);
    s.AuthType = true;
    s.Username = QStringLiteral("desk");
    passwords = {QStringLiteral("s3cret")};
    quint32 pause = 0;
    QString finalStatus;
    runner->OnShown<TEmailStatusForm>(QStringLiteral("EmailStatusForm"), [&](TEmailStatusForm& form) {
        EXPECT_TRUE(form.Timer->Enabled());
        EXPECT_EQ(form.Timer->Interval(), 100);
        const quint32 start = GetTickCount();
        form.TimerTimer();
        pause = GetTickCount() - start;
        finalStatus = form.StatusLabel->Caption();
    });
    ASSERT_TRUE(SendTo(s, QStringLiteral("ann@example.org")));
    EXPECT_EQ(statusAtPrompt, QStringList{QStringLiteral("Status: connect: contacting host 127.0.0.1...")});
    EXPECT_EQ(finalStatus, QStringLiteral("Status: Message sent successfully."));
    EXPECT_EQ(pause, 500u);
    EXPECT_EQ(testing_env::Messages().Requests().size(), 0u);
}

// Counts paintings of the whole window, noting how many password prompts had been asked before each.
class WholePaints : public QObject {
public:
    WholePaints(QWidget& window, const QStringList& prompts) : window_(window), prompts_(prompts) {
        window.installEventFilter(this);
    }
    std::vector<qsizetype> promptsBefore;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &window_ && event->type() == QEvent::Paint &&
            static_cast<QPaintEvent*>(event)->rect() == window_.rect())
            promptsBefore.push_back(prompts_.size());
        return false;
    }

private:
    QWidget& window_;
    const QStringList& prompts_;
};

TEST_F(SendMail, TheWholeDialogIsRepaintedBeforeEachStepAndAfterThePasswordPrompt) {
    SmtpTestServer server({.user = QStringLiteral("desk"), .password = QStringLiteral("s3cret")});
    TEMailSettings s = SettingsFor(server);
    s.AuthType = true;
    s.Username = QStringLiteral("desk");
    passwords = {QStringLiteral("s3cret")};
    std::vector<qsizetype> promptsBefore;
    runner->OnShown<TEmailStatusForm>(QStringLiteral("EmailStatusForm"), [&](TEmailStatusForm& form) {
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        WholePaints paints(form, prompts);
        form.TimerTimer();
        promptsBefore = paints.promptsBefore;
    });
    ASSERT_TRUE(SendTo(s, QStringLiteral("ann@example.org")));
    // Connecting, then sending and success after the prompt closed; the waits may paint in between.
    EXPECT_GE(std::count(promptsBefore.begin(), promptsBefore.end(), 0), 1);
    EXPECT_GE(std::count(promptsBefore.begin(), promptsBefore.end(), 1), 2);
    EXPECT_TRUE(std::is_sorted(promptsBefore.begin(), promptsBefore.end()));
}

TEST_F(SendMail, ARejectedPasswordIsAskedAgainAndTheMessageGoesOutOnTheSameConnection) {
    SmtpTestServer server({.user = QStringLiteral("desk"), .password = QStringLiteral("s3cret"), .refuseFirst = 1});
    TEMailSettings s = SettingsFor(server);
    s.AuthType = true;
    s.Username = QStringLiteral("desk");
    passwords = {QStringLiteral("typo"), QStringLiteral("s3cret")};
    RunNextStatusDialog();
    ASSERT_TRUE(SendTo(s, QStringLiteral("ann@example.org")));
    const QString prompt = QStringLiteral("Please enter SMTP password for userid \"desk\"");
    EXPECT_EQ(prompts, (QStringList{prompt, prompt}));
    ASSERT_EQ(server.Messages().size(), 1u);
    EXPECT_EQ(server.Messages()[0].login, QStringLiteral("desk"));

    // The password is kept for the next message: no prompt.
    RunNextStatusDialog();
    ASSERT_TRUE(SendTo(s, QStringLiteral("bob@example.org")));
    EXPECT_EQ(prompts.size(), 2);
    EXPECT_EQ(server.Messages().size(), 2u);
}

TEST_F(SendMail, WithoutAuthenticationNoPasswordIsAsked) {
    SmtpTestServer server;
    RunNextStatusDialog();
    ASSERT_TRUE(SendTo(SettingsFor(server), QStringLiteral("ann@example.org")));
    EXPECT_TRUE(prompts.isEmpty());
}

TEST_F(SendMail, CancellingThePasswordEndsWithoutMessageOrMail) {
    SmtpTestServer server({.user = QStringLiteral("desk"), .password = QStringLiteral("s3cret")});
    TEMailSettings s = SettingsFor(server);
    s.AuthType = true;
    RunNextStatusDialog();
    EXPECT_FALSE(SendTo(s, QStringLiteral("ann@example.org")));
    EXPECT_EQ(prompts.size(), 1);
    EXPECT_TRUE(testing_env::Messages().Requests().empty());
    EXPECT_TRUE(server.Messages().empty());
    EXPECT_EQ(sending.IdMessage.Recipients, QStringLiteral("ann@example.org"));  // kept for another try
}

TEST_F(SendMail, CancelEndsASendAtOnceWhileTheWindowsStayLive) {
    SmtpTestServer server({.misbehaviour = QStringLiteral("silent")});
    int result = mrNone;
    runner->OnShown<TEmailStatusForm>(QStringLiteral("EmailStatusForm"), [&](TEmailStatusForm& form) {
        // Fires only if the event loop runs while the send waits for the greeting.
        QTimer::singleShot(200, &form, [&form] { form.CancelButton->Click(); });
        form.TimerTimer();
        result = form.ModalResult();
    });
    QElapsedTimer elapsed;
    elapsed.start();
    EXPECT_FALSE(SendTo(SettingsFor(server), QStringLiteral("ann@example.org")));
    // The server stays silent for the whole 60-second reply time-out.
    EXPECT_LT(elapsed.elapsed(), 20000);
    EXPECT_EQ(result, mrCancel);
    EXPECT_TRUE(testing_env::Messages().Requests().empty());
    EXPECT_FALSE(sending.IdSMTP.Connected());
}

TEST_F(SendMail, FailuresAreShownWithTheirClassAndEndWithCancel) {
    SmtpTestServer server;
    TEMailSettings closed = SettingsFor(server);
    closed.Port = testing_smtp::FreePort();
    RunNextStatusDialog();
    EXPECT_FALSE(SendTo(closed, QStringLiteral("ann@example.org")));
    RunNextStatusDialog();
    EXPECT_FALSE(SendTo(SettingsFor(server), QString()));
    const auto& requests = testing_env::Messages().Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].text, QStringLiteral("Could not connect to host 127.0.0.1. Connection refused"));
    EXPECT_EQ(requests[0].type, mtError);
    EXPECT_EQ(requests[1].text, QStringLiteral("Could not send message. No recipients have been specified."));
    EXPECT_EQ(requests[1].type, mtError);
}

TEST_F(SendMail, GoesEncryptedThroughAStartTlsServer) {
    SmtpTestServer server({.tls = SmtpServerOptions::StartTls});
    QSslConfiguration config = QSslConfiguration::defaultConfiguration();
    config.addCaCertificates(server.CertificateFile());
    QSslConfiguration::setDefaultConfiguration(config);
    RunNextStatusDialog();
    ASSERT_TRUE(SendTo(SettingsFor(server), QStringLiteral("ann@example.org")));
    ASSERT_EQ(server.Messages().size(), 1u);
    EXPECT_TRUE(server.Messages()[0].tls);
}

TEST_F(SendMail, TheTestMessageGoesToTheSenderOrIsRefusedOffline) {
    SmtpTestServer server;
    TEMailSettings s = SettingsFor(server);
    RunNextStatusDialog();
    sending.SendTestMessage(false, s);
    const auto received = server.Messages();
    ASSERT_EQ(received.size(), 1u);
    const auto& r = received[0];
    EXPECT_EQ(r.rcptTos, QStringList{QStringLiteral("desk@example.org")});
    EXPECT_EQ(r.Header(QStringLiteral("Subject")), QStringLiteral("Tavorin test message"));
    EXPECT_EQ(r.body, QStringLiteral("Test message - please ignore\n"));

    sending.InternetConnected = [] { return false; };
    sending.SendTestMessage(false, s);
    EXPECT_EQ(server.Messages().size(), 1u);
    EXPECT_EQ(
        testing_env::Messages().Texts(),
        std::vector<QString>{QStringLiteral("Could not connected to the Internet. No test message has been sent.")});
}
