// The SMTP client against a real aiosmtpd on loopback: content, envelope, TLS, authentication, failures.
#include "SmtpTestServer.h"
#include "platform/net/SmtpClient.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QSslCertificate>
#include <QSslConfiguration>

using namespace net;
using testing_smtp::SmtpServerOptions;
using testing_smtp::SmtpTestServer;

namespace {

void TrustCertificate(const QString& file) {
    QSslConfiguration config = QSslConfiguration::defaultConfiguration();
    config.addCaCertificates(file);
    QSslConfiguration::setDefaultConfiguration(config);
}

void PointAt(SmtpClient& client, const SmtpTestServer& server) {
    client.Host = QStringLiteral("127.0.0.1");
    client.Port = server.Port();
    client.AuthType = satNone;
    client.ReadTimeout = 10000;
}

MailMessage SimpleMessage() {
    MailMessage m;
    m.From = QStringLiteral("Front Desk<desk@example.org>");
    m.Recipients = QStringLiteral("ann@example.org");
    m.Subject = QStringLiteral("Room booked");
    m.Body = {QStringLiteral("Your room is booked.")};
    return m;
}

}  // namespace

TEST(SmtpSession, DeliversHeadersBodyAndAttachmentAsAMailReaderReadsThem) {
    SmtpTestServer server;
    const QString attachment = testing_env::TempDir() + QStringLiteral("/plan ü.bin");
    QByteArray bytes;
    for (int i = 0; i < 5000; ++i) bytes += char(i * 7 % 256);
    {
        QFile f(attachment);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    MailMessage m;
    m.From = QStringLiteral("Front Desk<desk@example.org>");
    m.ReplyTo = QStringLiteral("replies@example.org");
    m.Organization = QStringLiteral("Städtische Bühne");
    m.Recipients = QStringLiteral("ann@example.org,bob@example.org");
    m.CCList = QStringLiteral("cy@example.org");
    m.BccList = QStringLiteral("hidden@example.org,desk@example.org");
    m.Subject = QStringLiteral("Buchung bestätigt — Saal 3");
    m.Priority = mpHigh;
    m.ReceiptRecipient = m.From;
    m.Body = {QStringLiteral("Grüße,"), QStringLiteral(".a line that starts with a dot"), QStringLiteral("."),
              QStringLiteral("--"), QStringLiteral("Desk")};
    m.Attachments = {attachment};

    SmtpClient client;
    PointAt(client, server);
    client.Connect();
    client.Send(m);
    client.Disconnect();

    const auto received = server.Messages();
    ASSERT_EQ(received.size(), 1u);
    const auto& r = received[0];
    EXPECT_EQ(r.mailFrom, QStringLiteral("desk@example.org"));
    EXPECT_EQ(r.rcptTos, (QStringList{QStringLiteral("ann@example.org"), QStringLiteral("bob@example.org"),
                                      QStringLiteral("cy@example.org"), QStringLiteral("hidden@example.org"),
                                      QStringLiteral("desk@example.org")}));
    EXPECT_FALSE(r.HasHeader(QStringLiteral("Bcc")));
    EXPECT_FALSE(r.data.contains("hidden@example.org"));
    EXPECT_EQ(r.Header(QStringLiteral("From")), QStringLiteral("Front Desk <desk@example.org>"));
    EXPECT_EQ(r.Header(QStringLiteral("To")), QStringLiteral("ann@example.org, bob@example.org"));
    EXPECT_EQ(r.Header(QStringLiteral("Cc")), QStringLiteral("cy@example.org"));
    EXPECT_EQ(r.Header(QStringLiteral("Reply-To")), QStringLiteral("replies@example.org"));
    EXPECT_EQ(r.Header(QStringLiteral("Organization")), m.Organization);
    EXPECT_EQ(r.Header(QStringLiteral("Subject")), m.Subject);
    EXPECT_EQ(r.Header(QStringLiteral("X-Priority")), QStringLiteral("2 (High)"));
    EXPECT_EQ(r.Header(QStringLiteral("Disposition-Notification-To")), QStringLiteral("Front Desk <desk@example.org>"));
    EXPECT_TRUE(r.HasHeader(QStringLiteral("Date")));
    EXPECT_EQ(r.body.toStdString(), QString(m.Body.join(u'\n') + u'\n').toStdString());
    ASSERT_EQ(r.attachments.size(), 1u);
    EXPECT_EQ(r.attachments[0].fileName, QStringLiteral("plan ü.bin"));
    EXPECT_EQ(r.attachments[0].data, bytes);
}

TEST(SmtpSession, PlainAsciiBodyTravelsAs7BitAndSeveralMessagesShareAConnection) {
    SmtpTestServer server;
    SmtpClient client;
    PointAt(client, server);
    client.Connect();
    client.Send(SimpleMessage());
    client.Send(SimpleMessage());
    client.Disconnect();
    const auto received = server.Messages();
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[1].Header(QStringLiteral("Content-Transfer-Encoding")), QStringLiteral("7bit"));
    EXPECT_EQ(received[1].body, QStringLiteral("Your room is booked.\n"));
    EXPECT_FALSE(received[1].tls);
}

