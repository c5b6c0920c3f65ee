// The windows the data module opens; they live in the window library (data/forms), which installs them at
// start-up.
#pragma once

#include <QString>
#include <functional>

namespace data {

struct DataWindows {
    // Shows the Enter Password dialog with the line; true with the typed text when it closed with OK.
    std::function<bool(const QString& line, QString& password)> AskPassword;
    // Shows the upgrade confirmation window; true when the user chose Upgrade and the administrator check
    // granted the rights.
    std::function<bool(const std::function<bool()>& checkAdministrator)> ConfirmUpgrade;
};

// The installed windows; an empty entry means the window is not available (the caller treats that as
// cancelled).
DataWindows& CurrentDataWindows();

}  // namespace data
