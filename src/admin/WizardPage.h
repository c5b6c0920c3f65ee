// The frame the administration wizards' pages share: a white top panel with a bold heading and a second line,
// the page's own controls below it, and Prev, Next and Cancel at the bottom.
#pragma once

#include "platform/ui/WizardForm.h"

namespace admin {

// What a page puts in the shared frame.
struct WizardPageFrame {
    QString name;
    QString caption;
    QString heading;
    QString description;
};

class WizardPage : public ui::WizardForm {
public:
    static constexpr int kWidth = 640;

protected:
    WizardPage(QWidget* owner, const WizardPageFrame& frame);
};

// A read-only note on a page's face: text on the page's colour that wraps, with no frame.
inline const QString kWizardNote = QStringLiteral("ReadOnly=True; TabStop=False; Color=clBtnFace; BorderStyle=bsNone");

}  // namespace admin
