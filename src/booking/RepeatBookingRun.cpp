// The repeat window's OK: the series staged slot by slot, listed, and then committed or rolled back whole.
#include "booking/GroupBooking.h"
#include "booking/RepeatBooking.h"

#include "booking/CommitRetry.h"
#include "data/bookings/BookingConflicts.h"
#include "data/bookings/BookingRecord.h"
#include "data/bookings/Bookings.h"
#include "data/bookings/Trans.h"
#include "data/bookings/WriteTransaction.h"
#include "data/module/DataModule.h"
#include "data/module/SQLDataModule.h"
#include "platform/db/Field.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Messages.h"
#include "platform/rtl/ScreenService.h"
#include "platform/ui/ListView.h"
#include "platform/ui/Lists.h"

#include <algorithm>
#include <vector>

namespace {

// One booking attempt of a run.
struct Slot {
    TBookingConflictResult result;
    int reason = 0;
    qint32 bookingId = -1;
    QString client;
    int operation = -1;
    QString resourceName;
    TDateTime date = 0;
    TDateTime startTime = 0;
    TDateTime endTime = 0;
};

using data::BookingStatus;
constexpr int kReasonNoRight = 11;

void Information(const char* text) { MessageDlg(QLatin1String(text), mtInformation, {mbOK}, 0); }

// The working rows a change set has staged and not withdrawn.
QStringList StagedIds(const TTrans& set) {
    QStringList ids;
    for (int i = 0; i < set.OpKinds.size(); ++i)
        if (!set.Undone[i] && set.OpKinds[i] != kOpDelete) ids << QString::number(set.WorkingIds[i]);
    return ids;
}

}  // namespace

void TRepeatBookingForm::DeleteStaged(const QString& table, const QString& idField, const QStringList& ids) {
    if (ids.isEmpty()) return;
    data_.ADOConnection.Execute(QStringLiteral("DELETE FROM [%1] WHERE Trans = True AND [%2] IN (%3)")
                                    .arg(table, idField, ids.join(QLatin1Char(','))));
}

void TRepeatBookingForm::OkButtonClick() {
    if (SameDay && ParseTimeList(StartTimes, EndTimes) == 0) return Information("No times were specified.");
    if (ResourceListBox->Items().Count() == 0) return Information("No resources were specified.");
    if (BuildPatternDates(Dates) == 0) return Information("No dates were specified.");

    auto results = std::make_unique<TGroupBookingForm>(this, data_, sqlData_);
    {
        booking::BusyPanel panel(*this, QStringLiteral("Creating repeat bookings..."));
        TResourceList resources;
        for (int i = 0; i < ResourceListBox->Items().Count(); ++i) {
            const int index = AllResources.IndexOfName(ResourceListBox->Items()[i]);
            if (index >= 0) resources.AddItem(*AllResources.GetItem(index));
        }
        // Staged in one write transaction, which ends before the list is shown so that others see the staged
        // rows meanwhile and are not kept waiting.
        std::unique_ptr<data::WriteTransaction> staging = data_.BeginBookingSave();
        data_.BookingsTrans.BeginTrans();
        data_.HistoryTrans.BeginTrans();
        try {
            CreateRepeatBookings(*results, Dates, Duration, StartTimes, SameDay ? &EndTimes : nullptr, resources);
            staging->Commit();
        } catch (...) {
            // Nothing of the run reached the file: the sets end without touching it, the tables read it again and
            // the booking goes back. The first error is the one to tell.
            staging.reset();
            data_.BookingsTrans.Discard();
            data_.HistoryTrans.Discard();
            booking::ReadChangeSetTablesAgain(data_);
            try {
                StoreBackPattern(false);
            } catch (...) {
            }
            throw;
        }
    }
    results->ReadOnly = false;
    results->Mode = gbmRepeatResults;
    const int answer = results->ShowModal();
    results.reset();

    if (answer == mrOk) {
        const QStringList stagedBookings = StagedIds(data_.BookingsTrans);
        const QStringList stagedHistory = StagedIds(data_.HistoryTrans);
        bool applied = false;
        try {
            applied = booking::CommitStagedSets(data_, [this] { AssignOriginalToGroup(); });
        } catch (...) {
            // The series is not written, and its staged rows, which others would meet as conflicts, go too.
            try {
                DiscardRun(stagedBookings, stagedHistory);
            } catch (...) {
            }
            throw;
        }
        data_.BookingsTable.Requery();
        data_.BookingsShadowTable.Requery();
        if (!applied && !data_.BookingsTrans.CommitError.isEmpty())
            MessageDlg(data_.BookingsTrans.CommitError, mtError, {mbOK}, 0);
        BookingsCreated = true;
        if (patternWasEditing_ && created_) pattern_->GroupBookingId = groupId_;
        StoreBackPattern(true);
        SetModalResult(mrOk);
        return;
    }
    DiscardRun(StagedIds(data_.BookingsTrans), StagedIds(data_.HistoryTrans));
}

