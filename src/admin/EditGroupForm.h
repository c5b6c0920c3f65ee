// TEditGroupForm: the list of resource groups, with each group's resources and managers.
#pragma once

#include "platform/db/ADODataSet.h"
#include "platform/db/DataSource.h"
#include "platform/ui/Form.h"

#include <functional>

class TButton;
class TData;
class TGroupBox;
class TPageControl;
class TSQLData;
class TwwDBGrid;

class TEditGroupForm : public TForm {
public:
    // Works on the data module's connection; the lookup module guards group names and deletes.
    TEditGroupForm(TData& data, TSQLData& sqlData, QWidget* owner = nullptr);

    TADOQuery GroupsQuery;
    TDataSource GroupsDataSource;
    TADOQuery ResourceGroupsQuery;
    TDataSource ResourceGroupsDataSource;
    TADOQuery ResourceGroupManagersQuery;
    TDataSource ResourceGroupManagersDataSource;
    TwwDBGrid* MasterDBGrid;
    TButton* NewGroupButton;
    TButton* DeleteGroupButton;
    TButton* RenameGroupButton;
    TButton* CancelGroupEditButton;
    TGroupBox* GroupDetailsGroupBox;
    TPageControl* GroupPageControl;
    TwwDBGrid* ChildDBGrid;
    TButton* AddRemoveResourcesButton;
    TwwDBGrid* ResourceGroupManagersDBGrid;
    TButton* DeleteManagerButton;
    TButton* AddManagerButton;
    TButton* CancelManagerEditButton;
    TButton* CloseButton;
    TButton* HelpButton;

    // Shows a page of the help; while it is empty "Help" is disabled.
    std::function<void(const QString& topic)> ShowHelpTopic;

    // Caption, locks and buttons by the rights, then the three queries opened.
    void OpenGroupDatasets();
    // Leaves a pending group: one without a name is dropped, a refused post is shown and the answer is false.
    bool PostGroupEdits();
    void AddRemoveResourcesButtonClick();
    void LoginasAdminItemClick();

private:
    void FormShow();
    void FormCloseQuery(bool& canClose);

    TData& data_;
};
