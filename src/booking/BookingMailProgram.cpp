// A booking's message handed to the desktop's mail program.
#include "booking/BookingCommands.h"

#include "mail/core/DvMapi.h"

namespace booking {

bool SendThroughMailProgram(TDvMapiConnection& connection, const MapiMessage& message) {
    TDvMapiMessage& m = connection.Message;
    m.Recipients.Clear();
    const auto add = [&m, &message](MapiMessage::RecipientClass recipientClass) {
        for (const MapiMessage::Recipient& recipient : message.Recipients)
            if (recipient.Class == recipientClass) m.Recipients.Add(recipient.Class, QString(), recipient.Address);
    };
    add(MapiMessage::To);
    m.OriginatorName = message.OriginatorName;
    m.OriginatorAddress = message.OriginatorAddress;
    m.ReplyTo = message.ReplyTo;
    add(MapiMessage::Bcc);
    m.Subject = message.Subject;
    m.NoteText = message.Body;
    return connection.SendMail(true);
}

}  // namespace booking
