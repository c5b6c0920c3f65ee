// TDataLink and TFieldDataLink: how a data-aware control hears of its dataset and writes back into it.
#pragma once

#include "platform/db/DbTypes.h"

#include <QString>
#include <functional>

class TDataSet;
class TDataSource;
class TField;

class TDataLink {
public:
    TDataLink() = default;
    virtual ~TDataLink();
    TDataLink(const TDataLink&) = delete;
    TDataLink& operator=(const TDataLink&) = delete;

    TDataSource* DataSource() const { return dataSource_; }
    void SetDataSource(TDataSource* source);
    TDataSet* DataSet() const;
    bool Active() const { return active_; }
    // The dataset is in an edit state and this link may write.
    virtual bool Editing() const { return editing_; }
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly);
    // Puts the dataset in edit state (when the data source allows it) and answers whether it is editing.
    virtual bool Edit();
    // Lets the control write its pending value (UpdateData), without it reporting its own change back.
    void UpdateRecord();

    // The link's window on the dataset's rows: BufferCount rows from the first buffered one.
    int BufferCount() const { return bufferCount_; }
    void SetBufferCount(int count);
    // The current record's position in the window; setting it makes the fields show that buffered row.
    int ActiveRecord() const;
    void SetActiveRecord(int record);
    // Rows in the window (at most BufferCount).
    int RecordCount() const;
    // The dataset row shown in the window's first line.
    int FirstRecord() const { return first_; }

    // Called by the data source.
    void DataEvent(TDataEvent event, void* info);
    void UpdateState();

protected:
    virtual void ActiveChanged() {}
    virtual void EditingChanged() {}
    virtual void CheckBrowseMode() {}
    virtual void DataSetChanged() { RecordChanged(nullptr); }
    virtual void DataSetScrolled(int distance) { DataSetChanged(); }
    virtual void LayoutChanged() { DataSetChanged(); }
    virtual void RecordChanged(TField* field) {}
    virtual void UpdateData() {}
    // Set field to nullptr when this link's control took the focus.
    virtual void FocusControl(TField*& field) {}

private:
    int UpdateWindow();

    TDataSource* dataSource_ = nullptr;
    bool active_ = false;
    bool editing_ = false;
    bool readOnly_ = false;
    bool updating_ = false;
    int bufferCount_ = 1;
    int first_ = 0;
};

// The link of a control that shows one field.
class TFieldDataLink : public TDataLink {
public:
    const QString& FieldName() const { return fieldName_; }
    void SetFieldName(const QString& name);
    TField* Field() const { return field_; }
    // The control's value differs from the field; UpdateData will ask for it.
    void Modified() { modified_ = true; }
    bool IsModified() const { return modified_; }
    // Editing, and the field may be written.
    bool Editing() const override { return editing_; }
    // Shows the field's value again and forgets the control's change.
    void Reset();
    bool CanModify() const;
    bool Edit() override;

    std::function<void()> OnDataChange;
    std::function<void()> OnEditingChange;
    std::function<void()> OnUpdateData;
    std::function<void()> OnActiveChange;
    // Asked to take the focus for the field; answers true when the control took it.
    std::function<bool()> OnFocusRequest;

protected:
    void ActiveChanged() override;
    void EditingChanged() override;
    void LayoutChanged() override;
    void RecordChanged(TField* field) override;
    void UpdateData() override;
    void FocusControl(TField*& field) override;

private:
    void UpdateField();

    QString fieldName_;
    TField* field_ = nullptr;
    bool modified_ = false;
    bool editing_ = false;
};
