// The commit of staged change sets: one write transaction, and a question about a failed write only after it ended.
#include "booking/CommitRetry.h"

#include "data/bookings/Trans.h"
#include "data/bookings/WriteTransaction.h"
#include "data/module/DataModule.h"
#include "platform/db/ADODataSet.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/Messages.h"
#include "platform/rtl/ScreenService.h"

namespace booking {

bool AskCommitRetry(const ETransWriteError& error, unsigned delay) {
    if (MessageDlg(error.RetryQuestion(), mtInformation, {mbOK, mbNo}) != mrOk) return false;
    rtl::HourGlass hourGlass;
    rtl::CurrentScreenService().RepaintMainForm();
    Sleep(delay);
    return true;
}

bool CommitStagedSets(TData& data, const std::function<void()>& also) {
    for (;;) {
        // A commit that fails half-way has emptied a set whose rows the rollback keeps staged.
        const TTrans bookings = data.BookingsTrans;
        const TTrans history = data.HistoryTrans;
        try {
            data::WriteTransaction transaction(data.ADOConnection);
            const bool applied = data.BookingsTrans.CommitTrans();
            data.HistoryTrans.CommitTrans();
            if (also) also();
            transaction.Commit();
            return applied;
        } catch (const ETransWriteError& e) {
            data.BookingsTrans = bookings;
            data.HistoryTrans = history;
            ReadChangeSetTablesAgain(data);
            if (!AskCommitRetry(e, data.BookingsTrans.RetryDelay)) data.BookingsTrans.Decline(e.BookingId);
        } catch (...) {
            data.BookingsTrans = bookings;
            data.HistoryTrans = history;
            ReadChangeSetTablesAgain(data);
            throw;
        }
    }
}

void ReadChangeSetTablesAgain(TData& data) {
    for (TADOTable* table : {&data.BookingsTable, &data.BookingsShadowTable, &data.HistoryTable}) {
        if (!table->Active()) continue;
        try {
            if (table->State() == dsEdit || table->State() == dsInsert) table->Cancel();
            table->Requery();
        } catch (const std::exception&) {
            // Unreadable now: the next Locate reads the row from the file anyway.
        }
    }
}

void RollbackStagedSets(TData& data) {
    try {
        data::WriteTransaction transaction(data.ADOConnection);
        data.BookingsTrans.RollbackTrans();
        data.HistoryTrans.RollbackTrans();
        transaction.Commit();
    } catch (const std::exception&) {
        data.BookingsTrans.Discard();
        data.HistoryTrans.Discard();
        ReadChangeSetTablesAgain(data);
    }
}

}  // namespace booking
