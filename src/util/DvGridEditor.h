// The shared helper that looks into a grid: its in-place editor.
#pragma once

class TCustomGrid;
class TInplaceEdit;

// The grid's in-place editor among its children (the last one when there are several); null when none.
TInplaceEdit* FindInplaceEditor(const TCustomGrid& grid);
