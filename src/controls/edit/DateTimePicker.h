// TwwDBDateTimePicker: the library's one-line edit of a date, a time or both, bound to a field or unbound,
// edited part by part from the keyboard, with a drop-down button.
#pragma once

#include "controls/edit/CalendarOptions.h"
#include "controls/edit/DateComboButton.h"
#include "controls/edit/DateTimeEditor.h"
#include "controls/edit/WwEditTypes.h"
#include "platform/db/DataLink.h"
#include "platform/ui/Edits.h"

#include <memory>

class TDataSource;
class TField;
class TwwPopupCalendar;

enum TwwDTEditDataType { wwDTEdtDateTime, wwDTEdtDate, wwDTEdtTime };
enum TDTDateFormat { dfShort, dfLong };

// The step of the minute part.
class TwwDTInterval {
public:
    int MinutesInterval = 1;
    bool RoundMinutes = false;
};

class TwwDBCustomDateTimePicker : public TEdit {
public:
    explicit TwwDBCustomDateTimePicker(QWidget* parent);
    ~TwwDBCustomDateTimePicker() override;

    // Setting either to none makes an unbound picker of the kind date and time.
    TDataSource* DataSource() const { return link_.DataSource(); }
    void SetDataSource(TDataSource* source);
    const QString& DataField() const { return link_.FieldName(); }
    void SetDataField(const QString& name);
    TField* Field() const { return link_.Field(); }

    TwwDTEditDataType UnboundDataType() const { return unboundDataType_; }
    void SetUnboundDataType(TwwDTEditDataType type);
    // Empty: the field's display format, else a default by kind.
    const QString& DisplayFormat() const { return displayFormat_; }
    void SetDisplayFormat(const QString& format);
    TDTDateFormat DateFormat() const { return dateFormat_; }
    void SetDateFormat(TDTDateFormat format);
    int Epoch() const { return editor_.epoch; }
    void SetEpoch(int epoch) { editor_.epoch = epoch; }

    // The date part and the time part of the value; reading takes a pending part entry first. The Date
    // setter raises EDateTimeError past MinDate or MaxDate and keeps the old value.
    TDateTime Date();
    void SetDate(TDateTime value);
    TDateTime Time();
    void SetTime(TDateTime value);
    // 0: no bound. The setters refuse a minimum above the maximum.
    TDateTime MinDate() const { return editor_.minDate; }
    void SetMinDate(TDateTime value) { editor_.SetMinDate(value); }
    TDateTime MaxDate() const { return editor_.maxDate; }
    void SetMaxDate(TDateTime value) { editor_.SetMaxDate(value); }
    bool AutoFillDateAndTime() const { return editor_.autoFillDateAndTime; }
    void SetAutoFillDateAndTime(bool fill) { editor_.autoFillDateAndTime = fill; }
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly);
    // A time-only picker never shows its button.
    bool ShowButton() const { return showButton_; }
    virtual void SetShowButton(bool show);
    // 0: the larger of the scroll bar's width and 15.
    int ButtonWidth() const { return buttonWidth_; }
    void SetButtonWidth(int width);
    TwwComboButtonStyle ButtonStyle() const { return buttonStyle_; }
    void SetButtonStyle(TwwComboButtonStyle style);
    // Stored only with cbsCustom.
    const TBitmap& ButtonGlyph() const { return button_->Glyph(); }
    void SetButtonGlyph(const TBitmap& glyph) { button_->SetGlyph(glyph); }
    bool IsButtonGlyphStored() const { return buttonStyle_ == cbsCustom; }
    TwwDTInterval& Interval() { return interval_; }
    // The drop-down calendar's look, applied at each drop-down; its first day of the week also bounds the
    // weekday parts' steps.
    TwwCalendarOptions& CalendarAttributes() { return calendarAttributes_; }

    // The value as held (0: none), whether it differs from the field or entry value, and the current part.
    TDateTime DateTime() const { return editor_.Value(); }
    bool Modified() const { return editor_.Modified(); }
    int CurrentPart() const { return editor_.CurrentPart(); }
    bool IsDateTimeKind() const { return editor_.IsDateTimeKind(); }
    bool IsDateOnly() const { return editor_.IsDateOnly(); }
    bool IsTimeOnly() const { return editor_.IsTimeOnly(); }
    bool ShowsDateOnly() const { return editor_.ShowsDateOnly(); }
    QString EffectiveDisplayFormat() const;
    TwwDateComboButton& Button() const { return *button_; }
    TBtnWinControl& ButtonHolder() const { return *holder_; }
    // The arrow or ellipsis face; a custom glyph is the button's own.
    virtual void PaintButton(TCanvas& canvas);
    // Closes the calendar when it is down; else takes the focus and drops it down.
    void ButtonClick();
    // Where the text's first character starts, in the control's coordinates.
    int TextLeft();

    // Opening and closing the drop-down calendar; while it is down the picker follows its date, and
    // CloseUp without acceptance puts back the value the picker had when it opened.
    virtual void DropDown();
    virtual void CloseUp(bool accept);
    virtual bool IsDroppedDown() const;
    // Made on the first drop-down; null before.
    TwwPopupCalendar* Calendar() const { return calendar_; }
    // The calendar's selected date changed.
    void CalendarChanged();
    // Unbound, or the dataset editing, or a calculated or lookup field that may be written.
    virtual bool CanModifyValue() const;
    // Not ReadOnly, the field and dataset writable, and AutoEdit on or the dataset editing already.
    bool CanEdit() const;
    // Pasting and cutting as the clipboard keys do.
    void PasteFromClipboard();
    void CutToClipboard();

    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;
    TCalcBoldDayEvent OnCalcBoldDay;

    bool WantsKey(Word key, TShiftState shift) const override;
    void KeyDown(Word& key, TShiftState shift) override;
    void KeyPress(QChar& key) override;
    void DoEnter() override;
    void DoExit() override;

protected:
    controls::DateTimeEditor& Editor() { return editor_; }
    // Shows the engine's text and selection in the edit.
    void Sync();
    bool escapeClosed_ = false;

    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Configure();
    void FieldDataChange();
    void FieldUpdateData();
    void ResetValue();
    bool HandleDropDownKey(Word key, TShiftState shift);
    void PlaceButton();
    void PlaceCalendar();

    controls::DateTimeEditor editor_;
    TFieldDataLink link_;
    TBtnWinControl* holder_;
    TwwDateComboButton* button_;
    TwwComboButtonStyle buttonStyle_ = cbsDownArrow;
    TwwDTEditDataType unboundDataType_ = wwDTEdtDateTime;
    QString displayFormat_;
    TDTDateFormat dateFormat_ = dfShort;
    TwwDTInterval interval_;
    TwwCalendarOptions calendarAttributes_;
    bool readOnly_ = false;
    bool showButton_ = true;
    int buttonWidth_ = 0;
    bool focused_ = false;
    bool buttonFocus_ = false;
    TDateTime entryValue_ = 0;
    TwwPopupCalendar* calendar_ = nullptr;
    TDateTime dropDownValue_ = 0;
    bool dropDownEmpty_ = true;
    bool dropDownModified_ = false;
    bool closing_ = false;
    bool savedShowHint_ = false;
};

class TwwDBDateTimePicker : public TwwDBCustomDateTimePicker {
public:
    using TwwDBCustomDateTimePicker::TwwDBCustomDateTimePicker;
};
