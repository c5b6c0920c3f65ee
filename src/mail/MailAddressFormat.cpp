// The sender text of the mail windows.
#include "mail/MailAddressFormat.h"

QString FormatMailAddress(const QString& name, const QString& address, const QString& displayText) {
    if (!displayText.trimmed().isEmpty()) return displayText.trimmed();
    if (!name.trimmed().isEmpty()) return name.trimmed() + QStringLiteral(" <") + address.trimmed() + u'>';
    return address.trimmed();
}
