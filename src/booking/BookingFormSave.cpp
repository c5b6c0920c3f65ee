// The booking window's saving: validation, the group members an edit applies to, staging, checks and History.
#include "booking/BookingForm.h"

#include "booking/CommitRetry.h"
#include "controls/edit/DateTimePicker.h"
#include "data/bookings/BookingConflicts.h"
#include "data/bookings/BookingDateRange.h"
#include "data/bookings/Trans.h"
#include "data/bookings/WriteTransaction.h"
#include "data/module/DataModule.h"
#include "data/module/SQLDataModule.h"
#include "platform/db/Field.h"
#include "platform/rtl/DateTimeFormat.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Messages.h"
#include "platform/rtl/ScreenService.h"
#include "platform/ui/Containers.h"

#include <cmath>
#include <utility>
#include <vector>

namespace {

// Requeries the editing table and the shadow table the overlap check reads.
void RequeryBookings(TData& data) {
    data.BookingsTable.Requery();
    data.BookingsShadowTable.Requery();
}

}  // namespace

bool TBookingForm::InsertNewBooking(qint32 resourceId, qint32 groupBookingId, TDateTime startDate, TDateTime endDate,
                                    TDateTime startTime, TDateTime endTime, const QString& client, const QString& ep,
                                    const QString& phone, const QString& description, const QString& notes,
                                    const QString& reminder) {
    if (!sqlData_.CanWriteResourceBookings(resourceId, false, QString())) {
        BookingId = -1;
        return false;
    }
    TADOTable& bookings = data_.BookingsTable;
    try {
        data_.InsertBookingEntry();
        if (resourceId != -1) bookings.FieldByName(QStringLiteral("ResourceId")).SetAsInteger(resourceId);
        if (groupBookingId > 0) bookings.FieldByName(QStringLiteral("GroupBookingId")).SetAsInteger(groupBookingId);
        bookings.FieldByName(QStringLiteral("Owner")).SetAsString(data_.CurrentUserId());
        bookings.FieldByName(QStringLiteral("BookingStart")).SetAsDateTime(startDate + startTime);
        bookings.FieldByName(QStringLiteral("BookingEnd")).SetAsDateTime(endDate + endTime);
        const std::pair<const char*, const QString*> texts[] = {{"Client", &client}, {"Ep", &ep},
                                                                {"Phone", &phone},   {"Description", &description},
                                                                {"Notes", &notes},   {"Reminder", &reminder}};
        for (const auto& [field, text] : texts) bookings.FieldByName(QLatin1String(field)).SetAsString(*text);
        BookingId = static_cast<qint32>(bookings.FieldByName(QStringLiteral("BookingId")).AsInteger());
        return true;
    } catch (const std::exception& e) {
        if (bookings.State() == dsInsert) bookings.Cancel();
        const auto* own = dynamic_cast<const Exception*>(&e);
        MessageDlg(QStringLiteral("An error occurred creating a new booking.\r") +
                       (own ? own->Message() : QString::fromLocal8Bit(e.what())),
                   mtError, {mbOK});
        return false;
    }
}

void TBookingForm::OkButtonClick() { Close(); }

void TBookingForm::CloseItemClick() { Close(); }

void TBookingForm::CancelButtonClick() {
    OnCloseQuery = nullptr;
    TADOTable& bookings = data_.BookingsTable;
    if (bookings.State() == dsEdit || bookings.State() == dsInsert) bookings.Cancel();
    Close();
}

void TBookingForm::UpdateItemClick() {
    SetActiveControl(nullptr);
    if (SaveBookingAndTask()) SetCaption(CaptionBase + QStringLiteral(" (unmodified)"));
}

void TBookingForm::FormCloseQuery(bool& canClose) {
    AttachDateHandlers(false, false, false);
    SetActiveControl(nullptr);
    canClose = SaveBookingAndTask();
    if (!canClose) ApplyAllDayState();
}

