// The windows of other subsystems that the main window opens, reached through hooks its maker fills.
#pragma once

#include "platform/rtl/Clock.h"

#include <QList>
#include <QString>
#include <functional>
#include <memory>

class TData;
class TDataSet;
class TMainForm;
class TBookingListForm;
class TGroupBookingWindow;

// The booking window made for each open database and freed when it closes. A caller positions the data
// module's Bookings table (LocateBooking or InsertNewBooking), may name the control to focus, shows the window
// and afterwards asks IsModified.
class TBookingWindow {
public:
    virtual ~TBookingWindow() = default;
    // The booking last created or changed through the window; 0 when none.
    virtual int LastModifiedBookingId() const = 0;
    // What the window did last: 0 nothing, 1 created, 2 modified, 3 deleted.
    virtual int LastAction() const = 0;
    // Positions the Bookings table on the booking; false when there is none with the id.
    virtual bool LocateBooking(int bookingId) = 0;
    // The control that takes the focus when the window shows ("client", "starttime", "endtime").
    virtual void SetFocusField(const QString& name) = 0;
    // Leaves the Bookings table inserting a new booking (resource -1: none preset); false when the user may
    // not book the resource.
    virtual bool InsertNewBooking(int resourceId, int groupBookingId, TDateTime startDate, TDateTime endDate,
                                  TDateTime startTime, TDateTime endTime, const QString& client, const QString& ep,
                                  const QString& phone, const QString& description, const QString& notes,
                                  const QString& reminder) = 0;
    // Prepares the window for the current row without showing it.
    virtual void Init() = 0;
    virtual int ShowModal() = 0;
    // Whether the last showing changed the database.
    virtual bool IsModified() const = 0;
    // The state of the window's "All Day" box.
    virtual bool AllDay() const = 0;
    // Decides which bookings of the current row's group an action (1 update, 2 delete, 4 view) applies to,
    // asking or listing them in the list window as the flags say; 1 go on, 2 cancelled.
    virtual int CheckBookingEditable(TGroupBookingWindow& list, int action, int bookingId, int listMode,
                                     QList<int>& ids, int& groupCount, bool ask, bool alwaysList) = 0;
};

// The group booking list, as the main window fills it with bookings to view or delete.
class TGroupBookingWindow {
public:
    virtual ~TGroupBookingWindow() = default;
    virtual void SetMode(int mode) = 0;
    virtual void AddResultRow(const QString& resourceName, const QString& client, int bookingId, int status, int reason,
                              TDateTime endTime, TDateTime startTime, TDateTime startDate) = 0;
    virtual int ShowModal() = 0;
    // Whether a booking of the list was changed while it showed.
    virtual bool Changed() const = 0;
};

// What the booking window did with a booking it was asked to show.
enum class TBookingShown { NotFound, Shown, Modified };

// A hook left empty keeps its menu command visible and disabled.
struct TMainWindowServices {
    using Command = std::function<void(TMainForm& mainForm)>;

    std::function<std::unique_ptr<TBookingWindow>(TData& data)> CreateBookingWindow;
    // Deletes the booking at the Bookings table's current row (or the ones of its group the user chooses)
    // through the booking window, which asks and checks the rights; true when the deletion ran.
    std::function<bool(TBookingWindow& bookingWindow)> DeleteBookings;
    // The group booking list (owned by the main window) that shows the bookings of an overlapping cell.
    std::function<std::unique_ptr<TGroupBookingWindow>(TMainForm& mainForm)> CreateGroupBookingWindow;
    // Previews (toScreen) or prints the rows of the booking list dialog.
    std::function<void(TBookingListForm& list, bool toScreen)> PrintBookingList;

    // Administration and database tools; they call back into the main window's OpenDatabase, CloseDatabase,
    // RememberResourceAndGroupPosition, RestoreResourceAndGroupPosition, UpdateCaption and UpdateCommandStates.
    Command NewDatabase;
    Command DatabaseProperties;
    Command CheckDatabaseIntegrity;
    Command CustomFields;
    Command DeleteAndPurge;
    Command CompactCurrentDatabase;
    Command CompactDatabase;
    Command SetDatabasePassword;
    Command AddResourceWizard;

    // The address book, browsing only.
    Command AddressBook;
    // The report chooser.
    Command Reports;

    // The booking window's TBookingForm.LocateBooking: finds the booking and shows it.
    std::function<TBookingShown(TMainForm& mainForm, int bookingId)> LocateBooking;
    // TPrintTasksDialog with TRBTaskListForm: prints the rows of the task list in its order.
    std::function<void(TMainForm& mainForm, TDataSet& tasks)> PrintTasks;

    // The search windows: TFindForm with its start and end dates on the given date, TFindDeletedForm,
    // TFindHistoryForm, and TSearchDateForm, which answers true and the chosen date on OK.
    std::function<void(TMainForm& mainForm, TDateTime date)> FindBookings;
    Command FindDeletedBookings;
    Command FindHistory;
    std::function<bool(TMainForm& mainForm, TDateTime& date)> SearchDate;
    // The resource editors: TEditFeatureForm, TEditResourceForm in list mode, TEditGroupForm, and
    // TEditResourceForm for one resource.
    Command EditFeatures;
    Command EditResources;
    Command EditGroups;
    std::function<void(TMainForm& mainForm, int resourceId)> ResourceInformation;
    // TUserListForm; TDatabaseInfoForm (with the window's load counts and times); TDataQueryForm, read-only.
    Command UserList;
    Command DatabaseInfo;
    Command DataQuery;
    // TDataQueryForm in its full mode, for the database properties' "Advanced SQL Data Query".
    Command FullDataQuery;
    // TImportForm (true when it closed with OK); TExportForm with both dates on the given date.
    std::function<bool(TMainForm& mainForm)> Import;
    std::function<void(TMainForm& mainForm, TDateTime date)> Export;
    // TReportsForm.LoadSavedReport: runs the saved report of that name, printed (1) or previewed (2).
    std::function<void(TMainForm& mainForm, const QString& reportName, int mode)> RunSavedReport;
    // TAboutForm.
    Command About;
    // Opens a "mailto:" or web address; false when nothing on this computer opens it. Empty: the desktop's program.
    std::function<bool(const QString& address)> OpenAddress;
};
