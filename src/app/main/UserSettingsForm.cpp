// The user settings dialog: its tabs, filling it from the preferences, its rules and reading it back.
#include "app/main/UserSettingsForm.h"

#include "app/main/ColumnSizeForm.h"
#include "controls/edit/DateTimePicker.h"
#include "controls/edit/WwFormClasses.h"
#include "data/layout/ViewTimes.h"
#include "data/module/UserSettings.h"
#include "platform/rtl/Messages.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Containers.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Edits.h"
#include "platform/ui/FormDescription.h"
#include "platform/ui/Label.h"
#include "platform/ui/Lists.h"
#include "util/core/DvSysUtils.h"

namespace {

using Rows = std::vector<ui::ControlRow>;

// The weekday labels, Monday (1) to Sunday (7).
const char* const kDayLabels[] = {"", "Mon", "Tue", "Wed", "Thr", "Fri", "Sat", "Sun"};
const char* const kDayNames[] = {"", "Mon", "Tue", "Wed", "Thr", "Fri", "Sat", "Sun"};
// The distance between two weekday boxes.
constexpr int kDaySpacing = 34;

// The three time pickers and the interval of the day or the week tab.
void AddTimeRows(Rows& rows, const QString& tab, const QString& grid) {
    const std::pair<const char*, const char*> times[] = {
        {"StartTimePicker", "View Start"}, {"EndTimePicker", "View End"}, {"InitialTimePicker", "View Top"}};
    int top = 8;
    for (const auto& [name, caption] : times) {
        rows.push_back({grid + QStringLiteral("Grid") + QLatin1String(name) + QStringLiteral("Label"), "TLabel", tab, 8,
                        top + 3, 120, 18, QString::fromLatin1(caption)});
        rows.push_back(
            {grid + QStringLiteral("Grid") + QLatin1String(name), "TwwDBDateTimePicker", tab, 132, top, 110, 23});
        top += 30;
    }
    rows.push_back(
        {grid + QStringLiteral("GridMinIncrementLabel"), "TLabel", tab, 8, top + 3, 120, 18, "Interval (mins)"});
    rows.push_back({grid + QStringLiteral("GridMinIncrementEdit"), "TEdit", tab, 132, top, 50, 23});
}

// The looks, rollover, font and column size every grid tab has, on its right.
void AddGridRows(Rows& rows, const QString& tab, const QString& grid) {
    const int x = 260;
    rows.push_back(
        {grid + QStringLiteral("ViewShowDescriptionCheckBox"), "TCheckBox", tab, x, 8, 240, 21, "Show Description"});
    rows.push_back({grid + QStringLiteral("ViewBoldClientCheckBox"), "TCheckBox", tab, x, 34, 240, 21, "Bold Client"});
    rows.push_back(
        {grid + QStringLiteral("BookingRolloverCheckBox"), "TCheckBox", tab, x, 60, 240, 21, "Detail Rollover"});
    rows.push_back({grid + QStringLiteral("RolloverColorLabel"), "TLabel", tab, x, 91, 110, 18, "Rollover Color"});
    rows.push_back({QStringLiteral("Booking") + grid + QStringLiteral("RolloverColorEdit"), "TEdit", tab, x + 114, 88,
                    60, 23, "", "ReadOnly=True; TabStop=False"});
    rows.push_back({grid + QStringLiteral("RolloverColorButton"), "TButton", tab, x + 178, 87, 30, 25, "..."});
    rows.push_back(
        {grid + QStringLiteral("ViewFontEdit"), "TEdit", tab, x, 122, 170, 23, "", "ReadOnly=True; TabStop=False"});
    rows.push_back({grid + QStringLiteral("FontButton"), "TButton", tab, x + 174, 121, 66, 25, "Font..."});
    rows.push_back({QStringLiteral("AutoSize") + grid + QStringLiteral("ColumnRadioButton"), "TRadioButton", tab, x,
                    156, 240, 21, "Auto Column Size"});
    rows.push_back({QStringLiteral("Specified") + grid + QStringLiteral("ColumnRadioButton"), "TRadioButton", tab, x,
                    184, 150, 21, "Specify (pixels)"});
    rows.push_back(
        {QStringLiteral("SpecifyEdit") + grid + QStringLiteral("Column"), "TEdit", tab, x + 154, 183, 60, 23});
}

// "Show days of week": a label over each box, laid out for the first day of week at show.
void AddWeekdayRows(Rows& rows, const QString& tab, const QString& grid, int top) {
    rows.push_back({grid + QStringLiteral("DaysLabel"), "TLabel", tab, 8, top, 220, 18, "Show days of week"});
    for (int day = 1; day <= 7; ++day) {
        const QString name = grid + QLatin1String(kDayNames[day]);
        rows.push_back({name + QStringLiteral("Label"), "TLabel", tab, 7 + (day - 1) * kDaySpacing, top + 22, 34, 18,
                        QString::fromLatin1(kDayLabels[day]), "Alignment=taCenter; AutoSize=False"});
        rows.push_back(
            {name + QStringLiteral("CheckBox"), "TCheckBox", tab, 15 + (day - 1) * kDaySpacing, top + 42, 18, 21});
    }
}

void AddColorRow(Rows& rows, const QString& tab, const QString& name, const QString& caption, int top) {
    rows.push_back({name + QStringLiteral("Label"), "TLabel", tab, 8, top + 3, 190, 18, caption});
    rows.push_back({name + QStringLiteral("Edit"), "TEdit", tab, 202, top, 60, 23, "", "ReadOnly=True; TabStop=False"});
    rows.push_back({name + QStringLiteral("Button"), "TButton", tab, 266, top - 1, 30, 25, "..."});
}

void AddLabelledEdit(Rows& rows, const QString& tab, const QString& name, const QString& caption, int top, int width) {
    rows.push_back({name + QStringLiteral("Label"), "TLabel", tab, 8, top + 3, 124, 18, caption});
    rows.push_back({name, "TEdit", tab, 136, top, width, 23});
}

Rows DialogRows() {
    Rows rows = {
        // name                 class          parent      left top width height caption    properties
        {"PageControl", "TPageControl", "", 8, 8, 624, 340},
        {"GeneralTabSheet", "TTabSheet", "PageControl", 0, 0, 0, 0, "General"},
        {"DayGridTabSheet", "TTabSheet", "PageControl", 0, 0, 0, 0, "Day Grid"},
        {"MultiDayGridTabSheet", "TTabSheet", "PageControl", 0, 0, 0, 0, "Multi Day Grid"},
        {"WeekGridTabSheet", "TTabSheet", "PageControl", 0, 0, 0, 0, "Week Grid"},
        {"MonthGridTabSheet", "TTabSheet", "PageControl", 0, 0, 0, 0, "Month Grid"},
        {"BookingsTabSheet", "TTabSheet", "PageControl", 0, 0, 0, 0, "Bookings"},
        {"CalendarTabSheet", "TTabSheet", "PageControl", 0, 0, 0, 0, "Calendar"},
        {"StartupTabSheet", "TTabSheet", "PageControl", 0, 0, 0, 0, "Startup"},
        {"MailTabSheet", "TTabSheet", "PageControl", 0, 0, 0, 0, "Mail"},
        {"MailMessagesTabSheet", "TTabSheet", "PageControl", 0, 0, 0, 0, "Mail Messages"},

        {"RefreshCheckBox", "TCheckBox", "GeneralTabSheet", 8, 12, 150, 21, "Refresh every"},
        {"RefreshMinsEdit", "TEdit", "GeneralTabSheet", 162, 11, 50, 23},
        {"RefreshMinsLabel", "TLabel", "GeneralTabSheet", 218, 14, 60, 18, "mins"},
    };
    AddTimeRows(rows, QStringLiteral("DayGridTabSheet"), QStringLiteral("Day"));
    AddGridRows(rows, QStringLiteral("DayGridTabSheet"), QStringLiteral("Day"));

    rows.push_back({"DaysBeforeLabel", "TLabel", "MultiDayGridTabSheet", 8, 11, 120, 18, "Days Before"});
    rows.push_back({"DaysBeforeEdit", "TEdit", "MultiDayGridTabSheet", 132, 8, 50, 23});
    rows.push_back({"DaysAfterLabel", "TLabel", "MultiDayGridTabSheet", 8, 41, 120, 18, "Days After"});
    rows.push_back({"DaysAfterEdit", "TEdit", "MultiDayGridTabSheet", 132, 38, 50, 23});
    AddGridRows(rows, QStringLiteral("MultiDayGridTabSheet"), QStringLiteral("MultiDay"));

    AddTimeRows(rows, QStringLiteral("WeekGridTabSheet"), QStringLiteral("Week"));
    AddWeekdayRows(rows, QStringLiteral("WeekGridTabSheet"), QStringLiteral("Week"), 136);
    AddGridRows(rows, QStringLiteral("WeekGridTabSheet"), QStringLiteral("Week"));

    rows.push_back(
        {"MonthViewShowStartTimeCheckBox", "TCheckBox", "MonthGridTabSheet", 8, 8, 220, 21, "Show Start Time"});
    AddWeekdayRows(rows, QStringLiteral("MonthGridTabSheet"), QStringLiteral("Month"), 136);
    AddGridRows(rows, QStringLiteral("MonthGridTabSheet"), QStringLiteral("Month"));

    const Rows rest = {
        {"AlwaysShowEndDateCheckBox", "TCheckBox", "BookingsTabSheet", 8, 8, 480, 21, "Always Display End Date Field"},
        {"DisplayAs24HourCheckBox", "TCheckBox", "BookingsTabSheet", 8, 34, 480, 21,
         "Display times using 24 hour clock"},

        {"ShowTodayCheckBox", "TCheckBox", "CalendarTabSheet", 8, 8, 480, 21, "Show today's date"},
        {"ShowTodayCircleCheckBox", "TCheckBox", "CalendarTabSheet", 8, 34, 480, 21, "Circle today's date"},
        {"CalendarFontEdit", "TEdit", "CalendarTabSheet", 8, 66, 200, 23, "", "ReadOnly=True; TabStop=False"},
        {"CalendarFontButton", "TButton", "CalendarTabSheet", 212, 65, 66, 25, "Font..."},
        {"ShowCalendarScrollBarCheckBox", "TCheckBox", "CalendarTabSheet", 8, 100, 480, 21, "Show Calendar Scrollbar"},
        {"OverrideLocaleFirstDayOfWeekCheckBox", "TCheckBox", "CalendarTabSheet", 8, 130, 480, 21,
         "Override regional settings First Day Of Week"},
        {"OverrideFirstDayOfWeekComboBox", "TComboBox", "CalendarTabSheet", 26, 156, 120, 23},

        {"OpenMostRecentCheckBox", "TCheckBox", "StartupTabSheet", 8, 8, 480, 21,
         "On startup open most recent database"},
        {"ClearMRUButton", "TButton", "StartupTabSheet", 8, 38, 400, 25, "Clear Most Recently Opened Database List"},
        {"ShowRemindersCheckBox", "TCheckBox", "StartupTabSheet", 8, 76, 480, 21,
         "Show reminders message on open database"},

        {"UseMAPIEmailRadioButton", "TRadioButton", "MailTabSheet", 8, 8, 480, 21, "Use Default Mail Program (Mapi)"},
        {"UseInternalEmailRadioButton", "TRadioButton", "MailTabSheet", 8, 34, 480, 21, "Use internal mail"},
        {"MailPageControl", "TPageControl", "MailTabSheet", 8, 62, 600, 244},
        {"IdentityTabSheet", "TTabSheet", "MailPageControl", 0, 0, 0, 0, "Identity"},
        {"ServerTabSheet", "TTabSheet", "MailPageControl", 0, 0, 0, 0, "Server"},
    };
    rows.insert(rows.end(), rest.begin(), rest.end());
    AddColorRow(rows, QStringLiteral("BookingsTabSheet"), QStringLiteral("BookingColor"), QStringLiteral("Bookings"),
                72);
    AddColorRow(rows, QStringLiteral("BookingsTabSheet"), QStringLiteral("TextColor"), QStringLiteral("Text"), 104);
    AddColorRow(rows, QStringLiteral("BookingsTabSheet"), QStringLiteral("BookingReminderColor"),
                QStringLiteral("Bookings with reminders"), 136);

    const QString identity = QStringLiteral("IdentityTabSheet");
    AddLabelledEdit(rows, identity, QStringLiteral("SenderNameEdit"), QStringLiteral("Your name:"), 8, 340);
    AddLabelledEdit(rows, identity, QStringLiteral("SenderAddressEdit"), QStringLiteral("Email address:"), 36, 340);
    AddLabelledEdit(rows, identity, QStringLiteral("ReplyToEdit"), QStringLiteral("Reply-to address"), 64, 340);
    AddLabelledEdit(rows, identity, QStringLiteral("OrganizationEdit"), QStringLiteral("Organization:"), 92, 340);
    rows.push_back({"SignatureLabel", "TLabel", identity, 8, 123, 124, 18, "Signature"});
    rows.push_back({"SignatureMemo", "TMemo", identity, 136, 120, 340, 80});
    const QString server = QStringLiteral("ServerTabSheet");
    AddLabelledEdit(rows, server, QStringLiteral("SMTPHostEdit"), QStringLiteral("Server Name:"), 8, 340);
    AddLabelledEdit(rows, server, QStringLiteral("SMTPUsernameEdit"), QStringLiteral("User Name:"), 36, 220);
    rows.push_back({"SMTPUsernameCheckBox", "TCheckBox", server, 136, 64, 300, 21, "Use name and password"});
    AddLabelledEdit(rows, server, QStringLiteral("SmtpPortEdit"), QStringLiteral("Port:"), 96, 60);
    rows.push_back({"SmtpPortDefaultLabel", "TLabel", server, 202, 99, 120, 18, "Default: 25"});

    const QString messages = QStringLiteral("MailMessagesTabSheet");
    AddLabelledEdit(rows, messages, QStringLiteral("DefaultSubjectEdit"), QStringLiteral("Default Subject:"), 8, 360);
    const Rows mail = {
        {"BCCSenderCheckBox", "TCheckBox", messages, 8, 40, 600, 21, "BCC"},
        {"BCCOtherCheckBox", "TCheckBox", messages, 8, 68, 60, 21, "BCC"},
        {"BCCOtherAddressEdit", "TEdit", messages, 72, 67, 300, 23},
        {"ReturnReceiptCheckBox", "TCheckBox", messages, 8, 96, 240, 21, "Return Receipt"},
        {"SendTestMemo", "TMemo", messages, 8, 126, 600, 84, "",
         "ReadOnly=True; TabStop=False; Color=clBtnFace; BorderStyle=bsNone; WordWrap=True"},
        {"SendButton", "TButton", messages, 8, 222, 600, 25, "Send test message"},

        {"OkButton", "TButton", "", 376, 358, 80, 25, "Ok", "Default=True"},
        {"CancelButton", "TButton", "", 464, 358, 80, 25, "Cancel", "Cancel=True; ModalResult=mrCancel"},
        {"HelpButton", "TButton", "", 552, 358, 80, 25, "Help"},
    };
    rows.insert(rows.end(), mail.begin(), mail.end());
    return rows;
}

// A whole number of the edit, or the fallback when it holds none.
int IntegerOf(const TEdit& edit, int fallback) {
    bool ok = false;
    const int value = edit.Text().toInt(&ok);
    return ok ? value : fallback;
}

}  // namespace

