// The picker's value, its texts and setters, and the key-down stage that edits it part by part.
#include "controls/edit/DateTimeEditor.h"

#include "controls/edit/WwParsing.h"
#include "platform/rtl/DateTimeFormat.h"
#include "platform/rtl/Exceptions.h"

#include <algorithm>
#include <cmath>

namespace controls {
namespace {

[[noreturn]] void RaiseAboveMaximum(TDateTime maximum) {
    throw EDateTimeError(QStringLiteral("Date exceeds maximum of %1").arg(DateToStr(maximum)));
}

[[noreturn]] void RaiseBelowMinimum(TDateTime minimum) {
    throw EDateTimeError(QStringLiteral("Date is less than minimum of %1").arg(DateToStr(minimum)));
}

// Whole days, counted toward zero as the stored number has them.
TDateTime WholeDays(TDateTime value) { return std::trunc(value); }

bool IsTwoDigitToken(const QString& token) {
    static const QStringList tokens{"d", "dd", "m", "mm", "h", "hh", "n", "nn", "s", "ss", "yy"};
    return tokens.contains(token);
}

bool IsDigitKey(Word key) { return key >= u'0' && key <= u'9'; }
bool IsLetterKey(Word key) { return (key >= u'A' && key <= u'Z') || key > 0x80; }
bool IsNumpadDigit(Word key) { return key >= VK_NUMPAD0 && key <= VK_NUMPAD9; }

}  // namespace

DateTimeEditor::DateTimeEditor(DateTimeEditorHost host) : host_(std::move(host)) {}

// --- kinds and parts

bool DateTimeEditor::IsTimeOnly() const {
    return baseKind == PickerBaseKind::Time ||
           (baseKind == PickerBaseKind::DateTime && !FormatHasDatePart(ExpandedFormat()));
}

bool DateTimeEditor::ShowsDateOnly() const {
    return baseKind == PickerBaseKind::Date || (baseKind == PickerBaseKind::DateTime && !FormatHasTimePart(format));
}

int DateTimeEditor::CountParts() const {
    return int(LayoutParts(ExpandedFormat(), value_, IsDateTimeKind() || IsDateOnly(), IsDateTimeKind() || IsTimeOnly(),
                           *settings)
                   .size());
}

PickerPart DateTimeEditor::FindPart(int part) const {
    const auto parts = LayoutParts(ExpandedFormat(), value_, IsDateTimeKind() || IsDateOnly(),
                                   IsDateTimeKind() || IsTimeOnly(), *settings);
    if (part < 1 || part > int(parts.size())) return {};
    return parts[size_t(part - 1)];
}

int DateTimeEditor::VisiblePartCount() const {
    const int count = CountParts();
    if (!generalFormat) return count;
    for (int n = 1; n <= count; ++n) {
        const PickerPart part = FindPart(n);
        if (part.start + part.length >= text_.size()) return n;
    }
    return count;
}

bool DateTimeEditor::AllPartsShown() const {
    if (!generalFormat) return true;
    const PickerPart last = FindPart(CountParts());
    return text_.size() >= last.start + last.length;
}

// --- selection and text

void DateTimeEditor::SelectAll() {
    selStart_ = 0;
    selLength_ = int(text_.size());
}

void DateTimeEditor::SelectNone() { selLength_ = 0; }

void DateTimeEditor::SetTextAndSelection(const QString& text, int selStart, int selLength) {
    text_ = text;
    selStart_ = selStart;
    selLength_ = selLength;
}

void DateTimeEditor::SetText(const QString& text) {
    text_ = text;
    selStart_ = std::min<int>(selStart_, int(text_.size()));
    selLength_ = std::min<int>(selLength_, int(text_.size()) - selStart_);
    if (text_.isEmpty()) caretVisible_ = true;
}

QString DateTimeEditor::FormatValue(TDateTime value) const {
    if (disconnected) return {};
    if (!IsTimeOnly() && WholeDays(value) == 0) return {};
    if (longDateAtMidnight && TimeOf(value) == 0) return FormatDateTime(settings->LongDateFormat, value, *settings);
    return FormatDateTime(format, value, *settings);
}

QString DateTimeEditor::DisplayText(TDateTime value) const {
    if (disconnected) return {};
    if (bound && FieldIsNull() && !DroppedDown()) return {};
    if (!bound && value == 0 && empty_) return {};
    return FormatValue(value);
}

void DateTimeEditor::RefreshText() {
    if (modified_) SetText(FormatValue(value_));
    else if (bound || (!disconnected && value_ != 0)) SetText(DisplayText(value_));
    else SetText({});
}

void DateTimeEditor::SelectCurrentPart() {
    if (!canEdit) return SelectAll();
    if (DroppedDown()) return SelectNone();
    const PickerPart part = FindPart(part_);
    selStart_ = std::min<int>(part.start, int(text_.size()));
    selLength_ = std::min<int>(part.length, int(text_.size()) - selStart_);
    caretVisible_ = text_.isEmpty();
}

// --- values

void DateTimeEditor::Load(TDateTime value, bool null) {
    value_ = null ? 0 : value;
    pending_ = false;
    preview_ = 0;
    SetText(null ? QString() : DisplayText(value_));
    if (null) caretVisible_ = true;
}

void DateTimeEditor::Clear() {
    value_ = 0;
    pending_ = false;
    preview_ = 0;
    empty_ = true;
    SetText({});
    part_ = 1;
    caretVisible_ = true;
}

TDateTime DateTimeEditor::EffectiveMinDate() const {
    return minDate != 0 ? WholeDays(minDate) : EncodeDate(1899, 12, 31);
}
TDateTime DateTimeEditor::EffectiveMaxDate() const {
    return maxDate != 0 ? WholeDays(maxDate) : EncodeDate(9999, 12, 31);
}

void DateTimeEditor::SetDateTime(TDateTime value) {
    if ((bound || value != 0) && value == value_ && value_ != 0) return;
    if (!bound && value == 0) empty_ = false;
    if (value == 0) {
        value_ = 0;
        if (!IsTimeOnly()) {
            SetText({});
            return;
        }
    }
    bool aboveMaximum = false, belowMinimum = false;
    if (value != 0 && (WholeDays(value) != 0 || !IsTimeOnly()) && (!bound || !FieldIsNull())) {
        aboveMaximum = maxDate != 0 && WholeDays(value) > WholeDays(maxDate);
        belowMinimum = !aboveMaximum && minDate != 0 && value < WholeDays(minDate);
    }
    value_ = value;
    const QString text = FormatValue(value);
    if (text != text_) SetText(text);
    SelectCurrentPart();
    if (aboveMaximum) RaiseAboveMaximum(maxDate);
    if (belowMinimum) RaiseBelowMinimum(minDate);
}

TDateTime DateTimeEditor::Date() {
    CommitPartEdit();
    return IsTimeOnly() ? 0 : WholeDays(value_);
}

void DateTimeEditor::SetDate(TDateTime value) {
    if (IsTimeOnly()) return;
    if (!bound && value == 0) {
        empty_ = false;
        value_ = 0;
        SetText({});
        return;
    }
    if (WholeDays(value) == WholeDays(value_)) return;
    const TDateTime old = value_;
    const QString oldText = text_;
    const TDateTime time = std::fabs(value_ - WholeDays(value_));
    const TDateTime days = WholeDays(value);
    const TDateTime next = days < 0 ? days - time : days + time;
    if (next == 0) return Clear();
    // Clearing the date keeps the time of day, which is no date to check against the bounds.
    if (days == 0) {
        value_ = next;
        SetText(FormatValue(next));
        return;
    }
    if (maxDate != 0 && days > WholeDays(maxDate)) RaiseAboveMaximum(maxDate);
    if (minDate != 0 && next < WholeDays(minDate)) RaiseBelowMinimum(minDate);
    try {
        SetDateTime(next);
    } catch (...) {
        value_ = old;
        SetText(oldText);
        throw;
    }
}

TDateTime DateTimeEditor::Time() {
    CommitPartEdit();
    return IsDateOnly() ? 0 : std::fabs(value_ - WholeDays(value_));
}

void DateTimeEditor::SetTime(TDateTime value) {
    if (IsDateOnly()) return;
    const TDateTime time = std::fabs(value - WholeDays(value));
    if (!bound && value == 0) {
        empty_ = false;
        value_ = 0;
        SetText(IsTimeOnly() ? FormatValue(0) : QString());
        return;
    }
    if (SameTime(std::fabs(value_ - WholeDays(value_)), time)) return;
    const TDateTime days = WholeDays(value_);
    const TDateTime next = days < 0 ? days - time : days + time;
    SetDateTime(next);
    if (next == 0 && IsTimeOnly()) SetText(FormatValue(0));
}

void DateTimeEditor::SetMinDate(TDateTime value) {
    if (maxDate != 0 && WholeDays(maxDate) < WholeDays(value)) RaiseAboveMaximum(maxDate);
    minDate = value;
}

void DateTimeEditor::SetMaxDate(TDateTime value) {
    if (value != 0 && minDate != 0 && WholeDays(value) < WholeDays(minDate)) RaiseBelowMinimum(minDate);
    maxDate = value;
}

// --- helpers

DateTimeEditor::Parts DateTimeEditor::Decode(TDateTime value) const {
    Parts p{};
    DecodeDateTime(value, p.year, p.month, p.day, p.hour, p.minute, p.second, p.msec);
    return p;
}

bool DateTimeEditor::HoldsNoValue() const {
    const TDateTime time = std::fabs(value_ - WholeDays(value_));
    return value_ == 0 || (!IsTimeOnly() && WholeDays(value_) == 0) || (IsTimeOnly() && time == 0);
}

bool DateTimeEditor::IsEditKey(Word key) const {
    return key == VK_BACK || key == VK_SPACE || key == VK_RIGHT || key == VK_DELETE || (key >= 0x30 && key <= 0x6F) ||
           key > 0x91;
}

void DateTimeEditor::Beep() const {
    if (host_.beep) host_.beep();
}
void DateTimeEditor::EditDataSet() const {
    if (host_.edit) host_.edit();
}
bool DateTimeEditor::FieldIsNull() const { return host_.fieldIsNull && host_.fieldIsNull(); }
bool DateTimeEditor::DroppedDown() const { return host_.droppedDown && host_.droppedDown(); }

int DateTimeEditor::WindowedYear(int year) const {
    int result = year + epoch / 100 * 100;
    if (result < epoch) result += 100;
    return result;
}

bool DateTimeEditor::WithinBounds(int year, int month, int day) const {
    TDateTime date;
    if (!TryEncodeDate(year, month, day, date)) return false;
    return date >= EffectiveMinDate() && date <= EffectiveMaxDate();
}

// Whether the first token of kind a stands before the first of kind b in the format.
bool DateTimeEditor::DayBefore(QChar a, QChar b) const {
    qsizetype first = -1, second = -1, index = 0;
    for (const FormatToken& token : ReadFormatTokens(ExpandedFormat())) {
        if (token.isPart) {
            const QChar c = token.text[0];
            const bool isA = c == a && (a != u'd' || token.text.size() <= 2);
            if (isA && first < 0) first = index;
            if (c == b && second < 0) second = index;
        }
        ++index;
    }
    return first >= 0 && second >= 0 && first < second;
}

void DateTimeEditor::GetWeekBounds(TDateTime date, TDateTime& first, TDateTime& last) const {
    const TwwCalDayOfWeek day = host_.firstDayOfWeek ? host_.firstDayOfWeek() : wwdowLocaleDefault;
    const int firstDay = day == wwdowLocaleDefault ? settings->FirstDayOfWeek : int(day);
    const int offset = (DayOfTheWeek(date) - 1 - firstDay + 7) % 7;
    first = WholeDays(date) - offset;
    last = first + 6;
}

int DateTimeEditor::AdjustHourForAmPm(int currentHour, int typedHour) const {
    if (!FormatHasAmPm(ExpandedFormat())) return typedHour;
    if (typedHour == 12 && currentHour < 12) return 0;
    if (typedHour < 12 && currentHour >= 12) return typedHour + 12;
    return typedHour;
}

// --- storing parts

void DateTimeEditor::SetFromParts(int year, int month, int day, int hour, int minute, int second, int msec) {
    if (IsTimeOnly()) {
        TDateTime time;
        if (TryEncodeTime(hour, minute, second, msec, time)) SetTime(time);
        return;
    }
    TDateTime date;
    if (!TryEncodeDate(year, month, std::min(day, DaysInAMonth(year, month)), date)) return RefreshText();
    TDateTime time = 0;
    TryEncodeTime(hour, minute, second, msec, time);
    const TDateTime value = date < 0 ? date - time : date + time;
    if (date < EffectiveMinDate() || date > EffectiveMaxDate()) return RefreshText();
    SetDateTime(value);
}

void DateTimeEditor::SetPartNumber(int number, Parts& p, const PickerPart& part) const {
    switch (part.Kind()) {
        case PickerPartKind::Day:
            if (number != 0) p.day = number;
            break;
        case PickerPartKind::Month:
            if (number != 0) p.month = number;
            break;
        case PickerPartKind::Year:
            if (part.token == u"yyyy") {
                if (number != 0) p.year = number;
            } else {
                p.year = WindowedYear(number);
            }
            break;
        case PickerPartKind::Hour: p.hour = AdjustHourForAmPm(p.hour, number); break;
        case PickerPartKind::Minute: p.minute = number; break;
        case PickerPartKind::Second: p.second = number; break;
        default: break;
    }
}

void DateTimeEditor::CommitPartEdit() {
    if (DroppedDown() || !pending_) return;
    pending_ = false;
    preview_ = 0;
    const PickerPart part = FindPart(part_);
    if (!part.IsValid()) return;
    const int typed = std::clamp(selStart_ - part.start, 0, int(text_.size()) - part.start);
    const QString digits = text_.mid(part.start, typed);
    Parts p = Decode(value_);
    if (part.token == u"yyyy") {
        const int number = digits.toInt();
        p.year = typed == 3 ? number : WindowedYear(number);
    } else if (IsTwoDigitToken(part.token) && !digits.isEmpty()) {
        SetPartNumber(digits[0].digitValue(), p, part);
    }
    StoreParts(p);
    RefreshText();
    SelectCurrentPart();
    modified_ = true;
}

// --- the key-down stage

void DateTimeEditor::KeyDown(Word& key, TShiftState shift, QChar character) {
    const bool alt = shift.Contains(ssAlt);
    if (key == VK_BACK && !WholeTextSelected()) key = VK_LEFT;
    if (disconnected) return;
    if (required && (key == VK_BACK || key == VK_DELETE)) {
        const bool removesTime =
            generalFormat && AllPartsShown() && !WholeTextSelected() && FindPart(part_).IsTimePart();
        if (!removesTime) {
            key = 0;
            return;
        }
    }
    if (shift.Contains(ssShift) && key == VK_RIGHT && part_ == 1) {
        SelectAll();
        key = 0;
        return;
    }
    if (!canEdit) {
        key = 0;
        return;
    }
    if (shift.Contains(ssCtrl) || DroppedDown()) return;

    if (IsEditKey(key) && !alt) {
        if (text_.isEmpty() && HoldsNoValue()) StartValue(IsDigitKey(key) || IsNumpadDigit(key));
        else if (WholeTextSelected() && !text_.isEmpty()) {
            part_ = 1;
            SelectCurrentPart();
        }
    }
    if (alt) return;

    if (key == VK_OEM_PLUS || key == VK_ADD) key = VK_UP;
    else if (key == VK_OEM_MINUS || key == VK_SUBTRACT) key = VK_DOWN;
    else if (IsNumpadDigit(key)) key = Word(u'0' + (key - VK_NUMPAD0));
    else if (pending_) {
        const bool dateSeparator = (settings->DateSeparator == u'/' && (key == VK_OEM_2 || key == VK_DIVIDE)) ||
                                   (settings->DateSeparator == u'.' && (key == VK_OEM_PERIOD || key == VK_DECIMAL));
        const bool timeSeparator = (settings->TimeSeparator == u':' && key == VK_OEM_1) ||
                                   (settings->TimeSeparator == u'.' && (key == VK_OEM_PERIOD || key == VK_DECIMAL));
        if (dateSeparator || timeSeparator || key == VK_OEM_2) key = VK_RIGHT;
    }

    const bool keepsPending =
        key == VK_DELETE || key == VK_BACK || key == VK_UP || key == VK_DOWN || key == VK_HOME || key == VK_END;
    if (keepsPending || IsLetterKey(key) || IsDigitKey(key)) empty_ = false;
    if (shift.Contains(ssShift) && (key == VK_HOME || key == VK_END)) {
        SelectAll();
        key = 0;
        return;
    }
    if (key == VK_DELETE && pending_) {
        key = 0;
        return;
    }
    const bool savedPending = pending_;
    if (!keepsPending) pending_ = false;
    if (!IsTimeOnly() && value_ == 0 && (key == VK_HOME || key == VK_END || key == VK_UP || key == VK_DOWN))
        value_ = ::Date();
    Parts p = Decode(value_);
    const PickerPart part = FindPart(part_);
    EditDataSet();

    if (key == VK_LEFT || key == VK_RIGHT || key == VK_SPACE) {
        pending_ = savedPending;
        if (key == VK_LEFT) {
            CommitPartEdit();
            part_ = std::clamp(part_ - 1, 1, std::max(1, VisiblePartCount()));
        } else if (part_ < CountParts()) {
            CommitPartEdit();
            if (generalFormat && part_ + 1 > VisiblePartCount()) {
                const TDateTime date = WholeDays(value_);
                const TDateTime time = date != 0 ? std::fabs(::Now() - WholeDays(::Now())) : 0;
                const Parts filled = Decode((date != 0 ? date : ::Date()) + time);
                StoreParts(filled);
                RefreshText();
            }
            part_ = std::min(part_ + 1, VisiblePartCount());
        } else {
            CommitPartEdit();
        }
        SelectCurrentPart();
        key = 0;
        return;
    }
    if (key == VK_F2) {
        SelectCurrentPart();
        key = 0;
        return;
    }
    if (!part.IsValid()) {
        pending_ = savedPending;
        return;
    }

    bool stored = false;
    bool accepted = true;
    switch (key) {
        case VK_BACK:
        case VK_DELETE: DeleteValue(part); break;
        case VK_UP:
        case VK_DOWN: StepUpDown(key == VK_UP, p, part); break;
        case VK_HOME:
        case VK_END: HomeEnd(key == VK_HOME, p, part); break;
        default:
            if (IsDigitKey(key)) {
                accepted = TypeDigit(key - u'0', p, part, stored);
                if (accepted && !stored) {
                    key = 0;
                    return;
                }
            } else if (IsLetterKey(key)) {
                const QChar letter = key <= u'Z' ? QChar(key) : character;
                switch (part.Kind()) {
                    case PickerPartKind::Month:
                        accepted = part.token.size() >= 3 && TypeMonthLetter(letter, p, part);
                        break;
                    case PickerPartKind::Weekday: accepted = TypeWeekdayLetter(letter, p, part); break;
                    case PickerPartKind::AmPm: accepted = TypeAmPmLetter(letter, p, part); break;
                    default: accepted = false;
                }
            } else {
                pending_ = savedPending;
                return;
            }
    }
    if (!accepted) {
        pending_ = savedPending;
        key = 0;
        return;
    }
    if (key != VK_BACK && key != VK_DELETE) {
        pending_ = false;
        StoreParts(p);
        RefreshText();
        if (IsDigitKey(key) && part_ < VisiblePartCount()) ++part_;
        SelectCurrentPart();
    }
    preview_ = 0;
    modified_ = true;
    key = 0;
}

void DateTimeEditor::StartValue(bool digitKey) {
    EditDataSet();
    if (IsTimeOnly()) {
        value_ = WholeDays(value_) + (digitKey ? 0 : std::fabs(::Now() - WholeDays(::Now())));
    } else {
        const TDateTime today = ::Date();
        TDateTime date;
        if (minDate != 0 && today < WholeDays(minDate)) date = WholeDays(minDate);
        else if (maxDate != 0 && today > WholeDays(maxDate)) date = WholeDays(maxDate);
        else if (autoFillDateAndTime) date = ShowsDateOnly() || generalFormat ? today : ::Now();
        else date = ExpandedFormat().contains(u'd') ? today : StartOfTheMonth(today);
        if (date == WholeDays(date)) date += std::fabs(value_ - WholeDays(value_));
        value_ = date;
    }
    empty_ = false;
    SetText(FormatValue(value_));
    modified_ = true;
    part_ = 1;
    SelectCurrentPart();
}

void DateTimeEditor::DeleteValue(const PickerPart& part) {
    caretVisible_ = true;
    pending_ = false;
    if (IsTimeOnly() && IsDateTimeKind()) {
        value_ = WholeDays(value_);
        empty_ = true;
        SetText({});
    } else if (ShowsDateOnly()) {
        const TDateTime time = std::fabs(value_ - WholeDays(value_));
        if (!bound || time == 0) {
            Clear();
        } else {
            value_ = time;
            empty_ = true;
            SetText({});
        }
    } else if (generalFormat && AllPartsShown() && part.IsTimePart()) {
        value_ = WholeDays(value_);
        SetText(FormatValue(value_));
        part_ = VisiblePartCount();
        SelectCurrentPart();
        return;
    } else {
        Clear();
    }
    part_ = 1;
    SelectNone();
}

void DateTimeEditor::StepUpDown(bool up, Parts& p, const PickerPart& part) {
    const int step = up ? 1 : -1;
    switch (part.Kind()) {
        case PickerPartKind::AmPm: p.hour = p.hour < 12 ? p.hour + 12 : p.hour - 12; break;
        case PickerPartKind::Day:
        case PickerPartKind::Weekday:
        case PickerPartKind::Month:
        case PickerPartKind::Year: StepDatePart(part.token, step, true, p); break;
        case PickerPartKind::Hour: p.hour = (p.hour + step + 24) % 24; break;
        case PickerPartKind::Minute: {
            const int interval = std::max(1, minutesInterval);
            if (up) {
                p.minute = (p.minute + interval) % 60;
                if (roundMinutes) p.minute -= p.minute % interval;
            } else if (roundMinutes && p.minute % interval != 0) {
                p.minute -= p.minute % interval;
            } else {
                p.minute = ((p.minute - interval) % 60 + 60) % 60;
            }
            break;
        }
        case PickerPartKind::Second: p.second = (p.second + step + 60) % 60; break;
    }
}

void DateTimeEditor::HomeEnd(bool home, Parts& p, const PickerPart& part) {
    const Parts lo = Decode(EffectiveMinDate());
    const Parts hi = Decode(EffectiveMaxDate());
    const auto setDate = [&p](TDateTime date) { DecodeDate(date, p.year, p.month, p.day); };
    switch (part.Kind()) {
        case PickerPartKind::AmPm:
            if (home && p.hour >= 12) p.hour -= 12;
            if (!home && p.hour < 12) p.hour += 12;
            break;
        case PickerPartKind::Day:
            if (home) p.day = p.year == lo.year && p.month == lo.month ? lo.day : 1;
            else p.day = p.year == hi.year && p.month == hi.month ? hi.day : DaysInAMonth(p.year, p.month);
            break;
        case PickerPartKind::Weekday: {
            TDateTime first, last;
            GetWeekBounds(EncodeDate(p.year, p.month, p.day), first, last);
            setDate(home ? std::max(first, EffectiveMinDate()) : std::min(last, EffectiveMaxDate()));
            break;
        }
        case PickerPartKind::Month:
            if (home) p.month = p.year == lo.year ? lo.month + (p.day < lo.day ? 1 : 0) : 1;
            else p.month = p.year == hi.year ? hi.month - (p.day > hi.day ? 1 : 0) : 12;
            break;
        case PickerPartKind::Year:
            if (home) p.year = lo.year + ((p.month < lo.month || (p.month == lo.month && p.day < lo.day)) ? 1 : 0);
            else p.year = hi.year - ((p.month > hi.month || (p.month == hi.month && p.day > hi.day)) ? 1 : 0);
            break;
        case PickerPartKind::Hour: p.hour = home ? 0 : 23; break;
        case PickerPartKind::Minute: p.minute = home ? 0 : 59; break;
        case PickerPartKind::Second: p.second = home ? 0 : 59; break;
    }
}

bool DateTimeEditor::StepDatePart(const QString& token, int step, bool rolling, Parts& p) const {
    const TDateTime lo = EffectiveMinDate(), hi = EffectiveMaxDate();
    const auto setDate = [&p](TDateTime date) { DecodeDate(date, p.year, p.month, p.day); };
    TDateTime date;
    if (!TryEncodeDate(p.year, p.month, std::min(p.day, DaysInAMonth(p.year, p.month)), date)) return false;
    const QChar letter = token[0];
    if (letter == u'd' && token.size() > 2 && (step == 1 || step == -1)) {
        TDateTime first, last;
        GetWeekBounds(date, first, last);
        TDateTime moved = step > 0 ? (date == last ? date - 6 : date + 1) : (date == first ? date + 6 : date - 1);
        setDate(std::clamp(moved, lo, hi));
        return true;
    }
    if (letter == u'd') {
        const TDateTime moved = date + step;
        if (date >= 0 ? moved > hi : moved < lo) return false;
        if (step > 0) {
            if (rolling) p.day = DayOf(moved);
            else setDate(moved);
            return true;
        }
        if (!rolling) {
            if (moved < lo) return false;
            setDate(moved);
            return true;
        }
        const int length = DaysInAMonth(p.year, p.month);
        p.day = ((p.day - 1 + step) % length + length) % length + 1;
        const TDateTime rolled = EncodeDate(p.year, p.month, p.day);
        if (rolled < lo) setDate(lo);
        else if (rolled > hi) setDate(hi);
        return true;
    }
    int year = p.year, month = p.month;
    if (letter == u'm') {
        if (rolling) {
            month = ((p.month - 1 + step) % 12 + 12) % 12 + 1;
        } else {
            const int total = p.year * 12 + p.month - 1 + step;
            year = total / 12;
            month = total % 12 + 1;
        }
    } else {
        year = p.year + step;
    }
    if (year < 1 || year > 9999) return false;
    const int day = std::min(p.day, DaysInAMonth(year, month));
    const TDateTime moved = EncodeDate(year, month, day);
    if (moved < lo || moved > hi) {
        if (!rolling) return false;
        setDate(moved < lo ? lo : hi);
        return true;
    }
    p.year = year, p.month = month, p.day = day;
    return true;
}

// --- typing

bool DateTimeEditor::IsTypedDigitComplete(int digit, const PickerPart& part) const {
    switch (part.Kind()) {
        case PickerPartKind::Day: return digit > 3;
        case PickerPartKind::Month: return digit > 1;
        case PickerPartKind::Hour: return FormatHasAmPm(ExpandedFormat()) ? digit > 1 : digit > 2;
        case PickerPartKind::Minute:
        case PickerPartKind::Second: return digit > 5;
        default: return false;
    }
}

bool DateTimeEditor::IsTypedValueValid(int number, const PickerPart& part, Parts& p) const {
    switch (part.Kind()) {
        case PickerPartKind::Day: {
            if (number < 1 || number > 31) return false;
            if (DayBefore(u'd', u'm') && DaysInAMonth(p.year, p.month) < number)
                for (int month = 1; month <= 12; ++month)
                    if (DaysInAMonth(p.year, month) >= number) {
                        p.month = month;
                        break;
                    }
            if (p.month == 2 && number == 29 && !IsLeapYear(p.year) && DayBefore(u'd', u'y'))
                while (!IsLeapYear(++p.year)) {
                }
            return number <= DaysInAMonth(p.year, p.month) && WithinBounds(p.year, p.month, number);
        }
        case PickerPartKind::Month:
            if (number < 1 || number > 12) return false;
            if (number == 2 && p.day == 29 && !IsLeapYear(p.year) && DayBefore(u'm', u'y'))
                while (!IsLeapYear(++p.year)) {
                }
            p.day = std::min(p.day, DaysInAMonth(p.year, number));
            return WithinBounds(p.year, number, p.day);
        case PickerPartKind::Hour: return FormatHasAmPm(ExpandedFormat()) ? number <= 12 : number < 24;
        case PickerPartKind::Minute:
        case PickerPartKind::Second: return number < 60;
        case PickerPartKind::Year: {
            if (part.token == u"yyyy") {
                TDateTime date;
                if (number == 0) return true;  // keeps the year
                if (!TryEncodeDate(number, p.month, p.day, date)) return false;
                return date >= EffectiveMinDate() && (maxDate == 0 || date <= WholeDays(maxDate));
            }
            return WithinBounds(WindowedYear(number), p.month, p.day);
        }
        default: return false;
    }
}

bool DateTimeEditor::IsDecadeAllowed(int digit) const {
    if (minDate == 0) return true;
    return EncodeDate(WindowedYear(digit * 10 + 9), 12, 31) >= WholeDays(minDate);
}

void DateTimeEditor::ShowPendingDigits(const PickerPart& part, const QString& digits, Parts& p) {
    // The part's characters now: the whole part when selected, else the digits typed before.
    const int current = selLength_ > 0 || selStart_ <= part.start ? part.length : selStart_ - part.start;
    text_ = text_.left(part.start) + digits + text_.mid(part.start + current);
    selStart_ = part.start + int(digits.size());
    selLength_ = 0;
    caretVisible_ = true;
    pending_ = true;
    const int number = digits.toInt();
    Parts q = p;
    if (part.Kind() == PickerPartKind::Year) q.year = number < 100 ? WindowedYear(number) : number;
    else SetPartNumber(number, q, part);
    if (IsTimeOnly()) {
        TDateTime time;
        if (TryEncodeTime(q.hour, q.minute, q.second, q.msec, time)) value_ = WholeDays(value_) + time;
        return;
    }
    TDateTime date = 0;
    preview_ = 0;
    if (TryEncodeDate(q.year, q.month, q.day, date) && WithinBounds(q.year, q.month, q.day))
        preview_ = date + std::fabs(value_ - WholeDays(value_));
}

bool DateTimeEditor::TypeDigit(int digit, Parts& p, const PickerPart& part, bool& stored) {
    const int s = part.start;
    const bool afterTyped = selLength_ == 0 && selStart_ > s;
    // A whole number for the part: checked against the rest of the date, then taken.
    const auto takeNumber = [&](int number) {
        Parts q = p;
        if (!IsTypedValueValid(number, part, q)) {
            Beep();
            return false;
        }
        SetPartNumber(number, q, part);
        p = q;
        stored = true;
        return true;
    };
    if (IsTwoDigitToken(part.token)) {
        if (afterTyped && selStart_ == s + 1 && s < text_.size() && text_[s].isDigit())
            return takeNumber(10 * text_[s].digitValue() + digit);
        if (!IsTypedDigitComplete(digit, part)) {
            if (part.token == u"yy" && !IsDecadeAllowed(digit)) {
                Beep();
                return false;
            }
            selLength_ = selStart_ == s && selLength_ > 0 ? selLength_ : part.length;
            selStart_ = s;
            ShowPendingDigits(part, QString::number(digit), p);
            return true;
        }
        return takeNumber(digit);
    }
    if (part.token == u"yyyy") {
        const int typed = afterTyped ? std::min(selStart_ - s, 3) : 0;
        const QString digits = text_.mid(s, typed) + QString::number(digit);
        if (typed == 3) return takeNumber(digits.toInt());
        if (!afterTyped) {
            selStart_ = s;
            selLength_ = part.length;
        }
        ShowPendingDigits(part, digits, p);
        return true;
    }
    Beep();
    return false;
}

bool DateTimeEditor::TypeMonthLetter(QChar letter, Parts& p, const PickerPart& part) const {
    const auto& names = part.token.size() == 3 ? settings->ShortMonthNames : settings->LongMonthNames;
    for (const bool requireDay : {true, false})
        for (int i = 1; i < 12; ++i) {
            const int month = (p.month - 1 + i) % 12 + 1;
            if (!names[size_t(month - 1)].startsWith(letter)) continue;
            if (requireDay && p.day > DaysInAMonth(p.year, month)) continue;
            return StepDatePart(part.token, month - p.month, false, p);
        }
    return false;
}

bool DateTimeEditor::TypeWeekdayLetter(QChar letter, Parts& p, const PickerPart& part) const {
    const auto& names = part.token.size() == 3 ? settings->ShortDayNames : settings->LongDayNames;
    const auto nameOf = [&names](TDateTime day) { return names[size_t(DayOfWeek(day) - 1)]; };
    const TDateTime date = EncodeDate(p.year, p.month, p.day);
    TDateTime first, last;
    GetWeekBounds(date, first, last);
    for (TDateTime day = date + 1; day <= last; ++day) {
        if (!nameOf(day).startsWith(letter)) continue;
        if (day > EffectiveMaxDate()) break;
        DecodeDate(day, p.year, p.month, p.day);
        return true;
    }
    for (TDateTime day = first; day < date; ++day) {
        if (!nameOf(day).startsWith(letter)) continue;
        if (day < EffectiveMinDate() || day > EffectiveMaxDate()) return false;
        DecodeDate(day, p.year, p.month, p.day);
        return true;
    }
    return false;
}

bool DateTimeEditor::TypeAmPmLetter(QChar letter, Parts& p, const PickerPart& part) const {
    QChar am = u'A', pm = u'P';
    if (part.token == u"ampm") {
        am = settings->TimeAMString.isEmpty() ? QChar() : settings->TimeAMString[0].toUpper();
        pm = settings->TimePMString.isEmpty() ? QChar() : settings->TimePMString[0].toUpper();
        if (am == pm) {
            p.hour = p.hour < 12 ? p.hour + 12 : p.hour - 12;
            return true;
        }
    }
    if (letter == pm && p.hour < 12) p.hour += 12;
    else if (letter == am && p.hour >= 12) p.hour -= 12;
    else return letter == am || letter == pm;
    return true;
}

// --- clipboard and mouse

bool DateTimeEditor::Paste(const QString& text) {
    const TDateTime oldValue = value_;
    const QString oldText = text_;
    try {
        if (IsTimeOnly()) {
            const TDateTime time = TextToTime(text, *settings);
            if (time == 0) return false;
            SetTime(time);
        } else {
            TDateTime value = TextToDateAndTime(text, *settings);
            if (WholeDays(value) == 0) value = TextToDate(text, *settings);
            if (WholeDays(value) == 0) return false;
            SetDateTime(value);
        }
    } catch (...) {
        value_ = oldValue;
        SetText(oldText);
        throw;
    }
    empty_ = false;
    pending_ = false;
    modified_ = true;
    RefreshText();
    SelectCurrentPart();
    return true;
}

void DateTimeEditor::ClickAt(int x, const std::function<int(const QString&)>& measure) {
    if (preview_ != 0) {
        const TDateTime preview = preview_;
        preview_ = 0;
        pending_ = false;
        SetDateTime(preview);
        modified_ = true;
        RefreshText();
    } else {
        CommitPartEdit();
    }
    const int visible = VisiblePartCount();
    for (int n = 1; n <= visible; ++n) {
        const PickerPart part = FindPart(n);
        const int end = part.start + part.length;
        if (measure(text_.left(end)) > x || end >= text_.size()) {
            part_ = n;
            break;
        }
    }
    SelectCurrentPart();
}

}  // namespace controls
