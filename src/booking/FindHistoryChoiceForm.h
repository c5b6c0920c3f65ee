// TFindHistoryChoiceForm: what the two history search windows share: "All" or another choice of radio
// buttons, a booking id, two linked date pickers and OK and Cancel; OK lists and the window stays open.
#pragma once

#include "platform/ui/Form.h"
#include "platform/ui/FormDescription.h"

class TData;
class TButton;
class TEdit;
class TRadioButton;
class TwwDBDateTimePicker;

class TFindHistoryChoiceForm : public TForm {
public:
    // The rows must name AllRadioButton, BookingIdRadioButton, BookingIdEdit, DatesRadioButton, FromDatePicker,
    // ToDatePicker, OkButton and CancelButton.
    TFindHistoryChoiceForm(QWidget* owner, TData& data, const ui::FormFrame& frame,
                           const std::vector<ui::ControlRow>& rows);

    TRadioButton* AllRadioButton;
    TRadioButton* BookingIdRadioButton;
    TEdit* BookingIdEdit;
    TRadioButton* DatesRadioButton;
    TwwDBDateTimePicker* FromDatePicker;
    TwwDBDateTimePicker* ToDatePicker;
    TButton* OkButton;
    TButton* CancelButton;

protected:
    // The list of the choice; the window stays open for another search.
    virtual void OkButtonClick() = 0;
    // The whole number in an id box; false after the message when it holds none.
    static bool ReadId(const TEdit& edit, const QString& message, int& id);
    // The booking's group from the data module's shadow Bookings table; -1 when not found or in none.
    int GroupOf(int bookingId) const;
    // Checks the radio button when the user types into the edit.
    static void CheckOnTyping(TEdit& edit, TRadioButton& radio);

    TData& data_;

private:
    void DateChange(bool first);
    bool settingDates_ = false;
};
