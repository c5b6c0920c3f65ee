// The in-memory test dataset.
#include "MemoryDataSet.h"

#include "platform/rtl/Exceptions.h"

namespace db_test {

void MemoryCursor::AddRow(const db::Row& row) {
    rows.append(row);
    ids.append(nextId++);
}

void MemoryCursor::Update(int index, const db::Row&, const db::Row& values, const QVector<bool>& changed) {
    if (failNextUpdate) {
        failNextUpdate = false;
        DatabaseError(QStringLiteral("Row cannot be located for updating."));
    }
    for (int i = 0; i < values.size(); ++i)
        if (changed[i]) rows[index][i] = values[i];
}

void MemoryCursor::Insert(int index, const db::Row& values, const QVector<bool>& assigned) {
    db::Row row = values;
    if (columns.value(0).type == ftAutoInc) row[0] = nextId;
    rows.insert(index, row);
    ids.insert(index, nextId++);
}

void MemoryCursor::Remove(int index) {
    rows.remove(index);
    ids.remove(index);
}

MemoryDataSet::MemoryDataSet() : cursor(std::make_shared<MemoryCursor>()) {
    cursor->columns = {{QStringLiteral("Id"), ftAutoInc, 0, false, true},
                       {QStringLiteral("Name"), ftString, 20, false, false},
                       {QStringLiteral("Amount"), ftFloat, 0, false, false},
                       {QStringLiteral("Flag"), ftBoolean, 0, false, false}};
    const char* names[] = {"Alpha", "beta", "Gamma", "delta", "Epsilon"};
    for (int i = 0; i < 5; ++i) cursor->AddRow({QVariant(), QString::fromLatin1(names[i]), (i + 1) * 1.5, i % 2 == 0});
    for (int i = 0; i < 5; ++i) cursor->rows[i][0] = cursor->ids[i];
}

}  // namespace db_test
