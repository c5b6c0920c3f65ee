// TwwDBGrid's cell controls: the edit controls that ControlType lines name and the grid's own date/time picker,
// bound to the current cell's field, shown over the cell while the grid holds the focus and hidden when the
// column is left; keys typed on the grid go on to them.
#include "controls/edit/DateTimePicker.h"
#include "controls/edit/WwDBEdit.h"
#include "controls/edit/WwFieldLists.h"
#include "controls/edit/WwWindows.h"
#include "controls/grid/WwInplaceEdit.h"
#include "controls/grid/WwSelectedList.h"
#include "controls/grid/Wwdbgrid.h"
#include "platform/db/DataSource.h"
#include "platform/db/Field.h"
#include "platform/rtl/Exceptions.h"
#include "platform/ui/Dispatch.h"
#include "platform/ui/Keys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

namespace {

const QString kControlLineSeparator = QStringLiteral(";");

// Binds a data-aware control to a field; a control that already shows it is left alone.
void BindCellControl(TControl& control, TDataSource* source, const QString& fieldName) {
    if (auto* edit = dynamic_cast<TwwDBCustomEdit*>(&control)) {
        if (edit->DataSource() != source) edit->SetDataSource(source);
        if (edit->DataField().compare(fieldName, Qt::CaseInsensitive) != 0) edit->SetDataField(fieldName);
    } else if (auto* picker = dynamic_cast<TwwDBCustomDateTimePicker*>(&control)) {
        if (picker->DataSource() != source) picker->SetDataSource(source);
        if (picker->DataField().compare(fieldName, Qt::CaseInsensitive) != 0) picker->SetDataField(fieldName);
    } else {
        SetDataSourceProp(&control, source);
        SetDataFieldProp(&control, fieldName);
    }
}

}  // namespace

// The grid draws the cell's lines around the control: the control brings no border of its own.
void TwwDBGrid::FitIntoGrid(TControl& control) {
    QWidget& widget = control.Widget();
    if (widget.parentWidget() != this) {
        if (&control != picker_) borrowedControls_.emplace_back(&widget, widget.parentWidget());
        widget.hide();
        widget.setParent(this);
    }
    if (auto* edit = dynamic_cast<QLineEdit*>(&widget)) edit->setFrame(false);
    control.Font().Assign(Font());
}

void TwwDBGrid::PrepareCellControls() {
    if (EditControlOptions.Contains(ecoDisableCustomControls) || !DataSource() || !DataLink().DataSet() || Loading())
        return;
    const TStrings& lines = *GetControlTypeList();
    for (int i = 0; i < lines.Count(); ++i) {
        const QStringList parts = lines[i].split(kControlLineSeparator);
        if (parts.size() < 3 || !IsEditControlKind(parts[1])) continue;
        TControl* control = FindEditControl(parts[2]);
        if (!control) continue;
        FitIntoGrid(*control);
        BindCellControl(*control, DataSource(), parts[0]);
    }
    cellControlsPrepared_ = true;
}

TwwDBDateTimePicker* TwwDBGrid::CreateDateTimePicker() {
    auto* picker = new TwwDBDateTimePicker(this);
    picker->hide();
    return picker;
}

void TwwDBGrid::DoCreateDateTimePicker(TwwDBDateTimePicker* picker) {
    if (OnCreateDateTimePicker) OnCreateDateTimePicker(this, picker);
}

