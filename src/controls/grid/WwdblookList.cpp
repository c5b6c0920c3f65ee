// The lookup list: its lookup source and key fields, the cached chosen value, which row is highlighted, and
// how the lookup table is brought onto the value.
#include "controls/grid/WwdblookList.h"

#include "controls/grid/Wwdblook.h"
#include "platform/db/Field.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Messages.h"
#include "platform/ui/Dispatch.h"

#include <QScrollBar>

namespace {}  // namespace

TwwDBLookupList::TwwDBLookupList(QWidget* parent) : TwwCustomDBGrid(parent) {
    ownLink_.OnDataChange = [this] { OwnDataChange(); };
    ownLink_.OnUpdateData = [this] { OwnUpdateData(); };
    ownLink_.OnActiveChange = [this] {
        if (ownLink_.Active() && DataLink().Active()) OwnDataChange();
    };
    TwwCustomDBGrid::SetOptions({dgRowSelect, dgRowLinesDisableFixed});
    SetFixedCols(0);
    SetFixedRows(0);
    resize(121, 97);
    ownedSource_ = std::make_unique<TDataSource>();
    SetLookupSource(ownedSource_.get());
}

TwwDBLookupList::~TwwDBLookupList() {
    ownLink_.OnDataChange = nullptr;
    ownLink_.OnUpdateData = nullptr;
    ownLink_.OnActiveChange = nullptr;
    ownLink_.SetDataSource(nullptr);
    TwwCustomDBGrid::SetDataSource(nullptr);
}

void TwwDBLookupList::SetLookupTable(TDataSet* table) {
    if (!lookupSource_) {
        MessageDlg(QStringLiteral("Lookup Source is not created"), mtInformation, {mbOK});
        return;
    }
    if (table && ((ownLink_.DataSource() && ownLink_.DataSource()->DataSet() == table) || ownLink_.DataSet() == table))
        throw EInvalidOperation(lookup_combo::kDuplicateSource);
    lookupSource_->SetDataSet(table);
    LookupTableChanged();
}

void TwwDBLookupList::SetLookupSource(TDataSource* source) {
    if (source && (source == ownLink_.DataSource() || (source->DataSet() && source->DataSet() == ownLink_.DataSet())))
        throw EInvalidOperation(lookup_combo::kDuplicateSource);
    lookupSource_ = source;
    TwwCustomDBGrid::SetDataSource(source);
    LookupTableChanged();
}

void TwwDBLookupList::SetLookupField(const QString& value) {
    if (value == lookupField_) return;
    lookupField_ = value;
    LookupTableChanged();
}

void TwwDBLookupList::SetDataSource(TDataSource* source) {
    if (source && (source == lookupSource_ || (source->DataSet() && source->DataSet() == LookupTable())))
        throw EInvalidOperation(lookup_combo::kDuplicateSource);
    ownLink_.SetDataSource(source);
}

void TwwDBLookupList::SetOptions(TwwDBLookupListOptions value) {
    if (value == listOptions_) return;
    listOptions_ = value;
    TwwDBGridOptions grid{dgRowSelect, dgRowLinesDisableFixed};
    if (value.Contains(loColLines)) grid = grid + TwwDBGridOptions{dgColLines};
    if (value.Contains(loRowLines)) grid = grid + TwwDBGridOptions{dgRowLines};
    if (value.Contains(loTitles)) grid = grid + TwwDBGridOptions{dgTitles};
    TwwCustomDBGrid::SetOptions(grid);
}

void TwwDBLookupList::SetCachedValues(const QString& lookup, const QString& second, const QString& third) {
    lookupValue_ = lookup;
    secondValue_ = second;
    thirdValue_ = third;
}

void TwwDBLookupList::LookupTableChanged() {
    ResolveFields(true);
    RebuildLayout();
    lookupValue_.clear();
    secondValue_.clear();
    thirdValue_.clear();
    OwnDataChange();
}

