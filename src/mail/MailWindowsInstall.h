// Makes the send-status dialog and the settings wizard the data module's mail windows.
#pragma once

#include <QString>
#include <functional>

namespace mail {

using PasswordPrompt = std::function<bool(const QString& message, QString& password)>;

// askPassword is the program's password dialog, which the send-status dialog shows.
void InstallMailWindows(PasswordPrompt askPassword);

}  // namespace mail
