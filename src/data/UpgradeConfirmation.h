// Asking the user before an upgrade, for code that does not deal with windows itself.
#pragma once

#include <functional>

namespace data {

// Shows the upgrade confirmation window; true when the user chose Upgrade and the administrator check
// granted the rights.
bool ConfirmUpgrade(std::function<bool()> checkAdministrator);

}  // namespace data
