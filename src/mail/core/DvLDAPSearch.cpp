// A directory search through OpenLDAP's client library, and the texts of its result codes.
#include "mail/core/DvLDAPServer.h"

#include <ldap.h>
#include <sys/time.h>

namespace {

// The client library's own error codes (-1 to -11) take the numbers 81 to 91 the address book knows them by.
qint32 ResultCode(int libraryCode) {
    if (libraryCode <= LDAP_SERVER_DOWN && libraryCode >= LDAP_CONNECT_ERROR) return 80 - libraryCode;
    return libraryCode;
}

// The handle and the search result, released in every case once the connection was made.
class DirectorySession {
public:
    ~DirectorySession() {
        if (result_) ldap_msgfree(result_);
        if (ld_) ldap_unbind_ext_s(ld_, nullptr, nullptr);
    }

    // False when the host cannot be reached.
    bool Connect(const QString& host, qint32 port) {
        const QByteArray uri = QStringLiteral("ldap://%1:%2").arg(host).arg(port).toUtf8();
        if (ldap_initialize(&ld_, uri.constData()) != LDAP_SUCCESS) return false;
        int version = LDAP_VERSION3;
        timeval connectTimeout{TDvLDAPServer::kConnectTimeoutSeconds, 0};
        timeval replyTimeout{TDvLDAPServer::kReplyTimeoutSeconds, 0};
        return ldap_set_option(ld_, LDAP_OPT_PROTOCOL_VERSION, &version) == LDAP_OPT_SUCCESS &&
               ldap_set_option(ld_, LDAP_OPT_NETWORK_TIMEOUT, &connectTimeout) == LDAP_OPT_SUCCESS &&
               ldap_set_option(ld_, LDAP_OPT_TIMEOUT, &replyTimeout) == LDAP_OPT_SUCCESS &&
               ldap_connect(ld_) == LDAP_SUCCESS;
    }

    LDAP* Handle() const { return ld_; }
    LDAPMessage** Result() { return &result_; }

    // The code of the unbind, which closes the connection.
    int Unbind() {
        if (result_) ldap_msgfree(result_);
        result_ = nullptr;
        const int code = ldap_unbind_ext_s(ld_, nullptr, nullptr);
        ld_ = nullptr;
        return code;
    }

private:
    LDAP* ld_ = nullptr;
    LDAPMessage* result_ = nullptr;
};

// Each attribute's last value (UTF-8) fills the entry's text of that name.
void ReadEntry(LDAP* ld, LDAPMessage* message, TDvLDAPEntry& entry) {
    BerElement* ber = nullptr;
    for (char* name = ldap_first_attribute(ld, message, &ber); name; name = ldap_next_attribute(ld, message, ber)) {
        berval** values = ldap_get_values_len(ld, message, name);
        QString* text = entry.Attribute(QString::fromUtf8(name).toLower());
        if (text) {
            const int count = ldap_count_values_len(values);
            *text = count > 0 ? QString::fromUtf8(values[count - 1]->bv_val, values[count - 1]->bv_len) : QString();
        }
        ldap_value_free_len(values);
        ldap_memfree(name);
    }
    ber_free(ber, 0);
}

}  // namespace

QString LDAPErrorText(qint32 code) {
    if (code == TDvLDAPServer::kTimeLimitExceeded) return QStringLiteral("Time limit exceeded");
    if (code == TDvLDAPServer::kCouldNotConnect) return QStringLiteral("Could not connect to server");
    return QStringLiteral("LDAP error ") + QString::number(code);
}

qint32 TDvLDAPServer::Search(const QString& filter) {
    SizeLimitReached = false;
    TimeLimitReached = false;
    Entries.Clear();
    DirectorySession session;
    if (!session.Connect(Hostname, Port)) return kCouldNotConnect;
    LDAP* ld = session.Handle();

    berval noPassword{0, nullptr};
    int code = ldap_sasl_bind_s(ld, nullptr, LDAP_SASL_SIMPLE, &noPassword, nullptr, nullptr, nullptr);
    if (code != LDAP_SUCCESS) return ResultCode(code);
    int sizeLimit = SizeLimit;
    code = ldap_set_option(ld, LDAP_OPT_SIZELIMIT, &sizeLimit);
    if (code != LDAP_OPT_SUCCESS) return ResultCode(code);

    // -1 takes the limits from the options set above.
    code = ldap_search_ext_s(ld, Base.toUtf8().constData(), LDAP_SCOPE_SUBTREE, filter.toUtf8().constData(), nullptr, 0,
                             nullptr, nullptr, nullptr, -1, session.Result());
    if (code == LDAP_SIZELIMIT_EXCEEDED) SizeLimitReached = true;
    if (code == LDAP_TIMELIMIT_EXCEEDED) TimeLimitReached = true;
    if (code != LDAP_SUCCESS && !SizeLimitReached && !TimeLimitReached) return ResultCode(code);

    for (LDAPMessage* message = ldap_first_entry(ld, *session.Result()); message;
         message = ldap_next_entry(ld, message))
        ReadEntry(ld, message, Entries.Add());
    return ResultCode(session.Unbind());
}
