// The booking window's field customisation: its registry form and how it is applied to the controls.
#include "booking/BookingCustomization.h"

#include "platform/ui/Control.h"
#include "util/core/DvRegistry.h"

void TBookingFieldCustomization::LoadFromRegistry(TDvRegistry& reg, const QString& name) {
    TabStop = reg.ReadBoolDefault(name + QStringLiteral("tabstop"), true);
    Visible = reg.ReadBoolDefault(name + QStringLiteral("visible"), true);
}

void TBookingFieldCustomization::SaveToRegistry(TDvRegistry& reg, const QString& name) const {
    reg.WriteBool(name + QStringLiteral("tabstop"), TabStop);
    reg.WriteBool(name + QStringLiteral("visible"), Visible);
}

TBookingCustomization::TBookingCustomization() {
    for (auto& field : fields_) field = std::make_unique<TBookingFieldCustomization>();
}

TBookingCustomization::~TBookingCustomization() = default;

QString TBookingCustomization::RegistryName(Field field) {
    static const std::array<const char*, FieldCount> names{"Email", "Phone",       "Address", "Udf1",
                                                           "Udf2",  "Description", "Notes",   "Reminder"};
    return QLatin1String(names[field]);
}

void TBookingCustomization::LoadFromRegistry(const QString& keyPath) {
    TDvRegistry reg(KEY_READ);
    reg.SetRootKey(HKEY_CURRENT_USER);
    if (!reg.OpenKeyReadOnly(keyPath)) {
        RestoreDefaults();
        return;
    }
    for (int field = 0; field < FieldCount; ++field) fields_[field]->LoadFromRegistry(reg, RegistryName(Field(field)));
}

void TBookingCustomization::SaveToRegistry(const QString& keyPath) const {
    TDvRegistry reg;
    reg.SetRootKey(HKEY_CURRENT_USER);
    if (!reg.OpenKey(keyPath, true)) return;
    for (int field = 0; field < FieldCount; ++field) fields_[field]->SaveToRegistry(reg, RegistryName(Field(field)));
}

void TBookingCustomization::RestoreDefaults() {
    for (auto& field : fields_) field->TabStop = field->Visible = true;
}

namespace booking {

void ApplyFieldCustomization(const TBookingCustomization& customization, const BookingFieldControls& controls) {
    for (int index = 0; index < TBookingCustomization::FieldCount; ++index) {
        const auto field = TBookingCustomization::Field(index);
        const TBookingFieldCustomization& item = customization.Item(field);
        const CustomizedFieldControls& pair = controls.Fields[index];
        bool visible = item.Visible;
        if (field == TBookingCustomization::Udf1) visible = visible && controls.Udf1Exists;
        if (field == TBookingCustomization::Udf2) visible = visible && controls.Udf2Exists;
        if (pair.Edit) {
            pair.Edit->SetTabStop(item.TabStop);
            pair.Edit->SetVisible(visible);
        }
        if (pair.Label) pair.Label->SetVisible(visible);
    }
}

}  // namespace booking
