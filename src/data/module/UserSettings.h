// The data module's per-user settings: most recent database, reminders, time display and mail.
#pragma once

#include "data/module/EMailSettings.h"

#include <QString>

class TApplicationVersionHistory;

class TUserSettings {
public:
    QString MRUDatabase;
    bool CheckReminders = true;
    bool AlwaysShowEndDate = false;
    bool DisplayAs24Hour = false;
    // Send through the system's mail program instead of the program's own SMTP client.
    bool UseMAPI = true;
    // Whether the address book window lists its own address book and the mail program's. They are stored
    // crossed, as the settings of earlier versions have them: ShowInternalAddressBook under "UseMAPIAB" and
    // ShowMapiAddressBook under "UseInternalAB".
    bool ShowInternalAddressBook = true;
    bool ShowMapiAddressBook = true;
    TEMailSettings EMailSettings;
    // The last answer of IsSmtpConfigured.
    bool SmtpConfigured = false;

    // Reads every value from the history's read key and its "Mail" subkey; a missing or wrong-kind
    // value gives its default.
    void LoadUserSettings(const TApplicationVersionHistory& history);
    // Writes every value to the current key (MRUDatabase := the last database opened in this run) and
    // its "Mail" subkey; nothing is written when the key cannot be opened.
    void SaveUserSettings(const TApplicationVersionHistory& history, const QString& databaseFileName) const;
    // Host and sender address both given (after trimming); the answer is kept in SmtpConfigured.
    bool IsSmtpConfigured();
};
