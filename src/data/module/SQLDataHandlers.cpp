// The lookup module's handlers for posting administration rows and for editing tasks.
#include "data/module/SQLDataModule.h"

#include "data/bookings/UserIdentity.h"
#include "data/module/LookupQueries.h"
#include "data/module/NameCheck.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Messages.h"

#include <algorithm>

bool TSQLData::Exists(const QString& select, const QString& paramName, const QString& name) const {
    return data::CountRows(Connection(), select, {{paramName, name}}) > 0;
}

void TSQLData::FeatureBeforePost(TDataSet& dataSet) {
    data::CheckNameBeforePost(
        dataSet.FieldByName(QStringLiteral("Feature")), QStringLiteral("You must enter a name for the feature."),
        QStringLiteral("feature"), [this](const QString& name) {
            return Exists(QStringLiteral("select *\nfrom Features\nwhere Features.Feature = :TheFeature"),
                          QStringLiteral("TheFeature"), name);
        });
}

void TSQLData::GroupBeforePost(TDataSet& dataSet) {
    data::CheckNameBeforePost(
        dataSet.FieldByName(QStringLiteral("GroupName")), QStringLiteral("You must enter a name for the group."),
        QStringLiteral("group"), [this](const QString& name) {
            return Exists(QStringLiteral("select *\nfrom Groups\nwhere Groups.GroupName = :TheGroupName"),
                          QStringLiteral("TheGroupName"), name);
        });
}

void TSQLData::ResourceBeforePost(TDataSet& dataSet) {
    data::CheckNameBeforePost(
        dataSet.FieldByName(QStringLiteral("ResourceName")), QStringLiteral("You must enter a name for the resource."),
        QStringLiteral("resource"), [this](const QString& name) {
            return Exists(QStringLiteral("select *\nfrom Resources\nwhere Resources.Resourcename = :TheResourceName"),
                          QStringLiteral("TheResourceName"), name);
        });
}

void TSQLData::ResourceManagerBeforePost(TDataSet& dataSet) {
    const QVariant resourceId = dataSet.FieldByName(QStringLiteral("ResourceId")).Value();
    data::CheckNameBeforePost(
        dataSet.FieldByName(QStringLiteral("Username")), QStringLiteral("You must enter a username."),
        QStringLiteral("username"), [this, resourceId](const QString& name) {
            return data::CountRows(
                       Connection(),
                       QStringLiteral("select *\nfrom ResourceManagers\nwhere UserName = :TheUserName\n"
                                      "   and ResourceId = :TheResourceId"),
                       {{QStringLiteral("TheUserName"), name}, {QStringLiteral("TheResourceId"), resourceId}}) > 0;
        });
}

void TSQLData::TaskManagerBeforePost(TDataSet& dataSet) {
    data::CheckNameBeforePost(
        dataSet.FieldByName(QStringLiteral("Username")), QStringLiteral("You must enter a username."),
        QStringLiteral("username"), [this](const QString& name) {
            return Exists(QStringLiteral("select *\nfrom TaskManagers\nwhere UserName = :TheUserName"),
                          QStringLiteral("TheUserName"), name);
        });
}

namespace data {

void SetNewResourceLimits(TDataSet& resource, const TDataSet& global) {
    auto field = [&resource](const char* name) -> TField& { return resource.FieldByName(QLatin1String(name)); };
    field("MaxBookDays").SetAsInteger(0);
    field("BookingRestrictMode").SetAsInteger(1);
    TDateTime untilDate = Now();
    if (!global.IsEmpty()) {
        field("BookingRestrictDaysAhead")
            .SetValue(global.FieldByName(QStringLiteral("BookingRestrictDaysAhead")).Value());
        untilDate = std::max(untilDate, global.FieldByName(QStringLiteral("BookingRestrictUntilDate")).AsDateTime());
    }
    field("BookingRestrictUntilDate").SetAsDateTime(untilDate);
}

}  // namespace data

void TSQLData::ResourceNewRecord(TDataSet& dataSet) {
    dataSet.FieldByName(QStringLiteral("MaxBookDaysRestrict")).SetAsBoolean(false);
    const data::OpenedQuery global(GlobalQuery);
    data::SetNewResourceLimits(dataSet, *global);
    dataSet.FieldByName(QStringLiteral("OnlyAllowManagersWrite")).SetAsBoolean(true);
}

void TSQLData::RefuseTaskUnless(bool allowed, const QString& message) {
    if (allowed) return;
    ShowMessage(message);
    Abort();
}

void TSQLData::TaskBeforeInsert(TDataSet&) {
    RefuseTaskUnless(CanWriteTask(false, QString()), QStringLiteral("You are not allowed to create tasks"));
}

void TSQLData::TaskBeforeEdit(TDataSet& dataSet) {
    RefuseTaskUnless(CanWriteTask(true, dataSet.FieldByName(QStringLiteral("Owner")).AsString()),
                     QStringLiteral("You are not allowed to edit this task"));
}

void TSQLData::TaskBeforeDelete(TDataSet& dataSet) {
    RefuseTaskUnless(CanWriteTask(true, dataSet.FieldByName(QStringLiteral("Owner")).AsString()),
                     QStringLiteral("You are not allowed to delete this task"));
}

void TSQLData::TaskBeforePost(TDataSet& dataSet) {
    TField& owner = dataSet.FieldByName(QStringLiteral("Owner"));
    // A login name longer than the column is stored cut rather than refusing the post.
    owner.SetAsString(data::FitToColumn(CurrentUserId(), owner.Size()));
}
