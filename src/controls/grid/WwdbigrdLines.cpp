// TwwCustomDBGrid's paint cycle around the cells: the backgrounds (alternating rows, the background picture),
// the pad area, every grid line in its style and colours, title buttons and group headers, the area below
// the records and the focus frame.
#include "controls/edit/WwDrawing.h"
#include "controls/grid/WwSelectedList.h"
#include "controls/grid/Wwdbigrd.h"
#include "platform/db/DataSource.h"
#include "platform/ui/Canvas.h"

namespace {

// Lines run from the first point up to, not including, the second, as the framework's two-point polylines.
void DrawHLine(TCanvas& canvas, int x0, int x1, int y, TColor color) {
    if (x1 <= x0) return;
    canvas.Pen().Color = color;
    canvas.Pen().Width = 1;
    canvas.MoveTo(x0, y);
    canvas.LineTo(x1, y);
}

void DrawVLine(TCanvas& canvas, int x, int y0, int y1, TColor color) {
    if (y1 <= y0) return;
    canvas.Pen().Color = color;
    canvas.Pen().Width = 1;
    canvas.MoveTo(x, y0);
    canvas.LineTo(x, y1);
}

// Fills with a colour and leaves the brush as it was; clNone fills with the brush.
void Fill(TCanvas& canvas, const TRect& rect, TColor color) {
    const TColor before = canvas.Brush().Color;
    if (color != clNone) canvas.Brush().Color = color;
    canvas.Brush().Style = bsSolid;
    canvas.FillRect(rect);
    canvas.Brush().Color = before;
}

}  // namespace

// ---- backgrounds

bool TwwCustomDBGrid::IsAlternateRow(int dataRow, TwwAlternatingRowRegion region) const {
    // The stripes stay with the records: the parity flag follows the first record's parity.
    return PaintOptions.AlternatingRowColor() != clNone && PaintOptions.AlternatingRowRegions().Contains(region) &&
           dataRow >= 0 && ((dataRow % 2) != 0) != alternatingParity_;
}

void TwwCustomDBGrid::PaintAlternatingBackground(const TRect& rect) {
    if (const TwwBitmap* image = PaintOptions.AlternatingRowImage())
        TwwGridPaintOptions::CopyRect(GetPaintCanvas(), rect, *image);
    else Fill(GetPaintCanvas(), rect, PaintOptions.AlternatingRowColor());
}

void TwwCustomDBGrid::PaintDataBackground(const TRect& rect, int dataRow, TColor color) {
    const bool alternate = IsAlternateRow(dataRow, arrDataColumns);
    const bool lower = !options_.Contains(dgRowLines) && !options_.Contains(dgHideBottomDataLine);
    if (alternate) {
        TRect r = rect;
        if (!options_.Contains(dgColLinesDisableFixed)) --r.Left;
        if (lower) ++r.Bottom;
        PaintAlternatingBackground(r);
    } else if (PaintOptions.FillsDataCells()) {
        TRect r = rect;
        if (lower) ++r.Bottom;
        TwwGridPaintOptions::CopyRect(GetPaintCanvas(), r, *PaintOptions.BackgroundCopy());
    } else if (!OnBeforePaint) {
        Fill(GetPaintCanvas(), rect, color);
    }
}

void TwwCustomDBGrid::PaintFixedBackground(const TRect& rect, int dataRow, TColor color) {
    if (IsAlternateRow(dataRow, arrFixedColumns)) PaintAlternatingBackground(rect);
    else if (const TwwBitmap* image = PaintOptions.FixedColumnImage())
        TwwGridPaintOptions::CopyRect(GetPaintCanvas(), rect, *image);
    else Fill(GetPaintCanvas(), rect, color);
}

void TwwCustomDBGrid::SetIndicatorColor(TIndicatorColorType value) {
    indicatorColor_ = value;
    SetIndicatorIconColor(value == icYellow ? clYellow : clBlack);
}

// ---- geometry

QString TwwCustomDBGrid::ColumnGroupName(int dataCol) const {
    if (useTFields_ || dataCol < 0 || dataCol >= selected_.Count()) return {};
    return controls::SelectedLinePart(selected_.Strings(dataCol), controls::SelectedPart::Group);
}