void TwwDBLookupList::ResolveFields(bool raiseErrors) {
    displayField_ = keyField_ = secondField_ = thirdField_ = nullptr;
    keyFieldCount_ = 0;
    TDataSet* table = LookupTable();
    if (!DataLink().Active() || lookupField_.isEmpty() || !table) return;
    const QStringList parts = lookupField_.split(QLatin1Char(';'));
    keyField_ = table->FindField(parts.value(0));
    if (!keyField_ && raiseErrors) throw EInvalidOperation(QStringLiteral("Field '%1' not found").arg(lookupField_));
    if (parts.size() > 1) secondField_ = table->FindField(parts[1]);
    if (parts.size() > 2) thirdField_ = table->FindField(parts[2]);
    keyFieldCount_ = thirdField_ ? 3 : (secondField_ ? 2 : 1);
    if (!keyField_) return;
    if (Selected().Count() > 0)
        displayField_ = table->FindField(Selected().Strings(0).section(QLatin1Char('\t'), 0, 0));
    if (!displayField_) displayField_ = keyField_;
}

void TwwDBLookupList::DefineFieldMap() {
    ResolveFields(false);
    if (!keyField_) return;
    TwwCustomDBGrid::DefineFieldMap();
    if (UseTFields() && DataLink().MappedCount() == 0) DataLink().AddMapping(keyField_->FieldName());
}

void TwwDBLookupList::SetColumnAttributes() {
    TwwCustomDBGrid::SetColumnAttributes();
    const int columns = ColCount() - IndicatorOffset();
    if (DataLink().MappedCount() == 0 || columns <= 0) return;
    int sum = 0;
    for (int c = IndicatorOffset(); c < ColCount() - 1; ++c)
        sum += ColWidths(c) + (listOptions_.Contains(loColLines) ? 1 : 0);
    if (columns == 1 || sum < ClientWidth() - 15) SetColWidths(ColCount() - 1, ClientWidth() - sum);
}

void TwwDBLookupList::Resize() {
    if (isHidden() && !Sizing) return;
    TwwCustomDBGrid::Resize();
    SetColumnAttributes();
}

bool TwwDBLookupList::CanModifyValue() const { return true; }

void TwwDBLookupList::LinkActive(bool value) {
    TwwCustomDBGrid::LinkActive(value);
    // A closed table's fields may be gone: no reference outlives the link.
    if (!DataLink().Active()) ResolveFields(false);
    if (DataLink().Active() && !(combo_ && combo_->CustomSearchRunning())) {
        SetLookupValue(QString());
        OwnDataChange();
    }
}

void TwwDBLookupList::DataChanged() { TwwCustomDBGrid::DataChanged(); }

void TwwDBLookupList::Scroll(int distance) {
    if (isVisible() && highlighted_ >= 0) {
        highlighted_ -= distance;
        if (highlighted_ < 0 || highlighted_ >= VisibleRowCount()) highlighted_ = -1;
    }
    TwwCustomDBGrid::Scroll(distance);
}

bool TwwDBLookupList::IsHighlighted(int, int dataRow, TGridDrawState, const QString&) {
    if (!DataLink().Active() || !keyField_ || dataRow < 0 || dataRow >= DataLink().RecordCount()) return false;
    if (CanModifyValue() && (selecting_ || keyboard_)) {
        const bool current = dataRow == DataRowOf(Row());
        if (current) highlighted_ = dataRow;
        return current;
    }
    const int saved = DataLink().ActiveRecord();
    bool match = false;
    DataLink().SetActiveRecord(dataRow);
    try {
        match = keyField_->AsString() == lookupValue_ && (!secondField_ || secondField_->AsString() == secondValue_) &&
                (!thirdField_ || thirdField_->AsString() == thirdValue_);
    } catch (...) {
        DataLink().SetActiveRecord(saved);
        throw;
    }
    DataLink().SetActiveRecord(saved);
    if (match) highlighted_ = dataRow;
    return match;
}

