// The copy of a database file that a multi-step change keeps beside it, and its recovery after a crash.
#pragma once

#include <QString>

namespace sql {

// "<file>.before": it exists only while a change is under way, and then always as a complete copy of the
// file as it was before the change (it is written under SnapshotWorkPath and renamed to this name when whole).
QString SnapshotPath(const QString& databasePath);
QString SnapshotWorkPath(const QString& databasePath);

// Puts the file back as it was before a change that a crash interrupted: when a snapshot is there and nobody
// has the file open (whoever changes the file keeps it while the change runs), the change's journal is
// removed (played onto the restored file it would damage it) and the snapshot renamed over the file.
// Costs one look-up when there is no snapshot.
void RestoreLeftoverSnapshot(const QString& databasePath);

// Replaces the file by its snapshot; the caller has closed its connections and keeps others out.
bool RestoreSnapshot(const QString& databasePath);

}  // namespace sql
