// The main window's construction, menus, toolbar, layout and close.
#include "app/main/MainForm.h"

#include "app/grids/BookingGrid.h"
#include "app/grids/MonthGrid.h"
#include "app/main/MainFormTasks.h"
#include "app/main/UserSettingsCommands.h"
#include "controls/edit/MonthCalendar.h"
#include "data/bookings/ResourceBookings.h"
#include "data/bookings/ResourceDateBookings.h"
#include "data/module/DataModule.h"
#include "data/module/SQLDataModule.h"
#include "platform/ui/Bars.h"
#include "platform/ui/Containers.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/FormDescription.h"
#include "platform/ui/Label.h"
#include "platform/ui/Lists.h"
#include "platform/ui/Menus.h"
#include "platform/ui/ScrollBar.h"
#include "platform/ui/Timer.h"
#include "platform/ui/ToolBar.h"
#include "platform/ui/UpDown.h"
#include "util/DvCheckUpdates.h"
#include "util/DvFormUtils.h"
#include "util/DvMru.h"
#include "util/core/DvRegistry.h"
#include "util/core/VersionHistory.h"

#include <QAction>
#include <QApplication>
#include <QStyle>
#include <algorithm>

namespace {

// The state a command needs (see UpdateCommandStates): none, a database (C), write access (W), a database with
// resources (R), a last modified booking (L), write access in administrator mode (A), a grid view (V).
enum class Needs { Nothing, Database, Write, Resources, LastModified, Administrator, GridView };

struct MenuRow {
    const char* name;
    // The item it is a sub-item of; a menu of the bar when it is empty.
    const char* parent;
    const char* caption;
    TShortCut shortCut = scNone;
    Needs needs = Needs::Nothing;
};

constexpr TShortCut Ctrl(char key) { return TShortCut(scCtrl | key); }

// The menu bar in the order shown.
const MenuRow kMenu[] = {
    {"FileMenu", "", "&File"},
    {"NewItem", "FileMenu", "&New...", Ctrl('N')},
    {"OpenItem", "FileMenu", "&Open...", Ctrl('O')},
    {"ReopenItem", "FileMenu", "Reopen..."},
    {"CloseItem", "FileMenu", "&Close", Ctrl('C'), Needs::Database},
    {"FileSeparator1", "FileMenu", "-"},
    {"DatabasePropertiesItem", "FileMenu", "Database &Properties...", scNone, Needs::Database},
    {"FileSeparator2", "FileMenu", "-"},
    {"PrintItem", "FileMenu", "&Print...", Ctrl('P'), Needs::Resources},
    {"FileSeparator3", "FileMenu", "-"},
    {"ExitItem", "FileMenu", "E&xit"},

    {"EditMenu", "", "&Edit"},
    {"NewBookingItem", "EditMenu", "New Booking...", VK_INSERT, Needs::Resources},
    {"DeleteBookingItem", "EditMenu", "Delete Booking...", VK_DELETE, Needs::Resources},
    {"ViewBookingItem", "EditMenu", "View Booking...", Ctrl('E'), Needs::Resources},
    {"EditSeparator1", "EditMenu", "-"},
    {"NewTaskItem", "EditMenu", "New Task...", scNone, Needs::Database},
    {"DeleteTaskItem", "EditMenu", "Delete Task...", scNone, Needs::Database},
    {"ViewTaskItem", "EditMenu", "View Task...", scNone, Needs::Database},
    {"EditSeparator2", "EditMenu", "-"},
    {"FeaturesItem", "EditMenu", "&Features...", scNone, Needs::Database},
    {"GroupsItem", "EditMenu", "&Groups...", scNone, Needs::Database},
    {"ResourcesItem", "EditMenu", "&Resources...", scNone, Needs::Database},

    {"SearchMenu", "", "&Search"},
    {"BookingIdItem", "SearchMenu", "&Booking Id...", Ctrl('F'), Needs::Resources},
    {"SearchBookingsItem", "SearchMenu", "&Bookings...", Ctrl('S'), Needs::Resources},
    {"DeletedBookingsItem", "SearchMenu", "D&eleted Bookings...", scNone, Needs::Database},
    {"GoToDateItem", "SearchMenu", "Go to &Date...", Ctrl('D'), Needs::Database},
    {"GroupBookingsItem", "SearchMenu", "&Group Bookings...", Ctrl('G'), Needs::Resources},
    {"HistoryItem", "SearchMenu", "&History...", Ctrl('H'), Needs::Resources},
    {"LastModifiedBookingItem", "SearchMenu", "&Last Modified Booking", Ctrl('L'), Needs::LastModified},

    {"ViewMenu", "", "View"},
    {"ColumnSizeItem", "ViewMenu", "&Column Size...", scNone, Needs::GridView},
    {"BookingRolloverItem", "ViewMenu", "Booking Rollover..."},
    {"DayGridRolloverItem", "BookingRolloverItem", "Day Grid"},
    {"MultiDayGridRolloverItem", "BookingRolloverItem", "Multi Day Grid"},
    {"WeekGridRolloverItem", "BookingRolloverItem", "Week Grid"},
    {"MonthGridRolloverItem", "BookingRolloverItem", "Month Grid"},
    {"ViewSeparator1", "ViewMenu", "-"},
    {"StatusBarItem", "ViewMenu", "&Status Bar"},
    {"ToolbarItem", "ViewMenu", "&Toolbar"},
    {"ViewSeparator2", "ViewMenu", "-"},
    {"ActiveUsersItem", "ViewMenu", "Active &Users", Ctrl('U'), Needs::Database},
    {"DatabaseInformationItem", "ViewMenu", "Database &Information", scNone, Needs::Database},
    {"ISAMStatisticsItem", "ViewMenu", "ISAM Statistics", scNone, Needs::Database},
    {"ViewSeparator3", "ViewMenu", "-"},
    {"RefreshItem", "ViewMenu", "Refres&h", scNone, Needs::Database},

    {"ToolsMenu", "", "&Tools"},
    {"AddressBookItem", "ToolsMenu", "&Address Book", Ctrl('A'), Needs::Write},
    {"ToolsSeparator1", "ToolsMenu", "-"},
    {"CheckDatabaseIntegrityItem", "ToolsMenu", "Check and &Fix Database...", scNone, Needs::Database},
    {"CustomFieldsItem", "ToolsMenu", "C&ustom Fields...", scNone, Needs::Database},
    {"DeleteAndPurgeItem", "ToolsMenu", "&Delete and Purge...", scNone, Needs::Write},
    {"CompactItem", "ToolsMenu", "&Compact and Repair"},
    {"CompactCurrentDatabaseItem", "CompactItem", "&Current Database", scNone, Needs::Write},
    {"CompactDatabaseItem", "CompactItem", "&Database..."},
    {"SecurityItem", "ToolsMenu", "&Security", scNone, Needs::Database},
    {"LogonAsAdministratorItem", "SecurityItem", "&Login as Administrator...", scNone, Needs::Write},
    {"SetDatabasePasswordItem", "SecurityItem", "&Set Database Password...", scNone, Needs::Write},
    {"WizardsItem", "ToolsMenu", "&Wizards"},
    {"EmailSettingsWizardItem", "WizardsItem", "&Email Settings..."},
    {"AddResourceWizardItem", "WizardsItem", "Add &Resource...", scNone, Needs::Administrator},
    {"QueriesSeparator", "ToolsMenu", "-"},
    {"QueriesItem", "ToolsMenu", "Queries..."},
    {"ToolsSeparator2", "ToolsMenu", "-"},
    {"ImportItem", "ToolsMenu", "I&mport...", scNone, Needs::Write},
    {"ExportItem", "ToolsMenu", "E&xport...", scNone, Needs::Database},
    {"ToolsSeparator3", "ToolsMenu", "-"},
    {"UserSettingsItem", "ToolsMenu", "&User Settings..."},

    {"ReportsMenu", "", "&Reports"},
    {"ReportsItem", "ReportsMenu", "Reports...", Ctrl('R'), Needs::Resources},
    {"PrintPredefinedItem", "ReportsMenu", "Print Predefined", scNone, Needs::Database},
    {"PreviewPredefinedItem", "ReportsMenu", "Preview Predefined", scNone, Needs::Database},
    {"ReportsSeparator", "ReportsMenu", "-"},

    {"HelpMenu", "", "Help"},
    {"HelpTopicsItem", "HelpMenu", "&Help Topics"},
    {"ReadTutorialItem", "HelpMenu", "&Read Tutorial "},
    {"HelpSeparator1", "HelpMenu", "-"},
    {"EmailItem", "HelpMenu", "&Email Dulvex"},
    {"LogSystemInfoItem", "HelpMenu", "&Log System Info"},
    {"HomePageItem", "HelpMenu", "&Dulvex Home Page"},
    {"UpdatesItem", "HelpMenu", "&Updates..."},
    {"HelpSeparator2", "HelpMenu", "-"},
    {"AboutItem", "HelpMenu", "&About Tavorin..."},
};

// The toolbar's button that has no menu item of its own.
const MenuRow kResourceInformation{"ResourceInformationItem", "", "Resource Information", scNone, Needs::Database};

struct ToolRow {
    // The menu item the button runs; null for a separator.
    const char* item;
    const char* hint;
    QStyle::StandardPixmap icon;
};

const ToolRow kTools[] = {
    {"OpenItem", "Open", QStyle::SP_DialogOpenButton},
    {nullptr, nullptr, {}},
    {"NewTaskItem", "New Task", QStyle::SP_FileDialogNewFolder},
    {"DeleteTaskItem", "Delete Task", QStyle::SP_DialogDiscardButton},
    {"ViewTaskItem", "View Task", QStyle::SP_FileDialogContentsView},
    {nullptr, nullptr, {}},
    {"NewBookingItem", "New Booking", QStyle::SP_FileIcon},
    {"DeleteBookingItem", "Delete Booking", QStyle::SP_TrashIcon},
    {"ViewBookingItem", "View Booking", QStyle::SP_FileDialogDetailedView},
    {nullptr, nullptr, {}},
    {"ResourceInformationItem", "Resource Information", QStyle::SP_MessageBoxInformation},
    {"GoToDateItem", "Go to Date", QStyle::SP_ArrowForward},
    {"SearchBookingsItem", "Search Bookings", QStyle::SP_FileDialogStart},
    {"RefreshItem", "Refresh", QStyle::SP_BrowserReload},
    {nullptr, nullptr, {}},
    {"PrintItem", "Print", QStyle::SP_DialogSaveButton},
};

// The commands of the hooks, by the item that runs them.
const std::pair<const char*, TMainWindowServices::Command TMainWindowServices::*> kServiceCommands[] = {
    {"NewItem", &TMainWindowServices::NewDatabase},
    {"DatabasePropertiesItem", &TMainWindowServices::DatabaseProperties},
    {"CheckDatabaseIntegrityItem", &TMainWindowServices::CheckDatabaseIntegrity},
    {"CustomFieldsItem", &TMainWindowServices::CustomFields},
    {"DeleteAndPurgeItem", &TMainWindowServices::DeleteAndPurge},
    {"CompactCurrentDatabaseItem", &TMainWindowServices::CompactCurrentDatabase},
    {"CompactDatabaseItem", &TMainWindowServices::CompactDatabase},
    {"SetDatabasePasswordItem", &TMainWindowServices::SetDatabasePassword},
    {"AddResourceWizardItem", &TMainWindowServices::AddResourceWizard},
    {"AddressBookItem", &TMainWindowServices::AddressBook},
    {"ReportsItem", &TMainWindowServices::Reports},
};

std::map<QString, Needs>& NeedsOf() {
    static std::map<QString, Needs> needs = [] {
        std::map<QString, Needs> all;
        for (const MenuRow& row : kMenu) all[QString::fromLatin1(row.name)] = row.needs;
        all[QString::fromLatin1(kResourceInformation.name)] = kResourceInformation.needs;
        return all;
    }();
    return needs;
}

// Items that only hold others, and the recent-files list, need no command of their own.
bool HoldsItems(const TMenuItem& item) { return item.Count() > 0 || item.IsLine(); }

}  // namespace

