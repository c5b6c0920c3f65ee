// The resource editor's window: its layout, rights, buttons and closing.
#include "admin/EditResourceForm.h"

#include "admin/AdminLogin.h"
#include "admin/EditFeatureForm.h"
#include "admin/EditGroupForm.h"
#include "admin/EditorWindows.h"
#include "admin/MasterDetailEdits.h"
#include "admin/Membership.h"
#include "admin/NamedRowEdits.h"
#include "controls/edit/DateTimePicker.h"
#include "controls/edit/WwCheckBox.h"
#include "controls/edit/WwDBEdit.h"
#include "controls/grid/WwGridFormClasses.h"
#include "controls/grid/Wwdbgrid.h"
#include "data/module/DataModule.h"
#include "data/module/SQLDataModule.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Containers.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Edits.h"
#include "platform/ui/FormDescription.h"
#include "platform/ui/Image.h"
#include "platform/ui/Label.h"
#include "util/core/DvSysUtils.h"

TEditResourceForm::TEditResourceForm(TData& data, TSQLData& sqlData, QWidget* owner)
    : TForm(owner), data_(data), sqlData_(sqlData) {
    controls::RegisterGridFormClasses();
    ui::DescribeForm(
        *this, {"EditResourceForm", "Resources", bsDialog, poScreenCenter, 884, 379},
        {
            // name                       class          parent              left top width height caption
            {"MasterDBGrid", "TwwDBGrid", "", 8, 8, 300, 262},
            {"NewResourceButton", "TButton", "", 8, 278, 148, 25, "New Resource"},
            {"DeleteResourceButton", "TButton", "", 160, 278, 148, 25, "Delete Resource"},
            {"RenameResourceButton", "TButton", "", 8, 308, 148, 25, "Rename Resource"},
            {"CancelEditButton", "TButton", "", 160, 308, 148, 25, "Cancel Edit"},
            {"ResourceDetailsGroupBox", "TGroupBox", "", 316, 4, 560, 330, "Resource Details"},
            {"DetailsPageControl", "TPageControl", "ResourceDetailsGroupBox", 8, 20, 544, 302},
            {"GeneralTabSheet", "TTabSheet", "DetailsPageControl", 0, 0, 0, 0, "General"},
            {"DescLabel", "TLabel", "GeneralTabSheet", 8, 12, 44, 17, "Desc"},
            {"DescriptionDBEdit", "TwwDBEdit", "GeneralTabSheet", 56, 8, 468, 23},
            {"NotesLabel", "TLabel", "GeneralTabSheet", 8, 44, 44, 17, "Notes"},
            {"NotesDBEdit", "TwwDBEdit", "GeneralTabSheet", 56, 40, 468, 216},
            {"BookingsTabSheet", "TTabSheet", "DetailsPageControl", 0, 0, 0, 0, "Bookings"},
            {"BookingsGroupBox", "TGroupBox", "BookingsTabSheet", 8, 4, 520, 56, "Bookings"},
            {"MaxBookingDays", "TwwCheckBox", "BookingsGroupBox", 8, 24, 300, 21, "Limit bookings to a maximum of"},
            {"MaxDaysEdit", "TEdit", "BookingsGroupBox", 312, 22, 60, 23},
            {"DaysLabel", "TLabel", "BookingsGroupBox", 380, 25, 50, 17, "days"},
            {"AllowBookingsGroupBox", "TGroupBox", "BookingsTabSheet", 8, 64, 520, 116, "Allow bookings"},
            {"AllowAll", "TRadioButton", "AllowBookingsGroupBox", 8, 24, 300, 21, "Anytime in the future"},
            {"AllowDaysAhead", "TRadioButton", "AllowBookingsGroupBox", 8, 54, 300, 21,
             "A max number of days from today"},
            {"AllowDaysAheadEdit", "TEdit", "AllowBookingsGroupBox", 312, 52, 60, 23},
            {"AllowUntil", "TRadioButton", "AllowBookingsGroupBox", 8, 84, 300, 21, "Up to and including the date"},
            {"AllowUntilDateTimePicker", "TwwDBDateTimePicker", "AllowBookingsGroupBox", 312, 82, 140, 23},
            {"SecurityGroupBox", "TGroupBox", "BookingsTabSheet", 8, 184, 520, 56, "Security"},
            {"OnlyAllowManagersWriteCheckBox", "TwwCheckBox", "SecurityGroupBox", 8, 24, 504, 21,
             "Only allow resource managers to create and modify bookings"},
            {"FeaturesTabSheet", "TTabSheet", "DetailsPageControl", 0, 0, 0, 0, "Features"},
            {"FeaturesDBGrid", "TwwDBGrid", "FeaturesTabSheet", 8, 8, 240, 240, "", "TabStop=False"},
            {"AddRemoveFeaturesButton", "TButton", "FeaturesTabSheet", 256, 8, 264, 25, "Add/Remove  Features"},
            {"EditFeatureListButton", "TButton", "FeaturesTabSheet", 256, 40, 264, 25, "Edit Feature List"},
            {"GroupsTabSheet", "TTabSheet", "DetailsPageControl", 0, 0, 0, 0, "Groups"},
            {"GroupsDBGrid", "TwwDBGrid", "GroupsTabSheet", 8, 8, 240, 240, "", "TabStop=False"},
            {"AddRemoveGroupsButton", "TButton", "GroupsTabSheet", 256, 8, 264, 25, "Add/Remove  Group Membership"},
            {"EditGroupListButton", "TButton", "GroupsTabSheet", 256, 40, 264, 25, "Edit Group List"},
            {"ManagersTabSheet", "TTabSheet", "DetailsPageControl", 0, 0, 0, 0, "Managers"},
            {"ResourceManagersDBGrid", "TwwDBGrid", "ManagersTabSheet", 8, 8, 330, 210},
            {"DeleteManagerButton", "TButton", "ManagersTabSheet", 8, 226, 100, 25, "Delete"},
            {"AddManagerButton", "TButton", "ManagersTabSheet", 114, 226, 100, 25, "Add"},
            {"CancelManagerEditButton", "TButton", "ManagersTabSheet", 220, 226, 110, 25, "Cancel Edit"},
            {"PictureTabSheet", "TTabSheet", "DetailsPageControl", 0, 0, 0, 0, "Picture"},
            {"ImagePanel", "TPanel", "PictureTabSheet", 8, 8, 400, 240, "No image"},
            {"ResourceImage", "TImage", "ImagePanel", 0, 0, 0, 0, "", "Visible=False"},
            {"LoadButton", "TButton", "PictureTabSheet", 416, 8, 100, 25, "Load"},
            {"ClearButton", "TButton", "PictureTabSheet", 416, 40, 100, 25, "Clear"},
            {"CloseButton", "TButton", "", 306, 342, 90, 25, "Close", "ModalResult=mrOk"},
            {"HelpButton", "TButton", "", 412, 342, 90, 25, "Help"},
        });
    MasterDBGrid = Find<TwwDBGrid>("MasterDBGrid");
    NewResourceButton = Find<TButton>("NewResourceButton");
    DeleteResourceButton = Find<TButton>("DeleteResourceButton");
    RenameResourceButton = Find<TButton>("RenameResourceButton");
    CancelEditButton = Find<TButton>("CancelEditButton");
    ResourceDetailsGroupBox = Find<TGroupBox>("ResourceDetailsGroupBox");
    DetailsPageControl = Find<TPageControl>("DetailsPageControl");
    GeneralTabSheet = Find<TTabSheet>("GeneralTabSheet");
    DescLabel = Find<TLabel>("DescLabel");
    DescriptionDBEdit = Find<TwwDBEdit>("DescriptionDBEdit");
    NotesLabel = Find<TLabel>("NotesLabel");
    NotesDBEdit = Find<TwwDBEdit>("NotesDBEdit");
    MaxBookingDays = Find<TwwCheckBox>("MaxBookingDays");
    MaxDaysEdit = Find<TEdit>("MaxDaysEdit");
    DaysLabel = Find<TLabel>("DaysLabel");
    AllowBookingsGroupBox = Find<TGroupBox>("AllowBookingsGroupBox");
    AllowAll = Find<TRadioButton>("AllowAll");
    AllowDaysAhead = Find<TRadioButton>("AllowDaysAhead");
    AllowUntil = Find<TRadioButton>("AllowUntil");
    AllowDaysAheadEdit = Find<TEdit>("AllowDaysAheadEdit");
    AllowUntilDateTimePicker = Find<TwwDBDateTimePicker>("AllowUntilDateTimePicker");
    OnlyAllowManagersWriteCheckBox = Find<TwwCheckBox>("OnlyAllowManagersWriteCheckBox");
    FeaturesDBGrid = Find<TwwDBGrid>("FeaturesDBGrid");
    AddRemoveFeaturesButton = Find<TButton>("AddRemoveFeaturesButton");
    EditFeatureListButton = Find<TButton>("EditFeatureListButton");
    GroupsDBGrid = Find<TwwDBGrid>("GroupsDBGrid");
    AddRemoveGroupsButton = Find<TButton>("AddRemoveGroupsButton");
    EditGroupListButton = Find<TButton>("EditGroupListButton");
    ResourceManagersDBGrid = Find<TwwDBGrid>("ResourceManagersDBGrid");
    DeleteManagerButton = Find<TButton>("DeleteManagerButton");
    AddManagerButton = Find<TButton>("AddManagerButton");
    CancelManagerEditButton = Find<TButton>("CancelManagerEditButton");
    ImagePanel = Find<TPanel>("ImagePanel");
    ResourceImage = Find<TImage>("ResourceImage");
    LoadButton = Find<TButton>("LoadButton");
    ClearButton = Find<TButton>("ClearButton");
    CloseButton = Find<TButton>("CloseButton");
    HelpButton = Find<TButton>("HelpButton");
    ResourceImage->SetStretch(true);
    OpenPictureDialog = new TOpenDialog(this);
    OpenPictureDialog->SetName(QStringLiteral("OpenPictureDialog"));
    OpenPictureDialog->SetFilter(QStringLiteral("JPEG Image File (*.jpg;*.jpeg)|*.jpg;*.jpeg|All Files (*.*)|*.*"));

    for (TADOQuery* query : {&ResourcesQuery, &ResourceFeaturesQuery, &GroupsQuery, &ResourceManagersQuery})
        query->SetConnection(&data.ADOConnection);
    ResourcesQuery.SQL.SetText(QStringLiteral("select *\nfrom Resources\norder by ResourceName"));
    ResourceFeaturesQuery.SQL.SetText(
        QStringLiteral("select *\nfrom ResourceFeatures\nwhere ResourceId = :ResourceId\norder by Feature"));
    GroupsQuery.SQL.SetText(
        QStringLiteral("select GroupName\nfrom ResourceGroups\nwhere ResourceId = :ResourceId\norder by GroupName"));
    ResourceManagersQuery.SQL.SetText(QStringLiteral(
        "select ResourceId, Username\nfrom ResourceManagers\nwhere ResourceId = :ResourceId\norder by Username"));
    // The three detail queries follow the current resource.
    for (TADOQuery* query : {&ResourceFeaturesQuery, &GroupsQuery, &ResourceManagersQuery})
        query->SetDataSource(&ResourcesDataSource);
    ResourcesDataSource.SetDataSet(&ResourcesQuery);
    ResourceFeaturesDataSource.SetDataSet(&ResourceFeaturesQuery);
    GroupsDataSource.SetDataSet(&GroupsQuery);
    ResourceManagersDataSource.SetDataSet(&ResourceManagersQuery);

    admin::SetUpEditorGrid(*MasterDBGrid, ResourcesDataSource, QStringLiteral("ResourceName\t22\tResourceName\tF"),
                           false);
    admin::SetUpEditorGrid(*FeaturesDBGrid, ResourceFeaturesDataSource, QStringLiteral("Feature\t20\tFeatures\tF"),
                           false);
    admin::SetUpEditorGrid(*GroupsDBGrid, GroupsDataSource, QStringLiteral("GroupName\t20\tGroup Names\tF"), false);
    GroupsDBGrid->ControlType().SetStrings({QStringLiteral("Feature;CustomEdit;FeatureLookupCombo")});
    admin::SetUpEditorGrid(*ResourceManagersDBGrid, ResourceManagersDataSource,
                           QStringLiteral("Username\t32\tUsernames\tF"), true);
    FeaturesDBGrid->ReadOnly = true;
    GroupsDBGrid->ReadOnly = true;

    DescriptionDBEdit->SetDataSource(&ResourcesDataSource);
    DescriptionDBEdit->SetDataField(QStringLiteral("Description"));
    NotesDBEdit->SetDataSource(&ResourcesDataSource);
    NotesDBEdit->SetDataField(QStringLiteral("Notes"));
    NotesDBEdit->SetWordWrap(true);
    NotesDBEdit->SetShowVertScrollBar(true);
    for (const auto& [box, field] : {std::pair{MaxBookingDays, "MaxBookDaysRestrict"},
                                     std::pair{OnlyAllowManagersWriteCheckBox, "OnlyAllowManagersWrite"}}) {
        box->SetValueChecked(QStringLiteral("True"));
        box->SetValueUnchecked(QStringLiteral("False"));
        box->SetDataSource(&ResourcesDataSource);
        box->SetDataField(QLatin1String(field));
    }
    AllowUntilDateTimePicker->SetUnboundDataType(wwDTEdtDate);
    AllowUntilDateTimePicker->SetEpoch(1950);
    AllowUntilDateTimePicker->SetShowButton(true);

    ResourcesQuery.BeforePost = [&sqlData](TDataSet& dataSet) { sqlData.ResourceBeforePost(dataSet); };
    ResourcesQuery.BeforeDelete = [&sqlData](TDataSet& dataSet) { sqlData.ResourceBeforeDelete(dataSet); };
    ResourcesQuery.OnNewRecord = [&sqlData](TDataSet& dataSet) { sqlData.ResourceNewRecord(dataSet); };
    ResourceManagersQuery.BeforePost = [&sqlData](TDataSet& dataSet) { sqlData.ResourceManagerBeforePost(dataSet); };
    ResourceManagersQuery.OnNewRecord = [this](TDataSet& dataSet) {
        dataSet.FieldByName(QStringLiteral("ResourceId")).SetValue(Resource("ResourceId").Value());
        DeleteManagerButton->SetEnabled(false);
    };
    ResourceManagersQuery.AfterPost = [this](TDataSet&) { DeleteManagerButton->SetEnabled(true); };
    ResourceManagersQuery.AfterCancel = ResourceManagersQuery.AfterPost;

    MasterDBGrid->OnRowChanged = [this](QObject*) { MasterDBGridRowChanged(); };
    const admin::MasterList resources{ResourcesQuery, *MasterDBGrid, [this] { return PostResourceEdits(); }};
    admin::ConnectMasterButtons(resources, *NewResourceButton, *DeleteResourceButton, *RenameResourceButton,
                                *CancelEditButton);
    AddRemoveFeaturesButton->OnClick = [this](QObject*) { AddRemoveFeaturesButtonClick(); };
    AddRemoveGroupsButton->OnClick = [this](QObject*) { AddRemoveGroupsButtonClick(); };
    admin::AfterPostingMaster(resources, *EditFeatureListButton, [this] {
        TEditFeatureForm(data_, sqlData_, this).ShowModal();
        ResourceFeaturesQuery.Requery();
    });
    admin::AfterPostingMaster(resources, *EditGroupListButton, [this] {
        TEditGroupForm form(data_, sqlData_, this);
        form.ShowHelpTopic = ShowHelpTopic;
        form.ShowModal();
        GroupsQuery.Requery();
    });
    // Entering the managers with a resource that cannot be posted goes back to the list.
    admin::ConnectDetail(resources, ResourceManagersQuery, *ResourceManagersDBGrid, *AddManagerButton,
                         *DeleteManagerButton, *CancelManagerEditButton, true);
    LoadButton->OnClick = [this](QObject*) { LoadPictureButtonClick(); };
    ClearButton->OnClick = [this](QObject*) { ClearPictureButtonClick(); };
    HelpButton->OnClick = [this](QObject*) {
        if (ShowHelpTopic) ShowHelpTopic(QStringLiteral("html\\databases\\resources.html"));
    };
    const auto digitsOnly = [](QObject*, QChar& key) {
        if (!IsDigitKey(key) && !IsEditCommandKey(key)) key = QChar();
    };
    MaxDaysEdit->OnKeyPress = digitsOnly;
    AllowDaysAheadEdit->OnKeyPress = digitsOnly;
    admin::AddAdminLoginMenu(*this, [this] { LoginasAdminItemClick(); });

    OnShow = [this](QObject*) { FormShow(); };
    OnCloseQuery = [this](QObject*, bool& canClose) { FormCloseQuery(canClose); };
    OnClose = [this](QObject*, TCloseAction&) {
        for (TADOQuery* query : {&ResourceManagersQuery, &GroupsQuery, &ResourceFeaturesQuery, &ResourcesQuery})
            query->Close();
    };
    for (TwwDBGrid* grid : {MasterDBGrid, FeaturesDBGrid, GroupsDBGrid, ResourceManagersDBGrid}) grid->Loaded();
    Loaded();
    // What list mode gives back.
    designClientWidth_ = ClientWidth();
    designDetailsLeft_ = ResourceDetailsGroupBox->Left();
}

