// TwwDBLookupList: the data-aware grid specialised for choosing one record of a lookup table, with its cache
// of the chosen record's key and display texts; TwwPopupGrid: the list a lookup combo drops down.
#pragma once

#include "controls/grid/Wwdbigrd.h"
#include "platform/db/DataLink.h"
#include "platform/db/DataSource.h"
#include "platform/ui/Events.h"

#include <memory>

class TwwDBCustomLookupCombo;

enum TwwDBLookupListOption { loColLines, loRowLines, loTitles, loFixedDropDownHeight, loSearchOnBackspace };
using TwwDBLookupListOptions = ui::SetOf<TwwDBLookupListOption>;

class TwwDBLookupList : public TwwCustomDBGrid {
public:
    explicit TwwDBLookupList(QWidget* parent);
    ~TwwDBLookupList() override;

    // ---- published
    TDataSet* LookupTable() const { return lookupSource_ ? lookupSource_->DataSet() : nullptr; }
    void SetLookupTable(TDataSet* table);
    TDataSource* LookupSource() const { return lookupSource_; }
    void SetLookupSource(TDataSource* source);
    const QString& LookupField() const { return lookupField_; }
    void SetLookupField(const QString& value);
    // The list's own binding: the chosen key value is stored in this field when the list is used alone.
    TDataSource* DataSource() const { return ownLink_.DataSource(); }
    void SetDataSource(TDataSource* source);
    const QString& DataField() const { return ownLink_.FieldName(); }
    void SetDataField(const QString& name) { ownLink_.SetFieldName(name); }
    bool ReadOnly() const { return ownLink_.ReadOnly(); }
    void SetReadOnly(bool value) { ownLink_.SetReadOnly(value); }
    TwwDBLookupListOptions Options() const { return listOptions_; }
    void SetOptions(TwwDBLookupListOptions value);
    TwwDBGridOptions GridOptions() const { return TwwCustomDBGrid::Options(); }
    TNotifyEvent OnClick;
    TKeyEvent OnListKeyDown;

    // ---- the cached value
    const QString& GetLookupValue() const { return lookupValue_; }
    const QString& GetSecondValue() const { return secondValue_; }
    const QString& GetThirdValue() const { return thirdValue_; }
    const QString& GetDisplayValue() const { return displayValue_; }
    void SetLookupValue(const QString& value);
    void SetDisplayValue(const QString& value);
    // Writes the cache as the combo's search and close-up decide it.
    void SetCachedValues(const QString& lookup, const QString& second, const QString& third);
    void SetCachedDisplayValue(const QString& value) { displayValue_ = value; }
    void SyncToLookupValue(bool restoreDisplayOrder);
    void FindCurrentValue();
    void ResolveFields(bool raiseErrors);
    void LookupTableChanged();
    // Takes the lookup table's current record as the chosen one and fires OnClick.
    virtual void RecordChosen();
    virtual bool CanModifyValue() const;

    TField* DisplayField() const { return displayField_; }
    TField* KeyField() const { return keyField_; }
    TField* SecondKeyField() const { return secondField_; }
    TField* ThirdKeyField() const { return thirdField_; }
    int KeyFieldCount() const { return keyFieldCount_; }
    // The index of the buffered record that is the chosen one; -1 for none.
    int HighlightedRecord() const { return highlighted_; }
    void SetHighlightedRecord(int record) { highlighted_ = record; }
    bool Found() const { return found_; }
    // Raised while the combo's DataChange runs.
    int NestedChange = 0;
    // Lets the size through while the list is hidden, during a drop-down.
    bool Sizing = false;
    TwwDBCustomLookupCombo* Combo() const { return combo_; }

    bool AcceptsNavigationKey(Word key, TShiftState shift);
    void KeyDown(Word& key, TShiftState shift) override;
    void KeyPress(QChar& key) override;
    void SetColumnAttributes() override;
    bool WantsKey(Word key, TShiftState shift) const override;

protected:
    void DefineFieldMap() override;
    void LinkActive(bool value) override;
    void DataChanged() override;
    void Scroll(int distance) override;
    bool IsHighlighted(int dataCol, int dataRow, TGridDrawState state, const QString& cellText) override;
    void Paint(const TRect& area) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void Resize() override;
    // The own link's events.
    void OwnDataChange();
    void OwnUpdateData();
    // Moves the lookup table to the record the grid row shows and makes it current.
    void FollowRow(int row);
    void InvalidateHighlightedRow();

    TwwDBCustomLookupCombo* combo_ = nullptr;
    bool keyboard_ = false;
    bool selecting_ = false;

private:
    std::unique_ptr<TDataSource> ownedSource_;
    TDataSource* lookupSource_ = nullptr;
    TFieldDataLink ownLink_;
    QString lookupField_;
    TField* displayField_ = nullptr;
    TField* keyField_ = nullptr;
    TField* secondField_ = nullptr;
    TField* thirdField_ = nullptr;
    QString lookupValue_, secondValue_, thirdValue_, displayValue_;
    int highlighted_ = -1;
    TwwDBLookupListOptions listOptions_;
    bool found_ = false;
    int keyFieldCount_ = 0;
};

// The list in a top-level tool window under its combo; the combo keeps the focus and hands it its keys.
class TwwPopupGrid : public TwwDBLookupList {
public:
    explicit TwwPopupGrid(TwwDBCustomLookupCombo* combo);
    bool CanModifyValue() const override;

protected:
    void LinkActive(bool value) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void changeEvent(QEvent* event) override;
};