int TBookingForm::SaveBeforeProceeding(bool onlyExisting) {
    SetActiveControl(nullptr);
    const bool needed = onlyExisting ? !NewBooking && Edited : NewBooking || Edited;
    if (!needed) return kProceedUnchanged;
    if (MessageDlg(QStringLiteral("Do you want to save the booking before proceeding?"), mtInformation,
                   {mbYes, mbCancel}) != mrYes)
        return kProceedCancelled;
    return SaveBookingAndTask() ? kProceedSaved : kProceedCancelled;
}

bool TBookingForm::SaveBookingAndTask() {
    if (!SaveBooking()) return false;
    return SaveTaskChanges();
}

void TBookingForm::SetEditedFlags() {
    TBookingRecord& e = *EditRecord;
    const TBookingRecord& o = *OriginalRecord;
    e.ResourceIdChanged = e.ResourceId != o.ResourceId;
    e.StartDateChanged = DateOf(e.StartDate) != DateOf(o.StartDate);
    e.EndDateChanged = DateOf(e.EndDate) != DateOf(o.EndDate);
    e.StartTimeChanged = !SameTime(TimeOf(e.StartTime), TimeOf(o.StartTime));
    e.EndTimeChanged = !SameTime(TimeOf(e.EndTime), TimeOf(o.EndTime));
    e.ClientChanged = e.Client != o.Client;
    e.EmailChanged = e.Email != o.Email;
    e.PhoneChanged = e.Phone != o.Phone;
    e.AddressChanged = e.Address != o.Address;
    e.DescriptionChanged = e.Description != o.Description;
    e.NotesChanged = e.Notes != o.Notes;
    e.ReminderChanged = e.Reminder != o.Reminder;
    e.Udf1Changed = e.Udf1 && (!o.Udf1 || o.Udf1->Value.isNull() || e.Udf1->Value != o.Udf1->Value);
    e.Udf2Changed = e.Udf2 && (!o.Udf2 || o.Udf2->Value.isNull() || e.Udf2->Value != o.Udf2->Value);
    e.GroupBookingIdChanged = e.EpChanged = e.OwnerChanged = false;
}

