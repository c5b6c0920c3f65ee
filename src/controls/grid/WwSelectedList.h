// The Selected list: the grids' per-column layout lines, field TAB width TAB title TAB read-only [TAB group].
#pragma once

#include <QString>

class TStrings;

namespace controls {

// The parts of a Selected line, in order.
enum class SelectedPart { Field = 0, Width = 1, Title = 2, ReadOnly = 3, Group = 4 };

// Part of one line; a missing part reads as empty, except ReadOnly, which reads as "F".
QString SelectedLinePart(const QString& line, SelectedPart part);
// Part of the field's line (the first whose field equals the name in any case); as missing without one.
QString GetSelectedPart(const TStrings& selected, const QString& fieldName, SelectedPart part);
// Rewrites the line at index with one part replaced: Field TAB Width TAB Title TAB ReadOnly, and TAB Group
// only when the group is not empty.
void SetSelectedLinePart(TStrings& selected, int index, SelectedPart part, const QString& value);
// The same for the field's line; nothing when the field has none.
void SetSelectedPart(TStrings& selected, const QString& fieldName, SelectedPart part, const QString& value);
// "T" in the ReadOnly part.
bool IsSelectedLineReadOnly(const QString& line);

}  // namespace controls