void TEditResourceForm::SetListMode(bool listMode) {
    ListMode = listMode;
    if (listMode) {
        ResourceDetailsGroupBox->SetLeft(designDetailsLeft_);
        SetClientWidth(designClientWidth_);
    } else {
        ResourceDetailsGroupBox->SetLeft(MasterDBGrid->Left());
        SetClientWidth(ResourceDetailsGroupBox->Width() + 2 * ResourceDetailsGroupBox->Left());
    }
    for (TControl* control : std::initializer_list<TControl*>{MasterDBGrid, NewResourceButton, DeleteResourceButton,
                                                              RenameResourceButton, CancelEditButton})
        control->SetVisible(listMode);
}

TField& TEditResourceForm::Resource(const char* field) { return ResourcesQuery.FieldByName(QLatin1String(field)); }

int TEditResourceForm::GlobalRestrictMode() const {
    const TDataSet& global = data_.GlobalTable;
    if (!global.Active() || global.IsEmpty()) return 1;
    return int(global.FieldByName(QStringLiteral("BookingRestrictMode")).AsInteger());
}

void TEditResourceForm::FormShow() {
    admin::DropAdminLoginMenu(*this, data_);
    SetClientHeight(CloseButton->Top() + CloseButton->Height() + 12);
    CloseButton->SetLeft(ClientWidth() / 2 - CloseButton->Width() - 8);
    HelpButton->SetLeft(ClientWidth() / 2 + 8);
    HelpButton->SetEnabled(bool(ShowHelpTopic));
    OpenResourceDatasets();
    ResourcesQuery.Locate(QStringLiteral("ResourceId"), ResourceIdToShow);
    MasterDBGridRowChanged();
}

