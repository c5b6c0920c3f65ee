// Four-part version numbers.
#include "util/core/DvVersionInfo.h"

#include "platform/rtl/ProgramVersion.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

int CompareParts(qint32 a, qint32 b) { return a > b ? 1 : a < b ? -1 : 0; }

bool IsProgramFile(const QString& fileName) {
    const QString self = QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath();
    return !self.isEmpty() && QFileInfo(fileName).canonicalFilePath() == self;
}

// A whole decimal number of the text, as the framework's string-to-integer conversion reads it.
bool ToDecimal(const QString& text, qint32& value) {
    bool ok = false;
    const int parsed = text.trimmed().toInt(&ok, 10);
    if (ok) value = parsed;
    return ok;
}

}  // namespace

int CompareVersionInfo(const TDvVersionInfo& a, const TDvVersionInfo& b) {
    if (int c = CompareParts(a.Major, b.Major)) return c;
    if (int c = CompareParts(a.Minor, b.Minor)) return c;
    if (int c = CompareParts(a.Release, b.Release)) return c;
    return CompareParts(a.Build, b.Build);
}

void CopyVersionInfo(TDvVersionInfo& target, const TDvVersionInfo& source) { target = source; }

QString VersionInfoToText(const TDvVersionInfo& v) {
    return QStringLiteral("%1.%2.%3.%4").arg(v.Major).arg(v.Minor).arg(v.Release).arg(v.Build);
}

void ParseVersionInfo(TDvVersionInfo& v, const QString& text) {
    // Major, Minor and Release each end at a "."; Build is the rest.
    qint32* parts[] = {&v.Major, &v.Minor, &v.Release};
    QString rest = text;
    for (qint32* part : parts) {
        const int dot = rest.indexOf(QLatin1Char('.'));
        if (dot < 0 || !ToDecimal(rest.left(dot), *part)) return;
        rest = rest.mid(dot + 1);
    }
    ToDecimal(rest, v.Build);
}

TDvVersionInfo ProgramVersion() {
    return {rtl::kProgramVersionMajor, rtl::kProgramVersionMinor, rtl::kProgramVersionRelease,
            rtl::kProgramVersionBuild};
}

bool ReadFileVersion(const QString& fileName, TDvVersionInfo& v) {
    v = TDvVersionInfo{};
    if (!IsProgramFile(fileName)) return false;
    v = ProgramVersion();
    return true;
}

bool GetFileVersionText(const QString& fileName, int style, QString& text) {
    text.clear();
    TDvVersionInfo v;
    if (!ReadFileVersion(fileName, v)) return false;
    switch (style) {
        case 0: text = VersionInfoToText(v); break;
        case 1: text = QStringLiteral("%1.%2 (Build %3)").arg(v.Major).arg(v.Minor).arg(v.Build); break;
        case 2: text = QStringLiteral("%1.%2 (Build 0.%3)").arg(v.Major).arg(v.Minor).arg(v.Build); break;
        default: break;
    }
    return true;
}
