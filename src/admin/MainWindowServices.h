// What the administration wizards and dialogs ask of the main window: closing and opening the database, its
// caption, its lists after a new resource, its command states and the SQL query window.
#pragma once

#include <QString>
#include <functional>
#include <utility>

class TForm;

namespace admin {

// The maintenance operations that recommend a backup first, each with its own per-user switch.
enum class BackupOperation { CheckAndFix, PurgeAndDelete, CompactAndRepair };

// Filled by the main window; an empty member does nothing.
struct MainWindowServices {
    // Closes the open database; harmless when none is open.
    std::function<void()> CloseDatabase;
    // Opens the file with the password (empty: the password file, else a prompt), with the progress text when
    // one is given. A failure has been shown when it returns, and then no database is open.
    std::function<void(const QString& fileName, const QString& password, const QString& progress)> OpenDatabase;
    std::function<void()> UpdateCaption;
    // A resource was added: the main window requeries its resource list and makes that resource current,
    // requeries its group list keeping its group, fills the resource tree and refreshes the view.
    std::function<void(int resourceId)> ResourceAdded;
    std::function<void()> UpdateCommandStates;
    // Exclusive work: the main window remembers and later restores its current resource and group.
    std::function<void()> RememberResourceAndGroupPosition;
    std::function<void()> RestoreResourceAndGroupPosition;
    // Begins exclusive work: " Administrator Mode" in the status bar, the refresh timer and the resource and
    // group lists' controls off. Its end turns the lists' controls on again and the timer as the user's
    // preferences say.
    std::function<void()> BeginExclusiveWork;
    std::function<void()> EndExclusiveWork;
    // The SQL query window in its full (not read-only) mode.
    std::function<void()> DataQuery;

    // The main window, on which the maintenance commands centre their progress panel; may be null.
    TForm* Form = nullptr;
    // " Administrator Mode" in the status bar's first panel.
    std::function<void()> ShowAdministratorMode;
    // The refresh timer off, and on again as the user's preference says while a database is open.
    std::function<void()> StopRefreshTimer;
    std::function<void()> RestartRefreshTimer;
    // The bookings read again and the active view refreshed.
    std::function<void()> RefreshBookings;
    // The main window's database file dialog: the chosen file, empty when none was chosen.
    std::function<QString()> ChooseDatabaseFile;
    // The per-user switch of the operation's backup recommendation (true: shown), and the three saved.
    std::function<bool&(BackupOperation operation)> BackupDialogFlag;
    std::function<void()> SaveBackupDialogFlags;
};

// Calls the service when the main window gave one.
template <class Service, class... Arguments>
void Call(const Service& service, Arguments&&... arguments) {
    if (service) service(std::forward<Arguments>(arguments)...);
}

}  // namespace admin
