// File names, paths and whole-file operations.
#pragma once

#include "platform/rtl/Clock.h"

#include <QString>

inline constexpr QChar PathDelim = u'/';

// Name parts split at the last path delimiter; the extension includes its dot.
QString ChangeFileExt(const QString& fileName, const QString& extension);
// The folder with its trailing delimiter; ExtractFileDir without it.
QString ExtractFilePath(const QString& fileName);
QString ExtractFileDir(const QString& fileName);
QString ExtractFileName(const QString& fileName);
QString ExtractFileExt(const QString& fileName);
QString IncludeTrailingPathDelimiter(const QString& path);
QString ExcludeTrailingPathDelimiter(const QString& path);
// The absolute, cleaned form of a name relative to the current folder.
QString ExpandFileName(const QString& fileName);

bool FileExists(const QString& fileName);
bool DirectoryExists(const QString& directory);
bool DeleteFile(const QString& fileName);
// False when the new name exists already.
bool RenameFile(const QString& oldName, const QString& newName);
// Copies a file; with failIfExists an existing target is kept and the copy fails.
bool CopyFile(const QString& source, const QString& target, bool failIfExists);
// Creates the folder with every missing parent; true when it exists afterwards.
bool ForceDirectories(const QString& directory);
// The size in bytes, -1 when the file does not exist.
qint64 GetFileSize64(const QString& fileName);
// The time the file was last written, as a local TDateTime; -1 when it does not exist.
TDateTime FileAge(const QString& fileName);