TMainForm::TMainForm(TData& data, TMainWindowServices services)
    : TForm(nullptr), data_(data), services_(std::move(services)) {
    ui::DescribeForm(*this, {"MainForm", "Tavorin 7.0", bsSizeable, poDesigned, 620, 440}, {});
    MakeMenu();
    MakeToolBar();
    ui::AddControls(
        *this,
        {
            // name                  class           parent                left top width height caption  properties
            {"TopPanel", "TPanel", "", 0, 29, 620, 172, "", "Align=alTop; BevelOuter=bvNone"},
            {"ResourcePanel", "TPanel", "TopPanel", 0, 0, 200, 172, "", "Align=alLeft; BevelOuter=bvNone"},
            {"ResourceTreeView", "TTreeView", "ResourcePanel", 0, 0, 200, 172, "", "Align=alClient"},
            {"ResourceSplitter", "TSplitter", "TopPanel", 200, 0, 3, 172, "", "Align=alLeft"},
            {"CalendarPanel", "TPanel", "TopPanel", 203, 0, 417, 172, "", "Align=alClient; BevelOuter=bvNone"},
            {"StatusBar", "TStatusBar", "", 0, 421, 620, 19},
            {"PanelSplitter", "TSplitter", "", 0, 201, 620, 3, "", "Align=alTop"},
            {"BottomPanel", "TPanel", "", 0, 204, 620, 217, "", "Align=alClient; BevelOuter=bvNone"},
            {"DateLabel", "TLabel", "BottomPanel", 0, 0, 620, 20, "",
             "AutoSize=False; Align=alTop; Alignment=taCenter; Font.Style=fsBold; Font.Height=-13"},
            {"CalendarScrollBar", "TScrollBar", "BottomPanel", 0, 200, 620, 17, "", "Align=alBottom; Position=50"},
            {"DataPageControl", "TPageControl", "BottomPanel", 0, 20, 620, 180, "", "Align=alClient"},
            {"DayViewTabSheet", "TTabSheet", "DataPageControl", 0, 0, 612, 169, "Day View"},
            {"DayNoResourcesLabel", "TLabel", "DayViewTabSheet", 8, 8, 220, 16, "No Resources Selected"},
            {"MultiDayViewTabSheet", "TTabSheet", "DataPageControl", 0, 0, 612, 169, "Multi Day View"},
            {"MultiDayNoResourcesLabel", "TLabel", "MultiDayViewTabSheet", 8, 8, 220, 16, "No Resources Selected"},
            {"WeekViewTabSheet", "TTabSheet", "DataPageControl", 0, 0, 612, 169, "Week View"},
            {"WeekNoResourcesLabel", "TLabel", "WeekViewTabSheet", 8, 8, 220, 16, "No Resources Selected"},
            {"MonthViewTabSheet", "TTabSheet", "DataPageControl", 0, 0, 612, 169, "Month View"},
            {"MonthNoResourcesLabel", "TLabel", "MonthViewTabSheet", 8, 8, 220, 16, "No Resources Selected"},
            {"RemindersTabSheet", "TTabSheet", "DataPageControl", 0, 0, 612, 169, "Reminders"},
            {"NoRemindersPanel", "TPanel", "RemindersTabSheet", 0, 0, 612, 169, "There are no reminders on this date",
             "Align=alClient; BevelOuter=bvNone"},
            {"TasksTabSheet", "TTabSheet", "DataPageControl", 0, 0, 612, 169, "Tasks"},
            {"UpDownWeekViewResource", "TUpDown", "BottomPanel", 432, 0, 34, 21, "",
             "Orientation=udHorizontal; Visible=False"},
            {"WeekViewResourceComboBox", "TComboBox", "BottomPanel", 470, 0, 150, 21, "", "Visible=False"},
        });
    TopPanel = Find<TPanel>("TopPanel");
    ResourcePanel = Find<TPanel>("ResourcePanel");
    ResourceTreeView = Find<TTreeView>("ResourceTreeView");
    CalendarPanel = Find<TPanel>("CalendarPanel");
    BottomPanel = Find<TPanel>("BottomPanel");
    DateLabel = Find<TLabel>("DateLabel");
    DataPageControl = Find<TPageControl>("DataPageControl");
    CalendarScrollBar = Find<TScrollBar>("CalendarScrollBar");
    DayViewTabSheet = Find<TTabSheet>("DayViewTabSheet");
    MultiDayViewTabSheet = Find<TTabSheet>("MultiDayViewTabSheet");
    WeekViewTabSheet = Find<TTabSheet>("WeekViewTabSheet");
    MonthViewTabSheet = Find<TTabSheet>("MonthViewTabSheet");
    RemindersTabSheet = Find<TTabSheet>("RemindersTabSheet");
    TasksTabSheet = Find<TTabSheet>("TasksTabSheet");
    NoRemindersPanel = Find<TPanel>("NoRemindersPanel");
    WeekViewResourceComboBox = Find<TComboBox>("WeekViewResourceComboBox");
    WeekViewResourceComboBox->SetStyle(csDropDownList);
    UpDownWeekViewResource = Find<TUpDown>("UpDownWeekViewResource");
    StatusBar = Find<TStatusBar>("StatusBar");
    StatusBar->AddPanel(150);
    StatusBar->AddPanel(50);

    Calendar = new TwwMonthCalendar(CalendarPanel);
    Calendar->SetName(QStringLiteral("Calendar"));
    Calendar->SetAlign(alClient);

    RefreshTimer = new TTimer(this);
    RefreshTimer->SetEnabled(false);
    RefreshTimer->SetOnTimer([this](QObject*) {
        if (RefreshView) RefreshView();
    });
    OpenDialog = new TOpenDialog(this);
    OpenDialog->SetDefaultExt(QStringLiteral("tvd"));
    OpenDialog->SetFilter(
        QStringLiteral("Ranvel Database (*.rvd)|*.rvd|Tavorin Database (*.rvd; *.tvd)|*.rvd;*.tvd|"
                       "MS Access (*.mdb)|*.mdb|All Files (*.*)|*.*"));
    OpenDialog->SetFilterIndex(2);
    OpenDialog->SetOptions(TOpenOptions{ofFileMustExist, ofHideReadOnly});
    DvMru = new TDvMru(this);
    DvMru->SetMenuItem(Item(QStringLiteral("ReopenItem")));
    DvMru->OnClick = [this](QObject* sender) { MruClick(sender); };
    DvFormPosition = new TDvFormPosition(this);
    DvCheckUpdates = new TDvCheckUpdates(this);
    DvCheckUpdates->CheckEnabled = false;

    for (TADOQuery* query : {&ResourcesQuery, &GroupsQuery, &RemindersQuery})
        query->SetConnection(&data_.ADOConnection);
    ResourcesQuery.SQL.SetText(QStringLiteral("select *\nfrom Resources\norder by ResourceName"));
    GroupsQuery.SQL.SetText(QStringLiteral("select *\nfrom Groups\norder by GroupName"));

    for (const auto& [itemName, member] : kServiceCommands) {
        if (const auto& command = services_.*member)
            SetCommand(QString::fromLatin1(itemName), [this, command] { command(*this); });
    }
    SetCommand(QStringLiteral("OpenItem"), [this] { OpenItemClick(); });
    SetCommand(QStringLiteral("CloseItem"), [this] { CloseDatabase(); });
    SetCommand(QStringLiteral("ExitItem"), [this] { Close(); });
    SetCommand(QStringLiteral("StatusBarItem"), [this] { StatusBarItemClick(); });
    SetCommand(QStringLiteral("ToolbarItem"), [this] { ToolbarItemClick(); });
    SetCommand(QStringLiteral("LogonAsAdministratorItem"), [this] { LogonAsAdministratorItemClick(); });
    SetCommand(QStringLiteral("EmailSettingsWizardItem"), [this] { data_.RunEmailSettingsWizard(); });
    SetCommand(QStringLiteral("UserSettingsItem"), [this] { UserPreferencesItemClick(*this, data_); });
    InstallViewSizeCommands(*this);

    ConnectListsAndCommands();
    OnShow = [this](QObject*) { FormShow(); };
    OnClose = [this](QObject*, TCloseAction&) { FormClose(); };
    FormCreate();
    Loaded();
}

