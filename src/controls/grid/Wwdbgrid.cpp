// TwwDBGrid: the published grid's own behaviour on top of the engine.
#include "controls/grid/Wwdbgrid.h"

#include "controls/edit/WwDBEdit.h"
#include "controls/edit/WwFieldLists.h"
#include "controls/edit/WwWindows.h"
#include "platform/db/DataSource.h"
#include "platform/db/Field.h"
#include "platform/rtl/Messages.h"
#include "platform/ui/Dispatch.h"
#include "platform/ui/Form.h"

#include <QApplication>

TwwDBGrid::TwwDBGrid(QWidget* parent) : TwwCustomDBGrid(parent) {
    iniAttributes_.SetDelimiter(QStringLiteral(";;"));
    exportOptions_.Selection = &selection_;
}

TwwDBGrid::~TwwDBGrid() {
    destroying_ = true;
    // The form's cell controls are the form's: they outlive the grid.
    for (auto& [control, parent] : borrowedControls_)
        if (control && parent && control->parentWidget() == this) {
            control->hide();
            control->setParent(parent);
        }
    if (iniAttributes_.Enabled) {
        // A layout that cannot be written is given up quietly: the window is going away.
        try {
            SaveToIniFile();
        } catch (...) {
        }
        iniAttributes_.Enabled = false;
    }
}

void TwwDBGrid::SetMemoAttributes(TwwMemoAttributes value) {
    memoAttributes_ = value;
    SyncWithDataSet();
    InvalidateGrid();
}

void TwwDBGrid::SetFixedCols(int value) {
    if (IsDesigning() && (value < 0 || (DataLinkActive() && value + IndicatorOffset() >= ColCount()))) {
        MessageDlg(QStringLiteral("Invalid value for FixedCols"), mtWarning, {mbOK});
        return;
    }
    fixedCols_ = value;
    RebuildLayout();
}

void TwwDBGrid::ApplyFixedCols() {
    const int fixed = fixedCols_ + IndicatorOffset();
    if (fixed == TCustomGrid::FixedCols() || !DataLinkActive() || fixed >= ColCount() || fixedCols_ < 0) return;
    TCustomGrid::SetFixedCols(fixed);
    if (Options().Contains(dgFixedEditable) && LeftCol() == fixed) MoveToDataColumn(0);
    // The engine's pass that follows gives the data columns their tab stops back.
    for (int col = 0; col <= fixed; ++col) SetTabStops(col, false);
}

void TwwDBGrid::SetColumnAttributes() {
    ApplyFixedCols();
    TwwCustomDBGrid::SetColumnAttributes();
}

void TwwDBGrid::Loaded() {
    if (const TForm* form = ParentForm()) iniAttributes_.SetFormName(form->Name());
    TwwCustomDBGrid::Loaded();
}

void TwwDBGrid::SaveToIniFile() {
    if (!IsDesigning()) iniAttributes_.SaveLayout(destroying_);
}

void TwwDBGrid::LoadFromIniFile() {
    if (!IsDesigning()) iniAttributes_.LoadLayout();
}

void TwwDBGrid::showEvent(QShowEvent* event) {
    TwwCustomDBGrid::showEvent(event);
    if (!loadLayoutOnShow_) return;
    loadLayoutOnShow_ = false;
    if (iniAttributes_.Enabled) ui::Dispatch(this, [&] { LoadFromIniFile(); });
}

// ---- marks

bool TwwDBGrid::IsRowSelected(int dataRow) { return selection_.IsRowSelected(dataRow); }

bool TwwDBGrid::IsSelected() { return selection_.IsSelected(); }

void TwwDBGrid::Paint(const TRect& area) {
    if (Options().Contains(dgMultiSelect)) selection_.RefreshSelectedRows();
    TwwCustomDBGrid::Paint(area);
    ScheduleCellControlUpdate();
}

// ---- cells

