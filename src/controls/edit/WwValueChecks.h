// Checks of typed text against a field's data type or picture mask, and of field and key kinds.
#pragma once

#include "platform/db/DbTypes.h"
#include "platform/ui/Keys.h"

#include <QString>

class TField;

// Whole numbers need an integer text, floating types a float text, dates and times their texts (a
// date-time also takes a date alone); other types take any text.
bool IsValidTextForDataType(TFieldType dataType, const QString& text);
// The same for the field's type.
bool IsValidTextForField(const TField& field, const QString& text);
// False for no field; an empty text is refused for numeric, date and time fields.
bool IsValidSearchText(const TField* field, const QString& text);
// A field value passes its picture mask when it is empty or the mask finds it complete without filling in.
bool IsTextValidForMask(const QString& mask, const QString& text);
// False for binary types.
bool IsComparableDataType(TFieldType dataType);
bool IsNumericKeyType(TFieldType dataType);
bool IsCalculatedOrLookup(const TField& field);
// Calculated and lookup fields, and those of datasets without an engine-side search, are searched by moving
// through the records.
bool MustScanForField(const TField& field);
// Keys that change an edit's text: Backspace, space, Delete, digits, letters, the keypad and above 0x91.
bool IsEditingKey(Word key);
