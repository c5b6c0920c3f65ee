// The program's run between its windows being made and its end: the data module's per-user settings, the
// database opened at start and the message loop.
#pragma once

#include "app/main/Startup.h"

#include <functional>

class TData;

// The data module, made at start-up and kept until the end (the lookup module is SQLData).
extern TData* Data;

// What the run needs from the main window.
struct TProgramWindow {
    // Shows the main window once the data module's per-user settings are loaded (and takes the splash down).
    std::function<void()> ShowMainWindow;
    // Opens a database with its progress line (the main window's OpenDatabase).
    std::function<void(const QString& fileName, const QString& password, const QString& message)> OpenDatabase;
    // The silent update check when one is due (may be empty).
    std::function<void()> CheckForUpdates;
    // Runs the message loop until the main window has closed (which closes the database and saves the
    // window's own layout).
    std::function<void()> RunLoop;
};

// Loads the data module's per-user settings, opens what the arguments (without the program's name) or
// the most recent database name, checks for updates when a check is due, runs the loop and, unless "/s" was given,
// saves the settings again. Returns the choice that was made.
TStartupChoice RunProgram(TData& data, bool openMostRecent, const QStringList& arguments, const TProgramWindow& window);
