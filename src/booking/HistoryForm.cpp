// The booking history window's kinds of list and the query each builds.
#include "booking/HistoryForm.h"

#include "controls/edit/DatePickerPairs.h"
#include "platform/ui/Label.h"

THistoryForm::THistoryForm(QWidget* owner, TData& data)
    : THistoryListForm(
          owner, data, QStringLiteral("HistoryForm"), QStringLiteral("History"),
          {QStringLiteral("HistoryTimeStamp\t20\tDate and Time"), QStringLiteral("BookingId\t8\tBooking Id"),
           QStringLiteral("TaskId\t10\tTask Id"), QStringLiteral("HistoryCode\t10\tAction"),
           QStringLiteral("Userid\t10\tUserid"), QStringLiteral("Description\t42\tDescription")}) {}

void THistoryForm::ShowAllHistory() {
    SetCaption(QStringLiteral("All History Records"));
    kind_ = Kind::All;
    BuildQuery();
}

void THistoryForm::ShowMaintenanceHistory() {
    SetCaption(QStringLiteral("Database History Records"));
    kind_ = Kind::Maintenance;
    BuildQuery();
}

void THistoryForm::ShowDateRangeHistory(TDateTime firstDate, TDateTime lastDate) {
    SetCaption(QStringLiteral("Database History Records"));
    kind_ = Kind::DateRange;
    firstDate_ = DateOf(firstDate);
    lastDate_ = DateOf(lastDate);
    BuildQuery();
}

void THistoryForm::ShowBookingHistory(int bookingId, int groupId) {
    SetCaption(QStringLiteral("History Records for Booking Id ") + QString::number(bookingId));
    kind_ = Kind::Booking;
    bookingId_ = bookingId;
    groupId_ = groupId;
    SortOrder = QStringLiteral("historyid");
    BuildQuery();
}

void THistoryForm::ShowTaskHistory(int taskId) {
    SetCaption(QStringLiteral("History Records for Task Id ") + QString::number(taskId));
    kind_ = Kind::Task;
    taskId_ = taskId;
    SortOrder = QStringLiteral("historyid");
    BuildQuery();
}

void THistoryForm::BuildQuery() {
    QStringList sql{QStringLiteral("select HistoryTimeStamp, HistoryCode, UserId, BookingId, TaskId, Description"),
                    QStringLiteral("from [History]")};
    switch (kind_) {
        case Kind::All: sql << QStringLiteral("where [History].HistoryCode <> %1").arg(kHiddenHistoryCode); break;
        case Kind::Maintenance: sql << QStringLiteral("where BookingId is null and TaskId is null"); break;
        case Kind::DateRange:
            sql << QStringLiteral("where (HistoryTimeStamp >= #%1#) and (HistoryTimeStamp < #%2#)")
                       .arg(controls::UsDateText(firstDate_), controls::UsDateText(lastDate_ + 1));
            break;
        case Kind::Task: sql << QStringLiteral("where TaskId = %1").arg(taskId_); break;
        case Kind::Booking:
            // Bracketed together, so that the code condition below applies to the group's rows too.
            if (groupId_ > 0)
                sql << QStringLiteral("where (BookingId = %1 or [History].GroupBookingId = %2)")
                           .arg(bookingId_)
                           .arg(groupId_);
            else sql << QStringLiteral("where BookingId = %1").arg(bookingId_);
            break;
    }
    sql << QStringLiteral("   and [History].HistoryCode <> %1").arg(kHiddenHistoryCode);
    sql << (SortOrder == QLatin1String("historyid") ? QStringLiteral("order by HistoryId")
                                                    : QStringLiteral("order by BookingId, HistoryId"));
    SetQueryLines(sql);
}
