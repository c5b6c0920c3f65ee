// Required and unique names before a post.
#include "data/module/NameCheck.h"

#include "platform/db/Field.h"
#include "platform/rtl/Exceptions.h"

namespace data {

void CheckNameBeforePost(const TField& nameField, const QString& missingText, const QString& noun,
                         const std::function<bool(const QString&)>& exists) {
    const QString name = nameField.AsString();
    if (nameField.IsNull() || name.trimmed().isEmpty()) DatabaseError(missingText);
    if (nameField.Value() == nameField.OldValue()) return;
    if (exists(name))
        DatabaseError(QStringLiteral("The ") + noun + QStringLiteral(" \"") + name +
                      QStringLiteral("\" already exists."));
}

}  // namespace data
