// The memo editing dialog component and its window.
#include "controls/grid/WwMemoDialog.h"

#include "controls/edit/WwDialog.h"
#include "controls/edit/WwIntl.h"
#include "platform/db/DataSet.h"
#include "platform/db/DataSource.h"
#include "platform/db/Field.h"
#include "platform/rtl/Messages.h"
#include "platform/ui/Application.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Containers.h"
#include "platform/ui/Dispatch.h"
#include "platform/ui/Edits.h"
#include "platform/ui/FormDescription.h"
#include "platform/ui/Keys.h"

#include <QPlainTextEdit>
#include <QTextDocument>

namespace {

// The framework's window frame around the client area: the bounds a caller gives are outer bounds.
constexpr int kFrameWidth = 8;
constexpr int kFrameHeight = 27;
// The designed window, 561 x 395 outside.
constexpr int kDesignedClientWidth = 561 - kFrameWidth;
constexpr int kDesignedClientHeight = 395 - kFrameHeight;

bool IsBlob(const TField* field) { return dynamic_cast<const TBlobField*>(field) != nullptr; }

}  // namespace

// ---- TwwMemoDialog

TwwMemoDialog::TwwMemoDialog(QObject* owner) : TComponent(owner) {}

TwwMemoDialog::~TwwMemoDialog() = default;

void TwwMemoDialog::DoInitDialog() {
    if (OnInitDialog && Form) OnInitDialog(*Form);
}

void TwwMemoDialog::DoCloseDialog() {
    if (OnCloseDialog && Form) OnCloseDialog(*Form);
}

bool TwwMemoDialog::Execute() {
    bool editable = !MemoAttributes.Contains(mViewOnly);
    TwwMemoDlg dialog(nullptr, *this);
    TDataSet* dataSet = DataSource() ? DataSource()->DataSet() : nullptr;
    TField* field = dataSet && !DataField().isEmpty() ? &dataSet->FieldByName(DataField()) : nullptr;
    if (field) {
        if (IsBlob(field) && field->ReadOnly()) editable = false;
        dialog.Memo->SetText(field->AsString());
    } else {
        dialog.Memo->Lines().Assign(lines_);
    }
    dialog.Memo->SetWordWrap(MemoAttributes.Contains(mWordWrap));
    dialog.SetBorderStyle(MemoAttributes.Contains(mSizeable) ? bsSizeable : bsDialog);
    if (DlgLeft > 0 || DlgTop > 0) dialog.SetPosition(poDesigned);
    dialog.Prepare(editable, QRect(DlgLeft, DlgTop, DlgWidth, DlgHeight), font_, Caption);
    dialog.UserButton1->SetCaption(UserButton1Caption);
    dialog.UserButton2->SetCaption(UserButton2Caption);

    struct Forget {
        TwwMemoDialog& component;
        ~Forget() { component.Form = nullptr; }
    } forget{*this};
    const bool confirmed = dialog.ShowModal() == mrOk;
    DoCloseDialog();
    if (editable && confirmed) {
        if (field) {
            dataSet->Edit();
            field->SetAsString(dialog.Memo->Text());
        } else {
            lines_.Assign(dialog.Memo->Lines());
        }
    }
    return confirmed;
}

// ---- TwwMemoDlg

TwwMemoDlg::TwwMemoDlg(QWidget* owner, TwwMemoDialog& dialog) : TForm(owner), dialog_(dialog) {
    ui::DescribeForm(*this,
                     {"wwMemoDlg", "Dialog", bsSizeable, poScreenCenter, kDesignedClientWidth, kDesignedClientHeight},
                     {
                         // name           class      parent             left top  width height
                         {"Memo", "TMemo", "", 0, 0, 545, 321, "", "ScrollBars=ssVertical"},
                         {"UserButtonPanel", "TPanel", "", 0, 322, 237, 41, "", "Visible=False"},
                         {"UserButton1", "TButton", "UserButtonPanel", 16, 8, 89, 26, "", "Visible=False"},
                         {"UserButton2", "TButton", "UserButtonPanel", 128, 8, 89, 26, "", "Visible=False"},
                     });
    Memo = Find<TMemo>("Memo");
    UserButtonPanel = Find<TPanel>("UserButtonPanel");
    UserButton1 = Find<TButton>("UserButton1");
    UserButton2 = Find<TButton>("UserButton2");
    Memo->SetWantTabs(true);
    Font().SetName(QStringLiteral("MS Sans Serif"));
    Font().SetHeight(-11);
    Font().SetStyle(TFontStyles{fsBold});
    OKBtn = CreateDialogButton(*this, dbkOK);
    OKBtn->SetName(QStringLiteral("OKBtn"));
    CancelBtn = CreateDialogButton(*this, dbkCancel);
    CancelBtn->SetName(QStringLiteral("CancelBtn"));
    SetActiveControl(Memo);

    OnShow = [this](QObject*) { FormShow(); };
    OnCloseQuery = [this](QObject*, bool& canClose) { FormCloseQuery(canClose); };
    // Escape closes from the memo's key-down; its character must not reach the memo.
    OnKeyPress = [](QObject*, QChar& key) {
        if (key == QChar(0x1B)) key = QChar();
    };
    Memo->OnKeyDown = [this](QObject*, Word& key, TShiftState shift) { MemoKeyDown(key, shift); };
    OKBtn->OnClick = [this](QObject*) { OKBtnClick(); };
    UserButton1->OnClick = [this](QObject*) {
        if (dialog_.OnUserButton1Click) dialog_.OnUserButton1Click(*this, *Memo);
    };
    UserButton2->OnClick = [this](QObject*) {
        if (dialog_.OnUserButton2Click) dialog_.OnUserButton2Click(*this, *Memo);
    };
    Loaded();
}

