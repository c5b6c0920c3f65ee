// TwwCustomDBGrid's keyboard and focus: the key table that replaces the base grid's keys, Tab and Enter across
// columns and rows with append at the end, the Esc rule, focus entry and exit, the application-wide filter
// that hands navigation keys from cell editors to their grid, and the ditto keys.
#include "controls/edit/WwIntl.h"
#include "controls/edit/WwWindows.h"
#include "controls/grid/Wwdbigrd.h"
#include "platform/db/DataSource.h"
#include "platform/db/Field.h"
#include "platform/rtl/Messages.h"
#include "platform/ui/Dispatch.h"
#include "platform/ui/InplaceEdit.h"

#include <QApplication>
#include <QGuiApplication>
#include <QInputMethod>
#include <QLineEdit>
#include <QPointer>

namespace {

// An appended record stands at the end although the dataset does not report Eof for it.
bool AtEnd(const TDataSet& dataSet) {
    return dataSet.Eof() || (dataSet.State() == dsInsert && dataSet.CurrentRow() == dataSet.ViewCount() - 1);
}

bool IsArrow(Word key) { return key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN; }

// The nearest data-aware grid holding a widget (itself included).
TwwCustomDBGrid* EnclosingGrid(QWidget* widget) {
    for (QWidget* w = widget; w; w = w->parentWidget())
        if (auto* grid = dynamic_cast<TwwCustomDBGrid*>(w)) return grid;
    return nullptr;
}

// Whether a key typed in an edit leaves its text (the caret at the edge it points to).
bool KeyLeavesEdit(const QLineEdit& edit, Word key) {
    const int length = edit.text().size();
    const bool selection = edit.hasSelectedText();
    const int start = selection ? edit.selectionStart() : edit.cursorPosition();
    const int end = selection ? edit.selectionEnd() : edit.cursorPosition();
    switch (key) {
        case VK_HOME:
        case VK_LEFT: return start == 0 && (!selection || end == length);
        case VK_UP:
        case VK_DOWN: return start == 0 && end == length;
        case VK_RIGHT: return end == length && (start == 0 || !selection);
        default: return true;
    }
}

// The one filter of the application that reads keys typed in cell editors before the editors see them.
class GridKeyboardHook : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        QWidget* control = QApplication::focusWidget();
        // Only the press as the focused control receives it; its propagation to parents passes.
        if (!control || watched != control) return false;
        bool swallow = false;
        bool posted = false;
        ui::Dispatch(control, [&] { swallow = Filter(*control, static_cast<QKeyEvent&>(*event), posted); });
        // A key the grid took stays taken when the grid's handling failed: the editor must not try it again.
        return swallow || posted;
    }

private:
    static bool Filter(QWidget& control, QKeyEvent& event, bool& posted) {
        if (QGuiApplication::inputMethod() && QGuiApplication::inputMethod()->isVisible()) return false;
        const Word key = ui::VirtualKeyOf(event);
        const TShiftState shift = ui::ShiftStateOf(event.modifiers());
        const bool ctrl = shift.Contains(ssCtrl);
        const bool alt = shift.Contains(ssAlt);
        QPointer<TwwCustomDBGrid> grid = EnclosingGrid(&control);
        const bool isGrid = grid && &control == static_cast<QWidget*>(grid.data());
        const auto post = [&] {
            posted = true;
            Word forwarded = key;
            grid->KeyDown(forwarded, shift);
            return true;
        };
        if ((key == VK_TAB || key == VK_RETURN) && !ctrl && !alt) {
            if (!grid || isGrid) return false;
            if (key == VK_TAB || grid->KeyOptions.Contains(dgEnterToTab)) return post();
            return false;
        }
        if (grid && grid->DoDitto(key, shift)) return true;
        const bool dropped = [&] {
            const TControl* owner = FindControl(&control);
            return owner && HasChildOutsideClient(*owner);
        }();
        const bool navigation =
            key == VK_PRIOR || key == VK_NEXT || key == VK_HOME || key == VK_END || IsArrow(key) || key == VK_DELETE;
        if (ctrl && navigation) {
            if (dropped || !grid || isGrid) return false;
            return post();
        }
        if (key == VK_PRIOR || key == VK_NEXT || key == VK_HOME || IsArrow(key) || key == VK_INSERT) {
            if (ctrl || alt || dropped || !grid || isGrid) return false;
            if (!grid->isAncestorOf(&control)) return false;
            if (const auto* edit = dynamic_cast<const QLineEdit*>(&control); edit && !KeyLeavesEdit(*edit, key))
                return false;
            return post();
        }
        return false;
    }
};

