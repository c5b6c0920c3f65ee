// TSQLData: the lookup module: who may write bookings and tasks, name lists, and the handlers that guard the
// administration lists of features, groups, resources, managers and tasks.
#pragma once

#include "platform/db/ADODataSet.h"
#include "platform/db/Field.h"

#include <QString>
#include <functional>

class TADOConnection;
class TData;
class TResourceList;
class TStrings;

namespace data {

// What the lookup module reads of the data module.
struct LookupHost {
    TADOConnection* connection = nullptr;
    // Administrator actions are allowed without asking.
    std::function<bool()> administratorMode;
    std::function<QString()> currentUserId;
    // Writes one History row: booking id, group booking id (-1 leaves either null), code, user id, description.
    std::function<void(qint32, qint32, int, const QString&, const QString&)> addHistory;
};

// The data module as the lookup module sees it.
LookupHost LookupHostOf(TData& data);

// The handlers the lookup module shares with the data module's twins for its own resource table.
void FeatureBeforeDelete(const LookupHost& host, TDataSet& dataSet);
void ResourceBeforeDelete(const LookupHost& host, TDataSet& dataSet);
// A new resource's booking limits: MaxBookDays 0, BookingRestrictMode 1, the days ahead of the global row and
// the later of now and its until-date (without a global row, none and now).
void SetNewResourceLimits(TDataSet& resource, const TDataSet& global);

}  // namespace data

class TSQLData {
public:
    // On the data module's connection, with its user id, administrator mode and History writer.
    explicit TSQLData(TData& data);
    explicit TSQLData(data::LookupHost host);
    TSQLData(const TSQLData&) = delete;
    TSQLData& operator=(const TSQLData&) = delete;

    TADOQuery GroupResourceListQuery;
    TADOQuery TypesQuery;
    TADOQuery FeaturesQuery;
    TADOQuery ResourcesQuery;
    TADOQuery GroupsQuery;
    TADOQuery ReportsQuery;
    TADOQuery ResourceGroupsListQuery;
    TADOQuery ManagerOfResourceIdQuery;
    TADOQuery GlobalQuery;
    TADOQuery ResourceIdQuery;
    TADOQuery ManagerOfGroupResourceIdQuery;
    TADOQuery ManagerOfTasksQuery;
    TStringField& ManagerOfTasksQueryUsername;
    TADOQuery BookingIdQuery;

    // May the current user create (modifying false) or modify (modifying true, owner = the booking's Owner)
    // a booking of the resource.
    bool CanWriteResourceBookings(qint32 resourceId, bool modifying, const QString& owner);
    // The same question for tasks.
    bool CanWriteTask(bool modifying, const QString& owner);

    // Clear the list, then add every name in name order.
    void FillGroupNames(TStrings& list);
    void FillTypeNames(TStrings& list);
    // Appends every resource in name order; the list is not cleared first.
    void FillResources(TResourceList& list);
    // Clears the list, then adds the group's resources in name order.
    void FillGroupResources(const QString& groupName, TResourceList& list);

    // Dataset handlers of the administration lists: a refusal raises a database error whose text the window
    // shows, a declined question or a task refusal aborts silently.
    void FeatureBeforeDelete(TDataSet& dataSet);
    void FeatureBeforePost(TDataSet& dataSet);
    void GroupBeforeDelete(TDataSet& dataSet);
    void GroupBeforePost(TDataSet& dataSet);
    void ResourceBeforeDelete(TDataSet& dataSet);
    void ResourceBeforePost(TDataSet& dataSet);
    void ResourceNewRecord(TDataSet& dataSet);
    void ResourceManagerBeforePost(TDataSet& dataSet);
    void TaskManagerBeforePost(TDataSet& dataSet);
    void TaskBeforeInsert(TDataSet& dataSet);
    void TaskBeforeEdit(TDataSet& dataSet);
    void TaskBeforeDelete(TDataSet& dataSet);
    void TaskBeforePost(TDataSet& dataSet);

private:
    TADOConnection& Connection() const { return *host_.connection; }
    bool AdministratorMode() const { return host_.administratorMode && host_.administratorMode(); }
    QString CurrentUserId() const { return host_.currentUserId ? host_.currentUserId() : QString(); }
    bool Exists(const QString& select, const QString& paramName, const QString& name) const;
    void RefuseTaskUnless(bool allowed, const QString& message);
    void FillNames(TADOQuery& query, const QString& field, TStrings& list);

    data::LookupHost host_;
};

// The one lookup module, created after the data module and living until the program ends.
extern TSQLData* SQLData;
