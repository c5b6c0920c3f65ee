// A real LDAP server (slapd) on 127.0.0.1 for a test fixture: its configuration and data in a temporary folder,
// loaded with slapadd, stopped with the object.
#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

namespace testing_ldap {

// The suffix every test directory serves; the directory's own entry is made by the server.
inline const QString kBase = QStringLiteral("dc=example,dc=org");

struct LdapServerOptions {
    // Entries below kBase as LDIF records, each ending with a blank line.
    QString ldif;
    // The server refuses anonymous binds.
    bool refuseAnonymousBind = false;
};

// One LDIF record line; a value that is not plain ASCII goes base64-encoded, as LDIF wants.
QString LdifLine(const QString& attribute, const QString& value);

class LdapTestServer {
public:
    // Raises std::runtime_error when the server does not come up.
    explicit LdapTestServer(const LdapServerOptions& options);
    ~LdapTestServer();

    int Port() const { return port_; }

private:
    void WriteConfiguration(const LdapServerOptions& options);
    // False when slapd ended at start (the port was taken meanwhile).
    bool Start(int port);

    QTemporaryDir dir_;
    QProcess process_;
    int port_ = 0;
};

}  // namespace testing_ldap