TUserSettingsForm::TUserSettingsForm(QWidget* owner, bool readOnlyAccess) : TForm(owner) {
    controls::RegisterEditFormClasses();
    ui::DescribeForm(*this, {"UserSettingsForm", "User Settings", bsDialog, poScreenCenter, 640, 392}, DialogRows());
    PageControl = Find<TPageControl>("PageControl");
    GeneralTabSheet = Find<TTabSheet>("GeneralTabSheet");
    DayGridTabSheet = Find<TTabSheet>("DayGridTabSheet");
    MultiDayGridTabSheet = Find<TTabSheet>("MultiDayGridTabSheet");
    WeekGridTabSheet = Find<TTabSheet>("WeekGridTabSheet");
    MonthGridTabSheet = Find<TTabSheet>("MonthGridTabSheet");
    BookingsTabSheet = Find<TTabSheet>("BookingsTabSheet");
    CalendarTabSheet = Find<TTabSheet>("CalendarTabSheet");
    StartupTabSheet = Find<TTabSheet>("StartupTabSheet");
    MailTabSheet = Find<TTabSheet>("MailTabSheet");
    MailMessagesTabSheet = Find<TTabSheet>("MailMessagesTabSheet");
    IdentityTabSheet = Find<TTabSheet>("IdentityTabSheet");
    ServerTabSheet = Find<TTabSheet>("ServerTabSheet");

    RefreshCheckBox = Find<TCheckBox>("RefreshCheckBox");
    RefreshMinsEdit = Find<TEdit>("RefreshMinsEdit");
    DayGridStartTimePicker = Find<TwwDBDateTimePicker>("DayGridStartTimePicker");
    DayGridEndTimePicker = Find<TwwDBDateTimePicker>("DayGridEndTimePicker");
    DayGridInitialTimePicker = Find<TwwDBDateTimePicker>("DayGridInitialTimePicker");
    DayGridMinIncrementEdit = Find<TEdit>("DayGridMinIncrementEdit");
    DaysBeforeEdit = Find<TEdit>("DaysBeforeEdit");
    DaysAfterEdit = Find<TEdit>("DaysAfterEdit");
    WeekGridStartTimePicker = Find<TwwDBDateTimePicker>("WeekGridStartTimePicker");
    WeekGridEndTimePicker = Find<TwwDBDateTimePicker>("WeekGridEndTimePicker");
    WeekGridInitialTimePicker = Find<TwwDBDateTimePicker>("WeekGridInitialTimePicker");
    WeekGridMinIncrementEdit = Find<TEdit>("WeekGridMinIncrementEdit");
    MonthViewShowStartTimeCheckBox = Find<TCheckBox>("MonthViewShowStartTimeCheckBox");
    const auto grid = [this](const QString& name) {
        return TGridSettingsControls{
            Find<TCheckBox>(name + QStringLiteral("ViewShowDescriptionCheckBox")),
            Find<TCheckBox>(name + QStringLiteral("ViewBoldClientCheckBox")),
            Find<TCheckBox>(name + QStringLiteral("BookingRolloverCheckBox")),
            Find<TEdit>(QStringLiteral("Booking") + name + QStringLiteral("RolloverColorEdit")),
            Find<TButton>(name + QStringLiteral("RolloverColorButton")),
            Find<TEdit>(name + QStringLiteral("ViewFontEdit")),
            Find<TButton>(name + QStringLiteral("FontButton")),
            Find<TRadioButton>(QStringLiteral("AutoSize") + name + QStringLiteral("ColumnRadioButton")),
            Find<TRadioButton>(QStringLiteral("Specified") + name + QStringLiteral("ColumnRadioButton")),
            Find<TEdit>(QStringLiteral("SpecifyEdit") + name + QStringLiteral("Column")),
        };
    };
    Day = grid(QStringLiteral("Day"));
    MultiDay = grid(QStringLiteral("MultiDay"));
    Week = grid(QStringLiteral("Week"));
    Month = grid(QStringLiteral("Month"));
    for (int day = 1; day <= 7; ++day) {
        const QString name = QString::fromLatin1(kDayNames[day]);
        WeekDayCheckBoxes[day] = Find<TCheckBox>(QStringLiteral("Week") + name + QStringLiteral("CheckBox"));
        MonthDayCheckBoxes[day] = Find<TCheckBox>(QStringLiteral("Month") + name + QStringLiteral("CheckBox"));
        weekDayLabels_[day] = Find<TLabel>(QStringLiteral("Week") + name + QStringLiteral("Label"));
        monthDayLabels_[day] = Find<TLabel>(QStringLiteral("Month") + name + QStringLiteral("Label"));
    }
    AlwaysShowEndDateCheckBox = Find<TCheckBox>("AlwaysShowEndDateCheckBox");
    DisplayAs24HourCheckBox = Find<TCheckBox>("DisplayAs24HourCheckBox");
    BookingColorEdit = Find<TEdit>("BookingColorEdit");
    TextColorEdit = Find<TEdit>("TextColorEdit");
    BookingReminderColorEdit = Find<TEdit>("BookingReminderColorEdit");
    ShowTodayCheckBox = Find<TCheckBox>("ShowTodayCheckBox");
    ShowTodayCircleCheckBox = Find<TCheckBox>("ShowTodayCircleCheckBox");
    CalendarFontEdit = Find<TEdit>("CalendarFontEdit");
    ShowCalendarScrollBarCheckBox = Find<TCheckBox>("ShowCalendarScrollBarCheckBox");
    OverrideLocaleFirstDayOfWeekCheckBox = Find<TCheckBox>("OverrideLocaleFirstDayOfWeekCheckBox");
    OverrideFirstDayOfWeekComboBox = Find<TComboBox>("OverrideFirstDayOfWeekComboBox");
    OpenMostRecentCheckBox = Find<TCheckBox>("OpenMostRecentCheckBox");
    ClearMRUButton = Find<TButton>("ClearMRUButton");
    ShowRemindersCheckBox = Find<TCheckBox>("ShowRemindersCheckBox");
    UseMAPIEmailRadioButton = Find<TRadioButton>("UseMAPIEmailRadioButton");
    UseInternalEmailRadioButton = Find<TRadioButton>("UseInternalEmailRadioButton");
    SenderNameEdit = Find<TEdit>("SenderNameEdit");
    SenderAddressEdit = Find<TEdit>("SenderAddressEdit");
    ReplyToEdit = Find<TEdit>("ReplyToEdit");
    OrganizationEdit = Find<TEdit>("OrganizationEdit");
    SignatureMemo = Find<TMemo>("SignatureMemo");
    SMTPHostEdit = Find<TEdit>("SMTPHostEdit");
    SMTPUsernameEdit = Find<TEdit>("SMTPUsernameEdit");
    SmtpPortEdit = Find<TEdit>("SmtpPortEdit");
    SMTPUsernameCheckBox = Find<TCheckBox>("SMTPUsernameCheckBox");
    DefaultSubjectEdit = Find<TEdit>("DefaultSubjectEdit");
    BCCSenderCheckBox = Find<TCheckBox>("BCCSenderCheckBox");
    BCCOtherCheckBox = Find<TCheckBox>("BCCOtherCheckBox");
    BCCOtherAddressEdit = Find<TEdit>("BCCOtherAddressEdit");
    SendButton = Find<TButton>("SendButton");
    SendTestMemo = Find<TMemo>("SendTestMemo");
    ReturnReceiptCheckBox = Find<TCheckBox>("ReturnReceiptCheckBox");
    OkButton = Find<TButton>("OkButton");
    CancelButton = Find<TButton>("CancelButton");
    HelpButton = Find<TButton>("HelpButton");

    UseInternalEmailRadioButton->SetCaption(QStringLiteral("Use Tavorin Mail"));
    SmtpPortEdit->SetText(QStringLiteral("25"));
    OverrideFirstDayOfWeekComboBox->SetStyle(csDropDownList);
    OverrideFirstDayOfWeekComboBox->Items().Add(QStringLiteral("Sunday"));
    OverrideFirstDayOfWeekComboBox->Items().Add(QStringLiteral("Monday"));
    OverrideFirstDayOfWeekComboBox->SetItemIndex(0);
    for (TwwDBDateTimePicker* picker : {DayGridStartTimePicker, DayGridEndTimePicker, DayGridInitialTimePicker,
                                        WeekGridStartTimePicker, WeekGridEndTimePicker, WeekGridInitialTimePicker}) {
        picker->SetUnboundDataType(wwDTEdtTime);
        picker->SetDisplayFormat(QStringLiteral("h:mm am/pm"));
    }
    if (readOnlyAccess) {
        MailTabSheet->SetTabVisible(false);
        MailMessagesTabSheet->SetTabVisible(false);
    }

    for (TEdit* edit :
         {RefreshMinsEdit, DaysBeforeEdit, DaysAfterEdit, DayGridMinIncrementEdit, WeekGridMinIncrementEdit,
          Day.ColumnSize, MultiDay.ColumnSize, Week.ColumnSize, Month.ColumnSize}) {
        edit->OnKeyPress = [](QObject*, QChar& key) {
            if (!IsDigitKey(key) && !IsEditCommandKey(key)) key = QChar();
        };
    }
    ConnectColorButton(Find<TButton>("BookingColorButton"), BookingColorEdit);
    ConnectColorButton(Find<TButton>("TextColorButton"), TextColorEdit);
    ConnectColorButton(Find<TButton>("BookingReminderColorButton"), BookingReminderColorEdit);
    for (const TGridSettingsControls* controls : {&Day, &MultiDay, &Week, &Month})
        ConnectColorButton(controls->RolloverColorButton, controls->RolloverColor);
    ConnectFontButton(Find<TButton>("CalendarFontButton"), CalendarFontEdit, &CalendarFont);
    ConnectFontButton(Day.FontButton, Day.FontEdit, &DayFont);
    ConnectFontButton(MultiDay.FontButton, MultiDay.FontEdit, &MultiDayFont);
    ConnectFontButton(Week.FontButton, Week.FontEdit, &WeekFont);
    ConnectFontButton(Month.FontButton, Month.FontEdit, &MonthFont);

    OverrideFirstDayOfWeekComboBox->OnChange = [this](QObject*) { ArrangeWeekdays(ChosenFirstDayOfWeek()); };
    UseMAPIEmailRadioButton->OnClick = [this](QObject*) { UseMAPIEmailRadioButtonClick(); };
    UseInternalEmailRadioButton->OnClick = [this](QObject*) { UseMAPIEmailRadioButtonClick(); };
    SMTPUsernameCheckBox->OnClick = [this](QObject*) { SMTPUsernameCheckBoxClick(); };
    PageControl->OnChange = [this](QObject*) {
        if (PageControl->ActivePage() == MailMessagesTabSheet) PrepareTestMessage();
    };
    ClearMRUButton->OnClick = [this](QObject*) { ClearRecentFiles = true; };
    SendButton->OnClick = [this](QObject*) { SendButtonClick(); };
    OkButton->OnClick = [this](QObject*) { OkButtonClick(); };
    HelpButton->OnClick = [this](QObject*) {
        if (OnShowHelpTopic) OnShowHelpTopic(QStringLiteral("html\\user_settings\\user_settings.html"));
    };
    OnShow = [this](QObject*) { FormShow(); };
    OnClose = [this](QObject*, TCloseAction&) { FormClose(); };
    PageControl->SetActivePage(GeneralTabSheet);
    Loaded();
}

