// The deleted-bookings window's choices and the query each builds.
#include "booking/DeletedBookingsForm.h"

#include "controls/edit/DatePickerPairs.h"
#include "platform/rtl/DateTimeFormat.h"

namespace {

constexpr int kDeletedHistoryCode = 3;

}  // namespace

TDeletedBookingsForm::TDeletedBookingsForm(QWidget* owner, TData& data)
    : THistoryListForm(owner, data, QStringLiteral("DeletedBookingsForm"), QStringLiteral("Deleted Bookings"),
                       {QStringLiteral("HistoryTimeStamp\t20\tDate and Time"),
                        QStringLiteral("BookingId\t8\tBooking Id"), QStringLiteral("HistoryCode\t10\tAction"),
                        QStringLiteral("Userid\t10\tUserid"), QStringLiteral("Description\t42\tDescription")}) {}

void TDeletedBookingsForm::ShowAllDeleted() {
    SetCaption(QStringLiteral("All Deleted Bookings"));
    kind_ = Kind::All;
    BuildQuery();
}

void TDeletedBookingsForm::ShowDeletedBooking(int bookingId, int groupId) {
    SetCaption(QStringLiteral("Deleted Booking Id ") + QString::number(bookingId));
    kind_ = Kind::Booking;
    bookingId_ = bookingId;
    groupId_ = groupId;
    BuildQuery();
}

void TDeletedBookingsForm::ShowDeletedBetween(TDateTime firstDate, TDateTime lastDate) {
    firstDate_ = DateOf(firstDate);
    lastDate_ = DateOf(lastDate);
    const QString format = QStringLiteral("mmm d yyyy");
    const QString first = FormatDateTime(format, firstDate_);
    SetCaption(firstDate_ == lastDate_ ? QStringLiteral("Bookings Deleted on ") + first
                                       : QString(QStringLiteral("Bookings deleted between ") + first +
                                                 QStringLiteral(" and ") + FormatDateTime(format, lastDate_)));
    kind_ = Kind::DateRange;
    BuildQuery();
}

void TDeletedBookingsForm::BuildQuery() {
    QStringList sql{QStringLiteral("select HistoryTimeStamp, HistoryCode, UserId, BookingId, TaskId, Description"),
                    QStringLiteral("from [History]"), QStringLiteral("where BookingId in"),
                    QStringLiteral("   (select BookingId"), QStringLiteral("    from [History]")};
    sql << QStringLiteral("    where [History].HistoryCode = %1").arg(kDeletedHistoryCode);
    switch (kind_) {
        case Kind::All: break;
        case Kind::Booking:
            // Bracketed together, so that the code conditions apply to the group's rows too.
            if (groupId_ > 0)
                sql << QStringLiteral("and (BookingId = %1 or [History].GroupBookingId = %2)")
                           .arg(bookingId_)
                           .arg(groupId_);
            else sql << QStringLiteral("and BookingId = %1").arg(bookingId_);
            break;
        case Kind::DateRange:
            sql << QStringLiteral("and (HistoryTimeStamp >= #%1#) and (HistoryTimeStamp < #%2#)")
                       .arg(controls::UsDateText(firstDate_), controls::UsDateText(lastDate_ + 1));
            break;
    }
    sql << QStringLiteral("   and [History].HistoryCode <> %1").arg(kHiddenHistoryCode) << QStringLiteral("   )")
        << QStringLiteral("order by BookingId, HistoryId");
    SetQueryLines(sql);
}