TEST(SmtpSession, AClosedPortFailsToConnectWithTheSocketsText) {
    SmtpClient client;
    client.Host = QStringLiteral("127.0.0.1");
    client.Port = testing_smtp::FreePort();
    try {
        client.Connect();
        FAIL() << "connected to a closed port";
    } catch (const SmtpError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Connection refused"));
    }
    EXPECT_FALSE(client.Connected());
}

TEST(SmtpSession, UpgradesWithStartTlsWhenTheServerOffersIt) {
    // This server refuses MAIL before STARTTLS, so delivery itself shows that the session was encrypted.
    SmtpTestServer server({.tls = SmtpServerOptions::StartTls});
    TrustCertificate(server.CertificateFile());
    SmtpClient client;
    PointAt(client, server);
    client.Connect();
    EXPECT_TRUE(client.Encrypted());
    client.Send(SimpleMessage());
    client.Disconnect();
    const auto received = server.Messages();
    ASSERT_EQ(received.size(), 1u);
    EXPECT_TRUE(received[0].tls);
}

TEST(SmtpSession, SpeaksTlsFromTheFirstByteOnTheSmtpsPort) {
    SmtpTestServer server({.tls = SmtpServerOptions::Smtps});
    TrustCertificate(server.CertificateFile());
    SmtpClient client;
    PointAt(client, server);
    client.SmtpsPort = server.Port();
    client.Connect();
    client.Send(SimpleMessage());
    client.Disconnect();
    const auto received = server.Messages();
    ASSERT_EQ(received.size(), 1u);
    EXPECT_TRUE(received[0].tls);
}

TEST(SmtpSession, AnUntrustedCertificateRefusesTheConnection) {
    SmtpTestServer server({.tls = SmtpServerOptions::Smtps});
    SmtpClient client;
    PointAt(client, server);
    client.SmtpsPort = server.Port();
    EXPECT_THROW(client.Connect(), SmtpError);
    EXPECT_TRUE(server.Messages().empty());
}

TEST(SmtpSession, ARejectedPasswordCanBeRetriedOnTheSameConnection) {
    for (const QString& mechanism : {QStringLiteral("PLAIN"), QStringLiteral("LOGIN")}) {
        SCOPED_TRACE(mechanism.toStdString());
        SmtpTestServer server({.user = QStringLiteral("desk"),
                               .password = QStringLiteral("s3cret"),
                               .refuseFirst = 0,
                               .mechanism = mechanism});
        SmtpClient client;
        PointAt(client, server);
        client.AuthType = satDefault;
        client.AllowPlainTextPassword = true;
        client.Username = QStringLiteral("desk");
        client.Password = QStringLiteral("wrong");
        client.Connect();
        try {
            client.Send(SimpleMessage());
            FAIL() << "a wrong password was accepted";
        } catch (const SmtpError& e) {
            EXPECT_EQ(e.Message(), QStringLiteral("Authentication failed"));
        }
        ASSERT_TRUE(client.Connected());
        client.Password = QStringLiteral("s3cret");
        client.Send(SimpleMessage());
        client.Disconnect();
        const auto received = server.Messages();
        ASSERT_EQ(received.size(), 1u);
        EXPECT_EQ(received[0].login, QStringLiteral("desk"));
    }
}

TEST(SmtpSession, WithoutAuthenticationARefusingServerGivesItsOwnText) {
    SmtpTestServer server({.user = QStringLiteral("desk"), .password = QStringLiteral("s3cret")});
    SmtpClient client;
    PointAt(client, server);
    client.Connect();
    try {
        client.Send(SimpleMessage());
        FAIL() << "sent without the required authentication";
    } catch (const SmtpError& e) {
        EXPECT_TRUE(e.Message().startsWith(QStringLiteral("530"))) << e.Message().toStdString();
    }
}

TEST(SmtpSession, APasswordGoesOverAPlainConnectionOnlyWhenAllowed) {
    SmtpTestServer server({.user = QStringLiteral("desk"), .password = QStringLiteral("s3cret")});
    SmtpClient client;
    PointAt(client, server);
    client.AuthType = satDefault;
    client.Username = QStringLiteral("desk");
    client.Password = QStringLiteral("s3cret");
    client.Connect();
    ASSERT_FALSE(client.Encrypted());
    try {
        client.Send(SimpleMessage());
        FAIL() << "the password went out unencrypted";
    } catch (const SmtpError& e) {
        EXPECT_EQ(e.Message(), kPlainTextPasswordRefused);
    }
    EXPECT_TRUE(server.Messages().empty());

    client.AllowPlainTextPassword = true;
    client.Send(SimpleMessage());
    client.Disconnect();
    ASSERT_EQ(server.Messages().size(), 1u);
    EXPECT_EQ(server.Messages()[0].login, QStringLiteral("desk"));
}
