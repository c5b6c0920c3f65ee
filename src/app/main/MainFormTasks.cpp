// The main window's reminders and tasks tabs: their queries, grids, sort order, drawing and task commands.
#include "app/main/MainFormTasks.h"

#include "app/main/MainForm.h"
#include "booking/TaskEditForm.h"
#include "booking/TaskEditFrame.h"
#include "controls/edit/MonthCalendar.h"
#include "controls/edit/WwDBComboBox.h"
#include "controls/grid/Wwdbgrid.h"
#include "data/bookings/TaskEditRules.h"
#include "data/bookings/TaskRecord.h"
#include "data/bookings/TaskVocabulary.h"
#include "data/module/DataModule.h"
#include "data/module/SQLDataModule.h"
#include "platform/db/Field.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Messages.h"
#include "platform/ui/Canvas.h"
#include "platform/ui/Containers.h"
#include "platform/ui/Menus.h"

#include <QPolygon>
#include <algorithm>
#include <cmath>

namespace {

constexpr int kCompleted = 2;

const QString kNoTaskToView = QStringLiteral("There is no task selected to view.");
const QString kNoTaskToDelete = QStringLiteral("There is no task selected to delete.");

// The task query's columns, for telling whether a saved sort field is one of them.
const char* const kTaskFields[] = {"TaskId",    "BookingId", "Status",        "PercentCompleted",
                                   "StartDate", "DueDate",   "CompletedDate", "Priority",
                                   "Subject",   "Assignee",  "Owner",         "Description"};

bool IsTaskField(const QString& name) {
    return std::any_of(std::begin(kTaskFields), std::end(kTaskFields),
                       [&](const char* field) { return name.compare(QLatin1String(field), Qt::CaseInsensitive) == 0; });
}

TDateTime Today() { return std::floor(rtl::CurrentClock().Now()); }

bool Editing(const TDataSet& dataSet) { return dataSet.State() == dsEdit || dataSet.State() == dsInsert; }

// w := (client width - (every other column's width + one grid line, plus one line) - two lines) div 2, at least
// the given column's width; the two shared columns get it.
void ShareFreeWidth(TwwDBGrid& grid, int first, int second, int minimumColumn) {
    const int line = grid.GridLineWidth();
    int others = line;
    for (int col = 0; col < grid.ColCount(); ++col)
        if (col != first && col != second) others += grid.GetColWidths(col) + line;
    int w = (grid.ClientWidth() - others - 2 * line) / 2;
    if (minimumColumn < grid.ColCount()) w = std::max(w, grid.GetColWidths(minimumColumn));
    if (first < grid.ColCount()) grid.SetColWidths(first, w);
    if (second < grid.ColCount()) grid.SetColWidths(second, w);
}

}  // namespace

