// THistoryForm: the History rows of one booking (with its group's), one task, a date range, the database
// maintenance rows or all rows; it never changes them.
#pragma once

#include "booking/HistoryListForm.h"

class THistoryForm : public THistoryListForm {
public:
    THistoryForm(QWidget* owner, TData& data);

    // Each sets the caption and rebuilds the query; the caller then shows the window.
    void ShowAllHistory();
    void ShowMaintenanceHistory();
    // Whole days, both included.
    void ShowDateRangeHistory(TDateTime firstDate, TDateTime lastDate);
    // A group id above 0 adds the rows of the booking's group.
    void ShowBookingHistory(int bookingId, int groupId);
    void ShowTaskHistory(int taskId);
    void BuildQuery();

    // "historyid" orders by HistoryId alone, anything else by BookingId then HistoryId.
    QString SortOrder = QStringLiteral("historyid");

private:
    enum class Kind { All, Maintenance, DateRange, Task, Booking };
    Kind kind_ = Kind::All;
    int bookingId_ = -1;
    int groupId_ = -1;
    int taskId_ = -1;
    TDateTime firstDate_ = 0;
    TDateTime lastDate_ = 0;
};
