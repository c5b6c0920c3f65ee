// The rules that keep a task row's Status, PercentCompleted and CompletedDate agreeing while it is edited.
#pragma once

#include <QString>

class TDataSet;

// Each works on the current row of the task query (in edit or insert state) after the user changed that column.

// 100 completes the task today; anything else makes it in progress (or not started at 0) and clears the
// completed date. A percent outside 0..100 is first brought inside it.
void ApplyTaskPercentCompleted(TDataSet& taskQuery, int percent);
// A completed date completes the task at 100 %; clearing it resets a task at 100 % to not started.
void ApplyTaskCompletedDate(TDataSet& taskQuery, const QString& completedDateText);
// Completed sets 100 % and today's date; not started 0 %; any other status clears the date and restores the
// percent the row had in the database (0 for a task not stored yet).
void ApplyTaskStatus(TDataSet& taskQuery, int status);
