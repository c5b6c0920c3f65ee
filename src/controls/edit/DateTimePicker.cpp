// The picker around its engine: the bound field, focus, mouse, clipboard, the key stages and the button.
#include "controls/edit/DateTimePicker.h"

#include "controls/edit/PopupCalendar.h"
#include "controls/edit/WwDrawing.h"
#include "controls/edit/WwIntl.h"
#include "platform/db/DataSet.h"
#include "platform/db/DataSource.h"
#include "platform/db/Field.h"
#include "platform/ui/Dispatch.h"
#include "platform/ui/PopupTracker.h"

#include <QApplication>
#include <QClipboard>
#include <QMouseEvent>
#include <QStyle>
#include <cmath>

namespace {

TDateTime TimeOfDay(TDateTime value) { return std::fabs(value - std::trunc(value)); }

bool IsEditing(const TDataSet* dataSet) { return dataSet && IsEditState(dataSet->State()); }

}  // namespace

TwwDBCustomDateTimePicker::TwwDBCustomDateTimePicker(QWidget* parent)
    : TEdit(parent),
      editor_({.beep = [] { QApplication::beep(); },
               .edit = [this] { link_.Edit(); },
               .fieldIsNull = [this] { return link_.Field() && link_.Field()->IsNull(); },
               .droppedDown = [this] { return IsDroppedDown(); },
               .firstDayOfWeek = [this] { return calendarAttributes_.FirstDayOfWeek; }}),
      holder_(new TBtnWinControl(this, this)),
      button_(new TwwDateComboButton(holder_, this)) {
    SetColor(clWindow);
    editor_.epoch = TwwIntl::Global().DefaultEpochYear;
    link_.OnDataChange = [this] { FieldDataChange(); };
    link_.OnUpdateData = [this] { FieldUpdateData(); };
    link_.OnEditingChange = [this] { Configure(); };
    link_.OnActiveChange = [this] { FieldDataChange(); };
    Configure();
    PlaceButton();
}

TwwDBCustomDateTimePicker::~TwwDBCustomDateTimePicker() {
    link_.OnDataChange = nullptr;
    link_.OnUpdateData = nullptr;
    link_.OnEditingChange = nullptr;
    link_.OnActiveChange = nullptr;
    if (calendar_) ui::PopupTracker::Instance().Unregister(calendar_);
}

// --- properties

void TwwDBCustomDateTimePicker::SetDataSource(TDataSource* source) {
    link_.SetDataSource(source);
    if (!source) unboundDataType_ = wwDTEdtDateTime;
    FieldDataChange();
}

void TwwDBCustomDateTimePicker::SetDataField(const QString& name) {
    link_.SetFieldName(name);
    if (name.isEmpty()) unboundDataType_ = wwDTEdtDateTime;
    FieldDataChange();
}

void TwwDBCustomDateTimePicker::SetUnboundDataType(TwwDTEditDataType type) {
    if (type == unboundDataType_) return;
    unboundDataType_ = type;
    Configure();
    editor_.RefreshText();
    Sync();
}

void TwwDBCustomDateTimePicker::SetDisplayFormat(const QString& format) {
    displayFormat_ = format;
    Configure();
    editor_.RefreshText();
    Sync();
}

void TwwDBCustomDateTimePicker::SetDateFormat(TDTDateFormat format) {
    dateFormat_ = format;
    Configure();
    editor_.RefreshText();
    Sync();
}

void TwwDBCustomDateTimePicker::SetReadOnly(bool readOnly) {
    readOnly_ = readOnly;
    link_.SetReadOnly(readOnly);
    Configure();
    Sync();
}

void TwwDBCustomDateTimePicker::SetShowButton(bool show) {
    showButton_ = show;
    PlaceButton();
}

void TwwDBCustomDateTimePicker::SetButtonWidth(int width) {
    buttonWidth_ = width;
    PlaceButton();
}

QString TwwDBCustomDateTimePicker::EffectiveDisplayFormat() const {
    if (!displayFormat_.isEmpty()) return displayFormat_;
    const TField* field = link_.Field();
    if (field && !field->DisplayFormat().isEmpty()) return field->DisplayFormat();
    const bool shortForm = dateFormat_ == dfShort;
    switch (editor_.baseKind) {
        case controls::PickerBaseKind::Time:
            return shortForm ? FormatSettings.ShortTimeFormat : FormatSettings.LongTimeFormat;
        case controls::PickerBaseKind::Date:
            return shortForm ? FormatSettings.ShortDateFormat : FormatSettings.LongDateFormat;
        default:
            return shortForm ? QStringLiteral("c")
                             : FormatSettings.LongDateFormat + u' ' + FormatSettings.LongTimeFormat;
    }
}

