// Who the user of the open database is, by the identity mode the database chose.
#include "data/bookings/UserIdentity.h"
#include "data/module/DataModule.h"
#include "platform/rtl/Messages.h"

namespace {

constexpr int kLoginNameMode = 1;
constexpr int kNetWareMode = 2;

}  // namespace

void TData::RefreshUserId() {
    if (!ADOConnection.Connected()) return;
    CurrentUseridMode = static_cast<qint32>(GlobalTable.FieldByName(QStringLiteral("UseridMode")).AsInteger());
    if (CurrentUseridMode == kNetWareMode) {
        DvNwClient.DetectUser();
        if (DvNwClient.Present) {
            UserId = DvNwClient.UserName;
            return;
        }
        MessageDlg(QStringLiteral("The database administrator has selected Novell Username as identification. A "
                                  "Novell Client was not detected on this computer thus limiting functionality."),
                   mtInformation, {mbOK});
        UserId.clear();
    } else if (CurrentUseridMode == kLoginNameMode) {
        UserId = GetWindowsUserName();
    } else {
        UserId.clear();
        CurrentUseridMode = 0;
    }
}

QString TData::CurrentUserId() {
    if (GlobalTable.Active() && GlobalTable.FieldByName(QStringLiteral("UseridMode")).AsInteger() != CurrentUseridMode)
        RefreshUserId();
    return UserId;
}

QString TData::CurrentUserId(int columnSize) { return data::FitToColumn(CurrentUserId(), columnSize); }

QString TData::GetWindowsUserName() { return data::LoginUserName(); }
