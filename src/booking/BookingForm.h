// TBookingForm: the booking window, which shows, changes and creates one booking of the data module's Bookings table.
#pragma once

#include "booking/BookingCustomization.h"
#include "data/bookings/BookingRecord.h"
#include "data/bookings/Bookings.h"
#include "platform/db/ADODataSet.h"
#include "platform/rtl/DateUtils.h"
#include "platform/ui/Form.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <memory>

class TBookingForm;
class TButton;
class TCheckBox;
class TData;
class TLabel;
class TMainMenu;
class TMenuItem;
class TPanel;
class TSQLData;
class TTaskEditFrame;
class TTaskRecord;
class TStatusBar;
class TToolBar;
class TUDFField;
class TwwDBComboBox;
class TwwDBDateTimePicker;
class TwwDBEdit;
class TwwDBLookupCombo;

// Actions a group of bookings is consulted for.
enum : int { kBookingActionUpdate = 1, kBookingActionDelete = 2, kBookingActionView = 4 };
// LastAction of the window.
enum : int { kBookingNothing = 0, kBookingCreated = 1, kBookingModified = 2, kBookingDeleted = 3 };
// CheckBookingEditable's answers.
enum : int { kEditableGoOn = 1, kEditableCancelled = 2 };
// SaveBeforeProceeding's answers: nothing to save, saved, cancelled or failed.
enum : int { kProceedUnchanged = 1, kProceedSaved = 6, kProceedCancelled = 2 };

// What the group booking list is asked to show when a group's members are chosen (list modes 1, 3 and 4).
struct TGroupBookingChoice {
    int Action = kBookingActionUpdate;
    int ListMode = 3;
    qint32 GroupBookingId = 0;
    qint32 BookingId = 0;
    // The edited booking with its changed flags (an update), and the booking as loaded; null otherwise.
    const TBookingRecord* Edited = nullptr;
    const TBookingRecord* Original = nullptr;
    bool ReadOnly = false;
};

// The group update results the list reviews (mode 5): per chosen booking its id and its result.
struct TGroupBookingReview {
    QList<qint32> Ids;
    QList<TBookingConflictResult> Results;
    bool ReadOnly = false;
};

// The fields of an address card that the client search takes.
struct TBookingClientCard {
    QString FirstName, LastName, DisplayName, EmailAddress, Phone;
    QString Company, Address1, Address2, City, Prov, Postcode, Country;
};

// The windows and commands other parts of the program provide. An empty command hook leaves its command disabled.
struct TBookingFormHooks {
    // The group booking list choosing the members an action applies to: false when the user cancelled; else ids
    // holds the chosen ones in list order and changed tells whether the list changed the database.
    std::function<bool(const TGroupBookingChoice&, QList<qint32>& ids, bool& changed)> ChooseGroupBookings;
    // The group booking list reviewing a group update that did not succeed everywhere: true for OK (commit what
    // succeeded), false for Cancel (keep none).
    std::function<bool(const TGroupBookingReview&)> ReviewGroupUpdate;
    // The group question: "&Yes" 6, "&No" 7, "&Cancel" 2. Empty: the window's own TShowGroupForm asks.
    std::function<int(const QString& caption, const QString& text)> AskGroupQuestion;
    // The address book with its Select and Cancel buttons: true and the first chosen card when the user selected
    // one. Empty: the client search button stays disabled.
    std::function<bool(TBookingClientCard&)> SelectAddressCard;
    // Whether a default mail client is there for Compose.
    std::function<bool()> HasMailClient;
    // Commands, each named after its menu item.
    std::map<QString, std::function<void(TBookingForm&)>> Commands;
};

class TBookingForm : public TForm {
public:
    // Over the data module's Bookings table and its lookup module.
    TBookingForm(QWidget* owner, TData& data, TSQLData& sqlData);
    ~TBookingForm() override;

    TBookingFormHooks Hooks;