void TRepeatBookingForm::DiscardRun(const QStringList& stagedBookings, const QStringList& stagedHistory) {
    {
        data::WriteTransaction discard(data_.ADOConnection);
        DeleteStaged(QStringLiteral("History"), QStringLiteral("HistoryId"), stagedHistory);
        DeleteStaged(QStringLiteral("Bookings"), QStringLiteral("BookingId"), stagedBookings);
        discard.Commit();
    }
    // Their working rows are gone: this only ends the sets.
    data_.BookingsTrans.RollbackTrans();
    data_.HistoryTrans.RollbackTrans();
    data_.BookingsTable.Requery();
    data_.BookingsShadowTable.Requery();
    StoreBackPattern(false);
}

void TRepeatBookingForm::StoreBackPattern(bool kept) {
    // Done after the change sets have ended, whose requeries would otherwise post or drop the stored row.
    if (!pattern_) return;
    if (patternWasInserting_ && kept && created_) {
        // The series' first booking took the new booking's place.
        data_.BookingsTable.Locate(QStringLiteral("BookingId"), OriginalBookingId);
    } else if (patternWasInserting_ || patternWasEditing_) {
        if (patternWasInserting_) OriginalBookingId = -1;
        data_.StoreBookingEntry(*pattern_);
    } else {
        data_.BookingsTable.Locate(QStringLiteral("BookingId"), pattern_->BookingId);
    }
}

void TRepeatBookingForm::AssignOriginalToGroup() {
    // Staged with the series: the original joins its group only when the series is kept, so a cancelled or
    // empty run leaves no group of one.
    if (!assignGroup_ || !created_ || OriginalBookingId <= 0) return;
    data_.ADOConnection.Execute(
        QStringLiteral("UPDATE Bookings SET GroupBookingId = %1 WHERE BookingId = %1 AND (GroupBookingId = 0 OR "
                       "GroupBookingId IS NULL)")
            .arg(OriginalBookingId));
}