QString TUserSettingsForm::FontText(const TFont& font) {
    return font.Name() + QLatin1Char(' ') + QString::number(font.Size()) + QStringLiteral(" pt.");
}

void TUserSettingsForm::ConnectColorButton(TButton* button, TEdit* edit) {
    button->OnClick = [this, edit](QObject*) {
        TColorDialog dialog(this);
        dialog.SetColor(edit->Color());
        if (dialog.Execute()) edit->SetColor(dialog.Color());
    };
}

void TUserSettingsForm::ConnectFontButton(TButton* button, TEdit* edit, TFont* font) {
    button->OnClick = [this, edit, font](QObject*) {
        TFontDialog dialog(this);
        dialog.Font().Assign(*font);
        if (!dialog.Execute()) return;
        font->Assign(dialog.Font());
        edit->SetText(FontText(*font));
    };
}

void TUserSettingsForm::FillGrid(const TGridSettingsControls& grid, bool description, bool bold, bool rollover,
                                 TColor rolloverColor, const TFont& font, bool autoSize, int columnSize) {
    grid.ShowDescription->SetChecked(description);
    grid.BoldClient->SetChecked(bold);
    grid.Rollover->SetChecked(rollover);
    grid.RolloverColor->SetColor(rolloverColor);
    grid.FontEdit->SetText(FontText(font));
    // The width marks "Specify (pixels)"; the automatic size then wins when it is on.
    grid.ColumnSize->SetText(QString::number(columnSize));
    grid.SpecifiedColumn->SetChecked(true);
    if (autoSize) grid.AutoSizeColumn->SetChecked(true);
}

