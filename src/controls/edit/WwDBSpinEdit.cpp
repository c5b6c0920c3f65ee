// The spin edit: numbers stepped by Increment within MinValue and MaxValue, date and time parts stepped
// under the caret, and the repeating up and down buttons.
#include "controls/edit/WwDBSpinEdit.h"

#include "controls/edit/WwParsing.h"
#include "controls/edit/WwWindows.h"
#include "platform/db/Field.h"
#include "platform/rtl/DateTimeFormat.h"
#include "platform/rtl/FloatFormat.h"
#include "platform/ui/Dispatch.h"
#include "platform/ui/Timer.h"

#include <QApplication>
#include <QMouseEvent>
#include <cmath>

TwwTimerSpeedButton::TwwTimerSpeedButton(QWidget* parent) : TwwSpinControlButton(parent) {}

TwwTimerSpeedButton::~TwwTimerSpeedButton() { StopTimer(); }

void TwwTimerSpeedButton::mousePressEvent(QMouseEvent* event) {
    ui::Dispatch(this, [&] {
        TwwSpinControlButton::mousePressEvent(event);
        if (!AutoRepeat || event->button() != Qt::LeftButton || !isEnabled()) return;
        if (!timer_) {
            timer_ = new TTimer(this);
            timer_->SetEnabled(false);
            timer_->SetOnTimer([this](QObject*) { Tick(); });
        }
        timer_->SetInterval(kFirstDelayMs);
        timer_->SetEnabled(true);
    });
}

void TwwTimerSpeedButton::Tick() {
    timer_->SetInterval(kRepeatDelayMs);
    if (State() != bsDown || !Tracking()) return;
    try {
        Click();
    } catch (...) {
        StopTimer();
        throw;
    }
}

void TwwTimerSpeedButton::StopTimer() {
    if (timer_) timer_->SetEnabled(false);
}

void TwwTimerSpeedButton::mouseReleaseEvent(QMouseEvent* event) {
    ui::Dispatch(this, [&] {
        StopTimer();
        TwwSpinControlButton::mouseReleaseEvent(event);
    });
}

void TwwTimerSpeedButton::enterEvent(QEnterEvent* event) {
    ui::Dispatch(this, [&] {
        mouseInside_ = true;
        TwwSpinControlButton::enterEvent(event);
    });
}

void TwwTimerSpeedButton::leaveEvent(QEvent* event) {
    ui::Dispatch(this, [&] {
        mouseInside_ = false;
        TwwSpinControlButton::leaveEvent(event);
    });
}

void TwwTimerSpeedButton::Release() {
    StopTimer();
    mouseInside_ = false;
    if (!Down()) {
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(-1, -1), QPointF(-1, -1), Qt::LeftButton, Qt::NoButton,
                            Qt::NoModifier);
        if (Tracking()) TwwSpinControlButton::mouseReleaseEvent(&release);
    }
    update();
}

TwwSpinButton::TwwSpinButton(QWidget* parent)
    : ControlOf<QWidget>(parent), up_(new TwwTimerSpeedButton(this)), down_(new TwwTimerSpeedButton(this)) {
    setFocusPolicy(Qt::NoFocus);
    for (TwwTimerSpeedButton* button : {up_, down_}) {
        button->AutoRepeat = true;
        button->SetTransparent(false);
    }
    up_->SpinDirection = 0;
    down_->SpinDirection = 1;
    up_->OnClick = [this](QObject*) { ui::Fire(OnUpClick, this); };
    down_->OnClick = [this](QObject*) { ui::Fire(OnDownClick, this); };
    resize(20, 25);
}

void TwwSpinButton::SetFlat(bool flat) {
    up_->SetFlat(flat);
    down_->SetFlat(flat);
}

bool TwwSpinButton::WantsKey(Word key, TShiftState) const { return key == VK_UP || key == VK_DOWN; }

void TwwSpinButton::resizeEvent(QResizeEvent* event) {
    ui::Dispatch(this, [&] {
        QWidget::resizeEvent(event);
        if (width() < 15) {
            resize(15, height());
            return;
        }
        const int half = height() / 2;
        up_->setGeometry(0, 0, width(), half);
        // The two overlap by one pixel.
        down_->setGeometry(0, half - 1, width(), height() - half + 1);
    });
}

TwwDBSpinEdit::TwwDBSpinEdit(QWidget* parent)
    : TwwDBCustomEdit(parent), spin_(new TwwSpinButton(this)), buttonEffects_(nullptr, spin_) {
    setText(QStringLiteral("0"));
    spin_->resize(15, 17);
    spin_->OnUpClick = [this](QObject*) { UpClick(); };
    spin_->OnDownClick = [this](QObject*) { DownClick(); };
    buttonEffects_.OnRefresh = [this] { spin_->SetFlat(buttonEffects_.Flat() || buttonEffects_.Transparent()); };
    LayoutSpin();
}

