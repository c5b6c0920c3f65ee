// A real SMTP server (aiosmtpd) on 127.0.0.1 for one test: on a port of its own, stopped with the object.
#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <vector>

namespace testing_smtp {

struct SmtpServerOptions {
    enum Tls { NoTls, StartTls, Smtps };
    Tls tls = NoTls;
    // With a user the server offers AUTH (without TLS) and wants this user and password.
    QString user;
    QString password;
    // How many authentication attempts are refused whatever they send.
    int refuseFirst = 0;
    // "PLAIN" or "LOGIN" to offer only that one; empty offers both.
    QString mechanism;
    // Not a real server but one that misbehaves: "trickle", "endless", "longline" or "silent"
    // (misbehaving_smtp_server.py tells what each does).
    QString misbehaviour;
};

struct ReceivedMessage {
    QString mailFrom;
    QStringList rcptTos;
    bool tls = false;
    // The user the session authenticated as; empty without AUTH.
    QString login;
    QByteArray data;
    // As Python's mail parser reads it: the headers decoded (in order, repeated names kept), the text body,
    // and each attached file's name, type and bytes.
    std::vector<std::pair<QString, QString>> headers;
    QString body;
    struct Attachment {
        QString fileName;
        QString contentType;
        QByteArray data;
    };
    std::vector<Attachment> attachments;
    // The first header of that name (compared without case); empty when there is none.
    QString Header(const QString& name) const;
    bool HasHeader(const QString& name) const;
};

class SmtpTestServer {
public:
    // Raises std::runtime_error when the server does not come up.
    explicit SmtpTestServer(const SmtpServerOptions& options = {});
    ~SmtpTestServer();

    int Port() const { return port_; }
    // The self-signed certificate of a TLS server (a client must trust it to connect).
    QString CertificateFile() const;
    // The messages received so far, in order.
    std::vector<ReceivedMessage> Messages() const;

private:
    void MakeCertificate();
    void ReadPort();

    QTemporaryDir dir_;
    QProcess process_;
    int port_ = 0;
};

// A port on 127.0.0.1 that nobody listens on (free a moment ago).
int FreePort();

}  // namespace testing_smtp
