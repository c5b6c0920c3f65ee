// The database properties dialog: its pages, the rights, the two manager lists and help.
#include "admin/DatabasePropertiesForm.h"

#include "admin/AdminLogin.h"
#include "admin/EditorWindows.h"
#include "controls/edit/DateTimePicker.h"
#include "controls/grid/WwGridFormClasses.h"
#include "controls/grid/Wwdbgrid.h"
#include "data/module/DataModule.h"
#include "data/module/SQLDataModule.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Messages.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Containers.h"
#include "platform/ui/Edits.h"
#include "platform/ui/FormDescription.h"
#include "platform/ui/Label.h"
#include "platform/ui/Lists.h"
#include "util/core/DvSysUtils.h"

namespace {

const QStringList kProgramVersions = {QStringLiteral("6.0.0.255"), QStringLiteral("6.0.0.254"),
                                      QStringLiteral("6.0.0.253"), QStringLiteral("6.0.0.252"),
                                      QStringLiteral("6.0.0.251"), QStringLiteral("6.0.0.250")};

// "Add" appends a row and focuses the grid, "Delete" deletes the current row unless there is none, "Cancel Edit"
// cancels the pending edit; a new row disables "Delete" until it is posted or cancelled.
void ConnectManagerList(TDataSet& managers, TwwDBGrid& grid, TButton& add, TButton& remove, TButton& cancelEdit) {
    add.OnClick = [&managers, &grid](QObject*) {
        managers.Append();
        grid.FocusGrid();
    };
    remove.OnClick = [&managers](QObject*) {
        if (!managers.IsEmpty()) managers.Delete();
    };
    cancelEdit.OnClick = [&managers](QObject*) { managers.Cancel(); };
    managers.OnNewRecord = [&remove](TDataSet&) { remove.SetEnabled(false); };
    managers.AfterPost = [&remove](TDataSet&) { remove.SetEnabled(true); };
    managers.AfterCancel = [&remove](TDataSet&) { remove.SetEnabled(true); };
}

}  // namespace