TMainTaskLists::TMainTaskLists(TMainForm& form, TData& data, const TMainWindowServices& services)
    : form_(form), data_(data), services_(services) {
    ReminderDBGrid = new TwwDBGrid(form_.RemindersTabSheet);
    ReminderDBGrid->SetName(QStringLiteral("ReminderDBGrid"));
    ReminderDBGrid->SetAlign(alClient);
    ReminderDBGrid->SetUseTFields(false);
    ReminderDBGrid->Selected().SetStrings({"BookingId\t10\tBooking Id\tT", "BookingStart\t12\tStart\tT",
                                           "Client\t20\tClient\tT", "Description\t30\tDescription\tT",
                                           "Reminder\t30\tReminder\tT"});
    ReminderDBGrid->ReadOnly = true;
    ReminderDBGrid->SetOptions({dgTitles, dgIndicator, dgColumnResize, dgColLines, dgRowLines, dgRowSelect,
                                dgAlwaysShowSelection, dgWordWrap});
    ReminderDBGrid->SetMemoAttributes({mSizeable, mWordWrap, mGridShow, mDisableDialog});
    ReminderDBGrid->Hide();
    ReminderDBGrid->OnDblClick = [this](QObject*) { ReminderDBGridDblClick(); };
    RemindersDataSource.SetDataSet(&form_.RemindersQuery);
    ReminderDBGrid->SetDataSource(&RemindersDataSource);
    form_.RemindersQuery.AfterOpen = [](TDataSet& reminders) {
        reminders.FieldByName(QStringLiteral("BookingStart")).SetDisplayFormat(QStringLiteral("mmm d yyyy"));
    };

    PriorityComboBox = new TwwDBComboBox(form_.TasksTabSheet);
    PriorityComboBox->SetName(QStringLiteral("PriorityComboBox"));
    PriorityComboBox->SetStyle(csDropDownList);
    PriorityComboBox->Hide();
    FillTaskPriorityCombo(*PriorityComboBox);
    PriorityComboBox->SetDataSource(&TasksDataSource);
    PriorityComboBox->SetDataField(QStringLiteral("Priority"));

    TasksGrid = new TwwDBGrid(form_.TasksTabSheet);
    TasksGrid->SetName(QStringLiteral("TasksGrid"));
    TasksGrid->SetAlign(alClient);
    TasksGrid->SetUseTFields(false);
    TasksGrid->Selected().SetStrings({"PercentCompleted\t4\tDone\tF", "StartDate\t14\tStart\tF", "DueDate\t14\tDue\tF",
                                      "Priority\t10\tPriority\tF", "Subject\t20\tSubject\tF",
                                      "Assignee\t15\tAssignee\tF", "Owner\t20\tOwner\tT",
                                      "Description\t20\tDescription\tF"});
    TasksGrid->ControlType().SetStrings({"PercentCompleted;CheckBox;100;0", "Priority;CustomEdit;PriorityComboBox;F"});
    TasksGrid->SetOptions({dgEditing, dgTitles, dgIndicator, dgColumnResize, dgColLines, dgRowLines, dgTabs,
                           dgConfirmDelete, dgCancelOnExit, dgWordWrap});
    TasksGrid->SetMemoAttributes({mSizeable, mWordWrap, mGridShow});
    TasksGrid->TitleButtons = true;
    // The grid's own delete would skip the task's History row: Ctrl+Del runs "Delete Task..." instead.
    TasksGrid->KeyOptions = {dgAllowInsert};
    TasksGrid->OnKeyDown = [this](QObject*, Word& key, TShiftState shift) {
        if (key == VK_DELETE && shift.Contains(ssCtrl)) {
            key = 0;
            DeleteTaskItemClick();
        }
    };
    TasksDataSource.SetDataSet(&TasksQuery);
    TasksGrid->SetDataSource(&TasksDataSource);
    TasksGrid->OnTitleButtonClick = [this](QObject*, const QString& field) { TasksGridTitleButtonClick(field); };
    TasksGrid->OnCalcCellColors = [this](QObject*, TField*, TGridDrawState, bool highlight, TFont& font, TBrush&) {
        font.SetColor(TaskFontColor(highlight));
    };
    TasksGrid->OnAfterDrawCell = [this](TwwCustomDBGrid*, TwwCustomDrawGridCellInfo& cell) {
        TasksGridAfterDrawCell(cell);
    };
    TasksGrid->OnDrawTitleCell = [this](QObject*, TCanvas& canvas, TField* field, const TRect& rect, bool&) {
        TasksGridDrawTitleCell(canvas, field, rect);
    };
    TasksGrid->OnFieldChanged = [this](QObject*, TField* field) { TasksGridFieldChanged(field); };
    TasksGrid->OnExit = [this](QObject*) { PostPendingTask(); };
    TasksGrid->OnMouseDown = [this](QObject*, TMouseButton, TShiftState, int x, int y) {
        TaskTitleRowPressed = TasksGrid->MouseCoord(x, y).Y < TasksGrid->TitleRowCount();
    };
    TasksGrid->OnDblClick = [this](QObject*) {
        if (!TaskTitleRowPressed) ViewTask();
    };

    TasksQuery.SetConnection(&data_.ADOConnection);
    TasksQuery.BeforeInsert = [this](TDataSet& tasks) {
        Lookup().TaskBeforeInsert(tasks);
        TaskRecordBeforeEdit.reset();
    };
    TasksQuery.BeforeEdit = [this](TDataSet& tasks) {
        Lookup().TaskBeforeEdit(tasks);
        if (!TaskRecordBeforeEdit) {
            TaskRecordBeforeEdit = std::make_unique<TTaskRecord>();
            TaskRecordBeforeEdit->DataSet = &TasksQuery;
            TaskRecordBeforeEdit->Load();
        }
    };
    TasksQuery.BeforePost = [this](TDataSet& tasks) { Lookup().TaskBeforePost(tasks); };
    TasksQuery.BeforeDelete = [this](TDataSet& tasks) { Lookup().TaskBeforeDelete(tasks); };
    TasksQuery.AfterPost = [this](TDataSet&) { TaskAfterPost(); };
    TasksQuery.AfterOpen = [](TDataSet& tasks) {
        for (const char* name : {"StartDate", "DueDate", "CompletedDate"})
            tasks.FieldByName(QString::fromLatin1(name)).SetDisplayFormat(QStringLiteral("mmm d yyyy"));
        // The list shows the priority's name, as the priority combo box does while the cell is edited.
        tasks.FieldByName(QStringLiteral("Priority")).OnGetText = [](TField& field, QString& text, bool displayText) {
            text = displayText ? TaskPriorityName(field.AsInteger()) : field.AsString();
        };
    };
}

