// TCustomGrid's mouse and keys: selecting by press and drag, auto-scroll, sizing, navigation keys, the event order.
#include "platform/ui/CustomGrid.h"

#include "platform/ui/Dispatch.h"
#include "platform/ui/GridNavigation.h"
#include "platform/ui/InplaceEdit.h"
#include "platform/ui/Timer.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QWheelEvent>

namespace {

// How close to a border a press starts sizing a column or row.
constexpr int kSizingMargin = 2;

// The index of the cell whose far border lies within the margin of a position; -1 when none.
int BorderAt(const ui::GridAxis& axis, int position) {
    for (int i = 0; i < axis.Count(); ++i) {
        if (!axis.IsShown(i)) continue;
        const int border = axis.Start(i) + axis.Extent(i);
        if (position >= border - kSizingMargin && position <= border + kSizingMargin) return i;
    }
    return -1;
}

// The keys that move the current cell whatever the options.
bool IsCellKey(Word key) {
    return key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN || key == VK_PRIOR || key == VK_NEXT ||
           key == VK_HOME || key == VK_END;
}

}  // namespace

bool TCustomGrid::event(QEvent* event) {
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)
        ui::Dispatch(this, [this] { InvalidateCell(Col(), Row()); });
    return ControlOf::event(event);
}

bool TCustomGrid::viewportEvent(QEvent* event) {
    bool handled = true;
    ui::Dispatch(this, [&] { handled = RouteViewportEvent(event); });
    return handled;
}

bool TCustomGrid::RouteViewportEvent(QEvent* event) {
    switch (event->type()) {
        case QEvent::Paint: PaintEvent(static_cast<QPaintEvent*>(event)->region()); return true;
        case QEvent::Resize:
            ChangeLayout([this] {
                cols_.SetClientExtent(viewport()->width());
                rows_.SetClientExtent(viewport()->height());
            });
            Resize();
            return false;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove: HandleMouseEvent(static_cast<QMouseEvent&>(*event)); return true;
        case QEvent::Wheel: {
            auto& wheel = static_cast<QWheelEvent&>(*event);
            const TShiftState shift = ui::ShiftStateOf(wheel.modifiers(), wheel.buttons());
            const TPoint at = ui::FromQPoint(wheel.position().toPoint());
            const int delta = wheel.angleDelta().y();
            if (delta != 0 && (delta < 0 ? DoMouseWheelDown(shift, at) : DoMouseWheelUp(shift, at))) return true;
            return QAbstractScrollArea::viewportEvent(event);
        }
        // Hints (asked with the point in client coordinates) and popup menus are the control's.
        case QEvent::ToolTip:
        case QEvent::ContextMenu: return ControlOf::event(event);
        default: return QAbstractScrollArea::viewportEvent(event);
    }
}

// Scrolling is by whole cells: the scroll bars' values are LeftCol and TopRow, and the grid repaints.
void TCustomGrid::scrollContentsBy(int, int) {}

// Keys arrive through the control's key stages; Qt's own scrolling by keys stays out.
void TCustomGrid::keyPressEvent(QKeyEvent* event) { event->ignore(); }

void TCustomGrid::HandleMouseEvent(QMouseEvent& event) {
    const QPoint p = event.position().toPoint();
    TShiftState shift = ui::ShiftStateOf(event.modifiers(), event.buttons());
    switch (event.type()) {
        case QEvent::MouseButtonPress: MouseDown(ui::MouseButtonOf(event.button()), shift, p.x(), p.y()); break;
        case QEvent::MouseButtonDblClick:
            MouseDown(ui::MouseButtonOf(event.button()), shift.Include(ssDouble), p.x(), p.y());
            break;
        case QEvent::MouseButtonRelease: MouseUp(ui::MouseButtonOf(event.button()), shift, p.x(), p.y()); break;
        default: MouseMove(shift, p.x(), p.y()); break;
    }
}

