// TwwLocateDialog and its window TwwLocateDlg: the user picks a field, types a value, chooses the kind of
// match and finds the first or the next matching record.
#pragma once

#include "controls/edit/WwDialog.h"
#include "controls/edit/WwLocate.h"
#include "platform/db/DataLink.h"
#include "platform/ui/EnumSet.h"
#include "platform/ui/Form.h"

#include <functional>

class TButton;
class TCheckBox;
class TComboBox;
class TDataSource;
class TEdit;
class TGroupBox;
class TPanel;
class TRadioButton;
class TwwLocateDlg;

using TwwLocateDlgOptions = ui::SetOf<TwwLocateDlgOption>;

using TwwOnInitLocateDlgEvent = std::function<void(TwwLocateDlg& Dialog)>;
using TwwLocateSelectFieldEvent = std::function<void(TwwLocateDlg& Dialog, const QString& SearchField)>;

// The dialog component forms place.
class TwwLocateDialog : public TwwCustomDialog {
public:
    explicit TwwLocateDialog(QObject* owner = nullptr);
    ~TwwLocateDialog() override;

    QString Caption = QStringLiteral("Locate Field Value");
    TDataSource* DataSource() const { return dataLink_.DataSource(); }
    void SetDataSource(TDataSource* source) { dataLink_.SetDataSource(source); }
    // The field chosen last, the kind of match and the case rule: read by the window, written back after it.
    QString SearchField;
    TwwLocateMatchType MatchType = mtPartialMatchStart;
    bool CaseSensitive = false;
    TwwFieldSortType SortFields = fsSortByFieldName;
    TwwDefaultButtonType DefaultButton = dbFindNext;
    TwwFieldSelection FieldSelection = fsAllFields;
    bool ShowMessages = true;
    bool UseLocateMethod = false;
    TwwLocateDlgOptions Options{ldoCloseOnMatch};
    TwwOnInitLocateDlgEvent OnInitDialog;
    TwwLocateSelectFieldEvent OnSelectField;

    // Shows the window; true when it closed with OK (a match with ldoCloseOnMatch), and true after the
    // message that there is no active dataset.
    bool Execute() override;
    TDataSet* GetPrimaryDataSet() override;
    virtual void DoInitDialog();

    // The value typed last, kept between showings.
    const QString& LastSearchValue() const { return lastSearchValue_; }
    // The window while it is shown.
    TwwLocateDlg* Dialog() const { return dialog_; }

private:
    friend class TwwLocateDlg;

    TDataLink dataLink_;
    QString lastSearchValue_;
    TwwLocateDlg* dialog_ = nullptr;
};

class TwwLocateDlg : public TForm {
public:
    TwwLocateDlg(QWidget* owner, TwwLocateDialog& component);

    TGroupBox* FieldValueGroup;
    TEdit* SearchValue;
    TGroupBox* SearchTypeGroup;
    TCheckBox* CaseSensitiveCheckBox;
    TPanel* Panel1;
    TRadioButton* ExactMatchBtn;
    TRadioButton* PartialMatchStartBtn;
    TRadioButton* PartialMatchAnyBtn;
    TGroupBox* FieldsGroup;
    TComboBox* FieldNameComboBox;
    TButton* FirstButton;
    TButton* NextButton;
    TButton* CloseButton;

    // The match type of the radio buttons, and the other way round.
    TwwLocateMatchType MatchType() const;
    void SetMatchType(TwwLocateMatchType matchType);
    // The name of the field whose display label the list shows; empty when none.
    QString ChosenField() const;

    void FormShow();
    void FindFirst();
    void FindNextBtnClick();
    void FieldNameComboBoxChange();
    void FieldNameComboBoxEnter();
    void FieldNameComboBoxExit();
    void FieldNameComboBoxKeyDown(Word& key);

private:
    void Search(bool fromFirst);

    TwwLocateDialog& component_;
};
