// Temporary files made by the system, unique and created at once so that no other program can take the name.
#include "reportengine/core/ppUtilsFiles.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Files.h"

#include <unistd.h>
#include <QDir>
#include <cerrno>
#include <cstdlib>
#include <cstring>

QString GetTempDirectory() { return IncludeTrailingPathDelimiter(QDir::tempPath()); }

QString CreateTempFileName(const QString& folder, const QString& prefix) {
    QByteArray pattern = QFile::encodeName(IncludeTrailingPathDelimiter(folder) + prefix) + "XXXXXX";
    const int handle = mkstemp(pattern.data());
    if (handle < 0) {
        throw EFCreateError(QStringLiteral("Cannot create a temporary file in %1. %2")
                                .arg(folder, QString::fromLocal8Bit(std::strerror(errno))));
    }
    ::close(handle);
    return QFile::decodeName(pattern);
}
