// A copy of a database file taken before a change, put back when the change fails.
#pragma once

#include <QString>

namespace data {

// The engine cannot change a table's design inside a transaction, so an upgrade step that must apply
// completely or not at all works on the file with this copy beside it. The copy is removed with the object.
class FileSnapshot {
public:
    // Raises EFCreateError when the copy cannot be made.
    explicit FileSnapshot(const QString& fileName);
    ~FileSnapshot();
    FileSnapshot(const FileSnapshot&) = delete;
    FileSnapshot& operator=(const FileSnapshot&) = delete;

    // Replaces the file with the copy; every connection to the file must be closed. When that fails the
    // copy is kept (see CopyName) and the answer is false.
    bool Restore();
    const QString& CopyName() const { return copyName_; }

private:
    QString fileName_;
    QString copyName_;
    bool keep_ = false;
};

}  // namespace data
