// The custom fields dialog: its two rows, the checks of OK and the DDL that adds, changes and drops the columns.
#include "admin/CustomFieldsForm.h"

#include "data/bookings/UDFField.h"
#include "data/module/DataModule.h"
#include "data/module/LookupQueries.h"
#include "platform/rtl/Messages.h"
#include "platform/sql/EngineError.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Edits.h"
#include "platform/ui/FormDescription.h"
#include "platform/ui/Label.h"
#include "platform/ui/Lists.h"
#include "util/core/DvSysUtils.h"

namespace {

constexpr int kTextType = 24;

QString QuotedLabel(const QString& text) { return u'"' + text + u'"'; }

QString DeleteQuestion(const QString& label) {
    return QStringLiteral("You are about to permanently delete field ") + QuotedLabel(label) +
           QStringLiteral(". All data in this field will be lost.\r\rContinue?");
}

bool ConfirmedByUser(const QString& question) { return MessageDlg(question, mtConfirmation, {mbOK, mbCancel}) == mrOk; }

}  // namespace

TCustomFieldsForm::TCustomFieldsForm(TData& data, QWidget* owner) : TForm(owner), data_(data) {
    std::vector<ui::ControlRow> rows;
    for (int row = 1; row <= 2; ++row) {
        const QString n = QString::number(row);
        const QString box = QStringLiteral("CustomField%1GroupBox").arg(n);
        const int top = 8 + (row - 1) * 88;
        rows.insert(rows.end(), {
                                    // name                          class        parent left top width height caption
                                    {box, "TGroupBox", "", 8, top, 584, 80, QStringLiteral("Custom Field ") + n},
                                    {"Field" + n + "NameLabel", "TLabel", box, 12, 22, 150, 17, "Field Name"},
                                    {"Field" + n + "TypeLabel", "TLabel", box, 196, 22, 120, 17, "Data Type"},
                                    {"Field" + n + "SizeLabel", "TLabel", box, 330, 22, 60, 17, "Size"},
                                    {"Field" + n + "EditMaskLabel", "TLabel", box, 398, 22, 100, 17, "Edit Mask"},
                                    {"Field" + n + "NameEdit", "TEdit", box, 12, 42, 176, 25},
                                    {"Field" + n + "FieldTypeComboBox", "TComboBox", box, 196, 42, 126, 25},
                                    {"Field" + n + "DataSizeEdit", "TEdit", box, 330, 42, 60, 25},
                                    {"Field" + n + "EditMaskEdit", "TEdit", box, 398, 42, 100, 25},
                                    {"DeleteUDF" + n + "Button", "TButton", box, 506, 42, 70, 25, "Clear"},
                                });
    }
    rows.insert(rows.end(),
                {
                    {"OkButton", "TButton", "", 306, 188, 90, 25, "Ok", "Default=True"},
                    {"CancelButton", "TButton", "", 402, 188, 90, 25, "Cancel", "Cancel=True; ModalResult=mrCancel"},
                    {"HelpButton", "TButton", "", 498, 188, 90, 25, "Help"},
                });
    ui::DescribeForm(*this, {"CustomFieldsForm", "Custom Fields", bsDialog, poScreenCenter, 600, 225}, rows);
    Field1NameEdit = Find<TEdit>("Field1NameEdit");
    Field1FieldTypeComboBox = Find<TComboBox>("Field1FieldTypeComboBox");
    Field1DataSizeEdit = Find<TEdit>("Field1DataSizeEdit");
    Field1EditMaskEdit = Find<TEdit>("Field1EditMaskEdit");
    DeleteUDF1Button = Find<TButton>("DeleteUDF1Button");
    Field2NameEdit = Find<TEdit>("Field2NameEdit");
    Field2FieldTypeComboBox = Find<TComboBox>("Field2FieldTypeComboBox");
    Field2DataSizeEdit = Find<TEdit>("Field2DataSizeEdit");
    Field2EditMaskEdit = Find<TEdit>("Field2EditMaskEdit");
    DeleteUDF2Button = Find<TButton>("DeleteUDF2Button");
    OkButton = Find<TButton>("OkButton");
    CancelButton = Find<TButton>("CancelButton");
    HelpButton = Find<TButton>("HelpButton");

    const auto digitsOnly = [](QObject*, QChar& key) {
        if (!IsDigitKey(key) && !IsEditCommandKey(key)) key = QChar();
    };
    for (int row = 1; row <= 2; ++row) {
        const FieldRow r = Row(row);
        r.type->SetStyle(csDropDownList);
        admin::FillFieldTypes(*r.type, fieldTypes_);
        r.type->OnChange = [this](QObject* sender) { FieldTypeComboBoxChange(sender); };
        r.name->OnChange = [this, row](QObject*) { FieldNameEditChange(row); };
        r.size->OnKeyPress = digitsOnly;
        r.clear->OnClick = [this, row](QObject*) {
            if (Row(row).field) DeleteField(row);
        };
    }
    OkButton->OnClick = [this](QObject*) { OkButtonClick(); };
    HelpButton->OnClick = [this](QObject*) {
        if (ShowHelpTopic) ShowHelpTopic(QStringLiteral("html\\user_definable_fields\\user_definable_fields.html"));
    };
    OnShow = [this](QObject*) { FormShow(); };
    Loaded();
}

