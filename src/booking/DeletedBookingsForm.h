// TDeletedBookingsForm: every History row of the bookings that have a deletion row matching the choice: all, one
// booking (with its group) or deletions in a date range.
#pragma once

#include "booking/HistoryListForm.h"

class TDeletedBookingsForm : public THistoryListForm {
public:
    TDeletedBookingsForm(QWidget* owner, TData& data);

    // Each sets the caption and rebuilds the query; the caller then shows the window.
    void ShowAllDeleted();
    // A group id above 0 adds the deletions of the booking's group.
    void ShowDeletedBooking(int bookingId, int groupId);
    // Whole days, both included.
    void ShowDeletedBetween(TDateTime firstDate, TDateTime lastDate);
    void BuildQuery();

private:
    enum class Kind { All, Booking, DateRange };
    Kind kind_ = Kind::All;
    int bookingId_ = -1;
    int groupId_ = -1;
    TDateTime firstDate_ = 0;
    TDateTime lastDate_ = 0;
};
