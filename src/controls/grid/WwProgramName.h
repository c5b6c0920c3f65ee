// The program's base name that the grid's default export and layout files are named after.
#pragma once

#include <QString>

namespace controls {

// The program file's name up to its first "."; the whole name when it has none (as programs here do), so
// that a default file is never named by its extension alone.
QString ProgramBaseName();

}  // namespace controls
