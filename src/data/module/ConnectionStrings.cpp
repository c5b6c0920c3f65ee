// Connection strings for the Jet provider.
#include "data/module/ConnectionStrings.h"

namespace data {

namespace {

QString Value(const QString& text) {
    const bool plain = !text.contains(QLatin1Char(';')) && !text.startsWith(QLatin1Char('"')) &&
                       !text.startsWith(QLatin1Char('\'')) && text.trimmed() == text;
    if (plain) return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

const QString kProvider = QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=");

}  // namespace

QString NormalConnectionString(const QString& fileName, const QString& password) {
    return kProvider + Value(fileName) + QStringLiteral(";Jet OLEDB:Database Password=") + Value(password) +
           QStringLiteral(";Persist Security Info=False");
}

QString ExclusiveConnectionString(const QString& fileName, const QString& password) {
    return NormalConnectionString(fileName, password) + QStringLiteral(";Mode=Share Deny Read|Share Deny Write");
}

QString CreationConnectionString(const QString& fileName, const QString& password) {
    QString text = kProvider + Value(fileName) + QStringLiteral(";Jet OLEDB:Engine Type=5");
    if (!password.isEmpty()) text += QStringLiteral(";Jet OLEDB:Database Password=") + Value(password);
    return text;
}

}  // namespace data