bool TBookingForm::SaveBooking() {
    TADOTable& bookings = data_.BookingsTable;
    // A user who may not change the booking saves nothing, so that the window can still be closed.
    if ((!NewBooking && !Edited) || ReadOnly) {
        if (bookings.State() == dsEdit || bookings.State() == dsInsert) bookings.Cancel();
        return true;
    }
    if (data_.CurrentUserId().isEmpty()) {
        MessageDlg(QStringLiteral("User identification is blank. The booking cannot be updated."), mtInformation,
                   {mbOK});
        return false;
    }
    if (const int code = data_.ValidateBooking(); code != kBookingValid) {
        ShowValidateMessage(code);
        return false;
    }
    data_.DisableTableControls();
    EditRecord->Load();
    SetEditedFlags();
    QList<qint32> ids;
    int groupCount = 0;
    if (CheckBookingEditable(kBookingActionUpdate, EditRecord.get(), OriginalRecord->BookingId, 3, ids, groupCount,
                             true, false) == kEditableCancelled) {
        data_.EnableTableControls();
        return false;
    }
    saving_ = true;
    const qint32 lastModified = LastModifiedBookingId;
    const bool changedBefore = Changed;
    bool saved = false;
    // A commit ran: the members of a group that could be applied were.
    bool applied = false;
    {
        rtl::HourGlass hourGlass;
        std::unique_ptr<TPanel> panel;
        if (ids.size() > 1) {
            panel = std::make_unique<TPanel>(this);
            panel->SetBounds((ClientWidth() - 300) / 2, (ClientHeight() - 100) / 2, 300, 100);
            panel->SetCaption(QStringLiteral("Updating group bookings..."));
            panel->Show();
            panel->raise();
            repaint();
        }
        QList<qint32> declined;
        for (;;) {
            QList<TBookingConflictResult> results;
            bool review = false;
            try {
                // The new booking's id, staging, checks, History and the commit reach the disk together, or
                // nothing does.
                auto save = data_.BeginBookingSave();
                data_.BookingsTrans.BeginTrans();
                data_.HistoryTrans.BeginTrans();
                const bool commit = SaveBookingSet(ids, results, *EditRecord);
                for (const qint32 id : declined) data_.BookingsTrans.Decline(id);
                if (commit) {
                    const bool all = data_.BookingsTrans.CommitTrans();
                    data_.HistoryTrans.CommitTrans();
                    save->Commit();
                    saved = all;
                    applied = true;
                } else if (groupCount != 0) {
                    // Others must see the staged rows while the user reviews them, and not wait for this file.
                    save->Commit();
                    review = true;
                } else {
                    // What was staged goes with the write transaction.
                    data_.BookingsTrans.Discard();
                    data_.HistoryTrans.Discard();
                }
            } catch (const ETransWriteError& e) {
                // Rolled back: the question waits with no lock held, and a retry starts from what is stored.
                AbandonSave();
                panel.reset();
                if (!booking::AskCommitRetry(e, data_.BookingsTrans.RetryDelay)) declined << e.BookingId;
                continue;
            } catch (const EAbort&) {
                AbandonSave();
                break;
            } catch (const std::exception& e) {
                // Nothing of the save reached the file.
                AbandonSave();
                panel.reset();
                ShowSaveFailure(QString::fromUtf8(e.what()));
                break;
            }
            ShowDeferredMessages();
            panel.reset();
            if (review) saved = ReviewGroupUpdate(ids, results, applied);
            else if (applied && !saved) MessageDlg(data_.BookingsTrans.CommitError, mtError, {mbOK});
            else if (!applied) ShowPostMessage(EditRecord->BookingId, results.value(0));
            break;
        }
    }
    data_.EnableTableControls();
    if (saved) {
        // Stored: a read that fails now must not report the booking unsaved.
        try {
            bookings.Locate(QStringLiteral("BookingId"), BookingId);
            OriginalRecord->Load();
            if (NewBooking) UpdateCaptionBase();
        } catch (const std::exception&) {
        }
        NewBooking = false;
        Edited = false;
        Changed = true;
    } else {
        // What was not committed is not reported as saved; a failed commit of a group may have applied others.
        LastModifiedBookingId = lastModified;
        LastAction = kBookingNothing;
        Changed = changedBefore || (applied && ids.size() > 1);
        if (!applied) ForgetUnsavedId();
        StoreEntry();
    }
    saving_ = false;
    UpdateCaption();
    UpdateStatusBar();
    return saved;
}

bool TBookingForm::ReviewGroupUpdate(const QList<qint32>& ids, const QList<TBookingConflictResult>& results,
                                     bool& applied) {
    MessageDlg(QStringLiteral("Some bookings were not updated.\r\rPlease review the update list."), mtInformation,
               {mbOK});
    TGroupBookingReview review;
    for (int i = 0; i < ids.size(); ++i) {
        review.Ids << ids[i];
        review.Results << results.value(i);
    }
    review.ReadOnly = ReadOnly;
    if (!Hooks.ReviewGroupUpdate || !Hooks.ReviewGroupUpdate(review)) {
        booking::RollbackStagedSets(data_);
        return false;
    }
    try {
        const bool saved = booking::CommitStagedSets(data_);
        applied = true;
        if (!saved) MessageDlg(data_.BookingsTrans.CommitError, mtError, {mbOK});
        return saved;
    } catch (const std::exception& e) {
        // Nothing was applied; the staged rows go too, so that they block nobody's period.
        booking::RollbackStagedSets(data_);
        booking::ReadChangeSetTablesAgain(data_);
        ShowSaveFailure(QString::fromUtf8(e.what()));
        return false;
    }
}

void TBookingForm::AbandonSave() {
    data_.BookingsTrans.Discard();
    data_.HistoryTrans.Discard();
    deferredMessages_.clear();
    booking::ReadChangeSetTablesAgain(data_);
    ForgetUnsavedId();
    StoreEntry();
}

void TBookingForm::ForgetUnsavedId() {
    // A new booking's id went back to the counter with the rollback and may be given to another booking.
    if (NewBooking) EditRecord->BookingId = BookingId = 0;
}

void TBookingForm::StoreEntry() {
    try {
        data_.StoreBookingEntry(*EditRecord);
    } catch (const std::exception&) {
        // The file cannot be read now; what was typed stays in EditRecord for the next save.
    }
}

