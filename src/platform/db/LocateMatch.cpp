// Value comparison for Locate, Lookup and filters.
#include "platform/db/LocateMatch.h"

#include "platform/db/Field.h"
#include "platform/rtl/Exceptions.h"
#include "platform/sql/TextCompare.h"

namespace db {

bool IsTextField(const TField& field) {
    const TFieldType type = field.DataType();
    return type == ftString || type == ftWideString || type == ftMemo || type == ftUnknown;
}

namespace {

// Searched values are converted to the field's type; a value that does not convert matches nothing.
bool Converted(const TField& field, const QVariant& searched, QVariant& result) {
    try {
        result = field.Normalize(searched);
        return true;
    } catch (const Exception&) {
        return false;
    }
}

}  // namespace

bool LocateMatches(const TField& field, const QVariant& value, const QVariant& searched, TLocateOptions options) {
    if (searched.isNull() || value.isNull()) return searched.isNull() && value.isNull();
    if (IsTextField(field)) {
        const QString wanted = searched.toString();
        const QString text = options.Contains(loPartialKey) ? value.toString().left(wanted.size()) : value.toString();
        // Without case, texts compare as the engine compares them.
        return options.Contains(loCaseInsensitive) ? sql::CompareText(text, wanted) == 0 : text == wanted;
    }
    return CompareFieldValue(field, value, searched) == 0;
}

std::optional<LocateTerm> StoreTerm(const TField& field, const QVariant& searched, TLocateOptions options) {
    if (field.FieldKind() != fkData) return std::nullopt;
    if (searched.isNull()) return LocateTerm{field.FieldNo(), QVariant(), false};
    // Texts: the store compares without case, the exact case is tested afterwards.
    if (IsTextField(field)) return LocateTerm{field.FieldNo(), searched.toString(), options.Contains(loPartialKey)};
    const TFieldType type = field.DataType();
    QVariant converted;
    // Yes/No values are held as Booleans but stored as numbers; blobs have nothing to compare.
    if (type == ftBoolean || type == ftBlob || type == ftGraphic || !Converted(field, searched, converted))
        return std::nullopt;
    return LocateTerm{field.FieldNo(), converted.toDouble(), false};
}

int CompareFieldValue(const TField& field, const QVariant& value, const QVariant& other) {
    if (value.isNull() || other.isNull()) return value.isNull() == other.isNull() ? 0 : (value.isNull() ? -1 : 1);
    if (IsTextField(field)) return sql::CompareText(value.toString(), other.toString());
    QVariant converted;
    if (!Converted(field, other, converted)) return 1;
    const double a = value.toDouble();
    const double b = converted.toDouble();
    return a < b ? -1 : (a > b ? 1 : 0);
}

}  // namespace db
