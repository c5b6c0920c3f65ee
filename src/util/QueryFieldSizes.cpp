// Field sizes taken from the columns of an open query.
#include "util/QueryFieldSizes.h"

#include "platform/db/DataSet.h"
#include "platform/db/Field.h"

void AdjustQueryFieldSizes(TDataSet& query) {
    for (const db::ColumnDesc& column : query.FieldDefs()) {
        TField* field = query.FindField(column.name);
        if (!field || field->Size() == column.size) continue;
        field->SetSize(column.size);
        field->SetDisplayWidth(column.size);
    }
}