TMainTaskLists::~TMainTaskLists() {
    // The grids outlive this object as children of their tabs.
    TasksGrid->SetDataSource(nullptr);
    ReminderDBGrid->SetDataSource(nullptr);
    PriorityComboBox->SetDataSource(nullptr);
    TasksQuery.Close();
}

TSQLData& TMainTaskLists::Lookup() {
    if (SQLData) return *SQLData;
    if (!ownLookup_) ownLookup_ = std::make_unique<TSQLData>(data_);
    return *ownLookup_;
}

bool TMainTaskLists::OnTasksTab() const { return form_.DataPageControl->ActivePage() == form_.TasksTabSheet; }

void TMainTaskLists::LoadReminders() {
    TADOQuery& reminders = form_.RemindersQuery;
    if (reminders.Active()) reminders.Close();
    const TDateTime date = DateOf(form_.Calendar->Date());
    reminders.Parameters.ParamByName(QStringLiteral("TheDate")).SetValue(date);
    reminders.Parameters.ParamByName(QStringLiteral("TheNextDate")).SetValue(date + 1);
    reminders.Open();
    reminders.First();
    // Without a row the panel under the grid says that there are none.
    ReminderDBGrid->SetVisible(!reminders.Eof());
    if (!reminders.Eof()) SizeReminderColumns();
}

void TMainTaskLists::SizeReminderColumns() {
    if (!form_.RemindersQuery.Active()) return;
    ShareFreeWidth(*ReminderDBGrid, 4, 5, 3);
}

void TMainTaskLists::SizeTaskColumns() {
    if (!TasksQuery.Active()) return;
    ShareFreeWidth(*TasksGrid, 5, 8, 6);
}

void TMainTaskLists::BuildTaskQuery(const QString& sortField, bool ascending) {
    const QString descending = ascending ? QString() : QStringLiteral(" DESC");
    QStringList sql{QStringLiteral("select TaskId, BookingId, Status, PercentCompleted,"),
                    QStringLiteral("StartDate, DueDate, CompletedDate, Priority,"),
                    QStringLiteral("Subject, Assignee, Owner, Description"),
                    QStringLiteral("from Tasks"),
                    QStringLiteral("where (Tasks.Status <> %1)").arg(kCompleted),
                    QStringLiteral("   or (Tasks.CompletedDate = Date())"),
                    QStringLiteral("   or (Tasks.CompletedDate is Null)")};
    if (IsTaskField(sortField))
        sql << QStringLiteral("order by ") + sortField + descending + QStringLiteral(", DueDate, StartDate");
    else sql << QStringLiteral("order by DueDate") + descending + QStringLiteral(", StartDate");
    TasksQuery.SQL.SetText(sql.join(u'\n'));
}

