// The dataset's state machine, navigation and editing over its cursor.
#include "platform/db/DataSet.h"

#include "platform/db/DataSource.h"
#include "platform/db/FilterExpression.h"
#include "platform/db/LocateMatch.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/StringList.h"

#include <QDataStream>
#include <QIODevice>
#include <algorithm>

namespace {

const QString kNotEditing = QStringLiteral("Dataset not in edit or insert mode");
const QString kClosed = QStringLiteral("Cannot perform this operation on a closed dataset");
const QString kEmpty = QStringLiteral("Cannot perform this operation on an empty dataset");
const QString kReadOnly = QStringLiteral("Cannot modify a read-only dataset");

TBookmark EncodeBookmark(qint64 rowId) {
    TBookmark bookmark;
    QDataStream(&bookmark, QIODevice::WriteOnly) << rowId;
    return bookmark;
}

qint64 DecodeBookmark(const TBookmark& bookmark) {
    qint64 rowId = -1;
    QDataStream(bookmark) >> rowId;
    return rowId;
}

QVariantList ValueList(const QVariant& values, int count) {
    if (count > 1 || values.typeId() == QMetaType::QVariantList) return values.toList();
    return {values};
}

}  // namespace

TDataSet::TDataSet() = default;

TDataSet::~TDataSet() {
    for (TDataSource* source : std::vector<TDataSource*>(sources_)) source->SetDataSet(nullptr);
}

void TDataSet::Error(const QString& message) const {
    DatabaseError(Name.isEmpty() ? message : Name + QStringLiteral(": ") + message);
}

void TDataSet::CheckActive() const {
    if (state_ == dsInactive) Error(kClosed);
}

void TDataSet::Fire(const TDataSetNotifyEvent& event) {
    if (event) event(*this);
}

void TDataSet::AddDataSource(TDataSource* source) { sources_.push_back(source); }

void TDataSet::RemoveDataSource(TDataSource* source) {
    sources_.erase(std::remove(sources_.begin(), sources_.end(), source), sources_.end());
}

void TDataSet::DataEvent(TDataEvent event, void* info) {
    if (event == deFieldChange || event == deDataSetChange || event == deDataSetScroll) ++dataVersion_;
    if (disableCount_ > 0) {
        if (event == deUpdateState) stateChangedWhileDisabled_ = true;
        return;
    }
    for (TDataSource* source : std::vector<TDataSource*>(sources_)) source->DataEvent(event, info);
}

void TDataSet::SetState(TDataSetState state) {
    if (state_ == state) return;
    state_ = state;
    DataEvent(deUpdateState);
}

void TDataSet::DisableControls() { ++disableCount_; }

void TDataSet::EnableControls() {
    if (disableCount_ == 0 || --disableCount_ > 0) return;
    if (stateChangedWhileDisabled_) DataEvent(deUpdateState);
    stateChangedWhileDisabled_ = false;
    DataEvent(deDataSetChange);
}

// ---- opening and closing

void TDataSet::SetActive(bool active) {
    if (active == Active()) return;
    if (active) {
        Fire(BeforeOpen);
        OpenCursor();
        bof_ = true;
        eof_ = ViewCount() == 0;
        SetState(dsBrowse);
        Fire(AfterOpen);
        if (!IsEmpty()) Fire(AfterScroll);
    } else {
        if (IsEditState(state_)) Cancel();
        CloseCursor();
        SetState(dsInactive);
        if (defaultFields_) fields_.items_.clear();
        defaultFields_ = false;
    }
}

void TDataSet::OpenCursor() {
    cursor_ = CreateCursor();
    try {
        BindFields();
    } catch (...) {
        cursor_.reset();
        throw;
    }
    RebuildView();
    cur_ = ViewCount() > 0 ? 0 : -1;
    curRowId_ = cur_ >= 0 ? cursor_->RowId(CursorIndex(cur_)) : -1;
    activeRow_ = -1;
}

void TDataSet::CloseCursor() {
    cursor_.reset();
    view_.clear();
    cur_ = -1;
    activeRow_ = -1;
    buffer_.clear();
    CursorClosed();
}