GridKeyboardHook* keyboardHook = nullptr;

void InstallGridKeyboardHook() {
    if (keyboardHook || !qApp) return;
    keyboardHook = new GridKeyboardHook;
    qApp->installEventFilter(keyboardHook);
}

}  // namespace

void RemoveGridKeyboardHook() {
    if (!keyboardHook) return;
    if (qApp) qApp->removeEventFilter(keyboardHook);
    delete keyboardHook;
    keyboardHook = nullptr;
}

// ---- focus

void TwwCustomDBGrid::TrackFocus() {
    // Entry and exit are those of the grid with its editors inside its own window: focus moving into the
    // in-place editor stays inside, and another window taking the focus (a question asked over the grid, say)
    // leaves the grid as it is, so an untouched record is not given up under the question.
    focusTracking_ = QObject::connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (!now || now->window() != window()) return;
        const bool inside = now == this || isAncestorOf(now);
        if (inside == hasFocus_) return;
        ui::Dispatch(this, [&] {
            if (inside) CMEnter();
            else CMExit();
        });
    });
}

void TwwCustomDBGrid::EndFocusTracking() {
    QObject::disconnect(focusTracking_);
    RemoveGridKeyboardHook();
}

void TwwCustomDBGrid::CMEnter() {
    hasFocus_ = true;
    if (PaintOptions.ActiveRecordColor() != clNone && !options_.Contains(dgAlwaysShowSelection)) InvalidateCurrentRow();
    InstallGridKeyboardHook();
}

void TwwCustomDBGrid::CMExit() {
    if (!dynamic_cast<TCustomGrid*>(FindControl(parentWidget()))) RemoveGridKeyboardHook();
    try {
        if (dataLink_->Active()) {
            if (options_.Contains(dgCancelOnExit) && InsertUntouched()) dataLink_->DataSet()->Cancel();
            else dataLink_->UpdateRecord();
        }
        if (!options_.Contains(dgAlwaysShowSelection)) InvalidateCurrentRow();
    } catch (...) {
        // The text that could not be written stays in the grid, and the user is told why.
        SetFocus();
        throw;
    }
    hasFocus_ = false;
}

// ---- keys

bool TwwCustomDBGrid::WantsKey(Word key, TShiftState shift) const {
    switch (key) {
        case VK_TAB: return !shift.Contains(ssAlt) && !shift.Contains(ssCtrl);
        // Esc is the form's first (its Cancel button), as Enter is unless it moves like Tab.
        case VK_RETURN: return KeyOptions.Contains(dgEnterToTab);
        case VK_INSERT:
        case VK_DELETE:
        case VK_F2: return true;
        default: return TCustomGrid::WantsKey(key, shift);
    }
}

