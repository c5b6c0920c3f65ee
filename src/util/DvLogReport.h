// The diagnostic report: the caller's lines, then the machine, engines, regional settings, mail set-up,
// memory and registry exports, written as a CR LF text file.
#pragma once

#include "util/DvRegExport.h"

#include <QStringList>

namespace util {

// The report's lines in order: outputLines (and an empty line after them when there are any), then the
// fixed description of this machine, then the exports of regKeys.
QStringList LogReportLines(const QStringList& outputLines, const TDvRegKeys& regKeys);

// Asks before replacing an existing file, then writes the lines with CR LF ends. A file that cannot be
// created is reported to the user. False when nothing was written.
bool WriteLogFile(const QString& fileName, const QStringList& lines);

}  // namespace util