void TCustomGrid::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (CanFocus() && !Focused()) SetFocus();
    if (button == mbLeft && shift.Contains(ssDouble)) {
        DblClick();
        return;
    }
    if (button == mbLeft) {
        TGridState sizing = gsNormal;
        int index = -1;
        CalcSizingState(x, y, sizing, index);
        const TGridCoord cell = MouseCoord(x, y);
        if (sizing != gsNormal) {
            gridState_ = sizing;
            sizingIndex_ = index;
            sizingOrigin_ = sizing == gsColSizing ? x : y;
            sizingExtent_ = sizing == gsColSizing ? ColWidths(index) : RowHeights(index);
        } else if (cell.X >= FixedCols() && cell.Y >= FixedRows()) {
            gridState_ = gsSelecting;
            dragPoint_ = {x, y};
            dragTimer_->SetEnabled(true);
            if (shift.Contains(ssShift)) {
                MoveAnchor(cell);
            } else {
                const bool again = cell == current_;
                MoveCurrent(cell, true, true);
                if (again && options_.Contains(goEditing)) ShowEditor();
            }
        }
    }
    ui::Fire(OnMouseDown, &Widget(), button, shift, x, y);
}

void TCustomGrid::MouseMove(TShiftState shift, int x, int y) {
    switch (gridState_) {
        case gsSelecting: {
            dragPoint_ = {x, y};
            const ui::DragReach col = ui::DragReachAt(cols_, x);
            const ui::DragReach row = ui::DragReachAt(rows_, y);
            if (col.cell >= 0 && row.cell >= 0) MoveAnchor({col.cell, row.cell});
            break;
        }
        case gsColSizing:
        case gsRowSizing: {
            const int delta = (gridState_ == gsColSizing ? x : y) - sizingOrigin_;
            ui::GridAxis& axis = gridState_ == gsColSizing ? cols_ : rows_;
            // The new size shows at once; ColWidthsChanged and RowHeightsChanged follow on release.
            ChangeLayout([&] { axis.SetExtent(sizingIndex_, std::max(0, sizingExtent_ + delta)); });
            break;
        }
        default: {
            TGridState sizing = gsNormal;
            int index = -1;
            CalcSizingState(x, y, sizing, index);
            if (sizing == gsColSizing) viewport()->setCursor(Qt::SplitHCursor);
            else if (sizing == gsRowSizing) viewport()->setCursor(Qt::SplitVCursor);
            else viewport()->unsetCursor();
            break;
        }
    }
    ui::Fire(OnMouseMove, &Widget(), shift, x, y);
}

void TCustomGrid::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    const TGridState ended = button == mbLeft ? gridState_ : gsNormal;
    if (ended == gsSelecting) {
        MouseMove(shift, x, y);
        dragTimer_->SetEnabled(false);
    }
    if (ended != gsNormal) gridState_ = gsNormal;
    if (ended == gsColSizing) ColWidthsChanged();
    if (ended == gsRowSizing) RowHeightsChanged();
    ui::Fire(OnMouseUp, &Widget(), button, shift, x, y);
    if (ended == gsSelecting) Click();
}

bool TCustomGrid::DoMouseWheelDown(TShiftState, TPoint) { return false; }

bool TCustomGrid::DoMouseWheelUp(TShiftState, TPoint) { return false; }

void TCustomGrid::DragTimerTick() {
    if (gridState_ != gsSelecting) {
        dragTimer_->SetEnabled(false);
        return;
    }
    TGridScrollDirection direction;
    const int horizontal = ui::DragReachAt(cols_, dragPoint_.x()).scroll;
    const int vertical = ui::DragReachAt(rows_, dragPoint_.y()).scroll;
    if (horizontal < 0) direction.Include(sdLeft);
    if (horizontal > 0) direction.Include(sdRight);
    if (vertical < 0) direction.Include(sdUp);
    if (vertical > 0) direction.Include(sdDown);
    if (!direction.IsEmpty()) TimedScroll(direction);
}

void TCustomGrid::TimedScroll(TGridScrollDirection direction) {
    TGridCoord target = anchor_;
    const auto step = [](const ui::GridAxis& axis, int from, int way) {
        const int next = ui::NearestShownCell(axis, from + way, way);
        return next < 0 ? from : next;
    };
    if (direction.Contains(sdLeft)) target.X = step(cols_, LeftCol(), -1);
    if (direction.Contains(sdRight)) target.X = step(cols_, cols_.LastFullyVisible(), +1);
    if (direction.Contains(sdUp)) target.Y = step(rows_, TopRow(), -1);
    if (direction.Contains(sdDown)) target.Y = step(rows_, rows_.LastFullyVisible(), +1);
    MoveAnchor(target);
}

