// What the program opens at start: the database named on the command line or the most recent one.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

struct TStartupChoice {
    // The database to open; empty when none.
    QString StartupFileName;
    // The line of the progress panel while it opens.
    QString StartupMessage;
    // "/s": open nothing and leave the data module's per-user settings unsaved at exit.
    bool SkipSettingsSave = false;
};

// Only the first argument counts (arguments without the program's name).
TStartupChoice ChooseStartupDatabase(const QStringList& arguments, bool openMostRecent, const QString& mruDatabase);

// Opens the chosen file through open (file name, empty password, progress line) when it exists, or tells
// the user that it is missing; nothing happens without a file or with "/s".
void OpenStartupDatabase(
    const TStartupChoice& choice,
    const std::function<void(const QString& fileName, const QString& password, const QString& message)>& open);
