// TwwCustomDBGrid: the data-bound grid engine: one row per record of its data link's buffer, one column per
// mapped field, laid out from the Selected list or the dataset's fields, with a scroll bar over the dataset.
#pragma once

#include "controls/edit/WwCustomMaskEdit.h"
#include "controls/grid/WwDBGridTypes.h"
#include "controls/grid/WwGridDataLink.h"
#include "controls/grid/WwPaintOptions.h"
#include "platform/db/DataSet.h"
#include "platform/rtl/Alignment.h"
#include "platform/rtl/ScreenService.h"
#include "platform/rtl/StringList.h"
#include "platform/ui/CustomGrid.h"

#include <functional>
#include <memory>
#include <vector>

class QLabel;
class TDataSource;
class TField;
class TTimer;
class TwwCheckBox;
class TImageList;
class TwwCustomDBGrid;
class TwwInplaceEdit;
namespace controls {
class GridExport;
}

// One data column's own object: the field it shows and its footer text. The grid's default column (no
// grid, no field) stands for no column: it answers empty, 0 or false and changes nothing.
class TwwColumn {
public:
    explicit TwwColumn(const QString& fieldName = {}, TwwCustomDBGrid* grid = nullptr)
        : FieldName(fieldName), Grid(grid) {}
    void SetFooterValue(const QString& value);
    // The width in characters, kept in the Selected line (and the field's DisplayWidth with UseTFields).
    void SetDisplayWidth(int width);
    int GetDisplayWidth() const;
    QString GetDisplayLabel() const;
    bool GetReadOnly() const;
    QString GetGroupName() const;
    QString FieldName;
    TwwCustomDBGrid* Grid = nullptr;
    QString FooterValue;
    // One byte per shown data row 0..255 as last painted (bit 0: no bottom line, bit 1: no top line); empty
    // until a group field or OnBeforeDrawCell is in use.
    std::vector<quint8> RowLineFlags;
};

// What a grid column shows through its ControlType line, read once per layout.
struct TwwCacheColInfoItem {
    // The embedded edit control found for the column; null when none.
    TControl* Control = nullptr;
    // Empty without a line, and emptied when an edit-control kind names a control that is not found.
    QString Kind;
    QString Params;
    bool AlwaysPaintControl = false;
    bool DarkLines = true;
};

// The cell being drawn, handed to OnBeforeDrawCell and OnAfterDrawCell; a handler (or the group-field rule)
// clears the flags to suppress the cell's background, row lines or text.
class TwwCustomDrawGridCellInfo {
public:
    TRect Rect;
    TField* Field = nullptr;
    TGridDrawState State;
    int DataCol = 0;
    int DataRow = 0;
    bool DefaultDrawBackground = true;
    bool DefaultDrawTopLine = true;
    bool DefaultDrawBottomLine = true;
    bool DefaultDrawText = true;
};

class TwwCustomDBGrid;
using TwwCustomDrawCellEvent = std::function<void(TwwCustomDBGrid* Sender, TwwCustomDrawGridCellInfo& DrawCellInfo)>;
using TCalcCellColorsEvent = std::function<void(QObject* Sender, TField* Field, TGridDrawState State, bool Highlight,
                                                TFont& AFont, TBrush& ABrush)>;
using TCalcTitleAttributesEvent = std::function<void(QObject* Sender, const QString& AFieldName, TFont& AFont,
                                                     TBrush& ABrush, TAlignment& ATitleAlignment)>;
using TwwDrawTitleCellEvent =
    std::function<void(QObject* Sender, TCanvas& Canvas, TField* Field, const TRect& Rect, bool& DefaultDrawing)>;
using TDrawFooterCellEvent = std::function<void(QObject* Sender, TCanvas& Canvas, const TRect& FooterCellRect,
                                                TField* Field, const QString& FooterText, bool& DefaultDrawing)>;
using TwwDrawGroupHeaderCellEvent = std::function<void(QObject* Sender, TCanvas& Canvas, const QString& GroupHeaderName,
                                                       const TRect& Rect, bool& DefaultDrawing)>;
// A title's picture from the TitleImageList: its number (-1 none), where it sits and how far from the edge.
struct TwwTitleImageAttributes {
    int ImageIndex = -1;
    TAlignment ImageAlignment = taRightJustify;
    int ImageMargin = 3;
    bool IsGroupHeader = false;
};
using TwwCalcTitleImageEvent =
    std::function<void(QObject* Sender, TField* Field, TwwTitleImageAttributes& TitleImageAttributes)>;
