// TBookingInfoViewCustomizeForm: the "Booking View Customization" dialog, which shows and hides the booking
// window's optional fields and sets their tab stops.
#pragma once

#include "booking/BookingCustomization.h"
#include "platform/ui/Form.h"

#include <array>

class TButton;
class TCheckBox;
class TGroupBox;
class TLabel;

class TBookingInfoViewCustomizeForm : public TForm {
public:
    explicit TBookingInfoViewCustomizeForm(QWidget* owner);

    // Edited in place on OK; set by the caller before showing.
    TBookingCustomization* Customization = nullptr;

    TGroupBox* FieldAttributesGroupBox;
    // Indexed by TBookingCustomization::Field.
    std::array<TCheckBox*, TBookingCustomization::FieldCount> VisibleCheckBoxes{};
    std::array<TCheckBox*, TBookingCustomization::FieldCount> TabStopCheckBoxes{};
    TButton* OkButton;
    TButton* CancelButton;

private:
    void FormShow();
    void OkButtonClick();
};
