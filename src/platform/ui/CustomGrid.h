// TCustomGrid: the framework's cell grid on a scroll area, which the booking, month and data-aware grids derive from.
#pragma once

#include "platform/ui/Canvas.h"
#include "platform/ui/Control.h"
#include "platform/ui/Edits.h"
#include "platform/ui/GridAxis.h"
#include "platform/ui/GridTypes.h"

#include <QAbstractScrollArea>
#include <QImage>
#include <QRegion>
#include <functional>
#include <memory>
#include <vector>

class TInplaceEdit;
class TTimer;

enum TGridOption {
    goFixedVertLine,
    goFixedHorzLine,
    goVertLine,
    goHorzLine,
    goRangeSelect,
    goDrawFocusSelected,
    goRowSizing,
    goColSizing,
    goRowMoving,
    goColMoving,
    goEditing,
    goTabs,
    goRowSelect,
    goAlwaysShowEditor,
    goThumbTracking
};
using TGridOptions = ui::SetOf<TGridOption>;

enum TGridDrawStateItem { gdSelected, gdFocused, gdFixed };
using TGridDrawState = ui::SetOf<TGridDrawStateItem>;

enum TGridState { gsNormal, gsSelecting, gsRowSizing, gsColSizing };

enum TGridScrollDirectionItem { sdLeft, sdRight, sdUp, sdDown };
using TGridScrollDirection = ui::SetOf<TGridScrollDirectionItem>;

// Cells are laid out by two axes (see GridAxis.h): fixed columns and rows first, then the scrollable
// ones from LeftCol and TopRow, scrolled by whole cells; a width or height of -1 hides a column or row.
// Client coordinates are those of the scroll area's viewport. Painting goes cell by cell through DrawCell
// on Canvas(); the base fills each cell's background first while DefaultDrawing is on and never draws a
// focus rectangle (the derived grids draw their own).
class TCustomGrid : public ui::ControlOf<QAbstractScrollArea> {
public:
    explicit TCustomGrid(QWidget* parent);
    ~TCustomGrid() override;

    int ColCount() const { return cols_.Count(); }
    void SetColCount(int count);
    int RowCount() const { return rows_.Count(); }
    void SetRowCount(int count);
    int FixedCols() const { return cols_.FixedCount(); }
    // Raises EInvalidGridOperation unless one scrollable column remains.
    void SetFixedCols(int count);
    int FixedRows() const { return rows_.FixedCount(); }
    void SetFixedRows(int count);
    int ColWidths(int index) const { return cols_.Extent(index); }
    void SetColWidths(int index, int width);
    int RowHeights(int index) const { return rows_.Extent(index); }
    void SetRowHeights(int index, int height);
    int DefaultColWidth() const { return cols_.DefaultExtent(); }
    // Gives every column the new width.
    void SetDefaultColWidth(int width);
    int DefaultRowHeight() const { return rows_.DefaultExtent(); }
    void SetDefaultRowHeight(int height);
    int GridLineWidth() const { return gridLineWidth_; }
    bool TabStops(int col) const;
    void SetTabStops(int col, bool stop);

    TGridOptions Options() const { return options_; }
    void SetOptions(TGridOptions options);
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle style);
    TColor FixedColor() const { return fixedColor_; }
    void SetFixedColor(TColor color);
    bool DefaultDrawing() const { return defaultDrawing_; }
    void SetDefaultDrawing(bool on);
    TGridState GridState() const { return gridState_; }

    // The first scrollable column and row shown.
    int LeftCol() const { return cols_.First(); }
    void SetLeftCol(int col);
    int TopRow() const { return rows_.First(); }
    void SetTopRow(int row);
    // The scrollable columns and rows shown whole.
    int VisibleColCount() const { return cols_.VisibleCount(); }
    int VisibleRowCount() const { return rows_.VisibleCount(); }
    // The viewport, without the scroll bars.
    int ClientWidth() const override;
    int ClientHeight() const override;

    // The current cell.
    int Col() const { return current_.X; }
    void SetCol(int col);
    int Row() const { return current_.Y; }
    // Corners are kept among the scrollable cells; the current cell goes to the bottom right corner.
    TGridRect Selection() const;
    void SetSelection(const TGridRect& selection);
    // Moves the current cell (asking SelectCell) and scrolls it into view; the anchor stays unless MoveAnchor.
    void FocusCell(int col, int row, bool moveAnchor);
    void MoveColRow(int col, int row, bool moveAnchor, bool show);

    // The rectangle of a cell as shown, lines excluded; empty for cells not shown.
    TRect CellRect(int col, int row) const;
    // The cell under a client point; -1 for a coordinate outside the cells.
    TGridCoord MouseCoord(int x, int y) const;
    void MouseToCell(int x, int y, int& col, int& row) const;
    const ui::GridAxis& Horz() const { return cols_; }
    const ui::GridAxis& Vert() const { return rows_; }

    void InvalidateCell(int col, int row);
    void InvalidateRow(int row);
    void InvalidateCol(int col);
    void InvalidateGrid();
    // The cells live in the viewport: the control's own Invalidate and Repaint would not reach them.
    void Invalidate() override { InvalidateGrid(); }
    void Repaint() override;
    // The canvas cells paint on; valid during painting only.
    TCanvas& Canvas();

    TInplaceEdit* InplaceEditor() const { return editor_; }
    bool EditorMode() const { return editorMode_; }
    void SetEditorMode(bool on);
    void ShowEditor();
    void HideEditor();
    // Reloads the editor's text from GetEditText.
    void InvalidateEditor();

    void MoveColumn(int from, int to);

    // Shows Hint() now at a client point (hides the hint when it is empty), as a mouse move that set a
    // cell-dependent hint asks for.
    void ActivateHintAt(int x, int y);

    bool WantsKey(Word key, TShiftState shift) const override;
    void KeyDown(Word& key, TShiftState shift) override;
    void KeyPress(QChar& key) override;
    QString HintAt(QPoint point) const override;

