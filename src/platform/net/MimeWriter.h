// Turns a mail message into the MIME text sent after DATA.
#pragma once

#include "platform/net/MailMessage.h"

#include <QByteArray>
#include <QDateTime>

namespace net {

// What differs from one encoding of the same message to the next.
struct MimeStamp {
    QDateTime Date;
    // Unique per message; also the base of the multipart boundary.
    QByteArray Id;
};

// A stamp from the current clock and a random id.
MimeStamp NewMimeStamp();

// The message with CRLF line ends. Bcc is never written. Raises EFOpenError when an attached file
// cannot be read.
QByteArray EncodeMimeMessage(const MailMessage& message, const MimeStamp& stamp);

}  // namespace net
