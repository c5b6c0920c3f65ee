// The group editor: the groups in a grid, the selected group's resources and managers beside it.
#include "admin/EditGroupForm.h"

#include "admin/AdminLogin.h"
#include "admin/EditorWindows.h"
#include "admin/MasterDetailEdits.h"
#include "admin/Membership.h"
#include "admin/NamedRowEdits.h"
#include "controls/grid/WwGridFormClasses.h"
#include "controls/grid/Wwdbgrid.h"
#include "data/module/DataModule.h"
#include "data/module/SQLDataModule.h"
#include "platform/rtl/Messages.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Containers.h"
#include "platform/ui/FormDescription.h"
#include "platform/ui/InplaceEdit.h"
#include "util/QueryFieldSizes.h"

TEditGroupForm::TEditGroupForm(TData& data, TSQLData& sqlData, QWidget* owner) : TForm(owner), data_(data) {
    controls::RegisterGridFormClasses();
    ui::DescribeForm(
        *this, {"EditGroupForm", "Resource Groups", bsDialog, poScreenCenter, 652, 340},
        {
            // name                        class          parent               left top width height caption
            {"MasterDBGrid", "TwwDBGrid", "", 8, 8, 264, 228},
            {"NewGroupButton", "TButton", "", 8, 244, 130, 25, "New Group"},
            {"DeleteGroupButton", "TButton", "", 142, 244, 130, 25, "Delete Group"},
            {"RenameGroupButton", "TButton", "", 8, 274, 130, 25, "Rename Group"},
            {"CancelGroupEditButton", "TButton", "", 142, 274, 130, 25, "Cancel Edit"},
            {"GroupDetailsGroupBox", "TGroupBox", "", 280, 4, 364, 295, "Group Details"},
            {"GroupPageControl", "TPageControl", "GroupDetailsGroupBox", 8, 20, 348, 267},
            {"ResourcesTabSheet", "TTabSheet", "GroupPageControl", 0, 0, 0, 0, "Resources in Group"},
            {"ChildDBGrid", "TwwDBGrid", "ResourcesTabSheet", 8, 8, 212, 184, "", "TabStop=False"},
            {"AddRemoveResourcesButton", "TButton", "ResourcesTabSheet", 8, 198, 210, 25, "Add/Remove Resources"},
            {"ManagersTabSheet", "TTabSheet", "GroupPageControl", 0, 0, 0, 0, "Managers"},
            {"ResourceGroupManagersDBGrid", "TwwDBGrid", "ManagersTabSheet", 8, 8, 326, 184},
            {"DeleteManagerButton", "TButton", "ManagersTabSheet", 8, 198, 100, 25, "Delete"},
            {"AddManagerButton", "TButton", "ManagersTabSheet", 112, 198, 100, 25, "Add"},
            {"CancelManagerEditButton", "TButton", "ManagersTabSheet", 216, 198, 110, 25, "Cancel Edit"},
            {"CloseButton", "TButton", "", 224, 307, 90, 25, "Close", "ModalResult=mrOk"},
            {"HelpButton", "TButton", "", 338, 307, 90, 25, "Help"},
        });
    MasterDBGrid = Find<TwwDBGrid>("MasterDBGrid");
    NewGroupButton = Find<TButton>("NewGroupButton");
    DeleteGroupButton = Find<TButton>("DeleteGroupButton");
    RenameGroupButton = Find<TButton>("RenameGroupButton");
    CancelGroupEditButton = Find<TButton>("CancelGroupEditButton");
    GroupDetailsGroupBox = Find<TGroupBox>("GroupDetailsGroupBox");
    GroupPageControl = Find<TPageControl>("GroupPageControl");
    ChildDBGrid = Find<TwwDBGrid>("ChildDBGrid");
    AddRemoveResourcesButton = Find<TButton>("AddRemoveResourcesButton");
    ResourceGroupManagersDBGrid = Find<TwwDBGrid>("ResourceGroupManagersDBGrid");
    DeleteManagerButton = Find<TButton>("DeleteManagerButton");
    AddManagerButton = Find<TButton>("AddManagerButton");
    CancelManagerEditButton = Find<TButton>("CancelManagerEditButton");
    CloseButton = Find<TButton>("CloseButton");
    HelpButton = Find<TButton>("HelpButton");

    for (TADOQuery* query : {&GroupsQuery, &ResourceGroupsQuery, &ResourceGroupManagersQuery})
        query->SetConnection(&data.ADOConnection);
    GroupsQuery.SQL.SetText(QStringLiteral("select *\nfrom Groups\norder by GroupName"));
    ResourceGroupsQuery.SQL.SetText(QStringLiteral(
        "select ResourceName\nfrom [ResourceGroups] inner join [Resources] on [ResourceGroups].ResourceId "
        "= [Resources].ResourceId\nwhere [ResourceGroups].GroupName = :GroupName\norder by ResourceName"));
    ResourceGroupManagersQuery.SQL.SetText(QStringLiteral(
        "select GroupName, Username\nfrom ResourceGroupManagers\nwhere GroupName = :GroupName\norder by Username"));
    // The two detail queries follow the current group.
    ResourceGroupsQuery.SetDataSource(&GroupsDataSource);
    ResourceGroupManagersQuery.SetDataSource(&GroupsDataSource);
    GroupsDataSource.SetDataSet(&GroupsQuery);
    ResourceGroupsDataSource.SetDataSet(&ResourceGroupsQuery);
    ResourceGroupManagersDataSource.SetDataSet(&ResourceGroupManagersQuery);
    admin::SetUpEditorGrid(*MasterDBGrid, GroupsDataSource, QStringLiteral("GroupName\t20\tGroup Names\tF"), false);
    admin::SetUpEditorGrid(*ChildDBGrid, ResourceGroupsDataSource,
                           QStringLiteral("ResourceName\t20\tResource Names\tF"), false);
    ChildDBGrid->ReadOnly = true;
    admin::SetUpEditorGrid(*ResourceGroupManagersDBGrid, ResourceGroupManagersDataSource,
                           QStringLiteral("Username\t32\tUsernames\tF"), true);

    GroupsQuery.BeforePost = [&sqlData](TDataSet& dataSet) { sqlData.GroupBeforePost(dataSet); };
    GroupsQuery.BeforeDelete = [&sqlData](TDataSet& dataSet) { sqlData.GroupBeforeDelete(dataSet); };
    ResourceGroupManagersQuery.OnNewRecord = [this](TDataSet& dataSet) {
        dataSet.FieldByName(QStringLiteral("GroupName"))
            .SetAsString(GroupsQuery.FieldByName(QStringLiteral("GroupName")).AsString());
    };

    const admin::MasterList groups{GroupsQuery, *MasterDBGrid, [this] { return PostGroupEdits(); }};
    // The caret goes after the selected name, ready for typing.
    admin::ConnectMasterButtons(groups, *NewGroupButton, *DeleteGroupButton, *RenameGroupButton, *CancelGroupEditButton,
                                [this] {
                                    if (TInplaceEdit* editor = MasterDBGrid->InplaceEditor())
                                        editor->SetSelStart(editor->SelStart() + editor->SelLength());
                                });
    AddRemoveResourcesButton->OnClick = [this](QObject*) { AddRemoveResourcesButtonClick(); };
    admin::ConnectDetail(groups, ResourceGroupManagersQuery, *ResourceGroupManagersDBGrid, *AddManagerButton,
                         *DeleteManagerButton, *CancelManagerEditButton, false);
    HelpButton->OnClick = [this](QObject*) {
        if (ShowHelpTopic) ShowHelpTopic(QStringLiteral("html\\databases\\resource_groups.html"));
    };
    admin::AddAdminLoginMenu(*this, [this] { LoginasAdminItemClick(); });

    OnShow = [this](QObject*) { FormShow(); };
    OnCloseQuery = [this](QObject*, bool& canClose) { FormCloseQuery(canClose); };
    OnClose = [this](QObject*, TCloseAction&) {
        for (TADOQuery* query : {&ResourceGroupManagersQuery, &ResourceGroupsQuery, &GroupsQuery}) query->Close();
    };
    for (TwwDBGrid* grid : {MasterDBGrid, ChildDBGrid, ResourceGroupManagersDBGrid}) grid->Loaded();
    Loaded();
}