void TwwDBGrid::AttachCellControl() {
    if (IsDesigning() || Options().Contains(dgRowSelect) || !DataLinkActive()) return;
    if (!cellControlsPrepared_) PrepareCellControls();
    TControl* control = nullptr;
    const int col = Col();
    const auto& info = ColumnInfo();
    if (IsDataCell(col, Row()) && col < int(info.size()) && IsEditControlKind(info[col].Kind))
        control = info[col].Control;
    TField* field = GetSelectedField();
    if (control) {
        FitIntoGrid(*control);
        BindCellControl(*control, DataSource(), field ? field->FieldName() : QString());
    } else if (dynamic_cast<TDateTimeField*>(field) && !EditControlOptions.Contains(ecoDisableDateTimePicker)) {
        if (!picker_) {
            picker_ = CreateDateTimePicker();
            DoCreateDateTimePicker(picker_);
        }
        const int dataCol = GetCurrentDataColumn();
        const bool columnReadOnly = !UseTFields() && dataCol < Selected().Count() &&
                                    controls::IsSelectedLineReadOnly(Selected().Strings(dataCol));
        picker_->SetReadOnly(field->ReadOnly() || columnReadOnly);
        FitIntoGrid(*picker_);
        BindCellControl(*picker_, DataSource(), field->FieldName());
        control = picker_;
    }
    if (activeControl_ && activeControl_ != control) HideCellControl();
    activeControl_ = control;
    ScheduleCellControlUpdate();
}

void TwwDBGrid::ScheduleCellControlUpdate() {
    if (cellControlUpdatePending_ || !activeControl_) return;
    cellControlUpdatePending_ = true;
    QMetaObject::invokeMethod(
        this, [this] { ui::Dispatch(this, [this] { UpdateCellControl(); }); }, Qt::QueuedConnection);
}

bool TwwDBGrid::PlaceCellControl(TControl& control) {
    const TRect cell = CellRect(Col(), Row());
    if (cell.Width() <= 0 || cell.Height() <= 0) return false;
    const QRect rect = ui::ToQRect(cell).translated(viewport()->pos());
    if (control.Widget().geometry() != rect) control.Widget().setGeometry(rect);
    return true;
}

void TwwDBGrid::UpdateCellControl() {
    cellControlUpdatePending_ = false;
    if (!activeControl_ || !GridHasFocus() || !DataLinkActive()) return;
    QWidget& widget = activeControl_->Widget();
    if (!CellHasCustomControl(Col(), Row()) || !PlaceCellControl(*activeControl_)) {
        HideCellControl();
        return;
    }
    if (!widget.isVisible()) {
        widget.show();
        widget.raise();
        if (Options().Contains(dgAlwaysShowEditor) && window()->isActiveWindow()) activeControl_->SetFocus();
    }
    if (InplaceEditor() && InplaceEditor()->isVisible()) InplaceEditor()->hide();
}

TControl* TwwDBGrid::VisibleCellControl() const {
    return activeControl_ && activeControl_->Widget().isVisible() ? activeControl_ : nullptr;
}

void TwwDBGrid::HideCellControl() {
    TControl* control = VisibleCellControl();
    if (!control || control->Widget().parentWidget() != this) return;
    QWidget& widget = control->Widget();
    QWidget* focus = QApplication::focusWidget();
    if (focus && (focus == &widget || widget.isAncestorOf(focus))) {
        // The control hands its value to the field as it loses the focus to the grid.
        widget.move(width() + 10, widget.y());
        FocusGrid();
        if (!hasFocus()) Abort();
    }
    hidingCellControl_ = true;
    widget.hide();
    hidingCellControl_ = false;
}

bool TwwDBGrid::CellHasCustomControl(int col, int row) {
    if (!IsDataCell(col, row)) return false;
    const auto& info = ColumnInfo();
    const QString kind = col < int(info.size()) ? info[col].Kind : QString();
    if (kind == QLatin1String("Bitmap") || kind == QLatin1String("ImageIndex") || kind == QLatin1String("CheckBox"))
        return true;
    // The column info keeps an edit-control kind only when its control was found.
    if (IsEditControlKind(kind)) return info[col].Control != nullptr;
    return dynamic_cast<const TDateTimeField*>(GetColumnField(DataColumnOf(col))) &&
           !EditControlOptions.Contains(ecoDisableDateTimePicker);
}

void TwwDBGrid::GetControlInfo(const QString& fieldName, QString& kind, QString& params) const {
    TwwCustomDBGrid::GetControlInfo(fieldName, kind, params);
    if (EditControlOptions.Contains(ecoDisableCustomControls) && IsEditControlKind(kind)) {
        kind.clear();
        params.clear();
    }
}

