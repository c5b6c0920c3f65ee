// Databases for the engine's tests: made in the test's temporary folder, queried into plain rows.
#pragma once

#include "platform/rtl/Exceptions.h"
#include "platform/sql/Connection.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QVariantList>
#include <memory>

#include <ostream>

// Readable failure output for texts.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace sql_test {

inline QString DbPath(const QString& name = QStringLiteral("test.tvd")) {
    return QDir(testing_env::TempDir()).filePath(name);
}

inline QString ConnectionString(const QString& path, const QString& password = {}, bool exclusive = false) {
    return QStringLiteral(
               "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=%1;Jet OLEDB:Database Password=%2;"
               "Persist Security Info=False%3")
        .arg(path, password, exclusive ? QStringLiteral(";Mode=Share Deny Read|Share Deny Write") : QString());
}

inline std::unique_ptr<sql::Connection> CreateAndOpen(const QString& path = DbPath(), const QString& password = {}) {
    sql::Connection::CreateDatabase({path, password});
    return std::make_unique<sql::Connection>(ConnectionString(path, password));
}

// Every row of a Jet query, values as the engine gives them.
inline QList<QVariantList> Rows(const sql::Connection& connection, const QString& jetSql) {
    QList<QVariantList> rows;
    const auto statement = connection.Prepare(jetSql);
    while (statement->Step()) {
        QVariantList row;
        for (int i = 0; i < statement->ColumnCount(); ++i) row << statement->Value(i);
        rows << row;
    }
    return rows;
}

// The first column of every row, as text.
inline QStringList Column(const sql::Connection& connection, const QString& jetSql) {
    QStringList values;
    for (const QVariantList& row : Rows(connection, jetSql)) values << row.value(0).toString();
    return values;
}

// The message of the engine error the call raises (empty when it raises none).
template <typename Call>
QString ErrorOf(Call call) {
    try {
        call();
    } catch (const Exception& error) {
        return error.Message();
    }
    return {};
}

}  // namespace sql_test
