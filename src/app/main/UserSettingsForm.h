// TUserSettingsForm: the user settings dialog: refresh, the four grids' times, looks and column sizes, booking
// colours, calendar, start-up and mail settings, and the test message.
#pragma once

#include "app/main/UserPreferences.h"
#include "data/module/EMailSettings.h"
#include "platform/ui/Font.h"
#include "platform/ui/Form.h"

#include <array>
#include <functional>

class TUserSettings;
class TButton;
class TCheckBox;
class TComboBox;
class TEdit;
class TLabel;
class TMemo;
class TPageControl;
class TRadioButton;
class TTabSheet;
class TwwDBDateTimePicker;

// The controls of one grid's tab.
struct TGridSettingsControls {
    TCheckBox* ShowDescription;
    TCheckBox* BoldClient;
    TCheckBox* Rollover;
    TEdit* RolloverColor;
    TButton* RolloverColorButton;
    TEdit* FontEdit;
    TButton* FontButton;
    TRadioButton* AutoSizeColumn;
    TRadioButton* SpecifiedColumn;
    TEdit* ColumnSize;
};

class TUserSettingsForm : public TForm {
public:
    // readOnlyAccess hides the mail tabs.
    TUserSettingsForm(QWidget* owner, bool readOnlyAccess);

    TPageControl* PageControl;
    TTabSheet* GeneralTabSheet;
    TTabSheet* DayGridTabSheet;
    TTabSheet* MultiDayGridTabSheet;
    TTabSheet* WeekGridTabSheet;
    TTabSheet* MonthGridTabSheet;
    TTabSheet* BookingsTabSheet;
    TTabSheet* CalendarTabSheet;
    TTabSheet* StartupTabSheet;
    TTabSheet* MailTabSheet;
    TTabSheet* MailMessagesTabSheet;
    TTabSheet* IdentityTabSheet;
    TTabSheet* ServerTabSheet;

    TCheckBox* RefreshCheckBox;
    TEdit* RefreshMinsEdit;
    TwwDBDateTimePicker* DayGridStartTimePicker;
    TwwDBDateTimePicker* DayGridEndTimePicker;
    TwwDBDateTimePicker* DayGridInitialTimePicker;
    TEdit* DayGridMinIncrementEdit;
    TEdit* DaysBeforeEdit;
    TEdit* DaysAfterEdit;
    TwwDBDateTimePicker* WeekGridStartTimePicker;
    TwwDBDateTimePicker* WeekGridEndTimePicker;
    TwwDBDateTimePicker* WeekGridInitialTimePicker;
    TEdit* WeekGridMinIncrementEdit;
    TCheckBox* MonthViewShowStartTimeCheckBox;
    // Day, multi-day, week and month.
    TGridSettingsControls Day, MultiDay, Week, Month;
    // Weekday 1 = Monday to 7 = Sunday; entry 0 is not used.
    std::array<TCheckBox*, 8> WeekDayCheckBoxes{};
    std::array<TCheckBox*, 8> MonthDayCheckBoxes{};

    TCheckBox* AlwaysShowEndDateCheckBox;
    TCheckBox* DisplayAs24HourCheckBox;
    TEdit* BookingColorEdit;
    TEdit* TextColorEdit;
    TEdit* BookingReminderColorEdit;
    TCheckBox* ShowTodayCheckBox;
    TCheckBox* ShowTodayCircleCheckBox;
    TEdit* CalendarFontEdit;
    TCheckBox* ShowCalendarScrollBarCheckBox;
    TCheckBox* OverrideLocaleFirstDayOfWeekCheckBox;
    TComboBox* OverrideFirstDayOfWeekComboBox;
    TCheckBox* OpenMostRecentCheckBox;
    TButton* ClearMRUButton;
    TCheckBox* ShowRemindersCheckBox;

    TRadioButton* UseMAPIEmailRadioButton;
    TRadioButton* UseInternalEmailRadioButton;
    TEdit* SenderNameEdit;
    TEdit* SenderAddressEdit;
    TEdit* ReplyToEdit;
    TEdit* OrganizationEdit;
    TMemo* SignatureMemo;
    TEdit* SMTPHostEdit;
    TEdit* SMTPUsernameEdit;
    TEdit* SmtpPortEdit;
    TCheckBox* SMTPUsernameCheckBox;
    TEdit* DefaultSubjectEdit;
    TCheckBox* BCCSenderCheckBox;
    TCheckBox* BCCOtherCheckBox;
    TEdit* BCCOtherAddressEdit;
    TButton* SendButton;
    TMemo* SendTestMemo;
    TCheckBox* ReturnReceiptCheckBox;

    TButton* OkButton;
    TButton* CancelButton;
    TButton* HelpButton;

    // The values the dialog holds besides its controls.
    TFont CalendarFont, DayFont, MultiDayFont, WeekFont, MonthFont;
    TEMailSettings EMailSettings;
    bool ClearRecentFiles = false;
    int DayMinutes = 30;
    TDateTime DayStartTime = 0, DayEndTime = 0, DayInitialTime = 0;
    int WeekMinutes = 30;
    TDateTime WeekStartTime = 0, WeekEndTime = 0, WeekInitialTime = 0;
    // The rows the times are normalised for, and the main window's defaults.
    int WideningMinutes = 30;
    TDateTime DefaultStart = DefaultStartTime(), DefaultEnd = DefaultEndTime(), DefaultInitial = DefaultInitialTime();
    // The effective first day of week the weekday boxes are arranged for: 1 Monday, 7 Sunday.
    int FirstDayOfWeek = 7;
    // The data module's default mail client; empty when there is none.
    QString DefaultMailClient;

    // Sends the test message through the data module with the MAPI choice and the settings copy.
    std::function<void(bool throughMapi, const TEMailSettings& settings)> OnSendTestMessage;
    // Shows a help topic (THelpRouter.ShowTopic); without it Help is disabled.
    std::function<void(const QString& topic)> OnShowHelpTopic;

    // Fills the controls and values from the preferences, the data module's settings and the effective first
    // day of week.
    void Fill(const TUserPreferences& preferences, const TUserSettings& settings);
    // After OK: every value into the preferences and the data module's settings (the times and minutes as the
    // close normalised them).
    void Apply(TUserPreferences& preferences, TUserSettings& settings) const;

    void OkButtonClick();
    // The day and week grids' minutes and times from the edits and pickers, normalised.
    void FormClose();
    void FormShow();
    // Lays the weekday check boxes out for the first day of week (1 Monday, 7 Sunday).
    void ArrangeWeekdays(int firstDayOfWeek);
    void UseMAPIEmailRadioButtonClick();
    void PrepareTestMessage();
    void SendButtonClick();
    // The mail controls into the settings copy.
    void ReadMailControls();
    // The first day of week the combo box shows: 1 Monday, 7 Sunday.
    int ChosenFirstDayOfWeek() const;
    static QString FontText(const TFont& font);

private:
    void ConnectColorButton(TButton* button, TEdit* edit);
    void ConnectFontButton(TButton* button, TEdit* edit, TFont* font);
    void FillGrid(const TGridSettingsControls& grid, bool description, bool bold, bool rollover, TColor rolloverColor,
                  const TFont& font, bool autoSize, int columnSize);
    void SMTPUsernameCheckBoxClick();
    // Whether the integer edits hold numbers the dialog accepts; shows the message when not.
    bool CheckIntegers();

    std::array<TLabel*, 8> weekDayLabels_{};
    std::array<TLabel*, 8> monthDayLabels_{};
};