TCustomFieldsForm::~TCustomFieldsForm() = default;

TCustomFieldsForm::FieldRow TCustomFieldsForm::Row(int row) {
    if (row == 1)
        return {Field1NameEdit,     Field1FieldTypeComboBox, Field1DataSizeEdit,
                Field1EditMaskEdit, DeleteUDF1Button,        Field1};
    return {Field2NameEdit, Field2FieldTypeComboBox, Field2DataSizeEdit, Field2EditMaskEdit, DeleteUDF2Button, Field2};
}

void TCustomFieldsForm::FormShow() {
    HelpButton->SetEnabled(bool(ShowHelpTopic));
    for (int row = 1; row <= 2; ++row) {
        EnableFieldRow(row, true);
        LoadFieldRow(row);
    }
    FieldTypeComboBoxChange(Field1FieldTypeComboBox);
    FieldTypeComboBoxChange(Field2FieldTypeComboBox);
}

void TCustomFieldsForm::EnableFieldRow(int row, bool enabled) {
    const FieldRow r = Row(row);
    for (TControl* control : std::initializer_list<TControl*>{r.name, r.type, r.size, r.mask, r.clear})
        control->SetEnabled(enabled);
}

void TCustomFieldsForm::LoadFieldRow(int row) {
    const FieldRow r = Row(row);
    r.name->SetText(QString());
    r.type->SetItemIndex(-1);
    r.size->SetText(QString());
    r.mask->SetText(QString());
    r.name->SetEnabled(!r.field);
    if (!r.field) return;
    r.name->SetText(r.field->Caption);
    const int position = FieldTypePosition(r.field->DataType);
    if (position < 0) {
        EnableFieldRow(row, false);
        // Only "Clear" can help a column of another type.
        r.clear->SetEnabled(true);
    } else {
        r.type->SetItemIndex(position - 1);
    }
    r.size->SetText(r.field->Size == 0 ? QString() : QString::number(r.field->Size));
    r.mask->SetText(r.field->EditMask);
}

void TCustomFieldsForm::FieldTypeComboBoxChange(QObject* sender) {
    const FieldRow r = Row(sender == Field1FieldTypeComboBox ? 1 : 2);
    if (r.type->ItemIndex() < 0) return;
    const bool text = admin::SelectedFieldType(*r.type) == kTextType;
    r.size->SetEnabled(text);
    if (!text) r.size->SetText(QString());
}

void TCustomFieldsForm::FieldNameEditChange(int row) {
    const FieldRow r = Row(row);
    // A row with a column shows its own type, or none when the type is not one of the list.
    if (r.field || r.name->Text().trimmed().isEmpty() || r.type->ItemIndex() >= 0) return;
    r.type->SetItemIndex(FieldTypePosition(kTextType) - 1);
    r.size->SetText(QStringLiteral("50"));
}

bool TCustomFieldsForm::ExecuteDDL(const QString& statement) {
    try {
        data_.ADOCommand.SetCommandText(statement);
        data_.ADOCommand.Execute();
        return true;
    } catch (const EOleException& error) {
        const QString prefix = QStringLiteral("The operation could not be performed. Some existing values \r");
        if (error.ErrorCode() == 0x80040E07u)
            MessageDlg(prefix + QStringLiteral("could not be converted to the new field type."), mtError, {mbOK});
        else if (error.ErrorCode() == 0x80040E57u)
            MessageDlg(prefix + QStringLiteral("are too big for the new field."), mtError, {mbOK});
        else
            MessageDlg(QString::number(error.ErrorCode(), 16) + QStringLiteral(" - ") + error.Message(), mtInformation,
                       {mbOK});
    } catch (const Exception& error) {
        MessageDlg(error.Message(), mtInformation, {mbOK});
    }
    return false;
}

void TCustomFieldsForm::StoreEditMask(const QString& columnName, const QString& mask) {
    TADOTable& global = data_.GlobalTable;
    if (!global.Active()) global.Open();
    const QString maskColumn = columnName + QStringLiteral("EditMask");
    if (!global.FindField(maskColumn)) {
        data_.ADOConnection.Execute(QStringLiteral("ALTER TABLE RanvelGlobal ADD COLUMN ") + maskColumn +
                                    QStringLiteral(" TEXT(255)"));
        // The table's fields are those it was opened with.
        global.Close();
        global.Open();
    }
    // A parameter, so that a mask holding a double quote is stored as typed.
    data::ExecuteWith(data_.ADOConnection,
                      QStringLiteral("UPDATE RanvelGlobal\rSet ") + maskColumn + QStringLiteral(" = :Mask"),
                      {{QStringLiteral("Mask"), mask}});
}

void TCustomFieldsForm::DropEditMaskColumn(const QString& columnName) {
    try {
        data_.GlobalTable.Close();
        data_.ADOConnection.Execute(QStringLiteral("ALTER TABLE RanvelGlobal DROP COLUMN ") + columnName +
                                    QStringLiteral("EditMask"));
    } catch (const Exception&) {
        // A field stored without a mask has no mask column.
    }
}

