// Placing the booking window's fields in two columns for either layout.
#include "booking/BookingCustomizationLayout.h"

#include "platform/ui/Control.h"

#include <QWidget>
#include <algorithm>

namespace booking {

namespace {

using Field = TBookingCustomization::Field;

bool IsMultiLine(Field field) {
    return field == TBookingCustomization::Address || field == TBookingCustomization::Description ||
           field == TBookingCustomization::Notes || field == TBookingCustomization::Reminder;
}

// One column of the grid: where its edits start and end, and the row step.
struct Column {
    int left;
    int right;
    int step;
    int bottom;
};

// A label stands 10 pixels left of its edit, at the edit's row.
void PlaceLabel(TControl* label, const TControl& edit, int rowHeight) {
    if (!label) return;
    label->SetLeft(edit.Left() - 10 - label->Width());
    label->SetTop(edit.Top() + std::max(0, (rowHeight - label->Height()) / 2));
}

// Places the visible fields of a column from top: single-line fields a row each, the multi-line ones sharing
// what is left of the height with 3 pixels between them.
void PlaceColumn(const BookingLayoutControls& c, const Column& column, int top, const std::vector<Field>& fields) {
    const int rowHeight = c.ClientEdit ? c.ClientEdit->Height() : 21;
    std::vector<Field> shown;
    for (const Field field : fields)
        if (c.Fields.Fields[field].Edit && c.Fields.Fields[field].Edit->Visible()) shown.push_back(field);
    int y = top;
    int multiLine = 0;
    for (const Field field : shown) multiLine += IsMultiLine(field) ? 1 : 0;
    int singleLinesLeft = 0;
    for (const Field field : shown) singleLinesLeft += IsMultiLine(field) ? 0 : 1;
    for (const Field field : shown) {
        TControl& edit = *c.Fields.Fields[field].Edit;
        int height = edit.Height();
        if (IsMultiLine(field)) {
            // Rows still to come are kept free; the rest is shared by the multi-line fields still to place.
            const int left = column.bottom - y - singleLinesLeft * column.step - 3 * (multiLine - 1);
            height = std::max(rowHeight, left / multiLine);
            --multiLine;
        } else {
            --singleLinesLeft;
        }
        edit.SetBounds(column.left, y, column.right - column.left, height);
        PlaceLabel(c.Fields.Fields[field].Label, edit, rowHeight);
        y += IsMultiLine(field) ? height + 3 : column.step;
    }
}

void SetTabOrder(const BookingLayoutControls& c, const std::vector<Field>& order) {
    QWidget* previous = c.ClientSearchButton ? &c.ClientSearchButton->Widget() : nullptr;
    for (const Field field : order) {
        TControl* edit = c.Fields.Fields[field].Edit;
        if (!edit) continue;
        if (previous) QWidget::setTabOrder(previous, &edit->Widget());
        previous = &edit->Widget();
    }
}

}  // namespace

void ArrangeBookingFields(int layout, const TBookingCustomization& customization, const BookingLayoutControls& c) {
    using C = TBookingCustomization;
    ApplyFieldCustomization(customization, c.Fields);
    if (!c.ResourceCombo || !c.StartDatePicker || !c.ClientEdit) return;

    const int step = c.StartDatePicker->Top() - c.ResourceCombo->Top();
    const int middle = c.ClientWidth / 2;
    const int bottom = c.ClientHeight - kFieldsBottomMargin;
    const Column left{c.ResourceCombo->Left(), middle - 6, step, bottom};
    int widestLabel = 0;
    for (const Field field : {C::Udf1, C::Udf2, C::Description, C::Reminder, C::Notes}) {
        const TControl* label = c.Fields.Fields[field].Label;
        if (label && label->Visible()) widestLabel = std::max(widestLabel, label->Width());
    }
    const Column right{middle + 22 + widestLabel, c.ClientWidth - 16, step, bottom};

    // The fixed rows take the left column's width.
    int comboRight = left.right;
    if (c.AllDayCheckBox) {
        comboRight = left.right - c.AllDayCheckBox->Width();
        c.AllDayCheckBox->SetLeft(comboRight);
        comboRight -= 12;
    }
    c.ResourceCombo->SetWidth(comboRight - c.ResourceCombo->Left());
    for (TControl* picker : c.EndPickers)
        if (picker) picker->SetWidth(left.right - picker->Left());
    int clientRight = left.right;
    if (c.ClientSearchButton) {
        clientRight -= c.ClientSearchButton->Width();
        c.ClientSearchButton->SetLeft(clientRight);
        clientRight -= 2;
    }
    c.ClientEdit->SetWidth(clientRight - c.ClientEdit->Left());
    if (c.OkButton) c.OkButton->SetLeft(c.ButtonPanelWidth / 2 - 6 - c.OkButton->Width());
    if (c.CancelButton) c.CancelButton->SetLeft(c.ButtonPanelWidth / 2 + 6);

    const int belowClient = c.ClientEdit->Top() + step;
    const int resourceRow = c.ResourceCombo->Top();
    if (layout == 2) {
        PlaceColumn(c, left, belowClient, {C::Email, C::Phone, C::Address});
        PlaceColumn(c, right, resourceRow, {C::Udf1, C::Udf2, C::Description, C::Reminder, C::Notes});
        SetTabOrder(c, {C::Email, C::Phone, C::Address, C::Udf1, C::Udf2, C::Description, C::Reminder, C::Notes});
    } else {
        PlaceColumn(c, left, belowClient, {C::Description, C::Notes});
        PlaceColumn(c, right, resourceRow, {C::Udf1, C::Udf2, C::Email, C::Phone, C::Address, C::Reminder});
        SetTabOrder(c, {C::Description, C::Notes, C::Udf1, C::Udf2, C::Email, C::Phone, C::Address, C::Reminder});
    }
}

}  // namespace booking
