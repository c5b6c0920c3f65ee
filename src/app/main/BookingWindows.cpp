// The booking editor's windows joined to the main window and to each other.
#include "app/main/BookingWindows.h"

#include "app/main/AdminCommands.h"
#include "app/main/MainForm.h"
#include "app/main/ProgramRun.h"
#include "booking/BookingCommands.h"
#include "booking/BookingForm.h"
#include "booking/BookingFormShowGroup.h"
#include "booking/FindDeletedForm.h"
#include "booking/FindForm.h"
#include "booking/FindHistoryForm.h"
#include "booking/FindSearchDateForm.h"
#include "booking/GroupBooking.h"
#include "booking/HistoryForm.h"
#include "booking/RepeatBooking.h"
#include "controls/edit/DateTimePicker.h"
#include "controls/grid/Wwdblook.h"
#include "data/module/DataModule.h"
#include "data/module/SQLDataModule.h"
#include "platform/db/Field.h"
#include "platform/rtl/Messages.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Lists.h"

#include <memory>

namespace {

TGroupBookingHooks GroupListHooks();

// A booking window of its own, joined to its commands, over the data module's current Bookings row.
struct OwnBookingWindow {
    OwnBookingWindow() : Form(nullptr, *Data, *SQLData), Commands(*Data, *SQLData) {
        ConnectBookingForm(Form, Commands);
    }
    TBookingForm Form;
    TBookingCommands Commands;
};

// The commands act for the window as it stands.
void SyncCommands(const TBookingForm& form, TBookingCommands& commands) {
    commands.SingleBookingMode = form.SingleBookingMode;
    commands.ReadOnly = form.ReadOnly;
}

// The window's booking read again from the row after a command changed it elsewhere; the status bar shows the
// row's history as it now stands.
void ReloadOriginal(TBookingForm& form) {
    form.OriginalRecord->Load();
    form.Edited = false;
    form.UpdateCaption();
    form.UpdateStatusBar();
}

// The booking is gone: the window closes without asking to save it.
void CloseWithoutQuestion(TBookingForm& form) {
    form.OnCloseQuery = nullptr;
    form.Close();
}

// The group's members in the list window, in the mode given and with the rows the rule selects; false when the
// user cancelled.
bool ChooseFromGroup(QWidget* owner, int mode, int rule, qint32 groupId, qint32 bookingId, const TBookingRecord* edited,
                     const TBookingRecord* original, bool readOnly, QList<qint32>& ids, bool& changed) {
    TGroupBookingForm list(owner, *Data, *SQLData, GroupListHooks());
    const std::unique_ptr<TBookingRecord> none = Data->NewBookingRecord(Data->BookingsTable);
    list.LoadGroup(groupId);
    list.FillFromQuery(rule, bookingId, edited ? *edited : *none, original ? *original : *none);
    list.CloseGroup();
    list.ReadOnly = readOnly;
    list.Mode = mode;
    const int result = list.ShowModal();
    changed = list.Changed;
    if (result != mrOk) return false;
    ids = list.SelectedIds;
    return true;
}

// The list shows the results of a group update that failed somewhere: OK commits the others.
bool ReviewGroupUpdate(TBookingForm& form, const TGroupBookingReview& review) {
    TGroupBookingForm list(&form, *Data, *SQLData, GroupListHooks());
    list.LoadGroup(form.OriginalRecord->GroupBookingId);
    list.FillFromQuery(3, form.OriginalRecord->BookingId, *form.EditRecord, *form.OriginalRecord);
    list.CloseGroup();
    for (int i = 0; i < review.Ids.size() && i < review.Results.size(); ++i)
        list.SetRowStatus(review.Ids[i], review.Results[i].Status);
    list.ReadOnly = review.ReadOnly;
    list.Mode = gbmUpdateResults;
    return list.ShowModal() == mrOk;
}

int AskGroupQuestion(QWidget* owner, const QString& caption, const QString& text) {
    TShowGroupForm question(owner);
    question.SetCaption(caption);
    question.SetMessage(text);
    return question.ShowModal();
}

void DeleteItemClick(TBookingForm& form, TBookingCommands& commands) {
    SyncCommands(form, commands);
    const qint32 bookingId = form.BookingId;
    commands.DeleteBookings();
    if (commands.Changed) form.Changed = true;
    if (commands.LastAction == kBookingDeleted) form.LastAction = kBookingDeleted;
    Data->BookingsTable.Requery();
    if (form.LocateBooking(bookingId)) ReloadOriginal(form);
    else CloseWithoutQuestion(form);
}

void ShowGroupItemClick(TBookingForm& form) {
    if (form.SaveBeforeProceeding(true) == kProceedCancelled) return;
    const qint32 bookingId = form.OriginalRecord->BookingId;
    QList<qint32> ids;
    int groupCount = 0;
    form.CheckBookingEditable(kBookingActionView, nullptr, bookingId, 1, ids, groupCount, false, true);
    Data->BookingsTable.Requery();
    if (!form.LocateBooking(bookingId)) {
        form.Changed = true;
        CloseWithoutQuestion(form);
        return;
    }
    ReloadOriginal(form);
}

void RepeatItemClick(TBookingForm& form) {
    TADOTable& bookings = Data->BookingsTable;
    const TDateTime start = bookings.FieldByName(QStringLiteral("BookingStart")).AsDateTime();
    const TDateTime end = bookings.FieldByName(QStringLiteral("BookingEnd")).AsDateTime();
    const bool multiDay = DateOf(start) != DateOf(end);
    if (form.SaveBeforeProceeding(true) == kProceedCancelled) return;
    // No resource is allowed: the repeat window chooses the resources.
    const int code = Data->ValidateBooking();
    if (code != 0 && code != 6) {
        form.ShowValidateMessage(code);
        return;
    }
    const qint32 originalId = form.BookingId;
    TRepeatBookingForm repeat(&form, *Data, *SQLData);
    repeat.SetStartDate(DateOf(start));
    repeat.StartTimePicker->SetTime(TimeOf(start));
    repeat.EndTimePicker->SetTime(TimeOf(end));
    repeat.TimeListBox->Clear();
    repeat.SameDay = !multiDay;
    if (multiDay) {
        repeat.StartTimes.Clear();
        repeat.StartTimes.Add(TimeOf(start));
        repeat.Duration = end - start;
    } else {
        repeat.AddTimeButtonClick();
        repeat.TimeListBox->SetItemIndex(0);
    }
    repeat.ResourceListBox->Clear();
    const QString resource = form.ResourceNameLookupCombo->Text();
    if (!resource.isEmpty()) {
        repeat.ResourceListBox->Items().Add(resource);
        repeat.ResourceListBox->SetItemIndex(0);
    }
    if (repeat.ShowModal() != mrOk) {
        ReloadOriginal(form);
        return;
    }
    form.LastModifiedBookingId = repeat.OriginalBookingId;
    if (repeat.BookingsCreated) form.Changed = true;
    if (!form.LocateBooking(repeat.OriginalBookingId)) {
        CloseWithoutQuestion(form);
        return;
    }
    // A task being added follows the series' first booking when the window's own booking was new.
    if (form.TaskState == 2 && repeat.OriginalBookingId != originalId) form.TaskState = 1;
    // The booking is stored now: the caption and the status bar no longer read as a new one's.
    form.NewBooking = false;
    form.UpdateCaptionBase();
    ReloadOriginal(form);
    form.UpdateCommandStates(form.ReadOnly);
}

void HistoryItemClick(TBookingForm& form) {
    THistoryForm history(&form, *Data);
    history.ShowBookingHistory(
        form.BookingId,
        static_cast<int>(Data->BookingsTable.FieldByName(QStringLiteral("GroupBookingId")).AsInteger()));
    history.ShowModal();
}

TGroupBookingHooks GroupListHooks() {
    TGroupBookingHooks hooks;
    // The list has located the booking.
    hooks.BookingForm = [](qint32 bookingId, bool singleBookingMode) {
        OwnBookingWindow window;
        window.Form.SingleBookingMode = singleBookingMode;
        window.Form.LocateBooking(bookingId);
        window.Form.ShowModal();
        return window.Form.IsModified();
    };
    hooks.BookingFormDelete = [](qint32 bookingId) {
        OwnBookingWindow window;
        window.Form.LocateBooking(bookingId);
        window.Form.Init();
        SyncCommands(window.Form, window.Commands);
        window.Commands.DeleteBookings();
    };
    return hooks;
}

// The main window's booking window: the real one behind the main window's view of it, made at its first use, so
// that an open that shows no booking does not wait for it.
class TBookingFormWindow : public TBookingWindow {
public:
    int LastModifiedBookingId() const override { return window_ ? window_->Form.LastModifiedBookingId : 0; }
    int LastAction() const override { return window_ ? window_->Form.LastAction : 0; }
    bool LocateBooking(int bookingId) override { return Form().LocateBooking(bookingId); }
    void SetFocusField(const QString& name) override { Form().SetFocusField(name); }
    bool InsertNewBooking(int resourceId, int groupBookingId, TDateTime startDate, TDateTime endDate,
                          TDateTime startTime, TDateTime endTime, const QString& client, const QString& ep,
                          const QString& phone, const QString& description, const QString& notes,
                          const QString& reminder) override {
        return Form().InsertNewBooking(resourceId, groupBookingId, startDate, endDate, startTime, endTime, client, ep,
                                       phone, description, notes, reminder);
    }
    void Init() override { Form().Init(); }
    int ShowModal() override { return Form().ShowModal(); }
    bool IsModified() const override { return window_ && window_->Form.IsModified(); }
    bool AllDay() const override { return window_ && window_->Form.AllDayCheckBox->Checked(); }
    // The booking window makes its own list window, which its hooks fill and show.
    int CheckBookingEditable(TGroupBookingWindow&, int action, int bookingId, int listMode, QList<int>& ids,
                             int& groupCount, bool ask, bool alwaysList) override {
        return Form().CheckBookingEditable(action, nullptr, bookingId, listMode, ids, groupCount, ask, alwaysList);
    }