void TEditResourceForm::OpenResourceDatasets() {
    for (TADOQuery* query : {&ResourceManagersQuery, &GroupsQuery, &ResourceFeaturesQuery, &ResourcesQuery})
        query->Close();
    const bool right = ListMode && admin::HasEditRight(data_);
    SetCaption(ListMode ? admin::RightsCaption(QStringLiteral("Resource List"), right)
                        : QStringLiteral("View Resource Details"));
    MasterDBGrid->ReadOnly = !right;
    ResourcesQuery.LockType = right ? ltOptimistic : ltReadOnly;
    for (TControl* control : std::initializer_list<TControl*>{NewResourceButton,
                                                              DeleteResourceButton,
                                                              RenameResourceButton,
                                                              CancelEditButton,
                                                              DescLabel,
                                                              DescriptionDBEdit,
                                                              NotesLabel,
                                                              NotesDBEdit,
                                                              GeneralTabSheet,
                                                              OnlyAllowManagersWriteCheckBox,
                                                              MaxBookingDays,
                                                              MaxDaysEdit,
                                                              DaysLabel,
                                                              AddRemoveFeaturesButton,
                                                              AddRemoveGroupsButton,
                                                              EditFeatureListButton,
                                                              EditGroupListButton,
                                                              DeleteManagerButton,
                                                              AddManagerButton,
                                                              CancelManagerEditButton,
                                                              LoadButton,
                                                              ClearButton})
        control->SetEnabled(right);
    const bool ownLimits = right && GlobalRestrictMode() == 1;
    for (TControl* control : std::initializer_list<TControl*>{AllowAll, AllowDaysAhead, AllowUntil, AllowDaysAheadEdit,
                                                              AllowUntilDateTimePicker})
        control->SetEnabled(ownLimits);
    ResourceFeaturesQuery.LockType = ltReadOnly;
    GroupsQuery.LockType = ltReadOnly;
    ResourceManagersQuery.LockType = right ? ltOptimistic : ltReadOnly;
    ResourceManagersDBGrid->ReadOnly = !right;
    for (TADOQuery* query : {&ResourcesQuery, &ResourceFeaturesQuery, &GroupsQuery, &ResourceManagersQuery})
        query->Open();
    admin::WidenFirstColumn(*FeaturesDBGrid);
}

