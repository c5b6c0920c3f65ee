// The active users list: one row per computer of the database's user roster, sorted by name.
#include "admin/UserListForm.h"

#include "data/module/DataModule.h"
#include "platform/rtl/StringList.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/FormDescription.h"
#include "platform/ui/ListView.h"

TUserListForm::TUserListForm(TData& data, QWidget* owner) : TForm(owner), data_(data) {
    ui::DescribeForm(*this, {"UserListForm", "Active Users", bsDialog, poScreenCenter, 240, 236},
                     {
                         // name        class      parent left top width height caption  properties
                         {"ListView", "TListView", "", 8, 8, 224, 184},
                         {"OkButton", "TButton", "", 80, 202, 82, 25, "Ok", "Default=True; ModalResult=mrOk"},
                     });
    ListView = Find<TListView>("ListView");
    OkButton = Find<TButton>("OkButton");
    ListView->AddColumn(QStringLiteral("Computer Name"), 200);
    ListView->SetHideSelection(false);
    OnShow = [this](QObject*) { FormShow(); };
    OnClose = [this](QObject*, TCloseAction&) { FormClose(); };
    Loaded();
}

void TUserListForm::FormShow() {
    TStringList computers;
    data_.GetConnectedComputers(computers);
    for (int i = 0; i < computers.Count(); ++i) ListView->AddItem().SetCaption(computers[i]);
    ListView->AlphaSort();
    SetActiveControl(OkButton);
}

void TUserListForm::FormClose() { ListView->ClearItems(); }
