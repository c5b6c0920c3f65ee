// Start-up facts of the help set-up and the debug file's lines.
#include "util/HHDebug.h"

#include "platform/rtl/DateTimeFormat.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/FormatSettings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace util {
namespace {

// The folder where a test file can be made, else the temporary folder.
QString WritableFolder(const QString& folder) {
    QFile probe(QDir(folder).filePath(QStringLiteral("$_Temp_$.$$$")));
    if (probe.open(QIODevice::WriteOnly)) {
        probe.close();
        probe.remove();
        return folder;
    }
    return QDir::tempPath();
}

QString YesNo(bool value) { return value ? QStringLiteral("YES") : QStringLiteral("NO"); }
QString Hex4(int value) { return QStringLiteral("0x") + IntToHex(value, 4); }

}  // namespace

QString HHFriendlyVersionName(const TDvVersionInfo& version) {
    const struct {
        int major, minor, release;
        const char* name;
    } thresholds[] = {
        {4, 74, 8702, "1.3"},  {4, 73, 8561, "1.22"}, {4, 73, 8474, "1.21a"},
        {4, 73, 8412, "1.21"}, {4, 73, 8252, "1.2"},  {4, 72, 8164, "1.1b"},
        {4, 72, 7325, "1.1a"}, {4, 72, 7323, "1.1"},  {4, 72, 7290, "1.0"},
    };
    const auto compare = [&](int major, int minor, int release) {
        return CompareVersionInfo({version.Major, version.Minor, version.Release, 0}, {major, minor, release, 0});
    };
    const int against131 = compare(4, 74, 8793);
    if (against131 > 0) return QStringLiteral("> 1.31");
    if (against131 == 0) return QStringLiteral("1.31");
    for (const auto& t : thresholds)
        if (compare(t.major, t.minor, t.release) >= 0) return QString::fromLatin1(t.name);
    return QStringLiteral("< 1.0");
}

HelpDebugInfo StartHelpDebug(const QStringList& arguments) {
    HelpDebugInfo info;
    info.moduleName = QCoreApplication::applicationFilePath();
    info.moduleDir = QCoreApplication::applicationDirPath();
    info.runDir = info.moduleDir;
    info.debugDir = WritableFolder(info.moduleDir);
    info.debugMode = QFileInfo::exists(QDir(info.moduleDir).filePath(QStringLiteral("debug.debug")));
    for (const QString& argument : arguments)
        if (argument.compare(QStringLiteral("/debug"), Qt::CaseInsensitive) == 0 ||
            argument.compare(QStringLiteral("-debug"), Qt::CaseInsensitive) == 0)
            info.debugMode = true;
    // There is no HTML Help control and no such browser to read a version from: both count as absent.
    info.hhFriendlyVerStr = HHFriendlyVersionName({});
    info.ieFriendlyVerStr = QStringLiteral("< Internet Explorer 1.0 (Plus!)");

    const QString file = info.DebugFileName();
    QFile::remove(file);
    if (!info.debugMode) return info;
    const TFormatSettings& fs = FormatSettings;
    const QStringList header = {
        QStringLiteral("!Filename:             \t") + file,
        QStringLiteral("!Date:                 \t") + DateTimeToStr(Now()),
        QStringLiteral("!SysLocale.DefaultLCID: \t") + Hex4(fs.DefaultLCID),
        QStringLiteral("!SysLocale.PriLangID:   \t") + Hex4(fs.PriLangID),
        QStringLiteral("!SysLocale.SubLangID:   \t") + Hex4(fs.SubLangID),
        QStringLiteral("!DecimalSeparator:      \t") + fs.DecimalSeparator,
        QStringLiteral("-"),
        QStringLiteral("!EXE Path =          \t") + info.moduleName,
        QStringLiteral("!_RunDir =           \t") + info.runDir,
        QStringLiteral("!_ModuleName =       \t") + info.moduleName,
        QStringLiteral("!_ModuleDir =        \t") + info.moduleDir,
        QStringLiteral("-"),
        QStringLiteral("!_hhInstalled =      \t") + YesNo(info.hhInstalled),
        QStringLiteral("!_hhVerStr =         \t") + info.hhVerStr,
        QStringLiteral("!_hhFriendlyVerStr = \t") + info.hhFriendlyVerStr,
        QStringLiteral("-"),
        QStringLiteral("!_ieInstalled =      \t") + YesNo(info.ieInstalled),
        QStringLiteral("!_ieVerStr =         \t") + info.ieVerStr,
        QStringLiteral("!_ieFriendlyVerStr = \t") + info.ieFriendlyVerStr,
        QStringLiteral("="),
    };
    for (const QString& line : header) HHDebugWrite(file, line);
    return info;
}

void HHDebugWrite(const QString& fileName, const QString& line) {
    QString text;
    if (line == QLatin1String("-") || line == QLatin1String("=")) text = QString(80, line[0]);
    else if (line.startsWith(u'!') || line.startsWith(u'-') || line.startsWith(u'=')) text = line.mid(1);
    else text = TimeToStr(Time()) + QStringLiteral("   ") + line;
    QFile file(fileName);
    if (!file.open(QIODevice::Append)) return;
    file.write(text.toUtf8() + "\r\n");
}

}  // namespace util