void TUserSettingsForm::Fill(const TUserPreferences& p, const TUserSettings& settings) {
    AlwaysShowEndDateCheckBox->SetChecked(settings.AlwaysShowEndDate);
    DisplayAs24HourCheckBox->SetChecked(settings.DisplayAs24Hour);
    ShowRemindersCheckBox->SetChecked(settings.CheckReminders);
    UseMAPIEmailRadioButton->SetChecked(settings.UseMAPI);
    UseInternalEmailRadioButton->SetChecked(!settings.UseMAPI);
    RefreshCheckBox->SetChecked(p.RefreshEnabled);
    RefreshMinsEdit->SetText(QString::number(p.RefreshMins));
    const auto font = [](TFont& font, const QString& name, int size) {
        font.SetName(name);
        font.SetSize(size);
    };
    font(CalendarFont, p.CalendarFontName, p.CalendarFontNameSize);
    font(DayFont, p.DayGridFontName, p.DayGridFontSize);
    font(MultiDayFont, p.MultiDayGridFontName, p.MultiDayGridFontSize);
    font(WeekFont, p.WeekGridFontName, p.WeekGridFontSize);
    font(MonthFont, p.MonthGridFontName, p.MonthGridFontSize);
    CalendarFontEdit->SetText(FontText(CalendarFont));
    BookingColorEdit->SetColor(p.BookingColor);
    TextColorEdit->SetColor(p.TextColor);
    BookingReminderColorEdit->SetColor(p.BookingReminderColor);
    DayMinutes = p.DayViewMinIncrement;
    DayStartTime = p.DayViewStartTime;
    DayEndTime = p.DayViewEndTime;
    DayInitialTime = p.DayViewInitialTime;
    WeekMinutes = p.WeekViewMinIncrement;
    WeekStartTime = p.WeekViewStartTime;
    WeekEndTime = p.WeekViewEndTime;
    WeekInitialTime = p.WeekViewInitialTime;
    FillGrid(Day, p.DayGridShowDescription, p.DayGridBoldClient, p.ShowBookingDayRollover, p.BookingDayRolloverColor,
             DayFont, p.AutoDayColumnSize, p.DayColumnSize);
    FillGrid(MultiDay, p.MultiDayGridShowDescription, p.MultiDayGridBoldClient, p.ShowBookingMultiDayRollover,
             p.BookingMultiDayRolloverColor, MultiDayFont, p.AutoMultiDayColumnSize, p.MultiDayColumnSize);
    FillGrid(Week, p.WeekGridShowDescription, p.WeekGridBoldClient, p.ShowBookingWeekRollover,
             p.BookingWeekRolloverColor, WeekFont, p.AutoWeekColumnSize, p.WeekColumnSize);
    FillGrid(Month, p.MonthGridShowDescription, p.MonthGridBoldClient, p.ShowBookingMonthRollover,
             p.BookingMonthRolloverColor, MonthFont, p.AutoMonthColumnSize, p.MonthColumnSize);
    MonthViewShowStartTimeCheckBox->SetChecked(p.MonthGridShowStartTime);
    DaysBeforeEdit->SetText(QString::number(p.MultiDayDaysBefore));
    DaysAfterEdit->SetText(QString::number(p.MultiDayDaysAfter));
    const std::array<bool, 8> week = {false,
                                      p.WeekMonVisible,
                                      p.WeekTueVisible,
                                      p.WeekWedVisible,
                                      p.WeekThrVisible,
                                      p.WeekFriVisible,
                                      p.WeekSatVisible,
                                      p.WeekSunVisible};
    const std::array<bool, 8> month = {false,
                                       p.MonthMonVisible,
                                       p.MonthTueVisible,
                                       p.MonthWedVisible,
                                       p.MonthThrVisible,
                                       p.MonthFriVisible,
                                       p.MonthSatVisible,
                                       p.MonthSunVisible};
    for (int day = 1; day <= 7; ++day) {
        WeekDayCheckBoxes[day]->SetChecked(week[day]);
        MonthDayCheckBoxes[day]->SetChecked(month[day]);
    }
    ShowTodayCircleCheckBox->SetChecked(p.ShowTodayCircle);
    ShowTodayCheckBox->SetChecked(p.ShowToday);
    ShowCalendarScrollBarCheckBox->SetChecked(p.ShowCalendarScrollBar);
    OverrideLocaleFirstDayOfWeekCheckBox->SetChecked(p.OverrideFirstDayOfWeek);
    OverrideFirstDayOfWeekComboBox->SetItemIndex(p.OverrideFirstDay == 1 ? 1 : 0);
    FirstDayOfWeek = p.EffectiveFirstDayOfWeek();
    OpenMostRecentCheckBox->SetChecked(p.OpenMostRecent);
    EMailSettings = settings.EMailSettings;
}

