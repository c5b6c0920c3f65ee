// TTaskEditFrame: the task editor's controls over one Tasks row, embedded in the booking window and in the
// stand-alone task window; it keeps status, percent and completed date agreeing and colours an overdue task.
#pragma once

#include "platform/db/ADODataSet.h"
#include "platform/db/DataSource.h"
#include "platform/ui/Form.h"

#include <QVariantList>
#include <functional>
#include <memory>

class TData;
class TSQLData;
class TTaskRecord;
class TGroupBox;
class TLabel;
class TwwDBEdit;
class TwwDBComboBox;
class TwwDBCustomComboBox;
class TwwDBSpinEdit;
class TwwDBDateTimePicker;

// One item per status or priority, "name", a tab and the value, so a mapped combo box shows the name and stores
// the number; the drop-down list is rebuilt from them.
void FillTaskStatusCombo(TwwDBCustomComboBox& combo);
void FillTaskPriorityCombo(TwwDBCustomComboBox& combo);

class TTaskEditFrame : public TForm {
public:
    TTaskEditFrame(QWidget* owner, TData& data);
    ~TTaskEditFrame() override;

    // Places the frame inside a control of a window (it is made as a window of its own).
    void EmbedIn(QWidget* parent, int left, int top);

    TGroupBox* TaskGroupBox;
    TwwDBEdit* SubjectDBEdit;
    TwwDBComboBox* AssigneeDBComboBox;
    TwwDBComboBox* StatusComboBox;
    TwwDBComboBox* PriorityComboBox;
    TwwDBSpinEdit* PercentCompletedSpinEdit;
    TwwDBDateTimePicker* StartDatePicker;
    TwwDBDateTimePicker* DueDatePicker;
    TwwDBDateTimePicker* CompletedDatePicker;
    TwwDBEdit* DescriptionDBEdit;

    TADOQuery TasksQuery;
    TDataSource TasksDataSource;
    TADOQuery StatusBarQuery;

    // The task was changed since it was loaded or posted.
    bool Modified = false;

    // True when the booking has a task.
    bool OpenForBooking(int bookingId);
    // True when the task exists.
    bool OpenTask(int taskId);
    // Opens an empty task list and inserts a new row.
    void NewTask();
    // The current row's TaskId, or -1 when the query is closed; its Owner, or empty.
    int TaskId();
    QString TaskOwner();
    // The owner and the "mmm d yyyy" dates of the task's History rows ("n/a" without any).
    void GetHistoryInfo(QString& owner, QString& created, QString& modified);
    // Attach or detach the three handlers that apply the consistency rules.
    void EnableControls();
    void DisableControls();
    void UpdateOverdueColours();
    void FrameResize();

    // The rule handlers; each runs with the other two detached.
    void StatusComboBoxChange();
    void PercentCompletedSpinEditChange();
    void CompletedDatePickerChange();
    void DueDatePickerChange();
    // The other controls' change: the task is modified.
    void OnModify();

    // The booking window's task after its booking was saved, by the window's task state: 1 an existing task
    // (posted and described against the snapshot), 2 a new one (posted, described whole, and the booking's
    // History told of it), 3 a task to delete (its History row written only once the row is gone, in the same
    // transaction). 0 does nothing. Each is one write transaction; when it fails the query shows what is stored
    // with the typed values pending again, and the error passes to the caller.
    enum : int { TaskUnchanged = 0, TaskExisting = 1, TaskNew = 2, TaskDelete = 3 };
    // "Add" of the booking window: shows the booking's task when it has one (TaskExisting), else inserts a new
    // row for the booking (TaskNew).
    int AddTask(int bookingId);
    void SaveTaskChanges(int taskState, int bookingId, const TTaskRecord* snapshot);

    // Run first by every control's change, before the frame's own handling (the booking window marks itself
    // modified through it).
    std::function<void()> OnControlChange;

private:
    // The values of the pending row, in field order, and whether it was a new row.
    struct Entry {
        bool Inserting = false;
        QVariantList Values;
    };
    Entry TakeEntry() const;
    void RestoreEntry(const Entry& entry, int bookingId);
    void OpenWith(const QString& condition, const QString& param, const QVariant& value);
    // Puts the row into edit state for a rule that writes it.
    void EnsureEditing();
    void RunRule(const std::function<void()>& rule);
    void SetRuleHandlers(bool attached);
    void Changed();

    TData& data_;
    std::unique_ptr<TSQLData> ownLookup_;
    bool rulesAttached_ = false;
};
