// The help set-up facts gathered at start-up and the "HHDebug.txt" file written in debug mode.
#pragma once

#include "util/core/DvVersionInfo.h"

#include <QString>
#include <QStringList>

namespace util {

struct HelpDebugInfo {
    QString moduleName;
    QString moduleDir;
    QString runDir;
    // Where HHDebug.txt goes: the module folder when files can be made there, else the temporary folder.
    QString debugDir;
    bool debugMode = false;
    bool hhInstalled = false;
    QString hhVerStr;
    QString hhFriendlyVerStr;
    bool ieInstalled = false;
    QString ieVerStr;
    QString ieFriendlyVerStr;

    QString DebugFileName() const { return debugDir + QStringLiteral("/HHDebug.txt"); }
};

// The HTML Help control's release name by its version (the build number is not compared).
QString HHFriendlyVersionName(const TDvVersionInfo& version);

// Gathers the facts; debug mode is on when "debug.debug" is in the module folder or an argument is
// "/debug" or "-debug". Deletes the old HHDebug.txt and in debug mode starts a new one with the header.
HelpDebugInfo StartHelpDebug(const QStringList& arguments);

// Appends one line: "-" and "=" become 80 of that character; a leading "!", "-" or "=" is dropped; any
// other line gets the time of day and three blanks in front. A file that cannot be opened is skipped.
void HHDebugWrite(const QString& fileName, const QString& line);

}  // namespace util
