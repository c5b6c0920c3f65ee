// Filling and saving the database properties dialog.
#include "admin/DatabaseProperties.h"

#include "admin/DatabasePropertiesForm.h"
#include "controls/edit/DateTimePicker.h"
#include "data/bookings/WriteTransaction.h"
#include "data/module/DataModule.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Messages.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Edits.h"
#include "platform/ui/Lists.h"

namespace {

const QString kTitleSetting = QStringLiteral("TitleSetting");
const QString kTreat1159AsMidnight = QStringLiteral("Treat1159AsMidnight");
const QString kAllowUserSQLQueries = QStringLiteral("AllowUserSQLQueries");

TField& GlobalColumn(TData& data, const char* name) { return data.GlobalTable.FieldByName(QString::fromLatin1(name)); }

struct PermissionBox {
    const char* column;
    TCheckBox* TDatabasePropertiesForm::*box;
};
const PermissionBox kPermissionBoxes[] = {
    {"BookingAllowUserCreate", &TDatabasePropertiesForm::BookingAllowUserCreate},
    {"BookingOwnerOnlyModify", &TDatabasePropertiesForm::BookingOwnerOnlyModify},
    {"TaskAllowUserCreate", &TDatabasePropertiesForm::TaskAllowUserCreate},
    {"TaskOwnerOnlyModify", &TDatabasePropertiesForm::TaskOwnerOnlyModify},
    {"CheckReclaim", &TDatabasePropertiesForm::CheckReclaim},
};

// An empty text stores an empty value.
void SetNumberText(TField& field, const QString& text) {
    if (text.isEmpty()) field.Clear();
    else field.SetAsString(text);
}

void WriteGlobalRow(const TDatabasePropertiesForm& form, TData& data) {
    data.GlobalTable.Edit();
    GlobalColumn(data, "Title").SetAsString(form.DatabaseTitleEdit->Text());
    GlobalColumn(data, "UseridMode").SetAsInteger(form.NovellUsernameRadioButton->Checked() ? 2 : 1);
    GlobalColumn(data, "BookingRestrictMode")
        .SetAsInteger(form.MaxDaysAhead->Checked() ? 2
                      : form.UpToDate->Checked()   ? 3
                                                   : 1);
    SetNumberText(GlobalColumn(data, "BookingRestrictDaysAhead"), form.MaxDaysAheadEdit->Text());
    GlobalColumn(data, "BookingRestrictUntilDate").SetAsDateTime(form.UpToDateDateTimePicker->Date());
    for (const PermissionBox& permission : kPermissionBoxes)
        GlobalColumn(data, permission.column).SetAsBoolean((form.*permission.box)->Checked());
    SetNumberText(GlobalColumn(data, "CheckReclaimSize"), form.CheckReclaimSize->Text());
    GlobalColumn(data, "MinProgramVersion").SetAsString(form.MinProgramVersionComboBox->Text());
    data.GlobalTable.Post();
}

}  // namespace

namespace admin {

void FillDatabaseProperties(TDatabasePropertiesForm& form, TData& data) {
    data.GlobalTable.Requery();
    TDatabaseSettings& settings = *data.DatabaseSettings;
    settings.Load();
    form.Treat1159AsMidnightCheckBox->SetChecked(settings.GetBool(kTreat1159AsMidnight));
    const QString titleSetting = settings.GetValue(kTitleSetting);
    if (titleSetting == QLatin1String("Filename")) form.DatabaseTitleFilenameRadioButton->SetChecked(true);
    else if (titleSetting == QLatin1String("FilenameFullPath"))
        form.DatabaseTitleFilenameFullPathRadioButton->SetChecked(true);
    else form.DatabaseTitleUserSpecifiedRadioButton->SetChecked(true);
    form.DatabaseTitleEdit->SetText(GlobalColumn(data, "Title").AsString());
    if (GlobalColumn(data, "UseridMode").AsInteger() == 2) form.NovellUsernameRadioButton->SetChecked(true);
    else form.WorkstationLogonRadioButton->SetChecked(true);
    const qint64 restrictMode = GlobalColumn(data, "BookingRestrictMode").AsInteger();
    (restrictMode == 2   ? form.MaxDaysAhead
     : restrictMode == 3 ? form.UpToDate
                         : form.RestrictByResource)
        ->SetChecked(true);
    form.MaxDaysAheadEdit->SetText(GlobalColumn(data, "BookingRestrictDaysAhead").AsString());
    form.UpToDateDateTimePicker->SetDate(GlobalColumn(data, "BookingRestrictUntilDate").AsDateTime());
    for (const PermissionBox& permission : kPermissionBoxes)
        (form.*permission.box)->SetChecked(GlobalColumn(data, permission.column).AsBoolean());
    form.CheckReclaimSize->SetText(GlobalColumn(data, "CheckReclaimSize").AsString());
    form.SelectMinProgramVersion(GlobalColumn(data, "MinProgramVersion").AsString());
    form.AllowuserSQLQueriesCheckBox->SetChecked(settings.GetBool(kAllowUserSQLQueries));
}

bool SaveDatabaseProperties(const TDatabasePropertiesForm& form, TData& data) {
    if (form.ReadOnlyView) return true;
    TDatabaseSettings& settings = *data.DatabaseSettings;
    const TStringList before = settings.Values;
    try {
        data::WriteTransaction transaction(data.ADOConnection);
        settings.SetValue(kTitleSetting, form.DatabaseTitleFilenameRadioButton->Checked() ? QStringLiteral("Filename")
                                         : form.DatabaseTitleFilenameFullPathRadioButton->Checked()
                                             ? QStringLiteral("FilenameFullPath")
                                             : QStringLiteral("UserSpecified"));
        WriteGlobalRow(form, data);
        settings.SetBool(kTreat1159AsMidnight, form.Treat1159AsMidnightCheckBox->Checked());
        settings.SetBool(kAllowUserSQLQueries, form.AllowuserSQLQueriesCheckBox->Checked());
        settings.Save();
        transaction.Commit();
    } catch (const Exception& error) {
        // Nothing reached the file: the row and the settings are shown as they are stored.
        if (data.GlobalTable.State() == dsEdit) data.GlobalTable.Cancel();
        settings.Values.Assign(before);
        data.GlobalTable.Requery();
        MessageDlg(error.Message(), mtError, {mbOK});
        return false;
    }
    return true;
}

void ShowDatabaseProperties(TData& data, TSQLData& sqlData, const MainWindowServices& mainWindow,
                            std::function<void(const QString& topic)> showHelpTopic) {
    TDatabasePropertiesForm form(data, sqlData);
    form.OpenDataQuery = mainWindow.DataQuery;
    form.ShowHelpTopic = std::move(showHelpTopic);
    FillDatabaseProperties(form, data);
    if (form.ShowModal() == mrOk && !form.ReadOnlyView && SaveDatabaseProperties(form, data)) {
        Call(mainWindow.UpdateCommandStates);
        data.GlobalTable.Requery();
    }
    Call(mainWindow.UpdateCaption);
}

}  // namespace admin
