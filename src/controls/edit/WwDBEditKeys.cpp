// The field-bound edit's keys: edit mode and AutoEdit, picture masks, the date auto-fill of a space,
// checked characters, Esc, and paste and cut.
#include "controls/edit/WwDBEdit.h"

#include "controls/edit/WwParsing.h"
#include "controls/edit/WwWindows.h"
#include "controls/edit/Wwpict.h"
#include "platform/db/DataSet.h"
#include "platform/db/Field.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/ui/LongLineTextEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QRegularExpression>

namespace {

constexpr char16_t kCtrlV = 0x16;
constexpr char16_t kCtrlX = 0x18;
constexpr char16_t kEscape = 0x1B;

// Runs the masked edit's own character handling without firing OnKeyPress a second time.
class KeyPressHandlerPause {
public:
    explicit KeyPressHandlerPause(TControl& control) : control_(control), saved_(std::move(control.OnKeyPress)) {
        control_.OnKeyPress = nullptr;
    }
    ~KeyPressHandlerPause() {
        if (!control_.OnKeyPress) control_.OnKeyPress = std::move(saved_);
    }
    KeyPressHandlerPause(const KeyPressHandlerPause&) = delete;
    KeyPressHandlerPause& operator=(const KeyPressHandlerPause&) = delete;

private:
    TControl& control_;
    TKeyPressEvent saved_;
};

QString TwoDigits(int value) { return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0')); }

}  // namespace

bool TwwDBCustomEdit::WantsKey(Word key, TShiftState shift) const {
    if (key == VK_RETURN && WantReturns() && !shift.Contains(ssCtrl)) return true;
    // A multi-line window keeps Esc while its text is modified, to undo it, rather than letting the form
    // cancel.
    if (key == VK_ESCAPE && lines_ && isModified()) return true;
    return TwwCustomMaskEdit::WantsKey(key, shift);
}

void TwwDBCustomEdit::KeyDown(Word& key, TShiftState shift) {
    const bool deleting = key == VK_DELETE && !shift.Contains(ssShift);
    const bool pasting = key == VK_INSERT && shift == TShiftState{ssShift};
    const bool cutting = key == VK_DELETE && shift == TShiftState{ssShift};
    if (deleting || pasting || cutting) {
        if (IsEditBlocked()) {
            key = 0;
            return;
        }
        if (!Field()) {
            if (!ReadOnly()) setReadOnly(false);
        } else {
            EnsureEditMode();
        }
    }
    if (pasting || cutting) {
        TControl::KeyDown(key, shift);
        if (key == 0) return;
        if (pasting) PasteFromClipboard();
        else CutToClipboard();
        key = 0;
        return;
    }
    TwwCustomMaskEdit::KeyDown(key, shift);
    if (deleting && !isReadOnly()) SetModified(true);
}

void TwwDBCustomEdit::KeyUp(Word& key, TShiftState shift) {
    TwwCustomMaskEdit::KeyUp(key, shift);
    if (key == VK_DELETE && OnCheckValue && !Picture().PictureMask().isEmpty()) CheckPictureValue(Text());
}

void TwwDBCustomEdit::KeyPress(QChar& key) {
    if (key == u'\t' && IsInGrid(this)) {
        key = QChar();
        return;
    }
    TControl::KeyPress(key);
    if (key.isNull()) return;
    const QChar original = key;
    const bool printable = IsPrintableChar(key);
    const bool backspace = key == u'\b';
    const bool enter = key == u'\r';
    TField* field = Field();

    if (printable || backspace || (enter && WantReturns())) {
        if (IsEditBlocked()) {
            key = QChar();
            return;
        }
        if (!field) {
            if (ReadOnly()) {
                key = QChar();
                return;
            }
            setReadOnly(false);
        } else if (!ReadOnly() && (field->Calculated() || field->Lookup())) {
            if (!field->CanModify() || !field->DataSet()->CanModify()) return;
            field->DataSet()->Edit();
            setReadOnly(false);
        }
    }

    if (key == u' ' && AutoFillDate && !(IsPictureMaskInUse() && Picture().AutoFill())) {
        EnsureEditMode();
        const bool ctrl = QApplication::keyboardModifiers() & Qt::ControlModifier;
        if (!ctrl && (IsDateEdit() || IsTimeEdit() || IsDateTimeEdit()) && AutoFillDateOnSpace()) {
            key = QChar();
            return;
        }
    }

    if (ApplyPictureMask(key)) {
        SetModified(true);
        return;
    }
    if (key.isNull()) return;

    // The framework's edit mask types the key itself; the key still puts the record into edit mode below.
    bool consumedByEditMask = false;
    if (IsMasked() && (printable || backspace || key == kCtrlV || key == kCtrlX)) {
        if (!IsEditBlocked()) EnsureEditMode();
        KeyPressHandlerPause pause(*this);
        if (key == kCtrlV) PasteFromClipboard();
        else TwwCustomMaskEdit::KeyPress(key);
        consumedByEditMask = key.isNull();
        key = original;
    }

    if (printable && field && !MapsDisplayText()) {
        const QString format = GetDisplayFormat();
        bool valid = true;
        if (!format.isEmpty() && (field->DataType() == ftInteger || field->DataType() == ftSmallint ||
                                  field->DataType() == ftWord || field->DataType() == ftAutoInc))
            valid = key.isDigit() || key == u'+' || key == u'-';
        else if (!format.isEmpty() && dynamic_cast<TFloatField*>(field))
            valid = key.isDigit() || key == u'+' || key == u'-' || key == u'E' || key == u'e' ||
                    key == FormatSettings.DecimalSeparator;
        else valid = field->IsValidChar(key);
        if (!valid) {
            QApplication::beep();
            key = QChar();
            return;
        }
    }

    if (printable || backspace || key == kCtrlV || key == kCtrlX) {
        EnsureEditMode();
        SetModified(true);
        if (!IsTextEditable()) key = QChar();
        else if (key == kCtrlV && !consumedByEditMask) {
            PasteFromClipboard();
            key = QChar();
        } else if (key == kCtrlX && !consumedByEditMask) {
            CutToClipboard();
            key = QChar();
        }
    } else if (enter) {
        if (WantReturns()) SetModified(true);
        else if (IsInGrid(this)) key = QChar();
    } else if (key == kEscape) {
        Reset();
        update();
        key = QChar();
        if (IsInGrid(this) && parentWidget()) parentWidget()->setFocus();
    }
    if (consumedByEditMask) key = QChar();
}

bool TwwDBCustomEdit::ApplyPictureMask(QChar& key) {
    KeyHandledByMask = false;
    if (!IsPictureMaskInUse() || !(IsPrintableChar(key) || key == u'\b' || key.unicode() < u' ')) return false;
    if (key == u'\b') {
        if (OnCheckValue && !isReadOnly()) {
            QString text = Text();
            if (SelLength() > 0) text.remove(SelStart(), SelLength());
            else if (SelStart() > 0) text.remove(SelStart() - 1, 1);
            CheckPictureValue(text);
        }
        return false;
    }
    if (!IsPrintableChar(key)) {
        if (key == u'\r' && !WantReturns()) key = QChar();
        return false;
    }
    const QString mask = Picture().PictureMask();
    const bool autoFill = Picture().AutoFill();
    const QString text = Text();
    const int selStart = SelStart();
    const int selLength = SelLength();
    QString candidate = text;
    candidate.replace(selStart, selLength, QString(key));
    if (MaxLength() > 0 && candidate.length() > MaxLength() && candidate.length() > text.length()) return false;

    TwwPictureValidator validator(mask, autoFill);
    QString result = candidate;
    int answer = validator.Picture(result, autoFill);
    if (answer == TwwPictureValidator::Error && autoFill) {
        // A space makes the mask supply the literal due here; then the character follows it.
        QString spaced = text;
        spaced.replace(selStart, selLength, QStringLiteral(" "));
        if (validator.Picture(spaced, autoFill) != TwwPictureValidator::Error) {
            result = spaced + key;
            answer = validator.Picture(result, autoFill);
        }
    }
    bool beeped = false;
    if (answer == TwwPictureValidator::Complete || answer == TwwPictureValidator::Incomplete) {
        EnsureEditMode();
        if (!isReadOnly()) {
            const bool wholeSelected = selLength > 0 && selLength == text.length();
            const int growth = result.length() - text.length();
            TextSetByMask = true;
            setText(result);
            TextSetByMask = false;
            SetModified(true);
            int caret = result.length();
            if (!wholeSelected) {
                if (answer == TwwPictureValidator::Complete) caret = selStart + (growth > 0 ? growth : 1);
                else caret = selStart + (selLength == 0 ? growth : 1);
            }
            setCursorPosition(qMin(caret, result.length()));
        }
        key = QChar();
        KeyHandledByMask = true;
    } else if (selStart + selLength >= text.length()) {
        QApplication::beep();
        beeped = true;
        key = QChar();
        KeyHandledByMask = true;
    }
    if (!beeped) DoCheckValue(answer == TwwPictureValidator::Complete);
    return KeyHandledByMask;
}

bool TwwDBCustomEdit::AutoFillDateOnSpace() {
    if (Field() && ReadOnly()) {
        QApplication::beep();
        return false;
    }
    if (isReadOnly()) return false;
    const QString text = Text();
    const bool wholeSelected = !text.isEmpty() && SelLength() == text.length();
    if (!wholeSelected && SelStart() != text.length()) return false;

    const TFormatSettings& settings = FormatSettings;
    const QChar dateSeparator = settings.DateSeparator;
    const QChar timeSeparator = settings.TimeSeparator;
    const bool timeEdit = IsTimeEdit();
    QString result = wholeSelected ? QString() : text;
    const auto dateSeparators = [&] { return int(result.count(dateSeparator)); };
    const auto finish = [&] {
        setText(result);
        setCursorPosition(result.length());
        SetModified(true);
        return true;
    };

    TwwDatePart part;
    if (timeEdit) {
        part = TimePartAtCaret(result.length(), result);
    } else if (result.isEmpty()) {
        switch (GetDateOrder(settings.ShortDateFormat)) {
            case doDMY: part = dpDay; break;
            case doYMD: part = dpYear; break;
            default: part = dpMonth; break;
        }
    } else if (dateSeparators() < 2 && !result.endsWith(dateSeparator)) {
        result += dateSeparator;
        return finish();
    } else {
        part = DatePartAtCaret(result.length(), result, false);
    }
    const bool completeDate = dateSeparators() >= 2 && !result.endsWith(dateSeparator);
    if ((completeDate || timeEdit) && part <= dpYear) part = dpHour;

    const TDateTime now = rtl::CurrentClock().Now();
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, millisecond = 0;
    DecodeDate(now, year, month, day);
    DecodeTime(now, hour, minute, second, millisecond);
    const auto dateSeparatorAfter = [&] {
        if (dateSeparators() < 2) result += dateSeparator;
    };
    switch (part) {
        case dpDay:
            result += settings.ShortDateFormat.contains(QStringLiteral("dd"), Qt::CaseInsensitive)
                          ? TwoDigits(day)
                          : QString::number(day);
            dateSeparatorAfter();
            return finish();
        case dpMonth:
            result += settings.ShortDateFormat.contains(QStringLiteral("mm"), Qt::CaseInsensitive)
                          ? TwoDigits(month)
                          : QString::number(month);
            dateSeparatorAfter();
            return finish();
        case dpYear:
            result += settings.ShortDateFormat.contains(QStringLiteral("yyyy"), Qt::CaseInsensitive)
                          ? QString::number(year)
                          : TwoDigits(year % 100);
            dateSeparatorAfter();
            return finish();
        default: break;
    }
    if (IsDateEdit()) return false;
    const QString am = settings.TimeAMString;
    const QString pm = settings.TimePMString;
    if ((!am.isEmpty() && result.contains(am.at(0), Qt::CaseInsensitive)) ||
        (!pm.isEmpty() && result.contains(pm.at(0), Qt::CaseInsensitive)))
        return false;
    const int timeStart = IsDateTimeEdit() ? int(result.lastIndexOf(u' ')) + 1 : 0;
    const QString timeText = result.mid(timeStart);
    if (part == dpSecond && timeText.count(timeSeparator) >= 2 &&
        timeText.mid(timeText.lastIndexOf(timeSeparator) + 1).length() >= 2)
        part = dpAmPm;
    switch (part) {
        case dpHour:
            if (IsDateTimeEdit() && !result.endsWith(u' ')) {
                result += u' ';
                return finish();
            }
            result += QString::number(am.isEmpty() ? hour : (hour % 12 == 0 ? 12 : hour % 12)) + timeSeparator;
            return finish();
        case dpMinute:
            if (!result.endsWith(timeSeparator)) {
                result += timeSeparator;
                return finish();
            }
            result += TwoDigits(minute) + timeSeparator;
            return finish();
        case dpSecond: result += TwoDigits(second); return finish();
        case dpAmPm:
            if (!result.endsWith(u' ')) result += u' ';
            result += hour < 12 ? QStringLiteral("AM") : QStringLiteral("PM");
            return finish();
        default: return false;
    }
}

bool TwwDBCustomEdit::MayChangeByClipboard() {
    // A text that takes no typing (a list-only combo box) takes no paste either.
    if (IsEditBlocked() || !IsTextEditable()) return false;
    if (!Field()) {
        if (ReadOnly()) return false;
        setReadOnly(false);
    } else {
        EnsureEditMode();
    }
    return !isReadOnly();
}

void TwwDBCustomEdit::PasteFromClipboard() {
    if (!MayChangeByClipboard()) return;
    if (LinesEditor()) {
        LinesEditor()->paste();
        SetModified(true);
        return;
    }
    QString text = QApplication::clipboard()->text();
    // A one-line edit takes the first line; the clipboard itself is left alone.
    const bool singleLine = hasFrame() && !WordWrap() && PasswordChar().isNull();
    if (singleLine) {
        const int lineEnd = int(text.indexOf(QRegularExpression(QStringLiteral("[\r\n]"))));
        if (lineEnd >= 0) text.truncate(lineEnd);
    }
    const int caretBefore = SelStart();
    if (IsMasked()) {
        rtl::MaskedEditState state{EditText(), SelStart(), SelLength()};
        for (const QChar c : text) rtl::TypeMaskedCharacter(Mask(), state, c);
        setText(state.editText);
        setCursorPosition(state.selStart);
    } else {
        insert(text);
    }
    SetModified(true);
    if (IsPictureMaskInUse()) {
        QString whole = Text();
        TwwPictureValidator validator(Picture().PictureMask(), Picture().AutoFill());
        if (validator.Picture(whole, Picture().AutoFill()) != TwwPictureValidator::Error && whole != Text()) {
            setText(whole);
            SetModified(true);
        }
        if (OnCheckValue) CheckPictureValue(Text());
    }
    if (SelStart() == 0) setCursorPosition(qMin(caretBefore + int(text.length()), int(Text().length())));
}

void TwwDBCustomEdit::CutToClipboard() {
    const bool selected = LinesEditor() ? LinesEditor()->textCursor().hasSelection() : SelLength() > 0;
    if (!selected || !MayChangeByClipboard()) return;
    if (LinesEditor()) {
        LinesEditor()->cut();
        SetModified(true);
        return;
    }
    copy();
    if (IsMasked()) {
        rtl::MaskedEditState state{EditText(), SelStart(), SelLength()};
        rtl::DeleteMaskedForward(Mask(), state);
        setText(state.editText);
        setCursorPosition(state.selStart);
    } else {
        del();
    }
    SetModified(true);
    if (OnCheckValue && !Picture().PictureMask().isEmpty()) CheckPictureValue(Text());
}
