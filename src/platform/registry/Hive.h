// One registry root backed by its file in the store folder, shared by every accessor of the process.
#pragma once

#include "platform/registry/KeyTree.h"

#include <functional>
#include <memory>
#include <mutex>

namespace reg {

// Root key handles, numbered as the platform numbers them.
using HKEY = quint32;
inline constexpr HKEY kClassesRoot = 0x80000000;
inline constexpr HKEY kCurrentUser = 0x80000001;
inline constexpr HKEY kLocalMachine = 0x80000002;

// The store folder: TAVORIN_CONFIG_DIR when set, else $XDG_CONFIG_HOME/tavorin (~/.config/tavorin).
QString StoreDirectory();

// What a change to the tree did.
enum class Outcome { Failed, Unchanged, Changed };

class Hive {
public:
    Hive(QString fileName, QString title, bool writable);

    bool Writable() const { return writable_; }
    const QString& FileName() const { return fileName_; }

    // The tree as the file holds it now (re-read when the file changed on disk); never null.
    std::shared_ptr<const Key> Root();

    // Read-modify-write under the exclusive lock of the lock file beside the store: the change runs on
    // the newest tree and, when it reports Changed, the tree replaces the file atomically.
    // False when the change failed, the root is read-only or the file could not be written.
    bool Modify(const std::function<Outcome(Key& root)>& change);

private:
    struct Stamp {
        bool exists = false;
        quint64 device = 0, inode = 0, size = 0, modified = 0, changed = 0;
        bool operator==(const Stamp&) const = default;
    };
    static Stamp StampOf(int fd);
    static Stamp StampOf(const QString& fileName);
    // Re-reads the file when its stamp differs from the cached one; the caller holds mutex_. False when
    // the file exists but cannot be read (the tree is then empty).
    bool RefreshLocked();

    QString fileName_;
    QString title_;
    bool writable_;
    std::mutex mutex_;
    Stamp stamp_;
    std::shared_ptr<const Key> root_;
};

// The shared hive of a root key in the current store folder (read when called, so a changed
// TAVORIN_CONFIG_DIR takes effect for accessors opened afterwards). Only HKEY_CURRENT_USER is writable.
std::shared_ptr<Hive> OpenHive(HKEY root);

}  // namespace reg
