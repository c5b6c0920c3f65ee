// The windows of other subsystems that the main window opens, reached through hooks its maker fills.
#pragma once

#include <functional>
#include <memory>

class TData;
class TMainForm;

// The booking window made for each open database and freed when it closes.
class TBookingWindow {
public:
    virtual ~TBookingWindow() = default;
    // The booking last created or changed through the window; 0 when none.
    virtual int LastModifiedBookingId() const = 0;
};

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
    // The resource, feature and group editors of the Edit menu.
    Command EditResources;
    Command EditFeatures;
    Command EditGroups;

    // The address book, browsing only.
    Command AddressBook;
    // The report chooser.
    Command Reports;
};
