// The add-resource wizard's page loop and the creation of a resource with its features and groups.
#include "admin/AddResourceWizard.h"

#include "admin/AddResourcePages.h"
#include "data/bookings/WriteTransaction.h"
#include "data/module/DataModule.h"
#include "data/module/LookupQueries.h"
#include "data/module/SQLDataModule.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Messages.h"
#include "platform/rtl/ScreenService.h"
#include "platform/ui/Edits.h"

namespace {

bool Exists(TADOConnection& connection, const QString& select, const QString& name) {
    return data::CountRows(connection, select, {{QStringLiteral("TheName"), name}}) > 0;
}

// A list of names (Features, Feature) and the table of a resource's memberships in it (ResourceFeatures).
struct NameList {
    QString table;
    QString field;
    QString members;
};

// Adds the new names the list lacks (one someone else made meanwhile is used as it is), then the resource's
// membership rows of the checked names.
void AddMemberships(TADOConnection& connection, int resourceId, const QStringList& newNames, const QStringList& checked,
                    const NameList& list) {
    for (const QString& name : newNames)
        if (!Exists(connection, QStringLiteral("select %1 from %2 where %1 = :TheName").arg(list.field, list.table),
                    name))
            data::ExecuteWith(connection,
                              QStringLiteral("Insert into %2\n(%1)\nValues (:TheName)").arg(list.field, list.table),
                              {{QStringLiteral("TheName"), name}});
    for (const QString& name : checked)
        data::ExecuteWith(connection,
                          QStringLiteral("insert into %2\n(ResourceId, %1)\nvalues (:TheResourceId, :TheName)")
                              .arg(list.field, list.members),
                          {{QStringLiteral("TheResourceId"), resourceId}, {QStringLiteral("TheName"), name}});
}

}  // namespace

namespace admin {

int CreateResource(TData& data, const TNewResource& resource) {
    TADOConnection& connection = data.ADOConnection;
    data::WriteTransaction transaction(connection);
    data::ExecuteWith(connection,
                      QStringLiteral("Insert into Resources\n"
                                     "(ResourceName, Description, Notes, MaxBookDaysRestrict, MaxBookDays,\n"
                                     "BookingRestrictMode, BookingRestrictDaysAhead, OnlyAllowManagersWrite)\n"
                                     "Values (:ResourceName, :Description, :Notes, false, 0, 1, :DaysAhead, True)"),
                      {{QStringLiteral("ResourceName"), resource.Name},
                       {QStringLiteral("Description"), resource.Description},
                       {QStringLiteral("Notes"), resource.Notes},
                       {QStringLiteral("DaysAhead"),
                        data.GlobalTable.FieldByName(QStringLiteral("BookingRestrictDaysAhead")).Value()}});
    TADOQuery query;
    query.SetConnection(&connection);
    query.SQL.SetText(QStringLiteral("select ResourceId\nfrom Resources\nwhere Resources.ResourceName = :TheName"));
    int resourceId = 0;
    {
        data::OpenedQuery opened(query, {{QStringLiteral("TheName"), resource.Name}});
        if (query.IsEmpty())
            throw Exception(QStringLiteral("Error creating resource ") + resource.Name +
                            QStringLiteral(". Please try again"));
        resourceId = static_cast<int>(query.FieldByName(QStringLiteral("ResourceId")).AsInteger());
    }
    AddMemberships(connection, resourceId, resource.NewFeatures, resource.CheckedFeatures,
                   {QStringLiteral("Features"), QStringLiteral("Feature"), QStringLiteral("ResourceFeatures")});
    AddMemberships(connection, resourceId, resource.NewGroups, resource.CheckedGroups,
                   {QStringLiteral("Groups"), QStringLiteral("GroupName"), QStringLiteral("ResourceGroups")});
    transaction.Commit();
    return resourceId;
}

}  // namespace admin

TAddResourceWizard::TAddResourceWizard(TData& data, TSQLData& sqlData, admin::MainWindowServices mainWindow)
    : NamePage(std::make_unique<TAddResourceWizardForm>()),
      FeaturesPage(std::make_unique<TAddResourceFeaturesWizardForm>()),
      GroupsPage(std::make_unique<TAddResourceGroupsWizardForm>()),
      CompletedPage(std::make_unique<TAddResourceCompletedWizardForm>()),
      data_(data),
      sqlData_(sqlData),
      mainWindow_(std::move(mainWindow)) {
    NamePage->ResourceExists = [this](const QString& name) {
        return Exists(data_.ADOConnection,
                      QStringLiteral("select ResourceId from Resources where ResourceName = :TheName"), name);
    };
}

TAddResourceWizard::~TAddResourceWizard() = default;

void TAddResourceWizard::Execute() {
    int step = NameStep;
    for (;;) {
        int result = mrCancel;
        switch (step) {
            case NameStep:
                result = NamePage->ShowModal();
                if (result == mrNext) {
                    FeaturesPage->Fill(sqlData_.FeaturesQuery, QStringLiteral("Feature"));
                    step = FeaturesStep;
                }
                break;
            case FeaturesStep:
                result = FeaturesPage->ShowModal();
                if (result == mrNext) GroupsPage->Fill(sqlData_.GroupsQuery, QStringLiteral("GroupName"));
                step = result == mrNext ? GroupsStep : NameStep;
                break;
            case GroupsStep:
                result = GroupsPage->ShowModal();
                step = result == mrNext ? CreateStep : FeaturesStep;
                break;
            case CreateStep:
                // After a failure the groups page shows again, with everything chosen still there.
                step = Create() ? CompletedStep : GroupsStep;
                result = mrNext;
                break;
            case CompletedStep:
                result = CompletedPage->ShowModal();
                if (result == mrNext) {
                    NamePage->Reset();
                    FeaturesPage->NewFeatures.clear();
                    GroupsPage->NewGroups.clear();
                    step = NameStep;
                }
                break;
        }
        if (result != mrNext && result != mrBack) break;
    }
    admin::Call(mainWindow_.UpdateCommandStates);
}

TNewResource TAddResourceWizard::Chosen() const {
    return {NamePage->ResourceName->Text(), NamePage->ResourceDesc->Text(),     NamePage->ResourceNotes->Text(),
            FeaturesPage->NewFeatures,      FeaturesPage->GetCheckedFeatures(), GroupsPage->NewGroups,
            GroupsPage->GetCheckedGroups()};
}

bool TAddResourceWizard::Create() {
    rtl::HourGlass hourGlass;
    try {
        const int resourceId = admin::CreateResource(data_, Chosen());
        data_.ResourceTable.Requery();
        data_.ResourceShadowTable.Requery();
        admin::Call(mainWindow_.ResourceAdded, resourceId);
        return true;
    } catch (const Exception& error) {
        MessageDlg(error.Message(), mtInformation, {mbOK});
        return false;
    }
}
