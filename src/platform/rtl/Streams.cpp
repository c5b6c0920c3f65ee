// Byte streams over memory and files; file share modes are kept with open-file-description locks.
#include "platform/rtl/Streams.h"

#include "platform/rtl/Exceptions.h"

#include <QFile>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>

// ---- TStream

qint64 TStream::Size() {
    const qint64 position = Position();
    const qint64 size = Seek(0, soEnd);
    Seek(position, soBeginning);
    return size;
}

void TStream::ReadBuffer(void* buffer, qint64 count) {
    if (count != 0 && Read(buffer, count) != count) throw EReadError(QStringLiteral("Stream read error"));
}

void TStream::WriteBuffer(const void* buffer, qint64 count) {
    if (count != 0 && Write(buffer, count) != count) throw EWriteError(QStringLiteral("Stream write error"));
}

qint64 TStream::CopyFrom(TStream& source, qint64 count) {
    if (count == 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    QByteArray chunk(qMin<qint64>(count, 1 << 16), Qt::Uninitialized);
    for (qint64 left = count; left > 0;) {
        const qint64 n = qMin<qint64>(left, chunk.size());
        source.ReadBuffer(chunk.data(), n);
        WriteBuffer(chunk.constData(), n);
        left -= n;
    }
    return count;
}

// ---- TMemoryStream

qint64 TMemoryStream::Read(void* buffer, qint64 count) {
    const qint64 n = qBound<qint64>(0, qMin(count, bytes_.size() - position_), count);
    if (n > 0) std::memcpy(buffer, bytes_.constData() + position_, static_cast<size_t>(n));
    position_ += n;
    return n;
}

qint64 TMemoryStream::Write(const void* buffer, qint64 count) {
    if (count <= 0) return 0;
    if (position_ + count > bytes_.size()) bytes_.resize(position_ + count);
    std::memcpy(bytes_.data() + position_, buffer, static_cast<size_t>(count));
    position_ += count;
    return count;
}

qint64 TMemoryStream::Seek(qint64 offset, TSeekOrigin origin) {
    const qint64 base = origin == soBeginning ? 0 : origin == soCurrent ? position_ : bytes_.size();
    position_ = qMax<qint64>(0, base + offset);
    return position_;
}

void TMemoryStream::SetSize(qint64 size) {
    bytes_.resize(size);
    position_ = qMin(position_, size);
}

void TMemoryStream::Clear() {
    bytes_.clear();
    position_ = 0;
}

void TMemoryStream::LoadFromStream(TStream& source) {
    source.SetPosition(0);
    SetSize(source.Size());
    source.ReadBuffer(bytes_.data(), bytes_.size());
    position_ = 0;
}

void TMemoryStream::SaveToStream(TStream& target) { target.WriteBuffer(bytes_.constData(), bytes_.size()); }

void TMemoryStream::LoadFromFile(const QString& fileName) {
    TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(file);
}

void TMemoryStream::SaveToFile(const QString& fileName) {
    TFileStream file(fileName, fmCreate);
    SaveToStream(file);
}

// ---- TFileStream

namespace {

// Share modes as locks on bytes far beyond any data: each open holds a shared lock on the bytes naming
// what it does and what it refuses to others; a new open is refused when it would clash with them.
// The locks sit on a descriptor of their own, opened for reading (shared locks need no more), and belong
// to that open file, so two opens in one process clash as in two processes.
constexpr off_t kShareLockBase = 0x7FFFFFFFFFFFFF00;
enum ShareByte { HasRead, HasWrite, DeniesRead, DeniesWrite };

struct flock ByteLock(ShareByte byte, short type) {
    struct flock lock {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    lock.l_start = kShareLockBase + byte;
    lock.l_len = 1;
    return lock;
}

// True when another open holds the byte.
bool Held(int lockFd, ShareByte byte) {
    struct flock lock = ByteLock(byte, F_WRLCK);
    return fcntl(lockFd, F_OFD_GETLK, &lock) == 0 && lock.l_type != F_UNLCK;
}

void Hold(int lockFd, ShareByte byte) {
    struct flock lock = ByteLock(byte, F_RDLCK);
    fcntl(lockFd, F_OFD_SETLK, &lock);
}

bool ClaimShare(int lockFd, bool read, bool write, unsigned share) {
    const bool denyRead = share == fmShareCompat || share == fmShareExclusive || share == fmShareDenyRead;
    const bool denyWrite = share != fmShareDenyNone && share != fmShareDenyRead;
    // An exclusive flock (independent of the byte locks) makes checking and claiming one step.
    while (flock(lockFd, LOCK_EX) != 0 && errno == EINTR) {
    }
    const bool clash = (read && Held(lockFd, DeniesRead)) || (write && Held(lockFd, DeniesWrite)) ||
                       (denyRead && Held(lockFd, HasRead)) || (denyWrite && Held(lockFd, HasWrite));
    if (!clash) {
        if (read) Hold(lockFd, HasRead);
        if (write) Hold(lockFd, HasWrite);
        if (denyRead) Hold(lockFd, DeniesRead);
        if (denyWrite) Hold(lockFd, DeniesWrite);
    }
    flock(lockFd, LOCK_UN);
    return !clash;
}

const char* const kSharingViolation = "The process cannot access the file because it is being used by another process.";

}  // namespace

TFileStream::TFileStream(const QString& fileName, unsigned mode) : fileName_(fileName) {
    const bool create = (mode & fmCreate) == fmCreate;
    const unsigned access = create ? fmOpenReadWrite : mode & 0x000F;
    const unsigned share = mode & 0x00F0;
    const bool read = access != fmOpenWrite;
    const bool write = access != fmOpenRead;
    const int flags = (read && write ? O_RDWR : write ? O_WRONLY : O_RDONLY) | (create ? O_CREAT : 0) | O_CLOEXEC;
    auto fail = [&](const QString& reason) {
        if (create) throw EFCreateError(QStringLiteral("Cannot create file \"%1\". %2").arg(fileName, reason));
        throw EFOpenError(QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, reason));
    };
    const QByteArray path = QFile::encodeName(fileName);
    fd_ = ::open(path.constData(), flags, 0666);
    if (fd_ < 0) fail(QString::fromLocal8Bit(std::strerror(errno)));
    // A file that cannot be opened for reading (write-only permission) goes without share locks.
    lockFd_ = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (lockFd_ >= 0 && !ClaimShare(lockFd_, read, write, share)) {
        CloseDescriptors();
        fail(QString::fromLatin1(kSharingViolation));
    }
    // Emptied only once the share mode is granted, so a file in use elsewhere is never cut.
    if (create && ::ftruncate(fd_, 0) != 0) {
        const QString reason = QString::fromLocal8Bit(std::strerror(errno));
        CloseDescriptors();
        fail(reason);
    }
}

TFileStream::~TFileStream() { CloseDescriptors(); }

void TFileStream::CloseDescriptors() {
    if (fd_ >= 0) ::close(fd_);
    if (lockFd_ >= 0) ::close(lockFd_);
    fd_ = lockFd_ = -1;
}

qint64 TFileStream::Read(void* buffer, qint64 count) {
    qint64 total = 0;
    while (total < count) {
        const ssize_t n = ::read(fd_, static_cast<char*>(buffer) + total, static_cast<size_t>(count - total));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        total += n;
    }
    return total;
}

qint64 TFileStream::Write(const void* buffer, qint64 count) {
    qint64 total = 0;
    while (total < count) {
        const ssize_t n = ::write(fd_, static_cast<const char*>(buffer) + total, static_cast<size_t>(count - total));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        total += n;
    }
    return total;
}

qint64 TFileStream::Seek(qint64 offset, TSeekOrigin origin) {
    const int whence = origin == soBeginning ? SEEK_SET : origin == soCurrent ? SEEK_CUR : SEEK_END;
    return ::lseek(fd_, offset, whence);
}

void TFileStream::SetSize(qint64 size) {
    if (::ftruncate(fd_, size) != 0) throw EStreamError(QString::fromLocal8Bit(std::strerror(errno)));
    if (Position() > size) Seek(size, soBeginning);
}
