// The lookup module's queries, the two permission questions and the name and resource lists.
#include "data/module/SQLDataModule.h"

#include "data/bookings/ResourceList.h"
#include "data/bookings/UserIdentity.h"
#include "data/module/DataModule.h"
#include "data/module/LookupQueries.h"
#include "data/module/Permissions.h"
#include "platform/rtl/StringList.h"

#include <optional>

TSQLData* SQLData = nullptr;

namespace {

// The query's SQL, one line per element; read-only unless it is a manager query.
void Setup(TADOQuery& query, TADOConnection* connection, std::initializer_list<const char*> lines, bool readOnly = true,
           bool prepared = true) {
    query.SetConnection(connection);
    QStringList text;
    for (const char* line : lines) text << QString::fromLatin1(line);
    query.SQL.SetText(text.join(QLatin1Char('\n')));
    query.LockType = readOnly ? ltReadOnly : ltOptimistic;
    query.Prepared = prepared;
}

// The two flags of the global row; none when the database has no global row.
std::optional<data::OwnerRule> ReadOwnerRule(TADOQuery& globalQuery, const char* createFlag, const char* ownerFlag) {
    data::OpenedQuery global(globalQuery);
    if (global->IsEmpty()) return std::nullopt;
    return data::OwnerRule{global->FieldByName(QLatin1String(createFlag)).AsBoolean(),
                           global->FieldByName(QLatin1String(ownerFlag)).AsBoolean()};
}

// Runs fill over every row of the query: a query a window keeps open is read again and left open, a closed one
// is opened for the fill only.
void ForEachRow(TADOQuery& query, const std::function<void(TADOQuery&)>& fill) {
    const bool wasActive = query.Active();
    if (wasActive) query.Requery();
    else query.Open();
    for (query.First(); !query.Eof(); query.Next()) fill(query);
    if (!wasActive) query.Close();
}

}  // namespace

namespace data {

LookupHost LookupHostOf(TData& data) {
    LookupHost host;
    host.connection = &data.ADOConnection;
    host.administratorMode = [&data] { return data.AdministratorMode; };
    host.currentUserId = [&data] { return data.CurrentUserId(); };
    host.addHistory = [&data](qint32 bookingId, qint32 groupBookingId, int code, const QString& userId,
                              const QString& description) {
        data.AddHistory(bookingId, groupBookingId, code, userId, description);
    };
    return host;
}

}  // namespace data

TSQLData::TSQLData(TData& data) : TSQLData(data::LookupHostOf(data)) {}

TSQLData::TSQLData(data::LookupHost host)
    : ManagerOfTasksQueryUsername(ManagerOfTasksQuery.AddField<TStringField>(QStringLiteral("Username"))),
      host_(std::move(host)) {
    TADOConnection* c = host_.connection;
    Setup(GroupResourceListQuery, c,
          {"select [ResourceGroups].ResourceId, ResourceName, Description",
           "from ResourceGroups inner join [Resources] on [resourceGroups].ResourceId = [Resources].ResourceId",
           "where GroupName = :TheGroupName", "order by ResourceName"});
    Setup(TypesQuery, c, {"select *", "from Types", "order by TypeName"});
    Setup(FeaturesQuery, c, {"select *", "from Features", "order by Feature"});
    Setup(ResourcesQuery, c, {"select *", "from Resources", "order by ResourceName"});
    Setup(GroupsQuery, c, {"select *", "from Groups", "order by GroupName"});
    Setup(ReportsQuery, c, {"select *", "from Reports", "order by ReportName"}, true, false);
    Setup(ResourceGroupsListQuery, c,
          {"select GroupName", "from ResourceGroups ", "where ResourceId = :TheResourceId"});
    Setup(ManagerOfResourceIdQuery, c,
          {"select distinct Username", "from ResourceManagers", "where ", "   Username = :TheUsername",
           "   and (ResourceManagers.ResourceId = -1or ResourceManagers.ResourceId = :TheResourceId)"},
          false);
    Setup(GlobalQuery, c, {"select *", "from RanvelGlobal"});
    Setup(ResourceIdQuery, c, {"select *", "from Resources", "where ResourceId = :TheResourceId"});
    Setup(ManagerOfGroupResourceIdQuery, c,
          {"select distinct username, ResourceGroupManagers.groupname, resourceid",
           "from ResourceGroupManagers inner join ResourceGroups on ResourceGroupManagers.GroupName = "
           "ResourceGroups.GroupName ",
           "where ResourceGroupManagers.Username = :TheUsername", "   and ResourceGroups.ResourceId = :TheResourceId"},
          false);
    Setup(ManagerOfTasksQuery, c, {"select Username", "from TaskManagers", "where Username = :Username"}, false);
    Setup(BookingIdQuery, c, {"select *", "from Bookings", "where BookingId = :TheBookingId"});
}