void TBookingForm::ShowSaveFailure(const QString& cause) {
    MessageDlg(QStringLiteral("An unknown error occurred while checking for conflicts. Please try again.\r\r") + cause,
               mtError, {mbOK});
}

void TBookingForm::ShowDeferredMessages() {
    const QStringList messages = std::exchange(deferredMessages_, {});
    for (const QString& message : messages) ShowMessage(message);
}

bool TBookingForm::SaveBookingSet(const QList<qint32>& ids, QList<TBookingConflictResult>& results,
                                  TBookingRecord& edited) {
    TADOTable& table = data_.BookingsTable;
    TTrans& trans = data_.BookingsTrans;
    const std::unique_ptr<TBookingRecord> working = data_.NewBookingRecord(table);
    LastAction = kBookingNothing;
    const int count = int(ids.size());
    results = QList<TBookingConflictResult>(count);
    std::vector<int> operations(size_t(count), -1);
    std::vector<qint32> workingIds(size_t(count), -1);
    std::vector<std::unique_ptr<TBookingRecord>> previous;
    previous.resize(size_t(count));
    const int historyCode = table.State() == dsInsert ? kBookingCreated : kBookingModified;
    const QString user = data_.CurrentUserId();
    bool result = true;
    bool accepted = false;
    int ownIndex = -1;
    // A failure raises: the caller's write transaction takes every staged row and History row with it.
    if (table.State() != dsInsert) {
        table.Cancel();
    } else {
        ownIndex = int(ids.indexOf(static_cast<qint32>(table.FieldByName(QStringLiteral("BookingId")).AsInteger())));
        working->Load();
        table.Cancel();
        const int op = trans.AddOperation(kOpInsert);
        // The id drawn now, inside the save's write transaction, goes back to the counter if the save fails.
        working->BookingId = edited.BookingId = BookingId = trans.WorkingIds[op];
        if (ownIndex >= 0) operations[size_t(ownIndex)] = op, workingIds[size_t(ownIndex)] = working->BookingId;
        working->Save(true);
        table.Post();
        TBookingConflictResult& own = results[ownIndex >= 0 ? ownIndex : 0];
        if (table.Locate(QStringLiteral("BookingId"), working->BookingId)) data_.CheckBookingConflicts(own);
        else own.Status = kConflictOwnRowMissing;
        if (own.Status == kConflictNone) {
            data_.AddHistory(working->BookingId, -1, kBookingCreated, user,
                             edited.DescribeChanges(nullptr, data_.ResourceShadowTable));
            accepted = true;
        } else {
            trans.UndoOperation(op);
            RequeryBookings(data_);
            result = false;
        }
    }
    for (int i = 0; i < count; ++i) {
        if (i == ownIndex) continue;
        if (!table.Locate(QStringLiteral("BookingId"), ids[i])) continue;
        const int op = trans.AddOperation(kOpModify);
        operations[size_t(i)] = op;
        workingIds[size_t(i)] = trans.WorkingIds[op];
        previous[size_t(i)] = data_.NewBookingRecord(table);
        previous[size_t(i)]->Load();
        edited.SaveChanged();
        results[i].Status = quint8(data_.PostBooking());
        if (results[i].Status != kPostDone) {
            // A working row that was never stored is withdrawn without deleting anything: left staged, the
            // commit would apply it over the booking it stands for.
            table.Cancel();
            trans.WithdrawUnstored(op);
        }
    }
    RequeryBookings(data_);
    for (int i = 0; i < count; ++i) {
        if (i == ownIndex) continue;
        TBookingConflictResult& r = results[i];
        if (r.Status != kPostDone) {
            result = false;
            continue;
        }
        if (!table.Locate(QStringLiteral("BookingId"), workingIds[size_t(i)])) {
            // Shown once the write transaction has ended, so that nobody waits for this file meanwhile.
            deferredMessages_ << QStringLiteral("Failed to locate transaction record");
            trans.UndoOperation(operations[size_t(i)]);
            RequeryBookings(data_);
            r.Status = kConflictOwnRowMissing;
            result = false;
            continue;
        }
        data_.CheckBookingConflicts(r);
        bool keep = r.Status == kConflictNone;
        if (data::OverlapsOnly(r, ids[i])) {
            // The working copy overlaps only the row it replaces.
            keep = true;
            r.Status = data::StatusCode(ids[i] == BookingId ? data::BookingStatus::Original : data::BookingStatus::Ok);
        }
        if (keep) {
            data_.AddHistory(ids[i], -1, historyCode, user,
                             edited.DescribeChanges(previous[size_t(i)].get(), data_.ResourceShadowTable));
            accepted = true;
        } else {
            trans.UndoOperation(operations[size_t(i)]);
            RequeryBookings(data_);
            result = false;
        }
    }
    // A new booking that was refused is not reported as created.
    if (accepted) {
        LastModifiedBookingId = BookingId;
        LastAction = historyCode;
        Changed = true;
    }
    return result;
}

