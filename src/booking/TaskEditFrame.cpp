// The task editor's frame: its controls, its queries and the rules between status, percent and completed date.
#include "booking/TaskEditFrame.h"

#include "controls/edit/DateTimePicker.h"
#include "controls/edit/WwDBComboBox.h"
#include "controls/edit/WwDBEdit.h"
#include "controls/edit/WwDBSpinEdit.h"
#include "controls/edit/WwFormClasses.h"
#include "data/bookings/TaskEditRules.h"
#include "data/bookings/TaskRecord.h"
#include "data/bookings/TaskVocabulary.h"
#include "data/bookings/WriteTransaction.h"
#include "data/module/DataModule.h"
#include "data/module/LookupQueries.h"
#include "data/module/SQLDataModule.h"
#include "platform/db/Field.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/DateTimeFormat.h"
#include "platform/rtl/DateUtils.h"
#include "platform/ui/Containers.h"
#include "platform/ui/Edits.h"
#include "platform/ui/FormDescription.h"
#include "platform/ui/Label.h"

#include <algorithm>
#include <cmath>

namespace {

void FillCombo(TwwDBCustomComboBox& combo, const QStringList& items) {
    combo.SetMapList(true);
    combo.Items().Clear();
    for (const QString& item : items) combo.Items().Add(item);
}

// The lookup module of the program; the data module's own one otherwise (a window made in a test).
TSQLData& Lookup(TData& data, std::unique_ptr<TSQLData>& own) {
    if (SQLData) return *SQLData;
    if (!own) own = std::make_unique<TSQLData>(data);
    return *own;
}

}  // namespace

void FillTaskStatusCombo(TwwDBCustomComboBox& combo) { FillCombo(combo, data::TaskStatusComboItems()); }
void FillTaskPriorityCombo(TwwDBCustomComboBox& combo) { FillCombo(combo, data::TaskPriorityComboItems()); }