int TUserSettingsForm::ChosenFirstDayOfWeek() const {
    return OverrideFirstDayOfWeekComboBox->Text() == QLatin1String("Monday") ? 1 : 7;
}

void TUserSettingsForm::FormShow() {
    ClearRecentFiles = false;
    DayGridMinIncrementEdit->SetText(QString::number(DayMinutes));
    WeekGridMinIncrementEdit->SetText(QString::number(WeekMinutes));
    DayGridStartTimePicker->SetTime(DayStartTime);
    DayGridEndTimePicker->SetTime(DayEndTime);
    DayGridInitialTimePicker->SetTime(DayInitialTime);
    WeekGridStartTimePicker->SetTime(WeekStartTime);
    WeekGridEndTimePicker->SetTime(WeekEndTime);
    WeekGridInitialTimePicker->SetTime(WeekInitialTime);
    ArrangeWeekdays(FirstDayOfWeek);
    SenderNameEdit->SetText(EMailSettings.SenderName);
    SenderAddressEdit->SetText(EMailSettings.SenderAddress);
    ReplyToEdit->SetText(EMailSettings.ReplyTo);
    OrganizationEdit->SetText(EMailSettings.Organization);
    SignatureMemo->SetText(EMailSettings.Signature);
    SMTPHostEdit->SetText(EMailSettings.Host);
    SMTPUsernameEdit->SetText(EMailSettings.Username);
    SmtpPortEdit->SetText(QString::number(EMailSettings.Port));
    SMTPUsernameCheckBox->SetChecked(EMailSettings.AuthType);
    DefaultSubjectEdit->SetText(EMailSettings.Subject);
    BCCSenderCheckBox->SetChecked(EMailSettings.BCCSender);
    BCCOtherCheckBox->SetChecked(EMailSettings.BCCOther);
    BCCOtherAddressEdit->SetText(EMailSettings.BCCOtherAddress);
    ReturnReceiptCheckBox->SetChecked(EMailSettings.ReturnReceipt);
    SMTPUsernameCheckBoxClick();
    UseMAPIEmailRadioButtonClick();
    const bool mapi = !DefaultMailClient.isEmpty();
    UseMAPIEmailRadioButton->SetEnabled(mapi);
    SendButton->SetEnabled(mapi);
    HelpButton->SetEnabled(static_cast<bool>(OnShowHelpTopic));
}