    TMainMenu* MainMenu = nullptr;
    TToolBar* ToolBar = nullptr;
    TPanel* MidPanel = nullptr;
    TwwDBLookupCombo* ResourceNameLookupCombo = nullptr;
    TwwDBDateTimePicker* StartDatePicker = nullptr;
    TwwDBDateTimePicker* StartTimePicker = nullptr;
    TwwDBDateTimePicker* EndDatePicker = nullptr;
    TwwDBDateTimePicker* EndTimePicker = nullptr;
    TwwDBDateTimePicker* PhantomEndDatePicker = nullptr;
    TwwDBComboBox* StartTimeComboBox = nullptr;
    TwwDBComboBox* EndTimeComboBox = nullptr;
    TLabel* TimeLabel = nullptr;
    TLabel* ToDateLabel = nullptr;
    TLabel* ToTimeLabel = nullptr;
    TCheckBox* AllDayCheckBox = nullptr;
    TButton* ToDateButton = nullptr;
    TwwDBEdit* ClientDBEdit = nullptr;
    TwwDBEdit* EmailDBEdit = nullptr;
    TwwDBEdit* PhoneDBEdit = nullptr;
    TwwDBEdit* AddressDBEdit = nullptr;
    TwwDBEdit* DescriptionDBEdit = nullptr;
    TwwDBEdit* NotesDBEdit = nullptr;
    TwwDBEdit* ReminderDBEdit = nullptr;
    TwwDBEdit* udf1DBEdit = nullptr;
    TwwDBEdit* udf2DBEdit = nullptr;
    TLabel* udf1Label = nullptr;
    TLabel* udf2Label = nullptr;
    TLabel* EmailLabel = nullptr;
    TLabel* PhoneLabel = nullptr;
    TLabel* AddressLabel = nullptr;
    TLabel* DescriptionLabel = nullptr;
    TLabel* NotesLabel = nullptr;
    TLabel* ReminderLabel = nullptr;
    TButton* ClientSearchButton = nullptr;
    TStatusBar* StatusBar = nullptr;
    TButton* OkButton = nullptr;
    TButton* CancelButton = nullptr;
    // Below the fields; shown while the booking has a task or one is being added.
    TPanel* TaskPanel = nullptr;
    TTaskEditFrame* TaskEditFrame = nullptr;
    TADOTable ResourceLookupTable;
    TADOQuery GroupBookingQuery;
    TADOQuery StatusBarQuery;

    qint32 BookingId = 0;
    qint32 ResourceId = 0;
    QString ResourceName;
    QString CaptionBase;
    bool NewBooking = false;
    bool Edited = false;
    bool Changed = false;
    qint32 LastModifiedBookingId = 0;
    int LastAction = kBookingNothing;
    std::unique_ptr<TBookingRecord> OriginalRecord;
    std::unique_ptr<TBookingRecord> EditRecord;
    // 0 no task, 1 the booking's task is shown, 2 a new task is being added, 3 the task goes when the booking is
    // saved.
    int TaskState = 0;
    // The task as loaded, for the History description of its changes.
    std::unique_ptr<TTaskRecord> TaskSnapshot;
    bool ReadOnly = false;
    QString FocusField;
    bool SingleBookingMode = false;
    // 1 or 2: the arrangement of the fields.
    int Layout = 1;
    // Which optional fields show and are tab stops; kept per user for both layouts.
    TBookingCustomization Customization;

    // The stored place, size and layout; read when the window is made and written when it is destroyed.
    void LoadUserDefaults();
    void SaveUserDefaults();

    // Field arrangement: the customisation applied and the fields placed by Layout, on every resize.
    void FormResize();
    void Layout1ItemClick();
    void Layout2ItemClick();
    // The customisation dialog; on OK the window is arranged again.
    void CustomizeItemClick();
    // Every field visible and a tab stop, in Layout 1.
    void RestoreDefaultView1Click();

    // A menu item by its name ("DeleteItem", "UpdateItem", ...).
    TMenuItem* Item(const QString& name) const;

    // Opening a booking.
    bool LocateBooking(qint32 bookingId);
    void SetFocusField(const QString& name);
    void Init();
    bool IsModified() const;
    int CheckBookingEditable(int action, const TBookingRecord* edited, qint32 bookingId, int listMode,
                             QList<qint32>& ids, int& groupCount, bool ask, bool alwaysList);
    void SetupCustomFields(const TUDFField* first, const TUDFField* second);
    // CaptionBase, ResourceId and ResourceName from BookingId and the row's resource.
    void UpdateCaptionBase();
    void UpdateCaption();
    void UpdateStatusBar();
    void SetEditorsReadOnly(bool readOnly);
    void UpdateCommandStates(bool readOnly);
    void ClientSearchButtonClick();
    // Puts the card's client, e-mail, phone and address into the row.
    void FillClientFromCard(const TBookingClientCard& card);
    // Every change of a booking field by the user.
    void OnModify();