void TwwCustomDBGrid::GetCellRect(int col, int row, TRect& rect) const {
    rect = CellRect(col, row);
    if (rect.Width() == 0 && rect.Height() == 0) return;
    rect.Right = rect.Left + ColWidths(col);
    if (DataRowOf(row) >= 0) rect.Bottom = rect.Top + DefaultRowHeight();
}

void TwwCustomDBGrid::GetTitleCellRect(int col, int row, TRect& rect) const {
    GetCellRect(col, row, rect);
    rect.Right = rect.Left + ColWidths(col);
    if (!ColumnGroupName(DataColumnOf(col)).isEmpty()) rect.Top += rect.Height() / 2;
}

void TwwCustomDBGrid::GetGroupHeaderRect(int col, TRect& rect, bool visibleOnly, int& firstCol, int& lastCol) const {
    firstCol = lastCol = col;
    GetCellRect(col, 0, rect);
    const QString group = ColumnGroupName(DataColumnOf(col));
    if (group.isEmpty()) return;
    const int lowest = visibleOnly ? std::max(LeftCol(), FixedCols()) : indicatorOffset_;
    const int highest = visibleOnly ? std::min(LeftCol() + VisibleColCount(), ColCount() - 1) : ColCount() - 1;
    while (firstCol - 1 >= lowest && ColumnGroupName(DataColumnOf(firstCol - 1)) == group) --firstCol;
    while (lastCol + 1 <= highest && ColumnGroupName(DataColumnOf(lastCol + 1)) == group) ++lastCol;
    // Scrolled-out columns count with their widths and lines, so the header may start left of the cells.
    const int line = Horz().LineWidth();
    int left = rect.Left;
    for (int c = col - 1; c >= firstCol; --c) left -= ColWidths(c) + line;
    int right = rect.Left + ColWidths(col);
    for (int c = col + 1; c <= lastCol; ++c) right += line + ColWidths(c);
    rect = {left, rect.Top, right, rect.Top + rect.Height() / 2};
}

int TwwCustomDBGrid::GetDataBottom() const {
    const int first = std::max(TopRow(), FixedRows());
    const int last = first + VisibleRowCount() - 1;
    if (last < first) return Vert().FixedBoundary();
    return Vert().Start(last) + RowHeights(last) + 1;
}

int TwwCustomDBGrid::TitleBottom() const {
    if (!options_.Contains(dgTitles)) return Vert().FixedBoundary() == 0 ? 0 : Vert().FixedBoundary() - 1;
    return RowHeights(0);
}

bool TwwCustomDBGrid::LightGrid() const { return ColorToRGB(Color()) == 0xFFFFFF || PaintOptions.FillsDataCells(); }

bool TwwCustomDBGrid::IsTitlePressed(int col, bool groupHeader) const {
    if (!TitleButtons || pressedTitle_.X < 0) return false;
    if (pressedGroupHeader_) {
        if (!groupHeader) return false;
        const QString group = ColumnGroupName(DataColumnOf(pressedTitle_.X));
        return !group.isEmpty() && group == ColumnGroupName(DataColumnOf(col));
    }
    return col == pressedTitle_.X && !groupHeader;
}

// ---- the paint cycle

void TwwCustomDBGrid::Paint(const TRect& area) {
    TCanvas& canvas = GetPaintCanvas();
    // A picture that was taken away must take its images with it, so a build also runs while any is left.
    if (PaintOptions.ImagesStale && (PaintOptions.BackgroundBitmap().Width() > 0 || PaintOptions.BackgroundCopy()))
        PaintOptions.BuildImages(false);
    canvas.Brush().Style = bsSolid;
    if (PaintOptions.FillsDataCells()) PaintDataBackground(area, -1, clNone);
    else Fill(canvas, area, Color());
    const TRect client{0, 0, ClientWidth(), ClientHeight()};
    if (!DataLinkActive()) {
        PaintFixedBackground(client, -1, TitleColor);
        TRect first;
        GetCellRect(std::max(LeftCol(), FixedCols()), titleRows_, first);
        PaintDataBackground({first.Left, first.Top, client.Right, client.Bottom}, -1, Color());
    } else {
        // The lines between fixed cells are drawn over the fixed colour.
        Fill(canvas, {0, 0, std::min(Horz().GridEnd(), client.Right), std::min(Vert().FixedBoundary(), client.Bottom)},
             TitleColor);
        Fill(canvas, {0, 0, std::min(Horz().FixedBoundary(), client.Right), GetDataBottom()}, TitleColor);
    }
    if (OnBeforePaint) OnBeforePaint(&Widget());
    PaintCells(canvas, area);
    PaintPadArea();
    DrawGridLines();
    DrawFocusFrame();
}

