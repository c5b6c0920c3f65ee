// The feature editor: the features in a grid, written row by row as they are posted.
#include "admin/EditFeatureForm.h"

#include "admin/AdminLogin.h"
#include "admin/EditorWindows.h"
#include "admin/NamedRowEdits.h"
#include "controls/grid/WwGridFormClasses.h"
#include "controls/grid/Wwdbgrid.h"
#include "data/module/DataModule.h"
#include "data/module/SQLDataModule.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/FormDescription.h"

TEditFeatureForm::TEditFeatureForm(TData& data, TSQLData& sqlData, QWidget* owner) : TForm(owner), data_(data) {
    controls::RegisterGridFormClasses();
    ui::DescribeForm(*this, {"EditFeatureForm", "Resource Feature List", bsDialog, poScreenCenter, 330, 262},
                     {
                         // name          class        parent left top width height caption
                         {"DBGrid", "TwwDBGrid", "", 8, 8, 210, 206},
                         {"NewButton", "TButton", "", 228, 8, 94, 25, "New"},
                         {"DeleteButton", "TButton", "", 228, 40, 94, 25, "Delete"},
                         {"RenameButton", "TButton", "", 228, 72, 94, 25, "Rename"},
                         {"CancelButton", "TButton", "", 228, 104, 94, 25, "Cancel"},
                         {"CloseButton", "TButton", "", 118, 225, 94, 25, "Close", "ModalResult=mrOk"},
                     });
    DBGrid = Find<TwwDBGrid>("DBGrid");
    NewButton = Find<TButton>("NewButton");
    DeleteButton = Find<TButton>("DeleteButton");
    RenameButton = Find<TButton>("RenameButton");
    CancelButton = Find<TButton>("CancelButton");
    CloseButton = Find<TButton>("CloseButton");
    CancelButton->SetEnabled(false);

    FeaturesQuery.SetConnection(&data.ADOConnection);
    FeaturesQuery.SQL.SetText(QStringLiteral("select *\nfrom Features"));
    FeaturesDataSource.SetDataSet(&FeaturesQuery);
    admin::SetUpEditorGrid(*DBGrid, FeaturesDataSource, QStringLiteral("Feature\t20\tFeatures\tF"), false);
    FeaturesQuery.BeforePost = [&sqlData](TDataSet& dataSet) { sqlData.FeatureBeforePost(dataSet); };
    FeaturesQuery.BeforeDelete = [&sqlData](TDataSet& dataSet) { sqlData.FeatureBeforeDelete(dataSet); };
    FeaturesQuery.AfterInsert = [this](TDataSet&) { CancelButton->SetEnabled(true); };
    FeaturesQuery.AfterEdit = FeaturesQuery.AfterInsert;
    FeaturesQuery.AfterPost = [this](TDataSet&) { CancelButton->SetEnabled(false); };
    FeaturesQuery.AfterCancel = FeaturesQuery.AfterPost;

    NewButton->OnClick = [this](QObject*) {
        FeaturesQuery.Append();
        DBGrid->FocusGrid();
    };
    RenameButton->OnClick = [this](QObject*) {
        FeaturesQuery.Edit();
        DBGrid->FocusGrid();
        DBGrid->Repaint();
    };
    DeleteButton->OnClick = [this](QObject*) {
        if (!FeaturesQuery.IsEmpty()) FeaturesQuery.Delete();
    };
    CancelButton->OnClick = [this](QObject*) { FeaturesQuery.Cancel(); };
    admin::AddAdminLoginMenu(*this, [this] { LoginasAdminItemClick(); });

    OnShow = [this](QObject*) { FormShow(); };
    OnCloseQuery = [this](QObject*, bool& canClose) { FormCloseQuery(canClose); };
    OnClose = [this](QObject*, TCloseAction&) { FeaturesQuery.Close(); };
    DBGrid->Loaded();
    Loaded();
}

void TEditFeatureForm::FormShow() {
    admin::DropAdminLoginMenu(*this, data_);
    SetClientHeight(CloseButton->Top() + CloseButton->Height() + 12);
    OpenFeatureDataset();
}

void TEditFeatureForm::OpenFeatureDataset() {
    const bool right = admin::HasEditRight(data_);
    SetCaption(admin::RightsCaption(QStringLiteral("Resource Feature List"), right));
    FeaturesQuery.Close();
    FeaturesQuery.LockType = right ? ltOptimistic : ltReadOnly;
    DBGrid->ReadOnly = !right;
    for (TButton* button : {NewButton, DeleteButton, RenameButton}) button->SetEnabled(right);
    FeaturesQuery.Open();
}

void TEditFeatureForm::LoginasAdminItemClick() {
    if (admin::LoginAsAdministrator(data_)) OpenFeatureDataset();
}

void TEditFeatureForm::FormCloseQuery(bool& canClose) {
    SetActiveControl(nullptr);
    // A refused post keeps the window open with its reason shown.
    canClose = admin::PostRowEdits(FeaturesQuery);
}
