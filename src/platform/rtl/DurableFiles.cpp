// Durable copy, rename and removal through POSIX calls, so that every short write and full disk is seen.
#include "platform/rtl/DurableFiles.h"

#include "platform/rtl/FaultInjection.h"

#include "platform/rtl/KillPoints.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace rtl {
namespace {

QString ErrorText(const QString& fileName) {
    return QStringLiteral("Cannot write file \"%1\". %2").arg(fileName, QString::fromLocal8Bit(std::strerror(errno)));
}

bool WriteAll(int fd, const char* data, ssize_t size) {
    while (size > 0) {
        const ssize_t written = write(fd, data, static_cast<size_t>(size));
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            if (written == 0) errno = ENOSPC;
            return false;
        }
        data += written;
        size -= written;
    }
    return true;
}

// Copies until the source's end has been read and every byte of it written.
QString CopyContents(int in, int out, const QString& target) {
    std::vector<char> buffer(1 << 20);
    for (;;) {
        const ssize_t got = read(in, buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return ErrorText(target);
        if (got == 0) break;
        if (!WriteAll(out, buffer.data(), got)) return ErrorText(target);
        KillPoint("copy-block");
    }
    if (fsync(out) != 0) return ErrorText(target);
    return {};
}

}  // namespace

QString CopyFileDurably(const QString& source, const QString& target) {
    if (FaultInjection::Fails()) return QStringLiteral("Cannot create file \"%1\".").arg(target);
    const int in = open(QFile::encodeName(source).constData(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return QStringLiteral("Cannot open file \"%1\". %2").arg(source, QString::fromLocal8Bit(std::strerror(errno)));
    struct stat info = {};
    fstat(in, &info);
    const int out =
        open(QFile::encodeName(target).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, info.st_mode & 07777);
    if (out < 0) {
        const QString error = ErrorText(target);
        close(in);
        return error;
    }
    // The copy may become the file again, for everyone who shares it: the umask must not narrow its mode.
    fchmod(out, info.st_mode & 07777);
    QString error = CopyContents(in, out, target);
    close(in);
    if (close(out) != 0 && error.isEmpty()) error = ErrorText(target);
    if (!error.isEmpty()) QFile::remove(target);
    return error;
}

bool ReplaceFileDurably(const QString& from, const QString& to) {
    if (FaultInjection::Fails()) return false;
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0) return false;
    SyncFolderOf(to);
    return true;
}

bool PublishFileDurably(const QString& from, const QString& to) {
    if (FaultInjection::Fails()) return false;
    // A second name first, then the first one goes: at no moment is the file under neither name.
    if (link(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0) return false;
    SyncFolderOf(to);
    RemoveFileDurably(from);
    return true;
}

bool RemoveFileDurably(const QString& fileName) {
    if (unlink(QFile::encodeName(fileName).constData()) != 0 && errno != ENOENT) return false;
    SyncFolderOf(fileName);
    return true;
}

void SyncFolderOf(const QString& fileName) {
    const int folder =
        open(QFile::encodeName(QFileInfo(fileName).absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0) return;
    fsync(folder);
    close(folder);
}

}  // namespace rtl
