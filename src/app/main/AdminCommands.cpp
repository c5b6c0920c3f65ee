#include "app/main/AdminCommands.h"

#include "admin/AboutForm.h"
#include "admin/AddResourceWizard.h"
#include "admin/BackupRecommendation.h"
#include "admin/CheckDatabaseForm.h"
#include "admin/CompactCommands.h"
#include "admin/CustomFields.h"
#include "admin/DataQuery.h"
#include "admin/DatabaseInfoForm.h"
#include "admin/DatabaseProperties.h"
#include "admin/DeleteAndPurgeForm.h"
#include "admin/EditFeatureForm.h"
#include "admin/EditGroupForm.h"
#include "admin/EditResourceForm.h"
#include "admin/ExportData.h"
#include "admin/ImportData.h"
#include "admin/NewDatabaseWizard.h"
#include "admin/UserListForm.h"
#include "app/grids/ResourceEditorHook.h"
#include "app/main/MainForm.h"
#include "app/main/ProgramRun.h"
#include "data/module/DataModule.h"
#include "data/module/SQLDataModule.h"
#include "platform/ui/Bars.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Timer.h"
#include "util/HelpRouter.h"

namespace {

void RequeryAndLocate(TADOQuery& query, const QString& field, const QVariant& value) {
    if (!query.Active()) return;
    query.DisableControls();
    try {
        query.Requery();
        if (!value.isNull()) query.Locate(field, value);
    } catch (...) {
        query.EnableControls();
        throw;
    }
    query.EnableControls();
}

// The new resource becomes the main window's current one; its current group stays.
void ShowAddedResource(TMainForm& form, int resourceId) {
    const QString group = form.GroupsQuery.Active() && !form.GroupsQuery.Eof()
                              ? form.GroupsQuery.FieldByName(QStringLiteral("GroupName")).AsString()
                              : QString();
    RequeryAndLocate(form.ResourcesQuery, QStringLiteral("ResourceId"), resourceId);
    RequeryAndLocate(form.GroupsQuery, QStringLiteral("GroupName"), group);
    form.FillResourceTree();
    if (form.RefreshView) form.RefreshView();
}

admin::MainWindowServices ServicesOf(TMainForm& form) {
    admin::MainWindowServices services;
    services.CloseDatabase = [&form] { form.CloseDatabase(); };
    services.OpenDatabase = [&form](const QString& fileName, const QString& password, const QString& progress) {
        form.OpenDatabase(fileName, password, progress);
    };
    services.UpdateCaption = [&form] { form.UpdateCaption(); };
    services.ResourceAdded = [&form](int resourceId) { ShowAddedResource(form, resourceId); };
    services.UpdateCommandStates = [&form] { form.UpdateCommandStates(); };
    services.RememberResourceAndGroupPosition = [&form] { form.RememberResourceAndGroupPosition(); };
    services.RestoreResourceAndGroupPosition = [&form] { form.RestoreResourceAndGroupPosition(); };
    services.BeginExclusiveWork = [&form] {
        form.StatusBar->SetPanelText(0, QStringLiteral(" Administrator Mode"));
        form.RefreshTimer->SetEnabled(false);
        form.ResourcesQuery.DisableControls();
        form.GroupsQuery.DisableControls();
    };
    services.EndExclusiveWork = [&form] {
        form.ResourcesQuery.EnableControls();
        form.GroupsQuery.EnableControls();
        form.UpdateRefreshTimer();
    };
    if (form.Services().FullDataQuery) services.DataQuery = [&form] { form.Services().FullDataQuery(form); };
    services.Form = &form;
    services.ShowAdministratorMode = [&form] {
        form.StatusBar->SetPanelText(0, QStringLiteral(" Administrator Mode"));
    };
    services.StopRefreshTimer = [&form] { form.RefreshTimer->SetEnabled(false); };
    services.RestartRefreshTimer = [&form] { form.UpdateRefreshTimer(); };
    services.RefreshBookings = [&form] { form.RefreshItemClick(); };
    services.ChooseDatabaseFile = [&form] {
        return form.OpenDialog->Execute() ? form.OpenDialog->FileName() : QString();
    };
    services.BackupDialogFlag = [&form](admin::BackupOperation operation) -> bool& {
        switch (operation) {
            case admin::BackupOperation::CheckAndFix: return form.Preferences.BackupDialogCheckAndFix;
            case admin::BackupOperation::PurgeAndDelete: return form.Preferences.BackupDialogPurgeAndDelete;
            case admin::BackupOperation::CompactAndRepair: break;
        }
        return form.Preferences.BackupDialogCompactAndRepair;
    };
    services.SaveBackupDialogFlags = [&form] { form.SaveBackupDialogFlags(); };
    return services;
}

// A help page through the application's help router.
std::function<void(const QString& topic)> Help() {
    return [](const QString& topic) {
        if (THelpRouter* router = THelpRouter::Current()) router->ShowTopic(QString(), topic);
    };
}

// The check may take the file for itself: the window's lists let go of it meanwhile and are read again after.
void CheckDatabaseIntegrityItemClick(TMainForm& form) {
    if (!Data->CheckAdministrator()) return;
    form.UpdateCaption();
    form.RefreshTimer->SetEnabled(false);
    if (!admin::RecommendBackup(ServicesOf(form), admin::BackupOperation::CheckAndFix)) {
        form.UpdateRefreshTimer();
        return;
    }
    TCheckDatabaseForm check(*Data, &form);
    check.ShowHelpTopic = Help();
    form.RememberResourceAndGroupPosition();
    form.ResourcesQuery.DisableControls();
    form.GroupsQuery.DisableControls();
    form.ResourcesQuery.Close();
    form.GroupsQuery.Close();
    check.ShowModal();
    if (form.DatabaseOpen()) {
        form.ResourcesQuery.Open();
        form.ShowOnlyResourceNameField();
        form.GroupsQuery.Open();
        form.ShowOnlyGroupNameField();
        form.RestoreResourceAndGroupPosition();
    }
    form.ResourcesQuery.EnableControls();
    form.GroupsQuery.EnableControls();
    form.FillResourceTree();
    if (form.RefreshView) form.RefreshView();
    form.UpdateCaption();
    form.UpdateRefreshTimer();
}

}  // namespace

