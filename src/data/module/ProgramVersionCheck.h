// The lowest program version a database allows to open it.
#pragma once

#include "util/core/DvVersionInfo.h"

#include <QString>

namespace data {

// True when the text is four "."-separated decimal numbers and the program's version is not older.
bool ProgramVersionAllowed(const QString& minProgramVersion, const TDvVersionInfo& programVersion);
// The refusal the open shows.
QString MinProgramVersionMessage(const QString& minProgramVersion);

}  // namespace data