    // Deletes the current row's booking (or the group members the user chooses); true when the deletion ran.
    bool DeleteBookings() {
        Form().Init();
        SyncCommands(window_->Form, window_->Commands);
        const bool deleted = window_->Commands.DeleteBookings();
        if (deleted) window_->Form.LastAction = kBookingDeleted;
        return deleted;
    }

private:
    TBookingForm& Form() {
        if (!window_) window_ = std::make_unique<OwnBookingWindow>();
        return window_->Form;
    }

    std::unique_ptr<OwnBookingWindow> window_;
};

// The list the main window fills with the bookings of a cell.
class TGroupBookingListWindow : public TGroupBookingWindow {
public:
    explicit TGroupBookingListWindow(QWidget* owner) : list_(owner, *Data, *SQLData, GroupListHooks()) {}

    void SetMode(int mode) override { list_.Mode = mode; }
    void AddResultRow(const QString& resourceName, const QString& client, int bookingId, int status, int reason,
                      TDateTime endTime, TDateTime startTime, TDateTime startDate) override {
        list_.AddResultRow(resourceName, client, bookingId, reason, status, endTime, startTime, startDate);
    }
    int ShowModal() override { return list_.ShowModal(); }
    bool Changed() const override { return list_.Changed; }

private:
    TGroupBookingForm list_;
};

}  // namespace