void TwwCustomDBGrid::KeyDown(Word& key, TShiftState shift) {
    TControl::KeyDown(key, shift);
    if (key == 0 || !dataLink_->Active() || !CanGridAcceptKey(key, shift)) return;
    TDataSet& dataSet = *dataLink_->DataSet();
    if (key == VK_PRIOR || key == VK_NEXT || key == VK_UP || key == VK_DOWN) {
        if (!FocusGrid()) {
            key = 0;
            return;
        }
    }
    const bool ctrl = shift.Contains(ssCtrl);
    if (!ctrl && isRightToLeft()) {
        if (key == VK_LEFT) key = VK_RIGHT;
        else if (key == VK_RIGHT) key = VK_LEFT;
    }
    const int lastDataCol = GetFieldCount() - 1;
    const int current = GetCurrentDataColumn();
    const bool rowSelect = options_.Contains(dgRowSelect);
    const Word pressed = key;
    // Every key of the table is the grid's; others go on to the editor.
    key = 0;
    if (ctrl) {
        switch (pressed) {
            case VK_PRIOR:
            case VK_UP: dataSet.MoveBy(-dataLink_->ActiveRecord()); return;
            case VK_NEXT:
            case VK_DOWN: dataSet.MoveBy(dataLink_->BufferCount() - dataLink_->ActiveRecord() - 1); return;
            case VK_HOME: dataSet.First(); return;
            case VK_END: dataSet.Last(); return;
            case VK_LEFT:
                if (!InheritsFromClassName(parentWidget(), QStringLiteral("TwwDBGrid"))) MoveToDataColumn(0);
                return;
            case VK_RIGHT: MoveToDataColumn(std::min(dataSet.FieldCount() - 1, lastDataCol)); return;
            case VK_DELETE:
                if (KeyOptions.Contains(dgAllowDelete) && !ReadOnly && dataSet.CanModify() &&
                    options_.Contains(dgEditing) &&
                    (!options_.Contains(dgConfirmDelete) ||
                     MessageDlg(QStringLiteral("Delete record?"), mtConfirmation, {mbOK, mbCancel}) != mrCancel)) {
                    dataSet.Delete();
                    HideEditor();
                }
                return;
            default: break;
        }
        key = pressed;
        return;
    }
    switch (pressed) {
        case VK_TAB:
            if (!shift.Contains(ssAlt)) ColumnNavigate(!shift.Contains(ssShift));
            return;
        case VK_RETURN:
            if (KeyOptions.Contains(dgEnterToTab)) ColumnNavigate(!shift.Contains(ssShift));
            else key = pressed;
            return;
        case VK_ESCAPE:
            dataLink_->DiscardEdit();
            if (!options_.Contains(dgAlwaysShowEditor)) HideEditor();
            return;
        case VK_PRIOR: dataSet.MoveBy(-VisibleRowCount()); return;
        case VK_NEXT: dataSet.MoveBy(VisibleRowCount()); return;
        case VK_HOME:
            if (dataSet.FieldCount() == 1 || rowSelect) dataSet.First();
            else MoveToDataColumn(0);
            return;
        case VK_END:
            if (dataSet.FieldCount() == 1 || rowSelect) dataSet.Last();
            else MoveToDataColumn(lastDataCol);
            return;
        case VK_LEFT:
            if (rowSelect) PriorRow();
            else MoveToDataColumn(current - 1);
            return;
        case VK_UP: PriorRow(); return;
        case VK_RIGHT:
            if (rowSelect) NextRow(false);
            else if (options_.Contains(dgFixedEditable) && Col() == FixedCols() - 1)
                MoveToDataColumn(LeftCol() - indicatorOffset_);
            else MoveToDataColumn(current + 1);
            return;
        case VK_DOWN: NextRow(true); return;
        case VK_INSERT:
            if (!ReadOnly && options_.Contains(dgEditing) && KeyOptions.Contains(dgAllowInsert)) dataSet.Insert();
            return;
        case VK_F2: {
            const TField* field = GetSelectedField();
            if (field && !dynamic_cast<const TBlobField*>(field) && !CellHasCustomControl(Col(), Row()))
                SetEditorMode(true);
            return;
        }
        default: key = pressed; return;
    }
}

