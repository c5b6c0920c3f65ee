// TwwGridDataLink: the data-aware grid's link to its dataset and the map from data columns to fields.
#pragma once

#include "platform/db/DataLink.h"

#include <QString>
#include <memory>

class TwwCustomDBGrid;

class TwwGridDataLink : public TDataLink {
public:
    // The most fields the map holds.
    static constexpr int kMaxMapSize = 16380;

    explicit TwwGridDataLink(TwwCustomDBGrid* grid);
    ~TwwGridDataLink() override;

    // Appends the index of the dataset's field of that name; false (nothing added) for an unknown name.
    // Raises EInvalidGridOperation when the map is full.
    bool AddMapping(const QString& fieldName);
    void ClearFieldMap();
    // The field at a map entry; null past the mapped entries.
    TField* GetMappedField(int index) const;
    int MappedCount() const { return mapCount_; }
    int MapSize() const { return mapSize_; }
    // The dataset made its fields from its columns, or there is no dataset.
    bool DefaultFields() const;

    // The in-place editor's text differs from the field and is not yet written.
    void MarkModified() { modified_ = true; }
    bool Modified() const { return modified_; }
    // Esc: unwritten editor text gives way to the field's value; a modified record is cancelled after asking.
    void DiscardEdit();

protected:
    void ActiveChanged() override;
    void DataSetChanged() override;
    void DataSetScrolled(int distance) override;
    void LayoutChanged() override;
    void EditingChanged() override;
    void FocusControl(TField*& field) override;
    void RecordChanged(TField* field) override;
    void UpdateData() override;

private:
    TwwCustomDBGrid* grid_;
    int mapCount_ = 0;
    int mapSize_ = 0;
    bool modified_ = false;
    bool updateRunning_ = false;
    std::unique_ptr<qint32[]> fieldMap_;
};