QVector<db::ColumnDesc> TDataSet::FieldDefs() const { return cursor_ ? cursor_->Columns() : QVector<db::ColumnDesc>(); }

void TDataSet::BindFields() {
    const QVector<db::ColumnDesc> columns = cursor_->Columns();
    if (fields_.Count() == 0) {
        defaultFields_ = true;
        for (int i = 0; i < columns.size(); ++i) {
            auto field = CreateFieldForType(columns[i].type, columns[i].size);
            field->SetFieldName(columns[i].name);
            if (columns[i].required) field->SetRequired(true);
            if (columns[i].readOnly) field->SetReadOnly(true);
            field->dataSet_ = this;
            field->fieldNo_ = i;
            fields_.items_.push_back(std::move(field));
        }
        return;
    }
    for (const auto& field : fields_.items_) {
        field->fieldNo_ = -1;
        if (field->FieldKind() != fkData) continue;
        for (int i = 0; i < columns.size(); ++i)
            if (columns[i].name.compare(field->FieldName(), Qt::CaseInsensitive) == 0) field->fieldNo_ = i;
        if (field->fieldNo_ < 0) Error(QStringLiteral("Field '%1' not found").arg(field->FieldName()));
    }
}

TField& TDataSet::AdoptField(std::unique_ptr<TField> field) {
    if (Active()) Error(QStringLiteral("Cannot perform this operation on an open dataset"));
    field->dataSet_ = this;
    fields_.items_.push_back(std::move(field));
    return *fields_.items_.back();
}

TField& TDataSet::FieldByName(const QString& name) const {
    TField* field = FindField(name);
    if (!field) Error(QStringLiteral("Field '%1' not found").arg(name));
    return *field;
}

void TDataSet::GetFieldNames(TStrings& list) const {
    list.Clear();
    for (int i = 0; i < fields_.Count(); ++i) list.Add(fields_[i]->FieldName());
}

void TDataSet::MoveField(TField* field, int index) {
    auto& items = fields_.items_;
    const int from = fields_.IndexOf(field);
    if (from < 0) return;
    index = std::clamp(index, 0, fields_.Count() - 1);
    if (from == index) return;
    auto moved = std::move(items[from]);
    items.erase(items.begin() + from);
    items.insert(items.begin() + index, std::move(moved));
    FieldLayoutChanged();
}

void TDataSet::FieldLayoutChanged() {
    if (Active()) DataEvent(deLayoutChange);
}

void TDataSet::FocusField(TField& field) {
    TField* target = &field;
    DataEvent(deFocusControl, &target);
}

// ---- the view: rows in order, after the filter

void TDataSet::RebuildView() {
    view_.clear();
    cursorCount_ = cursor_ ? cursor_->Count() : 0;
    viewFiltered_ = filtered_ && (OnFilterRecord || filterExpression_);
    if (!viewFiltered_) return;
    for (int i = 0; i < cursorCount_; ++i)
        if (AcceptRow(i)) view_.push_back(i);
}

bool TDataSet::AcceptRow(int cursorIndex) {
    // Field reads during the test address the cursor row directly.
    const int savedActive = activeRow_;
    activeRow_ = cursorIndex;
    filtering_ = true;
    bool accept = true;
    try {
        if (filterExpression_) accept = filterExpression_->Matches(*this);
        if (accept && OnFilterRecord) OnFilterRecord(*this, accept);
    } catch (...) {
        filtering_ = false;
        activeRow_ = savedActive;
        throw;
    }
    filtering_ = false;
    activeRow_ = savedActive;
    return accept;
}

// Another dataset sharing the cursor may have added or removed rows: find the current row again.
void TDataSet::SyncWithCursor() {
    if (!cursor_ || cursor_->Count() == cursorCount_) return;
    RebuildView();
    const int index = curRowId_ >= 0 ? cursor_->IndexOf(curRowId_) : -1;
    const int row = index >= 0 ? RowOfCursorIndex(index) : -1;
    cur_ = row >= 0 ? row : std::min(std::max(cur_, 0), ViewCount() - 1);
}

