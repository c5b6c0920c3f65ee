// The password file beside a protected database: the password in the program's scrambled form.
#pragma once

#include <QString>
#include <optional>

namespace data {

// The length is written as two digits, so longer passwords cannot be kept in the file.
inline constexpr int kMaxPasswordFileLength = 99;

// The database's name with the extension ".pwd".
QString PasswordFileName(const QString& databaseFileName);

// Writes (replaces) the file: five random bytes, the length as two digits, the password, random filler up
// to 33 bytes, all scrambled. Raises EFCreateError/EWriteError when the file cannot be written and
// EWriteError for a password longer than 99 bytes.
void WritePasswordFile(const QString& fileName, const QString& password);

// The password kept in the file; none when the file is missing or unreadable. Digits that are no number
// give an empty password.
std::optional<QString> ReadPasswordFile(const QString& fileName);

}  // namespace data
