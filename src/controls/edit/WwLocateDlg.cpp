// The locate dialog component and its window.
#include "controls/edit/WwLocateDlg.h"

#include "controls/edit/WwIntl.h"
#include "platform/db/DataSet.h"
#include "platform/db/DataSource.h"
#include "platform/rtl/Messages.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Containers.h"
#include "platform/ui/Edits.h"
#include "platform/ui/FormDescription.h"
#include "platform/ui/Lists.h"

namespace {

QString LabelOf(const TField& field) { return QString(field.DisplayLabel()).replace(u'~', u' '); }

bool Offered(const TField& field, TwwFieldSelection selection) {
    const TFieldType type = field.DataType();
    return type != ftBlob && type != ftGraphic && (selection == fsAllFields || field.Visible());
}

// The first field shown by the label: data fields before calculated and lookup fields.
QString FieldOfLabel(const TDataSet& dataSet, const QString& label) {
    if (label.isEmpty()) return {};
    for (const bool data : {true, false})
        for (int i = 0; i < dataSet.FieldCount(); ++i) {
            const TField& field = *dataSet.Fields()[i];
            if ((field.FieldKind() == fkData) == data && LabelOf(field) == label) return field.FieldName();
        }
    return {};
}

}  // namespace

TwwLocateDialog::TwwLocateDialog(QObject* owner) : TwwCustomDialog(owner) {}

TwwLocateDialog::~TwwLocateDialog() = default;

TDataSet* TwwLocateDialog::GetPrimaryDataSet() { return DataSource() ? DataSource()->DataSet() : nullptr; }

void TwwLocateDialog::DoInitDialog() {
    if (OnInitDialog && dialog_) OnInitDialog(*dialog_);
}

bool TwwLocateDialog::Execute() {
    TDataSet* dataSet = GetPrimaryDataSet();
    if (!dataSet || !dataSet->Active()) {
        MessageDlg(QStringLiteral("DataSource does not reference an active DataSet"), mtError, {mbOK});
        return true;
    }
    TwwLocateDlg dialog(nullptr, *this);
    TStrings& labels = dialog.FieldNameComboBox->Items();
    dialog.FieldNameComboBox->SetSorted(SortFields != fsSortByFieldNo);
    for (int i = 0; i < dataSet->FieldCount(); ++i)
        if (const TField& field = *dataSet->Fields()[i]; Offered(field, FieldSelection)) labels.Add(LabelOf(field));
    dialog.FirstButton->SetDefault(DefaultButton == dbFindFirst);
    dialog.NextButton->SetDefault(DefaultButton == dbFindNext);
    if (const TField* field = dataSet->FindField(SearchField)) {
        dialog.SearchValue->SetText(lastSearchValue_);
        // A hidden field is not in the list: nothing is selected, but the value stays.
        dialog.FieldNameComboBox->SetItemIndex(labels.IndexOf(LabelOf(*field)));
    } else {
        dialog.SearchValue->SetText(QString());
    }
    dialog.CaseSensitiveCheckBox->SetChecked(CaseSensitive);
    dialog.SetMatchType(MatchType);
    dialog.SetCaption(Caption);

    struct Forget {
        TwwLocateDialog& component;
        ~Forget() { component.dialog_ = nullptr; }
    } forget{*this};
    const int result = dialog.ShowModal();
    MatchType = dialog.MatchType();
    CaseSensitive = dialog.CaseSensitiveCheckBox->State() != cbUnchecked;
    lastSearchValue_ = dialog.SearchValue->Text();
    SearchField = dialog.ChosenField();
    return result == mrOk;
}

