// How a booking's optional texts are stored: an empty text is no value.
#pragma once

#include <QString>
#include <QVariant>

namespace data {

// The queries that look for an optional text (the day's reminders) test it for null, so an empty text is stored
// as null rather than as a text of no characters.
inline QVariant OptionalText(const QString& text) { return text.isEmpty() ? QVariant() : QVariant(text); }

}  // namespace data