TDatabasePropertiesForm::TDatabasePropertiesForm(TData& data, TSQLData& sqlData, QWidget* owner)
    : TForm(owner), data_(data) {
    controls::RegisterGridFormClasses();
    ui::DescribeForm(
        *this, {"DatabasePropertiesForm", "Database Properties", bsToolWindow, poScreenCenter, 840, 372},
        {
            // name                                  class            parent          left top width height caption
            {"PageControl", "TPageControl", "", 8, 8, 824, 316},
            {"GeneralTabSheet", "TTabSheet", "PageControl", 0, 0, 0, 0, "General"},
            {"DatabaseTitleGroupBox", "TGroupBox", "GeneralTabSheet", 8, 8, 800, 146, "Database Title"},
            {"DatabaseTitleFilenameRadioButton", "TRadioButton", "DatabaseTitleGroupBox", 12, 24, 776, 22,
             "Use Database Filename"},
            {"DatabaseTitleFilenameFullPathRadioButton", "TRadioButton", "DatabaseTitleGroupBox", 12, 50, 776, 22,
             "Use Database Filename with Full Pathname"},
            {"DatabaseTitleUserSpecifiedRadioButton", "TRadioButton", "DatabaseTitleGroupBox", 12, 76, 776, 22,
             "Use Specified"},
            {"DatabaseTitleEdit", "TEdit", "DatabaseTitleGroupBox", 32, 104, 300, 25},
            {"IdentificationGroupBox", "TGroupBox", "GeneralTabSheet", 8, 162, 800, 84, "Identification"},
            {"WorkstationLogonRadioButton", "TRadioButton", "IdentificationGroupBox", 12, 24, 776, 22,
             "Workstation Logon (Windows Username)"},
            {"NovellUsernameRadioButton", "TRadioButton", "IdentificationGroupBox", 12, 50, 776, 22, "Novell Username"},
            {"ManagersTabSheet", "TTabSheet", "PageControl", 0, 0, 0, 0, "Managers"},
            {"TaskManagersGroupBox", "TGroupBox", "ManagersTabSheet", 8, 8, 396, 272, "Task Managers"},
            {"TaskManagersDBGrid", "TwwDBGrid", "TaskManagersGroupBox", 8, 22, 380, 206},
            {"DeleteTaskManagerButton", "TButton", "TaskManagersGroupBox", 8, 236, 112, 25, "Delete"},
            {"AddTaskManagerButton", "TButton", "TaskManagersGroupBox", 128, 236, 112, 25, "Add"},
            {"CancelTaskManagerEditButton", "TButton", "TaskManagersGroupBox", 248, 236, 120, 25, "Cancel Edit"},
            {"ResourceManagersGroupBox", "TGroupBox", "ManagersTabSheet", 412, 8, 396, 272,
             "Resources Managers (All Resources)"},
            {"ResourceManagersDBGrid", "TwwDBGrid", "ResourceManagersGroupBox", 8, 22, 380, 206},
            {"DeleteResourceManagerButton", "TButton", "ResourceManagersGroupBox", 8, 236, 112, 25, "Delete"},
            {"AddResourceManagerButton", "TButton", "ResourceManagersGroupBox", 128, 236, 112, 25, "Add"},
            {"CancelResourceManagerEditButton", "TButton", "ResourceManagersGroupBox", 248, 236, 120, 25,
             "Cancel Edit"},
            {"BookingsTabSheet", "TTabSheet", "PageControl", 0, 0, 0, 0, "Bookings"},
            {"BookingRestrictionsGroupBox", "TGroupBox", "BookingsTabSheet", 8, 8, 800, 112, "Booking Restrictions"},
            {"RestrictByResource", "TRadioButton", "BookingRestrictionsGroupBox", 12, 24, 776, 22,
             "Restrict by individual resource"},
            {"MaxDaysAhead", "TRadioButton", "BookingRestrictionsGroupBox", 12, 52, 420, 22,
             "Allow bookings within the next number of days"},
            {"MaxDaysAheadEdit", "TEdit", "BookingRestrictionsGroupBox", 440, 50, 70, 25},
            {"UpToDate", "TRadioButton", "BookingRestrictionsGroupBox", 12, 80, 420, 22,
             "Allow bookings from today until (and including)"},
            {"UpToDateDateTimePicker", "TwwDBDateTimePicker", "BookingRestrictionsGroupBox", 440, 78, 150, 25},
            {"BookingSecurityGroupBox", "TGroupBox", "BookingsTabSheet", 8, 128, 800, 84, "Booking Security"},
            {"BookingAllowUserCreate", "TCheckBox", "BookingSecurityGroupBox", 12, 24, 776, 22,
             "Allow everyone to create and modify bookings"},
            {"BookingOwnerOnlyModify", "TCheckBox", "BookingSecurityGroupBox", 12, 52, 776, 22,
             "Only allow booking owner or resource manager to modify existing bookings"},
            {"TasksTabSheet", "TTabSheet", "PageControl", 0, 0, 0, 0, "Tasks"},
            {"TaskSecurityGroupBox", "TGroupBox", "TasksTabSheet", 8, 8, 800, 84, "Task Security"},
            {"TaskAllowUserCreate", "TCheckBox", "TaskSecurityGroupBox", 12, 24, 776, 22,
             "Allow everyone to create and modify tasks"},
            {"TaskOwnerOnlyModify", "TCheckBox", "TaskSecurityGroupBox", 12, 52, 776, 22,
             "Only allow task owner or task managers to modify tasks"},
            {"DiskSpaceTabSheet", "TTabSheet", "PageControl", 0, 0, 0, 0, "Disk Space"},
            {"CheckReclaim", "TCheckBox", "DiskSpaceTabSheet", 12, 14, 20, 22},
            {"CheckReclaimLabel", "TLabel", "DiskSpaceTabSheet", 34, 16, 460, 17,
             "On startup check if compacting database will reclaim over"},
            {"CheckReclaimSize", "TEdit", "DiskSpaceTabSheet", 500, 12, 60, 25},
            {"CheckReclaimMBLabel", "TLabel", "DiskSpaceTabSheet", 566, 16, 40, 17, "MB"},
            {"ProgramVersionTabSheet", "TTabSheet", "PageControl", 0, 0, 0, 0, "Program Version"},
            {"ProgramAccessGroupBox", "TGroupBox", "ProgramVersionTabSheet", 8, 8, 800, 92, "Program Access"},
            {"MinProgramVersionLabel", "TLabel", "ProgramAccessGroupBox", 12, 26, 776, 17,
             "Users must be running the following version or higher to access this database"},
            {"MinProgramVersionComboBox", "TComboBox", "ProgramAccessGroupBox", 12, 52, 160, 25},
            {"CompatibilityTabSheet", "TTabSheet", "PageControl", 0, 0, 0, 0, "Compatibility"},
            {"CompatibilityBookingsGroupBox", "TGroupBox", "CompatibilityTabSheet", 8, 8, 800, 58, "Bookings"},
            {"Treat1159AsMidnightCheckBox", "TCheckBox", "CompatibilityBookingsGroupBox", 12, 24, 776, 22,
             "Treat 11:59 pm the same as midnight"},
            {"AdvancedTabSheet", "TTabSheet", "PageControl", 0, 0, 0, 0, "Advanced"},
            {"AdvancedSQLDataQueryButton", "TButton", "AdvancedTabSheet", 12, 12, 240, 25, "Advanced SQL Data Query"},
            {"UserDataAccessGroupBox", "TGroupBox", "AdvancedTabSheet", 8, 50, 800, 58, "User Data Access"},
            {"AllowuserSQLQueriesCheckBox", "TCheckBox", "UserDataAccessGroupBox", 12, 24, 776, 22,
             "Allow user SQL queries"},
            {"OkButton", "TButton", "", 546, 336, 90, 25, "Ok", "Default=True; ModalResult=mrOk"},
            {"CancelButton", "TButton", "", 642, 336, 90, 25, "Cancel", "Cancel=True"},
            {"HelpButton", "TButton", "", 738, 336, 90, 25, "Help"},
        });
    PageControl = Find<TPageControl>("PageControl");
    GeneralTabSheet = Find<TTabSheet>("GeneralTabSheet");
    ManagersTabSheet = Find<TTabSheet>("ManagersTabSheet");
    BookingsTabSheet = Find<TTabSheet>("BookingsTabSheet");
    DatabaseTitleFilenameRadioButton = Find<TRadioButton>("DatabaseTitleFilenameRadioButton");
    DatabaseTitleUserSpecifiedRadioButton = Find<TRadioButton>("DatabaseTitleUserSpecifiedRadioButton");
    DatabaseTitleFilenameFullPathRadioButton = Find<TRadioButton>("DatabaseTitleFilenameFullPathRadioButton");
    DatabaseTitleEdit = Find<TEdit>("DatabaseTitleEdit");
    WorkstationLogonRadioButton = Find<TRadioButton>("WorkstationLogonRadioButton");
    NovellUsernameRadioButton = Find<TRadioButton>("NovellUsernameRadioButton");
    TaskManagersDBGrid = Find<TwwDBGrid>("TaskManagersDBGrid");
    DeleteTaskManagerButton = Find<TButton>("DeleteTaskManagerButton");
    AddTaskManagerButton = Find<TButton>("AddTaskManagerButton");
    CancelTaskManagerEditButton = Find<TButton>("CancelTaskManagerEditButton");
    ResourceManagersDBGrid = Find<TwwDBGrid>("ResourceManagersDBGrid");
    DeleteResourceManagerButton = Find<TButton>("DeleteResourceManagerButton");
    AddResourceManagerButton = Find<TButton>("AddResourceManagerButton");
    CancelResourceManagerEditButton = Find<TButton>("CancelResourceManagerEditButton");
    RestrictByResource = Find<TRadioButton>("RestrictByResource");
    MaxDaysAhead = Find<TRadioButton>("MaxDaysAhead");
    MaxDaysAheadEdit = Find<TEdit>("MaxDaysAheadEdit");
    UpToDate = Find<TRadioButton>("UpToDate");
    UpToDateDateTimePicker = Find<TwwDBDateTimePicker>("UpToDateDateTimePicker");
    BookingOwnerOnlyModify = Find<TCheckBox>("BookingOwnerOnlyModify");
    BookingAllowUserCreate = Find<TCheckBox>("BookingAllowUserCreate");
    TaskOwnerOnlyModify = Find<TCheckBox>("TaskOwnerOnlyModify");
    TaskAllowUserCreate = Find<TCheckBox>("TaskAllowUserCreate");
    CheckReclaim = Find<TCheckBox>("CheckReclaim");
    CheckReclaimLabel = Find<TLabel>("CheckReclaimLabel");
    CheckReclaimSize = Find<TEdit>("CheckReclaimSize");
    CheckReclaimMBLabel = Find<TLabel>("CheckReclaimMBLabel");
    MinProgramVersionLabel = Find<TLabel>("MinProgramVersionLabel");
    MinProgramVersionComboBox = Find<TComboBox>("MinProgramVersionComboBox");
    Treat1159AsMidnightCheckBox = Find<TCheckBox>("Treat1159AsMidnightCheckBox");
    AdvancedSQLDataQueryButton = Find<TButton>("AdvancedSQLDataQueryButton");
    AllowuserSQLQueriesCheckBox = Find<TCheckBox>("AllowuserSQLQueriesCheckBox");
    OkButton = Find<TButton>("OkButton");
    CancelButton = Find<TButton>("CancelButton");
    HelpButton = Find<TButton>("HelpButton");
    MinProgramVersionComboBox->SetStyle(csDropDownList);
    MinProgramVersionComboBox->Items().SetStrings(kProgramVersions);

    for (TADOQuery* query : {&TaskManagersQuery, &ResourceManagersQuery}) query->SetConnection(&data.ADOConnection);
    TaskManagersQuery.SQL.SetText(QStringLiteral("select Username\nfrom TaskManagers\norder by Username"));
    ResourceManagersQuery.SQL.SetText(
        QStringLiteral("select ResourceId, Username\nfrom ResourceManagers\nwhere ResourceId = -1\norder by Username"));
    TaskManagersDataSource.SetDataSet(&TaskManagersQuery);
    ResourceManagersDataSource.SetDataSet(&ResourceManagersQuery);
    admin::SetUpEditorGrid(*TaskManagersDBGrid, TaskManagersDataSource, QStringLiteral("Username\t32\tUsername\tF"),
                           true);
    admin::SetUpEditorGrid(*ResourceManagersDBGrid, ResourceManagersDataSource,
                           QStringLiteral("Username\t32\tUsername\tF"), true);
    TaskManagersQuery.BeforePost = [&sqlData](TDataSet& dataSet) { sqlData.TaskManagerBeforePost(dataSet); };
    // A manager of ResourceId -1 manages every resource.
    ResourceManagersQuery.BeforePost = [&sqlData](TDataSet& dataSet) {
        dataSet.FieldByName(QStringLiteral("ResourceId")).SetAsInteger(-1);
        sqlData.ResourceManagerBeforePost(dataSet);
    };
    ConnectManagerList(TaskManagersQuery, *TaskManagersDBGrid, *AddTaskManagerButton, *DeleteTaskManagerButton,
                       *CancelTaskManagerEditButton);
    ConnectManagerList(ResourceManagersQuery, *ResourceManagersDBGrid, *AddResourceManagerButton,
                       *DeleteResourceManagerButton, *CancelResourceManagerEditButton);

    for (TRadioButton* button : {DatabaseTitleFilenameRadioButton, DatabaseTitleUserSpecifiedRadioButton,
                                 DatabaseTitleFilenameFullPathRadioButton})
        button->OnClick = [this](QObject*) { SetDatabaseTitleEnable(); };
    DatabaseTitleEdit->OnKeyPress = [this](QObject*, QChar& key) {
        if (!CheckAdminAccess()) key = QChar();
    };
    for (TRadioButton* button : {RestrictByResource, MaxDaysAhead, UpToDate})
        button->OnClick = [this](QObject*) { RestrictionChanged(); };
    UpToDateDateTimePicker->OnChange = [this](QObject*) { RestrictionChanged(); };
    const auto digitsOnly = [](QObject*, QChar& key) {
        if (!IsDigitKey(key) && !IsEditCommandKey(key)) key = QChar();
    };
    MaxDaysAheadEdit->OnKeyPress = digitsOnly;
    CheckReclaimSize->OnKeyPress = digitsOnly;
    AdvancedSQLDataQueryButton->OnClick = [this](QObject*) {
        if (OpenDataQuery) OpenDataQuery();
    };
    CancelButton->OnClick = [this](QObject*) {
        TaskManagersQuery.Cancel();
        ResourceManagersQuery.Cancel();
        SetModalResult(mrCancel);
    };
    HelpButton->OnClick = [this](QObject*) { HelpButtonClick(); };
    admin::AddAdminLoginMenu(*this, [this] { LoginAsAdminItemClick(); });

    OnShow = [this](QObject*) { FormShow(); };
    OnCloseQuery = [this](QObject*, bool& canClose) { FormCloseQuery(canClose); };
    for (TwwDBGrid* grid : {TaskManagersDBGrid, ResourceManagersDBGrid}) grid->Loaded();
    Loaded();
}

