// TTaskRecord: one task row held in memory, so that an edit can be described for the history.
#pragma once

#include "platform/rtl/DateUtils.h"

#include <QString>

class TDataSet;

class TTaskRecord {
public:
    qint32 TaskId = 0;
    qint32 BookingId = 0;
    qint32 Status = 0;
    qint32 PercentCompleted = 0;
    qint32 Priority = 0;
    // 0 when the column is null.
    TDateTime StartDate = 0;
    TDateTime CompletedDate = 0;
    TDateTime DueDate = 0;
    // Empty when the column is null.
    QString Subject;
    QString Assignee;
    QString Description;
    QString Owner;
    // The Tasks dataset the record reads; the caller sets it.
    TDataSet* DataSet = nullptr;

    // Reads every field from the current row of DataSet.
    void Load();
    // What this task holds (previous null) or what differs from the previous record, as "Name(value) " parts.
    QString DescribeChanges(const TTaskRecord* previous) const;
};
