// The version list of the update check: which released versions are newer, and the sentence telling so.
#pragma once

#include "util/core/DvVersionInfo.h"

#include <QString>

namespace util {

struct UpdateFindings {
    bool critical = false;
    bool recommended = false;
    bool available = false;
    bool upgrade = false;
    // The newest critical, recommended or available version (the program's own when none is newer).
    TDvVersionInfo best;
    // The version text of the last newer upgrade line.
    QString upgradeVersion;
    // A line of ours whose version is not four whole numbers ended the reading.
    bool unrecognized = false;

    bool AnyFound() const { return critical || recommended || available || upgrade; }
};

// Reads the lines "prefix:version:kind" (prefix without case, kind in lower case) against the program's
// version. An unrecognized version ends the reading unless skipUnrecognized, which passes over its line.
UpdateFindings EvaluateVersionList(const QString& list, const QString& prefix, const TDvVersionInfo& program,
                                   bool skipUnrecognized);

// The sentence shown for what was found; empty when nothing was.
QString UpdateFoundMessage(const UpdateFindings& findings);

}  // namespace util