void TUserSettingsForm::ArrangeWeekdays(int firstDayOfWeek) {
    for (int day = 1; day <= 7; ++day) {
        // Monday first, Sunday last; with Sunday first every other day moves one place on.
        const int slot = firstDayOfWeek == 1 ? day - 1 : day % 7;
        for (const auto& [box, label] : {std::pair{WeekDayCheckBoxes[day], weekDayLabels_[day]},
                                         std::pair{MonthDayCheckBoxes[day], monthDayLabels_[day]}}) {
            box->SetLeft(15 + slot * kDaySpacing);
            label->SetLeft(box->Left() + box->Width() / 2 - label->Width() / 2);
        }
    }
}

void TUserSettingsForm::UseMAPIEmailRadioButtonClick() {
    const bool internal = !UseMAPIEmailRadioButton->Checked();
    IdentityTabSheet->SetEnabled(internal);
    ServerTabSheet->SetEnabled(internal);
    SmtpPortEdit->SetEnabled(internal);
    SMTPUsernameCheckBox->SetEnabled(internal);
    BCCSenderCheckBox->SetEnabled(internal);
    for (TControl* field :
         std::initializer_list<TControl*>{SenderNameEdit, SenderAddressEdit, ReplyToEdit, OrganizationEdit,
                                          SignatureMemo, SMTPHostEdit, SmtpPortEdit, SMTPUsernameEdit})
        field->SetColor(internal ? clWindow : clBtnFace);
    if (internal) SMTPUsernameCheckBoxClick();
}