// Hands the engine what the field and the properties decide.
void TwwDBCustomDateTimePicker::Configure() {
    const TField* field = link_.Field();
    editor_.bound = field != nullptr;
    editor_.disconnected = !field && (link_.DataSource() || !link_.FieldName().isEmpty());
    if (field) {
        editor_.baseKind = field->DataType() == ftDate   ? controls::PickerBaseKind::Date
                           : field->DataType() == ftTime ? controls::PickerBaseKind::Time
                                                         : controls::PickerBaseKind::DateTime;
    } else {
        editor_.baseKind = unboundDataType_ == wwDTEdtDate   ? controls::PickerBaseKind::Date
                           : unboundDataType_ == wwDTEdtTime ? controls::PickerBaseKind::Time
                                                             : controls::PickerBaseKind::DateTime;
    }
    editor_.format = EffectiveDisplayFormat();
    editor_.generalFormat = editor_.IsDateTimeKind() && editor_.format == u"c";
    editor_.longDateAtMidnight =
        dateFormat_ == dfLong && displayFormat_.isEmpty() && (!field || field->DisplayFormat().isEmpty());
    editor_.minutesInterval = interval_.MinutesInterval;
    editor_.roundMinutes = interval_.RoundMinutes;
    editor_.canEdit = CanEdit();
    editor_.required = field && field->Required();
    PlaceButton();
}

bool TwwDBCustomDateTimePicker::CanModifyValue() const {
    const TField* field = link_.Field();
    if (!field) return true;
    const TDataSet* dataSet = link_.DataSet();
    if (IsEditing(dataSet)) return true;
    return (field->Calculated() || field->Lookup()) && !field->ReadOnly() && !readOnly_ && dataSet &&
           dataSet->CanModify();
}

bool TwwDBCustomDateTimePicker::CanEdit() const {
    if (readOnly_) return false;
    const TField* field = link_.Field();
    if (!field) return true;
    const TDataSet* dataSet = link_.DataSet();
    if (field->ReadOnly() || !dataSet || !dataSet->CanModify()) return false;
    const TDataSource* source = link_.DataSource();
    return (source && source->AutoEdit) || IsEditing(dataSet);
}

// --- values

TDateTime TwwDBCustomDateTimePicker::Date() {
    const TDateTime date = editor_.Date();
    Sync();
    return date;
}

void TwwDBCustomDateTimePicker::SetDate(TDateTime value) {
    try {
        editor_.SetDate(value);
    } catch (...) {
        Sync();
        throw;
    }
    Sync();
}

TDateTime TwwDBCustomDateTimePicker::Time() {
    const TDateTime time = editor_.Time();
    Sync();
    return time;
}

void TwwDBCustomDateTimePicker::SetTime(TDateTime value) {
    try {
        editor_.SetTime(value);
    } catch (...) {
        Sync();
        throw;
    }
    Sync();
    update();
}

// --- the field

void TwwDBCustomDateTimePicker::FieldDataChange() {
    Configure();
    const TField* field = link_.Field();
    if (!field) {
        if (editor_.disconnected) editor_.Load(0, true);
        Sync();
        return;
    }
    const TDataSetState state = link_.DataSet() ? link_.DataSet()->State() : dsInactive;
    const bool null = field->IsNull();
    editor_.Load(null ? 0 : field->AsDateTime(), null);
    editor_.SetEmpty(null);
    editor_.SetModified(false);
    if (state == dsBrowse || (null && state == dsInsert)) {
        editor_.SetCurrentPart(1);
        editor_.SelectAll();
    } else if (focused_) {
        editor_.SelectCurrentPart();
    }
    Sync();
}

void TwwDBCustomDateTimePicker::FieldUpdateData() {
    TField* field = link_.Field();
    if (!field || readOnly_ || !editor_.Modified()) return;
    if (!link_.Editing() && !field->Calculated() && !field->Lookup()) return;
    if (editor_.Preview() != 0) editor_.SetDateTime(editor_.Preview());
    const TDateTime fieldValue = field->IsNull() ? 0 : field->AsDateTime();
    TDateTime value = editor_.Value();
    if (editor_.ShowsDateOnly()) {
        value = std::trunc(value) + TimeOfDay(fieldValue);
        if (value == 0) editor_.SetEmpty(true);
    } else if (editor_.IsTimeOnly()) {
        value = std::trunc(fieldValue) + TimeOfDay(value);
        if (value == 0 && editor_.Text().isEmpty()) field->Clear();
        else field->SetAsDateTime(value);
        return;
    }
    if (value != 0) field->SetAsDateTime(value);
    else if (editor_.Empty()) field->Clear();
}

