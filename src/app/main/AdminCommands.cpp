#include "app/main/AdminCommands.h"

#include "admin/AddResourceWizard.h"
#include "admin/EditFeatureForm.h"
#include "admin/EditGroupForm.h"
#include "admin/EditResourceForm.h"
#include "admin/NewDatabaseWizard.h"
#include "app/grids/ResourceEditorHook.h"
#include "app/main/MainForm.h"
#include "app/main/ProgramRun.h"
#include "data/module/DataModule.h"
#include "data/module/SQLDataModule.h"

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

QVariant CurrentValue(TADOQuery& query, const QString& field) {
    return query.Active() && !query.Eof() ? query.FieldByName(field).Value() : QVariant();
}

// After the editors: the main window's lists read again, keeping their current resource and group.
void RequeryAfterEditing(TMainForm& form, bool resources) {
    if (resources) {
        RequeryAndLocate(form.ResourcesQuery, QStringLiteral("ResourceId"),
                         CurrentValue(form.ResourcesQuery, QStringLiteral("ResourceId")));
        for (TADOTable* table : {&Data->ResourceTable, &Data->ResourceShadowTable})
            if (table->Active()) table->Requery();
    }
    RequeryAndLocate(form.GroupsQuery, QStringLiteral("GroupName"),
                     CurrentValue(form.GroupsQuery, QStringLiteral("GroupName")));
    form.FillResourceTree();
    if (form.RefreshView) form.RefreshView();
    form.UpdateCaption();
    if (resources) form.UpdateCommandStates();
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
    services.EditResources = [](TMainForm& form) {
        {
            TEditResourceForm editor(*Data, *SQLData, &form);
            editor.SetListMode(true);
            editor.ShowModal();
        }
        RequeryAfterEditing(form, true);
    };
    services.EditFeatures = [](TMainForm& form) {
        TEditFeatureForm(*Data, *SQLData, &form).ShowModal();
        form.UpdateCaption();
    };
    services.EditGroups = [](TMainForm& form) {
        TEditGroupForm(*Data, *SQLData, &form).ShowModal();
        RequeryAfterEditing(form, false);
    };
    // The grids' resource headers show one resource's details.
    grids::CurrentResourceEditor() = [](qint32 resourceId) {
        if (!Data || !SQLData) return;
        TEditResourceForm editor(*Data, *SQLData);
        editor.SetResourceId(resourceId);
        editor.SetListMode(false);
        editor.ShowModal();
    };
}