using TwwDrawDataCellEvent =
    std::function<void(QObject* Sender, const TRect& Rect, TField* Field, TGridDrawState State)>;

// The colours of the grid's lines.
struct TwwGridLineColors {
    TColor DataColor = clSilver;
    TColor HighlightColor = clBtnHighlight;
    TColor ShadowColor = clBtnShadow;
    TColor FixedColor = clBlack;
};

struct TwwDittoAttributes {
    int ShortCutDittoField = 0;
    int ShortCutDittoRecord = 0;
    TwwDittoDirection DittoDirection = wwDittoPrior;
    int Options = 0;
};

// Removes the application's grid keyboard hook (installed when a grid takes the focus).
void RemoveGridKeyboardHook();

class TwwCustomDBGrid : public TCustomGrid {
public:
    explicit TwwCustomDBGrid(QWidget* parent);
    ~TwwCustomDBGrid() override;

    // ---- data
    TDataSource* DataSource() const { return GetDataSource(); }
    TDataSource* GetDataSource() const;
    void SetDataSource(TDataSource* source);
    TwwGridDataLink& DataLink() const { return *dataLink_; }
    // The number of data columns that show a field.
    int GetFieldCount() const;
    TField* GetFields(int index) const;
    // The field of the current data column; null when it has none.
    TField* GetSelectedField() const;
    int GetCurrentDataColumn() const;
    // Null unless the link is active and the index is a mapped column.
    TField* GetColumnField(int index) const;
    bool DataLinkActive() const;
    bool IsDataCell(int col, int row) const;
    int DataColumnOf(int col) const;
    int DataRowOf(int row) const;
    int TitleRowCount() const { return titleRows_; }
    int IndicatorOffset() const { return indicatorOffset_; }
    const std::vector<std::unique_ptr<TwwColumn>>& Columns() const { return columns_; }

    // ---- columns, keys, focus and the mouse (WwColumn.cpp, WwdbigrdKeys.cpp, WwdbigrdMouse.cpp)
    // The default column when none matches.
    TwwColumn* FindColumn(const QString& fieldName);
    TwwColumn* GetColumnByDataCol(int dataCol);
    TwwColumn* GetColumn(int index);
    QString GetColumnFieldName(int dataCol) const;
    // Pixel widths of grid columns (the indicator counts); setting one is never written back to Selected.
    int GetColWidths(int index) const { return ColWidths(index); }
    void SetColWidths(int index, int width);
    // Sizes a grid column to the widest text of the visible rows.
    void AutoSizeColumn(int col);
    void InvalidateCurrentRow();
    void MoveToDataColumn(int index);
    void ScrollColumnIntoView(int col);
    // Carries out a ditto shortcut; false when the key is none of them.
    bool DoDitto(Word key, TShiftState shift);
    bool DittoField(TField* field, TwwDittoDirection direction);
    void KeyDown(Word& key, TShiftState shift) override;
    void KeyPress(QChar& key) override;
    bool WantsKey(Word key, TShiftState shift) const override;
    // The grid or its editor holds the focus (set on entry, cleared on exit).
    bool GridHasFocus() const { return hasFocus_; }
    // Opens a link cell's address; replaced by tests. Only http, https and mailto addresses reach it.
    static std::function<void(const QString& address)>& UrlOpener();
    // The title cell pressed as a title button ((-1, -1) when none) and whether its group header was pressed.
    TGridCoord PressedTitle() const { return pressedTitle_; }
    bool PressedGroupHeader() const { return pressedGroupHeader_; }
    void ClearPressedTitle();
    // While a title is dragged: its image and the left arrow of the insertion mark (null when not shown).
    QWidget* TitleDragImage() const;
    QWidget* InsertionMark() const;
    void RepaintTitleCells();
    // The hot link cell under the mouse, (-1, -1) when none.
    TGridCoord HotURLCell() const { return hotURLCell_; }
    void ClearHotURLCell();
    // The cell hint window while a hint shows; null otherwise.
    QWidget* CellHintWindow() const;
    // One step of the hint timer with the mouse at a client point.
    void HintTick(int x, int y);
    TwwURLOpenEvent OnURLOpen;
    TwwDittoEvent OnDitto;

