// Open-file-description locks on the lock file: byte 0 is the gate, bytes 1..kSlots the instance slots,
// and each slot's computer and login names are written in a record further on.
#include "platform/sql/LockFile.h"

#include "platform/sql/EngineError.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRandomGenerator>
#include <QSysInfo>

namespace sql {
namespace {

constexpr int kSlots = 255;
constexpr int kNameBytes = 64;
constexpr off_t kRecordBase = 512;
// Each slot's tag: a random number its holder writes when it takes the slot, so that a later holder of the
// same slot is told apart from an earlier one.
constexpr int kTagBytes = 16;
constexpr off_t kTagBase = kRecordBase + kSlots * 2 * kNameBytes;

bool Lock(int fd, int command, short type, off_t start) {
    struct flock lock = {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    lock.l_start = start;
    lock.l_len = 1;
    return fcntl(fd, command, &lock) == 0;
}

bool HeldByOthers(int fd, off_t start) {
    struct flock lock = {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = start;
    lock.l_len = 1;
    return fcntl(fd, F_OFD_GETLK, &lock) == 0 && lock.l_type != F_UNLCK;
}

QByteArray Field(const QString& text) {
    QByteArray bytes = text.toUtf8().left(kNameBytes);
    bytes.append(QByteArray(kNameBytes - bytes.size(), '\0'));
    return bytes;
}

QString LoginName() {
    const passwd* entry = getpwuid(geteuid());
    return entry ? QString::fromLocal8Bit(entry->pw_name) : qEnvironmentVariable("USER");
}

// Places already taken by this process, so that its connections to one file share one slot.
struct Taken {
    std::weak_ptr<LockFile> place;
    bool exclusive;
    pid_t pid;
};
QHash<QString, Taken>& TakenPlaces() {
    static QHash<QString, Taken> places;
    return places;
}

// Whether the name still leads to the file the descriptor has open: a lock file removed by its last user
// meanwhile must not be joined (the next instance would make a new one and not see this one).
bool StillNamed(int fd, const QByteArray& path) {
    struct stat opened {
    }, named{};
    return fstat(fd, &opened) == 0 && stat(path.constData(), &named) == 0 && opened.st_dev == named.st_dev &&
           opened.st_ino == named.st_ino;
}

// Opens the lock file and takes the gate; -1 without a lock file (a read-only folder). Raises kFileInUse.
int OpenGate(const QByteArray& path, bool exclusive) {
    for (;;) {
        const int fd = open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        if (fd < 0) return -1;
        const bool gate = Lock(fd, F_OFD_SETLK, exclusive ? F_WRLCK : F_RDLCK, 0);
        const bool named = StillNamed(fd, path);
        if (gate && named) return fd;
        close(fd);
        // Not named any more: its last user was removing it, so the next open makes a new one.
        if (named) RaiseEngineError(kFileInUse);
    }
}

}  // namespace

QString LockFile::PathFor(const QString& databasePath) {
    // From the whole name: site.tvd and site.mdb side by side are two databases with two lock files.
    return databasePath + QLatin1String(".tlk");
}

std::shared_ptr<LockFile> LockFile::Join(const QString& databasePath, bool exclusive) {
    const QString key = QFileInfo(databasePath).canonicalFilePath();
    const auto taken = TakenPlaces().constFind(key);
    if (taken != TakenPlaces().constEnd() && taken->pid == getpid()) {
        if (auto place = taken->place.lock()) {
            if (exclusive || taken->exclusive) RaiseEngineError(kFileInUse);
            return place;
        }
    }
    const QByteArray path = QFile::encodeName(PathFor(databasePath));
    const int fd = OpenGate(path, exclusive);
    int slot = -1;
    QByteArray tag;
    if (fd >= 0) {
        for (int k = 0; k < kSlots && slot < 0; ++k) {
            if (Lock(fd, F_OFD_SETLK, F_WRLCK, 1 + k)) slot = k;
        }
        if (slot >= 0) {
            const QByteArray record = Field(QSysInfo::machineHostName()) + Field(LoginName());
            if (pwrite(fd, record.constData(), record.size(), kRecordBase + slot * 2 * kNameBytes) != record.size())
                slot = -1;
        }
        if (slot >= 0) {
            tag = QByteArray::number(QRandomGenerator::system()->generate64(), 16).rightJustified(kTagBytes, '0');
            if (pwrite(fd, tag.constData(), kTagBytes, kTagBase + slot * kTagBytes) != kTagBytes) tag.clear();
        }
    }
    // Without a lock file (a read-only folder) the file is used unguarded and the roster shows this instance.
    const QString slotTag = tag.isEmpty() ? QString() : QStringLiteral("%1:%2").arg(slot).arg(QString::fromLatin1(tag));
    std::shared_ptr<LockFile> place(new LockFile(fd, slot, slotTag, path));
    TakenPlaces().insert(key, Taken{place, exclusive, getpid()});
    return place;
}

LockFile::~LockFile() {
    if (fd_ < 0) return;
    // The last one out removes the file: a lock over the whole file is granted only when nobody else holds
    // any part of it, and whoever opened it meanwhile sees it is no longer named and opens a new one.
    struct flock whole = {};
    whole.l_type = F_WRLCK;
    whole.l_whence = SEEK_SET;
    if (fcntl(fd_, F_OFD_SETLK, &whole) == 0 && StillNamed(fd_, path_)) unlink(path_.constData());
    close(fd_);
}

RosterEntry LockFile::ReadSlot(int slot) const {
    QByteArray record(2 * kNameBytes, '\0');
    if (pread(fd_, record.data(), record.size(), kRecordBase + slot * 2 * kNameBytes) != record.size()) return {};
    const auto text = [](const QByteArray& bytes) { return QString::fromUtf8(bytes.constData()); };
    return {text(record.left(kNameBytes)), text(record.mid(kNameBytes))};
}

bool LockFile::IsPresent(const QString& tag) const {
    if (tag.isEmpty() || fd_ < 0 || slot_ < 0) return true;
    if (tag == tag_) return true;
    bool numbered = false;
    const int slot = tag.section(u':', 0, 0).toInt(&numbered);
    if (!numbered || slot < 0 || slot >= kSlots || slot == slot_ || !HeldByOthers(fd_, 1 + slot)) return false;
    QByteArray stored(kTagBytes, '\0');
    if (pread(fd_, stored.data(), kTagBytes, kTagBase + slot * kTagBytes) != kTagBytes) return true;
    return tag.section(u':', 1) == QString::fromLatin1(stored);
}

QList<RosterEntry> LockFile::Roster() const {
    if (fd_ < 0 || slot_ < 0) return {RosterEntry{QSysInfo::machineHostName(), LoginName()}};
    QList<RosterEntry> roster;
    for (int k = 0; k < kSlots; ++k) {
        if (k == slot_ || HeldByOthers(fd_, 1 + k)) roster << ReadSlot(k);
    }
    return roster;
}

}  // namespace sql
