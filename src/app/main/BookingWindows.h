// The booking editor's windows as the main window reaches them: the booking window with its commands and the
// windows it opens, the group booking list, and the search windows.
#pragma once

#include "app/main/MainWindowServices.h"

class TBookingCommands;
class TBookingForm;

// Fills the booking window, the group booking list, the booking delete and locate, and the search windows of the
// services.
void InstallBookingWindows(TMainWindowServices& services);

// Joins a booking window to its commands and to the windows its hooks stand for.
void ConnectBookingForm(TBookingForm& form, TBookingCommands& commands);
