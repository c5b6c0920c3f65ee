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
