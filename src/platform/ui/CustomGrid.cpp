// TCustomGrid: cell counts and sizes, scrolling by whole cells, the current cell and selection, and the editor host.
#include "platform/ui/CustomGrid.h"

#include "platform/ui/Dispatch.h"
#include "platform/ui/GridNavigation.h"
#include "platform/ui/Timer.h"

#include <QScrollBar>
#include <QToolTip>
#include <algorithm>
#include <cstdlib>

namespace {

// Auto-scroll steps while a selection drag holds the mouse beyond an edge.
constexpr int kDragScrollInterval = 60;

Qt::ScrollBarPolicy PolicyFor(bool shown) { return shown ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff; }

}  // namespace

TCustomGrid::TCustomGrid(QWidget* parent) : ControlOf(parent), measureImage_(1, 1, QImage::Format_RGB32) {
    options_ = {goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect};
    cols_.SetCount(5);
    rows_.SetCount(5);
    rows_.SetDefaultExtent(24);
    tabStops_.assign(cols_.Count(), true);
    ApplyLineWidths();
    SetColor(clWindow);
    SetTabStop(true);
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    for (QScrollBar* bar : {horizontalScrollBar(), verticalScrollBar()}) {
        bar->setTracking(false);
        QObject::connect(bar, &QScrollBar::valueChanged, this, [this, bar](int value) {
            if (updatingScrollBars_ || (bar == verticalScrollBar() && ownVertScrollBar_)) return;
            ui::Dispatch(this, [&] {
                if (bar == horizontalScrollBar()) SetLeftCol(value);
                else SetTopRow(value);
            });
        });
    }
    SetScrollBars(ssBoth);
    dragTimer_ = new TTimer(this);
    dragTimer_->SetEnabled(false);
    dragTimer_->SetInterval(kDragScrollInterval);
    dragTimer_->SetOnTimer([this](QObject*) { DragTimerTick(); });
}

TCustomGrid::~TCustomGrid() = default;

void TCustomGrid::ChangeLayout(const std::function<void()>& change, bool topRowOnly) {
    const int oldLeft = LeftCol();
    const int oldTop = TopRow();
    const int oldAway = rows_.ScrolledAway();
    change();
    KeepCellsInside();
    UpdateScrollBars();
    UpdateEditor();
    if (topRowOnly) ScrollRowPixels(rows_.ScrolledAway() - oldAway);
    else InvalidateGrid();
    if (LeftCol() != oldLeft || TopRow() != oldTop) TopLeftChanged();
}

void TCustomGrid::ScrollRowPixels(int distance) {
    if (distance == 0) return;
    const int fixedRight = std::min(cols_.FixedBoundary(), ClientWidth());
    const int fixedBottom = std::min(rows_.FixedBoundary(), ClientHeight());
    const QRect area(fixedRight, fixedBottom, ClientWidth() - fixedRight, ClientHeight() - fixedBottom);
    // A jump past every shown row leaves nothing to keep; widgets on the cells (an editor) would leave their
    // picture behind in the moved pixels.
    const auto hasChildWidget = [this] {
        for (const QObject* child : viewport()->children())
            if (child->isWidgetType() && static_cast<const QWidget*>(child)->isVisible()) return true;
        return false;
    };
    if (std::abs(distance) >= area.height() || area.isEmpty() || !viewport()->isVisible() || hasChildWidget()) {
        InvalidateGrid();
        return;
    }
    // Qt repaints the strip the move uncovers.
    viewport()->scroll(0, -distance, area);
    // The fixed columns show what belongs to the rows shown (a booking grid's labels depend on the top row).
    if (fixedRight > 0) viewport()->update(0, fixedBottom, fixedRight, area.height());
}

void TCustomGrid::KeepCellsInside() {
    const auto inside = [this](TGridCoord c) {
        return TGridCoord{std::clamp(c.X, 0, ColCount() - 1), std::clamp(c.Y, 0, RowCount() - 1)};
    };
    current_ = inside(current_);
    anchor_ = inside(anchor_);
}

void TCustomGrid::LeaveFixedCells() {
    current_ = {std::max(current_.X, FixedCols()), std::max(current_.Y, FixedRows())};
    anchor_ = {std::max(anchor_.X, FixedCols()), std::max(anchor_.Y, FixedRows())};
}

void TCustomGrid::SetColCount(int count) {
    if (std::max(count, 1) == ColCount()) return;
    const int oldCols = ColCount();
    const int oldRows = RowCount();
    ChangeLayout([&] {
        cols_.SetCount(count);
        tabStops_.resize(cols_.Count(), true);
    });
    SizeChanged(oldCols, oldRows);
}

void TCustomGrid::SetRowCount(int count) {
    if (std::max(count, 1) == RowCount()) return;
    const int oldCols = ColCount();
    const int oldRows = RowCount();
    ChangeLayout([&] { rows_.SetCount(count); });
    SizeChanged(oldCols, oldRows);
}

void TCustomGrid::SetFixedCols(int count) {
    if (count == FixedCols()) return;
    ChangeLayout([&] {
        cols_.SetFixedCount(count);
        LeaveFixedCells();
    });
}