protected:
    virtual void DrawCell(int col, int row, const TRect& rect, TGridDrawState state);
    // After ColCount or RowCount changed.
    virtual void SizeChanged(int oldColCount, int oldRowCount);
    // After LeftCol or TopRow changed.
    virtual void TopLeftChanged();
    virtual void ColWidthsChanged();
    virtual void RowHeightsChanged();
    virtual void ColumnMoved(int from, int to);
    // Whether the current cell may move there.
    virtual bool SelectCell(int col, int row);
    // The second press of a double click arrives with ssDouble and raises DblClick in place of a press.
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    // A release that ends a selection drag is followed by Click.
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void DblClick();
    // The wheel turned towards the user (down) or away (up); true when handled, else the view scrolls.
    virtual bool DoMouseWheelDown(TShiftState shift, TPoint mousePos);
    virtual bool DoMouseWheelUp(TShiftState shift, TPoint mousePos);
    // While a selection drag holds the mouse beyond an edge: one cell further that way.
    virtual void TimedScroll(TGridScrollDirection direction);
    // After the client area changed size.
    virtual void Resize();
    // The sizing a press at the point would start: gsColSizing or gsRowSizing with the cell's index.
    virtual void CalcSizingState(int x, int y, TGridState& state, int& index);
    virtual bool CanGridAcceptKey(Word key, TShiftState shift);

    virtual TInplaceEdit* CreateEditor();
    virtual bool CanEditShow();
    virtual bool CanEditAcceptKey(QChar key);
    virtual bool CanEditModify();
    virtual QString GetEditText(int col, int row);
    virtual void SetEditText(int col, int row, const QString& value);
    // 0: no limit.
    virtual int GetEditLimit();
    virtual QString GetEditMask(int col, int row);
    // The hint text for a cell; the control's Hint by default.
    virtual QString CellHint(int col, int row) const;
    // Paints a part of the client area on Canvas(): the background, the lines, then the shown cells through
    // DrawCell, region by region (fixed corner, fixed rows, fixed columns, scrollable cells).
    virtual void Paint(const TRect& area);
    // The shown cells inside the area through DrawCell, without the background and the lines (a grid that
    // draws its own lines paints through this).
    void PaintCells(TCanvas& canvas, const TRect& area);

    // A grid whose vertical bar shows something other than its rows (a dataset's position) sets it itself:
    // the base then neither sets its range nor scrolls the rows by it.
    void SetOwnVertScrollBar(bool own) { ownVertScrollBar_ = own; }

    bool event(QEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    friend class TInplaceEdit;

    // The viewport's events: painting, sizing, mouse and wheel.
    bool RouteViewportEvent(QEvent* event);
    void PaintEvent(const QRegion& region);
    void PaintLines(TCanvas& canvas);
    TGridDrawState DrawStateOf(int col, int row) const;
    void HandleMouseEvent(QMouseEvent& event);
    void DragTimerTick();
    // The current cell (Col, Row) and the anchor, the selection's other corner.
    void MoveCurrent(TGridCoord target, bool moveAnchor, bool show);
    // Moves the anchor when ranges may be selected (not while editing), else the current cell.
    void MoveAnchor(TGridCoord target);
    void Navigate(Word key, TShiftState shift);
    // Whether Tab moves between cells with these modifiers.
    bool TabsMove(TShiftState shift) const;
    // Runs a change of the axes, then keeps the cells, scroll bars and editor in step and reports a new top-left.
    // The grid repaints whole, unless the change did nothing but move TopRow (topRowOnly).
    void ChangeLayout(const std::function<void()>& change, bool topRowOnly = false);
    // After TopRow moved the scrollable rows by distance pixels (positive: towards the top): the rows still shown
    // keep their pixels and move; only the rows exposed and the fixed columns repaint.
    void ScrollRowPixels(int distance);
    void ScrollToShow(TGridCoord cell);
    void UpdateScrollBars();
    void UpdateEditor();
    void ApplyLineWidths();
    void KeepCellsInside();
    // The current cell and anchor move out of cells that became fixed.
    void LeaveFixedCells();

    ui::GridAxis cols_;
    ui::GridAxis rows_;
    std::vector<bool> tabStops_;
    int gridLineWidth_ = 1;
    TGridOptions options_;
    TScrollStyle scrollBars_ = ssBoth;
    TColor fixedColor_ = clBtnFace;
    bool defaultDrawing_ = true;
    TGridState gridState_ = gsNormal;
    TGridCoord current_{1, 1};
    TGridCoord anchor_{1, 1};

    TCanvas* canvas_ = nullptr;
    // The part of the client the paint under way renews: cells outside it are not drawn.
    QRegion paintRegion_;
    // Measures text outside painting (the derived grids size columns by their texts).
    QImage measureImage_;
    std::unique_ptr<TCanvas> measureCanvas_;
    TInplaceEdit* editor_ = nullptr;
    bool editorMode_ = false;
    // The cell whose text the editor holds.
    TGridCoord editorCell_{-1, -1};

    // Dragging: the sized column or row, and the last mouse position of a selection drag.
    int sizingIndex_ = -1;
    int sizingOrigin_ = 0;
    int sizingExtent_ = 0;
    QPoint dragPoint_;
    TTimer* dragTimer_ = nullptr;
    bool updatingScrollBars_ = false;
    bool scrollBarsPending_ = false;
    bool ownVertScrollBar_ = false;
};
