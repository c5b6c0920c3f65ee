// Binding, stepping and reading a prepared statement; result columns named as Jet names them.
#include "platform/sql/Statement.h"

#include "platform/sql/Database.h"
#include "platform/sql/EngineError.h"
#include "platform/sql/InjectedFault.h"

#include <sqlite3.h>

namespace sql {
namespace {

QString Utf8(const char* text) { return text ? QString::fromUtf8(text) : QString(); }

}  // namespace

Statement::Statement(const Database& database, sqlite3_stmt* stmt) : database_(database), stmt_(stmt) { NameColumns(); }

Statement::~Statement() { sqlite3_finalize(stmt_); }

void Statement::NameColumns() {
    const int count = sqlite3_column_count(stmt_);
    for (int i = 0; i < count; ++i) {
        names_ << Utf8(sqlite3_column_name(stmt_, i));
        int size = 0;
        types_ << JetTypeFromDeclared(Utf8(sqlite3_column_decltype(stmt_, i)), &size);
        sizes_ << size;
    }
    // A column name that two tables bring into the select list is qualified with its table.
    QStringList qualified = names_;
    for (int i = 0; i < count; ++i) {
        const QString table = ColumnTable(i);
        if (table.isEmpty() || names_[i].compare(ColumnOrigin(i), Qt::CaseInsensitive) != 0) continue;
        for (int j = 0; j < count; ++j) {
            if (j == i || names_[j].compare(names_[i], Qt::CaseInsensitive) != 0) continue;
            if (ColumnTable(j).compare(table, Qt::CaseInsensitive) == 0) continue;
            qualified[i] = table + QLatin1Char('.') + names_[i];
            break;
        }
    }
    names_ = qualified;
}

QStringList Statement::ParameterNames() const {
    QStringList names;
    const int count = sqlite3_bind_parameter_count(stmt_);
    for (int i = 1; i <= count; ++i) names << Utf8(sqlite3_bind_parameter_name(stmt_, i)).mid(1);
    return names;
}

void Statement::Bind(int index, const QVariant& value) {
    const int position = index + 1;
    int rc = SQLITE_OK;
    switch (value.typeId()) {
        case QMetaType::UnknownType:
        case QMetaType::Nullptr: rc = sqlite3_bind_null(stmt_, position); break;
        case QMetaType::Bool: rc = sqlite3_bind_int64(stmt_, position, value.toBool() ? -1 : 0); break;
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::Long:
        case QMetaType::LongLong:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::UChar:
        case QMetaType::ULongLong: rc = sqlite3_bind_int64(stmt_, position, value.toLongLong()); break;
        case QMetaType::Double:
        case QMetaType::Float: rc = sqlite3_bind_double(stmt_, position, value.toDouble()); break;
        case QMetaType::QByteArray: {
            const QByteArray bytes = value.toByteArray();
            rc = sqlite3_bind_blob64(stmt_, position, bytes.constData(), bytes.size(), SQLITE_TRANSIENT);
            break;
        }
        default: {
            if (value.isNull()) {
                rc = sqlite3_bind_null(stmt_, position);
                break;
            }
            const QByteArray text = value.toString().toUtf8();
            rc = sqlite3_bind_text64(stmt_, position, text.constData(), text.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
        }
    }
    if (rc != SQLITE_OK) database_.Raise(rc);
}

void Statement::Bind(const QString& name, const QVariant& value) {
    const QStringList names = ParameterNames();
    for (int index = 0; index < names.size(); ++index) {
        if (names[index].compare(name, Qt::CaseInsensitive) == 0) return Bind(index, value);
    }
    RaiseEngineError(QStringLiteral("Parameter %1 not found").arg(name));
}

void Statement::ClearBindings() { sqlite3_clear_bindings(stmt_); }

bool Statement::Step() {
    FailIfFaultInjected();
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    sqlite3_reset(stmt_);
    database_.Raise(sqlite3_extended_errcode(database_.Handle()));
}

void Statement::Reset() { sqlite3_reset(stmt_); }

int Statement::ColumnCount() const { return names_.size(); }

QString Statement::ColumnName(int column) const { return names_.value(column); }

JetType Statement::ColumnType(int column, int* size) const {
    if (size) *size = sizes_.value(column);
    return types_.value(column, JetType::Variant);
}

QString Statement::ColumnTable(int column) const { return Utf8(sqlite3_column_table_name(stmt_, column)); }

QString Statement::ColumnOrigin(int column) const { return Utf8(sqlite3_column_origin_name(stmt_, column)); }

QVariant Statement::Value(int column) const {
    const int kind = sqlite3_column_type(stmt_, column);
    if (kind == SQLITE_NULL) return {};
    switch (ColumnType(column)) {
        case JetType::DateTime:
        case JetType::Single:
        case JetType::Double:
        case JetType::Currency:
            if (kind == SQLITE_INTEGER || kind == SQLITE_FLOAT) return sqlite3_column_double(stmt_, column);
            break;
        case JetType::Long:
        case JetType::Short:
        case JetType::Byte:
        case JetType::Boolean:
        case JetType::Counter:
            if (kind == SQLITE_INTEGER) return static_cast<qint64>(sqlite3_column_int64(stmt_, column));
            break;
        default: break;
    }
    switch (kind) {
        case SQLITE_INTEGER: return static_cast<qint64>(sqlite3_column_int64(stmt_, column));
        case SQLITE_FLOAT: return sqlite3_column_double(stmt_, column);
        case SQLITE_BLOB: {
            const auto* data = static_cast<const char*>(sqlite3_column_blob(stmt_, column));
            return QByteArray(data, sqlite3_column_bytes(stmt_, column));
        }
        default:
            return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column)),
                                     sqlite3_column_bytes(stmt_, column));
    }
}

}  // namespace sql
