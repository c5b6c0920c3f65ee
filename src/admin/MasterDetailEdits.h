// What the resource and group editors share: a list of master rows whose pending row is posted before anything is
// done to the rows that belong to it, shown beside it in detail lists.
#pragma once

#include <functional>

class TButton;
class TDataSet;
class TwwDBGrid;

namespace admin {

// A master list: its rows, its grid, and the posting of its pending row, which answers false (the error shown)
// when that fails.
struct MasterList {
    TDataSet& rows;
    TwwDBGrid& grid;
    std::function<bool()> postPending;
};

// The button's action runs only when the pending master row is posted.
void AfterPostingMaster(const MasterList& master, TButton& button, std::function<void()> action);
// "New" posts the pending row, appends one and focuses the list; "Delete" deletes the current row unless the list
// is empty; "Rename" edits the current row, focuses and repaints the list, then runs renamed when given; "Cancel
// Edit" cancels the pending edit.
void ConnectMasterButtons(const MasterList& master, TButton& newRow, TButton& deleteRow, TButton& renameRow,
                          TButton& cancelEdit, std::function<void()> renamed = {});
// A detail list edited in its grid: "Add" appends a row and focuses the grid, "Delete" deletes the current row
// unless there is none, "Cancel Edit" cancels its pending edit, each after posting the master row; leaving the grid
// posts a row being inserted, and entering it first posts the master row when postMasterOnEntering.
void ConnectDetail(const MasterList& master, TDataSet& detail, TwwDBGrid& grid, TButton& add, TButton& remove,
                   TButton& cancelEdit, bool postMasterOnEntering);

}  // namespace admin
