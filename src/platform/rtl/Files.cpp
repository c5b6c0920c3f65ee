// File names, paths and whole-file operations over Qt's file system classes.
#include "platform/rtl/Files.h"

#include "platform/rtl/DateUtils.h"
#include "platform/rtl/FaultInjection.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// Index of the first character of the name part.
qsizetype NameStart(const QString& fileName) { return fileName.lastIndexOf(PathDelim) + 1; }

// Index of the extension's dot, or the end when the name part has none.
qsizetype ExtensionStart(const QString& fileName) {
    const qsizetype dot = fileName.lastIndexOf(u'.');
    return dot >= NameStart(fileName) ? dot : fileName.size();
}

}  // namespace

QString ChangeFileExt(const QString& fileName, const QString& extension) {
    return fileName.left(ExtensionStart(fileName)) + extension;
}

QString ExtractFilePath(const QString& fileName) { return fileName.left(NameStart(fileName)); }

QString ExtractFileDir(const QString& fileName) {
    const qsizetype start = NameStart(fileName);
    return fileName.left(start > 1 ? start - 1 : start);  // the root keeps its delimiter
}

QString ExtractFileName(const QString& fileName) { return fileName.mid(NameStart(fileName)); }

QString ExtractFileExt(const QString& fileName) { return fileName.mid(ExtensionStart(fileName)); }

QString IncludeTrailingPathDelimiter(const QString& path) { return path.endsWith(PathDelim) ? path : path + PathDelim; }

QString ExcludeTrailingPathDelimiter(const QString& path) {
    return path.size() > 1 && path.endsWith(PathDelim) ? path.chopped(1) : path;
}

QString ExpandFileName(const QString& fileName) { return QDir::cleanPath(QDir::current().absoluteFilePath(fileName)); }

bool FileExists(const QString& fileName) {
    const QFileInfo info(fileName);
    return info.exists() && !info.isDir();
}

bool DirectoryExists(const QString& directory) { return QFileInfo(directory).isDir(); }

bool DeleteFile(const QString& fileName) {
    return !rtl::FaultInjection::Fails() && FileExists(fileName) && QFile::remove(fileName);
}

bool RenameFile(const QString& oldName, const QString& newName) {
    return !rtl::FaultInjection::Fails() && !QFileInfo::exists(newName) && QFile::rename(oldName, newName);
}

bool CopyFile(const QString& source, const QString& target, bool failIfExists) {
    if (rtl::FaultInjection::Fails() || !FileExists(source)) return false;
    if (QFileInfo::exists(target)) {
        if (failIfExists || !QFile::remove(target)) return false;
    }
    return QFile::copy(source, target);
}

bool ForceDirectories(const QString& directory) { return !directory.isEmpty() && QDir().mkpath(directory); }

qint64 GetFileSize64(const QString& fileName) {
    const QFileInfo info(fileName);
    return info.exists() && !info.isDir() ? info.size() : -1;
}

TDateTime FileAge(const QString& fileName) {
    const QFileInfo info(fileName);
    if (!info.exists()) return -1;
    const QDateTime written = info.lastModified();
    return QDateToDateTime(written.date()) + QTimeToDateTime(written.time());
}