    // ---- layout and rows
    // Rebuilds the field map, columns, widths, rows and the link's buffer.
    virtual void RebuildLayout();
    void UpdateRowCount();
    void SyncCurrentRow();
    void UpdateScrollBar();
    void SelectField(TField* field);
    void ActiveRecordChanged(TField* field);
    // Design time only; answers whether the height changed.
    bool FitHeightToRows();
    // The vertical scroll bar's actions (the scroll bar's signals land here).
    void WMVScroll(TwwScrollCode code, int position);
    // The scroll bar's values as last set.
    const TwwScrollInfo& VertScrollInfo() const { return scrollInfo_; }
    // The grid row shown for the link's first buffered record (a drop-down list shows its rows lower).
    int FirstRecordOffset() const { return firstRecordOffset_; }

    // Takes the focus when it can; false when it cannot.
    bool FocusGrid();
    // After streaming: lays the grid out.
    void Loaded();
    bool Loading() const { return loading_; }
    void SetLoading(bool loading) { loading_ = loading; }
    // Whether the grid is laid out for the user (false only while being made and at design time).
    bool IsDesigning() const { return designing_; }
    void SetDesigning(bool designing) { designing_ = designing; }

    // ---- published state
    // The column layout list (see WwSelectedList.h).
    TStrings& Selected() { return selected_; }
    const TStrings& Selected() const { return selected_; }
    TStrings& ControlType() { return controlType_; }
    TStrings& PictureMasks() { return pictureMasks_; }
    bool ControlInfoInDataset = true;
    bool PictureMaskFromDataSet = true;

    TwwDBGridOptions Options() const { return options_; }
    void SetOptions(TwwDBGridOptions value);
    TwwDBGridKeyOptions KeyOptions{dgAllowDelete, dgAllowInsert};
    TFont& TitleFont() { return titleFont_; }
    void SetTitleFont(const TFont& font);
    TAlignment TitleAlignment() const { return titleAlignment_; }
    void SetTitleAlignment(TAlignment value);
    int TitleLines() const { return titleLines_; }
    void SetTitleLines(int value);
    int RowHeightPercent() const { return rowHeightPercent_; }
    void SetRowHeightPercent(int value);
    int MinRowHeightPercent() const { return minRowHeightPercent_; }
    TColor IndicatorIconColor() const { return indicatorIconColor_; }
    void SetIndicatorIconColor(TColor color);
    bool ShowHorzScrollBar() const { return showHorzScrollBar_; }
    void SetShowHorzScrollBar(bool value);
    bool ShowVertScrollBar() const { return showVertScrollBar_; }
    void SetShowVertScrollBar(bool value);
    bool UseTFields() const { return useTFields_; }
    void SetUseTFields(bool value);
    bool ReadOnly = false;
    bool EditCalculated = false;
    bool TitleButtons = false;
    QString GroupFieldName;
    TColor TitleColor = clBtnFace;
    TColor FooterColor = clBtnFace;
    TColor FooterCellColor = clBtnFace;
    // 0: as high as the grid font's text plus 6 pixels.
    int FooterHeight() const { return footerHeight_; }
    // A negative height is stored as 0.
    void SetFooterHeight(int value);
    TIndicatorColorType IndicatorColor() const { return indicatorColor_; }
    // icYellow draws the glyphs in yellow, icBlack in black.
    void SetIndicatorColor(TIndicatorColorType value);
    TwwGridLineStyle LineStyle = glsDynamic;
    TwwPadColumnStyle PadColumnStyle = pcsPadHeaderAndData;
    TwwEditControlOptions EditControlOptions{ecoSearchOwnerForm};
    TwwMultiSelectOptions MultiSelectOptions;
    int DragVertOffset = 15;
    bool HideAllLines = false;
    bool DisableThemesInTitle = false;
    TwwGridLineColors LineColors;
    TwwGridPaintOptions PaintOptions{this};
    // The pictures of "ImageIndex" cells and of titles; not owned.
    TImageList* ImageList = nullptr;
    TImageList* TitleImageList = nullptr;
    TwwDittoAttributes DittoAttributes;
    // Set by a lookup combo working in the grid, and by the lookup dialog on its grid.
    bool KeepEmbeddedControlOnDataChange = false;
    bool IgnoreDataChanges = false;
    // The indicator column's width in pixels.
    static constexpr int kIndicatorWidth = 11;

