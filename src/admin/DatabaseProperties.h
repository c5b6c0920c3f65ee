// The "Database Properties" command: the dialog filled from the global row and the database settings, and
// written back on OK.
#pragma once

#include "admin/MainWindowServices.h"

class TData;
class TDatabasePropertiesForm;
class TSQLData;

namespace admin {

// The values of the global row and the settings as the dialog's controls (both read anew first).
void FillDatabaseProperties(TDatabasePropertiesForm& form, TData& data);
// The controls' values into the global row and the settings, in one write transaction: a failure is shown and
// changes neither. Without the edit right nothing is written. False when the write failed.
bool SaveDatabaseProperties(const TDatabasePropertiesForm& form, TData& data);
// Fills and shows the dialog, saves on OK, then updates the main window's commands and caption.
void ShowDatabaseProperties(TData& data, TSQLData& sqlData, const MainWindowServices& mainWindow,
                            std::function<void(const QString& topic)> showHelpTopic = {});

}  // namespace admin
