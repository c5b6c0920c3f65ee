// Keeping a task's status, percent completed and completed date consistent.
#include "data/bookings/TaskEditRules.h"

#include "platform/db/DataSet.h"
#include "platform/rtl/DateUtils.h"

#include <algorithm>

namespace {

enum : int { kNotStarted = 0, kInProgress = 1, kCompleted = 2 };

TField& Status(TDataSet& task) { return task.FieldByName(QStringLiteral("Status")); }
TField& Percent(TDataSet& task) { return task.FieldByName(QStringLiteral("PercentCompleted")); }
TField& CompletedDate(TDataSet& task) { return task.FieldByName(QStringLiteral("CompletedDate")); }

void Complete(TDataSet& task) {
    Status(task).SetAsInteger(kCompleted);
    Percent(task).SetAsInteger(100);
    CompletedDate(task).SetAsDateTime(Date());
}

}  // namespace

void ApplyTaskPercentCompleted(TDataSet& taskQuery, int percent) {
    // A typed 150 % is a finished task, not one in progress beyond its end.
    percent = std::clamp(percent, 0, 100);
    if (percent == 100) {
        Complete(taskQuery);
        return;
    }
    Percent(taskQuery).SetAsInteger(percent);
    Status(taskQuery).SetAsInteger(percent != 0 ? kInProgress : kNotStarted);
    CompletedDate(taskQuery).Clear();
}

void ApplyTaskCompletedDate(TDataSet& taskQuery, const QString& completedDateText) {
    if (!completedDateText.trimmed().isEmpty()) {
        Status(taskQuery).SetAsInteger(kCompleted);
        Percent(taskQuery).SetAsInteger(100);
    } else if (Percent(taskQuery).AsInteger() == 100) {
        Percent(taskQuery).SetAsInteger(0);
        Status(taskQuery).SetAsInteger(kNotStarted);
    }
}

void ApplyTaskStatus(TDataSet& taskQuery, int status) {
    if (status == kCompleted) {
        Complete(taskQuery);
        return;
    }
    CompletedDate(taskQuery).Clear();
    // The stored percent is null for a task that is not in the database yet: it starts again from 0.
    Percent(taskQuery).SetAsInteger(status == kNotStarted ? 0 : Percent(taskQuery).OldValue().toInt());
}
