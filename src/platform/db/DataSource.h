// TDataSource: connects data-aware controls (through their data links) to a dataset.
#pragma once

#include "platform/db/DbTypes.h"

#include <functional>
#include <vector>

class TDataSet;
class TDataLink;
class TField;

class TDataSource {
public:
    TDataSource() = default;
    ~TDataSource();
    TDataSource(const TDataSource&) = delete;
    TDataSource& operator=(const TDataSource&) = delete;

    TDataSet* DataSet() const { return dataSet_; }
    void SetDataSet(TDataSet* dataSet);
    // dsInactive without a dataset or while disabled.
    TDataSetState State() const { return state_; }
    // Controls that start typing put the dataset in edit state.
    bool AutoEdit = true;
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    // Starts editing when AutoEdit allows it and the dataset is browsing.
    void Edit();

    std::function<void(TDataSource&, TField* field)> OnDataChange;
    std::function<void(TDataSource&)> OnStateChange;
    std::function<void(TDataSource&)> OnUpdateData;

    // Called by the dataset.
    void DataEvent(TDataEvent event, void* info);
    // Called by data links.
    void AddDataLink(TDataLink* link);
    void RemoveDataLink(TDataLink* link);

private:
    void UpdateState();

    TDataSet* dataSet_ = nullptr;
    TDataSetState state_ = dsInactive;
    bool enabled_ = true;
    std::vector<TDataLink*> links_;
};