    // Told with the cell editor as Sender whether its text passes the field's picture mask.
    TwwValidateEvent OnCheckValue;
    TwwGridNotifyEvent OnColEnter, OnColExit, OnTopRowChanged, OnRowChanged, OnCellChanged, OnLeftColChanged,
        OnUpdateFooter;
    TwwFieldChangedEvent OnFieldChanged;
    TwwTitleButtonClickEvent OnTitleButtonClick;
    TMovedEvent OnColumnMoved;
    TColWidthChangedEvent OnColWidthChanged;
    TwwCustomDrawCellEvent OnBeforeDrawCell, OnAfterDrawCell;
    TCalcCellColorsEvent OnCalcCellColors;
    TCalcTitleAttributesEvent OnCalcTitleAttributes;
    TwwDrawTitleCellEvent OnDrawTitleCell;
    TwwDrawDataCellEvent OnDrawDataCell;
    TDrawFooterCellEvent OnDrawFooterCell;
    TwwDrawGroupHeaderCellEvent OnDrawGroupHeaderCell;
    TwwCalcTitleImageEvent OnCalcTitleImage;
    TwwGridNotifyEvent OnBeforePaint;

    // ---- painting
    // The indicator glyph of a data row: 0 current record, 1 editing it, 2 inserting it, 3 a selected record,
    // 4 the current record selected too; -1 none.
    int IndicatorGlyph(int dataRow);
    // The value of the field in the buffered record before (after) the link's active one; false when there
    // is none or the dataset has no such field.
    bool GetPriorRecordValue(const QString& fieldName, QString& value);
    bool GetNextRecordValue(const QString& fieldName, QString& value);
    TColor GetActiveRecordColor() const;
    // The footer strip's pixel height with dgShowFooter, else 0; the cells' area is that much shorter.
    int FooterStripHeight();
    // The ControlType list in effect: the dataset's under ControlInfoInDataset when it has one, else the grid's.
    const TStrings* GetControlTypeList() const;
    // The kind and parameters of the field's line in the list in effect (the last line naming it wins).
    virtual void GetControlInfo(const QString& fieldName, QString& kind, QString& params) const;
    // One item per grid column, rebuilt with the layout.
    virtual void CacheColumnInfo();
    const std::vector<TwwCacheColInfoItem>& ColumnInfo() const { return colInfo_; }
    // The values of a data cell's "CheckBox" line (field;CheckBox;checked;unchecked); false without one.
    bool GetCheckBoxValues(int col, int row, QString& unchecked, QString& checked) const;
    // The edit control of the owner form that a data cell's edit-control line names.
    bool GetCellControl(int col, int row, TControl*& control) const;
    TControl* FindEditControl(const QString& name) const;
    // The field's PictureMasks line: the dataset's list under PictureMaskFromDataSet when it has one, else the
    // grid's. Without a line the mask is empty and both flags are true.
    void GetFieldPictureMask(const QString& fieldName, QString& mask, bool& autoFill, bool& useMask) const;
    // The cell editor; null until it was first shown.
    TwwInplaceEdit* CellEditor() const;
    // The strip below the cells that shows the columns' footer values; null until dgShowFooter is on.
    QWidget* FooterStrip() const { return footer_; }
    // Paints the footer strip (its own coordinates: x as the cells', y from 0).
    void PaintFooter(TCanvas& canvas);
    // The group of a data column: the Group part of its Selected line; empty when none.
    QString ColumnGroupName(int dataCol) const;

protected:
    friend class TwwGridDataLink;
    friend class TwwInplaceEdit;
    // The export reads the cells' texts and colours as the grid paints them.
    friend class controls::GridExport;

