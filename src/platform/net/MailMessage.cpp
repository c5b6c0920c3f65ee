// The outgoing message's reset.
#include "platform/net/MailMessage.h"

namespace net {

void MailMessage::Clear() { *this = MailMessage(); }

}  // namespace net
