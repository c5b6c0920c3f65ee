// The main window's administration commands: the new-database and add-resource wizards, given what they ask of
// the main window.
#pragma once

#include "app/main/MainWindowServices.h"

// Fills the File > New and Add Resource commands of the services.
void InstallAdminCommands(TMainWindowServices& services);