TwwLocateDlg::TwwLocateDlg(QWidget* owner, TwwLocateDialog& component) : TForm(owner), component_(component) {
    // Sized so that every text is whole at a desktop font as well as at the library's small one.
    ui::DescribeForm(*this, {"wwLocateDlg", "Locate Value", bsDialog, poScreenCenter, 300, 290},
                     {
                         // name                  class           parent             left top  width height
                         {"FieldValueGroup", "TGroupBox", "", 4, 4, 292, 56},
                         {"SearchValue", "TEdit", "FieldValueGroup", 12, 24, 268, 24},
                         {"SearchTypeGroup", "TGroupBox", "", 4, 64, 292, 130},
                         {"CaseSensitiveCheckBox", "TCheckBox", "SearchTypeGroup", 12, 22, 268, 22},
                         {"Panel1", "TPanel", "SearchTypeGroup", 1, 48, 290, 2},
                         {"ExactMatchBtn", "TRadioButton", "SearchTypeGroup", 12, 54, 268, 22},
                         {"PartialMatchStartBtn", "TRadioButton", "SearchTypeGroup", 12, 78, 268, 22},
                         {"PartialMatchAnyBtn", "TRadioButton", "SearchTypeGroup", 12, 102, 268, 22},
                         {"FieldsGroup", "TGroupBox", "", 4, 198, 292, 56},
                         {"FieldNameComboBox", "TComboBox", "FieldsGroup", 12, 24, 268, 24},
                         {"FirstButton", "TButton", "", 4, 259, 72, 27},
                         {"NextButton", "TButton", "", 80, 259, 72, 27, "", "Default=True"},
                     });
    FieldValueGroup = Find<TGroupBox>("FieldValueGroup");
    SearchValue = Find<TEdit>("SearchValue");
    SearchTypeGroup = Find<TGroupBox>("SearchTypeGroup");
    CaseSensitiveCheckBox = Find<TCheckBox>("CaseSensitiveCheckBox");
    Panel1 = Find<TPanel>("Panel1");
    ExactMatchBtn = Find<TRadioButton>("ExactMatchBtn");
    PartialMatchStartBtn = Find<TRadioButton>("PartialMatchStartBtn");
    PartialMatchAnyBtn = Find<TRadioButton>("PartialMatchAnyBtn");
    FieldsGroup = Find<TGroupBox>("FieldsGroup");
    FieldNameComboBox = Find<TComboBox>("FieldNameComboBox");
    FirstButton = Find<TButton>("FirstButton");
    NextButton = Find<TButton>("NextButton");
    Panel1->SetBevelOuter(bvLowered);
    FieldNameComboBox->SetStyle(csDropDownList);

    CloseButton = CreateDialogButton(*this, dbkCancel);
    CloseButton->SetName(QStringLiteral("CloseButton"));
    CloseButton->SetTop(NextButton->Top());
    CloseButton->SetLeft(FieldsGroup->Left() + FieldsGroup->Width() - 1 - CloseButton->Width());
    CloseButton->Show();
    SetActiveControl(SearchValue);

    OnShow = [this](QObject*) { FormShow(); };
    FirstButton->OnClick = [this](QObject*) { FindFirst(); };
    NextButton->OnClick = [this](QObject*) { FindNextBtnClick(); };
    FieldNameComboBox->OnChange = [this](QObject*) { FieldNameComboBoxChange(); };
    FieldNameComboBox->OnEnter = [this](QObject*) { FieldNameComboBoxEnter(); };
    FieldNameComboBox->OnExit = [this](QObject*) { FieldNameComboBoxExit(); };
    FieldNameComboBox->OnKeyDown = [this](QObject*, Word& key, TShiftState) { FieldNameComboBoxKeyDown(key); };
    Loaded();
}

TwwLocateMatchType TwwLocateDlg::MatchType() const {
    if (ExactMatchBtn->Checked()) return mtExactMatch;
    if (PartialMatchAnyBtn->Checked()) return mtPartialMatchAny;
    return mtPartialMatchStart;
}

void TwwLocateDlg::SetMatchType(TwwLocateMatchType matchType) {
    ExactMatchBtn->SetChecked(matchType == mtExactMatch);
    PartialMatchStartBtn->SetChecked(matchType == mtPartialMatchStart);
    PartialMatchAnyBtn->SetChecked(matchType == mtPartialMatchAny);
}

QString TwwLocateDlg::ChosenField() const {
    const TDataSet* dataSet = component_.GetPrimaryDataSet();
    return dataSet ? FieldOfLabel(*dataSet, FieldNameComboBox->Text()) : QString();
}