void TDatabasePropertiesForm::FormShow() {
    admin::DropAdminLoginMenu(*this, data_);
    SetClientHeight(OkButton->Top() + OkButton->Height() + 12);
    HelpButton->SetEnabled(bool(ShowHelpTopic));
    ApplyRights();
    admin::WidenFirstColumn(*TaskManagersDBGrid);
    admin::WidenFirstColumn(*ResourceManagersDBGrid);
}

void TDatabasePropertiesForm::ApplyRights() {
    const bool right = admin::HasEditRight(data_);
    ReadOnlyView = !right;
    SetCaption(right ? QStringLiteral("Database Properties") : QStringLiteral("Database Properties (read only)"));
    const std::initializer_list<TControl*> valueControls = {DatabaseTitleFilenameRadioButton,
                                                            DatabaseTitleUserSpecifiedRadioButton,
                                                            DatabaseTitleFilenameFullPathRadioButton,
                                                            DatabaseTitleEdit,
                                                            WorkstationLogonRadioButton,
                                                            NovellUsernameRadioButton,
                                                            RestrictByResource,
                                                            MaxDaysAhead,
                                                            UpToDate,
                                                            MaxDaysAheadEdit,
                                                            UpToDateDateTimePicker,
                                                            DeleteTaskManagerButton,
                                                            AddTaskManagerButton,
                                                            CancelTaskManagerEditButton,
                                                            DeleteResourceManagerButton,
                                                            AddResourceManagerButton,
                                                            CancelResourceManagerEditButton,
                                                            BookingOwnerOnlyModify,
                                                            BookingAllowUserCreate,
                                                            TaskOwnerOnlyModify,
                                                            TaskAllowUserCreate,
                                                            CheckReclaim,
                                                            CheckReclaimLabel,
                                                            CheckReclaimSize,
                                                            CheckReclaimMBLabel,
                                                            MinProgramVersionLabel,
                                                            MinProgramVersionComboBox,
                                                            Treat1159AsMidnightCheckBox};
    for (TControl* control : valueControls) control->SetEnabled(right);
    for (TADOQuery* query : {&TaskManagersQuery, &ResourceManagersQuery}) {
        query->Close();
        query->LockType = right ? ltOptimistic : ltReadOnly;
    }
    TaskManagersDBGrid->ReadOnly = !right;
    ResourceManagersDBGrid->ReadOnly = !right;
    TaskManagersQuery.Open();
    ResourceManagersQuery.Open();
    ResourceManagersQuery.FieldByName(QStringLiteral("ResourceId")).SetVisible(false);
    // The title edit follows its button once the rights allow it.
    if (right) SetDatabaseTitleEnable();
}

