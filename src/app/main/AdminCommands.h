// The main window's administration commands: the new-database and add-resource wizards, given what they ask of
// the main window, and the resource, feature and group editors.
#pragma once

#include "app/main/MainWindowServices.h"

class QWidget;

// Fills the File > New, Add Resource, Edit and Tools menu commands of the services, and the grids' resource editor.
void InstallAdminCommands(TMainWindowServices& services);

// "View Resource Details": one resource, nothing editable.
void ShowResourceDetails(int resourceId, QWidget* owner);
