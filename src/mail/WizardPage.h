// The frame every e-mail settings wizard page shares: white title panel, field panel, Cancel/Prev/Next.
#pragma once

#include "platform/ui/WizardForm.h"

class TPanel;

namespace mail {

class WizardPage : public ui::WizardForm {
public:
    // Where a page puts its fields.
    TPanel* MiddlePanel;
    TPanel* BottomPanel;

protected:
    WizardPage(QWidget* owner, const QString& name, const QString& title, const QString& description);
};

}  // namespace mail