void TDatabasePropertiesForm::SelectMinProgramVersion(const QString& version) {
    TStrings& items = MinProgramVersionComboBox->Items();
    for (int i = 0; i < items.Count(); ++i) {
        if (items[i].compare(version, Qt::CaseInsensitive) == 0) {
            MinProgramVersionComboBox->SetItemIndex(i);
            return;
        }
    }
    items.Add(version);
    MinProgramVersionComboBox->SetItemIndex(items.Count() - 1);
}

void TDatabasePropertiesForm::SetDatabaseTitleEnable() {
    DatabaseTitleEdit->SetEnabled(DatabaseTitleUserSpecifiedRadioButton->Checked());
}

bool TDatabasePropertiesForm::CheckAdminAccess() { return !Visible() || data_.CheckAdministrator(); }

void TDatabasePropertiesForm::RestrictionChanged() {
    TRadioButton* const chosen = MaxDaysAhead->Checked() ? MaxDaysAhead
                                 : UpToDate->Checked()   ? UpToDate
                                                         : RestrictByResource;
    const bool byUser = chosen != restriction_ || UpToDateDateTimePicker->Date() != untilDate_;
    if (byUser && restriction_ && !CheckAdminAccess()) {
        restriction_->SetChecked(true);
        UpToDateDateTimePicker->SetDate(untilDate_);
        return;
    }
    restriction_ = chosen;
    untilDate_ = UpToDateDateTimePicker->Date();
}

