// The painters of booking cells: time-slot cells (day and week grids), date strips (multi-day grid) and the
// small "..." more-button every booking grid shows.
#pragma once

#include "data/layout/BookingCell.h"
#include "platform/ui/Canvas.h"

#include <cmath>

class TCustomGrid;

namespace grids {

// What the painters read of the grid that owns the cell.
struct CellPaintOptions {
    TColor TextColor = clBlack;
    TColor ReminderColor = 0xFFFF00;
    TColor BookingColor = 0xFFFF00;
    bool BoldClient = true;
    bool ShowDescription = false;
    // The booking cell under the last press (multi-day grid: all cells of a clicked booking show selected).
    const TBookingCell* ClickedCell = nullptr;
    // The column widths a continuation text steps back over (multi-day grid).
    const TCustomGrid* Grid = nullptr;
};

// What the booking grids' painters share: the reminder marks' yellow, a bold or plain font, and a time's
// fraction of its day.
inline constexpr TColor kYellow = 0x0000FFFF;
void SetBold(TCanvas& canvas, bool bold);
inline double DayFraction(TDateTime value) { return value - std::floor(value); }

}  // namespace grids

// One time-slot cell: colour block, timeline marks at its left, then client, time and description texts.
// Nothing for column 0 or row 0.
void DrawBookingCell(TCanvas& Canvas, const TFont& GridFont, const grids::CellPaintOptions& Options, int Col, int Row,
                     const TBookingCell* Cell, bool Selected, const TRect& CellRect);
// One date cell of the multi-day grid: each booking takes the share of the width its hours take of the day.
void DrawDayIntervalCell(TCanvas& Canvas, const TFont& GridFont, const grids::CellPaintOptions& Options, int Col,
                         int Row, const TBookingCell* Cell, bool Selected, const TRect& CellRect);

// The "..." button at (X, Y) with the rectangle's size.
void DrawEllipsisButtonRect(TCanvas& Canvas, int X, int Y, const TRect& Rect);
void DrawEllipsisButton(TCanvas& Canvas, const TRect& Rect);
void DrawEllipsisButtonAt(TCanvas& Canvas, const TRect& Rect, int DX, int DY);