void TwwCustomDBGrid::DrawFocusFrame() {
    if (designing_ || !Focused() || !DataLinkActive()) return;
    if (options_.Contains(dgAlwaysShowEditor) || options_.Contains(dgRowSelect)) return;
    const int col = Col();
    if (col < static_cast<int>(colInfo_.size()) && colInfo_[col].Control && colInfo_[col].Control->Widget().isVisible())
        return;
    const bool scrolledIn = col >= LeftCol() && col < LeftCol() + VisibleColCount();
    const bool fixedData = col < FixedCols() && DataColumnOf(col) >= 0 && options_.Contains(dgFixedEditable);
    if (!scrolledIn && !fixedData) return;
    TRect rect;
    GetCellRect(col, Row(), rect);
    if (rect.Width() > 0) DrawCellFocusFrame(GetPaintCanvas(), rect);
}

void TwwCustomDBGrid::PaintPadArea() {
    const int last = ColCount() - 1;
    // Only a last column shown whole leaves a pad to its right.
    if (last < LeftCol() || last >= LeftCol() + VisibleColCount()) return;
    const bool colLines = options_.Contains(dgColLines);
    const int left = Horz().Start(last) + ColWidths(last) + (colLines ? 1 : 0);
    const int width = ClientWidth();
    const int height = ClientHeight();
    if (left >= width) return;
    TCanvas& canvas = GetPaintCanvas();
    const bool fills = PaintOptions.FillsDataCells();
    if (PadColumnStyle == pcsPadHeaderAndData) {
        PaintFixedBackground({HideAllLines ? left - 1 : left, 0, width, height}, -1, TitleColor);
        if (!HideAllLines) DrawVLine(canvas, left, 0, height, LineColors.HighlightColor);
        return;
    }
    if (PadColumnStyle == pcsPadHeader && options_.Contains(dgTitles)) {
        const int titleBottom = RowHeights(0) + (HorzLinesVisible() && !HideAllLines ? 1 : 0);
        PaintFixedBackground({HideAllLines ? left - 1 : left, 0, width, titleBottom}, -1, TitleColor);
        if (fills) PaintDataBackground({left, titleBottom, width, height}, -1, Color());
    } else if (fills) {
        PaintDataBackground({left, 0, width, height}, -1, Color());
    }
    if (colLines && !HideAllLines)
        DrawVLine(canvas, left, 0, std::min(Vert().GridEnd() + 1, height), LineColors.HighlightColor);
}

// ---- lines

