// TDvFormPosition: restores and saves its window's position, size and state under a per-window key.
#pragma once

#include "platform/rtl/Component.h"
#include "platform/ui/Form.h"

class TDvFormPosition : public TComponent {
public:
    // The owner is the window whose position is kept.
    explicit TDvFormPosition(TForm* owner) : TComponent(owner), form_(owner) {}

    // Used when the screen is at most 600 pixels high.
    TWindowState WindowStateUpTo600 = wsMaximized;
    int TopUpTo600 = 60;
    int LeftUpTo600 = 100;
    int HeightUpTo600 = 480;
    int WidthUpTo600 = 600;
    // Used on higher screens.
    TWindowState WindowStateOver600 = wsNormal;
    int TopOver600 = 100;
    int LeftOver600 = 150;
    int HeightOver600 = 568;
    int WidthOver600 = 724;

    // key: a subkey of the per-user version key ("" for the key itself, "\Forms\GB\Window", ...).
    // The stored bounds, fitted into the work area, and state; the defaults when nothing valid is stored.
    void LoadPosition(const QString& key);
    void SavePosition(const QString& key);
    void SetDefaultPosition(TForm* form);
    void FitToWorkArea(TForm* form);

private:
    TForm* form_;
};
