// TDataSet: the record-buffer dataset with its state machine, navigation, editing, bookmarks and events.
#pragma once

#include "platform/db/Cursor.h"
#include "platform/db/Fields.h"

#include <QByteArray>
#include <QVariantList>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class TDataSource;
class TDataLink;
class TStrings;

namespace db {
class FilterExpression;
}

// Identifies a record of a dataset; empty is no bookmark.
using TBookmark = QByteArray;

class TDataSet {
public:
    using TDataSetNotifyEvent = std::function<void(TDataSet&)>;

    TDataSet();
    virtual ~TDataSet();
    TDataSet(const TDataSet&) = delete;
    TDataSet& operator=(const TDataSet&) = delete;

    // The component name, used in error texts when set.
    QString Name;

    // dsCalcFields while calculated fields are computed, dsFilter while a row is tested against the filter.
    TDataSetState State() const { return calculating_ ? dsCalcFields : (filtering_ ? dsFilter : state_); }
    bool Active() const { return state_ != dsInactive; }
    void SetActive(bool active);
    void Open() { SetActive(true); }
    void Close() { SetActive(false); }

    void First();
    void Last();
    void Next() { MoveBy(1); }
    void Prior() { MoveBy(-1); }
    // Answers how many records the cursor really moved (negative backwards).
    int MoveBy(int distance);
    bool Bof() const { return bof_; }
    bool Eof() const { return eof_; }
    // 1-based position of the current record; 0 without one.
    int RecNo() const;
    void SetRecNo(int recNo);
    int RecordCount() const;
    bool IsEmpty() const;
    // Whether RecNo and RecordCount place a record among all of them (a scroll bar can show the position).
    virtual bool IsSequenced() const { return true; }

    void Insert() { BeginInsert(false); }
    void Append() { BeginInsert(true); }
    void Edit();
    void Post();
    void Cancel();
    void Delete();
    // Posts a modified record, cancels an untouched one.
    void CheckBrowseMode();
    // Lets the data links write their pending control values into the fields.
    void UpdateRecord();
    virtual bool CanModify() const;
    bool Modified() const { return modified_; }
    // Reads the rows again and stays on the same record when it is still there.
    void Refresh();
    // Reads the rows again from the store, positioned on the first.
    virtual void Requery();
    // Redraws the current rows from the cursor (nothing is reread).
    void Resync();

    TBookmark GetBookmark() const;
    TBookmark Bookmark() const { return GetBookmark(); }
    // The bookmark of the row a data link made active (the current record's when none); empty for the
    // record being inserted.
    TBookmark ActiveBookmark() const;
    void GotoBookmark(const TBookmark& bookmark);
    void SetBookmark(const TBookmark& bookmark) { GotoBookmark(bookmark); }
    void FreeBookmark(TBookmark& bookmark) const { bookmark.clear(); }
    bool BookmarkValid(const TBookmark& bookmark) const;
    // -1, 0 or 1 by the records' order; an empty bookmark comes first.
    int CompareBookmarks(const TBookmark& a, const TBookmark& b) const;

    void DisableControls();
    void EnableControls();
    bool ControlsDisabled() const { return disableCount_ > 0; }

    // keyFields separated by ";"; keyValues a single value or a QVariantList with one value per field.
    bool Locate(const QString& keyFields, const QVariant& keyValues, TLocateOptions options = {});
    // The same among the records after the current one: the next match, asked of the store where it can tell.
    bool LocateAfter(const QString& keyFields, const QVariant& keyValues, TLocateOptions options = {});
    // The result field(s) of the first matching record, without moving; null when none matches.
    QVariant Lookup(const QString& keyFields, const QVariant& keyValues, const QString& resultFields);

    const QString& Filter() const { return filter_; }
    // "Field = value" terms joined by "and" / "or"; texts in single quotes.
    void SetFilter(const QString& filter);
    bool Filtered() const { return filtered_; }
    void SetFiltered(bool filtered);

    const TFields& Fields() const { return fields_; }
    int FieldCount() const { return fields_.Count(); }
    TField* FindField(const QString& name) const { return fields_.FindField(name); }
    TField& FieldByName(const QString& name) const;
    void GetFieldNames(TStrings& list) const;
    // The columns of the open dataset as the store defines them (name, type, size); empty when closed.
    QVector<db::ColumnDesc> FieldDefs() const;
    // True when the fields were made from the columns at open (no field was defined beforehand).
    bool DefaultFields() const { return defaultFields_; }
    // Defines a field before open: data fields bind to their column by name, others are calculated or lookups.
    template <class F>
    F& AddField(const QString& name, TFieldKind kind = fkData) {
        auto field = std::make_unique<F>();
        field->SetFieldName(name);
        field->SetFieldKind(kind);
        return static_cast<F&>(AdoptField(std::move(field)));
    }
    TField& AdoptField(std::unique_ptr<TField> field);

