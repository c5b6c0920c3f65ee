// TwwCustomDBGrid: construction with its defaults, the data link's reactions, options and property setters.
#include "controls/grid/Wwdbigrd.h"

#include "controls/edit/WwCommon.h"
#include "controls/edit/WwProps.h"
#include "controls/grid/WwSelectedList.h"
#include "platform/db/DataSource.h"
#include "platform/db/Field.h"
#include "platform/ui/Dispatch.h"
#include "platform/ui/InplaceEdit.h"

#include <QScrollBar>

TwwCustomDBGrid::TwwCustomDBGrid(QWidget* parent) : TCustomGrid(parent) {
    SetDefaultDrawing(false);
    options_ = {dgEditing,  dgTitles, dgIndicator,     dgColumnResize, dgColLines,
                dgRowLines, dgTabs,   dgConfirmDelete, dgCancelOnExit, dgWordWrap};
    SetOwnVertScrollBar(true);
    SetScrollBars(ssHorizontal);
    TCustomGrid::SetOptions(
        {goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goColSizing, goColMoving, goEditing, goTabs});
    SetRowCount(2);
    SetColCount(2);
    dataLink_ = std::make_unique<TwwGridDataLink>(this);
    SetColor(clWindow);
    titleFont_.Assign(Font());
    titleFont_.OnChange = [this](QObject*) { TitleFontChanged(); };
    // The control re-applies its own font on a change; the layout follows it.
    Font().OnChange = [this, applyFont = Font().OnChange](QObject* sender) {
        if (applyFont) applyFont(sender);
        FontChanged();
    };
    SetDefaultDrawing(true);
    HideEditor();
    SetShowVertScrollBar(true);
    SetUseTFields(true);
    ConnectScrollBar();
    TrackFocus();
    windowCreated_ = true;
    // What creating the window does.
    RebuildLayout();
    UpdateScrollBar();
    CheckRowChanged();
}

TwwCustomDBGrid::~TwwCustomDBGrid() {
    // The link goes first, so that the data source tells this grid nothing more.
    dataLink_.reset();
    EndFocusTracking();
}

// ---- data

TDataSource* TwwCustomDBGrid::GetDataSource() const { return dataLink_->DataSource(); }

void TwwCustomDBGrid::SetDataSource(TDataSource* source) {
    dataLink_->SetDataSource(source);
    LinkActive(dataLink_->Active());
}

int TwwCustomDBGrid::GetFieldCount() const { return dataLink_->MappedCount(); }

TField* TwwCustomDBGrid::GetFields(int index) const { return dataLink_->GetMappedField(index); }

TField* TwwCustomDBGrid::GetSelectedField() const { return GetColumnField(GetCurrentDataColumn()); }

int TwwCustomDBGrid::GetCurrentDataColumn() const { return Col() - indicatorOffset_; }

TField* TwwCustomDBGrid::GetColumnField(int index) const {
    if (!dataLink_->Active() || index < 0 || index >= dataLink_->MappedCount()) return nullptr;
    return dataLink_->GetMappedField(index);
}

bool TwwCustomDBGrid::DataLinkActive() const {
    TDataSet* dataSet = dataLink_->DataSet();
    return dataLink_->Active() && dataSet && dataSet->Active();
}

bool TwwCustomDBGrid::IsDataCell(int col, int row) const {
    return GetDataSource() && GetDataSource()->DataSet() && DataColumnOf(col) >= 0 &&
           DataColumnOf(col) < dataLink_->MappedCount() && DataRowOf(row) >= 0;
}

int TwwCustomDBGrid::DataColumnOf(int col) const { return options_.Contains(dgIndicator) ? col - 1 : col; }

int TwwCustomDBGrid::DataRowOf(int row) const { return options_.Contains(dgTitles) ? row - 1 : row; }

bool TwwCustomDBGrid::FocusGrid() {
    if (Focused()) return true;
    if (!CanFocus()) return false;
    SetFocus();
    return true;
}