bool TSQLData::CanWriteResourceBookings(qint32 resourceId, bool modifying, const QString& owner) {
    if (AdministratorMode()) return true;
    const QString user = data::FitToColumn(CurrentUserId(), data::kUserColumnSize);
    const data::SqlParams who{{QStringLiteral("TheUsername"), user}, {QStringLiteral("TheResourceId"), resourceId}};
    if (!data::OpenedQuery(ManagerOfResourceIdQuery, who)->IsEmpty()) return true;
    if (!data::OpenedQuery(ManagerOfGroupResourceIdQuery, who)->IsEmpty()) return true;
    {
        data::OpenedQuery resource(ResourceIdQuery, {{QStringLiteral("TheResourceId"), resourceId}});
        if (resource->IsEmpty() || resource->FieldByName(QStringLiteral("OnlyAllowManagersWrite")).AsBoolean())
            return false;
    }
    const auto rule = ReadOwnerRule(GlobalQuery, "BookingAllowUserCreate", "BookingOwnerOnlyModify");
    return rule && data::OwnerRuleAllows(*rule, user, modifying, owner);
}

bool TSQLData::CanWriteTask(bool modifying, const QString& owner) {
    if (AdministratorMode()) return true;
    const QString user = data::FitToColumn(CurrentUserId(), data::kUserColumnSize);
    if (!data::OpenedQuery(ManagerOfTasksQuery, {{QStringLiteral("Username"), user}})->IsEmpty()) return true;
    const auto rule = ReadOwnerRule(GlobalQuery, "TaskAllowUserCreate", "TaskOwnerOnlyModify");
    return rule && data::OwnerRuleAllows(*rule, user, modifying, owner);
}

void TSQLData::FillNames(TADOQuery& query, const QString& field, TStrings& list) {
    list.Clear();
    ForEachRow(query, [&](TADOQuery& row) { list.Add(row.FieldByName(field).AsString()); });
}

void TSQLData::FillGroupNames(TStrings& list) { FillNames(GroupsQuery, QStringLiteral("GroupName"), list); }

void TSQLData::FillTypeNames(TStrings& list) { FillNames(TypesQuery, QStringLiteral("TypeName"), list); }

namespace {

void AddResourceRow(TADOQuery& row, TResourceList& list) {
    list.Add(row.FieldByName(QStringLiteral("ResourceName")).AsString(),
             static_cast<qint32>(row.FieldByName(QStringLiteral("ResourceId")).AsInteger()),
             row.FieldByName(QStringLiteral("Description")).AsString());
}

}  // namespace

void TSQLData::FillResources(TResourceList& list) {
    ForEachRow(ResourcesQuery, [&](TADOQuery& row) { AddResourceRow(row, list); });
}

void TSQLData::FillGroupResources(const QString& groupName, TResourceList& list) {
    list.Clear();
    GroupResourceListQuery.Close();
    data::SetParams(GroupResourceListQuery, {{QStringLiteral("TheGroupName"), groupName}});
    ForEachRow(GroupResourceListQuery, [&](TADOQuery& row) { AddResourceRow(row, list); });
}