bool TwwDBSpinEdit::IsIntegerField() const {
    if (!Field()) return false;
    switch (Field()->DataType()) {
        case ftInteger:
        case ftSmallint:
        case ftWord:
        case ftAutoInc: return true;
        default: return false;
    }
}

bool TwwDBSpinEdit::IsFloatField() const { return Field() && dynamic_cast<TFloatField*>(Field()) != nullptr; }

bool TwwDBSpinEdit::IsNumericEdit() const { return !IsDateEdit() && !IsTimeEdit() && !IsDateTimeEdit(); }

double TwwDBSpinEdit::CheckValue(double value) const {
    if (MinValue == 0 && MaxValue == 0) return value;
    if (value < MinValue) return MinValue;
    if (value > MaxValue) return MaxValue;
    return value;
}

double TwwDBSpinEdit::Value() const {
    const QString text = Text();
    if (text.isEmpty()) return MinValue;
    double number = MinValue;
    if (IsFloatField() || IsIntegerField() || !GetDisplayFormat().isEmpty())
        return StrToFloatWithFormat(text, GetDisplayFormat(), number) ? number : MinValue;
    if (IsDateEdit()) return IsValidDateText(text) ? TextToDate(text) : MinValue;
    if (IsTimeEdit()) return IsValidTimeText(text) ? TextToTime(text) : MinValue;
    if (IsDateTimeEdit()) {
        if (IsValidDateText(text) && !IsValidDateTimeText(text)) return TextToDate(text);
        if (IsValidDateTimeText(text)) return TextToDateAndTime(text);
        TDateTime date = 0;
        return ParseDateText(text, date) ? date : MinValue;
    }
    if (!IsValidFloat(text)) return MinValue;
    return StrToFloatWithFormat(text, QString(), number) ? number : MinValue;
}

void TwwDBSpinEdit::SetValue(double value) {
    const double v = CheckValue(value);
    const QString format = GetDisplayFormat();
    QString text;
    bool selectAll = false;
    if ((IsIntegerField() || IsFloatField()) && !format.isEmpty()) {
        text = FormatFloat(format, v);
        selectAll = true;
    } else if (IsFloatField()) {
        text = FloatToStr(v);
    } else if (IsIntegerField()) {
        text = QString::number(qint64(std::trunc(v)));
    } else if (IsDateEdit()) {
        text = DateToStr(v);
    } else if (IsTimeEdit()) {
        text = TimeToStr(v);
    } else if (IsDateTimeEdit()) {
        text = !Field() && v == std::floor(v) ? DateToStr(v) + u' ' + TimeToStr(0) : DateTimeToStr(v);
    } else {
        text = format.isEmpty() ? FloatToStr(v) : FormatFloat(format, v);
    }
    setText(text);
    if (selectAll) SelectAll();
    if (!loadingValue_) SetModified(true);
}

void TwwDBSpinEdit::SetDisplayFormat(const QString& format) {
    TwwDBCustomEdit::SetDisplayFormat(format);
    loadingValue_ = true;
    SetValue(Value());
    loadingValue_ = false;
}

bool TwwDBSpinEdit::IsValidChar(QChar key) const {
    if (!IsNumericEdit()) return true;
    return key.unicode() < u' ' || key.isDigit() || key == u'+' || key == u'-' ||
           key == FormatSettings.DecimalSeparator;
}

void TwwDBSpinEdit::UpClick() { Step(true); }

void TwwDBSpinEdit::DownClick() { Step(false); }

void TwwDBSpinEdit::Step(bool up) {
    if (!isVisible()) return;
    SetFocus();
    ui::Fire(up ? BeforeUpClick : BeforeDownClick, this);
    bool canModify = false;
    if (Field()) canModify = !ReadOnly() && !Field()->ReadOnly() && DataLink().Edit();
    else canModify = !ReadOnly();
    if (!canModify) {
        QApplication::beep();
    } else {
        if (!Field()) setReadOnly(false);
        if (IsNumericEdit()) SetValue(Value() + (up ? Increment : -Increment));
        else StepDatePart(up);
        SetModified(true);
    }
    ui::Fire(up ? AfterUpClick : AfterDownClick, this);
}

