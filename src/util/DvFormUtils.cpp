// Applying saved and default window placements to the owner window.
#include "util/DvFormUtils.h"

#include "platform/ui/Application.h"
#include "util/DvFormPlacement.h"

using util::StoredWindowState;

namespace {

TWindowState ToWindowState(StoredWindowState state) {
    switch (state) {
        case StoredWindowState::Maximized: return wsMaximized;
        case StoredWindowState::Minimized: return wsMinimized;
        default: return wsNormal;
    }
}

StoredWindowState ToStoredState(TWindowState state) {
    switch (state) {
        case wsMaximized: return StoredWindowState::Maximized;
        case wsMinimized: return StoredWindowState::Minimized;
        default: return StoredWindowState::Normal;
    }
}

}  // namespace

void TDvFormPosition::LoadPosition(const QString& key) {
    const auto placement = util::ReadWindowPlacement(key, Screen->Height());
    if (!placement) {
        SetDefaultPosition(form_);
        return;
    }
    const QRect& b = placement->bounds;
    form_->SetBounds(b.x(), b.y(), b.width(), b.height());
    FitToWorkArea(form_);
    form_->SetWindowState(ToWindowState(placement->state));
}

void TDvFormPosition::SavePosition(const QString& key) {
    const TRect bounds = form_->BoundsRect();
    util::WriteWindowPlacement(key, {ToStoredState(form_->WindowState()), ui::ToQRect(bounds)});
}

void TDvFormPosition::SetDefaultPosition(TForm* form) {
    if (Screen->Height() > 600) {
        form->SetBounds(LeftOver600, TopOver600, WidthOver600, HeightOver600);
        form->SetWindowState(WindowStateOver600);
    } else {
        form->SetBounds(LeftUpTo600, TopUpTo600, WidthUpTo600, HeightUpTo600);
        form->SetWindowState(WindowStateUpTo600);
    }
}

void TDvFormPosition::FitToWorkArea(TForm* form) {
    const QRect fitted = util::FitRectToWorkArea(ui::ToQRect(form->BoundsRect()), ui::ToQRect(Screen->WorkAreaRect()));
    form->SetBounds(fitted.x(), fitted.y(), fitted.width(), fitted.height());
}
