// TListSelectionForm: the two-list dialog in which an administrator chooses members: what is available on the
// left, what is chosen on the right.
#pragma once

#include "platform/ui/Form.h"

class TButton;
class TLabel;
class TListBox;

class TListSelectionForm : public TForm {
public:
    explicit TListSelectionForm(QWidget* owner = nullptr);

    TLabel* SrcLabel;
    TListBox* SrcList;
    TLabel* DstLabel;
    TListBox* DstList;
    TButton* IncludeBtn;
    TButton* IncAllBtn;
    TButton* ExcludeBtn;
    TButton* ExAllBtn;
    TButton* OKBtn;
    TButton* CancelBtn;

    void IncludeBtnClick();
    void ExcludeBtnClick();
    void IncAllBtnClick();
    void ExcAllBtnClick();
    // Moves the selected items, from the last to the first, to the end of the other list.
    void MoveSelected(TListBox& list, TListBox& items);
    // Focuses the list and selects the item at the index, kept inside the list.
    void SetItem(TListBox& list, int index);
    void SetButtons();
    // The first selected item's index; -1 when none.
    static int GetFirstSelection(const TListBox& list);

private:
    void MoveAll(TListBox& from, TListBox& to);
};
