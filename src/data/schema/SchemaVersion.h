// The schema version of a database, told by the marker columns of its RanvelGlobal table.
#pragma once

#include <QString>
#include <QStringList>

struct TSchemaVersion {
    QString Family;  // "Ranvel50" or "Ranvel60"; empty when no marker was found
    int Major = 0;
    int Minor = 0;
};

// Splits "Schema_" + family + "_" + major + "_" + minor; a number that does not convert gives 0.
void ParseSchemaColumn(const QString& columnName, QString& family, int& major, int& minor);

// The highest version the columns mark: the two old markers of 5.0 and 5.1, then the "Schema_" markers of
// family Ranvel50 and, above them, of family Ranvel60 (names and families compared without case).
TSchemaVersion RecognizeSchema(const QStringList& globalColumns);

namespace data {

inline const QString kFamily50 = QStringLiteral("Ranvel50");
inline const QString kFamily60 = QStringLiteral("Ranvel60");
inline const QString kMarker500 = QStringLiteral("RanvelSchemaVersion500");
inline const QString kMarker510 = QStringLiteral("RanvelSchemaVersion500210");

}  // namespace data
