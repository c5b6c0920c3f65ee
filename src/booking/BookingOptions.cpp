// The e-mail and print options of a booking, read from the read key and written to the current key.
#include "booking/BookingOptions.h"

#include "util/core/DvRegistry.h"
#include "util/core/VersionHistory.h"

#include <array>
#include <utility>

namespace {

const QString kMailKey = QStringLiteral("\\Mail");
const QString kPrintKey = QStringLiteral("\\Reports\\BR");

// One stored option: its value name, its member and its default when loaded.
template <class Options>
struct OptionValue {
    const char* name;
    bool Options::*member;
    bool defaultValue;
};

const std::array<OptionValue<TEmailBookingOptions>, 11> kEmailValues{{
    {"ShowBeforeSending", &TEmailBookingOptions::ShowBeforeSending, true},
    {"InclEmail", &TEmailBookingOptions::InclEmail, true},
    {"InclPhone", &TEmailBookingOptions::InclPhone, true},
    {"InclAddress", &TEmailBookingOptions::InclAddress, true},
    {"InclDescription", &TEmailBookingOptions::InclDescription, true},
    {"InclNotes", &TEmailBookingOptions::InclNotes, false},
    {"InclReminder", &TEmailBookingOptions::InclReminder, false},
    {"InclResourceNotes", &TEmailBookingOptions::InclResourceNotes, false},
    {"InclResourceFeatures", &TEmailBookingOptions::InclResourceFeatures, false},
    {"InclUDF1", &TEmailBookingOptions::InclUDF1, false},
    {"InclUDF2", &TEmailBookingOptions::InclUDF2, false},
}};

const std::array<OptionValue<TPrintBookingOptions>, 12> kPrintValues{{
    {"NewPage", &TPrintBookingOptions::NewPage, true},
    {"KeepTogether", &TPrintBookingOptions::KeepTogether, true},
    {"InclEmail", &TPrintBookingOptions::InclEmail, true},
    {"InclPhone", &TPrintBookingOptions::InclPhone, true},
    {"InclAddress", &TPrintBookingOptions::InclAddress, true},
    {"InclDescription", &TPrintBookingOptions::InclDescription, true},
    {"InclNotes", &TPrintBookingOptions::InclNotes, false},
    {"InclReminder", &TPrintBookingOptions::InclReminder, false},
    {"InclResourceNotes", &TPrintBookingOptions::InclResourceNotes, false},
    {"InclResourceFeatures", &TPrintBookingOptions::InclResourceFeatures, false},
    {"InclUDF1", &TPrintBookingOptions::InclUDF1, true},
    {"InclUDF2", &TPrintBookingOptions::InclUDF2, true},
}};

// Every value takes its default first, so a missing key reads as all defaults.
template <class Options, size_t N>
void Read(Options& options, const std::array<OptionValue<Options>, N>& values, const QString& key) {
    TDvRegistry reg(KEY_READ);
    const bool open = VersionHistory && VersionHistory->OpenReadKey(reg, key);
    for (const auto& value : values)
        options.*value.member =
            open ? reg.ReadBoolDefault(QLatin1String(value.name), value.defaultValue) : value.defaultValue;
}

template <class Options, size_t N>
void Write(const Options& options, const std::array<OptionValue<Options>, N>& values, const QString& key) {
    TDvRegistry reg;
    if (!VersionHistory || !VersionHistory->OpenWriteKey(reg, key)) return;
    for (const auto& value : values) reg.WriteBool(QLatin1String(value.name), options.*value.member);
}

}  // namespace

void TEmailBookingOptions::Load() { Read(*this, kEmailValues, kMailKey); }

void TEmailBookingOptions::Save() const { Write(*this, kEmailValues, kMailKey); }

TPrintBookingOptions::TPrintBookingOptions() { Read(*this, kPrintValues, kPrintKey); }

void TPrintBookingOptions::Save() const { Write(*this, kPrintValues, kPrintKey); }