TMainForm::~TMainForm() {
    ConnectViewEvents(false);
    ResourceTreeView->OnChanging = nullptr;
}

void TMainForm::MakeMenu() {
    MainMenu = new TMainMenu(this);
    for (const MenuRow& row : kMenu) {
        auto* item = new TMenuItem(this);
        const QString name = QString::fromLatin1(row.name);
        item->setObjectName(name);
        item->SetCaption(QString::fromLatin1(row.caption));
        item->SetShortCut(row.shortCut);
        (*row.parent ? Item(QString::fromLatin1(row.parent)) : MainMenu->Items())->Add(item);
        items_[name] = item;
        if (!item->IsLine()) item->OnClick = [this, name](QObject*) { RunCommand(name); };
    }
    auto* info = new TMenuItem(this);
    info->SetCaption(QString::fromLatin1(kResourceInformation.caption));
    info->OnClick = [this](QObject*) { RunCommand(QStringLiteral("ResourceInformationItem")); };
    items_[QString::fromLatin1(kResourceInformation.name)] = info;
    Item(QStringLiteral("ISAMStatisticsItem"))->SetVisible(false);
    Item(QStringLiteral("LastModifiedBookingItem"))->SetEnabled(false);
    NewBookingShortCut = Item(QStringLiteral("NewBookingItem"))->ShortCut();
    ViewBookingShortCut = Item(QStringLiteral("ViewBookingItem"))->ShortCut();
    DeleteBookingShortCut = Item(QStringLiteral("DeleteBookingItem"))->ShortCut();
}