void TUserSettingsForm::SMTPUsernameCheckBoxClick() {
    const bool on = SMTPUsernameCheckBox->Checked() && !UseMAPIEmailRadioButton->Checked();
    SMTPUsernameEdit->SetEnabled(on);
    SMTPUsernameEdit->SetColor(on ? clWindow : clBtnFace);
}

void TUserSettingsForm::ReadMailControls() {
    EMailSettings.SenderName = SenderNameEdit->Text();
    EMailSettings.SenderAddress = SenderAddressEdit->Text();
    EMailSettings.ReplyTo = ReplyToEdit->Text();
    EMailSettings.Organization = OrganizationEdit->Text();
    EMailSettings.Signature = SignatureMemo->Text();
    EMailSettings.Host = SMTPHostEdit->Text();
    EMailSettings.Username = SMTPUsernameEdit->Text();
    // A port that is no number leaves the port as it was.
    EMailSettings.Port = IntegerOf(*SmtpPortEdit, EMailSettings.Port);
    EMailSettings.AuthType = SMTPUsernameCheckBox->Checked();
    EMailSettings.Subject = DefaultSubjectEdit->Text();
    EMailSettings.BCCSender = BCCSenderCheckBox->Checked();
    EMailSettings.BCCOther = BCCOtherCheckBox->Checked();
    EMailSettings.BCCOtherAddress = BCCOtherAddressEdit->Text();
    EMailSettings.ReturnReceipt = ReturnReceiptCheckBox->Checked();
}

void TUserSettingsForm::PrepareTestMessage() {
    const QString replyTo = ReplyToEdit->Text().trimmed();
    if (UseMAPIEmailRadioButton->Checked()) {
        const bool client = !DefaultMailClient.isEmpty();
        SendTestMemo->SetText(client ? QStringLiteral("Click the button below to start composing a test message using "
                                                      "your default email program.")
                                     : QStringLiteral("The default mail client on this computer is not set. Please set "
                                                      "a default mail client or contact your administrator."));
        SendButton->SetCaption(QStringLiteral("Send test email using default mapi mail program (") +
                               (client ? DefaultMailClient : QStringLiteral("No Default Mail Client")) +
                               QLatin1Char(')') + ReplyToEdit->Text());
        return;
    }
    SendTestMemo->SetText(QStringLiteral("Click the button below to send a test message using the Tavorin mailer."));
    const QString address = SenderAddressEdit->Text();
    if (!replyTo.isEmpty()) {
        SendButton->SetCaption(QStringLiteral("Send Test Message To: ") + replyTo);
        BCCSenderCheckBox->SetCaption(QStringLiteral("BCC   ") + replyTo);
    } else {
        const QString name = SenderNameEdit->Text();
        SendButton->SetCaption(QStringLiteral("Send Test Message To: ") +
                               (name.isEmpty() ? address : name + QStringLiteral(" <") + address + QLatin1Char('>')));
        BCCSenderCheckBox->SetCaption(QStringLiteral("BCC   ") + address);
    }
    const bool ready = !SMTPHostEdit->Text().trimmed().isEmpty() && !address.trimmed().isEmpty();
    SendButton->SetEnabled(ready);
    if (!ready)
        SendTestMemo->SetText(
            QStringLiteral("To send a test message you must first enter a SMTP host and sender email address."));
}

void TUserSettingsForm::SendButtonClick() {
    ReadMailControls();
    if (OnSendTestMessage) OnSendTestMessage(UseMAPIEmailRadioButton->Checked(), EMailSettings);
}

bool TUserSettingsForm::CheckIntegers() {
    const auto refuse = [this](TTabSheet* tab, TEdit* edit, const QString& message) {
        PageControl->SetActivePage(tab);
        MessageDlg(message, mtError, {mbOK});
        edit->SetFocus();
        return false;
    };
    bool ok = false;
    const int day = DayGridMinIncrementEdit->Text().toInt(&ok);
    if (!ok || day <= 0)
        return refuse(DayGridTabSheet, DayGridMinIncrementEdit, QStringLiteral("Time Interval is invalid."));
    // Converted when the dialog closes with OK: an empty or zero value would stop the rest being applied.
    const int refresh = RefreshMinsEdit->Text().toInt(&ok);
    if (!ok || refresh < 1)
        return refuse(GeneralTabSheet, RefreshMinsEdit, QStringLiteral("Refresh minutes must be at least 1."));
    for (TEdit* edit : {DaysBeforeEdit, DaysAfterEdit}) {
        edit->Text().toInt(&ok);
        if (!ok)
            return refuse(MultiDayGridTabSheet, edit,
                          QStringLiteral("Days Before and Days After must be whole numbers."));
    }
    for (const auto& [tab, grid] : {std::pair{DayGridTabSheet, &Day},
                                    {MultiDayGridTabSheet, &MultiDay},
                                    {WeekGridTabSheet, &Week},
                                    {MonthGridTabSheet, &Month}}) {
        if (grid->SpecifiedColumn->Checked() && !IsSensibleColumnWidth(IntegerOf(*grid->ColumnSize, 0)))
            return refuse(tab, grid->ColumnSize, ColumnWidthRangeMessage());
    }
    return true;
}

void TUserSettingsForm::OkButtonClick() {
    if (!CheckIntegers()) return;
    ReadMailControls();
    SetModalResult(mrOk);
}

