// The seven types a custom booking field may have: their names in the list and in DDL, their codes, and the
// warning shown when an existing field changes from one to another.
#pragma once

#include <QString>
#include <QtGlobal>
#include <memory>
#include <vector>

class TComboBox;

// One item's type code in a type combo box.
class TFieldTypeObject {
public:
    explicit TFieldTypeObject(quint8 fieldType) : FieldType(fieldType) {}
    quint8 FieldType;
};

// The name for a type code ("String" for 1); empty for a code not listed.
QString FieldTypeName(int fieldType);
// The 1-based position in the list for a type code, 7 and 8 both giving Currency's; -1 for a code not listed.
int FieldTypePosition(int fieldType);

namespace admin {

// The seven types in their order, each item carrying its TFieldTypeObject, kept in objects.
void FillFieldTypes(TComboBox& comboBox, std::vector<std::unique_ptr<TFieldTypeObject>>& objects);
// The code of the selected item's object; 0 when none is selected.
int SelectedFieldType(const TComboBox& comboBox);
// The extra text of the question for a change between two listed positions; empty when there is none.
QString TypeChangeWarning(int oldPosition, int newPosition);

}  // namespace admin
