// The connection strings the data module gives its connection.
#pragma once

#include <QString>

namespace data {

// "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + file + ";Jet OLEDB:Database Password=" + password +
// ";Persist Security Info=False"; a file name or password that holds ";", quotes or outer blanks is quoted,
// so that it reaches the engine as it is.
QString NormalConnectionString(const QString& fileName, const QString& password);
// The normal string + ";Mode=Share Deny Read|Share Deny Write".
QString ExclusiveConnectionString(const QString& fileName, const QString& password);
// The string a new file is created and filled with; a password protects it.
QString CreationConnectionString(const QString& fileName, const QString& password = QString());

}  // namespace data
