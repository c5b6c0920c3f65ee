// The multi-day grid: resources down, dates across, each cell a strip of the day's hours.
#include "app/grids/BookingGrid.h"

#include "app/grids/ResourceEditorHook.h"
#include "data/layout/BookingTimeText.h"

#include <algorithm>

TDayIntervalBookingGrid::TDayIntervalBookingGrid(QWidget* parent) : TBookingGrid(parent) { SetColCount(2); }

void TDayIntervalBookingGrid::ResizeColumns() {
    SizeDataColumns(AutoColumnSize, ColumnSize);
    if (!AutoColumnSize) return;
    // Fitted to the window, a date column still shows its whole caption: with more dates than fit, the grid
    // scrolls rather than cutting them.
    int caption = 0;
    for (int col = 1; col < ColCount(); ++col)
        caption = std::max(caption, Canvas().TextWidth(GetText(col, 0)) + 2 * Font().Size());
    if (ColCount() < 2 || ColWidths(1) >= caption) return;
    for (int col = 1; col < ColCount(); ++col) SetColWidths(col, caption);
}

void TDayIntervalBookingGrid::Resize() {
    TBookingGrid::Resize();
    if (parentWidget()) ResizeColumns();
}

grids::CellPaintOptions TDayIntervalBookingGrid::PaintOptions() const {
    grids::CellPaintOptions options = TBookingGrid::PaintOptions();
    options.BoldClient = BoldClient;
    options.ShowDescription = ShowDescription;
    if (ClickedCol > 0 && ClickedRow > 0) options.ClickedCell = GetCell(ClickedCol, ClickedRow);
    return options;
}

void TDayIntervalBookingGrid::DrawCell(int col, int row, const TRect& rect, TGridDrawState state) {
    if (row == 0 || col == 0) {
        DrawHeaderCell(rect, GetText(col, row));
    } else {
        FillDataCell(rect);
        const TGridRect selection = Selection();
        const bool selected = row == ClickedRow && col >= selection.Left && col <= selection.Right;
        DrawDayIntervalCell(Canvas(), Font(), PaintOptions(), col, row, GetCell(col, row), selected, rect);
    }
    if (state.Contains(gdFocused)) Canvas().DrawFocusRect(rect);
}

QString TDayIntervalBookingGrid::RowHeaderHint(int) const { return {}; }

void TDayIntervalBookingGrid::MouseMove(TShiftState shift, int x, int y) {
    TBookingGrid::MouseMove(shift, x, y);
    if (!ShowRollover) return;
    const TGridCoord at = CellAtPoint(x, y);
    QString hint;
    if (at.Y > 0 && at.Y < RowCount() && at.X >= 0 && at.X < ColCount()) {
        if (at.X > 0) {
            if (const TBookingCell* cell = GetCell(at.X, at.Y))
                hint = BookingHint(*cell, TimeFormatFor(Use24Hour), false);
        } else {
            hint = RowHeaderHint(at.Y);
        }
    }
    ShowRolloverHint(x, y, hint);
}

void TDayIntervalBookingGrid::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TBookingGrid::MouseUp(button, shift, x, y);
    RememberSelection();
}

TMultiDayGrid::TMultiDayGrid(QWidget* parent) : TDayIntervalBookingGrid(parent) {}

void TMultiDayGrid::LoadMultiDayBookings(TResourceDateBookings& bookings) {
    ClearTexts();
    FirstDate = bookings.FirstDate;
    const int resources = bookings.Resources.GetCount();
    SetRowCount(resources + 1);
    int nameWidth = 0;
    for (int r = 0; r < resources; ++r) {
        TResourceItem* item = bookings.Resources.GetItem(r);
        SetText(0, r + 1, item->ResourceName);
        SetResource(0, r + 1, item);
        nameWidth = std::max(nameWidth, Canvas().TextWidth(item->ResourceName) + 2 * Font().Size());
    }
    SetColWidths(0, nameWidth);
    const int dates = bookings.DateCaptions.Count();
    SetColCount(dates + 1);
    KeepHeaderCells();
    for (int i = 0; i < dates; ++i) SetText(i + 1, 0, bookings.DateCaptions[i]);
    for (int col = 1; col < ColCount(); ++col)
        for (int row = 1; row < RowCount(); ++row) SetCell(col, row, nullptr);
    if (bookings.ResourceCount != 0) {
        for (int r = 0; r < bookings.ResourceCount; ++r) {
            const TDateListBookings* list = bookings.GetResourceDates(r);
            for (int i = 0; list && i < dates; ++i) {
                TBookingCell* cell = list->GetCell(i);
                if (!cell) continue;
                // A booking ends in it, so its text keeps a right margin.
                switch (cell->State) {
                    case data::kStartsAndEnds:
                    case data::kEnds:
                    case data::kEndsWithOneStartingAndEnding:
                    case data::kStartsAndEndsWithOneGoingOn:
                    case data::kEndsWithOneGoingOn: cell->IsLastCell = true; break;
                    default: break;
                }
                SetCell(i + 1, r + 1, cell);
            }
        }
    }
    if (parentWidget()) ResizeColumns();
    InvalidateGrid();
}

void TMultiDayGrid::DrawCell(int col, int row, const TRect& rect, TGridDrawState state) {
    TDayIntervalBookingGrid::DrawCell(col, row, rect, state);
    if (GetMoreButton(col, row)) DrawEllipsisButton(Canvas(), MoreButtonRect(col, row));
    ui::Fire(OnDrawCell, this, col, row, rect, state);
}

QString TMultiDayGrid::RowHeaderHint(int row) const { return ResourceHint(GetResource(0, row)); }

void TMultiDayGrid::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TDayIntervalBookingGrid::MouseDown(button, shift, x, y);
    if (x < ColWidths(0)) {
        // The resource row under the point, walking the shown rows below the header.
        int top = RowHeights(0) + GridLineWidth();
        for (int row = TopRow(); row < RowCount() && top <= y; ++row) {
            const int bottom = top + RowHeights(row);
            if (y >= top && y < bottom) {
                if (const TResourceItem* item = GetResource(0, row)) grids::ShowResourceEditor(item->ResourceId);
                break;
            }
            top = bottom + GridLineWidth();
        }
    }
    if (!ClickInFixedCols && !ClickInFixedRows) Repaint();
}
