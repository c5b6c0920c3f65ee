// Starting and stopping the slapd test servers.
#include "LdapTestServer.h"

#include "SmtpTestServer.h"

#include <signal.h>
#include <sys/prctl.h>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTcpSocket>
#include <stdexcept>

namespace testing_ldap {

namespace {

void WriteFile(const QString& path, const QString& text) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0)
        throw std::runtime_error("cannot write " + path.toStdString());
}

bool Accepts(int port) {
    QTcpSocket socket;
    socket.connectToHost(QStringLiteral("127.0.0.1"), static_cast<quint16>(port));
    return socket.waitForConnected(200);
}

}  // namespace

QString LdifLine(const QString& attribute, const QString& value) {
    bool plain = !value.startsWith(u' ') && !value.startsWith(u':');
    for (const QChar c : value) plain = plain && c.unicode() >= 32 && c.unicode() < 127;
    if (plain) return attribute + QStringLiteral(": ") + value + u'\n';
    return attribute + QStringLiteral(":: ") + QString::fromLatin1(value.toUtf8().toBase64()) + u'\n';
}

LdapTestServer::LdapTestServer(const LdapServerOptions& options) {
    if (!dir_.isValid()) throw std::runtime_error("no temporary folder");
    WriteConfiguration(options);
    QProcess load;
    load.start(QStringLiteral("/usr/sbin/slapadd"),
               {QStringLiteral("-q"), QStringLiteral("-f"), dir_.filePath(QStringLiteral("slapd.conf")),
                QStringLiteral("-l"), dir_.filePath(QStringLiteral("data.ldif"))});
    if (!load.waitForFinished(30000) || load.exitCode() != 0)
        throw std::runtime_error("slapadd failed: " + load.readAllStandardError().toStdString());
    // A port found free here may be taken before slapd binds it: then slapd ends and another port is tried.
    for (int attempt = 0; attempt < 5; ++attempt)
        if (Start(testing_smtp::FreePort())) return;
    throw std::runtime_error("slapd did not start listening");
}

LdapTestServer::~LdapTestServer() {
    process_.terminate();
    if (!process_.waitForFinished(5000)) {
        process_.kill();
        process_.waitForFinished(5000);
    }
}

void LdapTestServer::WriteConfiguration(const LdapServerOptions& options) {
    const QDir dir(dir_.path());
    dir.mkdir(QStringLiteral("db"));
    QString conf = QStringLiteral(
                       "include /etc/ldap/schema/core.schema\n"
                       "include /etc/ldap/schema/cosine.schema\n"
                       "include /etc/ldap/schema/inetorgperson.schema\n"
                       "pidfile %1/slapd.pid\n"
                       "modulepath /usr/lib/ldap\n"
                       "moduleload back_mdb\n")
                       .arg(dir_.path());
    if (options.refuseAnonymousBind) conf += QStringLiteral("disallow bind_anon\n");
    conf += QStringLiteral(
                "database mdb\n"
                "maxsize 10485760\n"
                "suffix \"%1\"\n"
                "rootdn \"cn=admin,%1\"\n"
                "directory %2\n")
                .arg(kBase, dir.filePath(QStringLiteral("db")));
    WriteFile(dir.filePath(QStringLiteral("slapd.conf")), conf);
    WriteFile(dir.filePath(QStringLiteral("data.ldif")),
              QStringLiteral("dn: %1\nobjectClass: dcObject\nobjectClass: organization\no: Example\ndc: example\n\n")
                      .arg(kBase) +
                  options.ldif);
}

bool LdapTestServer::Start(int port) {
    // The server dies with the test program, however that ends.
    process_.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGKILL); });
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // Debug level 0 keeps slapd in the foreground, where it can be stopped.
    process_.start(QStringLiteral("/usr/sbin/slapd"),
                   {QStringLiteral("-f"), dir_.filePath(QStringLiteral("slapd.conf")), QStringLiteral("-h"),
                    QStringLiteral("ldap://127.0.0.1:%1/").arg(port), QStringLiteral("-d"), QStringLiteral("0")});
    if (!process_.waitForStarted(10000)) throw std::runtime_error("cannot start slapd");
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 30000) {
        if (process_.state() != QProcess::Running) return false;
        if (Accepts(port)) {
            port_ = port;
            return true;
        }
        process_.waitForFinished(50);
    }
    throw std::runtime_error("slapd did not start listening");
}

}  // namespace testing_ldap
