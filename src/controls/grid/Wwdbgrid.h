// TwwDBGrid: the data-aware grid that forms place: the grid engine with the behaviour only it has: record
// multi-selection, check-box cells toggled by the user, memo cells opened in the memo dialog, the column layout
// kept in an INI file or the registry, and the export.
#pragma once

#include "controls/grid/WwExportOptions.h"
#include "controls/grid/WwIniAttributes.h"
#include "controls/grid/WwMemoDialog.h"
#include "controls/grid/WwMultiSelect.h"
#include "controls/grid/Wwdbigrd.h"

#include <QPointer>
#include <functional>
#include <utility>
#include <vector>

class TwwDBDateTimePicker;
class TwwDBGrid;
using TwwCreateDTPEvent = std::function<void(TwwDBGrid* Sender, TwwDBDateTimePicker* ADateTimePicker)>;
using TwwMemoOpenEvent = std::function<void(TwwDBGrid* Grid, TwwMemoDialog& MemoDialog)>;
using TwwMemoCloseEvent = std::function<void(TwwDBGrid* Grid, bool Cancel)>;

class TwwDBGrid : public TwwCustomDBGrid {
public:
    explicit TwwDBGrid(QWidget* parent);
    // Saves the layout when IniAttributes is enabled.
    ~TwwDBGrid() override;

    TwwMemoAttributes MemoAttributes() const { return memoAttributes_; }
    void SetMemoAttributes(TwwMemoAttributes value);
    TwwIniAttributes& IniAttributes() { return iniAttributes_; }
    TwwExportOptions& ExportOptions() { return exportOptions_; }
    // The marks of dgMultiSelect; its OnMultiSelectRecord and OnMultiSelectAllRecords are the grid's.
    controls::GridMultiSelection& MultiSelection() { return selection_; }
    std::vector<TBookmark>& SelectedList() { return selection_.SelectedList(); }
    // The fixed data columns, apart from the indicator; values the grid cannot hold are kept but not applied.
    int FixedCols() const { return fixedCols_; }
    // At design time a value out of range is refused with a warning.
    void SetFixedCols(int value);
    bool LoadAllRTF = false;
    bool DisableThemes = false;
    TwwMemoOpenEvent OnMemoOpen;
    TwwMemoCloseEvent OnMemoClose;
    // Told when the grid has made its date/time picker.
    TwwCreateDTPEvent OnCreateDateTimePicker;

    // ---- cell controls (WwdbgridCellControls.cpp): a control of the owner form named by an edit-control
    // ControlType line, or the grid's own date/time picker for date/time fields, edits the current cell in place
    // of the cell editor; it shows over the cell while the grid holds the focus.
    // The control over the current cell; null when the cell has none.
    TControl* ActiveCellControl() const { return activeControl_; }
    // The grid's date/time picker; null until a date/time cell first needed it.
    TwwDBDateTimePicker* DateTimePicker() const { return picker_; }
    // Binds the controls the ControlType lines name to the grid's data source and their fields.
    void PrepareCellControls();
    // Makes the current cell's control (or the picker) the active one and places it.
    virtual void AttachCellControl();
    // Brings the grid in step with its dataset (on activation and a MemoAttributes change): the dataset's stale
    // ControlType entries dropped, the cell controls prepared again and the layout rebuilt from Selected.
    void SyncWithDataSet();

    // After streaming: the parent form's name for the layout's default section, then the engine's pass.
    void Loaded();
    // Writes and reads the column layout (see WwIniAttributes.h); a save that cannot be done warns, except
    // while the grid is destroyed.
    virtual void SaveToIniFile();
    virtual void LoadFromIniFile();
    // Opens the current cell's memo field in the memo dialog; read-only when the grid or the field cannot
    // be edited.
    void OpenMemoDialog();
    // Toggles a check-box cell's value, or the record's mark in a "selected" check-box column.
    void ToggleCheckBox(int col, int row);

    // The marks as painting reads them.
    bool IsRowSelected(int dataRow) override;
    bool IsSelected() override;

protected:
    // Carries FixedCols into the engine's fixed-column count.
    virtual void ApplyFixedCols();
    void SetColumnAttributes() override;
    QString GetCellText(int dataCol) override;
    // OnFieldChanged fires once per written field: from the dataset's report of the change, else after the write.
    void WriteEditText() override;
    void DoFieldChanged(TField* field) override;
    void Paint(const TRect& area) override;
    // ---- cell controls
    virtual TwwDBDateTimePicker* CreateDateTimePicker();
    virtual void DoCreateDateTimePicker(TwwDBDateTimePicker* picker);
    // After a paint: shows the active cell control over the current cell while the grid holds the focus.
    virtual void UpdateCellControl();
    bool CellHasCustomControl(int col, int row) override;
    void HideCellControl() override;
    void GetControlInfo(const QString& fieldName, QString& kind, QString& params) const override;
    bool CanEditShow() override;
    void DoColEnter() override;
    void DoColExit() override;
    void TopLeftChanged() override;
    void Scroll(int distance) override;
    void LinkActive(bool value) override;
    void CMExit() override;
    void ColumnMoved(int from, int to) override;
    void KeyDown(Word& key, TShiftState shift) override;
    void KeyPress(QChar& key) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void DblClick() override;
    void showEvent(QShowEvent* event) override;

private:
    // A cell whose "CheckBox" line gives both values; a check-box column of a calculated "selected" field
    // when selectedColumn.
    bool IsCheckBoxCell(int col, int row) const;
    bool IsSelectedColumn(int col) const;
    // Memo and "selected" check-box cells, and every cell of an editable grid, take the cell keys and clicks.
    bool TakesCellInput(int col, int row) const;

    TwwMemoAttributes memoAttributes_{mSizeable, mWordWrap};
    TwwIniAttributes iniAttributes_{this};
    TwwExportOptions exportOptions_{this};
    controls::GridMultiSelection selection_{*this};
    // Set by the constructor; the layout is read the first time the grid shows.
    int fixedCols_ = 0;
    bool loadLayoutOnShow_ = true;
    // The Space that toggled a mark or a check box starts no edit.
    bool spaceTaken_ = false;
    // The field written from the cell editor was already reported changed (or kept its text).
    bool fieldChanged_ = false;
    // Set while the grid is destroyed: a layout that cannot be saved then warns nobody.
    bool destroying_ = false;

    // A visible cell control of the current cell, null when none.
    TControl* VisibleCellControl() const;
    // Hands a key typed on the grid to the visible cell control; false when there is none to take it.
    bool ForwardToCellControl(Word key, QChar character, Qt::KeyboardModifiers modifiers);
    // Moves a control into the grid, without its border, in the grid's font.
    void FitIntoGrid(TControl& control);
    // Places the control over the current cell; false when the cell is not shown.
    bool PlaceCellControl(TControl& control);
    void ScheduleCellControlUpdate();

    // The form's controls moved into the grid, with the parent each had; given back when the grid goes.
    std::vector<std::pair<QPointer<QWidget>, QPointer<QWidget>>> borrowedControls_;
    TControl* activeControl_ = nullptr;
    TwwDBDateTimePicker* picker_ = nullptr;
    bool cellControlsPrepared_ = false;
    bool hidingCellControl_ = false;
    bool cellControlUpdatePending_ = false;
    bool synchronizing_ = false;
};
