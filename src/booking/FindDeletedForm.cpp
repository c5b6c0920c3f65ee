// The deleted-bookings search window: its choices and the list it opens.
#include "booking/FindDeletedForm.h"

#include "booking/DeletedBookingsForm.h"
#include "controls/edit/DateTimePicker.h"
#include "platform/ui/Buttons.h"

TFindDeletedForm::TFindDeletedForm(QWidget* owner, TData& data)
    : TFindHistoryChoiceForm(
          owner, data, {"FindDeletedForm", "Show Deleted Bookings and Tasks", bsDialog, poScreenCenter, 392, 148},
          {
              // name               class          parent left top width height caption
              {"AllRadioButton", "TRadioButton", "", 16, 12, 200, 21, "All"},
              {"BookingIdRadioButton", "TRadioButton", "", 16, 40, 144, 21, "Booking Id"},
              {"BookingIdEdit", "TEdit", "", 164, 40, 90, 23},
              {"DatesRadioButton", "TRadioButton", "", 16, 68, 144, 21, "Between Dates"},
              {"FromDatePicker", "TwwDBDateTimePicker", "", 164, 68, 104, 23},
              {"ToDatePicker", "TwwDBDateTimePicker", "", 276, 68, 104, 23},
              {"OkButton", "TButton", "", 208, 112, 80, 25, "OK", "Default=True"},
              {"CancelButton", "TButton", "", 300, 112, 80, 25, "Cancel", "Cancel=True; ModalResult=mrCancel"},
          }) {
    Loaded();
}

void TFindDeletedForm::OkButtonClick() {
    TDeletedBookingsForm deleted(this, data_);
    if (AllRadioButton->Checked()) {
        deleted.ShowAllDeleted();
    } else if (BookingIdRadioButton->Checked()) {
        int id = 0;
        if (!ReadId(*BookingIdEdit, QStringLiteral("You have not entered a valid Booking Id"), id)) return;
        deleted.ShowDeletedBooking(id, GroupOf(id));
    } else {
        deleted.ShowDeletedBetween(FromDatePicker->Date(), ToDatePicker->Date());
    }
    deleted.ShowModal();
}
