// TCustomGrid's painting: background, grid lines, then every shown cell through DrawCell, region by region.
#include "platform/ui/CustomGrid.h"

#include "platform/ui/InplaceEdit.h"

#include <QPainter>

namespace {

constexpr TColor kFixedLineColor = clBlack;
constexpr TColor kLineColor = clSilver;

// The shown cells of one part of an axis: the fixed cells, or the scrollable ones from the first shown.
std::vector<int> ShownCells(const ui::GridAxis& axis, bool fixedPart) {
    std::vector<int> cells;
    const int to = fixedPart ? axis.FixedCount() : axis.Count();
    int position = fixedPart ? 0 : axis.FixedBoundary();
    for (int i = fixedPart ? 0 : axis.First(); i < to && position < axis.ClientExtent(); ++i) {
        if (!axis.IsHidden(i)) cells.push_back(i);
        position += axis.Step(i);
    }
    return cells;
}

// The end of the laid-out cells inside the client.
int UsedEnd(const ui::GridAxis& axis) { return std::min(axis.GridEnd(), axis.ClientExtent()); }

}  // namespace

void TCustomGrid::PaintEvent(const QRegion& region) {
    QPainter painter(viewport());
    TCanvas canvas(painter);
    canvas.Font().Assign(Font());
    canvas_ = &canvas;
    paintRegion_ = region;
    try {
        Paint(ui::FromQRect(region.boundingRect()));
    } catch (...) {
        canvas_ = nullptr;
        paintRegion_ = QRegion();
        throw;
    }
    canvas_ = nullptr;
    paintRegion_ = QRegion();
}

void TCustomGrid::Paint(const TRect& area) {
    TCanvas& canvas = Canvas();
    canvas.Brush().Color = Color();
    canvas.Brush().Style = bsSolid;
    // Only the parts renewed: filling their bounding rectangle through a clip of several parts costs far more.
    if (paintRegion_.rectCount() > 1) {
        for (const QRect& part : paintRegion_) canvas.FillRect(ui::FromQRect(part.intersected(ui::ToQRect(area))));
    } else {
        canvas.FillRect(area);
    }
    PaintLines(canvas);
    PaintCells(canvas, area);
}

void TCustomGrid::PaintLines(TCanvas& canvas) {
    const int colLine = cols_.LineWidth();
    const int rowLine = rows_.LineWidth();
    const int right = UsedEnd(cols_);
    const int bottom = UsedEnd(rows_);
    const int fixedRight = cols_.FixedBoundary();
    const int fixedBottom = rows_.FixedBoundary();
    // A line strip in the line colour when its kind of line is drawn, else in the background of its cells.
    const auto strip = [&](const TRect& r, bool fixed, bool drawn) {
        if (r.Width() <= 0 || r.Height() <= 0) return;
        canvas.Brush().Color = drawn ? (fixed ? kFixedLineColor : kLineColor) : (fixed ? fixedColor_ : Color());
        canvas.FillRect(r);
    };
    if (colLine > 0) {
        for (int part = 0; part < 2; ++part) {
            for (int c : ShownCells(cols_, part == 0)) {
                const int x = cols_.Start(c) + cols_.Extent(c);
                const bool fixedCol = part == 0;
                strip({x, 0, x + colLine, fixedBottom}, true, options_.Contains(goFixedVertLine));
                strip({x, fixedBottom, x + colLine, bottom}, fixedCol,
                      options_.Contains(fixedCol ? goFixedVertLine : goVertLine));
            }
        }
    }
    if (rowLine > 0) {
        for (int part = 0; part < 2; ++part) {
            for (int r : ShownCells(rows_, part == 0)) {
                const int y = rows_.Start(r) + rows_.Extent(r);
                const bool fixedRow = part == 0;
                strip({0, y, fixedRight, y + rowLine}, true, options_.Contains(goFixedHorzLine));
                strip({fixedRight, y, right, y + rowLine}, fixedRow,
                      options_.Contains(fixedRow ? goFixedHorzLine : goHorzLine));
            }
        }
    }
}

TGridDrawState TCustomGrid::DrawStateOf(int col, int row) const {
    if (col < FixedCols() || row < FixedRows()) return {gdFixed};
    TGridDrawState state;
    if (Selection().Contains(col, row)) state.Include(gdSelected);
    const QWidget* focus = window()->focusWidget();
    const bool active = focus == this || (editor_ && focus == editor_);
    if (active && col == current_.X && row == current_.Y) state.Include(gdFocused);
    return state;
}

void TCustomGrid::PaintCells(TCanvas& canvas, const TRect& area) {
    // A scroll renews a strip and the fixed columns: their bounding rectangle would be the whole client.
    const QRegion clip =
        paintRegion_.isEmpty() ? QRegion(ui::ToQRect(area)) : paintRegion_.intersected(ui::ToQRect(area));
    // The fixed corner, the fixed rows, the fixed columns, then the scrollable cells.
    for (const auto& [fixedRows, fixedCols] : {std::pair{true, true}, {true, false}, {false, true}, {false, false}}) {
        const std::vector<int> cols = ShownCells(cols_, fixedCols);
        for (int row : ShownCells(rows_, fixedRows)) {
            for (int col : cols) {
                const TRect rect = CellRect(col, row);
                if (!clip.intersects(ui::ToQRect(rect))) continue;
                const TGridDrawState state = DrawStateOf(col, row);
                if (defaultDrawing_) {
                    const bool highlighted = state.Contains(gdSelected) &&
                                             (!state.Contains(gdFocused) || options_.Contains(goDrawFocusSelected) ||
                                              options_.Contains(goRowSelect));
                    canvas.Brush().Color = state.Contains(gdFixed) ? fixedColor_ : highlighted ? clHighlight : Color();
                    canvas.Brush().Style = bsSolid;
                    canvas.Font().SetColor(highlighted ? clHighlightText : Font().Color());
                    canvas.FillRect(rect);
                }
                DrawCell(col, row, rect, state);
            }
        }
    }
}