QString TwwDBGrid::GetCellText(int dataCol) {
    TField* field = GetColumnField(dataCol);
    const int col = dataCol + IndicatorOffset();
    const auto& info = ColumnInfo();
    if (field && field->DataType() != ftMemo && col >= 0 && col < int(info.size())) {
        // A link cell shows its text, never the address behind it.
        if (info[col].Kind == QLatin1String("URL-Link")) {
            QString text;
            QString address;
            SplitURLLink(field->AsString(), text, address);
            return text;
        }
        // A control that maps values (a combo box's items) shows its display text in the cell too.
        if (IsEditControlKind(info[col].Kind))
            if (const auto* edit = dynamic_cast<const TwwDBCustomEdit*>(info[col].Control)) {
                QString text;
                if (edit->GetDisplayTextForValue(field->AsString(), text)) return text;
            }
    }
    if (!field || field->DataType() != ftMemo) return TwwCustomDBGrid::GetCellText(dataCol);
    const TDataSet* dataSet = DataLink().DataSet();
    if (dataSet && dataSet->Bof() && dataSet->Eof() && dataSet->State() != dsInsert) return {};
    if (!memoAttributes_.Contains(mGridShow)) return QStringLiteral("(Memo)");
    try {
        return field->AsString();
    } catch (...) {
        return QStringLiteral("(Memo)");
    }
}

void TwwDBGrid::WriteEditText() {
    TField* field = GetSelectedField();
    fieldChanged_ = field && field->EditText() == LastEditText();
    if (WriteEditTextChecked() && !fieldChanged_) DoFieldChanged(field);
}

void TwwDBGrid::DoFieldChanged(TField* field) {
    fieldChanged_ = true;
    TwwCustomDBGrid::DoFieldChanged(field);
}

bool TwwDBGrid::IsSelectedColumn(int col) const {
    const TField* field = GetColumnField(DataColumnOf(col));
    return field && field->Calculated() && field->FieldName().toLower() == QLatin1String("selected");
}

bool TwwDBGrid::IsCheckBoxCell(int col, int row) const {
    QString unchecked;
    QString checked;
    return IsDataCell(col, row) && GetCheckBoxValues(col, row, unchecked, checked);
}

bool TwwDBGrid::TakesCellInput(int col, int row) const {
    return IsMemoCell(col, row) || CanEditGrid() || (IsCheckBoxCell(col, row) && IsSelectedColumn(col));
}

void TwwDBGrid::ToggleCheckBox(int col, int row) {
    QString unchecked;
    QString checked;
    if (!IsDataCell(col, row) || !GetCheckBoxValues(col, row, unchecked, checked)) return;
    const int dataCol = DataColumnOf(col);
    TField* field = GetColumnField(dataCol);
    if (!field || field->ReadOnly()) return;
    if (TwwColumn* column = GetColumnByDataCol(dataCol); column && column->GetReadOnly()) return;
    if (IsSelectedColumn(col)) {
        selection_.ToggleSelection();
        InvalidateCell(col, row);
        return;
    }
    TDataSource* source = DataSource();
    TDataSet* dataSet = DataLink().DataSet();
    if (!source || !dataSet) return;
    const bool editing = dataSet->State() == dsEdit || dataSet->State() == dsInsert;
    if (!(source->AutoEdit || editing) || !dataSet->CanModify()) return;
    if (dataSet->State() == dsBrowse && dataSet->Bof() && dataSet->Eof() && !KeyOptions.Contains(dgAllowInsert)) return;
    DataLink().Edit();
    const bool wasChecked = GetCellText(dataCol).compare(checked, Qt::CaseInsensitive) == 0;
    field->SetEditText(wasChecked ? unchecked : checked);
    InvalidateCell(col, row);
}

void TwwDBGrid::OpenMemoDialog() {
    if (memoAttributes_.Contains(mDisableDialog)) return;
    TField* field = GetSelectedField();
    if (!field) return;
    TwwMemoDialog dialog(this);
    dialog.SetDataSource(DataSource());
    dialog.SetDataField(field->FieldName());
    dialog.MemoAttributes = memoAttributes_;
    if (!CanEditGrid() || field->ReadOnly()) dialog.MemoAttributes.Include(mViewOnly);
    dialog.Caption = field->DisplayLabel().replace(u'~', u' ');
    dialog.SetFont(Font());
    dialog.DlgLeft = -1;
    if (OnMemoOpen) OnMemoOpen(this, dialog);
    const bool accepted = dialog.Execute();
    if (OnMemoClose) OnMemoClose(this, !accepted);
    InvalidateCell(Col(), Row());
    SetEditorMode(false);
}

