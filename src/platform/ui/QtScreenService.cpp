// The windowed screen service.
#include "platform/ui/QtScreenService.h"

#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

namespace ui {

TCursor QtScreenService::Cursor() const { return Screen->Cursor(); }

void QtScreenService::SetCursor(TCursor cursor) { Screen->SetCursor(cursor); }

int QtScreenService::PixelsPerInch() const { return Screen->PixelsPerInch(); }

void QtScreenService::RepaintMainForm() {
    if (TForm* main = Application->MainForm()) main->Repaint();
}

}  // namespace ui