    // ---- virtual operations of this engine
    virtual bool IsProportionalColResize() const;
    // The dataset moved by distance records.
    virtual void Scroll(int distance);
    virtual void DefineFieldMap();
    virtual void ApplyProportionalWidths();
    // Column widths and tab stops.
    virtual void SetColumnAttributes();
    virtual void LinkActive(bool value);
    virtual bool CellHasCustomControl(int col, int row);
    virtual void HideCellControl() {}
    virtual void DataChanged();
    virtual void DoTopRowChanged();
    virtual void DoRowChanged();
    virtual void DoCellChanged();
    virtual void CheckRowChanged();
    virtual void DoFieldChanged(TField* field);
    virtual void DoUpdateFooter();
    virtual void CheckFooterUpdate();
    virtual void HideCellHint();
    virtual bool CanEditGrid() const;
    virtual bool IsMemoCell(int col, int row) const;
    virtual void ShowEditorIfAllowed();
    virtual void UpdateRowHeights();
    virtual void DoColEnter();
    virtual void DoColExit();
    // The text a data column shows for the link's active record.
    virtual QString GetCellText(int dataCol);
    // Writes the cell editor's text into the current field: dates by the library's epoch, numbers read back
    // through their display format; a text its picture mask refuses is not written.
    virtual void WriteEditText();
    // The write itself; false when nothing was written (the picture mask refused the text, or no field).
    bool WriteEditTextChecked();
    // The text last loaded into the cell editor or typed into it.
    const QString& LastEditText() const { return lastEditText_; }
    // A text refused by the picture mask: the library's message, unless its handler suppresses it.
    virtual void ValidationErrorUsingMask(TField* field);
    // Posts what the cell editor holds through the data link.
    virtual void CommitEdit();
    // ---- the cell editor's questions (WwdbigrdEdit.cpp)
    TInplaceEdit* CreateEditor() override;
    bool CanEditAcceptKey(QChar key) override;
    // Whether typing may begin; puts the record into edit mode and marks the editor's text as modified.
    bool CanEditModify() override;
    QString GetEditText(int col, int row) override;
    void SetEditText(int col, int row, const QString& value) override;
    int GetEditLimit() override;
    QString GetEditMask(int col, int row) override;
    // The canvas width measurements use, in the grid's font.
    TCanvas& GetPaintCanvas();
    virtual bool IsHighlighted(int dataCol, int dataRow, TGridDrawState state, const QString& cellText);
    // Whether a record of the buffer is among the selected ones (none in this grid).
    virtual bool IsRowSelected(int dataRow);
    virtual bool IsSelected();
    virtual void DoCalcTitleAttributes(const QString& fieldName, TFont& font, TAlignment& alignment, TBrush& brush);
    virtual void DoCalcCellColors(TField* field, TGridDrawState state, bool highlight, TFont& font, TBrush& brush);
    // Fires OnCalcCellColors; answers whether the brush colour changed.
    virtual bool CalcCellColors(TField* field, TGridDrawState state, TBrush& brush, TFont& font, bool highlight);
    virtual void DoDrawTitleCell(TCanvas& canvas, TField* field, bool& defaultDrawing, const TRect& rect);
    virtual void DoDrawDataCell(const TRect& rect, TField* field, TGridDrawState state);
    // The row lines of a data cell, after its text.
    virtual void DrawCellLines(const TRect& rect, int col, TGridDrawState state, int row);
    // The 10 x 10 box of a "CheckBox" cell, drawn by the library's check box (disabled in a read-only column).
    virtual void DrawCheckBox(const TRect& rect, int col, bool checked, int row);
    // ---- backgrounds, lines and titles (WwdbigrdLines.cpp)
    // Alternating rows, the background picture, or a fill with color (clNone: the canvas brush).
    virtual void PaintDataBackground(const TRect& rect, int dataRow, TColor color);
    virtual void PaintFixedBackground(const TRect& rect, int dataRow, TColor color);
    virtual void PaintAlternatingBackground(const TRect& rect);
    // Every line of the grid but the data cells' row lines, after the cells.
    virtual void DrawGridLines();
    // The sunken frame of a title held down as a button.
    virtual void DrawPressedTitle();
    // The bottom of the last fully shown row + 1.
    virtual int GetDataBottom() const;
    // A title cell; the lower half for a grouped column.
    virtual void GetTitleCellRect(int col, int row, TRect& rect) const;
    // The header over a grouped column's group (upper half of the title row; scrolled-out columns counted) and
    // the group's first and last grid column; other columns: the plain cell.
    virtual void GetGroupHeaderRect(int col, TRect& rect, bool visibleOnly, int& firstCol, int& lastCol) const;
    // The cell as shown, right = left + column width.
    virtual void GetCellRect(int col, int row, TRect& rect) const;
    virtual void DoDrawGroupHeaderCell(TCanvas& canvas, const QString& groupName, bool& defaultDrawing,
                                       const TRect& rect);
    virtual void DoCalcTitleImage(TField* field, TwwTitleImageAttributes& attributes);
    // The grid row of the record the drawing looks at, or -1 outside the drawing of a data cell.
    int DrawnDataRow() const { return drawnDataRow_; }
    int DrawnDataCol() const { return drawnDataCol_; }