void ShowResourceDetails(int resourceId, QWidget* owner) {
    TEditResourceForm editor(*Data, *SQLData, owner);
    editor.SetResourceId(resourceId);
    editor.SetListMode(false);
    editor.ShowModal();
}

void InstallAdminCommands(TMainWindowServices& services) {
    services.NewDatabase = [](TMainForm& form) { TNewDatabaseWizard(*Data, ServicesOf(form)).Execute(); };
    services.DatabaseProperties = [](TMainForm& form) {
        admin::ShowDatabaseProperties(*Data, *SQLData, ServicesOf(form), Help());
    };
    services.CustomFields = [](TMainForm& form) { admin::ChangeCustomFields(*Data, ServicesOf(form), Help()); };
    services.DeleteAndPurge = [](TMainForm& form) { admin::DeleteAndPurge(*Data, ServicesOf(form), Help()); };
    services.CompactCurrentDatabase = [](TMainForm& form) { admin::CompactCurrentDatabase(*Data, ServicesOf(form)); };
    services.CompactDatabase = [](TMainForm& form) { admin::CompactDatabase(*Data, ServicesOf(form)); };
    services.SetDatabasePassword = [](TMainForm& form) { admin::SetDatabasePassword(*Data, ServicesOf(form)); };
    services.AddResourceWizard = [](TMainForm& form) {
        TAddResourceWizard(*Data, *SQLData, ServicesOf(form)).Execute();
    };
    // The main window reads its lists again after each editor (TMainForm::RequeryResourceLists).
    services.EditResources = [](TMainForm& form) {
        TEditResourceForm editor(*Data, *SQLData, &form);
        editor.SetListMode(true);
        editor.ShowModal();
    };
    services.EditFeatures = [](TMainForm& form) { TEditFeatureForm(*Data, *SQLData, &form).ShowModal(); };
    services.EditGroups = [](TMainForm& form) { TEditGroupForm(*Data, *SQLData, &form).ShowModal(); };
    services.ResourceInformation = [](TMainForm& form, int resourceId) { ShowResourceDetails(resourceId, &form); };
    // From the main window the query tool reads only.
    services.DataQuery = [](TMainForm& form) { TDataQueryForm(*Data, &form).ShowModal(); };
    services.FullDataQuery = [](TMainForm& form) {
        TDataQueryForm query(*Data, &form);
        query.ReadOnly = false;
        query.ShowModal();
    };
    services.Import = [](TMainForm& form) { return TImportForm(*Data, *SQLData, &form).ShowModal() == mrOk; };
    services.Export = [](TMainForm& form, TDateTime date) { TExportForm(*Data, date, &form).ShowModal(); };
    services.CheckDatabaseIntegrity = [](TMainForm& form) { CheckDatabaseIntegrityItemClick(form); };
    services.UserList = [](TMainForm& form) { TUserListForm(*Data, &form).ShowModal(); };
    services.DatabaseInfo = [](TMainForm& form) {
        TDatabaseInfoForm info(*Data, &form);
        info.RetrievalCount = form.LoadCount;
        info.LastRetrievalMs = form.LastLoadTime;
        info.TotalRetrievalMs = form.TotalLoadTime;
        info.LongestRetrievalMs = form.MaxLoadTime;
        info.ShowModal();
    };
    services.About = [](TMainForm& form) {
        TAboutForm([&form](const QString& address) { form.OpenMakersAddress(address); }, &form).ShowModal();
    };
    // The grids' resource headers show one resource's details.
    grids::CurrentResourceEditor() = [](qint32 resourceId) {
        if (Data && SQLData) ShowResourceDetails(resourceId, nullptr);
    };
}
