// The field-bound edit: the field's text in and out, focus, exit, reset, painting and the text rectangle.
#include "controls/edit/WwDBEdit.h"

#include "controls/edit/WwFieldLists.h"
#include "controls/edit/WwIntl.h"
#include "controls/edit/WwParsing.h"
#include "controls/edit/Wwpict.h"
#include "platform/db/DataSet.h"
#include "platform/db/Field.h"
#include "platform/ui/Canvas.h"
#include "platform/ui/Dispatch.h"

#include <QApplication>
#include <QMetaObject>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>
#include <limits>

namespace {

bool IsStringField(const TField& field) { return field.DataType() == ftString || field.DataType() == ftWideString; }

bool IsNumericField(const TField& field) { return dynamic_cast<const TNumericField*>(&field) != nullptr; }

Qt::Alignment QtAlignmentOf(TAlignment alignment) {
    switch (alignment) {
        case taRightJustify: return Qt::AlignRight | Qt::AlignVCenter;
        case taCenter: return Qt::AlignHCenter | Qt::AlignVCenter;
        default: return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

}  // namespace

TwwDBCustomEdit::TwwDBCustomEdit(QWidget* parent) : TwwCustomMaskEdit(parent) {
    setReadOnly(true);
    fieldLink_.OnDataChange = [this] { DataChange(); };
    fieldLink_.OnEditingChange = [this] { EditingChange(); };
    fieldLink_.OnUpdateData = [this] { UpdateData(); };
    fieldLink_.OnFocusRequest = [this] {
        if (!CanFocus()) return false;
        SetFocus();
        return true;
    };
}

TwwDBCustomEdit::~TwwDBCustomEdit() {
    fieldLink_.OnDataChange = nullptr;
    fieldLink_.OnEditingChange = nullptr;
    fieldLink_.OnUpdateData = nullptr;
    fieldLink_.SetDataSource(nullptr);
}

void TwwDBCustomEdit::SetDataSource(TDataSource* source) {
    if (source && source != DataSource()) setReadOnly(true);
    fieldLink_.SetDataSource(source);
}

void TwwDBCustomEdit::SetDataField(const QString& name) {
    if (!loading_ && Field() && IsStringField(*Field()) && MaxLength() == Field()->Size()) SetMaxLength(0);
    fieldLink_.SetFieldName(name);
}

void TwwDBCustomEdit::SetReadOnly(bool readOnly) {
    fieldLink_.SetReadOnly(readOnly);
    if (loading_) return;
    if (readOnly && DataSource() && DataSource()->DataSet()) return;
    setReadOnly(readOnly);
}

void TwwDBCustomEdit::SetEditAlignment(TwwEditAlignment alignment) {
    editAlignment_ = alignment;
    setAlignment(QtAlignmentOf(focused_ ? (alignment == eaRightAlignEditing ? taRightJustify : taLeftJustify)
                                        : TextAlignment()));
}

TAlignment TwwDBCustomEdit::TextAlignment() const { return Field() ? Field()->Alignment() : UnboundAlignment; }

void TwwDBCustomEdit::Loaded() {
    loading_ = false;
    if (Field() && IsStringField(*Field()) && MaxLength() == Field()->Size()) SetMaxLength(0);
    if (!Field() && !ReadOnly()) setReadOnly(false);
    SetEditRect();
    DataChange();
}

bool TwwDBCustomEdit::IsMemoField() const { return Field() && Field()->DataType() == ftMemo; }

bool TwwDBCustomEdit::IsDateEdit() const {
    return Field() ? Field()->DataType() == ftDate : UnboundDataType == wwEdtDate;
}

bool TwwDBCustomEdit::IsTimeEdit() const {
    return Field() ? Field()->DataType() == ftTime : UnboundDataType == wwEdtTime;
}

bool TwwDBCustomEdit::IsDateTimeEdit() const {
    return Field() ? Field()->DataType() == ftDateTime : UnboundDataType == wwEdtDateTime;
}

QString TwwDBCustomEdit::GetDisplayFormat() const {
    if (!displayFormat_.isEmpty()) return displayFormat_;
    return Field() && IsNumericField(*Field()) ? Field()->DisplayFormat() : QString();
}

void TwwDBCustomEdit::SetDisplayFormat(const QString& format) { displayFormat_ = format; }

bool TwwDBCustomEdit::IsEditBlocked() const {
    TDataSource* source = DataSource();
    if (!source || source->AutoEdit || !source->DataSet()) return false;
    const TDataSetState state = source->DataSet()->State();
    return state != dsEdit && state != dsInsert;
}

bool TwwDBCustomEdit::GetDisplayTextForValue(const QString&, QString&) const { return false; }

void TwwDBCustomEdit::EnsureEditMode() { fieldLink_.Edit(); }

void TwwDBCustomEdit::SetModified(bool modified) {
    if (modified && Field() && (fieldLink_.ReadOnly() || Field()->ReadOnly())) return;
    setModified(modified);
    if (modified && DataSource() && DataSource()->State() != dsBrowse) fieldLink_.Modified();
}

void TwwDBCustomEdit::DataChange() {
    TField* field = Field();
    if (!field) {
        fieldAlignment_ = taLeftJustify;
        if (!EditMask().isEmpty()) SetEditMask(QString());
        setText(QString());
        return;
    }
    if (field->Alignment() != fieldAlignment_) {
        setText(QString());
        fieldAlignment_ = field->Alignment();
        SetEditAlignment(editAlignment_);
    }
    if (!IsPictureMaskInUse() && EditMask() != field->EditMask()) SetEditMask(field->EditMask());
    if (IsStringField(*field) && MaxLength() == 0) SetMaxLength(field->Size());
    if (lines_ && MaxLength() == 0) setMaxLength(std::numeric_limits<int>::max());
    const bool memo = IsMemoField();
    QString text;
    if ((focused_ || memo) && fieldLink_.CanModify()) text = memo ? field->AsString() : field->EditText();
    else text = memo ? field->AsString() : field->DisplayText();
    // The same text is left alone, so that a selection survives the record going into edit mode.
    if (Text() != text) SetText(text);
    setModified(false);
}

void TwwDBCustomEdit::EditingChange() { setReadOnly(!fieldLink_.Editing()); }

void TwwDBCustomEdit::UpdateData() {
    if (isReadOnly()) return;
    TField* field = Field();
    if (!field) return;
    if (!Picture().PictureMask().isEmpty()) {
        if (!CheckPictureValue(Text())) DoValidationError();
    } else if (!IsEditMaskTextEmpty()) {
        ValidateEdit();
    }
    if (!Modified()) return;
    if (IsMemoField()) {
        field->SetAsString(GetValueText());
        return;
    }
    if (!fieldLink_.Editing() && !field->Calculated() && !field->Lookup()) return;
    const QString value = GetValueText();
    if (value.isEmpty()) {
        field->SetEditText(QString());
        return;
    }
    const TFieldType type = field->DataType();
    if ((type == ftDateTime || type == ftDate) && IsValidDateText(value)) {
        TDateTime date = 0;
        if (ParseDateTextEpoch(value, Epoch == 0 ? DefaultEpochYear : Epoch, date)) field->SetAsDateTime(date);
        return;
    }
    if (!MaskStoreLiteralTemplate && IsMasked() && Mask().IsEmptyText(EditText())) {
        field->Clear();
        return;
    }
    if (IsNumericField(*field) && !GetDisplayFormat().isEmpty()) {
        double number = 0;
        if (!StrToFloatWithFormat(value, GetDisplayFormat(), number)) return;
        if (type == ftFloat || type == ftCurrency || type == ftBCD) field->SetAsFloat(number);
        else field->SetAsInteger(qRound64(number));
        return;
    }
    field->SetEditText(value);
}

bool TwwDBCustomEdit::IsEditMaskTextEmpty() const {
    if (MaskStoreLiteralTemplate || !IsMasked()) return false;
    if (const_cast<TwwDBCustomEdit*>(this)->IsPictureMaskInUse()) return false;
    return Mask().IsEmptyText(EditText());
}

bool TwwDBCustomEdit::CheckPictureValue(const QString& text) {
    bool passed = true;
    if (!text.isEmpty()) {
        TwwPictureValidator validator(Picture().PictureMask(), Picture().AutoFill());
        QString copy = text;
        passed = validator.Picture(copy, false) == TwwPictureValidator::Complete;
    }
    DoCheckValue(passed);
    return passed;
}

void TwwDBCustomEdit::DoValidationError() { TwwIntl::Global().DoValidationErrorUsingMask(this, Field()); }

bool TwwDBCustomEdit::ReadPictureFromDataSet(QString& mask, bool& autoFill) {
    TField* field = Field();
    if (!field || !GetPictureMasksProp(field->DataSet())) return false;
    bool flag = false;
    GetFieldPictureMask(field->DataSet(), field->FieldName(), mask, autoFill, flag);
    return true;
}

bool TwwDBCustomEdit::WritePictureToDataSet(const QString& mask, bool autoFill) {
    TField* field = Field();
    if (!field || !GetPictureMasksProp(field->DataSet())) return false;
    SetFieldPictureMask(field->DataSet(), field->FieldName(), mask, autoFill, false, true, true, false);
    return true;
}

void TwwDBCustomEdit::Reset() {
    if (Field()) fieldLink_.Reset();
    else setText(unboundText_);
    SelectAllText();
    setModified(false);
    if (!Picture().PictureMask().isEmpty() && OnCheckValue) CheckPictureValue(Text());
}

void TwwDBCustomEdit::DoEnter() {
    if (!focused_) {
        focused_ = true;
        SetEditAlignment(editAlignment_);
        if (Field()) fieldLink_.Reset();
        else {
            unboundText_ = Text();
            setModified(false);
        }
    }
    SetEditRect();
    if (AutoSelect) SelectAllText();
    update();
    TwwCustomMaskEdit::DoEnter();
}

void TwwDBCustomEdit::DoExit() {
    const bool wasModified = Modified();
    const auto takeFocusBack = [this] {
        SelectAllText();
        QMetaObject::invokeMethod(
            this, [this] { ui::Dispatch(this, [this] { SetFocus(); }); }, Qt::QueuedConnection);
    };
    try {
        UpdateFieldData();
    } catch (...) {
        takeFocusBack();
        setModified(wasModified);
        throw;
    }
    if (IsPictureMaskInUse() && Modified() && !CheckPictureValue(Text()) && !Picture().AllowInvalidExit()) {
        takeFocusBack();
        setModified(true);
        QApplication::beep();
        ExitRefused = true;
        return;
    }
    ExitRefused = false;
    focused_ = false;
    SetEditAlignment(editAlignment_);
    if (Field()) fieldLink_.Reset();
    update();
    // The masked edit's own check ran already as part of writing the field.
    TControl::DoExit();
}

QPoint TwwDBCustomEdit::TextOrigin(int unframed) const {
    if (Frame().IsFrameEffective()) {
        const TRect inner = Frame().AdjustEditRect({0, 0, width(), height()});
        return {inner.Left, inner.Top};
    }
    const int margin = hasFrame() ? 0 : unframed;
    return {margin, margin};
}

void TwwDBCustomEdit::SetEditRect() {
    const QPoint origin = TextOrigin(1);
    setTextMargins(origin.x(), origin.y(), qMax(0, width() - 1 - GetTextRightEdge()), 0);
}

TRect TwwDBCustomEdit::GetTextRect() const {
    const QMargins margins = textMargins();
    return {margins.left(), margins.top(), GetTextRightEdge(), height() + 1};
}

bool TwwDBCustomEdit::PaintsOwnText() const { return !focused_ && IsOwnerDraw(); }

void TwwDBCustomEdit::PaintText(TCanvas& canvas, const TRect& rect, const QString& text) {
    QString shown = text;
    if (!PasswordChar().isNull()) shown = QString(text.length(), PasswordChar());
    QPainter& painter = canvas.Painter();
    painter.setFont(font());
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text));
    painter.drawText(ui::ToQRect(rect).adjusted(2, 0, 0, 0), int(QtAlignmentOf(TextAlignment())), shown);
}

