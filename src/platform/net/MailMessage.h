// The one outgoing mail message: its header texts, body lines and attached files.
#pragma once

#include <QString>
#include <QStringList>

namespace net {

// 0 highest .. 4 lowest.
enum MailPriority { mpHighest, mpHigh, mpNormal, mpLow, mpLowest };

class MailMessage {
public:
    // Address texts as the user writes them; lists are joined with "," (see ParseAddressList).
    QString From;
    QString ReplyTo;
    QString Organization;
    QString Recipients;
    QString CCList;
    // Delivered to, never written into the message.
    QString BccList;
    QString Subject;
    int Priority = mpNormal;
    // Asked for a return receipt (Disposition-Notification-To) when not empty.
    QString ReceiptRecipient;
    QStringList Body;
    // The files attached, by full name; read when the message is encoded.
    QStringList Attachments;

    // Empties the headers, the body and the attachments.
    void Clear();
};

}  // namespace net
