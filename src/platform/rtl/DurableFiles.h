// File operations whose result is on the disk when they return, for changes that must survive a crash.
#pragma once

#include <QString>

namespace rtl {

// Copies source to target (replaced when it exists) with the source's permissions, every byte written and
// flushed to the disk; on failure the partial target is removed and the answer is the reason (empty on success).
QString CopyFileDurably(const QString& source, const QString& target);
// Gives the file the new name in one step, replacing what was there, and makes the rename durable.
bool ReplaceFileDurably(const QString& from, const QString& to);
// Gives the file the new name only when that name is free, in one step, and makes it durable; false when the
// name is taken (the file keeps its old name) or the disk refuses.
bool PublishFileDurably(const QString& from, const QString& to);
// Removes the file and makes the removal durable; true when it is gone.
bool RemoveFileDurably(const QString& fileName);
// Makes renames and removals in the file's folder durable.
void SyncFolderOf(const QString& fileName);

}  // namespace rtl