void TMainForm::MakeToolBar() {
    ToolBar = new TToolBar(this);
    ToolBar->SetName(QStringLiteral("ToolBar"));
    ToolBar->SetShowHint(true);
    for (const ToolRow& row : kTools) {
        if (!row.item) {
            ToolBar->AddSeparator();
            continue;
        }
        auto* button = new TToolButton(ToolBar);
        TMenuItem* item = Item(QString::fromLatin1(row.item));
        button->SetMenuItem(item);
        // The picture shows on the button only; the hint names the command.
        item->Action()->setIcon(QApplication::style()->standardIcon(row.icon));
        item->Action()->setIconVisibleInMenu(false);
        item->Action()->setToolTip(QString::fromLatin1(row.hint));
        button->SetHint(QString::fromLatin1(row.hint));
    }
}

void TMainForm::MakeGrids() {
    DayGrid = new TDayGrid(DayViewTabSheet);
    MultiDayGrid = new TMultiDayGrid(MultiDayViewTabSheet);
    WeekGrid = new TWeekGrid(WeekViewTabSheet);
    MonthGrid = new TTavorinMonthGrid(MonthViewTabSheet);
    MonthGrid->LineSpacing = 1;
    MonthGrid->Margin = 4;
    for (TCustomGrid* grid : std::initializer_list<TCustomGrid*>{DayGrid, MultiDayGrid, WeekGrid, MonthGrid}) {
        grid->SetAlign(alClient);
        // A view shows its grid once it has loaded resources; until then the tab says that none are selected.
        grid->Hide();
    }
    DayGrid->SetName(QStringLiteral("DayGrid"));
    MultiDayGrid->SetName(QStringLiteral("MultiDayGrid"));
    WeekGrid->SetName(QStringLiteral("WeekGrid"));
    MonthGrid->SetName(QStringLiteral("MonthGrid"));
}

