// The "Booking View Customization" dialog: one row per optional field with its Visible and TabStop boxes.
#include "booking/BookingCustomizationForm.h"

#include "platform/ui/Buttons.h"
#include "platform/ui/Containers.h"
#include "platform/ui/FormDescription.h"
#include "platform/ui/Label.h"

namespace {

using Field = TBookingCustomization::Field;

// The rows in the order the dialog shows them, with their captions.
struct FieldRow {
    Field field;
    const char* caption;
};

constexpr std::array<FieldRow, TBookingCustomization::FieldCount> kRows{{
    {TBookingCustomization::Email, "Email"},
    {TBookingCustomization::Phone, "Phone"},
    {TBookingCustomization::Address, "Address"},
    {TBookingCustomization::Description, "Description"},
    {TBookingCustomization::Notes, "Notes"},
    {TBookingCustomization::Reminder, "Reminder"},
    {TBookingCustomization::Udf1, "User Definable 1"},
    {TBookingCustomization::Udf2, "User Definable 2"},
}};

constexpr int kFirstRowTop = 48;
constexpr int kRowStep = 26;

std::vector<ui::ControlRow> CustomizationFormRows() {
    std::vector<ui::ControlRow> rows{
        // name                      class        parent                    left top width height caption
        {"FieldAttributesGroupBox", "TGroupBox", "", 16, 12, 318, 268, "Field Attributes"},
        {"VisibleLabel", "TLabel", "FieldAttributesGroupBox", 162, 24, 64, 18, "Visible"},
        {"TabStopLabel", "TLabel", "FieldAttributesGroupBox", 236, 24, 70, 18, "TabStop"},
    };
    for (size_t i = 0; i < kRows.size(); ++i) {
        const QString name = TBookingCustomization::RegistryName(kRows[i].field);
        const int top = kFirstRowTop + static_cast<int>(i) * kRowStep;
        rows.push_back({name + QStringLiteral("Label"), "TLabel", "FieldAttributesGroupBox", 16, top + 2, 140, 18,
                        QLatin1String(kRows[i].caption)});
        rows.push_back(
            {name + QStringLiteral("VisibleCheckBox"), "TCheckBox", "FieldAttributesGroupBox", 176, top, 21, 21});
        rows.push_back(
            {name + QStringLiteral("TabStopCheckBox"), "TCheckBox", "FieldAttributesGroupBox", 254, top, 21, 21});
    }
    rows.push_back({"OkButton", "TButton", "", 87, 292, 80, 25, "OK", "Default=True"});
    rows.push_back({"CancelButton", "TButton", "", 183, 292, 80, 25, "Cancel", "Cancel=True; ModalResult=mrCancel"});
    return rows;
}

}  // namespace

TBookingInfoViewCustomizeForm::TBookingInfoViewCustomizeForm(QWidget* owner) : TForm(owner) {
    ui::DescribeForm(*this,
                     {"BookingInfoViewCustomizeForm", "Booking View Customization", bsDialog, poScreenCenter, 350, 330},
                     CustomizationFormRows());
    FieldAttributesGroupBox = Find<TGroupBox>("FieldAttributesGroupBox");
    for (int field = 0; field < TBookingCustomization::FieldCount; ++field) {
        const QString name = TBookingCustomization::RegistryName(Field(field));
        VisibleCheckBoxes[field] = Find<TCheckBox>(name + QStringLiteral("VisibleCheckBox"));
        TabStopCheckBoxes[field] = Find<TCheckBox>(name + QStringLiteral("TabStopCheckBox"));
    }
    OkButton = Find<TButton>("OkButton");
    CancelButton = Find<TButton>("CancelButton");
    OnShow = [this](QObject*) { FormShow(); };
    OkButton->OnClick = [this](QObject*) { OkButtonClick(); };
    Loaded();
}

void TBookingInfoViewCustomizeForm::FormShow() {
    if (!Customization) return;
    for (int field = 0; field < TBookingCustomization::FieldCount; ++field) {
        VisibleCheckBoxes[field]->SetChecked(Customization->Item(Field(field)).Visible);
        TabStopCheckBoxes[field]->SetChecked(Customization->Item(Field(field)).TabStop);
    }
}

void TBookingInfoViewCustomizeForm::OkButtonClick() {
    if (Customization) {
        for (int field = 0; field < TBookingCustomization::FieldCount; ++field) {
            Customization->Item(Field(field)).Visible = VisibleCheckBoxes[field]->Checked();
            Customization->Item(Field(field)).TabStop = TabStopCheckBoxes[field]->Checked();
        }
    }
    SetModalResult(mrOk);
}