void TRepeatBookingForm::CreateRepeatBookings(TGroupBookingForm& results, TDvDateTimeList& dates, double duration,
                                              TDvDateTimeList& startTimes, TDvDateTimeList* endTimes,
                                              TResourceList& resources) {
    TADOTable& table = data_.BookingsTable;
    results.BookingList->ClearItems();
    pattern_ = data_.NewBookingRecord(table);
    pattern_->Load();
    patternWasInserting_ = table.State() == dsInsert;
    patternWasEditing_ = table.State() == dsEdit;
    assignGroup_ = false;
    if (patternWasInserting_) {
        table.Cancel();
        OriginalBookingId = -1;
        groupId_ = -1;
    } else {
        // The booking window's unsaved edits are not written by the run; they are stored back at its end.
        if (patternWasEditing_) table.Cancel();
        OriginalBookingId = pattern_->BookingId;
        groupId_ = pattern_->GroupBookingId;
        if (groupId_ == 0) {
            groupId_ = pattern_->BookingId;
            assignGroup_ = true;
        }
    }
    rtl::HourGlass hourGlass;

    std::vector<Slot> slots;
    QList<qint32> refused;
    const int times = endTimes ? startTimes.Count() : 1;
    for (int d = 0; d < dates.Count(); ++d) {
        for (int t = 0; t < times; ++t) {
            for (int r = 0; r < resources.GetCount(); ++r) {
                const TResourceItem& resource = *resources.GetItem(r);
                Slot slot;
                slot.client = pattern_->Client;
                slot.resourceName = resource.ResourceName;
                slot.date = DateOf(dates.GetItem(d));
                slot.startTime = TimeOf(startTimes.GetItem(endTimes ? t : 0));
                slot.endTime = endTimes ? TimeOf(endTimes->GetItem(t)) : 0;
                if (!refused.contains(resource.ResourceId) &&
                    !sqlData_.CanWriteResourceBookings(resource.ResourceId, false, QString()))
                    refused.append(resource.ResourceId);
                if (refused.contains(resource.ResourceId)) {
                    slot.result.Status = data::StatusCode(BookingStatus::NoRight);
                    slot.reason = kReasonNoRight;
                    slot.bookingId = 0;
                    slots.push_back(slot);
                    continue;
                }
                slot.operation = data_.BookingsTrans.AddOperation(kOpInsert);
                const qint32 newId = data_.BookingsTrans.WorkingIds[slot.operation];
                if (OriginalBookingId == -1) OriginalBookingId = groupId_ = newId;
                pattern_->Save(false);
                const TDateTime start = slot.date + slot.startTime;
                table.FieldByName(QStringLiteral("ResourceId")).SetAsInteger(resource.ResourceId);
                table.FieldByName(QStringLiteral("GroupBookingId")).SetAsInteger(groupId_);
                table.FieldByName(QStringLiteral("Owner"))
                    .SetAsString(data_.CurrentUserId(table.FieldByName(QStringLiteral("Owner")).Size()));
                table.FieldByName(QStringLiteral("BookingStart")).SetAsDateTime(start);
                table.FieldByName(QStringLiteral("BookingEnd"))
                    .SetAsDateTime(endTimes ? slot.date + slot.endTime : start + duration);
                const int code = data_.ValidateBooking();
                if (code != kBookingValid) {
                    table.Cancel();
                    data_.BookingsTrans.UndoOperation(slot.operation);
                    slot.reason = code;
                    slot.result.Status = data::StatusCode(
                        code >= kBookingBeyondGlobalDaysAhead ? BookingStatus::BeyondLimit : BookingStatus::Error);
                } else if (data_.PostBooking() == kPostDone) {
                    slot.bookingId = newId;
                    slot.result.Status = kConflictNone;
                } else {
                    table.Cancel();
                    data_.BookingsTrans.UndoOperation(slot.operation);
                    slot.result.Status = data::StatusCode(BookingStatus::Error);
                }
                slots.push_back(slot);
            }
        }
    }

    table.Requery();
    data_.BookingsShadowTable.Requery();
    for (Slot& slot : slots) {
        if (slot.result.Status != kConflictNone) continue;
        if (!table.Locate(QStringLiteral("BookingId"), slot.bookingId)) {
            data_.BookingsTrans.UndoOperation(slot.operation);
            slot.result.Status = data::StatusCode(BookingStatus::Error);
            continue;
        }
        data_.CheckBookingConflicts(slot.result);
        if (slot.result.Status == kConflictNone) {
            const std::unique_ptr<TBookingRecord> row = data_.NewBookingRecord(table);
            row->Load();
            data_.AddHistory(slot.bookingId, -1, 1, data_.CurrentUserId(),
                             row->DescribeChanges(nullptr, data_.ResourceShadowTable));
            continue;
        }
        if (!patternWasInserting_ && data::OverlapsOnly(slot.result, pattern_->BookingId))
            slot.result.Status = data::StatusCode(BookingStatus::Original);
        data_.BookingsTrans.UndoOperation(slot.operation);
    }

    for (const Slot& slot : slots) {
        if (endTimes)
            results.AddResultRow(slot.resourceName, slot.client, slot.bookingId, slot.reason, slot.result.Status,
                                 slot.endTime, slot.startTime, slot.date);
        else
            results.AddResultRowSpan(slot.resourceName, slot.client, slot.bookingId, slot.reason, slot.result.Status,
                                     duration, slot.startTime, slot.date);
    }
    results.OriginalBookingId = OriginalBookingId;

    created_ = std::any_of(slots.begin(), slots.end(), [](const Slot& s) { return s.result.Status == kConflictNone; });
    // The new booking of a run that made nothing goes back to the booking window once the change sets end.
    if (groupId_ > 0 && created_) table.Locate(QStringLiteral("GroupBookingId"), groupId_);
}
