// The address rule of link cells.
#include "controls/grid/WwURLLink.h"

namespace controls {

QString WithMailScheme(const QString& address) {
    if (address.contains(QLatin1String("MAILTO:"), Qt::CaseInsensitive)) return address;
    const qsizetype at = address.indexOf(QLatin1Char('@'));
    const qsizetype dot = address.indexOf(QLatin1Char('.'));
    return at >= 1 && dot > at ? QStringLiteral("MailTo:") + address : address;
}

}  // namespace controls
