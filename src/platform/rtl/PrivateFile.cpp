// Owner-only files written under a temporary name and renamed into place.
#include "platform/rtl/PrivateFile.h"

#include "platform/rtl/FaultInjection.h"

#include <fcntl.h>
#include <unistd.h>
#include <QFile>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

QString SystemError() { return QString::fromLocal8Bit(std::strerror(errno)); }

bool WriteAll(int fd, const QByteArray& data) {
    qsizetype done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.constData() + done, size_t(data.size() - done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += n;
    }
    return ::fsync(fd) == 0;
}

}  // namespace

PrivateFileOutcome WritePrivateFile(const QString& fileName, const QByteArray& data, QString& error) {
    const QByteArray target = QFile::encodeName(fileName);
    QByteArray temporary = target + ".XXXXXX";
    // mkstemp creates the file with mode 0600, whatever the umask: it is never readable by others.
    const int fd = rtl::FaultInjection::Fails() ? -1 : ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) {
        error = SystemError();
        return PrivateFileOutcome::CannotCreate;
    }
    const bool written = !rtl::FaultInjection::Fails() && WriteAll(fd, data);
    const int writeErrno = errno;
    if (::close(fd) == 0 && written && !rtl::FaultInjection::Fails() &&
        ::rename(temporary.constData(), target.constData()) == 0)
        return PrivateFileOutcome::Written;
    if (!written) errno = writeErrno;
    error = SystemError();
    ::unlink(temporary.constData());
    return PrivateFileOutcome::CannotWrite;
}
