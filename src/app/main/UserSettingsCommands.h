// The main window's user settings, column size and booking rollover commands.
#pragma once

#include <QString>

class TData;
class TMainForm;

// "&User Settings...": shows the settings dialog filled from the main window and the data module and, on OK,
// applies and saves what it holds. The main window's hook for it calls this with its data module.
void UserPreferencesItemClick(TMainForm& mainForm, TData& data);
// The preferences into the main window's grids, calendar and menu (what the settings dialog changes): the one
// routine for both the start (the main window's FormCreate, right after reading them) and the dialog's OK.
void ApplyUserPreferences(TMainForm& mainForm);
// "&Column Size...": the active grid's column width.
void ColumnSizeItemClick(TMainForm& mainForm);
// A "Booking Rollover..." item: toggles its mark and its grid's hints and saves the rollover settings.
void RolloverItemClick(TMainForm& mainForm, const QString& itemName);
// Gives the column size and the four rollover items their commands.
void InstallViewSizeCommands(TMainForm& mainForm);
