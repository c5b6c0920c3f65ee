// Compacting a closed database file, with an optional backup; also how its password is set or changed.
#pragma once

#include <QString>

namespace data {

// Answers of CompactDatabaseFile.
enum CompactResult : int { kCompacted = 0, kCompactFailed = 1, kCompactWrongPassword = 2, kCompactCancelled = 3 };

// Compacts the file into "<name>.tmp" with the new password (empty for none), keeps the original as
// "<name>.bak" (returned in backupFileName) when asked, and renames the copy over the original, all while
// others are kept out: after a crash the file's name holds the original or the compacted copy.
// Failures are shown, except a wrong current password, which the caller handles by asking again.
int CompactDatabaseFile(const QString& fileName, const QString& password, QString& backupFileName, bool makeBackup,
                        const QString& newPassword);

}  // namespace data