    // Date and time entry.
    void ApplyAllDayState();
    void AllDayCheckBoxClick();
    void ToDateButtonClick();
    void StartTimeComboBoxDropDown();
    void StartTimeComboBoxCloseUp(bool select);
    void EndTimeComboBoxDropDown();
    void EndTimeComboBoxCloseUp(bool select);
    void StartDatePickerChange();
    void EndDatePickerChange();
    void PhantomEndDatePickerChange();
    static QString FormatDurationText(int minutes);

    // The booking's task.
    // Loads the booking's task into the frame and shows the panel; false, with the panel hidden, without one.
    bool LoadBookingTask();
    // Shows or hides the task panel; the window grows or shrinks by it.
    void ShowTaskPanel(bool show);
    void AddTaskItemClick();
    void DeleteTaskItemClick();
    // The task changes after the booking was saved; false (with a message) when they could not be written.
    bool SaveTaskChanges();

    // Saving.
    bool InsertNewBooking(qint32 resourceId, qint32 groupBookingId, TDateTime startDate, TDateTime endDate,
                          TDateTime startTime, TDateTime endTime, const QString& client, const QString& ep,
                          const QString& phone, const QString& description, const QString& notes,
                          const QString& reminder);
    bool SaveBookingAndTask();
    bool SaveBooking();
    bool SaveBookingSet(const QList<qint32>& ids, QList<TBookingConflictResult>& results, TBookingRecord& edited);
    void ShowValidateMessage(int code);
    void ShowPostMessage(qint32 bookingId, const TBookingConflictResult& result);
    int SaveBeforeProceeding(bool onlyExisting);
    void OkButtonClick();
    void CancelButtonClick();
    void CloseItemClick();
    void UpdateItemClick();

private:
    void MakeMenu();
    void MakeTimeCombos();
    void WireEditors();
    void RunCommand(const QString& name);
    // TaskSnapshot := the frame's current task row.
    void TakeTaskSnapshot();
    // Sets Layout, checks its menu item and arranges the window.
    void ChooseLayout(int layout);
    void BuildGroupBookingQuery();
    void FormShow();
    void FormCloseQuery(bool& canClose);
    void FormClose();
    // The change handlers of the three date pickers, attached or not.
    void AttachDateHandlers(bool startDate, bool endDate, bool phantomDate);
    // The row in edit state (it is put there when browsing); false when it cannot be.
    bool EditRow();
    TDateTime FieldTime(const char* name) const;
    void SetFieldTime(const char* name, TDateTime value);
    bool DateShown(const QWidget* control) const;
    void SetEditedFlags();
    // A group save refused in part: the user reviews the staged rows, which are committed or taken out after.
    bool ReviewGroupUpdate(const QList<qint32>& ids, const QList<TBookingConflictResult>& results, bool& applied);
    // After a save whose write transaction was rolled back: the change sets end without touching the file, the
    // tables read again what is stored, and the user's entry goes back into the row.
    void AbandonSave();
    // A new booking that was not stored has no id again: the next save draws one.
    void ForgetUnsavedId();
    // EditRecord back into the row (pending, unposted); a read that fails leaves it for the next save.
    void StoreEntry();
    // A save that stored nothing, with why.
    void ShowSaveFailure(const QString& cause);
    void ShowDeferredMessages();
    int AskGroupQuestion(const QString& caption, const QString& text);
    // The delete question; true for OK.
    bool AskDeleteBooking();

    TData& data_;
    TSQLData& sqlData_;
    std::map<QString, TMenuItem*> items_;
    // Set while code writes the row, so that the change handlers it stirs do not count as the user's edits.
    int writing_ = 0;
    bool saving_ = false;
    // Messages of a save, shown once its write transaction has ended.
    QStringList deferredMessages_;
    // Set while a date rule writes the row, so that the change events of its own writes do not run the rules.
    bool dateRule_ = false;
};
