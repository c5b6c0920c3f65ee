// TwwCustomDBGrid's side of the cell editor: what may be typed and edited, the text, limit and mask it loads,
// and the write of its text into the field.
#include "controls/edit/WwFieldLists.h"
#include "controls/edit/WwIntl.h"
#include "controls/edit/WwParsing.h"
#include "controls/edit/WwValueChecks.h"
#include "controls/grid/WwInplaceEdit.h"
#include "controls/grid/Wwdbigrd.h"
#include "platform/db/DataSource.h"
#include "platform/db/Field.h"
#include "platform/rtl/DateTimeFormat.h"

#include <cmath>

TInplaceEdit* TwwCustomDBGrid::CreateEditor() { return new TwwInplaceEdit(*this); }

TwwInplaceEdit* TwwCustomDBGrid::CellEditor() const { return dynamic_cast<TwwInplaceEdit*>(InplaceEditor()); }

bool TwwCustomDBGrid::CanEditAcceptKey(QChar key) {
    const TField* field = GetSelectedField();
    return dataLink_->Active() && dataLink_->MappedCount() > 0 && field && field->IsValidChar(key);
}

int TwwCustomDBGrid::GetEditLimit() {
    const TField* field = GetSelectedField();
    return dynamic_cast<const TStringField*>(field) ? field->Size() : 0;
}

bool TwwCustomDBGrid::CanEditModify() {
    TDataSource* source = GetDataSource();
    TDataSet* dataSet = source ? source->DataSet() : nullptr;
    if (dataSet && !KeyOptions.Contains(dgAllowInsert) && dataSet->Bof() && dataSet->Eof() &&
        dataSet->State() == dsBrowse)
        return false;
    if (ReadOnly || !dataLink_->Active() || dataLink_->ReadOnly() || dataLink_->MappedCount() == 0) return false;
    const TField* field = GetSelectedField();
    if (!field) return false;
    if (!field->CanModify() && !(EditCalculated && IsCalculatedOrLookup(*field) && !field->ReadOnly())) return false;
    const int dataCol = GetCurrentDataColumn();
    if (!useTFields_ && dataCol < selected_.Count()) {
        if (TwwColumn* column = GetColumnByDataCol(dataCol); column && column->GetReadOnly()) return false;
    }
    dataLink_->Edit();
    if (!dataLink_->Editing()) return false;
    dataLink_->MarkModified();
    return true;
}

QString TwwCustomDBGrid::GetEditMask(int col, int) {
    const TField* field = dataLink_->Active() ? GetColumnField(DataColumnOf(col)) : nullptr;
    return field ? field->EditMask() : QString();
}

QString TwwCustomDBGrid::GetEditText(int col, int) {
    const TField* field = dataLink_->Active() ? GetColumnField(DataColumnOf(col)) : nullptr;
    lastEditText_ = field ? field->EditText() : QString();
    return lastEditText_;
}

void TwwCustomDBGrid::SetEditText(int, int, const QString& value) { lastEditText_ = value; }

void TwwCustomDBGrid::GetFieldPictureMask(const QString& fieldName, QString& mask, bool& autoFill,
                                          bool& useMask) const {
    TDataSet* dataSet = dataLink_->DataSet();
    const TStrings* own = PictureMaskFromDataSet && dataSet ? GetPictureMasksProp(dataSet) : nullptr;
    ::GetFieldPictureMask(own ? *own : static_cast<const TStrings&>(pictureMasks_), fieldName, mask, autoFill, useMask);
}

void TwwCustomDBGrid::ValidationErrorUsingMask(TField* field) {
    TwwIntl::Global().DoValidationErrorUsingMask(&Widget(), field);
}

void TwwCustomDBGrid::CommitEdit() { dataLink_->UpdateRecord(); }

void TwwCustomDBGrid::WriteEditText() { WriteEditTextChecked(); }

bool TwwCustomDBGrid::WriteEditTextChecked() {
    TField* field = GetSelectedField();
    TwwInplaceEdit* editor = CellEditor();
    if (editor && editor->HasPictureMask() && !editor->CheckValue(editor->Text()) &&
        !editor->Picture().AllowInvalidExit()) {
        ValidationErrorUsingMask(field);
        return false;
    }
    if (dataLink_->MappedCount() == 0 || !field) return false;
    const QString text = lastEditText_;
    if (dynamic_cast<TDateTimeField*>(field) && (IsValidDateText(text) || IsValidDateTimeText(text))) {
        // Two-digit years fall into the library's century window; the time of day comes from the same text.
        TDateTime date = 0;
        if (ParseDateTextEpoch(text, TwwIntl::Global().DefaultEpochYear, date)) {
            TDateTime whole = 0;
            if (!TryStrToDateTime(text, whole)) whole = TextToDateAndTime(text);
            field->SetAsDateTime(std::trunc(date) + std::fabs(whole - std::trunc(whole)));
            return true;
        }
    }
    const bool integer = dynamic_cast<TIntegerField*>(field) != nullptr;
    const bool floating = dynamic_cast<TFloatField*>(field) != nullptr;
    if ((integer || floating) && !text.isEmpty() && !field->DisplayFormat().isEmpty()) {
        double number = 0;
        if (StrToFloatWithFormat(text, field->DisplayFormat(), number)) {
            if (floating) field->SetAsFloat(number);
            else field->SetAsInteger(std::llround(number));
            return true;
        }
    }
    field->SetEditText(text);
    return true;
}
