// The data module's own resource table: its handlers, twins of the lookup module's, and the list of all resources.
#include "data/bookings/ResourceList.h"
#include "data/module/DataModule.h"
#include "data/module/NameCheck.h"
#include "data/module/SQLDataModule.h"

void TData::ResourceTableAfterInsert(TDataSet& dataSet) {
    dataSet.FieldByName(QStringLiteral("ResourceName")).SetAsString(QStringLiteral(""));
}

void TData::ResourceTableNewRecord(TDataSet& dataSet) { data::SetNewResourceLimits(dataSet, GlobalTable); }

void TData::ResourceTableBeforePost(TDataSet& dataSet) {
    data::CheckNameBeforePost(
        dataSet.FieldByName(QStringLiteral("ResourceName")), QStringLiteral("You must enter a name for the resource."),
        QStringLiteral("Resource"), [this](const QString& name) {
            ResourceShadowTable.Requery();
            return ResourceShadowTable.Locate(QStringLiteral("ResourceName"), name, {loCaseInsensitive});
        });
}

void TData::ResourceTableBeforeDelete(TDataSet& dataSet) {
    data::ResourceBeforeDelete(data::LookupHostOf(*this), dataSet);
}

void TData::FeatureTableBeforeDelete(TDataSet& dataSet) {
    data::FeatureBeforeDelete(data::LookupHostOf(*this), dataSet);
}

void TData::AddAllResources(TResourceList& list) {
    for (ResourceShadowTable.First(); !ResourceShadowTable.Eof(); ResourceShadowTable.Next())
        list.Add(ResourceShadowTable.FieldByName(QStringLiteral("ResourceName")).AsString(),
                 static_cast<qint32>(ResourceShadowTable.FieldByName(QStringLiteral("ResourceId")).AsInteger()),
                 QString());
}
