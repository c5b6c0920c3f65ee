// The frame every e-mail settings wizard page shares: white title panel, field panel, Cancel/Prev/Next.
#pragma once

#include "platform/ui/Form.h"

class TButton;
class TLabel;
class TMemo;
class TPanel;

namespace mail {

class WizardPage : public TForm {
public:
    TPanel* TopPanel;
    TLabel* TitleLabel;
    TLabel* DescriptionLabel;
    // Where a page puts its fields.
    TPanel* MiddlePanel;
    TPanel* BottomPanel;
    TButton* CancelButton;
    TButton* PrevButton;
    TButton* NextButton;

    // The handler of the page's fields: Enter acts as Next while Next is enabled.
    void MyKeyPress(QObject* sender, QChar& key);

protected:
    WizardPage(QWidget* owner, const QString& name, const QString& title, const QString& description);

    // A label at the left of the field panel and the field's place to its right.
    TLabel* AddLabel(const QString& caption, int top, int left = 16);
    // Read-only lines on the page's face.
    TMemo* AddNote(const QStringList& lines, int top, int height);
    // Makes Enter on the control act as Next.
    void EnterMovesOn(TControl& control);
};

}  // namespace mail