TTaskEditFrame::TTaskEditFrame(QWidget* owner, TData& data) : TForm(owner), data_(data) {
    controls::RegisterEditFormClasses();
    ui::DescribeForm(*this, {"TaskEditFrame", "", bsNone, poDesigned, 480, 236},
                     {
                         // name                   class          parent left top width height caption properties
                         {"TaskGroupBox", "TGroupBox", "", 4, 2, 472, 230, "Task"},
                         {"SubjectLabel", "TLabel", "TaskGroupBox", 8, 22, 80, 16, "Subject"},
                         {"SubjectDBEdit", "TwwDBEdit", "TaskGroupBox", 104, 18, 356, 21},
                         {"AssigneeLabel", "TLabel", "TaskGroupBox", 8, 48, 80, 16, "Assignee"},
                         {"AssigneeDBComboBox", "TwwDBComboBox", "TaskGroupBox", 104, 44, 356, 21},
                         {"StatusLabel", "TLabel", "TaskGroupBox", 8, 74, 80, 16, "Status"},
                         {"StatusComboBox", "TwwDBComboBox", "TaskGroupBox", 104, 70, 120, 21},
                         {"PriorityLabel", "TLabel", "TaskGroupBox", 240, 74, 90, 16, "Priority"},
                         {"PriorityComboBox", "TwwDBComboBox", "TaskGroupBox", 340, 70, 120, 21},
                         {"PercentLabel", "TLabel", "TaskGroupBox", 8, 100, 80, 16, "% Complete"},
                         {"PercentCompletedSpinEdit", "TwwDBSpinEdit", "TaskGroupBox", 104, 96, 64, 21},
                         {"StartDateLabel", "TLabel", "TaskGroupBox", 240, 100, 90, 16, "Start Date"},
                         {"StartDatePicker", "TwwDBDateTimePicker", "TaskGroupBox", 340, 96, 120, 21},
                         {"DueDateLabel", "TLabel", "TaskGroupBox", 8, 126, 80, 16, "Due Date"},
                         {"DueDatePicker", "TwwDBDateTimePicker", "TaskGroupBox", 104, 122, 120, 21},
                         {"CompletedLabel", "TLabel", "TaskGroupBox", 240, 126, 90, 16, "Completed"},
                         {"CompletedDatePicker", "TwwDBDateTimePicker", "TaskGroupBox", 340, 122, 120, 21},
                         {"DescriptionLabel", "TLabel", "TaskGroupBox", 8, 152, 90, 16, "Description"},
                         {"DescriptionDBEdit", "TwwDBEdit", "TaskGroupBox", 104, 148, 356, 72},
                     });
    TaskGroupBox = Find<TGroupBox>("TaskGroupBox");
    SubjectDBEdit = Find<TwwDBEdit>("SubjectDBEdit");
    AssigneeDBComboBox = Find<TwwDBComboBox>("AssigneeDBComboBox");
    StatusComboBox = Find<TwwDBComboBox>("StatusComboBox");
    PriorityComboBox = Find<TwwDBComboBox>("PriorityComboBox");
    PercentCompletedSpinEdit = Find<TwwDBSpinEdit>("PercentCompletedSpinEdit");
    StartDatePicker = Find<TwwDBDateTimePicker>("StartDatePicker");
    DueDatePicker = Find<TwwDBDateTimePicker>("DueDatePicker");
    CompletedDatePicker = Find<TwwDBDateTimePicker>("CompletedDatePicker");
    DescriptionDBEdit = Find<TwwDBEdit>("DescriptionDBEdit");

    TasksQuery.SetConnection(&data_.ADOConnection);
    StatusBarQuery.SetConnection(&data_.ADOConnection);
    StatusBarQuery.LockType = ltReadOnly;
    StatusBarQuery.SQL.SetText(QStringLiteral("select * \nfrom [History]\nwhere TaskId = :TaskId"));
    TasksDataSource.SetDataSet(&TasksQuery);

    const std::pair<TwwDBCustomEdit*, const char*> edits[] = {
        {SubjectDBEdit, "Subject"},
        {AssigneeDBComboBox, "Assignee"},
        {StatusComboBox, "Status"},
        {PriorityComboBox, "Priority"},
        {PercentCompletedSpinEdit, "PercentCompleted"},
        {DescriptionDBEdit, "Description"},
    };
    for (const auto& [edit, field] : edits) {
        edit->SetDataSource(&TasksDataSource);
        edit->SetDataField(QString::fromLatin1(field));
    }
    const std::pair<TwwDBDateTimePicker*, const char*> pickers[] = {
        {StartDatePicker, "StartDate"}, {DueDatePicker, "DueDate"}, {CompletedDatePicker, "CompletedDate"}};
    for (const auto& [picker, field] : pickers) {
        picker->SetDataSource(&TasksDataSource);
        picker->SetDataField(QString::fromLatin1(field));
        picker->SetDisplayFormat(QStringLiteral("mmm d yyyy"));
    }
    // The assignee is free text; its list has no entries.
    AssigneeDBComboBox->SetStyle(csDropDown);
    StatusComboBox->SetStyle(csDropDownList);
    PriorityComboBox->SetStyle(csDropDownList);
    PercentCompletedSpinEdit->Increment = 25;
    PercentCompletedSpinEdit->MaxValue = 100;
    DescriptionDBEdit->SetWordWrap(true);
    DescriptionDBEdit->SetShowVertScrollBar(true);
    FillTaskPriorityCombo(*PriorityComboBox);
    FillTaskStatusCombo(*StatusComboBox);

    // A refusal of the lookup module aborts the operation with its message and leaves the row as it was.
    TasksQuery.BeforeInsert = [this](TDataSet& d) { Lookup(data_, ownLookup_).TaskBeforeInsert(d); };
    TasksQuery.BeforeEdit = [this](TDataSet& d) { Lookup(data_, ownLookup_).TaskBeforeEdit(d); };
    TasksQuery.BeforeDelete = [this](TDataSet& d) { Lookup(data_, ownLookup_).TaskBeforeDelete(d); };
    TasksQuery.BeforePost = [this](TDataSet& d) { Lookup(data_, ownLookup_).TaskBeforePost(d); };
    TasksQuery.AfterOpen = [](TDataSet& d) {
        d.FieldByName(QStringLiteral("PercentCompleted")).SetAlignment(taLeftJustify);
    };

    const auto modify = [this](QObject*) { OnModify(); };
    for (TEdit* edit : std::initializer_list<TEdit*>{StartDatePicker, DescriptionDBEdit, AssigneeDBComboBox,
                                                     SubjectDBEdit, PriorityComboBox})
        edit->OnChange = modify;
    DueDatePicker->OnChange = [this](QObject*) { DueDatePickerChange(); };
    OnResize = [this](QObject*) { FrameResize(); };
    SetRuleHandlers(false);
    Loaded();
}