void TwwDBCustomDateTimePicker::ResetValue() {
    if (link_.Field()) {
        link_.Reset();
    } else {
        editor_.Load(entryValue_, entryValue_ == 0 && editor_.Empty());
    }
    editor_.SetModified(false);
    editor_.SetCurrentPart(1);
    editor_.SelectAll();
    Sync();
}

// --- showing the engine

void TwwDBCustomDateTimePicker::Sync() {
    if (text() != editor_.Text()) setText(editor_.Text());
    const int start = editor_.SelStart(), length = editor_.SelLength();
    // The marked part shows only while the picker has the focus, as an edit hides its selection when left.
    if (length > 0 && focused_) setSelection(start, length);
    else setCursorPosition(start);
    // The selection is the cursor: the caret shows only while digits are being typed or the text is empty.
    TEdit::SetReadOnly(!editor_.CaretVisible() || !editor_.canEdit);
    if (editor_.Modified() && link_.Field()) link_.Modified();
}

// --- focus

void TwwDBCustomDateTimePicker::DoEnter() {
    focused_ = true;
    Configure();
    if (link_.Field()) link_.Reset();
    if (link_.Field() && link_.Field()->IsNull()) {
        editor_.Load(0, true);
    } else {
        entryValue_ = editor_.Value();
        editor_.SetText(editor_.DisplayText(editor_.Value()));
        editor_.SelectCurrentPart();
    }
    if (!link_.Field()) editor_.SetModified(false);
    Sync();
    TEdit::DoEnter();
    if (editor_.Value() != 0 && !editor_.Text().isEmpty() && !buttonFocus_) {
        editor_.SelectAll();
        Sync();
    }
}

void TwwDBCustomDateTimePicker::DoExit() {
    editor_.CommitPartEdit();
    Sync();
    if (editor_.Modified() && link_.Field()) {
        try {
            link_.UpdateRecord();
        } catch (...) {
            editor_.SelectCurrentPart();
            Sync();
            QMetaObject::invokeMethod(
                this, [this] { SetFocus(); }, Qt::QueuedConnection);
            throw;
        }
    }
    TEdit::DoExit();
    if (IsDroppedDown()) CloseUp(true);
    focused_ = false;
    deselect();
    update();
}

// --- keys

bool TwwDBCustomDateTimePicker::WantsKey(Word key, TShiftState shift) const {
    if (IsDroppedDown() && key != VK_TAB) return true;
    return TEdit::WantsKey(key, shift) || key == VK_HOME || key == VK_END;
}

bool TwwDBCustomDateTimePicker::HandleDropDownKey(Word key, TShiftState shift) {
    const bool alt = shift.Contains(ssAlt);
    if ((key == VK_F4 && !alt) || (alt && (key == VK_UP || key == VK_DOWN))) {
        if (IsDroppedDown()) CloseUp(true);
        else DropDown();
        return true;
    }
    if (!IsDroppedDown()) return false;
    if (key == VK_RETURN) {
        CloseUp(true);
        return true;
    }
    if (key == VK_ESCAPE) {
        CloseUp(false);
        escapeClosed_ = true;
        return true;
    }
    return false;
}

void TwwDBCustomDateTimePicker::KeyDown(Word& key, TShiftState shift) {
    if (HandleDropDownKey(key, shift)) {
        key = 0;
        return;
    }
    TEdit::KeyDown(key, shift);
    if (key == 0) return;
    const bool ctrl = shift.Contains(ssCtrl), shiftOnly = shift == TShiftState{ssShift};
    if ((ctrl && key == 'V') || (shiftOnly && key == VK_INSERT)) {
        PasteFromClipboard();
        key = 0;
        return;
    }
    if ((ctrl && key == 'X') || (shiftOnly && key == VK_DELETE)) {
        CutToClipboard();
        key = 0;
        return;
    }
    if (IsDroppedDown()) {
        calendar_->KeyDown(key, shift);
        key = 0;
        return;
    }
    editor_.canEdit = CanEdit();
    editor_.SetTextAndSelection(text(), TEdit::SelStart(), TEdit::SelLength());
    editor_.KeyDown(key, shift);
    Sync();
}

