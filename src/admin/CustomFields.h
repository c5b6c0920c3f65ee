// The "Custom Fields" command: the database taken for exclusive use, the custom fields dialog, and the database
// opened again for everybody.
#pragma once

#include "admin/MainWindowServices.h"

class TData;

namespace admin {

// Refused with a message while another computer has the database open, and without administrator rights.
// A failing exclusive connection reaches the caller, with no database open.
void ChangeCustomFields(TData& data, const MainWindowServices& mainWindow,
                        std::function<void(const QString& topic)> showHelpTopic = {});

}  // namespace admin