TTaskEditFrame::~TTaskEditFrame() {
    SetRuleHandlers(false);
    for (TEdit* edit : findChildren<TEdit*>()) edit->OnChange = nullptr;
}

void TTaskEditFrame::EmbedIn(QWidget* parent, int left, int top) {
    setParent(parent);
    setWindowFlags(Qt::Widget);
    move(left, top);
    show();
}

void TTaskEditFrame::OpenWith(const QString& condition, const QString& param, const QVariant& value) {
    TasksQuery.Close();
    TasksQuery.SQL.SetText(QStringLiteral("select *\nfrom [Tasks]\nwhere ") + condition);
    if (!param.isEmpty()) data::SetParams(TasksQuery, {{param, value}});
    TasksQuery.Open();
}

bool TTaskEditFrame::OpenForBooking(int bookingId) {
    OpenWith(QStringLiteral("[Tasks].BookingId = :BookingId"), QStringLiteral("BookingId"), bookingId);
    Modified = false;
    UpdateOverdueColours();
    return !TasksQuery.IsEmpty();
}

bool TTaskEditFrame::OpenTask(int taskId) {
    OpenWith(QStringLiteral("[Tasks].TaskId = :TaskId"), QStringLiteral("TaskId"), taskId);
    Modified = false;
    UpdateOverdueColours();
    return !TasksQuery.IsEmpty();
}

void TTaskEditFrame::NewTask() {
    OpenWith(QStringLiteral("[Tasks].TaskId = Null"), QString(), {});
    TasksQuery.Insert();
    Modified = false;
    UpdateOverdueColours();
}

int TTaskEditFrame::TaskId() {
    if (!TasksQuery.Active()) return -1;
    return TasksQuery.FieldByName(QStringLiteral("TaskId")).AsInteger();
}

QString TTaskEditFrame::TaskOwner() {
    if (!TasksQuery.Active()) return QString();
    return TasksQuery.FieldByName(QStringLiteral("Owner")).AsString();
}

void TTaskEditFrame::GetHistoryInfo(QString& owner, QString& created, QString& modified) {
    data::OpenedQuery history(StatusBarQuery, {{QStringLiteral("TaskId"), TaskId()}});
    if (history->IsEmpty()) {
        owner = created = modified = QStringLiteral("n/a");
        return;
    }
    owner = TaskOwner();
    if (owner.isEmpty()) owner = QStringLiteral("n/a");
    const auto stamp = [&] {
        return FormatDateTime(QStringLiteral("mmm d yyyy"),
                              history->FieldByName(QStringLiteral("HistoryTimeStamp")).AsDateTime());
    };
    const auto code = [&] { return history->FieldByName(QStringLiteral("HistoryCode")).AsInteger(); };
    history->First();
    created = code() == static_cast<int>(data::HistoryCode::TaskCreated) ? stamp() : QStringLiteral("unknown");
    modified = created;
    for (history->Last(); !history->Bof(); history->Prior()) {
        if (code() == static_cast<int>(data::HistoryCode::TaskModified)) {
            modified = stamp();
            break;
        }
    }
}

void TTaskEditFrame::SetRuleHandlers(bool attached) {
    rulesAttached_ = attached;
    StatusComboBox->OnChange = attached ? TNotifyEvent([this](QObject*) { StatusComboBoxChange(); }) : TNotifyEvent();
    PercentCompletedSpinEdit->OnChange =
        attached ? TNotifyEvent([this](QObject*) { PercentCompletedSpinEditChange(); }) : TNotifyEvent();
    CompletedDatePicker->OnChange =
        attached ? TNotifyEvent([this](QObject*) { CompletedDatePickerChange(); }) : TNotifyEvent();
}

void TTaskEditFrame::EnableControls() { SetRuleHandlers(true); }
void TTaskEditFrame::DisableControls() { SetRuleHandlers(false); }