int TDataSet::ViewCount() const {
    const int rows = viewFiltered_ ? static_cast<int>(view_.size()) : cursorCount_;
    return state_ == dsInsert ? rows + 1 : rows;
}

// The cursor index of a view row (-1 for the record being inserted).
int TDataSet::CursorIndex(int row) const {
    if (state_ == dsInsert) {
        if (row == insertRow_) return -1;
        if (row > insertRow_) --row;
    }
    return viewFiltered_ ? view_[row] : row;
}

int TDataSet::RowOfCursorIndex(int index) const {
    if (!viewFiltered_) return index;
    const auto it = std::find(view_.begin(), view_.end(), index);
    return it == view_.end() ? -1 : static_cast<int>(it - view_.begin());
}

const db::Row& TDataSet::RowValues(int row) {
    if (filtering_) return cursor_->Fetch(row);
    return cursor_->Fetch(CursorIndex(row));
}

int TDataSet::RecordCount() const {
    if (!Active()) return 0;
    return viewFiltered_ ? static_cast<int>(view_.size()) : cursor_->Count();
}

bool TDataSet::IsEmpty() const { return !Active() || ViewCount() == 0; }

int TDataSet::RecNo() const {
    if (!Active() || cur_ < 0) return 0;
    return cur_ + 1;
}

// ---- field values

QVariant TDataSet::GetFieldValue(const TField& field) {
    if (!Active()) return {};
    if (field.FieldKind() != fkData) {
        const int index = fields_.IndexOf(&field);
        if (calculating_) return calcValues_.value(index);
        return CalcValue(field, ActiveRow());
    }
    const int row = ActiveRow();
    if (IsEditState(state_) && row == cur_ && !filtering_) return buffer_.value(field.FieldNo());
    if (row < 0 || (!filtering_ && row >= ViewCount())) return {};
    return RowValues(row).value(field.FieldNo());
}

QVariant TDataSet::GetOldFieldValue(const TField& field) {
    if (!Active() || field.FieldKind() != fkData || cur_ < 0 || CursorIndex(cur_) < 0) return {};
    if (state_ == dsEdit) return original_.value(field.FieldNo());
    return cursor_->Fetch(CursorIndex(cur_)).value(field.FieldNo());
}

QVariant TDataSet::CalcValue(const TField& field, int row) {
    if (calcRow_ != row || calcVersion_ != dataVersion_ || calcValues_.size() != fields_.Count()) {
        const int savedActive = activeRow_;
        calcValues_ = QVector<QVariant>(fields_.Count());
        calcRow_ = row;
        calcVersion_ = dataVersion_;
        // Lookups and OnCalcFields read the row's data fields; keep the edit buffer reachable for the current row.
        activeRow_ = row == cur_ ? -1 : row;
        try {
            for (int i = 0; i < fields_.Count(); ++i) {
                TField* f = fields_[i];
                if (f->FieldKind() != fkLookup || !f->LookupDataSet) continue;
                QVariantList keys;
                for (const QString& name : f->KeyFields.split(u';', Qt::SkipEmptyParts))
                    keys.append(FieldByName(name.trimmed()).Value());
                calcValues_[i] = f->LookupDataSet->Lookup(
                    f->LookupKeyFields, keys.size() == 1 ? keys[0] : QVariant(keys), f->LookupResultField);
            }
            if (OnCalcFields) {
                calculating_ = true;
                OnCalcFields(*this);
            }
        } catch (...) {
            calculating_ = false;
            activeRow_ = savedActive;
            throw;
        }
        calculating_ = false;
        activeRow_ = savedActive;
    }
    return calcValues_.value(fields_.IndexOf(&field));
}

void TDataSet::SetFieldValue(TField& field, const QVariant& value) {
    CheckActive();
    const int index = fields_.IndexOf(&field);
    if (calculating_ && field.FieldKind() != fkData) {
        calcValues_[index] = value;
        return;
    }
    if (field.FieldKind() != fkData || field.ReadOnly())
        Error(QStringLiteral("Field '%1' cannot be modified").arg(field.FieldName()));
    CheckEditing();
    const QVariant previous = buffer_[field.FieldNo()];
    buffer_[field.FieldNo()] = value;
    try {
        if (field.OnValidate) field.OnValidate(field);
    } catch (...) {
        buffer_[field.FieldNo()] = previous;
        throw;
    }
    changed_[field.FieldNo()] = true;
    modified_ = true;
    DataEvent(deFieldChange, &field);
    if (field.OnChange) field.OnChange(field);
}