void TMainForm::FormCreate() {
    DayBookings = std::make_unique<TResourceBookings>();
    DateBookings = std::make_unique<TResourceDateBookings>();
    MakeGrids();
    Preferences.LoadUserPreferences(*VersionHistory, ClientWidth(), ClientHeight(), DvMru);
    // Fonts and row heights, grid times, weekday flags, the month grid's options, colours, rollover hints and
    // their menu marks, the calendar's options and the first day of the week: through the routine that applies
    // the settings dialog's OK, so that a start shows what the dialog last saved.
    ApplyUserPreferences(*this);

    // Sorted by text, the Groups branch shows above the Resources branch.
    ResourceTreeView->SetSortByText(true);
    ResourcesNode = ResourceTreeView->AddChild(nullptr, QStringLiteral("Resources"));
    GroupsNode = ResourceTreeView->AddChild(nullptr, QStringLiteral("Groups"));
    ResourcesNode->SetExpanded(Preferences.RTVExpandResources);
    GroupsNode->SetExpanded(Preferences.RTVExpandGroups);
    ResourceTreeView->OnChanging = [this](QObject*, TTreeNode* node, bool& allow) {
        // A branch is never the selected node.
        allow = node && node->Parent();
    };
    ResourceTreeView->OnExpanded = ResourceTreeView->OnCollapsed = [this](QObject*, TTreeNode* node) {
        if (node == ResourcesNode) Preferences.RTVExpandResources = node->Expanded();
        if (node == GroupsNode) Preferences.RTVExpandGroups = node->Expanded();
    };
    DataPageControl->OnChange = [this](QObject*) {
        UpdateShortCuts();
        UpdateCommandStates();
        if (DatabaseOpen() && RefreshView) RefreshView();
    };

    // The calendar shows a whole month at any font.
    TopPanel->SetHeight(
        std::max(Preferences.TopPanel > 0 ? Preferences.TopPanel : TopPanel->Height(), Calendar->minimumHeight()));
    if (Preferences.ResourcePanel > 0) ResourcePanel->SetWidth(Preferences.ResourcePanel);
    Item(QStringLiteral("StatusBarItem"))->SetChecked(Preferences.StatusBar);
    StatusBar->SetVisible(Preferences.StatusBar);
    // The platform's toolbar needs no common-controls library of a version.
    Item(QStringLiteral("ToolbarItem"))->SetChecked(Preferences.Toolbar);
    ToolBar->SetVisible(Preferences.Toolbar);
    Item(QStringLiteral("PrintPredefinedItem"))->SetChecked(Preferences.ReportsPrint);
    Item(QStringLiteral("PreviewPredefinedItem"))->SetChecked(!Preferences.ReportsPrint);

    LoadCount = 0;
    TotalLoadTime = 0;
    MaxLoadTime = 0;
    DvFormPosition->LoadPosition(QString());
    UpdateShortCuts();

    DvCheckUpdates->RootKey = HKCU;
    DvCheckUpdates->Key = QStringLiteral("\\Updates");
    DvCheckUpdates->URL = QString();
    DvCheckUpdates->CheckPrefix = QStringLiteral("tavorin7verinfo");
    DvCheckUpdates->Caption = QStringLiteral("Tavorin Check for Updates");
    ConnectViews();
}

