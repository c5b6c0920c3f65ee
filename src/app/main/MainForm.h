// TMainForm: the program's main window: menus, toolbar, resource tree, calendar, the booking views' tabs and
// the status bar, and the open database.
#pragma once

#include "app/main/MainWindowServices.h"
#include "app/main/UserPreferences.h"
#include "data/bookings/ResourceList.h"
#include "platform/db/ADODataSet.h"
#include "platform/ui/Form.h"
#include "platform/ui/Keys.h"
#include "platform/ui/ScrollBar.h"
#include "platform/ui/TreeView.h"

#include <map>
#include <memory>
#include <optional>

class TData;
class TSQLData;
class TDayGrid;
class TMultiDayGrid;
class TWeekGrid;
class TTavorinMonthGrid;
class TTimeIntervalBookingGrid;
class TBookingCell;
class TResourceItem;
class TMonthDateBookingCellRow;
class TResourceBookings;
class TResourceDateBookings;
class TwwMonthCalendar;
class TPanel;
class TLabel;
class TPageControl;
class TTabSheet;
class TStatusBar;
class TToolBar;
class TComboBox;
class TUpDown;
class TMainMenu;
class TMenuItem;
class TTimer;
class TOpenDialog;
class TDvMru;
class TDvFormPosition;
class TDvCheckUpdates;
class TMainTaskLists;

// A child of the tree's two branches: a resource, or a group (ResourceId 0, no description).
class TResourceTreeNodeData : public TTreeNodeData {
public:
    bool Marked = false;
    qint32 ResourceId = 0;
    QString Description;
};

class TMainForm : public TForm {
public:
    // Reads the preferences from the version keys; data is the data module the window opens files through.
    TMainForm(TData& data, TMainWindowServices services);
    ~TMainForm() override;

    void OpenDatabase(const QString& fileName, const QString& password, const QString& message);
    void CloseDatabase();
    bool DatabaseOpen() const;
    void FillResourceTree();
    void UpdateCaption();
    void UpdateCommandStates();
    void RememberResourceAndGroupPosition();
    void RestoreResourceAndGroupPosition();
    // On while the user's refresh preference is on and a database is open.
    void UpdateRefreshTimer();
    void ShowOnlyResourceNameField();
    void ShowOnlyGroupNameField();
    void SaveBackupDialogFlags();
    // The start-up check for a newer version, silent and without dialling, when a check is due; none is made
    // while the version list's address (the per-user value "URL" under "Updates") is empty.
    void CheckForUpdatesAtStart();

    // The command of a menu item, by the item's name (the views', tasks' and other windows' commands are
    // given here as they are built); an item without a command stays disabled.
    void SetCommand(const QString& itemName, std::function<void()> command);
    bool HasCommand(const QString& itemName) const { return commands_.count(itemName) > 0; }
    // The hooks the window was made with.
    const TMainWindowServices& Services() const { return services_; }
    // The lines "&Log System Info" writes at the top of its report.
    QStringList SystemInfoLines();
    // Opens a "mailto:" or web address of the maker, or says why it cannot (offline, nothing to open it with).
    void OpenMakersAddress(const QString& address);
    TMenuItem* Item(const QString& name) const;

    // Runs after the tree's selection or the active tab changed, to reload the active view; and to lay it out
    // again without reloading. The views' code fills them.
    std::function<void()> RefreshView;
    std::function<void()> LayoutActiveView;

    // Loads and shows the active view (Preferences.BookingView) for SelectedResources and the calendar's date.
    void ShowActiveView();
    // The views' loaders: with reload false they lay the grid out again from the container's current content.
    void LoadDayView(bool reload, const TResourceList& resources);
    void LoadMultiDayView(bool reload, const TResourceList& resources);
    void LoadWeekView();
    void LoadWeekViewBookings(bool reload, const TResourceList& resources, int resourceIndex, TDateTime date);
    void LoadMonthView(bool reload, const TResourceList& resources, TDateTime date);
    // The preferences' grid times, column sizes, looks, multi-day extent and rollover colours into the grids.
    void ApplyGridPreferences();
    // The data module's per-user 24-hour setting into the four grids (at show, and after the settings dialog).
    void ApplyDisplayAs24Hour();
    // The day and week grids open on their InitialTime ("View Top"): each scrolls so that its row shows first
    // at its next load with resources. Set at start, when a database opens, when the grid's tab is chosen and
    // when the settings are applied; a refresh or another date keeps the row the user scrolled to.
    void OpenTimeGridsAtInitialTime();

    TUserPreferences Preferences;

    TMainMenu* MainMenu;
    TToolBar* ToolBar;
    TPanel* TopPanel;
    TPanel* ResourcePanel;
    TTreeView* ResourceTreeView;
    TPanel* CalendarPanel;
    TwwMonthCalendar* Calendar;
    TPanel* BottomPanel;
    TLabel* DateLabel;
    TComboBox* WeekViewResourceComboBox;
    TUpDown* UpDownWeekViewResource;
    TPageControl* DataPageControl;
    TScrollBar* CalendarScrollBar;
    TTabSheet* DayViewTabSheet;
    TTabSheet* MultiDayViewTabSheet;
    TTabSheet* WeekViewTabSheet;
    TTabSheet* MonthViewTabSheet;
    TTabSheet* RemindersTabSheet;
    TTabSheet* TasksTabSheet;
    TPanel* NoRemindersPanel;
    TStatusBar* StatusBar;

