// The SMTP conversation: greeting, EHLO, STARTTLS, AUTH PLAIN/LOGIN, MAIL/RCPT/DATA and QUIT.
#include "platform/net/SmtpClient.h"

#include "platform/net/MailAddress.h"
#include "platform/net/MimeWriter.h"

#include <QHostInfo>

namespace net {

namespace {

const QString kAuthenticationFailed = QStringLiteral("Authentication failed");

QByteArray HeloName() {
    const QString name = QHostInfo::localHostName();
    return name.isEmpty() ? QByteArray("localhost") : name.toUtf8();
}

// Every envelope recipient once, in the order To, Cc, Bcc.
QStringList EnvelopeRecipients(const MailMessage& message) {
    QStringList recipients;
    for (const QString* list : {&message.Recipients, &message.CCList, &message.BccList})
        for (const MailAddress& a : ParseAddressList(*list))
            if (!recipients.contains(a.Address, Qt::CaseInsensitive)) recipients.append(a.Address);
    return recipients;
}

// Lines that begin with a dot get a second one, so that none reads as the end of the data.
QByteArray DotStuffed(const QByteArray& mime) {
    QByteArray out = mime.startsWith('.') ? "." + mime : mime;
    return out.replace("\r\n.", "\r\n..");
}

}  // namespace

SmtpClient::SmtpClient() = default;
SmtpClient::~SmtpClient() { Disconnect(); }

void SmtpClient::Connect() {
    Disconnect();
    channel_.Open(Host, Port, Port == SmtpsPort, ConnectTimeout);
    try {
        const SmtpReply greeting = channel_.ReadReply(ReadTimeout);
        if (greeting.Code != 220) throw SmtpError(greeting.Text(), greeting.Code);
        Greet();
        if (!channel_.Encrypted() && extensions_.contains(QStringLiteral("STARTTLS"))) {
            Expect("STARTTLS", 220);
            channel_.StartTls(ConnectTimeout);
            Greet();
        }
    } catch (...) {
        channel_.Close();
        throw;
    }
}

bool SmtpClient::Connected() const { return channel_.IsOpen(); }

bool SmtpClient::Encrypted() const { return channel_.Encrypted(); }

void SmtpClient::Greet() {
    extensions_.clear();
    authMechanisms_.clear();
    SmtpReply reply = channel_.Command("EHLO " + HeloName(), ReadTimeout);
    if (reply.Code != 250) {
        Expect("HELO " + HeloName(), 250);
        return;
    }
    for (const QString& line : reply.Lines.mid(1)) {
        const QStringList words = line.toUpper().split(u' ', Qt::SkipEmptyParts);
        if (words.isEmpty()) continue;
        extensions_.insert(words.first());
        if (words.first() == QLatin1String("AUTH"))
            for (const QString& mechanism : words.mid(1)) authMechanisms_.insert(mechanism);
    }
}

SmtpReply SmtpClient::Expect(const QByteArray& command, int expectedCode) {
    const SmtpReply reply = channel_.Command(command, ReadTimeout);
    if (reply.Code != expectedCode) throw SmtpError(reply.Text(), reply.Code);
    return reply;
}

void SmtpClient::Send(const MailMessage& message) {
    if (!Connected()) throw SmtpError(QStringLiteral("Not connected."));
    const QByteArray mime = EncodeMimeMessage(message, NewMimeStamp());
    if (AuthType == satDefault && !authenticated_ && extensions_.contains(QStringLiteral("AUTH"))) Authenticate();
    try {
        SubmitEnvelope(message);
        SubmitData(mime);
    } catch (const SmtpError& e) {
        // A refused transaction leaves the session usable for the next message.
        if (e.Code() != 0 && Connected()) channel_.Command("RSET", ReadTimeout);
        throw;
    }
}

void SmtpClient::Authenticate() {
    // Anyone on the way could read a password sent in the clear.
    if (!channel_.Encrypted() && !AllowPlainTextPassword) throw SmtpError(kPlainTextPasswordRefused);
    SmtpReply reply;
    if (authMechanisms_.contains(QStringLiteral("PLAIN"))) {
        const QByteArray credentials = '\0' + Username.toUtf8() + '\0' + Password.toUtf8();
        reply = channel_.Command("AUTH PLAIN " + credentials.toBase64(), ReadTimeout);
    } else if (authMechanisms_.contains(QStringLiteral("LOGIN"))) {
        reply = Expect("AUTH LOGIN", 334);
        reply = Expect(Username.toUtf8().toBase64(), 334);
        reply = channel_.Command(Password.toUtf8().toBase64(), ReadTimeout);
    } else {
        throw SmtpError(QStringLiteral("The server offers no supported authentication method."));
    }
    if (reply.Code == 535) throw SmtpError(kAuthenticationFailed, reply.Code);
    if (reply.Code != 235) throw SmtpError(reply.Text(), reply.Code);
    authenticated_ = true;
}

void SmtpClient::SubmitEnvelope(const MailMessage& message) {
    const QList<MailAddress> from = ParseAddressList(message.From);
    const QByteArray sender = from.isEmpty() ? QByteArray() : from.first().Address.toUtf8();
    Expect("MAIL FROM:<" + sender + '>', 250);
    const QStringList recipients = EnvelopeRecipients(message);
    if (recipients.isEmpty()) throw SmtpError(QStringLiteral("No recipients have been specified."));
    for (const QString& recipient : recipients) {
        const SmtpReply reply = channel_.Command("RCPT TO:<" + recipient.toUtf8() + '>', ReadTimeout);
        if (reply.Code != 250 && reply.Code != 251) throw SmtpError(reply.Text(), reply.Code);
    }
}

void SmtpClient::SubmitData(const QByteArray& mime) {
    Expect("DATA", 354);
    channel_.WriteRaw(DotStuffed(mime) + ".\r\n");
    const SmtpReply reply = channel_.ReadReply(ReadTimeout);
    if (reply.Code != 250) throw SmtpError(reply.Text(), reply.Code);
}

void SmtpClient::Cancel() { channel_.Cancel(); }

void SmtpClient::Disconnect() {
    if (channel_.IsOpen()) {
        try {
            channel_.Command("QUIT", 5000);
        } catch (const SmtpError&) {
            // The connection ends either way.
        }
    }
    channel_.Close();
    extensions_.clear();
    authMechanisms_.clear();
    authenticated_ = false;
}

}  // namespace net
