// The engine's numbered texts: text n is string resource 43000 + n, taken from the loaded language modules
// first and then from the program's own table; placeholders such as "<page>" turn into "%s" for formatting.
#pragma once

#include "reportengine/core/ppTypes.h"

#include <QString>
#include <QStringList>

// The text of string resource 43000 + n; empty for an id without text.
QString EngineText(qint32 n);
// EngineText(n) with its placeholders filled by the arguments, in the order the placeholders appear.
QString EngineTextFormat(qint32 n, const QStringList& arguments);
// Every occurrence of each placeholder (matched with case) replaced by "%s".
QString ExpandTextPlaceholders(const QString& text);
// The three-letter extension of a language's module files ("dft" for lgDefault).
QString LanguageFileExtension(TppLanguageType language);

namespace reportengine {

// The first resource id of the engine's texts.
inline constexpr qint32 kEngineTextBase = 43000;

// The program's own string table by full resource id; empty for an id it lacks.
QString ProgramStringTableText(qint32 id);

}  // namespace reportengine