void ConnectBookingForm(TBookingForm& form, TBookingCommands& commands) {
    commands.Window = &form;
    booking::BookingCommandHooks& steps = commands.Hooks;
    steps.ShowGroupForm = [&form](const QString& caption, const QString& text) {
        return AskGroupQuestion(&form, caption, text);
    };
    steps.GroupBookingForm = [&form](int groupId, int bookingId, bool readOnly, QList<int>& ids, bool& changed) {
        return ChooseFromGroup(&form, gbmSelectDelete, 4, groupId, bookingId, nullptr, form.OriginalRecord.get(),
                               readOnly, ids, changed);
    };
    steps.SaveBeforeProceeding = [&form](bool onlyExisting) { return form.SaveBeforeProceeding(onlyExisting); };
    steps.GroupMembershipChanged = [&form] {
        form.Edited = false;
        form.UpdateCaption();
        form.UpdateCommandStates(form.ReadOnly);
    };
    steps.BookingPrinted = [&form] { ReloadOriginal(form); };
    steps.MapiSendMail = [](const booking::MapiMessage& message) {
        return booking::SendThroughMailProgram(Data->DvMapiConnection, message);
    };

    TBookingFormHooks& hooks = form.Hooks;
    hooks.ChooseGroupBookings = [&form](const TGroupBookingChoice& choice, QList<qint32>& ids, bool& changed) {
        return ChooseFromGroup(&form, choice.Action, choice.ListMode, choice.GroupBookingId, choice.BookingId,
                               choice.Edited, choice.Original, choice.ReadOnly, ids, changed);
    };
    hooks.ReviewGroupUpdate = [&form](const TGroupBookingReview& review) { return ReviewGroupUpdate(form, review); };
    hooks.HasMailClient = [] { return Data->DvMapiConnection.DefaultClientFound; };
    const auto command = [&hooks](const char* name, std::function<void(TBookingForm&)> handler) {
        hooks.Commands[QString::fromLatin1(name)] = std::move(handler);
    };
    command("DeleteItem", [&commands](TBookingForm& f) { DeleteItemClick(f, commands); });
    command("AttachItem", [&commands](TBookingForm& f) {
        SyncCommands(f, commands);
        commands.AttachItemClick();
    });
    command("DetachItem", [&commands](TBookingForm& f) {
        SyncCommands(f, commands);
        commands.DetachItemClick();
    });
    command("ShowGroupItem", [](TBookingForm& f) { ShowGroupItemClick(f); });
    command("RepeatItem", [](TBookingForm& f) { RepeatItemClick(f); });
    command("HistoryItem", [](TBookingForm& f) { HistoryItemClick(f); });
    command("ResourceDetailsItem", [](TBookingForm& f) { ShowResourceDetails(f.ResourceId, &f); });
    command("EmailOptionsItem", [&commands](TBookingForm&) { commands.EmailOptionsItemClick(); });
    command("ComposeItem", [&commands](TBookingForm& f) {
        SyncCommands(f, commands);
        commands.ComposeItemClick();
    });
}