void TwwCustomDBGrid::Loaded() {
    loading_ = false;
    RebuildLayout();
    if (parentWidget() && PaintOptions.BackgroundBitmap().Width() > 0) PaintOptions.BuildImages(false);
}

// ---- reactions to the dataset

void TwwCustomDBGrid::DataChanged() {
    if (!windowCreated_ || IgnoreDataChanges) return;
    CheckFooterUpdate();
    if (!KeepEmbeddedControlOnDataChange) {
        TDataSource* source = GetDataSource();
        TDataSet* dataSet = dataLink_->DataSet();
        if (source && (source->State() == dsBrowse ||
                       (source->State() == dsInsert && dataSet && !(dataSet->Bof() && dataSet->Eof()))))
            HideCellControl();
    }
    UpdateRowCount();
    UpdateScrollBar();
    SyncCurrentRow();
    InvalidateEditor();
    InvalidateGrid();
    CheckRowChanged();
}

void TwwCustomDBGrid::LinkActive(bool value) {
    if (!value) HideEditor();
    RebuildLayout();
    UpdateScrollBar();
    TDataSet* dataSet = dataLink_->DataSet();
    if (dataSet) {
        dataSet->FreeBookmark(lastRowBookmark_);
        dataSet->FreeBookmark(lastMasterBookmark_);
    }
    lastRowBookmark_.clear();
    lastMasterBookmark_.clear();
    if (value) {
        if (windowCreated_) {
            if (Col() != lastCurrentCol_) DoColEnter();
            lastCurrentCol_ = Col();
        } else {
            columnEntryPending_ = true;
        }
        footerNeedsUpdate_ = true;
    } else {
        lastCurrentCol_ = -1;
    }
}

void TwwCustomDBGrid::LinkEditingChanged() {
    if (options_.Contains(dgIndicator) && oldCurrentRow_ >= 0) InvalidateCell(0, oldCurrentRow_);
    TDataSource* source = GetDataSource();
    if (source && (source->State() == dsEdit || source->State() == dsInsert)) footerNeedsUpdate_ = true;
}

void TwwCustomDBGrid::CheckRowChanged() {
    TDataSource* source = GetDataSource();
    TDataSet* dataSet = source ? source->DataSet() : nullptr;
    if (dataSet && dataSet->Active() && (OnRowChanged || OnCellChanged || OnUpdateFooter)) {
        const TBookmark bookmark = dataSet->GetBookmark();
        bool changed;
        if (lastRowBookmark_.isEmpty()) changed = true;
        else if (!bookmark.isEmpty()) {
            const int compared = DataSetCompareBookmarks(*dataSet, bookmark, lastRowBookmark_);
            changed = compared != 0 && compared != 2;
        } else {
            changed = dataSet->State() == dsInsert;
        }
        if (changed) {
            const bool wasChecking = checkingRowChange_;
            checkingRowChange_ = true;
            try {
                DoRowChanged();
            } catch (...) {
                checkingRowChange_ = wasChecking;
                throw;
            }
            checkingRowChange_ = wasChecking;
        }
        lastRowBookmark_ = bookmark;
    }
    if (columnEntryPending_) {
        columnEntryPending_ = false;
        DoColEnter();
        DoUpdateFooter();
    }
    HideCellHint();
}

void TwwCustomDBGrid::CheckFooterUpdate() {
    TDataSource* source = GetDataSource();
    if (!OnUpdateFooter || !windowCreated_ || !source || source->State() != dsBrowse) return;
    TDataSet* dataSet = source->DataSet();
    if (!footerNeedsUpdate_ && dataSet) {
        TDataSource* master = GetDataSourceProp(dataSet);
        if (!master) master = GetMasterSourceProp(dataSet);
        TDataSet* masterSet = master ? master->DataSet() : nullptr;
        if (masterSet && masterSet->Active()) {
            const TBookmark bookmark = masterSet->GetBookmark();
            const int compared = DataSetCompareBookmarks(*masterSet, bookmark, lastMasterBookmark_);
            if (compared != 0 && compared != 2) footerNeedsUpdate_ = true;
            lastMasterBookmark_ = bookmark;
        }
    }
    if (dataSet && !lastRowBookmark_.isEmpty() &&
        ((dataSet->Bof() && dataSet->Eof()) || !dataSet->BookmarkValid(lastRowBookmark_)))
        footerNeedsUpdate_ = true;
    if (footerNeedsUpdate_) DoUpdateFooter();
    footerNeedsUpdate_ = false;
}

