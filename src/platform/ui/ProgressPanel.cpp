// The progress panel: a plain TPanel placed in the middle of the form or the screen.
#include "platform/ui/ProgressPanel.h"

#include "platform/ui/Form.h"

namespace ui {

ProgressPanel::ProgressPanel(TForm* form, const QString& message) : panel_(new TPanel(form)) {
    panel_->SetCaption(message);
    if (form) {
        panel_->SetBounds((form->ClientWidth() - kWidth) / 2, (form->ClientHeight() - kHeight) / 2, kWidth, kHeight);
    } else {
        panel_->setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
        const TRect area = Screen->WorkAreaRect();
        panel_->SetBounds(area.Left + (area.Width() - kWidth) / 2, area.Top + (area.Height() - kHeight) / 2, kWidth,
                          kHeight);
    }
    panel_->raise();
    panel_->show();
    panel_->repaint();
}

ProgressPanel::~ProgressPanel() { delete panel_.data(); }

void ProgressPanel::SetMessage(const QString& message) {
    if (!panel_) return;
    panel_->SetCaption(message);
    panel_->repaint();
}

}  // namespace ui
