// The data layer's windows, installed into its hooks.
#include "data/forms/DataWindowsInstall.h"

#include "data/bookings/ExceptionLogWindow.h"
#include "data/forms/PasswordForms.h"
#include "data/forms/UpgradeConfirmForm.h"
#include "data/module/DataWindows.h"
#include "util/DvLog.h"

namespace data {

void InstallDataWindows() {
    CurrentDataWindows().AskPassword = [](const QString& line, QString& password) {
        TDatabasePasswordForm form;
        form.InfoMemo->Lines().SetStrings({line});
        form.FitMessage();
        if (form.ShowModal() != mrOk) return false;
        password = form.GetPassword();
        return true;
    };
    CurrentDataWindows().ConfirmUpgrade = [](const std::function<bool()>& checkAdministrator) {
        TUpgradeConfirmForm form(nullptr, checkAdministrator);
        return form.ShowModal() == mrOk;
    };
    CurrentExceptionLogWindow() = [](const ExceptionLogReport& report, const std::exception& error) {
        TDvLogExceptionDialog dialog;
        dialog.MsgLines.SetStrings(report.MessageLines);
        dialog.LogLines.SetStrings(report.LogLines);
        dialog.FExceptionInfoLines.SetStrings(report.ExceptionInfoLines);
        dialog.Execute(report.Caption, error, report.RegistryKey);
    };
}

}  // namespace data
