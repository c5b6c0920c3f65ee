// The add-resource wizard's pages: the name and its check, the feature and group lists with their "Create new"
// buttons, and the page after a resource was made.
#include "admin/AddResourcePages.h"

#include "platform/db/DataSet.h"
#include "platform/db/Field.h"
#include "platform/rtl/Messages.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Edits.h"
#include "platform/ui/FormDescription.h"
#include "platform/ui/Lists.h"

TAddResourceWizardForm::TAddResourceWizardForm(QWidget* owner)
    : WizardPage(owner, {"AddResourceWizardForm", "Add Resource Wizard - Step 1", "Resource Name",
                         "A short descriptive resource name works best on the screen and printed reports."}) {
    ui::AddControls(*this, {
                               // name          class     parent left top  width height caption  properties
                               {"InfoMemo", "TMemo", "", 16, 96, 608, 44,
                                "Enter the name of the resource to create, a short description of it, and any "
                                "notes users will find useful.",
                                admin::kWizardNote},
                               {"NameLabel", "TLabel", "", 16, 157, 60, 18, "Name"},
                               {"ResourceName", "TEdit", "", 80, 154, 260, 23},
                               {"DescLabel", "TLabel", "", 16, 193, 60, 18, "Desc"},
                               {"ResourceDesc", "TEdit", "", 80, 190, 544, 23},
                               {"NotesLabel", "TLabel", "", 16, 229, 60, 18, "Notes"},
                               {"ResourceNotes", "TEdit", "", 80, 226, 544, 23},
                           });
    ResourceName = Find<TEdit>("ResourceName");
    ResourceDesc = Find<TEdit>("ResourceDesc");
    ResourceNotes = Find<TEdit>("ResourceNotes");
    InfoMemo = Find<TMemo>("InfoMemo");
    PrevButton->SetVisible(false);
    // Next answers only after the name is checked.
    NextButton->SetModalResult(mrNone);

    EnterMovesOn(*ResourceName);
    EnterMovesOn(*InfoMemo);
    OnShow = [this](QObject*) { FormShow(); };
    ResourceName->OnChange = [this](QObject*) { ResourceNameChange(); };
    NextButton->OnClick = [this](QObject*) { NextButtonClick(); };
    Loaded();
}

void TAddResourceWizardForm::Reset() {
    for (TEdit* edit : {ResourceName, ResourceDesc, ResourceNotes}) edit->SetText(QString());
}

void TAddResourceWizardForm::FormShow() {
    ResourceNameChange();
    ResourceName->SetFocus();
}

void TAddResourceWizardForm::ResourceNameChange() { NextButton->SetEnabled(!ResourceName->Text().trimmed().isEmpty()); }

void TAddResourceWizardForm::NextButtonClick() {
    const QString name = ResourceName->Text();
    if (ResourceExists && ResourceExists(name)) {
        MessageDlg(QStringLiteral("Resource \"") + name + QStringLiteral("\" already exists."), mtInformation, {mbOK});
        return;
    }
    SetModalResult(mrNext);
}

TAddResourceNamesPage::TAddResourceNamesPage(QWidget* owner, const admin::WizardPageFrame& frame, const Texts& texts,
                                             const QString& instructions, const QString& buttonCaption, bool sorted)
    : WizardPage(owner, frame), texts_(texts) {
    ui::AddControls(*this, {
                               // name          class            parent left top  width height caption  properties
                               {"InfoMemo", "TMemo", "", 16, 96, 608, 44, instructions, admin::kWizardNote},
                               {"CheckList", "TCheckListBox", "", 16, 146, 380, 144, "",
                                sorted ? QStringLiteral("Sorted=True") : QString()},
                               {"NewButton", "TButton", "", 412, 146, 212, 25, buttonCaption},
                           });
    CheckList = Find<TCheckListBox>("CheckList");
    NewButton = Find<TButton>("NewButton");
    InfoMemo = Find<TMemo>("InfoMemo");
    EnterMovesOn(*CheckList);
    NewButton->OnClick = [this](QObject*) { NewButtonClick(); };
    SetActiveControl(CheckList);
}

