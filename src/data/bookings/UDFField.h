// TUDFField: one of the database's two optional custom booking columns, and how their values read as text.
#pragma once

#include "platform/db/DbTypes.h"

#include <QString>
#include <QVariant>
#include <memory>

class TDataSet;
class TField;

class TUDFField {
public:
    // The Bookings column's name, beginning "udf1" or "udf2".
    QString FieldName;
    // The label: the column name without its first four characters.
    QString Caption;
    // The value held by a record's copy.
    QVariant Value;
    bool IsCurrency = false;
    TFieldType DataType = ftUnknown;
    int Size = 0;
    QString EditMask;

    void Assign(const TUDFField& other);
};

// A descriptor named after the column.
std::unique_ptr<TUDFField> CreateUDFField(const TField& column);
// Type and size from the column; a BCD column is shown as currency, the column itself too.
void SetUDFFieldType(TUDFField& descriptor, TField& column);
// Empty for null; "$0.00" for a currency column; otherwise the value as text (UDFValueText).
QString FormatUDFValue(const TUDFField& descriptor, const QVariant& value);
// The value as text for its column: a date column's day number as a date in the short date format (with the
// time when it has one), any other value as VariantToText gives it.
QString UDFValueText(const TUDFField& descriptor, const QVariant& value);
// The value as text; empty when it does not convert.
QString VariantToText(const QVariant& value);

namespace data {

// The database's custom booking columns: the first column of the Bookings dataset whose name begins "udf1"
// (exact case) fills udf1, the first beginning "udf2" udf2, each only while still unset. Each gets the edit
// mask from the global row's column FieldName + "EditMask" when there is one, and so does its column.
void FindCustomFields(TDataSet& bookings, const TDataSet& global, std::unique_ptr<TUDFField>& udf1,
                      std::unique_ptr<TUDFField>& udf2);

}  // namespace data
