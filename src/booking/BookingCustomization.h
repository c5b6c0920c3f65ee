// TBookingCustomization: which optional fields the booking window shows and which are tab stops, kept per user;
// and how a customisation is applied to the window's controls.
#pragma once

#include <QString>
#include <array>
#include <memory>

class TDvRegistry;
class TControl;

class TBookingFieldCustomization {
public:
    bool TabStop = false;
    bool Visible = false;

    // The values name + "tabstop" and name + "visible" of the open key; true when missing.
    void LoadFromRegistry(TDvRegistry& reg, const QString& name);
    void SaveToRegistry(TDvRegistry& reg, const QString& name) const;
};

class TBookingCustomization {
public:
    // The fields in their stored order.
    enum Field { Email, Phone, Address, Udf1, Udf2, Description, Notes, Reminder, FieldCount };

    TBookingCustomization();
    ~TBookingCustomization();
    TBookingCustomization(const TBookingCustomization&) = delete;
    TBookingCustomization& operator=(const TBookingCustomization&) = delete;

    TBookingFieldCustomization& Item(Field field) { return *fields_[field]; }
    const TBookingFieldCustomization& Item(Field field) const { return *fields_[field]; }
    // The field's name in the registry ("Email", "Udf1", ...).
    static QString RegistryName(Field field);

    // The key path is below HKEY_CURRENT_USER; a key that cannot be opened reads as all defaults (all true).
    void LoadFromRegistry(const QString& keyPath);
    // Creates the key when missing; writes nothing when it cannot be opened.
    void SaveToRegistry(const QString& keyPath) const;
    // Every field visible and a tab stop.
    void RestoreDefaults();

private:
    std::array<std::unique_ptr<TBookingFieldCustomization>, FieldCount> fields_;
};

namespace booking {

// One customisable field of the booking window: its edit and the label beside it.
struct CustomizedFieldControls {
    TControl* Edit = nullptr;
    TControl* Label = nullptr;
};

// The booking window's customisable fields, in the customisation's order, and whether the database has the two
// custom fields.
struct BookingFieldControls {
    std::array<CustomizedFieldControls, TBookingCustomization::FieldCount> Fields;
    bool Udf1Exists = false;
    bool Udf2Exists = false;
};

// Run at the start of each arrangement, for both layouts: each edit takes its TabStop, and each edit and its
// label its Visible; a custom field shows only when the database has it.
void ApplyFieldCustomization(const TBookingCustomization& customization, const BookingFieldControls& controls);

}  // namespace booking
