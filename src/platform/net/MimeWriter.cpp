// The MIME text of a message: headers, a text part and base64 file parts in multipart/mixed.
#include "platform/net/MimeWriter.h"

#include "platform/net/MailAddress.h"
#include "platform/net/MimeEncoding.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/Exceptions.h"

#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QRandomGenerator>
#include <QUrl>

namespace net {

namespace {

// SMTP allows 998 characters on a line; a longer plain line needs quoted-printable.
constexpr int kMaxPlainLine = 998;

QByteArray PriorityHeader(int priority) {
    static const char* const kLabels[] = {"1 (Highest)", "2 (High)", "3 (Normal)", "4 (Low)", "5 (Lowest)"};
    return kLabels[qBound(0, priority, 4)];
}

void AddHeader(QByteArray& out, const QByteArray& name, const QByteArray& value) {
    if (!value.isEmpty()) out += FoldHeader(name, value) + "\r\n";
}

void AddAddressHeader(QByteArray& out, const QByteArray& name, const QString& list) {
    AddHeader(out, name, FormatAddressHeader(ParseAddressList(list)));
}

// The body's headers and encoded text.
QByteArray TextPart(const QStringList& lines) {
    const QString text = lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
    bool plain = IsAscii(lines.join(QString()));
    for (const QString& line : lines) plain = plain && line.size() <= kMaxPlainLine;
    if (plain)
        return "Content-Type: text/plain; charset=us-ascii\r\nContent-Transfer-Encoding: 7bit\r\n\r\n" +
               text.toLatin1();
    return "Content-Type: text/plain; charset=utf-8\r\nContent-Transfer-Encoding: quoted-printable\r\n\r\n" +
           EncodeQuotedPrintable(text.toUtf8());
}

// A file name as a header parameter: quoted ASCII, else the RFC 2231 form.
QByteArray FileNameParameter(const QByteArray& parameter, const QString& name) {
    if (IsAscii(name) && !name.contains(u'"') && !name.contains(u'\\'))
        return parameter + "=\"" + name.toLatin1() + '"';
    return parameter + "*=UTF-8''" + QUrl::toPercentEncoding(name);
}

QByteArray FilePart(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EFOpenError(QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, file.errorString()));
    const QString name = QFileInfo(fileName).fileName();
    const QByteArray type = QMimeDatabase().mimeTypeForFile(fileName, QMimeDatabase::MatchExtension).name().toLatin1();
    return "Content-Type: " + type + "; " + FileNameParameter("name", name) +
           "\r\nContent-Transfer-Encoding: base64\r\nContent-Disposition: attachment; " +
           FileNameParameter("filename", name) + "\r\n\r\n" + EncodeBase64Lines(file.readAll());
}

}  // namespace

MimeStamp NewMimeStamp() {
    const TDateTime now = Now();
    const QByteArray id = QByteArray::number(QRandomGenerator::global()->generate64(), 36) + '.' +
                          QByteArray::number(QDateTime::currentMSecsSinceEpoch(), 36);
    return {QDateTime(DateTimeToQDate(now), DateTimeToQTime(now)), id};
}

QByteArray EncodeMimeMessage(const MailMessage& message, const MimeStamp& stamp) {
    QByteArray out;
    AddHeader(out, "Date", stamp.Date.toString(Qt::RFC2822Date).toLatin1());
    AddAddressHeader(out, "From", message.From);
    AddAddressHeader(out, "Reply-To", message.ReplyTo);
    AddHeader(out, "Organization", EncodeHeaderText(message.Organization));
    AddAddressHeader(out, "To", message.Recipients);
    AddAddressHeader(out, "Cc", message.CCList);
    AddHeader(out, "Subject", EncodeHeaderText(message.Subject));
    AddHeader(out, "Message-ID", '<' + stamp.Id + "@tavorin>");
    AddHeader(out, "MIME-Version", "1.0");
    AddHeader(out, "X-Priority", PriorityHeader(message.Priority));
    if (message.Priority < mpNormal) AddHeader(out, "Importance", "high");
    if (message.Priority > mpNormal) AddHeader(out, "Importance", "low");
    AddAddressHeader(out, "Disposition-Notification-To", message.ReceiptRecipient);

    if (message.Attachments.isEmpty()) return out + TextPart(message.Body);

    // The line break before a delimiter belongs to the delimiter, so each part keeps its own last one.
    const QByteArray delimiter = "\r\n--=_part_" + stamp.Id;
    out += "Content-Type: multipart/mixed; boundary=\"" + delimiter.mid(4) + "\"\r\n\r\n";
    out += "This is a multi-part message in MIME format.\r\n";
    out += delimiter + "\r\n" + TextPart(message.Body);
    for (const QString& fileName : message.Attachments) out += delimiter + "\r\n" + FilePart(fileName);
    return out + delimiter + "--\r\n";
}

}  // namespace net
