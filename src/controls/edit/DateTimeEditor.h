// The date/time picker's value and keyboard engine: part by part editing of a value shown through a display
// format, kept apart from the widget so that every key's effect can be followed without a window.
#pragma once

#include "controls/edit/DateTimePickerFormat.h"
#include "controls/edit/MonthCalendarTypes.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/ui/Keys.h"

#include <functional>

namespace controls {

// The kind of value a picker edits: from its field or its unbound data type.
enum class PickerBaseKind { DateTime, Date, Time };

// What the engine asks of the control around it.
struct DateTimeEditorHost {
    // A refused digit.
    std::function<void()> beep;
    // The dataset is put into edit mode before a change.
    std::function<void()> edit;
    // The bound field holds no value.
    std::function<bool()> fieldIsNull;
    // The drop-down calendar is showing.
    std::function<bool()> droppedDown;
    // The first day of the week the weekday parts step within (none: the locale's).
    std::function<TwwCalDayOfWeek()> firstDayOfWeek;
};

class DateTimeEditor {
public:
    explicit DateTimeEditor(DateTimeEditorHost host = {});

    // --- configuration, set by the control whenever its field or properties change
    PickerBaseKind baseKind = PickerBaseKind::DateTime;
    bool bound = false;
    // Names a data source or field but has none: shows nothing and edits nothing.
    bool disconnected = false;
    bool canEdit = true;
    bool required = false;
    // The effective display format, with its default filled in.
    QString format;
    // The general format "c", whose time the formatter leaves out at midnight.
    bool generalFormat = false;
    // A value at midnight is shown in the long date format alone.
    bool longDateAtMidnight = false;
    int epoch = 1950;
    TDateTime minDate = 0;
    TDateTime maxDate = 0;
    int minutesInterval = 1;
    bool roundMinutes = false;
    bool autoFillDateAndTime = false;
    const TFormatSettings* settings = &FormatSettings;

    // --- the kinds of the picker
    bool IsDateTimeKind() const { return baseKind == PickerBaseKind::DateTime; }
    bool IsDateOnly() const { return baseKind == PickerBaseKind::Date; }
    bool IsTimeOnly() const;
    bool ShowsDateOnly() const;
    QString ExpandedFormat() const { return ExpandDisplayFormat(format, *settings); }

    // --- the parts (1-based)
    int CountParts() const;
    PickerPart FindPart(int part) const;
    int VisiblePartCount() const;
    bool AllPartsShown() const;

    // --- state
    TDateTime Value() const { return value_; }
    bool Empty() const { return empty_; }
    void SetEmpty(bool empty) { empty_ = empty; }
    int CurrentPart() const { return part_; }
    void SetCurrentPart(int part) { part_ = part; }
    bool Pending() const { return pending_; }
    TDateTime Preview() const { return preview_; }
    bool Modified() const { return modified_; }
    void SetModified(bool modified) { modified_ = modified; }
    const QString& Text() const { return text_; }
    int SelStart() const { return selStart_; }
    int SelLength() const { return selLength_; }
    bool CaretVisible() const { return caretVisible_; }
    bool WholeTextSelected() const { return selStart_ == 0 && selLength_ == text_.size(); }
    void SelectAll();
    void SelectNone();
    // Takes a text and selection the user changed by other means (typing with Ctrl held, say).
    void SetTextAndSelection(const QString& text, int selStart, int selLength);

    // --- texts
    QString FormatValue(TDateTime value) const;
    QString DisplayText(TDateTime value) const;
    void RefreshText();
    void SetText(const QString& text);

    // --- values; the setters raise EDateTimeError past MinDate or MaxDate
    // Shows a value as it is read from the field or code: no checks, the text from DisplayText.
    void Load(TDateTime value, bool null);
    void SetDateTime(TDateTime value);
    TDateTime Date();
    void SetDate(TDateTime value);
    TDateTime Time();
    void SetTime(TDateTime value);
    void SetMinDate(TDateTime value);
    void SetMaxDate(TDateTime value);
    TDateTime EffectiveMinDate() const;
    TDateTime EffectiveMaxDate() const;
    // Empties the picker (value 0, no text, the empty flag set).
    void Clear();

    // --- editing
    void SelectCurrentPart();
    void CommitPartEdit();
    void SetFromParts(int year, int month, int day, int hour, int minute, int second, int msec);
    int AdjustHourForAmPm(int currentHour, int typedHour) const;
    // The key-down stage after the drop-down keys and OnKeyDown; key 0 when consumed. character is what the
    // key types (for letters beyond A to Z).
    void KeyDown(Word& key, TShiftState shift, QChar character = {});
    // Pasted text read as a value; false when it is none (nothing changed).
    bool Paste(const QString& text);
    // Makes current the part whose right edge lies right of x (measure gives the width of a leading text).
    void ClickAt(int x, const std::function<int(const QString&)>& measure);
    // Fills an empty picker as the first edit key does: today or now, within the bounds.
    void StartValue(bool digitKey);

private:
    struct Parts {
        int year, month, day, hour, minute, second, msec;
    };
    Parts Decode(TDateTime value) const;
    void StoreParts(const Parts& p) { SetFromParts(p.year, p.month, p.day, p.hour, p.minute, p.second, p.msec); }
    bool HoldsNoValue() const;
    bool IsEditKey(Word key) const;
    void Beep() const;
    void EditDataSet() const;
    bool FieldIsNull() const;
    bool DroppedDown() const;
    int WindowedYear(int year) const;
    bool WithinBounds(int year, int month, int day) const;
    bool DayBefore(QChar a, QChar b) const;
    void GetWeekBounds(TDateTime date, TDateTime& first, TDateTime& last) const;

    // One key on the current part; false when the key is refused.
    bool ApplyKey(Word key, QChar character, Parts& p, const PickerPart& part, bool& stored);
    void StepUpDown(bool up, Parts& p, const PickerPart& part);
    void HomeEnd(bool home, Parts& p, const PickerPart& part);
    bool StepDatePart(const QString& token, int step, bool rolling, Parts& p) const;
    bool TypeDigit(int digit, Parts& p, const PickerPart& part, bool& stored);
    bool IsTypedDigitComplete(int digit, const PickerPart& part) const;
    bool IsTypedValueValid(int number, const PickerPart& part, Parts& p) const;
    bool IsDecadeAllowed(int digit) const;
    bool TypeMonthLetter(QChar letter, Parts& p, const PickerPart& part) const;
    bool TypeWeekdayLetter(QChar letter, Parts& p, const PickerPart& part) const;
    bool TypeAmPmLetter(QChar letter, Parts& p, const PickerPart& part) const;
    void SetPartNumber(int number, Parts& p, const PickerPart& part) const;
    void ShowPendingDigits(const PickerPart& part, const QString& digits, Parts& p);
    void MoveToNextPart();
    void DeleteValue(const PickerPart& part);

    DateTimeEditorHost host_;
    TDateTime value_ = 0;
    TDateTime preview_ = 0;
    bool empty_ = true;
    int part_ = 1;
    bool pending_ = false;
    bool modified_ = false;
    QString text_;
    int selStart_ = 0;
    int selLength_ = 0;
    bool caretVisible_ = true;
};

}  // namespace controls
