// Building and reading the provider's connection strings.
#include "data/ConnectionInfo.h"

#include "platform/sql/ConnectionString.h"

namespace data {
namespace {

// A value that holds ";" or a quote, or starts or ends with a blank, is quoted so it reads back as it was.
QString Value(const QString& value) {
    const bool plain = !value.contains(u';') && !value.startsWith(u'"') && !value.startsWith(u'\'') &&
                       value.trimmed().size() == value.size();
    if (plain) return value;
    QString quoted = value;
    return u'"' + quoted.replace(u'"', QStringLiteral("\"\"")) + u'"';
}

}  // namespace

QString ConnectionString(const QString& fileName, const QString& password, bool exclusive) {
    QString text = QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + Value(fileName) +
                   QStringLiteral(";Jet OLEDB:Database Password=") + Value(password) +
                   QStringLiteral(";Persist Security Info=False");
    if (exclusive) text += QStringLiteral(";Mode=Share Deny Read|Share Deny Write");
    return text;
}

}  // namespace data

void TDatabaseConnectionInfo::ParseConnectionString(const QString& connectionString) {
    const sql::ConnectOptions options = sql::ParseConnectionString(connectionString);
    DataSource = options.dataSource;
    Password = options.password;
}
