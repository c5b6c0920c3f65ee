// The link a detail dataset keeps to its master's data source, to follow the master's current row.
#pragma once

#include "platform/db/DataLink.h"

class TCustomADODataSet;

namespace db {

class MasterLink : public TDataLink {
public:
    explicit MasterLink(TCustomADODataSet& detail) : detail_(detail) {}

protected:
    void ActiveChanged() override;
    void DataSetChanged() override;
    void DataSetScrolled(int distance) override { DataSetChanged(); }
    void RecordChanged(TField* field) override {}

private:
    TCustomADODataSet& detail_;
};

}  // namespace db
