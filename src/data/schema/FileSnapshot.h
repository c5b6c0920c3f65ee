// A copy of a database file taken before a change, put back when the change fails or a crash stops it.
#pragma once

#include <QString>
#include <memory>

namespace sql {
class Connection;
class LockFile;
}  // namespace sql

namespace data {

// The engine cannot change a table's design inside a transaction, so an upgrade step that must apply
// completely or not at all works on the file with this copy beside it (sql::SnapshotPath). While the copy
// exists the file may be half changed: a crash leaves it there and the next open puts it back
// (sql::RestoreLeftoverSnapshot), so the file is found as it was before the change or after it.
class FileSnapshot {
public:
    // Copies the file of the connection, which must keep others out of it (exclusive use, or a file that is
    // new); its place in the lock file is held until the snapshot is done with. Raises EFCreateError with
    // the reason (a full disk, ...) when the complete copy cannot be made; the file is then untouched.
    explicit FileSnapshot(const sql::Connection& connection);
    // A snapshot neither discarded nor restored stays for the next open to put back.
    ~FileSnapshot();
    FileSnapshot(const FileSnapshot&) = delete;
    FileSnapshot& operator=(const FileSnapshot&) = delete;

    // The change is complete (and, committed by the engine, on the disk): the copy goes.
    void Discard();
    // Replaces the file with the copy; every connection to the file must be closed. False when that fails:
    // the copy then stays (see CopyName) and the next open puts it back.
    bool Restore();
    QString CopyName() const;

private:
    QString fileName_;
    std::shared_ptr<sql::LockFile> place_;
};

}  // namespace data
