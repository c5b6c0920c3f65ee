// The per-field lists of the library's controls and datasets.
#include "controls/edit/WwFieldLists.h"

#include "controls/edit/WwCommon.h"
#include "controls/edit/WwStrings.h"
#include "platform/db/DataSet.h"
#include "platform/db/DataSource.h"
#include "platform/rtl/NumberParse.h"
#include "platform/rtl/StringList.h"
#include "platform/ui/Form.h"

namespace {

const QString kTab = QStringLiteral("\t");
const QString kSemicolon = QStringLiteral(";");

QString FirstPart(const QString& line, const QString& delimiter) {
    int position = 1;
    return GetToken(line, delimiter, position);
}

// The parts of a line, as GetToken reads them.
QStringList PartsOf(const QString& line, const QString& delimiter) {
    QStringList parts;
    int position = 1;
    while (position > 0) parts << GetToken(line, delimiter, position);
    return parts;
}

TDataSet* DataSetOf(controls::Published control, TDataSet* dataSet) {
    if (dataSet) return dataSet;
    const TDataSource* source = GetDataSourceProp(control);
    return source ? source->DataSet() : nullptr;
}

controls::Published ListSource(controls::Published control, TDataSet* dataSet, bool fromDataSet,
                               TStrings* (*listOf)(controls::Published)) {
    dataSet = DataSetOf(control, dataSet);
    if (fromDataSet && dataSet && listOf(dataSet)) return dataSet;
    return control;
}

int FindMaskLine(const TStrings& masks, const QString& fieldName) {
    const QString wanted = fieldName.toLower();
    for (int i = 0; i < masks.Count(); ++i)
        if (FirstPart(masks[i], kTab).toLower() == wanted) return i;
    return -1;
}

// Deletes the lines whose first ";" part is not a field of the dataset, and the partner lines at the same index.
void DropMissingFields(const TDataSet& dataSet, TStrings* lines, TStrings* partners) {
    if (!lines) return;
    for (int i = lines->Count() - 1; i >= 0; --i) {
        if (dataSet.FindField(FirstPart((*lines)[i], kSemicolon))) continue;
        lines->Delete(i);
        if (partners && i < partners->Count()) partners->Delete(i);
    }
}

}  // namespace

controls::Published PictureMaskSource(controls::Published control, TDataSet* dataSet) {
    return ListSource(control, dataSet, GetPictureMaskFromDataSetProp(control), GetPictureMasksProp);
}

controls::Published ControlTypeSource(controls::Published control, TDataSet* dataSet) {
    return ListSource(control, dataSet, GetControlInfoInDataSetProp(control), GetControlTypeProp);
}

void GetFieldPictureMask(controls::Published component, const QString& fieldName, QString& mask, bool& autoFill,
                         bool& flag) {
    mask.clear();
    autoFill = true;
    flag = true;
    if (const TStrings* masks = GetPictureMasksProp(component))
        GetFieldPictureMask(*masks, fieldName, mask, autoFill, flag);
}

void GetFieldPictureMask(const TStrings& masks, const QString& fieldName, QString& mask, bool& autoFill, bool& flag) {
    mask.clear();
    autoFill = true;
    flag = true;
    const int line = FindMaskLine(masks, fieldName);
    if (line < 0) return;
    const QStringList parts = PartsOf(masks[line], kTab);
    mask = parts.value(1);
    autoFill = parts.value(2) == QLatin1String("T");
    flag = parts.value(3) == QLatin1String("T");
}

void SetFieldPictureMask(controls::Published dataSet, const QString& fieldName, const QString& mask, bool autoFill,
                         bool flag, bool setMask, bool setAutoFill, bool setFlag) {
    TStrings* masks = GetPictureMasksProp(dataSet);
    if (!masks) return;
    const int line = FindMaskLine(*masks, fieldName);
    QString newMask = mask;
    if (line >= 0) {
        QString presentMask;
        bool presentAutoFill, presentFlag;
        GetFieldPictureMask(dataSet, fieldName, presentMask, presentAutoFill, presentFlag);
        if (!setMask) newMask = presentMask;
        if (!setAutoFill) autoFill = presentAutoFill;
        if (!setFlag) flag = presentFlag;
    }
    const QString text = fieldName + kTab + newMask + kTab + BoolToTF(autoFill) + kTab + BoolToTF(flag);
    if (line >= 0 && newMask.isEmpty()) masks->Delete(line);
    else if (line >= 0) masks->Put(line, text);
    else if (!newMask.isEmpty()) masks->Add(text);
}

void GetFieldControlType(controls::Published component, const QString& fieldName, QString& kind, QString& params) {
    kind.clear();
    params.clear();
    const TStrings* lines = GetControlTypeProp(component);
    if (!lines) return;
    for (int i = lines->Count() - 1; i >= 0; --i) {
        const QString line = (*lines)[i];
        int position = 1;
        if (GetToken(line, kSemicolon, position) != fieldName) continue;
        kind = GetToken(line, kSemicolon, position);
        if (position > 0) params = line.mid(position - 1, 255);
        return;
    }
}