QStringList TAddResourceNamesPage::CheckedNames() const {
    QStringList names;
    for (int i = 0; i < CheckList->Count(); ++i)
        if (CheckList->Checked(i)) names << CheckList->Items()[i];
    return names;
}

void TAddResourceNamesPage::Fill(TDataSet& names, const QString& field) {
    CheckList->Clear();
    names.Open();
    for (names.First(); !names.Eof(); names.Next()) CheckList->Items().Add(names.FieldByName(field).AsString());
    names.Close();
    for (const QString& name : NewNames) CheckList->SetChecked(CheckList->Items().Add(name), true);
}

// A blank name is not taken: it could not be stored.
void TAddResourceNamesPage::NewButtonClick() {
    QString name;
    if (!InputQuery(texts_.inputTitle, texts_.prompt, name) || name.trimmed().isEmpty()) return;
    if (CheckList->Items().IndexOf(name) >= 0) {
        MessageDlg(texts_.noun + u' ' + name + QStringLiteral(" already exists."), mtInformation, {mbOK});
        return;
    }
    NewNames << name;
    CheckList->SetChecked(CheckList->Items().Add(name), true);
}

TAddResourceFeaturesWizardForm::TAddResourceFeaturesWizardForm(QWidget* owner)
    : TAddResourceNamesPage(
          owner,
          {"AddResourceFeaturesWizardForm", "Add Resource Wizard - Step 2", "Resource Features (optional)",
           "Resources features give the user details about the resource."},
          {"Feature", "Create New Feature", "Enter the name of the new feature"},
          "Select all the features the resource possesses. If a feature is not listed you can create a new feature.",
          "Create new feature", false) {
    CheckList->SetName(QStringLiteral("FeaturesCheckList"));
    NewButton->SetName(QStringLiteral("NewFeatureButton"));
    FeaturesCheckList = CheckList;
    NewFeatureButton = NewButton;
    EnterMovesOn(*InfoMemo);
    Loaded();
}

TAddResourceGroupsWizardForm::TAddResourceGroupsWizardForm(QWidget* owner)
    : TAddResourceNamesPage(
          owner,
          {"AddResourceGroupsWizardForm", "Add Resource Wizard - Step 3", "Resource Groups (optional)",
           "Resources can be grouped together for visual display, searching and reporting."},
          {"Group", "Create New Group", "Enter the name of the new group"},
          "Select all the groups you would like the resource to be included in.", "Create new group", true) {
    CheckList->SetName(QStringLiteral("GroupsCheckList"));
    NewButton->SetName(QStringLiteral("NewGroupButton"));
    GroupsCheckList = CheckList;
    NewGroupButton = NewButton;
    NextButton->SetCaption(QStringLiteral("Create Now"));
    Loaded();
}

TAddResourceCompletedWizardForm::TAddResourceCompletedWizardForm(QWidget* owner)
    : WizardPage(owner, {"AddResourceCompletedWizardForm", "Add Resource Wizard - Create Another", "Create Another",
                         "You can add additional resources now or at a later time."}) {
    ui::AddControls(
        *this, {
                   // name          class     parent left top  width height caption  properties
                   {"InfoMemo", "TMemo", "", 16, 96, 608, 150,
                    "The previous resource was successfully created.\n\nYou can continue creating resources by "
                    "clicking the \"Create Another Resource\" button. Resources can also be added, removed and "
                    "grouped using the \"Edit / Resources...\" and \"Edit / Groups...\" menu items on the main screen.",
                    admin::kWizardNote},
               });
    InfoMemo = Find<TMemo>("InfoMemo");
    PrevButton->SetVisible(false);
    // Wide enough for its caption at a larger desktop font.
    NextButton->SetBounds(kWidth - 334, 302, 220, 25);
    NextButton->SetCaption(QStringLiteral("Create Another Resource"));
    CancelButton->SetCaption(QStringLiteral("Done"));
    EnterMovesOn(*InfoMemo);
    Loaded();
}
