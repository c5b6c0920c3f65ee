// TEditFeatureForm: the list of resource features, in which an administrator creates, renames and deletes them.
#pragma once

#include "platform/db/ADODataSet.h"
#include "platform/db/DataSource.h"
#include "platform/ui/Form.h"

class TButton;
class TData;
class TSQLData;
class TwwDBGrid;

class TEditFeatureForm : public TForm {
public:
    // Works on the data module's connection; the lookup module guards its names and deletes.
    TEditFeatureForm(TData& data, TSQLData& sqlData, QWidget* owner = nullptr);

    TADOQuery FeaturesQuery;
    TDataSource FeaturesDataSource;
    TwwDBGrid* DBGrid;
    TButton* NewButton;
    TButton* DeleteButton;
    TButton* RenameButton;
    TButton* CancelButton;
    TButton* CloseButton;

    // Caption, lock and buttons by the rights, then the features opened.
    void OpenFeatureDataset();
    void LoginasAdminItemClick();

private:
    void FormShow();
    void FormCloseQuery(bool& canClose);

    TData& data_;
};