bool IsEditControlKind(const QString& kind) {
    for (const char* editKind : {"CustomEdit", "LookupCombo", "Combo", "RichEdit"})
        if (kind.compare(QLatin1String(editKind), Qt::CaseInsensitive) == 0) return true;
    return false;
}

bool FindFieldEditControl(controls::Published component, const TForm& ownerForm, const TField& field,
                          TControl*& control) {
    TDataSet* dataSet = field.DataSet();
    const TStrings* lines = GetControlInfoInDataSetProp(component) && dataSet && GetControlTypeProp(dataSet)
                                ? GetControlTypeProp(dataSet)
                                : GetControlTypeProp(component);
    if (!lines) return false;
    for (int i = 0; i < lines->Count(); ++i) {
        const QStringList parts = PartsOf((*lines)[i], kSemicolon);
        if (parts[0].compare(field.FieldName(), Qt::CaseInsensitive) != 0) continue;
        if (parts.size() < 3 || !IsEditControlKind(parts[1])) return false;
        QWidget* widget = ownerForm.findChild<QWidget*>(parts[2]);
        TControl* found = widget ? FindControl(widget) : nullptr;
        if (!found || &found->Widget() != widget) return false;
        control = found;
        return true;
    }
    return false;
}

bool IsRichTextField(const TField& field, bool lookAtContent) {
    const auto* blob = dynamic_cast<const TBlobField*>(&field);
    if (!blob) return false;
    if (const TStrings* lines = GetControlTypeProp(field.DataSet())) {
        const QString marker = field.FieldName() + QLatin1String(";RichEdit");
        for (int i = 0; i < lines->Count(); ++i)
            if ((*lines)[i].startsWith(marker)) return true;
    }
    return lookAtContent && blob->AsBytes().left(5).leftJustified(5, ' ') == "{\\rtf";
}

void FieldsToSelectedList(const TDataSet& dataSet, TStrings& list) {
    list.Clear();
    for (int i = 0; i < dataSet.Fields().Count(); ++i) {
        const TField* field = dataSet.Fields()[i];
        if (field->Visible())
            list.Add(field->FieldName() + kTab + QString::number(field->DisplayWidth()) + kTab + field->DisplayLabel());
    }
}

void ApplySelectedToFields(TDataSet& dataSet, const TStrings* list) {
    dataSet.DisableControls();
    struct Enable {
        TDataSet& dataSet;
        ~Enable() { dataSet.EnableControls(); }
    } enable{dataSet};
    for (int i = 0; i < dataSet.Fields().Count(); ++i) dataSet.Fields()[i]->SetVisible(false);
    if (!list) return;
    for (int i = 0; i < list->Count(); ++i) {
        const QStringList parts = PartsOf((*list)[i], kTab);
        TField* field = dataSet.FindField(parts[0]);
        if (!field) continue;
        field->SetDisplayWidth(StrToInt(parts.value(1)));
        field->SetDisplayLabel(parts.value(2));
        field->SetIndex(IntMin(i, dataSet.Fields().Count() - 1));
        field->SetVisible(true);
    }
}

bool FindSelectedLine(const TStrings& list, const QString& fieldName, int& index) {
    const QString wanted = controls::AsciiUpper(fieldName);
    for (int i = 0; i < list.Count(); ++i) {
        if (controls::AsciiUpper(FirstPart(list[i], kTab)) == wanted) {
            index = i;
            return true;
        }
    }
    return false;
}

void RemoveStaleFieldEntries(const TDataSet& dataSet, TStrings* lookupFields, TStrings* lookupLinks,
                             TStrings* controlType) {
    DropMissingFields(dataSet, lookupFields, lookupLinks);
    DropMissingFields(dataSet, controlType, nullptr);
}

namespace {

// The index of the LookupFields entry whose first part is the field name; -1 when none.
int LookupEntryOf(const TStrings* lookupFields, const QString& fieldName) {
    if (!lookupFields) return -1;
    for (int i = 0; i < lookupFields->Count(); ++i)
        if (FirstPart((*lookupFields)[i], kSemicolon) == fieldName) return i;
    return -1;
}

}  // namespace

QString GetLookupLinksForField(controls::Published dataSet, const QString& fieldName) {
    const int entry = LookupEntryOf(GetLookupFieldsProp(dataSet), fieldName);
    const TStrings* links = GetLookupLinksProp(dataSet);
    return entry >= 0 && links && entry < links->Count() ? (*links)[entry] : QString();
}

QString GetLookupResultFieldName(controls::Published dataSet, const QString& fieldName) {
    const TStrings* lookupFields = GetLookupFieldsProp(dataSet);
    const int entry = LookupEntryOf(lookupFields, fieldName);
    return entry >= 0 ? PartsOf((*lookupFields)[entry], kSemicolon).value(3) : QString();
}