void TwwLocateDlg::FormShow() {
    const TwwIntl& intl = TwwIntl::Global();
    const TwwLocateDialogIntl& texts = intl.LocateDialog;
    Font().SetStyle(intl.DialogFontStyle);
    FieldValueGroup->SetCaption(texts.FieldValueLabel);
    SearchValue->SetHint(texts.FieldValueHint);
    SearchTypeGroup->SetCaption(texts.SearchTypeLabel);
    CaseSensitiveCheckBox->SetCaption(texts.CaseSensitiveLabel);
    CaseSensitiveCheckBox->SetHint(texts.CaseSensitiveHint);
    ExactMatchBtn->SetCaption(texts.MatchExactLabel);
    ExactMatchBtn->SetHint(texts.MatchExactHint);
    PartialMatchStartBtn->SetCaption(texts.MatchStartLabel);
    PartialMatchStartBtn->SetHint(texts.MatchStartHint);
    PartialMatchAnyBtn->SetCaption(texts.MatchAnyLabel);
    PartialMatchAnyBtn->SetHint(texts.MatchAnyHint);
    FieldsGroup->SetCaption(texts.FieldsLabel);
    FieldNameComboBox->SetHint(texts.FieldNameHint);
    FirstButton->SetCaption(texts.BtnFirst);
    FirstButton->SetHint(texts.BtnFirstHint);
    NextButton->SetCaption(texts.BtnNext);
    NextButton->SetHint(texts.BtnNextHint);
    const bool closeOnMatch = component_.Options.Contains(ldoCloseOnMatch);
    CloseButton->SetCaption(closeOnMatch ? texts.BtnCancel : texts.BtnClose);
    if (auto* glyph = dynamic_cast<TBitBtn*>(CloseButton); glyph && !closeOnMatch) {
        // A window that stays open after a match is closed, not cancelled: no Cancel glyph.
        glyph->SetKind(bkCustom);
        glyph->setIcon(QIcon());
        glyph->Margin = -1;
    }
    for (TControl* control : {static_cast<TControl*>(SearchValue), static_cast<TControl*>(CaseSensitiveCheckBox),
                              static_cast<TControl*>(ExactMatchBtn), static_cast<TControl*>(PartialMatchStartBtn),
                              static_cast<TControl*>(PartialMatchAnyBtn), static_cast<TControl*>(FieldNameComboBox),
                              static_cast<TControl*>(FirstButton), static_cast<TControl*>(NextButton)})
        control->SetShowHint(true);
    component_.dialog_ = this;
    if (component_.Options.Contains(ldoCaseSensitiveBelow)) {
        ExactMatchBtn->SetTop(22);
        PartialMatchStartBtn->SetTop(46);
        PartialMatchAnyBtn->SetTop(70);
        Panel1->SetTop(96);
        CaseSensitiveCheckBox->SetTop(102);
    }
    component_.DoInitDialog();
}

void TwwLocateDlg::Search(bool fromFirst) {
    const QString field = ChosenField();
    TDataSet* dataSet = component_.GetPrimaryDataSet();
    // A ticked or greyed box counts as case-sensitive.
    const bool found = !field.isEmpty() && dataSet &&
                       SearchFieldValue(fromFirst, *dataSet, field, SearchValue->Text(), MatchType(),
                                        CaseSensitiveCheckBox->State() != cbUnchecked, component_.UseLocateMethod);
    if (!found) {
        const TwwUserMessagesIntl& messages = TwwIntl::Global().UserMessages;
        MessageDlg(fromFirst ? messages.LocateNoMatches : messages.LocateNoMoreMatches, mtInformation, {mbOK});
    } else if (component_.Options.Contains(ldoCloseOnMatch)) {
        SetModalResult(mrOk);
    }
}

void TwwLocateDlg::FindFirst() { Search(true); }

void TwwLocateDlg::FindNextBtnClick() { Search(false); }

void TwwLocateDlg::FieldNameComboBoxChange() {
    if (!component_.Options.Contains(ldoPreserveSearchText)) SearchValue->SetText(QString());
    if (!FieldNameComboBox->DroppedDown()) SearchValue->SetFocus();
    if (component_.OnSelectField) component_.OnSelectField(*this, FieldNameComboBox->Text());
}

void TwwLocateDlg::FieldNameComboBoxEnter() {
    // Enter in the list picks a field, it does not search.
    NextButton->SetDefault(false);
}

void TwwLocateDlg::FieldNameComboBoxExit() { NextButton->SetDefault(true); }

void TwwLocateDlg::FieldNameComboBoxKeyDown(Word& key) {
    if (key == VK_RETURN && FieldNameComboBox->DroppedDown()) {
        FieldNameComboBox->hidePopup();
        SearchValue->SetFocus();
    }
}
