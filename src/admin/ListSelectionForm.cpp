// The list selection dialog: moving items between the two lists and keeping the buttons in step.
#include "admin/ListSelectionForm.h"

#include "platform/ui/Buttons.h"
#include "platform/ui/FormDescription.h"
#include "platform/ui/Label.h"
#include "platform/ui/Lists.h"

TListSelectionForm::TListSelectionForm(QWidget* owner) : TForm(owner) {
    ui::DescribeForm(*this, {"ListSelectionForm", "Choices Dialog", bsDialog, poScreenCenter, 480, 258},
                     {
                         // name        class      parent left top  width height caption  properties
                         {"SrcLabel", "TLabel", "", 8, 8, 200, 18, "Source List:"},
                         {"SrcList", "TListBox", "", 8, 28, 200, 184, "", "MultiSelect=True; Sorted=True"},
                         {"IncludeBtn", "TButton", "", 216, 44, 48, 25, ">"},
                         {"IncAllBtn", "TButton", "", 216, 76, 48, 25, ">>"},
                         {"ExcludeBtn", "TButton", "", 216, 108, 48, 25, "<"},
                         {"ExAllBtn", "TButton", "", 216, 140, 48, 25, "<<"},
                         {"DstLabel", "TLabel", "", 272, 8, 200, 18, "Destination List:"},
                         {"DstList", "TListBox", "", 272, 28, 200, 184, "", "MultiSelect=True"},
                         {"OKBtn", "TButton", "", 300, 224, 82, 25, "OK", "Default=True; ModalResult=mrOk"},
                         {"CancelBtn", "TButton", "", 390, 224, 82, 25, "Cancel", "Cancel=True; ModalResult=mrCancel"},
                     });
    SrcLabel = Find<TLabel>("SrcLabel");
    SrcList = Find<TListBox>("SrcList");
    DstLabel = Find<TLabel>("DstLabel");
    DstList = Find<TListBox>("DstList");
    IncludeBtn = Find<TButton>("IncludeBtn");
    IncAllBtn = Find<TButton>("IncAllBtn");
    ExcludeBtn = Find<TButton>("ExcludeBtn");
    ExAllBtn = Find<TButton>("ExAllBtn");
    OKBtn = Find<TButton>("OKBtn");
    CancelBtn = Find<TButton>("CancelBtn");
    ExcludeBtn->SetEnabled(false);
    ExAllBtn->SetEnabled(false);

    IncludeBtn->OnClick = [this](QObject*) { IncludeBtnClick(); };
    SrcList->OnDblClick = [this](QObject*) { IncludeBtnClick(); };
    ExcludeBtn->OnClick = [this](QObject*) { ExcludeBtnClick(); };
    DstList->OnDblClick = [this](QObject*) { ExcludeBtnClick(); };
    IncAllBtn->OnClick = [this](QObject*) { IncAllBtnClick(); };
    ExAllBtn->OnClick = [this](QObject*) { ExcAllBtnClick(); };
    OnShow = [this](QObject*) { SetButtons(); };
    Loaded();
}

void TListSelectionForm::IncludeBtnClick() {
    const int index = GetFirstSelection(*SrcList);
    MoveSelected(*SrcList, *DstList);
    SetItem(*SrcList, index);
}

void TListSelectionForm::ExcludeBtnClick() {
    const int index = GetFirstSelection(*DstList);
    MoveSelected(*DstList, *SrcList);
    SetItem(*DstList, index);
}

void TListSelectionForm::IncAllBtnClick() {
    MoveAll(*SrcList, *DstList);
    SetItem(*SrcList, 0);
}

void TListSelectionForm::ExcAllBtnClick() {
    MoveAll(*DstList, *SrcList);
    SetItem(*DstList, 0);
}

void TListSelectionForm::MoveAll(TListBox& from, TListBox& to) {
    for (int i = 0; i < from.Count(); ++i) to.Items().AddObject(from.Items()[i], from.Items().Objects(i));
    from.Clear();
}

void TListSelectionForm::MoveSelected(TListBox& list, TListBox& items) {
    for (int i = list.Count() - 1; i >= 0; --i) {
        if (!list.Selected(i)) continue;
        items.Items().AddObject(list.Items()[i], list.Items().Objects(i));
        list.Items().Delete(i);
    }
}

void TListSelectionForm::SetItem(TListBox& list, int index) {
    list.SetFocus();
    const int count = list.Count();
    if (count > 0) {
        if (index < 0) index = 0;
        if (index > count - 1) index = count - 1;
        list.SetSelected(index, true);
    }
    SetButtons();
}

void TListSelectionForm::SetButtons() {
    const bool sourceHasItems = SrcList->Count() > 0;
    const bool destinationHasItems = DstList->Count() > 0;
    IncludeBtn->SetEnabled(sourceHasItems);
    IncAllBtn->SetEnabled(sourceHasItems);
    ExcludeBtn->SetEnabled(destinationHasItems);
    ExAllBtn->SetEnabled(destinationHasItems);
}

int TListSelectionForm::GetFirstSelection(const TListBox& list) {
    for (int i = 0; i < list.Count(); ++i)
        if (list.Selected(i)) return i;
    return -1;
}
