// The custom fields' types, their list and their change warnings.
#include "admin/FieldTypes.h"

#include "platform/ui/Lists.h"

#include <array>

namespace {

struct FieldTypeItem {
    const char* name;
    quint8 code;
};
constexpr std::array<FieldTypeItem, 7> kFieldTypes = {
    {{"Logical", 5}, {"Currency", 8}, {"DateTime", 11}, {"Float", 6}, {"Integer", 3}, {"Memo", 16}, {"Text", 24}}};

// Row: old type, column: new type, both by position; 2 possible loss, 3 truncation.
constexpr int kWarnings[7][7] = {
    {0, 2, 2, 2, 2, 2, 2}, {2, 0, 2, 0, 3, 0, 0}, {2, 2, 0, 2, 2, 0, 0}, {2, 3, 2, 0, 3, 0, 0},
    {2, 0, 2, 0, 0, 0, 0}, {0, 2, 0, 2, 2, 0, 0}, {0, 2, 0, 2, 2, 0, 0},
};

}  // namespace

QString FieldTypeName(int fieldType) {
    if (fieldType == 1) return QStringLiteral("String");
    const int position = FieldTypePosition(fieldType);
    return position < 0 ? QString() : QString::fromLatin1(kFieldTypes[position - 1].name);
}

int FieldTypePosition(int fieldType) {
    if (fieldType == 7) return 2;
    for (std::size_t i = 0; i < kFieldTypes.size(); ++i)
        if (kFieldTypes[i].code == fieldType) return int(i) + 1;
    return -1;
}

namespace admin {

void FillFieldTypes(TComboBox& comboBox, std::vector<std::unique_ptr<TFieldTypeObject>>& objects) {
    for (const FieldTypeItem& type : kFieldTypes) {
        objects.push_back(std::make_unique<TFieldTypeObject>(type.code));
        comboBox.Items().AddObject(QString::fromLatin1(type.name), objects.back().get());
    }
}

int SelectedFieldType(const TComboBox& comboBox) {
    const int index = comboBox.ItemIndex();
    return index < 0 ? 0 : static_cast<const TFieldTypeObject*>(comboBox.Items().Objects(index))->FieldType;
}

QString TypeChangeWarning(int oldPosition, int newPosition) {
    switch (kWarnings[oldPosition - 1][newPosition - 1]) {
        case 2: return QStringLiteral("Some data loss may occur if existing values can not be converted.");
        case 3: return QStringLiteral("Some data may be truncated during this operation.");
        default: return {};
    }
}

}  // namespace admin
