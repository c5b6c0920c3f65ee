// The stand-alone task window: open, edit, and on OK post and describe the change in History.
#include "booking/TaskEditForm.h"

#include "booking/TaskEditFrame.h"
#include "data/bookings/TaskRecord.h"
#include "data/module/DataModule.h"
#include "platform/db/Field.h"
#include "platform/rtl/Messages.h"
#include "platform/ui/Bars.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/FormDescription.h"

TTaskEditForm::TTaskEditForm(QWidget* owner, TData& data) : TForm(owner), data_(data) {
    ui::DescribeForm(
        *this, {"TaskEditForm", "Edit Task", bsSizeable, poScreenCenter, 480, 300},
        {
            // name         class        parent left top width height caption  properties
            {"OkButton", "TButton", "", 300, 244, 80, 25, "Ok", "Default=True"},
            {"CancelButton", "TButton", "", 392, 244, 80, 25, "Cancel", "Cancel=True; ModalResult=mrCancel"},
            {"StatusBar", "TStatusBar", "", 0, 281, 480, 19},
        });
    OkButton = Find<TButton>("OkButton");
    CancelButton = Find<TButton>("CancelButton");
    StatusBar = Find<TStatusBar>("StatusBar");
    StatusBar->SetSimplePanel(true);
    TaskEditFrame = new TTaskEditFrame(this, data_);
    TaskEditFrame->EmbedIn(ClientArea(), 0, 0);
    OkButton->OnClick = [this](QObject*) {
        TaskEditFrame->DisableControls();
        TDataSet& query = TaskEditFrame->TasksQuery;
        if (query.State() == dsEdit || query.State() == dsInsert) query.Post();
        SetModalResult(mrOk);
    };
    CancelButton->OnClick = [this](QObject*) {
        TaskEditFrame->DisableControls();
        TDataSet& query = TaskEditFrame->TasksQuery;
        if (query.State() == dsEdit || query.State() == dsInsert) query.Cancel();
        SetModalResult(mrCancel);
    };
    Loaded();
}

TTaskEditForm::~TTaskEditForm() = default;

bool TTaskEditForm::Execute(int taskId) {
    TaskId = taskId;
    loaded_.reset();
    TTaskEditFrame& frame = *TaskEditFrame;
    if (taskId == -1) {
        frame.NewTask();
        frame.TasksQuery.FieldByName(QStringLiteral("Owner")).SetAsString(data_.CurrentUserId());
        frame.EnableControls();
    } else {
        if (!frame.OpenTask(taskId)) {
            MessageDlg(QStringLiteral("TaskId %1 not found").arg(taskId), mtError, {mbOK});
            return false;
        }
        frame.EnableControls();
        loaded_ = std::make_unique<TTaskRecord>();
        loaded_->DataSet = &frame.TasksQuery;
        loaded_->Load();
    }
    ShowHistoryInfo();
    const int result = ShowModal();
    frame.DisableControls();
    // Closed some other way than its buttons: nothing half-edited stays behind.
    TDataSet& query = frame.TasksQuery;
    if (result != mrOk) {
        if (query.State() == dsEdit || query.State() == dsInsert) query.Cancel();
        frame.TasksQuery.Close();
        return false;
    }
    if (frame.Modified) WriteHistory();
    if (query.Active() && !query.IsEmpty()) TaskId = query.FieldByName(QStringLiteral("TaskId")).AsInteger();
    frame.TasksQuery.Close();
    return true;
}

void TTaskEditForm::ShowHistoryInfo() {
    QString owner, created, modified;
    TaskEditFrame->GetHistoryInfo(owner, created, modified);
    const int id = TaskEditFrame->TaskId();
    StatusBar->SetSimpleText(QStringLiteral("Owner: ") + owner + QStringLiteral("   Created: ") + created +
                             QStringLiteral("   Modified: ") + modified + QStringLiteral("   TaskId: ") +
                             (id == 0 || id == -1 ? QStringLiteral("n/a") : QString::number(id)));
}

void TTaskEditForm::WriteHistory() {
    TTaskRecord posted;
    posted.DataSet = &TaskEditFrame->TasksQuery;
    posted.Load();
    const QString description = posted.DescribeChanges(loaded_.get());
    if (!description.isEmpty())
        data_.AddTaskHistory(posted.TaskId, loaded_ ? data::HistoryCode::TaskModified : data::HistoryCode::TaskCreated,
                             data_.CurrentUserId(), description);
}