void TwwCustomDBGrid::DrawGridLines() {
    TCanvas& canvas = GetPaintCanvas();
    const TPen pen = canvas.Pen();
    const bool active = DataLinkActive();
    if (!HideAllLines) {
        const bool light = LightGrid();
        const bool single = LineStyle == glsSingle || (LineStyle == glsDynamic && light);
        const int top = options_.Contains(dgTitles) ? TitleBottom() : 0;
        const int dataBottom = GetDataBottom();
        // 1. the scrollable columns' lines
        if (options_.Contains(dgColLines) && active) {
            for (int col = LeftCol(); col < ColCount() && col <= LeftCol() + VisibleColCount(); ++col) {
                if (Horz().IsHidden(col)) continue;
                const int x = Horz().Start(col) + ColWidths(col);
                if (single) {
                    DrawVLine(canvas, x, top, dataBottom + 1, LineColors.DataColor);
                } else {
                    DrawVLine(canvas, x, top, dataBottom + 1, LineColors.ShadowColor);
                    DrawVLine(canvas, x + 1, top, dataBottom + 1, LineColors.HighlightColor);
                }
                if (x >= ClientWidth()) break;
            }
        }
        // 2. the current cell's bottom edge
        if (active && options_.Contains(dgRowLines) && !options_.Contains(dgRowSelect)) {
            TRect cell;
            GetCellRect(Col(), Row(), cell);
            const bool dark = Col() < static_cast<int>(colInfo_.size()) && colInfo_[Col()].DarkLines;
            if (cell.Width() > 0)
                DrawHLine(canvas, cell.Left, cell.Right, cell.Top + RowHeights(Row()),
                          LineStyle == glsSingle || (LineStyle == glsDynamic && dark) ? LineColors.DataColor
                                                                                      : LineColors.ShadowColor);
        }
        if (active && FixedCols() > 0) DrawFixedColumnLines();
        if (options_.Contains(dgTitles) && !ThemedTitles()) DrawTitleLines();
    }
    if (active) {
        DrawPressedTitle();
        if (PadColumnStyle == pcsPadHeaderAndData || PaintOptions.FillsDataCells()) CloseAreaBelowRecords();
    }
    canvas.Pen() = pen;
}

void TwwCustomDBGrid::DrawFixedColumnLines() {
    TCanvas& canvas = GetPaintCanvas();
    const int fixedRight = Horz().FixedBoundary();
    const int shownRecords = std::min(dataLink_->RecordCount() + firstRecordOffset_, VisibleRowCount());
    if (!ThemedTitles() && (!options_.Contains(dgRowLinesDisableFixed) || options_.Contains(dgTitles))) {
        for (int i = 0; i < shownRecords; ++i) {
            const int row = TopRow() + i;
            const int y = Vert().Start(row) + RowHeights(row);
            const int lineRight = options_.Contains(dgRowLinesDisableFixed) ? ClientWidth() : fixedRight;
            if (options_.Contains(dgRowLinesDisableFixed) && i != shownRecords - 1) continue;
            if (!options_.Contains(dgHideBottomDataLine)) DrawHLine(canvas, 0, lineRight, y, LineColors.FixedColor);
            if (i < shownRecords - 1 || PadColumnStyle == pcsPadHeaderAndData)
                DrawHLine(canvas, 0, lineRight, y + 1, LineColors.HighlightColor);
        }
    }
    if (options_.Contains(dgColLinesDisableFixed)) return;
    const int top = options_.Contains(dgTitles) ? TitleBottom() : 0;
    const int bottom = GetDataBottom() - (options_.Contains(dgRowLines) ? 1 : 0);
    for (int col = 0; col < FixedCols(); ++col) {
        const int x = Horz().Start(col) + ColWidths(col) - (options_.Contains(dgColLines) ? 0 : 1);
        DrawVLine(canvas, x, top, bottom, LineColors.FixedColor);
        DrawVLine(canvas, x + 1, top, bottom, LineColors.HighlightColor);
    }
    if (options_.Contains(dgIndicator)) DrawVLine(canvas, 0, 0, bottom, LineColors.HighlightColor);
}

