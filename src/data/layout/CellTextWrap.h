// Flowing booking descriptions over the continuation cells of a row of slots.
#pragma once

#include "data/layout/CellSlots.h"
#include "data/layout/TextMeasurer.h"

namespace data {

// Each continuation cell (kContinues and kEnds) gets the next line of its booking's description as its first
// description; a line fits when its width is below width; text that does not reach the booking's last
// cell ends in "... ".
void WrapCellTexts(CellSlots& cells, TextMeasurer& canvas, int width);

}  // namespace data
