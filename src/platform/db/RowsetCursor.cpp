// Schema rowsets as a cursor: column types follow the values of the first row.
#include "platform/db/RowsetCursor.h"

namespace db {

RowsetCursor::RowsetCursor(const QStringList& columns, const QList<QVariantList>& rows) {
    for (int i = 0; i < columns.size(); ++i) {
        const QVariant sample = rows.isEmpty() ? QVariant() : rows[0].value(i);
        TFieldType type = ftWideString;
        if (sample.typeId() == QMetaType::Bool) type = ftBoolean;
        else if (sample.typeId() == QMetaType::LongLong || sample.typeId() == QMetaType::Int) type = ftInteger;
        else if (sample.typeId() == QMetaType::Double) type = ftFloat;
        columns_.append({columns[i], type, type == ftWideString ? 255 : 0, false, true});
    }
    for (const QVariantList& values : rows) rows_.append(Row(values.begin(), values.end()));
}

}  // namespace db
