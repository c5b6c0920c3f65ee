// TwwMemoDialog and its window TwwMemoDlg: a memo, blob or string field (or a free list of lines) edited in a
// large multi-line edit, stored on OK or Ctrl+Enter, with a question before a change is thrown away.
#pragma once

#include "platform/db/DataLink.h"
#include "platform/rtl/Component.h"
#include "platform/rtl/StringList.h"
#include "platform/ui/EnumSet.h"
#include "platform/ui/Font.h"
#include "platform/ui/Form.h"

#include <functional>

class TButton;
class TDataSource;
class TMemo;
class TPanel;
class TwwMemoDlg;

enum TwwMemoAttribute { mSizeable, mWordWrap, mGridShow, mViewOnly, mDisableDialog };
using TwwMemoAttributes = ui::SetOf<TwwMemoAttribute>;

using TwwMemoUserButtonEvent = std::function<void(TwwMemoDlg& Dialog, TMemo& Memo)>;
using TwwOnInitMemoDlgEvent = std::function<void(TwwMemoDlg& Dialog)>;

class TwwMemoDialog : public TComponent {
public:
    explicit TwwMemoDialog(QObject* owner = nullptr);
    ~TwwMemoDialog() override;

    TDataSource* DataSource() const { return dataLink_.DataSource(); }
    void SetDataSource(TDataSource* source) { dataLink_.SetDataSource(source); }
    const QString& DataField() const { return dataLink_.FieldName(); }
    void SetDataField(const QString& name) { dataLink_.SetFieldName(name); }
    TFont& Font() { return font_; }
    void SetFont(const TFont& font) { font_.Assign(font); }
    TwwMemoAttributes MemoAttributes{mSizeable, mWordWrap};
    QString Caption;
    // The window's outer bounds; a negative left keeps the designed size, centred.
    int DlgLeft = 0;
    int DlgTop = 0;
    int DlgWidth = 561;
    int DlgHeight = 396;
    TwwMemoUserButtonEvent OnUserButton1Click;
    TwwMemoUserButtonEvent OnUserButton2Click;
    TwwOnInitMemoDlgEvent OnInitDialog;
    TwwOnInitMemoDlgEvent OnCloseDialog;
    QString UserButton1Caption;
    QString UserButton2Caption;
    TStrings& Lines() { return lines_; }
    void SetLines(const TStrings& lines) { lines_.Assign(lines); }
    // The window while it is shown.
    TwwMemoDlg* Form = nullptr;

    virtual void DoInitDialog();
    virtual void DoCloseDialog();
    // Shows the window modally; true when the user confirmed with OK (or Ctrl+Enter, F2). Editable unless
    // mViewOnly or the field is read-only; a confirmed edit is stored in the field (the dataset is put into
    // edit mode) or, without one, in Lines.
    virtual bool Execute();

private:
    TFieldDataLink dataLink_;
    TFont font_;
    TStringList lines_;
};

class TwwMemoDlg : public TForm {
public:
    TwwMemoDlg(QWidget* owner, TwwMemoDialog& dialog);

    TMemo* Memo;
    TPanel* UserButtonPanel;
    TButton* UserButton1;
    TButton* UserButton2;
    TButton* OKBtn;
    TButton* CancelBtn;

    // Set before the window shows.
    void Prepare(bool editable, const QRect& bounds, const TFont& font, const QString& caption);
    bool Editable() const { return editable_; }

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    void FormShow();
    void ResizeControls();
    void MemoKeyDown(Word& key, TShiftState shift);
    void FormCloseQuery(bool& canClose);
    void OKBtnClick();

    TwwMemoDialog& dialog_;
    bool shown_ = false;
    bool okPressed_ = false;
    bool editable_ = true;
    QRect bounds_;
    TFont font_;
    QString caption_;
};