void TCustomGrid::SetFixedRows(int count) {
    if (count == FixedRows()) return;
    ChangeLayout([&] {
        rows_.SetFixedCount(count);
        LeaveFixedCells();
    });
}

void TCustomGrid::SetColWidths(int index, int width) {
    if (index >= 0 && index < ColCount() && ColWidths(index) == width) return;
    ChangeLayout([&] { cols_.SetExtent(index, width); });
    ColWidthsChanged();
}

void TCustomGrid::SetRowHeights(int index, int height) {
    if (index >= 0 && index < RowCount() && RowHeights(index) == height) return;
    ChangeLayout([&] { rows_.SetExtent(index, height); });
    RowHeightsChanged();
}

void TCustomGrid::SetDefaultColWidth(int width) {
    ChangeLayout([&] { cols_.SetDefaultExtent(width); });
    ColWidthsChanged();
}

void TCustomGrid::SetDefaultRowHeight(int height) {
    ChangeLayout([&] { rows_.SetDefaultExtent(height); });
    RowHeightsChanged();
}

void TCustomGrid::ApplyLineWidths() {
    // Without any lines of a direction the cells of that axis sit edge to edge.
    const bool vertical = options_.Contains(goFixedVertLine) || options_.Contains(goVertLine);
    const bool horizontal = options_.Contains(goFixedHorzLine) || options_.Contains(goHorzLine);
    cols_.SetLineWidth(vertical ? gridLineWidth_ : 0);
    rows_.SetLineWidth(horizontal ? gridLineWidth_ : 0);
}

bool TCustomGrid::TabStops(int col) const {
    return col >= 0 && col < static_cast<int>(tabStops_.size()) ? tabStops_[col] : true;
}

void TCustomGrid::SetTabStops(int col, bool stop) {
    if (col < 0 || col >= ColCount()) throw EInvalidGridOperation(QStringLiteral("Grid index out of range"));
    tabStops_[col] = stop;
}

void TCustomGrid::SetOptions(TGridOptions options) {
    // Whole rows selected leave no single cell to edit.
    if (options.Contains(goRowSelect)) options.Exclude(goAlwaysShowEditor);
    options_ = options;
    if (options_.Contains(goAlwaysShowEditor)) editorMode_ = true;
    else if (!options_.Contains(goEditing)) editorMode_ = false;
    for (QScrollBar* bar : {horizontalScrollBar(), verticalScrollBar()})
        bar->setTracking(options_.Contains(goThumbTracking));
    ChangeLayout([this] { ApplyLineWidths(); });
}

void TCustomGrid::SetScrollBars(TScrollStyle style) {
    scrollBars_ = style;
    setHorizontalScrollBarPolicy(PolicyFor(style == ssHorizontal || style == ssBoth));
    setVerticalScrollBarPolicy(PolicyFor(style == ssVertical || style == ssBoth));
}

void TCustomGrid::SetFixedColor(TColor color) {
    fixedColor_ = color;
    InvalidateGrid();
}

void TCustomGrid::SetDefaultDrawing(bool on) {
    defaultDrawing_ = on;
    InvalidateGrid();
}

void TCustomGrid::SetLeftCol(int col) {
    if (col == LeftCol()) return;
    // Sideways the grid repaints whole: a cell's text may run on into the next columns (the booking grids'),
    // so moved pixels would keep pieces drawn from a neighbour that is no longer beside them.
    ChangeLayout([&] { cols_.SetFirst(col); });
}

void TCustomGrid::SetTopRow(int row) {
    if (row == TopRow()) return;
    ChangeLayout([&] { rows_.SetFirst(row); }, true);
}

int TCustomGrid::ClientWidth() const { return viewport()->width(); }

int TCustomGrid::ClientHeight() const { return viewport()->height(); }

void TCustomGrid::UpdateScrollBars() {
    // Showing or hiding a bar resizes the viewport, which lands here again; the ranges are then set anew.
    if (updatingScrollBars_) {
        scrollBarsPending_ = true;
        return;
    }
    updatingScrollBars_ = true;
    const auto apply = [](QScrollBar* bar, const ui::GridAxis& axis) {
        bar->setRange(axis.FixedCount(), std::max(axis.FixedCount(), axis.MaxFirst()));
        bar->setSingleStep(1);
        bar->setPageStep(std::max(1, axis.VisibleCount()));
        bar->setValue(axis.First());
    };
    for (int pass = 0; pass < 3; ++pass) {
        scrollBarsPending_ = false;
        apply(horizontalScrollBar(), cols_);
        if (!ownVertScrollBar_) apply(verticalScrollBar(), rows_);
        if (!scrollBarsPending_) break;
    }
    updatingScrollBars_ = false;
}

TGridRect TCustomGrid::Selection() const {
    return ui::SelectionBetween(anchor_, current_, options_.Contains(goRowSelect), cols_);
}