void TMainTaskLists::LoadTasks() {
    if (TasksQuery.Active()) {
        TasksQuery.Requery();
        return;
    }
    BuildTaskQuery(form_.Preferences.TaskSortField, form_.Preferences.TaskSortAscending);
    TasksQuery.Open();
    SizeTaskColumns();
    TasksQuery.FieldByName(QStringLiteral("DueDate")).SetAlignment(taLeftJustify);
}

void TMainTaskLists::TasksGridTitleButtonClick(const QString& fieldName) {
    PostPendingTask();
    TasksGrid->RebuildLayout();
    TUserPreferences& p = form_.Preferences;
    if (fieldName.compare(p.TaskSortField, Qt::CaseInsensitive) == 0) p.TaskSortAscending = !p.TaskSortAscending;
    else p.TaskSortField = fieldName;
    TasksQuery.Close();
    BuildTaskQuery(p.TaskSortField, p.TaskSortAscending);
    TasksQuery.Open();
    TasksQuery.FieldByName(QStringLiteral("DueDate")).SetAlignment(taLeftJustify);
}

bool TMainTaskLists::Completed() {
    return TasksQuery.Active() && !TasksQuery.IsEmpty() &&
           TasksQuery.FieldByName(QStringLiteral("PercentCompleted")).AsInteger() == 100;
}

TColor TMainTaskLists::TaskFontColor(bool highlighted) {
    if (Completed()) return highlighted ? clHighlightText : clGrayText;
    const TField& due = TasksQuery.FieldByName(QStringLiteral("DueDate"));
    if (!due.IsNull() && Today() > std::floor(due.AsDateTime())) return clRed;
    return highlighted ? clHighlightText : clWindowText;
}

void TMainTaskLists::TasksGridAfterDrawCell(TwwCustomDrawGridCellInfo& cell) {
    if (cell.DataRow < 0 || !cell.Field || !Completed()) return;
    if (cell.Field->FieldName().compare(QLatin1String("PercentCompleted"), Qt::CaseInsensitive) == 0) return;
    TCanvas& canvas = TasksGrid->Canvas();
    const bool priority = cell.Field->FieldName().compare(QLatin1String("Priority"), Qt::CaseInsensitive) == 0;
    const int width =
        canvas.TextWidth(priority ? TaskPriorityName(cell.Field->AsInteger()) : cell.Field->DisplayText());
    if (width <= 0) return;
    const TRect& r = cell.Rect;
    const int x = cell.Field->Alignment() == taCenter ? r.Left + (r.Right - r.Left) / 2 - width / 2 : r.Left + 2;
    const int y = (r.Top + r.Bottom) / 2;
    const TColor penColor = canvas.Pen().Color;
    canvas.Pen().Color = clGrayText;
    canvas.MoveTo(x, y);
    canvas.LineTo(x + width + 2, y);
    canvas.Pen().Color = penColor;
}