void TUserSettingsForm::FormClose() {
    // Also after Cancel: the values the main window reads only after OK.
    const auto read = [this](const TEdit& edit, const std::array<TwwDBDateTimePicker*, 3>& pickers, int& minutes,
                             TDateTime& start, TDateTime& end, TDateTime& initial) {
        minutes = IntegerOf(edit, 0);
        if (minutes == 0) minutes = 15;
        start = TimeOf(pickers[0]->Time());
        end = TimeOf(pickers[1]->Time());
        initial = TimeOf(pickers[2]->Time());
        NormalizeViewTimes(start, end, initial, WideningMinutes, DefaultStart, DefaultEnd, DefaultInitial);
    };
    read(*DayGridMinIncrementEdit, {DayGridStartTimePicker, DayGridEndTimePicker, DayGridInitialTimePicker}, DayMinutes,
         DayStartTime, DayEndTime, DayInitialTime);
    read(*WeekGridMinIncrementEdit, {WeekGridStartTimePicker, WeekGridEndTimePicker, WeekGridInitialTimePicker},
         WeekMinutes, WeekStartTime, WeekEndTime, WeekInitialTime);
}

void TUserSettingsForm::Apply(TUserPreferences& p, TUserSettings& settings) const {
    settings.AlwaysShowEndDate = AlwaysShowEndDateCheckBox->Checked();
    p.RefreshEnabled = RefreshCheckBox->Checked();
    p.RefreshMins = std::max(IntegerOf(*RefreshMinsEdit, p.RefreshMins), 1);
    p.CalendarFontName = CalendarFont.Name();
    p.CalendarFontNameSize = CalendarFont.Size();
    p.BookingColor = BookingColorEdit->Color();
    p.TextColor = TextColorEdit->Color();
    p.BookingReminderColor = BookingReminderColorEdit->Color();
    const auto grid = [](const TGridSettingsControls& c, const TFont& font, QString& fontName, int& fontSize,
                         bool& rollover, TColor& rolloverColor, bool& bold, bool& description, bool& autoSize,
                         int& columnSize) {
        fontName = font.Name();
        fontSize = font.Size();
        rollover = c.Rollover->Checked();
        rolloverColor = c.RolloverColor->Color();
        bold = c.BoldClient->Checked();
        description = c.ShowDescription->Checked();
        autoSize = c.AutoSizeColumn->Checked();
        // An empty width gives 0.
        columnSize = IntegerOf(*c.ColumnSize, 0);
    };
    grid(Day, DayFont, p.DayGridFontName, p.DayGridFontSize, p.ShowBookingDayRollover, p.BookingDayRolloverColor,
         p.DayGridBoldClient, p.DayGridShowDescription, p.AutoDayColumnSize, p.DayColumnSize);
    grid(MultiDay, MultiDayFont, p.MultiDayGridFontName, p.MultiDayGridFontSize, p.ShowBookingMultiDayRollover,
         p.BookingMultiDayRolloverColor, p.MultiDayGridBoldClient, p.MultiDayGridShowDescription,
         p.AutoMultiDayColumnSize, p.MultiDayColumnSize);
    grid(Week, WeekFont, p.WeekGridFontName, p.WeekGridFontSize, p.ShowBookingWeekRollover, p.BookingWeekRolloverColor,
         p.WeekGridBoldClient, p.WeekGridShowDescription, p.AutoWeekColumnSize, p.WeekColumnSize);
    grid(Month, MonthFont, p.MonthGridFontName, p.MonthGridFontSize, p.ShowBookingMonthRollover,
         p.BookingMonthRolloverColor, p.MonthGridBoldClient, p.MonthGridShowDescription, p.AutoMonthColumnSize,
         p.MonthColumnSize);
    p.MonthGridShowStartTime = MonthViewShowStartTimeCheckBox->Checked();
    p.DayViewMinIncrement = DayMinutes;
    p.DayViewStartTime = DayStartTime;
    p.DayViewEndTime = DayEndTime;
    p.DayViewInitialTime = DayInitialTime;
    p.WeekViewMinIncrement = WeekMinutes;
    p.WeekViewStartTime = WeekStartTime;
    p.WeekViewEndTime = WeekEndTime;
    p.WeekViewInitialTime = WeekInitialTime;
    p.MultiDayDaysBefore = IntegerOf(*DaysBeforeEdit, p.MultiDayDaysBefore);
    p.MultiDayDaysAfter = IntegerOf(*DaysAfterEdit, p.MultiDayDaysAfter);
    bool* week[] = {nullptr,           &p.WeekMonVisible, &p.WeekTueVisible, &p.WeekWedVisible,
                    &p.WeekThrVisible, &p.WeekFriVisible, &p.WeekSatVisible, &p.WeekSunVisible};
    bool* month[] = {nullptr,
                     &p.MonthMonVisible,
                     &p.MonthTueVisible,
                     &p.MonthWedVisible,
                     &p.MonthThrVisible,
                     &p.MonthFriVisible,
                     &p.MonthSatVisible,
                     &p.MonthSunVisible};
    for (int day = 1; day <= 7; ++day) {
        *week[day] = WeekDayCheckBoxes[day]->Checked();
        *month[day] = MonthDayCheckBoxes[day]->Checked();
    }
    settings.DisplayAs24Hour = DisplayAs24HourCheckBox->Checked();
    p.ShowTodayCircle = ShowTodayCircleCheckBox->Checked();
    p.ShowToday = ShowTodayCheckBox->Checked();
    p.ShowCalendarScrollBar = ShowCalendarScrollBarCheckBox->Checked();
    p.OverrideFirstDayOfWeek = OverrideLocaleFirstDayOfWeekCheckBox->Checked();
    p.OverrideFirstDay = ChosenFirstDayOfWeek();
    p.OpenMostRecent = OpenMostRecentCheckBox->Checked();
    settings.CheckReminders = ShowRemindersCheckBox->Checked();
    settings.UseMAPI = UseMAPIEmailRadioButton->Checked();
    settings.EMailSettings = EMailSettings;
}
