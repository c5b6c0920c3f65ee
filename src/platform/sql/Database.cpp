// The raw SQLite connection and the mapping of its errors onto the provider's texts.
#include "platform/sql/Database.h"

#include "platform/rtl/KillPoints.h"
#include "platform/sql/EngineError.h"
#include "platform/sql/InjectedFault.h"
#include "platform/sql/SchemaSql.h"
#include "platform/sql/Statement.h"

#include <sqlite3.h>
#include <unistd.h>
#include <QFile>
#include <QFileInfo>

namespace sql {
namespace {

const QString kDuplicateValues = QStringLiteral(
    "The changes you requested to the table were not successful because they would create duplicate values in "
    "the index, primary key, or relationship. Change the data in the field or fields that contain duplicate data, "
    "remove the index, or redefine the index to permit duplicate entries and try again.");

// A file the engine could not open or write beside the database (its journal): why, when the folder tells.
[[noreturn]] void RaiseOpenFailure(const char* databaseFile, const QString& message) {
    const QString path = QString::fromUtf8(databaseFile ? databaseFile : "");
    if (!path.isEmpty()) {
        const QFileInfo file(path);
        if (!file.exists()) RaiseFileError(kFileMoved);
        // The journal is made beside the file; access() also answers a read-only file system, for any user.
        if (::access(QFile::encodeName(file.absolutePath()).constData(), W_OK) != 0) RaiseFileError(kFolderReadOnly);
    }
    RaiseFileError(message);
}

}  // namespace

Database::~Database() { Close(); }

void Database::Open(const QString& path, int flags) {
    Close();
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &db_, flags, nullptr);
    if (rc != SQLITE_OK) {
        const QString message = QString::fromUtf8(db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(rc));
        Close();
        RaiseEngineError(message);
    }
    sqlite3_extended_result_codes(db_, 1);
}

void Database::Close() {
    if (db_) sqlite3_close_v2(db_);
    db_ = nullptr;
}

void Database::Exec(const QString& nativeSql) const {
    // A crash test stops here, before a transaction's begin, savepoint or end (or any other native command).
    rtl::KillPoint("native-exec");
    FailIfFaultInjected();
    const int rc = sqlite3_exec(db_, nativeSql.toUtf8().constData(), nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) Raise(rc);
}

std::unique_ptr<Statement> Database::Prepare(const QString& nativeSql) const {
    sqlite3_stmt* stmt = nullptr;
    const QByteArray text = nativeSql.toUtf8();
    const int rc = sqlite3_prepare_v2(db_, text.constData(), text.size(), &stmt, nullptr);
    if (rc != SQLITE_OK) Raise(rc);
    if (!stmt)
        RaiseSyntaxError(
            QStringLiteral("Invalid SQL statement; expected 'DELETE', 'INSERT', 'PROCEDURE', "
                           "'SELECT', or 'UPDATE'."));
    return std::make_unique<Statement>(*this, stmt);
}

QVariant Database::QueryValue(const QString& nativeSql) const {
    const auto statement = Prepare(nativeSql);
    return statement->Step() ? statement->Value(0) : QVariant();
}

void Database::Raise(int rc) const {
    const QString message = QString::fromUtf8(sqlite3_errmsg(db_));
    const int primary = rc & 0xff;
    if (rc == SQLITE_CONSTRAINT_CHECK && message.contains(QLatin1String("TvTextTooLong")))
        RaiseEngineError(kFieldTooSmall, kErrorDataOverflow);
    if (rc == SQLITE_CONSTRAINT_CHECK && message.contains(QLatin1String("TvOverflow")))
        RaiseEngineError(kTooBig, kErrorDataOverflow);
    if (rc == SQLITE_CONSTRAINT_UNIQUE || rc == SQLITE_CONSTRAINT_PRIMARYKEY) RaiseEngineError(kDuplicateValues);
    if (rc == SQLITE_CONSTRAINT_NOTNULL) {
        // A table being rebuilt has a temporary name; the user knows it by its own.
        const QString field = message.section(QLatin1String(": "), 1).remove(kRebuildPrefix);
        RaiseEngineError(QStringLiteral("The field '%1' cannot contain a Null value because the Required property "
                                        "for this field is set to True.  Enter a value in this field.")
                             .arg(field));
    }
    if (primary == SQLITE_FULL) RaiseFileError(kDiskFull);
    if (primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB)
        RaiseFileError(DamagedFileText(QString::fromUtf8(sqlite3_db_filename(db_, "main"))));
    if (rc == SQLITE_READONLY_DBMOVED) RaiseFileError(kFileMoved);
    if (primary == SQLITE_READONLY) RaiseFileError(kReadOnly);
    if (primary == SQLITE_BUSY || primary == SQLITE_LOCKED)
        RaiseFileError(QStringLiteral("Could not update; currently locked."));
    if (primary == SQLITE_CANTOPEN) RaiseOpenFailure(sqlite3_db_filename(db_, "main"), message);
    if (primary == SQLITE_IOERR) RaiseFileError(message);
    RaiseEngineError(message, primary == SQLITE_ERROR ? kErrorInCommand : kErrorFailed);
}

QString QuoteName(const QString& name) {
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString QuoteText(const QString& text) {
    QString quoted = text;
    quoted.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

}  // namespace sql
