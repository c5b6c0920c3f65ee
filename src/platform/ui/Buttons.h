// Push buttons, check boxes and radio buttons with the framework's members.
#pragma once

#include "platform/ui/Control.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>

class TButton : public ui::ControlOf<QPushButton> {
public:
    explicit TButton(QWidget* parent);

    QString Caption() const { return text(); }
    void SetCaption(const QString& caption) { setText(caption); }
    // Enter clicks the default button, Esc the cancel button (see TForm::DialogKey).
    bool Default() const { return default_; }
    void SetDefault(bool value);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool value) { cancel_ = value; }
    // Clicking gives the form this modal result before OnClick runs.
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int result) { modalResult_ = result; }

    void Click() override;
    bool ClicksOnMouseUp() const override { return false; }

private:
    bool default_ = false;
    bool cancel_ = false;
    int modalResult_ = 0;
};

enum TBitBtnKind { bkCustom, bkOK, bkCancel, bkHelp };
enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// A push button with a glyph; the standard kinds show the platform's own OK, Cancel and Help images.
class TBitBtn : public TButton {
public:
    explicit TBitBtn(QWidget* parent);

    TBitBtnKind Kind() const { return kind_; }
    void SetKind(TBitBtnKind kind);
    // The glyph's side and distances as the framework stores them (-1 spacing centres glyph and text).
    TButtonLayout Layout = blGlyphLeft;
    int Margin = -1;
    int Spacing = 4;
    int NumGlyphs = 1;

private:
    TBitBtnKind kind_ = bkCustom;
};

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

class TCheckBox : public ui::ControlOf<QCheckBox> {
public:
    explicit TCheckBox(QWidget* parent);

    QString Caption() const { return text(); }
    void SetCaption(const QString& caption) { setText(caption); }
    bool Checked() const { return isChecked(); }
    // Changing the state runs OnClick, also when code changes it.
    void SetChecked(bool checked) { setChecked(checked); }
    TCheckBoxState State() const;
    void SetState(TCheckBoxState state);
    bool AllowGrayed() const { return isTristate(); }
    void SetAllowGrayed(bool allow) { setTristate(allow); }

    bool ClicksOnMouseUp() const override { return false; }
};

class TRadioButton : public ui::ControlOf<QRadioButton> {
public:
    explicit TRadioButton(QWidget* parent);

    QString Caption() const { return text(); }
    void SetCaption(const QString& caption) { setText(caption); }
    bool Checked() const { return isChecked(); }
    // Checking runs OnClick; the other radio buttons of the same parent are cleared.
    void SetChecked(bool checked) { setChecked(checked); }

    bool ClicksOnMouseUp() const override { return false; }
};
