// "Admin Login" of the resource, group and feature editors.
#include "admin/AdminLogin.h"

#include "data/forms/PasswordForms.h"
#include "data/module/DataModule.h"
#include "platform/rtl/Messages.h"

namespace admin {

bool LoginAsAdministrator(TData& data) {
    if (data.AdministratorMode) {
        ShowMessage(QStringLiteral("You already have administrator access"));
        return false;
    }
    TPasswordForm form;
    form.SetMessage(QStringLiteral("Please enter the Database password"));
    if (form.ShowModal() != mrOk) return false;
    if (form.GetPassword() != data.DatabasePassword) {
        MessageDlg(QStringLiteral("Incorrect password"), mtError, {mbOK});
        return false;
    }
    data.AdministratorMode = true;
    return true;
}

}  // namespace admin
