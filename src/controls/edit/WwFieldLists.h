// The per-field lists of the library's controls and datasets: PictureMasks, ControlType, Selected, LookupFields.
#pragma once

#include "controls/edit/WwProps.h"

#include <QString>

class QWidget;
class TControl;
class TDataSet;
class TField;
class TForm;
class TStrings;

// The component whose PictureMasks apply: the dataset (given, or the control's DataSource's) when the
// control's PictureMaskFromDataSet is on and the dataset publishes PictureMasks; else the control.
controls::Published PictureMaskSource(controls::Published control, TDataSet* dataSet = nullptr);
// The same for ControlType under ControlInfoInDataSet.
controls::Published ControlTypeSource(controls::Published control, TDataSet* dataSet = nullptr);

// The field's PictureMasks line (field TAB mask TAB AutoFill TAB Flag, names in any case). Without one the
// mask is empty and both flags are true.
void GetFieldPictureMask(controls::Published component, const QString& fieldName, QString& mask, bool& autoFill,
                         bool& flag);
// The same from the lines of a PictureMasks list.
void GetFieldPictureMask(const TStrings& masks, const QString& fieldName, QString& mask, bool& autoFill, bool& flag);
// Replaces, adds or (for an empty mask) deletes the field's line; a value whose switch is off keeps the line's.
void SetFieldPictureMask(controls::Published dataSet, const QString& fieldName, const QString& mask, bool autoFill,
                         bool flag, bool setMask, bool setAutoFill, bool setFlag);

// The kind and parameters (at most 255 characters) of the field's ControlType line (field ";" kind
// [";" parameters]); the last line naming the field wins, names compared exactly. Empty when none.
void GetFieldControlType(controls::Published component, const QString& fieldName, QString& kind, QString& params);
// "CustomEdit", "LookupCombo", "Combo" or "RichEdit", in any case: the field is edited through a control.
bool IsEditControlKind(const QString& kind);
// The control of the owner form that edits the field, as the field's ControlType line names it.
bool FindFieldEditControl(controls::Published component, const TForm& ownerForm, const TField& field,
                          TControl*& control);
// A blob field marked "RichEdit" in its dataset's ControlType, or (when asked) whose content starts "{\rtf".
bool IsRichTextField(const TField& field, bool lookAtContent);

// One line per visible field: name TAB display width TAB display label.
void FieldsToSelectedList(const TDataSet& dataSet, TStrings& list);
// Shows exactly the listed fields, in list order, with their widths and labels; no list hides all.
// A width that is no integer raises EConvertError.
void ApplySelectedToFields(TDataSet& dataSet, const TStrings* list);
// The first line whose first TAB part is the field name, upper-cased on both sides.
bool FindSelectedLine(const TStrings& list, const QString& fieldName, int& index);

// Drops the LookupFields lines (with their LookupLinks lines) and ControlType lines of missing fields.
void RemoveStaleFieldEntries(const TDataSet& dataSet, TStrings* lookupFields, TStrings* lookupLinks,
                             TStrings* controlType);
// The field's LookupLinks line, or the fourth part of its LookupFields line; empty when none.
QString GetLookupLinksForField(controls::Published dataSet, const QString& fieldName);
QString GetLookupResultFieldName(controls::Published dataSet, const QString& fieldName);
