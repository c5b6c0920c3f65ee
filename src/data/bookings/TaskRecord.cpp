// Loading a task row into memory and describing a task or its changes in history texts.
#include "data/bookings/TaskRecord.h"

#include "data/bookings/TaskVocabulary.h"
#include "platform/db/DataSet.h"
#include "platform/rtl/DateTimeFormat.h"
#include "platform/rtl/Exceptions.h"

namespace {

QString TaskHistoryPart(const QString& name, const QString& value) {
    return name + QLatin1Char('(') + value + QStringLiteral(") ");
}

// A date part: for a new task when it has a date, otherwise when the day changed. A cleared date reads as the
// calendar's day 0.
QString DatePart(const QString& name, TDateTime value, const TDateTime* previous) {
    const bool show = previous ? DateOf(value) != DateOf(*previous) : value != 0;
    return show ? TaskHistoryPart(name, FormatDateTime(QStringLiteral("mmm dd yyyy"), value)) : QString();
}

// A text part: for a new task when it is not empty, otherwise when it changed (letter case counts).
QString TextPart(const QString& name, const QString& value, const QString* previous) {
    const bool show = previous ? value != *previous : !value.isEmpty();
    return show ? TaskHistoryPart(name, value) : QString();
}

}  // namespace

void TTaskRecord::Load() {
    if (!DataSet) throw EInvalidOperation(QStringLiteral("The task record has no dataset to read"));
    const TDataSet& row = *DataSet;
    auto integer = [&row](const char* name) {
        return static_cast<qint32>(row.FieldByName(QLatin1String(name)).AsInteger());
    };
    auto date = [&row](const char* name) { return row.FieldByName(QLatin1String(name)).AsDateTime(); };
    auto text = [&row](const char* name) { return row.FieldByName(QLatin1String(name)).AsString(); };
    TaskId = integer("TaskId");
    BookingId = integer("BookingId");
    Status = integer("Status");
    PercentCompleted = integer("PercentCompleted");
    Priority = integer("Priority");
    StartDate = date("StartDate");
    CompletedDate = date("CompletedDate");
    DueDate = date("DueDate");
    Subject = text("Subject");
    Assignee = text("Assignee");
    Description = text("Description");
    Owner = text("Owner");
}

QString TTaskRecord::DescribeChanges(const TTaskRecord* previous) const {
    const TTaskRecord* p = previous;
    QString text;
    if (p ? BookingId != p->BookingId : BookingId != 0)
        text += TaskHistoryPart(QStringLiteral("BookingId"), QString::number(BookingId));
    if (!p || Status != p->Status) text += TaskHistoryPart(QStringLiteral("Status"), TaskStatusName(Status));
    if (!p || PercentCompleted != p->PercentCompleted)
        text += TaskHistoryPart(QStringLiteral("PercentCompleted"), QString::number(PercentCompleted));
    if (!p || Priority != p->Priority) text += TaskHistoryPart(QStringLiteral("Priority"), QString::number(Priority));
    text += DatePart(QStringLiteral("StartDate"), StartDate, p ? &p->StartDate : nullptr);
    text += DatePart(QStringLiteral("DueDate"), DueDate, p ? &p->DueDate : nullptr);
    text += DatePart(QStringLiteral("CompletedDate"), CompletedDate, p ? &p->CompletedDate : nullptr);
    text += TextPart(QStringLiteral("Subject"), Subject, p ? &p->Subject : nullptr);
    text += TextPart(QStringLiteral("Assignee"), Assignee, p ? &p->Assignee : nullptr);
    text += TextPart(QStringLiteral("Description"), Description, p ? &p->Description : nullptr);
    if (!p || Owner != p->Owner) text += TaskHistoryPart(QStringLiteral("Owner"), Owner);
    return text;
}
