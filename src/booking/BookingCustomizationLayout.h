// The booking window's two arrangements of its fields ("Layout 1" and "Layout 2"), each applying the field
// customisation first, over the window's controls.
#pragma once

#include "booking/BookingCustomization.h"

#include <vector>

class TControl;

namespace booking {

// The controls an arrangement places. The rows above the optional fields keep their designed tops; the
// arrangement sets widths, the optional fields' places, their labels and their tab order.
struct BookingLayoutControls {
    // The client size of the top panel that holds the fields.
    int ClientWidth = 0;
    int ClientHeight = 0;
    TControl* ResourceCombo = nullptr;
    TControl* AllDayCheckBox = nullptr;
    // The row below the resource combo: its distance from the combo is the row step.
    TControl* StartDatePicker = nullptr;
    // Stretched to the end of the left column: the end date, phantom end date and end time pickers.
    std::vector<TControl*> EndPickers;
    TControl* ClientEdit = nullptr;
    TControl* ClientSearchButton = nullptr;
    BookingFieldControls Fields;
    // The OK and Cancel buttons meet at the middle of their panel's client width.
    TControl* OkButton = nullptr;
    TControl* CancelButton = nullptr;
    int ButtonPanelWidth = 0;
};

// Space kept free below the last field of a column.
inline constexpr int kFieldsBottomMargin = 8;

// Layout 2 for 2, Layout 1 for anything else. Applies the customisation (ApplyFieldCustomization) and places what
// is visible: hidden fields take no room, and the multi-line fields of a column share the height left.
void ArrangeBookingFields(int layout, const TBookingCustomization& customization,
                          const BookingLayoutControls& controls);

}  // namespace booking
