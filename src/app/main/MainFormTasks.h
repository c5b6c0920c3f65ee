// TMainTaskLists: the main window's two list tabs: the reminders of the calendar's date and the open tasks with
// in-place editing, their sort order, their drawing and the task commands.
#pragma once

#include "platform/db/ADODataSet.h"
#include "platform/db/DataSource.h"
#include "platform/rtl/Alignment.h"
#include "platform/ui/Color.h"
#include "platform/ui/Geometry.h"

#include <QString>
#include <memory>

class TData;
class TField;
class TFont;
class TBrush;
class TMainForm;
class TSQLData;
class TTaskRecord;
class TwwDBGrid;
class TwwDBComboBox;
class TwwCustomDBGrid;
class TwwCustomDrawGridCellInfo;
class TCanvas;
struct TMainWindowServices;

class TMainTaskLists {
public:
    TMainTaskLists(TMainForm& form, TData& data, const TMainWindowServices& services);
    ~TMainTaskLists();
    TMainTaskLists(const TMainTaskLists&) = delete;
    TMainTaskLists& operator=(const TMainTaskLists&) = delete;

    TwwDBGrid* ReminderDBGrid;
    TDataSource RemindersDataSource;
    TwwDBGrid* TasksGrid;
    TwwDBComboBox* PriorityComboBox;
    TADOQuery TasksQuery;
    TDataSource TasksDataSource;
    bool TaskTitleRowPressed = false;
    std::unique_ptr<TTaskRecord> TaskRecordBeforeEdit;

    void LoadReminders();
    void LoadTasks();
    void SizeReminderColumns();
    void SizeTaskColumns();
    void BuildTaskQuery(const QString& sortField, bool ascending);
    void ViewTask();
    void NewTask();
    void DeleteTaskItemClick();
    void PrintTaskList();
    void ReminderDBGridDblClick();
    void TasksGridTitleButtonClick(const QString& fieldName);
    // Posts a pending edit or insert (leaving the grid, closing the window).
    void PostPendingTask();
    // Posts what is pending and closes both lists (the database closes).
    void CloseLists();

    // The task list's drawing, by the row the grid draws.
    TColor TaskFontColor(bool highlighted);
    void TasksGridAfterDrawCell(TwwCustomDrawGridCellInfo& cell);
    void TasksGridDrawTitleCell(TCanvas& canvas, TField* field, const TRect& rect);
    void TasksGridFieldChanged(TField* field);

private:
    bool OnTasksTab() const;
    bool Completed();
    void TaskAfterPost();
    // Shows the booking in the booking window; false when it no longer exists (the message shown).
    void ShowBookingOf(int bookingId);
    TSQLData& Lookup();

    TMainForm& form_;
    TData& data_;
    const TMainWindowServices& services_;
    std::unique_ptr<TSQLData> ownLookup_;
    bool fieldChangedAttached_ = true;
};
