// The data source: state tracking and the fan-out of dataset events to the data links.
#include "platform/db/DataSource.h"

#include "platform/db/DataLink.h"
#include "platform/db/DataSet.h"

#include <algorithm>

TDataSource::~TDataSource() {
    for (TDataLink* link : std::vector<TDataLink*>(links_)) link->SetDataSource(nullptr);
    SetDataSet(nullptr);
}

void TDataSource::SetDataSet(TDataSet* dataSet) {
    if (dataSet_ == dataSet) return;
    if (dataSet_) dataSet_->RemoveDataSource(this);
    dataSet_ = dataSet;
    if (dataSet_) dataSet_->AddDataSource(this);
    UpdateState();
}

void TDataSource::SetEnabled(bool enabled) {
    enabled_ = enabled;
    UpdateState();
}

void TDataSource::Edit() {
    if (AutoEdit && state_ == dsBrowse) dataSet_->Edit();
}

void TDataSource::AddDataLink(TDataLink* link) {
    links_.push_back(link);
    link->UpdateState();
}

void TDataSource::RemoveDataLink(TDataLink* link) {
    links_.erase(std::remove(links_.begin(), links_.end(), link), links_.end());
}

void TDataSource::UpdateState() {
    const TDataSetState state = dataSet_ && enabled_ ? dataSet_->State() : dsInactive;
    if (state == state_) return;
    const bool activeChanged = (state == dsInactive) != (state_ == dsInactive);
    state_ = state;
    for (TDataLink* link : std::vector<TDataLink*>(links_)) link->UpdateState();
    if (OnStateChange) OnStateChange(*this);
    if (activeChanged && state_ != dsInactive && OnDataChange) OnDataChange(*this, nullptr);
}

void TDataSource::DataEvent(TDataEvent event, void* info) {
    if (event == deUpdateState) {
        UpdateState();
        return;
    }
    if (state_ == dsInactive) return;
    for (TDataLink* link : std::vector<TDataLink*>(links_)) link->DataEvent(event, info);
    switch (event) {
        case deFieldChange:
        case deRecordChange:
        case deDataSetChange:
        case deDataSetScroll:
        case deLayoutChange:
            if (OnDataChange) OnDataChange(*this, event == deFieldChange ? static_cast<TField*>(info) : nullptr);
            break;
        case deUpdateRecord:
            if (OnUpdateData) OnUpdateData(*this);
            break;
        default: break;
    }
}
