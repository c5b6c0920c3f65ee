// The lock file beside a database: a gate for exclusive use and one slot per program instance (the roster).
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <memory>

namespace sql {

struct RosterEntry {
    QString computerName;
    QString loginName;
};

// This program instance's place in a database's lock file. The slot is held by an open-file-description
// lock, so it lasts exactly as long as the instance has the file open and a crashed process frees it.
// Connections of one instance to one file share one place.
class LockFile {
public:
    // Takes this instance's place; exclusive keeps every other connection out. Raises "Could not use '';
    // file already in use" when someone holds the file exclusively, or others are in and exclusive is asked.
    static std::shared_ptr<LockFile> Join(const QString& databasePath, bool exclusive);

    ~LockFile();
    LockFile(const LockFile&) = delete;
    LockFile& operator=(const LockFile&) = delete;

    // The instances that have the file open, this one included, in slot order.
    QList<RosterEntry> Roster() const;

    // A tag naming this instance's stay in the file ("<slot>:<random>"); empty without a lock file.
    const QString& Tag() const { return tag_; }
    // Whether the instance that had the tag still has the file open: false once it closed the file or its
    // process ended (its slot freed, or taken by another with a new tag). True for an empty tag and
    // without a lock file, where nobody can tell.
    bool IsPresent(const QString& tag) const;

    // The lock file's name for a database file: the whole name with ".tlk" added. The last instance to
    // leave (or fail to open) the database removes it.
    static QString PathFor(const QString& databasePath);

private:
    LockFile(int fd, int slot, QString tag, QByteArray path)
        : fd_(fd), slot_(slot), tag_(std::move(tag)), path_(std::move(path)) {}
    RosterEntry ReadSlot(int slot) const;

    int fd_;
    int slot_;
    QString tag_;
    QByteArray path_;
};

}  // namespace sql