void TwwCustomDBGrid::ActiveRecordChanged(TField* field) {
    if (!windowCreated_) return;
    int first = indicatorOffset_;
    int last = ColCount() - 1;
    if (field) {
        for (int i = 0; i < dataLink_->MappedCount(); ++i)
            if (dataLink_->GetMappedField(i) == field) {
                first = last = i + indicatorOffset_;
                break;
            }
    }
    for (int col = first; col <= last; ++col) InvalidateCell(col, Row());
    if (field && field != GetSelectedField()) return;
    TField* current = GetSelectedField();
    if (current && current->EditText() != lastEditText_) {
        InvalidateEditor();
        if (InplaceEditor()) InplaceEditor()->SetSelLength(0);
    }
}

void TwwCustomDBGrid::SelectField(TField* field) {
    for (int i = 0; i < dataLink_->MappedCount(); ++i) {
        if (dataLink_->GetMappedField(i) != field) continue;
        const int col = i + indicatorOffset_;
        if (col >= FixedCols()) {
            MoveColRow(col, Row(), true, true);
            DoColEnter();
        } else {
            dataLink_->UpdateRecord();
            HideCellControl();
            MoveColRow(col, Row(), true, false);
            InvalidateEditor();
            DoColEnter();
        }
    }
}

// ---- events

void TwwCustomDBGrid::DoTopRowChanged() {
    ui::Fire(OnTopRowChanged, &Widget());
    if (!GroupFieldName.isEmpty()) InvalidateGrid();
}

void TwwCustomDBGrid::DoRowChanged() {
    ui::Fire(OnRowChanged, &Widget());
    DoCellChanged();
}

void TwwCustomDBGrid::DoCellChanged() {
    if (!checkingRowChange_) ui::Fire(OnCellChanged, &Widget());
}

void TwwCustomDBGrid::DoFieldChanged(TField* field) {
    if (OnFieldChanged) OnFieldChanged(&Widget(), field);
}

void TwwCustomDBGrid::DoUpdateFooter() { ui::Fire(OnUpdateFooter, &Widget()); }

void TwwCustomDBGrid::DoColEnter() {
    ui::Fire(OnColEnter, &Widget());
    DoCellChanged();
}

void TwwCustomDBGrid::DoColExit() { ui::Fire(OnColExit, &Widget()); }

// ---- the engine's answers

bool TwwCustomDBGrid::IsProportionalColResize() const {
    return options_.Contains(dgProportionalColResize) && !useTFields_;
}

bool TwwCustomDBGrid::CellHasCustomControl(int, int) { return false; }

bool TwwCustomDBGrid::CanEditGrid() const { return options_.Contains(dgEditing) && !ReadOnly; }

bool TwwCustomDBGrid::IsMemoCell(int col, int) const {
    const TField* field = GetColumnField(DataColumnOf(col));
    return field && field->DataType() == ftMemo;
}

void TwwCustomDBGrid::ShowEditorIfAllowed() {
    if (EditControlOptions.Contains(ecoDisableEditorIfReadOnly)) {
        const int dataCol = GetCurrentDataColumn();
        if (!useTFields_ && dataCol >= 0 && dataCol < selected_.Count() &&
            controls::IsSelectedLineReadOnly(selected_.Strings(dataCol)))
            return;
    }
    ShowEditor();
}

QString TwwCustomDBGrid::GetCellText(int dataCol) {
    const TField* field = GetColumnField(dataCol);
    return field ? field->DisplayText() : QString();
}

