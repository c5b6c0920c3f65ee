// Copying a database file aside, then dropping the copy or putting it back.
#include "data/schema/FileSnapshot.h"

#include "platform/rtl/DurableFiles.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/KillPoints.h"
#include "platform/sql/Connection.h"
#include "platform/sql/SnapshotRecovery.h"

namespace data {

FileSnapshot::FileSnapshot(const sql::Connection& connection)
    : fileName_(connection.FileName()), place_(connection.Place()) {
    // Written under another name and renamed when whole: a snapshot under its own name is always complete.
    const QString work = sql::SnapshotWorkPath(fileName_);
    const QString error = rtl::CopyFileDurably(fileName_, work);
    if (!error.isEmpty()) throw EFCreateError(error);
    if (!rtl::ReplaceFileDurably(work, CopyName())) {
        rtl::RemoveFileDurably(work);
        throw EFCreateError(QStringLiteral("Cannot create file \"%1\".").arg(CopyName()));
    }
    rtl::KillPoint("snapshot-made");
}

FileSnapshot::~FileSnapshot() = default;

QString FileSnapshot::CopyName() const { return sql::SnapshotPath(fileName_); }

void FileSnapshot::Discard() { rtl::RemoveFileDurably(CopyName()); }

bool FileSnapshot::Restore() { return sql::RestoreSnapshot(fileName_); }

}  // namespace data
