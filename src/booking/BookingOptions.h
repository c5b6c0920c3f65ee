// TEmailBookingOptions and TPrintBookingOptions: which fields an e-mailed or printed booking holds, kept per user.
#pragma once

class TEmailBookingOptions {
public:
    // Every option off; Load reads the stored ones.
    TEmailBookingOptions() = default;

    bool ShowBeforeSending = false;
    bool InclEmail = false;
    bool InclPhone = false;
    bool InclAddress = false;
    bool InclDescription = false;
    bool InclNotes = false;
    bool InclReminder = false;
    bool InclResourceNotes = false;
    bool InclResourceFeatures = false;
    bool InclUDF1 = false;
    bool InclUDF2 = false;

    // From the read key's "Mail" subkey; a missing value or key takes its default.
    void Load();
    // To the current key's "Mail" subkey.
    void Save() const;
    void Assign(const TEmailBookingOptions& source) { *this = source; }
};

class TPrintBookingOptions {
public:
    // Loads the stored options.
    TPrintBookingOptions();

    bool NewPage = true;
    bool KeepTogether = true;
    // Kept and written back, though neither the dialog nor the printout uses them.
    bool InclEmail = true;
    bool InclPhone = true;
    bool InclAddress = true;
    bool InclDescription = true;
    bool InclNotes = false;
    bool InclReminder = false;
    bool InclResourceNotes = false;
    bool InclResourceFeatures = false;
    bool InclUDF1 = true;
    bool InclUDF2 = true;

    // To the current key's "Reports\BR" subkey.
    void Save() const;
    void Assign(const TPrintBookingOptions& source) { *this = source; }
};
