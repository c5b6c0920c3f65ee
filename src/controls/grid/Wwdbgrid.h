// TwwDBGrid: the data-aware grid that forms place: the grid engine with the behaviour only it has: record
// multi-selection, check-box cells toggled by the user, memo cells opened in the memo dialog, the column layout
// kept in an INI file or the registry, and the export.
#pragma once

#include "controls/grid/WwExportOptions.h"
#include "controls/grid/WwIniAttributes.h"
#include "controls/grid/WwMemoDialog.h"
#include "controls/grid/WwMultiSelect.h"
#include "controls/grid/Wwdbigrd.h"

#include <functional>

class TwwDBGrid;
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

    // After streaming: the parent form's name for the layout's default section, then the engine's pass.
    void Loaded();
    // Writes and reads the column layout (see WwIniAttributes.h).
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
};
