// The custom fields command around its dialog.
#include "admin/CustomFields.h"

#include "admin/CustomFieldsForm.h"
#include "data/bookings/UDFField.h"
#include "data/module/ConnectionInfo.h"
#include "data/module/DataModule.h"
#include "platform/rtl/Messages.h"
#include "platform/rtl/StringList.h"

namespace {

std::unique_ptr<TUDFField> CopyOfField(const std::unique_ptr<TUDFField>& field) {
    if (!field) return nullptr;
    auto copy = std::make_unique<TUDFField>();
    copy->Assign(*field);
    return copy;
}

}  // namespace

namespace admin {

void ChangeCustomFields(TData& data, const MainWindowServices& mainWindow,
                        std::function<void(const QString& topic)> showHelpTopic) {
    TStringList computers;
    data.GetConnectedComputers(computers);
    if (computers.Count() >= 2) {
        MessageDlg(QStringLiteral("Could not get exclusive access to database"), mtInformation, {mbOK});
        return;
    }
    if (!data.CheckAdministrator()) return;
    Call(mainWindow.BeginExclusiveWork);
    TDatabaseConnectionInfo info;
    info.ParseConnectionString(data.ADOConnection);
    TCustomFieldsForm form(data);
    form.ShowHelpTopic = std::move(showHelpTopic);
    form.Field1 = CopyOfField(data.Udf1Field);
    form.Field2 = CopyOfField(data.Udf2Field);
    Call(mainWindow.RememberResourceAndGroupPosition);
    Call(mainWindow.CloseDatabase);
    data.ConnectExclusive(info);
    try {
        form.ShowModal();
    } catch (...) {
        data.DisconnectDatabase();
        throw;
    }
    data.DisconnectDatabase();
    Call(mainWindow.OpenDatabase, info.DataSource, info.Password,
         QStringLiteral("Re-opening database in multi-user mode..."));
    Call(mainWindow.RestoreResourceAndGroupPosition);
    Call(mainWindow.EndExclusiveWork);
}

}  // namespace admin