void TwwCustomDBGrid::KeyPress(QChar& key) {
    const bool enterOnArrival = key == QChar('\r');
    if (KeyOptions.Contains(dgEnterToTab) && key == QChar('\r')) key = QChar('\t');
    const bool alwaysEditor = options_.Contains(dgAlwaysShowEditor);
    if (!alwaysEditor && key == QChar('\r')) dataLink_->UpdateRecord();
    // Tab was a key of the table.
    if (key == QChar('\t')) key = QChar();
    else TCustomGrid::KeyPress(key);
    if (enterOnArrival && !alwaysEditor && !CanEditShow() && EditorMode()) SetEditorMode(false);
}

void TwwCustomDBGrid::PriorRow() {
    TDataSet& dataSet = *dataLink_->DataSet();
    if (InsertUntouched() && AtEnd(dataSet)) dataSet.Cancel();
    else dataSet.Prior();
}

void TwwCustomDBGrid::NextRow(bool append) {
    TDataSet& dataSet = *dataLink_->DataSet();
    if (InsertUntouched()) {
        // An untouched appended record stays where it is; one inserted in the middle gives way.
        if (AtEnd(dataSet)) return;
        dataSet.Cancel();
    } else {
        dataSet.Next();
    }
    if (append && dataSet.Eof() && dataSet.CanModify() && options_.Contains(dgEditing) &&
        KeyOptions.Contains(dgAllowInsert)) {
        HideCellControl();
        dataSet.Append();
    }
}

void TwwCustomDBGrid::ColumnNavigate(bool forwards) {
    const int last = GetFieldCount() - 1;
    if (last < 0) return;
    const bool fixedEditable = options_.Contains(dgFixedEditable);
    const int firstEditable = fixedEditable ? 0 : std::max(FixedCols() - indicatorOffset_, 0);
    const auto tabStop = [this](int dataCol) { return TabStops(dataCol + indicatorOffset_); };
    const int c = GetCurrentDataColumn();
    int n = c;
    // Each column is looked at once per row passed, and a row is passed at most once each way.
    for (int steps = 0; steps <= 2 * (last + 2); ++steps) {
        n = forwards ? n + 1 : n - 1;
        if (forwards && n > last) {
            HideCellControl();
            if (options_.Contains(dgTabExitsOnLastCol)) {
                focusNextPrevChild(true);
                return;
            }
            if (c == 0 && tabStop(0)) tabRowMove_ = true;
            NextRow(true);
            n = 0;
        } else if (!forwards && n < firstEditable) {
            HideCellControl();
            if (options_.Contains(dgTabExitsOnLastCol)) {
                focusNextPrevChild(false);
                return;
            }
            if (tabStop(last) && c != last) tabRowMove_ = true;
            PriorRow();
            n = last;
        }
        if (n == c) break;
        if (tabStop(n)) {
            tabRowMove_ = false;
            if (forwards && fixedEditable && c == FixedCols() - 1 - indicatorOffset_ &&
                n < LeftCol() - indicatorOffset_)
                n = LeftCol() - indicatorOffset_;
            MoveToDataColumn(n);
            break;
        }
        tabRowMove_ = false;
    }
    tabRowMove_ = false;
}

void TwwCustomDBGrid::MoveToDataColumn(int index) {
    dataLink_->UpdateRecord();
    const int mapped = dataLink_->MappedCount();
    if (mapped <= 0) return;
    index = std::clamp(index, 0, mapped - 1);
    if (!options_.Contains(dgFixedEditable)) index = std::max(index, FixedCols() - indicatorOffset_);
    const int col = index + indicatorOffset_;
    if (col == Col() || col >= ColCount()) return;
    if (!inColExit_) {
        const int before = Col();
        inColExit_ = true;
        try {
            DoColExit();
        } catch (...) {
            inColExit_ = false;
            throw;
        }
        inColExit_ = false;
        if (Col() != before) return;
    }
    HideEditor();
    const bool alwaysEditor = options_.Contains(dgAlwaysShowEditor);
    if (!tabRowMove_ && alwaysEditor && !CellHasCustomControl(col, Row())) HideCellControl();
    const int oldLeft = LeftCol();
    SetCol(col);
    if (options_.Contains(dgFixedEditable)) ScrollColumnIntoView(col);
    if (!tabRowMove_ && alwaysEditor && !CellHasCustomControl(col, Row()) && !IsMemoCell(col, Row()))
        ShowEditorIfAllowed();
    DoColEnter();
    if (LeftCol() != oldLeft) InvalidateGrid();
}