// ---- navigation

void TDataSet::Reposition(int row) {
    cur_ = row;
    curRowId_ = row >= 0 && CursorIndex(row) >= 0 ? cursor_->RowId(CursorIndex(row)) : -1;
    activeRow_ = -1;
}

void TDataSet::First() {
    CheckBrowseMode();
    SyncWithCursor();
    Fire(BeforeScroll);
    Reposition(ViewCount() > 0 ? 0 : -1);
    bof_ = true;
    eof_ = ViewCount() == 0;
    DataEvent(deDataSetChange);
    Fire(AfterScroll);
}

void TDataSet::Last() {
    CheckBrowseMode();
    SyncWithCursor();
    Fire(BeforeScroll);
    Reposition(ViewCount() - 1);
    eof_ = true;
    bof_ = ViewCount() == 0;
    DataEvent(deDataSetChange);
    Fire(AfterScroll);
}

int TDataSet::MoveBy(int distance) {
    CheckBrowseMode();
    SyncWithCursor();
    if (distance == 0) return 0;
    Fire(BeforeScroll);
    const int count = ViewCount();
    const int target = count == 0 ? -1 : std::clamp(cur_ + distance, 0, count - 1);
    const int moved = count == 0 ? 0 : target - cur_;
    if (distance > 0) {
        eof_ = moved < distance;
        bof_ = bof_ && moved == 0 && count == 0;
    } else {
        bof_ = moved > distance;
        eof_ = eof_ && moved == 0 && count == 0;
    }
    if (moved != 0) {
        Reposition(target);
        DataEvent(deDataSetScroll);
        Fire(AfterScroll);
    }
    return moved;
}

void TDataSet::SetRecNo(int recNo) {
    CheckBrowseMode();
    SyncWithCursor();
    const int row = std::clamp(recNo - 1, 0, std::max(ViewCount() - 1, 0));
    if (row == cur_ || ViewCount() == 0) return;
    Fire(BeforeScroll);
    Reposition(row);
    bof_ = eof_ = false;
    DataEvent(deDataSetChange);
    Fire(AfterScroll);
}

// ---- editing

bool TDataSet::CanModify() const { return Active() && cursor_ && cursor_->CanModify(); }

void TDataSet::CheckEditing() const {
    if (!IsEditState(state_)) Error(kNotEditing);
}

void TDataSet::BeginInsert(bool append) {
    CheckActive();
    CheckBrowseMode();
    SyncWithCursor();
    if (!CanModify()) Error(kReadOnly);
    Fire(BeforeInsert);
    Fire(BeforeScroll);
    rowBeforeInsert_ = cur_;
    insertRow_ = append || cur_ < 0 ? ViewCount() : cur_;
    buffer_ = db::Row(cursor_->Columns().size());
    changed_ = QVector<bool>(buffer_.size(), false);
    cur_ = insertRow_;
    curRowId_ = -1;
    activeRow_ = -1;
    bof_ = eof_ = false;
    SetState(dsInsert);
    try {
        Fire(OnNewRecord);
    } catch (...) {
        SetState(dsBrowse);
        Reposition(rowBeforeInsert_);
        DataEvent(deDataSetChange);
        throw;
    }
    modified_ = false;
    DataEvent(deDataSetChange);
    Fire(AfterInsert);
    Fire(AfterScroll);
}

void TDataSet::Edit() {
    if (IsEditState(state_)) return;
    CheckActive();
    SyncWithCursor();
    if (IsEmpty()) {
        Insert();
        return;
    }
    CheckBrowseMode();
    if (!CanModify()) Error(kReadOnly);
    Fire(BeforeEdit);
    buffer_ = cursor_->Fetch(CursorIndex(cur_));
    original_ = buffer_;
    changed_ = QVector<bool>(buffer_.size(), false);
    modified_ = false;
    activeRow_ = -1;
    SetState(dsEdit);
    DataEvent(deRecordChange);
    Fire(AfterEdit);
}

