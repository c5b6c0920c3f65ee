// The windows of other subsystems that the main window opens, reached through hooks its maker fills.
#pragma once

#include <QString>
#include <functional>
#include <memory>

using TDateTime = double;

class TData;
class TDataSet;
class TMainForm;

// The booking window made for each open database and freed when it closes.
class TBookingWindow {
public:
    virtual ~TBookingWindow() = default;
    // The booking last created or changed through the window; 0 when none.
    virtual int LastModifiedBookingId() const = 0;
};

// What the booking window did with a booking it was asked to show.
enum class TBookingShown { NotFound, Shown, Modified };

// A hook left empty keeps its menu command visible and disabled.
struct TMainWindowServices {
    using Command = std::function<void(TMainForm& mainForm)>;

    std::function<std::unique_ptr<TBookingWindow>(TData& data)> CreateBookingWindow;

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
    // TImportForm (true when it closed with OK); TExportForm with both dates on the given date.
    std::function<bool(TMainForm& mainForm)> Import;
    std::function<void(TMainForm& mainForm, TDateTime date)> Export;
    // TReportsForm.LoadSavedReport: runs the saved report of that name, printed (1) or previewed (2).
    std::function<void(TMainForm& mainForm, const QString& reportName, int mode)> RunSavedReport;
    // TAboutForm.
    Command About;
    // Opens a "mailto:" or web address with the desktop's handler; empty: the desktop services.
    std::function<void(const QString& address)> OpenAddress;
};