    // ---- the base grid's hooks
    void Resize() override;
    void DrawCell(int col, int row, const TRect& rect, TGridDrawState state) override;
    // The base grid's painting, then the pad area right of the last column.
    void Paint(const TRect& area) override;

    // The column being resized by the user (-1 when none) and its width when the mouse went down.
    int resizedCol_ = -1;
    int resizedColWidth_ = 0;

    // ---- keys, focus and the mouse
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    bool DoMouseWheelDown(TShiftState shift, TPoint mousePos) override;
    bool DoMouseWheelUp(TShiftState shift, TPoint mousePos) override;
    void TimedScroll(TGridScrollDirection direction) override;
    void ColumnMoved(int from, int to) override;
    void ColWidthsChanged() override;
    // The mouse leaving the cells gives up the hot link cell.
    bool viewportEvent(QEvent* event) override;
    // A group's inner borders cannot be dragged from its header, nor a proportional grid's outer ones.
    void CalcSizingState(int x, int y, TGridState& state, int& index) override;
    void TopLeftChanged() override;
    virtual void DoTitleButtonClick(const QString& fieldName);
    // Splits a link cell's value at its first "#" into the text it shows and its address (the text when the
    // address is empty).
    virtual void SplitURLLink(const QString& value, QString& text, QString& address) const;
    // Opens a link cell's address after OnURLOpen; false when the address was refused.
    virtual bool DoURLOpen(TField* field);
    virtual void CMEnter();
    virtual void CMExit();
    // Row moves of the keys: an untouched insert is cancelled first; Down may append.
    void PriorRow();
    void NextRow(bool append);
    // Tab and Enter: the next column with a tab stop, across rows.
    void ColumnNavigate(bool forwards);
    // Drop of a dragged title on grid column target.
    void DropTitle(int target);

    struct TitleDrag;
    struct CellHint;
    friend class TwwColumn;

private:
    void TrackFocus();
    // Before destruction: no more focus reports, and the keyboard hook goes.
    void EndFocusTracking();
    void TitleButtonPress(int col, int row, int y);
    void StartTitleDrag();
    void MoveTitleDrag(int x, int y);
    void DragScrollTick();
    // The grid column a title dropped at x lands on before the group rules.
    int TitleDropColumn(int x) const;
    void PlaceInsertionMark();
    void EndTitleDrag(int x, int y);
    void TrackHotURLCell(int col, int row);
    void ShowCellHint(int col, int row);
    void HintTimerTick();