void TMainForm::FormShow() {
    DayBookings->SetConnection(&data_.ADOConnection);
    DateBookings->SetConnection(&data_.ADOConnection);
    // The data module's per-user settings are read by now; they were not when the window was made.
    ApplyDisplayAs24Hour();
    if (!DatabaseOpen()) ShowDatabasePanels(false);
    UpdateCommandStates();
    UpdateCaption();
}

void TMainForm::FormClose() {
    ConnectViewEvents(false);
    Hide();
    if (DatabaseOpen()) CloseDatabase();
    Preferences.TopPanel = TopPanel->Height();
    Preferences.ResourcePanel = ResourcePanel->Width();
    Preferences.StatusBar = Item(QStringLiteral("StatusBarItem"))->Checked();
    Preferences.Toolbar = Item(QStringLiteral("ToolbarItem"))->Checked();
    Preferences.SaveLayout(*VersionHistory, DvMru);
    DvFormPosition->SavePosition(QString());
}

TMenuItem* TMainForm::Item(const QString& name) const {
    const auto found = items_.find(name);
    if (found == items_.end()) throw Exception(QStringLiteral("no menu item ") + name);
    return found->second;
}

void TMainForm::SetCommand(const QString& itemName, std::function<void()> command) {
    Item(itemName);
    commands_[itemName] = std::move(command);
    UpdateCommandStates();
}