bool TCustomFieldsForm::DeleteColumn(int row) {
    const FieldRow r = Row(row);
    if (!ConfirmedByUser(DeleteQuestion(r.field->Caption))) return true;
    if (!ExecuteDDL(QStringLiteral("ALTER TABLE Bookings DROP COLUMN ") + r.field->FieldName)) return false;
    DropEditMaskColumn(r.field->FieldName);
    r.field.reset();
    return true;
}

void TCustomFieldsForm::DeleteField(int row) {
    if (DeleteColumn(row) && !Row(row).field) LoadFieldRow(row);
}

bool TCustomFieldsForm::CheckFieldRows() {
    for (int row = 1; row <= 2; ++row) {
        const FieldRow r = Row(row);
        const QString name = r.name->Text().trimmed();
        if (name.isEmpty()) continue;
        if (r.type->ItemIndex() < 0) {
            MessageDlg(QuotedLabel(r.name->Text()) + QStringLiteral(" type not specified"), mtInformation, {mbOK});
            return false;
        }
        if (admin::SelectedFieldType(*r.type) != kTextType || r.size->Text().isEmpty()) continue;
        bool number = false;
        const int size = r.size->Text().toInt(&number);
        if (!number) {
            MessageDlg(QStringLiteral("Data size not valid"), mtInformation, {mbOK});
            return false;
        }
        if (size <= 0) {
            MessageDlg(QuotedLabel(r.name->Text()) + QStringLiteral(" data size not valid"), mtInformation, {mbOK});
            return false;
        }
    }
    return true;
}

bool TCustomFieldsForm::AlterColumn(int row, const QString& name, int type, int size, const QString& mask) {
    const FieldRow r = Row(row);
    TUDFField& field = *r.field;
    const int oldPosition = FieldTypePosition(field.DataType);
    const int newPosition = FieldTypePosition(type);
    if (oldPosition < 0 || newPosition < 0) return false;
    const bool sized = field.DataType == 1 || field.DataType == kTextType;
    if (field.Caption != name || FieldTypePosition(field.DataType) != newPosition || (sized && field.Size != size)) {
        const bool text = type == kTextType;
        const QString statement = QStringLiteral("ALTER TABLE Bookings ALTER COLUMN ") + field.FieldName +
                                  (!text      ? u' ' + FieldTypeName(type)
                                   : size > 0 ? QStringLiteral(" TEXT(%1)").arg(size)
                                              : QStringLiteral(" Text"));
        QString question = QStringLiteral("You are about to alter field ") + QuotedLabel(field.Caption) +
                           QStringLiteral(" from ") + FieldTypeName(field.DataType);
        if (field.DataType == kTextType) question += QStringLiteral("(%1)").arg(field.Size);
        question += QStringLiteral(" to ") + FieldTypeName(type);
        if (text && size > 0) question += QStringLiteral("(%1)").arg(size);
        question += u'.';
        const QString warning = admin::TypeChangeWarning(oldPosition, newPosition);
        if (!warning.isEmpty()) question += QStringLiteral("\r\r") + warning;
        question += QStringLiteral("\r\rContinue?");
        if (ConfirmedByUser(question)) {
            if (!ExecuteDDL(statement)) return false;
            field.DataType = TFieldType(type);
            field.Size = text ? size : 0;
        }
    }
    if (mask != field.EditMask) {
        StoreEditMask(field.FieldName, mask);
        field.EditMask = mask;
    }
    return true;
}

bool TCustomFieldsForm::ApplyFieldChanges(int row) {
    const FieldRow r = Row(row);
    const QString name = r.name->Text();
    if (name.trimmed().isEmpty()) return !r.field || DeleteColumn(row);
    const int type = admin::SelectedFieldType(*r.type);
    const QString mask = r.mask->Text().trimmed();
    const int size = r.size->Text().isEmpty() ? (type == kTextType ? 255 : 0) : r.size->Text().toInt();
    if (r.field) return AlterColumn(row, name, type, size, mask);
    const QString column = QStringLiteral("udf%1").arg(row) + name;
    QString statement = QStringLiteral("ALTER TABLE Bookings ADD COLUMN ") + column + u' ' + FieldTypeName(type);
    if (size > 0) statement += QStringLiteral("(%1)").arg(size);
    if (!ExecuteDDL(statement)) return false;
    // The row has its column now: a second OK changes it rather than adding it again.
    r.field = std::make_unique<TUDFField>();
    r.field->FieldName = column;
    r.field->Caption = name;
    r.field->DataType = TFieldType(type);
    r.field->Size = size;
    r.name->SetEnabled(false);
    StoreEditMask(column, mask);
    r.field->EditMask = mask;
    return true;
}

void TCustomFieldsForm::OkButtonClick() {
    if (!CheckFieldRows()) return;
    if (ApplyFieldChanges(1) && ApplyFieldChanges(2)) SetModalResult(mrOk);
}
