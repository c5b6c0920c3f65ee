// Checks of typed text against a field's data type or picture mask, and of field and key kinds.
#include "controls/edit/WwValueChecks.h"

#include "controls/edit/WwParsing.h"
#include "controls/edit/WwProps.h"
#include "controls/edit/WwWindows.h"
#include "controls/edit/Wwpict.h"
#include "platform/db/DataSet.h"

bool IsValidTextForDataType(TFieldType dataType, const QString& text) {
    switch (dataType) {
        case ftSmallint:
        case ftInteger:
        case ftWord:
        case ftAutoInc: return IsIntegerText(text);
        case ftFloat:
        case ftCurrency:
        case ftBCD: return IsValidFloat(text);
        case ftDate: return IsValidDateText(text);
        case ftTime: return IsValidTimeText(text);
        case ftDateTime: return IsValidDateTimeText(text) || IsValidDateText(text);
        default: return true;
    }
}

bool IsValidTextForField(const TField& field, const QString& text) {
    return IsValidTextForDataType(field.DataType(), text);
}

bool IsTextValidForMask(const QString& mask, const QString& text) {
    if (text.isEmpty()) return true;
    QString checked = text;
    return TwwPictureValidator(mask, false).Picture(checked, false) == TwwPictureValidator::Complete;
}

bool IsValidSearchText(const TField* field, const QString& text) {
    if (!field) return false;
    switch (field->DataType()) {
        case ftSmallint:
        case ftInteger:
        case ftWord:
        case ftFloat:
        case ftCurrency:
        case ftBCD:
        case ftDate:
        case ftTime:
        case ftDateTime:
        case ftAutoInc:
            if (text.isEmpty()) return false;
            break;
        default: break;
    }
    return IsValidTextForDataType(field->DataType(), text);
}

bool IsComparableDataType(TFieldType dataType) { return dataType != ftBlob && dataType != ftGraphic; }

bool IsNumericKeyType(TFieldType dataType) {
    switch (dataType) {
        case ftSmallint:
        case ftInteger:
        case ftWord:
        case ftFloat:
        case ftCurrency:
        case ftAutoInc: return true;
        default: return false;
    }
}

bool IsCalculatedOrLookup(const TField& field) { return field.Calculated() || field.Lookup(); }

bool MustScanForField(const TField& field) {
    return IsCalculatedOrLookup(field) ||
           !InheritsFromClassName(controls::Published(field.DataSet()).object(), QStringLiteral("TBDEDataSet"));
}

bool IsEditingKey(Word key) {
    return key == VK_BACK || key == VK_SPACE || key == VK_DELETE || (key >= 0x30 && key <= 0x6F) || key > 0x91;
}