void TwwDBLookupList::Paint(const TRect& area) {
    TwwCustomDBGrid::Paint(area);
    if (hasFocus() && highlighted_ >= 0) {
        const int row = highlighted_ + TitleRowCount();
        const TRect first = CellRect(IndicatorOffset(), row);
        const TRect last = CellRect(ColCount() - 1, row);
        Canvas().DrawFocusRect({first.Left, first.Top, last.Right, last.Bottom});
    }
}

void TwwDBLookupList::InvalidateHighlightedRow() {
    if (highlighted_ >= 0) InvalidateRow(highlighted_ + TitleRowCount());
}

// ---- keys

bool TwwDBLookupList::WantsKey(Word key, TShiftState shift) const {
    if (key >= VK_PRIOR && key <= VK_DOWN) return true;
    return TwwCustomDBGrid::WantsKey(key, shift);
}

bool TwwDBLookupList::AcceptsNavigationKey(Word key, TShiftState) {
    if (key == VK_INSERT) return false;
    if (key < VK_PRIOR || key > VK_DOWN) return true;
    if (ownLink_.Active()) ownLink_.Edit();
    if (combo_) combo_->SetModified(true);
    if (key >= VK_LEFT && !CanModifyValue()) return false;
    TDataSet* table = LookupTable();
    if (!table || !table->Active()) return true;
    // The row painting marks as chosen, when none was painted since the value changed.
    const bool keyboard = keyboard_;
    keyboard_ = false;
    for (int record = 0; highlighted_ < 0 && record < DataLink().RecordCount(); ++record)
        IsHighlighted(0, record, {}, QString());
    keyboard_ = keyboard;
    if (highlighted_ >= 0) {
        if (highlighted_ != DataLink().ActiveRecord()) table->MoveBy(highlighted_ - DataLink().ActiveRecord());
        return true;
    }
    if (found_) {
        SyncToLookupValue(true);
        return true;
    }
    table->First();
    Word none = 0;
    if (OnListKeyDown) OnListKeyDown(&Widget(), none, {});
    InvalidateRow(TitleRowCount());
    RecordChosen();
    return false;
}

void TwwDBLookupList::KeyDown(Word& key, TShiftState shift) {
    const Word original = key;
    keyboard_ = true;
    try {
        TDataSet* table = LookupTable();
        if (AcceptsNavigationKey(key, shift) && table && table->Active()) {
            // The grid's own row keys move the lookup table, a row or a page at a time.
            const int page = qMax(1, VisibleRowCount());
            switch (key) {
                case VK_UP: table->Prior(); break;
                case VK_DOWN: table->Next(); break;
                case VK_PRIOR: table->MoveBy(-page); break;
                case VK_NEXT: table->MoveBy(page); break;
                case VK_HOME: table->First(); break;
                case VK_END: table->Last(); break;
                default: break;
            }
        }
    } catch (...) {
        keyboard_ = false;
        throw;
    }
    keyboard_ = false;
    switch (original) {
        case VK_PRIOR:
        case VK_NEXT:
        case VK_END:
        case VK_HOME:
        case VK_UP:
        case VK_DOWN:
            if (CanModifyValue()) {
                highlighted_ = DataLink().ActiveRecord();
                InvalidateGrid();
                RecordChosen();
            }
            break;
        default: break;
    }
    key = 0;
}

void TwwDBLookupList::KeyPress(QChar& key) {
    if (key == QChar(0x1B)) {
        ownLink_.Reset();
        key = QChar();
        return;
    }
    if (key.unicode() >= 32 && ownLink_.Active()) ownLink_.Edit();
}

// ---- mouse

void TwwDBLookupList::FollowRow(int row) {
    TDataSet* table = LookupTable();
    const int record = row - TitleRowCount();
    if (!table || !table->Active() || record < 0 || record >= DataLink().RecordCount()) return;
    if (record != DataLink().ActiveRecord()) table->MoveBy(record - DataLink().ActiveRecord());
}