void TCustomGrid::CalcSizingState(int x, int y, TGridState& state, int& index) {
    state = gsNormal;
    index = -1;
    if (options_.Contains(goColSizing) && y >= 0 && y < rows_.FixedBoundary()) {
        index = BorderAt(cols_, x);
        if (index >= 0) state = gsColSizing;
    } else if (options_.Contains(goRowSizing) && x >= 0 && x < cols_.FixedBoundary()) {
        index = BorderAt(rows_, y);
        if (index >= 0) state = gsRowSizing;
    }
}

bool TCustomGrid::CanGridAcceptKey(Word, TShiftState) { return true; }

bool TCustomGrid::WantsKey(Word key, TShiftState shift) const {
    if (IsCellKey(key)) return true;
    if (key == VK_TAB) return TabsMove(shift);
    return ControlOf::WantsKey(key, shift);
}

bool TCustomGrid::TabsMove(TShiftState shift) const {
    return options_.Contains(goTabs) && !shift.Contains(ssAlt) && !shift.Contains(ssCtrl);
}

void TCustomGrid::KeyDown(Word& key, TShiftState shift) {
    ControlOf::KeyDown(key, shift);
    if (key == 0 || !CanGridAcceptKey(key, shift)) return;
    switch (key) {
        case VK_F2:
            if (options_.Contains(goEditing)) SetEditorMode(!editorMode_ || options_.Contains(goAlwaysShowEditor));
            key = 0;
            return;
        case VK_ESCAPE:
            if (editor_ && editor_->isVisible()) {
                editor_->RestoreContents();
                if (!options_.Contains(goAlwaysShowEditor)) HideEditor();
                key = 0;
            }
            return;
        default: break;
    }
    if (!IsCellKey(key) && !(key == VK_TAB && TabsMove(shift))) return;
    Navigate(key, shift);
    // Handled: Qt's own scrolling by keys must not see it.
    key = 0;
}

void TCustomGrid::Navigate(Word key, TShiftState shift) {
    using ui::GridMove;
    const bool ctrl = shift.Contains(ssCtrl);
    const bool backwards = shift.Contains(ssShift);
    GridMove move = GridMove::Left;
    switch (key) {
        case VK_LEFT: move = GridMove::Left; break;
        case VK_RIGHT: move = GridMove::Right; break;
        case VK_UP: move = GridMove::Up; break;
        case VK_DOWN: move = GridMove::Down; break;
        case VK_PRIOR: move = GridMove::PageUp; break;
        case VK_NEXT: move = GridMove::PageDown; break;
        case VK_HOME: move = ctrl ? GridMove::First : GridMove::Home; break;
        case VK_END: move = ctrl ? GridMove::Last : GridMove::End; break;
        case VK_TAB: move = backwards ? GridMove::PriorTab : GridMove::NextTab; break;
        default: return;
    }
    const bool rowSelect = options_.Contains(goRowSelect);
    // Whole rows selected: Left and Right scroll the columns instead of moving.
    if (rowSelect && (move == GridMove::Left || move == GridMove::Right)) {
        const int next = ui::NearestShownCell(cols_, LeftCol() + (move == GridMove::Left ? -1 : +1),
                                              move == GridMove::Left ? -1 : +1);
        if (next >= 0) SetLeftCol(next);
        return;
    }
    ui::GridNavigationRules rules;
    rules.rowSelect = rowSelect;
    rules.tabStop = [this](int col) { return TabStops(col); };
    const bool extend = backwards && key != VK_TAB && options_.Contains(goRangeSelect);
    if (extend) {
        MoveAnchor(ui::NavigationTarget(move, anchor_, cols_, rows_, rules));
        return;
    }
    const TGridCoord target = ui::NavigationTarget(move, current_, cols_, rows_, rules);
    if (target != current_ || anchor_ != current_) FocusCell(target.X, target.Y, true);
}

void TCustomGrid::KeyPress(QChar& key) {
    ControlOf::KeyPress(key);
    if (key.isNull()) return;
    // Enter switches editing on and off unless the editor always shows.
    if (key == QChar('\r')) {
        if (options_.Contains(goEditing) && !options_.Contains(goAlwaysShowEditor)) {
            SetEditorMode(!editorMode_);
            key = QChar();
        }
        return;
    }
    // Typing in a cell starts editing it with that character.
    if (options_.Contains(goEditing) && (key == QChar('\b') || key.unicode() >= 32)) {
        ShowEditor();
        if (editor_ && editor_->isVisible()) editor_->TypeCharacter(key);
        key = QChar();
    }
}
