// Starting and stopping the aiosmtpd test servers and reading what they captured.
#include "SmtpTestServer.h"

#include <signal.h>
#include <sys/prctl.h>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcessEnvironment>
#include <QTcpServer>
#include <stdexcept>

namespace testing_smtp {

namespace {

const QString kPython = QStringLiteral("/usr/bin/python3");
const QString kScripts = QStringLiteral(TAVORIN_SMTP_SERVER_DIR);

void RunOrThrow(const QString& program, const QStringList& arguments) {
    QProcess p;
    p.start(program, arguments);
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        throw std::runtime_error(
            QString(program + QStringLiteral(" failed: ") + QString::fromUtf8(p.readAllStandardError())).toStdString());
}

}  // namespace

int FreePort() {
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0)) throw std::runtime_error("no free port");
    return probe.serverPort();
}

SmtpTestServer::SmtpTestServer(const SmtpServerOptions& options) {
    if (!dir_.isValid()) throw std::runtime_error("no temporary folder");
    QDir(dir_.path()).mkdir(QStringLiteral("mail"));

    // The server binds a port of its own choosing and reports it: a port picked here and bound there could be
    // taken in between by a test running beside this one.
    QStringList arguments;
    if (!options.misbehaviour.isEmpty()) {
        arguments = {kScripts + QStringLiteral("/misbehaving_smtp_server.py"), options.misbehaviour};
    } else {
        arguments = {kScripts + QStringLiteral("/smtp_server.py"), dir_.filePath(QStringLiteral("mail"))};
        if (options.tls != SmtpServerOptions::NoTls) {
            MakeCertificate();
            arguments << QStringLiteral("--tls")
                      << (options.tls == SmtpServerOptions::Smtps ? QStringLiteral("smtps")
                                                                  : QStringLiteral("starttls"))
                      << QStringLiteral("--cert") << CertificateFile() << QStringLiteral("--key")
                      << dir_.filePath(QStringLiteral("key.pem"));
        }
        if (!options.user.isEmpty()) {
            arguments << QStringLiteral("--user") << options.user << QStringLiteral("--password") << options.password
                      << QStringLiteral("--refuse-first") << QString::number(options.refuseFirst);
            if (!options.mechanism.isEmpty()) arguments << QStringLiteral("--mechanism") << options.mechanism;
        }
    }

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("PYTHONPATH"), kScripts);
    env.insert(QStringLiteral("PYTHONWARNINGS"), QStringLiteral("ignore"));
    process_.setProcessEnvironment(env);
    // The server dies with the test program, however that ends.
    process_.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGKILL); });
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start(kPython, arguments);
    if (!process_.waitForStarted(10000)) throw std::runtime_error("cannot start python3");
    ReadPort();
}

SmtpTestServer::~SmtpTestServer() {
    process_.closeWriteChannel();
    process_.terminate();
    if (!process_.waitForFinished(5000)) {
        process_.kill();
        process_.waitForFinished(5000);
    }
}

QString SmtpTestServer::CertificateFile() const { return dir_.filePath(QStringLiteral("cert.pem")); }

void SmtpTestServer::MakeCertificate() {
    RunOrThrow(QStringLiteral("/usr/bin/openssl"),
               {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"), QStringLiteral("ec"),
                QStringLiteral("-pkeyopt"), QStringLiteral("ec_paramgen_curve:prime256v1"), QStringLiteral("-nodes"),
                QStringLiteral("-days"), QStringLiteral("2"), QStringLiteral("-subj"), QStringLiteral("/CN=127.0.0.1"),
                QStringLiteral("-addext"), QStringLiteral("subjectAltName=IP:127.0.0.1"), QStringLiteral("-keyout"),
                dir_.filePath(QStringLiteral("key.pem")), QStringLiteral("-out"), CertificateFile()});
}

void SmtpTestServer::ReadPort() {
    QElapsedTimer timer;
    timer.start();
    while (!process_.canReadLine()) {
        if (process_.state() != QProcess::Running) throw std::runtime_error("the SMTP server stopped at start");
        if (timer.elapsed() > 30000) throw std::runtime_error("the SMTP server did not start listening");
        process_.waitForReadyRead(200);
    }
    const QList<QByteArray> words = process_.readLine().trimmed().split(' ');
    bool ok = false;
    if (words.size() == 2 && words[0] == "READY") port_ = words[1].toInt(&ok);
    if (!ok || port_ <= 0) throw std::runtime_error("the SMTP server did not say its port");
}

QString ReceivedMessage::Header(const QString& name) const {
    for (const auto& [n, value] : headers)
        if (n.compare(name, Qt::CaseInsensitive) == 0) return value;
    return QString();
}

bool ReceivedMessage::HasHeader(const QString& name) const {
    for (const auto& h : headers)
        if (h.first.compare(name, Qt::CaseInsensitive) == 0) return true;
    return false;
}

std::vector<ReceivedMessage> SmtpTestServer::Messages() const {
    std::vector<ReceivedMessage> messages;
    const QDir mailDir(dir_.filePath(QStringLiteral("mail")));
    for (const QString& name : mailDir.entryList({QStringLiteral("*.json")}, QDir::Files, QDir::Name)) {
        QFile file(mailDir.filePath(name));
        if (!file.open(QIODevice::ReadOnly)) continue;
        const QJsonObject o = QJsonDocument::fromJson(file.readAll()).object();
        ReceivedMessage m;
        m.mailFrom = o.value(QStringLiteral("mail_from")).toString();
        for (const QJsonValue& r : o.value(QStringLiteral("rcpt_tos")).toArray()) m.rcptTos << r.toString();
        m.tls = o.value(QStringLiteral("tls")).toBool();
        m.login = o.value(QStringLiteral("login")).toString();
        m.data = QByteArray::fromBase64(o.value(QStringLiteral("data")).toString().toLatin1());
        const QJsonObject parsed = o.value(QStringLiteral("parsed")).toObject();
        for (const QJsonValue& h : parsed.value(QStringLiteral("headers")).toArray())
            m.headers.emplace_back(h.toArray().at(0).toString(), h.toArray().at(1).toString());
        m.body = parsed.value(QStringLiteral("body")).toString();
        for (const QJsonValue& a : parsed.value(QStringLiteral("attachments")).toArray()) {
            const QJsonObject ao = a.toObject();
            m.attachments.push_back({ao.value(QStringLiteral("filename")).toString(),
                                     ao.value(QStringLiteral("content_type")).toString(),
                                     QByteArray::fromBase64(ao.value(QStringLiteral("data")).toString().toLatin1())});
        }
        messages.push_back(m);
    }
    return messages;
}

}  // namespace testing_smtp
