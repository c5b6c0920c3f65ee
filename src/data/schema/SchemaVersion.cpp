// Marker columns read into a schema version.
#include "data/schema/SchemaVersion.h"

void ParseSchemaColumn(const QString& columnName, QString& family, int& major, int& minor) {
    const QStringList parts = columnName.split(QLatin1Char('_'));
    family = parts.value(1);
    major = parts.value(2).toInt();
    minor = parts.mid(3).join(QLatin1Char('_')).toInt();
}

namespace {

bool SameName(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

// Raises the version to the markers of one family found among the columns.
void TakeFamily(const QStringList& columns, const QString& wanted, TSchemaVersion& version) {
    for (const QString& column : columns) {
        if (!column.startsWith(QStringLiteral("schema"), Qt::CaseInsensitive)) continue;
        QString family;
        int major = 0;
        int minor = 0;
        ParseSchemaColumn(column, family, major, minor);
        if (!SameName(family, wanted)) continue;
        version.Family = wanted;
        if (major > version.Major || (major == version.Major && minor > version.Minor)) {
            version.Major = major;
            version.Minor = minor;
        }
    }
}

}  // namespace

TSchemaVersion RecognizeSchema(const QStringList& globalColumns) {
    TSchemaVersion version;
    if (globalColumns.contains(data::kMarker500, Qt::CaseInsensitive)) version = {data::kFamily50, 5, 0};
    if (globalColumns.contains(data::kMarker510, Qt::CaseInsensitive)) version = {data::kFamily50, 5, 1};
    TakeFamily(globalColumns, data::kFamily50, version);
    TakeFamily(globalColumns, data::kFamily60, version);
    return version;
}
