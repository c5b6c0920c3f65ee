// Errors the database engine raises: the provider's texts and the OLE result codes callers compare.
#pragma once

#include "platform/rtl/Exceptions.h"

#include <QtGlobal>

// A provider error with its result code; callers that react to a specific failure compare ErrorCode().
class EOleException : public EDatabaseError {
public:
    EOleException(QString message, quint32 errorCode) : EDatabaseError(std::move(message)), errorCode_(errorCode) {}
    quint32 ErrorCode() const { return errorCode_; }

private:
    quint32 errorCode_;
};

// The file itself failed (a disk error, a full disk, a read-only, moved or damaged file, a lock held elsewhere):
// no write can succeed until that changes, so a save that meets one is given up whole, never in part.
class EFileError : public EOleException {
public:
    explicit EFileError(QString message);
};

namespace sql {

inline constexpr quint32 kErrorFailed = 0x80004005;         // any failure without a more precise code
inline constexpr quint32 kErrorCannotConvert = 0x80040E07;  // a value does not convert to the column's type
inline constexpr quint32 kErrorInCommand = 0x80040E14;      // syntax errors and unknown names
inline constexpr quint32 kErrorDataOverflow = 0x80040E57;   // a value is too big for the column

// The provider texts that other code compares word for word.
inline const QString kNotValidPassword = QStringLiteral("Not a valid password");
inline const QString kFileInUse = QStringLiteral("Could not use ''; file already in use");
inline const QString kDatabaseExists = QStringLiteral("Database already exists.");
inline const QString kDiskFull = QStringLiteral("The disk is full: the database file could not be written.");
// A write refused: the file, or the connection (opened for reading), is read-only.
inline const QString kReadOnly = QStringLiteral("Cannot update. Database or object is read-only.");
// The folder holding the file may not be written, so the engine cannot make the journal a write needs.
inline const QString kFolderReadOnly =
    QStringLiteral("The folder of the database file is read-only: the database file could not be written.");
// The file open was deleted, renamed or replaced by another: what is written would be lost with it.
inline const QString kFileMoved = QStringLiteral(
    "The database file has been deleted, moved or replaced since it was opened: it could not be written.");
// A file whose pages do not read back as written: damage, never a wrong password.
QString DamagedFileText(const QString& fileName);
inline const QString kFieldTooSmall = QStringLiteral(
    "The field is too small to accept the amount of data you attempted to add. "
    "Try inserting or pasting less data.");
inline const QString kCannotConvert = QStringLiteral("Data type conversion error.");
inline const QString kTooBig = QStringLiteral("Overflow.");

[[noreturn]] void RaiseEngineError(const QString& message, quint32 code = kErrorFailed);
[[noreturn]] void RaiseSyntaxError(const QString& message);
[[noreturn]] void RaiseFileError(const QString& message);

}  // namespace sql