void TwwCustomDBGrid::ScrollColumnIntoView(int col) {
    if (col < FixedCols() || col >= ColCount()) return;
    if (col >= LeftCol() && col <= Horz().LastFullyVisible()) return;
    const int scrollable = ClientWidth() - Horz().FixedBoundary();
    int first = col;
    int used = ColWidths(col) + Horz().LineWidth();
    for (int c = col - 1; c >= FixedCols(); --c) {
        if (ColWidths(c) <= 0) continue;
        const int step = ColWidths(c) + Horz().LineWidth();
        if (used + step > scrollable) break;
        used += step;
        first = c;
    }
    if (first < LeftCol() || col > Horz().LastFullyVisible()) SetLeftCol(first);
}

// ---- Esc

void TwwGridDataLink::DiscardEdit() {
    if (modified_) {
        RecordChanged(nullptr);
        grid_->InvalidateEditor();
        return;
    }
    TDataSet* dataSet = DataSet();
    if (!dataSet) return;
    if ((dataSet->State() == dsEdit || dataSet->State() == dsInsert) && dataSet->Modified()) {
        if (MessageDlg(TwwIntl::Global().UserMessages.wwDBGridDiscardChanges, mtConfirmation, {mbYes, mbNo}) == mrYes)
            dataSet->Cancel();
        return;
    }
    dataSet->Cancel();
}

// ---- ditto

bool TwwCustomDBGrid::DoDitto(Word key, TShiftState shift) {
    const TShortCut shortCut = ShortCut(key, shift);
    if (shortCut == 0 || !dataLink_->Active()) return false;
    const TwwDittoDirection direction = DittoAttributes.DittoDirection;
    if (shortCut == DittoAttributes.ShortCutDittoRecord) {
        TDataSet& dataSet = *dataLink_->DataSet();
        if (DittoAttributes.Options & wwdoSkipHiddenFields) {
            for (int i = 0; i < GetFieldCount(); ++i) DittoField(GetFields(i), direction);
        } else {
            for (int i = 0; i < dataSet.FieldCount(); ++i) DittoField(dataSet.Fields()[i], direction);
        }
        return true;
    }
    if (shortCut == DittoAttributes.ShortCutDittoField) return DittoField(GetSelectedField(), direction);
    return false;
}

bool TwwCustomDBGrid::DittoField(TField* field, TwwDittoDirection direction) {
    if (!field || field->ReadOnly()) return false;
    if ((DittoAttributes.Options & wwdoSkipReadOnlyFields) && FindColumn(field->FieldName())->GetReadOnly())
        return false;
    if ((DittoAttributes.Options & wwdoSkipBlobFields) && dynamic_cast<const TBlobField*>(field)) return false;
    QString value;
    bool found = false;
    if (direction == wwDittoPrior || direction == wwDittoPriorOrNext)
        found = GetPriorRecordValue(field->FieldName(), value);
    if (!found && (direction == wwDittoNext || direction == wwDittoPriorOrNext))
        found = GetNextRecordValue(field->FieldName(), value);
    if (!found) return false;
    bool allow = true;
    if (OnDitto) OnDitto(&Widget(), dataLink_->DataSet(), field, value, allow);
    if (!allow) return false;
    if (CanEditModify() && dataLink_->Edit()) field->SetAsString(value);
    return true;
}