void TwwDBSpinEdit::StepDatePart(bool up) {
    const TDateTime value = Value();
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, millisecond = 0;
    DecodeDate(value, year, month, day);
    DecodeTime(value, hour, minute, second, millisecond);
    const bool timeOnly = IsTimeEdit();
    const TwwDatePart part = DatePartAtCaret(SelStart(), Text(), timeOnly);
    bool datePart = true;
    switch (part) {
        case dpDay: day = up ? NextDayInMonth(year, month, day) : PrevDayInMonth(year, month, day); break;
        case dpMonth: month = up ? month % 12 + 1 : (month + 10) % 12 + 1; break;
        case dpYear: year += up ? 1 : -1; break;
        default: datePart = false; break;
    }
    switch (part) {
        case dpHour: hour = up ? (hour + 1) % 24 : (hour + 23) % 24; break;
        case dpMinute: minute = up ? (minute + 1) % 60 : (minute + 59) % 60; break;
        case dpSecond: second = up ? (second + 1) % 60 : (second + 59) % 60; break;
        case dpAmPm: hour = (hour + 12) % 24; break;
        default: break;
    }
    const double timeOfDay = value - std::floor(value);
    TDateTime result = value;
    if (datePart) {
        TDateTime date = 0;
        // A day the new month lacks comes down to its last day.
        while (!EncodeDateChecked(year, month, day, date) && day > 28) --day;
        if (EncodeDateChecked(year, month, day, date)) result = date + timeOfDay;
    } else {
        TDateTime time = 0;
        if (EncodeTimeChecked(hour, minute, second, millisecond, time))
            result = timeOnly ? time : std::floor(value) + time;
    }
    SetValue(result);
    SelectDatePart(part, *this, timeOnly);
}

bool TwwDBSpinEdit::GetShowButton() const { return spin_->isVisible(); }

int TwwDBSpinEdit::GetButtonWidth() const { return spin_->width(); }

int TwwDBSpinEdit::GetTextRightEdge() const { return spin_->geometry().left() - 1; }

void TwwDBSpinEdit::LayoutSpin() {
    const int border = hasFrame() ? 2 : 0;
    const int spinWidth = qMax(15, spin_->width());
    spin_->setGeometry(width() - border - spinWidth, border, spinWidth, qMax(0, height() - 2 * border));
    setTextMargins(textMargins().left(), textMargins().top(), qMax(0, width() - spin_->geometry().left()), 0);
}

void TwwDBSpinEdit::resizeEvent(QResizeEvent* event) {
    TwwDBCustomEdit::resizeEvent(event);
    ui::Dispatch(this, [this] { LayoutSpin(); });
}

void TwwDBSpinEdit::Loaded() {
    TwwDBCustomEdit::Loaded();
    LayoutSpin();
    if (!Field() && !IsNumericEdit() && Text() == QLatin1String("0")) setText(QString());
}

bool TwwDBSpinEdit::WantsKey(Word key, TShiftState shift) const {
    return key == VK_UP || key == VK_DOWN || TwwDBCustomEdit::WantsKey(key, shift);
}

void TwwDBSpinEdit::KeyDown(Word& key, TShiftState shift) {
    if (key == VK_UP || key == VK_DOWN) {
        const bool gridKeeps = InheritsFromClassName(parent(), QStringLiteral("TwwCustomDBGrid")) &&
                               SelLength() == Text().length() && !shift.Contains(ssAlt);
        if (!gridKeeps) {
            if (key == VK_UP) UpClick();
            else DownClick();
            key = 0;
            return;
        }
    }
    if (!EditorEnabled && key == VK_DELETE) {
        QApplication::beep();
        key = 0;
        return;
    }
    if (!EditorEnabled && key == VK_INSERT && shift == TShiftState{ssShift}) {
        key = 0;
        return;
    }
    TwwDBCustomEdit::KeyDown(key, shift);
}

void TwwDBSpinEdit::KeyPress(QChar& key) {
    const bool clipboardKey = key == QChar(0x16) || key == QChar(0x18);
    if (!EditorEnabled && (key == u'\b' || key.unicode() >= u' ' || clipboardKey)) {
        if (!clipboardKey) QApplication::beep();
        key = QChar();
        return;
    }
    if (!IsValidChar(key)) {
        QApplication::beep();
        key = QChar();
        return;
    }
    TwwDBCustomEdit::KeyPress(key);
}

void TwwDBSpinEdit::DoExit() {
    const double value = Value();
    if (CheckValue(value) != value) {
        const QString before = Text();
        loadingValue_ = true;
        SetValue(value);
        loadingValue_ = false;
        if (Text() != before) SetModified(true);
    }
    const auto releaseButtons = [this] {
        spin_->UpButton()->Release();
        spin_->DownButton()->Release();
        if (spin_->Flat()) spin_->update();
    };
    try {
        TwwDBCustomEdit::DoExit();
    } catch (...) {
        releaseButtons();
        throw;
    }
    releaseButtons();
}