void TMainTaskLists::TasksGridDrawTitleCell(TCanvas& canvas, TField* field, const TRect& rect) {
    if (!field || field->FieldName().compare(form_.Preferences.TaskSortField, Qt::CaseInsensitive) != 0) return;
    const int b = canvas.TextWidth(QStringLiteral(" "));
    const int left = rect.Right - 5 * b;
    const int right = rect.Right - 3 * b;
    const int apex = rect.Right - 4 * b;
    const int top = rect.Top + 2 * b;
    const int bottom = rect.Top + 5 * b;
    // Lit from the top left: the edges facing it in the highlight colour, the others in the shadow. Up: from
    // the bottom left along the base, up to the apex and back; down: from the top right along the top, down to
    // the apex and back.
    struct Edge {
        int x, y;
        TColor color;
    };
    const bool up = form_.Preferences.TaskSortAscending;
    const Edge start = up ? Edge{left, bottom, clNone} : Edge{right, top, clNone};
    const Edge edges[] = {up ? Edge{right, bottom, clBtnHighlight} : Edge{left, top, cl3DDkShadow},
                          up ? Edge{apex, top, clBtnHighlight} : Edge{apex, bottom, cl3DDkShadow},
                          up ? Edge{left, bottom, cl3DDkShadow} : Edge{right, top, clBtnHighlight}};
    const TColor penColor = canvas.Pen().Color;
    canvas.MoveTo(start.x, start.y);
    for (const Edge& edge : edges) {
        canvas.Pen().Color = edge.color;
        canvas.LineTo(edge.x, edge.y);
    }
    canvas.Pen().Color = penColor;
}

void TMainTaskLists::TasksGridFieldChanged(TField* field) {
    if (!fieldChangedAttached_ || !field) return;
    if (field->FieldName().compare(QLatin1String("PercentCompleted"), Qt::CaseInsensitive) != 0) return;
    TField* selected = TasksGrid->GetSelectedField();
    if (!selected || selected != field) return;
    fieldChangedAttached_ = false;
    try {
        ApplyTaskPercentCompleted(TasksQuery, field->AsInteger());
    } catch (...) {
        fieldChangedAttached_ = true;
        throw;
    }
    fieldChangedAttached_ = true;
    TasksGrid->InvalidateCurrentRow();
}

void TMainTaskLists::TaskAfterPost() {
    TTaskRecord posted;
    posted.DataSet = &TasksQuery;
    posted.Load();
    const QString description = posted.DescribeChanges(TaskRecordBeforeEdit.get());
    if (!description.isEmpty())
        data_.AddTaskHistory(posted.TaskId,
                             TaskRecordBeforeEdit ? data::HistoryCode::TaskModified : data::HistoryCode::TaskCreated,
                             data_.CurrentUserId(), description);
    TaskRecordBeforeEdit.reset();
}

void TMainTaskLists::PostPendingTask() {
    if (TasksQuery.Active() && Editing(TasksQuery)) TasksQuery.Post();
}

void TMainTaskLists::CloseLists() {
    // The database closes whatever happens to the pending edit: one that cannot be posted is told and dropped.
    try {
        PostPendingTask();
    } catch (const EAbort&) {
        TasksQuery.Cancel();
    } catch (const Exception& error) {
        TasksQuery.Cancel();
        MessageDlg(error.Message(), mtError, {mbOK});
    }
    TasksQuery.Close();
    TaskRecordBeforeEdit.reset();
    form_.RemindersQuery.Close();
}

void TMainTaskLists::ShowBookingOf(int bookingId) {
    const TBookingShown shown =
        services_.LocateBooking ? services_.LocateBooking(form_, bookingId) : TBookingShown::NotFound;
    if (shown == TBookingShown::NotFound) {
        MessageDlg(QStringLiteral("Booking Id %1 does not exist. It may have been recently deleted by another user.")
                       .arg(bookingId),
                   mtInformation, {mbOK});
        return;
    }
    if (shown == TBookingShown::Modified) {
        // The booking window now names it as the last modified booking.
        form_.UpdateCommandStates();
        if (TasksQuery.Active()) TasksQuery.Requery();
    }
}

void TMainTaskLists::ReminderDBGridDblClick() {
    TADOQuery& reminders = form_.RemindersQuery;
    if (!reminders.Active() || reminders.IsEmpty()) {
        MessageDlg(QStringLiteral("There is no selected booking to view."), mtInformation, {mbOK});
        return;
    }
    if (reminders.FieldByName(QStringLiteral("Trans")).AsBoolean()) {
        MessageDlg(QStringLiteral("Transaction bookings can not be modified."), mtInformation, {mbOK});
        return;
    }
    ShowBookingOf(reminders.FieldByName(QStringLiteral("BookingId")).AsInteger());
    form_.Item(QStringLiteral("RefreshItem"))->Click();
}

