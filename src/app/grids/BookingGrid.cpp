// TBookingGrid: texts, cell references, more-buttons, the cell under a point, the press and the hints.
#include "app/grids/BookingGrid.h"

#include "data/layout/BookingTimeText.h"

#include <QStringList>

namespace {

// The cell of one axis under a position, walking the fixed cells and then the shown ones from the first:
// a position on a cell's far edge belongs to it; beyond the last cell gives -1.
int CellAlong(const ui::GridAxis& axis, int position) {
    const int count = axis.Count();
    if (count == 0) return -1;
    int edge = axis.Extent(0) + axis.LineWidth();
    int cell = 0;
    const int fixed = axis.FixedCount();
    while (edge < position && cell < fixed) {
        ++cell;
        edge += axis.Step(cell);
    }
    if (cell == fixed) {
        edge -= axis.Step(cell);
        cell = axis.First();
        if (cell < count) edge += axis.Step(cell);
        while (edge < position && cell < count) {
            ++cell;
            edge += axis.Step(cell);
        }
    }
    return cell >= count ? -1 : cell;
}

}  // namespace

TBookingGrid::TBookingGrid(QWidget* parent) : TCustomGrid(parent) {
    SetFixedCols(1);
    SetFixedRows(1);
    SizeChanged(0, 0);
}

void TBookingGrid::SizeChanged(int, int) {
    texts_.Resize(ColCount(), RowCount());
    cells_.Resize(ColCount(), RowCount());
    resources_.Resize(ColCount(), RowCount());
    moreButtons_.Resize(ColCount(), RowCount());
}

TRect TBookingGrid::MoreButtonRect(int col, int row) const {
    const TRect cell = CellRect(col, row);
    const int right = cell.Right - 8;
    return {right - 16, cell.Top + 2, right, cell.Bottom - 2};
}

void TBookingGrid::ClearTexts() {
    for (int col = 0; col < ColCount(); ++col) {
        for (int row = 0; row < RowCount(); ++row) {
            if (row >= 1) texts_.Set(col, row, QString());
            moreButtons_.Set(col, row, false);
        }
    }
}

TGridCoord TBookingGrid::CellAtPoint(int x, int y) const { return {CellAlong(Horz(), x), CellAlong(Vert(), y)}; }

void TBookingGrid::SetShowRollover(bool value) {
    ShowRollover = value;
    SetShowHint(value);
}

void TBookingGrid::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomGrid::MouseDown(button, shift, x, y);
    InvalidateGrid();
    const TGridCoord cell = CellAtPoint(x, y);
    ClickedCol = cell.X;
    ClickedRow = cell.Y;
    ClickInFixedCols = x < Horz().FixedBoundary();
    ClickInFixedRows = y < Vert().FixedBoundary();
    if (ClickedCol < 0 || ClickedRow < 0 || !GetMoreButton(ClickedCol, ClickedRow)) return;
    const TRect more = MoreButtonRect(ClickedCol, ClickedRow);
    if (x >= more.Left && x < more.Right && y >= more.Top && y < more.Bottom)
        ui::Fire(OnMoreButtonClick, this, ClickedCol, ClickedRow);
}

grids::CellPaintOptions TBookingGrid::PaintOptions() const {
    grids::CellPaintOptions options;
    options.TextColor = TextColor;
    options.ReminderColor = ReminderColor;
    options.BookingColor = BookingColor;
    options.Grid = this;
    return options;
}

void TBookingGrid::DrawHeaderCell(const TRect& rect, const QString& text) {
    TCanvas& canvas = Canvas();
    canvas.Brush().Style = bsSolid;
    canvas.Brush().Color = clBtnFace;
    canvas.FillRect(rect);
    canvas.Font().SetColor(clBlack);
    canvas.Pen().Color = clBlack;
    canvas.Brush().Style = bsClear;
    canvas.TextRect(rect, rect.Left + Font().Size(), rect.Top + 1, text);
    canvas.Brush().Style = bsSolid;
}

void TBookingGrid::FinishCell(int col, int row, const TRect& rect, TGridDrawState state) {
    TCanvas& canvas = Canvas();
    if (GetMoreButton(col, row)) DrawEllipsisButton(canvas, MoreButtonRect(col, row));
    ui::Fire(OnDrawCell, this, col, row, rect, state);
    if (state.Contains(gdFocused)) canvas.DrawFocusRect(rect);
}

void TBookingGrid::ShowRolloverHint(int x, int y, const QString& text) {
    SetHint(text);
    ActivateHintAt(x, y);
}

QString TBookingGrid::BookingHint(const TBookingCell& cell, const QString& timeFormat, bool compact) {
    // A continuation cell names the booking by its head cell's last client.
    const auto client = [&cell](int i) {
        if (i == 0 && cell.HeadCell && cell.HeadCell->Clients.Count() > 0)
            return cell.HeadCell->Clients[cell.HeadCell->Clients.Count() - 1];
        return i < cell.Clients.Count() ? cell.Clients[i] : QString();
    };
    if (cell.Clients.Count() < 2) {
        if (cell.Count() == 0) return client(0);
        return client(0) + QLatin1Char('\n') +
               FormatBookingSpan(timeFormat, compact, cell.StartTimes.GetItem(0), cell.EndTimes.GetItem(0));
    }
    QStringList lines;
    for (int i = 0; i < cell.Count(); ++i)
        lines << QStringLiteral("%1: %2 - %3")
                     .arg(i + 1)
                     .arg(client(i),
                          FormatBookingSpan(timeFormat, false, cell.StartTimes.GetItem(i), cell.EndTimes.GetItem(i)));
    return lines.join(QLatin1Char('\n'));
}

void TBookingGrid::SizeDataColumns(bool autoSize, int columnSize) {
    if (ColCount() < 2) return;
    const int line = GridLineWidth();
    const int w = autoSize ? (ClientWidth() - ColWidths(0) - 2 * line) / (ColCount() - 1) : columnSize;
    for (int col = 1; col < ColCount(); ++col) SetColWidths(col, w - line);
}

void TBookingGrid::FillDataCell(const TRect& rect) {
    TCanvas& canvas = Canvas();
    canvas.Brush().Style = bsSolid;
    canvas.Brush().Color = clWindow;
    canvas.Font().SetColor(clWindowText);
    canvas.FillRect(rect);
}

void TBookingGrid::KeepHeaderCells() {
    if (ColCount() > 1 && FixedCols() < 1) SetFixedCols(1);
    if (RowCount() > 1 && FixedRows() < 1) SetFixedRows(1);
}

void TBookingGrid::RememberSelection() {
    PreviousSelection = LastSelection;
    LastSelection = Selection();
}

QString TBookingGrid::ResourceHint(const TResourceItem* item) {
    if (!item) return {};
    return item->Description.isEmpty() ? item->ResourceName
                                       : item->ResourceName + QLatin1Char('\n') + item->Description;
}