// ---- options and properties

void TwwCustomDBGrid::SetOptions(TwwDBGridOptions value) {
    if (value == options_) return;
    TGridOptions grid;
    if (value.Contains(dgColLines)) grid.Include(goFixedVertLine).Include(goVertLine);
    if (value.Contains(dgRowLines)) grid.Include(goHorzLine);
    if (!value.Contains(dgRowLinesDisableFixed)) grid.Include(goFixedHorzLine);
    if (value.Contains(dgColumnResize)) grid.Include(goColSizing).Include(goColMoving);
    if (value.Contains(dgRowResize)) grid.Include(goRowSizing);
    if (value.Contains(dgTabs)) grid.Include(goTabs);
    if (value.Contains(dgRowSelect)) grid.Include(goRowSelect);
    if (value.Contains(dgEditing) && !value.Contains(dgRowSelect)) grid.Include(goEditing);
    if (value.Contains(dgAlwaysShowEditor)) grid.Include(goAlwaysShowEditor);
    TCustomGrid::SetOptions(grid);
    if (value.Contains(dgWordWrap) != options_.Contains(dgWordWrap)) InvalidateGrid();
    const TwwDBGridOptions old = options_;
    options_ = value;
    if (old.Contains(dgIndicator) != value.Contains(dgIndicator)) baseWidths_.clear();
    const TwwDBGridOptions layout{dgEditing,       dgAlwaysShowEditor, dgTitles,        dgIndicator,
                                  dgColLines,      dgRowLines,         dgRowSelect,     dgAlwaysShowSelection,
                                  dgPerfectRowFit, dgShowFooter,       dgFooter3DCells, dgProportionalColResize};
    if (!((old * layout) == (value * layout))) RebuildLayout();
}

void TwwCustomDBGrid::SetTitleFont(const TFont& font) {
    titleFont_.Assign(font);
    RebuildLayout();
}

void TwwCustomDBGrid::TitleFontChanged() {
    if (options_.Contains(dgTitles)) RebuildLayout();
}

void TwwCustomDBGrid::FontChanged() { RebuildLayout(); }

void TwwCustomDBGrid::SetTitleAlignment(TAlignment value) {
    if (value == titleAlignment_) return;
    titleAlignment_ = value;
    RebuildLayout();
}

void TwwCustomDBGrid::SetTitleLines(int value) {
    if (value < 1 || value == titleLines_) return;
    titleLines_ = value;
    RebuildLayout();
}

void TwwCustomDBGrid::SetRowHeightPercent(int value) {
    if (value <= 0) {
        rowHeightPercent_ = 100;
        return;
    }
    const bool changed = value != rowHeightPercent_;
    rowHeightPercent_ = value;
    minRowHeightPercent_ = value;
    if (changed) RebuildLayout();
}

void TwwCustomDBGrid::SetIndicatorIconColor(TColor color) {
    indicatorIconColor_ = color;
    InvalidateRowCells(Row());
}

void TwwCustomDBGrid::SetShowHorzScrollBar(bool value) {
    showHorzScrollBar_ = value;
    SetScrollBars(value && !IsProportionalColResize() ? ssHorizontal : ssNone);
    ApplyScrollBarPolicies();
}

void TwwCustomDBGrid::SetShowVertScrollBar(bool value) {
    showVertScrollBar_ = value;
    ApplyScrollBarPolicies();
    UpdateScrollBar();
    Repaint();
}

void TwwCustomDBGrid::SetUseTFields(bool value) {
    useTFields_ = value;
    baseWidths_.clear();
    RebuildLayout();
}

void TwwCustomDBGrid::ApplyScrollBarPolicies() {
    // The base grid sets the bars by its scroll style; this grid's vertical bar is the dataset's.
    setVerticalScrollBarPolicy(showVertScrollBar_ ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

void TwwCustomDBGrid::InvalidateRowCells(int row) {
    for (int col = 0; col < ColCount(); ++col) InvalidateCell(col, row);
}