void TMainForm::RunCommand(const QString& itemName) {
    const auto found = commands_.find(itemName);
    if (found == commands_.end() || !found->second) return;
    // A command's window is modal: the views are not reloaded behind it.
    const bool timerWasOn = RefreshTimer->Enabled();
    RefreshTimer->SetEnabled(false);
    const auto command = found->second;
    command();
    if (timerWasOn) UpdateRefreshTimer();
}

bool TMainForm::CommandAllowed(const QString& itemName) const {
    const auto found = allowed_.find(itemName);
    return found != allowed_.end() && found->second;
}

void TMainForm::UpdateCommandStates() {
    const bool c = DatabaseOpen();
    const bool w = c && !data_.ReadOnlyAccess;
    const bool r = c && ResourcesQuery.Active() && ResourcesQuery.RecordCount() > 0;
    const TTabSheet* page = DataPageControl->ActivePage();
    const bool gridView = page != RemindersTabSheet && page != TasksTabSheet;
    for (const auto& [name, needs] : NeedsOf()) {
        bool allowed = true;
        switch (needs) {
            case Needs::Nothing: allowed = true; break;
            case Needs::Database: allowed = c; break;
            case Needs::Write: allowed = w; break;
            case Needs::Resources: allowed = r; break;
            case Needs::LastModified:
                allowed = r && bookingWindow_ && bookingWindow_->LastModifiedBookingId() != 0;
                break;
            case Needs::Administrator: allowed = w && data_.AdministratorMode; break;
            case Needs::GridView: allowed = c && gridView; break;
        }
        // The installation may forbid new databases.
        if (name == QLatin1String("NewItem") && data_.Restrictions && data_.Restrictions->Loaded)
            allowed = !data_.Restrictions->DisableFileNew;
        allowed_[name] = allowed;
        TMenuItem* item = Item(name);
        item->SetEnabled(allowed && (HoldsItems(*item) || commands_.count(name) > 0));
    }
    const bool queries =
        c && data_.DatabaseSettings && data_.DatabaseSettings->GetBool(QStringLiteral("AllowUserSQLQueries"));
    Item(QStringLiteral("QueriesItem"))->SetVisible(queries);
    Item(QStringLiteral("QueriesSeparator"))->SetVisible(queries);
}

