// The exception log dialog the data layer offers after an unexpected failure; the window library installs it.
#pragma once

#include <QString>
#include <QStringList>
#include <exception>
#include <functional>

namespace data {

// What the dialog shows, and what it writes at the top of the report the user saves.
struct ExceptionLogReport {
    QString Caption;
    // The lines of the message box above the file name.
    QStringList MessageLines;
    // The report's first lines.
    QStringList LogLines;
    // What the program was doing when the exception came.
    QStringList ExceptionInfoLines;
    // The key under HKEY_CURRENT_USER whose export ends the report.
    QString RegistryKey;
};

using ExceptionLogWindow = std::function<void(const ExceptionLogReport& report, const std::exception& error)>;

// The installed dialog; while it is empty nothing shows.
ExceptionLogWindow& CurrentExceptionLogWindow();

void ShowExceptionLog(const ExceptionLogReport& report, const std::exception& error);

}  // namespace data
