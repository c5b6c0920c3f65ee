// Buttons: clicks come from Qt's signals and run the framework's Click.
#include "platform/ui/Buttons.h"

#include "platform/ui/Dispatch.h"
#include "platform/ui/Form.h"
#include "platform/ui/StandardIcons.h"

#include <QStyle>

TButton::TButton(QWidget* parent) : ControlOf<QPushButton>(parent) {
    setAutoDefault(false);
    connect(this, &QPushButton::clicked, this, [this] { ui::Dispatch(this, [this] { Click(); }); });
}

void TButton::SetDefault(bool value) {
    default_ = value;
    setDefault(value);
}

void TButton::Click() {
    if (TForm* form = ParentForm(); form && modalResult_ != mrNone) form->SetModalResult(modalResult_);
    TControl::Click();
}

TBitBtn::TBitBtn(QWidget* parent) : TButton(parent) {}

void TBitBtn::SetKind(TBitBtnKind kind) {
    kind_ = kind;
    switch (kind) {
        case bkOK: setIcon(ui::StandardIcon(QStyle::SP_DialogOkButton)); break;
        case bkCancel: setIcon(ui::StandardIcon(QStyle::SP_DialogCancelButton)); break;
        case bkHelp: setIcon(ui::StandardIcon(QStyle::SP_DialogHelpButton)); break;
        case bkCustom: setIcon(QIcon()); break;
    }
}

TCheckBox::TCheckBox(QWidget* parent) : ControlOf<QCheckBox>(parent) {
    connect(this, &QCheckBox::stateChanged, this, [this] { ui::Dispatch(this, [this] { Click(); }); });
}

TCheckBoxState TCheckBox::State() const {
    switch (checkState()) {
        case Qt::Checked: return cbChecked;
        case Qt::PartiallyChecked: return cbGrayed;
        default: return cbUnchecked;
    }
}

void TCheckBox::SetState(TCheckBoxState state) {
    setCheckState(state == cbChecked ? Qt::Checked : state == cbGrayed ? Qt::PartiallyChecked : Qt::Unchecked);
}

TRadioButton::TRadioButton(QWidget* parent) : ControlOf<QRadioButton>(parent) {
    connect(this, &QRadioButton::toggled, this, [this](bool on) {
        if (on) ui::Dispatch(this, [this] { Click(); });
    });
}