void TwwMemoDlg::Prepare(bool editable, const QRect& bounds, const TFont& font, const QString& caption) {
    editable_ = editable;
    bounds_ = bounds;
    font_.Assign(font);
    caption_ = caption;
    if (!editable) {
        CancelBtn->Hide();
        Memo->SetReadOnly(true);
    } else {
        OKBtn->SetEnabled(false);
    }
}

void TwwMemoDlg::FormShow() {
    if (shown_) return;
    shown_ = true;
    SetKeyPreview(true);
    Memo->Font().Assign(font_);
    SetCaption(caption_);
    const int left = bounds_.left();
    const int top = bounds_.top();
    const int clientWidth = std::max(bounds_.width() - kFrameWidth, 100);
    const int clientHeight = std::max(bounds_.height() - kFrameHeight, 100);
    if (left == 0 && top == 0) {
        SetClientWidth(clientWidth);
        SetClientHeight(clientHeight);
    } else if (left > 0 || top > 0) {
        SetClientWidth(clientWidth);
        SetClientHeight(clientHeight);
        move(std::max(left, 0), std::max(top, 0));
    }
    const bool user1 = !UserButton1->Caption().isEmpty();
    const bool user2 = !UserButton2->Caption().isEmpty();
    if (user1 || user2) {
        UserButtonPanel->SetTop(Memo->Top() + Memo->Height() + 2);
        UserButtonPanel->SetLeft(Memo->Left() - 1);
        int right = 0;
        if (user1) {
            UserButton1->SetLeft(10);
            UserButton1->Show();
            right = UserButton1->Left() + UserButton1->Width();
        }
        if (user2) {
            UserButton2->SetLeft(user1 ? right + 15 : 15);
            UserButton2->Show();
            right = UserButton2->Left() + UserButton2->Width();
        }
        UserButtonPanel->SetWidth(right + 10);
        UserButtonPanel->Show();
    }
    Font().SetStyle(TwwIntl::Global().DialogFontStyle);
    dialog_.Form = this;
    dialog_.DoInitDialog();
    Memo->document()->setModified(false);
    Memo->OnChange = [this](QObject*) { OKBtn->SetEnabled(true); };
    ResizeControls();
}

void TwwMemoDlg::resizeEvent(QResizeEvent* e) {
    TForm::resizeEvent(e);
    ui::Dispatch(this, [this] { ResizeControls(); });
}

void TwwMemoDlg::ResizeControls() {
    // The buttons keep a strip of their own below the memo at any font.
    const int buttonHeight = OKBtn->Height();
    Memo->SetBounds(6, 6, ClientWidth() - 12, std::max(ClientHeight() - buttonHeight - 28, 20));
    const int buttonTop = Memo->Top() + Memo->Height() + 11;
    OKBtn->SetTop(buttonTop);
    CancelBtn->SetTop(buttonTop);
    if (UserButtonPanel->Visible()) UserButtonPanel->SetTop(Memo->Top() + Memo->Height() + 2);
    const int memoWidth = Memo->Width();
    if (editable_) {
        OKBtn->SetLeft(memoWidth - 2 * OKBtn->Width() - 40 + 6 + 20);
        CancelBtn->SetLeft(memoWidth - OKBtn->Width() + 6);
        CancelBtn->Show();
    } else if (!UserButton1->Caption().isEmpty() || !UserButton2->Caption().isEmpty()) {
        OKBtn->SetLeft(Memo->Left() + memoWidth - OKBtn->Width() - 25);
    } else {
        OKBtn->SetLeft(memoWidth / 2 + Memo->Left() - CancelBtn->Width() / 2);
    }
    OKBtn->Show();
}

void TwwMemoDlg::MemoKeyDown(Word& key, TShiftState shift) {
    if ((key == VK_RETURN && shift.Contains(ssCtrl)) || key == VK_F2) {
        okPressed_ = true;
        key = 0;
        SetModalResult(mrOk);
    } else if (key == VK_ESCAPE) {
        key = 0;
        SetModalResult(mrCancel);
    }
}

void TwwMemoDlg::OKBtnClick() { okPressed_ = true; }

void TwwMemoDlg::FormCloseQuery(bool& canClose) {
    canClose = true;
    if (Memo->document()->isModified() && !okPressed_) {
        const int answer =
            MessageDlg(TwwIntl::Global().UserMessages.MemoChangesWarning, mtConfirmation, TMsgDlgButtons{mbYes, mbNo});
        // Every close that gets here carries the Cancel result already.
        canClose = answer == mrYes;
    }
    okPressed_ = false;
}
