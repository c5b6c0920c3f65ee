// The store file of one registry root: cached reading, locked atomic writing.
#include "platform/registry/Hive.h"

#include "platform/registry/StoreFile.h"
#include "platform/rtl/PrivateFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <map>

namespace reg {
namespace {

// Holds an exclusive advisory lock on a lock file for its lifetime.
class LockFileGuard {
public:
    explicit LockFileGuard(const QString& fileName) {
        fd_ = ::open(QFile::encodeName(fileName).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (fd_ < 0) return;
        int rc;
        do rc = ::flock(fd_, LOCK_EX);
        while (rc != 0 && errno == EINTR);
        if (rc != 0) {
            ::close(fd_);
            fd_ = -1;
        }
    }
    ~LockFileGuard() {
        if (fd_ >= 0) ::close(fd_);
    }
    LockFileGuard(const LockFileGuard&) = delete;
    LockFileGuard& operator=(const LockFileGuard&) = delete;
    bool Locked() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

// The settings are the user's own: the folder is made readable by the user only.
bool MakeStoreFolder(const QString& path) {
    if (QFileInfo(path).isDir()) return true;
    QDir().mkpath(QFileInfo(path).absolutePath());
    return ::mkdir(QFile::encodeName(path).constData(), 0700) == 0 || errno == EEXIST;
}

QString RootFileName(HKEY root) {
    switch (root) {
        case kClassesRoot: return QStringLiteral("HKEY_CLASSES_ROOT");
        case kCurrentUser: return QStringLiteral("HKEY_CURRENT_USER");
        case kLocalMachine: return QStringLiteral("HKEY_LOCAL_MACHINE");
        default: return QStringLiteral("HKEY_%1").arg(root, 8, 16, QLatin1Char('0'));
    }
}

}  // namespace

QString StoreDirectory() {
    const QString configured = qEnvironmentVariable("TAVORIN_CONFIG_DIR");
    if (!configured.isEmpty()) return configured;
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty()) base = QDir::home().filePath(QStringLiteral(".config"));
    return QDir(base).filePath(QStringLiteral("tavorin"));
}

Hive::Hive(QString fileName, QString title, bool writable)
    : fileName_(std::move(fileName)),
      title_(std::move(title)),
      writable_(writable),
      root_(std::make_shared<const Key>()) {}

Hive::Stamp Hive::StampOf(int fd) {
    struct stat st {};
    if (::fstat(fd, &st) != 0) return {};
    auto ns = [](const timespec& t) { return quint64(t.tv_sec) * 1000000000u + quint64(t.tv_nsec); };
    return {true, quint64(st.st_dev), quint64(st.st_ino), quint64(st.st_size), ns(st.st_mtim), ns(st.st_ctim)};
}

Hive::Stamp Hive::StampOf(const QString& fileName) {
    const int fd = ::open(QFile::encodeName(fileName).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return {};
    const Stamp stamp = StampOf(fd);
    ::close(fd);
    return stamp;
}

bool Hive::RefreshLocked() {
    QFile file(fileName_);
    if (!file.open(QIODevice::ReadOnly)) {
        if (stamp_.exists) root_ = std::make_shared<const Key>();
        stamp_ = {};
        return !file.exists();
    }
    // The stamp comes from the open file itself: a file replaced meanwhile is seen on the next refresh.
    const Stamp stamp = StampOf(file.handle());
    if (stamp == stamp_) return true;
    root_ = std::make_shared<const Key>(ParseStore(file.readAll()));
    stamp_ = stamp;
    return true;
}

std::shared_ptr<const Key> Hive::Root() {
    std::lock_guard lock(mutex_);
    RefreshLocked();
    return root_;
}

bool Hive::Modify(const std::function<Outcome(Key& root)>& change) {
    if (!writable_) return false;
    std::lock_guard lock(mutex_);
    if (!MakeStoreFolder(QFileInfo(fileName_).absolutePath())) return false;
    LockFileGuard fileLock(fileName_ + QStringLiteral(".lock"));
    // A file that is there but cannot be read must not be replaced by one holding only this change.
    if (!fileLock.Locked() || !RefreshLocked()) return false;
    Key root = *root_;
    const Outcome outcome = change(root);
    if (outcome != Outcome::Changed) return outcome == Outcome::Unchanged;

    // Flushed to disk before it is renamed over the old file, and readable by the user only (it may hold
    // names, addresses and other secrets of the user's).
    QString error;
    if (WritePrivateFile(fileName_, SerializeStore(root, title_), error) != PrivateFileOutcome::Written) return false;
    root_ = std::make_shared<const Key>(std::move(root));
    stamp_ = StampOf(fileName_);
    return true;
}

std::shared_ptr<Hive> OpenHive(HKEY root) {
    static std::mutex mutex;
    static std::map<QString, std::shared_ptr<Hive>> hives;
    const QString title = RootFileName(root);
    const QString fileName = QDir(StoreDirectory()).filePath(title + QStringLiteral(".conf"));
    std::lock_guard lock(mutex);
    std::shared_ptr<Hive>& hive = hives[fileName];
    if (!hive) hive = std::make_shared<Hive>(fileName, title, root == kCurrentUser);
    return hive;
}

}  // namespace reg
