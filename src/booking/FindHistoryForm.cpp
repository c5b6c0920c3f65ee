// The history search window: its choices and the history window it opens.
#include "booking/FindHistoryForm.h"

#include "booking/HistoryForm.h"
#include "controls/edit/DateTimePicker.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Edits.h"
#include "platform/ui/Lists.h"

TFindHistoryForm::TFindHistoryForm(QWidget* owner, TData& data)
    : TFindHistoryChoiceForm(
          owner, data, {"FindHistoryForm", "Show History Records", bsDialog, poScreenCenter, 392, 232},
          {
              // name               class          parent left top width height caption
              {"AllRadioButton", "TRadioButton", "", 16, 12, 200, 21, "All"},
              {"MaintenanceRadioButton", "TRadioButton", "", 16, 40, 240, 21, "Database Maintenance Only"},
              {"BookingIdRadioButton", "TRadioButton", "", 16, 68, 144, 21, "Booking Id"},
              {"BookingIdEdit", "TEdit", "", 164, 68, 90, 23},
              {"TaskIdRadioButton", "TRadioButton", "", 16, 96, 144, 21, "Task Id"},
              {"TaskIdEdit", "TEdit", "", 164, 96, 90, 23},
              {"DatesRadioButton", "TRadioButton", "", 16, 124, 144, 21, "Between Dates"},
              {"FromDatePicker", "TwwDBDateTimePicker", "", 164, 124, 104, 23},
              {"ToDatePicker", "TwwDBDateTimePicker", "", 276, 124, 104, 23},
              {"SortLabel", "TLabel", "", 16, 159, 144, 18, "Sort by"},
              {"SortComboBox", "TComboBox", "", 164, 156, 120, 23},
              {"OkButton", "TButton", "", 208, 196, 80, 25, "OK", "Default=True"},
              {"CancelButton", "TButton", "", 300, 196, 80, 25, "Cancel", "Cancel=True; ModalResult=mrCancel"},
          }) {
    MaintenanceRadioButton = Find<TRadioButton>("MaintenanceRadioButton");
    TaskIdRadioButton = Find<TRadioButton>("TaskIdRadioButton");
    TaskIdEdit = Find<TEdit>("TaskIdEdit");
    SortComboBox = Find<TComboBox>("SortComboBox");
    SortComboBox->SetStyle(csDropDownList);
    SortComboBox->Items().Add(QStringLiteral("BookingId"));
    SortComboBox->Items().Add(QStringLiteral("HistoryId"));
    SortComboBox->SetItemIndex(1);
    CheckOnTyping(*TaskIdEdit, *TaskIdRadioButton);
    Loaded();
}

void TFindHistoryForm::OkButtonClick() {
    THistoryForm history(this, data_);
    history.SortOrder = SortComboBox->Text().toLower();
    if (AllRadioButton->Checked()) {
        history.ShowAllHistory();
    } else if (MaintenanceRadioButton->Checked()) {
        history.ShowMaintenanceHistory();
    } else if (BookingIdRadioButton->Checked()) {
        int id = 0;
        if (!ReadId(*BookingIdEdit, QStringLiteral("You have not entered a valid Booking Id"), id)) return;
        history.ShowBookingHistory(id, GroupOf(id));
    } else if (TaskIdRadioButton->Checked()) {
        int id = 0;
        if (!ReadId(*TaskIdEdit, QStringLiteral("You have not entered a valid Task Id"), id)) return;
        history.ShowTaskHistory(id);
    } else {
        history.ShowDateRangeHistory(FromDatePicker->Date(), ToDatePicker->Date());
    }
    history.ShowModal();
}
