#include "app/main/AdminCommands.h"

#include "admin/AddResourceWizard.h"
#include "admin/NewDatabaseWizard.h"
#include "app/main/MainForm.h"
#include "app/main/ProgramRun.h"
#include "data/module/SQLDataModule.h"

namespace {

void RequeryAndLocate(TADOQuery& query, const QString& field, const QVariant& value) {
    if (!query.Active()) return;
    query.DisableControls();
    try {
        query.Requery();
        query.Locate(field, value);
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
    return services;
}

}  // namespace

void InstallAdminCommands(TMainWindowServices& services) {
    services.NewDatabase = [](TMainForm& form) { TNewDatabaseWizard(*Data, ServicesOf(form)).Execute(); };
    services.AddResourceWizard = [](TMainForm& form) {
        TAddResourceWizard(*Data, *SQLData, ServicesOf(form)).Execute();
    };
}
