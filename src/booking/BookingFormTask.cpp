// The booking window's task: the embedded task editor below the fields, its Add and Delete and its save.
#include "booking/BookingForm.h"
#include "booking/TaskEditFrame.h"
#include "data/bookings/TaskRecord.h"
#include "data/module/SQLDataModule.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Messages.h"
#include "platform/ui/Containers.h"

void TBookingForm::TakeTaskSnapshot() {
    TaskSnapshot = std::make_unique<TTaskRecord>();
    TaskSnapshot->DataSet = &TaskEditFrame->TasksQuery;
    TaskSnapshot->Load();
}

bool TBookingForm::LoadBookingTask() {
    TaskSnapshot.reset();
    if (!TaskEditFrame->OpenForBooking(BookingId)) {
        TaskEditFrame->Modified = false;
        ShowTaskPanel(false);
        return false;
    }
    TaskEditFrame->Modified = false;
    TakeTaskSnapshot();
    TaskEditFrame->EnableControls();
    ShowTaskPanel(true);
    return true;
}

void TBookingForm::ShowTaskPanel(bool show) {
    if (TaskPanel->isHidden() != show) return;
    const int change = show ? TaskPanel->Height() : -TaskPanel->Height();
    // Raising the least height first would already stretch the window.
    const int height = this->height() + change;
    if (show) setMinimumHeight(minimumHeight() + change);
    TaskPanel->SetVisible(show);
    resize(width(), height);
    if (!show) setMinimumHeight(minimumHeight() + change);
    // The window grows or shrinks around its middle while it stays on the screen.
    if (y() - change / 2 >= 0) move(x(), y() - change / 2);
}

void TBookingForm::AddTaskItemClick() {
    TaskState = TaskEditFrame->AddTask(BookingId);
    if (TaskState == TTaskEditFrame::TaskExisting) {
        TakeTaskSnapshot();
    }
    TaskEditFrame->EnableControls();
    ShowTaskPanel(true);
    UpdateCommandStates(ReadOnly);
    UpdateStatusBar();
}

void TBookingForm::DeleteTaskItemClick() {
    TADOQuery& tasks = TaskEditFrame->TasksQuery;
    if (tasks.State() == dsInsert) {
        tasks.Cancel();
        TaskState = TTaskEditFrame::TaskUnchanged;
    } else {
        if (!sqlData_.CanWriteTask(true, TaskEditFrame->TaskOwner())) {
            ShowMessage(QStringLiteral("You are not allowed to delete this task"));
            return;
        }
        if (MessageDlg(QStringLiteral("Are you sure you want to delete the task?"), mtConfirmation, {mbOK, mbCancel}) !=
            mrOk)
            return;
        TaskState = TTaskEditFrame::TaskDelete;
    }
    TaskEditFrame->DisableControls();
    ShowTaskPanel(false);
    TaskEditFrame->Modified = true;
    UpdateCommandStates(ReadOnly);
    UpdateCaption();
}

bool TBookingForm::SaveTaskChanges() {
    if (TaskState == TTaskEditFrame::TaskUnchanged) return true;
    const bool modified = TaskEditFrame->Modified || TaskState != TTaskEditFrame::TaskExisting;
    try {
        TaskEditFrame->SaveTaskChanges(TaskState, BookingId, TaskSnapshot.get());
    } catch (const EAbort&) {
        // A refusal was shown where it was decided; the task keeps its edits and the window stays open.
        return false;
    } catch (const std::exception& e) {
        // The booking is saved; the task keeps its edits so that the user can correct them and save again.
        const auto* own = dynamic_cast<const Exception*>(&e);
        MessageDlg(QStringLiteral("The task could not be saved.\r") +
                       (own ? own->Message() : QString::fromLocal8Bit(e.what())),
                   mtError, {mbOK});
        return false;
    }
    if (modified) Changed = true;
    // What was written is now the stored task: a new one is the booking's task, a deleted one is gone.
    if (TaskState == TTaskEditFrame::TaskDelete) {
        TaskState = TTaskEditFrame::TaskUnchanged;
        TaskSnapshot.reset();
    } else if (TaskEditFrame->TasksQuery.Active() && !TaskEditFrame->TasksQuery.IsEmpty()) {
        TaskState = TTaskEditFrame::TaskExisting;
        TakeTaskSnapshot();
    }
    UpdateCommandStates(ReadOnly);
    UpdateStatusBar();
    return true;
}
