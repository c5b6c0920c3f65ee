// TRepeatBookingForm: turns the booking window's booking into a series over a pattern of dates, times and
// resources, staged and listed for the user to accept or cancel as a whole.
#pragma once

#include "data/bookings/ResourceList.h"
#include "platform/rtl/DateUtils.h"
#include "platform/ui/Form.h"
#include "util/core/DvLists.h"

#include <QString>
#include <QStringList>
#include <memory>

class TButton;
class TCheckBox;
class TComboBox;
class TData;
class TEdit;
class TGroupBox;
class TGroupBookingForm;
class TListBox;
class TPanel;
class TRadioButton;
class TSQLData;
class TwwDBDateTimePicker;
class TwwMonthCalendar;

// The first day after the date that is neither Saturday nor Sunday.
TDateTime NextWeekday(TDateTime date);
// "sunday" 1 ... "saturday" 7 (any case), anything else 0.
int WeekdayNameNumber(const QString& name);
// The first ... fourth or last day, weekday, weekend day or named day of the week in the date's month.
TDateTime NthDayOfMonth(const QString& ordinal, const QString& kind, TDateTime month);

class TRepeatBookingForm : public TForm {
public:
    TRepeatBookingForm(QWidget* owner, TData& data, TSQLData& sqlData);
    ~TRepeatBookingForm() override;

    TDvDateTimeList Dates;
    TDvDateTimeList StartTimes;
    TDvDateTimeList EndTimes;
    TResourceList AllResources;
    bool SameDay = true;
    double Duration = 0;
    qint32 OriginalBookingId = -1;
    bool BookingsCreated = false;

    TGroupBox* TimesGroup;
    TwwDBDateTimePicker* StartTimePicker;
    TwwDBDateTimePicker* EndTimePicker;
    // The end-time list at the End picker's right edge: half hours after the start time.
    TComboBox* EndTimeComboBox;
    TButton* AddTimeButton;
    TListBox* TimeListBox;
    TButton* RemoveTimeButton;
    TButton* ClearTimeButton;
    TGroupBox* ResourcesGroup;
    TComboBox* ResourceComboBox;
    TButton* AddResourceButton;
    TListBox* ResourceListBox;
    TButton* RemoveResourceButton;
    TButton* ClearResourceButton;
    TButton* SearchButton;
    TGroupBox* PatternGroup;
    TRadioButton* DatesRadioButton;
    TRadioButton* DailyRadioButton;
    TRadioButton* WeeklyRadioButton;
    TRadioButton* MonthlyRadioButton;
    TPanel* DatesPanel;
    TwwMonthCalendar* MonthCalendar;
    TButton* AddDateButton;
    TListBox* DateListBox;
    TButton* RemoveDateButton;
    TButton* ClearDateButton;
    TPanel* DailyPanel;
    TRadioButton* DailyEveryRadioButton;
    TEdit* DailyDaysEdit;
    TRadioButton* DailyWeekdayRadioButton;
    TRadioButton* DailyWeekendRadioButton;
    TwwDBDateTimePicker* DailyStartDate;
    TRadioButton* DailyEndAfterRadioButton;
    TEdit* DailyEndAfterEdit;
    TRadioButton* DailyEndOnRadioButton;
    TwwDBDateTimePicker* DailyEndDate;
    TPanel* WeeklyPanel;
    TEdit* WeeklyWeeks;
    TCheckBox* SunCheckBox;
    TCheckBox* MonCheckBox;
    TCheckBox* TueCheckBox;
    TCheckBox* WedCheckBox;
    TCheckBox* ThuCheckBox;
    TCheckBox* FriCheckBox;
    TCheckBox* SatCheckBox;
    TwwDBDateTimePicker* WeeklyStartDate;
    TRadioButton* WeeklyEndAfterRadioButton;
    TEdit* WeeklyEndAfterEdit;
    TRadioButton* WeeklyEndOnRadioButton;
    TwwDBDateTimePicker* WeeklyEndDate;
    TPanel* MonthlyPanel;
    TRadioButton* MonthlyDayRadioButton;
    TEdit* MonthlyDayEdit;
    TEdit* MonthlyMonthEdit;
    TRadioButton* MonthlyTheRadioButton;
    TComboBox* MonthlyOrdinalComboBox;
    TComboBox* MonthlyKindComboBox;
    TEdit* MonthlyTheEdit;
    TwwDBDateTimePicker* MonthlyStartDate;
    TRadioButton* MonthlyEndAfterRadioButton;
    TEdit* MonthlyEndAfterEdit;
    TRadioButton* MonthlyEndOnRadioButton;
    TwwDBDateTimePicker* MonthlyEndDate;
    TButton* OkButton;
    TButton* CancelButton;

    void SetStartDate(TDateTime date);
    void AddDateButtonClick();
    void AddTimeButtonClick();
    void EndTimeListDropDown();
    void EndTimeListCloseUp();
    void AddResourceButtonClick();
    void OkButtonClick();

    int BuildPatternDates(TDvDateTimeList& dates);
    int BuildDateListDates(TDvDateTimeList& dates);
    int BuildDailyDates(TDvDateTimeList& dates);
    int BuildWeeklyDates(TDvDateTimeList& dates);
    int BuildMonthlyDates(TDvDateTimeList& dates);
    int ParseTimeList(TDvDateTimeList& startTimes, TDvDateTimeList& endTimes);
    // endTimes null: each booking lasts duration from its start time.
    void CreateRepeatBookings(TGroupBookingForm& results, TDvDateTimeList& dates, double duration,
                              TDvDateTimeList& startTimes, TDvDateTimeList* endTimes, TResourceList& resources);

private:
    void FormShow();
    void FormClose();
    void UpdateLayout();
    void ShowPattern(TPanel* panel);
    void WireChecks();
    // The whole number a pattern box holds; raises the conversion error for anything else.
    static int BoxNumber(const TEdit& box);
    // Puts the booking window's booking back as the run found it (kept: the series was accepted).
    void StoreBackPattern(bool kept);
    void AssignOriginalToGroup();
    // Takes a run's staged rows out of the file in one write transaction, ends both change sets and puts the
    // booking window's booking back.
    void DiscardRun(const QStringList& stagedBookings, const QStringList& stagedHistory);
    // Deletes the staged rows of these ids (numbers only) from the table.
    void DeleteStaged(const QString& table, const QString& idField, const QStringList& ids);

    TData& data_;
    TSQLData& sqlData_;
    TDateTime startDate_ = 0;
    // The pattern of the last run, with the booking window's edits; stored back when the run is not kept.
    std::unique_ptr<class TBookingRecord> pattern_;
    bool patternWasInserting_ = false;
    bool patternWasEditing_ = false;
    // The original booking had no group: it joins its series only when the series is kept.
    bool assignGroup_ = false;
    qint32 groupId_ = -1;
    // Whether the resource box's and the end-time list's drop-downs are down.
    bool resourceListDown_ = false;
    bool endTimeListDown_ = false;
    // The last run kept at least one booking.
    bool created_ = false;
};
