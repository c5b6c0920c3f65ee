// Password prompt loops over the Enter Password dialog.
#include "data/module/PasswordPrompts.h"

#include "data/module/DataWindows.h"
#include "platform/rtl/Messages.h"

namespace data {
namespace {

// Shows the dialog with the line until accepted says the typed text will do (true) or the user cancels.
bool AskUntilAccepted(const QString& line, const std::function<bool(const QString&)>& accepted) {
    const auto& askPassword = CurrentDataWindows().AskPassword;
    if (!askPassword) return false;
    QString password;
    while (askPassword(line, password))
        if (accepted(password)) return true;
    return false;
}

}  // namespace

int PromptDatabasePassword(const QString& fileName, const std::function<int(const QString&)>& connect) {
    int result = kPromptCancelled;
    AskUntilAccepted(QStringLiteral("The database ") + fileName +
                         QStringLiteral(" is password protected. Please enter the password."),
                     [&](const QString& password) {
                         result = connect(password);
                         if (result == kWrongPassword)
                             MessageDlg(QStringLiteral("Incorrect password. Please re-enter."), mtInformation, {mbOK});
                         return result == kConnected || result == kFileInUse;
                     });
    return result == kConnected || result == kFileInUse ? result : kPromptCancelled;
}

bool AskAdministratorPassword(const QString& databasePassword) {
    return AskUntilAccepted(
        QStringLiteral("The database is password protected. Please enter the password to perform the action you "
                       "have requested."),
        [&](const QString& password) {
            if (password == databasePassword) return true;
            MessageDlg(QStringLiteral("The password entered is incorrect. Please try again and make sure you use "
                                      "the correct upper and lower case."),
                       mtError, {mbOK});
            return false;
        });
}

}  // namespace data
