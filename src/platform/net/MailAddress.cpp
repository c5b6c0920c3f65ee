// Splitting address lists and writing them into headers.
#include "platform/net/MailAddress.h"

#include "platform/net/MimeEncoding.h"

namespace net {

namespace {

MailAddress ParseOne(const QString& entry) {
    const int open = entry.lastIndexOf(u'<');
    const int close = entry.lastIndexOf(u'>');
    if (open < 0 || close < open) return {QString(), entry.trimmed()};
    QString name = entry.left(open).trimmed();
    if (name.size() >= 2 && name.startsWith(u'"') && name.endsWith(u'"'))
        name = name.mid(1, name.size() - 2).replace(QStringLiteral("\\\""), QStringLiteral("\""));
    return {name, entry.mid(open + 1, close - open - 1).trimmed()};
}

QByteArray FormatName(const QString& name) {
    if (!IsAscii(name)) return EncodeHeaderText(name);
    static const QString kSpecials = QStringLiteral("()<>[]:;@\\,.\"");
    for (QChar c : name)
        if (kSpecials.contains(c)) {
            QString quoted = name;
            quoted.replace(u'\\', QStringLiteral("\\\\")).replace(u'"', QStringLiteral("\\\""));
            return '"' + quoted.toLatin1() + '"';
        }
    return name.toLatin1();
}

}  // namespace

QList<MailAddress> ParseAddressList(const QString& text) {
    QList<MailAddress> addresses;
    QString entry;
    bool quoted = false;
    bool bracketed = false;
    auto finish = [&] {
        if (!entry.trimmed().isEmpty()) addresses.append(ParseOne(entry));
        entry.clear();
    };
    for (QChar c : text) {
        if (c == u'"' && !bracketed) quoted = !quoted;
        if (c == u'<' && !quoted) bracketed = true;
        if (c == u'>' && !quoted) bracketed = false;
        if ((c == u',' || c == u';') && !quoted && !bracketed) finish();
        else entry += c;
    }
    finish();
    return addresses;
}

QByteArray FormatAddressHeader(const QList<MailAddress>& addresses) {
    QList<QByteArray> parts;
    for (const MailAddress& a : addresses) {
        const QByteArray address = a.Address.toUtf8();
        parts.append(a.Name.isEmpty() ? address : FormatName(a.Name) + " <" + address + '>');
    }
    return parts.join(", ");
}

}  // namespace net