    QMetaObject::Connection focusTracking_;
    bool hasFocus_ = false;
    bool tabRowMove_ = false;
    bool inColExit_ = false;
    TGridCoord pressedTitle_{-1, -1};
    bool pressedGroupHeader_ = false;
    bool titleDragged_ = false;
    std::shared_ptr<TitleDrag> titleDrag_;
    TGridCoord hotURLCell_{-1, -1};
    bool handCursorShown_ = false;
    std::shared_ptr<CellHint> cellHint_;
    std::unique_ptr<TwwColumn> defaultColumn_;

protected:
private:
    void LinkEditingChanged();
    void ApplyScrollBarPolicies();
    void ApplyScrollInfo();
    void ConnectScrollBar();
    void FontChanged();
    void TitleFontChanged();
    int ZeroWidth();
    int TitleWidth(const QString& title);
    // The pixels of the grid's columns up to and including col, with their lines.
    int RightEdgeOf(int col) const;
    bool InsertUntouched() const;
    void InvalidateRowCells(int row);
    // The buffered record a data row shows; -1 past the buffer.
    int RecordOfDataRow(int dataRow) const;
    // Runs step with the link's active record set to the data row's (data rows >= 0), and sets it back.
    void WithRowRecord(int dataRow, const std::function<void()>& step);
    // Paints a cell through its column's control kind; false leaves the cell to the text steps.
    bool DrawControlCell(int col, int row, const TRect& rect, TGridDrawState state);
    void PaintControlIntoCell(TControl& control, const TRect& rect);
    // A "CheckBox" cell: its colours, then the box centred in it, checked for the checked value in any case.
    void DrawCheckBoxCell(int col, int row, const TRect& rect, TGridDrawState state, const QString& params);
    // A data cell's highlight and OnCalcCellColors colours on the canvas; answers whether it is highlighted.
    bool ApplyDataCellColors(int col, int row, TGridDrawState state, const QString& text);
    void DrawTitleCell(int col, const TRect& rect, TGridDrawState state);
    void DrawIndicatorCell(int dataRow, const TRect& rect);
    void DrawDataCell(int col, int row, const TRect& rect, TGridDrawState state);
    void ApplyGroupFieldRule();
    bool HorzLinesVisible() const;
    void PaintPadArea();
    bool ThemedTitles() const { return false; }
    // A data row that takes the alternating row colour in the region.
    bool IsAlternateRow(int dataRow, TwwAlternatingRowRegion region) const;
    // The title row's bottom line and whether the grid counts as light for its lines.
    int TitleBottom() const;
    bool LightGrid() const;
    void DrawFocusFrame();
    void DrawTitleLines();
    void DrawFixedColumnLines();
    void CloseAreaBelowRecords();
    bool IsTitlePressed(int col, bool groupHeader) const;
    // "Bitmap" and "ImageIndex" cells.
    void DrawBitmapCell(int col, int row, const TRect& rect, TGridDrawState state, const QString& params);
    void DrawImageIndexCell(int col, int row, const TRect& rect, TGridDrawState state, const QString& params);
    // The control-cell background: highlight, cell colours, and the fill when highlighted; answers highlight.
    bool PaintControlCellBackground(int col, int row, const TRect& rect, TGridDrawState state);
    // The parts of the first ControlType line for a data cell's field that accept takes; empty when none.
    QStringList FirstControlTypeLine(int col, int row, const std::function<bool(const QStringList&)>& accept) const;
    // Reserves the footer's strip below the cells and places it there.
    void PlaceFooter();

    std::vector<TwwCacheColInfoItem> colInfo_;
    // Hidden; paints the boxes of "CheckBox" cells. Created on first use, owned by the grid's widget.
    TwwCheckBox* checkBoxPainter_ = nullptr;
    QWidget* footer_ = nullptr;
    int footerHeight_ = 0;

    TwwCustomDrawGridCellInfo cellInfo_;
    int drawnDataRow_ = -1;
    int drawnDataCol_ = -1;
    bool linesDrawn_ = false;
    bool brushChanged_ = false;
    bool whiteBackground_ = false;
    bool focusFramePending_ = false;
    // A highlighted cell under the in-place editor that has the focus: the editor shows it.
    bool leftToEditor_ = false;
    TIndicatorColorType indicatorColor_ = icBlack;
    // Set while a grouped title's two halves are drawn.
    bool drawingTitleParts_ = false;

    std::unique_ptr<TwwGridDataLink> dataLink_;
    TStringList selected_;
    TStringList controlType_;
    TStringList pictureMasks_;
    TFont titleFont_;
    TwwDBGridOptions options_;
    TAlignment titleAlignment_ = taLeftJustify;
    int titleLines_ = 1;
    int rowHeightPercent_ = 100;
    int minRowHeightPercent_ = 100;
    TColor indicatorIconColor_ = clBlack;
    bool showHorzScrollBar_ = true;
    bool showVertScrollBar_ = false;
    bool useTFields_ = false;
    int titleRows_ = 1;
    int indicatorOffset_ = 1;
    int firstRecordOffset_ = 0;
    int layoutBusy_ = 0;
    int layoutEntry_ = 0;
    bool updatingRowCount_ = false;
    bool settingTitleFontFromParent_ = false;
    int oldCurrentRow_ = -1;
    int lastCurrentCol_ = -1;
    bool columnEntryPending_ = false;
    bool footerNeedsUpdate_ = false;
    bool checkingRowChange_ = false;
    bool alternatingParity_ = false;
    bool widthWriteBack_ = true;
    bool focusOnClick_ = true;
    int lastClientWidth_ = 0;
    QString lastEditText_;
    TBookmark lastRowBookmark_;
    TBookmark lastMasterBookmark_;
    std::vector<std::unique_ptr<TwwColumn>> columns_;
    // The proportional pass's base widths, one per grid column; empty when there are none.
    std::vector<qint16> baseWidths_;
    TwwScrollInfo scrollInfo_;
    bool settingScrollBar_ = false;
    bool windowCreated_ = false;
    bool loading_ = false;
    bool designing_ = false;
};
