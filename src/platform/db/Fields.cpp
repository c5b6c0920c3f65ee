// The field list and the field class that stands for each field type.
#include "platform/db/Fields.h"

TField* TFields::FindField(const QString& name) const {
    for (const auto& field : items_)
        if (field->FieldName().compare(name, Qt::CaseInsensitive) == 0) return field.get();
    return nullptr;
}

int TFields::IndexOf(const TField* field) const {
    for (int i = 0; i < Count(); ++i)
        if (items_[i].get() == field) return i;
    return -1;
}

std::unique_ptr<TField> CreateFieldForType(TFieldType type, int size) {
    switch (type) {
        case ftString: return std::make_unique<TStringField>(size);
        case ftWideString: return std::make_unique<TWideStringField>(size);
        case ftSmallint: return std::make_unique<TSmallintField>();
        case ftWord: return std::make_unique<TWordField>();
        case ftAutoInc: return std::make_unique<TAutoIncField>();
        case ftBoolean: return std::make_unique<TBooleanField>();
        case ftFloat: return std::make_unique<TFloatField>();
        case ftCurrency: return std::make_unique<TCurrencyField>();
        case ftBCD: return std::make_unique<TBCDField>();
        case ftDate:
        case ftTime:
        case ftDateTime: return std::make_unique<TDateTimeField>();
        case ftBlob: return std::make_unique<TBlobField>();
        case ftMemo: return std::make_unique<TMemoField>();
        case ftGraphic: return std::make_unique<TGraphicField>();
        case ftInteger: return std::make_unique<TIntegerField>();
        case ftUnknown: break;
    }
    // Expression columns without a declared type keep whatever value they hold.
    return std::make_unique<TField>(ftUnknown);
}