void TwwDBCustomEdit::DrawFrame(TCanvas& canvas) { DrawEditFrameEdge(*this, Frame(), canvas, focused_); }

void TwwDBCustomEdit::paintEvent(QPaintEvent* event) {
    if (lines_) {
        // The multi-line window shows the text; the line edit's own painting would lay all of it out as one line.
        ui::Dispatch(this, [this] {
            QPainter painter(this);
            QStyleOptionFrame panel;
            initStyleOption(&panel);
            style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &painter, this);
        });
    } else if (PaintsOwnText()) {
        ui::Dispatch(this, [this] {
            TCanvas canvas(this);
            canvas.Brush().Color = Color();
            canvas.Painter().fillRect(rect(), palette().color(QPalette::Base));
            QString text = Text();
            QString display;
            if (Field() && GetDisplayTextForValue(Field()->AsString(), display)) text = display;
            PaintText(canvas, GetTextRect(), text);
        });
    } else {
        TwwCustomMaskEdit::paintEvent(event);
    }
    if (Frame().IsFrameEffective())
        ui::Dispatch(this, [this] {
            TCanvas canvas(this);
            DrawFrame(canvas);
        });
}

void TwwDBCustomEdit::resizeEvent(QResizeEvent* event) {
    TwwCustomMaskEdit::resizeEvent(event);
    ui::Dispatch(this, [this] {
        SetEditRect();
        PlaceLinesEditor();
    });
}

void TwwDBCustomEdit::MouseEnter() {
    ui::Fire(OnMouseEnter, this);
    if (Frame().MouseEnterSameAsFocus) update();
}

void TwwDBCustomEdit::MouseLeave() {
    ui::Fire(OnMouseLeave, this);
    if (Frame().MouseEnterSameAsFocus) update();
}

void TwwDBCustomEdit::enterEvent(QEnterEvent* event) {
    TwwCustomMaskEdit::enterEvent(event);
    ui::Dispatch(this, [this] { MouseEnter(); });
}

void TwwDBCustomEdit::leaveEvent(QEvent* event) {
    TwwCustomMaskEdit::leaveEvent(event);
    ui::Dispatch(this, [this] { MouseLeave(); });
}
