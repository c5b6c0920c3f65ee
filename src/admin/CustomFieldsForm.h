// TCustomFieldsForm: adds, changes and removes the two custom booking columns and their edit masks, on a
// database connected exclusively.
#pragma once

#include "admin/FieldTypes.h"
#include "platform/ui/Form.h"

#include <memory>
#include <vector>

class TButton;
class TComboBox;
class TData;
class TEdit;
class TUDFField;

class TCustomFieldsForm : public TForm {
public:
    explicit TCustomFieldsForm(TData& data, QWidget* owner = nullptr);
    ~TCustomFieldsForm() override;

    TEdit* Field1NameEdit;
    TComboBox* Field1FieldTypeComboBox;
    TEdit* Field1DataSizeEdit;
    TEdit* Field1EditMaskEdit;
    TButton* DeleteUDF1Button;
    TEdit* Field2NameEdit;
    TComboBox* Field2FieldTypeComboBox;
    TEdit* Field2DataSizeEdit;
    TEdit* Field2EditMaskEdit;
    TButton* DeleteUDF2Button;
    TButton* OkButton;
    TButton* CancelButton;
    TButton* HelpButton;

    // The two custom columns as the dialog knows them; null where a row has none.
    std::unique_ptr<TUDFField> Field1;
    std::unique_ptr<TUDFField> Field2;

    // Shows a page of the help; while it is empty "Help" is disabled.
    std::function<void(const QString& topic)> ShowHelpTopic;

    // Runs one statement on the data module's connection; false after showing why it failed.
    bool ExecuteDDL(const QString& statement);
    // Stores the mask in the global row's column named after the custom column, adding that column first.
    void StoreEditMask(const QString& columnName, const QString& mask);
    // Drops the mask column of the custom column, when there is one.
    void DropEditMaskColumn(const QString& columnName);
    // After the user's confirmation drops the row's column and its mask column and empties the row.
    void DeleteField(int row);
    // Brings the row's column in line with the row's controls; false when the dialog must stay open.
    bool ApplyFieldChanges(int row);

private:
    struct FieldRow {
        TEdit* name;
        TComboBox* type;
        TEdit* size;
        TEdit* mask;
        TButton* clear;
        std::unique_ptr<TUDFField>& field;
    };
    FieldRow Row(int row);
    void FormShow();
    void EnableFieldRow(int row, bool enabled);
    void LoadFieldRow(int row);
    void FieldTypeComboBoxChange(QObject* sender);
    void FieldNameEditChange(int row);
    // The checks of both rows; false after showing the first that fails.
    bool CheckFieldRows();
    bool DeleteColumn(int row);
    bool AlterColumn(int row, const QString& name, int type, int size, const QString& mask);
    void OkButtonClick();

    TData& data_;
    std::vector<std::unique_ptr<TFieldTypeObject>> fieldTypes_;
};
