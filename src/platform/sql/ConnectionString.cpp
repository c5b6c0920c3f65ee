// Splitting a connection string into its key=value parts.
#include "platform/sql/ConnectionString.h"

#include <QHash>

namespace sql {
namespace {

QHash<QString, QString> SplitParts(const QString& text) {
    QHash<QString, QString> parts;
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype equals = text.indexOf(QLatin1Char('='), i);
        if (equals < 0) break;
        const QString key = text.mid(i, equals - i).trimmed().toLower();
        qsizetype j = equals + 1;
        while (j < text.size() && text[j] == QLatin1Char(' ')) ++j;
        QString value;
        if (j < text.size() && (text[j] == QLatin1Char('"') || text[j] == QLatin1Char('\''))) {
            // A quoted value; the quote character doubled stands for itself.
            const QChar quote = text[j++];
            while (j < text.size()) {
                if (text[j] == quote) {
                    if (j + 1 < text.size() && text[j + 1] == quote) {
                        value += quote;
                        j += 2;
                        continue;
                    }
                    ++j;
                    break;
                }
                value += text[j++];
            }
            const qsizetype semicolon = text.indexOf(QLatin1Char(';'), j);
            i = semicolon < 0 ? text.size() : semicolon + 1;
        } else {
            const qsizetype semicolon = text.indexOf(QLatin1Char(';'), j);
            const qsizetype end = semicolon < 0 ? text.size() : semicolon;
            value = text.mid(j, end - j).trimmed();
            i = end + 1;
        }
        parts.insert(key, value);
    }
    return parts;
}

}  // namespace

ConnectOptions ParseConnectionString(const QString& connectionString) {
    const QHash<QString, QString> parts = SplitParts(connectionString);
    ConnectOptions options;
    options.dataSource = parts.value(QStringLiteral("data source"));
    options.password = parts.value(QStringLiteral("jet oledb:database password"));
    const QString mode = parts.value(QStringLiteral("mode")).toLower().remove(QLatin1Char(' '));
    options.exclusive = mode.contains(QLatin1String("sharedenyread")) || mode.contains(QLatin1String("shareexclusive"));
    options.readOnly = mode == QLatin1String("read");
    return options;
}

}  // namespace sql