bool TwwDBGrid::CanEditShow() {
    if (!TwwCustomDBGrid::CanEditShow()) return false;
    const TInplaceEdit* editor = InplaceEditor();
    if (Options().Contains(dgAlwaysShowEditor) && !GridHasFocus() && editor && !editor->isVisible()) return false;
    return !CellHasCustomControl(Col(), Row()) && !IsMemoCell(Col(), Row());
}

void TwwDBGrid::DoColEnter() {
    AttachCellControl();
    TwwCustomDBGrid::DoColEnter();
}

void TwwDBGrid::DoColExit() {
    TwwCustomDBGrid::DoColExit();
    if (IsDesigning() || !GridHasFocus()) return;
    HideCellControl();
    activeControl_ = nullptr;
}

void TwwDBGrid::ColumnMoved(int from, int to) {
    HideCellControl();
    TwwCustomDBGrid::ColumnMoved(from, to);
}

void TwwDBGrid::TopLeftChanged() {
    TwwCustomDBGrid::TopLeftChanged();
    TControl* control = VisibleCellControl();
    if (!control) return;
    const TRect cell = CellRect(Col(), Row());
    if (cell.Width() <= 0 || cell.Height() <= 0) {
        HideCellControl();
        return;
    }
    if (control->Widget().geometry() != ui::ToQRect(cell).translated(viewport()->pos())) {
        HideCellControl();
        InvalidateGrid();
        ScheduleCellControlUpdate();
    }
}

void TwwDBGrid::Scroll(int distance) {
    if (TControl* control = VisibleCellControl()) {
        QWidget* focus = QApplication::focusWidget();
        const bool inside = focus && (focus == &control->Widget() || control->Widget().isAncestorOf(focus));
        if (inside && CanFocus()) FocusGrid();
    }
    TwwCustomDBGrid::Scroll(distance);
    ScheduleCellControlUpdate();
}

void TwwDBGrid::LinkActive(bool value) {
    if (picker_) picker_->SetDataField(QString());
    activeControl_ = nullptr;
    TwwCustomDBGrid::LinkActive(value);
    if (value) SyncWithDataSet();
}

void TwwDBGrid::SyncWithDataSet() {
    TDataSet* dataSet = DataLink().DataSet();
    if (synchronizing_ || !DataSource() || !dataSet) return;
    synchronizing_ = true;
    try {
        if (ControlInfoInDataset)
            RemoveStaleFieldEntries(*dataSet, GetLookupFieldsProp(dataSet), GetLookupLinksProp(dataSet),
                                    GetControlTypeProp(dataSet));
        HideCellControl();
        activeControl_ = nullptr;
        cellControlsPrepared_ = false;
        PrepareCellControls();
        RebuildLayout();
        AttachCellControl();
    } catch (...) {
        synchronizing_ = false;
        throw;
    }
    synchronizing_ = false;
}

void TwwDBGrid::CMExit() {
    TwwCustomDBGrid::CMExit();
    if (TControl* control = VisibleCellControl()) control->Widget().hide();
}

bool TwwDBGrid::ForwardToCellControl(Word key, QChar character, Qt::KeyboardModifiers modifiers) {
    TControl* control = VisibleCellControl();
    if (!control) return false;
    control->SetFocus();
    QWidget* target = QApplication::focusWidget();
    if (!target || !(target == &control->Widget() || control->Widget().isAncestorOf(target)))
        target = &control->Widget();
    int qtKey = key ? ui::QtKeyOf(key) : 0;
    if (!key && character.unicode() < 128 && character.isLetterOrNumber()) qtKey = character.toUpper().unicode();
    if (character == QChar(u'\b')) qtKey = Qt::Key_Backspace;
    const QString text = character.isNull() ? QString() : QString(character);
    QKeyEvent press(QEvent::KeyPress, qtKey, modifiers, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, qtKey, modifiers, text);
    QApplication::sendEvent(target, &release);
    return true;
}
