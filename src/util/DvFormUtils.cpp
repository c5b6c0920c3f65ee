// Applying saved and default window placements to the owner window.
#include "util/DvFormUtils.h"

#include "platform/ui/Application.h"
#include "platform/ui/Menus.h"
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

// The bounds kept are the client area's and the menu bar's: attaching the menu again counts the bar with all its
// items, so that it does not grow the window after the bounds were applied.
void CountMenuBar(TForm& form) {
    if (TMainMenu* menu = form.Menu()) form.SetMenu(menu);
}

}  // namespace

void TDvFormPosition::LoadPosition(const QString& key) {
    const auto placement = util::ReadWindowPlacement(key, Screen->Height());
    if (!placement) {
        SetDefaultPosition(form_);
        return;
    }
    CountMenuBar(*form_);
    util::PlaceWindow(*form_, placement->bounds);
    form_->SetWindowState(ToWindowState(placement->state));
}

void TDvFormPosition::SavePosition(const QString& key) {
    util::WriteWindowPlacement(key, {ToStoredState(form_->WindowState()), util::KeptWindowRect(*form_)});
}

void TDvFormPosition::SetDefaultPosition(TForm* form) {
    CountMenuBar(*form);
    if (Screen->Height() > 600) {
        util::PlaceWindow(*form, QRect(LeftOver600, TopOver600, WidthOver600, HeightOver600));
        form->SetWindowState(WindowStateOver600);
    } else {
        util::PlaceWindow(*form, QRect(LeftUpTo600, TopUpTo600, WidthUpTo600, HeightUpTo600));
        form->SetWindowState(WindowStateUpTo600);
    }
}

void TDvFormPosition::FitToWorkArea(TForm* form) { util::FitWindowToWorkArea(*form); }