void TEditGroupForm::FormShow() {
    admin::DropAdminLoginMenu(*this, data_);
    SetClientHeight(CloseButton->Top() + CloseButton->Height() + 12);
    HelpButton->SetEnabled(bool(ShowHelpTopic));
    OpenGroupDatasets();
    CloseButton->SetFocus();
}

void TEditGroupForm::OpenGroupDatasets() {
    const bool right = admin::HasEditRight(data_);
    SetCaption(admin::RightsCaption(QStringLiteral("Resource Group List"), right));
    for (TADOQuery* query : {&ResourceGroupManagersQuery, &ResourceGroupsQuery, &GroupsQuery}) {
        query->Close();
        query->LockType = right ? ltOptimistic : ltReadOnly;
    }
    MasterDBGrid->ReadOnly = !right;
    ResourceGroupManagersDBGrid->ReadOnly = !right;
    for (TButton* button : {NewGroupButton, RenameGroupButton, DeleteGroupButton, CancelGroupEditButton,
                            AddRemoveResourcesButton, DeleteManagerButton, AddManagerButton, CancelManagerEditButton})
        button->SetEnabled(right);
    GroupsQuery.Open();
    AdjustQueryFieldSizes(GroupsQuery);
    ResourceGroupsQuery.Open();
    ResourceGroupManagersQuery.Open();
}

bool TEditGroupForm::PostGroupEdits() {
    if (admin::PostNamedRowEdits(GroupsQuery, QStringLiteral("GroupName"))) return true;
    MasterDBGrid->FocusGrid();
    return false;
}

void TEditGroupForm::AddRemoveResourcesButtonClick() {
    if (!PostGroupEdits()) return;
    if (GroupsQuery.IsEmpty()) {
        MessageDlg(QStringLiteral("You must create and select a group before you can add resources to it."),
                   mtInformation, {mbOK});
        return;
    }
    admin::EditGroupResources(data_.ADOConnection, GroupsQuery.FieldByName(QStringLiteral("GroupName")).AsString());
    ResourceGroupsQuery.Requery();
}

void TEditGroupForm::LoginasAdminItemClick() {
    if (admin::LoginAsAdministrator(data_)) OpenGroupDatasets();
}

void TEditGroupForm::FormCloseQuery(bool& canClose) {
    SetActiveControl(nullptr);
    canClose =
        PostGroupEdits() && admin::PostRowEdits(ResourceGroupsQuery) && admin::PostRowEdits(ResourceGroupManagersQuery);
}
