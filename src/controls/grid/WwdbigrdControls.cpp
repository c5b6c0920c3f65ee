// TwwCustomDBGrid's control-type cells: the ControlType list (field ";" kind [";" parameters]), the per-column
// cache of kinds and controls, and the painting of cells through an edit control of the owner form.
#include "controls/edit/WwCheckBox.h"
#include "controls/edit/WwFieldLists.h"
#include "controls/edit/WwProps.h"
#include "controls/edit/WwStrings.h"
#include "controls/edit/WwWindows.h"
#include "controls/grid/WwSelectedList.h"
#include "controls/grid/Wwdbigrd.h"
#include "platform/db/Field.h"
#include "platform/rtl/StringList.h"
#include "platform/ui/Canvas.h"
#include "platform/ui/Form.h"

#include <QPainter>
#include <QWidget>

namespace {

const QString kSemicolon = QStringLiteral(";");

}  // namespace

const TStrings* TwwCustomDBGrid::GetControlTypeList() const {
    TDataSet* dataSet = dataLink_->DataSet();
    if (ControlInfoInDataset && dataSet)
        if (const TStrings* own = GetControlTypeProp(dataSet)) return own;
    return &controlType_;
}

void TwwCustomDBGrid::GetControlInfo(const QString& fieldName, QString& kind, QString& params) const {
    kind.clear();
    params.clear();
    const TStrings& lines = *GetControlTypeList();
    for (int i = lines.Count() - 1; i >= 0; --i) {
        const QString line = lines[i];
        int position = 1;
        if (GetToken(line, kSemicolon, position) != fieldName) continue;
        kind = GetToken(line, kSemicolon, position);
        if (position > 0) params = line.mid(position - 1, 255);
        return;
    }
}

void TwwCustomDBGrid::CacheColumnInfo() {
    colInfo_.assign(std::max(ColCount(), 0), {});
    for (int col = 0; col < ColCount(); ++col) {
        const TField* field = GetColumnField(DataColumnOf(col));
        if (!field) continue;
        TwwCacheColInfoItem& item = colInfo_[col];
        GetControlInfo(field->FieldName(), item.Kind, item.Params);
        if (!IsEditControlKind(item.Kind)) continue;
        item.AlwaysPaintControl = item.Params.section(kSemicolon, 1, 1) == QLatin1String("T");
        // A control that cannot be found leaves the column a plain text column.
        if (!GetCellControl(col, titleRows_, item.Control)) {
            item.Control = nullptr;
            item.AlwaysPaintControl = false;
            item.Kind.clear();
        }
    }
}

QStringList TwwCustomDBGrid::FirstControlTypeLine(int col, int row,
                                                  const std::function<bool(const QStringList&)>& accept) const {
    if (!IsDataCell(col, row)) return {};
    const TField* field = GetColumnField(DataColumnOf(col));
    if (!field) return {};
    const TStrings& lines = *GetControlTypeList();
    for (int i = 0; i < lines.Count(); ++i) {
        const QStringList parts = lines[i].split(kSemicolon);
        if (parts.size() >= 2 && parts[0] == field->FieldName() && accept(parts)) return parts;
    }
    return {};
}

bool TwwCustomDBGrid::GetCheckBoxValues(int col, int row, QString& unchecked, QString& checked) const {
    const QStringList parts = FirstControlTypeLine(
        col, row, [](const QStringList& line) { return line.size() > 3 && line[1] == QLatin1String("CheckBox"); });
    if (parts.isEmpty()) return false;
    checked = parts[2];
    unchecked = parts[3];
    return true;
}

bool TwwCustomDBGrid::GetCellControl(int col, int row, TControl*& control) const {
    // The first edit-control line decides, whether its control is found or not.
    const QStringList parts =
        FirstControlTypeLine(col, row, [](const QStringList& line) { return IsEditControlKind(line[1]); });
    control = parts.size() > 2 ? FindEditControl(parts[2]) : nullptr;
    return control != nullptr;
}

TControl* TwwCustomDBGrid::FindEditControl(const QString& name) const {
    if (name.isEmpty() || name.contains(QLatin1Char('.'))) return nullptr;
    // Without an owner form the window holding the grid stands for it.
    QWidget* self = const_cast<QWidget*>(static_cast<const QWidget*>(this));
    QWidget* root = FindOwnerForm(self) ? &FindOwnerForm(self)->Widget() : self->window();
    if (!root || root == self) return nullptr;
    QWidget* widget = root->findChild<QWidget*>(name);
    TControl* control = widget ? FindControl(widget) : nullptr;
    return control && &control->Widget() == widget ? control : nullptr;
}