void TBookingForm::ShowValidateMessage(int code) {
    const QString beyond = QStringLiteral("\r\rThis booking ends beyond that date.");
    const TADOTable& global = data_.GlobalTable;
    const auto resourceValue = [this](const char* field) {
        return data_.ResourceShadowTable.Lookup(QStringLiteral("ResourceId"),
                                                data_.BookingsTable.FieldByName(QStringLiteral("ResourceId")).Value(),
                                                QLatin1String(field));
    };
    QString text;
    switch (code) {
        case kBookingClientEmpty: text = QStringLiteral("You must enter a name for the \"Client\" field"); break;
        case kBookingEndDateBeforeStart: text = QStringLiteral("The start date exceeds the end date."); break;
        case kBookingEndTimeNotAfterStart:
            text = QStringLiteral("The start time equals or exceeds the end time.");
            break;
        case kBookingTooManyDays:
            text = QStringLiteral("This booking exceeds the maximum number of days the resource can be booked");
            break;
        case kBookingResourceNotFound: text = QStringLiteral("The resource is blank or could not be found"); break;
        case kBookingOutsideDateRange:
            text = QStringLiteral("Bookings can only be made from Dec 30 1899 to Dec 31 9999.");
            break;
        case kBookingBeyondGlobalDaysAhead:
            text = QStringLiteral("The database owner has limited bookings up to a maximum of ") +
                   global.FieldByName(QStringLiteral("BookingRestrictDaysAhead")).AsString() +
                   QStringLiteral(" days from today.") + beyond;
            break;
        case kBookingBeyondGlobalUntilDate:
            text = QStringLiteral("The database owner has limited bookings up to and including ") +
                   FormatDateTime(QStringLiteral("mmm dd yyyy"),
                                  global.FieldByName(QStringLiteral("BookingRestrictUntilDate")).AsDateTime()) +
                   QStringLiteral(".") + beyond;
            break;
        case kBookingBeyondResourceDaysAhead:
            text = QStringLiteral("The resource can only be booked ") +
                   resourceValue("BookingRestrictDaysAhead").toString() + QStringLiteral(" days in advance.") + beyond;
            break;
        case kBookingBeyondResourceUntilDate:
            text = QStringLiteral("The resource can only be booked up to and including ") +
                   FormatDateTime(QStringLiteral("mmm dd yyyy"), resourceValue("BookingRestrictUntilDate").toDouble()) +
                   QStringLiteral(".") + beyond;
            break;
        default: return;
    }
    MessageDlg(text, mtInformation, {mbOK});
}

void TBookingForm::ShowPostMessage(qint32 bookingId, const TBookingConflictResult& result) {
    if (result.Status != kConflictFound) {
        MessageDlg(QStringLiteral("An unknown error occurred while checking for conflicts. Please try again."), mtError,
                   {mbOK});
        return;
    }
    for (int i = 1; i <= result.Ids[0] && i < int(result.Ids.size()); ++i)
        if (result.Ids[size_t(i)] != bookingId) {
            MessageDlg(QStringLiteral("This booking conflicts with booking %1").arg(result.Ids[size_t(i)]), mtWarning,
                       {mbOK});
            return;
        }
    MessageDlg(QStringLiteral("An error occurred while checking for booking conflicts."), mtWarning, {mbOK});
}