void TDataSet::UpdateRecord() {
    CheckEditing();
    DataEvent(deUpdateRecord);
}

void TDataSet::CheckRequiredFields() {
    for (int i = 0; i < fields_.Count(); ++i) {
        TField* field = fields_[i];
        if (field->FieldKind() != fkData || !field->Required() || field->DataType() == ftAutoInc) continue;
        if (buffer_[field->FieldNo()].isNull()) {
            field->FocusControl();
            Error(QStringLiteral("Field '%1' must have a value").arg(field->DisplayLabel()));
        }
    }
}

void TDataSet::InternalPost() {
    if (state_ == dsEdit) {
        const int index = CursorIndex(cur_);
        if (modified_) cursor_->Update(index, original_, buffer_, changed_);
        return;
    }
    const int before = insertRow_ < ViewCount() - 1 ? CursorIndex(insertRow_ + 1) : cursor_->Count();
    cursor_->Insert(before, buffer_, changed_);
    const qint64 newId = cursor_->RowId(before);
    // The new row stays where it was inserted, even when a filter would hide it.
    if (viewFiltered_) {
        for (int& index : view_)
            if (index >= before) ++index;
        view_.insert(view_.begin() + insertRow_, before);
    }
    cursorCount_ = cursor_->Count();
    curRowId_ = newId;
}

void TDataSet::Post() {
    UpdateRecord();
    DataEvent(deCheckBrowseMode);
    Fire(BeforePost);
    CheckRequiredFields();
    InternalPost();
    const int row = cur_;
    const qint64 rowId = curRowId_;
    SetState(dsBrowse);
    cur_ = row;
    curRowId_ = rowId;
    buffer_.clear();
    modified_ = false;
    DataEvent(deDataSetChange);
    Fire(AfterPost);
}

void TDataSet::Cancel() {
    if (!IsEditState(state_)) return;
    DataEvent(deCheckBrowseMode);
    Fire(BeforeCancel);
    const bool inserting = state_ == dsInsert;
    SetState(dsBrowse);
    if (inserting) {
        const int row = std::min(rowBeforeInsert_ >= 0 ? insertRow_ : -1, ViewCount() - 1);
        Reposition(row >= 0 ? row : (ViewCount() > 0 ? ViewCount() - 1 : -1));
    }
    buffer_.clear();
    modified_ = false;
    DataEvent(deDataSetChange);
    Fire(AfterCancel);
}

void TDataSet::Delete() {
    CheckActive();
    if (state_ == dsInsert) {
        Cancel();
        return;
    }
    SyncWithCursor();
    if (IsEmpty()) Error(kEmpty);
    if (!CanModify()) Error(kReadOnly);
    DataEvent(deCheckBrowseMode);
    Fire(BeforeDelete);
    int index = 0;
    try {
        Fire(BeforeScroll);
        index = CursorIndex(cur_);
        cursor_->Remove(index);
    } catch (...) {
        Fire(OnDeleteError);
        throw;
    }
    if (state_ == dsEdit) SetState(dsBrowse);
    if (viewFiltered_) {
        view_.erase(view_.begin() + cur_);
        for (int& i : view_)
            if (i > index) --i;
    }
    cursorCount_ = cursor_->Count();
    buffer_.clear();
    modified_ = false;
    Reposition(std::min(cur_, ViewCount() - 1));
    bof_ = eof_ = ViewCount() == 0;
    DataEvent(deDataSetChange);
    Fire(AfterDelete);
    Fire(AfterScroll);
}

void TDataSet::CheckBrowseMode() {
    CheckActive();
    DataEvent(deCheckBrowseMode);
    if (!IsEditState(state_)) return;
    UpdateRecord();
    if (modified_) Post();
    else Cancel();
}