void TwwDBLookupList::MouseDown(TMouseButton button, TShiftState, int x, int y) {
    if (button != mbLeft || !lookupSource_ || !displayField_) return;
    const TGridCoord cell = MouseCoord(x, y);
    const int record = cell.Y - TitleRowCount();
    if (cell.Y < 0 || record < 0 || record >= DataLink().RecordCount()) return;
    if (ownLink_.Active()) ownLink_.Edit();
    selecting_ = true;
    InvalidateHighlightedRow();
    highlighted_ = record;
    FollowRow(cell.Y);
    InvalidateGrid();
}

void TwwDBLookupList::MouseMove(TShiftState, int x, int y) {
    if (!selecting_) return;
    FollowRow(MouseCoord(x, y).Y);
}

void TwwDBLookupList::MouseUp(TMouseButton, TShiftState, int x, int y) {
    if (!selecting_) return;
    FollowRow(MouseCoord(x, y).Y);
    highlighted_ = DataLink().ActiveRecord();
    selecting_ = false;
    RecordChosen();
}

void TwwDBLookupList::RecordChosen() {
    if (CanModifyValue() && !(combo_ && combo_->ReadOnly()) && displayField_) {
        if (ownLink_.Editing()) ownLink_.Modified();
        displayValue_ = displayField_->AsString();
        lookupValue_ = keyField_ == displayField_ ? displayValue_ : keyField_->AsString();
        if (secondField_) secondValue_ = secondField_->AsString();
        if (thirdField_) thirdValue_ = thirdField_->AsString();
    }
    if (OnClick) OnClick(&Widget());
}

// ---- the value

void TwwDBLookupList::OwnDataChange() {
    if (ownLink_.Field() && !Loading()) SetLookupValue(ownLink_.Field()->AsString());
}

void TwwDBLookupList::OwnUpdateData() {
    if (ownLink_.Field()) ownLink_.Field()->SetAsString(lookupValue_);
}

void TwwDBLookupList::SetLookupValue(const QString& value) {
    if (DataLink().Active() && ownLink_.Active() &&
        (ownLink_.DataSource() == lookupSource_ || ownLink_.DataSet() == LookupTable()))
        throw EInvalidOperation(lookup_combo::kDuplicateSource);
    if (!DataLink().Active() || !keyField_) return;
    if (value == lookupValue_ && Row() != TitleRowCount()) return;
    lookupValue_ = value;
    highlighted_ = -1;
    if (NestedChange > 0 && combo_ && combo_->IsBoundToLookupField()) {
        displayValue_ = combo_->Field()->AsString();
    } else if (keyField_ == displayField_) {
        displayValue_ = value;
    } else if (!combo_ || combo_->isVisible()) {
        SyncToLookupValue(false);
        displayValue_ = found_ && displayField_ ? displayField_->AsString() : QString();
    }
}

void TwwDBLookupList::SetDisplayValue(const QString& value) {
    if (value == displayValue_ && Row() != TitleRowCount()) return;
    found_ = false;
    if (DataLink().Active() && displayField_) {
        highlighted_ = -1;
        if (combo_) {
            found_ = combo_->LookupDisplayValue(lookupValue_, lookupField_, false,
                                                combo_->SeqSearchOptions.Contains(ssoCaseSensitive), false);
            combo_->SetFoundFlag(found_);
            combo_->SetSearchedText(combo_->Text());
            if (combo_->Text().isEmpty()) combo_->SetFoundFlag(true);
        }
    }
    displayValue_ = value;
    if (keyField_ == displayField_) lookupValue_ = value;
    else if (found_ && keyField_) lookupValue_ = keyField_->AsString();
    if (!found_) {
        displayValue_.clear();
        lookupValue_.clear();
    }
}

void TwwDBLookupList::FindCurrentValue() {
    found_ = false;
    if (!combo_ || !combo_->isVisible() || lookupField_.isEmpty()) return;
    const QString value = combo_->Field() ? combo_->Field()->AsString() : lookupValue_;
    found_ = combo_->LookupDisplayValue(value, lookupField_, false, combo_->SeqSearchOptions.Contains(ssoCaseSensitive),
                                        true);
}

