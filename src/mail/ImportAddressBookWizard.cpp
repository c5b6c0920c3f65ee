// The import pages: the format list, and the file name that enables "Finish".
#include "mail/ImportAddressBookWizard.h"

#include "platform/ui/Buttons.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Edits.h"
#include "platform/ui/FormDescription.h"
#include "platform/ui/Keys.h"
#include "platform/ui/Label.h"
#include "platform/ui/Lists.h"

namespace {

// The frame both pages share: caption, title and explanation.
std::vector<ui::ControlRow> PageRows(const char* title, const char* text) {
    return {
        // name          class     parent left top width height caption properties
        {"TitleLabel", "TLabel", "", 16, 12, 430, 20, title, "Font.Style=fsBold"},
        {"TextLabel", "TLabel", "", 16, 40, 430, 36, text, "AutoSize=False; WordWrap=True"},
        {"CancelButton", "TButton", "", 375, 236, 75, 25, "Cancel", "Cancel=True; ModalResult=mrCancel"},
    };
}

}  // namespace

TImportAddressBookTypeWizardForm::TImportAddressBookTypeWizardForm(QWidget* owner) : TForm(owner) {
    ui::DescribeForm(*this,
                     {"ImportAddressBookTypeWizardForm", "Ranvel Address Book Import Wizard - Step 1", bsDialog,
                      poScreenCenter, 462, 271},
                     PageRows("Select the import file format",
                              "The import wizard needs to know how the import file is structured."));
    ui::AddControls(*this, {
                               {"ImportTypeListBox", "TListBox", "", 16, 84, 430, 136},
                               {"NextButton", "TButton", "", 292, 236, 75, 25, "Next", "Default=True"},
                           });
    ImportTypeListBox = Find<TListBox>("ImportTypeListBox");
    NextButton = Find<TButton>("NextButton");
    CancelButton = Find<TButton>("CancelButton");
    ImportTypeListBox->Items().Add(QStringLiteral("LDIF"));
    NextButton->OnClick = [this](QObject*) { SetModalResult(kImportNext); };
    OnShow = [this](QObject*) { FormShow(); };
    Loaded();
}

void TImportAddressBookTypeWizardForm::FormShow() {
    ImportTypeListBox->SetItemIndex(0);
    SetActiveControl(ImportTypeListBox);
}

TImportAddressBookNameWizardForm::TImportAddressBookNameWizardForm(QWidget* owner) : TForm(owner) {
    ui::DescribeForm(*this,
                     {"ImportAddressBookNameWizardForm", "Ranvel Address Book Import Wizard - Step 2", bsDialog,
                      poScreenCenter, 462, 271},
                     PageRows("Enter the name and location for the database",
                              "Click the browse button to select an existing directory."));
    ui::AddControls(*this, {
                               {"FilenameLabel", "TLabel", "", 16, 95, 80, 18, "Filename"},
                               {"FilenameEdit", "TEdit", "", 100, 92, 310, 23},
                               {"BrowseButton", "TButton", "", 416, 91, 30, 25, "..."},
                               {"PrevButton", "TButton", "", 209, 236, 75, 25, "Prev"},
                               {"NextButton", "TButton", "", 292, 236, 75, 25, "Finish"},
                           });
    FilenameEdit = Find<TEdit>("FilenameEdit");
    BrowseButton = Find<TButton>("BrowseButton");
    NextButton = Find<TButton>("NextButton");
    CancelButton = Find<TButton>("CancelButton");
    PrevButton = Find<TButton>("PrevButton");
    OpenDialog = new TOpenDialog(this);
    NextButton->OnClick = [this](QObject*) { SetModalResult(kImportNext); };
    PrevButton->OnClick = [this](QObject*) { SetModalResult(kImportBack); };
    BrowseButton->OnClick = [this](QObject*) { BrowseButtonClick(); };
    FilenameEdit->OnChange = [this](QObject*) { FilenameEditChange(); };
    FilenameEdit->OnKeyDown = [this](QObject*, Word& key, TShiftState) {
        if (key != VK_RETURN) return;
        key = 0;
        if (NextButton->Enabled()) NextButton->Click();
    };
    OnShow = [this](QObject*) { FormShow(); };
    Loaded();
}

QString TImportAddressBookNameWizardForm::GetFileName() const { return FilenameEdit->Text(); }

void TImportAddressBookNameWizardForm::FormShow() {
    FilenameEditChange();
    SetActiveControl(FilenameEdit);
}

void TImportAddressBookNameWizardForm::FilenameEditChange() {
    NextButton->SetEnabled(!FilenameEdit->Text().trimmed().isEmpty());
}

void TImportAddressBookNameWizardForm::BrowseButtonClick() {
    if (OpenDialog->Execute()) FilenameEdit->SetText(OpenDialog->FileName());
}