void TMainForm::UpdateShortCuts() {
    const TTabSheet* page = DataPageControl->ActivePage();
    const bool tasks = page == TasksTabSheet;
    const bool grids = page != TasksTabSheet && page != RemindersTabSheet;
    Item(QStringLiteral("NewBookingItem"))->SetShortCut(grids ? NewBookingShortCut : TShortCut(scNone));
    Item(QStringLiteral("ViewBookingItem"))->SetShortCut(grids ? ViewBookingShortCut : TShortCut(scNone));
    Item(QStringLiteral("DeleteBookingItem"))->SetShortCut(grids ? DeleteBookingShortCut : TShortCut(scNone));
    Item(QStringLiteral("NewTaskItem"))->SetShortCut(tasks ? TShortCut(VK_INSERT) : TShortCut(scNone));
    Item(QStringLiteral("ViewTaskItem"))->SetShortCut(tasks ? Ctrl('E') : TShortCut(scNone));
    Item(QStringLiteral("DeleteTaskItem"))->SetShortCut(tasks ? TShortCut(VK_DELETE) : TShortCut(scNone));
}

void TMainForm::StatusBarItemClick() {
    TMenuItem* item = Item(QStringLiteral("StatusBarItem"));
    item->SetChecked(!item->Checked());
    if (item->Checked()) UpdateCaption();
    StatusBar->SetVisible(item->Checked());
}

void TMainForm::ToolbarItemClick() {
    TMenuItem* item = Item(QStringLiteral("ToolbarItem"));
    item->SetChecked(!item->Checked());
    ToolBar->SetVisible(item->Checked());
}

void TMainForm::CheckForUpdatesAtStart() {
    TDvRegistry reg(KEY_READ);
    if (VersionHistory->OpenReadKey(reg, DvCheckUpdates->Key) && reg.ValueExists(QStringLiteral("URL")))
        DvCheckUpdates->URL = reg.ReadString(QStringLiteral("URL")).trimmed();
    if (DvCheckUpdates->URL.isEmpty()) return;
    if (DvCheckUpdates->GetIsTimeToCheck()) DvCheckUpdates->CheckNow(this, false, true);
}

void TMainForm::SaveBackupDialogFlags() { Preferences.SaveBackupDialogFlags(*VersionHistory); }
