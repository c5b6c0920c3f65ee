// Makes the password dialog, the upgrade confirmation and the exception log dialog the data layer's windows.
#pragma once

namespace data {

void InstallDataWindows();

}  // namespace data
