// The data links: the link window over the dataset's rows and the notifications controls build on.
#include "platform/db/DataLink.h"

#include "platform/db/DataSet.h"
#include "platform/db/DataSource.h"

#include <algorithm>

TDataLink::~TDataLink() { SetDataSource(nullptr); }

void TDataLink::SetDataSource(TDataSource* source) {
    if (dataSource_ == source) return;
    if (dataSource_) dataSource_->RemoveDataLink(this);
    dataSource_ = source;
    if (dataSource_) dataSource_->AddDataLink(this);
    else UpdateState();
}

TDataSet* TDataLink::DataSet() const { return dataSource_ ? dataSource_->DataSet() : nullptr; }

void TDataLink::SetReadOnly(bool readOnly) {
    readOnly_ = readOnly;
    UpdateState();
}

void TDataLink::UpdateState() {
    const bool active = dataSource_ && dataSource_->State() != dsInactive;
    if (active != active_) {
        active_ = active;
        if (active_) {
            first_ = 0;
            UpdateWindow();
        }
        ActiveChanged();
    }
    const bool editing = active_ && IsEditState(dataSource_->State()) && !readOnly_;
    if (editing != editing_) {
        editing_ = editing;
        EditingChanged();
    }
}

bool TDataLink::Edit() {
    if (!readOnly_ && dataSource_) dataSource_->Edit();
    return editing_;
}

void TDataLink::UpdateRecord() {
    updating_ = true;
    try {
        UpdateData();
    } catch (...) {
        updating_ = false;
        throw;
    }
    updating_ = false;
}

void TDataLink::SetBufferCount(int count) {
    bufferCount_ = std::max(count, 1);
    if (active_) UpdateWindow();
}

// Keeps the current row inside the window, moving the window as little as possible and filling it from the
// end of the rows; answers how far the window moved.
int TDataLink::UpdateWindow() {
    TDataSet* dataSet = DataSet();
    if (!dataSet || !dataSet->Active()) return 0;
    const int old = first_;
    const int current = std::max(dataSet->CurrentRow(), 0);
    const int count = dataSet->ViewCount();
    if (current < first_) first_ = current;
    if (current >= first_ + bufferCount_) first_ = current - bufferCount_ + 1;
    first_ = std::max(0, std::min(first_, count - bufferCount_));
    return first_ - old;
}

int TDataLink::ActiveRecord() const {
    TDataSet* dataSet = DataSet();
    if (!active_ || !dataSet) return 0;
    return dataSet->ActiveRow() - first_;
}

void TDataLink::SetActiveRecord(int record) {
    TDataSet* dataSet = DataSet();
    if (active_ && dataSet) dataSet->SetActiveRow(first_ + record);
}

int TDataLink::RecordCount() const {
    TDataSet* dataSet = DataSet();
    if (!active_ || !dataSet) return 0;
    return std::clamp(dataSet->ViewCount() - first_, 0, bufferCount_);
}

void TDataLink::DataEvent(TDataEvent event, void* info) {
    switch (event) {
        case deFieldChange:
        case deRecordChange:
            if (!updating_) RecordChanged(static_cast<TField*>(info));
            break;
        case deDataSetChange:
            UpdateWindow();
            DataSetChanged();
            break;
        case deDataSetScroll: DataSetScrolled(UpdateWindow()); break;
        case deLayoutChange:
            UpdateWindow();
            LayoutChanged();
            break;
        case deUpdateRecord: UpdateRecord(); break;
        case deCheckBrowseMode: CheckBrowseMode(); break;
        case deFocusControl: FocusControl(*static_cast<TField**>(info)); break;
        case deUpdateState: break;
    }
}

// ---- TFieldDataLink

void TFieldDataLink::SetFieldName(const QString& name) {
    if (fieldName_ == name) return;
    fieldName_ = name;
    UpdateField();
}

void TFieldDataLink::UpdateField() {
    TDataSet* dataSet = DataSet();
    field_ = Active() && dataSet && !fieldName_.isEmpty() ? dataSet->FindField(fieldName_) : nullptr;
    EditingChanged();
    RecordChanged(nullptr);
}

bool TFieldDataLink::CanModify() const { return !ReadOnly() && field_ && field_->CanModify(); }

bool TFieldDataLink::Edit() {
    if (CanModify()) TDataLink::Edit();
    return editing_;
}

void TFieldDataLink::Reset() { RecordChanged(nullptr); }

void TFieldDataLink::ActiveChanged() {
    UpdateField();
    if (OnActiveChange) OnActiveChange();
}

void TFieldDataLink::EditingChanged() {
    const bool editing = TDataLink::Editing() && CanModify();
    if (editing == editing_) return;
    editing_ = editing;
    modified_ = false;
    if (OnEditingChange) OnEditingChange();
}

void TFieldDataLink::LayoutChanged() { UpdateField(); }

void TFieldDataLink::RecordChanged(TField* field) {
    if (field && field != field_) return;
    if (OnDataChange) OnDataChange();
    modified_ = false;
}

void TFieldDataLink::UpdateData() {
    if (!modified_) return;
    if (field_ && OnUpdateData) OnUpdateData();
    modified_ = false;
}

void TFieldDataLink::FocusControl(TField*& field) {
    if (field && field == field_ && OnFocusRequest && OnFocusRequest()) field = nullptr;
}