void TDataSet::Requery() {
    CheckBrowseMode();
    cursor_ = CreateCursor();
    RebuildView();
    Reposition(ViewCount() > 0 ? 0 : -1);
    bof_ = true;
    eof_ = ViewCount() == 0;
    DataEvent(deDataSetChange);
}

void TDataSet::Refresh() {
    CheckBrowseMode();
    const qint64 rowId = curRowId_;
    const int row = cur_;
    cursor_ = CreateCursor();
    RebuildView();
    const int index = rowId >= 0 ? cursor_->IndexOf(rowId) : -1;
    const int found = index >= 0 ? RowOfCursorIndex(index) : -1;
    Reposition(found >= 0 ? found : std::min(row, ViewCount() - 1));
    bof_ = eof_ = ViewCount() == 0;
    DataEvent(deDataSetChange);
}

void TDataSet::Resync() {
    CheckActive();
    SyncWithCursor();
    DataEvent(deDataSetChange);
}

// ---- bookmarks

TBookmark TDataSet::GetBookmark() const {
    if (!Active() || cur_ < 0 || curRowId_ < 0) return {};
    return EncodeBookmark(curRowId_);
}

TBookmark TDataSet::ActiveBookmark() const {
    if (activeRow_ < 0) return GetBookmark();
    if (!Active() || activeRow_ >= ViewCount()) return {};
    const int index = CursorIndex(activeRow_);
    return index >= 0 ? EncodeBookmark(cursor_->RowId(index)) : TBookmark();
}

bool TDataSet::BookmarkValid(const TBookmark& bookmark) const {
    if (!Active() || bookmark.isEmpty()) return false;
    const int index = cursor_->IndexOf(DecodeBookmark(bookmark));
    return index >= 0 && RowOfCursorIndex(index) >= 0;
}

void TDataSet::GotoBookmark(const TBookmark& bookmark) {
    CheckBrowseMode();
    SyncWithCursor();
    const int index = bookmark.isEmpty() ? -1 : cursor_->IndexOf(DecodeBookmark(bookmark));
    const int row = index >= 0 ? RowOfCursorIndex(index) : -1;
    if (row < 0) Error(QStringLiteral("Record not found"));
    Fire(BeforeScroll);
    Reposition(row);
    bof_ = eof_ = false;
    DataEvent(deDataSetChange);
    Fire(AfterScroll);
}

int TDataSet::CompareBookmarks(const TBookmark& a, const TBookmark& b) const {
    if (a.isEmpty() || b.isEmpty()) return a.isEmpty() == b.isEmpty() ? 0 : (a.isEmpty() ? -1 : 1);
    const int ia = cursor_ ? cursor_->IndexOf(DecodeBookmark(a)) : -1;
    const int ib = cursor_ ? cursor_->IndexOf(DecodeBookmark(b)) : -1;
    return ia < ib ? -1 : (ia > ib ? 1 : 0);
}

// ---- searching

bool TDataSet::RowMatches(int row, const std::vector<TField*>& fields, const QVariantList& values,
                          TLocateOptions options) {
    const int saved = activeRow_;
    activeRow_ = row == cur_ ? -1 : row;
    bool match = true;
    for (size_t i = 0; i < fields.size() && match; ++i)
        match = db::LocateMatches(*fields[i], fields[i]->Value(), values.value(static_cast<int>(i)), options);
    activeRow_ = saved;
    return match;
}

int TDataSet::FindRow(const QString& keyFields, const QVariant& keyValues, TLocateOptions options, int fromRow) {
    CheckActive();
    std::vector<TField*> fields;
    for (const QString& name : keyFields.split(u';', Qt::SkipEmptyParts))
        fields.push_back(&FieldByName(name.trimmed()));
    const QVariantList values = ValueList(keyValues, static_cast<int>(fields.size()));
    if (const std::optional<int> row = FindRowInStore(fields, values, options, fromRow)) return *row;
    const int count = state_ == dsInsert ? ViewCount() - 1 : ViewCount();
    for (int row = fromRow; row < count; ++row)
        if (RowMatches(row, fields, values, options)) return row;
    return -1;
}

