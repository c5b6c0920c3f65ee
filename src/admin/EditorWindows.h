// What the resource, group and feature editors share: the edit right, their grids, their "Admin Login" menu and
// the posting of a pending row.
#pragma once

#include <QString>
#include <functional>

class TData;
class TDataSet;
class TDataSource;
class TForm;
class TMainMenu;
class TwwDBGrid;

namespace admin {

// The user may change the lists: administrator mode on a database not opened read-only.
bool HasEditRight(const TData& data);
// The caption, with " (Read Only)" after it without the edit right.
QString RightsCaption(const QString& caption, bool editRight);

// One column over the source's dataset: a Selected line "field TAB width TAB title TAB read-only", no fixed
// columns, one title line, no title buttons; the delete confirmation only where it is asked for.
void SetUpEditorGrid(TwwDBGrid& grid, TDataSource& source, const QString& selectedLine, bool confirmDelete);
// The first data column as wide as the grid's client width less 12 pixels.
void WidenFirstColumn(TwwDBGrid& grid);

// The window's menu bar with its one item "Admin Login".
TMainMenu* AddAdminLoginMenu(TForm& form, std::function<void()> onClick);
// A user who has the rights or can never get them has no use for the menu: it goes.
void DropAdminLoginMenu(TForm& form, const TData& data);

bool IsPending(const TDataSet& dataSet);

// Runs when the focus moves from outside the grid (its cell editor counts as inside) to inside it, or back, within
// the grid's window; another window taking the focus is no exit.
void OnGridFocus(TwwDBGrid& grid, std::function<void()> entered, std::function<void()> left);

}  // namespace admin
