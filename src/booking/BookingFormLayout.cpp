// The booking window's field arrangement: its two layouts and the field customisation.
#include "booking/BookingCustomizationForm.h"
#include "booking/BookingCustomizationLayout.h"
#include "booking/BookingForm.h"
#include "booking/TaskEditFrame.h"
#include "controls/edit/DateTimePicker.h"
#include "controls/edit/WwDBComboBox.h"
#include "controls/edit/WwDBEdit.h"
#include "controls/grid/Wwdblook.h"
#include "data/module/DataModule.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Containers.h"
#include "platform/ui/Label.h"
#include "platform/ui/Menus.h"

void TBookingForm::FormResize() {
    if (!MidPanel) return;
    booking::BookingLayoutControls controls;
    controls.ClientWidth = MidPanel->ClientWidth();
    controls.ClientHeight = MidPanel->ClientHeight();
    controls.ResourceCombo = ResourceNameLookupCombo;
    controls.AllDayCheckBox = AllDayCheckBox;
    controls.StartDatePicker = StartDatePicker;
    controls.EndPickers = {EndDatePicker, PhantomEndDatePicker, EndTimePicker};
    controls.ClientEdit = ClientDBEdit;
    controls.ClientSearchButton = ClientSearchButton;
    using C = TBookingCustomization;
    auto& fields = controls.Fields.Fields;
    fields[C::Email] = {EmailDBEdit, EmailLabel};
    fields[C::Phone] = {PhoneDBEdit, PhoneLabel};
    fields[C::Address] = {AddressDBEdit, AddressLabel};
    fields[C::Udf1] = {udf1DBEdit, udf1Label};
    fields[C::Udf2] = {udf2DBEdit, udf2Label};
    fields[C::Description] = {DescriptionDBEdit, DescriptionLabel};
    fields[C::Notes] = {NotesDBEdit, NotesLabel};
    fields[C::Reminder] = {ReminderDBEdit, ReminderLabel};
    controls.Fields.Udf1Exists = data_.Udf1Field != nullptr;
    controls.Fields.Udf2Exists = data_.Udf2Field != nullptr;
    controls.OkButton = OkButton;
    controls.CancelButton = CancelButton;
    controls.ButtonPanelWidth = Find<TPanel>(QStringLiteral("BottomPanel"))->ClientWidth();
    try {
        booking::ArrangeBookingFields(Layout, Customization, controls);
    } catch (const std::exception&) {
        // A window that cannot be arranged keeps the places it had.
    }
    // The task frame fills the task panel's width, its group box 16 pixels in from either side.
    TaskEditFrame->TaskGroupBox->SetLeft(16);
    TaskEditFrame->resize(TaskPanel->ClientWidth(), TaskEditFrame->height());
    TaskEditFrame->FrameResize();
    // The time drop-downs stay at their pickers' right edges.
    for (TwwDBComboBox* combo : {StartTimeComboBox, EndTimeComboBox})
        if (combo) combo->SetLeft(combo->Widget().parentWidget()->width() - combo->Width() - 2);
}

void TBookingForm::ChooseLayout(int layout) {
    Layout = layout;
    Item(QStringLiteral("Layout1Item"))->SetChecked(Layout != 2);
    Item(QStringLiteral("Layout2Item"))->SetChecked(Layout == 2);
    FormResize();
}

void TBookingForm::Layout1ItemClick() { ChooseLayout(1); }

void TBookingForm::Layout2ItemClick() { ChooseLayout(2); }

void TBookingForm::CustomizeItemClick() {
    TBookingInfoViewCustomizeForm dialog(this);
    dialog.Customization = &Customization;
    if (dialog.ShowModal() == mrOk) FormResize();
}

void TBookingForm::RestoreDefaultView1Click() {
    Customization.RestoreDefaults();
    ChooseLayout(1);
}