void TMainTaskLists::ViewTask() {
    if (!OnTasksTab()) {
        MessageDlg(kNoTaskToView, mtInformation, {mbOK});
        return;
    }
    PostPendingTask();
    if (!TasksQuery.Active() || TasksQuery.IsEmpty()) {
        MessageDlg(kNoTaskToView, mtInformation, {mbOK});
        return;
    }
    const int bookingId = TasksQuery.FieldByName(QStringLiteral("BookingId")).AsInteger();
    if (bookingId == 0) {
        const int taskId = TasksQuery.FieldByName(QStringLiteral("TaskId")).AsInteger();
        TTaskEditForm editor(&form_, data_);
        if (editor.Execute(taskId)) {
            TasksQuery.Requery();
            TasksQuery.Locate(QStringLiteral("TaskId"), taskId);
        }
        return;
    }
    ShowBookingOf(bookingId);
}

void TMainTaskLists::NewTask() {
    TTaskEditForm editor(&form_, data_);
    if (!Lookup().CanWriteTask(false, QString())) {
        ShowMessage(QStringLiteral("You are not allowed to add tasks"));
        return;
    }
    if (editor.Execute(-1) && TasksQuery.Active()) {
        TasksQuery.Requery();
        TasksQuery.Locate(QStringLiteral("TaskId"), editor.TaskId);
    }
}

void TMainTaskLists::DeleteTaskItemClick() {
    if (!OnTasksTab()) {
        MessageDlg(kNoTaskToDelete, mtInformation, {mbOK});
        return;
    }
    if (!TasksQuery.Active() || TasksQuery.IsEmpty() || TasksQuery.State() == dsInsert) {
        if (TasksQuery.Active() && TasksQuery.State() == dsInsert) TasksQuery.Cancel();
        else MessageDlg(kNoTaskToDelete, mtInformation, {mbOK});
        return;
    }
    const QString owner = TasksQuery.FieldByName(QStringLiteral("Owner")).AsString();
    if (!Lookup().CanWriteTask(true, owner)) {
        ShowMessage(QStringLiteral("You are not allowed delete this task"));
        return;
    }
    const int taskId = TasksQuery.FieldByName(QStringLiteral("TaskId")).AsInteger();
    const int bookingId = TasksQuery.FieldByName(QStringLiteral("BookingId")).AsInteger();
    QString subject = TasksQuery.FieldByName(QStringLiteral("Subject")).AsString();
    if (subject.isEmpty()) subject = QStringLiteral("no subject");
    QString question = QStringLiteral("Delete TaskId %1").arg(taskId);
    if (bookingId > 0) question += QStringLiteral(" which is attached to BookingId %1").arg(bookingId);
    question += QStringLiteral("\r\rSubject: ") + subject;
    if (MessageDlg(question, mtConfirmation, {mbOK, mbCancel}) != mrOk) return;
    if (Editing(TasksQuery)) TasksQuery.Cancel();
    const int row = TasksQuery.RecNo();
    try {
        // The rights are the dataset's to check, as for a delete through it.
        if (TasksQuery.BeforeDelete) TasksQuery.BeforeDelete(TasksQuery);
        data_.Engine().DeleteTask(taskId);
    } catch (...) {
        // Nothing was written: the list stays on the task.
        TasksQuery.Requery();
        TasksQuery.Locate(QStringLiteral("TaskId"), taskId);
        throw;
    }
    // The list stays where a delete of its row leaves it: on the task that followed, or on the last one.
    TasksQuery.Requery();
    if (!TasksQuery.IsEmpty()) TasksQuery.SetRecNo(std::min(row, TasksQuery.RecordCount()));
}

void TMainTaskLists::PrintTaskList() {
    PostPendingTask();
    if (!services_.PrintTasks || !TasksQuery.Active()) return;
    services_.PrintTasks(form_, TasksQuery);
}
