// The frame the administration wizards' pages share: a white top panel with a bold heading and a second line,
// the page's own controls below it, and Prev, Next and Cancel at the bottom.
#pragma once

#include "platform/ui/Form.h"

class TButton;
class TLabel;
class TPanel;

namespace admin {

// What a page puts in the shared frame.
struct WizardPageFrame {
    QString name;
    QString caption;
    QString heading;
    QString description;
};

class WizardPage : public TForm {
public:
    TPanel* TopPanel;
    TLabel* TitleLabel;
    TLabel* DescriptionLabel;
    TButton* PrevButton;
    TButton* NextButton;
    TButton* CancelButton;

    // Enter acts as Next while Next is enabled.
    void MyKeyPress(QObject* sender, QChar& key);

    // The page's controls start below the top panel.
    static constexpr int kFaceTop = 92;
    static constexpr int kWidth = 640;

protected:
    WizardPage(QWidget* owner, const WizardPageFrame& frame);

    // Makes Enter on the control act as Next.
    void EnterMovesOn(TControl& control);
};

// A read-only note on a page's face: text on the page's colour that wraps, with no frame.
inline const QString kWizardNote = QStringLiteral("ReadOnly=True; TabStop=False; Color=clBtnFace; BorderStyle=bsNone");

}  // namespace admin
