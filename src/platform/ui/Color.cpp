// System colours mapped onto the application's palette.
#include "platform/ui/Color.h"

#include <QApplication>
#include <QPalette>

namespace {

QColor PaletteColor(int index) {
    const QPalette p = QApplication::palette();
    using R = QPalette::ColorRole;
    switch (index) {
        case 0: return p.color(R::Button);  // scroll bar
        case 1: return p.color(R::Dark);    // desktop
        case 2:
        case 13:
        case 27: return p.color(QPalette::Active, R::Highlight);  // active caption, highlight
        case 3:
        case 28: return p.color(QPalette::Inactive, R::Highlight);
        case 4:
        case 15:
        case 30: return p.color(R::Button);     // menu, button face, menu bar
        case 5: return p.color(R::Base);        // window
        case 6: return p.color(R::Shadow);      // window frame
        case 7: return p.color(R::WindowText);  // menu text
        case 8: return p.color(R::Text);        // window text
        case 9:
        case 14: return p.color(R::HighlightedText);  // caption text, highlight text
        case 10:
        case 11: return p.color(R::Button);
        case 12: return p.color(R::Dark);                      // application workspace
        case 16: return p.color(R::Mid);                       // button shadow
        case 17: return p.color(QPalette::Disabled, R::Text);  // grey text
        case 18: return p.color(R::ButtonText);
        case 19: return p.color(QPalette::Disabled, R::WindowText);  // inactive caption text: a muted grey
        case 20: return p.color(R::Light);                           // button highlight
        case 21: return p.color(R::Shadow);
        case 22: return p.color(R::Midlight);
        case 23: return p.color(R::ToolTipText);
        case 24: return p.color(R::ToolTipBase);
        case 26: return p.color(R::Link);
        case 29: return p.color(R::Highlight);
        default: return p.color(R::Window);
    }
}

}  // namespace

TColor ColorToRGB(TColor color) { return ui::FromQColor(ui::ToQColor(color)); }

namespace ui {

QColor ToQColor(TColor color) {
    if (color == clNone || color == clDefault) return {};
    if (color < 0) return PaletteColor(color & 0xFF);
    return QColor(GetRValue(color), GetGValue(color), GetBValue(color));
}

TColor FromQColor(const QColor& color) {
    if (!color.isValid()) return clNone;
    return RGB(color.red(), color.green(), color.blue());
}

}  // namespace ui
