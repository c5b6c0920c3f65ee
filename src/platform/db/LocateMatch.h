// How Locate, Lookup and filters compare a field's value with a searched value.
#pragma once

#include "platform/db/Cursor.h"
#include "platform/db/DbTypes.h"

#include <QVariant>
#include <optional>

class TField;

namespace db {

bool IsTextField(const TField& field);
// Texts compare as the engine compares them, the other types after converting the searched value.
bool LocateMatches(const TField& field, const QVariant& value, const QVariant& searched, TLocateOptions options);
// The condition a store can test for this field, wider than LocateMatches (the rows it finds are tested again);
// nothing when only LocateMatches can tell.
std::optional<LocateTerm> StoreTerm(const TField& field, const QVariant& searched, TLocateOptions options);
// <0, 0, >0; values that cannot be compared answer nothing useful but 1.
int CompareFieldValue(const TField& field, const QVariant& value, const QVariant& other);

}  // namespace db