bool TEditResourceForm::PostResourceEdits() {
    if (!isVisible() || !admin::IsPending(ResourcesQuery)) return true;
    if (admin::PostRowEdits(ResourcesQuery)) return true;
    MasterDBGrid->FocusGrid();
    return false;
}

void TEditResourceForm::AddRemoveFeaturesButtonClick() {
    if (!PostResourceEdits() || ResourcesQuery.IsEmpty()) return;
    admin::EditResourceFeatures(data_.ADOConnection, int(Resource("ResourceId").AsInteger()));
    ResourceFeaturesQuery.Requery();
}

void TEditResourceForm::AddRemoveGroupsButtonClick() {
    if (!PostResourceEdits() || ResourcesQuery.IsEmpty()) return;
    admin::EditResourceGroups(data_.ADOConnection, int(Resource("ResourceId").AsInteger()));
    GroupsQuery.Requery();
}

void TEditResourceForm::LoginasAdminItemClick() {
    if (!admin::LoginAsAdministrator(data_)) return;
    const QVariant resourceId = ResourcesQuery.Eof() ? QVariant() : Resource("ResourceId").Value();
    OpenResourceDatasets();
    if (!resourceId.isNull()) ResourcesQuery.Locate(QStringLiteral("ResourceId"), resourceId);
    MasterDBGridRowChanged();
}

void TEditResourceForm::FormCloseQuery(bool& canClose) {
    // A grid's cell editor hands its text to the field first.
    SetActiveControl(nullptr);
    canClose = PostResourceEdits() && admin::PostRowEdits(ResourceFeaturesQuery) && admin::PostRowEdits(GroupsQuery) &&
               admin::PostRowEdits(ResourceManagersQuery);
}