    // Shares the source's rows, order and filter; positioned on the first record.
    void Clone(TDataSet& source);

    TDataSetNotifyEvent BeforeOpen, AfterOpen;
    TDataSetNotifyEvent BeforeInsert, AfterInsert, OnNewRecord;
    TDataSetNotifyEvent BeforeEdit, AfterEdit;
    TDataSetNotifyEvent BeforePost, AfterPost;
    TDataSetNotifyEvent BeforeCancel, AfterCancel;
    TDataSetNotifyEvent BeforeDelete, AfterDelete;
    // Told when the delete failed after BeforeDelete had let it go ahead; the error then travels on.
    TDataSetNotifyEvent OnDeleteError;
    TDataSetNotifyEvent BeforeScroll, AfterScroll;
    TDataSetNotifyEvent OnCalcFields;
    std::function<void(TDataSet&, bool& accept)> OnFilterRecord;

    // Used by fields, data sources and data links.
    QVariant GetFieldValue(const TField& field);
    QVariant GetOldFieldValue(const TField& field);
    void SetFieldValue(TField& field, const QVariant& value);
    int FieldIndex(const TField* field) const { return fields_.IndexOf(field); }
    void MoveField(TField* field, int index);
    void FieldLayoutChanged();
    void FocusField(TField& field);
    // Rows the dataset shows, the record being inserted included.
    int ViewCount() const;
    int CurrentRow() const { return cur_; }
    // The row whose values the fields show: a data link sets it to read any buffered row.
    int ActiveRow() const { return activeRow_ >= 0 ? activeRow_ : cur_; }
    void SetActiveRow(int row) { activeRow_ = row == cur_ ? -1 : row; }
    void AddDataSource(TDataSource* source);
    void RemoveDataSource(TDataSource* source);

protected:
    // The rows to show; called by Open, Requery and Refresh.
    virtual std::shared_ptr<db::Cursor> CreateCursor() = 0;
    virtual void CursorClosed() {}
    void CheckActive() const;
    void DataEvent(TDataEvent event, void* info = nullptr);
    [[noreturn]] void Error(const QString& message) const;

private:
    void OpenCursor();
    void CloseCursor();
    void BindFields();
    void BeginInsert(bool append);
    void SetState(TDataSetState state);
    void CheckEditing() const;
    void CheckRequiredFields();
    void InternalPost();
    void Reposition(int row);
    void RebuildView();
    void SyncWithCursor();
    int CursorIndex(int row) const;
    int RowOfCursorIndex(int index) const;
    const db::Row& RowValues(int row);
    bool AcceptRow(int cursorIndex);
    QVariant CalcValue(const TField& field, int row);
    bool LocateFrom(bool afterCurrent, const QString& keyFields, const QVariant& keyValues, TLocateOptions options);
    // The first matching row from fromRow on.
    int FindRow(const QString& keyFields, const QVariant& keyValues, TLocateOptions options, int fromRow = 0);
    // The first matching row from fromRow on among those the cursor's store names; nothing when it cannot
    // name them.
    std::optional<int> FindRowInStore(const std::vector<TField*>& fields, const QVariantList& values,
                                      TLocateOptions options, int fromRow);
    bool RowMatches(int row, const std::vector<TField*>& fields, const QVariantList& values, TLocateOptions options);
    void Fire(const TDataSetNotifyEvent& event);

    TDataSetState state_ = dsInactive;
    std::shared_ptr<db::Cursor> cursor_;
    TFields fields_;
    bool defaultFields_ = false;
    // Cursor indexes of the rows that pass the filter, in order; empty while unfiltered.
    std::vector<int> view_;
    bool viewFiltered_ = false;
    int cursorCount_ = 0;  // the cursor's row count when the view was built
    int cur_ = -1;
    qint64 curRowId_ = -1;
    int activeRow_ = -1;
    bool bof_ = true;
    bool eof_ = true;
    // The record being edited or inserted, and the edited record as it was read.
    db::Row buffer_;
    db::Row original_;
    QVector<bool> changed_;
    bool modified_ = false;
    int insertRow_ = -1;
    int rowBeforeInsert_ = -1;
    // Values of calculated and lookup fields for one row, by field index.
    QVector<QVariant> calcValues_;
    int calcRow_ = -1;
    quint64 calcVersion_ = 0;
    quint64 dataVersion_ = 1;
    QString filter_;
    // The filter text read once when it is set (null when blank), tested against each row.
    std::shared_ptr<const db::FilterExpression> filterExpression_;
    bool filtered_ = false;
    bool calculating_ = false;
    bool filtering_ = false;
    int disableCount_ = 0;
    bool stateChangedWhileDisabled_ = false;
    std::vector<TDataSource*> sources_;
};