void TwwCustomDBGrid::DrawTitleLines() {
    TCanvas& canvas = GetPaintCanvas();
    const int y = TitleBottom() - (HorzLinesVisible() ? 0 : 1);
    const int half = RowHeights(0) / 2;
    const bool colLines = options_.Contains(dgColLines);
    std::vector<int> cols;
    for (int col = 0; col < FixedCols(); ++col) cols.push_back(col);
    for (int col = LeftCol(); col < ColCount() && Horz().Start(col) >= 0 && Horz().Start(col) < ClientWidth(); ++col)
        cols.push_back(col);
    int lastRight = 0;
    for (int col : cols) {
        if (Horz().IsHidden(col)) continue;
        const int x0 = Horz().Start(col);
        const int x1 = x0 + ColWidths(col) - (colLines ? 0 : 1);
        lastRight = x1;
        const int dataCol = DataColumnOf(col);
        const QString group = ColumnGroupName(dataCol);
        const bool continuesLeft = !group.isEmpty() && col > FixedCols() && ColumnGroupName(dataCol - 1) == group;
        const bool continuesRight = !group.isEmpty() && col + 1 < ColCount() && ColumnGroupName(dataCol + 1) == group;
        DrawHLine(canvas, x0, x1 + 1, 0, LineColors.HighlightColor);
        DrawVLine(canvas, x0, continuesLeft ? half + 1 : 0, y, LineColors.HighlightColor);
        if (!group.isEmpty()) {
            DrawHLine(canvas, x0, x1 + (continuesRight ? 1 : 0), half, LineColors.HighlightColor);
            DrawHLine(canvas, x0, x1 + (continuesRight ? 1 : 0), half - 1, LineColors.FixedColor);
        }
        DrawVLine(canvas, x1, continuesRight ? half + 1 : 0, y + 1, LineColors.FixedColor);
        DrawHLine(canvas, x0 - 1, x1 + 1, y, LineColors.FixedColor);
        // Title buttons look raised: a shadow inside the right edge and above the bottom line.
        if (TitleButtons && !IsTitlePressed(col, false) && dataCol >= 0) {
            DrawVLine(canvas, x1 - 1, continuesRight ? half + 1 : 1, y, LineColors.ShadowColor);
            DrawHLine(canvas, x0 + 1, x1, y - 1, LineColors.ShadowColor);
        }
    }
    if (PadColumnStyle == pcsPadHeader || PadColumnStyle == pcsPadHeaderAndData || PaintOptions.FillsDataCells())
        DrawHLine(canvas, lastRight, ClientWidth(), 0, LineColors.HighlightColor);
    if (PadColumnStyle == pcsPadHeader) DrawHLine(canvas, lastRight, ClientWidth(), y, LineColors.FixedColor);
}

void TwwCustomDBGrid::DrawPressedTitle() {
    if (pressedTitle_.X < 0 || !TitleButtons || !options_.Contains(dgTitles) || ThemedTitles()) return;
    TRect rect;
    if (pressedGroupHeader_) {
        int first = 0, last = 0;
        GetGroupHeaderRect(pressedTitle_.X, rect, false, first, last);
        --rect.Bottom;
    } else {
        GetTitleCellRect(pressedTitle_.X, 0, rect);
    }
    if (!HorzLinesVisible()) rect.Bottom -= 2;
    TCanvas& canvas = GetPaintCanvas();
    DrawVLine(canvas, rect.Left, rect.Top, rect.Bottom, clBlack);
    DrawHLine(canvas, rect.Left, rect.Right, rect.Top, clBlack);
    DrawVLine(canvas, rect.Left + 1, rect.Top + 1, rect.Bottom, clGray);
    if (!pressedGroupHeader_) DrawHLine(canvas, rect.Left + 1, rect.Right, rect.Bottom - 1, clGray);
}

void TwwCustomDBGrid::CloseAreaBelowRecords() {
    TCanvas& canvas = GetPaintCanvas();
    int y0 = GetDataBottom();
    const int records = dataLink_->RecordCount() + firstRecordOffset_;
    if (records < VisibleRowCount()) y0 = Vert().Start(TopRow() + records);
    if (y0 < 0 || y0 >= ClientHeight()) return;
    const int fixedRight = Horz().FixedBoundary();
    if (!HideAllLines) {
        if (!ThemedTitles()) DrawHLine(canvas, 0, fixedRight, y0 - 1, LineColors.FixedColor);
        DrawHLine(canvas, fixedRight, ClientWidth(), y0 - 1,
                  LightGrid() ? LineColors.DataColor : LineColors.ShadowColor);
        DrawVLine(canvas, 0, y0, ClientHeight(), LineColors.HighlightColor);
        DrawHLine(canvas, 0, ClientWidth(), y0, LineColors.HighlightColor);
    }
    if (PadColumnStyle == pcsPadHeaderAndData)
        PaintFixedBackground({1, y0 + 1, ClientWidth(), ClientHeight()}, -1, TitleColor);
}
