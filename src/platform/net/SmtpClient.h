// The program's SMTP client: connect (with TLS where the server offers it), authenticate, send, disconnect.
#pragma once

#include "platform/net/MailMessage.h"
#include "platform/net/SmtpChannel.h"

#include <QSet>

namespace net {

enum SmtpAuthType { satNone, satDefault };

inline const QString kPlainTextPasswordRefused = QStringLiteral(
    "The mail server offers no encrypted connection, so the password was not sent. Use the server's "
    "encrypted port or allow sending the password unencrypted in the e-mail settings.");

class SmtpClient {
public:
    SmtpClient();
    ~SmtpClient();
    SmtpClient(const SmtpClient&) = delete;
    SmtpClient& operator=(const SmtpClient&) = delete;

    QString Host;
    // On SmtpsPort TLS starts with the connection; any other port upgrades with STARTTLS when offered.
    int Port = 25;
    int SmtpsPort = 465;
    QString Username;
    // Kept in memory only, for the messages that follow.
    QString Password;
    // satDefault: user name and password, when the server offers authentication.
    SmtpAuthType AuthType = satDefault;
    // Whether the password may go over a connection without TLS (the server offers neither SMTPS nor
    // STARTTLS); otherwise Send refuses to authenticate there.
    bool AllowPlainTextPassword = false;
    int ConnectTimeout = 30000;
    int ReadTimeout = 60000;

    // Opens the connection, reads the greeting and introduces the client (EHLO, else HELO); switches to
    // TLS when the server offers STARTTLS. Raises SmtpError.
    void Connect();
    bool Connected() const;
    // Whether the connection is encrypted now.
    bool Encrypted() const;
    // Authenticates when that is asked for and not yet done on this connection, then submits the message
    // to From, To, Cc and Bcc. A password the server rejects raises SmtpError "Authentication failed";
    // the connection stays usable for another try. Without TLS, and unless AllowPlainTextPassword, the
    // password is not sent: SmtpError kPlainTextPasswordRefused.
    void Send(const MailMessage& message);
    // Says QUIT and closes; never raises.
    void Disconnect();
    // Ends a Connect or Send in progress (they run the event loop while they wait): the connection closes
    // and the call raises SmtpCancelled.
    void Cancel();

private:
    void Greet();
    SmtpReply Expect(const QByteArray& command, int expectedCode);
    void Authenticate();
    void SubmitEnvelope(const MailMessage& message);
    void SubmitData(const QByteArray& mime);

    SmtpChannel channel_;
    // The EHLO keywords, upper case ("STARTTLS", "AUTH", ...), and the offered AUTH mechanisms.
    QSet<QString> extensions_;
    QSet<QString> authMechanisms_;
    bool authenticated_ = false;
};

}  // namespace net
