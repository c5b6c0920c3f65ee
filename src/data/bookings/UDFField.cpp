// The custom booking columns' descriptors and their texts.
#include "data/bookings/UDFField.h"

#include "platform/db/DataSet.h"
#include "platform/db/Field.h"
#include "platform/rtl/DateTimeFormat.h"
#include "platform/rtl/FloatFormat.h"

void TUDFField::Assign(const TUDFField& other) {
    FieldName = other.FieldName;
    Caption = other.Caption;
    DataType = other.DataType;
    Value = other.Value;
    IsCurrency = other.IsCurrency;
    Size = other.Size;
    EditMask = other.EditMask;
}

std::unique_ptr<TUDFField> CreateUDFField(const TField& column) {
    auto descriptor = std::make_unique<TUDFField>();
    descriptor->FieldName = column.FieldName();
    descriptor->Caption = column.FieldName().mid(4);
    return descriptor;
}

void SetUDFFieldType(TUDFField& descriptor, TField& column) {
    descriptor.DataType = column.DataType();
    descriptor.Size = column.Size();
    if (column.DataType() != ftBCD) return;
    descriptor.IsCurrency = true;
    if (auto* money = dynamic_cast<TFloatField*>(&column)) money->Currency = true;
}

QString FormatUDFValue(const TUDFField& descriptor, const QVariant& value) {
    if (value.isNull()) return {};
    if (descriptor.IsCurrency) {
        bool ok = false;
        const double amount = value.toDouble(&ok);
        return ok ? FormatFloat(QStringLiteral("$0.00"), amount) : QString();
    }
    return UDFValueText(descriptor, value);
}

QString UDFValueText(const TUDFField& descriptor, const QVariant& value) {
    const bool dateColumn =
        descriptor.DataType == ftDateTime || descriptor.DataType == ftDate || descriptor.DataType == ftTime;
    if (!dateColumn || value.isNull()) return VariantToText(value);
    bool ok = false;
    const TDateTime date = value.toDouble(&ok);
    return ok ? DateTimeToStr(date) : VariantToText(value);
}

QString VariantToText(const QVariant& value) {
    switch (value.typeId()) {
        case QMetaType::UnknownType: return {};
        case QMetaType::Double:
        case QMetaType::Float: return FloatToStr(value.toDouble());
        case QMetaType::Bool: return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
        case QMetaType::QByteArray: return {};
        default: break;
    }
    return value.canConvert<QString>() ? value.toString() : QString();
}

namespace data {

void FindCustomFields(TDataSet& bookings, const TDataSet& global, std::unique_ptr<TUDFField>& udf1,
                      std::unique_ptr<TUDFField>& udf2) {
    for (int i = 0; i < bookings.FieldCount(); ++i) {
        TField& column = *bookings.Fields()[i];
        std::unique_ptr<TUDFField>* slot = nullptr;
        if (column.FieldName().startsWith(QLatin1String("udf1"))) slot = &udf1;
        else if (column.FieldName().startsWith(QLatin1String("udf2"))) slot = &udf2;
        if (!slot || *slot) continue;
        *slot = CreateUDFField(column);
        SetUDFFieldType(**slot, column);
        const TField* mask = global.FindField(column.FieldName() + QStringLiteral("EditMask"));
        (*slot)->EditMask = mask ? mask->AsString() : QString();
        column.SetEditMask((*slot)->EditMask);
    }
}

}  // namespace data
