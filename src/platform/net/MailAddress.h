// Mail addresses as users write them ("Name <box@host>", "box@host", lists joined with "," or ";").
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace net {

struct MailAddress {
    QString Name;
    QString Address;
};

// The addresses of a list; separators inside double quotes or angle brackets do not split, empty
// entries are skipped.
QList<MailAddress> ParseAddressList(const QString& text);
// The list as a header value: each name quoted or encoded as it needs, "Name <box@host>" or "box@host".
QByteArray FormatAddressHeader(const QList<MailAddress>& addresses);

}  // namespace net
