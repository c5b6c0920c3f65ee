// Open-file-description locks on the lock file: byte 0 is the gate, bytes 1..kSlots the instance slots,
// and each slot's computer and login names are written in a record further on.
#include "platform/sql/LockFile.h"

#include "platform/sql/EngineError.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QRandomGenerator>
#include <QSysInfo>
#include <fcntl.h>
#include <pwd.h>
#include <unistd.h>

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

}  // namespace

QString LockFile::PathFor(const QString& databasePath) {
    const QFileInfo info(databasePath);
    return info.dir().filePath(info.completeBaseName() + QLatin1String(".tlk"));
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
    const int fd = open(PathFor(databasePath).toLocal8Bit().constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    int slot = -1;
    QByteArray tag;
    if (fd >= 0) {
        if (!Lock(fd, F_OFD_SETLK, exclusive ? F_WRLCK : F_RDLCK, 0)) {
            close(fd);
            RaiseEngineError(kFileInUse);
        }
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
    std::shared_ptr<LockFile> place(new LockFile(fd, slot, tag.isEmpty() ? QString() : QStringLiteral("%1:%2").arg(slot).arg(QString::fromLatin1(tag))));
    TakenPlaces().insert(key, Taken{place, exclusive, getpid()});
    return place;
}

LockFile::~LockFile() {
    if (fd_ >= 0) close(fd_);
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