void TwwDBCustomDateTimePicker::KeyPress(QChar& key) {
    const bool escapeClosed = std::exchange(escapeClosed_, false);
    if (!CanEdit() && key.unicode() >= u' ') {
        key = QChar();
        return;
    }
    TEdit::KeyPress(key);
    if (key.isNull()) return;
    const char16_t c = key.unicode();
    if (c == u'\b' || c == 0x16 || c == 0x18 || c >= u' ') {
        key = QChar();
        return;
    }
    if (c == u'\r') {
        editor_.CommitPartEdit();
        editor_.SelectCurrentPart();
        Sync();
        key = QChar();
    } else if (c == 0x1B) {
        if (!escapeClosed) ResetValue();
        key = QChar();
    }
}

// --- clipboard

void TwwDBCustomDateTimePicker::PasteFromClipboard() {
    if (!CanEdit()) return;
    link_.Edit();
    try {
        editor_.Paste(QApplication::clipboard()->text());
    } catch (...) {
        Sync();
        throw;
    }
    Sync();
}

void TwwDBCustomDateTimePicker::CutToClipboard() {
    if (editor_.SelLength() > 0) QApplication::clipboard()->setText(selectedText());
    if (!CanEdit()) return;
    link_.Edit();
    editor_.Clear();
    editor_.SetModified(true);
    Sync();
}

// --- mouse

int TwwDBCustomDateTimePicker::TextLeft() {
    const int start = cursorPosition();
    const bool selected = hasSelectedText();
    const int selStart = selectionStart(), selLength = selectionLength();
    setCursorPosition(0);
    const int left = cursorRect().center().x();
    if (selected) setSelection(selStart, selLength);
    else setCursorPosition(start);
    return left;
}

void TwwDBCustomDateTimePicker::mousePressEvent(QMouseEvent* event) {
    ui::Dispatch(this, [&] {
        if (text().isEmpty() || event->button() != Qt::LeftButton) {
            TEdit::mousePressEvent(event);
            return;
        }
        if (!hasFocus()) SetFocus();
        const QFontMetrics metrics(font());
        const int x = int(event->position().x()) - TextLeft();
        editor_.ClickAt(x, [&metrics](const QString& leading) { return metrics.horizontalAdvance(leading); });
        Sync();
    });
}

void TwwDBCustomDateTimePicker::mouseDoubleClickEvent(QMouseEvent*) {
    ui::Dispatch(this, [this] {
        editor_.SelectAll();
        Sync();
    });
}

// --- the button

void TwwDBCustomDateTimePicker::SetButtonStyle(TwwComboButtonStyle style) {
    buttonStyle_ = style;
    button_->EllipsisLook = style == cbsEllipsis;
    button_->update();
}

// The holder at the client area's right edge, full height; the text ends one pixel left of it.
void TwwDBCustomDateTimePicker::PlaceButton() {
    if (!button_) return;
    const bool shown = showButton_ && !editor_.IsTimeOnly();
    const int width = buttonWidth_ > 0 ? buttonWidth_ : std::max(VerticalScrollBarWidth(), 15);
    const int border = hasFrame() ? 2 : 0;
    const int height = this->height() - 2 * border + (hasFrame() ? 0 : 1);
    holder_->setGeometry(this->width() - border - width, border, width, std::max(0, height));
    button_->setGeometry(0, 0, width, holder_->height());
    holder_->setVisible(shown);
    setTextMargins(0, 0, shown ? width + 1 : 0, 0);
}

void TwwDBCustomDateTimePicker::PaintButton(TCanvas& canvas) {
    const TRect rect{0, 0, button_->width(), button_->height()};
    const bool down = button_->State() == bsDown || button_->State() == bsExclusive;
    switch (buttonStyle_) {
        case cbsDownArrow: DrawComboArrowButton(canvas, rect, down, false, isEnabled()); break;
        case cbsEllipsis: DrawEllipsisButtonFace(canvas, rect, down, false, false, false); break;
        case cbsCustom: button_->PaintAsButton(canvas); break;
    }
}

void TwwDBCustomDateTimePicker::resizeEvent(QResizeEvent* event) {
    TEdit::resizeEvent(event);
    ui::Dispatch(this, [this] { PlaceButton(); });
}

void TwwDBCustomDateTimePicker::ButtonClick() {
    if (IsDroppedDown()) {
        CloseUp(true);
        return;
    }
    buttonFocus_ = true;
    SetFocus();
    buttonFocus_ = false;
    if (hasFocus()) DropDown();
}
