// The master and detail lists' buttons, their grids' focus, and the posting that comes first.
#include "admin/MasterDetailEdits.h"

#include "admin/EditorWindows.h"
#include "controls/grid/Wwdbgrid.h"
#include "platform/db/DataSet.h"
#include "platform/ui/Buttons.h"

namespace admin {

void AfterPostingMaster(const MasterList& master, TButton& button, std::function<void()> action) {
    button.OnClick = [post = master.postPending, action = std::move(action)](QObject*) {
        if (post()) action();
    };
}

void ConnectMasterButtons(const MasterList& master, TButton& newRow, TButton& deleteRow, TButton& renameRow,
                          TButton& cancelEdit, std::function<void()> renamed) {
    TDataSet& rows = master.rows;
    TwwDBGrid& grid = master.grid;
    AfterPostingMaster(master, newRow, [&rows, &grid] {
        rows.Append();
        grid.FocusGrid();
    });
    deleteRow.OnClick = [&rows](QObject*) {
        if (!rows.IsEmpty()) rows.Delete();
    };
    renameRow.OnClick = [&rows, &grid, renamed = std::move(renamed)](QObject*) {
        rows.Edit();
        grid.FocusGrid();
        grid.Repaint();
        if (renamed) renamed();
    };
    cancelEdit.OnClick = [&rows](QObject*) { rows.Cancel(); };
}

void ConnectDetail(const MasterList& master, TDataSet& detail, TwwDBGrid& grid, TButton& add, TButton& remove,
                   TButton& cancelEdit, bool postMasterOnEntering) {
    AfterPostingMaster(master, add, [&detail, &grid] {
        detail.Append();
        grid.FocusGrid();
    });
    AfterPostingMaster(master, remove, [&detail] {
        if (!detail.IsEmpty()) detail.Delete();
    });
    AfterPostingMaster(master, cancelEdit, [&detail] { detail.Cancel(); });
    std::function<void()> entered;
    if (postMasterOnEntering) entered = [post = master.postPending] { post(); };
    OnGridFocus(grid, std::move(entered), [&detail] {
        if (detail.State() == dsInsert) detail.Post();
    });
}

}  // namespace admin
