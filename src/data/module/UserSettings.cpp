// Loading and saving the per-user settings through the version keys.
#include "data/module/UserSettings.h"

#include "util/core/DvRegistry.h"
#include "util/core/VersionHistory.h"

namespace {

const QString kMailKey = QStringLiteral("Mail");
const QString kAuthDefault = QStringLiteral("default");
const QString kAuthNone = QStringLiteral("none");

void ReadMailSettings(TDvRegistry& reg, TEMailSettings& s) {
    const TEMailSettings defaults;
    s.Host = reg.ReadStringDefault(QStringLiteral("Host"), defaults.Host);
    s.Username = reg.ReadStringDefault(QStringLiteral("Username"), defaults.Username);
    s.Port = reg.ReadIntegerDefault(QStringLiteral("Port"), defaults.Port);
    s.AuthType = reg.ReadStringDefault(QStringLiteral("AuthType"), kAuthDefault).toLower() != kAuthNone;
    s.AllowPlainTextPassword =
        reg.ReadBoolDefault(QStringLiteral("AllowPlainTextPassword"), defaults.AllowPlainTextPassword);
    s.SenderName = reg.ReadStringDefault(QStringLiteral("SenderName"), defaults.SenderName);
    s.SenderAddress = reg.ReadStringDefault(QStringLiteral("SenderAddress"), defaults.SenderAddress);
    s.ReplyTo = reg.ReadStringDefault(QStringLiteral("ReplyTo"), defaults.ReplyTo);
    s.Organization = reg.ReadStringDefault(QStringLiteral("Organization"), defaults.Organization);
    s.Signature = reg.ReadStringDefault(QStringLiteral("Signature"), defaults.Signature);
    s.Subject = reg.ReadStringDefault(QStringLiteral("Subject"), defaults.Subject);
    s.BCCSender = reg.ReadBoolDefault(QStringLiteral("BCCSender"), defaults.BCCSender);
    s.BCCOther = reg.ReadBoolDefault(QStringLiteral("BCCOther"), defaults.BCCOther);
    s.BCCOtherAddress = reg.ReadStringDefault(QStringLiteral("BCCOtherAddress"), defaults.BCCOtherAddress);
    s.ReturnReceipt = reg.ReadBoolDefault(QStringLiteral("ReturnReceipt"), defaults.ReturnReceipt);
}

void WriteMailSettings(TRegistry& reg, const TEMailSettings& s) {
    reg.WriteString(QStringLiteral("Host"), s.Host);
    reg.WriteInteger(QStringLiteral("Port"), s.Port);
    reg.WriteString(QStringLiteral("Username"), s.Username);
    reg.WriteString(QStringLiteral("AuthType"), s.AuthType ? kAuthDefault : kAuthNone);
    reg.WriteBool(QStringLiteral("AllowPlainTextPassword"), s.AllowPlainTextPassword);
    reg.WriteString(QStringLiteral("SenderName"), s.SenderName);
    reg.WriteString(QStringLiteral("SenderAddress"), s.SenderAddress);
    reg.WriteString(QStringLiteral("ReplyTo"), s.ReplyTo);
    reg.WriteString(QStringLiteral("Organization"), s.Organization);
    reg.WriteString(QStringLiteral("Signature"), s.Signature);
    reg.WriteString(QStringLiteral("Subject"), s.Subject);
    reg.WriteBool(QStringLiteral("BCCSender"), s.BCCSender);
    reg.WriteBool(QStringLiteral("BCCOther"), s.BCCOther);
    reg.WriteString(QStringLiteral("BCCOtherAddress"), s.BCCOtherAddress);
    reg.WriteBool(QStringLiteral("ReturnReceipt"), s.ReturnReceipt);
}

}  // namespace

void TUserSettings::LoadUserSettings(const TApplicationVersionHistory& history) {
    const TUserSettings defaults;
    {
        TDvRegistry reg;
        history.OpenReadKey(reg);
        MRUDatabase = reg.ReadStringDefault(QStringLiteral("MRUDatabase"), defaults.MRUDatabase);
        CheckReminders = reg.ReadBoolDefault(QStringLiteral("CheckReminders"), defaults.CheckReminders);
        AlwaysShowEndDate = reg.ReadBoolDefault(QStringLiteral("AlwaysShowEndDate"), defaults.AlwaysShowEndDate);
        DisplayAs24Hour = reg.ReadBoolDefault(QStringLiteral("DisplayAs24Hour"), defaults.DisplayAs24Hour);
    }
    TDvRegistry reg;
    history.OpenReadKey(reg, kMailKey);
    UseMAPI = reg.ReadBoolDefault(QStringLiteral("UseMAPI"), defaults.UseMAPI);
    ShowInternalAddressBook = reg.ReadBoolDefault(QStringLiteral("UseMAPIAB"), defaults.ShowInternalAddressBook);
    ShowMapiAddressBook = reg.ReadBoolDefault(QStringLiteral("UseInternalAB"), defaults.ShowMapiAddressBook);
    ReadMailSettings(reg, EMailSettings);
}

void TUserSettings::SaveUserSettings(const TApplicationVersionHistory& history, const QString& databaseFileName) const {
    {
        TRegistry reg;
        if (!history.OpenWriteKey(reg)) return;
        reg.WriteString(QStringLiteral("MRUDatabase"), databaseFileName);
        reg.WriteBool(QStringLiteral("CheckReminders"), CheckReminders);
        reg.WriteBool(QStringLiteral("AlwaysShowEndDate"), AlwaysShowEndDate);
        reg.WriteBool(QStringLiteral("DisplayAs24Hour"), DisplayAs24Hour);
    }
    TRegistry reg;
    if (!history.OpenWriteKey(reg, kMailKey)) return;
    reg.WriteBool(QStringLiteral("UseMAPI"), UseMAPI);
    reg.WriteBool(QStringLiteral("UseMAPIAB"), ShowInternalAddressBook);
    reg.WriteBool(QStringLiteral("UseInternalAB"), ShowMapiAddressBook);
    WriteMailSettings(reg, EMailSettings);
}

bool TUserSettings::IsSmtpConfigured() {
    SmtpConfigured = !EMailSettings.Host.trimmed().isEmpty() && !EMailSettings.SenderAddress.trimmed().isEmpty();
    return SmtpConfigured;
}