void TTaskEditFrame::EnsureEditing() {
    if (TasksQuery.Active() && TasksQuery.State() == dsBrowse && !TasksQuery.IsEmpty()) TasksQuery.Edit();
}

void TTaskEditFrame::Changed() {
    UpdateOverdueColours();
    Modified = true;
}

// The rule's own writes show in the other two controls, whose handlers would apply their rules to them.
void TTaskEditFrame::RunRule(const std::function<void()>& rule) {
    if (OnControlChange) OnControlChange();
    TNotifyEvent status = StatusComboBox->OnChange;
    TNotifyEvent percent = PercentCompletedSpinEdit->OnChange;
    TNotifyEvent completed = CompletedDatePicker->OnChange;
    StatusComboBox->OnChange = nullptr;
    PercentCompletedSpinEdit->OnChange = nullptr;
    CompletedDatePicker->OnChange = nullptr;
    struct Restore {
        TTaskEditFrame& frame;
        TNotifyEvent status, percent, completed;
        ~Restore() {
            // A handler set again meanwhile (the percent one re-entering) keeps its own.
            if (!frame.StatusComboBox->OnChange) frame.StatusComboBox->OnChange = status;
            if (!frame.PercentCompletedSpinEdit->OnChange) frame.PercentCompletedSpinEdit->OnChange = percent;
            if (!frame.CompletedDatePicker->OnChange) frame.CompletedDatePicker->OnChange = completed;
        }
    } restore{*this, status, percent, completed};
    if (TasksQuery.Active()) {
        EnsureEditing();
        rule();
    }
    Changed();
}

void TTaskEditFrame::StatusComboBoxChange() {
    RunRule([this] {
        const QString value = StatusComboBox->GetValue();
        try {
            ApplyTaskStatus(TasksQuery, value.isEmpty() ? 0 : value.toInt());
        } catch (const Exception&) {
            // A row that cannot take the change keeps what it had.
        }
    });
}

void TTaskEditFrame::PercentCompletedSpinEditChange() {
    bool ok = false;
    const int percent = PercentCompletedSpinEdit->Text().trimmed().toInt(&ok);
    if (ok && (percent < 0 || percent > 100)) {
        // Showing the limited value runs this handler again with it.
        PercentCompletedSpinEdit->SetValue(percent < 0 ? 0 : 100);
        return;
    }
    RunRule([&] {
        // A text that is no number changes nothing else.
        if (ok) ApplyTaskPercentCompleted(TasksQuery, percent);
    });
}

void TTaskEditFrame::CompletedDatePickerChange() {
    RunRule([this] { ApplyTaskCompletedDate(TasksQuery, CompletedDatePicker->Text()); });
}

void TTaskEditFrame::DueDatePickerChange() {
    if (OnControlChange) OnControlChange();
    Changed();
}

void TTaskEditFrame::OnModify() {
    if (OnControlChange) OnControlChange();
    Modified = true;
}

void TTaskEditFrame::UpdateOverdueColours() {
    bool overdue = false;
    if (TasksQuery.Active() && !TasksQuery.IsEmpty()) {
        const TField& due = TasksQuery.FieldByName(QStringLiteral("DueDate"));
        overdue = !due.IsNull() && std::floor(rtl::CurrentClock().Now()) > std::floor(due.AsDateTime()) &&
                  CompletedDatePicker->Text().trimmed().isEmpty() &&
                  TasksQuery.FieldByName(QStringLiteral("CompletedDate")).IsNull();
    }
    const TColor colour = overdue ? clRed : clWindowText;
    SubjectDBEdit->Font().SetColor(colour);
    DueDatePicker->Font().SetColor(colour);
}

void TTaskEditFrame::FrameResize() {
    const int width = ClientWidth() - 2 * TaskGroupBox->Left();
    TaskGroupBox->SetWidth(width);
    for (TControl* control : std::initializer_list<TControl*>{AssigneeDBComboBox, DescriptionDBEdit})
        control->SetWidth(std::max(40, width - control->Left() - 12));
}

int TTaskEditFrame::AddTask(int bookingId) {
    if (OpenForBooking(bookingId)) return TaskExisting;
    TasksQuery.Insert();
    TasksQuery.FieldByName(QStringLiteral("BookingId")).SetAsInteger(bookingId);
    Modified = false;
    return TaskNew;
}