void TCustomGrid::SetSelection(const TGridRect& selection) {
    anchor_ = {selection.Left, selection.Top};
    current_ = {selection.Right, selection.Bottom};
    KeepCellsInside();
    UpdateEditor();
    InvalidateGrid();
}

void TCustomGrid::SetCol(int col) {
    if (col != Col()) FocusCell(col, Row(), true);
}

void TCustomGrid::FocusCell(int col, int row, bool moveAnchor) {
    MoveColRow(col, row, moveAnchor, true);
    InvalidateEditor();
    Click();
}

void TCustomGrid::MoveColRow(int col, int row, bool moveAnchor, bool show) {
    MoveCurrent({col, row}, moveAnchor, show);
}

void TCustomGrid::MoveCurrent(TGridCoord target, bool moveAnchor, bool show) {
    if (target.X < 0 || target.Y < 0 || target.X >= ColCount() || target.Y >= RowCount())
        throw EInvalidGridOperation(QStringLiteral("Grid index out of range"));
    if (!SelectCell(target.X, target.Y)) return;
    const bool moved = target != current_;
    current_ = target;
    if (moveAnchor || !options_.Contains(goRangeSelect)) anchor_ = target;
    if (moved && !options_.Contains(goAlwaysShowEditor)) HideEditor();
    if (show) ScrollToShow(target);
    UpdateEditor();
    InvalidateGrid();
}

void TCustomGrid::MoveAnchor(TGridCoord target) {
    if (!options_.Contains(goRangeSelect) || options_.Contains(goEditing)) {
        MoveCurrent(target, true, true);
        return;
    }
    anchor_ = target;
    ScrollToShow(target);
    InvalidateGrid();
}

void TCustomGrid::ScrollToShow(TGridCoord cell) {
    ChangeLayout([&] {
        if (!options_.Contains(goRowSelect)) cols_.ScrollInView(cell.X);
        rows_.ScrollInView(cell.Y);
    });
}

TRect TCustomGrid::CellRect(int col, int row) const {
    if (!cols_.IsShown(col) || !rows_.IsShown(row)) return {};
    const int x = cols_.Start(col);
    const int y = rows_.Start(row);
    return {x, y, x + cols_.Extent(col), y + rows_.Extent(row)};
}

TGridCoord TCustomGrid::MouseCoord(int x, int y) const { return {cols_.CellAt(x), rows_.CellAt(y)}; }

void TCustomGrid::MouseToCell(int x, int y, int& col, int& row) const {
    const TGridCoord cell = MouseCoord(x, y);
    col = cell.X;
    row = cell.Y;
}

void TCustomGrid::InvalidateCell(int col, int row) {
    const TRect r = CellRect(col, row);
    if (r.Width() <= 0 || r.Height() <= 0) return;
    // The lines right of and below the cell belong to it.
    viewport()->update(r.Left, r.Top, r.Width() + cols_.LineWidth(), r.Height() + rows_.LineWidth());
}

void TCustomGrid::InvalidateRow(int row) {
    if (!rows_.IsShown(row)) return;
    viewport()->update(0, rows_.Start(row), ClientWidth(), rows_.Step(row));
}

void TCustomGrid::InvalidateCol(int col) {
    if (!cols_.IsShown(col)) return;
    viewport()->update(cols_.Start(col), 0, cols_.Step(col), ClientHeight());
}

void TCustomGrid::InvalidateGrid() { viewport()->update(); }

void TCustomGrid::Repaint() { viewport()->repaint(); }

TCanvas& TCustomGrid::Canvas() {
    if (canvas_) return *canvas_;
    if (!measureCanvas_) measureCanvas_ = std::make_unique<TCanvas>(&measureImage_);
    measureCanvas_->Font().Assign(Font());
    return *measureCanvas_;
}

void TCustomGrid::MoveColumn(int from, int to) {
    if (from == to) return;
    ChangeLayout([&] {
        cols_.MoveCell(from, to);
        ui::MoveItem(tabStops_, from, to);
    });
    ColumnMoved(from, to);
}

void TCustomGrid::ActivateHintAt(int x, int y) {
    const QString text = ShowHint() ? Hint() : QString();
    if (text.isEmpty()) QToolTip::hideText();
    else QToolTip::showText(viewport()->mapToGlobal(QPoint(x, y)), text, viewport());
}

QString TCustomGrid::HintAt(QPoint point) const {
    const TGridCoord cell = MouseCoord(point.x(), point.y());
    return CellHint(cell.X, cell.Y);
}

QString TCustomGrid::CellHint(int, int) const { return Hint(); }

// The hooks the derived grids fill in.
void TCustomGrid::DrawCell(int, int, const TRect&, TGridDrawState) {}
void TCustomGrid::SizeChanged(int, int) {}
void TCustomGrid::TopLeftChanged() {}
void TCustomGrid::ColWidthsChanged() {}
void TCustomGrid::RowHeightsChanged() {}
void TCustomGrid::ColumnMoved(int, int) {}
bool TCustomGrid::SelectCell(int, int) { return true; }
void TCustomGrid::Resize() {}
void TCustomGrid::DblClick() { ui::Fire(OnDblClick, &Widget()); }