std::optional<int> TDataSet::FindRowInStore(const std::vector<TField*>& fields, const QVariantList& values,
                                            TLocateOptions options, int fromRow) {
    // The edit buffer and the record being inserted are not in the store.
    if (state_ != dsBrowse) return std::nullopt;
    QVector<db::LocateTerm> terms;
    for (size_t i = 0; i < fields.size(); ++i)
        if (const auto term = db::StoreTerm(*fields[i], values.value(static_cast<int>(i)), options)) terms << *term;
    // Most searches want the first match only, which a sorted cursor finds without listing the others.
    if (fromRow == 0 && !terms.isEmpty())
        if (const std::optional<int> first = cursor_->LocateFirst(terms)) {
            if (*first < 0) return -1;
            const int row = RowOfCursorIndex(*first);
            if (row >= 0 && RowMatches(row, fields, values, options)) return row;
        }
    const auto candidates = terms.isEmpty() ? std::nullopt : cursor_->LocateCandidates(terms);
    if (!candidates) return std::nullopt;
    // A cursor over rows in hand takes the rows it found into its hand.
    SyncWithCursor();
    for (const int index : *candidates) {
        const int row = RowOfCursorIndex(index);
        if (row >= fromRow && RowMatches(row, fields, values, options)) return row;
    }
    return -1;
}

bool TDataSet::Locate(const QString& keyFields, const QVariant& keyValues, TLocateOptions options) {
    return LocateFrom(false, keyFields, keyValues, options);
}

bool TDataSet::LocateAfter(const QString& keyFields, const QVariant& keyValues, TLocateOptions options) {
    return LocateFrom(true, keyFields, keyValues, options);
}

bool TDataSet::LocateFrom(bool afterCurrent, const QString& keyFields, const QVariant& keyValues,
                          TLocateOptions options) {
    CheckBrowseMode();
    SyncWithCursor();
    const int row = FindRow(keyFields, keyValues, options, afterCurrent ? cur_ + 1 : 0);
    if (row < 0) return false;
    Fire(BeforeScroll);
    Reposition(row);
    bof_ = eof_ = false;
    DataEvent(deDataSetChange);
    Fire(AfterScroll);
    return true;
}

QVariant TDataSet::Lookup(const QString& keyFields, const QVariant& keyValues, const QString& resultFields) {
    if (!Active()) return {};
    SyncWithCursor();
    const int row = FindRow(keyFields, keyValues, {});
    if (row < 0) return {};
    const int saved = activeRow_;
    activeRow_ = row == cur_ ? -1 : row;
    QVariantList results;
    for (const QString& name : resultFields.split(u';', Qt::SkipEmptyParts))
        results.append(FieldByName(name.trimmed()).Value());
    activeRow_ = saved;
    return results.size() == 1 ? results[0] : QVariant(results);
}

void TDataSet::SetFilter(const QString& filter) {
    filterExpression_ = filter.trimmed().isEmpty() ? nullptr : std::make_shared<const db::FilterExpression>(filter);
    filter_ = filter;
    if (Active() && filtered_) {
        CheckBrowseMode();
        RebuildView();
        Reposition(ViewCount() > 0 ? 0 : -1);
        DataEvent(deDataSetChange);
    }
}

void TDataSet::SetFiltered(bool filtered) {
    if (filtered_ == filtered) return;
    filtered_ = filtered;
    if (!Active()) return;
    CheckBrowseMode();
    RebuildView();
    Reposition(ViewCount() > 0 ? 0 : -1);
    bof_ = true;
    eof_ = ViewCount() == 0;
    DataEvent(deDataSetChange);
}

void TDataSet::Clone(TDataSet& source) {
    source.CheckActive();
    if (Active()) Close();
    Fire(BeforeOpen);
    cursor_ = source.cursor_;
    filter_ = source.filter_;
    filterExpression_ = source.filterExpression_;
    filtered_ = source.filtered_;
    OnFilterRecord = source.OnFilterRecord;
    BindFields();
    RebuildView();
    Reposition(ViewCount() > 0 ? 0 : -1);
    bof_ = true;
    eof_ = ViewCount() == 0;
    SetState(dsBrowse);
    Fire(AfterOpen);
}