    TDayGrid* DayGrid;
    TMultiDayGrid* MultiDayGrid;
    TWeekGrid* WeekGrid;
    TTavorinMonthGrid* MonthGrid;
    std::unique_ptr<TResourceBookings> DayBookings;
    std::unique_ptr<TResourceDateBookings> DateBookings;
    TResourceList SelectedResources;
    QString SelectedGroupName;
    TTreeNode* ResourcesNode;
    TTreeNode* GroupsNode;

    TADOQuery ResourcesQuery;
    TADOQuery GroupsQuery;
    TADOQuery RemindersQuery;
    TTimer* RefreshTimer;
    TOpenDialog* OpenDialog;
    TDvMru* DvMru;
    TDvFormPosition* DvFormPosition;
    TDvCheckUpdates* DvCheckUpdates;

    int LoadCount = 0;
    double LastLoadTime = 0;
    double TotalLoadTime = 0;
    double MaxLoadTime = 0;
    TShortCut NewBookingShortCut = scNone;
    TShortCut ViewBookingShortCut = scNone;
    TShortCut DeleteBookingShortCut = scNone;

    // The reminders and tasks tabs' lists and the task commands.
    std::unique_ptr<TMainTaskLists> TaskLists;

    // The booking window of the open database; null while none is open.
    TBookingWindow* BookingWindow() const { return bookingWindow_.get(); }

    // The booking commands (MainFormBookings.cpp).
    void NewBookingFromSelection(TTimeIntervalBookingGrid& grid, bool newBookingCommand);
    void CreateBooking(int resourceId, const QString& focusField, TDateTime start, TDateTime end, TDateTime date);
    void NewMultiDayBookingFromSelection(bool newBookingCommand);
    void CreateMultiDayBooking(int resourceId, const QString& focusField, TDateTime firstDate, TDateTime lastDate);
    // Mode 0 the view command, 1 the new-booking command, 2 a double click.
    void MonthCellCommand(int mode);
    void CreateMonthDayBooking();
    void CreateMonthBooking(int resourceId, const QString& focusField, TDateTime start, TDateTime end);
    void ViewBooking(const TBookingCell* cell);
    // The resource is the one the pressed cell's column (or row) shows.
    void DeleteBooking(const TResourceItem* resource, const TBookingCell* cell);
    void DeleteMonthBooking(const TMonthDateBookingCellRow* line);
    void ShowMonthCellBookings(int col, int row);
    void NewBookingToolButtonClick();
    void ViewBookingToolButtonClick();
    void DeleteBookingToolButtonClick();
    void ViewBookingIdItemClick();
    void LastBookingItemClick();
    void GroupBookingIdItemClick();
    // The calendar's scroll bar: a line is a day, a page the view's span.
    void CalendarScrollBarScroll(TScrollCode scrollCode);
    void RefreshItemClick();

private:
    void FormCreate();
    void FormShow();
    void FormClose();
    void MakeMenu();
    void MakeToolBar();
    void MakeGrids();
    // The panels that show only while a database is open.
    void ShowDatabasePanels(bool show);
    void ConnectViewEvents(bool connect);
    void FillBranch(TTreeNode* branch, TADOQuery& query, const QString& nameField, bool resources);
    TTreeNode* ChildNamed(TTreeNode* branch, const QString& name) const;
    void SelectRememberedView();
    void SelectRememberedNode();
    void CheckReminders();
    void AskForResources();
    void UpdateShortCuts();
    void OpenItemClick();
    void MruClick(QObject* sender);
    void LogonAsAdministratorItemClick();
    void StatusBarItemClick();
    void ToolbarItemClick();
    void RunCommand(const QString& itemName);
    // Fills RefreshView and LayoutActiveView and connects the calendar, the tabs and the refresh timer.
    void ConnectViews();
    void FillSelectedResources();
    // After a load: the grid's InitialTime row becomes its top row when pending is set, which is then cleared.
    static void ScrollToInitialTime(TTimeIntervalBookingGrid& grid, bool& pending);
    void ShowLoadFailure();
    void DataPageControlChange();
    void CalendarClick();
    // Makes the list tabs' lists and gives the task commands and the other windows' commands (MainFormTasks.cpp,
    // MainFormCommands.cpp).
    void ConnectListsAndCommands();
    // The saved reports' items of the Reports menu, each running its report.
    void RebuildReportsMenu();
    // After a resource editor: the lists requeried at their rows, the tree and the view refreshed.
    void RequeryResourceLists(bool resources);
    void ResourceInformationClick();
    void ConnectBookingCommands();
    // The data module's Bookings table and its shadow read again, so that they see other users' changes.
    void RequeryBookingTables();
    // Runs a grid's command with the refresh timer off, and on again afterwards as the preferences say.
    void WithRefreshTimerOff(const std::function<void()>& action);
    // Inserts the new booking into the booking window and shows it; nullopt when read-only access stopped
    // it, else whether the window changed something.
    std::optional<bool> ShowNewBooking(int resourceId, const QString& focusField, TDateTime startDate,
                                       TDateTime endDate, TDateTime startTime, TDateTime endTime);
    // Shows the booking window on the booking it has located; true when it changed something.
    bool ShowLocatedBooking();
    void ShowOverlappingBookings(const TBookingCell& cell);
    void DeleteOverlappingBookings(const TResourceItem* resource, const TBookingCell& cell);

    TData& data_;
    TMainWindowServices services_;
    std::map<QString, TMenuItem*> items_;
    std::map<QString, std::function<void()>> commands_;
    std::unique_ptr<TBookingWindow> bookingWindow_;
    bool viewEventsConnected_ = false;
    // The day and week grids still to be scrolled to their InitialTime (OpenTimeGridsAtInitialTime).
    bool dayGridToInitialTime_ = true;
    bool weekGridToInitialTime_ = true;
    std::unique_ptr<TSQLData> ownLookup_;
};