void TwwDBLookupList::SyncToLookupValue(bool restoreDisplayOrder) {
    found_ = false;
    if (!combo_ || !combo_->isVisible()) return;
    TDataSet* table = LookupTable();
    if (!table || !table->Active()) return;
    if (combo_->IsBoundToLookupField()) {
        // A standard lookup field: the record's last key field against the lookup table's last key field.
        TField* field = combo_->Field();
        const QStringList keys = field->KeyFields.split(QLatin1Char(';'));
        const QStringList lookupKeys = field->LookupKeyFields.split(QLatin1Char(';'));
        const int pairs = qMin(keys.size(), lookupKeys.size());
        TField* recordKey = pairs > 0 ? field->DataSet()->FindField(keys[pairs - 1]) : nullptr;
        if (recordKey)
            found_ = combo_->LookupDisplayValue(recordKey->AsString(), lookupKeys[pairs - 1], false, false, false);
        if (restoreDisplayOrder) combo_->SetSearchOrder(true);
        if (found_) {
            lookupValue_ = keyField_ ? keyField_->AsString() : QString();
            if (secondField_) secondValue_ = secondField_->AsString();
            if (thirdField_) thirdValue_ = thirdField_->AsString();
        } else {
            table->First();
            lookupValue_.clear();
            if (secondField_) secondValue_.clear();
            if (thirdField_) thirdValue_.clear();
            InvalidateGrid();
        }
        return;
    }
    if (!lookupField_.isEmpty()) combo_->SetSearchOrder(false);
    if (table->State() == dsSetKey) return;
    if (!combo_->Field() && keyField_ && keyField_ == displayField_) {
        lookupValue_ = combo_->Text();
        displayValue_ = combo_->Text();
    }
    FindCurrentValue();
    if (restoreDisplayOrder) {
        combo_->SetFoundFlag(found_);
        combo_->SetSearchedText(combo_->Text());
        if (combo_->Text().isEmpty()) combo_->SetFoundFlag(true);
        combo_->SetSearchOrder(true);
        if (!found_) table->First();
    }
}

// ---- the popup

TwwPopupGrid::TwwPopupGrid(TwwDBCustomLookupCombo* combo) : TwwDBLookupList(combo) {
    combo_ = combo;
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    viewport()->setFocusPolicy(Qt::NoFocus);
    verticalScrollBar()->setFocusPolicy(Qt::NoFocus);
    horizontalScrollBar()->setFocusPolicy(Qt::NoFocus);
    // The window's one-pixel border.
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    SetShowHorzScrollBar(false);
    PadColumnStyle = pcsPlain;
}

bool TwwPopupGrid::CanModifyValue() const {
    if (!combo_->DataSource()) return true;
    if (combo_->DataLink().Editing()) return true;
    const TDataSource* source = combo_->DataSource();
    return combo_->IsBoundToLookupField() &&
           (source->State() == dsEdit || source->State() == dsInsert || source->AutoEdit);
}

void TwwPopupGrid::LinkActive(bool value) {
    TwwDBLookupList::LinkActive(value);
    if (!DataLink().Active()) return;
    if (!KeyField()) ResolveFields(true);
    if (!combo_->CustomSearchRunning()) {
        SetLookupValue(QString());
        // An unbound combo keeps what it shows when its table opens, so the list finds the shown value and a
        // close without a choice changes nothing.
        if (combo_->DataSource()) combo_->DataChange();
    }
}

void TwwPopupGrid::changeEvent(QEvent* event) {
    TwwDBLookupList::changeEvent(event);
    // A window system that activates the list anyway: the combo's window takes the activation back, so the
    // keys go on to the combo.
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        ui::Dispatch(this, [this] {
            combo_->window()->activateWindow();
            combo_->SetFocus();
        });
}

void TwwPopupGrid::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    combo_->EditField();
    TwwDBLookupList::MouseDown(button, shift, x, y);
}

void TwwPopupGrid::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TwwDBLookupList::MouseUp(button, shift, x, y);
    if (button == mbLeft) combo_->CloseUp(true);
}
