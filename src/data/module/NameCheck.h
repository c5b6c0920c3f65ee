// The check that administration lists run before posting a named row: a name is required and unique.
#pragma once

#include <QString>
#include <functional>

class TField;

namespace data {

// Raises a database error with missingText when the name is null or blank. When the name differs from the
// value read from the database (letter case counts), raises
// "The " + noun + " \"" + name + "\" already exists." when exists(name) finds a row.
void CheckNameBeforePost(const TField& nameField, const QString& missingText, const QString& noun,
                         const std::function<bool(const QString&)>& exists);

}  // namespace data
