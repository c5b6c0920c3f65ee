// Reading the version list and wording its findings.
#include "util/UpdateList.h"

#include <QRegularExpression>
#include <QStringList>

namespace util {

UpdateFindings EvaluateVersionList(const QString& list, const QString& prefix, const TDvVersionInfo& program,
                                   bool skipUnrecognized) {
    static const QRegularExpression fourNumbers(QStringLiteral("^[0-9]+\\.[0-9]+\\.[0-9]+\\.[0-9]+$"));
    UpdateFindings findings;
    findings.best = program;
    for (const QString& line : list.split(u'\n')) {
        const QStringList fields = line.trimmed().split(u':');
        if (fields.size() < 2 || fields[0].trimmed().compare(prefix, Qt::CaseInsensitive) != 0) continue;
        const QString versionText = fields[1].trimmed();
        if (!fourNumbers.match(versionText).hasMatch()) {
            if (skipUnrecognized) continue;
            findings.unrecognized = true;
            return findings;
        }
        TDvVersionInfo version;
        ParseVersionInfo(version, versionText);
        if (CompareVersionInfo(version, program) <= 0) continue;
        const QString kind = fields.value(2).trimmed().toLower();
        if (kind == QLatin1String("upgrade")) {
            findings.upgrade = true;
            findings.upgradeVersion = versionText;
            continue;
        }
        if (kind == QLatin1String("critical")) findings.critical = true;
        else if (kind == QLatin1String("recommended")) findings.recommended = true;
        else if (kind == QLatin1String("available")) findings.available = true;
        else continue;
        if (CompareVersionInfo(version, findings.best) > 0) findings.best = version;
    }
    return findings;
}

QString UpdateFoundMessage(const UpdateFindings& findings) {
    const QString best = QStringLiteral("Version ") + VersionInfoToText(findings.best);
    QString message;
    if (findings.critical) message = best + QStringLiteral(" is available as a critical update");
    else if (findings.recommended) message = best + QStringLiteral(" is available as a recomended update");
    else if (findings.available) message = best + QStringLiteral(" is available");
    if (findings.upgrade) {
        if (!message.isEmpty()) message += QStringLiteral("\r\n\r\n");
        message += QStringLiteral("Version ") + findings.upgradeVersion + QStringLiteral(" is available as an upgrade");
    }
    return message;
}

}  // namespace util