void InstallBookingWindows(TMainWindowServices& services) {
    services.CreateBookingWindow = [](TData&) -> std::unique_ptr<TBookingWindow> {
        return std::make_unique<TBookingFormWindow>();
    };
    services.CreateGroupBookingWindow = [](TMainForm& mainForm) -> std::unique_ptr<TGroupBookingWindow> {
        return std::make_unique<TGroupBookingListWindow>(&mainForm);
    };
    services.DeleteBookings = [](TBookingWindow& window) {
        auto* real = dynamic_cast<TBookingFormWindow*>(&window);
        return real && real->DeleteBookings();
    };
    // The database's booking window, which then names the booking as the last modified one.
    services.LocateBooking = [](TMainForm& mainForm, int bookingId) {
        TBookingWindow* window = mainForm.BookingWindow();
        if (!window || !window->LocateBooking(bookingId)) return TBookingShown::NotFound;
        window->ShowModal();
        return window->IsModified() ? TBookingShown::Modified : TBookingShown::Shown;
    };
    services.FindBookings = [](TMainForm& mainForm, TDateTime date) {
        TFindFormHooks hooks;
        hooks.BookingForm = [](int bookingId) {
            OwnBookingWindow window;
            window.Form.LocateBooking(bookingId);
            window.Form.ShowModal();
        };
        TFindForm find(&mainForm, *Data, std::move(hooks));
        find.FromDatePicker->SetDate(date);
        find.ToDatePicker->SetDate(date);
        find.ShowModal();
    };
    services.FindDeletedBookings = [](TMainForm& mainForm) { TFindDeletedForm(&mainForm, *Data).ShowModal(); };
    services.FindHistory = [](TMainForm& mainForm) { TFindHistoryForm(&mainForm, *Data).ShowModal(); };
    services.SearchDate = [](TMainForm& mainForm, TDateTime& date) {
        TSearchDateForm search(&mainForm);
        if (search.ShowModal() != mrOk) return false;
        date = search.DatePicker->Date();
        return true;
    };
}
