// Reading and comparing the minimum program version.
#include "data/module/ProgramVersionCheck.h"

#include <QStringList>

namespace data {
namespace {

bool IsDecimal(const QString& part) {
    if (part.isEmpty()) return false;
    for (QChar ch : part)
        if (ch < u'0' || ch > u'9') return false;
    bool fits = false;
    part.toInt(&fits);
    return fits;
}

}  // namespace

bool ProgramVersionAllowed(const QString& minProgramVersion, const TDvVersionInfo& programVersion) {
    const QStringList parts = minProgramVersion.split(u'.');
    if (parts.size() != 4) return false;
    for (const QString& part : parts)
        if (!IsDecimal(part)) return false;
    const TDvVersionInfo minimum{parts[0].toInt(), parts[1].toInt(), parts[2].toInt(), parts[3].toInt()};
    return CompareVersionInfo(programVersion, minimum) >= 0;
}

QString MinProgramVersionMessage(const QString& minProgramVersion) {
    return QStringLiteral("The database administrator has restricted opening of this database to Tavorin version ") +
           minProgramVersion +
           QStringLiteral(" or higher. To open the database on this computer install an updated version of ") +
           QStringLiteral("Tavorin") + QStringLiteral(" or contact ") +
           QStringLiteral("the database administrator to have the restriction removed.");
}

}  // namespace data