void TDatabasePropertiesForm::LoginAsAdminItemClick() {
    if (admin::LoginAsAdministrator(data_)) ApplyRights();
}

void TDatabasePropertiesForm::HelpButtonClick() {
    if (!ShowHelpTopic) return;
    const TTabSheet* page = PageControl->ActivePage();
    if (page == GeneralTabSheet) ShowHelpTopic(QStringLiteral("html\\security\\user_identification.html"));
    else if (page == ManagersTabSheet) ShowHelpTopic(QStringLiteral("html\\security\\managers.html"));
    else if (page == BookingsTabSheet)
        ShowHelpTopic(QStringLiteral("html\\security\\booking_creation_and_modification.html"));
    else ShowHelpTopic(QString());
}

void TDatabasePropertiesForm::FormCloseQuery(bool& canClose) {
    SetActiveControl(nullptr);
    try {
        for (TADOQuery* query : {&TaskManagersQuery, &ResourceManagersQuery})
            if (admin::IsPending(*query)) query->Post();
    } catch (const EAbort&) {
        canClose = false;
        return;
    } catch (const Exception& error) {
        MessageDlg(QStringLiteral("Could not save the changes.\r\r") + error.Message(), mtInformation, {mbOK});
        canClose = false;
        return;
    }
    TaskManagersQuery.Close();
    ResourceManagersQuery.Close();
}