// ---- keys and the mouse

void TwwDBGrid::KeyDown(Word& key, TShiftState shift) {
    const Word pressed = key;
    spaceTaken_ = false;
    if (TControl* control = VisibleCellControl(); control && DataLinkActive()) {
        // Alt+Down opens the control's list; F2 and Delete on an editable grid go to the control.
        if (key == VK_DOWN && shift == TShiftState{ssAlt}) {
            control->SetFocus();
            QWidget* target = QApplication::focusWidget();
            PostKeyWithModifier(target ? *target : control->Widget(), VK_DOWN, VK_MENU);
            key = 0;
            return;
        }
        if (CanEditGrid() && shift.IsEmpty() && (key == VK_F2 || key == VK_DELETE)) {
            if (key == VK_F2) control->SetFocus();
            else ForwardToCellControl(key, QChar(), Qt::NoModifier);
            key = 0;
            return;
        }
    }
    TwwCustomDBGrid::KeyDown(key, shift);
    if (pressed == 0 || !DataLinkActive() || !CanGridAcceptKey(pressed, shift)) return;
    const bool multi = Options().Contains(dgMultiSelect);
    if (pressed == VK_SPACE && multi && Options().Contains(dgRowSelect)) {
        selection_.ToggleSelection();
        spaceTaken_ = true;
        key = 0;
        return;
    }
    if (!TakesCellInput(Col(), Row())) return;
    if (pressed == VK_SPACE && IsCheckBoxCell(Col(), Row())) {
        ToggleCheckBox(Col(), Row());
        spaceTaken_ = true;
        key = 0;
    } else if (pressed == VK_F2 && IsMemoCell(Col(), Row())) {
        key = 0;
        OpenMemoDialog();
    }
}

void TwwDBGrid::KeyPress(QChar& key) {
    if (spaceTaken_ && key == QChar(u' ')) {
        spaceTaken_ = false;
        key = QChar();
        return;
    }
    // Characters typed on a control cell of an editable grid are the control's; without one they are dropped.
    const bool character = key == QChar(u'\b') || key.unicode() >= 32;
    const bool controlCell =
        (IsMemoCell(Col(), Row()) || CellHasCustomControl(Col(), Row())) && !IsCheckBoxCell(Col(), Row());
    if (character && CanEditGrid() && DataLinkActive() && controlCell) {
        ForwardToCellControl(0, key, Qt::NoModifier);
        key = QChar();
        return;
    }
    TwwCustomDBGrid::KeyPress(key);
}

void TwwDBGrid::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    const TGridCoord cell = MouseCoord(x, y);
    const bool doubleClick = shift.Contains(ssDouble);
    TwwCustomDBGrid::MouseDown(button, shift, x, y);
    if (button != mbLeft || !DataLinkActive() || !IsDataCell(cell.X, cell.Y) || cell.Y != Row()) return;
    const bool multi = Options().Contains(dgMultiSelect);
    const bool checkBoxClick = EditControlOptions.Contains(ecoCheckboxSingleClick) ? !doubleClick : doubleClick;
    if ((CanEditGrid() || IsSelectedColumn(cell.X) || multi) && checkBoxClick && IsCheckBoxCell(cell.X, cell.Y))
        ToggleCheckBox(cell.X, cell.Y);
    if (!multi || doubleClick) return;
    if (shift.Contains(ssShift) && selection_.AnchorValid()) selection_.SelectRangeToAnchor();
    else selection_.SetAnchor(DataLink().DataSet()->GetBookmark());
}

void TwwDBGrid::DblClick() {
    TwwCustomDBGrid::DblClick();
    if (DataLinkActive() && IsMemoCell(Col(), Row())) OpenMemoDialog();
}
