// Raising helpers for engine errors.
#include "platform/sql/EngineError.h"

EFileError::EFileError(QString message) : EOleException(std::move(message), sql::kErrorFailed) {}

namespace sql {

void RaiseEngineError(const QString& message, quint32 code) { throw EOleException(message, code); }

void RaiseSyntaxError(const QString& message) { throw EOleException(message, kErrorInCommand); }

void RaiseFileError(const QString& message) { throw EFileError(message); }

QString DamagedFileText(const QString& fileName) {
    return QStringLiteral("The database file '%1' is damaged and cannot be read.").arg(fileName);
}

}  // namespace sql
