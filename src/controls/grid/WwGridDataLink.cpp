// The grid's data link: the field map's growth and the dataset's notifications handed to the grid.
#include "controls/grid/WwGridDataLink.h"

#include "controls/grid/Wwdbigrd.h"
#include "platform/db/DataSet.h"
#include "platform/db/DataSource.h"
#include "platform/ui/GridTypes.h"

#include <algorithm>

namespace {

constexpr int kFirstMapSize = 8;

}  // namespace

TwwGridDataLink::TwwGridDataLink(TwwCustomDBGrid* grid) : grid_(grid) {}

TwwGridDataLink::~TwwGridDataLink() { ClearFieldMap(); }

bool TwwGridDataLink::AddMapping(const QString& fieldName) {
    if (mapCount_ >= kMaxMapSize)
        throw EInvalidGridOperation(QStringLiteral("Grid requested to display more than 256 columns"));
    TDataSet* dataSet = DataSet();
    TField* field = dataSet ? dataSet->FindField(fieldName) : nullptr;
    if (!field) return false;
    if (mapCount_ == mapSize_) {
        int size = mapSize_ == 0 ? kFirstMapSize : mapSize_ * 2;
        if (size > kMaxMapSize || size < mapCount_) size = kMaxMapSize;
        auto grown = std::make_unique<qint32[]>(size);
        std::copy(fieldMap_.get(), fieldMap_.get() + mapCount_, grown.get());
        fieldMap_ = std::move(grown);
        mapSize_ = size;
    }
    fieldMap_[mapCount_++] = field->Index();
    return true;
}

void TwwGridDataLink::ClearFieldMap() {
    fieldMap_.reset();
    mapSize_ = 0;
    mapCount_ = 0;
}

TField* TwwGridDataLink::GetMappedField(int index) const {
    TDataSet* dataSet = DataSet();
    if (index < 0 || index >= mapCount_ || !dataSet) return nullptr;
    const int fieldIndex = fieldMap_[index];
    return fieldIndex >= 0 && fieldIndex < dataSet->FieldCount() ? dataSet->Fields()[fieldIndex] : nullptr;
}

bool TwwGridDataLink::DefaultFields() const {
    TDataSet* dataSet = DataSet();
    return !dataSet || dataSet->DefaultFields();
}

void TwwGridDataLink::ActiveChanged() { grid_->LinkActive(Active()); }

void TwwGridDataLink::DataSetChanged() {
    grid_->DataChanged();
    modified_ = false;
}

void TwwGridDataLink::DataSetScrolled(int distance) { grid_->Scroll(distance); }

void TwwGridDataLink::LayoutChanged() { grid_->RebuildLayout(); }

void TwwGridDataLink::EditingChanged() { grid_->LinkEditingChanged(); }

void TwwGridDataLink::FocusControl(TField*& field) {
    if (!field) return;
    grid_->SelectField(field);
    if (grid_->GetSelectedField() == field && grid_->FocusGrid()) field = nullptr;
}

void TwwGridDataLink::RecordChanged(TField* field) {
    grid_->ActiveRecordChanged(field);
    if (!(field && updateRunning_)) modified_ = false;
    TDataSet* dataSet = DataSet();
    if (field && dataSet && (dataSet->State() == dsEdit || dataSet->State() == dsInsert)) grid_->DoFieldChanged(field);
}

void TwwGridDataLink::UpdateData() {
    updateRunning_ = true;
    try {
        if (modified_) grid_->WriteEditText();
        modified_ = false;
    } catch (...) {
        updateRunning_ = false;
        throw;
    }
    updateRunning_ = false;
}