void TTaskEditFrame::SaveTaskChanges(int taskState, int bookingId, const TTaskRecord* snapshot) {
    if (!TasksQuery.Active()) return;
    const bool editing = TasksQuery.State() == dsEdit || TasksQuery.State() == dsInsert;
    // A new booking's id is known only once the booking has been saved.
    if (TasksQuery.State() == dsInsert) TasksQuery.FieldByName(QStringLiteral("BookingId")).SetAsInteger(bookingId);
    const auto describe = [this](const TTaskRecord* previous) {
        TTaskRecord posted;
        posted.DataSet = &TasksQuery;
        posted.Load();
        return std::make_pair(posted.TaskId, posted.DescribeChanges(previous));
    };
    switch (taskState) {
        case TaskNew: {
            // The task, its History row and the booking's are one change on disk.
            const Entry entry = TakeEntry();
            try {
                data::WriteTransaction transaction(data_.ADOConnection);
                if (editing) TasksQuery.Post();
                const auto [taskId, description] = describe(nullptr);
                if (!description.isEmpty())
                    data_.AddTaskHistory(taskId, data::HistoryCode::TaskCreated, data_.CurrentUserId(), description);
                data_.AddHistory(bookingId, -1, static_cast<int>(data::HistoryCode::TaskAttached),
                                 data_.CurrentUserId(), QStringLiteral("TaskId (%1)").arg(taskId));
                transaction.Commit();
            } catch (...) {
                RestoreEntry(entry, bookingId);
                throw;
            }
            break;
        }
        case TaskDelete: {
            if (TasksQuery.State() == dsInsert) {
                TasksQuery.Cancel();
                break;
            }
            if (TasksQuery.IsEmpty() || TasksQuery.FieldByName(QStringLiteral("BookingId")).AsInteger() != bookingId)
                break;
            const int taskId = TasksQuery.FieldByName(QStringLiteral("TaskId")).AsInteger();
            if (editing) TasksQuery.Cancel();
            // The rights are the dataset's to check, as for a delete through it.
            if (TasksQuery.BeforeDelete) TasksQuery.BeforeDelete(TasksQuery);
            data_.Engine().DeleteTask(taskId);
            TasksQuery.Requery();
            break;
        }
        case TaskExisting: {
            if (!editing) break;
            const Entry entry = TakeEntry();
            try {
                data::WriteTransaction transaction(data_.ADOConnection);
                TasksQuery.Post();
                const auto [taskId, description] = describe(snapshot);
                if (!description.isEmpty())
                    data_.AddTaskHistory(taskId, data::HistoryCode::TaskModified, data_.CurrentUserId(), description);
                transaction.Commit();
            } catch (...) {
                RestoreEntry(entry, bookingId);
                throw;
            }
            break;
        }
        default: break;
    }
    Modified = false;
}

TTaskEditFrame::Entry TTaskEditFrame::TakeEntry() const {
    Entry entry;
    entry.Inserting = TasksQuery.State() == dsInsert;
    for (int i = 0; i < TasksQuery.FieldCount(); ++i) entry.Values << TasksQuery.Fields()[i]->Value();
    return entry;
}

void TTaskEditFrame::RestoreEntry(const Entry& entry, int bookingId) {
    // The write transaction was rolled back: the query reads what is stored, and the typed values go back into a
    // pending row, so that the user can save again.
    try {
        // The History rows in hand may be gone with the rollback, and their counter gives their ids out again.
        if (data_.HistoryTable.Active()) data_.HistoryTable.Requery();
        if (TasksQuery.State() == dsEdit || TasksQuery.State() == dsInsert) TasksQuery.Cancel();
        const bool found = OpenForBooking(bookingId);
        if (entry.Inserting || !found) TasksQuery.Insert();
        else TasksQuery.Edit();
        for (int i = 0; i < TasksQuery.FieldCount() && i < entry.Values.size(); ++i) {
            TField& field = *TasksQuery.Fields()[i];
            if (!field.ReadOnly()) field.SetValue(entry.Values[i]);
        }
        Modified = true;
    } catch (const std::exception&) {
        // The file cannot be read now; the caller's message says why.
    }
}
