// TBookingListForm: a sortable list of bookings (those of one month-view day) to edit or delete one by one,
// preview or print.
#pragma once

#include "app/main/MainWindowServices.h"
#include "platform/ui/Form.h"

#include <functional>
#include <memory>

class TData;
class TButton;
class TPanel;
class TStatusBar;
class TListView;
class TListItem;
class TListColumn;
class TImageList;
class TMonthDateBookingCellRow;

// What the dialog reaches beyond itself: a booking window of its own for each edit, the program's booking
// window and its delete for deleting, and the printout of the list. An empty hook leaves its button disabled.
struct TBookingListServices {
    std::function<std::unique_ptr<TBookingWindow>()> CreateBookingWindow;
    TBookingWindow* BookingWindow = nullptr;
    std::function<bool(TBookingWindow& bookingWindow)> DeleteBookings;
    std::function<void(TBookingListForm& list, bool toScreen)> PrintBookingList;
};

class TBookingListForm : public TForm {
public:
    TBookingListForm(QWidget* owner, TData& data, TBookingListServices services);
    ~TBookingListForm() override;

    // Appends a row; Reason and Status are the booking result's (the main window passes 0 and 0).
    void AddBooking(TMonthDateBookingCellRow* Data, const QString& ResourceName, int BookingId, int Reason,
                    quint8 Status, const QString& Client, TDateTime StartDateTime, TDateTime EndDateTime);

    QString TimeFormat;
    // A booking was modified or deleted while the dialog showed.
    bool Changed = false;
    int SortColumn = 3;
    bool SortDescending = false;

    TPanel* Panel1;
    TButton* PreviewButton;
    TButton* PrintButton;
    TButton* DeleteButton;
    TButton* EditButton;
    TButton* CloseButton;
    TListView* BookingListView;
    TStatusBar* StatusBar;

    void EditButtonClick();
    void DeleteButtonClick();
    void BookingListViewColumnClick(TListColumn& column);

private:
    void FormCreate();
    void FormShow();
    void FormResize();
    int BookingListViewCompare(const TListItem& a, const TListItem& b) const;
    QString DateTimeText(TDateTime value) const;
    // The row's texts again from the Bookings table's current row.
    void ReadRowAgain(TListItem& item);
    void RequeryBookings();
    bool CurrentBookingStaged() const;

    TData& data_;
    TBookingListServices services_;
    std::unique_ptr<TImageList> images_;
};
