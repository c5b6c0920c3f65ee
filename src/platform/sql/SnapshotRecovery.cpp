// Restoring a database file from the snapshot an interrupted change left beside it.
#include "platform/sql/SnapshotRecovery.h"

#include "platform/rtl/DurableFiles.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/KillPoints.h"
#include "platform/sql/LockFile.h"

#include <QFileInfo>

namespace sql {

QString SnapshotPath(const QString& databasePath) { return databasePath + QStringLiteral(".before"); }
QString SnapshotWorkPath(const QString& databasePath) { return databasePath + QStringLiteral(".before-partial"); }

bool RestoreSnapshot(const QString& databasePath) {
    // Journal first: should the rename not happen, the snapshot is still there for the next try.
    if (!rtl::RemoveFileDurably(databasePath + QStringLiteral("-journal"))) return false;
    rtl::KillPoint("restore-journal-removed");
    return rtl::ReplaceFileDurably(SnapshotPath(databasePath), databasePath);
}

void RestoreLeftoverSnapshot(const QString& databasePath) {
    if (!QFileInfo::exists(SnapshotPath(databasePath)) && !QFileInfo::exists(SnapshotWorkPath(databasePath))) return;
    std::shared_ptr<LockFile> keepOut;
    try {
        keepOut = LockFile::Join(databasePath, true);
    } catch (const Exception&) {
        // Someone has the file: the change may still be running.
        return;
    }
    // A copy that was not finished is not a snapshot: the file itself was not yet changed.
    rtl::RemoveFileDurably(SnapshotWorkPath(databasePath));
    if (QFileInfo::exists(SnapshotPath(databasePath))) RestoreSnapshot(databasePath);
}

}  // namespace sql