bool TwwCustomDBGrid::DrawControlCell(int col, int row, const TRect& rect, TGridDrawState state) {
    if (!cellInfo_.Field) return false;
    if (cellInfo_.DefaultDrawBackground) {
        if (col < FixedCols()) {
            const int top = rect.Top - (options_.Contains(dgRowLinesDisableFixed) && options_.Contains(dgRowLines));
            PaintFixedBackground({rect.Left - 1, top, rect.Right, rect.Bottom}, cellInfo_.DataRow, TitleColor);
        } else {
            PaintDataBackground(rect, cellInfo_.DataRow, clNone);
        }
    }
    if (col < 0 || col >= static_cast<int>(colInfo_.size())) return false;
    const TwwCacheColInfoItem& item = colInfo_[col];
    const bool picture = item.Kind == QLatin1String("Bitmap") || item.Kind == QLatin1String("ImageIndex");
    if (picture || item.Kind == QLatin1String("CheckBox")) {
        WithRowRecord(cellInfo_.DataRow, [&] {
            if (item.Kind == QLatin1String("Bitmap")) DrawBitmapCell(col, row, rect, state, item.Params);
            else if (item.Kind == QLatin1String("ImageIndex")) DrawImageIndexCell(col, row, rect, state, item.Params);
            else DrawCheckBoxCell(col, row, rect, state, item.Params);
        });
        drawnDataRow_ = -1;
        drawnDataCol_ = -1;
        DrawCellLines(rect, col, state, row);
        return true;
    }
    const bool editKind = item.Kind.compare(QLatin1String("CustomEdit"), Qt::CaseInsensitive) == 0 ||
                          item.Kind.compare(QLatin1String("RichEdit"), Qt::CaseInsensitive) == 0;
    // Only controls that ask for it are pictured in cells; the others edit the current cell alone.
    if (!editKind || !item.Control || !item.AlwaysPaintControl) return false;
    const bool live = item.Control->Widget().isVisible() && col == Col() && row == Row();
    if (live) return true;
    WithRowRecord(cellInfo_.DataRow, [&] {
        PaintControlCellBackground(col, row, rect, state);
        if (brushChanged_) GetPaintCanvas().FillRect(rect);
        try {
            DoDrawDataCell(rect, cellInfo_.Field, state);
        } catch (const std::exception&) {
            // A failing form handler keeps the control from being pictured here.
            return;
        }
        PaintControlIntoCell(*item.Control, rect);
    });
    drawnDataRow_ = -1;
    drawnDataCol_ = -1;
    DrawCellLines(rect, col, state, row);
    return true;
}

void TwwCustomDBGrid::PaintControlIntoCell(TControl& control, const TRect& rect) {
    QWidget& widget = control.Widget();
    if (widget.width() != rect.Width() || widget.height() != rect.Height()) widget.resize(rect.Width(), rect.Height());
    QPainter& painter = GetPaintCanvas().Painter();
    painter.save();
    painter.setClipRect(ui::ToQRect(rect));
    const controls::PaintCopyScope copy(control);
    widget.render(&painter, QPoint(rect.Left, rect.Top), QRegion(), QWidget::DrawChildren);
    painter.restore();
}

void TwwCustomDBGrid::DrawCheckBoxCell(int col, int row, const TRect& rect, TGridDrawState state,
                                       const QString& params) {
    const QString checkedValue = params.section(kSemicolon, 0, 0);
    const QString uncheckedValue = params.section(kSemicolon, 1, 1);
    TField* field = cellInfo_.Field;
    const int dataRow = cellInfo_.DataRow;
    {
        drawnDataRow_ = dataRow;
        drawnDataCol_ = cellInfo_.DataCol;
        // A calculated "selected" field shows the multi-selection rather than a stored value.
        const QString text = field->Calculated() && field->FieldName().toLower() == QLatin1String("selected")
                                 ? (IsRowSelected(dataRow) ? checkedValue : uncheckedValue)
                                 : GetCellText(cellInfo_.DataCol);
        PaintControlCellBackground(col, row, rect, state);
        if (brushChanged_) GetPaintCanvas().FillRect(rect);
        const int left = (rect.Left + rect.Right - 10) / 2;
        const int top = (rect.Top + rect.Bottom - 10) / 2;
        // A value in neither list shows unchecked.
        DrawCheckBox({left, top, left + 10, top + 10}, col, text.compare(checkedValue, Qt::CaseInsensitive) == 0, row);
    }
}

void TwwCustomDBGrid::DrawCheckBox(const TRect& rect, int col, bool checked, int) {
    constexpr int kBoxSize = 13;
    if (!checkBoxPainter_) {
        checkBoxPainter_ = new TwwCheckBox(&Widget());
        checkBoxPainter_->Widget().hide();
        checkBoxPainter_->ShowText = false;
        checkBoxPainter_->ShowFocusRect = false;
        checkBoxPainter_->Widget().resize(kBoxSize, kBoxSize);
        // The box's own indent would push it off the square the grid gives it.
        checkBoxPainter_->Indents().SetButtonX(-checkBoxPainter_->GetButtonRect().Left);
    }
    const int dataCol = DataColumnOf(col);
    const bool readOnly = !useTFields_ && dataCol >= 0 && dataCol < selected_.Count() &&
                          controls::IsSelectedLineReadOnly(selected_.Strings(dataCol));
    checkBoxPainter_->Widget().setEnabled(!readOnly);
    checkBoxPainter_->SetChecked(checked);
    // The system's 13-pixel box spans one pixel left and above the 10 x 10 square and two right and below.
    checkBoxPainter_->PaintCopyInto(GetPaintCanvas().Painter(),
                                    {rect.Left - 1, rect.Top - 1, rect.Left - 1 + kBoxSize, rect.Top - 1 + kBoxSize});
}
