// The windowed screen service: the cursor and the resolution through TScreen, the main window through TApplication.
#pragma once

#include "platform/rtl/ScreenService.h"

namespace ui {

class QtScreenService : public rtl::ScreenService {
public:
    TCursor Cursor() const override;
    void SetCursor(TCursor cursor) override;
    void RepaintMainForm() override;
    int PixelsPerInch() const override;
};

}  // namespace ui
